// Plugin files becoming actions (which one wins, what is skipped, what a folder of hostile
// files yields) and what the Plug-Ins page tells of a plugin beyond its description: what
// reaches a drive root, the Windows folders or a whole key tree, as the engine would run it.
#include "cleaner/model/ActionOptions.h"
#include "cleaner/plugins/PluginReach.h"
#include "common/RegistryKeys.h"
#include "common/StringList.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/PluginBytes.h"

#include <gtest/gtest.h>

class PluginLoading : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WriteStringValue(kSettingsKey, "strPluginFolder", m_folder.Path());
    }
    bool WritePlugin(const std::string& strFile, const char* pszId, const char* pszTitle,
                     bool bEnabled = false)
    {
        CAction action;
        action.strId = pszId;
        action.strTitle = pszTitle;
        action.bEnabled = bEnabled;
        return WriteFileBytes(m_folder / strFile, PluginBytes(action));
    }
    CTempFolder m_folder;
};

// The later of two files wins; the stored enabled flag wins over the file's at the start,
// and a reload copies the files again.
TEST_F(PluginLoading, PluginsBecomeActionsAndTheLaterFileWins)
{
    ASSERT_TRUE(WritePlugin("a.pld", "Twice", "From a", true) &&
                WritePlugin("b.pld", "Twice", "From b", true));
    ASSERT_TRUE(WritePlugin("replace.pld", "IECache", "Replaced cache", true) &&
                WritePlugin("note.txt", "NotAPlugin", "") &&
                WritePlugin("copy.pld~", "Backup", ""));  // found by its short name alone
    WriteDwordValue(ActionKeyPath("Twice"), "bEnabled", 0);
    CActionManager& manager = Build();
    StringVector ids = {"stale"};
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, (StringVector{"IECache", "Twice"}));
    EXPECT_EQ(manager.m_actions.size(), 41u);
    EXPECT_EQ(manager.m_actions["IECache"].strTitle, "Replaced cache");
    EXPECT_TRUE(manager.m_actions["IECache"].lstFiles.empty());
    EXPECT_TRUE(manager.m_actions["IECache"].bEnabled);  // nothing stored: the file's own flag
    EXPECT_FALSE(manager.m_actions["Twice"].bEnabled);
    const StringVector listed = FilesInListedOrder(m_folder.Path(), "?.pld");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, "From " + listed.back().substr(0, 1));
    EXPECT_EQ(manager.m_plugins["Twice"].m_strFilePath, m_folder / listed.back());

    manager.m_actions["Twice"].strTitle = "Changed in memory";
    EXPECT_TRUE(manager.LoadPlugins());
    EXPECT_TRUE(manager.m_actions["Twice"].bEnabled);
    EXPECT_EQ(manager.m_actions["Twice"].strTitle, "From " + listed.back().substr(0, 1));
    // A folder without plugins empties the plugin list, not the actions.
    WriteStringValue(kSettingsKey, "strPluginFolder", m_folder / "missing");
    manager.LoadPlugins();
    EXPECT_TRUE(manager.m_plugins.empty());
    EXPECT_EQ(manager.m_actions.count("Twice"), 1u);
}

