// The editor's resources as this test program holds them, built from the
// editor's own resource script: what the frames, the view and the About box
// take from them by number.
#include "editor/resource.h"

#include "framework/ImageList.h"
#include "framework/ToolBar.h"
#include "tests/support/ProgramResources.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

class EditorResources : public ::testing::Test {
protected:
    static HMODULE Module() { return GetModuleHandleA(nullptr); }

    static std::string String(UINT nId)
    {
        char szText[512] = "";
        const int cch = LoadStringA(Module(), nId, szText, sizeof(szText));
        return std::string(szText, cch > 0 ? cch : 0);
    }

    // The fields of a string separated by "\n", empty ones included.
    static std::vector<std::string> Fields(const std::string& strText)
    {
        std::vector<std::string> fields(1);
        for (char ch : strText) {
            if (ch == '\n')
                fields.emplace_back();
            else
                fields.back() += ch;
        }
        return fields;
    }
};

// A hidden window to be the parent of controls under test.
class CHiddenParent {
public:
    CHiddenParent()
        : m_hWnd(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr))
    {
    }
    ~CHiddenParent() { DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// One image of a list drawn transparently over a background: its pixels,
// top row first.
std::vector<COLORREF> DrawnImage(HIMAGELIST hImages, int nImage, COLORREF crBack)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HDC hScreen = GetDC(nullptr);
    HBITMAP hTarget = CreateCompatibleBitmap(hScreen, 16, 16);
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = SelectObject(hdc, hTarget);
    HBRUSH hBrush = CreateSolidBrush(crBack);
    RECT all = {0, 0, 16, 16};
    FillRect(hdc, &all, hBrush);
    DeleteObject(hBrush);
    ImageList_Draw(hImages, nImage, hdc, 0, 0, ILD_TRANSPARENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(GetPixel(hdc, x, y));
    SelectObject(hdc, hOld);
    DeleteObject(hTarget);
    DeleteDC(hdc);
    return pixels;
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

TEST_F(EditorResources, ViewFormHoldsTheCategoryTreeAndThePageFrameSideBySide)
{
    const CDialogTemplate form = DialogResource(Module(), IDD_VIEW_FORM);
    EXPECT_EQ(form.rect, (std::vector<short>{0, 0, 451, 279}));
    // A child of the view: no frame, caption or border of its own.
    EXPECT_EQ(form.dwStyle & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME |
                              DS_MODALFRAME | WS_VISIBLE),
              DWORD(WS_CHILD));
    ASSERT_EQ(form.controls.size(), 2u);

    const CTemplateControl* pTree = form.Find(IDC_CATEGORY_TREE);
    ASSERT_NE(pTree, nullptr);
    EXPECT_TRUE(IsClass(*pTree, WC_TREEVIEWA)) << pTree->strClass;
    EXPECT_EQ(pTree->rect, (std::vector<short>{5, 4, 100, 269}));
    const DWORD dwTree = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                         WS_BORDER | WS_CHILD | WS_VISIBLE;
    EXPECT_EQ(pTree->dwStyle & dwTree, dwTree);

    const CTemplateControl* pFrame = form.Find(IDC_PAGE_FRAME);
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(IsClass(*pFrame, "Button")) << pFrame->strClass;
    EXPECT_EQ(pFrame->dwStyle & 0x0F, DWORD(BS_GROUPBOX));
    EXPECT_EQ(pFrame->strTitle, "");
    EXPECT_EQ(pFrame->rect, (std::vector<short>{110, 0, 335, 274}));

    // Made as the view makes it: a child window holding both.
    CHiddenParent parent;
    HWND hForm = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_VIEW_FORM), parent.Get(),
                                    InertDialogProc, 0);
    ASSERT_NE(hForm, nullptr);
    EXPECT_EQ(GetParent(hForm), parent.Get());
    EXPECT_NE(GetDlgItem(hForm, IDC_CATEGORY_TREE), nullptr);
    EXPECT_NE(GetDlgItem(hForm, IDC_PAGE_FRAME), nullptr);
    DestroyWindow(hForm);
}

