// The preview: the walk of a clean that changes nothing and lists what the
// clean would remove, compared with what a clean of the same machine then
// really removes.
#include "cleaner/engine/StopRequest.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/Environment.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPluginKey[] = "Software\\VeltrinPreviewTest";

typedef std::set<std::string> Names;

// Every file and folder below the folder, with what the file system keeps
// of it: attributes, size, the three times, and a file's content (hashed).
// Taking it reads every file and folder, which the host's file system may
// note as their last access the first time; FileSnapshot() below takes it
// twice, so that the one compared does not differ by its own reads.
void AddTreeSnapshot(const std::string& strFolder, std::map<std::string, std::string>& snapshot)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string strName = data.cFileName;
        if (strName == "." || strName == "..")
            continue;
        const std::string strPath = strFolder + "\\" + strName;
        auto Time = [](const FILETIME& time) {
            return std::to_string(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime);
        };
        std::string strFacts = std::to_string(data.dwFileAttributes) + " " +
                               std::to_string(data.nFileSizeLow) + " " +
                               Time(data.ftCreationTime) + " " + Time(data.ftLastWriteTime) +
                               " " + Time(data.ftLastAccessTime);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddTreeSnapshot(strPath, snapshot);
        else
            strFacts += " " + std::to_string(std::hash<std::string>()(ReadFileBytes(strPath)));
        snapshot[strPath] = strFacts;
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
}

// A file last written in 2099, which no date limit keeps. Its last access
// lies later still: a host file system notes a read as an access when the
// last one came before the last write, and a later one here would only
// tell of the snapshots' own reads.
void WrittenIn2099(const std::string& strPath)
{
    SYSTEMTIME written = {2099, 1, 0, 1, 0, 0, 0, 0};
    SYSTEMTIME accessed = {2100, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ftWritten, ftAccessed;
    SystemTimeToFileTime(&written, &ftWritten);
    SystemTimeToFileTime(&accessed, &ftAccessed);
    HANDLE hFile = CreateFileA(strPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(hFile, nullptr, &ftAccessed, &ftWritten));
    CloseHandle(hFile);
}

// What "File X would ..." lines and "Registry ... would be deleted" lines
// of a preview name, by the kind of line.
struct Listed {
    Names deleted, deferred, values, keys;
};

std::string Between(const std::string& strText, const std::string& strBefore,
                    const std::string& strAfter)
{
    const size_t nEnd = strText.rfind(strAfter);
    return strText.substr(strBefore.size(), nEnd - strBefore.size());
}

bool StartsWith(const std::string& strText, const std::string& strStart)
{
    return strText.compare(0, strStart.size(), strStart) == 0;
}

Listed ReadPreview(const Lines& lines)
{
    Listed listed;
    for (const Line& line : lines) {
        const std::string& s = line.strText;
        if (StartsWith(s, "File ") && s.find(" would be deleted (") != std::string::npos)
            listed.deleted.insert(Between(s, "File ", " would be deleted ("));
        else if (StartsWith(s, "File ") && s.find(" would be removed at the next restart") !=
                                              std::string::npos)
            listed.deferred.insert(Between(s, "File ", " would be removed at the next restart"));
        else if (StartsWith(s, "Registry value ") && s.find(" would be deleted") != std::string::npos)
            listed.values.insert(Between(s, "Registry value HKEY_CURRENT_USER\\", " would be deleted"));
        else if (StartsWith(s, "Registry key ") && s.find(" would be deleted") != std::string::npos)
            listed.keys.insert(Between(s, "Registry key HKEY_CURRENT_USER\\",
                                       " would be deleted with everything below it"));
    }
    return listed;
}

// The entries that differ between two snapshots, each with both states.
std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after)
{
    std::vector<std::string> differences;
    for (const auto& entry : before) {
        const auto it = after.find(entry.first);
        if (it == after.end() || it->second != entry.second)
            differences.push_back(entry.first + ": " + entry.second + " -> " +
                                  (it == after.end() ? "gone" : it->second));
    }
    for (const auto& entry : after) {
        if (!before.count(entry.first))
            differences.push_back(entry.first + ": new");
    }
    return differences;
}

// A registry snapshot as text, type and bytes, for Differences.
std::map<std::string, std::string> AsText(const KeySnapshot& snapshot)
{
    std::map<std::string, std::string> text;
    for (const auto& entry : snapshot)
        text[entry.first] = std::to_string(entry.second.dwType) + " " + entry.second.bytes;
    return text;
}

template <typename Map>
Names KeysGone(const Map& before, const Map& after)
{
    Names gone;
    for (const auto& entry : before) {
        if (!after.count(entry.first))
            gone.insert(entry.first);
    }
    return gone;
}

