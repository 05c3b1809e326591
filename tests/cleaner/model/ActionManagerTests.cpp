// The action manager: the catalogue it builds, first-run defaults, what it stores at exit,
// the options of each action, enabling with its question and the running-program guard.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>

typedef CManagerTest ActionManager;

// First-run defaults fill the settings once; the disk scan takes its masks from them and,
// at the end, gives them back, and every action stores its options.
TEST_F(ActionManager, FortyDisabledActionsWithFirstRunDefaultsStoreTheirOptionsAtTheEnd)
{
    CGeneralSettings& settings = *m_settings;
    const auto texts = [&settings] {
        return StringVector{settings.strDiskOpsIncludeList, settings.strDiskOpsDriveList,
                            settings.strNetScapeHiddenFilesMask, settings.strAOLMessangerPath};
    };
    // The built-in actions alone, without the plugins that come with the program.
    WriteStringValue(kSettingsKey, "strPluginFolder", "C:\\no plugins here");
    CActionManager& manager = Build();
    EXPECT_EQ(texts(), (StringVector{"*.tmp|*.bak|*.gid|*.chk|*.old|*.$*|*.~*|*.---|~*.*", "C:\\",
                                     "*.snm", ""}));
    ASSERT_EQ(manager.m_actions.size(), 40u);
    for (const auto& entry : manager.m_actions) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(entry.second.strId, entry.first);
        EXPECT_FALSE(entry.second.bEnabled);
        EXPECT_EQ(entry.second.dwWarningLevel == WL_WARNING, entry.first == "DiskOpScan");
    }
    manager.GetAction("DiskOpScan").lstFiles.front().vecMasks = {"*.x", "", "*.y"};
    manager.GetAction("Mine").lstFiles.resize(1);
    manager.GetAction("Mine").lstFiles.front().lstExclude = {"a", "b"};
    m_manager.reset();
    EXPECT_EQ(ReadTextValue(ActionKeyPath("Mine"), "ExcludeFile0000"), "a|b");
    // What the user chose instead stays, empty lists too.
    settings.strDiskOpsDriveList = "";
    settings.strNetScapeHiddenFilesMask = "*.xyz";
    settings.strAOLMessangerPath = "D:\\Mine";
    EXPECT_EQ(Build().GetAction("DiskOpScan").lstFiles.front().vecMasks,
              (StringVector{"*.x", "", "*.y"}));
    EXPECT_EQ(texts(), (StringVector{"*.x||*.y", "", "*.xyz", "D:\\Mine"}));
    // A disk scan without file targets (a plugin replaced it) leaves the list.
    m_manager->GetAction("DiskOpScan").lstFiles.clear();
    settings.strDiskOpsIncludeList = "";
    m_manager.reset();
    EXPECT_EQ(settings.strDiskOpsIncludeList.Get(), "");
}

// The process-wide model of a real process: its manager stores into the settings before
// they write themselves, each in its own form.
TEST_F(ActionManager, ProcessEndStoresTheSettingsAfterTheManagerStoredIntoThem)
{
    CProgramRun probe("model_lifecycle_probe.exe");
    ASSERT_TRUE(probe.Start("\"*.log||*.dmp\"")) << "error " << GetLastError();
    ASSERT_TRUE(probe.HasEnded());
    ASSERT_EQ(probe.ExitCode(), 0u);
    const KeySnapshot stored = SnapshotKey(kSettingsKey);
    const RawValue zero = {REG_DWORD, std::string(4, '\0')};
    const std::pair<const char*, RawValue> expected[] = {
        {"strDiskOpsIncludeList", {REG_SZ, std::string("*.log||*.dmp", 13)}},
        {"bFileOpsWarp", zero}, {"Custom\\nSFILECount", zero}};
    for (const auto& value : expected) {
        EXPECT_TRUE(stored.count(value.first) && stored.at(value.first) == value.second)
            << value.first;
    }
}

// Each window opens beside those before it: of the programs found, the first in the order
// of examination names its first enabled action.
TEST_F(ActionManager, RunningApplicationsStopTheCleanOfTheirData)
{
    CActionManager& manager = Build();
    manager.m_actions.erase("NNCache");  // one that is not there is skipped
    for (const char* pszId : {"IECache", "IECookies", "NNCookies", "MailOE", "RealPlayerPlaylist"})
        manager.m_actions[pszId].bEnabled = true;
    const std::pair<const char*, const char*> steps[] = {
        {"a - microsoft internet explorer", nullptr},  // letter case counts
        {"Outlook Express - Inbox", nullptr},          // a marker starts with " - "
        {"RealPlayer: Jazz", "RealPlayer Playlist while RealPlayer"},
        {"Inbox - Outlook Express", "Outlook Express Mail Files while Outlook Express"},
        {"Welcome to America  Online", "Internet Explorer Cookies while America Online"},
        {"Home - Microsoft Internet Explorer", "Internet Explorer Cookies while Internet Explorer"},
        {"B - Netscape", "Netscape Cookies while Netscape"},
    };
    std::vector<HWND> windows;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.first);
        windows.push_back(CreateWindowExA(0, "STATIC", step.first, 0, 0, 0, 10, 10, nullptr,
                                          nullptr, nullptr, nullptr));
        ASSERT_NE(windows.back(), nullptr) << "windows need a display (xvfb-run)";
        std::string strMessage = "untouched";
        EXPECT_EQ(manager.CheckRunningApplications(strMessage), step.second == nullptr);
        EXPECT_EQ(strMessage, step.second ? "Cannot Clear " + std::string(step.second) + " running"
                                          : "untouched");
    }
    for (HWND hWnd : windows)
        DestroyWindow(hWnd);
}