TEST_F(EditorResources, AboutBoxShowsTheProgramIconAndVersion)
{
    const CDialogTemplate about = DialogResource(Module(), IDD_ABOUTBOX);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(about.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(about.strCaption, "About Actsmith");
    const CTemplateControl* pIcon = about.Find(DWORD(-1), "#" + std::to_string(IDR_MAINFRAME));
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(pIcon->dwStyle & SS_TYPEMASK, DWORD(SS_ICON));
    const CTemplateControl* pText = about.Find(DWORD(-1), "Actsmith Version 1.0");
    ASSERT_NE(pText, nullptr);
    EXPECT_GE(pText->rect[0], pIcon->rect[0] + pIcon->rect[2]);
    const CTemplateControl* pOk = about.Find(IDOK, "OK");
    ASSERT_NE(pOk, nullptr);
    EXPECT_EQ(pOk->dwStyle & 0x0F, DWORD(BS_DEFPUSHBUTTON));

    // The icon control finds the program's icon when the box is made.
    HWND hAbout = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr,
                                     InertDialogProc, 0);
    ASSERT_NE(hAbout, nullptr);
    HWND hIcon = nullptr;
    for (HWND hChild = GetWindow(hAbout, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        if ((GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            hIcon = hChild;
    ASSERT_NE(hIcon, nullptr);
    EXPECT_NE(SendMessageA(hIcon, STM_GETICON, 0, 0), 0);
    DestroyWindow(hAbout);
}

TEST_F(EditorResources, MenusWithoutAndWithAPluginHoldTheirCommands)
{
    const std::string strView = "&View: &Toolbar=59392|&Status Bar=59393\n";
    const std::string strHelp = "&Help: &About Actsmith...=57664\n";
    struct {
        UINT nId;
        std::string strDescription;
    } const menus[] = {
        {IDR_MAINFRAME,
         "&File: &New\tCtrl+N=57600|&Open...\tCtrl+O=57601|-|P&rint Setup...=57606|-|"
         "Recent File=57616|-|E&xit=57665\n" +
             strView + strHelp},
        {IDR_PLUGIN_TYPE,
         "&File: &New\tCtrl+N=57600|&Open...\tCtrl+O=57601|&Close=57602|&Save\tCtrl+S=57603|"
         "Save &As...=57604|-|P&rint Setup...=57606|-|Recent File=57616|-|E&xit=57665\n" +
             strView +
             "&Tools: Launch Regedit=32771|Install the active plugin=32772\n"
             "&Window: &New Window=57648|&Cascade=57650|&Tile=57651|&Arrange Icons=57649\n" +
             strHelp},
    };
    for (const auto& menu : menus) {
        HMENU hMenu = LoadMenuA(Module(), MAKEINTRESOURCEA(menu.nId));
        ASSERT_NE(hMenu, nullptr) << menu.nId;
        EXPECT_EQ(DescribeMenu(hMenu), menu.strDescription);
        // The recent files take the place of the grayed placeholder.
        EXPECT_TRUE(GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_FALSE(GetMenuState(hMenu, ID_FILE_NEW, MF_BYCOMMAND) & MF_GRAYED);
        DestroyMenu(hMenu);
    }
}

TEST_F(EditorResources, ShortcutsCreateOpenSaveAndAskForHelp)
{
    HACCEL hAccelerators = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(hAccelerators, nullptr);
    std::vector<ACCEL> entries(CopyAcceleratorTableA(hAccelerators, nullptr, 0));
    CopyAcceleratorTableA(hAccelerators, entries.data(), int(entries.size()));
    std::vector<std::vector<int>> found;
    for (const ACCEL& entry : entries)
        found.push_back({entry.fVirt & ~FNOINVERT, entry.key, entry.cmd});
    EXPECT_EQ(found, (std::vector<std::vector<int>>{
                         {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
                         {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
                         {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
                         {FVIRTKEY, VK_F1, ID_HELP},
                     }));
}

TEST_F(EditorResources, ToolbarGetsItsButtonsTipsAndOnePictureForEach)
{
    // Version, width, height, count, then the commands with 0 for a separator.
    const WORD expected[] = {1,      16,     16,     8, 0xE100, 0xE101, 0xE103, 32772,
                             0,      32771,  0,      0xE140};
    std::vector<BYTE> bytes = ResourceBytes(Module(), MAKEINTRESOURCEA(241), IDR_MAINFRAME);
    ASSERT_EQ(bytes.size(), sizeof(expected));
    EXPECT_EQ(std::memcmp(bytes.data(), expected, sizeof(expected)), 0);

    // Built as the frame builds it: the buttons from the resource, their
    // pictures from the bitmap with magenta masked out.
    CHiddenParent parent;
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.Create(parent.Get(), WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0xE800));
    ASSERT_TRUE(toolBar.LoadToolBar(IDR_MAINFRAME));
    CImageList images;
    ASSERT_TRUE(images.CreateFromBitmap(IDB_TOOLBAR, 16, 16, kMagenta, 6));
    EXPECT_EQ(ImageList_GetImageCount(images.GetHandle()), 6);

    struct {
        int nCommand;
        const char* pszTip;
    } const buttons[] = {
        {ID_FILE_NEW, "New"},          {ID_FILE_OPEN, "Open"},  {ID_FILE_SAVE, "Save"},
        {ID_TOOLS_INSTALL, "Install"}, {0, ""},                 {ID_TOOLS_REGEDIT, "Regedit"},
        {0, ""},                       {ID_APP_ABOUT, "About"},
    };
    ASSERT_EQ(toolBar.GetButtonCount(), 8);
    int nImage = 0;
    for (int i = 0; i < 8; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(toolBar.GetButton(i, button));
        EXPECT_EQ(button.idCommand, buttons[i].nCommand) << i;
        if (button.idCommand == 0)
            continue;
        EXPECT_EQ(button.iBitmap, nImage++) << i;
        EXPECT_EQ(CommandTip(button.idCommand), buttons[i].pszTip) << i;
    }
    EXPECT_EQ(String(ID_TOOLS_INSTALL), "Install the active Plugin\nInstall");
    EXPECT_EQ(String(ID_TOOLS_REGEDIT), "Lanuch Regedit\nRegedit");
}

TEST_F(EditorResources, DocumentTypeStringHasItsSevenFields)
{
    EXPECT_EQ(Fields(String(IDR_PLUGIN_TYPE)),
              (std::vector<std::string>{"", "Plugin", "Plugin", "Plugin Files (*.pld)", ".pld",
                                        "Actsmith.Document", "Plugin Document"}));
    EXPECT_EQ(String(IDR_MAINFRAME), "Actsmith");
}

TEST_F(EditorResources, StatusBarHasItsIdleTextIndicatorsAndAPromptForEveryCommand)
{
    EXPECT_EQ(String(IDS_IDLE_MESSAGE), "Ready");
    EXPECT_EQ(String(ID_INDICATOR_CAPS), "CAP");
    EXPECT_EQ(String(ID_INDICATOR_NUM), "NUM");
    EXPECT_EQ(String(ID_INDICATOR_SCRL), "SCRL");

    // Every command of the menus and each recent file has a prompt; those
    // that a toolbar could show have a tip after it.
    const UINT commands[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE,
                             ID_FILE_SAVE_AS, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_APP_ABOUT,
                             ID_HELP, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_TOOLS_REGEDIT,
                             ID_TOOLS_INSTALL, ID_WINDOW_NEW, ID_WINDOW_CASCADE,
                             ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE};
    for (UINT nId : commands) {
        const std::vector<std::string> fields = Fields(String(nId));
        ASSERT_EQ(fields.size(), 2u) << nId;
        EXPECT_FALSE(fields[0].empty() || fields[1].empty()) << nId;
    }
    for (UINT nId = ID_FILE_MRU_FILE1; nId < ID_FILE_MRU_FILE1 + 4; ++nId)
        EXPECT_EQ(String(nId), "Open this plugin") << nId;
}

TEST_F(EditorResources, BitmapsHaveTheirCellsOnMagenta)
{
    const COLORREF crNone = CLR_NONE;
    ExpectBitmapCells(Module(), IDB_TOOLBAR, 6 * 16, 16, 16, kMagenta, crNone);
    ExpectBitmapCells(Module(), IDB_CATEGORY_IMAGES, 11 * 16, 16, 16, kMagenta, crNone);
    ExpectBitmapCells(Module(), IDB_ITEM_IMAGES, 10 * 16, 16, 16, kMagenta, crNone);

    // Masked on magenta, each picture of the tree's image list leaves its
    // corners clear and covers much of its cell.
    CImageList images;
    ASSERT_TRUE(images.CreateFromBitmap(IDB_CATEGORY_IMAGES, 16, 16, kMagenta, 11));
    ASSERT_EQ(ImageList_GetImageCount(images.GetHandle()), 11);
    for (int nImage = 0; nImage < 11; ++nImage) {
        std::vector<COLORREF> drawn[2];
        for (int nBack : {0, 1})
            drawn[nBack] = DrawnImage(images.GetHandle(), nImage, nBack ? RGB(255, 255, 255) : 0);
        ASSERT_EQ(drawn[1].size(), 256u);
        int nCovered = 0;
        for (size_t i = 0; i < 256; ++i)
            nCovered += drawn[0][i] == drawn[1][i];
        EXPECT_EQ(drawn[0][0], RGB(0, 0, 0)) << nImage;
        EXPECT_EQ(drawn[1][0], RGB(255, 255, 255)) << nImage;
        EXPECT_GT(nCovered, 256 / 4) << nImage;
    }
}

TEST_F(EditorResources, ProgramAndPluginIconsHoldEverySizeInBothDepths)
{
    ExpectIconImages(Module(), IDR_MAINFRAME, {16, 32, 48});
    ExpectIconImages(Module(), IDR_PLUGIN_TYPE, {16, 32, 48});
}

TEST_F(EditorResources, VersionAndManifestDescribeTheEditor)
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::vector<BYTE> info(GetFileVersionInfoSizeA(szPath, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(szPath, 0, DWORD(info.size()), info.data()));
    for (const char* pszValue : {"CompanyName=ZR Software", "ProductName=Actsmith",
                                 "ProductVersion=1.0", "FileVersion=1.0"}) {
        std::string strName(pszValue, std::strchr(pszValue, '=') - pszValue);
        char* pszFound = nullptr;
        UINT cch = 0;
        VerQueryValueA(info.data(), ("\\StringFileInfo\\040904b0\\" + strName).c_str(),
                       reinterpret_cast<void**>(&pszFound), &cch);
        EXPECT_EQ(strName + "=" + (pszFound ? pszFound : "(none)"), pszValue);
    }
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cbFixed = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &cbFixed));
    EXPECT_EQ(pFixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(pFixed->dwFileVersionMS, 0x00010000u);

    std::vector<BYTE> bytes = ResourceBytes(Module(), RT_MANIFEST, 1);
    std::string strManifest(bytes.begin(), bytes.end());
    for (const char* pszPart :
         {"name=\"ZR.Actsmith\"", "name=\"Microsoft.Windows.Common-Controls\"",
          "version=\"6.0.0.0\"", "level=\"asInvoker\""})
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
}
