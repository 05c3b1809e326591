// What the Plug-Ins page tells of a plugin beyond its description: what reaches a drive
// root, the Windows folders or a whole key tree, as the engine would really run it.
#include "cleaner/plugins/PluginReach.h"

#include "common/StringList.h"
#include "tests/support/CleaningRunTest.h"

#include <gtest/gtest.h>

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

class PluginReach : public CManagerTest {
protected:
    StringVector Reach(const CAction& action) const { return DescribePluginReach(action, *m_settings); }
};

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
        {"<W>\\", TT_RECURSIVE, "*.log", false,
         "the Windows folder and in all its subfolders (<W>\\*.log)"},
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
        EXPECT_EQ(Reach(action), c.expected ? StringVector{Placed(pszVerb + std::string(c.expected))}
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
        {AK_CLIPBOARD, {"Empties the clipboard"}},
        {AK_FREESPACE, {"Wipes the free space of drive D:\\"}},
        {AK_RECYCLEBIN, {"Empties the recycle bin of drive C:\\"}},
        // The first file of a pair is deleted, the second rewritten, if both are there.
        {AK_NNHISTORY,
         {Placed("Deletes the file <W>\\veltrin.hst in the Windows folder (written as "
                 "%WinDir%\\veltrin.hst)"),
          "Removes lines from the file C:\\veltrin.js in the root of drive C:\\"}},
        {AK_PSTORE, {"Deletes the AutoComplete form data of Internet Explorer"}},
        {AK_MRU, {"Deletes the search history lists of Windows"}},
        {AK_NONE, {}},
    };
    for (const auto& c : cases) {
        action.dwKind = c.first;
        EXPECT_EQ(Reach(action), c.second) << c.first;
    }
    EXPECT_EQ(PluginDetailsText("", {"Empties a", "Empties b"}),
              "This plug-in also:\r\n- Empties a\r\n- Empties b");
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
    EXPECT_EQ(Reach(action),
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
