// Swap-file clearing against the real files and registry of the test prefix:
// "autoexec.bat" at the root of the system drive, "Veltrin.ini" in the
// Windows folder and the swap files are saved before each test and put back
// after it. The Windows 95/98/ME cases run when the system reports that
// family, the NT case when it reports NT.
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegistryKeys.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kMarker[] = "{5A0C77E2-3B19-4D6E-9F41-7C2B8E06D1A4}";
const char kMemoryManagementKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const std::string kSwapOptionKey = std::string(kSettingsKey) + "\\WCSwap";


// A drive letter that names no drive.
char UnusedDriveLetter()
{
    char c = 'Z';
    while (c > 'D' && (GetLogicalDrives() & (1u << (c - 'A'))))
        --c;
    return c;
}

std::string PageFileLine(const std::string& strSwap)
{
    return "PageFile = \"" + strSwap + "\"\r\n";
}

class SwapClearing : public ::testing::Test {
protected:
    SwapClearing()
        : m_strWindows(WindowsFolder()),
          m_cDrive(m_strWindows[0]),
          m_batch(m_strWindows.substr(0, 3) + "autoexec.bat"),
          m_config(m_strWindows + "\\Veltrin.ini"),
          m_rootSwap(m_strWindows.substr(0, 3) + "win386.swp"),
          m_windowsSwap(m_strWindows + "\\win386.swp")
    {
    }

    void SetUp() override
    {
        m_registry.Remove(HKEY_LOCAL_MACHINE, kMemoryManagementKey, "ClearPageFileAtShutdown");
        m_registry.Remove(HKEY_CURRENT_USER, kSwapOptionKey, "Enabled");
        m_rootSwap.Remove();
        m_windowsSwap.Remove();

        // The start-up line names the current folder, here one with a long
        // name, so that its short form differs.
        char szCurrent[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, szCurrent);
        m_strOldCurrent = szCurrent;
        ASSERT_TRUE(SetCurrentDirectoryA(m_current.Path().c_str()));
        char szShort[MAX_PATH];
        ASSERT_NE(GetShortPathNameA(m_current.Path().c_str(), szShort, MAX_PATH), 0u);
        ASSERT_NE(szShort, m_current.Path());
        m_strLine = std::string(szShort) + "\\swpclr.exe " + kMarker;
    }

    void TearDown() override
    {
        // Under Wine a process started in a host folder outside every drive
        // cannot go back there; it then leaves the temporary folder for the
        // Windows folder, so that the folder can be removed.
        if (!m_strOldCurrent.empty() && !SetCurrentDirectoryA(m_strOldCurrent.c_str()))
            SetCurrentDirectoryA(m_strWindows.c_str());
    }

    const std::string m_strWindows;
    const char m_cDrive;
    CScratchRegistry m_registry;
    CSavedFile m_batch;
    CSavedFile m_config;
    CSavedFile m_rootSwap;
    CSavedFile m_windowsSwap;
    CTempFolder m_current;
    std::string m_strOldCurrent;
    std::string m_strLine;  // the start-up line the cleaner writes from m_current
};

class SwapClearingOn9x : public SwapClearing {
protected:
    void SetUp() override
    {
        if (!IsWin9x())
            GTEST_SKIP() << "Windows 95/98/ME only";
        SwapClearing::SetUp();
    }
};

class SwapClearingOnNT : public SwapClearing {
protected:
    void SetUp() override
    {
        if (!IsWinNT())
            GTEST_SKIP() << "NT family only";
        SwapClearing::SetUp();
    }
};

}  // namespace

TEST_F(SwapClearingOn9x, ApplyingTwiceWithTheOptionOnLeavesOneStartupLine)
{
    // The user's own line with the marker goes as well.
    m_batch.Write("REM mine " + std::string(kMarker) + "\r\n@ECHO OFF\r\nPATH C:\\DOS");
    m_rootSwap.Write("swap");

    WriteSwapClearingOption(true, m_cDrive);
    EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\nPATH C:\\DOS\r\n" + m_strLine + "\r\n");
    EXPECT_EQ(m_config.Read(), PageFileLine(m_rootSwap.Path()));
    DWORD dwEnabled = 0;
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 1u);
    EXPECT_TRUE(ReadSwapClearingOption());

    // Nor does a blank line build up before it.
    WriteSwapClearingOption(true, m_cDrive);
    EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\nPATH C:\\DOS\r\n" + m_strLine + "\r\n");
    EXPECT_EQ(m_config.Read(), PageFileLine(m_rootSwap.Path()));
}

