// The action manager: the catalogue it builds, first-run defaults, what it
// stores at exit, and enabling with its question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

#include <set>

typedef CManagerTest ActionManager;

TEST_F(ActionManager, FortyDisabledActionsWithOptionsFromTheSettings)
{
    WriteStringValue(kSettingsKey, "strDiskOpsIncludeList", "*.a||*.b");
    WriteDwordValue(kSettingsKey, "bDiskOpsNeedToSetDefaultData", 0);
    WriteDwordValue(kSettingsKey, "bIECookiesAllowDate", 1);
    WriteDwordValue(kSettingsKey, "bFileOpsWarp", 1);
    m_settings.reset(new CGeneralSettings);
    CActionManager& manager = Build();
    ASSERT_EQ(manager.m_actions.size(), 40u);
    std::set<std::string> titles;
    for (const auto& entry : manager.m_actions) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(entry.second.strId, entry.first);
        EXPECT_FALSE(entry.second.bEnabled);
        EXPECT_EQ(entry.second.dwWarningLevel == WL_WARNING, entry.first == "DiskOpScan");
        titles.insert(entry.second.strTitle);
    }
    EXPECT_EQ(titles.size(), 40u);
    EXPECT_TRUE(manager.m_actions["IECookies"].lstFiles.front().bUseDate);
    EXPECT_NE(manager.m_actions["IECookies"].lstFiles.front().stDate.wYear, 0);
    const FileTarget& scan = manager.m_actions["DiskOpScan"].lstFiles.front();
    EXPECT_TRUE(scan.bWipe);
    EXPECT_EQ(scan.vecMasks, (StringVector{"*.a", "", "*.b"}));
    EXPECT_EQ(manager.m_actions["RealPlayerPlaylist"].lstKeys.size(), 12u);
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

static EnableAnswer g_answer;
static int g_nAsked = 0;
static std::string g_strQuestion;

static EnableAnswer Ask(const std::string& strQuestion)
{
    ++g_nAsked;
    g_strQuestion = strQuestion;
    return g_answer;
}

// Enabling a warning-level action that the user has not silenced asks
// first; No leaves it disabled, and a cleared box silences the question.
TEST(EnableAction, AsksOnlyWhenItShouldAndFollowsTheAnswer)
{
    const struct {
        const char* name;
        bool bEnable, bAsk, bWarning, bWarned, bSomeoneToAsk;
        EnableAnswer answer;
        bool bAsked, bEnabledAfter, bWarnedAfter;
    } cases[] = {
        {"yes", true, true, true, false, true, {true, true}, true, true, false},
        {"yes, box cleared", true, true, true, false, true, {true, false}, true, true, true},
        {"no, box cleared", true, true, true, false, true, {false, false}, true, false, true},
        {"no one to ask", true, true, true, false, false, {true, true}, false, false, false},
        {"not to ask", true, false, true, false, true, {false, true}, false, true, false},
        {"disabling", false, true, true, false, true, {true, true}, false, false, false},
        {"no warning", true, true, false, false, true, {false, true}, false, true, false},
        {"silenced", true, true, true, true, true, {false, true}, false, true, true},
    };
    CAction action;
    action.strDescription = "Deletes files on whole drives.";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnableQuestion(c.bSomeoneToAsk ? &Ask : nullptr);
        g_answer = c.answer;
        g_nAsked = 0;
        action.dwWarningLevel = c.bWarning ? WL_WARNING : WL_INFORMATION;
        action.bWarned = c.bWarned;
        action.bEnabled = !c.bEnabledAfter;
        EXPECT_EQ(SetActionEnabled(action, c.bEnable, c.bAsk), c.bEnabledAfter);
        EXPECT_EQ(action.bEnabled, c.bEnabledAfter);
        EXPECT_EQ(action.bWarned, c.bWarnedAfter);
        EXPECT_EQ(g_nAsked, c.bAsked ? 1 : 0);
    }
    SetEnableQuestion(nullptr);
    EXPECT_EQ(g_strQuestion,
              "Deletes files on whole drives.\r\nAre you sure you want to enable it?");
}
