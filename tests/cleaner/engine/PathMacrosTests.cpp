// Path macros against real registry values and environment variables of the
// test prefix, each put back as it was after the test.
#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/GeneralSettings.h"
#include "tests/support/Environment.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kYahooCommand[] = "ymsgr\\shell\\open\\command";
const char kGetRight[] = "Software\\Headlight\\GetRight\\Config";
const std::string kOutlookStore = "Identities\\{7F2A}\\Software\\Microsoft\\Outlook Express\\5.0";

// The settings live between the removals of the product key, so that they
// read only defaults and their write-back is removed again.
class PathMacros : public CManagerTest {
protected:
    std::string Expand(const std::string& strPath, bool* pbResolved = nullptr)
    {
        return ExpandPath(strPath, *m_settings, pbResolved);
    }
    // Sets the value, or removes it when there is no text.
    void Set(HKEY hRoot, const std::string& strKey, const char* pszName, const char* pszText)
    {
        if (pszText)
            m_registry.Set(hRoot, strKey, pszName, pszText);
        else
            m_registry.Remove(hRoot, strKey, pszName);
    }

    CScratchRegistry m_registry;
};

}  // namespace

TEST_F(PathMacros, TextWithoutKnownMacrosStaysAsItIs)
{
    for (const char* pszText : {"", "[path_sys_temp]x.tmp", "[PATH_SYS_TEMP", "%userprofile%\\C",
                                "[WIN_USERNAME]\\x", "[NN:MASKHIDDEN]"}) {
        bool bResolved = false;
        EXPECT_EQ(Expand(pszText, &bResolved), pszText);
        EXPECT_TRUE(bResolved) << pszText;
    }
}

// Each macro reads its own value, some the folder before the program's name.
TEST_F(PathMacros, RegistryMacrosReadTheirValueAndCutItToTheFolder)
{
    const HKEY hCU = HKEY_CURRENT_USER, hLM = HKEY_LOCAL_MACHINE, hCR = HKEY_CLASSES_ROOT;
    const char kFlashGet[] = "Software\\JetCar\\JetCar\\General";
    const char kKazaa[] = "SOFTWARE\\Kazaa\\CloudLoad";
    const struct {
        const char* pszMacro;
        HKEY hRoot;
        std::string strKey;
        const char* pszName;
        const char* pszStored;
        const char* pszExpected;  // empty: unresolved
    } rows[] = {
        {"[PATH_SYS_SHELL_HISTORY]", hCU, kShellFolders, "HISTORY", "C:\\Hist", "C:\\Hist"},
        {"[PATH_APP_AOL_ROOT]", hLM, kAppPaths + "Aol.exe", "Path", "\"C:\\AOL\";C:\\X", "\"C:\\AOL\";C:\\X"},
        {"[PATH_APP_FLASHGET_ROOT]", hCU, kFlashGet, "AppPath", "C:\\A\\B\\", "C:\\A\\B"},
        {"[PATH_APP_FLASHGET_ROOT]", hCU, kFlashGet, "AppPath", "FlashGet.exe", ""},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\Kz\\Kazaa.exe", "C:\\Kz"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\Kazaa\\", "C:\\Kazaa\\"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "Kazaa.exe", "Kazaa.exe"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\K.exe.d\\s", "C:\\K.exe.d"},
        // App Paths: quotes dropped, the first folder of the list.
        {"[PATH_APP_ICQ_ROOT]", hLM, kAppPaths + "ICQ.exe", "Path", "\"C:\\I\"c\"q\";\"C:\\Lib\"", "C:\\Icq"},
        {"[PATH_APP_ICQ_ROOT]", hLM, kAppPaths + "ICQ.exe", "Path", ";C:\\Lib", ""},
        // A command line quotes its program: the quotes are no part of the folder.
        {"[PATH_APP_YAHOO_ROOT]", hCR, kYahooCommand, "", "\"C:\\Y\\YPager.exe\" \"%1\"", "C:\\Y"},
        {"[PATH_APP_YAHOO_ROOT]", hCR, kYahooCommand, "", "YPager.exe", ""},
        {"[PATH_APP_WINAMP_ROOT]", hCU, "Software\\Winamp", "", "C:\\Amp", "C:\\Amp"},
    };
    for (const auto& row : rows) {
        m_registry.Set(row.hRoot, row.strKey, row.pszName, row.pszStored);
        bool bResolved = false;
        EXPECT_EQ(Expand(std::string(row.pszMacro) + "\\x", &bResolved),
                  std::string(row.pszExpected) + "\\x") << row.pszStored;
        EXPECT_EQ(bResolved, *row.pszExpected != '\0') << row.pszStored;
    }
    EXPECT_EQ(Expand("[PATH_SYS_SHELL_HISTORY]\\a;[PATH_SYS_SHELL_HISTORY]\\b"), "C:\\Hist\\a;C:\\Hist\\b");
    // Stored text is taken as it is, unexpanded; a number is no text.
    const std::string strExpand = "%SystemRoot%\\GR";
    const DWORD dwNumber = 7;
    m_registry.SetRaw(hCU, kGetRight, "InstallDir", REG_EXPAND_SZ, strExpand.c_str(), DWORD(strExpand.size() + 1));
    EXPECT_EQ(Expand("[PATH_APP_GETRIGHT_ROOT]"), strExpand);
    m_registry.SetRaw(hCU, kGetRight, "InstallDir", REG_DWORD, &dwNumber, sizeof(dwNumber));
    bool bResolved = true;
    EXPECT_EQ(Expand("[PATH_APP_GETRIGHT_ROOT]", &bResolved), "");
    EXPECT_FALSE(bResolved);
}

