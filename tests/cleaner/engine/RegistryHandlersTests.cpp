// The search-list and auto-complete handlers against the real registry of the
// test prefix, under every Windows version the tests run as.
//
// What Wine does with key security, as these tests rely on it: keys carry real
// access lists, and a program that Wine runs as an NT version is held to them:
// a key whose list leaves the user out cannot be opened to read or list it.
// Opening for READ_CONTROL or WRITE_DAC alone is granted whatever the list
// says, as to an owner. A program run as Windows 98 gets the most the list
// allows, whatever it asks for.
#include "cleaner/engine/RegistryCleaning.h"
#include "tests/support/TestRegistry.h"

#include <lmcons.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char kStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider\\";
const char kFormData[] = "\\e161255a-37c3-11d2-bcaa-00c04fd929db";

// The access list in the system's text form ("D:(A;;KA;;;SY)").
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

// Lets everyone at the keys again, so that a failed test still removes them.
void UnlockTree(const std::string& strKey)
{
    HKEY hKey;
    if (!SetKeyDacl(strKey, "D:(A;OICI;KA;;;WD)") ||
        RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &hKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> subkeys;
    char szName[300];
    for (DWORD i = 0, cch = sizeof(szName);
         RegEnumKeyExA(hKey, i, szName, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, cch = sizeof(szName))
        subkeys.push_back(szName);
    RegCloseKey(hKey);
    for (const std::string& strSubkey : subkeys)
        UnlockTree(strKey + "\\" + strSubkey);
}

// The key's access list, byte for byte; empty when the key is not there.
std::string KeyDacl(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, READ_CONTROL, &hKey) != ERROR_SUCCESS)
        return std::string();
    std::vector<BYTE> descriptor(4096);
    DWORD cbDescriptor = DWORD(descriptor.size());
    RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, descriptor.data(), &cbDescriptor);
    RegCloseKey(hKey);
    BOOL bPresent = FALSE, bDefaulted = FALSE;
    PACL pAcl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor.data(), &bPresent, &pAcl, &bDefaulted) || !pAcl)
        return "<no list>";
    return std::string(reinterpret_cast<const char*>(pAcl), pAcl->AclSize);
}

std::string UserSidText()
{
    HANDLE hToken;
    std::vector<BYTE> info(1024);
    DWORD cbInfo = 0;
    char* pszText = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken));
    EXPECT_TRUE(GetTokenInformation(hToken, TokenUser, info.data(), DWORD(info.size()), &cbInfo));
    CloseHandle(hToken);
    EXPECT_TRUE(ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid, &pszText));
    const std::string strText = pszText ? pszText : "";
    LocalFree(pszText);
    return strText;
}

// A security identifier from its parts, in the layout the system keeps.
std::vector<BYTE> MakeSid(const std::vector<BYTE>& authority, const std::vector<DWORD>& subAuthorities)
{
    std::vector<BYTE> sid(2 + authority.size());
    sid[0] = 1;
    sid[1] = BYTE(subAuthorities.size());
    std::copy(authority.begin(), authority.end(), sid.begin() + 2);
    for (DWORD dwSub : subAuthorities) {
        for (int nShift = 0; nShift < 32; nShift += 8)
            sid.push_back(BYTE(dwSub >> nShift));
    }
    return sid;
}

bool RunningNT()
{
    return (GetVersion() & 0x80000000) == 0;
}

}  // namespace

TEST(RegistryHandlers, SearchListsOfTheRunningVersionOnly)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    const bool bNT5 = info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5;
    const int nRunning = !bNT5 ? 2 : info.dwMinorVersion == 0 ? 1 : 0;
    const std::string strExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    const struct {
        int nSystem;  // XP, 2000, any other
        std::string strKey;
    } rows[] = {
        {0, "Software\\Microsoft\\Search Assistant\\ACMru"},
        {1, "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
            "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}"},
        {2, strExplorer + "FindComputerMRU"},
        {2, strExplorer + "Doc Find Spec MRU"},
    };
    std::vector<std::unique_ptr<CScratchKey>> scratch;
    for (const auto& row : rows) {
        scratch.emplace_back(new CScratchKey(HKEY_CURRENT_USER, row.strKey));
        WriteStringValue(row.strKey + "\\5603", "000", "older text");
    }
    ClearSearchMRU();
    for (const auto& row : rows)
        EXPECT_EQ(KeyExists(row.strKey), row.nSystem != nRunning) << row.strKey;
}

