// The action manager: the catalogue it builds, identifier order, first-run
// defaults, what it stores at exit, and enabling with its question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

#include <set>

namespace {

typedef CManagerTest ActionManager;

}  // namespace

TEST_F(ActionManager, FortyDisabledActionsWithOptionsFromTheSettings)
{
    WriteStringValue(kSettingsKey, "strDiskOpsIncludeList", "*.a||*.b");
    WriteDwordValue(kSettingsKey, "bDiskOpsNeedToSetDefaultData", 0);
    WriteDwordValue(kSettingsKey, "bIECookiesAllowDate", 1);
    WriteDwordValue(kSettingsKey, "bFileOpsWarp", 1);
    m_settings.reset(new CGeneralSettings);
    SYSTEMTIME now;
    GetSystemTime(&now);
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
    const FileTarget& cookies = manager.m_actions["IECookies"].lstFiles.front();
    EXPECT_TRUE(cookies.bUseDate);
    EXPECT_EQ(cookies.stDate.wYear, now.wYear);
    const FileTarget& scan = manager.m_actions["DiskOpScan"].lstFiles.front();
    EXPECT_TRUE(scan.bWipe);
    EXPECT_EQ(scan.vecMasks, (StringVector{"*.a", "", "*.b"}));
    EXPECT_EQ(manager.m_actions["RealPlayerPlaylist"].lstKeys.size(), 12u);
}

TEST_F(ActionManager, ActionsAndPluginsInByteWiseIdentifierOrder)
{
    CActionManager& manager = Build();
    manager.m_actions.clear();
    for (const char* pszId : {"zeta", "IEA", "\xE9t\xE9", "Zeta", "IE"})
        manager.GetAction(pszId);
    manager.GetAction("IE").strTitle = "Changed";
    EXPECT_EQ(manager.GetAction("IE").strTitle, "Changed");
    StringVector ids;
    for (const auto& entry : manager.m_actions)
        ids.push_back(entry.second.strId);
    EXPECT_EQ(ids, (StringVector{"IE", "IEA", "Zeta", "zeta", "\xE9t\xE9"}));

    ids = {"stale"};
    manager.m_plugins.clear();
    EXPECT_EQ(manager.GetPluginIds(ids), 0u);
    EXPECT_TRUE(ids.empty());
    for (const char* pszId : {"b", "B", "a"})
        manager.m_plugins[pszId];
    EXPECT_EQ(manager.GetPluginIds(ids), 3u);
    EXPECT_EQ(ids, (StringVector{"B", "a", "b"}));
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
    EXPECT_FALSE(settings.bDiskOpsNeedToSetDefaultData.Get());

    // What the user chose instead stays, empty lists too.
    m_manager.reset();
    settings.strDiskOpsIncludeList = "";
    settings.strDiskOpsDriveList = "";
    settings.strNetScapeHiddenFilesMask = "*.xyz";
    settings.strAOLMessangerPath = "D:\\Mine";
    Build();
    EXPECT_EQ(settings.strDiskOpsIncludeList.Get(), "");
    EXPECT_EQ(settings.strDiskOpsDriveList.Get(), "");
    EXPECT_EQ(settings.strNetScapeHiddenFilesMask.Get(), "*.xyz");
    EXPECT_EQ(settings.strAOLMessangerPath.Get(), "D:\\Mine");
}

TEST_F(ActionManager, DestructionStoresEveryActionsOptionsAndTheDiskScanMasks)
{
    CAction& mine = Build().GetAction("Mine");
    mine.bEnabled = true;
    mine.lstFiles.resize(1);
    mine.lstFiles.front().lstExclude = {"a", "b"};
    m_manager->GetAction("DiskOpScan").lstFiles.front().vecMasks = {"*.x", "", "*.y"};
    m_manager.reset();
    DWORD dwEnabled = 0;
    EXPECT_TRUE(ReadDwordValue(ActionKeyPath("Mine"), "bEnabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 1u);
    EXPECT_EQ(ReadTextValue(ActionKeyPath("Mine"), "ExcludeFile0000"), "a|b");
    EXPECT_EQ(m_settings->strDiskOpsIncludeList.Get(), "*.x||*.y");

    // A disk scan without file targets (a plugin replaced it) leaves the list.
    Build().GetAction("DiskOpScan").lstFiles.clear();
    m_manager.reset();
    EXPECT_EQ(m_settings->strDiskOpsIncludeList.Get(), "*.x||*.y");
}

namespace {

EnableAnswer g_answer;
int g_nAsked = 0;
std::string g_strQuestion;

EnableAnswer Ask(const std::string& strQuestion)
{
    ++g_nAsked;
    g_strQuestion = strQuestion;
    return g_answer;
}

}  // namespace

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
        {"no", true, true, true, false, true, {false, true}, true, false, false},
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
