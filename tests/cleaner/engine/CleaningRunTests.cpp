// Whole cleans through the action manager, recorded line by line.
#include "tests/support/CleaningRunTest.h"

// The run ends at once, without a summary. A title is no format: its "%s" stays.
TEST_F(CleaningRun, StopBetweenTwoFilesEndsTheRunWithoutSummary)
{
    // A log that asks the clean to stop when the first file is gone.
    struct CStoppingLog : CRecordingLog {
        explicit CStoppingLog(CStopRequest& stop) : m_stop(stop) {}
        void AddLine(uint32_t nImage, const char* pszLine) override
        {
            CRecordingLog::AddLine(nImage, pszLine);
            if (nImage == LI_FILE_DELETED)
                m_stop.Request();
        }
        CStopRequest& m_stop;
    } log(m_stop);
    Build();
    MakeFolder("sub");
    for (const char* pszName : {"a.tmp", "b.tmp", "sub\\c.tmp"})
        MakeFile(pszName, 10);
    CAction& action = m_manager->GetAction("AAFirst");
    action.strTitle = "100% of %s and %d";
    action.lstFiles = {FolderContent(m_folder.Path())};
    action.lstFiles.front().dwType = TT_RECURSIVE;
    action.bEnabled = true;
    Enable("SMClickHistory");
    EXPECT_FALSE(Run());
    ASSERT_EQ(log.m_lines.size(), 2u);
    EXPECT_EQ(log.m_lines[0], (Line{LI_ACTION_START, "100% of %s and %d"}));
    EXPECT_EQ(log.m_lines[1].nImage, uint32_t(LI_FILE_DELETED));
    EXPECT_EQ(log.m_nHolds, log.m_nReleases);
    EXPECT_TRUE(FileExists(m_folder / "sub\\c.tmp"));
}

// Without Opera its cache macro leaves "\Cache4", at the root of the current drive.
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
