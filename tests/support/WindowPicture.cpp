#include "tests/support/WindowPicture.h"

#include "tests/support/TempFolder.h"

#include <cstdint>
#include <vector>

const char kArtifactsFolder[] = "C:\\veltrin-artifacts\\";

namespace {

uint32_t Crc32(const std::string& bytes, size_t nStart)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = nStart; i < bytes.size(); ++i) {
        crc ^= static_cast<uint8_t>(bytes[i]);
        for (int nBit = 0; nBit < 8; ++nBit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void AppendBigEndian(std::string& bytes, uint32_t dwValue)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        bytes += static_cast<char>(dwValue >> nShift & 0xFF);
}

void AppendChunk(std::string& png, const char* pszType, const std::string& data)
{
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t nStart = png.size();
    png += pszType;
    png += data;
    AppendBigEndian(png, Crc32(png, nStart));
}

// Rows of RGB pixels, top first, as a PNG with uncompressed deflate blocks.
std::string EncodePng(int cx, int cy, const std::string& rows)
{
    std::string header;
    AppendBigEndian(header, cx);
    AppendBigEndian(header, cy);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB

    std::string zlib("\x78\x01", 2);
    uint32_t a = 1, b = 0;
    for (unsigned char ch : rows) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t nPos = 0; nPos < rows.size() || nPos == 0; nPos += 65535) {
        const size_t nLength = std::min<size_t>(65535, rows.size() - nPos);
        const bool bLast = nPos + nLength >= rows.size();
        zlib += static_cast<char>(bLast ? 1 : 0);
        zlib += static_cast<char>(nLength & 0xFF);
        zlib += static_cast<char>(nLength >> 8);
        zlib += static_cast<char>(~nLength & 0xFF);
        zlib += static_cast<char>(~nLength >> 8 & 0xFF);
        zlib.append(rows, nPos, nLength);
        if (bLast)
            break;
    }
    AppendBigEndian(zlib, b << 16 | a);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", zlib);
    AppendChunk(png, "IEND", std::string());
    return png;
}

}  // namespace

bool SaveWindowPicture(HWND hWnd, const std::string& strPath)
{
    RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Drawing that a window posts to itself after painting.
    MSG msg;
    while (PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
    RECT rect;
    GetWindowRect(hWnd, &rect);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    std::string rows;
    if (hBitmap) {
        HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
        BitBlt(hMemory, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const uint8_t* pPixel = static_cast<const uint8_t*>(pBits);
        for (int y = 0; y < cy; ++y) {
            rows += '\0';  // no filter
            for (int x = 0; x < cx; ++x, pPixel += 4) {
                rows += static_cast<char>(pPixel[2]);
                rows += static_cast<char>(pPixel[1]);
                rows += static_cast<char>(pPixel[0]);
            }
        }
        SelectObject(hMemory, hOld);
        DeleteObject(hBitmap);
    }
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    if (rows.empty())
        return false;
    CreateDirectoryA(strPath.substr(0, strPath.rfind('\\')).c_str(), nullptr);
    return WriteFileBytes(strPath, EncodePng(cx, cy, rows));
}
