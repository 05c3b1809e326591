// The editor's frame, its plugin windows, trees, pages and documents, its resources, and
// the installation of a saved plugin into the cleaner's plugin folder (a setting it only reads).
#include "common/RegistryKeys.h"
#include "editor/ChildFrame.h"
#include "editor/MainFrame.h"
#include "editor/PluginInstall.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
#include "framework/ListView.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/ProgramResources.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Texts;
typedef std::vector<std::pair<int, const char*>> Fields;
const std::string kEditorKey = "Software\\Local AppWizard-Generated Applications\\Actsmith";
const char kFolderValue[] = "strPluginFolder";
const std::string kCannot = "Actsmith\nCannot to install Plugin";
const std::string kInstalled = "Actsmith\nPlugin was installed";

// The frame, counting the commands that neither the active plugin window nor it handled.
struct CCommandNotingFrame : public CMainFrame {
    bool OnCommand(WORD wId) override
    {
        const bool bHandled = CMainFrame::OnCommand(wId);
        m_nUnhandled += bHandled ? 0 : 1;
        return bHandled;
    }
    size_t m_nUnhandled = 0;
};

// One frame for all tests, at a user's size; each leaves no plugin, recent file or key behind.
class EditorFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pFrame = new CCommandNotingFrame;
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

    CViewKT& View() const { return *m_frame.GetActiveFrame()->GetView(); }
    CTreeView& Tree() const { return View().GetTree(); }
    std::string Title() const { return m_frame.GetActiveFrame()->GetText(); }
    static inline CCommandNotingFrame* s_pFrame = nullptr;
    CCommandNotingFrame& m_frame = *s_pFrame;
    CTempFolder m_folder;
};

// A page over m_plugin, driven by the messages a user's typing and clicks send.
class PluginPages : public EditorFrame {
protected:
    void Open(UINT nPageId)
    {
        m_page = CreatePluginPage(nPageId, &m_plugin);
        ASSERT_TRUE(m_page && m_page->Create(m_frame)) << nPageId;
    }
    HWND Item(int nId) const { return GetDlgItem(*m_page, nId); }
    void Click(int nId) const { ClickButton(*m_page, nId); }
    // Types into the fields and picks the entries of drop-down lists by their texts.
    void Enter(const Fields& fields) const
    {
        for (const auto& field : fields) {
            SetWindowTextA(Item(field.first), field.second);
            SendMessageA(Item(field.first), CB_SELECTSTRING, WPARAM(-1), LPARAM(field.second));
        }
    }
    CListView List() const { return CListView(Item(IDC_ITEM_LIST)); }
    // Every row as the list shows it: its columns' texts, then its picture.
    Texts Rows() const
    {
        const int nColumns = Header_GetItemCount(ListView_GetHeader(List()));
        Texts rows(List().GetItemCount());
        for (int nRow = 0; nRow < int(rows.size()); ++nRow) {
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                rows[nRow] += List().GetItemText(nRow, nColumn) + "|";
            rows[nRow] += std::to_string(List().GetItemImage(nRow));
        }
        return rows;
    }
    CAction m_plugin;
    std::unique_ptr<CPluginPage> m_page;
};

}  // namespace

TEST_F(EditorFrame, NewPluginsAreNumberedAndBringTheToolsAndWindowMenus)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetMenu(m_frame)), 5);
    // A second window of one plugin; both are named after it.
    EXPECT_EQ(m_frame.NewDocument()->GetTitle(), "Plugin2");
    m_frame.SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    EXPECT_EQ(Title(), "Plugin2:2");
    CModalAnswers answers;  // closing asks nothing; the menus go back with the last window
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_EQ(Title(), "Plugin1");
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_TRUE(m_frame.GetDocuments().empty());
    EXPECT_EQ(GetMenuItemCount(GetMenu(m_frame)), 3);
    EXPECT_TRUE(answers.Seen().empty());
}

