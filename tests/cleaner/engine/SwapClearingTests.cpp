// Swap-file clearing against the prefix's files and registry, each put back after the test.
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegistryKeys.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestRegistry.h"

// NT clears its swap file itself when its setting says so; 95/98/ME start the clearing program
// from a line of the batch file. Reading the option back is the settings page's test.
TEST(SwapClearing, TheOptionIsTheSystemSettingOnNTAndAStartupLineOn9x)
{
    const std::string strWindows = WindowsFolder(), strRoot = strWindows.substr(0, 3),
                      strMarker = "{5A0C77E2-3B19-4D6E-9F41-7C2B8E06D1A4}",
                      strMemory =
                          "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
    CScratchRegistry registry;
    registry.Remove(HKEY_LOCAL_MACHINE, strMemory, "ClearPageFileAtShutdown");
    registry.Remove(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\WCSwap", "Enabled");
    const CSavedFile batch(strRoot + "autoexec.bat"), config(strWindows + "\\Veltrin.ini"),
        rootSwap(strRoot + "win386.swp");
    // The start-up line names the current folder by its short form. The test ends in a folder
    // on a drive, not in the start folder, which may lie outside every drive.
    CTempFolder current;
    struct CLeave {
        ~CLeave() { SetCurrentDirectoryA(WindowsFolder().c_str()); }
    } leave;
    char szShort[MAX_PATH];
    ASSERT_TRUE(SetCurrentDirectoryA(current.Path().c_str()));
    ASSERT_NE(GetShortPathNameA(current.Path().c_str(), szShort, MAX_PATH), 0u);
    const std::string strLine = std::string(szShort) + "\\swpclr.exe " + strMarker + "\r\n",
                      strConfig = "PageFile = \"d:\\old.swp\"\r\n",
                      strBatch = "REM mine " + strMarker + "\r\n@ECHO OFF\r\nPATH C:\\DOS";
    batch.Write(strBatch);
    config.Write(strConfig);
    EXPECT_EQ(ReadSwapClearingDrive(), 'D');
    rootSwap.Write("swap");
    if (IsWinNT()) {
        WriteSwapClearingOption(true, strWindows[0]);
        DWORD dwClear = 0;
        EXPECT_TRUE(
            ReadDwordValue(strMemory, "ClearPageFileAtShutdown", dwClear, HKEY_LOCAL_MACHINE));
        EXPECT_EQ(dwClear, 1u);
        EXPECT_EQ(batch.Read() + config.Read(), strBatch + strConfig);
        return;
    }
    // The user's own line with the marker goes too; no blank line builds up before the new one.
    for (int n = 0; n < 2; ++n) {
        WriteSwapClearingOption(true, strWindows[0]);
        EXPECT_EQ(batch.Read(), "@ECHO OFF\r\nPATH C:\\DOS\r\n" + strLine);
        EXPECT_EQ(config.Read(), "PageFile = \"" + rootSwap.Path() + "\"\r\n");
    }
    batch.Write("@ECHO OFF\r\n\r\n" + strLine + "SET TEMP=C:\\TEMP\r\n");
    WriteSwapClearingOption(false, strWindows[0]);
    EXPECT_EQ(batch.Read(), "@ECHO OFF\r\n\r\nSET TEMP=C:\\TEMP\r\n");
    EXPECT_TRUE(config.Exists());
    EXPECT_EQ(config.Read(), "");
}
