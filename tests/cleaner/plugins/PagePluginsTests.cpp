// The Plug-Ins page over plugin files in the test's own folder, the test answering its questions.
#include "cleaner/plugins/PagePlugins.h"

#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace {

// What the question was asked, and its answers in turn; with none left, No.
StringVector g_questions, g_chosenFiles;
std::deque<bool> g_yes, g_askAgain;
std::string g_shownWhileAsked;
HWND g_hDescription = nullptr;

bool Next(std::deque<bool>& answers, bool bNone)
{
    if (answers.empty())
        return bNone;
    const bool b = answers.front();
    answers.pop_front();
    return b;
}

EnableAnswer AnswerQuestion(const std::string& strQuestion)
{
    g_questions.push_back(strQuestion);
    g_shownWhileAsked = CWindow(g_hDescription).GetText();
    return {Next(g_yes, false), Next(g_askAgain, true)};
}

// A plugin that starts a program and cleans the root of drive C:.
CAction FarReaching()
{
    CAction action;
    action.lstCommands = {"C:\\Chat\\uninstall.exe /quiet"};
    FileTarget root;
    root.strName = "C:\\", root.dwType = TT_RECURSIVE, root.strMask = "*.chat";
    action.lstFiles = {root};
    return action;
}

class PluginsPage : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
        g_questions.clear(), g_chosenFiles.clear(), g_yes.clear(), g_askAgain.clear();
        SetEnableQuestion(AnswerQuestion);
        ASSERT_TRUE(m_parent.Create(nullptr));
    }
    void TearDown() override { m_page.reset(), SetEnableQuestion(nullptr), CManagerTest::TearDown(); }
    static void Write(const std::string& strPath, const char* pszId, bool bEnabled, uint32_t dwWarningLevel,
                      CAction action = CAction())
    {
        action.strId = action.strTitle = pszId;
        action.bEnabled = bEnabled, action.dwWarningLevel = dwWarningLevel;
        action.strDescription = std::string("About ") + pszId + ".";
        CWin32File file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(action.Write(file));
    }
    // The page over a manager that has loaded the plugin folder.
    CPagePlugins& Open()
    {
        m_page.reset(new CPagePlugins(Build(), nullptr));
        m_page->SetFileChooser([](HWND) { return g_chosenFiles; });
        EXPECT_TRUE(m_page->Create(m_parent));
        m_list.Attach(m_page->GetItem(IDC_PLUGINS_LIST));
        g_hDescription = m_page->GetItem(IDC_PLUGINS_DESCRIPTION);
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
    void Select(int nItem) const {
        m_list.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    std::string Description() const { return CWindow(g_hDescription).GetText(); }
    bool On(const char* pszId) { return m_manager->m_actions[pszId].bEnabled; }
    CTempFolder m_folder;
    CDialog m_parent{IDD_SETTINGS};
    std::unique_ptr<CPagePlugins> m_page;
    CListView m_list;
};

std::string Question(const char* pszId)
{
    return std::string("About ") + pszId + ".\r\nAre you sure you want to enable it?";
}

}  // namespace

