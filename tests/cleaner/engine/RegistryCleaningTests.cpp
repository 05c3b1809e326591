// What the engine reads and changes in the prefix's registry: path macros, registry targets and
// updates, the search-list and auto-complete handlers. Run as NT, a key whose access list leaves
// the user out cannot be read, though it opens for READ_CONTROL or WRITE_DAC alone.
#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/SavedFile.h"

#include <lmcons.h>
#include <sddl.h>

#include <set>

namespace {

const std::string kKey = std::string(kProductKey) + "\\RegistryCleaningTest";
// A key and a value outside the product key that a faulty target would reach.
const std::string kTopKey = "VeltrinTestTop";
const char kRootValue[] = "VeltrinTestRootValue";

RegTarget Target(const std::string& strName, uint32_t dwType, const std::string& strValue = "")
{
    return RegTarget{strName, strValue, "", RK_CURRENT_USER, {}, {}, dwType};
}

CleanStats Entries(uint32_t nEntries) { return CleanStats{0, 0, 0, 0, nEntries}; }

bool SetKeyDacl(const std::string& strKey, const char* pszDescriptor)
{
    PSECURITY_DESCRIPTOR pDescriptor = nullptr;
    HKEY hKey;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(pszDescriptor, SDDL_REVISION_1,
                                                              &pDescriptor, nullptr) ||
        RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, WRITE_DAC, &hKey) != ERROR_SUCCESS)
        return false;
    const LONG nResult = RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pDescriptor);
    RegCloseKey(hKey);
    LocalFree(pDescriptor);
    return nResult == ERROR_SUCCESS;
}

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

typedef CProductKeyTest RegistryCleaning;
typedef CleaningRun RegistryHandlers;

}  // namespace

// Registry values and variables fill their macros; a value is seen by the macros after its own.
TEST_F(PathMacros, EachMacroReadsItsOwnValue)
{
    const HKEY hCU = HKEY_CURRENT_USER, hLM = HKEY_LOCAL_MACHINE;
    m_registry.Set(hCU, kShellFolders, "HISTORY", "C:\\Hist");
    m_registry.Set(hLM, kAppPaths + "ICQ.exe", "Path", "\"C:\\I\"c\"q\";\"C:\\Lib\"");
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
        {"[PATH_APP_ICQ_ROOT]", "C:\\Icq"}, {"[PATH_APP_KAZAA_ROOT]", "C:\\K.exe.d"},
        {"[PATH_APP_YAHOO_ROOT]|[PATH_APP_YAHOO_USERSTOREROOT]", "C:\\Y|C:\\Y\\Profiles\\joe"},
        {"[PATH_APP_OUTLOOKEXPRESS_STOREROOT]\\a", "C:\\Users\\joe\\OE\\a"},
        {"[PATH_APP_WINAMP_ROOT]", "[PATH_SYS_SHELL_CACHE]\\[PATH_APP_WINAMP_ROOT]"},
        {"%UserProfile%\\%UserProfile%", "C:\\Users\\joe\\C:\\Users\\joe"},
        {"[path_sys_temp]|[PATH_SYS_TEMP|%userprofile%|[WIN_USERNAME]",
         "[path_sys_temp]|[PATH_SYS_TEMP|%userprofile%|[WIN_USERNAME]"},
    };
    ExpectExpansions(rows, true);
}

// A macro without its location, or a piece of it, leaves the path unresolved, not "\organize".
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
        {"[PATH_APP_OPERA_CACHE]", "\\Cache4"}, {"[PATH_APP_NN6_ROOT]\\x", "\\x"},
        {"[PATH_APP_YAHOO_USERSTOREROOT]", "C:\\Y\\Profiles\\"},
        {"[PATH_APP_OUTLOOKEXPRESS_STOREROOT]", ""}, {"%AppData%\\x|%ProgramFiles%", "\\x|"},
        {"[PATH_SYS_SHELL_COOKIES]\\[PATH_APP_AOL_ROOT]", "C:\\Ck\\"},
    };
    ExpectExpansions(rows, false);
}

