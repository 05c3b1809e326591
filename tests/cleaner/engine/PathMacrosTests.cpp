// Path macros against real registry values and environment variables of the
// test prefix, each put back as it was after the test.
#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/GeneralSettings.h"
#include "tests/support/Environment.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kYahooCommand[] = "ymsgr\\shell\\open\\command";
const char kAIM[] = "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\";
const char kGetRight[] = "Software\\Headlight\\GetRight\\Config";

// The settings live between the removals of the product key, so that they
// read only defaults and their write-back is removed again.
class PathMacros : public CProductKeyTest {
protected:
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        m_pSettings = std::make_unique<CGeneralSettings>();
    }
    void TearDown() override
    {
        m_pSettings.reset();
        CProductKeyTest::TearDown();
    }

    std::string Expand(const std::string& strPath, bool* pbResolved = nullptr)
    {
        return ExpandPath(strPath, *m_pSettings, pbResolved);
    }

    CScratchRegistry m_registry;
    std::unique_ptr<CGeneralSettings> m_pSettings;
};

}  // namespace

TEST_F(PathMacros, TextWithoutKnownMacrosStaysAsItIs)
{
    const char* const texts[] = {
        "",
        "C:\\Windows\\Temp\\*.tmp",
        "[path_sys_temp]x.tmp",
        "[PATH_SYS_TEMP",
        "%userprofile%\\Cookies",
        "%UserProfile",
        "[WIN_USERNAME]\\x",
        "[NN:MASKHIDDEN]",
    };
    for (const char* pszText : texts) {
        bool bResolved = false;
        EXPECT_EQ(Expand(pszText, &bResolved), pszText);
        EXPECT_TRUE(bResolved) << pszText;
    }
}

TEST_F(PathMacros, EachRegistryMacroReadsItsOwnValue)
{
    const HKEY hCU = HKEY_CURRENT_USER, hLM = HKEY_LOCAL_MACHINE, hCR = HKEY_CLASSES_ROOT;
    const std::string strAppPaths = kAppPaths;
    struct Row {
        const char* pszMacro;
        HKEY hRoot;
        std::string strKey;
        const char* pszName;
        const char* pszStored;
        const char* pszExpected;
    };
    const Row rows[] = {
        {"[PATH_SYS_SHELL_HISTORY]", hCU, kShellFolders, "HISTORY", "C:\\Hist", "C:\\Hist"},
        {"[PATH_SYS_SHELL_COOKIES]", hCU, kShellFolders, "COOKIES", "C:\\Ck", "C:\\Ck"},
        {"[PATH_SYS_SHELL_CACHE]", hCU, kShellFolders, "CACHE", "C:\\TIF", "C:\\TIF"},
        {"[PATH_SYS_SHELL_RECENT]", hCU, kShellFolders, "RECENT", "C:\\Rec", "C:\\Rec"},
        {"[PATH_APP_AOL_ROOT]", hLM, strAppPaths + "Aol.exe", "Path", "\"C:\\AOL\";C:\\X",
         "\"C:\\AOL\";C:\\X"},
        {"[PATH_APP_OPERA_ROOT]", hLM, strAppPaths + "Opera.exe", "Path", "C:\\Op", "C:\\Op"},
        {"[PATH_APP_FLASHGET_ROOT]", hCU, "Software\\JetCar\\JetCar\\General", "AppPath",
         "C:\\FG\\FlashGet.exe", "C:\\FG"},
        {"[PATH_APP_GETRIGHT_ROOT]", hCU, kGetRight, "InstallDir", "C:\\GR", "C:\\GR"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, "SOFTWARE\\Kazaa\\CloudLoad", "ExeDir", "C:\\Kz\\Kazaa.exe",
         "C:\\Kz"},
        {"[PATH_APP_IMESH_ROOT]", hLM, "SOFTWARE\\iMesh\\Client", "ProgramLocation", "C:\\iM",
         "C:\\iM"},
        {"[PATH_APP_IMESH_STOREROOT]", hLM, "SOFTWARE\\iMesh\\Client\\LocalContent",
         "DownloadDir", "C:\\iMD", "C:\\iMD"},
        {"[PATH_APP_ICQ_ROOT]", hLM, strAppPaths + "ICQ.exe", "Path", "\"C:\\ICQ\";C:\\Lib",
         "C:\\ICQ"},
        {"[PATH_APP_YAHOO_ROOT]", hCR, kYahooCommand, "", "C:\\Y\\YPager.exe", "C:\\Y"},
        {"[PATH_APP_POWERDVD_ROOT]", hLM, strAppPaths + "PowerDVD", "Path", "C:\\DVD", "C:\\DVD"},
        {"[PATH_APP_WINAMP_ROOT]", hCU, "Software\\Winamp", "", "C:\\Amp", "C:\\Amp"},
        {"[PATH_SYS_DOWNLOADEDPROGRAMS]", hLM,
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "ActiveXCache",
         "C:\\DPF", "C:\\DPF"},
    };
    for (const Row& row : rows)
        m_registry.Set(row.hRoot, row.strKey, row.pszName, row.pszStored);
    for (const Row& row : rows) {
        bool bResolved = false;
        EXPECT_EQ(Expand(std::string(row.pszMacro) + "\\x.txt", &bResolved),
                  std::string(row.pszExpected) + "\\x.txt");
        EXPECT_TRUE(bResolved) << row.pszMacro;
    }
    EXPECT_EQ(Expand("[PATH_SYS_SHELL_COOKIES]\\a;[PATH_SYS_SHELL_COOKIES]\\b"),
              "C:\\Ck\\a;C:\\Ck\\b");
}

