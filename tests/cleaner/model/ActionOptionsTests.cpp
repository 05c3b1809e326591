// Per-action options in the registry.
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

typedef CProductKeyTest ActionOptions;

// One index runs through the file targets and then the registry targets;
// an emptied list deletes its value, the enabled flag stays.
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
        {"ExcludeRegVal0002", "v2||w"}, {"ExcludeRegVal0003", "v3"},
        {"ExcludeRegKey0003", "<missing>"}, {"ExcludeFile0002", "<missing>"}};
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
    CAction nameless = action;
    nameless.strId.clear();
    DeleteProductKey();
    SaveActionOptions(nameless);
    LoadActionOptions(nameless);
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
                 {"IEPropWindowTitle", RegUpdate::DT_TEXT, true},
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
