// The resources built into Veltrin.exe, read from the executable beside this
// test program: what the main window, the About box and the tray take from
// them by number.
#include "cleaner/shell/Addresses.h"
#include "cleaner/shell/resource.h"
#include "VeltrinVersion.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string ProgramPath()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.rfind('\\') + 1) + "Veltrin.exe";
}

// A control of a dialog template; a class or title given by number reads "#n".
struct CControl {
    DWORD dwStyle, dwId;
    std::vector<short> rect;  // x, y, width, height
    std::string strClass, strTitle;
};

struct CDialog {
    DWORD dwStyle = 0, dwExStyle = 0;
    std::vector<short> rect;
    std::string strMenu, strCaption, strFont;
    std::vector<CControl> controls;

    const CControl* Find(DWORD dwId, const std::string& strTitle = "") const
    {
        for (const CControl& control : controls)
            if (control.dwId == dwId && (strTitle.empty() || control.strTitle == strTitle))
                return &control;
        return nullptr;
    }
};

// Reads an extended dialog template (DIALOGEX), the only kind the script holds.
bool ReadDialog(const std::vector<BYTE>& bytes, CDialog& dialog)
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
        CControl control;
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

// The resource compiler may write a class name in capitals or a predefined
// class by number.
bool IsClass(const CControl& control, const char* pszName)
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

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hModule = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_hModule); }
    void SetUp() override { ASSERT_NE(s_hModule, nullptr) << "cannot load " << ProgramPath(); }

    // The bytes of a resource; empty when it is missing.
    static std::vector<BYTE> Bytes(LPCSTR pszType, UINT nId)
    {
        HRSRC hInfo = FindResourceA(s_hModule, MAKEINTRESOURCEA(nId), pszType);
        HGLOBAL hData = hInfo ? LoadResource(s_hModule, hInfo) : nullptr;
        if (!hData)
            return {};
        const BYTE* pData = static_cast<const BYTE*>(LockResource(hData));
        return std::vector<BYTE>(pData, pData + SizeofResource(s_hModule, hInfo));
    }

    // A dialog whose controls all lie inside it.
    static CDialog Dialog(UINT nId)
    {
        CDialog dialog;
        EXPECT_TRUE(ReadDialog(Bytes(RT_DIALOG, nId), dialog)) << "dialog " << nId;
        for (const CControl& c : dialog.controls)
            EXPECT_TRUE(c.rect[0] >= 0 && c.rect[1] >= 0 && c.rect[0] + c.rect[2] <= dialog.rect[2]
                        && c.rect[1] + c.rect[3] <= dialog.rect[3])
                << "control " << int(c.dwId) << " \"" << c.strTitle << "\" leaves dialog " << nId;
        return dialog;
    }

    static HMODULE s_hModule;
};

HMODULE Resources::s_hModule = nullptr;

// One line per popup: "Popup: Item=id|-|Item=id", "-" for a separator.
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

