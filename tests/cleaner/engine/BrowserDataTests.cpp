// Text files changed in place, the Netscape and Mozilla history handler and
// the locators of the browsers' user folders, on files and registry values
// that the tests write.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FileUpdates.h"
#include "cleaner/engine/NetscapeLocators.h"
#include "cleaner/engine/StopRequest.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char kBiff[] = "Software\\Netscape\\Netscape Navigator\\biff";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

CleanStats Updated(uint32_t nFiles)
{
    CleanStats stats;
    stats.nUpdatedFiles = nFiles;
    return stats;
}

FileUpdate Update(const std::string& strPath, uint32_t dwMethod, const StringVector& keywords)
{
    FileUpdate update;
    update.strPath = strPath;
    update.dwMethod = dwMethod;
    update.vecKeywords = keywords;
    return update;
}

class FileUpdateTest : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& strName, const std::string& content)
    {
        const std::string strPath = m_folder / strName;
        EXPECT_TRUE(WriteFileBytes(strPath, content)) << strPath;
        return strPath;
    }

    CTempFolder m_folder;
};

}  // namespace

TEST_F(FileUpdateTest, EachMethodRewritesTheFileWithWindowsLineEnds)
{
    const struct {
        const char* note;
        uint32_t dwMethod;
        StringVector keywords;
        const char* content;
        const char* expected;
        uint32_t nUpdated;
    } cases[] = {
        {"a two-letter keyword twice", FileUpdate::FU_CLEAR_KEYWORDS, {"ab"},
         "one ab two\r\nab three\r\n", "one  two\r\n three\r\n", 1},
        {"a keyword that is not there: rewritten as it was, in text mode",
         FileUpdate::FU_CLEAR_KEYWORDS, {"zz"}, "unix\nand dos\r\n", "unix\r\nand dos\r\n", 0},
        {"a word in a line after at least one character", FileUpdate::FU_CLEAR_LINES,
         {"*word*"}, "a word\r\nword first\r\nnone\r\nmy words\r\n",
         "word first\r\nnone\r\n", 1},
        {"without the trailing star only a last line without its end",
         FileUpdate::FU_CLEAR_LINES, {"*word"}, "a word\r\nb word", "a word\r\n", 1},
        {"the second of two keywords empties the file", FileUpdate::FU_CLEAR_FILE,
         {"absent", "present"}, "is present\r\nmore\r\n", "", 1},
    };
    for (const auto& test : cases) {
        const std::string strPath = MakeFile("file.txt", test.content);
        EXPECT_EQ(UpdateFile(Update(strPath, test.dwMethod, test.keywords)),
                  Updated(test.nUpdated))
            << test.note;
        EXPECT_EQ(ReadFileBytes(strPath), test.expected) << test.note;
    }
}

TEST_F(FileUpdateTest, MissingFileIsCreatedEmptyAndNotCounted)
{
    const std::string strPath = m_folder / "missing.txt";
    EXPECT_EQ(UpdateFile(Update(strPath, FileUpdate::FU_CLEAR_KEYWORDS, {"ab"})), Updated(0));
    EXPECT_TRUE(FileExists(strPath));
    EXPECT_EQ(ReadFileBytes(strPath), "");

    const std::string strNoFolder = m_folder / "none\\missing.txt";
    EXPECT_EQ(UpdateFile(Update(strNoFolder, FileUpdate::FU_CLEAR_LINES, {"*"})), Updated(0));
    EXPECT_FALSE(FileExists(strNoFolder));
}