TEST_F(SwapClearingOn9x, ApplyingOffRemovesTheLineAndEmptiesTheConfiguration)
{
    m_batch.Write("@ECHO OFF\r\n\r\n" + m_strLine + "\r\nSET TEMP=C:\\TEMP\r\n");
    m_config.Write(PageFileLine("D:\\old.swp"));
    m_rootSwap.Write("swap");
    WriteDwordValue(kSwapOptionKey, "Enabled", 1);

    WriteSwapClearingOption(false, m_cDrive);
    EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\n\r\nSET TEMP=C:\\TEMP\r\n");
    EXPECT_TRUE(m_config.Exists());
    EXPECT_EQ(m_config.Read(), "");
    DWORD dwEnabled = 1;
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 0u);
    EXPECT_FALSE(ReadSwapClearingOption());
}

// Without a swap file the configuration is emptied all the same and the
// batch file keeps its line.
TEST_F(SwapClearingOn9x, TheSwapFileIsOnTheChosenDriveOrElseInTheWindowsFolder)
{
    const char cUnused = UnusedDriveLetter();
    const struct {
        char cDrive;
        bool bRootSwap;
        bool bWindowsSwap;
        bool bEnabled;
        const CSavedFile* pExpected;  // none: no swap file found
    } cases[] = {
        {m_cDrive, true, true, true, &m_rootSwap},
        {m_cDrive, false, true, true, &m_windowsSwap},
        {cUnused, true, true, true, &m_windowsSwap},
        {cUnused, true, false, true, nullptr},
        {m_cDrive, false, false, false, nullptr},
    };
    const std::string batch = m_strLine + "\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cDrive << c.bRootSwap << c.bWindowsSwap << c.bEnabled);
        m_rootSwap.Remove();
        m_windowsSwap.Remove();
        if (c.bRootSwap)
            m_rootSwap.Write("swap");
        if (c.bWindowsSwap)
            m_windowsSwap.Write("swap");
        m_batch.Write(batch);
        m_config.Write(PageFileLine("D:\\old.swp"));

        EXPECT_EQ(SetupSwapClearing(c.bEnabled, c.cDrive), c.pExpected != nullptr);
        EXPECT_TRUE(m_config.Exists());
        EXPECT_EQ(m_config.Read(), c.pExpected ? PageFileLine(c.pExpected->Path()) : "");
        EXPECT_EQ(m_batch.Read(), batch);
    }
}

TEST_F(SwapClearingOn9x, AMissingBatchFileIsNotCreated)
{
    m_rootSwap.Write("swap");
    for (bool bEnabled : {true, false}) {
        SCOPED_TRACE(bEnabled ? "on" : "off");
        m_batch.Remove();

        EXPECT_TRUE(SetupSwapClearing(bEnabled, m_cDrive));
        EXPECT_FALSE(m_batch.Exists());
        EXPECT_EQ(m_config.Read(), bEnabled ? PageFileLine(m_rootSwap.Path()) : "");
    }
}

TEST_F(SwapClearingOn9x, TheOptionIsTheProgramsOwnValue)
{
    EXPECT_FALSE(ReadSwapClearingOption());  // missing reads as off
    WriteDwordValue(kMemoryManagementKey, "ClearPageFileAtShutdown", 1, HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(ReadSwapClearingOption());
    WriteDwordValue(kSwapOptionKey, "Enabled", 2);
    EXPECT_TRUE(ReadSwapClearingOption());
}

TEST_F(SwapClearingOnNT, OnlyTheSystemSettingChanges)
{
    const std::string batch = "@ECHO OFF\r\n" + m_strLine + "\r\n";
    const std::string config = PageFileLine("D:\\old.swp");
    m_batch.Write(batch);
    m_config.Write(config);
    m_rootSwap.Write("swap");
    EXPECT_FALSE(ReadSwapClearingOption());  // missing reads as off

    for (bool bEnabled : {true, false, true}) {
        SCOPED_TRACE(bEnabled ? "on" : "off");
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
}

TEST(RemoveMarkedLines, RemovesEveryLineHoldingTheMarkerAndNeverCreatesTheFile)
{
    CTempFolder folder;
    const std::string strPath = folder / "autoexec.bat";
    const std::string strMarker = kMarker;
    const std::string strOtherCase = "{5a0c77e2-3b19-4d6e-9f41-7c2b8e06d1a4}";
    ASSERT_TRUE(WriteFileBytes(strPath, "REM " + strMarker + " mine\r\nECHO ok\r\n\r\n" +
                                            "C:\\X\\swpclr.exe " + strMarker + "\r\nrem " +
                                            strOtherCase + "\nlast " + strMarker));
    EXPECT_TRUE(RemoveMarkedLines(strPath, kMarker));
    EXPECT_EQ(ReadFileBytes(strPath), "ECHO ok\r\n\r\nrem " + strOtherCase + "\nlast " + strMarker);

    const std::string strMissing = folder / "missing.bat";
    EXPECT_FALSE(RemoveMarkedLines(strMissing, kMarker));
    EXPECT_FALSE(FileExists(strMissing));
}
