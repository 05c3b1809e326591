// The editor's main frame, its plugin windows and their category trees, in
// the test's own process.
#include "editor/MainFrame.h"

#include "editor/ActsmithApp.h"
#include "editor/ChildFrame.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kEditorKey[] = "Software\\Local AppWizard-Generated Applications\\Actsmith";
const char kRecentFileKey[] =
    "Software\\Local AppWizard-Generated Applications\\Actsmith\\Recent File List";

std::vector<std::string> MenuTitles(HMENU hMenu)
{
    std::vector<std::string> titles;
    for (int n = 0; n < GetMenuItemCount(hMenu); ++n) {
        char szText[64] = "";
        GetMenuStringA(hMenu, n, szText, sizeof(szText), MF_BYPOSITION);
        titles.push_back(szText);
    }
    return titles;
}

class EditorFrame : public ::testing::Test {
protected:
    // The editor's own key starts and ends missing.
    void SetUp() override
    {
        DeleteKeyTree(kEditorKey);
        ASSERT_TRUE(m_frame.Create(SW_SHOWNORMAL));
    }
    void TearDown() override
    {
        if (m_frame.IsWindow())
            m_frame.Destroy();
        DeleteKeyTree(kEditorKey);
    }

    // Lets the frame remove the windows that have closed.
    void Settle() { ServeMessages(50); }
    CViewKT& ActiveView() const { return *m_frame.GetActiveFrame()->GetView(); }
    std::string GroupCaption() const
    {
        return CWindow(ActiveView().GetItem(IDC_PAGE_FRAME)).GetText();
    }

    CMainFrame m_frame;
    CTempFolder m_folder;
};

}  // namespace

TEST_F(EditorFrame, NewPluginsAreNumberedAndBringTheirMenus)
{
    EXPECT_EQ(MenuTitles(GetMenu(m_frame)),
              (std::vector<std::string>{"&File", "&View", "&Help"}));
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin1");
    EXPECT_EQ(MenuTitles(GetMenu(m_frame)),
              (std::vector<std::string>{"&File", "&View", "&Tools", "&Window", "&Help"}));
    CDocKT* pSecond = m_frame.NewDocument();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin2");
    EXPECT_EQ(m_frame.GetActiveDocument(), pSecond);

    // A second window of one plugin; both are named after it.
    m_frame.SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin2:2");
    EXPECT_EQ(pSecond->GetViews().size(), 2u);

    // Closing asks nothing and the menus go back with the last window.
    CModalAnswers answers;
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    Settle();
    EXPECT_EQ(m_frame.GetDocuments().size(), 1u);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin1");
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    Settle();
    EXPECT_TRUE(m_frame.GetDocuments().empty());
    EXPECT_EQ(MenuTitles(GetMenu(m_frame)),
              (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_TRUE(answers.Seen().empty());
}

TEST_F(EditorFrame, TreeListsTheCategoriesAndAGroupShowsItsFirstCategory)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    CTreeView& tree = ActiveView().GetTree();
    std::vector<std::string> items;
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
        const bool bChild = TreeView_GetParent(tree.GetHwnd(), hItem) != nullptr;
        items.push_back((bChild ? "  " : "") + tree.GetItemText(hItem) + " " +
                        std::to_string(tree.GetItemImage(hItem)) + " " +
                        std::to_string(tree.GetItemData(hItem)));
    }
    EXPECT_EQ(items, (std::vector<std::string>{
                         "General 2 154", "File Actions 3 0", "  Eliminate Files 9 146",
                         "  Update Files 10 136", "Registry Actions 4 0",
                         "  Eliminate Keys 5 153", "  Update Keys 6 155",
                         "Executable Actions 7 156"}));

    HTREEITEM hFileActions = tree.GetNextSibling(tree.GetRoot());
    tree.SelectItem(hFileActions);
    EXPECT_EQ(tree.GetItemText(tree.GetSelection()), "Eliminate Files");
    EXPECT_EQ(GroupCaption(), "Eliminate Files");
    tree.SelectItem(tree.GetNextSibling(hFileActions));
    EXPECT_EQ(tree.GetItemText(tree.GetSelection()), "Eliminate Keys");
    EXPECT_EQ(GroupCaption(), "Eliminate Keys");

    // An ampersand in an item shows as itself, not as an underline.
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = tree.GetRoot();
    item.pszText = const_cast<char*>("Name & Trace");
    TreeView_SetItem(tree.GetHwnd(), &item);
    tree.SelectItem(tree.GetRoot());
    EXPECT_EQ(GroupCaption(), "Name && Trace");
}

