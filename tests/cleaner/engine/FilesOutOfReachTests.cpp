// Files that a clean cannot simply delete by the name it lists: names that
// the ANSI code page cannot write, paths longer than the ANSI calls take,
// files that a read-only file system keeps, drives that go away during the
// walk, files in use until the next restart. Each is removed or reported;
// none is counted as deleted while it is still there.
#include "cleaner/engine/FileRemoval.h"

#include "cleaner/engine/Log.h"
#include "cleaner/engine/SystemVersion.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/RemovalStats.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDrive.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

typedef CRecordingLog::Line Line;

const char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";

// What waits for the next restart; empty when nothing does.
std::string PendingOperations()
{
    DWORD dwType = 0;
    std::string operations;
    ReadRawValue(kSessionManagerKey, "PendingFileRenameOperations", dwType, operations,
                 HKEY_LOCAL_MACHINE);
    return operations;
}

// The path as the wide calls take it at any length.
std::wstring LongForm(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

bool MakeWideFile(const std::wstring& path, const char* pszContent = "data")
{
    HANDLE hFile = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    WriteFile(hFile, pszContent, static_cast<DWORD>(strlen(pszContent)), &dwWritten, nullptr);
    CloseHandle(hFile);
    return true;
}

bool WideExists(const std::wstring& path)
{
    return GetFileAttributesW(LongForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The name as the ANSI calls list it: "?" for what the code page cannot write.
std::string AnsiForm(const std::wstring& name)
{
    return Narrow(name);
}

std::string Deleted(const std::string& strPath)
{
    return "File " + strPath + " was deleted";
}

class FilesOutOfReach : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& strName)
    {
        const std::string strPath = m_folder / strName;
        EXPECT_TRUE(WriteFileBytes(strPath, "data")) << strPath;
        return strPath;
    }
    std::vector<std::string> TextsWithImage(uint32_t nImage) const
    {
        std::vector<std::string> texts;
        for (const Line& line : m_log.m_lines) {
            if (line.nImage == nImage)
                texts.push_back(line.strText);
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    CTempFolder m_folder;
    CRecordingLog m_log;
    FileRemoval m_removal;
};

}  // namespace

TEST_F(FilesOutOfReach, NamesTheCodePageCannotWriteAreDeletedAndLoggedAsWellAsItCan)
{
    CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManagerKey, "PendingFileRenameOperations");
    const std::string operationsBefore = PendingOperations();
    const std::wstring folder = Wide(m_folder.Path());
    const std::wstring fileName = L"\x043f\x0440\x0438\x0432\x0435\x0442.tmp";
    const std::wstring folderName = L"\x65e5\x672c";
    ASSERT_TRUE(MakeWideFile(folder + L"\\" + fileName, "12345"));
    ASSERT_TRUE(CreateDirectoryW(LongForm(folder + L"\\" + folderName).c_str(), nullptr));
    ASSERT_TRUE(MakeWideFile(folder + L"\\" + folderName + L"\\" + fileName, "123"));
    ASSERT_TRUE(MakeWideFile(folder + L"\\" + folderName + L"\\plain.tmp", "1"));
    if (AnsiForm(fileName).find('?') == std::string::npos)
        GTEST_SKIP() << "this code page writes the test's names";

    const CleanStats stats = CleanFolderTree(m_folder.Path(), {}, {}, "*.*", false, m_removal);

    EXPECT_EQ(stats, Stats(9, 3));
    EXPECT_FALSE(WideExists(folder + L"\\" + fileName));
    EXPECT_FALSE(WideExists(folder + L"\\" + folderName));
    const std::string strShownFolder = m_folder / AnsiForm(folderName);
    std::vector<std::string> expected = {Deleted(m_folder / AnsiForm(fileName)),
                                         Deleted(strShownFolder + "\\" + AnsiForm(fileName)),
                                         Deleted(strShownFolder + "\\plain.tmp")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(TextsWithImage(LI_FILE_DELETED), expected);
    EXPECT_EQ(m_log.m_lines.size(), 3u);
    // Nothing waits for a restart under a name that means nothing.
    EXPECT_EQ(PendingOperations(), operationsBefore);
}

TEST_F(FilesOutOfReach, PathsLongerThanTheAnsiCallsTakeAreCleanedOrReported)
{
    // Six folders of 50 characters: the files at the bottom lie past 300
    // characters, and are reached by the short forms of the folders.
    const std::wstring segment = L"a123456789b123456789c123456789d123456789e123456789";
    std::wstring deep = Wide(m_folder.Path()) + L"\\deep";
    ASSERT_TRUE(CreateDirectoryW(LongForm(deep).c_str(), nullptr));
    for (int i = 0; i < 6; ++i) {
        deep += L"\\" + segment;
        ASSERT_TRUE(CreateDirectoryW(LongForm(deep).c_str(), nullptr));
    }
    ASSERT_TRUE(MakeWideFile(deep + L"\\bottom.tmp", "1234"));
    ASSERT_TRUE(MakeWideFile(deep + L"\\" + segment + L".tmp", "12"));
    ASSERT_GT(deep.size(), size_t(MAX_PATH));

    // Far deeper than even short forms reach: 26 folders of 12 characters.
    std::wstring deepest = Wide(m_folder.Path()) + L"\\deepest";
    ASSERT_TRUE(CreateDirectoryW(LongForm(deepest).c_str(), nullptr));
    std::string strLastReached;
    for (int i = 0; i < 26; ++i) {
        deepest += L"\\folder" + std::to_wstring(10000 + i);
        ASSERT_TRUE(CreateDirectoryW(LongForm(deepest).c_str(), nullptr));
        ASSERT_TRUE(MakeWideFile(deepest + L"\\level.tmp", "1"));
    }

    const CleanStats stats = CleanFolderTree(m_folder.Path(), {}, {}, "*.*", false, m_removal);

    EXPECT_FALSE(WideExists(Wide(m_folder.Path()) + L"\\deep"));
    // Every file that stays is in the one folder the log names, or below it.
    const std::vector<std::string> failed = TextsWithImage(LI_FILE_FAILED);
    ASSERT_EQ(failed.size(), 1u);
    const std::string strPrefix = "Folder ";
    const std::string strSuffix = " could not be cleaned: its path is too long";
    ASSERT_EQ(failed[0].compare(0, strPrefix.size(), strPrefix), 0) << failed[0];
    ASSERT_GE(failed[0].size(), strPrefix.size() + strSuffix.size());
    const std::string strUnreached =
        failed[0].substr(strPrefix.size(), failed[0].size() - strPrefix.size() - strSuffix.size());
    EXPECT_EQ(failed[0].substr(failed[0].size() - strSuffix.size()), strSuffix);
    int nStaying = 0;
    std::wstring level = Wide(m_folder.Path()) + L"\\deepest";
    for (int i = 0; i < 26; ++i) {
        level += L"\\folder" + std::to_wstring(10000 + i);
        if (WideExists(level + L"\\level.tmp")) {
            ++nStaying;
            EXPECT_EQ(AnsiForm(level).compare(0, strUnreached.size(), strUnreached), 0)
                << AnsiForm(level);
        }
    }
    EXPECT_GT(nStaying, 0);
    // The count is of what went: both deep files and every level above.
    EXPECT_EQ(stats, Stats(6 + 26 - nStaying, 2 + 26 - nStaying));
    EXPECT_EQ(TextsWithImage(LI_FILE_DELETED).size(), size_t(2 + 26 - nStaying));
    // Each deleted line names the file by its long path, as it was listed.
    const std::string strLongBottom = AnsiForm(deep + L"\\bottom.tmp");
    EXPECT_EQ(std::count(m_log.m_lines.begin(), m_log.m_lines.end(),
                         Line{LI_FILE_DELETED, Deleted(strLongBottom)}),
              1);
}

TEST_F(FilesOutOfReach, FileThatTheFileSystemKeepsIsReportedAndTheCleanGoesOn)
{
    CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManagerKey, "PendingFileRenameOperations");
    const std::string operationsBefore = PendingOperations();
    CTestDrive drive;
    if (!drive.MapFileSystem(1 << 20))
        GTEST_SKIP() << "the host does not let this test mount a file system of its own";
    const std::string strKept = drive / "kept.tmp";
    ASSERT_TRUE(WriteFileBytes(strKept, "12345"));
    ASSERT_TRUE(drive.MakeReadOnly());
    const std::string strNext = MakeFile("next.tmp");

    const CleanStats stats =
        CleanFolder(drive.Root() + "|" + m_folder.Path(), {}, {}, "*.*", false, m_removal);

    // Reported whatever the flags, and neither counted nor left for a
    // restart that could not remove it either.
    EXPECT_EQ(stats, Stats(4, 1));
    EXPECT_TRUE(FileExists(strKept));
    EXPECT_FALSE(FileExists(strNext));
    EXPECT_EQ(m_log.m_lines, (std::vector<Line>{{LI_FILE_FAILED, "File " + strKept +
                                                                     " could not be deleted"},
                                                {LI_FILE_DELETED, Deleted(strNext)}}));
    EXPECT_EQ(PendingOperations(), operationsBefore);

    m_log.Clear();
    m_removal.dwReportFlags = 0;
    EXPECT_EQ(EraseFile(strKept, m_removal), CleanStats());
    EXPECT_EQ(m_log.Texts(), (std::vector<std::string>{"File " + strKept +
                                                       " could not be deleted"}));
}

TEST_F(FilesOutOfReach, DriveThatGoesAwayDuringTheWalkLeavesNothingCountedThatStayed)
{
    // The drive is taken away as soon as its first file is gone.
    class CUnmappingLog : public CRecordingLog {
    public:
        explicit CUnmappingLog(CTestDrive& drive) : m_drive(drive) {}
        void AddLine(uint32_t nImage, const char* pszLine) override
        {
            CRecordingLog::AddLine(nImage, pszLine);
            m_drive.Unmap();
        }

    private:
        CTestDrive& m_drive;
    };

    CTestDrive drive;
    if (!drive.MapFolder())
        GTEST_SKIP() << "no drive letter can be mapped here";
    for (const char* pszName : {"a.tmp", "b.tmp", "c.tmp"})
        ASSERT_TRUE(WriteFileBytes(drive / pszName, "12"));
    CUnmappingLog log(drive);

    const CleanStats stats = CleanFolderTree(drive.Root(), {}, {}, "*.*", false, m_removal);

    EXPECT_EQ(stats, Stats(2, 1));
    ASSERT_EQ(log.m_lines.size(), 3u);
    EXPECT_EQ(log.m_lines[0].nImage, uint32_t(LI_FILE_DELETED));
    for (size_t i = 1; i < log.m_lines.size(); ++i) {
        EXPECT_EQ(log.m_lines[i].nImage, uint32_t(LI_FILE_NOT_FOUND))
            << log.m_lines[i].strText;
    }
}

TEST_F(FilesOutOfReach, FileInUseIsGoneAfterTheRestart)
{
    if (!IsWinNT())
        GTEST_SKIP() << "the restart of Windows 95/98/ME is not run here";
    CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManagerKey, "PendingFileRenameOperations");
    const std::string strFile = MakeFile("in use.tmp");
    HANDLE hFile = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(EraseFile(strFile, m_removal), Stats(0, 0, 1));
    CloseHandle(hFile);
    ASSERT_TRUE(FileExists(strFile));

    // Wine's restart does what the system does at start: it carries out
    // the deletions left for it.
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    char szCommand[] = "wineboot.exe -r";
    if (!CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        GTEST_SKIP() << "this is not Wine";
    WaitForSingleObject(process.hProcess, 120000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_FALSE(FileExists(strFile));
}

TEST_F(FilesOutOfReach, DeferralThatCannotBeRecordedIsReported)
{
    if (IsWinNT())
        GTEST_SKIP() << "the system records the deferrals of the NT family itself";
    // WININIT.INI cannot be written where a folder has its name.
    char szWindows[MAX_PATH];
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    const std::string strWininit = std::string(szWindows) + "\\WININIT.INI";
    if (FileExists(strWininit))
        GTEST_SKIP() << "WININIT.INI is there already";
    ASSERT_TRUE(CreateDirectoryA(strWininit.c_str(), nullptr));
    const std::string strFile = MakeFile("in use.tmp");
    HANDLE hFile = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);

    const CleanStats stats = EraseFile(strFile, m_removal);

    CloseHandle(hFile);
    RemoveDirectoryA(strWininit.c_str());
    EXPECT_EQ(stats, CleanStats());
    EXPECT_EQ(m_log.m_lines, (std::vector<Line>{{LI_FILE_FAILED, "File " + strFile +
                                                                     " could not be deleted"}}));
}
