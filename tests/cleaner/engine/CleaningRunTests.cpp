// Whole cleans through the action manager, recorded line by line.
#include "cleaner/engine/StopRequest.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/Environment.h"

#include <gtest/gtest.h>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

}  // namespace

TEST_F(CleaningRun, WithNothingEnabledOnlyTheSummaryIsWritten)
{
    Build();
    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines, Summary(0, 0, 0));
    EXPECT_EQ(m_manager->m_stats, CleanStats());
    EXPECT_EQ(m_log.m_nHolds, 1);
    EXPECT_EQ(m_log.m_nReleases, 1);
}

TEST_F(CleaningRun, ActionsRunInIdentifierOrderBetweenTheirOwnLines)
{
    Build();
    for (const char* pszId : {"SMClickHistory", "AOLHistory", "ACDSeeHistory"})
        Enable(pszId);
    CAction& none = m_manager->GetAction("Zeta");
    none.dwKind = AK_NONE;
    none.strTitle = "Nothing at all";
    none.bEnabled = true;
    CAction& unknown = m_manager->GetAction("aLower");
    unknown.dwKind = 9;
    unknown.strTitle = "100% of %s and %d";
    unknown.bEnabled = true;

    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines, Ran("Clear ACDSee Histroy & Last Navigation Folder") +
                                 Ran("Clear AOL Instant Messenger History") +
                                 Ran("Clear \"Start Menu\" click history") +
                                 Ran("Nothing at all") + Ran("100% of %s and %d") +
                                 Summary(0, 0, 0));
}

// IECache, IECookies with its date limit, a plugin, SMRunHistory and
// WCTempDir, each on folders and keys of the test.
TEST_F(CleaningRun, WholeCleanRecordsEveryLineAndItsTotals)
{
    const std::string strCache = MakeFolder("cache");
    const std::string strCookies = MakeFolder("cookies");
    const std::string strTemp = MakeFolder("temp");
    const std::string strPlugins = MakeFolder("plugins");
    MakeFolder("cache\\sub");
    MakeFolder("plugdata");
    CSavedValue cache(HKEY_CURRENT_USER, kShellFolders, "CACHE");
    CSavedValue cookies(HKEY_CURRENT_USER, kShellFolders, "COOKIES");
    WriteStringValue(kShellFolders, "CACHE", strCache);
    WriteStringValue(kShellFolders, "COOKIES", strCookies);
    CSavedVariable tmp("TMP");
    CSavedVariable temp("TEMP");
    tmp.Set(strTemp.c_str());
    temp.Set(strTemp.c_str());
    for (const char* pszName : {"a", "b", "MRUList"})
        WriteStringValue(kRunMRU, pszName, "typed");

    const std::string strC1 = MakeFile("cache\\c1.dat", 2048);
    const std::string strC2 = MakeFile("cache\\sub\\c2.dat", 1024);
    const std::string strOldCookie = MakeFile("cookies\\old.txt", 1024);
    SetLastWriteYear(strOldCookie, 2000);
    const std::string strT = MakeFile("temp\\t.tmp", 1024);
    const std::string strP = MakeFile("plugdata\\p.dat", 1024);

    CAction plugin;
    plugin.strId = "PlugTest";
    plugin.strTitle = "Plugin Test";
    plugin.bEnabled = true;
    FileTarget file;
    file.strName = strP;
    plugin.lstFiles.push_back(file);
    RegTarget value;
    value.strName = std::string(kProductKey) + "\\Trace";
    value.strValue = "left";
    plugin.lstKeys.push_back(value);
    CWin32File pluginFile;
    ASSERT_TRUE(pluginFile.Open((strPlugins + "\\test.pld").c_str(), CWin32File::OM_CREATE));
    ASSERT_TRUE(plugin.Write(pluginFile));
    pluginFile.Close();
    WriteStringValue(value.strName, "left", "trace");

    WriteStringValue(kSettingsKey, "strPluginFolder", strPlugins);
    m_settings->bIECookiesAllowDate = true;
    Build();
    const std::string strNewCookie = MakeFile("cookies\\new.txt", 1024);
    SetLastWriteYear(strNewCookie, 2099);
    for (const char* pszId : {"WCTempDir", "SMRunHistory", "PlugTest", "IECookies", "IECache"})
        Enable(pszId);

    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines,
              Ran("Delete Temporary Internet Files", {Deleted(strC1), Deleted(strC2)}) +
                  Ran("Clear Internet Explorer Cookies", {Deleted(strNewCookie)}) +
                  Ran("Plugin Test", {Deleted(strP)}) +
                  Ran("Clear \"Start Menu\" Run History") +
                  Ran("Clear User Temp Directory", {Deleted(strT)}) + Summary(5, 4, 6));
    CleanStats expected;
    expected.dwReleasedSpace = 6144;
    expected.nDeletedFiles = 5;
    expected.nDeletedRegEntries = 4;
    EXPECT_EQ(m_manager->m_stats, expected);

    EXPECT_TRUE(FileExists(strOldCookie));
    EXPECT_TRUE(FileExists(strCache));
    EXPECT_FALSE(FileExists(strCache + "\\sub"));
    EXPECT_FALSE(ValueExists(kRunMRU, "MRUList"));
    DeleteKeyTree(kRunMRU);
}

