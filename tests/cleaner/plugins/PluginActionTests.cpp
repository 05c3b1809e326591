// A plugin action loads from its own file: small plugins are read into
// memory at once, very large ones field by field from the file. Damaged
// and cut files, small and large, are refused by the loading of a folder.
#include "cleaner/plugins/PluginAction.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(PluginAction, VeryLargeFileLoadsWholeOnly)
{
    CAction large;
    large.strId = "Large";
    large.lstCommands = {"cleanup.exe"};
    large.strDescription.assign(size_t(3) << 20, 'd');
    const std::string bytes = PluginBytes(large);
    CTempFolder folder;
    CPluginAction plugin;
    plugin.m_strFilePath = folder / "large.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(plugin.Load());
    EXPECT_EQ(plugin.strId, "");
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, bytes));
    EXPECT_TRUE(plugin.Load());
    EXPECT_EQ(PluginBytes(plugin), bytes);
}
