// Whole cleans and previews through the action manager, and text files changed in place.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/FileUpdates.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <thread>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const std::string kPluginKey = "Software\\VeltrinPreviewTest";

typedef std::set<std::string> Names;
typedef std::map<std::string, std::string> Snapshot;

// Every file and folder below: attributes, size, creation and last write (the last access
// changes with the snapshot's own reads), a file's content hashed.
Snapshot TreeSnapshot(const std::string& strFolder)
{
    Snapshot snapshot;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        const std::string strName = data.cFileName, strPath = strFolder + "\\" + strName;
        if (strName == "." || strName == "..")
            continue;
        std::string strFacts =
            std::to_string(data.dwFileAttributes) + " " + std::to_string(data.nFileSizeLow);
        for (const FILETIME& t : {data.ftCreationTime, data.ftLastWriteTime})
            strFacts += " " + std::to_string(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const Snapshot below = TreeSnapshot(strPath);
            snapshot.insert(below.begin(), below.end());
        } else {
            strFacts += " " + std::to_string(std::hash<std::string>()(ReadFileBytes(strPath)));
        }
        snapshot[strPath] = strFacts;
    }
    FindClose(hFind);
    return snapshot;
}

// What the lines of the kind name: the text between the start and the end.
Names Listed(const Lines& lines, const std::string& strStart, const std::string& strEnd)
{
    Names names;
    for (const Line& line : lines) {
        const size_t nEnd = line.strText.rfind(strEnd);
        if (line.strText.find(strStart) == 0 && nEnd != std::string::npos &&
            nEnd >= strStart.size())
            names.insert(line.strText.substr(strStart.size(), nEnd - strStart.size()));
    }
    return names;
}

typedef CleaningRun Preview, BrowserData;

}  // namespace

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
    action.lstFiles = {{m_folder.Path(), TT_RECURSIVE}};
    action.bEnabled = true;
    Enable("SMClickHistory");
    const std::string strFirst = m_folder / FilesInListedOrder(m_folder.Path()).front();
    EXPECT_FALSE(Run());
    EXPECT_EQ(log.m_lines, (Lines{{LI_ACTION_START, "100% of %s and %d"}, Deleted(strFirst)}));
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

// Rewritten with Windows line ends, counted when changed; an unknown method does nothing; one
// that cannot be read (though written), or written, keeps its content.
TEST_F(BrowserData, UpdatedFilesAreRewrittenWhenTheyCanBeReadAndCountedWhenChanged)
{
    const uint32_t kWords = FileUpdate::FU_CLEAR_KEYWORDS, kFile = FileUpdate::FU_CLEAR_FILE;
    const struct {
        uint32_t dwMethod;
        const char *content, *expected;
        DWORD dwShare;  // 0: not held open
        uint32_t nUpdated;
    } cases[] = {
        {kWords, "one ab two\r\nab three\r\n", "one  two\r\n three\r\n", 0, 1},
        {kWords, "unix\nand dos\r\n", "unix\r\nand dos\r\n", 0, 0},
        {3, "unix\nab\n", "unix\nab\n", 0, 0},
        {kFile, "ab\r\n", "ab\r\n", FILE_SHARE_WRITE, 0},
        {kFile, "ab\r\n", "ab\r\n", FILE_SHARE_READ, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.dwMethod << " " << test.dwShare);
        const std::string strPath = MakeFile("file.txt", test.content);
        const HANDLE hFile = test.dwShare ? CreateFileA(strPath.c_str(), GENERIC_READ, test.dwShare,
                                                        nullptr, OPEN_EXISTING, 0, nullptr)
                                          : nullptr;
        EXPECT_EQ(UpdateFile({strPath, test.dwMethod, {"ab"}}), (CleanStats{0, 0, test.nUpdated}));
        if (test.dwShare)
            CloseHandle(hFile);
        EXPECT_EQ(ReadFileBytes(strPath), test.expected);
    }
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
        {"[PATH_APP_NN4_ROOT]\\prefs.js", FileUpdate::FU_CLEAR_FILE, {"browser"}}};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), CleanStats());
    EXPECT_EQ(ReadFileBytes("C:\\netscape.hst"), "not Netscape's");
    EXPECT_EQ(ReadFileBytes("C:\\prefs.js"), "browser.url_history\r\n");
    EXPECT_EQ(m_log.m_lines, Ran("Browser") + Ran("Browser"));
    m_settings->strNetscape4UserPath = m_folder.Path();
    const std::string strGone = MakeFile("gone.txt", "secret\r\n"),
                      strKept = MakeFile("kept.txt", "a secret\r\nother\r\n");
    action.lstFiles = {{strGone}};
    action.lstFileUpdates = {
        {strGone, FileUpdate::FU_CLEAR_KEYWORDS, {"secret"}},
        {"[PATH_APP_NN4_ROOT]\\kept.txt", FileUpdate::FU_CLEAR_LINES, {"*secret*"}}};
    EXPECT_EQ(ExecuteAction(action, *m_settings, m_stop), (CleanStats{8, 1, 1}));
    EXPECT_EQ(ReadFileBytes(strGone), "");
    EXPECT_TRUE(FileExists(strGone));
    EXPECT_EQ(ReadFileBytes(strKept), "other\r\n");
    SetCurrentDirectoryA(szCurrent);
}

