// The editor's main frame, its plugin windows and their category trees, and
// the plugin document under them, in the test's own process.
#include "editor/MainFrame.h"

#include "editor/ActsmithApp.h"
#include "editor/ChildFrame.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

const char kEditorKey[] = "Software\\Local AppWizard-Generated Applications\\Actsmith";
typedef std::vector<std::string> Texts;

// Something on every page, fields that no page shows, and values no page offers.
CAction FullPlugin()
{
    CAction plugin;
    plugin.strId = "TempCleaner";
    plugin.strTitle = "Clearing the temporary files & more";
    plugin.dwWarningLevel = WL_WARNING;
    plugin.strDescription = "Removes the temporary files.\r\nSome programs may miss them.";
    plugin.dwKind = AK_MRU;
    plugin.lstFiles = {{"[PATH_SYS_TEMP]", TT_RECURSIVE, {"keep.txt"}},
                       {"C:\\Windows\\Temp", TT_CONTENT, {}, {}, "*.tmp|*.bak"},
                       {"C:\\boot.log", TT_SINGLE, {}, {}, ""}, {"C:\\Odd", 7}};
    plugin.lstFiles.back().bUseDate = true;
    plugin.lstFileUpdates = {{"%AppData%\\prog.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"A*", ""}}};
    plugin.lstKeys = {{"Software\\Example\\Recent", "Last"}, {"Software\\A", "", "", 0x80000004}};
    plugin.lstKeyUpdates = {{{"Software\\Example", "Count"}, "kept", 12, RegUpdate::DT_NUMBER}};
    plugin.lstCommands = {"\"C:\\Tools\\clean.exe\" /s", "\"C:\\Tools\\report.exe\""};
    plugin.lstRecycleBinDrives = {"C:\\", "D:\\"};
    plugin.lstFilePairs = {{"first", "second", 4}};
    return plugin;
}

// One frame for every test, at a normal size so that pictures show what a
// user sees; each test starts without plugins, recent files or the
// editor's registry key.
class EditorFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DeleteKeyTree(kEditorKey);
        s_pFrame = new CMainFrame;
        s_pFrame->Create(SW_SHOWNORMAL);
        s_pFrame->Show(SW_SHOWNORMAL);
        s_pFrame->Move(0, 0, 900, 700);
    }
    static void TearDownTestSuite() { delete s_pFrame; }
    void TearDown() override
    {
        while (!m_frame.GetDocuments().empty())
            m_frame.CloseDocument(*m_frame.GetDocuments().front());
        while (!m_frame.GetRecentFiles().GetEntries().empty())
            m_frame.GetRecentFiles().Remove(0);
        DeleteKeyTree(kEditorKey);
    }

    Texts MenuTitles() const
    {
        Texts titles;
        char szText[64];
        for (int n = 0; GetMenuStringA(GetMenu(m_frame), n, szText, 64, MF_BYPOSITION); ++n)
            titles.push_back(szText);
        return titles;
    }
    CViewKT& View() const { return *m_frame.GetActiveFrame()->GetView(); }
    CTreeView& Tree() const { return View().GetTree(); }
    std::string Caption() const { return CWindow(View().GetItem(IDC_PAGE_FRAME)).GetText(); }
    // Chooses every category in turn, as a user looking through the plugin.
    template <typename Visit>
    void ForEachCategory(Visit visit)
    {
        for (HTREEITEM hItem = Tree().GetRoot(); hItem; hItem = Tree().GetNextInTree(hItem)) {
            Tree().SelectItem(hItem);
            visit(Tree().GetItemText(hItem), *View().GetPage());
        }
    }
    std::string Write(const std::string& strName, const CAction& plugin)
    {
        EXPECT_TRUE(WriteFileBytes(m_folder / strName, PluginBytes(plugin)));
        return m_folder / strName;
    }

    static CMainFrame* s_pFrame;
    CMainFrame& m_frame = *s_pFrame;
    CTempFolder m_folder;
};

CMainFrame* EditorFrame::s_pFrame = nullptr;

}  // namespace