TEST_F(PathMacros, StoredTextIsTakenUpToItsFirstZeroAndLeftUnexpanded)
{
    const std::string strExpand = "%SystemRoot%\\GR";
    // Stored without its zero as REG_EXPAND_SZ, since the A call of Windows 9x
    // measures REG_SZ data itself; and followed by a nonzero byte, since NT
    // counts a forgotten zero in when one follows the data.
    const char noZero[] = "C:\\GX";
    const char inner[] = "C:\\GR\0junk";
    const DWORD dwNumber = 7;
    struct Row {
        DWORD dwType;
        const void* pData;
        DWORD cbData;
        const char* pszExpected;
    };
    const Row rows[] = {
        {REG_EXPAND_SZ, strExpand.c_str(), DWORD(strExpand.size() + 1), "%SystemRoot%\\GR"},
        {REG_EXPAND_SZ, noZero, 4, "C:\\G"},
        {REG_SZ, inner, sizeof(inner), "C:\\GR"},
        {REG_SZ, "", 1, ""},
        {REG_SZ, "", 0, ""},
        {REG_DWORD, &dwNumber, sizeof(dwNumber), ""},
    };
    for (const Row& row : rows) {
        m_registry.SetRaw(HKEY_CURRENT_USER, kGetRight, "InstallDir", row.dwType, row.pData,
                          row.cbData);
        bool bResolved = false;
        EXPECT_EQ(Expand("[PATH_APP_GETRIGHT_ROOT]", &bResolved), row.pszExpected);
        EXPECT_EQ(bResolved, *row.pszExpected != '\0') << row.pszExpected;
    }
}

