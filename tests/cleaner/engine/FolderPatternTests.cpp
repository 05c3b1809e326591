// Targets with wildcard folders and exclusions, trees that go with their folder, and the
// folders that no clean removes.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/ProtectedFolders.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"

#include <shlobj.h>

#include <algorithm>
#include <set>

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

typedef std::set<std::string> Names;

// Every file and folder below the folder, by its path relative to it.
Names TreeEntries(const std::string& strTop, const std::string& strRelative = "")
{
    Names names;
    WIN32_FIND_DATAA data;
    const std::string strFolder = strRelative.empty() ? strTop : strTop + "\\" + strRelative;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        const std::string strName = data.cFileName;
        if (strName == "." || strName == "..")
            continue;
        const std::string strPath = strRelative.empty() ? strName : strRelative + "\\" + strName;
        names.insert(strPath);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            const Names below = TreeEntries(strTop, strPath);
            names.insert(below.begin(), below.end());
        }
    }
    FindClose(hFind);
    return names;
}

// Writes each file, with the folders on its way.
void MakeTree(const std::string& strTop, const std::vector<std::string>& files)
{
    for (const std::string& strFile : files) {
        for (size_t n = strFile.find('\\'); n != std::string::npos; n = strFile.find('\\', n + 1))
            CreateDirectoryA((strTop + "\\" + strFile.substr(0, n)).c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(strTop + "\\" + strFile, "data")) << strFile;
    }
}

std::string SpecialFolder(int nCsidl)
{
    char szPath[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, nCsidl, nullptr, SHGFP_TYPE_CURRENT, szPath);
    return szPath;
}

// Two browsers' profiles in the two application data folders, and a link into a folder
// beside them that a pattern would match.
const std::vector<std::string> kBrowserFiles = {
    "Local\\Google\\Chrome\\User Data\\Default\\Cache\\data_0",
    "Local\\Google\\Chrome\\User Data\\Default\\Cache\\index.keep",
    "Local\\Google\\Chrome\\User Data\\Default\\Cache\\Sub\\f_000001",
    "Local\\Google\\Chrome\\User Data\\Default\\Cache\\Sub\\x.keep",
    "Local\\Google\\Chrome\\User Data\\Default\\Bookmarks",
    "Local\\Google\\Chrome\\User Data\\Default\\Current Session",
    "Local\\Google\\Chrome\\User Data\\Profile 1\\Cache\\data_1",
    "Local\\Google\\Chrome\\User Data\\Profile 1\\Preferences",
    "Local\\Google\\Chrome\\User Data\\Profile 1\\Current Session",
    "Local\\Google\\Chrome Beta\\User Data\\Default\\Cache\\data_0",
    "Local\\Google\\Chrome Beta\\User Data\\Default\\Preferences",
    "Local\\Google\\Chromium\\User Data\\Default\\Cache\\data_2",
    "Local\\Outside\\User Data\\Default\\Cache\\data_9",
    "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries\\CD34",
    "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\doomed\\EF56",
    "Local\\Mozilla\\Firefox\\Profiles\\x.default\\prefs.js",
    "Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries\\AB12",
    "Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\places.sqlite",
};
const char kChromeUser[] = "Local\\Google\\Chrome\\User Data\\";
const char kBetaCache[] = "Local\\Google\\Chrome Beta\\User Data\\Default\\Cache";

std::string Chrome(const std::string& strRelative)
{
    return kChromeUser + strRelative;
}

typedef CleaningRun FolderPattern, TreeAndSelf, ProtectedFolders;

}  // namespace

