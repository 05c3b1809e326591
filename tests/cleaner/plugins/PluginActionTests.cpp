// A plugin action loads from and saves to its own file.
#include "cleaner/plugins/PluginAction.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

CAction Sample(const char* pszId, size_t nDescription)
{
    CAction action;
    action.strId = pszId;
    action.strTitle = "Sample plugin";
    action.bEnabled = true;
    action.lstCommands = {"cleanup.exe"};
    action.strDescription.assign(nDescription, 'd');
    return action;
}

}  // namespace

// Small plugins are read into memory at once, very large ones field by field
// from the file; either way the same action results, and a missing, damaged
// or cut file is refused and leaves the action as it was.
TEST(PluginAction, LoadsWholeFilesOfAnySizeOnly)
{
    const std::string small = PluginBytes(Sample("Small", 100));
    const std::string large = PluginBytes(Sample("Large", size_t(3) << 20));
    std::string damaged = small;
    damaged[5] = 'x';  // inside the signature
    const struct {
        const char* name;
        std::string bytes;  // none: no file
        bool bLoads;
    } cases[] = {
        {"small", small, true},
        {"large", large, true},
        {"small cut", small.substr(0, small.size() - 1), false},
        {"large cut", large.substr(0, large.size() - 1), false},
        {"damaged", damaged, false},
        {"missing", "", false},
    };
    CTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPluginAction plugin;
        plugin.strId = "Untouched";
        plugin.m_strFilePath = folder / (std::string(c.name) + ".pld");
        if (!c.bytes.empty())
            ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, c.bytes));
        EXPECT_EQ(plugin.Load(), c.bLoads);
        if (c.bLoads)
            EXPECT_EQ(PluginBytes(plugin), c.bytes);
        else
            EXPECT_EQ(plugin.strId, "Untouched");
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
    EXPECT_EQ(ReadFileBytes(plugin.m_strFilePath), PluginBytes(Sample("Short", 0)));
}
