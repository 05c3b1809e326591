// The Plug-Ins page over plugin files in the test's own folder, the test answering its questions.
#include "cleaner/plugins/PagePlugins.h"

#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/resource.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"

#include <gtest/gtest.h>

namespace {

StringVector g_chosenFiles;  // what the open-file dialog answers

// The question, with the box's caption, that enabling the plugin asks.
std::string Question(const char* pszId)
{
    return std::string("Veltrin PRO\nAbout ") + pszId + ".\r\nAre you sure you want to enable it?";
}

class PluginsPage : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
        InstallEnableQuestion();
        ASSERT_TRUE(m_parent.Create(nullptr));
        m_answers.AnswerEvery([](HWND hBox) { ClickButton(hBox, IDNO); });  // any question not answered otherwise
    }
    void TearDown() override { m_page.reset(), SetEnableQuestion(nullptr), CManagerTest::TearDown(); }
    // The plugin's file in the folder; a far-reaching one starts a program and cleans the root of C:.
    static void Write(const CTempFolder& folder, const char* pszId, bool bEnabled, uint32_t dwWarningLevel,
                      bool bFarReaching = false)
    {
        CAction action;
        action.strId = action.strTitle = pszId;
        action.bEnabled = bEnabled, action.dwWarningLevel = dwWarningLevel;
        action.strDescription = std::string("About ") + pszId + ".";
        if (bFarReaching) {
            FileTarget root;
            root.strName = "C:\\", root.dwType = TT_RECURSIVE, root.strMask = "*.chat";
            action.lstCommands = {"C:\\Chat\\uninstall.exe /quiet"}, action.lstFiles = {root};
        }
        ASSERT_TRUE(WriteFileBytes(folder / pszId + ".pld", PluginBytes(action)));
    }
    // The page over a manager that has loaded the plugin folder.
    CPagePlugins& Open()
    {
        m_page.reset(new CPagePlugins(Build(), nullptr));
        m_page->SetFileChooser([](HWND) { return g_chosenFiles; });
        EXPECT_TRUE(m_page->Create(m_parent));
        m_list.Attach(m_page->GetItem(IDC_PLUGINS_LIST));
        return *m_page;
    }
    // The names in the list, each followed by "+" when ticked.
    std::string Shown() const
    {
        std::string strShown;
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
            strShown += m_list.GetItemText(nItem) + (m_list.GetCheck(nItem) ? "+ " : " ");
        return strShown;
    }
    void Select(int nItem) const { m_list.SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED); }
    std::string Description() const { return CWindow(m_page->GetItem(IDC_PLUGINS_DESCRIPTION)).GetText(); }
    bool On(const char* pszId) { return m_manager->m_actions[pszId].bEnabled; }
    CTempFolder m_folder;
    CDialog m_parent{IDD_SETTINGS};
    CModalAnswers m_answers;
    std::unique_ptr<CPagePlugins> m_page;
    CListView m_list;
};

}  // namespace

// Filling and selecting ask nothing; a warning plugin ticked by hand is selected, so that what it
// reaches shows while it asks; Select All asks for each and leaves the selection alone.
TEST_F(PluginsPage, TickingAWarningPluginAsksWithWhatItReachesInView)
{
    Write(m_folder, "Alpha", true, WL_WARNING);
    Write(m_folder, "Beta", false, WL_WARNING, true);
    Write(m_folder, "Delta", false, WL_WARNING);
    Write(m_folder, "Gamma", false, WL_INFORMATION);
    CPagePlugins& page = Open();
    EXPECT_EQ(Shown(), "Alpha+ Beta Delta Gamma ");
    Select(0);
    EXPECT_EQ(Description(), "About Alpha.");
    std::string strShownWhileAsked;
    m_answers.Add([&](HWND hBox) { strShownWhileAsked = Description(), ClickButton(hBox, IDNO); });
    m_list.SetCheck(1, true);
    EXPECT_EQ(strShownWhileAsked.rfind("About Beta.\r\n\r\nThis plug-in also:\r\n- Starts the program: C:\\Chat\\"
                                       "uninstall.exe /quiet\r\n- Deletes files in every folder of drive C:\\", 0),
              0u) << strShownWhileAsked;
    EXPECT_EQ(m_list.GetSelectedItem(), 1);
    EXPECT_EQ(Shown(), "Alpha+ Beta Delta Gamma ");
    Select(0);
    m_answers.Press(IDYES);
    ClickButton(page, IDC_PLUGINS_SELECT_ALL);
    EXPECT_EQ(m_answers.Seen(), StringVector({Question("Beta"), Question("Beta"), Question("Delta")}));
    EXPECT_EQ(m_list.GetSelectedItem(), 0);
    EXPECT_EQ(Shown(), "Alpha+ Beta+ Delta Gamma+ ");
    ASSERT_TRUE(page.Apply());
    EXPECT_TRUE(On("Alpha") && On("Beta") && !On("Delta") && On("Gamma"));
    ClickButton(page, IDC_PLUGINS_UNSELECT_ALL);
    EXPECT_EQ(Shown(), "Alpha Beta Delta Gamma ");
    ASSERT_TRUE(page.Apply());
    EXPECT_FALSE(On("Alpha") || On("Beta") || On("Delta") || On("Gamma"));
}

