// Whole cleans through the action manager, recorded line by line.
#include "tests/support/CleaningRunTest.h"

#include <gtest/gtest.h>

TEST_F(CleaningRun, ActionsRunInIdentifierOrderBetweenTheirOwnLines)
{
    Build();
    for (const char* pszId : {"SMClickHistory", "AOLHistory"})
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
    EXPECT_EQ(m_log.m_lines, Ran("Clear AOL Instant Messenger History") +
                                 Ran("Clear \"Start Menu\" click history") +
                                 Ran("Nothing at all") + Ran("100% of %s and %d") +
                                 Summary(0, 0, 0));
    EXPECT_EQ(m_manager->m_stats, CleanStats());
    EXPECT_EQ(m_log.m_nHolds, 1);
    EXPECT_EQ(m_log.m_nReleases, 1);
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
            if (nImage == LI_FILE_DELETED)
                m_stop.Request();
        }

    private:
        CStopRequest& m_stop;
    };

    CStoppingLog log(m_stop);
    Build();
    MakeFolder("sub");
    for (const char* pszName : {"a.tmp", "b.tmp", "sub\\c.tmp"})
        MakeFile(pszName, 10);
    CAction& action = m_manager->GetAction("AAFirst");
    action.strTitle = "First";
    action.lstFiles = {FolderContent(m_folder.Path())};
    action.lstFiles.front().dwType = TT_RECURSIVE;
    action.bEnabled = true;
    Enable("SMClickHistory");

    EXPECT_FALSE(Run());
    ASSERT_EQ(log.m_lines.size(), 2u);
    EXPECT_EQ(log.m_lines[0], (Line{LI_ACTION_START, "First"}));
    EXPECT_EQ(log.m_lines[1].nImage, uint32_t(LI_FILE_DELETED));
    EXPECT_EQ(log.m_nHolds, log.m_nReleases);
    EXPECT_TRUE(FileExists(m_folder / "sub\\c.tmp"));
}

TEST_F(CleaningRun, CommandsStartWithoutTraceAndTheClipboardIsEmptied)
{
    ASSERT_TRUE(PutTextOnClipboard("secret"));
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
    m_settings->strMiscCleanRegistryProgramPath = "clean.exe /all";
    m_settings->strMiscDefragmentnRegistryProgramPath = "defrag.exe";
    const struct {
        const char* pszDrives;
        StringList drives;
    } rows[] = {{"D:\\|E:\\", {"D:\\", "E:\\"}}, {"F:\\", {"F:\\"}}};
    for (const auto& row : rows) {
        m_settings->strDiskOpsDriveList = row.pszDrives;
        Run();
        EXPECT_EQ(m_manager->GetAction("DiskOpFreeSpace").lstFreeSpaceDrives, row.drives);
        EXPECT_EQ(m_manager->GetAction("DiskOpScan").lstFiles.front().strName, row.pszDrives);
    }
    EXPECT_EQ(m_manager->GetAction("MiscCleanRegistry").lstCommands, (StringList{"clean.exe /all"}));
    EXPECT_EQ(m_manager->GetAction("MiscDefragmentRegistry").lstCommands, (StringList{"defrag.exe"}));
    const StringList& bins = m_manager->GetAction("DiskOpRecycleBin").lstRecycleBinDrives;
    EXPECT_NE(std::find(bins.begin(), bins.end(), "C:\\"), bins.end());
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

TEST_F(CleaningRun, SummaryLinesWithAndWithoutDeferredFiles)
{
    Build();
    m_manager->m_stats = CleanStats{5 * 1024 + 1023, 3, 2, 0, 4};
    m_manager->PrintRunStatistics();
    const Lines five = {{5, "Statistics:"}, {5, "Deleted: 3 file(s)"}, {5, "Updated: 2 file(s)"},
                        {5, "Deleted: 4 registry entry(ies)"}, {5, "Released Space: 5 Kbytes"}};
    EXPECT_EQ(m_log.m_lines, five);

    m_log.Clear();
    m_manager->m_stats.nRebootFiles = 7;
    m_manager->PrintRunStatistics();
    EXPECT_EQ(m_log.m_lines, (five + Lines{{5, "7 files will be removed on reboot (Please reboot "
                                               "if you want to clean everything immidiately)"}}));
}