TEST_F(PathMacros, SettingsAndEnvironmentFillTheirMacros)
{
    m_settings->strNetscape4UserPath = "C:\\NN4";
    m_settings->strNetscape4UserCachePath = "C:\\NN4C";
    m_settings->strNetscape6UserPath = "C:\\NN6";
    m_settings->strNetscape6UserCachePath = "C:\\NN6C";
    m_settings->strAOLMessangerPath = "C:\\AIM\\joe";
    CSavedVariable profile("UserProfile"), appData("AppData"), programs("ProgramFiles"), winDir("WinDir");
    profile.Set("C:\\Users\\joe");
    appData.Set("C:\\Users\\joe\\AD");
    programs.Set("C:\\PF");
    winDir.Set("C:\\WIN");
    EXPECT_EQ(Expand("[PATH_APP_NN4_ROOT]|[PATH_APP_NN4_CACHE]|[PATH_APP_NN6_ROOT]|"
                     "[PATH_APP_NN6_CACHE]|[PATH_APP_AOL_USERSTOREROOT]"),
              "C:\\NN4|C:\\NN4C|C:\\NN6|C:\\NN6C|C:\\AIM\\joe");
    EXPECT_EQ(Expand("%UserProfile%|%AppData%|%ProgramFiles%|%WinDir%\\%WinDir%"),
              "C:\\Users\\joe|C:\\Users\\joe\\AD|C:\\PF|C:\\WIN\\C:\\WIN");
    char szTemp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathA(sizeof(szTemp), szTemp), 0u);
    EXPECT_EQ(Expand("[PATH_SYS_TEMP]x.tmp"), std::string(szTemp) + "x.tmp");

    // A value is seen by the macros after its own and by no earlier one.
    m_registry.Set(HKEY_CURRENT_USER, "Identities", "Default User ID", "{7F2A}");
    m_registry.Set(HKEY_CURRENT_USER, kOutlookStore, "Store Root", "%UserProfile%\\OE");
    m_registry.Set(HKEY_CURRENT_USER, "Software\\Winamp", "", "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]");
    m_registry.Set(HKEY_CURRENT_USER, kGetRight, "InstallDir", "[PATH_SYS_TEMP]");
    m_settings->strNetscape4UserPath = "%UserProfile%\\NN";
    EXPECT_EQ(Expand("[PATH_APP_OUTLOOKEXPRESS_STOREROOT]\\a|[PATH_APP_NN4_ROOT]"),
              "C:\\Users\\joe\\OE\\a|C:\\Users\\joe\\NN");
    EXPECT_EQ(Expand("[PATH_APP_WINAMP_ROOT]"), "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]");
    EXPECT_EQ(Expand("[PATH_APP_GETRIGHT_ROOT]"), szTemp);
}

TEST_F(PathMacros, CompositeMacrosNeedEveryPiece)
{
    const struct {
        const char* pszFirst;   // Opera's folder, Yahoo's command, or the identity
        const char* pszSecond;  // Yahoo's user, or the store root
        const char* pszOpera;
        const char* pszYahoo;
        const char* pszOutlook;
    } rows[] = {
        {"C:\\Y\\YPager.exe", "joe", "C:\\Y\\YPager.exe\\Cache4", "C:\\Y\\Profiles\\joe", "joe"},
        {nullptr, "joe", "\\Cache4", "\\Profiles\\joe", ""},
        {"C:\\Y\\YPager.exe", nullptr, "C:\\Y\\YPager.exe\\Cache4", "C:\\Y\\Profiles\\", ""},
        {"C:\\Y\\YPager.exe", "", "C:\\Y\\YPager.exe\\Cache4", "C:\\Y\\Profiles\\", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszYahoo);
        Set(HKEY_LOCAL_MACHINE, kAppPaths + "Opera.exe", "Path", row.pszFirst);
        Set(HKEY_CLASSES_ROOT, kYahooCommand, "", row.pszFirst);
        Set(HKEY_CURRENT_USER, "Software\\Yahoo\\Pager", "Yahoo! User ID", row.pszSecond);
        Set(HKEY_CURRENT_USER, "Identities", "Default User ID", row.pszFirst ? "{7F2A}" : nullptr);
        Set(HKEY_CURRENT_USER, kOutlookStore, "Store Root", row.pszSecond);
        bool bResolved = false;
        EXPECT_EQ(Expand("[PATH_APP_OPERA_CACHE]", &bResolved), row.pszOpera);
        EXPECT_EQ(bResolved, row.pszFirst != nullptr);
        const bool bComplete = *row.pszOutlook != '\0';
        EXPECT_EQ(Expand("[PATH_APP_YAHOO_USERSTOREROOT]", &bResolved), row.pszYahoo);
        EXPECT_EQ(bResolved, bComplete);
        EXPECT_EQ(Expand("[PATH_APP_OUTLOOKEXPRESS_STOREROOT]", &bResolved), row.pszOutlook);
        EXPECT_EQ(bResolved, bComplete);
    }
}