TEST_F(FileUpdateTest, FileThatCannotBeReadOrWrittenKeepsItsContentAndIsNotCounted)
{
    // Another program keeps others from reading it but not from writing it:
    // rewritten from what could not be read, it would lose its content.
    const std::string strLocked = MakeFile("locked.txt", "secret\r\n");
    const HANDLE hLocked = CreateFileA(strLocked.c_str(), GENERIC_READ, FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLocked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(UpdateFile(Update(strLocked, FileUpdate::FU_CLEAR_KEYWORDS, {"secret"})),
              Updated(0));
    CloseHandle(hLocked);
    EXPECT_EQ(ReadFileBytes(strLocked), "secret\r\n");

    // Another program reads it and lets others only read: the change cannot
    // be written back.
    const std::string strShared = MakeFile("shared.txt", "secret\r\n");
    const HANDLE hShared = CreateFileA(strShared.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hShared, INVALID_HANDLE_VALUE);
    EXPECT_EQ(UpdateFile(Update(strShared, FileUpdate::FU_CLEAR_FILE, {"secret"})),
              Updated(0));
    CloseHandle(hShared);
    EXPECT_EQ(ReadFileBytes(strShared), "secret\r\n");
}

TEST_F(FileUpdateTest, UnknownMethodTouchesNothing)
{
    const std::string strPath = MakeFile("file.txt", "unix\nsecret\n");
    EXPECT_EQ(UpdateFile(Update(strPath, 3, {"secret"})), Updated(0));
    EXPECT_EQ(ReadFileBytes(strPath), "unix\nsecret\n");
    const std::string strMissing = m_folder / "missing.txt";
    EXPECT_EQ(UpdateFile(Update(strMissing, 7, {"secret"})), Updated(0));
    EXPECT_FALSE(FileExists(strMissing));
}

TEST_F(FileUpdateTest, HistoryLinesGoAndEveryOtherByteStays)
{
    const std::string strStore = MakeFile("localstore.rdf",
                                          "<?xml version=\"1.0\"?>\r\n"
                                          "<RDF:RDF>\r\n"
                                          "  <RDF:Seq about=\"urn:history\">\r\n"
                                          "    <RDF:li resource=\"http://a.example/\"/>\r\n"
                                          "    <RDF:li>http://b.example/</RDF:li>\r\n"
                                          "  </RDF:Seq>\r\n"
                                          "</RDF:RDF>");
    StripHistoryLines(strStore);
    // "<RDF:li resource" is no "<RDF:li>".
    EXPECT_EQ(ReadFileBytes(strStore), "<?xml version=\"1.0\"?>\r\n"
                                       "<RDF:RDF>\r\n"
                                       "  <RDF:Seq about=\"urn:history\">\r\n"
                                       "    <RDF:li resource=\"http://a.example/\"/>\r\n"
                                       "  </RDF:Seq>\r\n"
                                       "</RDF:RDF>");

    const std::string strMissing = m_folder / "missing.rdf";
    StripHistoryLines(strMissing);
    EXPECT_FALSE(FileExists(strMissing));
}

// A clean of the browser actions, with the Netscape folders of the settings
// pointing into the test's folder.
typedef CleaningRun BrowserCleanTest;

TEST_F(BrowserCleanTest, HistoryHandlerErasesTheFirstFileAndStripsTheSecond)
{
    const std::string strNN4 = MakeFolder("nn4");
    const std::string strNN6 = MakeFolder("nn6");
    m_settings->strNetscape4UserPath = strNN4;
    m_settings->strNetscape6UserPath = strNN6;
    const std::string strHst = MakeFile("nn4\\netscape.hst", std::string(3000, 'h'));
    const std::string strPrefs = MakeFile("nn4\\prefs.js",
                                          "user_pref(\"browser.url_history.URL_1\", \"a\");\r\n"
                                          "user_pref(\"mail.server\", \"b\");\r\n");
    const std::string strRdf = MakeFile("nn6\\localstore.rdf",
                                        "<RDF:Seq>\r\n<RDF:li>x</RDF:li>\r\n</RDF:Seq>\r\n");
    Build();
    Enable("NNHistory");

    EXPECT_TRUE(Run());
    EXPECT_EQ(m_log.m_lines, Ran("Clear Netscape Browser & Address History",
                                 {Deleted(strHst),
                                  {2, "File " + strNN6 + "\\history.dat not found"}}) +
                                 Summary(1, 0, 2));
    CleanStats stats;
    stats.dwReleasedSpace = 3000;
    stats.nDeletedFiles = 1;
    EXPECT_EQ(m_manager->m_stats, stats);
    EXPECT_FALSE(FileExists(strHst));
    EXPECT_EQ(ReadFileBytes(strPrefs), "user_pref(\"mail.server\", \"b\");\r\n");
    EXPECT_EQ(ReadFileBytes(strRdf), "<RDF:Seq>\r\n</RDF:Seq>\r\n");
}

// Without the Netscape folders the paths would lose their folder and name
// files at the root of the current drive, made C: here.
TEST_F(BrowserCleanTest, PathsWithoutTheirFolderAreLeftAlone)
{
    char szCurrent[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, szCurrent), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    struct CCleanUp {
        const char* pszFolder;
        ~CCleanUp()
        {
            DeleteFileA("C:\\netscape.hst");
            DeleteFileA("C:\\prefs.js");
            SetCurrentDirectoryA(pszFolder);
        }
    } cleanUp{szCurrent};
    ASSERT_TRUE(WriteFileBytes("C:\\netscape.hst", "not Netscape's"));
    ASSERT_TRUE(WriteFileBytes("C:\\prefs.js", "browser.url_history\r\n"));
    CAction action;
    action.strTitle = "Browser";
    action.dwKind = AK_NNHISTORY;
    action.lstFilePairs = {
        {"[PATH_APP_NN4_ROOT]\\netscape.hst", "[PATH_APP_NN4_ROOT]\\prefs.js", 4},
        {"[PATH_APP_NN6_ROOT]\\netscape.hst", "C:\\prefs.js", 6}};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), CleanStats());

    action.dwKind = AK_STANDARD;
    action.lstFilePairs.clear();
    action.lstFileUpdates = {Update("[PATH_APP_NN4_ROOT]\\prefs.js",
                                    FileUpdate::FU_CLEAR_FILE, {"browser"})};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), CleanStats());

    EXPECT_EQ(ReadFileBytes("C:\\netscape.hst"), "not Netscape's");
    EXPECT_EQ(ReadFileBytes("C:\\prefs.js"), "browser.url_history\r\n");
    EXPECT_EQ(m_log.Texts(), (std::vector<std::string>{"Browser", "Browser Complete",
                                                       "Browser", "Browser Complete"}));
}

