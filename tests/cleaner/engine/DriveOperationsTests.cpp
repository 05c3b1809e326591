// Free-space elimination, the recycle bin and the disk scan, on drive
// letters made for the tests: a small file system of its own where the host
// lets a test mount one, an empty folder otherwise.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/RecycleBin.h"
#include "cleaner/engine/WipePattern.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/HostCalls.h"
#include "tests/support/HostLink.h"
#include "tests/support/TestDrive.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

const uint64_t kDriveSize = 8 << 20;

#define MAP_FILE_SYSTEM_OR_SKIP(drive, nBytes)                                              \
    if (!(drive).MapFileSystem(nBytes))                                                     \
    GTEST_SKIP() << "the host does not let this test mount a file system of its own"

// Whether the bytes are the filler block, over and over.
::testing::AssertionResult IsFillerPattern(const std::string& bytes)
{
    unsigned char block[kFillerBlockSize];
    FillFillerBlock(block);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) != block[i % kFillerBlockSize])
            return ::testing::AssertionFailure() << "byte " << i << " of " << bytes.size();
    }
    return ::testing::AssertionSuccess();
}

StringVector FillersOn(const CTestDrive& drive)
{
    StringVector names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((drive / "elim*.ers").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return names;
}

// Lets no file of this process grow past a size, as a file system with a
// file-size limit would, for as long as it lives. The host then refuses the
// write that would pass it instead of ending the process.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(uint64_t nBytes)
    {
        const HostSignalAction ignore = {1, 0, 0, 0};  // 1: ignore the signal
        m_bSet = HostCall(HC_RT_SIGACTION, reinterpret_cast<const void*>(kFileSizeSignal),
                          &ignore, &m_previous, sizeof(uint64_t)) == 0 &&
                 SetLimit(nBytes);
    }
    ~CFileSizeLimit()
    {
        if (m_bSet) {
            SetLimit(kUnlimited);
            HostCall(HC_RT_SIGACTION, reinterpret_cast<const void*>(kFileSizeSignal),
                     &m_previous, nullptr, sizeof(uint64_t));
        }
    }
    bool IsSet() const { return m_bSet; }

private:
    struct HostSignalAction {
        uintptr_t handler, flags, restorer;
        uint64_t mask;
    };
    struct HostLimit {
        uintptr_t current, maximum;
    };
    static const intptr_t kFileSizeSignal = 25;
    static const intptr_t kFileSizeResource = 1;
    static const uintptr_t kUnlimited = ~uintptr_t(0);

    static bool SetLimit(uintptr_t nBytes)
    {
        const HostLimit limit = {nBytes, kUnlimited};
        return HostCall(HC_SETRLIMIT, reinterpret_cast<const void*>(kFileSizeResource),
                        &limit) == 0;
    }

    HostSignalAction m_previous = {};
    bool m_bSet = false;
};

class DriveOperations : public CleaningRun {
protected:
    // Runs one action of the kind on its own, as a clean would.
    CleanStats Execute(CAction& action)
    {
        action.strTitle = "Drive work";
        return ExecuteAction(action, *m_settings, m_stop);
    }
    CTestDrive m_drive;
};

}  // namespace

// A run that was killed leaves the drive full; the next one starts by
// removing that filler, fills the drive again to the last byte and leaves
// it as it found it.
TEST_F(DriveOperations, FreeSpaceIsFilledToTheEndWithTheBlockAndGivenBack)
{
    MAP_FILE_SYSTEM_OR_SKIP(m_drive, kDriveSize);
    ASSERT_TRUE(WriteFileBytes(m_drive / "keep.txt", "the user's"));
    const uint64_t nFree = FreeBytes(m_drive.Root());
    ASSERT_GT(nFree, 4 * kFillerBlockSize);

    StringVector fillers;
    ASSERT_TRUE(FillFreeSpace(m_drive.Root(), nullptr, fillers));
    // "R:\" and "\elim.ers" make two backslashes, which the system reads as one.
    const std::string strFiller = m_drive.Root() + "\\elim.ers";
    EXPECT_EQ(fillers, StringVector{strFiller});
    EXPECT_EQ(FreeBytes(m_drive.Root()), 0u);
    const std::string filled = ReadFileBytes(m_drive / "elim.ers");
    EXPECT_EQ(filled.size(), nFree);
    EXPECT_TRUE(IsFillerPattern(filled));

    Build();
    Enable("DiskOpFreeSpace");
    m_settings->strDiskOpsDriveList = m_drive.Root();
    EXPECT_TRUE(Run());
    // Neither filler counts: the summary shows nothing deleted.
    EXPECT_EQ(m_log.m_lines,
              Ran("Free Space Elimination", {Deleted(strFiller), Deleted(strFiller)}) +
                  Summary(0, 0, 0));
    EXPECT_EQ(FreeBytes(m_drive.Root()), nFree);
    EXPECT_EQ(FillersOn(m_drive), StringVector());
    EXPECT_EQ(ReadFileBytes(m_drive / "keep.txt"), "the user's");
}