// The macros of rule files: the user's shell folders, variables, and a 64-bit folder only where
// it differs from the one this program sees.
TEST_F(PathMacros, RuleFileMacrosNameTheUsersFoldersAndOnlyAnOther64BitFolder)
{
    CSavedVariable w64{"ProgramW6432"}, common{"CommonProgramFiles"}, cw64{"CommonProgramW6432"},
        pub{"Public"}, drive{"SystemDrive"};
    for (const auto& value : {std::make_pair(&m_programs, "C:\\PF86"), {&w64, "C:\\PF"},
                              {&common, "C:\\CF"}, {&cw64, "c:\\cf"}, {&pub, "C:\\Pub"}, {&drive, "Q:"}})
        value.first->Set(value.second);
    const Expansion rows[] = {{"%ProgramW6432%\\a|%ProgramFiles%", "C:\\PF\\a|C:\\PF86"},
                              {"%Public%|%SystemDrive%\\", "C:\\Pub|Q:\\"},
                              {"%CommonProgramFiles%", "C:\\CF"}};
    ExpectExpansions(rows, true);
    const Expansion same[] = {{"%CommonProgramW6432%\\x", "\\x"}};
    ExpectExpansions(same, false);

    char szUser[UNLEN + 1];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    EXPECT_EQ(ExpandPath("%UserName%", *m_settings), szUser);
    std::set<std::string> folders;
    for (const char* pszMacro : {"%LocalAppData%", "%LocalLowAppData%", "%ProgramData%",
                                 "%Documents%", "%Pictures%", "%Music%", "%Video%", "%Temp%"}) {
        bool bResolved = false;
        const std::string strFolder = ExpandPath(pszMacro, *m_settings, &bResolved);
        EXPECT_TRUE(bResolved && strFolder.back() != '\\' &&
                    (GetFileAttributesA(strFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
            << pszMacro << " " << strFolder;
        folders.insert(strFolder);
    }
    EXPECT_EQ(folders.size(), 8u);
}

// Values far larger than the first buffers come first in either order of enumeration: they
// must not hide the rest. Kept data compare up to the first zero byte, exactly.
TEST_F(RegistryCleaning, ContentTargetDeletesMatchingValuesExceptKeptData)
{
    const std::string strLong = "A" + std::string(5000, 'n'), strBigText(6000, 'k'),
                      bigBinary(10000, 'x');
    const std::set<std::string> all = {strLong, "AABig", "AAText", "Url1", "Url2", "Other", "Bin",
                                       "Num"};
    const struct {
        const char* mask;
        StringList kept;
        std::set<std::string> deleted;
    } cases[] = {
        {"Url*", {}, {"Url1", "Url2"}},
        {"Url*", {"b.example"}, {"Url1"}},
        {"Url*", {"B.EXAMPLE", "b.exampl", "b.example\\"}, {"Url1", "Url2"}},
        {"url*", {}, {}},
        {"", {"c.example", strBigText, "keep", "abc"}, {strLong, "AABig", "Url1", "Url2"}},
        {"", {}, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << ", " << c.kept.size() << " kept");
        DeleteKeyTree(kKey);
        WriteStringValue(kKey, strLong, "long name");
        WriteRawValue(kKey, "AABig", REG_BINARY, bigBinary.data(), DWORD(bigBinary.size()));
        WriteStringValue(kKey, "AAText", strBigText);
        WriteStringValue(kKey, "Url1", "a.example");
        WriteRawValue(kKey, "Url2", REG_SZ, "b.example\0tail", 15);
        WriteStringValue(kKey, "Other", "c.example");
        WriteRawValue(kKey, "Bin", REG_BINARY, "keep", 4);
        WriteDwordValue(kKey, "Num", 0x00636261);  // "abc" and a zero byte
        const RegTarget target{kKey, "", c.mask, RK_CURRENT_USER, {}, c.kept, TT_CONTENT};
        EXPECT_EQ(CleanRegTarget(target), Entries(uint32_t(c.deleted.size())));
        for (const std::string& name : all)
            EXPECT_EQ(ValueExists(kKey, name), !c.deleted.count(name)) << name.substr(0, 6);
    }
}

// On a 64-bit Windows, 32-bit and 64-bit programs keep the machine's software settings apart: a
// target below that key goes in both halves, and nothing else of the key goes with it.
TEST_F(RegistryCleaning, MachineSoftwareTargetsGoInBothHalvesOfA64BitRegistry)
{
    BOOL bWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &bWow64);
    const REGSAM samOther = sizeof(void*) == 8 ? KEY_WOW64_32KEY : bWow64 ? KEY_WOW64_64KEY : 0;
    if (samOther == 0)
        GTEST_SKIP() << "a 32-bit Windows has one registry";
    const std::string strKey = "Software\\VeltrinViewTest";
    const auto key = [&strKey](const std::string& strBelow, REGSAM samView) {
        HKEY hKey = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (strKey + strBelow).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | samView, nullptr, &hKey, nullptr);
        return KeyHolder(hKey);
    };
    const auto has = [&key](const std::string& strBelow, REGSAM samView, const char* pszValue) {
        return RegQueryValueExA(key(strBelow, samView).get(), pszValue, nullptr, nullptr, nullptr,
                                nullptr) == ERROR_SUCCESS;
    };
    for (REGSAM samView : {REGSAM(0), samOther}) {
        for (const char* pszValue : {samView ? "Other" : "Last", "Kept"})
            RegSetValueExA(key("", samView).get(), pszValue, 0, REG_SZ, LPBYTE("x"), 2);
        RegSetValueExA(key("\\Tree\\Sub", samView).get(), "v", 0, REG_SZ, LPBYTE("x"), 2);
    }
    ASSERT_FALSE(has("", 0, "Other")) << "the halves are apart";
    for (const char* pszValue : {"", "Last", "Other"})
        CleanRegTargetInEveryView({*pszValue ? strKey : strKey + "\\Tree", pszValue, "",
                                   RK_LOCAL_MACHINE, {}, {}, *pszValue ? TT_SINGLE : TT_RECURSIVE},
                                  LiveChanges());
    for (REGSAM samView : {REGSAM(0), samOther}) {
        SCOPED_TRACE(samView);
        EXPECT_FALSE(has("\\Tree\\Sub", samView, "v") || has("", samView, "Last") ||
                     has("", samView, "Other"));
        EXPECT_TRUE(has("", samView, "Kept"));
        for (const char* pszBelow : {"\\Tree\\Sub", "\\Tree", ""})
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (strKey + pszBelow).c_str(), samView, 0);
    }
}

