#include "tests/support/WindowPicture.h"

#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"

bool SaveWindowPicture(HWND hWnd, const std::string& strPath)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW |
                 RDW_ALLCHILDREN);
    // The display shows what was painted once the window system has had
    // its turn.
    ServeMessages(300);
    RECT rect;
    GetWindowRect(hWnd, &rect);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0)
        return false;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD cbImage = ((cx * 3 + 3) & ~3) * cy;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + cbImage;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    bytes.append(static_cast<const char*>(pBits), cbImage);
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    const size_t nFolderEnd = strPath.rfind('\\');
    if (nFolderEnd != std::string::npos)
        CreateDirectoryA(strPath.substr(0, nFolderEnd).c_str(), nullptr);
    return WriteFileBytes(strPath, bytes);
}