TEST_F(EditorFrame, NewPluginsAreNumberedAndBringTheirMenus)
{
    EXPECT_EQ(MenuTitles(), Texts({"&File", "&View", "&Help"}));
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin1");
    EXPECT_EQ(MenuTitles(), Texts({"&File", "&View", "&Tools", "&Window", "&Help"}));
    CDocKT* pSecond = m_frame.NewDocument();
    // A second window of one plugin; both are named after it.
    m_frame.SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin2:2");
    EXPECT_EQ(pSecond->GetViews().size(), 2u);
    // Closing asks nothing and the menus go back with the last window.
    CModalAnswers answers;
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "Plugin1");
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_TRUE(m_frame.GetDocuments().empty());
    EXPECT_EQ(MenuTitles(), Texts({"&File", "&View", "&Help"}));
    EXPECT_TRUE(answers.Seen().empty());
}

TEST_F(EditorFrame, WhatIsEnteredOnThePagesIsSavedWithEveryOtherFieldAndReopens)
{
    // A new plugin saves as the empty one.
    ASSERT_TRUE(m_frame.SaveDocument(*m_frame.NewDocument(), m_folder / "empty.pld"));
    EXPECT_EQ(ReadFileBytes(m_folder / "empty.pld"), PluginBytes(CAction()));
    CAction plugin = FullPlugin();
    const std::string strOld = Write("old.pld", plugin);
    CDocKT* pDocument = m_frame.OpenDocumentFile(strOld);
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "old.pld");
    ForEachCategory([](const std::string& strItem, CPluginPage& page) {
        if (strItem == "General") {
            SetDlgItemTextA(page, IDC_PLUGIN_NAME, "Junk");
            CheckDlgButton(page, IDC_PLUGIN_ENABLED, BST_CHECKED);
        }
        SetDlgItemTextA(page, IDC_FILE_PATH, "C:\\Temp");
        ClickButton(page, IDC_FILE_ADD);
    });
    plugin.strId = "Junk";
    plugin.bEnabled = true;
    plugin.lstFiles.push_back({"C:\\Temp", TT_SINGLE, {}, {}, ""});
    const std::string strNew = m_folder / "junk.pld";
    ASSERT_TRUE(m_frame.SaveDocument(*pDocument, strNew));
    EXPECT_EQ(ReadFileBytes(strNew), PluginBytes(plugin));
    EXPECT_EQ(m_frame.GetActiveFrame()->GetText(), "junk.pld");
    m_frame.CloseDocument(*pDocument);
    CDocKT* pReopened = m_frame.OpenDocumentFile(strNew);
    ASSERT_NE(pReopened, nullptr);
    EXPECT_EQ(pReopened->m_plugin, plugin);
    // Opening it again shows the window it is in.
    EXPECT_EQ(m_frame.OpenDocumentFile(strNew), pReopened);
    EXPECT_EQ(m_frame.GetDocuments().size(), 2u);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), Texts({strNew, strOld, m_folder / "empty.pld"}));
    EXPECT_EQ(ReadTextValue(std::string(kEditorKey) + "\\Recent File List", "File1"), strNew);
}

TEST_F(EditorFrame, RecentFilesKeepTheLastFourAndForgetWhatCannotBeOpened)
{
    Texts paths;
    for (const char* pszName : {"p1.pld", "p2.pld", "p3.pld", "p4.pld", "p5.pld"})
        ASSERT_NE(m_frame.OpenDocumentFile(paths.emplace_back(Write(pszName, CAction()))), nullptr);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), Texts({paths[4], paths[3], paths[2], paths[1]}));
    char szText[MAX_PATH + 8] = "";
    GetMenuStringA(GetMenu(m_frame), ID_FILE_MRU_FILE1 + 1, szText, sizeof(szText), MF_BYCOMMAND);
    EXPECT_EQ(szText, "&2 " + paths[3]);
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    DeleteFileA(paths[4].c_str());
    CModalAnswers answers;
    answers.Press(IDOK);
    m_frame.SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].find("Actsmith\nCannot open the file " + paths[4]), 0u);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), Texts({paths[3], paths[2], paths[1]}));
}