// Without a key path a target would work on the root itself; a key tree of one component
// would take a whole top-level key such as "Software"; an unknown type does nothing.
TEST_F(RegistryCleaning, TargetsOnTheRootOrATopLevelKeyOrOfUnknownTypeAreSkipped)
{
    CScratchRegistry registry;
    registry.Set(HKEY_CURRENT_USER, "", kRootValue, "root");
    registry.Set(HKEY_CURRENT_USER, kTopKey + "\\Sub", "v", "1");
    WriteStringValue(kKey, "v", "inside");
    const RegTarget targets[] = {
        Target("", TT_SINGLE, kRootValue), Target(kTopKey, TT_RECURSIVE),
        {"", "", "VeltrinTestRoot*", RK_CURRENT_USER, {}, {}, TT_CONTENT},
        Target(kTopKey + "\\", TT_RECURSIVE), Target("\\" + kTopKey + "\\\\", TT_RECURSIVE),
        Target(kKey, 1, "v"), Target(kKey, 0xFFFFFFFFu, "v"),
    };
    for (const RegTarget& target : targets) {
        EXPECT_EQ(CleanRegTarget(target), Entries(0)) << "\"" << target.strName << "\"";
        EXPECT_TRUE(ValueExists("", kRootValue));
        EXPECT_TRUE(KeyExists(kTopKey + "\\Sub"));
        EXPECT_TRUE(ValueExists(kKey, "v"));
    }
    // Two components are enough.
    EXPECT_EQ(CleanRegTarget(Target(kTopKey + "\\Sub", TT_RECURSIVE)), Entries(1));
    EXPECT_FALSE(KeyExists(kTopKey + "\\Sub"));
    EXPECT_TRUE(KeyExists(kTopKey));
}

