// Per-action options and the Custom block in the registry.
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

class ActionOptions : public CProductKeyTest {};

// Three file targets and two registry targets, each with its own lists.
CAction ActionWithFiveTargets()
{
    CAction action;
    action.strId = "Five";
    action.bEnabled = true;
    for (int i = 0; i < 3; ++i) {
        FileTarget target;
        target.lstExclude = {"f" + std::to_string(i) + "a", "f" + std::to_string(i) + "b"};
        action.lstFiles.push_back(target);
    }
    for (int i = 3; i < 5; ++i) {
        RegTarget target;
        target.lstExcludeKeys = {"k" + std::to_string(i)};
        target.lstExcludeValues = {"v" + std::to_string(i), "", "w"};
        action.lstKeys.push_back(target);
    }
    return action;
}

// The action with its lists emptied, as the catalogue builds it.
CAction WithEmptyLists(CAction action)
{
    for (FileTarget& target : action.lstFiles)
        target.lstExclude.clear();
    for (RegTarget& target : action.lstKeys) {
        target.lstExcludeKeys.clear();
        target.lstExcludeValues.clear();
    }
    return action;
}

}  // namespace

TEST_F(ActionOptions, OneIndexRunsThroughFileThenRegistryTargets)
{
    CAction action = ActionWithFiveTargets();
    SaveActionOptions(action);

    const std::string strKey = ActionKeyPath("Five");
    EXPECT_EQ(strKey, "Software\\ZR\\VeltrinPRO\\Settings\\Five");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeFile0000"), "f0a|f0b");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeFile0001"), "f1a|f1b");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeFile0002"), "f2a|f2b");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeRegKey0003"), "k3");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeRegVal0003"), "v3||w");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeRegKey0004"), "k4");
    EXPECT_EQ(ReadTextValue(strKey, "ExcludeRegVal0004"), "v4||w");
    EXPECT_FALSE(ValueExists(strKey, "ExcludeRegKey0000"));
    EXPECT_FALSE(ValueExists(strKey, "ExcludeFile0003"));

    CAction loaded = WithEmptyLists(action);
    loaded.bEnabled = false;
    LoadActionOptions(loaded);
    EXPECT_EQ(loaded, action);
}

TEST_F(ActionOptions, EmptyListsDeleteTheirValues)
{
    CAction action = ActionWithFiveTargets();
    SaveActionOptions(action);

    CAction emptied = WithEmptyLists(action);
    SaveActionOptions(emptied);
    const std::string strKey = ActionKeyPath("Five");
    for (const char* pszName : {"ExcludeFile0000", "ExcludeFile0001", "ExcludeFile0002",
                                "ExcludeRegKey0003", "ExcludeRegVal0003", "ExcludeRegKey0004",
                                "ExcludeRegVal0004"})
        EXPECT_FALSE(ValueExists(strKey, pszName)) << pszName;
    EXPECT_TRUE(ValueExists(strKey, "bEnabled"));
}

TEST_F(ActionOptions, EnabledFlagOnLoad)
{
    // Nothing stored: the action keeps its state, and the key receives it.
    CAction action;
    action.strId = "Fresh";
    action.bEnabled = true;
    LoadActionOptions(action);
    EXPECT_TRUE(action.bEnabled);
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(ActionKeyPath("Fresh"), "bEnabled", dwValue));
    EXPECT_EQ(dwValue, 1u);

    // A stored choice wins over the action's own state; 5 counts as on.
    WriteDwordValue(ActionKeyPath("Stored"), "bEnabled", 5);
    CAction stored;
    stored.strId = "Stored";
    LoadActionOptions(stored);
    EXPECT_TRUE(stored.bEnabled);
    EXPECT_TRUE(ReadDwordValue(ActionKeyPath("Stored"), "bEnabled", dwValue));
    EXPECT_EQ(dwValue, 1u);

    WriteDwordValue(ActionKeyPath("Off"), "bEnabled", 0);
    CAction off;
    off.strId = "Off";
    off.bEnabled = true;
    LoadActionOptions(off);
    EXPECT_FALSE(off.bEnabled);
}

TEST_F(ActionOptions, ActionWithoutIdentifierStoresNothing)
{
    CAction action = ActionWithFiveTargets();
    action.strId.clear();
    SaveActionOptions(action);
    LoadActionOptions(action);
    EXPECT_FALSE(ValueExists(std::string(kSettingsKey), "bEnabled"));
    EXPECT_FALSE(ValueExists(std::string(kSettingsKey), "ExcludeFile0000"));
}