TEST_F(CleaningRun, StopBetweenTwoFilesEndsTheRunWithoutSummary)
{
    // A log that asks the clean to stop when the first file is gone.
    class CStoppingLog : public CRecordingLog {
    public:
        explicit CStoppingLog(CStopRequest& stop) : m_stop(stop) {}
        void AddLine(uint32_t nImage, const char* pszLine) override
        {
            CRecordingLog::AddLine(nImage, pszLine);
            if (nImage == 0)
                m_stop.Request();
        }

    private:
        CStopRequest& m_stop;
    };

    CStoppingLog log(m_stop);
    Build();
    MakeFile("a.tmp", 10);
    MakeFile("b.tmp", 10);
    CAction& action = m_manager->GetAction("AAFirst");
    action.strTitle = "First";
    FileTarget folder;
    folder.strName = m_folder.Path();
    folder.dwType = TT_CONTENT;
    action.lstFiles.push_back(folder);
    action.bEnabled = true;
    Enable("SMClickHistory");

    EXPECT_FALSE(Run());
    ASSERT_EQ(log.m_lines.size(), 2u);
    EXPECT_EQ(log.m_lines[0], (Line{3, "First"}));
    EXPECT_EQ(log.m_lines[1].nImage, 0u);
    EXPECT_EQ(log.m_nHolds, log.m_nReleases);
}

TEST_F(CleaningRun, CommandsStartWithoutTraceAndTheClipboardIsEmptied)
{
    ASSERT_TRUE(PutTextOnClipboard("secret"));
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    Build();
    const std::string strMade = m_folder / "made.txt";
    CAction& action = m_manager->GetAction("Commands");
    action.strTitle = "Commands";
    action.lstCommands = {"C:\\missing\\nothing.exe /x",
                          "cmd.exe /c echo started> \"" + strMade + "\""};
    action.bEnabled = true;
    Enable("WCClipboard");

    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines, Ran("Commands") + Ran("Clear Clipboard memory") + Summary(0, 0, 0));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    // The clean does not wait for the programs it starts.
    for (int n = 0; n < 300 && ReadFileBytes(strMade).empty(); ++n)
        Sleep(100);
    EXPECT_EQ(ReadFileBytes(strMade), "started\r\n");
}

