// The search-list and auto-complete handlers against the real registry of the
// test prefix, under every Windows version the tests run as.
//
// What Wine does with key security, as these tests rely on it: keys carry real
// access lists that RegGetKeySecurity reads and RegSetKeySecurity replaces,
// and a program that Wine runs as an NT version is held to them: a key whose
// list leaves the user out cannot be opened to read or list it, so
// SHDeleteKeyA fails on it. Opening for READ_CONTROL, WRITE_DAC, WRITE_OWNER
// or DELETE alone is granted whatever the list says, as to an owner. A program
// run as Windows 98 gets the most the list allows, whatever it asks for.
#include "cleaner/engine/RegistryCleaning.h"
#include "tests/support/TestRegistry.h"

#include <lmcons.h>
#include <sddl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char kStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider";
const char kFormData[] = "e161255a-37c3-11d2-bcaa-00c04fd929db";

// The version the system reports, asked without the code under test.
enum class System { Xp, W2000, Other };

System RunningSystem()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    EXPECT_TRUE(GetVersionExA(&info));
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5)
        return info.dwMinorVersion == 0 ? System::W2000 : System::Xp;
    return System::Other;
}

bool RunningNT()
{
    return (GetVersion() & 0x80000000) == 0;
}

// The access list in the system's text form ("D:(A;;KA;;;SY)").
bool SetKeyDacl(const std::string& strKey, const char* pszDescriptor)
{
    PSECURITY_DESCRIPTOR pDescriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(pszDescriptor, SDDL_REVISION_1,
                                                              &pDescriptor, nullptr))
        return false;
    HKEY hKey;
    LONG nResult = RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, WRITE_DAC, &hKey);
    if (nResult == ERROR_SUCCESS) {
        nResult = RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pDescriptor);
        RegCloseKey(hKey);
    }
    LocalFree(pDescriptor);
    return nResult == ERROR_SUCCESS;
}

// Lets everyone at the keys again, so that a failed test still removes them.
void UnlockTree(const std::string& strKey)
{
    if (!SetKeyDacl(strKey, "D:(A;OICI;KA;;;WD)"))
        return;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &hKey) !=
        ERROR_SUCCESS)
        return;
    std::vector<std::string> subkeys;
    char szName[300];
    for (DWORD i = 0;; ++i) {
        DWORD cchName = sizeof(szName);
        if (RegEnumKeyExA(hKey, i, szName, &cchName, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.push_back(szName);
    }
    RegCloseKey(hKey);
    for (const std::string& strSubkey : subkeys)
        UnlockTree(strKey + "\\" + strSubkey);
}

// Whether the key is there, even when its list keeps the user from reading it.
bool KeyPresent(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, READ_CONTROL, &hKey) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// The key's access list, byte for byte.
std::string KeyDacl(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, READ_CONTROL, &hKey) !=
        ERROR_SUCCESS)
        return "<no key>";
    DWORD cbDescriptor = 0;
    RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, nullptr, &cbDescriptor);
    std::vector<BYTE> descriptor(cbDescriptor + 1);
    const LONG nResult =
        RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, descriptor.data(), &cbDescriptor);
    RegCloseKey(hKey);
    BOOL bPresent = FALSE;
    BOOL bDefaulted = FALSE;
    PACL pAcl = nullptr;
    if (nResult != ERROR_SUCCESS ||
        !GetSecurityDescriptorDacl(descriptor.data(), &bPresent, &pAcl, &bDefaulted) ||
        !bPresent || !pAcl)
        return "<no list>";
    return std::string(reinterpret_cast<const char*>(pAcl), pAcl->AclSize);
}

std::vector<BYTE> QueryTokenUser()
{
    HANDLE hToken;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken));
    std::vector<BYTE> info(1024);
    DWORD cbInfo = 0;
    EXPECT_TRUE(GetTokenInformation(hToken, TokenUser, info.data(), DWORD(info.size()), &cbInfo));
    CloseHandle(hToken);
    return info;
}

