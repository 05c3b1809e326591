// The plugins that come with the program, as the build wrote them beside the
// test: their fields, and what they remove from browser profiles and Windows
// folders made by the test, with their folder macros pointed into the test's
// own folder.
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/plugins/PluginAction.h"
#include "common/ProgramPath.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"

#include <map>
#include <set>

namespace {

typedef std::set<std::string> Names;

struct Shipped {
    std::string strId;
    const char* pszCategory;
    bool bEnabled;
    uint32_t dwWarningLevel;
};

// Every plugin with the fields its table gives: per browser, Cache and History start
// enabled, Cookies and Session disabled with a warning; the Windows ones all disabled.
std::vector<Shipped> ShippedTable()
{
    const char* const browsers[][2] = {{"Google Chrome", "Google Chrome"},
                                       {"Microsoft Edge", "Edge"},
                                       {"Brave", "Brave"},
                                       {"Vivaldi", "Vivaldi"},
                                       {"Opera", "Opera"},
                                       {"Mozilla Firefox", "Firefox"}};
    std::vector<Shipped> table;
    for (const auto& browser : browsers) {
        const std::string strPrefix = std::string(browser[0]) + ": ";
        table.push_back({strPrefix + "Cache", browser[1], true, 0});
        table.push_back({strPrefix + "History", browser[1], true, 0});
        table.push_back({strPrefix + "Cookies", browser[1], false, 1});
        table.push_back({strPrefix + "Session", browser[1], false, 1});
    }
    for (const char* pszName : {"Thumbnail and icon caches", "Jump lists",
                                "Explorer search and typed paths", "Crash dumps"})
        table.push_back({std::string("Windows: ") + pszName, "Windows", false, 0});
    return table;
}

// Every plugin file of the build's folder beside the test, by identifier.
std::map<std::string, CPluginAction> LoadShipped()
{
    std::map<std::string, CPluginAction> plugins;
    const std::string strFolder = GetProgramFolder() + "\\Plugins";
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*.pld").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        CPluginAction plugin;
        plugin.m_strFilePath = strFolder + "\\" + data.cFileName;
        EXPECT_TRUE(plugin.Load()) << data.cFileName;
        plugins[plugin.strId] = plugin;
    }
    FindClose(hFind);
    return plugins;
}

// The files of one Chromium profile; the last ones no plugin touches.
const char* const kProfileFiles[] = {
    "Cache\\data_0", "Cache\\Cache_Data\\f_000001", "Code Cache\\js\\index", "GPUCache\\data_1",
    "History", "History-journal", "Visited Links", "Top Sites", "Shortcuts", "Cookies",
    "Network\\Cookies", "Local Storage\\leveldb\\000003.log", "Session Storage\\000003.log",
    "IndexedDB\\https_a.example_0.indexeddb.leveldb\\000003.log", "Sessions\\Session_13",
    "Sessions\\Tabs_13", "Current Session", "Last Tabs",
    "IndexedDB\\chrome-extension_ab_0.indexeddb.leveldb\\000003.log", "Bookmarks", "Preferences",
    "Login Data", "Network\\TransportSecurity", "Extensions\\ab\\1.0\\manifest.json",
    "Local Extension Settings\\ab\\000003.log", "Sessions\\Saved_1.bin"};

// What each kind of plugin takes from a Chromium profile, folders included.
const std::map<std::string, Names> kProfileGone = {
    {"Cache",
     {"Cache\\data_0", "Cache\\Cache_Data", "Cache\\Cache_Data\\f_000001", "Code Cache\\js",
      "Code Cache\\js\\index", "GPUCache\\data_1"}},
    {"History", {"History", "History-journal", "Visited Links", "Top Sites", "Shortcuts"}},
    {"Cookies",
     {"Cookies", "Network\\Cookies", "Local Storage", "Local Storage\\leveldb",
      "Local Storage\\leveldb\\000003.log", "Session Storage", "Session Storage\\000003.log",
      "IndexedDB\\https_a.example_0.indexeddb.leveldb",
      "IndexedDB\\https_a.example_0.indexeddb.leveldb\\000003.log"}},
    {"Session", {"Sessions\\Session_13", "Sessions\\Tabs_13", "Current Session", "Last Tabs"}},
};

// The browsers of the Chromium layout, by their folder below the local
// application data ("Local"), each with two profiles.
const std::map<std::string, std::string> kChromium = {
    {"Google Chrome", "Local\\Google\\Chrome\\User Data\\"},
    {"Microsoft Edge", "Local\\Microsoft\\Edge\\User Data\\"},
    {"Brave", "Local\\BraveSoftware\\Brave-Browser\\User Data\\"},
    {"Vivaldi", "Local\\Vivaldi\\User Data\\"},
};
const char* const kProfiles[] = {"Default\\", "Profile 1\\"};

