// The search-list and auto-complete handlers against the real registry of the
// test prefix, under every Windows version the tests run as.
//
// Wine keeps real access lists on keys, and holds a program that it runs as
// an NT version to them: a key whose list leaves the user out cannot be read
// or listed, though opening it for READ_CONTROL or WRITE_DAC alone is granted,
// as to an owner. A program run as Windows 98 gets what the list allows.
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

// The key's access list in the system's text form ("D:(A;;KA;;;SY)"); empty
// when the key is not there.
std::string KeyDacl(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, READ_CONTROL, &hKey) != ERROR_SUCCESS)
        return std::string();
    std::vector<BYTE> descriptor(4096);
    DWORD cbDescriptor = DWORD(descriptor.size());
    RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, descriptor.data(), &cbDescriptor);
    RegCloseKey(hKey);
    char* pszText = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &pszText, nullptr))
        return "<no list>";
    const std::string strText = pszText;
    LocalFree(pszText);
    return strText;
}

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
        {1,
         "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
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

// The NT family keeps the form data under the user's identifier, in keys
// that only the system may change; Windows 98 under the logon name.
TEST(RegistryHandlers, AutoCompleteOpensUpTheUsersKeyDeletesTheFormDataAndRestoresTheKey)
{
    const bool bNT = (GetVersion() & 0x80000000) == 0;
    HANDLE hToken;
    std::vector<BYTE> tokenUser(1024);
    DWORD cbInfo = 0;
    char* pszSid = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken));
    ASSERT_TRUE(GetTokenInformation(hToken, TokenUser, tokenUser.data(), 1024, &cbInfo));
    CloseHandle(hToken);
    const PSID pUser = reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid;
    ASSERT_TRUE(ConvertSidToStringSidA(pUser, &pszSid));
    const std::string strSid = pszSid;
    LocalFree(pszSid);
    EXPECT_EQ(SidToText(pUser), strSid);
    char szUser[UNLEN + 1];
    DWORD cchUser = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cchUser));
    const std::string strMachineKey = kStorageKey + std::string(szUser) + "\\Data";
    const std::string strUserKey = kStorageKey + strSid, strData = strUserKey + "\\Data";
    const std::string strFormData = strData + kFormData;
    const CScratchKey userScratch(HKEY_CURRENT_USER, strUserKey);
    const CScratchKey machineScratch(HKEY_LOCAL_MACHINE, strMachineKey);
    // Lets everyone at the keys again, so that they can be removed.
    struct CUnlock {
        std::vector<std::string> keys;
        ~CUnlock()
        {
            for (const std::string& strKey : keys)
                SetKeyDacl(strKey, "D:(A;OICI;KA;;;WD)");
        }
    } unlock{
        {strUserKey, strData, strFormData, strFormData + "\\Item", strFormData + "\\Item\\Deeper"}};
    WriteStringValue(strData + "\\Other", "v", "kept");
    WriteStringValue(strFormData + "\\Item\\Deeper", "v", "form text");
    WriteStringValue(strMachineKey + kFormData + "\\Item", "v", "form text", HKEY_LOCAL_MACHINE);
    if (bNT) {
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
    EXPECT_EQ(KeyDacl(strFormData).empty(), bNT);
    if (bNT) {
        EXPECT_EQ(KeyDacl(strUserKey), strUserDacl);
        // The opened-up list stays on "Data": the user, then the local system,
        // every key right, inherited by subkeys and values.
        EXPECT_EQ(KeyDacl(strData), "D:(A;OICI;KA;;;" + strSid + ")(A;OICI;KA;;;SY)");
    }
}
