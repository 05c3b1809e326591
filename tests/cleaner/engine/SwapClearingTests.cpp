// Swap-file clearing against the prefix's files and registry, each put back after the test.
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegistryKeys.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestRegistry.h"

namespace {

const std::string kMarker = "{5A0C77E2-3B19-4D6E-9F41-7C2B8E06D1A4}";
const char kMemoryManagementKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const std::string kSwapOptionKey = std::string(kSettingsKey) + "\\WCSwap";

std::string PageFileLine(const std::string& strSwap)
{
    return "PageFile = \"" + strSwap + "\"\r\n";
}

class SwapClearing : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_registry.Remove(HKEY_LOCAL_MACHINE, kMemoryManagementKey, "ClearPageFileAtShutdown");
        m_registry.Remove(HKEY_CURRENT_USER, kSwapOptionKey, "Enabled");
        m_rootSwap.Remove();
        // The start-up line names the current folder by its short form.
        char szShort[MAX_PATH];
        ASSERT_TRUE(SetCurrentDirectoryA(m_current.Path().c_str()));
        ASSERT_NE(GetShortPathNameA(m_current.Path().c_str(), szShort, MAX_PATH), 0u);
        ASSERT_NE(szShort, m_current.Path());
        m_strLine = std::string(szShort) + "\\swpclr.exe " + kMarker + "\r\n";
    }
    // Not back to the start folder, which may lie outside every drive.
    void TearDown() override { SetCurrentDirectoryA(m_strWindows.c_str()); }
    const std::string m_strWindows = WindowsFolder();
    const char m_cDrive = m_strWindows[0];
    CScratchRegistry m_registry;
    CSavedFile m_batch{m_strWindows.substr(0, 3) + "autoexec.bat"};
    CSavedFile m_config{m_strWindows + "\\Veltrin.ini"};
    CSavedFile m_rootSwap{m_strWindows.substr(0, 3) + "win386.swp"};
    CTempFolder m_current;
    std::string m_strLine;  // the start-up line the cleaner writes from m_current
};

}  // namespace

// NT clears its swap file itself when its setting says so; 95/98/ME keeps the option as the
// program's own value and starts the clearing program from a line of the batch file.
TEST_F(SwapClearing, TheOptionIsTheSystemSettingOnNTAndAStartupLineOn9x)
{
    const std::string config = PageFileLine("D:\\old.swp"),
                      batch = "REM mine " + kMarker + "\r\n@ECHO OFF\r\nPATH C:\\DOS";
    m_batch.Write(batch);
    m_config.Write(config);
    m_rootSwap.Write("swap");
    EXPECT_FALSE(ReadSwapClearingOption());  // missing reads as off
    if (IsWinNT()) {
        for (bool bEnabled : {true, false, true}) {
            WriteSwapClearingOption(bEnabled, m_cDrive);
            DWORD dwClear = 2;
            EXPECT_TRUE(ReadDwordValue(kMemoryManagementKey, "ClearPageFileAtShutdown", dwClear,
                                       HKEY_LOCAL_MACHINE));
            EXPECT_EQ(dwClear, bEnabled ? 1u : 0u);
            EXPECT_EQ(ReadSwapClearingOption(), bEnabled);
            EXPECT_EQ(m_batch.Read(), batch);
            EXPECT_EQ(m_config.Read(), config);
            EXPECT_FALSE(ValueExists(kSwapOptionKey, "Enabled"));
        }
        return;
    }
    ASSERT_TRUE(IsWin9x());
    WriteDwordValue(kMemoryManagementKey, "ClearPageFileAtShutdown", 1, HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(ReadSwapClearingOption());
    // The user's own line with the marker goes too; no blank line builds up before the new one.
    for (int n = 0; n < 2; ++n) {
        WriteSwapClearingOption(true, m_cDrive);
        EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\nPATH C:\\DOS\r\n" + m_strLine);
        EXPECT_EQ(m_config.Read(), PageFileLine(m_rootSwap.Path()));
        EXPECT_TRUE(ReadSwapClearingOption());
    }
    m_batch.Write("@ECHO OFF\r\n\r\n" + m_strLine + "SET TEMP=C:\\TEMP\r\n");
    WriteSwapClearingOption(false, m_cDrive);
    EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\n\r\nSET TEMP=C:\\TEMP\r\n");
    EXPECT_TRUE(m_config.Exists());
    EXPECT_EQ(m_config.Read(), "");
    DWORD dwEnabled = 1;
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 0u);
    EXPECT_FALSE(ReadSwapClearingOption());
    WriteDwordValue(kSwapOptionKey, "Enabled", 2);
    EXPECT_TRUE(ReadSwapClearingOption());
}
