// The editor's main frame, its plugin windows and category trees, the plugin
// document under them, and the installation of a saved plugin into the
// cleaner's plugin folder (whose setting the editor only reads).
#include "common/RegistryKeys.h"
#include "editor/ChildFrame.h"
#include "editor/MainFrame.h"
#include "editor/PluginInstall.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Texts;
const std::string kEditorKey = "Software\\Local AppWizard-Generated Applications\\Actsmith";

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

// One frame for every test, at a normal size so that pictures show what a
// user sees; each test leaves no plugin, recent file or registry key behind.
class EditorFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
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

    CViewKT& View() const { return *m_frame.GetActiveFrame()->GetView(); }
    CTreeView& Tree() const { return View().GetTree(); }
    std::string Caption() const { return CWindow(View().GetItem(IDC_PAGE_FRAME)).GetText(); }
    std::string Title() const { return m_frame.GetActiveFrame()->GetText(); }
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

const char kFolderValue[] = "strPluginFolder";
const char kCannot[] = "Actsmith\nCannot to install Plugin";

// The frame's window is the owner of the messages.
class PluginInstall : public EditorFrame {
protected:
    PluginInstall()
    {
        CreateDirectoryA(m_strPlugins.c_str(), nullptr);
        WriteFileBytes(m_strSaved, "new plugin");
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, m_strPlugins + "\\");
    }

    // Installs and answers the one message box, which the owner owns with
    // the icon expected; returns what it said.
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

    CScratchRegistry m_registry;
    const std::string m_strPlugins = m_folder / "Plugins", m_strSaved = m_folder / "cookies.pld";
    const std::string m_strCopy = m_strPlugins + "\\cookies.pld";
};

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

TEST_F(EditorFrame, WhatIsEnteredOnThePagesIsSavedWithEveryOtherFieldAndReopens)
{
    CAction plugin = FullPlugin();
    CDocKT* pDocument = m_frame.OpenDocumentFile(Write("old.pld", plugin));
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(ReadTextValue(kEditorKey + "\\Recent File List", "File1"), m_folder / "old.pld");
    ForEachCategory([](const std::string& strItem, CPluginPage& page) {
        if (strItem == "General")
            CheckDlgButton(page, IDC_PLUGIN_ENABLED, BST_CHECKED);
        SetDlgItemTextA(page, IDC_PLUGIN_NAME, "Junk");
        SetDlgItemTextA(page, IDC_FILE_PATH, "C:\\Temp");
        ClickButton(page, IDC_FILE_ADD);
    });
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

TEST_F(EditorFrame, EachCategoryShowsItsPageAGroupItsFirstAndAPictureIsTakenOfEach)
{
    ASSERT_NE(m_frame.OpenDocumentFile(Write("junk.pld", FullPlugin())), nullptr);
    SetWindowPos(*m_frame.GetActiveFrame(), 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // in view
    Texts shown;
    ForEachCategory([&](std::string strItem, CPluginPage& page) {
        shown.push_back(Caption() + " " + std::to_string(page.GetTemplateId()));
        if (strItem != Caption())
            return;  // a group, whose page is its first category's
        ListView_SetItemState(page.GetItem(IDC_ITEM_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
        std::replace(strItem.begin(), strItem.end(), ' ', '-');
        const HWND hChild = *m_frame.GetActiveFrame();
        EXPECT_TRUE(SaveWindowPicture(hChild, ArtifactPath("editor-" + strItem + ".png")));
    });
    EXPECT_EQ(shown, Texts({"General 154", "Eliminate Files 146", "Eliminate Files 146",
                            "Update Files 136", "Eliminate Keys 153", "Eliminate Keys 153",
                            "Update Keys 155", "Executable Actions 156"}));
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

TEST_F(PluginInstall, CopiesTheSavedFileOverAnOlderOneOfItsNameAndSaysSo)
{
    ASSERT_TRUE(WriteFileBytes(m_strCopy, "older plugin, longer"));
    ASSERT_TRUE(WriteFileBytes(m_strPlugins + "\\other.pld", "other"));
    // The second time it is the plugin saved in the plugin folder, installed already.
    for (const std::string& strSaved : {m_strSaved, m_strCopy}) {
        EXPECT_EQ(Install(strSaved, IDI_INFORMATION), "Actsmith\nPlugin was installed");
        EXPECT_EQ(ReadFileBytes(m_strCopy) + ReadFileBytes(m_strSaved), "new pluginnew plugin");
        // No scratch file of the copy's is left beside the plugins.
        EXPECT_EQ(FilesInListedOrder(m_strPlugins), Texts({"cookies.pld", "other.pld"}));
    }
    EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), m_strPlugins + "\\");
}

TEST_F(PluginInstall, RefusesWithAnExclamationWhenThereIsNoFileOrNoFolder)
{
    const std::string strNotSaved = "Actsmith\nPlugin isn't saved. Please save it first";
    const struct {
        const char* pszCase;
        std::string strDocument, strFolder;  // "<missing>": the cleaner's settings name none
        std::string strMessage;
    } cases[] = {
        {"never saved", "", m_strPlugins, strNotSaved},
        {"never saved, no folder", "", "<missing>", strNotSaved},
        {"no folder value", m_strSaved, "<missing>", kCannot},
        {"empty folder value", m_strSaved, "", kCannot},
        {"folder that is not there", m_strSaved, m_folder / "Gone", kCannot},
        {"saved file deleted since", m_folder / "deleted.pld", m_strPlugins, kCannot},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszCase);
        if (test.strFolder == "<missing>")
            m_registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kFolderValue);
        else
            m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, test.strFolder);
        EXPECT_EQ(Install(test.strDocument, IDI_EXCLAMATION), test.strMessage);
        // The folder is the cleaner's setting: reading it creates nothing.
        EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), test.strFolder);
        EXPECT_TRUE(FilesInListedOrder(m_strPlugins).empty());
    }
}

TEST_F(PluginInstall, AFailedInstallKeepsTheInstalledPluginWhole)
{
    for (DWORD dwAttributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY}) {
        ASSERT_TRUE(WriteFileBytes(m_strCopy, "older plugin"));
        SetFileAttributesA(m_strCopy.c_str(), dwAttributes);
        // Or the cleaner reading it, and letting no one else in meanwhile.
        const HANDLE hHeld = dwAttributes == FILE_ATTRIBUTE_READONLY
                                 ? INVALID_HANDLE_VALUE
                                 : CreateFileA(m_strCopy.c_str(), GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(Install(m_strSaved, IDI_EXCLAMATION), kCannot) << dwAttributes;
        CloseHandle(hHeld);
        SetFileAttributesA(m_strCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(m_strCopy), "older plugin");
        EXPECT_EQ(FilesInListedOrder(m_strPlugins), Texts{"cookies.pld"});
    }
}