TEST(RegistryHandlers, AutoCompleteOpensUpTheUsersKeyDeletesTheFormDataAndRestoresTheKey)
{
    const std::string strUserKey = kStorageKey + UserSidText();
    char szUser[UNLEN + 1];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    const std::string strMachineKey = kStorageKey + std::string(szUser) + "\\Data";
    const CScratchKey userScratch(HKEY_CURRENT_USER, strUserKey);
    const CScratchKey machineScratch(HKEY_LOCAL_MACHINE, strMachineKey);
    struct CUnlock {
        std::string strKey;
        ~CUnlock() { UnlockTree(strKey); }
    } unlock{strUserKey};
    const std::string strData = strUserKey + "\\Data", strFormData = strData + kFormData;
    WriteStringValue(strData + "\\Other", "v", "kept");
    WriteStringValue(strFormData + "\\Item\\Deeper", "v", "form text");
    WriteStringValue(strMachineKey + kFormData + "\\Item", "v", "form text", HKEY_LOCAL_MACHINE);
    if (RunningNT()) {
        // Only the system may list or read the user's keys, down to the deepest.
        for (const std::string& strKey : {strFormData + "\\Item\\Deeper", strFormData + "\\Item",
                                          strFormData, strData, strUserKey})
            EXPECT_TRUE(SetKeyDacl(strKey, "D:(A;;KA;;;SY)")) << strKey;
        HKEY hKey;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, strFormData.c_str(), 0, KEY_READ, &hKey),
                  ERROR_ACCESS_DENIED);
    }
    const std::string strUserDacl = KeyDacl(strUserKey);

    ClearAutoCompleteStore();

    EXPECT_FALSE(KeyExists(strMachineKey + kFormData, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(strMachineKey, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(KeyExists(strData + "\\Other"));
    // Windows 98 has no user's key to clean.
    EXPECT_EQ(KeyDacl(strFormData).empty(), RunningNT());
    if (!RunningNT())
        return;
    EXPECT_EQ(KeyDacl(strUserKey), strUserDacl);

    // The opened-up list stays on the "Data" key: the user, then the local
    // system, every key right, inherited by subkeys and values.
    const std::string strAcl = KeyDacl(strData);
    ASSERT_GE(strAcl.size(), sizeof(ACL));
    PACL pAcl = reinterpret_cast<PACL>(const_cast<char*>(strAcl.data()));
    EXPECT_EQ(pAcl->AclRevision, ACL_REVISION);
    ASSERT_EQ(pAcl->AceCount, 2);
    const std::string sids[] = {UserSidText(), "S-1-5-18"};
    for (DWORD i = 0; i < 2; ++i) {
        void* pEntry = nullptr;
        ASSERT_TRUE(GetAce(pAcl, i, &pEntry));
        const ACCESS_ALLOWED_ACE* pAce = static_cast<ACCESS_ALLOWED_ACE*>(pEntry);
        EXPECT_EQ(pAce->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << i;
        EXPECT_EQ(pAce->Header.AceFlags, CONTAINER_INHERIT_ACE | OBJECT_INHERIT_ACE) << i;
        EXPECT_EQ(pAce->Mask, DWORD(KEY_ALL_ACCESS)) << i;
        EXPECT_EQ(SidToText(PSID(const_cast<DWORD*>(&pAce->SidStart))), sids[i]) << i;
    }
}

TEST(SidText, FollowsTheStandardForm)
{
    const struct {
        std::vector<BYTE> authority;
        std::vector<DWORD> subAuthorities;
        const char* text;
    } cases[] = {
        {{0, 0, 0, 0, 0, 5}, {21, 1, 2, 4294967295u, 1000}, "S-1-5-21-1-2-4294967295-1000"},
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
    std::vector<BYTE> badRevision = MakeSid({0, 0, 0, 0, 0, 5}, {18});
    badRevision[0] = 2;
    EXPECT_EQ(SidToText(badRevision.data()), "");
    EXPECT_EQ(SidToText(nullptr), "");
}