// Below its description, what a plugin reaches beyond it, the start in view.
TEST_F(PluginsPage, ListsThePluginsWithoutAskingAndDescribesTheSelectedOne)
{
    Write(m_folder / "b.pld", "Beta", false, WL_INFORMATION, FarReaching());
    Write(m_folder / "a.pld", "Alpha", true, WL_WARNING);
    Write(m_folder / "g.pld", "Gamma", true, WL_INFORMATION);
    Open();
    EXPECT_EQ(Shown(), "Alpha+ Beta Gamma+ ");
    EXPECT_EQ(Description(), "Please select plugins from the list below");
    Select(1);
    EXPECT_EQ(Description().rfind("About Beta.\r\n\r\nThis plug-in also:\r\n- Starts the program: C:\\Chat\\"
                                  "uninstall.exe /quiet\r\n- Deletes files in every folder of drive C:\\", 0),
              0u) << Description();
    EXPECT_EQ(SendMessageA(g_hDescription, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    Select(0);
    EXPECT_EQ(Description(), "About Alpha.");
    // Moving the selection over a ticked warning plugin asks nothing.
    EXPECT_TRUE(g_questions.empty());
}

// A plugin ticked by hand is selected, so that what it reaches shows while it asks.
TEST_F(PluginsPage, TickingAWarningPluginSelectsItAndAsksUntilToldNotTo)
{
    Write(m_folder / "far.pld", "Far", false, WL_WARNING, FarReaching());
    Write(m_folder / "near.pld", "Near", false, WL_INFORMATION);
    Open();
    Select(1);
    m_list.SetCheck(0, true);
    EXPECT_EQ(g_questions, StringVector({Question("Far")}));
    EXPECT_EQ(g_shownWhileAsked.rfind("About Far.\r\n\r\nThis plug-in also:", 0), 0u);
    EXPECT_EQ(m_list.GetSelectedItem(), 0);
    EXPECT_EQ(Shown(), "Far Near ");
    g_yes = {true};
    g_askAgain = {false};
    m_list.SetCheck(0, true);
    EXPECT_TRUE(m_manager->m_actions["Far"].bWarned);
    m_list.SetCheck(0, false);
    m_list.SetCheck(0, true);
    Select(1);
    m_list.SetCheck(1, true);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_EQ(Shown(), "Far+ Near+ ");
}

TEST_F(PluginsPage, SelectAllAsksOnceForEachUntickedWarningPluginAndApplyTakesTheTicks)
{
    Write(m_folder / "w1.pld", "W1", false, WL_WARNING);
    Write(m_folder / "w2.pld", "W2", false, WL_WARNING);
    Write(m_folder / "w3.pld", "W3", true, WL_WARNING);
    Write(m_folder / "i1.pld", "I1", false, WL_INFORMATION);
    CPagePlugins& page = Open();
    g_yes = {true, false};
    Select(3);
    ClickButton(page, IDC_PLUGINS_SELECT_ALL);
    EXPECT_EQ(g_questions, StringVector({Question("W1"), Question("W2")}));
    EXPECT_EQ(m_list.GetSelectedItem(), 3);  // where the user put it
    EXPECT_EQ(Shown(), "I1+ W1+ W2 W3+ ");
    ASSERT_TRUE(page.Apply());
    EXPECT_TRUE(On("I1") && On("W1") && !On("W2") && On("W3"));
    ClickButton(page, IDC_PLUGINS_UNSELECT_ALL);
    EXPECT_EQ(Shown(), "I1 W1 W2 W3 ");
    EXPECT_EQ(g_questions.size(), 2u);
    ASSERT_TRUE(page.Apply());
    EXPECT_FALSE(On("I1") || On("W1") || On("W2") || On("W3"));
}

// Files are copied into the plugin folder, replacing those of their name; a failed copy is left out.
TEST_F(PluginsPage, ImportCopiesTheFilesAndShowsTheReloadedPlugins)
{
    Write(m_folder / "one.pld", "One", false, WL_INFORMATION);
    Write(m_folder / "locked.pld", "Locked", false, WL_INFORMATION);
    CTempFolder source;
    Write(source / "one.pld", "One", true, WL_INFORMATION);
    Write(source / "locked.pld", "Locked", true, WL_INFORMATION);
    Write(source / "warn.pld", "Warn", true, WL_WARNING);
    // Another program reads the installed file and lets nobody write it.
    HANDLE hReader = CreateFileA((m_folder / "locked.pld").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hReader, INVALID_HANDLE_VALUE);
    CPagePlugins& page = Open();
    Select(1);
    g_chosenFiles = {source / "one.pld", source / "missing.pld", source / "locked.pld", source / "warn.pld"};
    g_yes = {true};
    ClickButton(page, IDC_PLUGINS_IMPORT);
    CloseHandle(hReader);
    for (const char* pszName : {"one.pld", "warn.pld"})
        EXPECT_EQ(ReadFileBytes(m_folder / pszName), ReadFileBytes(source / pszName)) << pszName;
    EXPECT_EQ(Shown(), "Locked One+ Warn+ ");
    // Refilling ticks the enabled warning plugin, which asks again; the selection stays.
    EXPECT_EQ(g_questions, StringVector({Question("Warn")}));
    EXPECT_EQ(m_list.GetSelectedItem(), 1);
    EXPECT_TRUE(On("One"));
    // Cancelling the file dialog changes nothing.
    g_chosenFiles.clear();
    ClickButton(page, IDC_PLUGINS_IMPORT);
    EXPECT_EQ(Shown(), "Locked One+ Warn+ ");
}
