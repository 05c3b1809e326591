// Plugin files becoming actions, and what the Plug-Ins page tells of a plugin beyond its
// description: what reaches a drive root, the Windows folders or a whole key tree.
#include "cleaner/model/ActionOptions.h"
#include "cleaner/plugins/PluginReach.h"
#include "common/RegistryKeys.h"
#include "common/StringList.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/SavedFile.h"

#include <gtest/gtest.h>

#include <algorithm>

typedef CManagerTest Plugins;

// Beside the hostile files: the later of two files of one id wins, a plugin replaces the
// built-in action of its id, the stored enabled flag wins over the file's at the start and
// a reload copies the files again; a very large plugin is read field by field, not at once.
TEST_F(Plugins, EveryGoodOneBecomesAnActionWholeAndNothingElse)
{
    CTempFolder folder;
    WriteStringValue(kSettingsKey, "strPluginFolder", folder.Path());
    const CHostilePluginFolder hostile(folder.Path());
    const char* const plugins[][3] = {{"a.pld", "Twice", "From a"}, {"b.pld", "Twice", "From b"},
                                      {"replace.pld", "IECache", "Replaced cache"},
                                      {"note.txt", "NotAPlugin", ""},
                                      {"copy.pld~", "Backup", ""}};  // found by its short name
    CAction large = FullPlugin("Large"), small;
    small.bEnabled = true;
    for (const auto& plugin : plugins) {
        small.strId = plugin[1];
        small.strTitle = plugin[2];
        ASSERT_TRUE(WriteFileBytes(folder / plugin[0], PluginBytes(small)));
    }
    large.strDescription.assign(size_t(3) << 20, 'd');
    const std::string bytes = PluginBytes(large);
    ASSERT_TRUE(WriteFileBytes(folder / "large.pld", bytes) &&
                WriteFileBytes(folder / "large-cut.pld", bytes.substr(0, bytes.size() - 1)));
    WriteDwordValue(ActionKeyPath("Twice"), "bEnabled", 0);
    CActionManager& manager = Build();
    StringVector ids = {"stale"}, expected = hostile.LoadableIds();
    expected.insert(expected.end(), {"IECache", "Large", "Twice"});
    std::sort(expected.begin(), expected.end());
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(manager.m_actions.size(), 40u + ids.size() - 1);
    for (CAction whole : {FullPlugin("Good3"), large}) {
        whole.bEnabled = manager.m_actions[whole.strId].bEnabled;
        EXPECT_TRUE(manager.m_actions[whole.strId] == whole) << whole.strId;
    }
    const CAction& cache = manager.m_actions["IECache"];
    // Nothing stored for it: the file's own enabled flag.
    EXPECT_TRUE(cache.strTitle == "Replaced cache" && cache.lstFiles.empty() && cache.bEnabled);
    CAction& twice = manager.m_actions["Twice"];
    EXPECT_FALSE(twice.bEnabled);
    const StringVector listed = FilesInListedOrder(folder.Path(), "?.pld");
    ASSERT_EQ(listed.size(), 2u);
    const std::string strLater = "From " + listed.back().substr(0, 1);
    EXPECT_EQ(twice.strTitle, strLater);
    EXPECT_EQ(manager.m_plugins["Twice"].m_strFilePath, folder / listed.back());
    twice.strTitle = "Changed in memory";
    manager.LoadPlugins();
    EXPECT_TRUE(twice.bEnabled && twice.strTitle == strLater);
    // A folder without plugins empties the plugin list, not the actions.
    WriteStringValue(kSettingsKey, "strPluginFolder", folder / "missing");
    manager.LoadPlugins();
    EXPECT_TRUE(manager.m_plugins.empty());
    EXPECT_EQ(manager.m_actions.count("Twice"), 1u);
}

