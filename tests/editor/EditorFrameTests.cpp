// The editor's main frame, its plugin windows and category trees, the plugin
// document under them, its resources, and the installation of a saved plugin
// into the cleaner's plugin folder (whose setting the editor only reads).
#include "common/RegistryKeys.h"
#include "editor/ChildFrame.h"
#include "editor/MainFrame.h"
#include "editor/PluginInstall.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
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
const std::string kEditorKey = "Software\\Local AppWizard-Generated Applications\\Actsmith";
const char kFolderValue[] = "strPluginFolder";
const std::string kCannot = "Actsmith\nCannot to install Plugin";
const std::string kInstalled = "Actsmith\nPlugin was installed";

// Something on every page, fields that no page shows, and values no page offers.
CAction FullPlugin()
{
    CAction plugin;
    plugin.strId = "TempCleaner";
    plugin.strTitle = "Clearing the temporary files & more";
    plugin.dwWarningLevel = WL_WARNING;
    plugin.strDescription = "Removes the temporary files.\r\nSome programs may miss them.";
    plugin.lstFiles = {{"[PATH_SYS_TEMP]", TT_RECURSIVE, {"keep.txt"}},
                       {"C:\\Windows\\Temp", TT_CONTENT, {}, {}, "*.tmp|*.bak"},
                       {"C:\\boot.log", TT_SINGLE, {}, {}, ""}, {"C:\\X", 7, {}, {}, "", 0, 0, 1}};
    plugin.lstFileUpdates = {{"%AppData%\\prog.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"A*", ""}}};
    plugin.lstKeys = {{"Software\\Example\\Recent", "Last"}, {"Software\\A", "", "", 0x80000004}};
    plugin.lstKeyUpdates = {{{"Software\\Example", "Count"}, "kept", 12, RegUpdate::DT_NUMBER}};
    plugin.lstCommands = {"\"C:\\Tools\\clean.exe\" /s", "\"C:\\Tools\\report.exe\""};
    plugin.lstRecycleBinDrives = {"C:\\", "D:\\"};
    plugin.lstFilePairs = {{"first", "second", 4}};
    return plugin;
}

// The frame, noting the commands that neither the active plugin window nor
// the frame itself handled.
class CCommandNotingFrame : public CMainFrame {
public:
    std::vector<UINT> m_unhandled;

protected:
    bool OnCommand(WORD wId) override
    {
        if (CMainFrame::OnCommand(wId))
            return true;
        m_unhandled.push_back(wId);
        return false;
    }
};

// One frame for every test, at a normal size so that pictures show what a
// user sees; each test leaves no plugin, recent file or registry key behind.
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
    std::string Write(const std::string& strName, const CAction& plugin)
    {
        EXPECT_TRUE(WriteFileBytes(m_folder / strName, PluginBytes(plugin)));
        return m_folder / strName;
    }

    // Installs and answers the one message box, which the frame owns with the
    // icon expected; returns what it said.
    std::string Install(const std::string& strDocumentPath, LPCSTR pszIcon)
    {
        CModalAnswers answers;
        answers.Add([&](HWND hBox) {
            EXPECT_EQ(MessageBoxIcon(hBox), LoadIconA(nullptr, pszIcon));
            EXPECT_EQ(GetWindow(hBox, GW_OWNER), m_frame.GetHwnd());
            ClickButton(hBox, IDOK);
        });
        EXPECT_EQ(InstallPlugin(m_frame, strDocumentPath), pszIcon == IDI_INFORMATION);
        return answers.Seen().empty() ? "none" : answers.Seen()[0];
    }

    static CCommandNotingFrame* s_pFrame;
    CCommandNotingFrame& m_frame = *s_pFrame;
    CTempFolder m_folder;
};

CCommandNotingFrame* EditorFrame::s_pFrame = nullptr;

}  // namespace

