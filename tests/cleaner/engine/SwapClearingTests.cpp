// Swap-file clearing against the real files and registry of the test prefix:
// "autoexec.bat" at the root of the system drive, "Veltrin.ini" in the
// Windows folder and the swap files are saved before each test and put back
// after it. The Windows 95/98/ME cases run when the system reports that
// family, the NT case when it reports NT.
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegistryKeys.h"
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

// A file as it was before the test, put back afterwards (or removed when
// there was none).
class CSavedFile {
public:
    explicit CSavedFile(const std::string& strPath) : m_strPath(strPath)
    {
        m_dwAttributes = GetFileAttributesA(strPath.c_str());
        m_bExisted = m_dwAttributes != INVALID_FILE_ATTRIBUTES;
        if (m_bExisted) {
            EXPECT_EQ(m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << strPath;
            m_bytes = ReadFileBytes(strPath);
        }
    }
    ~CSavedFile()
    {
        SetFileAttributesA(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (m_bExisted) {
            WriteFileBytes(m_strPath, m_bytes);
            SetFileAttributesA(m_strPath.c_str(), m_dwAttributes);
        } else {
            DeleteFileA(m_strPath.c_str());
        }
    }
    CSavedFile(const CSavedFile&) = delete;
    CSavedFile& operator=(const CSavedFile&) = delete;

    const std::string& Path() const { return m_strPath; }
    void Write(const std::string& bytes) const { ASSERT_TRUE(WriteFileBytes(m_strPath, bytes)); }
    void Remove() const { DeleteFileA(m_strPath.c_str()); }
    bool Exists() const { return FileExists(m_strPath); }
    std::string Read() const { return ReadFileBytes(m_strPath); }

private:
    std::string m_strPath;
    DWORD m_dwAttributes;
    bool m_bExisted;
    std::string m_bytes;
};

std::string WindowsFolder()
{
    char szFolder[MAX_PATH];
    const UINT cch = GetWindowsDirectoryA(szFolder, MAX_PATH);
    EXPECT_GT(cch, 3u);
    return std::string(szFolder, cch);
}

std::string ShortPathOf(const std::string& strPath)
{
    char szShort[MAX_PATH];
    const DWORD cch = GetShortPathNameA(strPath.c_str(), szShort, MAX_PATH);
    EXPECT_GT(cch, 0u) << strPath;
    return std::string(szShort, cch);
}

// A drive letter that names no drive.
char UnusedDriveLetter()
{
    const DWORD dwDrives = GetLogicalDrives();
    for (char c = 'Z'; c > 'C'; --c) {
        if ((dwDrives & (1u << (c - 'A'))) == 0)
            return c;
    }
    ADD_FAILURE() << "every drive letter is in use";
    return 'C';
}

size_t CountOf(const std::string& text, const std::string& strPart)
{
    size_t nCount = 0;
    for (size_t n = text.find(strPart); n != std::string::npos; n = text.find(strPart, n + 1))
        ++nCount;
    return nCount;
}

class SwapClearing : public ::testing::Test {
protected:
    SwapClearing()
        : m_strWindows(WindowsFolder()), m_cDrive(m_strWindows[0]),
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
        const std::string strShort = ShortPathOf(m_current.Path());
        ASSERT_NE(strShort, m_current.Path());
        m_strLine = strShort + "\\swpclr.exe " + kMarker;
    }

    void TearDown() override
    {
        // Under Wine a process started in a host folder outside every drive
        // cannot go back there; it then leaves the temporary folder for the
        // Windows folder, so that the folder can be removed.
        if (!m_strOldCurrent.empty() && !SetCurrentDirectoryA(m_strOldCurrent.c_str()))
            SetCurrentDirectoryA(m_strWindows.c_str());
    }

    std::string PageFileLine(const std::string& strSwap) const
    {
        return "PageFile = \"" + strSwap + "\"\r\n";
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
    m_batch.Write("@ECHO OFF\r\nPATH C:\\DOS");
    m_rootSwap.Write("swap");

    WriteSwapClearingOption(true, m_cDrive);
    EXPECT_EQ(m_batch.Read(), "@ECHO OFF\r\nPATH C:\\DOS\r\n" + m_strLine + "\r\n");
    EXPECT_EQ(m_config.Read(), PageFileLine(m_rootSwap.Path()));
    DWORD dwEnabled = 0;
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 1u);
    EXPECT_TRUE(ReadSwapClearingOption());

    WriteSwapClearingOption(true, m_cDrive);
    const std::string batch = m_batch.Read();
    EXPECT_EQ(CountOf(batch, kMarker), 1u) << batch;
    EXPECT_EQ(batch.find("@ECHO OFF\r\nPATH C:\\DOS\r\n"), 0u) << batch;
    EXPECT_EQ(batch.substr(batch.size() - m_strLine.size() - 4), "\r\n" + m_strLine + "\r\n");
    EXPECT_EQ(m_config.Read(), PageFileLine(m_rootSwap.Path()));
    EXPECT_TRUE(ReadSwapClearingOption());
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

TEST_F(SwapClearingOn9x, WithoutASwapFileTheConfigurationIsEmptiedAndTheBatchFileKept)
{
    const std::string batch = "@ECHO OFF\r\n" + m_strLine + "\r\n";
    for (bool bEnabled : {true, false}) {
        SCOPED_TRACE(bEnabled ? "on" : "off");
        m_batch.Write(batch);
        m_config.Write(PageFileLine(m_rootSwap.Path()));

        EXPECT_FALSE(SetupSwapClearing(bEnabled, m_cDrive));
        EXPECT_TRUE(m_config.Exists());
        EXPECT_EQ(m_config.Read(), "");
        EXPECT_EQ(m_batch.Read(), batch);
    }
}

TEST_F(SwapClearingOn9x, TheSwapFileIsOnTheChosenDriveOrElseInTheWindowsFolder)
{
    const char cUnused = UnusedDriveLetter();
    const struct {
        char cDrive;
        bool bRootSwap;
        bool bWindowsSwap;
        const CSavedFile* pExpected;  // none: no swap file found
    } cases[] = {
        {m_cDrive, true, true, &m_rootSwap},
        {m_cDrive, false, true, &m_windowsSwap},
        {cUnused, true, true, &m_windowsSwap},
        {cUnused, true, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cDrive << c.bRootSwap << c.bWindowsSwap);
        m_rootSwap.Remove();
        m_windowsSwap.Remove();
        if (c.bRootSwap)
            m_rootSwap.Write("swap");
        if (c.bWindowsSwap)
            m_windowsSwap.Write("swap");
        m_batch.Write("");

        EXPECT_EQ(SetupSwapClearing(true, c.cDrive), c.pExpected != nullptr);
        EXPECT_EQ(m_config.Read(), c.pExpected ? PageFileLine(c.pExpected->Path()) : "");
        EXPECT_EQ(m_batch.Read(), c.pExpected ? "\r\n" + m_strLine + "\r\n" : "");
    }
}

TEST_F(SwapClearingOn9x, LinesThatTheUserWroteWithTheMarkerGoToo)
{
    m_batch.Write(std::string("REM keep ") + kMarker + " here\r\nECHO on\r\n" +
                  "C:\\OLDPLACE\\swpclr.exe " + kMarker + "\r\n");
    m_windowsSwap.Write("swap");

    EXPECT_TRUE(SetupSwapClearing(true, m_cDrive));
    EXPECT_EQ(m_batch.Read(), "ECHO on\r\n\r\n" + m_strLine + "\r\n");
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
        DWORD dwType = 0;
        std::string bytes;
        ASSERT_TRUE(ReadRawValue(kMemoryManagementKey, "ClearPageFileAtShutdown", dwType, bytes,
                                 HKEY_LOCAL_MACHINE));
        EXPECT_EQ(dwType, DWORD(REG_DWORD));
        EXPECT_EQ(bytes, std::string(bEnabled ? "\1\0\0\0" : "\0\0\0\0", 4));
        EXPECT_EQ(ReadSwapClearingOption(), bEnabled);

        EXPECT_EQ(m_batch.Read(), batch);
        EXPECT_EQ(m_config.Read(), config);
        EXPECT_FALSE(ValueExists(kSwapOptionKey, "Enabled"));
    }
}

TEST(RemoveMarkedLines, RemovesEveryLineHoldingTheMarkerAndKeepsEveryOtherByte)
{
    CTempFolder folder;
    const std::string strPath = folder / "autoexec.bat";
    const std::string strMarker = kMarker;
    const std::string strOtherCase = "{5a0c77e2-3b19-4d6e-9f41-7c2b8e06d1a4}";
    ASSERT_TRUE(WriteFileBytes(strPath, "REM " + strMarker + " mine\r\n" +
                                            "ECHO ok\r\n\r\n" +
                                            "C:\\X\\swpclr.exe " + strMarker + "\r\n" +
                                            "rem " + strOtherCase + "\n" +
                                            "last " + strMarker));
    EXPECT_TRUE(RemoveMarkedLines(strPath, kMarker));
    EXPECT_EQ(ReadFileBytes(strPath),
              "ECHO ok\r\n\r\nrem " + strOtherCase + "\nlast " + strMarker);
}

TEST(RemoveMarkedLines, LeavesFilesWithoutMarkedLinesAndMissingFilesAlone)
{
    CTempFolder folder;
    const std::string strPath = folder / "autoexec.bat";
    ASSERT_TRUE(WriteFileBytes(strPath, "@ECHO OFF\r\nPATH C:\\DOS\r\n"));
    SetLastWriteYear(strPath, 2001);

    EXPECT_TRUE(RemoveMarkedLines(strPath, kMarker));
    EXPECT_EQ(ReadFileBytes(strPath), "@ECHO OFF\r\nPATH C:\\DOS\r\n");
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data));
    SYSTEMTIME time;
    ASSERT_TRUE(FileTimeToSystemTime(&data.ftLastWriteTime, &time));
    EXPECT_EQ(time.wYear, 2001) << "a file without marked lines is not rewritten";

    const std::string strMissing = folder / "missing.bat";
    EXPECT_FALSE(RemoveMarkedLines(strMissing, kMarker));
    EXPECT_FALSE(FileExists(strMissing));
}