// The text with "<W>" for the Windows folder and "<S>" for the system folder.
static std::string Placed(std::string strText)
{
    char szWindows[MAX_PATH], szSystem[MAX_PATH];
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    GetSystemDirectoryA(szSystem, MAX_PATH);
    for (size_t n; (n = strText.find('<')) != std::string::npos;)
        strText.replace(n, 3, strText[n + 1] == 'W' ? szWindows : szSystem);
    return strText;
}

// A standard action tells its commands (started as they stand: no macro is expanded), the
// files it deletes or rewrites at a drive root or in the Windows folders, texts it writes
// where Windows starts programs by itself, and whole key trees, as the engine would run them.
TEST_F(Plugins, EachKindTellsWhatItsHandlerDoesWhereItMatters)
{
    const auto file = [](const char* pszPath, uint32_t dwType, const char* pszMask) {
        return FileTarget{Placed(pszPath), dwType, {}, {}, pszMask};
    };
    auto key = [](uint32_t dwRoot, std::string strKey, uint32_t dwType, const char* pszValue = "") {
        return RegTarget{strKey, pszValue, "", dwRoot, {}, {}, dwType};
    };
    const std::string strRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string strRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\runonce";
    const std::string strLogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    const char kUp[] = "..\\..\\..\\..\\..\\..\\..\\..";
    CAction action;
    action.lstCommands = {"notepad.exe C:\\readme.txt", "", "%WinDir%\\regedit.exe /s x.reg"};
    action.lstFiles = {
        file("C:\\", TT_RECURSIVE, "*.tmp|*.log"),
        {"C:\\", TT_CONTENT, {}, {"*.bak", "", "*.old"}, "*.*", true},  // a list of masks
        file("C:\\veltrin-test.ini", TT_SINGLE, ""), file("<W>\\veltrin-none", TT_RECURSIVE, "*.*"),
        file("<S>", TT_CONTENT, "*.dll"), file("<S>\\veltrin-none", TT_CONTENT, "*.sys"),
        file("%WinDir%", TT_CONTENT, "*.*"),
        file((std::string("[PATH_SYS_TEMP]") + kUp).c_str(), TT_CONTENT, "*.*"),
        // A tree that goes with its folder, and folders found by wildcards where they are looked for.
        file("<W>\\veltrin-none", TT_TREE_AND_SELF, "*.*"), file("C:\\", TT_TREE_AND_SELF, "*.tmp"),
        file("C:\\*\\Cache", TT_TREE_AND_SELF, "*.*"), file("%WinDir%\\Temp?", TT_CONTENT, "*.log"),
        file("%WinDir%", TT_TREE_AND_SELF, "*.log"), file("C:\\*\\veltrin.ini|C:\\b.txt", TT_SINGLE, ""),
        // Not told: what the engine leaves (a macro without a location, no masks, a folder where
        // a file belongs), and ordinary places.
        file("[PATH_APP_OPERA_ROOT]\\", TT_RECURSIVE, "*.*"), file("C:\\", TT_CONTENT, ""),
        {"C:\\", TT_CONTENT, {}, {}, "*.*", true}, file("C:\\", TT_SINGLE, ""),
        file("%UserProfile%\\veltrin.log", TT_SINGLE, ""),
        file("%UserProfile%\\Veltrin*\\Cache", TT_TREE_AND_SELF, "*.*"), file("C:\\", 5, "*.*")};
    action.lstFileUpdates = {{"%WinDir%\\veltrin-none.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"x"}}};
    for (const RegTarget& target : {key(RK_CURRENT_USER, strRun, TT_SINGLE, "Helper"),
                                    key(RK_LOCAL_MACHINE, strRunOnce, TT_SINGLE, "x"),
                                    key(RK_LOCAL_MACHINE, strLogon, TT_SINGLE, "Shell"),
                                    key(RK_CURRENT_USER, strRun, TT_SINGLE, "n")})
        action.lstKeyUpdates.push_back({target, "evil.exe", 0, RegUpdate::DT_TEXT});
    action.lstKeyUpdates.back().dwDataType = RegUpdate::DT_NUMBER;
    action.lstKeys = {key(RK_CURRENT_USER, "Software\\Veltrin Test\\Sub", TT_RECURSIVE),
                      key(RK_CURRENT_USER, "Software\\Microsoft", TT_RECURSIVE),
                      key(RK_USERS, ".DEFAULT\\Software\\Microsoft", TT_RECURSIVE),
                      key(RK_CLASSES_ROOT, "CLSID\\{0}", TT_RECURSIVE),
                      key(RK_CURRENT_USER, "Software\\[WIN_USERNAME]\\History", TT_RECURSIVE),
                      // The engine leaves a top-level key alone; the last is no key tree.
                      key(RK_CURRENT_USER, "Software", TT_RECURSIVE),
                      key(RK_CURRENT_USER, "Software\\Microsoft", TT_CONTENT)};
    action.lstFreeSpaceDrives = {"D:\\", ""};
    action.lstRecycleBinDrives = {"C:\\"};
    action.lstFilePairs = {{"%WinDir%\\veltrin.hst", "C:\\veltrin.js", 4},
                           {"[PATH_APP_OPERA_ROOT]\\a.hst", "C:\\b.js", 4}};
    char szUser[256];
    DWORD cchUser = sizeof(szUser);
    GetUserNameA(szUser, &cchUser);
    const std::string strFiles = "Deletes files in ", strTree = " and all its subkeys";
    const std::string strWrites = "Makes Windows start a program: writes \"evil.exe\" to HKEY_";
    const std::string strKey = "Deletes the whole registry key HKEY_";
    const std::string strNearTop = ", near the top of the registry,";
    const std::pair<uint32_t, StringVector> cases[] = {
        {AK_STANDARD,
         {"Starts the program: notepad.exe C:\\readme.txt",
          "Starts the program: %WinDir%\\regedit.exe /s x.reg",
          strFiles + "every folder of drive C:\\ (C:\\*.tmp, *.log)",
          strFiles + "the root of drive C:\\ (C:\\*.bak, *.old)",
          "Deletes the file C:\\veltrin-test.ini in the root of drive C:\\",
          Placed(strFiles + "a folder inside the Windows folder and in all its subfolders "
                            "(<W>\\veltrin-none\\*.*)"),
          Placed(strFiles + "the system folder (<S>\\*.dll)"),
          Placed(strFiles + "a folder inside the system folder (<S>\\veltrin-none\\*.sys)"),
          Placed(strFiles + "the Windows folder (<W>\\*.*, written as %WinDir%)"),
          strFiles + "the root of drive C:\\ (C:\\*.*, written as [PATH_SYS_TEMP]" + kUp + ")",
          Placed(strFiles + "a folder inside the Windows folder and in all its subfolders, then the "
                            "folder itself when it ends empty (<W>\\veltrin-none\\*.*)"),
          strFiles + "every folder of drive C:\\ (C:\\*.tmp)",
          strFiles + "folders that match a path below the root of drive C:\\ and in all their "
                     "subfolders, then each such folder itself when it ends empty (C:\\*\\Cache\\*.*)",
          Placed(strFiles + "folders that match a path below the Windows folder (<W>\\Temp?\\*.log, "
                            "written as %WinDir%\\Temp?)"),
          Placed(strFiles + "the Windows folder and in all its subfolders (<W>\\*.log, written as %WinDir%)"),
          "Deletes the file C:\\*\\veltrin.ini in folders that match a path below the root of drive C:\\",
          "Deletes the file C:\\b.txt in the root of drive C:\\",
          Placed("Removes words from the file <W>\\veltrin-none.ini in the Windows folder "
                 "(written as %WinDir%\\veltrin-none.ini)"),
          strWrites + "CURRENT_USER\\" + strRun + " (value \"Helper\")",
          strWrites + "LOCAL_MACHINE\\" + strRunOnce + " (value \"x\")",
          strWrites + "LOCAL_MACHINE\\" + strLogon + " (value \"Shell\")",
          strKey + "CURRENT_USER\\Software\\Veltrin Test\\Sub" + strTree,
          strKey + "CURRENT_USER\\Software\\Microsoft" + strNearTop + strTree,
          strKey + "USERS\\.DEFAULT\\Software\\Microsoft" + strNearTop + strTree,
          strKey + "CLASSES_ROOT\\CLSID\\{0}" + strTree,
          strKey + "CURRENT_USER\\Software\\" + szUser + "\\History" + strTree +
              " (written as HKEY_CURRENT_USER\\Software\\[WIN_USERNAME]\\History)"}},
        {AK_FREESPACE, {"Wipes the free space of drive D:\\"}},
        {AK_RECYCLEBIN, {"Empties the recycle bin of drive C:\\"}},
        // The first file of a pair is deleted, the second rewritten, if both are there.
        {AK_NNHISTORY,
         {Placed("Deletes the file <W>\\veltrin.hst in the Windows folder (written as "
                 "%WinDir%\\veltrin.hst)"),
          "Removes lines from the file C:\\veltrin.js in the root of drive C:\\"}},
        {AK_NONE, {}},
    };
    for (const auto& c : cases) {
        action.dwKind = c.first;
        EXPECT_EQ(DescribePluginReach(action, *m_settings), c.second) << c.first;
    }
}

// Every target as a clean would take it now, below the reach: folders with their masks and
// exclusions, wildcards as written; what a clean would skip here is left out.
TEST_F(Plugins, DetailsListEveryTargetBelowTheReach)
{
    CSavedVariable appData("AppData");
    appData.Set("C:\\veltrin-none\\Roaming");
    CAction action;
    action.lstFiles = {{"%AppData%\\a.log"},
                       {"%AppData%\\X", TT_CONTENT, {}, {}, "*.tmp|*.log"},
                       {"%AppData%\\*\\Cache", TT_TREE_AND_SELF, {"keep.ini", "*.json"}, {}, "*"},
                       {"%AppData%\\Y", TT_RECURSIVE, {}, {}, ""},
                       {"[PATH_APP_WINAMP_ROOT]\\Logs", TT_RECURSIVE}};
    action.lstKeys = {{"Software\\App", "Last", "", RK_CURRENT_USER, {}, {}, TT_SINGLE},
                      {"Software\\App\\Typed", "", "url*", RK_CURRENT_USER, {}, {}, TT_CONTENT},
                      {"Software\\App\\MRU", "", "", RK_LOCAL_MACHINE, {}, {}, TT_RECURSIVE}};
    const StringVector targets = DescribePluginTargets(action, *m_settings);
    EXPECT_EQ(targets,
              (StringVector{"The file C:\\veltrin-none\\Roaming\\a.log",
                            "*.tmp, *.log in C:\\veltrin-none\\Roaming\\X",
                            "* in C:\\veltrin-none\\Roaming\\*\\Cache and its subfolders, then the "
                            "folder itself when it ends empty, except keep.ini, *.json",
                            "The value \"Last\" of HKEY_CURRENT_USER\\Software\\App",
                            "The values url* of HKEY_CURRENT_USER\\Software\\App\\Typed",
                            "The key HKEY_LOCAL_MACHINE\\Software\\App\\MRU and all its subkeys"}));
    EXPECT_EQ(PluginDetailsText("About.", {"Starts x"}, {targets[0]}),
              "About.\r\n\r\nThis plug-in also:\r\n- Starts x\r\n\r\nIt removes:\r\n- " + targets[0]);
    action.dwKind = AK_CLIPBOARD;
    EXPECT_EQ(PluginDetailsText("", {}, DescribePluginTargets(action, *m_settings)), "");
}
