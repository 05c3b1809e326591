// Plugin files becoming actions: where they are found, which one wins, and
// what is skipped.
#include "cleaner/model/ActionOptions.h"
#include "cleaner/plugins/PluginLoading.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class PluginLoading : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
    }

    void WritePlugin(const std::string& strFile, const std::string& strId,
                     const std::string& strTitle, bool bEnabled = false)
    {
        CAction action;
        action.strId = strId;
        action.strTitle = strTitle;
        action.bEnabled = bEnabled;
        CWin32File file;
        ASSERT_TRUE(file.Open((m_folder / strFile).c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(action.Write(file));
    }

    // For another thread: no test assertions, a file that cannot be written
    // is simply missing.
    void WritePluginQuietly(const std::string& strFile, const std::string& strId)
    {
        CAction action;
        action.strId = strId;
        action.strTitle = "Plugin";
        CWin32File file;
        if (file.Open((m_folder / strFile).c_str(), CWin32File::OM_CREATE))
            action.Write(file);
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
    WritePlugin("a.pld", "Twice", "From a");
    WritePlugin("b.pld", "Twice", "From b");
    WritePlugin("replace.pld", "IECache", "Replaced cache");
    WritePlugin("note.txt", "NotAPlugin", "Wrong extension");
    WritePlugin("copy.pld~", "Backup", "Found by its short name alone");
    ASSERT_TRUE(WriteFileBytes(m_folder / "broken.pld", "not a plugin at all"));
    ASSERT_TRUE(CreateDirectoryA((m_folder / "sub.pld").c_str(), nullptr));

    CActionManager& manager = Build();
    StringVector ids;
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, (StringVector{"IECache", "Twice"}));

    std::string strLater;
    for (const std::string& strName : FilesInListedOrder(m_folder.Path(), "*.pld")) {
        if (strName == "a.pld" || strName == "b.pld")
            strLater = strName;
    }
    const std::string strTitle = strLater == "a.pld" ? "From a" : "From b";
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, strTitle);
    EXPECT_EQ(manager.m_plugins["Twice"].m_strFilePath, m_folder / strLater);
    EXPECT_EQ(manager.m_actions["IECache"].strTitle, "Replaced cache");
    EXPECT_TRUE(manager.m_actions["IECache"].lstFiles.empty());
    EXPECT_EQ(manager.m_actions.count("NotAPlugin"), 0u);
    EXPECT_EQ(manager.m_actions.size(), 41u);
}

TEST_F(PluginLoading, StoredEnabledFlagWinsAtStartAndReloadCopiesTheFileAgain)
{
    WritePlugin("one.pld", "One", "First", true);
    WriteDwordValue(ActionKeyPath("One"), "bEnabled", 0);
    CActionManager& manager = Build();
    EXPECT_FALSE(manager.m_actions["One"].bEnabled);

    WritePlugin("two.pld", "Two", "Second", true);
    manager.m_actions["One"].strTitle = "Changed in memory";
    EXPECT_TRUE(manager.LoadPlugins());
    EXPECT_EQ(manager.m_plugins.size(), 2u);
    EXPECT_TRUE(manager.m_actions["One"].bEnabled);
    EXPECT_EQ(manager.m_actions["One"].strTitle, "First");
    EXPECT_TRUE(manager.m_actions["Two"].bEnabled);

    // A folder without plugins empties the plugin list, not the actions.
    WriteStringValue(kSettingsKey, "strPluginFolder", m_folder / "missing");
    manager.LoadPlugins();
    EXPECT_TRUE(manager.m_plugins.empty());
    EXPECT_EQ(manager.m_actions.count("Two"), 1u);
}

TEST_F(PluginLoading, HostileFolderYieldsEveryGoodPluginAndNothingElse)
{
    const CHostilePluginFolder hostile(m_folder.Path());
    ASSERT_GE(hostile.EntryCount(), 200);

    CActionManager& manager = Build();

    StringVector ids;
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, hostile.LoadableIds());
    EXPECT_EQ(manager.m_actions.size(), 40u + hostile.LoadableIds().size());
    // A good plugin arrives whole, whatever surrounds it.
    CAction expected = FullPlugin("Good3");
    expected.bEnabled = manager.m_actions["Good3"].bEnabled;
    EXPECT_TRUE(manager.m_actions["Good3"] == expected);
    // A second load over the same folder finds the same.
    EXPECT_TRUE(manager.LoadPlugins());
    StringVector again;
    manager.GetPluginIds(again);
    EXPECT_EQ(again, ids);
}

TEST_F(PluginLoading, FolderThatGoesAwayWhileLoadingLeavesWhatWasRead)
{
    // One thread loads again and again while another removes the folder's
    // files and the folder and puts them back: each load ends, and finds
    // only whole plugins.
    for (int n = 0; n < 20; ++n)
        WritePlugin("p" + std::to_string(n) + ".pld", "P" + std::to_string(n), "Plugin");
    CActionManager& manager = Build();
    std::atomic<bool> bDone(false);
    std::thread remover([&] {
        for (int nRound = 0; nRound < 30; ++nRound) {
            for (int n = 0; n < 20; ++n)
                DeleteFileA((m_folder / ("p" + std::to_string(n) + ".pld")).c_str());
            RemoveDirectoryA(m_folder.Path().c_str());
            CreateDirectoryA(m_folder.Path().c_str(), nullptr);
            for (int n = 0; n < 20; ++n)
                WritePluginQuietly("p" + std::to_string(n) + ".pld", "P" + std::to_string(n));
        }
        bDone = true;
    });
    int nLoads = 0;
    while (!bDone) {
        EXPECT_TRUE(manager.LoadPlugins());
        for (const auto& plugin : manager.m_plugins)
            EXPECT_EQ(manager.m_actions[plugin.first].strTitle, "Plugin");
        ++nLoads;
    }
    remover.join();
    EXPECT_GT(nLoads, 0);
}
