// The Plug-Ins page over plugin files in a folder of the test's own, with
// the enabling question answered by the test.
#include "cleaner/plugins/PagePlugins.h"

#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/Addresses.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/AddressRecorder.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

namespace {

// What the enabling question was asked, and the answers it gives in turn;
// with none left it answers No.
std::vector<std::string> g_questions;
std::deque<EnableAnswer> g_answers;
std::function<void()> g_onQuestion;  // looks at the page while it asks

EnableAnswer AnswerQuestion(const std::string& strQuestion)
{
    g_questions.push_back(strQuestion);
    if (g_onQuestion)
        g_onQuestion();
    if (g_answers.empty())
        return EnableAnswer{false, true};
    const EnableAnswer answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

const EnableAnswer kYes = {true, true};
const EnableAnswer kNo = {false, true};
const EnableAnswer kYesDontAskAgain = {true, false};

StringVector g_chosenFiles;
StringVector ChooseTheFiles(HWND)
{
    return g_chosenFiles;
}

struct PluginFacts {
    const char* pszId;
    bool bEnabled;
    uint32_t dwWarningLevel;
    const char* pszDescription;
};

class PluginsPage : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
        g_questions.clear();
        g_answers.clear();
        g_chosenFiles.clear();
        SetEnableQuestion(AnswerQuestion);
    }
    void TearDown() override
    {
        m_page.reset();
        m_parent.reset();
        SetEnableQuestion(nullptr);
        CManagerTest::TearDown();
    }

    // A plugin of those facts, with whatever targets the action brings.
    static void WritePlugin(const std::string& strPath, const PluginFacts& facts,
                            CAction action = CAction())
    {
        action.strId = facts.pszId;
        action.strTitle = facts.pszId;
        action.bEnabled = facts.bEnabled;
        action.dwWarningLevel = facts.dwWarningLevel;
        action.strDescription = facts.pszDescription;
        CWin32File file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(action.Write(file));
    }

    // The page as the settings dialog shows it, over a manager that has
    // loaded the plugin folder.
    CPagePlugins& Open(HBITMAP hBackground = nullptr)
    {
        m_parent.reset(new CDialog(IDD_SETTINGS));
        EXPECT_TRUE(m_parent->Create(nullptr));
        m_page.reset(new CPagePlugins(Build(), hBackground));
        m_page->SetFileChooser(ChooseTheFiles);
        EXPECT_TRUE(m_page->Create(*m_parent));
        m_list.Attach(m_page->GetItem(IDC_PLUGINS_LIST));
        return *m_page;
    }

    StringVector Names() const
    {
        StringVector names;
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
            names.push_back(m_list.GetItemText(nItem));
        return names;
    }
    std::vector<bool> Checks() const
    {
        std::vector<bool> checks;
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
            checks.push_back(m_list.GetCheck(nItem));
        return checks;
    }
    // A click on the item's check box.
    void Tick(int nItem, bool bCheck) const { m_list.SetCheck(nItem, bCheck); }
    void SelectItem(int nItem) const
    {
        m_list.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    std::string Description() const
    {
        return CWindow(m_page->GetItem(IDC_PLUGINS_DESCRIPTION)).GetText();
    }
    CAction& ActionOf(const char* pszId) { return m_manager->m_actions[pszId]; }

    CTempFolder m_folder;
    std::unique_ptr<CDialog> m_parent;
    std::unique_ptr<CPagePlugins> m_page;
    CListView m_list;
};

std::string Question(const char* pszDescription)
{
    return std::string(pszDescription) + "\r\nAre you sure you want to enable it?";
}

std::string WindowsFolder()
{
    char szFolder[MAX_PATH];
    GetWindowsDirectoryA(szFolder, MAX_PATH);
    return szFolder;
}

// A plugin that starts a program, cleans the Windows folder and the root of
// drive C: and takes a key near the top of the registry with it.
CAction FarReachingAction()
{
    CAction action;
    action.lstCommands = {"C:\\Program Files\\Chat Tools\\uninstall.exe /quiet"};
    FileTarget windows;
    windows.strName = "%WinDir%";
    windows.dwType = TT_CONTENT;
    windows.strMask = "*.log";
    FileTarget root;
    root.strName = "C:\\";
    root.dwType = TT_RECURSIVE;
    root.strMask = "*.chat";
    action.lstFiles = {windows, root};
    RegTarget key;
    key.dwKey = RK_CURRENT_USER;
    key.strName = "Software\\Microsoft";
    key.dwType = TT_RECURSIVE;
    action.lstKeys = {key};
    return action;
}

const char kFarReach[] =
    "\r\n\r\nThis plug-in also:"
    "\r\n- Starts the program: C:\\Program Files\\Chat Tools\\uninstall.exe /quiet"
    "\r\n- Deletes files in the Windows folder (%s\\*.log, written as %%WinDir%%)"
    "\r\n- Deletes files in every folder of drive C:\\ (C:\\*.chat)"
    "\r\n- Deletes the whole registry key HKEY_CURRENT_USER\\Software\\Microsoft, near the top "
    "of the registry, and all its subkeys";

}  // namespace

