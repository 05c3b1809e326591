// A plugin action loads from and saves to its own file.
#include "cleaner/plugins/PluginAction.h"
#include "common/MemFile.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string Bytes(const CAction& action)
{
    CMemFile file;
    action.Write(file);
    return std::string(file.GetData().begin(), file.GetData().end());
}

CAction Sample(const char* pszId, const char* pszDescription)
{
    CAction action;
    action.strId = pszId;
    action.strTitle = "Sample plugin";
    action.bEnabled = true;
    action.lstCommands = {"cleanup.exe"};
    action.strDescription = pszDescription;
    return action;
}

}  // namespace

TEST(PluginAction, LoadsFromItsFile)
{
    CTempFolder folder;
    CPluginAction plugin;
    plugin.m_strFilePath = folder / "sample.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, Bytes(Sample("Sample", "Text"))));

    ASSERT_TRUE(plugin.Load());
    EXPECT_EQ(static_cast<const CAction&>(plugin), Sample("Sample", "Text"));
}

TEST(PluginAction, MissingOrDamagedFileIsNotLoaded)
{
    CTempFolder folder;
    CPluginAction plugin;
    plugin.strId = "Untouched";
    plugin.m_strFilePath = folder / "missing.pld";
    EXPECT_FALSE(plugin.Load());

    std::string bytes = Bytes(Sample("Sample", "Text"));
    bytes[5] = 'x';  // inside the signature
    plugin.m_strFilePath = folder / "damaged.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, bytes));
    EXPECT_FALSE(plugin.Load());

    const std::string truncated = Bytes(Sample("Sample", "Text")).substr(0, 40);
    plugin.m_strFilePath = folder / "truncated.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, truncated));
    EXPECT_FALSE(plugin.Load());
    EXPECT_EQ(plugin.strId, "Untouched");
}

// Small plugins are read into memory at once, very large ones field by field
// from the file; either way the same action results and a cut file is refused.
TEST(PluginAction, SmallAndVeryLargeFilesLoadAlike)
{
    CTempFolder folder;
    for (size_t nDescription : {size_t(0), size_t(100), size_t(3) << 20}) {
        SCOPED_TRACE(nDescription);
        const CAction written = Sample("Sample", std::string(nDescription, 'd').c_str());
        const std::string bytes = Bytes(written);
        CPluginAction plugin;
        plugin.m_strFilePath = folder / "sample.pld";
        ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath, bytes));
        ASSERT_TRUE(plugin.Load());
        EXPECT_EQ(static_cast<const CAction&>(plugin), written);

        CPluginAction cut;
        cut.m_strFilePath = folder / "cut.pld";
        ASSERT_TRUE(WriteFileBytes(cut.m_strFilePath, bytes.substr(0, bytes.size() - 1)));
        EXPECT_FALSE(cut.Load());
    }
}

TEST(PluginAction, SaveOverwritesTheExistingFileOnly)
{
    CTempFolder folder;
    CPluginAction plugin;
    static_cast<CAction&>(plugin) = Sample("Short", "");
    plugin.m_strFilePath = folder / "missing.pld";
    EXPECT_FALSE(plugin.Save());
    EXPECT_EQ(GetFileAttributesA(plugin.m_strFilePath.c_str()), INVALID_FILE_ATTRIBUTES);

    // A longer action was there before: nothing of it is left behind.
    plugin.m_strFilePath = folder / "existing.pld";
    ASSERT_TRUE(WriteFileBytes(plugin.m_strFilePath,
                               Bytes(Sample("A much longer name", "A long description"))));
    ASSERT_TRUE(plugin.Save());
    EXPECT_EQ(ReadFileBytes(plugin.m_strFilePath), Bytes(Sample("Short", "")));
}