// A prepared machine: the browser's cache and cookies (with a date limit),
// the temp folder with a file in use, the typed commands of the Run box, a
// plugin with every kind of target, the clipboard, and the disk scan and
// free-space elimination on a drive of their own.
class Preview : public CleaningRun {
protected:
    void SetUp() override
    {
        CleaningRun::SetUp();
        // The free space is overwritten only on a small file system of its own.
        if (!m_drive.MapFileSystem(4 << 20))
            GTEST_SKIP() << "no file system of its own for the drive";
        const std::string strCache = MakeFolder("cache");
        const std::string strCookies = MakeFolder("cookies");
        const std::string strTemp = MakeFolder("temp");
        const std::string strPlugins = MakeFolder("plugins");
        MakeFolder("cache\\sub");
        MakeFolder("cache\\sub\\deeper");
        MakeFolder("plugdata");
        MakeFolder("plugdata\\tree");
        WriteStringValue(kShellFolders, "CACHE", strCache);
        WriteStringValue(kShellFolders, "COOKIES", strCookies);
        m_tmp.Set(strTemp.c_str());
        m_temp.Set(strTemp.c_str());
        for (const char* pszName : {"a", "b", "MRUList"})
            WriteStringValue(kRunMRU, pszName, "typed");

        MakeFile("cache\\c1.dat", 2048);
        MakeFile("cache\\sub\\c2.dat", 1024);
        MakeFile("cache\\sub\\deeper\\c3.dat", 10);
        SetLastWriteYear(MakeFile("cookies\\old.txt", 1024), 2000);
        WrittenIn2099(MakeFile("cookies\\new.txt", 100));
        MakeFile("temp\\t.tmp", 1024);
        m_strLocked = MakeFile("temp\\inuse.tmp", 300);
        MakeFile("plugdata\\single.dat", 5);
        MakeFile("plugdata\\a.log", 6);
        MakeFile("plugdata\\b.log", 7);
        MakeFile("plugdata\\keep.log", 8);
        MakeFile("plugdata\\other.txt", 9);
        MakeFile("plugdata\\tree\\x.bak", 11);
        m_strUpdated = MakeFile("plugdata\\prefs.js", "keep this\r\nsecret line\r\n");
        for (const char* pszFile : {"top.old", "kept.doc"})
            ASSERT_TRUE(WriteFileBytes(m_drive / pszFile, "scan"));

        WriteStringValue(kPluginKey, "single", "1");
        WriteStringValue(kPluginKey + std::string("\\Masked"), "url1", "x");
        WriteStringValue(kPluginKey + std::string("\\Masked"), "url2", "kept text");
        WriteStringValue(kPluginKey + std::string("\\Masked"), "other", "y");
        WriteStringValue(kPluginKey + std::string("\\Tree\\Below"), "v", "z");
        WritePlugin(strPlugins);
        WriteStringValue(kSettingsKey, "strPluginFolder", strPlugins);

        ASSERT_TRUE(PutTextOnClipboard("secret"));
        m_settings->bIECookiesAllowDate = true;
        Build();
        m_settings->strDiskOpsDriveList = m_drive.Root().substr(0, 2);
        for (const char* pszId : {"WCTempDir", "SMRunHistory", "PlugEvery", "IECookies",
                                  "IECache", "WCClipboard", "DiskOpScan", "DiskOpFreeSpace"})
            Enable(pszId);
    }
    void TearDown() override
    {
        DeleteKeyTree(kRunMRU);
        DeleteKeyTree(kPluginKey);
        CleaningRun::TearDown();
    }