TEST_F(Resources, MainDialogHasItsFrameAndControlsWhereTheWindowLaysThemOut)
{
    CDialog dialog = Dialog(IDD_VELTRIN_DIALOG);
    const DWORD dwFrame = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU | WS_POPUP |
                          WS_CAPTION;
    EXPECT_EQ(dialog.dwStyle & (dwFrame | WS_CHILD | WS_VISIBLE | DS_MODALFRAME), dwFrame);
    EXPECT_EQ(dialog.dwExStyle, DWORD(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.rect, (std::vector<short>{0, 0, 416, 249}));
    EXPECT_EQ(dialog.strCaption, "Veltrin");
    EXPECT_EQ(dialog.strMenu, "#" + std::to_string(IDR_MAINMENU));
    EXPECT_EQ(dialog.strFont, "8 MS Sans Serif");

    const DWORD dwList = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                         WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
    struct {
        DWORD dwId;
        std::vector<short> rect;
        const char* pszClass;
        DWORD dwStyleMask, dwStyle;
    } const expected[] = {
        {IDC_LIST_FEATURES, {0, 30, 214, 53}, "SysListView32", dwList | LVS_TYPEMASK, dwList},
        {IDC_LIST_LOG, {0, 85, 415, 163}, "SysListView32", dwList | LVS_TYPEMASK, dwList},
        {IDC_BANNER, {215, 0, 200, 83}, "Static", SS_TYPEMASK, SS_BITMAP},
    };
    ASSERT_EQ(dialog.controls.size(), 3u);
    for (const auto& want : expected) {
        const CControl* pControl = dialog.Find(want.dwId);
        ASSERT_NE(pControl, nullptr) << want.dwId;
        EXPECT_EQ(pControl->rect, want.rect) << want.dwId;
        EXPECT_TRUE(IsClass(*pControl, want.pszClass)) << pControl->strClass;
        EXPECT_EQ(pControl->dwStyle & want.dwStyleMask, want.dwStyle) << want.dwId;
    }
    EXPECT_EQ(dialog.Find(IDC_BANNER)->strTitle, "#" + std::to_string(IDB_BANNER));
}

TEST_F(Resources, AboutBoxShowsTheBannerVersionTemplateAndLabelledAddresses)
{
    CDialog dialog = Dialog(IDD_ABOUTBOX);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(dialog.strFont, "8 MS Sans Serif");

    const CControl* pPicture = dialog.Find(DWORD(-1), "#" + std::to_string(IDB_BANNER));
    ASSERT_NE(pPicture, nullptr);
    EXPECT_TRUE(IsClass(*pPicture, "Static") && (pPicture->dwStyle & SS_TYPEMASK) == SS_BITMAP);
    const CControl* pVersion = dialog.Find(IDC_ABOUT_VERSION, "%s Version %s");
    ASSERT_NE(pVersion, nullptr);
    EXPECT_GT(pVersion->rect[1], pPicture->rect[1] + pPicture->rect[3]);

    // Below the version, each address on the line of its label, right of it.
    struct {
        const char* pszLabel;
        DWORD dwId;
        const char* pszAddress;
    } const links[] = {
        {"Product page:", IDC_PRODUCT_PAGE, VELTRIN_PRODUCT_URL},
        {"Company website:", IDC_COMPANY_WEBSITE, VELTRIN_COMPANY_URL},
        {"Support:", IDC_SUPPORT_EMAIL, VELTRIN_SUPPORT_EMAIL},
    };
    for (const auto& link : links) {
        const CControl* pLabel = dialog.Find(DWORD(-1), link.pszLabel);
        const CControl* pLink = dialog.Find(link.dwId, link.pszAddress);
        ASSERT_TRUE(pLabel && pLink) << link.pszLabel;
        EXPECT_EQ(pLink->rect[1], pLabel->rect[1]) << link.pszLabel;
        EXPECT_GE(pLink->rect[0], pLabel->rect[0] + pLabel->rect[2]) << link.pszLabel;
        EXPECT_GT(pLabel->rect[1], pVersion->rect[1]) << link.pszLabel;
    }
    const CControl* pOk = dialog.Find(IDOK, "OK");
    ASSERT_NE(pOk, nullptr);
    EXPECT_EQ(pOk->dwStyle & 0x0F, DWORD(BS_DEFPUSHBUTTON));
}

TEST_F(Resources, ProblemReportHasItsInvitationDescriptionAddressAndButtons)
{
    CDialog dialog = Dialog(IDD_PROBLEM_REPORT);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(dialog.strCaption, "Problem report");
    EXPECT_NE(dialog.Find(IDC_REPORT_INVITATION,
                          "If you encountered a problem with %s please write your comment here. "
                          "This form will submit your message directly to our technical team."),
              nullptr);
    // Enter starts a new line of the description rather than sending it.
    const CControl* pDescription = dialog.Find(IDC_REPORT_DESCRIPTION);
    ASSERT_NE(pDescription, nullptr);
    EXPECT_TRUE(IsClass(*pDescription, "Edit"));
    const DWORD dwLines = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
    EXPECT_EQ(pDescription->dwStyle & dwLines, dwLines);
    const CControl* pLabel = dialog.Find(DWORD(-1), "Your E-mail address:");
    const CControl* pEmail = dialog.Find(IDC_REPORT_EMAIL);
    ASSERT_TRUE(pLabel && pEmail);
    EXPECT_TRUE(IsClass(*pEmail, "Edit"));
    EXPECT_EQ(pEmail->dwStyle & ES_MULTILINE, 0u);
    EXPECT_GE(pEmail->rect[0], pLabel->rect[0] + pLabel->rect[2]);
    EXPECT_GT(pEmail->rect[1], pDescription->rect[1] + pDescription->rect[3]);
    const CControl* pSend = dialog.Find(IDOK, "Send report");
    const CControl* pClose = dialog.Find(IDCANCEL, "Close");
    ASSERT_TRUE(pSend && pClose);
    EXPECT_EQ(pSend->dwStyle & 0x0F, DWORD(BS_DEFPUSHBUTTON));
}

TEST_F(Resources, MenusHoldTheCommandsUnderTheirTexts)
{
    struct {
        UINT nId;
        const char* pszDescription;
    } const menus[] = {
        {IDR_MAINMENU,
         "&Action: &Start=32771|S&top=32773|-|Confirmation &Wizard...=32782\n"
         "Options: Settings=32774|-|Clear Log=32784|Problem report=32783\n"
         "Help: Help=57670|-|Company website=32779|Check for updates=32780|-|About=32776\n"},
        {IDR_TRAYMENU, "Tray: Open=32788|Settings=32789|-|Exit=32790\n"},
    };
    for (const auto& menu : menus) {
        HMENU hMenu = LoadMenuA(s_hModule, MAKEINTRESOURCEA(menu.nId));
        ASSERT_NE(hMenu, nullptr) << menu.nId;
        EXPECT_EQ(DescribeMenu(hMenu), menu.pszDescription);
        DestroyMenu(hMenu);
    }
}

TEST_F(Resources, ToolbarResourceListsButtonSizeAndCommands)
{
    // Version, width, height, count, then the commands with 0 for a separator.
    const WORD expected[] = {1, 50, 36, 7, 32771, 32773, 0, 32774, 32784, 0, 57670};
    std::vector<BYTE> bytes = Bytes(MAKEINTRESOURCEA(241), IDR_TOOLBAR);
    ASSERT_EQ(bytes.size(), sizeof(expected));
    EXPECT_EQ(std::memcmp(bytes.data(), expected, sizeof(expected)), 0);
}

TEST_F(Resources, BitmapsHaveTheirCellsBackgroundsAndNoReservedColourInTheArt)
{
    const COLORREF crNone = COLORREF(-1), crMagenta = RGB(255, 0, 255);
    const COLORREF crFace = RGB(192, 192, 192), crMask = RGB(212, 208, 200);
    struct {
        UINT nId;
        LONG cx, cy, cxCell;
        COLORREF crBackground, crReserved;
    } const bitmaps[] = {
        {IDB_TOOLBAR, 250, 36, 50, crFace, crMask},
        {IDB_TOOLBAR_HOT, 250, 36, 50, crMask, crFace},
        {IDB_LOG_IMAGES, 96, 16, 16, crMagenta, crNone},
        {IDB_FEATURE_IMAGES, 144, 16, 16, crMagenta, crNone},
        {IDB_BANNER, 300, 135, 300, crNone, crNone},
        {IDB_WIZARD_BANNER, 423, 65, 423, crNone, crNone},
        {IDB_DRIVE_IMAGES, 16, 16, 16, crMagenta, crNone},
        {IDB_PAGE_BACKGROUND, 150, 110, 150, crNone, crNone},
    };
    for (const auto& want : bitmaps) {
        std::vector<BYTE> bytes = Bytes(RT_BITMAP, want.nId);
        BITMAPINFOHEADER header = {};
        std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof(header)));
        EXPECT_EQ((std::vector<LONG>{header.biWidth, header.biHeight, header.biBitCount,
                                     LONG(header.biCompression)}),
                  (std::vector<LONG>{want.cx, want.cy, 24, BI_RGB})) << want.nId;
        const size_t cbStride = (size_t(want.cx) * 3 + 3) & ~size_t(3);
        ASSERT_EQ(bytes.size(), header.biSize + cbStride * want.cy) << want.nId;

        // Per cell: the corners are background, something else is drawn.
        std::vector<int> art(want.cx / want.cxCell);
        int nReserved = 0;
        for (LONG y = 0; y < want.cy; ++y) {
            for (LONG x = 0; x < want.cx; ++x) {
                const BYTE* p = &bytes[header.biSize + cbStride * (want.cy - 1 - y) + x * 3];
                COLORREF cr = RGB(p[2], p[1], p[0]);
                art[x / want.cxCell] += cr != want.crBackground;
                nReserved += cr == want.crReserved;
                bool bCorner = (y == 0 || y == want.cy - 1) &&
                               (x % want.cxCell == 0 || x % want.cxCell == want.cxCell - 1);
                if (bCorner && want.crBackground != crNone) {
                    EXPECT_EQ(cr, want.crBackground) << want.nId << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(std::count(art.begin(), art.end(), 0), 0) << "empty cell in " << want.nId;
        EXPECT_EQ(nReserved, 0) << want.nId;
    }
}

// The page background sits in the bottom-right corner of a page, so its top
// and left edges meet the page and must be the page's own colour.
TEST_F(Resources, PageBackgroundMeetsThePageInItsOwnColour)
{
    std::vector<BYTE> bytes = Bytes(RT_BITMAP, IDB_PAGE_BACKGROUND);
    BITMAPINFOHEADER header = {};
    std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof(header)));
    ASSERT_EQ(header.biBitCount, 24);
    const LONG cx = header.biWidth, cy = header.biHeight;
    const size_t cbStride = (size_t(cx) * 3 + 3) & ~size_t(3);
    ASSERT_EQ(bytes.size(), header.biSize + cbStride * cy);
    auto pixel = [&](LONG x, LONG y) {
        const BYTE* p = &bytes[header.biSize + cbStride * (cy - 1 - y) + x * 3];
        return RGB(p[2], p[1], p[0]);
    };
    int nOther = 0;
    for (LONG x = 0; x < cx; ++x)
        nOther += pixel(x, 0) != RGB(214, 211, 206);
    for (LONG y = 0; y < cy; ++y)
        nOther += pixel(0, y) != RGB(214, 211, 206);
    EXPECT_EQ(nOther, 0);
}

