// Free-space elimination, the recycle bin and the disk scan on drive letters made for the tests.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/WipePattern.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/TestDrive.h"

#include <sddl.h>

typedef CleaningRun DriveOperations;

// Drives smaller than one large write, just past it, and of no round size: the filler takes
// the free space to the last byte. A killed run's filler goes before the next run fills.
TEST_F(DriveOperations, FreeSpaceIsFilledToTheEndWithTheBlockAndGivenBack)
{
    Build();
    Enable("DiskOpFreeSpace");
    for (const uint64_t nSize : {12 << 10, (1 << 20) + (8 << 10), (2 << 20) + (4 << 10)}) {
        SCOPED_TRACE(nSize);
        CTestDrive drive;
        if (!drive.MapFileSystem(nSize))
            GTEST_SKIP() << "the host does not let this test mount a file system of its own";
        ASSERT_TRUE(WriteFileBytes(drive / "keep.txt", "the user's"));
        const uint64_t nFree = FreeBytes(drive.Root());
        ASSERT_GT(nFree, 0u);
        StringVector fillers;
        ASSERT_TRUE(FillFreeSpace(drive.Root(), nullptr, fillers));
        // "R:\" and "\elim.ers" make two backslashes, which the system reads as one.
        const std::string strFiller = drive.Root() + "\\elim.ers";
        EXPECT_EQ(fillers, StringVector{strFiller});
        EXPECT_EQ(FreeBytes(drive.Root()), 0u);
        const std::string filled = ReadFileBytes(drive / "elim.ers");
        unsigned char block[kFillerBlockSize];
        FillFillerBlock(block);
        std::string expected;
        while (expected.size() < nFree)
            expected.append(reinterpret_cast<const char*>(block), kFillerBlockSize);
        EXPECT_TRUE(filled == expected.substr(0, nFree)) << filled.size() << " of " << nFree;
        m_log.Clear();
        m_settings->strDiskOpsDriveList = drive.Root();
        EXPECT_TRUE(Run());
        // Neither filler counts: the summary shows nothing deleted.
        EXPECT_EQ(m_log.m_lines,
                  Ran("Free Space Elimination", {Deleted(strFiller), Deleted(strFiller)}) +
                      Summary(0, 0, 0));
        EXPECT_EQ(FreeBytes(drive.Root()), nFree);
        EXPECT_EQ(FilesInListedOrder(drive.Root()), StringVector{"keep.txt"});
        // A stopped elimination still removes its filler.
        m_stop.Request();
        EXPECT_TRUE(EliminateFreeSpace(drive.Root(), &m_stop));
        EXPECT_EQ(FilesInListedOrder(drive.Root()), StringVector{"keep.txt"});
        m_stop.Clear();
    }
}

// No drive would put the filler at "\\elim.ers" and scan the current drive; nor does a missing one.
TEST_F(DriveOperations, EmptyOrMissingDrivesAreSkippedWithoutALine)
{
    Build();
    Enable("DiskOpFreeSpace");
    Enable("DiskOpScan");
    m_settings->strDiskOpsDriveList = "|Q:\\nowhere\\";
    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines,
              Ran("Free Space Elimination") + Ran("Scan Disk by Mask") + Summary(0, 0, 0));
    EXPECT_FALSE(FileExists("\\elim.ers"));
    EXPECT_FALSE(EliminateFreeSpace(""));
}

// The recycle bins, "Recycled" (95/98/ME) and "Recycler" (NT) with the users' folders, and of
// "$Recycle.Bin" (Vista to 11) only the user's own, which keeps its desktop.ini; then the disk
// scan's default masks in every folder of the drive.
TEST_F(DriveOperations, RecycleBinsAndDiskScanReachEveryFolderOfTheDrive)
{
    CTestDrive drive;
    ASSERT_TRUE(drive.MapFolder());
    HANDLE hToken;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken));
    BYTE user[256];
    DWORD cbUser = sizeof(user);
    char* pszSid = nullptr;
    ASSERT_TRUE(GetTokenInformation(hToken, TokenUser, user, cbUser, &cbUser) &&
                ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &pszSid));
    CloseHandle(hToken);
    const std::string strMine = std::string("$Recycle.Bin\\") + pszSid + "\\",
                      strOther = "$Recycle.Bin\\S-1-5-21-7-7-7-1001\\";
    LocalFree(pszSid);
    for (const std::string& strFolder :
         StringVector{"Recycled", "Recycler", "Recycler\\S-1-5-21-1004", "emptied", "deep",
                      "deep\\er", "kept", "$Recycle.Bin", strMine, strMine + "$RCD34",
                      strMine + "$RCD34\\inner", strOther})
        ASSERT_TRUE(CreateDirectoryA((drive / strFolder).c_str(), nullptr)) << strFolder;
    for (const std::string& strFile :
         StringVector{"Recycled\\DC1.TXT", "Recycler\\S-1-5-21-1004\\INFO2", "top.old",
                      "emptied\\a.old", "deep\\er\\b.tmp", "deep\\~c.doc", "kept\\d.chk",
                      "kept\\letter.doc", "kept\\old.txt", strMine + "$RAB12.txt",
                      strMine + "$IAB12.txt", strMine + "$RCD34\\inner\\x.doc",
                      strMine + "desktop.ini", strOther + "$RAB12.txt", strOther + "desktop.ini"})
        ASSERT_TRUE(WriteFileBytes(drive / strFile, "x"));
    SetFileAttributesA((drive / strMine + "$IAB12.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CAction action;
    action.strTitle = "Drive work";
    action.dwKind = AK_RECYCLEBIN;
    action.lstRecycleBinDrives = {drive.Root()};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), (CleanStats{5, 5}));
    EXPECT_FALSE(FileExists(drive / "Recycler\\S-1-5-21-1004"));
    EXPECT_EQ(FilesInListedOrder(drive / strMine), StringVector{"desktop.ini"});
    EXPECT_FALSE(FileExists(drive / strMine + "$RCD34"));
    EXPECT_EQ(FilesInListedOrder(drive / strOther), (StringVector{"$RAB12.txt", "desktop.ini"}));
    Build();
    Enable("DiskOpScan");
    m_settings->strDiskOpsDriveList = drive.Root();
    EXPECT_TRUE(Run());
    for (const char* pszGone : {"top.old", "emptied", "deep", "kept\\d.chk"})
        EXPECT_FALSE(FileExists(drive / pszGone)) << pszGone;
    EXPECT_TRUE(FileExists(drive / "kept\\letter.doc"));
    EXPECT_TRUE(FileExists(drive / "kept\\old.txt"));
    EXPECT_EQ(m_manager->m_stats.nDeletedFiles, 5u);
}