PSID UserSid(std::vector<BYTE>& tokenUser)
{
    return reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid;
}

// A security identifier from its parts, in the layout the system keeps.
std::vector<BYTE> MakeSid(const BYTE (&authority)[6], const std::vector<DWORD>& subAuthorities)
{
    std::vector<BYTE> sid;
    sid.push_back(1);
    sid.push_back(BYTE(subAuthorities.size()));
    for (BYTE b : authority)
        sid.push_back(b);
    for (DWORD dwSub : subAuthorities) {
        for (int nShift = 0; nShift < 32; nShift += 8)
            sid.push_back(BYTE(dwSub >> nShift));
    }
    return sid;
}

}  // namespace

TEST(RegistryHandlers, SearchListsOfTheRunningVersionOnly)
{
    const struct {
        System system;
        std::vector<std::string> keys;
    } rows[] = {
        {System::Xp, {"Software\\Microsoft\\Search Assistant\\ACMru"}},
        {System::W2000,
         {"Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
          "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}"}},
        {System::Other,
         {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindComputerMRU",
          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU"}},
    };
    std::vector<std::unique_ptr<CScratchKey>> scratch;
    for (const auto& row : rows) {
        for (const std::string& strKey : row.keys) {
            scratch.emplace_back(new CScratchKey(HKEY_CURRENT_USER, strKey));
            WriteStringValue(strKey, "a", "typed text");
            WriteStringValue(strKey + "\\5603", "000", "older text");
        }
    }

    ClearSearchMRU();

    const System running = RunningSystem();
    for (const auto& row : rows) {
        for (const std::string& strKey : row.keys)
            EXPECT_EQ(KeyExists(strKey), row.system != running) << strKey;
    }
}

TEST(RegistryHandlers, SidTextFollowsTheStandardForm)
{
    const struct {
        BYTE authority[6];
        std::vector<DWORD> subAuthorities;
        const char* text;
    } cases[] = {
        {{0, 0, 0, 0, 0, 5}, {18}, "S-1-5-18"},
        {{0, 0, 0, 0, 0, 5}, {21, 1, 2, 4294967295u, 1000}, "S-1-5-21-1-2-4294967295-1000"},
        {{0, 0, 0, 0, 0, 1}, {0}, "S-1-1-0"},
        {{0, 0, 0, 0, 0, 5}, {}, "S-1-5"},
        {{0, 0, 0x12, 0x34, 0x56, 0x78}, {7}, "S-1-305419896-7"},
        {{0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, {0}, "S-1-4294967295-0"},
        {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, {7}, "S-1-0x123456789abc-7"},
        {{0, 1, 0, 0, 0, 0}, {5}, "S-1-0x000100000000-5"},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> sid = MakeSid(c.authority, c.subAuthorities);
        EXPECT_EQ(SidToText(sid.data()), c.text);
    }

    std::vector<BYTE> badRevision = MakeSid(cases[0].authority, {18});
    badRevision[0] = 2;
    EXPECT_EQ(SidToText(badRevision.data()), "");
    EXPECT_EQ(SidToText(nullptr), "");

    // Wine's user is a local account of the form "S-1-5-21-0-0-0-1000".
    std::vector<BYTE> tokenUser = QueryTokenUser();
    char* pszSystemText = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidA(UserSid(tokenUser), &pszSystemText));
    const std::string strText = SidToText(UserSid(tokenUser));
    EXPECT_EQ(strText, pszSystemText);
    EXPECT_EQ(strText.compare(0, 9, "S-1-5-21-"), 0) << strText;
    LocalFree(pszSystemText);
}

class RegistryAutoComplete : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<BYTE> tokenUser = QueryTokenUser();
        m_strUserKey = std::string(kStorageKey) + "\\" + SidToText(UserSid(tokenUser));
        char szUser[UNLEN + 1];
        DWORD cchUser = sizeof(szUser);
        ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
        m_strMachineKey = std::string(kStorageKey) + "\\" + szUser + "\\Data";
        m_userScratch.reset(new CScratchKey(HKEY_CURRENT_USER, m_strUserKey));
        m_machineScratch.reset(new CScratchKey(HKEY_LOCAL_MACHINE, m_strMachineKey));
    }
    void TearDown() override
    {
        UnlockTree(m_strUserKey);
        m_userScratch.reset();
        m_machineScratch.reset();
    }

    std::string m_strUserKey;
    std::string m_strMachineKey;
    std::unique_ptr<CScratchKey> m_userScratch;
    std::unique_ptr<CScratchKey> m_machineScratch;
};

