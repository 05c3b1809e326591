#include "tests/support/ProgramResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// An icon drawn at its size over a background: the pixels, top row first.
std::vector<DWORD> IconPixels(HICON hIcon, int cx, COLORREF crBack)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cx;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (hBitmap) {
        HGDIOBJ hOld = SelectObject(hdc, hBitmap);
        HBRUSH hBrush = CreateSolidBrush(crBack);
        RECT rect = {0, 0, cx, cx};
        FillRect(hdc, &rect, hBrush);
        DeleteObject(hBrush);
        DrawIconEx(hdc, 0, 0, hIcon, cx, cx, 0, nullptr, DI_NORMAL);
        GdiFlush();
        for (int i = 0; i < cx * cx; ++i)
            pixels.push_back(static_cast<const DWORD*>(pBits)[i] & 0xFFFFFF);
        SelectObject(hdc, hOld);
        DeleteObject(hBitmap);
    }
    DeleteDC(hdc);
    return pixels;
}

// Two pixels whose colours differ by a few steps at most in every channel.
bool Near(DWORD dwA, DWORD dwB)
{
    for (int nShift : {0, 8, 16})
        if (std::abs(int(dwA >> nShift & 0xFF) - int(dwB >> nShift & 0xFF)) > 4)
            return false;
    return true;
}

}  // namespace

std::vector<BYTE> ResourceBytes(HMODULE hModule, LPCSTR pszType, UINT nId)
{
    HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA(nId), pszType);
    HGLOBAL hData = hInfo ? LoadResource(hModule, hInfo) : nullptr;
    if (!hData)
        return {};
    const BYTE* pData = static_cast<const BYTE*>(LockResource(hData));
    return std::vector<BYTE>(pData, pData + SizeofResource(hModule, hInfo));
}

const CTemplateControl* CDialogTemplate::Find(DWORD dwId, const std::string& strTitle) const
{
    for (const CTemplateControl& control : controls)
        if (control.dwId == dwId && (strTitle.empty() || control.strTitle == strTitle))
            return &control;
    return nullptr;
}

bool ReadDialogTemplate(const std::vector<BYTE>& bytes, CDialogTemplate& dialog)
{
    size_t pos = 0;
    auto word = [&]() {
        WORD w = 0;
        if (pos + 2 <= bytes.size())
            std::memcpy(&w, &bytes[pos], 2);
        pos += 2;
        return w;
    };
    auto dword = [&]() { DWORD dwLow = word(); return dwLow | DWORD(word()) << 16; };
    auto rect = [&]() { std::vector<short> r(4); for (short& v : r) v = short(word()); return r; };
    auto text = [&]() {
        std::string str;
        for (WORD w = word(); w != 0 && pos <= bytes.size(); w = word())
            str += char(w);
        return str;
    };
    auto nameOrNumber = [&]() {
        if (pos + 2 > bytes.size() || bytes[pos] != 0xFF || bytes[pos + 1] != 0xFF)
            return text();
        pos += 2;
        return "#" + std::to_string(word());
    };

    if (word() != 1 || word() != 0xFFFF)
        return false;
    pos += 4;  // help id
    dialog.dwExStyle = dword();
    dialog.dwStyle = dword();
    WORD wControls = word();
    dialog.rect = rect();
    dialog.strMenu = nameOrNumber();
    nameOrNumber();  // class
    dialog.strCaption = text();
    if (dialog.dwStyle & DS_SETFONT) {
        dialog.strFont = std::to_string(word()) + " ";
        pos += 4;  // weight, italic, character set
        dialog.strFont += text();
    }
    for (WORD i = 0; i < wControls && pos < bytes.size(); ++i) {
        pos = ((pos + 3) & ~size_t(3)) + 8;  // aligned; help id, extended style
        CTemplateControl control;
        control.dwStyle = dword();
        control.rect = rect();
        control.dwId = dword();
        control.strClass = nameOrNumber();
        control.strTitle = nameOrNumber();
        pos += word();  // creation data
        dialog.controls.push_back(control);
    }
    return dialog.controls.size() == wControls && pos <= bytes.size();
}