// Browser cache and cookies (with a date limit), a temp folder with a file in use, a plugin
// (wildcard folders and a tree that goes with its folder among its targets) and
// the clipboard. Stopped from another thread at any moment, or run to its end, the preview
// changes nothing; the clean then removes exactly what it listed.
TEST_F(Preview, ListsWhatTheCleanThenRemovesAndChangesNothingWhenStoppedOrNot)
{
    CScratchRegistry registry;
    const CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations");
    CSavedVariable tmp("TMP"), temp("TEMP");
    for (const char* pszFolder :
         {"cache", "cookies", "temp", "cache\\sub", "cache\\sub\\deeper", "data", "data\\tree",
          "data\\wild1", "data\\wild1\\cache", "data\\wild2", "data\\wild2\\cache",
          "data\\wild2\\cache\\sub", "data\\gone"})
        MakeFolder(pszFolder);
    const HKEY hCU = HKEY_CURRENT_USER;
    registry.Set(hCU, kShellFolders, "CACHE", m_folder / "cache");
    registry.Set(hCU, kShellFolders, "COOKIES", m_folder / "cookies");
    tmp.Set((m_folder / "temp").c_str());
    temp.Set((m_folder / "temp").c_str());
    for (const char* pszFile :
         {"cache\\sub\\c2.dat", "temp\\t.tmp", "cookies\\old.txt", "cookies\\new.txt"})
        MakeFile(pszFile, 1024);
    for (const char* pszFile :
         {"cache\\sub\\deeper\\c3.dat", "data\\single.dat", "data\\a.log", "data\\b.log",
          "data\\keep.log", "data\\other.txt", "data\\tree\\x.bak", "data\\wild1\\cache\\w.dat",
          "data\\wild2\\cache\\sub\\w.dat", "data\\wildfile", "data\\gone\\g.dat"})
        MakeFile(pszFile, 10);
    MakeFile("cache\\c1.dat", 2048);
    const std::string strLocked = MakeFile("temp\\inuse.tmp", 10),
                      strUpdated = MakeFile("data\\prefs.js", "keep this\r\nsecret line\r\n");
    SetLastWriteYear(m_folder / "cookies\\old.txt", 2000);
    SetLastWriteYear(m_folder / "cookies\\new.txt", 2099);  // no date limit keeps it
    registry.Set(hCU, kPluginKey, "single", "1");
    for (const char* pszName : {"url1", "other"})
        registry.Set(hCU, kPluginKey + "\\Masked", pszName, "x");
    registry.Set(hCU, kPluginKey + "\\Masked", "url2", "kept text");
    registry.Set(hCU, kPluginKey + "\\Tree\\Below", "v", "z");
    ASSERT_TRUE(PutTextOnClipboard("secret"));
    m_settings->bIECookiesAllowDate = true;
    m_settings->strNetScapeHiddenFilesMask = "*.log";
    Build();
    for (const char* pszId : {"WCTempDir", "IECookies", "IECache", "WCClipboard"})
        Enable(pszId);
    // A plugin with a target, an update and a command of every kind.
    const std::string strData = m_folder / "data";
    CAction& plugin = m_manager->GetAction("PlugEvery");
    plugin.strTitle = "Every target";
    plugin.lstFiles = {{strData + "\\single.dat"},
                       {strData, TT_CONTENT, {"keep.log"}, {}, "[NN:MASKHIDDEN]"},
                       {strData + "\\tree", TT_RECURSIVE, {}, {}, "*.bak"},
                       {strData + "\\wild*\\cache", TT_RECURSIVE},
                       {strData + "\\gone", TT_TREE_AND_SELF}};
    plugin.lstKeys = {
        {kPluginKey, "single"},
        {kPluginKey + "\\Masked", "", "url*", RK_CURRENT_USER, {}, {"kept text"}, TT_CONTENT},
        {kPluginKey + "\\Tree", "", "", RK_CURRENT_USER, {}, {}, TT_RECURSIVE}};
    plugin.lstKeyUpdates = {{{kPluginKey, "Start Page"}, "about:blank"}};
    plugin.lstFileUpdates = {{strUpdated, FileUpdate::FU_CLEAR_LINES, {"secret*"}}};
    plugin.lstCommands = {"cmd.exe /c echo started> \"" + (m_folder / "started.txt") + "\""};
    plugin.bEnabled = true;
    HANDLE hInUse = CreateFileA(strLocked.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hInUse, INVALID_HANDLE_VALUE);
    const Snapshot filesBefore = TreeSnapshot(m_folder.Path());
    const KeySnapshot userBefore = SnapshotKey(""),
                      systemBefore = SnapshotKey(kSessionManager, HKEY_LOCAL_MACHINE);
    for (DWORD dwDelay : {0, 1, 2, 5, 10, 20}) {
        m_log.Clear();
        CStopRequest stop;
        bool bCompleted = true;
        std::thread preview([&] { bCompleted = m_manager->RunPreview(stop); });
        Sleep(dwDelay);
        stop.Request();
        preview.join();
        for (const Line& line : m_log.m_lines)
            EXPECT_TRUE(bCompleted || line.nImage != LI_STATISTICS) << dwDelay;
    }
    m_log.Clear();
    EXPECT_TRUE(m_manager->RunPreview(m_stop));
    const Lines preview = m_log.m_lines;
    const CleanStats previewStats = m_manager->m_stats;
    // Nothing changed: no file, time, attribute, value or clipboard.
    EXPECT_EQ(m_log.m_nHolds, m_log.m_nReleases);
    EXPECT_EQ(TreeSnapshot(m_folder.Path()), filesBefore);
    EXPECT_EQ(SnapshotKey(""), userBefore);
    EXPECT_EQ(SnapshotKey(kSessionManager, HKEY_LOCAL_MACHINE), systemBefore);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    // The summary, and the totals of the actions that update or defer.
    std::vector<std::string> statistics;
    for (const Line& line : preview)
        if (line.nImage == LI_STATISTICS)
            statistics.push_back(line.strText);
    EXPECT_EQ(
        statistics,
        (std::vector<std::string>{
            "Statistics of the preview (nothing has been changed):", "Would be deleted: 12 file(s)",
            "Would be updated: 1 file(s)", "Would be deleted: 3 registry entry(ies)",
            "Space that would be released: 5 Kbytes", "1 files would be removed on reboot"}));
    const std::vector<std::string> all = m_log.Texts();
    for (const std::string& strLine :
         {std::string("Every target would delete 7 file(s) (0 Kbytes) and 3 registry entry(ies), "
                      "update 1 file(s)"),
          std::string("Clear User Temp Directory would delete 1 file(s) (1 Kbytes) and 0 registry "
                      "entry(ies), and remove 1 file(s) at the next restart"),
          "File " + (m_folder / "cache\\c1.dat") + " would be deleted (2048 bytes)",
          "File " + strUpdated + " would be rewritten (11 bytes after)",
          "Registry value HKEY_CURRENT_USER\\" + kPluginKey +
              "\\Start Page would be set to \"about:blank\"",
          "Program " + m_manager->GetAction("PlugEvery").lstCommands.front() + " would be started",
          std::string("The clipboard would be emptied")})
        EXPECT_NE(std::find(all.begin(), all.end(), strLine), all.end()) << strLine;
    m_log.Clear();
    EXPECT_TRUE(Run());
    CloseHandle(hInUse);
    const Snapshot filesAfter = TreeSnapshot(m_folder.Path());
    const KeySnapshot userAfter = SnapshotKey("");
    Names filesGone, valuesGone, keysGone;
    for (const auto& entry : filesBefore)
        if (!filesAfter.count(entry.first) && !(stoul(entry.second) & FILE_ATTRIBUTE_DIRECTORY))
            filesGone.insert(entry.first);
    EXPECT_EQ(Listed(preview, "File ", " would be deleted ("), filesGone);
    const Names deferred = Listed(preview, "File ", " would be removed at the next restart");
    EXPECT_EQ(deferred, Listed(m_log.m_lines, "File ", " will be removed until system reboot"));
    EXPECT_EQ(deferred, Names{strLocked});
    for (const auto& entry : userBefore) {
        const bool bTree = entry.first.find(kPluginKey + "\\Tree\\") == 0;
        if (!userAfter.count(entry.first))
            (bTree ? keysGone : valuesGone).insert(bTree ? kPluginKey + "\\Tree" : entry.first);
    }
    EXPECT_EQ(Listed(preview, "Registry value HKEY_CURRENT_USER\\", " would be deleted"),
              valuesGone);
    EXPECT_EQ(Listed(preview, "Registry key HKEY_CURRENT_USER\\",
                     " would be deleted with everything below it"),
              keysGone);
    EXPECT_EQ(m_manager->m_stats, previewStats);
    EXPECT_FALSE(FileExists(strData + "\\gone"));
    EXPECT_TRUE(FileExists(strData + "\\wild2\\cache"));
    EXPECT_EQ(ReadTextValue(kPluginKey, "Start Page"), "about:blank");
    Lines summary = Summary(12, 3, 5);
    summary[2].strText = "Updated: 1 file(s)";
    summary.push_back({5, "1 files will be removed on reboot (Please reboot if you want to "
                          "clean everything immidiately)"});
    EXPECT_EQ(Lines(m_log.m_lines.end() - 6, m_log.m_lines.end()), summary);
    // The clipboard is emptied, and the programs are started without waiting.
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    for (int n = 0; n < 300 && ReadFileBytes(m_folder / "started.txt").empty(); ++n)
        Sleep(100);
    EXPECT_EQ(ReadFileBytes(m_folder / "started.txt"), "started\r\n");
}