TEST_F(PluginsPage, ListsThePluginsWithTheirStateWithoutAsking)
{
    WritePlugin(m_folder / "b.pld", {"Beta", false, WL_INFORMATION, "Clears beta."});
    WritePlugin(m_folder / "a.pld", {"Alpha", true, WL_WARNING, "Clears alpha."});
    WritePlugin(m_folder / "g.pld", {"Gamma", true, WL_INFORMATION, "Clears gamma."});
    Open();

    EXPECT_EQ(Names(), StringVector({"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Checks(), std::vector<bool>({true, false, true}));
    EXPECT_TRUE(g_questions.empty());
    EXPECT_EQ(Description(), "Please select plugins from the list below");
    const RECT list = m_list.GetWindowRect();
    EXPECT_EQ(m_list.GetColumnWidth(0), list.right - list.left - 20);

    SelectItem(1);
    EXPECT_EQ(Description(), "Clears beta.");
    SelectItem(0);
    EXPECT_EQ(Description(), "Clears alpha.");
    // Moving the selection over a ticked warning plugin asks nothing.
    EXPECT_TRUE(g_questions.empty());
}

TEST_F(PluginsPage, TheDescriptionTellsWhatThePluginReachesBeyondIt)
{
    WritePlugin(m_folder / "far.pld", {"Far", false, WL_INFORMATION, "Tidies chat logs."},
                FarReachingAction());
    WritePlugin(m_folder / "near.pld", {"Near", false, WL_INFORMATION, "Clears near."});
    Open();

    SelectItem(0);
    char szReach[1024];
    snprintf(szReach, sizeof(szReach), kFarReach, WindowsFolder().c_str());
    EXPECT_EQ(Description(), std::string("Tidies chat logs.") + szReach);
    // The box shows the description first; the rest scrolls into view.
    const HWND hBox = m_page->GetItem(IDC_PLUGINS_DESCRIPTION);
    EXPECT_EQ(SendMessageA(hBox, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_GE(SendMessageA(hBox, EM_GETLINECOUNT, 0, 0), 6);

    SelectItem(1);
    EXPECT_EQ(Description(), "Clears near.");
}

TEST_F(PluginsPage, APluginTickedByHandIsSelectedSoThatItsReachIsInView)
{
    WritePlugin(m_folder / "far.pld", {"Far", false, WL_WARNING, "Tidies chat logs."},
                FarReachingAction());
    WritePlugin(m_folder / "near.pld", {"Near", false, WL_INFORMATION, "Clears near."});
    Open();
    SelectItem(1);

    // The question comes with the ticked plugin's lines behind it.
    std::string strShownWhileAsked;
    g_onQuestion = [&] { strShownWhileAsked = Description(); };
    g_answers = {kNo};
    Tick(0, true);
    g_onQuestion = nullptr;
    char szReach[1024];
    snprintf(szReach, sizeof(szReach), kFarReach, WindowsFolder().c_str());
    EXPECT_EQ(strShownWhileAsked, std::string("Tidies chat logs.") + szReach);
    EXPECT_EQ(m_list.GetSelectedItem(), 0);

    // Ticks the page sets itself move nothing.
    SelectItem(1);
    g_answers = {kYes, kYes};
    ClickButton(*m_page, IDC_PLUGINS_SELECT_ALL);
    EXPECT_EQ(m_list.GetSelectedItem(), 1);
}

TEST_F(PluginsPage, TickingAWarningPluginAsksUntilToldNotTo)
{
    WritePlugin(m_folder / "risky.pld", {"Risky", false, WL_WARNING, "Removes all saved forms."});
    WritePlugin(m_folder / "safe.pld", {"Safe", false, WL_INFORMATION, "Harmless."});
    Open();

    g_answers = {kNo};
    Tick(0, true);
    EXPECT_EQ(g_questions, StringVector({Question("Removes all saved forms.")}));
    EXPECT_FALSE(m_list.GetCheck(0));
    EXPECT_FALSE(ActionOf("Risky").bEnabled);

    g_answers = {kYesDontAskAgain};
    Tick(0, true);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_TRUE(m_list.GetCheck(0));
    EXPECT_TRUE(ActionOf("Risky").bWarned);

    Tick(0, false);
    Tick(0, true);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_TRUE(m_list.GetCheck(0));

    Tick(1, true);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_TRUE(m_list.GetCheck(1));
}

TEST_F(PluginsPage, SelectAllAsksOnceForEachUntickedWarningPluginAndApplyTakesTheTicks)
{
    WritePlugin(m_folder / "w1.pld", {"W1", false, WL_WARNING, "First warning."});
    WritePlugin(m_folder / "w2.pld", {"W2", false, WL_WARNING, "Second warning."});
    WritePlugin(m_folder / "w3.pld", {"W3", true, WL_WARNING, "Already on."});
    WritePlugin(m_folder / "i1.pld", {"I1", false, WL_INFORMATION, "No warning."});
    CPagePlugins& page = Open();
    EXPECT_EQ(Names(), StringVector({"I1", "W1", "W2", "W3"}));

    g_answers = {kYes, kNo};
    ClickButton(page, IDC_PLUGINS_SELECT_ALL);
    EXPECT_EQ(g_questions, StringVector({Question("First warning."), Question("Second warning.")}));
    EXPECT_EQ(Checks(), std::vector<bool>({true, true, false, true}));
    ASSERT_TRUE(page.Apply());
    EXPECT_TRUE(ActionOf("I1").bEnabled);
    EXPECT_TRUE(ActionOf("W1").bEnabled);
    EXPECT_FALSE(ActionOf("W2").bEnabled);
    EXPECT_TRUE(ActionOf("W3").bEnabled);

    ClickButton(page, IDC_PLUGINS_UNSELECT_ALL);
    EXPECT_EQ(Checks(), std::vector<bool>({false, false, false, false}));
    EXPECT_EQ(g_questions.size(), 2u);
    ASSERT_TRUE(page.Apply());
    for (const char* pszId : {"I1", "W1", "W2", "W3"})
        EXPECT_FALSE(ActionOf(pszId).bEnabled) << pszId;
}

TEST_F(PluginsPage, ImportCopiesTheFilesReplacesByNameAndShowsTheReloadedPlugins)
{
    WritePlugin(m_folder / "one.pld", {"One", false, WL_INFORMATION, "Old one."});
    WritePlugin(m_folder / "kept.pld", {"Kept", true, WL_INFORMATION, "Stays."});
    CTempFolder source;
    WritePlugin(source / "one.pld", {"One", true, WL_INFORMATION, "New one."});
    WritePlugin(source / "two.pld", {"Two", false, WL_INFORMATION, "Second."});
    WritePlugin(source / "warn.pld", {"Warn", true, WL_WARNING, "Enabled with a warning."});
    CPagePlugins& page = Open();
    SelectItem(1);
    ASSERT_EQ(Description(), "Old one.");

    g_chosenFiles = {source / "one.pld", source / "two.pld", source / "warn.pld"};
    g_answers = {kYes};
    ClickButton(page, IDC_PLUGINS_IMPORT);

    for (const char* pszName : {"one.pld", "two.pld", "warn.pld"})
        EXPECT_EQ(ReadFileBytes(m_folder / pszName), ReadFileBytes(source / pszName)) << pszName;
    EXPECT_EQ(Names(), StringVector({"Kept", "One", "Two", "Warn"}));
    EXPECT_EQ(Checks(), std::vector<bool>({true, true, false, true}));
    EXPECT_TRUE(ActionOf("One").bEnabled);
    // Refilling ticks the enabled warning plugin, which asks again.
    EXPECT_EQ(g_questions, StringVector({Question("Enabled with a warning.")}));
    EXPECT_EQ(Description(), "New one.");

    // Cancelling the file dialog changes nothing.
    g_chosenFiles.clear();
    ClickButton(page, IDC_PLUGINS_IMPORT);
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_EQ(g_questions.size(), 1u);
}

TEST_F(PluginsPage, AFailedCopyIsLeftOutAndTheListShowsWhatTheFolderHolds)
{
    WritePlugin(m_folder / "locked.pld", {"Locked", false, WL_INFORMATION, "Installed."});
    // Another program reads the installed file and lets nobody write it.
    HANDLE hReader = CreateFileA((m_folder / "locked.pld").c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hReader, INVALID_HANDLE_VALUE);
    CTempFolder source;
    WritePlugin(source / "locked.pld", {"Locked", true, WL_INFORMATION, "Newer."});
    WritePlugin(source / "fresh.pld", {"Fresh", true, WL_INFORMATION, "Copied."});
    CPagePlugins& page = Open();

    g_chosenFiles = {source / "locked.pld", source / "missing.pld", source / "fresh.pld"};
    ClickButton(page, IDC_PLUGINS_IMPORT);
    EXPECT_NE(ReadFileBytes(m_folder / "locked.pld"), ReadFileBytes(source / "locked.pld"));
    EXPECT_EQ(Names(), StringVector({"Fresh", "Locked"}));
    EXPECT_EQ(Checks(), std::vector<bool>({true, false}));
    EXPECT_FALSE(ActionOf("Locked").bEnabled);
    CloseHandle(hReader);
}

TEST_F(PluginsPage, CheckForNewOpensThePluginPage)
{
    CAddressRecorder addresses;
    CPagePlugins& page = Open();
    EXPECT_EQ(m_list.GetItemCount(), 0);
    ClickButton(page, IDC_PLUGINS_CHECK_FOR_NEW);
    EXPECT_EQ(addresses.Opened(), StringVector({VELTRIN_PLUGINS_URL}));
}

TEST_F(PluginsPage, PictureOfThePageWithAFarReachingWarningPluginSelected)
{
    WritePlugin(m_folder / "a.pld",
                {"Browser Toolbar History", true, WL_INFORMATION, "Clears the toolbar."});
    WritePlugin(m_folder / "b.pld",
                {"Chat Logs", false, WL_WARNING,
                 "Deletes the logs of every chat program it knows.\r\nThey cannot be brought "
                 "back."},
                FarReachingAction());
    WritePlugin(m_folder / "c.pld", {"Game Scores", true, WL_INFORMATION, "Clears scores."});
    HBITMAP hBackground =
        LoadBitmapA(GetResourceInstance(), MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND));
    CPagePlugins& page = Open(hBackground);
    // Where the settings dialog puts its pages.
    const RECT area = CWindow(m_parent->GetItem(IDC_PAGE_FRAME)).GetRectInParent();
    page.Move(area.left, area.top, area.right - area.left, area.bottom - area.top);
    page.Show(SW_SHOW);
    m_parent->Show(SW_SHOW);
    SelectItem(1);
    EXPECT_TRUE(SaveWindowPicture(*m_parent, ArtifactPath("plugins-page.png")));
    // The end of what the plugin reaches, as the box shows it scrolled down.
    SendMessageA(page.GetItem(IDC_PLUGINS_DESCRIPTION), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(SaveWindowPicture(*m_parent, ArtifactPath("plugins-page-scrolled.png")));

    m_page.reset();
    DeleteObject(hBackground);
}
