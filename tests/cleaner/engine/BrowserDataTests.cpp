// Text files changed in place, and browser paths without their folders.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FileUpdates.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"

namespace {

FileUpdate Update(const std::string& strPath, uint32_t dwMethod, const StringVector& keywords)
{
    FileUpdate update;
    update.strPath = strPath;
    update.dwMethod = dwMethod;
    update.vecKeywords = keywords;
    return update;
}

typedef CleaningRun BrowserData;

}  // namespace

// Rewritten with Windows line ends, counted when changed; a missing file is created empty; an
// unknown method does nothing; one that cannot be read (though written) keeps its content.
TEST_F(BrowserData, UpdatedFilesAreRewrittenWhenTheyCanBeReadAndCountedWhenChanged)
{
    const uint32_t kWords = FileUpdate::FU_CLEAR_KEYWORDS;
    const struct {
        uint32_t dwMethod;
        const char* content;   // null: no file
        DWORD dwShare;         // 0: not held open
        const char* expected;  // null: no file
        uint32_t nUpdated;
    } cases[] = {
        {kWords, "one ab two\r\nab three\r\n", 0, "one  two\r\n three\r\n", 1},
        {kWords, "unix\nand dos\r\n", 0, "unix\r\nand dos\r\n", 0},
        {3, "unix\nab\n", 0, "unix\nab\n", 0},
        {kWords, nullptr, 0, "", 0},
        {7, nullptr, 0, nullptr, 0},
        {FileUpdate::FU_CLEAR_FILE, "ab\r\n", FILE_SHARE_WRITE, "ab\r\n", 0},
        {FileUpdate::FU_CLEAR_FILE, "ab\r\n", FILE_SHARE_READ, "ab\r\n", 0},
    };
    const std::string strPath = m_folder / "file.txt";
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.dwMethod << (test.content ? test.content : ""));
        DeleteFileA(strPath.c_str());
        if (test.content)
            MakeFile("file.txt", test.content);
        const HANDLE hFile = test.dwShare ? CreateFileA(strPath.c_str(), GENERIC_READ, test.dwShare,
                                                        nullptr, OPEN_EXISTING, 0, nullptr)
                                          : nullptr;
        EXPECT_EQ(UpdateFile(Update(strPath, test.dwMethod, {"ab"})),
                  (CleanStats{0, 0, test.nUpdated}));
        if (test.dwShare)
            CloseHandle(hFile);
        EXPECT_EQ(FileExists(strPath), test.expected != nullptr);
        EXPECT_EQ(ReadFileBytes(strPath), test.expected ? test.expected : "");
    }
    EXPECT_EQ(UpdateFile(Update(m_folder / "none\\missing.txt", kWords, {"*"})), CleanStats());
    EXPECT_FALSE(FileExists(m_folder / "none"));
}

// Without the Netscape folders the paths would name files at the root of the current drive,
// C: here. File updates come after the files: a file a target removes is created empty.
TEST_F(BrowserData, PathsWithoutTheirFolderAreLeftAloneAndUpdatesFollowTheFiles)
{
    const CSavedFile hst("C:\\netscape.hst"), prefs("C:\\prefs.js");
    hst.Write("not Netscape's");
    prefs.Write("browser.url_history\r\n");
    char szCurrent[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, szCurrent), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    CAction action;
    action.strTitle = "Browser";
    action.dwKind = AK_NNHISTORY;
    action.lstFilePairs = {
        {"[PATH_APP_NN4_ROOT]\\netscape.hst", "[PATH_APP_NN4_ROOT]\\prefs.js", 4},
        {"[PATH_APP_NN6_ROOT]\\netscape.hst", "C:\\prefs.js", 6}};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), CleanStats());
    action.dwKind = AK_STANDARD;
    action.lstFileUpdates = {
        Update("[PATH_APP_NN4_ROOT]\\prefs.js", FileUpdate::FU_CLEAR_FILE, {"browser"})};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), CleanStats());
    EXPECT_EQ(ReadFileBytes("C:\\netscape.hst"), "not Netscape's");
    EXPECT_EQ(ReadFileBytes("C:\\prefs.js"), "browser.url_history\r\n");
    EXPECT_EQ(m_log.Texts(), (std::vector<std::string>{"Browser", "Browser Complete", "Browser",
                                                       "Browser Complete"}));
    m_settings->strNetscape4UserPath = m_folder.Path();
    const std::string strGone = MakeFile("gone.txt", "secret\r\n");
    const std::string strKept = MakeFile("kept.txt", "a secret\r\nother\r\n");
    action.lstFiles = {FileTarget()};
    action.lstFiles.front().strName = strGone;
    action.lstFileUpdates = {
        Update(strGone, FileUpdate::FU_CLEAR_KEYWORDS, {"secret"}),
        Update("[PATH_APP_NN4_ROOT]\\kept.txt", FileUpdate::FU_CLEAR_LINES, {"*secret*"})};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), (CleanStats{8, 1, 1}));
    EXPECT_EQ(ReadFileBytes(strGone), "");
    EXPECT_TRUE(FileExists(strGone));
    EXPECT_EQ(ReadFileBytes(strKept), "other\r\n");
    SetCurrentDirectoryA(szCurrent);
}
