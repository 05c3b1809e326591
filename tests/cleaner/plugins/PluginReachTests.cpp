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
    for (const auto& place : {std::make_pair("<W>", szWindows), std::make_pair("<S>", szSystem)}) {
        for (size_t n; (n = strText.find(place.first)) != std::string::npos;)
            strText.replace(n, 3, place.second);
    }
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
        // As the engine expands and the system resolves them ("\": the current drive).
        {"\\", TT_RECURSIVE, "*.*", false, "every folder of drive C:\\ (C:\\*.*, written as \\)"},
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
    char szPrevious[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, szPrevious), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        // name, type, exclusions, mask list, mask, whether the list is used
        CAction action;
        const StringVector masks = c.bMaskList ? SplitAtSeparator(c.mask, '|') : StringVector();
        action.lstFiles = {{Placed(c.path), c.type, {}, masks, c.bMaskList ? "*.*" : c.mask,
                            c.bMaskList}};
        const char* pszVerb = c.type == TT_SINGLE ? "Deletes the file " : "Deletes files in ";
        EXPECT_EQ(Reach(action), c.expected ? StringVector{Placed(pszVerb + std::string(c.expected))}
                                            : StringVector());
    }
    SetCurrentDirectoryA(szPrevious);

    CAction update;
    update.lstFileUpdates = {{"%WinDir%\\veltrin-none.ini", FileUpdate::FU_CLEAR_KEYWORDS, {"x"}}};
    EXPECT_EQ(Reach(update), StringVector{Placed("Removes words from the file <W>\\veltrin-none.ini "
                                                 "in the Windows folder (written as %WinDir%\\"
                                                 "veltrin-none.ini)")});
}

TEST_F(PluginReach, EachKindTellsWhatItsHandlerDoes)
{
    CAction action;
    action.lstCommands = {"notepad.exe C:\\readme.txt", "", "%WinDir%\\regedit.exe /s x.reg"};
    action.lstFreeSpaceDrives = {"D:\\", ""};
    action.lstRecycleBinDrives = {"C:\\"};
    action.lstFilePairs = {{"%WinDir%\\veltrin.hst", "C:\\veltrin.js", 4},
                           {"[PATH_APP_OPERA_ROOT]\\a.hst", "C:\\b.js", 4}};
    const std::pair<uint32_t, StringVector> cases[] = {
        // A command line is started as it stands: no macro is expanded.
        {AK_STANDARD,
         {"Starts the program: notepad.exe C:\\readme.txt",
          "Starts the program: %WinDir%\\regedit.exe /s x.reg"}},
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
    auto key = [](uint32_t dwRoot, const char* pszKey, uint32_t dwType, const char* pszValue) {
        return RegTarget{pszKey, pszValue, "", dwRoot, {}, {}, dwType};
    };
    const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char kRunOnce[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\runonce";
    const char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    CAction action;
    for (const RegTarget& target : {key(RK_CURRENT_USER, kRun, TT_SINGLE, "Helper"),
                                    key(RK_LOCAL_MACHINE, kRunOnce, TT_SINGLE, "x"),
                                    key(RK_LOCAL_MACHINE, kWinlogon, TT_SINGLE, "Shell"),
                                    key(RK_LOCAL_MACHINE, kWinlogon, TT_SINGLE, "DefaultUserName"),
                                    key(RK_CURRENT_USER, kRun, TT_SINGLE, "n")})
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
    const std::string strWrites = "Makes Windows start a program: writes \"evil.exe\" to ";
    const std::string strKey = "Deletes the whole registry key ", strTree = " and all its subkeys";
    const std::string strNearTop = ", near the top of the registry,";
    EXPECT_EQ(Reach(action),
              StringVector({
                  strWrites + "HKEY_CURRENT_USER\\" + kRun + " (value \"Helper\")",
                  strWrites + "HKEY_LOCAL_MACHINE\\" + kRunOnce + " (value \"x\")",
                  strWrites + "HKEY_LOCAL_MACHINE\\" + kWinlogon + " (value \"Shell\")",
                  strKey + "HKEY_CURRENT_USER\\Software\\Veltrin Test\\Sub" + strTree,
                  strKey + "HKEY_CURRENT_USER\\Software\\Microsoft" + strNearTop + strTree,
                  strKey + "HKEY_USERS\\.DEFAULT\\Software\\Microsoft" + strNearTop + strTree,
                  strKey + "HKEY_CLASSES_ROOT\\CLSID\\{0}" + strTree,
                  strKey + "HKEY_CURRENT_USER\\Software\\" + szUser + "\\History" + strTree +
                      " (written as HKEY_CURRENT_USER\\Software\\[WIN_USERNAME]\\History)",
              }));
}