// A target whose macro has no location must be recognisable, or the engine
// would clean "\organize" on the current drive.
TEST_F(PathMacros, MacroWithoutLocationLeavesThePathUnresolved)
{
    m_registry.Remove(HKEY_LOCAL_MACHINE, kAppPaths + "Aol.exe", "Path");
    m_registry.Set(HKEY_LOCAL_MACHINE, kAppPaths + "ICQ.exe", "Path", "\"\";C:\\ICQ");
    m_registry.Set(HKEY_CURRENT_USER, kGetRight, "InstallDir", "[PATH_APP_ICQ_ROOT]");
    m_registry.Set(HKEY_CURRENT_USER, kShellFolders, "COOKIES", "C:\\Ck");
    CSavedVariable appData("AppData"), programs("ProgramFiles");
    appData.Set(nullptr);
    programs.Set("");
    m_settings->strNetscape6UserPath = "";
    const struct {
        const char* pszPath;
        const char* pszExpected;
        bool bResolved;
    } rows[] = {
        {"[PATH_APP_AOL_ROOT]\\organize", "\\organize", false},
        {"[PATH_APP_ICQ_ROOT]\\db", "\\db", false},
        {"[PATH_APP_GETRIGHT_ROOT]\\x", "\\x", false},
        {"%AppData%\\x", "\\x", false},
        {"%ProgramFiles%\\x", "\\x", false},
        {"[PATH_APP_NN6_ROOT]\\x", "\\x", false},
        {"[PATH_SYS_SHELL_COOKIES]\\[PATH_APP_AOL_ROOT]", "C:\\Ck\\", false},
        {"[PATH_SYS_SHELL_COOKIES]\\x", "C:\\Ck\\x", true},
    };
    for (const auto& row : rows) {
        bool bResolved = !row.bResolved;
        EXPECT_EQ(Expand(row.pszPath, &bResolved), row.pszExpected);
        EXPECT_EQ(bResolved, row.bResolved) << row.pszPath;
        EXPECT_EQ(Expand(row.pszPath), row.pszExpected);
    }
}

TEST_F(PathMacros, UserNameHiddenMaskDrivesAndMessengerHaveTheirOwnExpansions)
{
    char szUser[256];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    const std::string strUser = szUser;
    EXPECT_EQ(ExpandUserName("S\\[WIN_USERNAME]\\%WinDir%\\[WIN_USERNAME]|[win_username]|[NN:MASKHIDDEN]"),
              "S\\" + strUser + "\\%WinDir%\\" + strUser + "|[win_username]|[NN:MASKHIDDEN]");
    m_settings->strNetScapeHiddenFilesMask = "*.snm|*.msf";
    EXPECT_EQ(ExpandHiddenMask("a|[NN:MASKHIDDEN]|[NN:MASKHIDDEN]|[WIN_USERNAME]|[nn:maskhidden]", *m_settings),
              "a|*.snm|*.msf|*.snm|*.msf|[WIN_USERNAME]|[nn:maskhidden]");

    // The fixed drives are roots joined by bars.
    const std::string strDrives = "|" + GetFixedDrives();
    EXPECT_NE(strDrives.find("|C:\\"), std::string::npos) << strDrives;
    ASSERT_EQ(strDrives.size() % 4, 0u) << strDrives;
    for (size_t nStart = 0; nStart < strDrives.size(); nStart += 4) {
        EXPECT_EQ(strDrives[nStart], '|') << strDrives;
        EXPECT_EQ(strDrives.substr(nStart + 2, 2), ":\\") << strDrives;
        EXPECT_EQ(GetDriveTypeA(strDrives.substr(nStart + 1, 3).c_str()), UINT(DRIVE_FIXED));
    }

    // The messenger's folder needs both its base and the screen name.
    const std::string strAIM = "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\";
    const struct {
        const char* pszBase;
        const char* pszName;
        const char* pszExpected;
    } rows[] = {{"C:\\AIM", "joe", "C:\\AIM\\joe"}, {nullptr, "joe", ""}, {"C:\\AIM", "", ""}};
    for (const auto& row : rows) {
        Set(HKEY_CURRENT_USER, strAIM + "Misc", "BaseDataPath", row.pszBase);
        Set(HKEY_CURRENT_USER, strAIM + "Login", "Screen Name", row.pszName);
        EXPECT_EQ(FindAOLMessengerFolder(), row.pszExpected);
    }
}