TEST_F(EditorFrame, PluginWindowKeepsItsHeightAndGrowsInWidth)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    CChildFrame& child = *m_frame.GetActiveFrame();
    MINMAXINFO limits = {};
    child.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 685);
    EXPECT_EQ(limits.ptMinTrackSize.y, 480);
    EXPECT_EQ(limits.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(limits.ptMaxTrackSize.y, 480);
    EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    const RECT window = child.GetWindowRect();
    EXPECT_GE(window.right - window.left, 685);
    EXPECT_EQ(window.bottom - window.top, 480);
}

TEST_F(EditorFrame, OpenedPluginsSaveUnderANewNameWithEveryFieldAndJoinTheRecentFiles)
{
    // Fields the editor shows, and fields it never touches.
    CAction plugin;
    plugin.strId = "Cookies";
    plugin.strTitle = "Clear the cookies";
    plugin.bEnabled = true;
    plugin.dwKind = AK_MRU;
    FileTarget target;
    target.strName = "[PATH_SYS_SHELL_COOKIES]";
    target.dwType = TT_CONTENT;
    target.lstExclude = {"keep.txt"};
    plugin.lstFiles = {target};
    plugin.lstCommands = {"\"b.exe\"", "\"a.exe\" /s"};
    plugin.lstRecycleBinDrives = {"C:\\", "D:\\"};
    plugin.lstFilePairs = {{"first", "second", 4}};
    plugin.dwWarningLevel = WL_WARNING;
    plugin.strDescription = "Two\r\nlines";
    const std::string strOld = m_folder / "old.pld";
    ASSERT_TRUE(WriteFileBytes(strOld, PluginBytes(plugin)));

    CDocKT* pDocument = m_frame.OpenDocumentFile(strOld);
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "old.pld");
    // Every page once, as a user looking through the plugin would.
    CTreeView& tree = ActiveView().GetTree();
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem))
        tree.SelectItem(hItem);
    const std::string strNew = m_folder / "cookies.pld";
    ASSERT_TRUE(m_frame.SaveDocument(*pDocument, strNew));
    EXPECT_EQ(ReadFileBytes(strNew), PluginBytes(plugin));
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "cookies.pld");
    m_frame.CloseDocument(*pDocument);

    CDocKT* pReopened = m_frame.OpenDocumentFile(strNew);
    ASSERT_NE(pReopened, nullptr);
    EXPECT_EQ(pReopened->m_plugin, plugin);
    // Opening it again shows the window it is in.
    EXPECT_EQ(m_frame.OpenDocumentFile(strNew), pReopened);
    EXPECT_EQ(m_frame.GetDocuments().size(), 1u);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), (std::vector<std::string>{strNew, strOld}));
    EXPECT_EQ(ReadTextValue(kRecentFileKey, "File1"), strNew);
}

TEST_F(EditorFrame, RecentFilesKeepTheLastFourAndForgetWhatCannotBeOpened)
{
    std::vector<std::string> paths;
    for (int n = 1; n <= 5; ++n) {
        paths.push_back(m_folder / ("p" + std::to_string(n) + ".pld"));
        ASSERT_TRUE(WriteFileBytes(paths.back(), ""));
        ASSERT_NE(m_frame.OpenDocumentFile(paths.back()), nullptr);
    }
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(),
              (std::vector<std::string>{paths[4], paths[3], paths[2], paths[1]}));
    char szText[MAX_PATH + 8] = "";
    GetMenuStringA(GetMenu(m_frame), ID_FILE_MRU_FILE1 + 1, szText, sizeof(szText),
                   MF_BYCOMMAND);
    EXPECT_EQ(std::string(szText), "&2 " + paths[3]);

    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    Settle();
    DeleteFileA(paths[4].c_str());
    CModalAnswers answers;
    answers.Press(IDOK);
    m_frame.SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].find("Actsmith\nCannot open the file " + paths[4]), 0u);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(),
              (std::vector<std::string>{paths[3], paths[2], paths[1]}));
}