// Each category shows its page, of which a picture is taken.
TEST_F(EditorFrame, WhatIsEnteredOnEachPageIsSavedWithEveryOtherFieldAndReopens)
{
    // Something on every page, fields that no page shows, and values no page offers.
    CAction plugin;
    plugin.strId = "TempCleaner";
    plugin.strTitle = "Clearing the temporary files & more";
    plugin.dwWarningLevel = WL_WARNING;
    plugin.strDescription = "Removes the temporary files.\r\nSome programs may miss them.";
    plugin.lstFiles = {{"[PATH_SYS_TEMP]", TT_RECURSIVE, {"keep.txt"}},
                       {"C:\\Windows\\Temp", TT_CONTENT, {}, {}, "*.tmp|*.bak"},
                       {"C:\\boot.log", TT_SINGLE, {}, {}, ""}, {"C:\\X", 7, {}, {}, "", 0, 0, 1},
                       {"%LocalAppData%\\Veltrin*\\User Data\\?\\Cache", TT_TREE_AND_SELF}};
    plugin.strCategory = "Applications";
    plugin.lstFileUpdates = {{"%AppData%\\prog.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"A*", ""}}};
    plugin.lstKeys = {{"Software\\Example\\Recent", "Last"}, {"Software\\A", "", "", 0x80000004}};
    plugin.lstKeyUpdates = {{{"Software\\Example", "Count"}, "kept", 12, RegUpdate::DT_NUMBER}};
    plugin.lstCommands = {"\"C:\\Tools\\clean.exe\" /s", "\"C:\\Tools\\report.exe\""};
    plugin.lstRecycleBinDrives = {"C:\\", "D:\\"};
    plugin.lstFilePairs = {{"first", "second", 4}};
    const std::string strOld = m_folder / "old.pld", strNew = m_folder / "junk.pld";
    ASSERT_TRUE(WriteFileBytes(strOld, PluginBytes(plugin)));
    CDocKT* pDocument = m_frame.OpenDocumentFile(strOld);
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(ReadTextValue(kEditorKey + "\\Recent File List", "File1"), strOld);
    SetWindowPos(*m_frame.GetActiveFrame(), 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // in view
    Texts shown;
    for (HTREEITEM hItem = Tree().GetRoot(); hItem; hItem = Tree().GetNextInTree(hItem)) {
        Tree().SelectItem(hItem);
        CPluginPage& page = *View().GetPage();
        std::string strItem = Tree().GetItemText(hItem);
        const std::string strCaption = CWindow(View().GetItem(IDC_PAGE_FRAME)).GetText();
        shown.push_back(strCaption + " " + std::to_string(page.GetTemplateId()));
        CheckDlgButton(page, IDC_PLUGIN_ENABLED, BST_CHECKED);
        SetDlgItemTextA(page, IDC_PLUGIN_NAME, "Junk");
        if (page.GetTemplateId() == IDD_PAGE_GENERAL) {
            EXPECT_EQ(CWindow(page.GetItem(IDC_PLUGIN_CATEGORY)).GetText(), "Applications");
            SetDlgItemTextA(page, IDC_PLUGIN_CATEGORY, "Browsers");
        }
        if (strItem != strCaption)
            continue;  // a group, whose page is its first category's
        std::replace(strItem.begin(), strItem.end(), ' ', '-');
        const HWND hChild = *m_frame.GetActiveFrame();
        EXPECT_TRUE(SaveWindowPicture(hChild, ArtifactPath("editor-" + strItem + ".png")));
    }
    EXPECT_EQ(shown, Texts({"General 154", "Eliminate Files 146", "Eliminate Files 146",
                            "Update Files 136", "Eliminate Keys 153", "Eliminate Keys 153",
                            "Update Keys 155", "Executable Actions 156"}));
    plugin.strId = "Junk";
    plugin.strCategory = "Browsers";
    plugin.bEnabled = true;
    // What an interrupted save left behind is written over, not into.
    ASSERT_TRUE(WriteFileBytes(strNew + ".saving", std::string(100000, 'x')));
    ASSERT_TRUE(m_frame.SaveDocument(*pDocument, strNew));
    EXPECT_EQ(ReadFileBytes(strNew), PluginBytes(plugin));
    EXPECT_EQ(Title(), "junk.pld");
    EXPECT_EQ(ReadTextValue(kEditorKey + "\\Recent File List", "File1"), strNew);
    m_frame.CloseDocument(*pDocument);
    CDocKT* pReopened = m_frame.OpenDocumentFile(strNew);
    ASSERT_NE(pReopened, nullptr);
    EXPECT_EQ(pReopened->m_plugin, plugin);
    // Opening it again shows the window it is in.
    EXPECT_EQ(m_frame.OpenDocumentFile(strNew), pReopened);
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), Texts({strNew, strOld}));
}

TEST_F(EditorFrame, ACorruptPluginFileSaysSoAndASaveThatCannotFinishLeavesTheOldFile)
{
    const std::string strPath = m_folder / "bad.pld";
    CModalAnswers answers;
    answers.Press(IDOK);
    // Only the corrupt one says so: an empty file is an empty plugin.
    for (const char* pszBytes : {"not a plugin at all", ""}) {
        CDocKT document;
        ASSERT_TRUE(WriteFileBytes(strPath, pszBytes) && document.OnOpenDocument(strPath));
        EXPECT_EQ(document.m_plugin, CAction());
    }
    EXPECT_EQ(answers.Seen(), Texts({"\nDocument file is corrupt"}));
    // A folder where the file's temporary twin would go.
    ASSERT_TRUE(CreateDirectoryA((strPath + ".saving").c_str(), nullptr));
    EXPECT_FALSE(CDocKT().OnSaveDocument(strPath));
    EXPECT_EQ(ReadFileBytes(strPath), "");
}

// Every dialog makes a readable window, and every command of the menus,
// accelerators and toolbar is one that the frame or the active plugin window
// handles and prompts for in the status bar. Last, as it hides the bars.
TEST_F(EditorFrame, EveryDialogCreatesAndEveryCommandIsHandledAndHasAPrompt)
{
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDCANCEL); });
    ProgramResourceUse use;
    use.isHandled = [&](WORD wId) {
        m_frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(wId, MF_STRING), LPARAM(GetMenu(m_frame)));
        EXPECT_NE(m_frame.GetStatusBar().GetPaneText(0), "") << wId;
        const size_t nUnhandled = m_frame.m_nUnhandled;
        m_frame.SendMessage(WM_COMMAND, wId);
        MSG msg;  // Exit closes the frame once the tests are done with it
        EXPECT_EQ(PeekMessageA(&msg, m_frame, WM_CLOSE, WM_CLOSE, PM_REMOVE), wId == ID_APP_EXIT);
        return m_frame.m_nUnhandled == nUnhandled;
    };
    ExpectUsableResources(GetModuleHandleA(nullptr), use);
    // Regedit runs beside the editor.
    HWND hRegedit = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hRegedit = FindWindowA("RegEdit_RegEdit", nullptr)); }));
    PostMessageA(hRegedit, WM_CLOSE, 0, 0);
}