TEST_F(RegistryCleaning, UpdatesWriteTextOrNumberAndCreateMissingKeysButNoOther)
{
    CScratchRegistry registry;
    registry.Remove(HKEY_CURRENT_USER, "", kRootValue);
    const std::string strDeep = kKey + "\\Update\\Deeper";
    RegUpdate update{Target(strDeep, TT_SINGLE, "Count"), "", 0xFFFFFFFEu},
        rootUpdate{Target("", TT_SINGLE, kRootValue)};
    // Of unknown type, or without a key path: nothing is written.
    for (uint32_t dwDataType : {2u, 3u, 0xFFFFFFFFu, 0u, 1u}) {
        update.dwDataType = rootUpdate.dwDataType = dwDataType;
        if (dwDataType > 1)
            ApplyRegUpdate(update);
        ApplyRegUpdate(rootUpdate);
        EXPECT_FALSE(KeyExists(kKey + "\\Update")) << dwDataType;
        EXPECT_FALSE(ValueExists("", kRootValue)) << dwDataType;
    }
    // Text replaces the number, an empty one with its terminating zero.
    update.dwDataType = RegUpdate::DT_NUMBER;
    ApplyRegUpdate(update);
    EXPECT_EQ(SnapshotKey(strDeep), KeySnapshot({{"Count", {REG_DWORD, "\xFE\xFF\xFF\xFF"}}}));
    update.dwDataType = RegUpdate::DT_TEXT;
    ApplyRegUpdate(update);
    EXPECT_EQ(SnapshotKey(strDeep), KeySnapshot({{"Count", {REG_SZ, std::string("\0", 1)}}}));
}

// The clean's search-list action clears the lists of the running version alone.
TEST_F(RegistryHandlers, SearchListsOfTheRunningVersionOnly)
{
    OSVERSIONINFOA info = {sizeof(info)};
    ASSERT_TRUE(GetVersionExA(&info));
    const bool bNT5 = info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5;
    const int nRunning = !bNT5 ? 2 : info.dwMinorVersion == 0 ? 1 : 0;
    const std::string strExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    const std::pair<int, std::string> rows[] = {  // XP, 2000, any other
        {0, "Software\\Microsoft\\Search Assistant\\ACMru"},
        {1, "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
            "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}"},
        {2, strExplorer + "FindComputerMRU"}, {2, strExplorer + "Doc Find Spec MRU"}};
    CScratchRegistry registry;
    for (const auto& row : rows)
        registry.Set(HKEY_CURRENT_USER, row.second + "\\5603", "000", "older text");
    Build();
    Enable("SMFindHistory");
    EXPECT_TRUE(Run());
    for (const auto& row : rows)
        EXPECT_EQ(KeyExists(row.second), row.first != nRunning) << row.second;
}

// NT keeps the form data under the user's identifier in keys only the system may change.
TEST_F(RegistryHandlers, AutoCompleteOpensUpTheUsersKeyDeletesTheFormDataAndRestoresTheKey)
{
    const bool bNT = (GetVersion() & 0x80000000) == 0;
    const std::string strSid = CurrentUserSid();
    char szUser[UNLEN + 1];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    const std::string strStorage = "Software\\Microsoft\\Protected Storage System Provider\\",
                      strFormData = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";
    const std::string strMachineKey = strStorage + szUser, strUserKey = strStorage + strSid,
                      strData = strUserKey + "\\Data", strUserForm = strUserKey + strFormData;
    CScratchRegistry registry;
    registry.Set(HKEY_CURRENT_USER, strData + "\\Other", "v", "kept");
    registry.Set(HKEY_CURRENT_USER, strUserForm + "\\Item\\Deeper", "v", "form text");
    registry.Set(HKEY_LOCAL_MACHINE, strMachineKey + strFormData + "\\Item", "v", "form text");
    const std::vector<std::string> keys = {strUserForm + "\\Item\\Deeper", strUserForm + "\\Item",
                                           strUserForm, strData, strUserKey};
    for (const std::string& strKey : keys)
        EXPECT_TRUE(!bNT || SetKeyDacl(strKey, "D:(A;;KA;;;SY)")) << strKey;
    ClearAutoCompleteStore();
    EXPECT_FALSE(KeyExists(strMachineKey + strFormData, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(strMachineKey + "\\Data", HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(strData + "\\Other"));
    // The user's key is closed again; "Data" stays open to the user, the form data gone.
    const auto Opens = [](const std::string& strKey, REGSAM access) {
        HKEY hKey;
        const LONG nResult = RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, access, &hKey);
        if (nResult == ERROR_SUCCESS)
            RegCloseKey(hKey);
        return nResult;
    };
    EXPECT_EQ(Opens(strUserKey, KEY_READ), bNT ? ERROR_ACCESS_DENIED : ERROR_SUCCESS);
    EXPECT_EQ(Opens(strData, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_EQ(Opens(strUserForm, READ_CONTROL), bNT ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)  // for the registry's clean-up
        SetKeyDacl(*it, "D:(A;OICI;KA;;;WD)");
}