// Sorted by name at each level; files, links, "." and "..", too long paths and 8.3 aliases
// are no folders of a pattern; a path without wildcards stays as it is.
TEST_F(FolderPattern, SegmentsExpandToTheExistingFoldersTheyMatch)
{
    MakeTree(m_folder.Path(), kBrowserFiles);
    MakeFolder("Local\\Google\\Chrome" + std::string(200, 'x'));
    MakeFile("Local\\Google\\Chrome.txt", "a file");
    MakeFolder("Local\\Google\\LongFolderName");
    const bool bLink = MakeHostSymlink(m_folder / "Local\\Google\\Chrome Link", "../Outside");
    const struct {
        const char* pszName;
        const char* pszPattern;
        std::vector<std::string> expected;
    } cases[] = {
        {"every profile's cache", "Local\\Google\\Chrome*\\User Data\\*\\Cache",
         {Chrome("Default\\Cache"), Chrome("Profile 1\\Cache"), kBetaCache}},
        {"letter case and ?", "Local\\Google\\CHROM?\\User Data\\*",
         {Chrome("Default"), Chrome("Profile 1")}},
        {"several segments", "L*\\*\\*\\User Data\\Default\\Cache",
         {Chrome("Default\\Cache"), kBetaCache,
          "Local\\Google\\Chromium\\User Data\\Default\\Cache"}},
        {"a fixed segment that is missing", "Local\\Google\\Chrome*\\User Data\\*\\History", {}},
        {"dots", "Local\\Google\\Chrome\\User Data\\.*", {}},
        {"a link only", "Local\\Google\\Chrome L*", {}},
        {"short alias", "Local\\Google\\*~1", {}},
        {"nothing matches", "Local\\Canary*\\User Data", {}},
        {"no wildcards, missing", "Local\\Missing\\Cache", {"Local\\Missing\\Cache"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        StringVector expected;
        for (const std::string& strFolder : test.expected)
            expected.push_back(m_folder / strFolder);
        EXPECT_EQ(ExpandFolderPattern(m_folder / test.pszPattern), expected);
    }
    for (const char* pszPattern : {"*", "*\\Windows", "C*:\\Windows", "\\*\\Windows"})
        EXPECT_EQ(ExpandFolderPattern(pszPattern), StringVector()) << pszPattern;
    if (bLink)
        RemoveHostSymlink(m_folder / "Local\\Google\\Chrome Link");
}

// The limit holds at every level, the first folders by name kept.
TEST_F(FolderPattern, ExpandsToAtMostTheLimit)
{
    MakeTree(m_folder.Path(), {"a\\1\\f", "a\\2\\f", "b\\1\\f", "c\\1\\f"});
    const std::string strTop = m_folder.Path();
    EXPECT_EQ(ExpandFolderPattern(strTop + "\\*\\*", 3),
              (StringVector{strTop + "\\a\\1", strTop + "\\a\\2", strTop + "\\b\\1"}));
    EXPECT_EQ(ExpandFolderPattern(strTop + "\\*\\1", 2),
              (StringVector{strTop + "\\a\\1", strTop + "\\b\\1"}));
}

TEST_F(FolderPattern, System32IsReachedThroughSysnative)
{
    const struct {
        const char *pszPath, *pszWindows, *pszExpected;
    } cases[] = {
        {"C:\\Windows\\System32\\LogFiles", "C:\\Windows", "C:\\Windows\\Sysnative\\LogFiles"},
        {"c:\\windows\\system32", "C:\\Windows", "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\System32x\\a", "C:\\Windows", "C:\\Windows\\System32x\\a"},
        {"C:\\Windows\\SysWOW64\\a", "C:\\Windows", "C:\\Windows\\SysWOW64\\a"},
        {"D:\\Windows\\System32\\a", "C:\\Windows", "D:\\Windows\\System32\\a"},
        {"\\System32\\a", "", "\\System32\\a"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(RedirectSystem32(test.pszPath, test.pszWindows), test.pszExpected)
            << test.pszPath;
}

// Each case cleans a fresh copy of the profiles: exactly the named files and folders go, the
// folder behind the link and every other file stay, and the log lists what went.
TEST_F(FolderPattern, TargetsCleanEveryMatchingFolderAndNothingElse)
{
    const std::string kCache = "Local\\Google\\Chrome*\\User Data\\*\\Cache";
    const Names kCaches = {Chrome("Default\\Cache\\data_0"), Chrome("Default\\Cache\\Sub\\f_000001"),
                           Chrome("Profile 1\\Cache\\data_1"), std::string(kBetaCache) + "\\data_0"};
    const struct {
        const char* pszName;
        FileTarget target;
        Names added;  // gone besides the caches' files, when bCaches
        bool bCaches;
    } cases[] = {
        {"masked exclusion at every depth", {kCache, TT_RECURSIVE, {"*.KEEP"}}, {}, true},
        {"masked exclusion below a folder",
         {kCache, TT_RECURSIVE, {"sub\\*.keep"}},
         {Chrome("Default\\Cache\\index.keep")},
         true},
        {"exact exclusion",
         {kCache, TT_RECURSIVE, {"index.keep"}},
         {Chrome("Default\\Cache\\Sub\\x.keep"), Chrome("Default\\Cache\\Sub")},
         true},
        {"tree and self",
         {kCache, TT_TREE_AND_SELF, {"*.keep"}},
         {Chrome("Profile 1\\Cache"), kBetaCache},
         true},
        {"content",
         {"Local\\Google\\Chrome\\User Data\\*\\Cache", TT_CONTENT, {}, {}, "data_*"},
         {Chrome("Default\\Cache\\data_0"), Chrome("Profile 1\\Cache\\data_1")}},
        {"single files", {"Local\\Google\\Chrome*\\User Data\\*\\Current Session"},
         {Chrome("Default\\Current Session"), Chrome("Profile 1\\Current Session")}},
        {"both application data folders",
         {"*\\Mozilla\\Firefox\\Profiles\\*\\cache2", TT_RECURSIVE},
         {"Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries\\CD34",
          "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries",
          "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\doomed\\EF56",
          "Local\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\doomed",
          "Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries\\AB12",
          "Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\cache2\\entries"}},
        {"several paths", {"Local\\Canary*\\Cache|" + std::string(kBetaCache), TT_CONTENT},
         {std::string(kBetaCache) + "\\data_0"}},
        {"nothing matches", {"Local\\Google\\Canary*\\User Data\\*\\Cache", TT_TREE_AND_SELF}},
    };
    int nCase = 0;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        const std::string strTop = MakeFolder("case" + std::to_string(++nCase));
        MakeTree(strTop, kBrowserFiles);
        const bool bLink = MakeHostSymlink(strTop + "\\Local\\Google\\Chrome Link", "../Outside");
        const Names before = TreeEntries(strTop);
        CAction action;
        action.strTitle = "Browsers";
        action.lstFiles = {test.target};
        std::string& strName = action.lstFiles.front().strName;
        strName = strTop + "\\" + strName;
        for (size_t n = strName.find('|'); n != std::string::npos; n = strName.find('|', n + 1))
            strName.insert(n + 1, strTop + "\\");
        m_log.Clear();
        ExecuteAction(action, *m_settings, m_stop);
        Names gone = test.added;
        if (test.bCaches)
            gone.insert(kCaches.begin(), kCaches.end());
        const Names after = TreeEntries(strTop);
        Names actual;
        for (const std::string& strEntry : before)
            if (!after.count(strEntry))
                actual.insert(strEntry);
        EXPECT_EQ(actual, gone);
        // One line for each file that went, and none for a folder.
        Names logged, goneFiles;
        for (const Line& line : m_log.m_lines)
            if (line.nImage != LI_ACTION_START && line.nImage != LI_ACTION_COMPLETE)
                logged.insert(std::to_string(line.nImage) + " " + line.strText);
        for (const std::string& strEntry : gone)
            if (std::count(kBrowserFiles.begin(), kBrowserFiles.end(), strEntry))
                goneFiles.insert("0 " + Deleted(strTop + "\\" + strEntry).strText);
        EXPECT_EQ(logged, goneFiles);
        if (bLink)
            RemoveHostSymlink(strTop + "\\Local\\Google\\Chrome Link");
    }
}

// The folder goes when the tree walk leaves it empty, and stays with a file that an
// exclusion, the masks or another program keeps.
TEST_F(TreeAndSelf, FolderGoesOnlyWhenItEndsEmpty)
{
    const CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations");
    const struct {
        const char* pszName;
        std::vector<std::string> files;
        StringList lstExclude;
        const char* pszMask;
        const char* pszHeld;  // open elsewhere during the clean
        bool bGone;
    } cases[] = {
        {"emptied", {"a.tmp", "sub\\deeper\\b.log"}, {}, "*.*", nullptr, true},
        {"already empty", {}, {}, "*.*", nullptr, true},
        {"excluded file", {"a.tmp", "sub\\keep.me"}, {"keep.me"}, "*.*", nullptr, false},
        {"masks keep a file", {"a.tmp", "b.log"}, {}, "*.tmp", nullptr, false},
        {"file in use", {"a.tmp", "sub\\held.tmp"}, {}, "*.*", "sub\\held.tmp", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        const std::string strTop = MakeFolder("top");
        MakeTree(strTop, test.files);
        const HANDLE hHeld =
            test.pszHeld ? CreateFileA((strTop + "\\" + test.pszHeld).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                         : INVALID_HANDLE_VALUE;
        CAction action;
        action.lstFiles = {{strTop, TT_TREE_AND_SELF, test.lstExclude, {}, test.pszMask}};
        ExecuteAction(action, *m_settings, m_stop);
        if (hHeld != INVALID_HANDLE_VALUE)
            CloseHandle(hHeld);
        EXPECT_EQ(FileExists(strTop), !test.bGone);
        EXPECT_FALSE(FileExists(strTop + "\\a.tmp"));
        for (const std::string& strFile : test.files)
            DeleteFileA((strTop + "\\" + strFile).c_str());
        for (const char* pszFolder : {"\\sub\\deeper", "\\sub", ""})
            RemoveDirectoryA((strTop + pszFolder).c_str());
    }
}

TEST_F(ProtectedFolders, AreTheSystemsAndTheUsersFoldersAndDrives)
{
    const std::string strProfile = SpecialFolder(CSIDL_PROFILE);
    ASSERT_FALSE(strProfile.empty());
    std::vector<std::string> folders = {
        "C:", "c:\\", "D:\\", "\\\\server\\share\\", strProfile, strProfile + "\\",
        strProfile + "\\Downloads", strProfile + "\\AppData\\LocalLow",
        strProfile.substr(0, strProfile.rfind('\\'))};
    for (const int nCsidl :
         {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILES_COMMON,
          CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO,
          CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA})
        folders.push_back(SpecialFolder(nCsidl));
    std::string strUpper = SpecialFolder(CSIDL_APPDATA);
    CharUpperA(&strUpper[0]);
    folders.push_back(strUpper);
    for (const std::string& strFolder : folders)
        EXPECT_TRUE(IsProtectedFolder(strFolder)) << strFolder;
    for (const std::string& strFolder :
         {std::string("C:\\Temp"), strProfile + "\\Contacts", SpecialFolder(CSIDL_PERSONAL) + "\\Letters",
          SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Google", m_folder.Path(),
          std::string("\\\\server\\share\\folder")})
        EXPECT_FALSE(IsProtectedFolder(strFolder)) << strFolder;
}

// A protected folder keeps its place whether it is a walk's top or one of its subfolders;
// its content goes by the masks. A folder at a drive's root is no protected one.
TEST_F(ProtectedFolders, NoTreeWalkRemovesOne)
{
    // The program folder of a 64-bit system, as its variable names it, inside the test's own.
    CSavedVariable programs("ProgramW6432");
    const std::string strPrograms = MakeFolder("Program Files");
    programs.Set(strPrograms.c_str());
    RefreshProtectedFolders();
    MakeTree(m_folder.Path(), {"Program Files\\a.tmp", "plain\\b.tmp"});
    CAction action;
    action.lstFiles = {{m_folder.Path(), TT_RECURSIVE}, {strPrograms, TT_TREE_AND_SELF}};
    ExecuteAction(action, *m_settings, m_stop);
    EXPECT_EQ(TreeEntries(m_folder.Path()), Names{"Program Files"});
    programs.Set(nullptr);
    RefreshProtectedFolders();
    // The system's own folder that starts empty, found by a pattern; and one of the test's.
    const std::string strProfile = SpecialFolder(CSIDL_PROFILE),
                      strLocalLow = strProfile + "\\AppData\\LocalLow",
                      strRootFolder = "C:\\veltrin-test-temp";
    ASSERT_TRUE(FileExists(strLocalLow));
    CreateDirectoryA(strRootFolder.c_str(), nullptr);
    for (const std::string& strFolder : {strLocalLow, strRootFolder})
        ASSERT_TRUE(WriteFileBytes(strFolder + "\\veltrin-test.tmp", "data"));
    const std::string strPattern =
        strProfile.substr(0, strProfile.rfind('\\')) + "\\*\\AppData\\LocalLow";
    action.lstFiles = {{strPattern + "|" + strRootFolder, TT_TREE_AND_SELF, {}, {},
                        "veltrin-test.tmp"}};
    ExecuteAction(action, *m_settings, m_stop);
    EXPECT_FALSE(FileExists(strLocalLow + "\\veltrin-test.tmp"));
    EXPECT_TRUE(FileExists(strLocalLow));
    EXPECT_FALSE(FileExists(strRootFolder));
    DeleteFileA((strRootFolder + "\\veltrin-test.tmp").c_str());
    RemoveDirectoryA(strRootFolder.c_str());
}
