// The preview changes nothing and lists what a clean of the same machine then removes.
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestDrive.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <thread>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const std::string kPluginKey = "Software\\VeltrinPreviewTest";

typedef std::set<std::string> Names;
typedef std::map<std::string, std::string> Snapshot;

// Every file and folder below: attributes, size, the three times, a file's content hashed.
void AddTreeSnapshot(const std::string& strFolder, Snapshot& snapshot)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        const std::string strName = data.cFileName, strPath = strFolder + "\\" + strName;
        if (strName == "." || strName == "..")
            continue;
        std::string strFacts =
            std::to_string(data.dwFileAttributes) + " " + std::to_string(data.nFileSizeLow);
        for (const FILETIME& t : {data.ftCreationTime, data.ftLastWriteTime, data.ftLastAccessTime})
            strFacts += " " + std::to_string(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddTreeSnapshot(strPath, snapshot);
        else
            strFacts += " " + std::to_string(std::hash<std::string>()(ReadFileBytes(strPath)));
        snapshot[strPath] = strFacts;
    }
    FindClose(hFind);
}

bool StartsWith(const std::string& strText, const std::string& strStart)
{
    return strText.compare(0, strStart.size(), strStart) == 0;
}

// What the lines of the kind name: the text between the start and the end.
Names Listed(const Lines& lines, const std::string& strStart, const std::string& strEnd)
{
    Names names;
    for (const Line& line : lines) {
        const size_t nEnd = line.strText.rfind(strEnd);
        if (StartsWith(line.strText, strStart) && nEnd != std::string::npos &&
            nEnd >= strStart.size())
            names.insert(line.strText.substr(strStart.size(), nEnd - strStart.size()));
    }
    return names;
}

typedef CleaningRun Preview;

}  // namespace

