// Path macros against the prefix's registry values and environment variables, put back after.
#include "cleaner/engine/PathMacros.h"
#include "tests/support/SavedFile.h"
#include "tests/support/CleaningRunTest.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kGetRight[] = "Software\\Headlight\\GetRight\\Config";

typedef std::pair<const char*, const char*> Expansion;  // a path, and what it expands to

// The settings read only defaults, between the removals of the product key.
class PathMacros : public CManagerTest {
protected:
    template <size_t nRows>
    void ExpectExpansions(const Expansion (&rows)[nRows], bool bResolvedEach)
    {
        for (const auto& row : rows) {
            bool bResolved = !bResolvedEach;
            EXPECT_EQ(ExpandPath(row.first, *m_settings, &bResolved), row.second);
            EXPECT_EQ(bResolved, bResolvedEach) << row.first;
        }
    }
    CScratchRegistry m_registry;
    CSavedVariable m_profile{"UserProfile"}, m_appData{"AppData"}, m_programs{"ProgramFiles"};
};

}  // namespace

// Registry values and variables fill their macros, some cut to the program's folder; a value
// is seen by the macros after its own alone.
TEST_F(PathMacros, EachMacroReadsItsOwnValue)
{
    const HKEY hCU = HKEY_CURRENT_USER, hLM = HKEY_LOCAL_MACHINE;
    m_registry.Set(hCU, kShellFolders, "HISTORY", "C:\\Hist");
    m_registry.Set(hLM, kAppPaths + "ICQ.exe", "Path", "\"C:\\I\"c\"q\";\"C:\\Lib\"");
    m_registry.Set(hCU, "Software\\JetCar\\JetCar\\General", "AppPath", "C:\\F\\G\\");
    m_registry.Set(hLM, "SOFTWARE\\Kazaa\\CloudLoad", "ExeDir", "C:\\K.exe.d\\s");
    m_registry.Set(HKEY_CLASSES_ROOT, "ymsgr\\shell\\open\\command", "",
                   "\"C:\\Y\\YP.exe\" \"%1\"");
    m_registry.Set(hCU, "Software\\Yahoo\\Pager", "Yahoo! User ID", "joe");
    m_registry.Set(hCU, "Identities", "Default User ID", "{7F2A}");
    m_registry.Set(hCU, "Identities\\{7F2A}\\Software\\Microsoft\\Outlook Express\\5.0",
                   "Store Root", "%UserProfile%\\OE");
    m_registry.Set(hCU, "Software\\Winamp", "", "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]");
    m_profile.Set("C:\\Users\\joe");
    const Expansion rows[] = {
        {"[PATH_SYS_SHELL_HISTORY]\\a;[PATH_SYS_SHELL_HISTORY]", "C:\\Hist\\a;C:\\Hist"},
        {"[PATH_APP_ICQ_ROOT]", "C:\\Icq"}, {"[PATH_APP_FLASHGET_ROOT]", "C:\\F\\G"},
        {"[PATH_APP_KAZAA_ROOT]", "C:\\K.exe.d"},
        {"[PATH_APP_YAHOO_ROOT]|[PATH_APP_YAHOO_USERSTOREROOT]", "C:\\Y|C:\\Y\\Profiles\\joe"},
        {"[PATH_APP_OUTLOOKEXPRESS_STOREROOT]\\a", "C:\\Users\\joe\\OE\\a"},
        {"[PATH_APP_WINAMP_ROOT]", "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]"},
        {"%UserProfile%\\%UserProfile%", "C:\\Users\\joe\\C:\\Users\\joe"},
        {"[path_sys_temp]|[PATH_SYS_TEMP|%userprofile%|[WIN_USERNAME]",
         "[path_sys_temp]|[PATH_SYS_TEMP|%userprofile%|[WIN_USERNAME]"},
    };
    ExpectExpansions(rows, true);
}

// A macro without a location leaves the path unresolved, or the engine would clean
// "\organize" on the current drive; so does one that lacks a piece of its location.
TEST_F(PathMacros, MacroWithoutLocationLeavesThePathUnresolved)
{
    m_registry.Remove(HKEY_LOCAL_MACHINE, kAppPaths + "Aol.exe", "Path");
    m_registry.Remove(HKEY_LOCAL_MACHINE, kAppPaths + "Opera.exe", "Path");
    m_registry.Set(HKEY_LOCAL_MACHINE, kAppPaths + "ICQ.exe", "Path", ";C:\\ICQ");
    m_registry.Set(HKEY_CURRENT_USER, "Software\\JetCar\\JetCar\\General", "AppPath",
                   "FlashGet.exe");
    const DWORD dwNumber = 7;
    m_registry.SetRaw(HKEY_CURRENT_USER, kGetRight, "InstallDir", REG_DWORD, &dwNumber, 4);
    m_registry.Set(HKEY_CLASSES_ROOT, "ymsgr\\shell\\open\\command", "", "C:\\Y\\YP.exe");
    m_registry.Set(HKEY_CURRENT_USER, "Software\\Yahoo\\Pager", "Yahoo! User ID", "");
    m_registry.Remove(HKEY_CURRENT_USER, "Identities", "Default User ID");
    m_registry.Set(HKEY_CURRENT_USER, kShellFolders, "COOKIES", "C:\\Ck");
    m_appData.Set(nullptr);
    m_programs.Set("");
    m_settings->strNetscape6UserPath = "";
    const Expansion rows[] = {
        {"[PATH_APP_AOL_ROOT]\\organize", "\\organize"}, {"[PATH_APP_ICQ_ROOT]\\db", "\\db"},
        {"[PATH_APP_FLASHGET_ROOT]\\x", "\\x"}, {"[PATH_APP_GETRIGHT_ROOT]\\x", "\\x"},
        {"[PATH_APP_OPERA_CACHE]", "\\Cache4"},
        {"[PATH_APP_YAHOO_USERSTOREROOT]", "C:\\Y\\Profiles\\"},
        {"[PATH_APP_OUTLOOKEXPRESS_STOREROOT]", ""}, {"%AppData%\\x|%ProgramFiles%", "\\x|"},
        {"[PATH_APP_NN6_ROOT]\\x", "\\x"},
        {"[PATH_SYS_SHELL_COOKIES]\\[PATH_APP_AOL_ROOT]", "C:\\Ck\\"},
    };
    ExpectExpansions(rows, false);
    bool bResolved = false;
    EXPECT_EQ(ExpandPath("[PATH_SYS_SHELL_COOKIES]\\x", *m_settings, &bResolved), "C:\\Ck\\x");
    EXPECT_TRUE(bResolved);
}