    void WritePlugin(const std::string& strPlugins)
    {
        const std::string strData = m_folder / "plugdata";
        CAction plugin;
        plugin.strId = "PlugEvery";
        plugin.strTitle = "Every target";
        FileTarget single;
        single.strName = strData + "\\single.dat";
        plugin.lstFiles.push_back(single);
        FileTarget content = FolderContent(strData);
        content.strMask = "*.log";
        content.lstExclude = {"keep.log"};
        plugin.lstFiles.push_back(content);
        FileTarget tree = FolderContent(strData + "\\tree");
        tree.dwType = TT_RECURSIVE;
        tree.strMask = "*.bak";
        plugin.lstFiles.push_back(tree);
        RegTarget value;
        value.strName = kPluginKey;
        value.strValue = "single";
        plugin.lstKeys.push_back(value);
        RegTarget masked;
        masked.dwType = TT_CONTENT;
        masked.strName = kPluginKey + std::string("\\Masked");
        masked.strValueMask = "url*";
        masked.lstExcludeValues = {"kept text"};
        plugin.lstKeys.push_back(masked);
        RegTarget keyTree;
        keyTree.dwType = TT_RECURSIVE;
        keyTree.strName = kPluginKey + std::string("\\Tree");
        plugin.lstKeys.push_back(keyTree);
        FileUpdate update;
        update.strPath = m_strUpdated;
        update.dwMethod = FileUpdate::FU_CLEAR_LINES;
        update.vecKeywords = {"secret*"};
        plugin.lstFileUpdates.push_back(update);
        RegUpdate setting;
        setting.target.strName = kPluginKey;
        setting.target.strValue = "Start Page";
        setting.dwDataType = RegUpdate::DT_TEXT;
        setting.strData = "about:blank";
        plugin.lstKeyUpdates.push_back(setting);
        plugin.lstCommands = {"cmd.exe /c echo started> \"" + (m_folder / "started.txt") + "\""};
        CWin32File file;
        ASSERT_TRUE(file.Open((strPlugins + "\\every.pld").c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(plugin.Write(file));
    }

    // The files and the keys that a clean reaches here, as they stand.
    std::map<std::string, std::string> FileSnapshot() const
    {
        std::map<std::string, std::string> snapshot;
        for (int nPass = 0; nPass < 2; ++nPass) {
            snapshot.clear();
            AddTreeSnapshot(m_folder.Path(), snapshot);
            AddTreeSnapshot(m_drive.Root().substr(0, 2), snapshot);
        }
        return snapshot;
    }
    // The user's whole hive, and where the system notes what goes at the
    // next restart.
    static KeySnapshot RegistrySnapshot()
    {
        KeySnapshot snapshot = SnapshotKey("");
        for (const auto& entry : SnapshotKey(kSessionManager, HKEY_LOCAL_MACHINE))
            snapshot["HKLM\\" + entry.first] = entry.second;
        return snapshot;
    }

    CTestDrive m_drive;
    CSavedValue m_cache{HKEY_CURRENT_USER, kShellFolders, "CACHE"};
    CSavedValue m_cookies{HKEY_CURRENT_USER, kShellFolders, "COOKIES"};
    CSavedValue m_pending{HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations"};
    CSavedVariable m_tmp{"TMP"};
    CSavedVariable m_temp{"TEMP"};
    std::string m_strLocked;
    std::string m_strUpdated;
};

}  // namespace

TEST_F(Preview, ListsWhatTheCleanThenRemovesAndChangesNothing)
{
    HANDLE hInUse = CreateFileA(m_strLocked.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(hInUse, INVALID_HANDLE_VALUE);
    const auto filesBefore = FileSnapshot();
    const KeySnapshot registryBefore = RegistrySnapshot();

    EXPECT_TRUE(m_manager->RunPreview(m_stop));
    const Lines preview = m_log.m_lines;
    const CleanStats previewStats = m_manager->m_stats;

    // Nothing changed: no file, time, attribute, value, clipboard or filler.
    EXPECT_EQ(Differences(filesBefore, FileSnapshot()), std::vector<std::string>());
    EXPECT_EQ(Differences(AsText(registryBefore), AsText(RegistrySnapshot())),
              std::vector<std::string>());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(ReadRegText(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations")
                    .empty());

    // Each action between its title and its totals, then the summary.
    std::vector<std::string> texts;
    for (const Line& line : preview) {
        if (line.nImage == LI_ACTION_START || line.nImage == LI_ACTION_COMPLETE ||
            line.nImage == LI_STATISTICS)
            texts.push_back(line.strText);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Free Space Elimination",
                         "Free Space Elimination would delete 0 file(s) (0 Kbytes) and 0 registry "
                         "entry(ies)",
                         "Scan Disk by Mask",
                         "Scan Disk by Mask would delete 1 file(s) (0 Kbytes) and 0 registry entry(ies)",
                         "Delete Temporary Internet Files",
                         "Delete Temporary Internet Files would delete 3 file(s) (3 Kbytes) and 0 "
                         "registry entry(ies)",
                         "Clear Internet Explorer Cookies",
                         "Clear Internet Explorer Cookies would delete 1 file(s) (0 Kbytes) and 0 "
                         "registry entry(ies)",
                         "Every target",
                         "Every target would delete 4 file(s) (0 Kbytes) and 4 registry "
                         "entry(ies), update 1 file(s)",
                         "Clear \"Start Menu\" Run History",
                         "Clear \"Start Menu\" Run History would delete 0 file(s) (0 Kbytes) and "
                         "3 registry entry(ies)",
                         "Clear Clipboard memory",
                         "Clear Clipboard memory would delete 0 file(s) (0 Kbytes) and 0 "
                         "registry entry(ies)",
                         "Clear User Temp Directory",
                         "Clear User Temp Directory would delete 1 file(s) (1 Kbytes) and 0 "
                         "registry entry(ies), and remove 1 file(s) at the next restart",
                         "Statistics of the preview (nothing has been changed):",
                         "Would be deleted: 10 file(s)", "Would be updated: 1 file(s)",
                         "Would be deleted: 7 registry entry(ies)",
                         "Space that would be released: 4 Kbytes",
                         "1 files would be removed on reboot"}));
    const std::vector<std::string> all = m_log.Texts();
    for (const std::string& strLine :
         {"File " + (m_folder / "cache\\c1.dat") + " would be deleted (2048 bytes)",
          "File " + m_strUpdated + " would be rewritten (11 bytes after)",
          "Registry value HKEY_CURRENT_USER\\" + std::string(kPluginKey) +
              "\\Start Page would be set to \"about:blank\"",
          "Program cmd.exe /c echo started> \"" + (m_folder / "started.txt") +
              "\" would be started",
          std::string("The clipboard would be emptied")})
        EXPECT_NE(std::find(all.begin(), all.end(), strLine), all.end()) << strLine;
    EXPECT_NE(std::find_if(all.begin(), all.end(),
                           [](const std::string& s) {
                               return StartsWith(s, "The free space of ") &&
                                      s.find(" would be overwritten (") != std::string::npos;
                           }),
              all.end());

    // The clean of the same machine removes exactly what the preview listed.
    m_log.Clear();
    EXPECT_TRUE(Run());
    CloseHandle(hInUse);
    const Listed listed = ReadPreview(preview);
    const auto filesAfter = FileSnapshot();
    Names filesGone;
    for (const std::string& strGone : KeysGone(filesBefore, filesAfter)) {
        if (!(std::stoul(filesBefore.at(strGone)) & FILE_ATTRIBUTE_DIRECTORY))
            filesGone.insert(strGone);
    }
    EXPECT_EQ(listed.deleted, filesGone);
    Names deferred;
    for (const Line& line : m_log.m_lines) {
        if (line.nImage == LI_FILE_AT_REBOOT)
            deferred.insert(Between(line.strText, "File ", " will be removed until system reboot"));
    }
    EXPECT_EQ(listed.deferred, deferred);
    EXPECT_EQ(listed.deferred, Names{m_strLocked});

    const KeySnapshot registryAfter = RegistrySnapshot();
    Names valuesGone;
    Names keysGone;
    for (const std::string& strGone : KeysGone(registryBefore, registryAfter)) {
        const std::string strTree = std::string(kPluginKey) + "\\Tree\\";
        if (StartsWith(strGone, strTree))
            keysGone.insert(std::string(kPluginKey) + "\\Tree");
        else
            valuesGone.insert(strGone);
    }
    EXPECT_EQ(listed.values, valuesGone);
    EXPECT_EQ(listed.keys, keysGone);
    EXPECT_EQ(m_manager->m_stats, previewStats);
}

// Stopped from another thread at moments from the start to the end of the
// walk: nothing changes, and a clean afterwards runs to its end.
TEST_F(Preview, StopLeavesEverythingAsItWasAndHoldsNoLock)
{
    const auto filesBefore = FileSnapshot();
    const KeySnapshot registryBefore = RegistrySnapshot();
    for (DWORD dwDelay : {0, 1, 2, 5, 10, 20}) {
        m_log.Clear();
        CStopRequest stop;
        bool bCompleted = true;
        std::thread preview([&] { bCompleted = m_manager->RunPreview(stop); });
        Sleep(dwDelay);
        stop.Request();
        preview.join();
        if (!bCompleted) {
            for (const Line& line : m_log.m_lines)
                EXPECT_NE(line.nImage, LI_STATISTICS) << dwDelay;
        }
    }
    EXPECT_EQ(m_log.m_nHolds, m_log.m_nReleases);
    EXPECT_EQ(Differences(filesBefore, FileSnapshot()), std::vector<std::string>());
    EXPECT_EQ(Differences(AsText(registryBefore), AsText(RegistrySnapshot())),
              std::vector<std::string>());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    m_log.Clear();
    EXPECT_TRUE(Run());
    ASSERT_FALSE(m_log.m_lines.empty());
    EXPECT_EQ(m_log.m_lines.back().nImage, LI_STATISTICS);
    EXPECT_FALSE(FileExists(m_strLocked));
}