// A prepared machine: browser cache and cookies (with a date limit), the temp folder with a file
// in use, the Run box, a plugin, the clipboard, the disk scan and free space on a drive. Stopped
// from another thread at any moment, or run to its end, the preview changes nothing; the clean
// then removes exactly what it listed.
TEST_F(Preview, ListsWhatTheCleanThenRemovesAndChangesNothingWhenStoppedOrNot)
{
    CTestDrive drive;
    if (!drive.MapFileSystem(4 << 20))
        GTEST_SKIP() << "no file system of its own for the drive";
    CScratchRegistry registry;
    const CSavedValue pending(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations");
    CSavedVariable tmp("TMP"), temp("TEMP");
    for (const char* pszFolder :
         {"cache", "cookies", "temp", "cache\\sub", "cache\\sub\\deeper", "data", "data\\tree"})
        MakeFolder(pszFolder);
    const HKEY hCU = HKEY_CURRENT_USER;
    registry.Set(hCU, kShellFolders, "CACHE", m_folder / "cache");
    registry.Set(hCU, kShellFolders, "COOKIES", m_folder / "cookies");
    tmp.Set((m_folder / "temp").c_str());
    temp.Set((m_folder / "temp").c_str());
    for (const char* pszName : {"a", "b", "MRUList"})
        registry.Set(hCU, kRunMRU, pszName, "typed");
    for (const char* pszFile :
         {"cache\\sub\\c2.dat", "temp\\t.tmp", "cookies\\old.txt", "cookies\\new.txt"})
        MakeFile(pszFile, 1024);
    for (const char* pszFile :
         {"cache\\sub\\deeper\\c3.dat", "data\\single.dat", "data\\a.log", "data\\b.log",
          "data\\keep.log", "data\\other.txt", "data\\tree\\x.bak"})
        MakeFile(pszFile, 10);
    MakeFile("cache\\c1.dat", 2048);
    const std::string strLocked = MakeFile("temp\\inuse.tmp", 10),
                      strUpdated = MakeFile("data\\prefs.js", "keep this\r\nsecret line\r\n");
    SetLastWriteYear(m_folder / "cookies\\old.txt", 2000);
    // No date limit keeps a file of 2099. Its last access lies later still, or the
    // host would note the snapshots' own reads.
    FILETIME times[2];
    SYSTEMTIME years[2] = {{2099, 1, 0, 1, 0, 0, 0, 0}, {2100, 1, 0, 1, 0, 0, 0, 0}};
    for (int i = 0; i < 2; ++i)
        SystemTimeToFileTime(&years[i], &times[i]);
    HANDLE hNew = CreateFileA((m_folder / "cookies\\new.txt").c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(SetFileTime(hNew, nullptr, &times[1], &times[0]));
    CloseHandle(hNew);
    // The search also finds "*.tmp" by the alias "BYITSA~1.TMP".
    for (const char* pszFile : {"top.old", "kept.doc", "by its alias.tmpl"})
        ASSERT_TRUE(WriteFileBytes(drive / pszFile, "scan"));
    registry.Set(hCU, kPluginKey, "single", "1");
    for (const char* pszName : {"url1", "other"})
        registry.Set(hCU, kPluginKey + "\\Masked", pszName, "x");
    registry.Set(hCU, kPluginKey + "\\Masked", "url2", "kept text");
    registry.Set(hCU, kPluginKey + "\\Tree\\Below", "v", "z");
    ASSERT_TRUE(PutTextOnClipboard("secret"));
    m_settings->bIECookiesAllowDate = true;
    Build();
    m_settings->strDiskOpsDriveList = drive.Root().substr(0, 2);
    for (const char* pszId : {"WCTempDir", "SMRunHistory", "IECookies", "IECache", "WCClipboard",
                              "DiskOpScan", "DiskOpFreeSpace"})
        Enable(pszId);
    // A plugin with a target, an update and a command of every kind.
    const std::string strData = m_folder / "data";
    CAction& plugin = m_manager->GetAction("PlugEvery");
    plugin.strTitle = "Every target";
    plugin.lstFiles = {{strData + "\\single.dat"},
                       {strData, TT_CONTENT, {"keep.log"}, {}, "*.log"},
                       {strData + "\\tree", TT_RECURSIVE, {}, {}, "*.bak"}};
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
    // The files a clean reaches here. Taken twice, so that it does not differ by its reads.
    const auto FileSnapshot = [&] {
        Snapshot snapshot;
        for (int nPass = 0; nPass < 2; ++nPass) {
            snapshot.clear();
            AddTreeSnapshot(m_folder.Path(), snapshot);
            AddTreeSnapshot(drive.Root().substr(0, 2), snapshot);
        }
        return snapshot;
    };
    const Snapshot filesBefore = FileSnapshot();
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
    // Nothing changed: no file, time, attribute, value, clipboard or filler.
    EXPECT_EQ(m_log.m_nHolds, m_log.m_nReleases);
    EXPECT_EQ(FileSnapshot(), filesBefore);
    EXPECT_EQ(SnapshotKey(""), userBefore);
    EXPECT_EQ(SnapshotKey(kSessionManager, HKEY_LOCAL_MACHINE), systemBefore);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    // Each action's totals in the clean's order, then the summary.
    std::vector<std::string> totals;
    for (const Line& line : preview)
        if (line.nImage == LI_ACTION_COMPLETE || line.nImage == LI_STATISTICS)
            totals.push_back(line.strText);
    const auto Would = [](const std::string& strTitle, const char* pszTotals) {
        return strTitle + " would delete " + pszTotals + " registry entry(ies)";
    };
    EXPECT_EQ(
        totals,
        (std::vector<std::string>{
            Would("Free Space Elimination", "0 file(s) (0 Kbytes) and 0"),
            Would("Scan Disk by Mask", "1 file(s) (0 Kbytes) and 0"),
            Would("Delete Temporary Internet Files", "3 file(s) (3 Kbytes) and 0"),
            Would("Clear Internet Explorer Cookies", "1 file(s) (1 Kbytes) and 0"),
            Would("Every target", "4 file(s) (0 Kbytes) and 3") + ", update 1 file(s)",
            Would("Clear \"Start Menu\" Run History", "0 file(s) (0 Kbytes) and 3"),
            Would("Clear Clipboard memory", "0 file(s) (0 Kbytes) and 0"),
            Would("Clear User Temp Directory", "1 file(s) (1 Kbytes) and 0") +
                ", and remove 1 file(s) at the next restart",
            "Statistics of the preview (nothing has been changed):", "Would be deleted: 10 file(s)",
            "Would be updated: 1 file(s)", "Would be deleted: 6 registry entry(ies)",
            "Space that would be released: 5 Kbytes", "1 files would be removed on reboot"}));
    const std::vector<std::string> all = m_log.Texts();
    for (const std::string& strLine :
         {"File " + (m_folder / "cache\\c1.dat") + " would be deleted (2048 bytes)",
          "File " + strUpdated + " would be rewritten (11 bytes after)",
          "Registry value HKEY_CURRENT_USER\\" + kPluginKey +
              "\\Start Page would be set to \"about:blank\"",
          "Program " + m_manager->GetAction("PlugEvery").lstCommands.front() + " would be started",
          std::string("The clipboard would be emptied"),
          "The free space of " + drive.Root().substr(0, 2) + " would be overwritten (" +
              std::to_string(FreeBytes(drive.Root()) / 1024) + " Kbytes)"})
        EXPECT_NE(std::find(all.begin(), all.end(), strLine), all.end()) << strLine;
    m_log.Clear();
    EXPECT_TRUE(Run());
    CloseHandle(hInUse);
    const Snapshot filesAfter = FileSnapshot();
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
        const bool bTree = StartsWith(entry.first, kPluginKey + "\\Tree\\");
        if (!userAfter.count(entry.first))
            (bTree ? keysGone : valuesGone).insert(bTree ? kPluginKey + "\\Tree" : entry.first);
    }
    EXPECT_EQ(Listed(preview, "Registry value HKEY_CURRENT_USER\\", " would be deleted"),
              valuesGone);
    EXPECT_EQ(Listed(preview, "Registry key HKEY_CURRENT_USER\\",
                     " would be deleted with everything below it"),
              keysGone);
    EXPECT_EQ(m_manager->m_stats, previewStats);
    Lines summary = Summary(10, 6, 5);
    summary[2].strText = "Updated: 1 file(s)";
    summary.push_back({5,
                       "1 files will be removed on reboot (Please reboot if you want to "
                       "clean everything immidiately)"});
    EXPECT_EQ(Lines(m_log.m_lines.end() - 6, m_log.m_lines.end()), summary);
    // The clipboard is emptied, and the programs are started without waiting.
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    for (int n = 0; n < 300 && ReadFileBytes(m_folder / "started.txt").empty(); ++n)
        Sleep(100);
    EXPECT_EQ(ReadFileBytes(m_folder / "started.txt"), "started\r\n");
}