TEST_F(Resources, IconsHoldA256ColourAndA32BitImageOfEverySizeThatLookAlike)
{
    struct {
        UINT nId;
        std::vector<int> sizes;
    } const icons[] = {
        {IDR_MAINFRAME, {16, 32, 48}},
        {IDI_TRAY, {16, 32}},
    };
    // Backgrounds that read the same as a COLORREF and as a pixel of a DIB.
    const COLORREF crBacks[2] = {RGB(255, 0, 255), RGB(0, 255, 0)};
    for (const auto& want : icons) {
        // Group: 6-byte header with the count at 4, then 14-byte entries: width,
        // height, colours, reserved, planes, bits, size, image id. The 256-colour
        // images come first: systems before XP take the first image of a size
        // among those of 256 colours or more.
        std::vector<BYTE> group = Bytes(RT_GROUP_ICON, want.nId);
        ASSERT_GE(group.size(), 6u) << want.nId;
        const size_t nCount = group[4] | group[5] << 8;
        ASSERT_EQ(group.size(), 6 + nCount * 14) << want.nId;
        std::vector<std::vector<int>> entries, expected;
        std::map<std::pair<int, int>, int> ids;  // by size and bits
        auto id = [&](int cx, int nBits) { return ids[{cx, nBits}]; };
        for (int nBits : {8, 32})
            for (int cx : want.sizes)
                expected.push_back({cx, cx, nBits, nBits});
        for (size_t i = 0; i < nCount; ++i) {
            const BYTE* pEntry = &group[6 + i * 14];
            const int cx = pEntry[0], nBits = pEntry[6] | pEntry[7] << 8;
            const int nImage = pEntry[12] | pEntry[13] << 8;
            std::vector<BYTE> image = Bytes(RT_ICON, nImage);
            BITMAPINFOHEADER header = {};
            std::memcpy(&header, image.data(), std::min(image.size(), sizeof(header)));
            entries.push_back({cx, pEntry[1], nBits, header.biBitCount});
            ids[{cx, nBits}] = nImage;
        }
        ASSERT_EQ(entries, expected) << want.nId;

        for (int cx : want.sizes) {
            // On this true-colour display the system takes the 32-bit image.
            EXPECT_EQ(LookupIconIdFromDirectoryEx(group.data(), TRUE, cx, cx, 0), id(cx, 32));
            HICON hGroup = static_cast<HICON>(
                LoadImageA(s_hModule, MAKEINTRESOURCEA(want.nId), IMAGE_ICON, cx, cx, 0));
            EXPECT_NE(hGroup, nullptr) << want.nId << " size " << cx;
            DestroyIcon(hGroup);

            // Each image drawn over two backgrounds: where the 32-bit one is
            // opaque, the 256-colour one shows nearly the same colour; where
            // it is clear, so is the other.
            std::vector<DWORD> drawn[2][2];  // 256-colour, 32-bit; by background
            for (int nImage : {0, 1}) {
                std::vector<BYTE> image = Bytes(RT_ICON, id(cx, nImage ? 32 : 8));
                HICON hIcon = CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE,
                                                       0x00030000, cx, cx, 0);
                ASSERT_NE(hIcon, nullptr) << want.nId << " size " << cx << " image " << nImage;
                for (int nBack : {0, 1})
                    drawn[nImage][nBack] = IconPixels(hIcon, cx, crBacks[nBack]);
                DestroyIcon(hIcon);
                ASSERT_EQ(drawn[nImage][1].size(), size_t(cx * cx)) << want.nId << " size " << cx;
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
            EXPECT_GT(nOpaque, cx * cx / 2) << want.nId << " size " << cx;
            EXPECT_GT(nClear, 0) << want.nId << " size " << cx;
            EXPECT_EQ(nDiffer, 0) << want.nId << " size " << cx;
        }
    }
}