// Files are copied into the plugin folder, replacing those of their name; a failed copy is left out.
// Rule files are imported, and the page says what became of them.
TEST_F(PluginsPage, ImportCopiesTheFilesAndShowsTheReloadedPlugins)
{
    CTempFolder source;
    for (const char* pszId : {"One", "Locked"}) {
        Write(m_folder, pszId, false, WL_INFORMATION);
        Write(source, pszId, true, WL_INFORMATION);
    }
    Write(source, "Warn", true, WL_WARNING);
    // Another program reads the installed file and lets nobody write it.
    HANDLE hReader = CreateFileA((m_folder / "Locked.pld").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hReader, INVALID_HANDLE_VALUE);
    CPagePlugins& page = Open();
    Select(1);
    ASSERT_TRUE(WriteFileBytes(source / "rules.ini", "[Ruled *]\nFileKey1=%Temp%\\Ruled|*.tmp\n"
                                                     "FileKey2=%Temp%\\Ruled\n"));
    g_chosenFiles = {source / "One.pld", source / "Locked.pld", source / "Warn.pld",
                     source / "rules.ini", source / "none.ini"};
    m_answers.Press(IDYES);
    m_answers.Press(IDOK);
    ClickButton(page, IDC_PLUGINS_IMPORT);
    CloseHandle(hReader);
    for (const char* pszName : {"One.pld", "Warn.pld"})
        EXPECT_EQ(ReadFileBytes(m_folder / pszName), ReadFileBytes(source / pszName)) << pszName;
    EXPECT_EQ(Shown(), "Locked One+ Ruled Warn+ ");
    // Refilling ticks the enabled warning plugin, which asks again; the selection stays.
    StringVector seen = m_answers.Seen();
    ASSERT_EQ(seen.size(), 2u);
    for (size_t nWrap; (nWrap = seen[1].find("\r\n")) != std::string::npos;)
        seen[1].erase(nWrap, 2);  // the lines, and where the box wrapped them
    EXPECT_EQ(seen, StringVector({Question("Warn"),
                                  "Import Plug-Ins\nrules.ini: 1 imported, 0 not installed here, 0 "
                                  "skipped.Skipped Ruled: FileKey2: it has no maskThe file " +
                                      source / "none.ini" + " could not be opened."}));
    EXPECT_EQ(m_list.GetSelectedItem(), 1);
}

// Hundreds of plugins, as one import brings them: listed by name whatever its case, each with its
// group or "Other"; a click on a header sorts by its column, a second one reverses, boxes go along.
// The selected one tells how far its wildcard folders reach.
TEST_F(PluginsPage, HundredsOfPluginsAreListedByNameOrGroupWithTheirBoxes)
{
    StringVector byName, byGroup;
    for (int n = 0; n < 300; ++n) {
        CAction action;
        // Upper and lower case take turns, so that byte order would part them.
        action.strId = action.strTitle = (n % 2 ? "rule " : "Rule ") + std::to_string(1000 + n);
        action.strCategory = n % 3 ? "group " + std::to_string(n % 7) : "";
        action.bEnabled = n % 4 == 0;
        if (n == 123)
            action.lstFiles = {{"C:\\*\\Cache", TT_TREE_AND_SELF}};
        ASSERT_TRUE(WriteFileBytes(m_folder / action.strId + ".pld", PluginBytes(action)));
        byName.push_back(action.strId + "|" + (n % 3 ? action.strCategory : "Other") +
                         (action.bEnabled ? "+" : ""));
    }
    for (const char* pszGroup : {"group 0", "group 1", "group 2", "group 3", "group 4", "group 5",
                                 "group 6", "Other"}) {
        for (const std::string& strRow : byName) {
            if (strRow.find(pszGroup) != std::string::npos)
                byGroup.push_back(strRow);
        }
    }
    Open();
    const auto listed = [this]() {
        StringVector rows;
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
            rows.push_back(m_list.GetItemText(nItem) + "|" + m_list.GetItemText(nItem, 1) +
                           (m_list.GetCheck(nItem) ? "+" : ""));
        return rows;
    };
    const auto clickHeader = [this](int nColumn) {
        NMLISTVIEW click = {{m_list, IDC_PLUGINS_LIST, UINT(LVN_COLUMNCLICK)}, -1, nColumn};
        m_page->SendMessage(WM_NOTIFY, IDC_PLUGINS_LIST, LPARAM(&click));
    };
    EXPECT_EQ(listed(), byName);
    clickHeader(1);
    EXPECT_EQ(listed(), byGroup);
    clickHeader(0), clickHeader(0);
    EXPECT_EQ(listed(), StringVector(byName.rbegin(), byName.rend()));
    Select(300 - 1 - 123);
    EXPECT_NE(Description().find("\r\n- Deletes files in folders that match a path below the root of "
                                 "drive C:\\ and in all their subfolders, then each such folder itself "
                                 "when it ends empty (C:\\*\\Cache\\*.*)"),
              std::string::npos) << Description();
}
