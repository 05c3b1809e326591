// The action manager: identifier order, first-run defaults, what it stores at
// exit, and enabling with its question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/ActionOptions.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ActionManager : public CProductKeyTest {};

StringVector IdsInOrder(const CActionManager& manager)
{
    StringVector ids;
    for (const auto& entry : manager.m_actions)
        ids.push_back(entry.first);
    return ids;
}

}  // namespace

TEST_F(ActionManager, ActionsRunInByteWiseIdentifierOrder)
{
    CGeneralSettings settings;
    CActionManager manager(settings);
    manager.m_actions.clear();
    for (const char* pszId : {"WCClipboard", "zeta", "SMRunHistory", "IEAutoComplete",
                              "IEAddressHistory", "Zeta", "IE", "IEA", "\xE9t\xE9"})
        manager.GetAction(pszId);

    EXPECT_EQ(IdsInOrder(manager),
              (StringVector{"IE", "IEA", "IEAddressHistory", "IEAutoComplete", "SMRunHistory",
                            "WCClipboard", "Zeta", "zeta", "\xE9t\xE9"}));
}

TEST_F(ActionManager, GetActionInsertsAnEmptyActionUnderItsIdentifierOnce)
{
    CGeneralSettings settings;
    CActionManager manager(settings);
    CAction& inserted = manager.GetAction("Mine");
    EXPECT_EQ(inserted.strId, "Mine");
    EXPECT_TRUE(inserted.lstFiles.empty());
    EXPECT_FALSE(inserted.bEnabled);

    inserted.strTitle = "Changed";
    EXPECT_EQ(&manager.GetAction("Mine"), &inserted);
    EXPECT_EQ(manager.GetAction("Mine").strTitle, "Changed");
    EXPECT_EQ(manager.m_actions.count("mine"), 0u);
}

TEST_F(ActionManager, PluginIdsInOrder)
{
    CGeneralSettings settings;
    CActionManager manager(settings);
    StringVector ids = {"stale"};
    EXPECT_EQ(manager.GetPluginIds(ids), 0u);
    EXPECT_TRUE(ids.empty());

    manager.m_plugins["b"];
    manager.m_plugins["B"];
    manager.m_plugins["a"];
    EXPECT_EQ(manager.GetPluginIds(ids), 3u);
    EXPECT_EQ(ids, (StringVector{"B", "a", "b"}));
}

TEST_F(ActionManager, FirstRunDefaultsAreAppliedOnceAndStored)
{
    {
        CGeneralSettings settings;
        CActionManager manager(settings);
        EXPECT_EQ(manager.m_stats, CleanStats());
        EXPECT_EQ(settings.strDiskOpsIncludeList.Get(),
                  "*.tmp|*.bak|*.gid|*.chk|*.old|*.$*|*.~*|*.---|~*.*");
        EXPECT_EQ(settings.strDiskOpsDriveList.Get(), "C:\\");
        EXPECT_FALSE(settings.bDiskOpsNeedToSetDefaultData.Get());
        EXPECT_EQ(settings.strNetScapeHiddenFilesMask.Get(), "*.snm");
    }
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strDiskOpsDriveList"), "C:\\");
    DWORD dwValue = 1;
    EXPECT_TRUE(ReadDwordValue(kSettingsKey, "bDiskOpsNeedToSetDefaultData", dwValue));
    EXPECT_EQ(dwValue, 0u);

    // The user empties the lists and picks another mask: they stay so.
    WriteStringValue(kSettingsKey, "strDiskOpsIncludeList", "");
    WriteStringValue(kSettingsKey, "strDiskOpsDriveList", "");
    WriteStringValue(kSettingsKey, "strNetScapeHiddenFilesMask", "*.xyz");
    {
        CGeneralSettings settings;
        CActionManager manager(settings);
        EXPECT_EQ(settings.strDiskOpsIncludeList.Get(), "");
        EXPECT_EQ(settings.strDiskOpsDriveList.Get(), "");
        EXPECT_EQ(settings.strNetScapeHiddenFilesMask.Get(), "*.xyz");
    }
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strDiskOpsIncludeList"), "");
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strNetScapeHiddenFilesMask"), "*.xyz");
}

TEST_F(ActionManager, DestructionStoresCustomAndEveryActionsOptions)
{
    {
        CGeneralSettings settings;
        CActionManager manager(settings);
        CAction& action = manager.GetAction("Mine");
        action.bEnabled = true;
        FileTarget target;
        target.lstExclude = {"a", "b"};
        action.lstFiles.push_back(target);
    }
    const std::string strCustom = ActionKeyPath("Custom");
    DWORD dwValue = 1;
    EXPECT_TRUE(ReadDwordValue(strCustom, "bEnabled", dwValue));
    EXPECT_EQ(dwValue, 0u);
    EXPECT_TRUE(ReadDwordValue(strCustom, "nSFILECount", dwValue));
    EXPECT_EQ(dwValue, 0u);
    EXPECT_TRUE(ReadDwordValue(strCustom, "nSREGCount", dwValue));
    EXPECT_EQ(dwValue, 0u);

    EXPECT_TRUE(ReadDwordValue(ActionKeyPath("Mine"), "bEnabled", dwValue));
    EXPECT_EQ(dwValue, 1u);
    DWORD dwType = 0;
    std::string bytes;
    EXPECT_TRUE(ReadRawValue(ActionKeyPath("Mine"), "ExcludeFile0000", dwType, bytes));
    EXPECT_EQ(bytes, std::string("a|b\0", 4));
}

