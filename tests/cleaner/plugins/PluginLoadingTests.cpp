// Plugin files becoming actions: where they are found, which one wins, and
// what is skipped.
#include "cleaner/model/ActionOptions.h"
#include "cleaner/plugins/PluginLoading.h"
#include "common/RegistryKeys.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class PluginLoading : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
    }

    bool WritePlugin(const std::string& strFile, const std::string& strId,
                     const char* pszTitle = "Plugin", bool bEnabled = false)
    {
        CAction action;
        action.strId = strId;
        action.strTitle = pszTitle;
        action.bEnabled = bEnabled;
        return WriteFileBytes(m_folder / strFile, PluginBytes(action));
    }

    CTempFolder m_folder;
};

}  // namespace

TEST_F(PluginLoading, FolderComesFromTheSettingOrSitsBesideTheProgram)
{
    EXPECT_EQ(GetPluginFolder(), m_folder.Path());

    DeleteProductKey();
    char szProgram[MAX_PATH];
    GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    std::string strExpected = szProgram;
    strExpected = strExpected.substr(0, strExpected.rfind('\\')) + "\\Plugins";
    EXPECT_EQ(GetPluginFolder(), strExpected);
    // Stored, so that the editor finds the folder too.
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strPluginFolder"), strExpected);
}

TEST_F(PluginLoading, PluginsBecomeActionsAndTheLaterFileWins)
{
    ASSERT_TRUE(WritePlugin("a.pld", "Twice", "From a"));
    ASSERT_TRUE(WritePlugin("b.pld", "Twice", "From b"));
    ASSERT_TRUE(WritePlugin("replace.pld", "IECache", "Replaced cache"));
    ASSERT_TRUE(WritePlugin("note.txt", "NotAPlugin"));
    ASSERT_TRUE(WritePlugin("copy.pld~", "Backup"));  // found by its short name alone
    ASSERT_TRUE(WriteFileBytes(m_folder / "broken.pld", "not a plugin at all"));
    ASSERT_TRUE(CreateDirectoryA((m_folder / "sub.pld").c_str(), nullptr));

    CActionManager& manager = Build();
    StringVector ids = {"stale"};
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, (StringVector{"IECache", "Twice"}));
    EXPECT_EQ(manager.m_actions.size(), 41u);
    EXPECT_EQ(manager.m_actions["IECache"].strTitle, "Replaced cache");
    EXPECT_TRUE(manager.m_actions["IECache"].lstFiles.empty());

    std::string strLater;
    for (const std::string& strName : FilesInListedOrder(m_folder.Path(), "*.pld")) {
        if (strName == "a.pld" || strName == "b.pld")
            strLater = strName;
    }
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, strLater == "a.pld" ? "From a" : "From b");
    EXPECT_EQ(manager.m_plugins["Twice"].m_strFilePath, m_folder / strLater);
}

TEST_F(PluginLoading, StoredEnabledFlagWinsAtStartAndReloadCopiesTheFileAgain)
{
    ASSERT_TRUE(WritePlugin("one.pld", "One", "First", true));
    ASSERT_TRUE(WritePlugin("two.pld", "Two", "Second", true));
    WriteDwordValue(ActionKeyPath("One"), "bEnabled", 0);
    CActionManager& manager = Build();
    EXPECT_FALSE(manager.m_actions["One"].bEnabled);
    EXPECT_TRUE(manager.m_actions["Two"].bEnabled);  // nothing stored: the file's own flag

    manager.m_actions["One"].strTitle = "Changed in memory";
    EXPECT_TRUE(manager.LoadPlugins());
    EXPECT_TRUE(manager.m_actions["One"].bEnabled);
    EXPECT_EQ(manager.m_actions["One"].strTitle, "First");

    // A folder without plugins empties the plugin list, not the actions.
    WriteStringValue(kSettingsKey, "strPluginFolder", m_folder / "missing");
    manager.LoadPlugins();
    EXPECT_TRUE(manager.m_plugins.empty());
    EXPECT_EQ(manager.m_actions.count("Two"), 1u);
}

TEST_F(PluginLoading, HostileFolderYieldsEveryGoodPluginWholeAndNothingElse)
{
    const CHostilePluginFolder hostile(m_folder.Path());
    CActionManager& manager = Build();
    StringVector ids;
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, hostile.LoadableIds());
    EXPECT_EQ(manager.m_actions.size(), 40u + ids.size());
    CAction expected = FullPlugin("Good3");
    expected.bEnabled = manager.m_actions["Good3"].bEnabled;
    EXPECT_TRUE(manager.m_actions["Good3"] == expected);
}
