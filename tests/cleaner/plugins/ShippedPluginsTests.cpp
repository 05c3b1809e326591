// The plugins that come with the program, as the build wrote them beside the
// test: their fields, and what they remove from browser profiles and Windows
// folders made by the test, with their folder macros pointed into the test's
// own folder.
#include "cleaner/engine/ActionExecution.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"

#include <map>
#include <set>

namespace {

typedef std::set<std::string> Names;

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

// Besides the Chromium profiles: the files of each other plugin, which it removes with the
// folders after them.
const struct {
    const char* pszId;
    Names files, folders;
} kOthers[] = {
    {"Opera: Cache", {OPERA_LOCAL "Cache\\data_0"},
     {OPERA "Code Cache\\js", OPERA "Code Cache\\js\\index", OPERA "GPUCache\\data_1"}},
    {"Mozilla Firefox: Cache",
     {FOX_LOCAL "cache2\\entries\\AB12", FOX_LOCAL "startupCache\\scriptCache.bin"},
     {FOX_LOCAL "cache2\\entries"}},
    {"Mozilla Firefox: History", {FOX_LOCAL "thumbnails\\a.png", FOX "formhistory.sqlite"}},
    {"Mozilla Firefox: Cookies",
     {FOX "cookies.sqlite", FOX "cookies.sqlite-wal", FOX "webappsstore.sqlite",
      FOX "storage\\default\\https+++a.example\\ls\\data.sqlite"},
     {FOX "storage\\default\\https+++a.example", FOX "storage\\default\\https+++a.example\\ls"}},
    {"Mozilla Firefox: Session",
     {FOX "sessionstore.jsonlz4", FOX "sessionstore-backups\\recovery.jsonlz4"}},
    {"Windows: Thumbnail and icon caches",
     {EXPLORER "thumbcache_96.db", EXPLORER "iconcache_32.db"}},
    {"Windows: Jump lists",
     {RECENT "AutomaticDestinations\\5f7b.automaticDestinations-ms",
      RECENT "CustomDestinations\\5f7b.customDestinations-ms"}},
    {"Windows: Crash dumps", {"Local\\CrashDumps\\app.exe.412.dmp"}},
};
// What no plugin takes.
const Names kUntouched = {
    FOX "places.sqlite", FOX "logins.json", FOX "key4.db", FOX "prefs.js",
    FOX "bookmarkbackups\\bookmarks-1.jsonlz4", FOX "extensions\\ab@example.xpi",
    FOX "storage\\default\\moz-extension+++ab\\idb\\1.sqlite", EXPLORER "ExplorerStartupLog.etl",
    RECENT "report.txt.lnk", "Local\\CrashDumps\\notes.txt",
    "Local\\Google\\Chrome\\User Data\\Local State"};

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

typedef CleaningRun ShippedPlugins;

}  // namespace

// Each plugin over the same made-up profiles: it removes exactly what it names, in every profile
// and only of its own browser. Per browser, Cache and History start enabled, Cookies and Session
// disabled with a warning that says what is lost; the Windows ones start disabled. The category
// is the one the guard looks at.
TEST_F(ShippedPlugins, RemoveWhatTheyNameAndNothingElse)
{
    // The manager loads them from the plugin folder beside the program, its default.
    std::map<std::string, CAction> plugins;
    for (const auto& entry : CManagerTest::Build().m_actions)
        if (!entry.second.strCategory.empty())
            plugins.insert(entry);
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
    files.insert(kUntouched.begin(), kUntouched.end());
    for (const auto& other : kOthers) {
        files.insert(other.files.begin(), other.files.end());
        expected[other.pszId].insert(other.files.begin(), other.files.end());
        expected[other.pszId].insert(other.folders.begin(), other.folders.end());
    }
    const std::string strKey = std::string(kProductKey) + "\\Shipped\\";
    expected["Windows: Explorer search and typed paths"];
    EXPECT_EQ(plugins.size(), expected.size());
    const std::map<std::string, std::string> categories = {
        {"Google Chrome", "Google Chrome"}, {"Microsoft Edge", "Edge"}, {"Brave", "Brave"},
        {"Vivaldi", "Vivaldi"}, {"Opera", "Opera"}, {"Mozilla Firefox", "Firefox"},
        {"Windows", "Windows"}};
    int nCase = 0;
    for (const auto& shipped : plugins) {
        SCOPED_TRACE(shipped.first);
        CAction action = shipped.second;
        const std::string strBrowser = shipped.first.substr(0, shipped.first.find(": ")),
                          strKind = shipped.first.substr(strBrowser.size() + 2);
        const bool bWindows = strBrowser == "Windows",
                   bLoses = !bWindows && (strKind == "Cookies" || strKind == "Session");
        ASSERT_TRUE(categories.count(strBrowser));
        EXPECT_EQ(action.strCategory, categories.at(strBrowser));
        EXPECT_TRUE(action.strTitle == shipped.first && action.bEnabled == (!bWindows && !bLoses) &&
                    action.dwWarningLevel == (bLoses ? 1u : 0u));
        EXPECT_TRUE(!bLoses || action.strDescription.find("sign in") != std::string::npos ||
                    action.strDescription.find("tabs") != std::string::npos);
        const std::string strTop = MakeFolder("case" + std::to_string(++nCase));
        MakeTree(strTop, {files.begin(), files.end()});
        for (FileTarget& target : action.lstFiles) {
            for (const auto& macro : {std::make_pair("%LocalAppData%", "\\Local"),
                                      std::make_pair("%AppData%", "\\Roaming")})
                for (size_t n; (n = target.strName.find(macro.first)) != std::string::npos;)
                    target.strName.replace(n, strlen(macro.first), strTop + macro.second);
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
        ASSERT_TRUE(expected.count(shipped.first));
        EXPECT_EQ(gone, expected[shipped.first]);
        for (const auto& value : kValues)
            EXPECT_EQ(ValueExists(strKey + kExplorer + value.pszKey, value.pszValue),
                      !(value.bGone && !action.lstKeys.empty()))
                << value.pszKey << "\\" << value.pszValue;
    }
}