// Drives smaller than one large write, just past it, and of no round size:
// the one filler takes the free space to the last byte, block after block.
TEST_F(DriveOperations, FillerEndsExactlyWhereTheDriveDoesWhateverItsSize)
{
    const uint64_t sizes[] = {12 << 10, (1 << 20) + (8 << 10), (2 << 20) + (4 << 10),
                              (9 << 20) + (20 << 10)};
    for (const uint64_t nSize : sizes) {
        CTestDrive drive;
        MAP_FILE_SYSTEM_OR_SKIP(drive, nSize);
        ASSERT_TRUE(WriteFileBytes(drive / "keep.txt", "the user's"));
        const uint64_t nFree = FreeBytes(drive.Root());
        ASSERT_GT(nFree, 0u) << nSize;

        StringVector fillers;
        ASSERT_TRUE(FillFreeSpace(drive.Root(), nullptr, fillers)) << nSize;
        EXPECT_EQ(fillers, StringVector{drive.Root() + "\\elim.ers"}) << nSize;
        EXPECT_EQ(FreeBytes(drive.Root()), 0u) << nSize;
        const std::string filled = ReadFileBytes(drive / "elim.ers");
        EXPECT_EQ(filled.size(), nFree) << nSize;
        EXPECT_TRUE(IsFillerPattern(filled)) << nSize;
        EXPECT_EQ(ReadFileBytes(drive / "keep.txt"), "the user's") << nSize;
    }
}

// The largest file of a FAT32 drive is 4 GiB less one byte; past such a
// limit the fillers go on beside the first until the drive is full.
TEST_F(DriveOperations, FillerThatCannotGrowIsFollowedByMoreUntilTheDriveIsFull)
{
    MAP_FILE_SYSTEM_OR_SKIP(m_drive, kDriveSize);
    const uint64_t nFree = FreeBytes(m_drive.Root());
    // Whole clusters, so that the files take exactly the free space; not a
    // multiple of the large writes, so that one of them is cut short.
    const uint64_t nLimit = (3 << 20) + 3 * kFillerBlockSize;
    StringVector fillers;
    {
        CFileSizeLimit limit(nLimit);
        if (!limit.IsSet())
            GTEST_SKIP() << "the host does not let this test limit the size of files";
        ASSERT_TRUE(FillFreeSpace(m_drive.Root(), nullptr, fillers));
    }
    const std::string strRoot = m_drive.Root();
    ASSERT_EQ(fillers, (StringVector{strRoot + "\\elim.ers", strRoot + "\\elim1.ers",
                                     strRoot + "\\elim2.ers"}));
    EXPECT_EQ(FreeBytes(strRoot), 0u);
    uint64_t nTotal = 0;
    for (const std::string& strFiller : fillers) {
        const std::string bytes = ReadFileBytes(strFiller);
        EXPECT_LE(bytes.size(), nLimit) << strFiller;
        EXPECT_TRUE(IsFillerPattern(bytes)) << strFiller;
        nTotal += bytes.size();
    }
    EXPECT_EQ(nTotal, nFree);

    // What a killed run leaves behind goes before the next one fills.
    RemoveLeftoverFillers(strRoot);
    EXPECT_EQ(FillersOn(m_drive), StringVector());
    EXPECT_EQ(m_log.Texts(), (std::vector<std::string>{"File " + fillers[0] + " was deleted",
                                                       "File " + fillers[1] + " was deleted",
                                                       "File " + fillers[2] + " was deleted"}));
    EXPECT_EQ(FreeBytes(strRoot), nFree);
}

TEST_F(DriveOperations, StoppedEliminationStillRemovesItsFiller)
{
    MAP_FILE_SYSTEM_OR_SKIP(m_drive, kDriveSize);
    const uint64_t nFree = FreeBytes(m_drive.Root());
    m_stop.Request();
    EXPECT_TRUE(EliminateFreeSpace(m_drive.Root(), &m_stop));
    EXPECT_EQ(FillersOn(m_drive), StringVector());
    EXPECT_EQ(FreeBytes(m_drive.Root()), nFree);
}

// Nothing is written anywhere: without a drive the filler path would be
// "\elim.ers", at the root of the current drive.
TEST_F(DriveOperations, EmptyDriveListDoesNothing)
{
    Build();
    Enable("DiskOpFreeSpace");
    Enable("DiskOpScan");
    m_settings->strDiskOpsDriveList = "";
    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines,
              Ran("Free Space Elimination") + Ran("Scan Disk by Mask") + Summary(0, 0, 0));
    EXPECT_FALSE(FileExists("\\elim.ers"));
    EXPECT_FALSE(EliminateFreeSpace(""));
}