#define OPERA "Roaming\\Opera Software\\Opera Stable\\"
#define OPERA_LOCAL "Local\\Opera Software\\Opera Stable\\"
#define FOX "Roaming\\Mozilla\\Firefox\\Profiles\\ab12.default-release\\"
#define FOX_LOCAL "Local\\Mozilla\\Firefox\\Profiles\\ab12.default-release\\"
#define EXPLORER "Local\\Microsoft\\Windows\\Explorer\\"
#define RECENT "Roaming\\Microsoft\\Windows\\Recent\\"

// Besides the Chromium profiles; after each, what the plugin of that name
// removes, folders included. Every name of the last case stays.
const struct {
    const char* pszId;
    Names files;
    Names gone;
} kOthers[] = {
    {"Opera: Cache", {OPERA_LOCAL "Cache\\data_0"},
     {OPERA_LOCAL "Cache\\data_0", OPERA "Code Cache\\js", OPERA "Code Cache\\js\\index",
      OPERA "GPUCache\\data_1"}},
    {"Mozilla Firefox: Cache",
     {FOX_LOCAL "cache2\\entries\\AB12", FOX_LOCAL "startupCache\\scriptCache.bin"},
     {FOX_LOCAL "cache2\\entries", FOX_LOCAL "cache2\\entries\\AB12",
      FOX_LOCAL "startupCache\\scriptCache.bin"}},
    {"Mozilla Firefox: History", {FOX_LOCAL "thumbnails\\a.png", FOX "formhistory.sqlite"},
     {FOX_LOCAL "thumbnails\\a.png", FOX "formhistory.sqlite"}},
    {"Mozilla Firefox: Cookies",
     {FOX "cookies.sqlite", FOX "cookies.sqlite-wal", FOX "webappsstore.sqlite",
      FOX "storage\\default\\https+++a.example\\ls\\data.sqlite"},
     {FOX "cookies.sqlite", FOX "cookies.sqlite-wal", FOX "webappsstore.sqlite",
      FOX "storage\\default\\https+++a.example", FOX "storage\\default\\https+++a.example\\ls",
      FOX "storage\\default\\https+++a.example\\ls\\data.sqlite"}},
    {"Mozilla Firefox: Session",
     {FOX "sessionstore.jsonlz4", FOX "sessionstore-backups\\recovery.jsonlz4"},
     {FOX "sessionstore.jsonlz4", FOX "sessionstore-backups\\recovery.jsonlz4"}},
    {"Windows: Thumbnail and icon caches",
     {EXPLORER "thumbcache_96.db", EXPLORER "iconcache_32.db"},
     {EXPLORER "thumbcache_96.db", EXPLORER "iconcache_32.db"}},
    {"Windows: Jump lists",
     {RECENT "AutomaticDestinations\\5f7b.automaticDestinations-ms",
      RECENT "CustomDestinations\\5f7b.customDestinations-ms"},
     {RECENT "AutomaticDestinations\\5f7b.automaticDestinations-ms",
      RECENT "CustomDestinations\\5f7b.customDestinations-ms"}},
    {"Windows: Crash dumps", {"Local\\CrashDumps\\app.exe.412.dmp"},
     {"Local\\CrashDumps\\app.exe.412.dmp"}},
    {"no plugin",
     {FOX "places.sqlite", FOX "logins.json", FOX "key4.db", FOX "prefs.js",
      FOX "bookmarkbackups\\bookmarks-1.jsonlz4", FOX "extensions\\ab@example.xpi",
      FOX "storage\\default\\moz-extension+++ab\\idb\\1.sqlite", EXPLORER "ExplorerStartupLog.etl",
      RECENT "report.txt.lnk", "Local\\CrashDumps\\notes.txt", "Local\\Google\\Chrome\\User Data\\"
      "Local State"},
     {}},
};

// The registry values that the Windows plugins reach, below the test's key.
const char* const kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const struct {
    const char* pszKey;
    const char* pszValue;
    bool bGone;
} kValues[] = {
    {"WordWheelQuery", "MRUListEx", true}, {"WordWheelQuery", "0", true},
    {"TypedPaths", "url1", true},          {"TypedPaths", "url2", true},
    {"TypedPaths", "Layout", false},
};

// Every file and folder below the folder, by its path relative to it.
Names TreeEntries(const std::string& strTop, const std::string& strBelow = "")
{
    Names names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strTop + "\\" + strBelow + "*").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        const std::string strName = data.cFileName, strPath = strBelow + strName;
        if (strName == "." || strName == "..")
            continue;
        names.insert(strPath);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const Names below = TreeEntries(strTop, strPath + "\\");
            names.insert(below.begin(), below.end());
        }
    }
    FindClose(hFind);
    return names;
}

void MakeTree(const std::string& strTop, const Names& files)
{
    for (const std::string& strFile : files) {
        for (size_t n = strFile.find('\\'); n != std::string::npos; n = strFile.find('\\', n + 1))
            CreateDirectoryA((strTop + "\\" + strFile.substr(0, n)).c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(strTop + "\\" + strFile, "data")) << strFile;
    }
}

void Replace(std::string& strText, const std::string& strFrom, const std::string& strTo)
{
    for (size_t n = strText.find(strFrom); n != std::string::npos;
         n = strText.find(strFrom, n + strTo.size()))
        strText.replace(n, strFrom.size(), strTo);
}