TEST_F(PathMacros, CutsKeepTheTextBeforeTheLastBackslash)
{
    const HKEY hCU = HKEY_CURRENT_USER, hLM = HKEY_LOCAL_MACHINE, hCR = HKEY_CLASSES_ROOT;
    const char kFlashGet[] = "Software\\JetCar\\JetCar\\General";
    const char kKazaa[] = "SOFTWARE\\Kazaa\\CloudLoad";
    struct Row {
        const char* pszMacro;
        HKEY hRoot;
        const char* pszKey;
        const char* pszName;
        const char* pszStored;
        const char* pszExpected;
    };
    const Row rows[] = {
        {"[PATH_APP_FLASHGET_ROOT]", hCU, kFlashGet, "AppPath", "C:\\A\\B\\", "C:\\A\\B"},
        {"[PATH_APP_FLASHGET_ROOT]", hCU, kFlashGet, "AppPath", "FlashGet.exe", ""},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\Kazaa", "C:\\Kazaa"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\Kazaa\\", "C:\\Kazaa\\"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "Kazaa.exe", "Kazaa.exe"},
        {"[PATH_APP_KAZAA_ROOT]", hLM, kKazaa, "ExeDir", "C:\\K.exe.d\\s", "C:\\K.exe.d"},
        // A command line quotes its program: the quotes are no part of the folder.
        {"[PATH_APP_YAHOO_ROOT]", hCR, kYahooCommand, "", "\"C:\\Y\\YPager.exe\" \"%1\"",
         "C:\\Y"},
        {"[PATH_APP_YAHOO_ROOT]", hCR, kYahooCommand, "", "YPager.exe", ""},
    };
    for (const Row& row : rows) {
        m_registry.Set(row.hRoot, row.pszKey, row.pszName, row.pszStored);
        EXPECT_EQ(Expand(row.pszMacro), row.pszExpected) << row.pszStored;
    }
}

TEST_F(PathMacros, SettingsAndEnvironmentFillTheirMacros)
{
    m_pSettings->strNetscape4UserPath = "C:\\NN4";
    m_pSettings->strNetscape4UserCachePath = "C:\\NN4C";
    m_pSettings->strNetscape6UserPath = "C:\\NN6";
    m_pSettings->strNetscape6UserCachePath = "C:\\NN6C";
    m_pSettings->strAOLMessangerPath = "C:\\AIM\\joe";
    CSavedVariable profile("UserProfile"), appData("AppData"), programs("ProgramFiles"),
        winDir("WinDir");
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
    const DWORD cchTemp = GetTempPathA(sizeof(szTemp), szTemp);
    ASSERT_GT(cchTemp, 0u);
    EXPECT_EQ(szTemp[cchTemp - 1], '\\');
    EXPECT_EQ(Expand("[PATH_SYS_TEMP]x.tmp"), std::string(szTemp) + "x.tmp");
}

TEST_F(PathMacros, CompositeMacrosNeedEveryPiece)
{
    const std::string strOpera = std::string(kAppPaths) + "Opera.exe";
    m_registry.Remove(HKEY_LOCAL_MACHINE, strOpera, "Path");
    bool bResolved = true;
    EXPECT_EQ(Expand("[PATH_APP_OPERA_CACHE]", &bResolved), "\\Cache4");
    EXPECT_FALSE(bResolved);
    m_registry.Set(HKEY_LOCAL_MACHINE, strOpera, "Path", "C:\\Opera");
    EXPECT_EQ(Expand("[PATH_APP_OPERA_CACHE]", &bResolved), "C:\\Opera\\Cache4");
    EXPECT_TRUE(bResolved);

    const char* const kMissing = nullptr;
    struct Row {
        const char* pszFirst;  // Yahoo command, or the identity
        const char* pszSecond;  // Yahoo user, or the store root
        const char* pszYahoo;
        const char* pszOutlook;
    };
    const Row rows[] = {
        {"C:\\Y\\YPager.exe", "joe", "C:\\Y\\Profiles\\joe", "joe"},
        {kMissing, "joe", "\\Profiles\\joe", ""},
        {"C:\\Y\\YPager.exe", kMissing, "C:\\Y\\Profiles\\", ""},
        {"C:\\Y\\YPager.exe", "", "C:\\Y\\Profiles\\", ""},
    };
    const std::string strStore = "Identities\\{7F2A}\\Software\\Microsoft\\Outlook Express\\5.0";
    auto set = [this](HKEY hRoot, const std::string& strKey, const char* pszName,
                      const char* pszValue) {
        if (pszValue)
            m_registry.Set(hRoot, strKey, pszName, pszValue);
        else
            m_registry.Remove(hRoot, strKey, pszName);
    };
    for (const Row& row : rows) {
        set(HKEY_CLASSES_ROOT, kYahooCommand, "", row.pszFirst);
        set(HKEY_CURRENT_USER, "Software\\Yahoo\\Pager", "Yahoo! User ID", row.pszSecond);
        set(HKEY_CURRENT_USER, "Identities", "Default User ID", row.pszFirst ? "{7F2A}" : nullptr);
        set(HKEY_CURRENT_USER, strStore, "Store Root", row.pszSecond);
        const bool bComplete = *row.pszOutlook != '\0';
        EXPECT_EQ(Expand("[PATH_APP_YAHOO_USERSTOREROOT]", &bResolved), row.pszYahoo);
        EXPECT_EQ(bResolved, bComplete) << row.pszYahoo;
        EXPECT_EQ(Expand("[PATH_APP_OUTLOOKEXPRESS_STOREROOT]", &bResolved), row.pszOutlook);
        EXPECT_EQ(bResolved, bComplete) << row.pszYahoo;
    }
}