CDialogTemplate DialogResource(HMODULE hModule, UINT nId)
{
    CDialogTemplate dialog;
    EXPECT_TRUE(ReadDialogTemplate(ResourceBytes(hModule, RT_DIALOG, nId), dialog))
        << "dialog " << nId;
    for (const CTemplateControl& c : dialog.controls)
        EXPECT_TRUE(c.rect[0] >= 0 && c.rect[1] >= 0 && c.rect[0] + c.rect[2] <= dialog.rect[2]
                    && c.rect[1] + c.rect[3] <= dialog.rect[3])
            << "control " << int(c.dwId) << " \"" << c.strTitle << "\" leaves dialog " << nId;
    return dialog;
}

bool IsClass(const CTemplateControl& control, const char* pszName)
{
    const struct {
        const char* pszNumber;
        const char* pszName;
    } predefined[] = {{"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}};
    for (const auto& known : predefined)
        if (control.strClass == known.pszNumber && lstrcmpiA(pszName, known.pszName) == 0)
            return true;
    return lstrcmpiA(control.strClass.c_str(), pszName) == 0;
}

std::string DescribeMenu(HMENU hMenu)
{
    std::string strResult;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        char szText[128] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        GetMenuItemInfoA(hMenu, i, TRUE, &info);
        if (info.hSubMenu)
            strResult += std::string(szText) + ": " + DescribeMenu(info.hSubMenu) + "\n";
        else if (info.fType & MFT_SEPARATOR)
            strResult += i > 0 ? "|-" : "-";
        else
            strResult += (i > 0 ? "|" : "") + std::string(szText) + "=" + std::to_string(info.wID);
    }
    return strResult;
}

void ExpectBitmapCells(HMODULE hModule, UINT nId, LONG cx, LONG cy, LONG cxCell,
                       COLORREF crBackground, COLORREF crReserved)
{
    std::vector<BYTE> bytes = ResourceBytes(hModule, RT_BITMAP, nId);
    BITMAPINFOHEADER header = {};
    std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof(header)));
    EXPECT_EQ((std::vector<LONG>{header.biWidth, header.biHeight, header.biBitCount,
                                 LONG(header.biCompression)}),
              (std::vector<LONG>{cx, cy, 24, BI_RGB})) << nId;
    const size_t cbStride = (size_t(cx) * 3 + 3) & ~size_t(3);
    ASSERT_EQ(bytes.size(), header.biSize + cbStride * cy) << nId;

    // Per cell: the corners are background, something else is drawn.
    std::vector<int> art(cx / cxCell);
    int nReserved = 0;
    for (LONG y = 0; y < cy; ++y) {
        for (LONG x = 0; x < cx; ++x) {
            const BYTE* p = &bytes[header.biSize + cbStride * (cy - 1 - y) + x * 3];
            COLORREF cr = RGB(p[2], p[1], p[0]);
            art[x / cxCell] += cr != crBackground;
            nReserved += cr == crReserved;
            bool bCorner = (y == 0 || y == cy - 1) &&
                           (x % cxCell == 0 || x % cxCell == cxCell - 1);
            if (bCorner && crBackground != CLR_NONE) {
                EXPECT_EQ(cr, crBackground) << nId << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(std::count(art.begin(), art.end(), 0), 0) << "empty cell in " << nId;
    EXPECT_EQ(nReserved, 0) << nId;
}

void ExpectIconImages(HMODULE hModule, UINT nId, const std::vector<int>& sizes)
{
    // Backgrounds that read the same as a COLORREF and as a pixel of a DIB.
    const COLORREF crBacks[2] = {RGB(255, 0, 255), RGB(0, 255, 0)};
    // Group: 6-byte header with the count at 4, then 14-byte entries: width,
    // height, colours, reserved, planes, bits, size, image id. The 256-colour
    // images come first: systems before XP take the first image of a size
    // among those of 256 colours or more.
    std::vector<BYTE> group = ResourceBytes(hModule, RT_GROUP_ICON, nId);
    ASSERT_GE(group.size(), 6u) << nId;
    const size_t nCount = group[4] | group[5] << 8;
    ASSERT_EQ(group.size(), 6 + nCount * 14) << nId;
    std::vector<std::vector<int>> entries, expected;
    std::map<std::pair<int, int>, int> ids;  // by size and bits
    auto id = [&](int cx, int nBits) { return ids[{cx, nBits}]; };
    for (int nBits : {8, 32})
        for (int cx : sizes)
            expected.push_back({cx, cx, nBits, nBits});
    for (size_t i = 0; i < nCount; ++i) {
        const BYTE* pEntry = &group[6 + i * 14];
        const int cx = pEntry[0], nBits = pEntry[6] | pEntry[7] << 8;
        const int nImage = pEntry[12] | pEntry[13] << 8;
        std::vector<BYTE> image = ResourceBytes(hModule, RT_ICON, nImage);
        BITMAPINFOHEADER header = {};
        std::memcpy(&header, image.data(), std::min(image.size(), sizeof(header)));
        entries.push_back({cx, pEntry[1], nBits, header.biBitCount});
        ids[{cx, nBits}] = nImage;
    }
    ASSERT_EQ(entries, expected) << nId;

    for (int cx : sizes) {
        // On this true-colour display the system takes the 32-bit image.
        EXPECT_EQ(LookupIconIdFromDirectoryEx(group.data(), TRUE, cx, cx, 0), id(cx, 32));
        HICON hGroup = static_cast<HICON>(
            LoadImageA(hModule, MAKEINTRESOURCEA(nId), IMAGE_ICON, cx, cx, 0));
        EXPECT_NE(hGroup, nullptr) << nId << " size " << cx;
        DestroyIcon(hGroup);

        // Each image drawn over two backgrounds: where the 32-bit one is
        // opaque, the 256-colour one shows nearly the same colour; where
        // it is clear, so is the other.
        std::vector<DWORD> drawn[2][2];  // 256-colour, 32-bit; by background
        for (int nImage : {0, 1}) {
            std::vector<BYTE> image = ResourceBytes(hModule, RT_ICON, id(cx, nImage ? 32 : 8));
            HICON hIcon = CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE,
                                                   0x00030000, cx, cx, 0);
            ASSERT_NE(hIcon, nullptr) << nId << " size " << cx << " image " << nImage;
            for (int nBack : {0, 1})
                drawn[nImage][nBack] = IconPixels(hIcon, cx, crBacks[nBack]);
            DestroyIcon(hIcon);
            ASSERT_EQ(drawn[nImage][1].size(), size_t(cx * cx)) << nId << " size " << cx;
        }
        int nOpaque = 0, nClear = 0, nDiffer = 0;
        for (size_t i = 0; i < size_t(cx * cx); ++i) {
            if (drawn[1][0][i] == drawn[1][1][i]) {
                ++nOpaque;
                nDiffer += drawn[0][0][i] != drawn[0][1][i] ||
                           !Near(drawn[0][0][i], drawn[1][0][i]);
            } else if (drawn[1][0][i] == crBacks[0] && drawn[1][1][i] == crBacks[1]) {
                ++nClear;
                nDiffer += drawn[0][0][i] != crBacks[0] || drawn[0][1][i] != crBacks[1];
            }
        }
        EXPECT_GT(nOpaque, cx * cx / 2) << nId << " size " << cx;
        EXPECT_GT(nClear, 0) << nId << " size " << cx;
        EXPECT_EQ(nDiffer, 0) << nId << " size " << cx;
    }
}