// File updates come after the files: a file that a target removes is
// created again, empty, by an update of it.
TEST_F(BrowserCleanTest, StandardStepsUpdateFilesAfterRemovingFiles)
{
    m_settings->strNetscape4UserPath = m_folder.Path();
    const std::string strGone = MakeFile("gone.txt", "secret\r\n");
    const std::string strKept = MakeFile("kept.txt", "a secret\r\nother\r\n");
    const std::string strSame = MakeFile("same.txt", "other\r\n");
    CAction action;
    action.strTitle = "Updates";
    FileTarget target;
    target.strName = strGone;
    target.dwReportFlags = 0;
    action.lstFiles = {target};
    action.lstFileUpdates = {Update(strGone, FileUpdate::FU_CLEAR_KEYWORDS, {"secret"}),
                             Update("[PATH_APP_NN4_ROOT]\\kept.txt", FileUpdate::FU_CLEAR_LINES,
                                    {"*secret*"}),
                             Update(strSame, FileUpdate::FU_CLEAR_KEYWORDS, {"secret"})};

    CleanStats expected;
    expected.dwReleasedSpace = 8;
    expected.nDeletedFiles = 1;
    expected.nUpdatedFiles = 1;
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), expected);
    EXPECT_EQ(ReadFileBytes(strGone), "");
    EXPECT_TRUE(FileExists(strGone));
    EXPECT_EQ(ReadFileBytes(strKept), "other\r\n");
    EXPECT_EQ(ReadFileBytes(strSame), "other\r\n");
}

namespace {

// The Netscape and Mozilla registry values of the current user, put back
// after the test.
class LocatorTest : public ::testing::Test {
protected:
    std::string UserKey() const { return std::string(kBiff) + "\\users\\jo"; }
    std::string ServerKey(const std::string& strServer) const
    {
        return UserKey() + "\\servers\\" + strServer;
    }

