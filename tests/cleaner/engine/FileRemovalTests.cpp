// Removing files for real: what is deleted, kept, wiped, deferred or out of reach, and logged.
#include "cleaner/engine/FileRemoval.h"

#include "cleaner/engine/SystemVersion.h"
#include "cleaner/engine/WipePattern.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/HostCalls.h"
#include "tests/support/SavedFile.h"

#include <algorithm>
#include <thread>

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

// Opens the file the way a program that uses it does: no one may delete it.
HANDLE HoldOpen(const std::string& strPath, DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE)
{
    return CreateFileA(strPath.c_str(), GENERIC_READ, dwShare, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Made through the wide calls, which take a "\\?\" path of any length.
bool MakeWide(const std::wstring& path, const char* pszContent = nullptr)
{
    const std::wstring longPath = L"\\\\?\\" + path;
    if (!pszContent)
        return CreateDirectoryW(longPath.c_str(), nullptr) != FALSE;
    HANDLE hFile =
        CreateFileW(longPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD dwWritten = 0;
    WriteFile(hFile, pszContent, DWORD(strlen(pszContent)), &dwWritten, nullptr);
    return CloseHandle(hFile) != FALSE;
}

bool WideExists(const std::wstring& path)
{
    return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Nothing waits for the restart when a test starts.
class FileRemovalTest : public CleaningRun {
protected:
    FileRemovalTest() { m_registry.Remove(HKEY_LOCAL_MACHINE, kSessionManager, kPending); }
    FileRemoval m_removal;
    CScratchRegistry m_registry;
};

typedef FileRemovalTest DeferredDeletion, Wipe;  // both ask which Windows runs

}  // namespace

TEST_F(FileRemovalTest, EraseFileDeletesReadOnlyFilesAndKeepsOlderOnes)
{
    const std::string strReadOnly = MakeFile("read-only.txt", "12345");
    SetFileAttributesA(strReadOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(EraseFile(strReadOnly, m_removal), (CleanStats{5, 1}));
    EXPECT_FALSE(FileExists(strReadOnly));
    const std::string strMissing = m_folder / "missing.txt",
                      strNoFolder = m_folder / "no folder\\missing.txt";
    for (const std::string& strPath : {strMissing, strNoFolder})
        EXPECT_EQ(EraseFile(strPath, m_removal), CleanStats());
    EXPECT_EQ(m_log.m_lines, (Lines{Deleted(strReadOnly),
                                    {2, "File " + strMissing + " not found"},
                                    {2, "File " + strNoFolder + " not found"}}));
    // A date limit keeps older files untouched; one that is no date, all.
    const SysTime limit{2010, 1, 0, 1}, invalid;
    m_removal = FileRemoval{true, WIPE_ONES, &limit};
    const std::string strOld = MakeFile("old.txt", "old content"),
                      strNew = MakeFile("new.txt", "data");
    SetLastWriteYear(strOld, 2009);
    SetLastWriteYear(strNew, 2010);
    SetFileAttributesA(strOld.c_str(), FILE_ATTRIBUTE_READONLY);
    WIN32_FILE_ATTRIBUTE_DATA before, after;
    GetFileAttributesExA(strOld.c_str(), GetFileExInfoStandard, &before);
    EXPECT_EQ(EraseFile(strOld, m_removal), CleanStats());
    GetFileAttributesExA(strOld.c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(memcmp(&before, &after, sizeof(before)), 0);
    EXPECT_EQ(ReadFileBytes(strOld), "old content");
    EXPECT_EQ(EraseFile(strNew, m_removal), (CleanStats{4, 1}));
    m_removal.pDate = &invalid;
    EXPECT_EQ(EraseFile(MakeFile("any.txt", "data"), m_removal), CleanStats());
    EXPECT_TRUE(FileExists(m_folder / "any.txt"));
}

// The block over and over from the file's start, the last copy cut short, anew on each thread.
TEST_F(Wipe, RepeatsTheBlockExactlyAtEveryLength)
{
    std::string expected;
    std::thread([&] {
        unsigned char block[kWipeBlockSize];
        FillWipeBlock(WIPE_RANDOM, block);
        while (expected.size() < 65537)
            expected.append(reinterpret_cast<const char*>(block), kWipeBlockSize);
    }).join();
    for (const size_t nLength : {0, 1, 1023, 1025, 65537}) {
        const std::string strFile = MakeFile("wiped", std::string(nLength, 'a'));
        std::thread([&] { EXPECT_TRUE(WipeFile(strFile, WIPE_RANDOM)); }).join();
        EXPECT_TRUE(ReadFileBytes(strFile) == expected.substr(0, nLength)) << nLength;
    }
}

TEST_F(Wipe, LeavesSharedAndLockedDataAloneButTheFileIsDeleted)
{
    m_removal = FileRemoval{true, WIPE_ONES};
    // A second name of the same data keeps it.
    const std::string strFile = MakeFile("linked.txt", "shared data"),
                      strOtherName = m_folder / "other name.txt";
    ASSERT_TRUE(CreateHardLinkA(strOtherName.c_str(), strFile.c_str(), nullptr));
    EXPECT_FALSE(WipeFile(strFile, WIPE_ONES));
    EXPECT_EQ(EraseFile(strFile, m_removal), (CleanStats{11, 1}));
    EXPECT_FALSE(FileExists(strFile));
    EXPECT_EQ(ReadFileBytes(strOtherName), "shared data");
    // Open elsewhere, it is not wiped but deleted, or seen until closed (Wine) and deferred.
    const std::string strLocked = MakeFile("locked.txt", "in use");
    HANDLE hFile = HoldOpen(strLocked, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    const CleanStats stats = EraseFile(strLocked, m_removal);
    EXPECT_EQ(stats, FileExists(strLocked) ? (CleanStats{0, 0, 0, 1}) : (CleanStats{6, 1}));
    char buffer[16] = {};
    DWORD dwRead = 0;
    ReadFile(hFile, buffer, sizeof(buffer), &dwRead, nullptr);
    EXPECT_EQ(std::string(buffer, dwRead), "in use");
    CloseHandle(hFile);
    EXPECT_FALSE(FileExists(strLocked));
}

TEST_F(DeferredDeletion, FileInUseLosesItsAttributesAndIsLeftForTheRestart)
{
    const CSavedFile wininit(WindowsFolder() + "\\WININIT.INI");
    const std::string strFirst = MakeFile("first.txt", "data"),
                      strSecond = MakeFile("second.txt", "data");
    const DWORD dwKeeping = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    SetFileAttributesA(strFirst.c_str(), dwKeeping);
    HANDLE hFirst = HoldOpen(strFirst), hSecond = HoldOpen(strSecond);
    wininit.Write("[Rename]\r\nx=y");  // a header in other letter case is not the section
    for (const std::string& strPath : {strFirst, strSecond})
        EXPECT_EQ(EraseFile(strPath, m_removal), (CleanStats{0, 0, 0, 1}));
    CloseHandle(hFirst);
    CloseHandle(hSecond);
    const std::string strAtReboot = " will be removed until system reboot";
    EXPECT_EQ(m_log.m_lines, (Lines{{1, "File " + strFirst + strAtReboot},
                                    {1, "File " + strSecond + strAtReboot}}));
    EXPECT_EQ(GetFileAttributesA(strFirst.c_str()) & dwKeeping, 0u);
    if (!IsWinNT()) {
        char szFirst[MAX_PATH], szSecond[MAX_PATH];
        GetShortPathNameA(strFirst.c_str(), szFirst, MAX_PATH);
        GetShortPathNameA(strSecond.c_str(), szSecond, MAX_PATH);
        EXPECT_EQ(wininit.Read(), "[Rename]\r\nx=y\r\n[rename]\r\nnul = " + std::string(szSecond) +
                                      "\r\nnul = " + szFirst + "\r\n");
        EXPECT_FALSE(DeleteAtReboot(m_folder / "never there.txt"));  // no short form, no name
        return;
    }
    // Each is recorded for deletion: its path, then an empty new name.
    DWORD dwType;
    std::string pending;
    ASSERT_TRUE(ReadRawValue(kSessionManager, kPending, dwType, pending, HKEY_LOCAL_MACHINE));
    for (const std::string& strPath : {strFirst, strSecond})
        EXPECT_NE(pending.find(strPath.substr(2) + std::string(2, '\0')), std::string::npos);
    EXPECT_EQ(wininit.Read(), "[Rename]\r\nx=y");
}

TEST_F(FileRemovalTest, CleanFolderErasesEveryMatchOfEveryMaskAndPathButExcludedNames)
{
    const std::string strOther = MakeFolder("other"), strTmp = MakeFile("a.tmp", "1"),
                      strOtherTmp = MakeFile("other\\c.tmp", "333"),
                      strKept = MakeFile("other\\keep.log", "data"),
                      strHidden = MakeFile("b.log", "22");
    SetFileAttributesA(strHidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder("folder.tmp");
    // With the mask list on, an empty list matches nothing, nor does an empty
    // mask text. Excluded names compare with their case.
    const std::string strPaths = m_folder.Path() + "|" + strOther + "\\";
    EXPECT_EQ(CleanFolder(strPaths, {}, {}, "*.*", true, m_removal), CleanStats());
    EXPECT_EQ(CleanFolder(strPaths, {}, {"*.log"}, "", true, m_removal), CleanStats());
    EXPECT_EQ(CleanFolder(strPaths, {"keep.log", "B.LOG"}, {"*.log"}, "*.*", true, m_removal),
              (CleanStats{2, 1}));
    m_log.Clear();  // the .tmp files match both masks: deleted, then not found
    EXPECT_EQ(CleanFolder(strPaths, {"keep.log"}, {}, "*.tmp|*.*", false, m_removal),
              (CleanStats{4, 2}));
    EXPECT_EQ(m_log.m_lines, (Lines{Deleted(strTmp),
                                    {2, "File " + strTmp + " not found"},
                                    Deleted(strOtherTmp),
                                    {2, "File " + strOtherTmp + " not found"}}));
    EXPECT_TRUE(FileExists(strKept));
    EXPECT_TRUE(FileExists(m_folder / "folder.tmp"));
}

TEST_F(FileRemovalTest, CleanFolderTreeEmptiesTheTreeAndStaysInside)
{
    const std::string strTop = MakeFolder("top");
    for (const char* pszFolder :
         {"top\\sub", "top\\sub\\deeper", "top\\kept", "top\\.dot", "outside"})
        MakeFolder(pszFolder);
    const char* const kept[] = {"top\\keep.me", "top\\kept\\keep.me", "top\\.dot\\c.tmp",
                                "outside\\d.tmp"};
    for (const char* pszFile : kept)
        MakeFile(pszFile, "data");
    MakeFile("top\\a.tmp", "data");
    MakeFile("top\\sub\\deeper\\b.tmp", "data");
    // Links to folders: one out of the tree, one back to its own top.
    const bool bLinks =
        MakeHostSymlink(strTop + "\\out", "../outside") && MakeHostSymlink(strTop + "\\loop", ".");
    ASSERT_TRUE(!bLinks || GetFileAttributesA((strTop + "\\out").c_str()) ==
                               DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    EXPECT_EQ(CleanFolderTree(strTop, {"keep.me"}, {}, "*.*", false, m_removal),
              (CleanStats{8, 2}));
    EXPECT_TRUE(FileExists(strTop));
    EXPECT_FALSE(FileExists(strTop + "\\sub"));
    for (const char* pszFile : kept)
        EXPECT_TRUE(FileExists(m_folder / pszFile)) << pszFile;
    if (!bLinks)
        GTEST_SKIP() << "no folder links here: the link cases were not run";
    EXPECT_TRUE(FileExists(strTop + "\\out"));
    EXPECT_TRUE(FileExists(strTop + "\\loop"));
    RemoveHostSymlink(strTop + "\\out");
    RemoveHostSymlink(strTop + "\\loop");
}

// Names the code page cannot write and paths past 260 characters are reached by short forms.
TEST_F(FileRemovalTest, NamesAndPathsBeyondTheAnsiCallsAreCleanedOrReported)
{
    const std::wstring top = Wide(m_folder.Path());
    const std::wstring fileName = L"\x043f\x0440\x0438.tmp", folderName = L"\x65e5\x672c";
    ASSERT_TRUE(MakeWide(top + L"\\" + fileName, "12345"));
    ASSERT_TRUE(MakeWide(top + L"\\" + folderName));
    ASSERT_TRUE(MakeWide(top + L"\\" + folderName + L"\\" + fileName, "123"));
    // 26 folders of 12 characters: past 260, then too deep even for short forms.
    std::vector<std::wstring> levels = {top + L"\\deepest"};
    ASSERT_TRUE(MakeWide(levels.back()));
    for (int i = 0; i < 26; ++i) {
        levels.push_back(levels.back() + L"\\folder" + std::to_wstring(10000 + i));
        ASSERT_TRUE(MakeWide(levels.back()));
        ASSERT_TRUE(MakeWide(levels.back() + L"\\level.tmp", "1"));
    }
    if (Narrow(fileName).find('?') == std::string::npos)
        GTEST_SKIP() << "this code page writes the test's names";
    const CleanStats stats = CleanFolderTree(m_folder.Path(), {}, {}, "*.*", false, m_removal);
    EXPECT_FALSE(WideExists(top + L"\\" + folderName));
    std::vector<std::string> failed, deleted;
    for (const Line& line : m_log.m_lines)
        (line.nImage == LI_FILE_FAILED ? failed : deleted).push_back(line.strText);
    uint32_t nStaying = 0;
    for (size_t i = 1; i < levels.size(); ++i)
        nStaying += WideExists(levels[i] + L"\\level.tmp");
    ASSERT_GT(nStaying, 0u);
    // What stays is the folder that the log names and everything below it.
    const std::string strUnreached = Narrow(levels[levels.size() - nStaying]);
    EXPECT_EQ(failed, std::vector<std::string>{"Folder " + strUnreached +
                                               " could not be cleaned: its path is too long"});
    // What went is counted, and logged by its long name as well as the code page can.
    EXPECT_EQ(stats, (CleanStats{8 + 26 - nStaying, 2 + 26 - nStaying}));
    EXPECT_EQ(deleted.size(), 2 + 26 - nStaying);
    for (const std::wstring& file :
         {top + L"\\" + fileName, top + L"\\" + folderName + L"\\" + fileName})
        EXPECT_EQ(std::count(deleted.begin(), deleted.end(), Deleted(Narrow(file)).strText), 1);
    // Nothing waits for a restart under a name that means nothing.
    EXPECT_FALSE(ValueExists(kSessionManager, kPending, HKEY_LOCAL_MACHINE));
}