class ShippedPlugins : public CleaningRun {};

}  // namespace

TEST(ShippedPluginFiles, ReadBackWithTheFieldsOfTheirTable)
{
    const std::map<std::string, CPluginAction> plugins = LoadShipped();
    const std::vector<Shipped> table = ShippedTable();
    EXPECT_EQ(plugins.size(), table.size());
    for (const Shipped& shipped : table) {
        SCOPED_TRACE(shipped.strId);
        const auto found = plugins.find(shipped.strId);
        ASSERT_NE(found, plugins.end());
        const CAction& plugin = found->second;
        EXPECT_EQ(plugin.strTitle, shipped.strId);
        EXPECT_EQ(plugin.strCategory, shipped.pszCategory);
        EXPECT_EQ(plugin.bEnabled, shipped.bEnabled);
        EXPECT_EQ(plugin.dwWarningLevel, shipped.dwWarningLevel);
        EXPECT_EQ(plugin.dwKind, uint32_t(AK_STANDARD));
        EXPECT_FALSE(plugin.lstFiles.empty() && plugin.lstKeys.empty());
        // What the user loses is said where the plugin starts disabled with a warning.
        const std::string& strText = plugin.strDescription;
        if (shipped.dwWarningLevel != 0) {
            EXPECT_TRUE(strText.find("sign in") != std::string::npos ||
                        strText.find("tabs") != std::string::npos)
                << strText;
        }
        for (const FileTarget& target : plugin.lstFiles) {
            EXPECT_TRUE(target.strName.compare(0, 14, "%LocalAppData%") == 0 ||
                        target.strName.compare(0, 9, "%AppData%") == 0)
                << target.strName;
            EXPECT_EQ(target.dwReportFlags, uint32_t(RF_ALL));
        }
    }
}

// Each plugin over the same made-up profiles: it removes exactly what it names,
// in every profile and only of its own browser.
TEST_F(ShippedPlugins, RemoveWhatTheyNameAndNothingElse)
{
    const std::map<std::string, CPluginAction> plugins = LoadShipped();
    Names files;
    std::map<std::string, Names> expected;
    for (const auto& browser : kChromium) {
        for (const char* pszFile : kProfileFiles) {
            files.insert(browser.second + kProfiles[0] + pszFile);
            files.insert(browser.second + kProfiles[1] + pszFile);
            files.insert(std::string(OPERA) + pszFile);
        }
        files.insert(browser.second + "ShaderCache\\data_0");
        for (const auto& kind : kProfileGone) {
            Names& gone = expected[browser.first + ": " + kind.first];
            for (const std::string& strName : kind.second) {
                gone.insert(browser.second + kProfiles[0] + strName);
                gone.insert(browser.second + kProfiles[1] + strName);
                if (kind.first != "Cache")
                    expected["Opera: " + kind.first].insert(OPERA + strName);
            }
        }
        expected[browser.first + ": Cache"].insert(browser.second + "ShaderCache\\data_0");
    }
    for (const auto& other : kOthers) {
        files.insert(other.files.begin(), other.files.end());
        expected[other.pszId].insert(other.gone.begin(), other.gone.end());
    }
    const std::string strKey = std::string(kProductKey) + "\\Shipped\\";
    expected["Windows: Explorer search and typed paths"];
    int nCase = 0;
    for (const Shipped& shipped : ShippedTable()) {
        SCOPED_TRACE(shipped.strId);
        const auto found = plugins.find(shipped.strId);
        ASSERT_NE(found, plugins.end());
        CAction action = found->second;
        const std::string strTop = MakeFolder("case" + std::to_string(++nCase));
        MakeTree(strTop, files);
        for (FileTarget& target : action.lstFiles) {
            Replace(target.strName, "%LocalAppData%", strTop + "\\Local");
            Replace(target.strName, "%AppData%", strTop + "\\Roaming");
            EXPECT_EQ(target.strName.find('%'), std::string::npos) << target.strName;
        }
        for (const auto& value : kValues)
            WriteStringValue(strKey + kExplorer + value.pszKey, value.pszValue, "C:\\a");
        for (RegTarget& target : action.lstKeys) {
            EXPECT_EQ(target.strName.compare(0, strlen(kExplorer), kExplorer), 0) << target.strName;
            target.strName = strKey + target.strName;
        }
        const Names before = TreeEntries(strTop);
        ExecuteAction(action, *m_settings, m_stop);
        const Names after = TreeEntries(strTop);
        Names gone;
        for (const std::string& strEntry : before)
            if (!after.count(strEntry))
                gone.insert(strEntry);
        ASSERT_TRUE(expected.count(shipped.strId));
        EXPECT_EQ(gone, expected[shipped.strId]);
        for (const auto& value : kValues)
            EXPECT_EQ(ValueExists(strKey + kExplorer + value.pszKey, value.pszValue),
                      !(value.bGone && !action.lstKeys.empty()))
                << value.pszKey << "\\" << value.pszValue;
    }
}
