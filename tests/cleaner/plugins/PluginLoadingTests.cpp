// Plugin files becoming actions: which one wins, what is skipped, and what a folder of
// hostile files yields.
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/PluginBytes.h"

#include <gtest/gtest.h>

class PluginLoading : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
    }
    bool WritePlugin(const std::string& strFile, const char* pszId, const char* pszTitle,
                     bool bEnabled = false)
    {
        CAction action;
        action.strId = pszId;
        action.strTitle = pszTitle;
        action.bEnabled = bEnabled;
        return WriteFileBytes(m_folder / strFile, PluginBytes(action));
    }
    CTempFolder m_folder;
};

// The later of two files wins; the stored enabled flag wins over the file's at the start,
// and a reload copies the files again.
TEST_F(PluginLoading, PluginsBecomeActionsAndTheLaterFileWins)
{
    ASSERT_TRUE(WritePlugin("a.pld", "Twice", "From a", true) &&
                WritePlugin("b.pld", "Twice", "From b", true));
    ASSERT_TRUE(WritePlugin("replace.pld", "IECache", "Replaced cache", true) &&
                WritePlugin("note.txt", "NotAPlugin", "") &&
                WritePlugin("copy.pld~", "Backup", ""));  // found by its short name alone
    WriteDwordValue(ActionKeyPath("Twice"), "bEnabled", 0);
    CActionManager& manager = Build();
    StringVector ids = {"stale"};
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, (StringVector{"IECache", "Twice"}));
    EXPECT_EQ(manager.m_actions.size(), 41u);
    EXPECT_EQ(manager.m_actions["IECache"].strTitle, "Replaced cache");
    EXPECT_TRUE(manager.m_actions["IECache"].lstFiles.empty());
    EXPECT_TRUE(manager.m_actions["IECache"].bEnabled);  // nothing stored: the file's own flag
    EXPECT_FALSE(manager.m_actions["Twice"].bEnabled);
    const StringVector listed = FilesInListedOrder(m_folder.Path(), "?.pld");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, "From " + listed.back().substr(0, 1));
    EXPECT_EQ(manager.m_plugins["Twice"].m_strFilePath, m_folder / listed.back());

    manager.m_actions["Twice"].strTitle = "Changed in memory";
    EXPECT_TRUE(manager.LoadPlugins());
    EXPECT_TRUE(manager.m_actions["Twice"].bEnabled);
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, "From " + listed.back().substr(0, 1));
    // A folder without plugins empties the plugin list, not the actions.
    WriteStringValue(kSettingsKey, "strPluginFolder", m_folder / "missing");
    manager.LoadPlugins();
    EXPECT_TRUE(manager.m_plugins.empty());
    EXPECT_EQ(manager.m_actions.count("Twice"), 1u);
}

TEST_F(PluginLoading, HostileFolderYieldsEveryGoodPluginWholeAndNothingElse)
{
    const CHostilePluginFolder hostile(m_folder.Path());
    // A very large plugin is read field by field from its file, not at once.
    CAction large = FullPlugin("Large");
    large.strDescription.assign(size_t(3) << 20, 'd');
    const std::string bytes = PluginBytes(large);
    ASSERT_TRUE(WriteFileBytes(m_folder / "large.pld", bytes));
    ASSERT_TRUE(WriteFileBytes(m_folder / "large-cut.pld", bytes.substr(0, bytes.size() - 1)));
    CActionManager& manager = Build();
    StringVector ids, expected = hostile.LoadableIds();
    expected.push_back("Large");
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(manager.m_actions.size(), 40u + ids.size());
    for (CAction whole : {FullPlugin("Good3"), large}) {
        whole.bEnabled = manager.m_actions[whole.strId].bEnabled;
        EXPECT_TRUE(manager.m_actions[whole.strId] == whole) << whole.strId;
    }
}