TEST(EditorProgram, CommandLineNamesTheFileToOpen)
{
    EXPECT_EQ(FileOfCommandLine(""), "");
    EXPECT_EQ(FileOfCommandLine("  "), "");
    EXPECT_EQ(FileOfCommandLine("C:\\a.pld"), "C:\\a.pld");
    EXPECT_EQ(FileOfCommandLine("\"C:\\My Plugins\\a b.pld\""), "C:\\My Plugins\\a b.pld");
    EXPECT_EQ(FileOfCommandLine(" C:\\My Plugins\\a b.pld "), "C:\\My Plugins\\a b.pld");
}

TEST(EditorProgram, RegistersThePluginFileTypeForTheUser)
{
    CScratchKey extension(HKEY_CURRENT_USER, "Software\\Classes\\.pld");
    CScratchKey type(HKEY_CURRENT_USER, "Software\\Classes\\Actsmith.Document");
    CDocTemplateStrings strings;
    ASSERT_TRUE(strings.Load(IDR_PLUGIN_TYPE));
    EXPECT_EQ(strings.strFilterName, "Plugin Files (*.pld)");
    ASSERT_TRUE(RegisterShellFileType(strings, "C:\\Tools\\Actsmith.exe", 1));
    EXPECT_EQ(ReadTextValue("Software\\Classes\\.pld", ""), "Actsmith.Document");
    EXPECT_EQ(ReadTextValue("Software\\Classes\\Actsmith.Document", ""), "Plugin Document");
    EXPECT_EQ(ReadTextValue("Software\\Classes\\Actsmith.Document\\shell\\open\\command", ""),
              "\"C:\\Tools\\Actsmith.exe\" \"%1\"");
    EXPECT_EQ(ReadTextValue("Software\\Classes\\Actsmith.Document\\DefaultIcon", ""),
              "C:\\Tools\\Actsmith.exe,1");
}

namespace {

// The frame at a normal size, so that pictures show what a user sees.
class EditorWindow : public EditorFrame {
protected:
    void SetUp() override
    {
        EditorFrame::SetUp();
        m_frame.Show(SW_SHOWNORMAL);
        m_frame.Move(0, 0, 900, 700);
    }
    HTREEITEM Category(const std::string& strText)
    {
        CTreeView& tree = ActiveView().GetTree();
        for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
            if (tree.GetItemText(hItem) == strText)
                return hItem;
        }
        ADD_FAILURE() << strText;
        return nullptr;
    }
    CPluginPage& Choose(const std::string& strCategory)
    {
        ActiveView().GetTree().SelectItem(Category(strCategory));
        return *ActiveView().GetPage();
    }
    int Rows(CPluginPage& page) const
    {
        return ListView_GetItemCount(page.GetItem(IDC_ITEM_LIST));
    }
};

}  // namespace

TEST_F(EditorWindow, EntriesAndTheEnableFlagGoIntoTheFileThroughEveryPageSwitch)
{
    CDocKT* pDocument = m_frame.NewDocument();
    ASSERT_NE(pDocument, nullptr);
    // Nothing entered: the empty plugin.
    const std::string strEmpty = m_folder / "empty.pld";
    ASSERT_TRUE(m_frame.SaveDocument(*pDocument, strEmpty));
    EXPECT_EQ(ReadFileBytes(strEmpty).size(), 77u);

    CPluginPage& general = Choose("General");
    CheckDlgButton(general, IDC_PLUGIN_ENABLED, BST_CHECKED);
    SetDlgItemTextA(general, IDC_PLUGIN_NAME, "Junk");
    CPluginPage& files = Choose("Eliminate Files");
    SetDlgItemTextA(files, IDC_FILE_PATH, "C:\\Temp");
    ClickButton(files, IDC_FILE_ADD);
    EXPECT_EQ(Rows(files), 1);
    Choose("Executable Actions");
    EXPECT_EQ(Rows(*ActiveView().GetPage()), 0);
    EXPECT_EQ(Rows(Choose("Eliminate Files")), 1);

    const std::string strPath = m_folder / "junk.pld";
    ASSERT_TRUE(m_frame.SaveDocument(*pDocument, strPath));
    CDocKT reread;
    ASSERT_TRUE(reread.OnOpenDocument(strPath));
    EXPECT_TRUE(reread.m_plugin.bEnabled);
    EXPECT_EQ(reread.m_plugin.strId, "Junk");
    ASSERT_EQ(reread.m_plugin.lstFiles.size(), 1u);
    EXPECT_EQ(reread.m_plugin.lstFiles.front().strName, "C:\\Temp");
}

