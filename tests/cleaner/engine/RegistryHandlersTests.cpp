// The search-list and auto-complete handlers, under every Windows version the tests run as.
// Wine holds a program it runs as NT to the keys' access lists: a key whose list leaves
// the user out cannot be read, though it opens for READ_CONTROL or WRITE_DAC alone.
#include "cleaner/engine/RegistryCleaning.h"
#include "tests/support/CleaningRunTest.h"

#include <lmcons.h>
#include <sddl.h>

namespace {

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

typedef CleaningRun RegistryHandlers;

}  // namespace

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
        {2, strExplorer + "FindComputerMRU"},
        {2, strExplorer + "Doc Find Spec MRU"},
    };
    CScratchRegistry registry;
    for (const auto& row : rows)
        registry.Set(HKEY_CURRENT_USER, row.second + "\\5603", "000", "older text");
    Build();
    Enable("SMFindHistory");
    EXPECT_TRUE(Run());
    for (const auto& row : rows)
        EXPECT_EQ(KeyExists(row.second), row.first != nRunning) << row.second;
}

// The NT family keeps the form data under the user's identifier, in keys
// that only the system may change; Windows 98 under the logon name.
TEST_F(RegistryHandlers, AutoCompleteOpensUpTheUsersKeyDeletesTheFormDataAndRestoresTheKey)
{
    const bool bNT = (GetVersion() & 0x80000000) == 0;
    HANDLE hToken;
    std::vector<BYTE> tokenUser(1024);
    DWORD cbInfo = 0;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken));
    ASSERT_TRUE(GetTokenInformation(hToken, TokenUser, tokenUser.data(), 1024, &cbInfo));
    CloseHandle(hToken);
    const std::string strSid = SidToText(reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid);
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
    // Lets everyone at the keys again, so that they can be removed.
    struct CUnlock {
        std::vector<std::string> keys;
        ~CUnlock()
        {
            for (const std::string& strKey : keys)
                SetKeyDacl(strKey, "D:(A;OICI;KA;;;WD)");
        }
    } unlock{{strUserKey, strData, strUserForm, strUserForm + "\\Item",
               strUserForm + "\\Item\\Deeper"}};
    for (auto it = unlock.keys.rbegin(); bNT && it != unlock.keys.rend(); ++it)
        EXPECT_TRUE(SetKeyDacl(*it, "D:(A;;KA;;;SY)")) << *it;
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
}