TEST_F(DriveOperations, MissingDriveIsSkippedWithoutALine)
{
    CAction action;
    action.dwKind = AK_FREESPACE;
    action.lstFreeSpaceDrives = {"Q:\\nowhere\\"};
    Execute(action);
    EXPECT_EQ(m_log.Texts(), (std::vector<std::string>{"Drive work", "Drive work Complete"}));
}

// A drive of Windows 2000 and XP has "Recycler" with a folder for each
// user; "Recycled" of Windows 95/98/ME is not there.
TEST_F(DriveOperations, RecycleBinIsEmptiedWithItsHiddenFilesAndUserFolders)
{
    ASSERT_TRUE(m_drive.MapFolder());
    const std::string strBin = m_drive / "Recycler";
    const std::string strUser = strBin + "\\S-1-5-21-1004";
    ASSERT_TRUE(CreateDirectoryA(strBin.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(strUser.c_str(), nullptr));
    SetFileAttributesA(strUser.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(WriteFileBytes(strUser + "\\INFO2", std::string(820, 'i')));
    ASSERT_TRUE(WriteFileBytes(strUser + "\\Dc1.txt", std::string(300, 'd')));
    ASSERT_TRUE(WriteFileBytes(strUser + "\\desktop.ini", "[.ShellClassInfo]"));
    ASSERT_TRUE(WriteFileBytes(strBin + "\\Dc2", "no extension"));
    SetFileAttributesA((strUser + "\\INFO2").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((strUser + "\\desktop.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(WriteFileBytes(m_drive / "outside.txt", "stays"));

    Build();
    CAction action;
    action.dwKind = AK_RECYCLEBIN;
    action.lstRecycleBinDrives = {m_drive.Root()};
    const CleanStats stats = Execute(action);

    EXPECT_EQ(stats.nDeletedFiles, 4u);
    EXPECT_EQ(stats.dwReleasedSpace, 820u + 300 + 17 + 12);
    EXPECT_TRUE(FileExists(strBin));
    EXPECT_FALSE(FileExists(strUser));
    EXPECT_TRUE(FileExists(m_drive / "outside.txt"));
    // The folder is named as the drive entry and "\Recycler" make it.
    const std::string strNamed = m_drive.Root() + "\\Recycler";
    std::vector<std::string> texts = m_log.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts.front(), "Drive work");
    EXPECT_EQ(texts.back(), "Drive work Complete");
    // Within a folder the files come in the order the file system keeps.
    std::sort(texts.begin() + 1, texts.end() - 1);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end() - 1),
              (std::vector<std::string>{
                  "File " + strNamed + "\\Dc2 was deleted",
                  "File " + strNamed + "\\S-1-5-21-1004\\Dc1.txt was deleted",
                  "File " + strNamed + "\\S-1-5-21-1004\\INFO2 was deleted",
                  "File " + strNamed + "\\S-1-5-21-1004\\desktop.ini was deleted"}));
}

// Default masks; a link to a folder elsewhere is not followed.
TEST_F(DriveOperations, DiskScanDeletesMatchingFilesAnywhereOnTheDrive)
{
    ASSERT_TRUE(m_drive.MapFolder());
    CTempFolder outside;
    ASSERT_TRUE(WriteFileBytes(outside / "elsewhere.old", "not on the drive"));
    for (const char* pszFolder : {"emptied", "deep", "deep\\er", "kept"})
        ASSERT_TRUE(CreateDirectoryA((m_drive / pszFolder).c_str(), nullptr));
    for (const char* pszFile : {"top.old", "emptied\\a.old", "deep\\er\\b.tmp", "deep\\~c.doc",
                                "kept\\d.chk", "kept\\letter.doc", "kept\\old.txt"})
        ASSERT_TRUE(WriteFileBytes(m_drive / pszFile, "x"));
    const std::string strOutsideName = outside.Path().substr(outside.Path().rfind('\\') + 1);
    const bool bLink = MakeHostSymlink(m_drive / "link", "../" + strOutsideName);

    Build();
    Enable("DiskOpScan");
    m_settings->strDiskOpsDriveList = m_drive.Root();
    EXPECT_TRUE(Run());

    for (const char* pszGone : {"top.old", "emptied", "deep", "kept\\d.chk"})
        EXPECT_FALSE(FileExists(m_drive / pszGone)) << pszGone;
    EXPECT_TRUE(FileExists(m_drive / "kept\\letter.doc"));
    EXPECT_TRUE(FileExists(m_drive / "kept\\old.txt"));
    EXPECT_TRUE(FileExists(outside / "elsewhere.old"));
    EXPECT_EQ(m_manager->m_stats.nDeletedFiles, 5u);
    if (bLink)
        RemoveHostSymlink(m_drive / "link");
}
