// Wildcard folders and exclusions, trees that go with their folder, protected folders.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/ProtectedFolders.h"
#include "cleaner/engine/ShellFolders.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"

#include <shlobj.h>

#include <algorithm>
#include <set>

namespace {

typedef std::set<std::string> Names;

#define CHROME "Local\\Google\\Chrome\\User Data\\"
#define BETA "Local\\Google\\Chrome Beta\\User Data\\Default\\"
#define FOX "Mozilla\\Firefox\\Profiles\\x.default\\cache2\\"

// Two browsers' profiles, and a folder that a link beside Chrome's leads to.
const std::vector<std::string> kBrowserFiles = {
    CHROME "Default\\Cache\\data_0", CHROME "Default\\Cache\\index.keep",
    CHROME "Default\\Cache\\Sub\\f_000001", CHROME "Default\\Cache\\Sub\\x.keep",
    CHROME "Default\\Bookmarks", CHROME "Default\\Current Session",
    CHROME "Profile 1\\Cache\\data_1", CHROME "Profile 1\\Preferences",
    CHROME "Profile 1\\Current Session", BETA "Cache\\data_0", BETA "Preferences",
    "Local\\Outside\\User Data\\Default\\Cache\\data_9", "Local\\" FOX "entries\\CD34",
    "Local\\" FOX "doomed\\EF56", "Roaming\\" FOX "entries\\AB12",
    "Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\places.sqlite"};

typedef CleaningRun FolderPattern, TreeAndSelf, ProtectedFolders;

}  // namespace

// By long names, sorted at each level, up to the limit; never a file, "." or "..". A path
// without wildcards stays as it is.
TEST_F(FolderPattern, SegmentsExpandToTheExistingFoldersTheyMatch)
{
    MakeTree(m_folder.Path(), {"Chrome Beta\\Default\\f", "Chrome\\Profile 1\\f",
                               "Chrome\\Default\\f", "LongFolderName\\f", "Chromium.txt"});
    const struct {
        const char* pszPattern;
        std::vector<std::string> expected;
        size_t nMax;
    } cases[] = {
        {"chrom?*\\*", {"Chrome\\Default", "Chrome\\Profile 1", "Chrome Beta\\Default"}, 9},
        {"Chrome*\\*", {"Chrome\\Default", "Chrome\\Profile 1"}, 2},
        {"Chrom*", {"Chrome", "Chrome Beta"}, 9},
        {"Chrome\\.*", {}, 9},
        {"*~1", {}, 9},
        {"Chrome*\\Default\\Cache", {}, 9},
        {"Missing\\Cache", {"Missing\\Cache"}, 9},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszPattern);
        StringVector expected;
        for (const std::string& strFolder : test.expected)
            expected.push_back(m_folder / strFolder);
        EXPECT_EQ(ExpandFolderPattern(m_folder / test.pszPattern, test.nMax), expected);
    }
    for (const char* pszPattern : {"*", "*\\Windows", "C*:\\Windows", "\\*\\Windows"})
        EXPECT_EQ(ExpandFolderPattern(pszPattern), StringVector()) << pszPattern;
}

TEST_F(FolderPattern, System32IsReachedThroughSysnative)
{
    const char* const cases[][3] = {
        {"C:\\Windows\\System32\\Logs", "C:\\Windows", "C:\\Windows\\Sysnative\\Logs"},
        {"c:\\windows\\system32", "C:\\Windows", "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\System32x", "C:\\Windows", "C:\\Windows\\System32x"},
        {"D:\\Windows\\System32", "C:\\Windows", "D:\\Windows\\System32"},
        {"\\System32\\a", "", "\\System32\\a"}};
    for (const auto& test : cases)
        EXPECT_EQ(RedirectSystem32(test[0], test[1]), test[2]) << test[0];
}