// The plugin folder is the cleaner's setting: reading it creates nothing. No
// scratch file of the copy's is left beside the plugins.
TEST_F(EditorFrame, InstallCopiesTheSavedPluginOverTheInstalledOneOrSaysWhyNot)
{
    const std::string strNotSaved = "Actsmith\nPlugin isn't saved. Please save it first";
    const std::string strPlugins = m_folder / "Plugins", strSaved = m_folder / "cookies.pld";
    const std::string strCopy = strPlugins + "\\cookies.pld";
    CreateDirectoryA(strPlugins.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(strSaved, "new plugin"));
    ASSERT_TRUE(WriteFileBytes(strPlugins + "\\other.pld", "other"));
    CScratchRegistry registry;
    const struct {
        const char* pszCase;
        std::string strDocument, strFolder;  // "<missing>": the cleaner's settings name none
        bool bReadOnly, bHeld;  // the installed plugin, held by the cleaner reading it
        std::string strMessage;
    } cases[] = {
        {"never saved", "", strPlugins + "\\", false, false, strNotSaved},
        {"never saved, no folder", "", "<missing>", false, false, strNotSaved},
        {"no folder", strSaved, "<missing>", false, false, kCannot},
        {"folder that is not there", strSaved, m_folder / "Gone", false, false, kCannot},
        {"saved file deleted since", m_folder / "deleted.pld", strPlugins, false, false, kCannot},
        {"installed one read-only", strSaved, strPlugins, true, false, kCannot},
        {"installed one held open", strSaved, strPlugins, false, true, kCannot},
        {"installed one older", strSaved, strPlugins + "\\", false, false, kInstalled},
        {"the installed one itself", strCopy, strPlugins, false, false, kInstalled},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszCase);
        if (test.strDocument != strCopy)
            WriteFileBytes(strCopy, "older plugin, longer");
        if (test.bReadOnly)
            SetFileAttributesA(strCopy.c_str(), FILE_ATTRIBUTE_READONLY);
        const HANDLE hHeld = test.bHeld ? CreateFileA(strCopy.c_str(), GENERIC_READ, 0, nullptr,
                                                      OPEN_EXISTING, 0, nullptr)
                                        : INVALID_HANDLE_VALUE;
        if (test.strFolder == "<missing>")
            registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kFolderValue);
        else
            registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, test.strFolder);
        const bool bInstalls = test.strMessage == kInstalled;
        CModalAnswers answers;  // one message, with the icon that goes with it
        const HICON hIcon = LoadIconA(nullptr, bInstalls ? IDI_INFORMATION : IDI_EXCLAMATION);
        answers.Add([&](HWND hBox) {
            EXPECT_EQ(MessageBoxIcon(hBox), hIcon);
            ClickButton(hBox, IDOK);
        });
        EXPECT_EQ(InstallPlugin(m_frame, test.strDocument), bInstalls);
        EXPECT_EQ(answers.Seen(), Texts{test.strMessage});
        CloseHandle(hHeld);
        SetFileAttributesA(strCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), test.strFolder);
        EXPECT_EQ(ReadFileBytes(strCopy), bInstalls ? "new plugin" : "older plugin, longer");
        EXPECT_EQ(FilesInListedOrder(strPlugins), Texts({"cookies.pld", "other.pld"}));
    }
}