TEST_F(PluginLoading, HostileFolderYieldsEveryGoodPluginWholeAndNothingElse)
{
    const CHostilePluginFolder hostile(m_folder.Path());
    // A very large plugin is read field by field from its file, not at once.
    CAction large = FullPlugin("Large");
    large.strDescription.assign(size_t(3) << 20, 'd');
    const std::string bytes = PluginBytes(large);
    ASSERT_TRUE(WriteFileBytes(m_folder / "large.pld", bytes));
    ASSERT_TRUE(WriteFileBytes(m_folder / "large-cut.pld", bytes.substr(0, bytes.size() - 1)));
    CActionManager& manager = Build();
    StringVector ids, expected = hostile.LoadableIds();
    expected.push_back("Large");
    manager.GetPluginIds(ids);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(manager.m_actions.size(), 40u + ids.size());
    for (CAction whole : {FullPlugin("Good3"), large}) {
        whole.bEnabled = manager.m_actions[whole.strId].bEnabled;
        EXPECT_TRUE(manager.m_actions[whole.strId] == whole) << whole.strId;
    }
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

typedef CManagerTest PluginReach;

TEST_F(PluginReach, FileTargetsAtADriveRootOrInTheWindowsFoldersAreTold)
{
    // A folder's line starts "Deletes files in ", a file's "Deletes the file ".
    const struct {
        const char* path;
        uint32_t type;
        const char* mask;
        bool bMaskList;        // the masks are the target's list, not its mask
        const char* expected;  // none: not told
    } cases[] = {
        {"C:\\", TT_RECURSIVE, "*.tmp|*.log", false, "every folder of drive C:\\ (C:\\*.tmp, *.log)"},
        {"C:\\", TT_CONTENT, "*.bak||*.old", true, "the root of drive C:\\ (C:\\*.bak, *.old)"},
        {"C:\\veltrin-test.ini", TT_SINGLE, "", false, "C:\\veltrin-test.ini in the root of drive C:\\"},
        {"<W>\\veltrin-none", TT_RECURSIVE, "*.*", false,
         "a folder inside the Windows folder and in all its subfolders (<W>\\veltrin-none\\*.*)"},
        {"<S>", TT_CONTENT, "*.dll", false, "the system folder (<S>\\*.dll)"},
        // As the engine expands and the system resolves them.
        {"%WinDir%", TT_CONTENT, "*.*", false, "the Windows folder (<W>\\*.*, written as %WinDir%)"},
        {"[PATH_SYS_TEMP]..\\..\\..\\..\\..\\..\\..\\..", TT_CONTENT, "*.*", false,
         "the root of drive C:\\ (C:\\*.*, written as [PATH_SYS_TEMP]..\\..\\..\\..\\..\\..\\..\\..)"},
        // Not told: what the engine leaves (a macro without a location, no masks, a
        // folder or a list where a file belongs), and ordinary places.
        {"[PATH_APP_OPERA_ROOT]\\", TT_RECURSIVE, "*.*", false, nullptr},
        {"C:\\", TT_CONTENT, "", false, nullptr},
        {"C:\\", TT_CONTENT, "", true, nullptr},
        {"C:\\", TT_SINGLE, "", false, nullptr},
        {"C:\\a.txt|C:\\b.txt", TT_SINGLE, "", false, nullptr},
        {"%UserProfile%\\veltrin.log", TT_SINGLE, "", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CAction action;
        const StringVector masks = c.bMaskList ? SplitAtSeparator(c.mask, '|') : StringVector();
        action.lstFiles = {{Placed(c.path), c.type, {}, masks, c.bMaskList ? "*.*" : c.mask,
                            c.bMaskList}};
        const char* pszVerb = c.type == TT_SINGLE ? "Deletes the file " : "Deletes files in ";
        const StringVector told = DescribePluginReach(action, *m_settings);
        EXPECT_EQ(told, c.expected ? StringVector{Placed(pszVerb + std::string(c.expected))}
                                   : StringVector());
    }
}

TEST_F(PluginReach, EachKindTellsWhatItsHandlerDoes)
{
    CAction action;
    action.lstCommands = {"notepad.exe C:\\readme.txt", "", "%WinDir%\\regedit.exe /s x.reg"};
    action.lstFileUpdates = {{"%WinDir%\\veltrin-none.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"x"}}};
    action.lstFreeSpaceDrives = {"D:\\", ""};
    action.lstRecycleBinDrives = {"C:\\"};
    action.lstFilePairs = {{"%WinDir%\\veltrin.hst", "C:\\veltrin.js", 4},
                           {"[PATH_APP_OPERA_ROOT]\\a.hst", "C:\\b.js", 4}};
    const std::pair<uint32_t, StringVector> cases[] = {
        // A command line is started as it stands: no macro is expanded.
        {AK_STANDARD,
         {"Starts the program: notepad.exe C:\\readme.txt",
          "Starts the program: %WinDir%\\regedit.exe /s x.reg",
          Placed("Removes words from the file <W>\\veltrin-none.ini in the Windows folder "
                 "(written as %WinDir%\\veltrin-none.ini)")}},
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

// Texts written where Windows starts programs by itself, and whole key trees.
TEST_F(PluginReach, StartupEntriesAndWholeKeyTreesAreTold)
{
    auto key = [](uint32_t dwRoot, const std::string& strKey, uint32_t dwType, const char* pszValue) {
        return RegTarget{strKey, pszValue, "", dwRoot, {}, {}, dwType};
    };
    const std::string strRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string strRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\runonce";
    const std::string strLogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    CAction action;
    for (const RegTarget& target : {key(RK_CURRENT_USER, strRun, TT_SINGLE, "Helper"),
                                    key(RK_LOCAL_MACHINE, strRunOnce, TT_SINGLE, "x"),
                                    key(RK_LOCAL_MACHINE, strLogon, TT_SINGLE, "Shell"),
                                    key(RK_LOCAL_MACHINE, strLogon, TT_SINGLE, "DefaultUserName"),
                                    key(RK_CURRENT_USER, strRun, TT_SINGLE, "n")})
        action.lstKeyUpdates.push_back({target, "evil.exe", 0, RegUpdate::DT_TEXT});
    action.lstKeyUpdates.back().dwDataType = RegUpdate::DT_NUMBER;
    action.lstKeys = {key(RK_CURRENT_USER, "Software\\Veltrin Test\\Sub", TT_RECURSIVE, ""),
                      key(RK_CURRENT_USER, "Software\\Microsoft", TT_RECURSIVE, ""),
                      key(RK_USERS, ".DEFAULT\\Software\\Microsoft", TT_RECURSIVE, ""),
                      key(RK_CLASSES_ROOT, "CLSID\\{0}", TT_RECURSIVE, ""),
                      key(RK_CURRENT_USER, "Software\\[WIN_USERNAME]\\History", TT_RECURSIVE, ""),
                      // The engine leaves a top-level key alone; the last is no key tree.
                      key(RK_CURRENT_USER, "Software", TT_RECURSIVE, ""),
                      key(RK_CURRENT_USER, "Software\\Microsoft", TT_CONTENT, "")};
    char szUser[256];
    DWORD cchUser = sizeof(szUser);
    GetUserNameA(szUser, &cchUser);
    const std::string strWrites = "Makes Windows start a program: writes \"evil.exe\" to HKEY_";
    const std::string strKey = "Deletes the whole registry key HKEY_", strTree = " and all its subkeys";
    const std::string strNearTop = ", near the top of the registry,";
    EXPECT_EQ(DescribePluginReach(action, *m_settings),
              StringVector({
                  strWrites + "CURRENT_USER\\" + strRun + " (value \"Helper\")",
                  strWrites + "LOCAL_MACHINE\\" + strRunOnce + " (value \"x\")",
                  strWrites + "LOCAL_MACHINE\\" + strLogon + " (value \"Shell\")",
                  strKey + "CURRENT_USER\\Software\\Veltrin Test\\Sub" + strTree,
                  strKey + "CURRENT_USER\\Software\\Microsoft" + strNearTop + strTree,
                  strKey + "USERS\\.DEFAULT\\Software\\Microsoft" + strNearTop + strTree,
                  strKey + "CLASSES_ROOT\\CLSID\\{0}" + strTree,
                  strKey + "CURRENT_USER\\Software\\" + szUser + "\\History" + strTree +
                      " (written as HKEY_CURRENT_USER\\Software\\[WIN_USERNAME]\\History)",
              }));
}
