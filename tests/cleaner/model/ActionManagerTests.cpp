// The action manager: the catalogue it builds, first-run defaults, what it
// stores at exit, the options of each action, and enabling with its question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"

#include <gtest/gtest.h>

typedef CManagerTest ActionManager;

TEST_F(ActionManager, FortyDisabledActionsWithOptionsFromTheSettings)
{
    m_settings->strDiskOpsIncludeList = "*.a||*.b";
    m_settings->bDiskOpsNeedToSetDefaultData = false;
    m_settings->bFileOpsWarp = true;
    CActionManager& manager = Build();
    ASSERT_EQ(manager.m_actions.size(), 40u);
    for (const auto& entry : manager.m_actions) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(entry.second.strId, entry.first);
        EXPECT_FALSE(entry.second.bEnabled);
        EXPECT_EQ(entry.second.dwWarningLevel == WL_WARNING, entry.first == "DiskOpScan");
    }
    const FileTarget& scan = manager.m_actions["DiskOpScan"].lstFiles.front();
    EXPECT_TRUE(scan.bWipe);
    EXPECT_EQ(scan.vecMasks, (StringVector{"*.a", "", "*.b"}));
}

TEST_F(ActionManager, FirstRunDefaultsAreAppliedOnce)
{
    const std::string strMessenger =
        "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion";
    CScratchKey messenger(HKEY_CURRENT_USER, "Software\\America Online");
    WriteStringValue(strMessenger + "\\Misc", "BaseDataPath", "C:\\AIM");
    WriteStringValue(strMessenger + "\\Login", "Screen Name", "someone");
    CGeneralSettings& settings = *m_settings;
    Build();
    EXPECT_EQ(settings.strDiskOpsIncludeList.Get(),
              "*.tmp|*.bak|*.gid|*.chk|*.old|*.$*|*.~*|*.---|~*.*");
    EXPECT_EQ(settings.strDiskOpsDriveList.Get(), "C:\\");
    EXPECT_EQ(settings.strNetScapeHiddenFilesMask.Get(), "*.snm");
    EXPECT_EQ(settings.strAOLMessangerPath.Get(), "C:\\AIM\\someone");

    // What the user chose instead stays, empty lists too.
    m_manager.reset();
    settings.strDiskOpsIncludeList = "";
    settings.strDiskOpsDriveList = "";
    settings.strNetScapeHiddenFilesMask = "*.xyz";
    settings.strAOLMessangerPath = "D:\\Mine";
    Build();
    EXPECT_EQ(settings.strDiskOpsIncludeList.Get() + settings.strDiskOpsDriveList.Get(), "");
    EXPECT_EQ(settings.strNetScapeHiddenFilesMask.Get() + settings.strAOLMessangerPath.Get(),
              "*.xyzD:\\Mine");
}

TEST_F(ActionManager, DestructionStoresEveryActionsOptionsAndTheDiskScanMasks)
{
    Build().GetAction("Mine").lstFiles.resize(1);
    m_manager->GetAction("Mine").lstFiles.front().lstExclude = {"a", "b"};
    m_manager->GetAction("DiskOpScan").lstFiles.front().vecMasks = {"*.x", "", "*.y"};
    m_manager.reset();
    EXPECT_EQ(ReadTextValue(ActionKeyPath("Mine"), "ExcludeFile0000"), "a|b");
    EXPECT_EQ(m_settings->strDiskOpsIncludeList.Get(), "*.x||*.y");

    // A disk scan without file targets (a plugin replaced it) leaves the list.
    Build().GetAction("DiskOpScan").lstFiles.clear();
    m_manager.reset();
    EXPECT_EQ(m_settings->strDiskOpsIncludeList.Get(), "*.x||*.y");
}

typedef CProductKeyTest ActionOptions;