TEST_F(CleaningRun, SpecialActionsTakeDrivesAndCommandsFromTheSettingsAtEveryRun)
{
    Build();
    m_settings->strDiskOpsDriveList = "D:\\|E:\\";
    m_settings->strMiscCleanRegistryProgramPath = "clean.exe /all";
    m_settings->strMiscDefragmentnRegistryProgramPath = "defrag.exe";
    Run();
    EXPECT_EQ(m_manager->GetAction("DiskOpFreeSpace").lstFreeSpaceDrives,
              (StringList{"D:\\", "E:\\"}));
    EXPECT_EQ(m_manager->GetAction("DiskOpScan").lstFiles.front().strName, "D:\\|E:\\");
    EXPECT_EQ(m_manager->GetAction("MiscCleanRegistry").lstCommands,
              (StringList{"clean.exe /all"}));
    EXPECT_EQ(m_manager->GetAction("MiscDefragmentRegistry").lstCommands,
              (StringList{"defrag.exe"}));
    const StringList& recycleBins = m_manager->GetAction("DiskOpRecycleBin").lstRecycleBinDrives;
    EXPECT_NE(std::find(recycleBins.begin(), recycleBins.end(), "C:\\"), recycleBins.end());

    m_settings->strDiskOpsDriveList = "F:\\";
    Run();
    EXPECT_EQ(m_manager->GetAction("DiskOpFreeSpace").lstFreeSpaceDrives, (StringList{"F:\\"}));
    EXPECT_EQ(m_manager->GetAction("DiskOpScan").lstFiles.front().strName, "F:\\");
}

// Without Opera its cache macro leaves "\Cache4", a folder at the root of the
// current drive that nobody meant.
TEST_F(CleaningRun, TargetWithAnUnresolvedMacroIsSkipped)
{
    CreateDirectoryA("C:\\Cache4", nullptr);
    ASSERT_TRUE(WriteFileBytes("C:\\Cache4\\keep.dat", "not Opera's"));
    Build();
    Enable("OperaCache");
    EXPECT_TRUE(Run());
    EXPECT_TRUE(FileExists("C:\\Cache4\\keep.dat"));
    EXPECT_EQ(m_log.m_lines, Ran("Clear Opera Cache") + Summary(0, 0, 0));
    DeleteFileA("C:\\Cache4\\keep.dat");
    RemoveDirectoryA("C:\\Cache4");
}

TEST_F(CleaningRun, SearchHistoryHandlerRuns)
{
    const char* pszKey =
        IsWinXP() ? "Software\\Microsoft\\Search Assistant\\ACMru"
        : IsWin2000()
            ? "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
              "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}"
            : "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
    const CScratchKey scratch(HKEY_CURRENT_USER, pszKey);
    WriteStringValue(pszKey, "a", "searched");
    Build();
    Enable("SMFindHistory");
    EXPECT_TRUE(Run());
    EXPECT_FALSE(KeyExists(pszKey));
    EXPECT_EQ(m_log.m_lines, Ran("Clear \"Start Menu\" Find History") + Summary(0, 0, 0));
}

TEST_F(CleaningRun, SummaryLinesWithAndWithoutDeferredFiles)
{
    Build();
    CleanStats& stats = m_manager->m_stats;
    stats.dwReleasedSpace = 5 * 1024 + 1023;
    stats.nDeletedFiles = 3;
    stats.nUpdatedFiles = 2;
    stats.nDeletedRegEntries = 4;
    m_manager->PrintRunStatistics();
    const Lines five = {{5, "Statistics:"},
                        {5, "Deleted: 3 file(s)"},
                        {5, "Updated: 2 file(s)"},
                        {5, "Deleted: 4 registry entry(ies)"},
                        {5, "Released Space: 5 Kbytes"}};
    EXPECT_EQ(m_log.m_lines, five);

    m_log.Clear();
    stats.nRebootFiles = 7;
    m_manager->PrintRunStatistics();
    const Line reboot = {5, "7 files will be removed on reboot (Please reboot if you want to "
                            "clean everything immidiately)"};
    EXPECT_EQ(m_log.m_lines, five + Lines{reboot});
}