    CTempFolder m_folder;
    CScratchRegistry m_registry;
};

}  // namespace

TEST_F(LocatorTest, Netscape4RootComesFromTheMailStateOfTheDefaultServer)
{
    m_registry.Remove(HKEY_CURRENT_USER, kBiff, "CurrentUser");
    EXPECT_EQ(FindNetscape4Root(), "");

    m_registry.Set(HKEY_CURRENT_USER, kBiff, "CurrentUser", "jo");
    m_registry.Set(HKEY_CURRENT_USER, ServerKey("mail"), "popstatePath",
                   "C:\\Netscape\\Users\\jo\\mail\\popstate.dat");
    EXPECT_EQ(FindNetscape4Root(), "C:\\Netscape\\Users\\jo");

    m_registry.Set(HKEY_CURRENT_USER, UserKey(), "defaultServer", "pop.example.com");
    m_registry.Set(HKEY_CURRENT_USER, ServerKey("pop.example.com"), "popstatePath",
                   "D:\\Mail\\jo\\mail\\pop\\mail\\popstate.dat");
    EXPECT_EQ(FindNetscape4Root(), "D:\\Mail\\jo");

    m_registry.Set(HKEY_CURRENT_USER, ServerKey("pop.example.com"), "popstatePath",
                   "D:\\Mail\\jo\\popstate.dat");
    EXPECT_EQ(FindNetscape4Root(), "");
    EXPECT_EQ(FindNetscape4Cache(), "");
}

TEST_F(LocatorTest, Netscape4CacheComesFromThePreferencesOrLiesInTheUserFolder)
{
    const std::string strRoot = m_folder.Path();
    m_registry.Set(HKEY_CURRENT_USER, kBiff, "CurrentUser", "jo");
    m_registry.Remove(HKEY_CURRENT_USER, UserKey(), "defaultServer");
    m_registry.Set(HKEY_CURRENT_USER, ServerKey("mail"), "popstatePath",
                   strRoot + "\\mail\\popstate.dat");
    ASSERT_EQ(FindNetscape4Root(), strRoot);
    EXPECT_EQ(FindNetscape4Cache(), strRoot + "\\Cache");

    const std::string strPrefs = m_folder / "prefs.js";
    ASSERT_TRUE(WriteFileBytes(strPrefs, "user_pref(\"browser.cache.disk_cache_size\", 7680);\r\n"
                                         "user_pref(\"browser.url_history.URL_1\", \"a\");\r\n"));
    EXPECT_EQ(FindNetscape4Cache(), strRoot + "\\Cache");

    ASSERT_TRUE(WriteFileBytes(
        strPrefs, "user_pref(\"browser.cache.disk_cache_size\", 7680);\r\n"
                  "user_pref(\"browser.cache.directory\", \"E:\\\\NS Cache\\\\jo\");\r\n"));
    EXPECT_EQ(FindNetscape4Cache(), "E:\\NS Cache\\jo");
}

TEST_F(LocatorTest, MozillaRootIsTheProfileFolderInTheRegistryFile)
{
    m_registry.Set(HKEY_CURRENT_USER, kShellFolders, "AppData", m_folder.Path());
    EXPECT_EQ(FindMozillaRoot(), "");

    ASSERT_TRUE(CreateDirectoryA((m_folder / "Mozilla").c_str(), nullptr));
    const std::string strProfile = m_folder.Path() + "\\Mozilla\\Profiles\\jo\\k2d7x1.slt";
    const std::string registry = std::string("\x76\x00\x02\x00\x01\x00\x00\x00", 8) +
                                 "ProfileName" + std::string(1, '\0') + "jo" +
                                 std::string(4, '\0') + strProfile + std::string(3, '\0');
    ASSERT_TRUE(WriteFileBytes(m_folder / "Mozilla\\registry.dat", registry));
    EXPECT_EQ(FindMozillaRoot(), strProfile);

    m_registry.Remove(HKEY_CURRENT_USER, kShellFolders, "AppData");
    EXPECT_EQ(FindMozillaRoot(), "");
}