TEST_F(EditorWindow, AWiderWindowWidensTheTreeAndMovesThePage)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    CChildFrame& child = *m_frame.GetActiveFrame();
    CPluginPage& page = Choose("Update Keys");
    const RECT treeBefore = ActiveView().GetTree().GetRectInParent();
    const RECT pageBefore = page.GetRectInParent();
    const RECT window = child.GetRectInParent();
    child.Move(window.left, window.top, window.right - window.left + 100,
               window.bottom - window.top);
    const RECT treeAfter = ActiveView().GetTree().GetRectInParent();
    const RECT pageAfter = page.GetRectInParent();
    EXPECT_EQ(treeAfter.right - treeAfter.left, treeBefore.right - treeBefore.left + 100);
    EXPECT_EQ(treeAfter.bottom - treeAfter.top, treeBefore.bottom - treeBefore.top);
    EXPECT_EQ(pageAfter.left, pageBefore.left + 100);
    EXPECT_EQ(pageAfter.right - pageAfter.left, pageBefore.right - pageBefore.left);
    EXPECT_TRUE(page.IsVisible());
}

TEST_F(EditorWindow, PicturesOfAPluginOnEveryPage)
{
    CAction plugin;
    plugin.strId = "Junk";
    plugin.strTitle = "Clear the junk & more";
    plugin.dwWarningLevel = WL_WARNING;
    plugin.strDescription = "Removes the junk.";
    FileTarget folder;
    folder.strName = "[PATH_SYS_TEMP]";
    folder.dwType = TT_CONTENT;
    plugin.lstFiles = {folder};
    const std::string strPath = m_folder / "junk.pld";
    ASSERT_TRUE(WriteFileBytes(strPath, PluginBytes(plugin)));
    ASSERT_NE(m_frame.OpenDocumentFile(strPath), nullptr);
    CChildFrame& child = *m_frame.GetActiveFrame();
    for (const char* pszCategory : {"General", "Eliminate Files", "Update Files",
                                    "Eliminate Keys", "Update Keys", "Executable Actions"}) {
        Choose(pszCategory);
        ServeMessages(100);
        std::string strName = std::string("editor-") + pszCategory + ".png";
        std::replace(strName.begin(), strName.end(), ' ', '-');
        EXPECT_TRUE(SaveWindowPicture(child, ArtifactPath(strName))) << strName;
    }
}

TEST_F(EditorFrame, StatusBarPromptsTipsAboutBoxAndHelpFile)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    CStatusBar& status = m_frame.GetStatusBar();
    EXPECT_EQ(status.GetPaneText(0), "Ready");
    m_frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TOOLS_INSTALL, MF_STRING),
                        reinterpret_cast<LPARAM>(GetMenu(m_frame)));
    EXPECT_EQ(status.GetPaneText(0), "Install the active Plugin");
    m_frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(status.GetPaneText(0), "Ready");

    NMTTDISPINFOA tip = {};
    tip.hdr.hwndFrom = m_frame.GetToolBar();
    tip.hdr.idFrom = ID_TOOLS_REGEDIT;
    tip.hdr.code = TTN_GETDISPINFOA;
    m_frame.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_STREQ(tip.lpszText, "Regedit");

    CModalAnswers answers;
    answers.Press(IDOK);
    m_frame.SendMessage(WM_COMMAND, ID_APP_ABOUT);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].find("About Actsmith\n"), 0u);
    EXPECT_NE(answers.Seen()[0].find("\nActsmith Version 1.0"), std::string::npos);

    const std::string strPrefix = CMainFrame::HelpPrefix();
    EXPECT_EQ(strPrefix, ProgramFolder() + "Veltrin.chm::/htm/");
}