// A value is seen by the macros after its own and by no earlier one.
TEST_F(PathMacros, InsertedValuesMeetOnlyLaterMacros)
{
    CSavedVariable profile("UserProfile");
    profile.Set("C:\\Users\\joe");
    m_registry.Set(HKEY_CURRENT_USER, "Identities", "Default User ID", "{7F2A}");
    m_registry.Set(HKEY_CURRENT_USER,
                   "Identities\\{7F2A}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root",
                   "%UserProfile%\\OE");
    m_registry.Set(HKEY_CURRENT_USER, "Software\\Winamp", "",
                   "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]");
    m_registry.Set(HKEY_CURRENT_USER, kGetRight, "InstallDir", "[PATH_SYS_TEMP]");
    m_pSettings->strNetscape4UserPath = "%UserProfile%\\NN";

    EXPECT_EQ(Expand("[PATH_APP_OUTLOOKEXPRESS_STOREROOT]\\a"), "C:\\Users\\joe\\OE\\a");
    EXPECT_EQ(Expand("[PATH_APP_NN4_ROOT]"), "C:\\Users\\joe\\NN");
    EXPECT_EQ(Expand("[PATH_APP_WINAMP_ROOT]"), "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]");
    char szTemp[MAX_PATH + 1];
    GetTempPathA(sizeof(szTemp), szTemp);
    EXPECT_EQ(Expand("[PATH_APP_GETRIGHT_ROOT]"), szTemp);
}

// A target whose macro has no location must be recognisable, or the engine
// would clean "\organize" on the current drive.
TEST_F(PathMacros, MacroWithoutLocationLeavesThePathUnresolved)
{
    m_registry.Remove(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "Aol.exe", "Path");
    m_registry.Set(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "ICQ.exe", "Path", "\"\";C:\\ICQ");
    m_registry.Set(HKEY_CURRENT_USER, kGetRight, "InstallDir", "[PATH_APP_ICQ_ROOT]");
    m_registry.Set(HKEY_CURRENT_USER, kShellFolders, "COOKIES", "C:\\Ck");
    CSavedVariable appData("AppData"), programs("ProgramFiles");
    appData.Set(nullptr);
    programs.Set("");
    m_pSettings->strNetscape6UserPath = "";

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
        EXPECT_EQ(ExpandPath(row.pszPath, *m_pSettings, &bResolved), row.pszExpected);
        EXPECT_EQ(bResolved, row.bResolved) << row.pszPath;
        EXPECT_EQ(ExpandPath(row.pszPath, *m_pSettings), row.pszExpected);
    }
}