TEST_F(Resources, StringsGiveTheSystemMenuItemAndTheToolbarTips)
{
    char szText[256];
    ASSERT_GT(LoadStringA(s_hModule, IDS_ABOUTBOX, szText, sizeof(szText)), 0);
    EXPECT_STREQ(szText, "&About Veltrin...");

    // "status prompt\ntool tip"
    struct {
        UINT nId;
        const char* pszTip;
    } const tips[] = {
        {ID_ACTION_START, "Start"},         {ID_ACTION_STOP, "Stop"},
        {ID_OPTIONS_SETTINGS, "Settings"},  {ID_OPTIONS_CLEARLOG, "Clear Log"},
        {ID_HELP, "Help"},
    };
    for (const auto& tip : tips) {
        LoadStringA(s_hModule, tip.nId, szText, sizeof(szText));
        const char* pszNewLine = std::strchr(szText, '\n');
        ASSERT_TRUE(pszNewLine && pszNewLine > szText) << tip.nId << ": " << szText;
        EXPECT_STREQ(pszNewLine + 1, tip.pszTip);
    }
}

TEST_F(Resources, VersionAndManifestDescribeTheProgram)
{
    std::string strPath = ProgramPath();
    std::vector<BYTE> info(GetFileVersionInfoSizeA(strPath.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(strPath.c_str(), 0, DWORD(info.size()), info.data()));
    for (const char* pszValue : {"ProductName=Veltrin PRO",
                                 "ProductVersion=" VELTRIN_VERSION_STRING,
                                 "FileVersion=" VELTRIN_VERSION_STRING}) {
        std::string strName(pszValue, std::strchr(pszValue, '=') - pszValue);
        char* pszFound = nullptr;
        UINT cch = 0;
        VerQueryValueA(info.data(), ("\\StringFileInfo\\040904b0\\" + strName).c_str(),
                       reinterpret_cast<void**>(&pszFound), &cch);
        EXPECT_EQ(strName + "=" + (pszFound ? pszFound : "(none)"), pszValue);
    }

    std::vector<BYTE> bytes = Bytes(RT_MANIFEST, 1);
    std::string strManifest(bytes.begin(), bytes.end());
    for (const char* pszPart : {"name=\"Microsoft.Windows.Common-Controls\"",
                                "version=\"6.0.0.0\"", "level=\"asInvoker\""})
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
}
