// Whole cleans through the action manager, recorded line by line.
#include "tests/support/CleaningRunTest.h"

#include <gtest/gtest.h>

#include <memory>

// The search lists' handler clears the list of the running Windows alone.
TEST_F(CleaningRun, ActionsRunInIdentifierOrderBetweenTheirOwnLines)
{
    const std::string strExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    const std::string searchLists[] = {
        "Software\\Microsoft\\Search Assistant\\ACMru", strExplorer + "Doc Find Spec MRU",
        "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
        "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}"};
    std::vector<std::unique_ptr<CScratchKey>> scratch;
    for (const std::string& strKey : searchLists) {
        scratch.emplace_back(new CScratchKey(HKEY_CURRENT_USER, strKey));
        WriteStringValue(strKey, "a", "searched");
    }
    Build();
    for (const char* pszId : {"SMClickHistory", "AOLHistory", "SMFindHistory"})
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
                                 Ran("Clear \"Start Menu\" Find History") + Ran("Nothing at all") +
                                 Ran("100% of %s and %d") + Summary(0, 0, 0));
    EXPECT_EQ(m_manager->m_stats, CleanStats());
    EXPECT_EQ(m_log.m_nHolds, 1);
    EXPECT_EQ(m_log.m_nReleases, 1);
    EXPECT_EQ(KeyExists(searchLists[0]) + KeyExists(searchLists[1]) + KeyExists(searchLists[2]), 2);
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

// The drives of the disk operations come from the settings at every run:
// the preview tests set them after the manager is built.
TEST_F(CleaningRun, SpecialActionsTakeDrivesAndCommandsFromTheSettings)
{
    Build();
    m_settings->strMiscCleanRegistryProgramPath = "clean.exe /all";
    m_settings->strMiscDefragmentnRegistryProgramPath = "defrag.exe";
    m_settings->strDiskOpsDriveList = "D:\\|E:\\";
    Run();
    EXPECT_EQ(m_manager->GetAction("DiskOpFreeSpace").lstFreeSpaceDrives,
              (StringList{"D:\\", "E:\\"}));
    EXPECT_EQ(m_manager->GetAction("DiskOpScan").lstFiles.front().strName, "D:\\|E:\\");
    EXPECT_EQ(m_manager->GetAction("MiscCleanRegistry").lstCommands,
              (StringList{"clean.exe /all"}));
    EXPECT_EQ(m_manager->GetAction("MiscDefragmentRegistry").lstCommands,
              (StringList{"defrag.exe"}));
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