TEST_F(PluginPages, GeneralPageWarnsAtAnyLevelButZeroAndAClosedPageStoresNothing)
{
    m_plugin.dwWarningLevel = 5;
    Open(IDD_PAGE_GENERAL);
    EXPECT_TRUE(m_page->StoreToPlugin());
    EXPECT_EQ(m_plugin.dwWarningLevel, 1u);
    // A page whose window is gone keeps its empty fields from wiping the plugin.
    m_plugin.strId = "History";
    m_plugin.bEnabled = true;
    m_plugin.lstCommands = {"a"};
    const CAction before = m_plugin;
    for (UINT nPageId : {IDD_PAGE_GENERAL, IDD_PAGE_EXECUTABLE}) {
        Open(nPageId);
        m_page->Destroy();
        EXPECT_FALSE(m_page->StoreToPlugin());
        EXPECT_EQ(m_plugin, before);
    }
}

// The last field of each case is one without which Add adds nothing.
TEST_F(PluginPages, AddMakesOneElementOfTheFieldsAndStoresItOrWithoutThemNone)
{
    const struct {
        UINT nPageId;
        int nAddId;
        Fields fields;
        const char* pszRow;
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_ADD,
         {{IDC_FILE_FLAG, "Dir content"}, {IDC_FILE_PATH, "C:\\Temp"}}, "C:\\Temp|*.*|1"},
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_ADD,
         {{IDC_FILE_FLAG, "Dir recursion + self"}, {IDC_FILE_PATH, "%AppData%\\Veltrin*\\?"}},
         "%AppData%\\Veltrin*\\?|*.*|10"},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_ADD,
         {{IDC_FILE_PATH, "a"}, {IDC_FILE_METHOD, "Clear whole file"}, {IDC_FILE_KEYWORDS, "k;l"}},
         "a|k;l;|9"},
        {IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_VALUE, "Last"}, {IDC_KEY_MASK, "url*"}, {IDC_KEY_ROOT, "HKEY_USERS"},
          {IDC_KEY_FLAG, "Key content"}, {IDC_KEY_PATH, "Soft"}}, "HKEY_USERS\\Soft||url*|1"},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_PATH, "Soft"}, {IDC_KEY_DATA, "12abc"}, {IDC_KEY_ROOT, "HKEY_LOCAL_MACHINE"},
          {IDC_KEY_DATA_TYPE, "DWORD value"}, {IDC_KEY_VALUE, "Count"}},
         "HKEY_LOCAL_MACHINE\\Soft|Count|12|4"},
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_ADD,
         {{IDC_EXEC_PARAMETERS, "/s"}, {IDC_EXEC_PATH, "C:\\x.exe"}}, "\"C:\\x.exe\" /s|5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        m_plugin = {};
        Open(c.nPageId);
        EXPECT_EQ(ImageList_GetImageCount(List().GetImageList(LVSIL_SMALL)), 11);
        Enter(Fields(c.fields.begin(), c.fields.end() - 1));
        Click(c.nAddId);
        Enter({c.fields.back()});
        Click(c.nAddId);
        Click(c.nAddId);  // the same element again, listed already
        EXPECT_EQ(Rows(), Texts{c.pszRow});
        Open(c.nPageId);  // closed without storing: the plugin has what Add stored
        EXPECT_EQ(Rows(), Texts{c.pszRow});
    }
}

TEST_F(PluginPages, RemoveTakesTheSelectedRowAndSelectsTheNext)
{
    m_plugin.lstCommands = {"a", "b", "c"};
    Open(IDD_PAGE_EXECUTABLE);
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(Rows(), Texts({"a|5", "c|5"}));
    EXPECT_EQ(List().GetSelectedItem(), 1);
    EXPECT_EQ(m_plugin.lstCommands, StringList({"a", "c"}));
    Click(IDC_EXEC_REMOVE);  // the last row: the new last one is selected
    EXPECT_EQ(List().GetSelectedItem(), 0);
}