TEST_F(ActionManager, DiskScanMasksGoBackIntoTheIncludeList)
{
    auto settings = std::make_unique<CGeneralSettings>();
    {
        CActionManager manager(*settings);
        manager.GetAction("DiskOpScan").lstFiles.front().vecMasks = {"*.a", "", "*.b"};
    }
    EXPECT_EQ(settings->strDiskOpsIncludeList.Get(), "*.a||*.b");

    // A disk scan without file targets (a plugin replaced it) leaves the list.
    {
        CActionManager manager(*settings);
        manager.GetAction("DiskOpScan").lstFiles.clear();
    }
    EXPECT_EQ(settings->strDiskOpsIncludeList.Get(), "*.a||*.b");
    settings.reset();
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strDiskOpsIncludeList"), "*.a||*.b");
}

namespace {

// A scripted user for the enabling question.
struct ScriptedAnswer {
    static EnableAnswer s_answer;
    static int s_nAsked;
    static std::string s_strQuestion;
    static EnableAnswer Ask(const std::string& strQuestion)
    {
        ++s_nAsked;
        s_strQuestion = strQuestion;
        return s_answer;
    }
};
EnableAnswer ScriptedAnswer::s_answer = {true, true};
int ScriptedAnswer::s_nAsked = 0;
std::string ScriptedAnswer::s_strQuestion;

class EnableAction : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnableQuestion(&ScriptedAnswer::Ask);
        ScriptedAnswer::s_nAsked = 0;
        m_action.dwWarningLevel = WL_WARNING;
        m_action.strDescription = "Deletes files on whole drives.";
    }
    void TearDown() override { SetEnableQuestion(nullptr); }

    CAction m_action;
};

}  // namespace

TEST_F(EnableAction, AsksOnlyWhenEnablingAnUnsilencedWarningWithAsk)
{
    const struct {
        bool bEnable;
        bool bAsk;
        uint32_t dwLevel;
        bool bWarned;
        bool bAsked;
    } cases[] = {
        {true, false, WL_WARNING, false, false},
        {false, true, WL_WARNING, false, false},
        {true, true, WL_INFORMATION, false, false},
        {true, true, WL_WARNING, true, false},
        {true, true, WL_WARNING, false, true},
    };
    for (const auto& c : cases) {
        m_action.dwWarningLevel = c.dwLevel;
        m_action.bWarned = c.bWarned;
        m_action.bEnabled = !c.bEnable;
        ScriptedAnswer::s_nAsked = 0;
        ScriptedAnswer::s_answer = {true, true};
        EXPECT_EQ(SetActionEnabled(m_action, c.bEnable, c.bAsk), c.bEnable);
        EXPECT_EQ(m_action.bEnabled, c.bEnable);
        EXPECT_EQ(ScriptedAnswer::s_nAsked, c.bAsked ? 1 : 0);
    }
    EXPECT_EQ(ScriptedAnswer::s_strQuestion,
              "Deletes files on whole drives.\r\nAre you sure you want to enable it?");
}

TEST_F(EnableAction, ClearedCheckBoxSilencesTheQuestionForTheProcess)
{
    ScriptedAnswer::s_answer = {true, true};
    EXPECT_TRUE(SetActionEnabled(m_action, true, true));
    EXPECT_FALSE(m_action.bWarned);
    EXPECT_TRUE(SetActionEnabled(m_action, true, true));
    EXPECT_EQ(ScriptedAnswer::s_nAsked, 2);

    ScriptedAnswer::s_answer = {true, false};
    EXPECT_TRUE(SetActionEnabled(m_action, true, true));
    EXPECT_TRUE(m_action.bWarned);
    EXPECT_TRUE(SetActionEnabled(m_action, true, true));
    EXPECT_EQ(ScriptedAnswer::s_nAsked, 3);
}

TEST_F(EnableAction, NoLeavesTheActionDisabled)
{
    m_action.bEnabled = true;
    ScriptedAnswer::s_answer = {false, true};
    EXPECT_FALSE(SetActionEnabled(m_action, true, true));
    EXPECT_FALSE(m_action.bEnabled);
    EXPECT_FALSE(m_action.bWarned);

    // No with the box cleared: still disabled, and not asked again.
    ScriptedAnswer::s_answer = {false, false};
    EXPECT_FALSE(SetActionEnabled(m_action, true, true));
    EXPECT_TRUE(m_action.bWarned);
    EXPECT_TRUE(SetActionEnabled(m_action, true, true));
}

TEST_F(EnableAction, WithoutAnyoneToAskTheAnswerIsNo)
{
    SetEnableQuestion(nullptr);
    EXPECT_FALSE(SetActionEnabled(m_action, true, true));
    EXPECT_FALSE(m_action.bWarned);
    EXPECT_TRUE(SetActionEnabled(m_action, true, false));
}