// One index runs through file, then registry targets; an emptied list deletes its value.
TEST_F(ActionOptions, ExclusionListsAreStoredUnderOneIndexAndLoadBack)
{
    CAction action;
    action.strId = "Four";
    action.bEnabled = true;
    action.lstFiles.resize(2);
    action.lstKeys.resize(2);
    CAction emptied = action;
    action.lstFiles.front().lstExclude = {"f0a", "f0b"};
    action.lstFiles.back().lstExclude = {"f1"};
    action.lstKeys.front().lstExcludeKeys = {"k2"};
    action.lstKeys.front().lstExcludeValues = {"v2", "", "w"};
    action.lstKeys.back().lstExcludeValues = {"v3"};
    SaveActionOptions(action);

    const char kKey[] = "Software\\ZR\\VeltrinPRO\\Settings\\Four";
    const std::pair<const char*, const char*> stored[] = {
        {"ExcludeFile0000", "f0a|f0b"}, {"ExcludeFile0001", "f1"}, {"ExcludeRegKey0002", "k2"},
        {"ExcludeRegVal0002", "v2||w"}, {"ExcludeRegVal0003", "v3"}, {"ExcludeFile0002", "<missing>"}};
    for (const auto& value : stored)
        EXPECT_EQ(ReadTextValue(kKey, value.first), value.second) << value.first;
    CAction loaded = emptied;
    loaded.bEnabled = false;
    LoadActionOptions(loaded);
    EXPECT_EQ(loaded, action);

    SaveActionOptions(emptied);
    for (const auto& value : stored)
        EXPECT_FALSE(ValueExists(kKey, value.first)) << value.first;
    EXPECT_TRUE(ValueExists(kKey, "bEnabled"));

    // Without an identifier there is no key of its own: nothing is stored.
    action.strId.clear();
    DeleteProductKey();
    SaveActionOptions(action);
    EXPECT_FALSE(KeyExists(kSettingsKey));
}

// Of the update data only the two browser texts are the user's to set.
TEST_F(ActionOptions, OnlyTheBrowserTextsOfTheUserAreKept)
{
    const struct {
        const char* id;
        uint32_t dwDataType;
        bool bKept;
    } cases[] = {{"IEPropWindowTitle", RegUpdate::DT_NUMBER, false},
                 {"IEPropHomePage", RegUpdate::DT_TEXT, true},
                 {"MyPlugin", RegUpdate::DT_TEXT, false}};
    for (const auto& c : cases) {
        CAction action;
        action.strId = c.id;
        action.lstKeyUpdates.resize(2);
        action.lstKeyUpdates.front().strData = "http://mine.example/";
        action.lstKeyUpdates.front().dwDataType = c.dwDataType;
        SaveActionOptions(action);
        CAction loaded = action;
        loaded.lstKeyUpdates.front().strData = "other";
        LoadActionOptions(loaded);
        EXPECT_EQ(loaded == action, c.bKept) << c.id;
    }
    EXPECT_EQ(ReadTextValue(ActionKeyPath("IEPropHomePage"), "strText"), "http://mine.example/");
}

// A warning-level action asks before it is enabled, until a cleared box silences it.
TEST(EnableAction, AsksOnlyWhenItShouldAndFollowsTheAnswer)
{
    static EnableAnswer s_answer;
    static int s_nAsked;
    const EnableQuestionFunc pfnAsk = [](const std::string&) {
        ++s_nAsked;
        return s_answer;
    };
    const struct {
        const char* name;
        bool bEnable, bAsk, bWarning, bWarned, bSomeoneToAsk;
        EnableAnswer answer;
        bool bAsked, bEnabledAfter, bWarnedAfter;
    } cases[] = {
        {"yes", true, true, true, false, true, {true, true}, true, true, false},
        {"no, box cleared", true, true, true, false, true, {false, false}, true, false, true},
        {"no one to ask", true, true, true, false, false, {true, true}, false, false, false},
        {"not to ask", true, false, true, false, true, {false, true}, false, true, false},
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