// Today's browsers by their programs' processes, for every enabled plugin of their category; a
// program of that name, started suspended, stands in for the browser.
TEST_F(ActionManager, RunningBrowsersStopTheCleanOfTheirCategoryByProcessName)
{
    CTempFolder folder;  // no plugins but the test's
    WriteStringValue(kSettingsKey, "strPluginFolder", folder.Path());
    CActionManager& manager = Build();
    const char* const plugins[][3] = {{"Firefox: Cache", "Firefox", "on"},
                                      {"Google Chrome: Cookies", "Google Chrome", ""},
                                      {"Google Chrome: History", "Google Chrome", "on"}};
    for (const auto& plugin : plugins) {
        CAction& action = manager.m_actions[plugin[0]];
        action.strTitle = plugin[0], action.strCategory = plugin[1], action.bEnabled = *plugin[2];
    }
    std::string strMessage;
    EXPECT_TRUE(manager.CheckRunningApplications(strMessage));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "model_lifecycle_probe.exe").c_str(),
                          (folder / "Chrome.exe").c_str(), FALSE));
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA((folder / "Chrome.exe").c_str(), nullptr, nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED, nullptr, nullptr, &startup, &process));
    EXPECT_FALSE(manager.CheckRunningApplications(strMessage));
    EXPECT_EQ(strMessage, "Cannot Google Chrome: History while Google Chrome running");
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    for (HANDLE hHandle : {process.hThread, process.hProcess})
        CloseHandle(hHandle);
    EXPECT_TRUE(manager.CheckRunningApplications(strMessage));
}

// One index runs through file, then registry targets; an emptied list deletes its value.
// The text of a browser setting is the user's to set.
TEST_F(ActionManager, ExclusionListsAndBrowserTextsOfAnActionAreStoredAndLoadBack)
{
    CAction action;
    action.strId = "IEPropHomePage";
    action.bEnabled = true;
    action.lstFiles.resize(2);
    action.lstKeys.resize(2);
    action.lstKeyUpdates = {{{}, "http://mine.example/"}, {}};
    CAction emptied = action;
    action.lstFiles.front().lstExclude = {"f0a", "f0b"};
    action.lstFiles.back().lstExclude = {"f1"};
    action.lstKeys.front().lstExcludeKeys = {"k2"};
    action.lstKeys.front().lstExcludeValues = {"v2", "", "w"};
    action.lstKeys.back().lstExcludeValues = {"v3"};
    SaveActionOptions(action);
    const std::string strKey = std::string(kSettingsKey) + "\\IEPropHomePage";
    const std::pair<const char*, const char*> stored[] = {
        {"ExcludeFile0000", "f0a|f0b"}, {"ExcludeFile0001", "f1"}, {"ExcludeRegKey0002", "k2"},
        {"ExcludeRegVal0002", "v2||w"}, {"ExcludeRegVal0003", "v3"},
        {"ExcludeFile0002", "<missing>"}};
    for (const auto& value : stored)
        EXPECT_EQ(ReadTextValue(strKey, value.first), value.second) << value.first;
    CAction loaded = emptied;
    loaded.bEnabled = false;
    loaded.lstKeyUpdates.front().strData = "other";
    LoadActionOptions(loaded);
    EXPECT_EQ(loaded, action);

    SaveActionOptions(emptied);
    for (const auto& value : stored)
        EXPECT_FALSE(ValueExists(strKey, value.first)) << value.first;
    // Without an identifier there is no key of its own: nothing is stored.
    action.strId.clear();
    DeleteProductKey();
    SaveActionOptions(action);
    EXPECT_FALSE(KeyExists(kSettingsKey));
}

// A warning-level action asks before it is enabled, until a cleared box silences it.
TEST(EnableAction, AsksOnlyWhenItShouldAndFollowsTheAnswer)
{
    static EnableAnswer s_answer;
    static int s_nAsked;
    const EnableQuestionFunc pfnAsk = [](const std::string&) { return ++s_nAsked, s_answer; };
    const struct {
        const char* name;
        bool bEnable, bAsk, bWarning, bWarned, bSomeoneToAsk;
        EnableAnswer answer;
        bool bAsked, bEnabledAfter, bWarnedAfter;
    } cases[] = {
        {"yes", true, true, true, false, true, {true, true}, true, true, false},
        {"no, box cleared", true, true, true, false, true, {false, false}, true, false, true},
        {"no one to ask", true, true, true, false, false, {true, true}, false, false, false},
        {"disabling", false, true, true, false, true, {true, true}, false, false, false},
        {"no warning", true, true, false, false, true, {false, true}, false, true, false},
        {"silenced", true, true, true, true, true, {false, true}, false, true, true},
    };
    CAction action;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnableQuestion(c.bSomeoneToAsk ? pfnAsk : nullptr);
        s_answer = c.answer;
        s_nAsked = 0;
        action.dwWarningLevel = c.bWarning ? WL_WARNING : WL_INFORMATION;
        action.bWarned = c.bWarned;
        action.bEnabled = !c.bEnabledAfter;
        EXPECT_EQ(SetActionEnabled(action, c.bEnable, c.bAsk), c.bEnabledAfter);
        EXPECT_EQ(action.bEnabled, c.bEnabledAfter);
        EXPECT_EQ(action.bWarned, c.bWarnedAfter);
        EXPECT_EQ(s_nAsked, c.bAsked ? 1 : 0);
    }
    SetEnableQuestion(nullptr);
}