TEST_F(RegistryAutoComplete, OpensUpTheUsersKeyDeletesTheFormDataAndRestoresTheKey)
{
    const std::string strData = m_strUserKey + "\\Data";
    const std::string strFormData = strData + "\\" + kFormData;
    WriteStringValue(m_strUserKey, "v", "user key");
    WriteStringValue(strData + "\\Other", "v", "kept");
    WriteStringValue(strFormData + "\\Item\\Deeper", "v", "form text");
    WriteStringValue(m_strMachineKey + "\\" + kFormData + "\\Item", "v", "form text",
                     HKEY_LOCAL_MACHINE);

    const bool bNT = RunningNT();
    if (bNT) {
        // Only the system may list or read the user's keys, down to the deepest.
        for (const std::string& strKey : {strFormData + "\\Item\\Deeper", strFormData + "\\Item",
                                          strFormData, strData, m_strUserKey})
            EXPECT_TRUE(SetKeyDacl(strKey, "D:(A;;KA;;;SY)")) << strKey;
        HKEY hKey;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, strFormData.c_str(), 0, KEY_READ, &hKey),
                  ERROR_ACCESS_DENIED);
    }
    const std::string strUserDacl = KeyDacl(m_strUserKey);

    ClearAutoCompleteStore();

    EXPECT_FALSE(KeyExists(m_strMachineKey + "\\" + kFormData, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(m_strMachineKey, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(strData + "\\Other"));
    if (!bNT) {
        // Windows 98 has no user's key to clean.
        EXPECT_TRUE(KeyPresent(strFormData + "\\Item\\Deeper"));
        return;
    }
    EXPECT_FALSE(KeyPresent(strFormData));
    EXPECT_EQ(KeyDacl(m_strUserKey), strUserDacl);

    // The opened-up list stays on the "Data" key: the user, then the local
    // system, every key right, inherited by subkeys and values.
    std::vector<BYTE> tokenUser = QueryTokenUser();
    const std::vector<BYTE> system = MakeSid({0, 0, 0, 0, 0, 5}, {18});
    const std::string strAcl = KeyDacl(strData);
    ASSERT_GE(strAcl.size(), sizeof(ACL));
    PACL pAcl = reinterpret_cast<PACL>(const_cast<char*>(strAcl.data()));
    EXPECT_EQ(pAcl->AclRevision, ACL_REVISION);
    ASSERT_EQ(pAcl->AceCount, 2);
    const PSID sids[] = {UserSid(tokenUser), PSID(system.data())};
    for (DWORD i = 0; i < 2; ++i) {
        void* pEntry = nullptr;
        ASSERT_TRUE(GetAce(pAcl, i, &pEntry));
        const ACCESS_ALLOWED_ACE* pAce = static_cast<ACCESS_ALLOWED_ACE*>(pEntry);
        EXPECT_EQ(pAce->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << i;
        EXPECT_EQ(pAce->Header.AceFlags, CONTAINER_INHERIT_ACE | OBJECT_INHERIT_ACE) << i;
        EXPECT_EQ(pAce->Mask, DWORD(KEY_ALL_ACCESS)) << i;
        EXPECT_TRUE(EqualSid(PSID(const_cast<DWORD*>(&pAce->SidStart)), sids[i])) << i;
    }
}