TEST_F(PathMacros, AppPathDropsQuotesAndKeepsTheFirstFolder)
{
    const std::string strKey = std::string(kAppPaths) + "VeltrinProbe.exe";
    const struct {
        const char* pszStored;
        const char* pszExpected;
    } rows[] = {
        {"C:\\Probe", "C:\\Probe"},
        {"\"C:\\Program Files\\Probe\"", "C:\\Program Files\\Probe"},
        {"C:\\Probe;C:\\Lib;", "C:\\Probe"},
        {"\"C:\\P\"r\"obe\";\"C:\\Lib\"", "C:\\Probe"},
        {";C:\\Lib", ""},
    };
    for (const auto& row : rows) {
        m_registry.Set(HKEY_LOCAL_MACHINE, strKey, "Path", row.pszStored);
        EXPECT_EQ(GetAppPath("VeltrinProbe.exe"), row.pszExpected) << row.pszStored;
    }
    m_registry.Remove(HKEY_LOCAL_MACHINE, strKey, "Path");
    EXPECT_EQ(GetAppPath("VeltrinProbe.exe"), "");
}

TEST_F(PathMacros, UserNameAndHiddenMaskHaveTheirOwnExpansions)
{
    char szUser[256];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    const std::string strUser = szUser;
    ASSERT_FALSE(strUser.empty());
    EXPECT_EQ(ExpandUserName("Software\\[WIN_USERNAME]\\%WinDir%\\[WIN_USERNAME]"),
              "Software\\" + strUser + "\\%WinDir%\\" + strUser);
    EXPECT_EQ(ExpandUserName("[win_username]|[NN:MASKHIDDEN]|[PATH_SYS_TEMP]"),
              "[win_username]|[NN:MASKHIDDEN]|[PATH_SYS_TEMP]");

    m_pSettings->strNetScapeHiddenFilesMask = "*.snm|*.msf";
    EXPECT_EQ(ExpandHiddenMask("[NN:MASKHIDDEN]", *m_pSettings), "*.snm|*.msf");
    EXPECT_EQ(ExpandHiddenMask("a|[NN:MASKHIDDEN]|[NN:MASKHIDDEN]", *m_pSettings),
              "a|*.snm|*.msf|*.snm|*.msf");
    EXPECT_EQ(ExpandHiddenMask("[WIN_USERNAME]|[PATH_SYS_TEMP]|[nn:maskhidden]", *m_pSettings),
              "[WIN_USERNAME]|[PATH_SYS_TEMP]|[nn:maskhidden]");
}

TEST_F(PathMacros, FixedDrivesAreRootsJoinedByBars)
{
    const std::string strDrives = GetFixedDrives();
    ASSERT_FALSE(strDrives.empty());
    EXPECT_NE(strDrives.front(), '|');
    EXPECT_NE(strDrives.back(), '|');
    EXPECT_NE(("|" + strDrives + "|").find("|C:\\|"), std::string::npos) << strDrives;
    for (size_t nStart = 0; nStart < strDrives.size(); nStart += 4) {
        const std::string strRoot = strDrives.substr(nStart, 3);
        EXPECT_TRUE(strRoot.size() == 3 && strRoot[1] == ':' && strRoot[2] == '\\') << strDrives;
        EXPECT_EQ(GetDriveTypeA(strRoot.c_str()), UINT(DRIVE_FIXED)) << strRoot;
    }
}

TEST_F(PathMacros, MessengerFolderNeedsBaseAndScreenName)
{
    const std::string strMisc = std::string(kAIM) + "Misc";
    const std::string strLogin = std::string(kAIM) + "Login";
    const struct {
        const char* pszBase;
        const char* pszName;
        const char* pszExpected;
    } rows[] = {
        {"C:\\AIM", "joe", "C:\\AIM\\joe"},
        {nullptr, "joe", ""},
        {"C:\\AIM", nullptr, ""},
        {"", "joe", ""},
        {"C:\\AIM", "", ""},
    };
    for (const auto& row : rows) {
        if (row.pszBase)
            m_registry.Set(HKEY_CURRENT_USER, strMisc, "BaseDataPath", row.pszBase);
        else
            m_registry.Remove(HKEY_CURRENT_USER, strMisc, "BaseDataPath");
        if (row.pszName)
            m_registry.Set(HKEY_CURRENT_USER, strLogin, "Screen Name", row.pszName);
        else
            m_registry.Remove(HKEY_CURRENT_USER, strLogin, "Screen Name");
        EXPECT_EQ(FindAOLMessengerFolder(), row.pszExpected);
    }
}