TEST_F(EditorFrame, EachCategoryShowsItsPageAGroupItsFirstAndAPictureIsTakenOfEach)
{
    ASSERT_NE(m_frame.OpenDocumentFile(Write("junk.pld", FullPlugin())), nullptr);
    Texts shown;
    ForEachCategory([&](std::string strItem, CPluginPage& page) {
        shown.push_back(strItem + ": " + Caption() + " " + std::to_string(page.GetTemplateId()));
        if (strItem != Caption())
            return;  // a group, whose page is its first category's
        ListView_SetItemState(page.GetItem(IDC_ITEM_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
        std::replace(strItem.begin(), strItem.end(), ' ', '-');
        const HWND hChild = *m_frame.GetActiveFrame();
        EXPECT_TRUE(SaveWindowPicture(hChild, ArtifactPath("editor-" + strItem + ".png")));
    });
    EXPECT_EQ(shown, Texts({"General: General 154", "File Actions: Eliminate Files 146",
                            "Eliminate Files: Eliminate Files 146", "Update Files: Update Files 136",
                            "Registry Actions: Eliminate Keys 153", "Eliminate Keys: Eliminate Keys 153",
                            "Update Keys: Update Keys 155", "Executable Actions: Executable Actions 156"}));
    // An ampersand in an item shows as itself, not as an underline.
    TVITEMA item = {TVIF_TEXT, Tree().GetRoot()};
    item.pszText = const_cast<char*>("Name & Trace");
    TreeView_SetItem(Tree().GetHwnd(), &item);
    Tree().SelectItem(Tree().GetRoot());
    EXPECT_EQ(Caption(), "Name && Trace");
}

TEST(PluginDocument, ACorruptFileSaysSoAndASaveThatCannotFinishLeavesTheOldFile)
{
    CTempFolder folder;
    const std::string strPath = folder / "bad.pld";
    CModalAnswers answers;
    answers.Press(IDOK);
    for (const char* pszBytes : {"not a plugin at all", ""}) {
        ASSERT_TRUE(WriteFileBytes(strPath, pszBytes));
        CDocKT document;
        EXPECT_TRUE(document.OnOpenDocument(strPath));
        EXPECT_EQ(document.m_plugin, CAction());
        EXPECT_EQ(document.GetTitle(), "bad.pld");
    }
    // Only the corrupt one: an empty file is an empty plugin.
    EXPECT_EQ(answers.Seen(), Texts({"\nDocument file is corrupt"}));
    const std::string old = PluginBytes(FullPlugin());
    ASSERT_TRUE(WriteFileBytes(strPath, old));
    // A folder where the file's temporary twin would go.
    ASSERT_TRUE(CreateDirectoryA((strPath + ".saving").c_str(), nullptr));
    EXPECT_FALSE(CDocKT().OnSaveDocument(strPath));
    EXPECT_EQ(ReadFileBytes(strPath), old);
    RemoveDirectoryA((strPath + ".saving").c_str());
}

TEST(EditorProgram, RegistersThePluginFileTypeForTheUserAndOpensTheFileItIsGiven)
{
    const std::string strType = "Software\\Classes\\Actsmith.Document";
    CScratchKey extension(HKEY_CURRENT_USER, "Software\\Classes\\.pld"), type(HKEY_CURRENT_USER, strType);
    CDocTemplateStrings strings;
    ASSERT_TRUE(strings.Load(IDR_PLUGIN_TYPE));
    ASSERT_TRUE(RegisterShellFileType(strings, "C:\\Tools\\Actsmith.exe", 1));
    EXPECT_EQ(ReadTextValue("Software\\Classes\\.pld", ""), "Actsmith.Document");
    EXPECT_EQ(ReadTextValue(strType, ""), "Plugin Document");
    EXPECT_EQ(ReadTextValue(strType + "\\shell\\open\\command", ""), "\"C:\\Tools\\Actsmith.exe\" \"%1\"");
    EXPECT_EQ(ReadTextValue(strType + "\\DefaultIcon", ""), "C:\\Tools\\Actsmith.exe,1");
    EXPECT_EQ(FileOfCommandLine("  "), "");
    EXPECT_EQ(FileOfCommandLine(" C:\\My Plugins\\a b.pld "), "C:\\My Plugins\\a b.pld");
    EXPECT_EQ(FileOfCommandLine("\"C:\\My Plugins\\a b.pld\" x"), "C:\\My Plugins\\a b.pld");
}