TEST_F(ActionOptions, CustomBlockWritesAndReadsBack)
{
    CAction custom;
    custom.strId = "Custom";
    FileTarget file;
    file.strName = "C:\\Mine";
    file.strMask = "*.log";
    file.dwType = TT_CONTENT;
    file.lstExclude = {"not stored"};
    custom.lstFiles = {file, FileTarget()};
    RegTarget key;
    key.strName = "Software\\Mine";
    key.strValue = "not stored";
    key.dwKey = RK_LOCAL_MACHINE;
    key.dwType = TT_RECURSIVE;
    custom.lstKeys = {key};
    StoreCustomTargets(custom);

    const std::string strKey = ActionKeyPath("Custom");
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(strKey, "nSFILECount", dwValue));
    EXPECT_EQ(dwValue, 2u);
    EXPECT_TRUE(ReadDwordValue(strKey, "nSREGCount", dwValue));
    EXPECT_EQ(dwValue, 1u);
    EXPECT_EQ(ReadTextValue(strKey, "strFName0000"), "C:\\Mine");
    EXPECT_EQ(ReadTextValue(strKey, "strFMask0001"), "*.*");
    EXPECT_TRUE(ReadDwordValue(strKey, "dwRKey0000", dwValue));
    EXPECT_EQ(dwValue, 0x80000002u);

    CAction loaded;
    loaded.strId = "Custom";
    LoadCustomTargets(loaded);
    ASSERT_EQ(loaded.lstFiles.size(), 2u);
    ASSERT_EQ(loaded.lstKeys.size(), 1u);
    const FileTarget& loadedFile = loaded.lstFiles.front();
    EXPECT_EQ(loadedFile.strName, "C:\\Mine");
    EXPECT_EQ(loadedFile.strMask, "*.log");
    EXPECT_EQ(loadedFile.dwType, uint32_t(TT_CONTENT));
    EXPECT_TRUE(loadedFile.lstExclude.empty());
    EXPECT_EQ(loadedFile.dwReportFlags, 273u);
    const RegTarget& loadedKey = loaded.lstKeys.front();
    EXPECT_EQ(loadedKey.strName, "Software\\Mine");
    EXPECT_EQ(loadedKey.dwKey, 0x80000002u);
    EXPECT_EQ(loadedKey.dwType, uint32_t(TT_RECURSIVE));
    EXPECT_EQ(loadedKey.strValue, "");

    // Fewer targets later: the counts shrink, the old entries stay behind.
    custom.lstFiles.clear();
    StoreCustomTargets(custom);
    EXPECT_TRUE(ReadDwordValue(strKey, "nSFILECount", dwValue));
    EXPECT_EQ(dwValue, 0u);
    EXPECT_TRUE(ValueExists(strKey, "strFName0001"));
}

TEST_F(ActionOptions, DamagedCustomCountEndsAtTheFirstMissingTarget)
{
    const std::string strKey = ActionKeyPath("Custom");
    WriteDwordValue(strKey, "nSFILECount", 0xFFFFFFFFu);
    WriteStringValue(strKey, "strFName0000", "C:\\One");
    CAction loaded;
    loaded.strId = "Custom";
    LoadCustomTargets(loaded);
    ASSERT_EQ(loaded.lstFiles.size(), 1u);
    EXPECT_EQ(loaded.lstFiles.front().strName, "C:\\One");
    EXPECT_EQ(loaded.lstFiles.front().strMask, "");
}

TEST_F(ActionOptions, OnlyTheBrowserTextsOfTheUserAreKept)
{
    auto withText = [](const char* pszId, uint32_t dwDataType) {
        CAction action;
        action.strId = pszId;
        RegUpdate update;
        update.strData = "http://mine.example/";
        update.dwDataType = dwDataType;
        action.lstKeyUpdates = {update, RegUpdate()};
        return action;
    };
    CAction home = withText("IEPropHomePage", RegUpdate::DT_TEXT);
    SaveActionOptions(home);
    EXPECT_EQ(ReadTextValue(ActionKeyPath("IEPropHomePage"), "strText"), "http://mine.example/");
    CAction loaded = withText("IEPropHomePage", RegUpdate::DT_TEXT);
    loaded.lstKeyUpdates.front().strData.clear();
    LoadActionOptions(loaded);
    EXPECT_EQ(loaded, home);

    // A plugin's own update data is the plugin's, and a number is no text.
    for (CAction other : {withText("MyPlugin", RegUpdate::DT_TEXT),
                          withText("IEPropWindowTitle", RegUpdate::DT_NUMBER)}) {
        SaveActionOptions(other);
        EXPECT_FALSE(ValueExists(ActionKeyPath(other.strId), "strText")) << other.strId;
    }
}