TEST_F(EditorFrame, NewPluginsAreNumberedAndBringTheToolsAndWindowMenus)
{
    EXPECT_EQ(GetMenuItemCount(GetMenu(m_frame)), 3);
    ASSERT_NE(m_frame.NewDocument(), nullptr);
    EXPECT_EQ(Title(), "Plugin1");
    EXPECT_EQ(GetMenuItemCount(GetMenu(m_frame)), 5);
    // A second window of one plugin; both are named after it.
    EXPECT_EQ(m_frame.NewDocument()->GetTitle(), "Plugin2");
    m_frame.SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    EXPECT_EQ(Title(), "Plugin2:2");
    // Closing asks nothing and the menus go back with the last window.
    CModalAnswers answers;
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_EQ(Title(), "Plugin1");
    m_frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_TRUE(m_frame.GetDocuments().empty());
    EXPECT_EQ(GetMenuItemCount(GetMenu(m_frame)), 3);
    EXPECT_TRUE(answers.Seen().empty());
}

// Each category shows its page, a group its first category's; a picture is
// taken of each page.
TEST_F(EditorFrame, WhatIsEnteredOnEachPageIsSavedWithEveryOtherFieldAndReopens)
{
    CAction plugin = FullPlugin();
    CDocKT* pDocument = m_frame.OpenDocumentFile(Write("old.pld", plugin));
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(ReadTextValue(kEditorKey + "\\Recent File List", "File1"), m_folder / "old.pld");
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
        SetDlgItemTextA(page, IDC_FILE_PATH, "C:\\Temp");
        ClickButton(page, IDC_FILE_ADD);
        ListView_SetItemState(page.GetItem(IDC_ITEM_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
        std::replace(strItem.begin(), strItem.end(), ' ', '-');
        const std::string strPicture = ArtifactPath("editor-" + strItem + ".png");
        const HWND hChild = *m_frame.GetActiveFrame();
        EXPECT_TRUE(strItem != strCaption || SaveWindowPicture(hChild, strPicture));
    }
    EXPECT_EQ(shown, Texts({"General 154", "Eliminate Files 146", "Eliminate Files 146",
                            "Update Files 136", "Eliminate Keys 153", "Eliminate Keys 153",
                            "Update Keys 155", "Executable Actions 156"}));
    plugin.strId = "Junk";
    plugin.bEnabled = true;
    plugin.lstFiles.push_back({"C:\\Temp", TT_SINGLE, {}, {}, ""});
    const std::string strNew = m_folder / "junk.pld";
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
    EXPECT_EQ(m_frame.GetRecentFiles().GetEntries(), Texts({strNew, m_folder / "old.pld"}));
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
        EXPECT_EQ(document.GetTitle(), "bad.pld");
    }
    EXPECT_EQ(answers.Seen(), Texts({"\nDocument file is corrupt"}));
    // A folder where the file's temporary twin would go.
    ASSERT_TRUE(CreateDirectoryA((strPath + ".saving").c_str(), nullptr));
    EXPECT_FALSE(CDocKT().OnSaveDocument(strPath));
    EXPECT_EQ(ReadFileBytes(strPath), "");
    RemoveDirectoryA((strPath + ".saving").c_str());
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
        const size_t nUnhandled = m_frame.m_unhandled.size();
        m_frame.SendMessage(WM_COMMAND, wId);
        MSG msg;  // Exit closes the frame once the tests are done with it
        EXPECT_EQ(PeekMessageA(&msg, m_frame, WM_CLOSE, WM_CLOSE, PM_REMOVE), wId == ID_APP_EXIT);
        return m_frame.m_unhandled.size() == nUnhandled;
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
        EXPECT_EQ(Install(test.strDocument, bInstalls ? IDI_INFORMATION : IDI_EXCLAMATION),
                  test.strMessage);
        CloseHandle(hHeld);
        SetFileAttributesA(strCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), test.strFolder);
        EXPECT_EQ(ReadFileBytes(strCopy), bInstalls ? "new plugin" : "older plugin, longer");
        EXPECT_EQ(FilesInListedOrder(strPlugins), Texts({"cookies.pld", "other.pld"}));
    }
}
