// A plugin action loads from and saves to its own file.
#include "cleaner/plugins/PluginAction.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

static CAction Sample(const char* pszId, size_t nDescription)
{
    CAction action;
    action.strId = pszId;
    action.bEnabled = true;
    action.lstCommands = {"cleanup.exe"};
    action.strDescription.assign(nDescription, 'd');
    return action;
}

// Small plugins are read into memory at once, very large ones field by field
// from the file; either way the same action results, and a missing, damaged
// or cut file is refused and leaves the action as it was.
TEST(PluginAction, LoadsWholeFilesOfAnySizeOnly)
{
    const std::string small = PluginBytes(Sample("Small", 100));
    const std::string large = PluginBytes(Sample("Large", size_t(3) << 20));
    const std::pair<const char*, std::string> cases[] = {
        {"small", small}, {"large", large}, {"small cut", small.substr(0, small.size() - 1)},
        {"large cut", large.substr(0, large.size() - 1)},
        {"damaged", small.substr(0, 5) + 'x' + small.substr(6)},  // in the signature
        {"missing", ""},
    };
    CTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        CPluginAction plugin;
        plugin.strId = "Untouched";
        plugin.m_strFilePath = folder / c.first;
        if (!c.second.empty())
            ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, c.second));
        const bool bWhole = c.second == small || c.second == large;
        EXPECT_EQ(plugin.Load(), bWhole);
        EXPECT_EQ(bWhole ? PluginBytes(plugin) : plugin.strId, bWhole ? c.second : "Untouched");
    }
}

TEST(PluginAction, SaveOverwritesTheExistingFileOnlyAndLeavesNoOldTail)
{
    CTempFolder folder;
    CPluginAction plugin;
    static_cast<CAction&>(plugin) = Sample("Short", 0);
    plugin.m_strFilePath = folder / "missing.pld";
    EXPECT_FALSE(plugin.Save());
    EXPECT_FALSE(FileExists(plugin.m_strFilePath));

    plugin.m_strFilePath = folder / "existing.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, PluginBytes(Sample("A longer one", 100))));
    ASSERT_TRUE(plugin.Save());
    EXPECT_EQ(ReadFileBytes(plugin.m_strFilePath), PluginBytes(plugin));
}
