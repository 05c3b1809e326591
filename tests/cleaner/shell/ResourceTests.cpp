// The resources built into Veltrin.exe, read from the executable beside this
// test program: what the main window, the About box and the tray take from
// them by number.
#include "cleaner/shell/Addresses.h"
#include "cleaner/shell/resource.h"
#include "VeltrinVersion.h"
#include "tests/support/ProgramResources.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
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

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hModule = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_hModule); }
    void SetUp() override { ASSERT_NE(s_hModule, nullptr) << "cannot load " << ProgramPath(); }

    static std::vector<BYTE> Bytes(LPCSTR pszType, UINT nId)
    {
        return ResourceBytes(s_hModule, pszType, nId);
    }
    static CDialogTemplate Dialog(UINT nId) { return DialogResource(s_hModule, nId); }

    static HMODULE s_hModule;
};

HMODULE Resources::s_hModule = nullptr;

}  // namespace

TEST_F(Resources, MainDialogHasItsFrameAndControlsWhereTheWindowLaysThemOut)
{
    CDialogTemplate dialog = Dialog(IDD_VELTRIN_DIALOG);
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
        const CTemplateControl* pControl = dialog.Find(want.dwId);
        ASSERT_NE(pControl, nullptr) << want.dwId;
        EXPECT_EQ(pControl->rect, want.rect) << want.dwId;
        EXPECT_TRUE(IsClass(*pControl, want.pszClass)) << pControl->strClass;
        EXPECT_EQ(pControl->dwStyle & want.dwStyleMask, want.dwStyle) << want.dwId;
    }
    EXPECT_EQ(dialog.Find(IDC_BANNER)->strTitle, "#" + std::to_string(IDB_BANNER));
}

TEST_F(Resources, AboutBoxShowsTheBannerVersionTemplateAndLabelledAddresses)
{
    CDialogTemplate dialog = Dialog(IDD_ABOUTBOX);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(dialog.strFont, "8 MS Sans Serif");

    const CTemplateControl* pPicture = dialog.Find(DWORD(-1), "#" + std::to_string(IDB_BANNER));
    ASSERT_NE(pPicture, nullptr);
    EXPECT_TRUE(IsClass(*pPicture, "Static") && (pPicture->dwStyle & SS_TYPEMASK) == SS_BITMAP);
    const CTemplateControl* pVersion = dialog.Find(IDC_ABOUT_VERSION, "%s Version %s");
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
        const CTemplateControl* pLabel = dialog.Find(DWORD(-1), link.pszLabel);
        const CTemplateControl* pLink = dialog.Find(link.dwId, link.pszAddress);
        ASSERT_TRUE(pLabel && pLink) << link.pszLabel;
        EXPECT_EQ(pLink->rect[1], pLabel->rect[1]) << link.pszLabel;
        EXPECT_GE(pLink->rect[0], pLabel->rect[0] + pLabel->rect[2]) << link.pszLabel;
        EXPECT_GT(pLabel->rect[1], pVersion->rect[1]) << link.pszLabel;
    }
    const CTemplateControl* pOk = dialog.Find(IDOK, "OK");
    ASSERT_NE(pOk, nullptr);
    EXPECT_EQ(pOk->dwStyle & 0x0F, DWORD(BS_DEFPUSHBUTTON));
}

TEST_F(Resources, ProblemReportHasItsInvitationDescriptionAddressAndButtons)
{
    CDialogTemplate dialog = Dialog(IDD_PROBLEM_REPORT);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(dialog.strCaption, "Problem report");
    EXPECT_NE(dialog.Find(IDC_REPORT_INVITATION,
                          "If you encountered a problem with %s please write your comment here. "
                          "This form will submit your message directly to our technical team."),
              nullptr);
    // Enter starts a new line of the description rather than sending it.
    const CTemplateControl* pDescription = dialog.Find(IDC_REPORT_DESCRIPTION);
    ASSERT_NE(pDescription, nullptr);
    EXPECT_TRUE(IsClass(*pDescription, "Edit"));
    const DWORD dwLines = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
    EXPECT_EQ(pDescription->dwStyle & dwLines, dwLines);
    const CTemplateControl* pLabel = dialog.Find(DWORD(-1), "Your E-mail address:");
    const CTemplateControl* pEmail = dialog.Find(IDC_REPORT_EMAIL);
    ASSERT_TRUE(pLabel && pEmail);
    EXPECT_TRUE(IsClass(*pEmail, "Edit"));
    EXPECT_EQ(pEmail->dwStyle & ES_MULTILINE, 0u);
    EXPECT_GE(pEmail->rect[0], pLabel->rect[0] + pLabel->rect[2]);
    EXPECT_GT(pEmail->rect[1], pDescription->rect[1] + pDescription->rect[3]);
    const CTemplateControl* pSend = dialog.Find(IDOK, "Send report");
    const CTemplateControl* pClose = dialog.Find(IDCANCEL, "Close");
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
         "&Action: &Start=32771|S&top=32773|&Analyze=32791|-|Confirmation &Wizard...=32782\n"
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
        {IDB_LOG_IMAGES, 112, 16, 16, crMagenta, crNone},
        {IDB_FEATURE_IMAGES, 144, 16, 16, crMagenta, crNone},
        {IDB_BANNER, 300, 135, 300, crNone, crNone},
        {IDB_WIZARD_BANNER, 423, 65, 423, crNone, crNone},
        {IDB_DRIVE_IMAGES, 16, 16, 16, crMagenta, crNone},
        {IDB_PAGE_BACKGROUND, 150, 110, 150, crNone, crNone},
    };
    for (const auto& want : bitmaps)
        ExpectBitmapCells(s_hModule, want.nId, want.cx, want.cy, want.cxCell, want.crBackground,
                          want.crReserved);
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
    for (const auto& want : icons)
        ExpectIconImages(s_hModule, want.nId, want.sizes);
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
        {ID_ACTION_ANALYZE, "Analyze"},
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
