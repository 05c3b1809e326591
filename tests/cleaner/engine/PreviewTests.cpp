// The preview changes nothing and lists what a clean of the same machine then removes.
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
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
        std::string strFacts = std::to_string(data.dwFileAttributes) + " " +
                               std::to_string(data.nFileSizeLow);
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

// A prepared machine: browser cache and cookies (with a date limit), the temp folder with a
// file in use, the Run box, a plugin, the clipboard, the disk scan and free space on a drive.
class Preview : public CleaningRun {
protected:
    void SetUp() override
    {
        CleaningRun::SetUp();
        if (!m_drive.MapFileSystem(4 << 20))
            GTEST_SKIP() << "no file system of its own for the drive";
        for (const char* pszFolder : {"cache", "cookies", "temp", "plugins", "cache\\sub",
                                      "cache\\sub\\deeper", "plugdata", "plugdata\\tree"})
            MakeFolder(pszFolder);
        WriteStringValue(kShellFolders, "CACHE", m_folder / "cache");
        WriteStringValue(kShellFolders, "COOKIES", m_folder / "cookies");
        m_tmp.Set((m_folder / "temp").c_str());
        m_temp.Set((m_folder / "temp").c_str());
        for (const char* pszName : {"a", "b", "MRUList"})
            WriteStringValue(kRunMRU, pszName, "typed");
        const std::pair<const char*, size_t> files[] = {
            {"cache\\c1.dat", 2048}, {"cache\\sub\\c2.dat", 1024},
            {"cache\\sub\\deeper\\c3.dat", 10}, {"temp\\t.tmp", 1024}, {"plugdata\\single.dat", 5},
            {"plugdata\\a.log", 6}, {"plugdata\\b.log", 7}, {"plugdata\\keep.log", 8},
            {"plugdata\\other.txt", 9}, {"plugdata\\tree\\x.bak", 11}, {"cookies\\old.txt", 1024},
            {"cookies\\new.txt", 100}};
        for (const auto& file : files)
            MakeFile(file.first, file.second);
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
        m_strLocked = MakeFile("temp\\inuse.tmp", 300);
        m_strUpdated = MakeFile("plugdata\\prefs.js", "keep this\r\nsecret line\r\n");
        // The search also finds "*.tmp" by the alias "BYITSA~1.TMP".
        for (const char* pszFile : {"top.old", "kept.doc", "by its alias.tmpl"})
            ASSERT_TRUE(WriteFileBytes(m_drive / pszFile, "scan"));
        WriteStringValue(kPluginKey, "single", "1");
        WriteStringValue(kPluginKey + "\\Masked", "url1", "x");
        WriteStringValue(kPluginKey + "\\Masked", "url2", "kept text");
        WriteStringValue(kPluginKey + "\\Masked", "other", "y");
        WriteStringValue(kPluginKey + "\\Tree\\Below", "v", "z");
        WritePlugin(m_folder / "plugins\\every.pld");
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder / "plugins");
        ASSERT_TRUE(PutTextOnClipboard("secret"));
        m_settings->bIECookiesAllowDate = true;
        Build();
        m_settings->strDiskOpsDriveList = m_drive.Root().substr(0, 2);
        for (const char* pszId : {"WCTempDir", "SMRunHistory", "PlugEvery", "IECookies", "IECache",
                                  "WCClipboard", "DiskOpScan", "DiskOpFreeSpace"})
            Enable(pszId);
    }
    void TearDown() override
    {
        DeleteKeyTree(kRunMRU);
        DeleteKeyTree(kPluginKey);
        CleaningRun::TearDown();
    }
    void WritePlugin(const std::string& strPath)
    {
        const std::string strData = m_folder / "plugdata";
        CAction plugin;
        plugin.strId = "PlugEvery";
        plugin.strTitle = "Every target";
        plugin.lstFiles = {FileTarget(), FolderContent(strData), FolderContent(strData + "\\tree")};
        auto file = plugin.lstFiles.begin();
        file->strName = strData + "\\single.dat";
        (++file)->strMask = "*.log";
        file->lstExclude = {"keep.log"};
        (++file)->dwType = TT_RECURSIVE;
        file->strMask = "*.bak";
        plugin.lstKeys.resize(3);
        auto key = plugin.lstKeys.begin();
        key->strName = kPluginKey;
        key->strValue = "single";
        plugin.lstKeyUpdates = {RegUpdate()};
        plugin.lstKeyUpdates.back().target = *key;
        (++key)->dwType = TT_CONTENT;
        key->strName = kPluginKey + "\\Masked";
        key->strValueMask = "url*";
        key->lstExcludeValues = {"kept text"};
        (++key)->dwType = TT_RECURSIVE;
        key->strName = kPluginKey + "\\Tree";
        plugin.lstKeyUpdates.back().target.strValue = "Start Page";
        plugin.lstKeyUpdates.back().strData = "about:blank";
        plugin.lstFileUpdates = {FileUpdate()};
        plugin.lstFileUpdates.back().strPath = m_strUpdated;
        plugin.lstFileUpdates.back().vecKeywords = {"secret*"};
        plugin.lstCommands = {"cmd.exe /c echo started> \"" + (m_folder / "started.txt") + "\""};
        CWin32File out;
        ASSERT_TRUE(out.Open(strPath.c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(plugin.Write(out));
    }
    // The files a clean reaches here. Taken twice, so that it does not differ by its reads.
    Snapshot FileSnapshot() const
    {
        Snapshot snapshot;
        for (int nPass = 0; nPass < 2; ++nPass) {
            snapshot.clear();
            AddTreeSnapshot(m_folder.Path(), snapshot);
            AddTreeSnapshot(m_drive.Root().substr(0, 2), snapshot);
        }
        return snapshot;
    }
    // The user's whole hive, and where the system notes what goes at the restart.
    static Snapshot RegistrySnapshot()
    {
        Snapshot snapshot;
        for (const HKEY hRoot : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            const bool bUser = hRoot == HKEY_CURRENT_USER;
            for (const auto& entry : SnapshotKey(bUser ? "" : kSessionManager, hRoot))
                snapshot[(bUser ? "" : "HKLM\\") + entry.first] =
                    std::to_string(entry.second.dwType) + " " + entry.second.bytes;
        }
        return snapshot;
    }
    CTestDrive m_drive;
    CSavedValue m_cache{HKEY_CURRENT_USER, kShellFolders, "CACHE"};
    CSavedValue m_cookies{HKEY_CURRENT_USER, kShellFolders, "COOKIES"};
    CSavedValue m_pending{HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations"};
    CSavedVariable m_tmp{"TMP"}, m_temp{"TEMP"};
    std::string m_strLocked;
    std::string m_strUpdated;
};

}  // namespace

// Stopped from another thread at any moment, or run to its end, the preview changes nothing;
// the clean then removes exactly what it listed.
TEST_F(Preview, ListsWhatTheCleanThenRemovesAndChangesNothingWhenStoppedOrNot)
{
    const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE hInUse =
        CreateFileA(m_strLocked.c_str(), GENERIC_READ, dwShare, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hInUse, INVALID_HANDLE_VALUE);
    const Snapshot filesBefore = FileSnapshot(), registryBefore = RegistrySnapshot();
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
    EXPECT_EQ(RegistrySnapshot(), registryBefore);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(
        ReadRegText(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations").empty());
    // Each action between its title and its totals, then the summary.
    std::vector<std::string> texts;
    for (const Line& line : preview)
        if (line.nImage == LI_ACTION_START || line.nImage == LI_ACTION_COMPLETE ||
            line.nImage == LI_STATISTICS)
            texts.push_back(line.strText);
    const std::string strKeys = " registry entry(ies)",
                      strNone = " 0 file(s) (0 Kbytes) and 0" + strKeys;
    EXPECT_EQ(
        texts,
        (std::vector<std::string>{
            "Free Space Elimination",
            "Free Space Elimination would delete" + strNone,
            "Scan Disk by Mask",
            "Scan Disk by Mask would delete 1 file(s) (0 Kbytes) and 0" + strKeys,
            "Delete Temporary Internet Files",
            "Delete Temporary Internet Files would delete 3 file(s) (3 Kbytes) and 0" + strKeys,
            "Clear Internet Explorer Cookies",
            "Clear Internet Explorer Cookies would delete 1 file(s) (0 Kbytes) and 0" + strKeys,
            "Every target",
            "Every target would delete 4 file(s) (0 Kbytes) and 4" + strKeys + ", update 1 file(s)",
            "Clear \"Start Menu\" Run History",
            "Clear \"Start Menu\" Run History would delete 0 file(s) (0 Kbytes) and 3" + strKeys,
            "Clear Clipboard memory",
            "Clear Clipboard memory would delete" + strNone,
            "Clear User Temp Directory",
            "Clear User Temp Directory would delete 1 file(s) (1 Kbytes) and 0" + strKeys +
                ", and remove 1 file(s) at the next restart",
            "Statistics of the preview (nothing has been changed):",
            "Would be deleted: 10 file(s)",
            "Would be updated: 1 file(s)",
            "Would be deleted: 7 registry entry(ies)",
            "Space that would be released: 4 Kbytes",
            "1 files would be removed on reboot"}));
    const std::vector<std::string> all = m_log.Texts();
    for (const std::string& strLine :
         {"File " + (m_folder / "cache\\c1.dat") + " would be deleted (2048 bytes)",
          "File " + m_strUpdated + " would be rewritten (11 bytes after)",
          "Registry value HKEY_CURRENT_USER\\" + kPluginKey +
              "\\Start Page would be set to \"about:blank\"",
          "Program cmd.exe /c echo started> \"" + (m_folder / "started.txt") +
              "\" would be started",
          std::string("The clipboard would be emptied")})
        EXPECT_NE(std::find(all.begin(), all.end(), strLine), all.end()) << strLine;
    EXPECT_NE(std::find_if(all.begin(), all.end(),
                           [](const std::string& s) {
                               return StartsWith(s, "The free space of ") &&
                                      s.find(" would be overwritten (") != s.npos;
                           }),
              all.end());
    m_log.Clear();
    EXPECT_TRUE(Run());
    CloseHandle(hInUse);
    const Snapshot filesAfter = FileSnapshot(), registryAfter = RegistrySnapshot();
    Names filesGone, valuesGone, keysGone;
    for (const auto& entry : filesBefore)
        if (!filesAfter.count(entry.first) && !(stoul(entry.second) & FILE_ATTRIBUTE_DIRECTORY))
            filesGone.insert(entry.first);
    EXPECT_EQ(Listed(preview, "File ", " would be deleted ("), filesGone);
    const Names deferred = Listed(preview, "File ", " would be removed at the next restart");
    EXPECT_EQ(deferred, Listed(m_log.m_lines, "File ", " will be removed until system reboot"));
    EXPECT_EQ(deferred, Names{m_strLocked});
    for (const auto& entry : registryBefore) {
        const bool bTree = StartsWith(entry.first, kPluginKey + "\\Tree\\");
        if (!registryAfter.count(entry.first))
            (bTree ? keysGone : valuesGone).insert(bTree ? kPluginKey + "\\Tree" : entry.first);
    }
    EXPECT_EQ(Listed(preview, "Registry value HKEY_CURRENT_USER\\", " would be deleted"),
              valuesGone);
    EXPECT_EQ(Listed(preview, "Registry key HKEY_CURRENT_USER\\",
                     " would be deleted with everything below it"),
              keysGone);
    EXPECT_EQ(m_manager->m_stats, previewStats);
    EXPECT_EQ(Lines(m_log.m_lines.end() - 6, m_log.m_lines.end()),
              (Lines{{5, "Statistics:"},
                     {5, "Deleted: 10 file(s)"},
                     {5, "Updated: 1 file(s)"},
                     {5, "Deleted: 7 registry entry(ies)"},
                     {5, "Released Space: 4 Kbytes"},
                     {5, "1 files will be removed on reboot (Please reboot if you want to clean "
                         "everything immidiately)"}}));
    // The clipboard is emptied, and the programs are started without waiting.
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    for (int n = 0; n < 300 && ReadFileBytes(m_folder / "started.txt").empty(); ++n)
        Sleep(100);
    EXPECT_EQ(ReadFileBytes(m_folder / "started.txt"), "started\r\n");
}