// Each case cleans a fresh copy of the profiles: exactly the named files and folders go, with
// a line for each file; the folder behind the link and every other file stay.
TEST_F(FolderPattern, TargetsCleanEveryMatchingFolderAndNothingElse)
{
    const std::string kCache = "Local\\Google\\Chrome*\\User Data\\*\\Cache";
    const Names kCaches = {CHROME "Default\\Cache\\data_0", CHROME "Default\\Cache\\Sub\\f_000001",
                           CHROME "Profile 1\\Cache\\data_1", BETA "Cache\\data_0"};
    const struct {
        const char* pszName;
        FileTarget target;
        Names gone;  // besides the caches' files, when bCaches
        bool bCaches;
    } cases[] = {
        {"masked exclusion at every depth", {kCache, TT_RECURSIVE, {"*.KEEP"}}, {}, true},
        {"masked exclusion below a folder", {kCache, TT_RECURSIVE, {"sub\\*.keep"}},
         {CHROME "Default\\Cache\\index.keep"}, true},
        {"exact exclusion", {kCache, TT_RECURSIVE, {"index.keep"}},
         {CHROME "Default\\Cache\\Sub\\x.keep", CHROME "Default\\Cache\\Sub"}, true},
        {"tree and self", {kCache, TT_TREE_AND_SELF, {"*.keep"}},
         {CHROME "Profile 1\\Cache", BETA "Cache"}, true},
        {"tree and self, masked", {kCache, TT_TREE_AND_SELF, {}, {}, "data_*"},
         {CHROME "Default\\Cache\\data_0", CHROME "Profile 1\\Cache\\data_1",
          CHROME "Profile 1\\Cache", BETA "Cache\\data_0", BETA "Cache"}},
        {"content", {"Local\\Google\\Chrome\\User Data\\*\\Cache", TT_CONTENT, {}, {}, "data_*"},
         {CHROME "Default\\Cache\\data_0", CHROME "Profile 1\\Cache\\data_1"}},
        {"single files", {"Local\\Google\\Chrome*\\User Data\\*\\Current Session"},
         {CHROME "Default\\Current Session", CHROME "Profile 1\\Current Session"}},
        {"both application data folders",
         {"*\\Mozilla\\Firefox\\Profiles\\*\\cache2", TT_RECURSIVE},
         {"Local\\" FOX "entries\\CD34", "Local\\" FOX "entries", "Local\\" FOX "doomed\\EF56",
          "Local\\" FOX "doomed", "Roaming\\" FOX "entries\\AB12", "Roaming\\" FOX "entries"}},
        {"several paths", {"Local\\Canary*\\Cache|?:" BETA "Cache", TT_CONTENT},
         {BETA "Cache\\data_0"}},
        {"nothing matches", {"Local\\Google\\Canary*\\User Data\\*\\Cache", TT_TREE_AND_SELF}},
    };
    int nCase = 0;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        const std::string strTop = MakeFolder("case" + std::to_string(++nCase));
        MakeTree(strTop, kBrowserFiles);
        MakeHostSymlink(strTop + "\\Local\\Google\\Chrome Link", "../Outside");
        const Names before = TreeEntries(strTop);
        CAction action;
        action.lstFiles = {test.target};
        std::string& strName = action.lstFiles.front().strName;
        strName = strTop + "\\" + strName;
        const size_t nOther = strName.find("?:");
        if (nOther != std::string::npos)
            strName.replace(nOther, 2, strTop + "\\");
        m_log.Clear();
        ExecuteAction(action, *m_settings, m_stop);
        Names gone = test.gone, actual, logged, expected;
        if (test.bCaches)
            gone.insert(kCaches.begin(), kCaches.end());
        const Names after = TreeEntries(strTop);
        for (const std::string& strEntry : before)
            if (!after.count(strEntry))
                actual.insert(strEntry);
        EXPECT_EQ(actual, gone);
        for (const Line& line : m_log.m_lines)
            logged.insert(std::to_string(line.nImage) + " " + line.strText);
        for (const std::string& strEntry : gone)
            if (std::count(kBrowserFiles.begin(), kBrowserFiles.end(), strEntry))
                expected.insert("0 " + Deleted(strTop + "\\" + strEntry).strText);
        expected.insert({"3 ", "4  Complete"});  // the action's start and end
        EXPECT_EQ(logged, expected);
        RemoveHostSymlink(strTop + "\\Local\\Google\\Chrome Link");
    }
}

// A file that another program holds keeps the folder; it goes at the next restart.
TEST_F(TreeAndSelf, FolderWithAFileInUseStays)
{
    const CSavedValue pending(HKEY_LOCAL_MACHINE,
                              "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                              "PendingFileRenameOperations");
    MakeTree(m_folder.Path(), {"top\\a.tmp", "top\\sub\\held.tmp"});
    const HANDLE hHeld = CreateFileA((m_folder / "top\\sub\\held.tmp").c_str(), GENERIC_READ,
                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CAction action;
    action.lstFiles = {{m_folder / "top", TT_TREE_AND_SELF}};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), (CleanStats{4, 1, 0, 1}));
    CloseHandle(hHeld);
    EXPECT_EQ(TreeEntries(m_folder.Path()), (Names{"top", "top\\sub", "top\\sub\\held.tmp"}));
}

// Neither as a walk's top nor as a subfolder; the content goes by the masks. A folder at a
// drive's root is not protected.
TEST_F(ProtectedFolders, NoTreeWalkRemovesOne)
{
    const std::string strProfile = ShellFolderPath(CSIDL_PROFILE);
    std::string strRoaming = ShellFolderPath(CSIDL_APPDATA) + "\\";
    CharUpperA(&strRoaming[0]);
    for (const std::string& strFolder :
         {strProfile.substr(0, strProfile.rfind('\\')), strProfile + "\\Downloads", strRoaming,
          strProfile + "\\AppData\\LocalLow", ShellFolderPath(CSIDL_MYVIDEO),
          ShellFolderPath(CSIDL_PROGRAM_FILES_COMMON), std::string("D:\\"), std::string("C:")})
        EXPECT_TRUE(IsProtectedFolder(strFolder)) << strFolder;
    EXPECT_FALSE(IsProtectedFolder(strProfile + "\\Contacts"));
    CSavedVariable programs("ProgramW6432");  // where a 64-bit system's programs are
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
    // The system's own folder, empty at the start, found by a pattern.
    const std::string strLocalLow = strProfile + "\\AppData\\LocalLow",
                      strRootFolder = "C:\\veltrin-test-temp";
    CreateDirectoryA(strRootFolder.c_str(), nullptr);
    for (const std::string& strFolder : {strLocalLow, strRootFolder})
        ASSERT_TRUE(WriteFileBytes(strFolder + "\\veltrin-test.tmp", "data"));
    const std::string strPattern =
        strProfile.substr(0, strProfile.rfind('\\')) + "\\*\\AppData\\LocalLow";
    action.lstFiles = {
        {strPattern + "|" + strRootFolder, TT_TREE_AND_SELF, {}, {}, "veltrin-test.tmp"}};
    ExecuteAction(action, *m_settings, m_stop);
    EXPECT_EQ(TreeEntries(strLocalLow).count("veltrin-test.tmp"), 0u);
    EXPECT_TRUE(FileExists(strLocalLow));
    EXPECT_FALSE(FileExists(strRootFolder));
    DeleteFileA((strRootFolder + "\\veltrin-test.tmp").c_str());
    RemoveDirectoryA(strRootFolder.c_str());
}
