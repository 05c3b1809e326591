#include "cleaner/engine/RegistryCleaning.h"

#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/SystemVersion.h"

#include <lmcons.h>
#include <shlwapi.h>

#include <cstdio>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace {

struct HandleCloser {
    void operator()(HANDLE hHandle) const { CloseHandle(hHandle); }
};
typedef std::unique_ptr<void, HandleCloser> HandleHolder;

struct SidFreer {
    void operator()(PSID pSid) const { FreeSid(pSid); }
};
typedef std::unique_ptr<void, SidFreer> SidHolder;

const char kStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider\\";
const char kFormDataKey[] = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";
const DWORD kMaxSubkeyName = 260;

// The token's user record, whose identifier points into the same buffer.
// Empty when the token cannot be read.
std::vector<BYTE> QueryTokenUser()
{
    std::vector<BYTE> info;
    HANDLE hToken;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return info;
    const HandleHolder token(hToken);
    DWORD cbInfo = 0;
    GetTokenInformation(hToken, TokenUser, nullptr, 0, &cbInfo);
    if (cbInfo < sizeof(TOKEN_USER))
        return info;
    info.resize(cbInfo);
    if (!GetTokenInformation(hToken, TokenUser, info.data(), cbInfo, &cbInfo) ||
        !IsValidSid(reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid))
        info.clear();
    return info;
}

// Both entries allow every key right and are inherited by subkeys and values.
// The flags are set through the entry itself: NT 4.0 has no call that adds
// an entry with flags.
bool BuildOpenAcl(PSID pUser, PSID pSystem, std::vector<BYTE>& acl)
{
    const DWORD cbEntries = 2 * (sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD));
    const DWORD cbAcl = sizeof(ACL) + cbEntries + GetLengthSid(pUser) + GetLengthSid(pSystem);
    acl.assign(cbAcl, 0);
    PACL pAcl = reinterpret_cast<PACL>(acl.data());
    if (!InitializeAcl(pAcl, cbAcl, ACL_REVISION) ||
        !AddAccessAllowedAce(pAcl, ACL_REVISION, KEY_ALL_ACCESS, pUser) ||
        !AddAccessAllowedAce(pAcl, ACL_REVISION, KEY_ALL_ACCESS, pSystem))
        return false;
    for (DWORD i = 0; i < 2; ++i) {
        void* pAce = nullptr;
        if (!GetAce(pAcl, i, &pAce))
            return false;
        static_cast<ACE_HEADER*>(pAce)->AceFlags |= CONTAINER_INHERIT_ACE | OBJECT_INHERIT_ACE;
    }
    return true;
}

void SetKeyDacl(HKEY hParent, const char* pszKey, PSECURITY_DESCRIPTOR pDescriptor)
{
    HKEY hKey;
    if (RegOpenKeyExA(hParent, pszKey, 0, WRITE_DAC, &hKey) != ERROR_SUCCESS)
        return;
    const KeyHolder key(hKey);
    RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pDescriptor);
}

// The key is opened up before its subkeys are listed, as listing them may be
// what the old list forbids.
void SetTreeDacl(HKEY hParent, const char* pszKey, PSECURITY_DESCRIPTOR pDescriptor)
{
    SetKeyDacl(hParent, pszKey, pDescriptor);
    HKEY hKey;
    if (RegOpenKeyExA(hParent, pszKey, 0, KEY_ENUMERATE_SUB_KEYS, &hKey) != ERROR_SUCCESS)
        return;
    const KeyHolder key(hKey);
    std::vector<std::string> vecSubkeys;
    char szName[kMaxSubkeyName + 1];
    for (DWORD i = 0;; ++i) {
        DWORD cchName = sizeof(szName);
        if (RegEnumKeyExA(hKey, i, szName, &cchName, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        vecSubkeys.push_back(std::string(szName, cchName));
    }
    for (const std::string& strSubkey : vecSubkeys)
        SetTreeDacl(hKey, strSubkey.c_str(), pDescriptor);
}

// Reads the key's access list on creation and puts it back on destruction,
// however the work in between ends. Nothing is put back when it could not be
// read.
class CSavedDacl {
public:
    explicit CSavedDacl(HKEY hKey) : m_hKey(hKey)
    {
        DWORD cbDescriptor = 0;
        if (!hKey ||
            RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, nullptr, &cbDescriptor) !=
                ERROR_INSUFFICIENT_BUFFER ||
            cbDescriptor == 0)
            return;
        m_descriptor.resize(cbDescriptor);
        if (RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, m_descriptor.data(),
                              &cbDescriptor) != ERROR_SUCCESS)
            m_descriptor.clear();
    }
    ~CSavedDacl()
    {
        if (!m_descriptor.empty())
            RegSetKeySecurity(m_hKey, DACL_SECURITY_INFORMATION, m_descriptor.data());
    }
    CSavedDacl(const CSavedDacl&) = delete;
    CSavedDacl& operator=(const CSavedDacl&) = delete;

private:
    HKEY m_hKey;
    std::vector<BYTE> m_descriptor;
};

// The NT family keeps the form data under the user's identifier, in a key the
// user may not change until its access list is opened up.
void ClearUserStore(IChanges& changes)
{
    const std::string strSid = CurrentUserSid();
    if (strSid.empty())
        return;
    const std::string strUserKey = kStorageKey + strSid;
    changes.DeleteRegKeyTree(HKEY_CURRENT_USER, strUserKey + kFormDataKey, strUserKey, 0);
}

// Windows 95, 98 and ME keep the form data under the logon name.
void ClearMachineStore(IChanges& changes)
{
    char szUser[UNLEN + 1];
    DWORD cchUser = sizeof(szUser);
    if (!GetUserNameA(szUser, &cchUser) || szUser[0] == '\0')
        return;
    const std::string strKey = kStorageKey + std::string(szUser) + kFormDataKey;
    changes.DeleteRegKeyTree(HKEY_LOCAL_MACHINE, strKey, std::string(), 0);
}

}  // namespace

void DeleteKeyTreeOpeningUp(HKEY hRoot, const std::string& strTop, const std::string& strKey)
{
    if (strKey.compare(0, strTop.size(), strTop) != 0)
        return;  // not below the key to open up from
    const std::vector<BYTE> tokenUser = QueryTokenUser();
    if (tokenUser.empty())
        return;
    const PSID pUser = reinterpret_cast<const TOKEN_USER*>(tokenUser.data())->User.Sid;
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID pAllocated = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0,
                                  0, &pAllocated))
        return;
    const SidHolder system(pAllocated);
    std::vector<BYTE> acl;
    SECURITY_DESCRIPTOR descriptor;
    if (!BuildOpenAcl(pUser, system.get(), acl) ||
        !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(acl.data()), FALSE))
        return;

    HKEY hOpened;
    if (RegOpenKeyExA(hRoot, strTop.c_str(), 0, READ_CONTROL | WRITE_DAC, &hOpened) !=
        ERROR_SUCCESS)
        hOpened = nullptr;
    const KeyHolder topKey(hOpened);
    const CSavedDacl savedDacl(hOpened);

    if (topKey)
        RegSetKeySecurity(topKey.get(), DACL_SECURITY_INFORMATION, &descriptor);
    // Each key on the way down, then the whole tree.
    for (size_t nSeparator = strKey.find('\\', strTop.size() + 1);
         nSeparator != std::string::npos; nSeparator = strKey.find('\\', nSeparator + 1))
        SetKeyDacl(hRoot, strKey.substr(0, nSeparator).c_str(), &descriptor);
    SetTreeDacl(hRoot, strKey.c_str(), &descriptor);
    SHDeleteKeyA(hRoot, strKey.c_str());
}

void ClearSearchMRU(IChanges& changes)
{
    const std::string strNone;
    if (IsWinXP()) {
        changes.DeleteRegKeyTree(HKEY_CURRENT_USER,
                                 "Software\\Microsoft\\Search Assistant\\ACMru", strNone, 0);
    } else if (IsWin2000()) {
        changes.DeleteRegKeyTree(HKEY_CURRENT_USER,
                                 "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
                                 "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}",
                                 strNone, 0);
    } else {
        changes.DeleteRegKeyTree(
            HKEY_CURRENT_USER,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindComputerMRU", strNone,
            0);
        changes.DeleteRegKeyTree(
            HKEY_CURRENT_USER,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU",
            strNone, 0);
    }
}

void ClearAutoCompleteStore(IChanges& changes)
{
    // Running short of memory ends the handler like any other failure.
    try {
        if (IsWinNT())
            ClearUserStore(changes);
        ClearMachineStore(changes);
    } catch (const std::bad_alloc&) {
    }
}

std::string CurrentUserSid()
{
    const std::vector<BYTE> tokenUser = QueryTokenUser();
    if (tokenUser.empty())
        return std::string();
    return SidToText(reinterpret_cast<const TOKEN_USER*>(tokenUser.data())->User.Sid);
}

std::string SidToText(PSID pSid)
{
    if (!pSid || !IsValidSid(pSid))
        return std::string();
    const SID_IDENTIFIER_AUTHORITY* pAuthority = GetSidIdentifierAuthority(pSid);
    const BYTE* v = pAuthority->Value;
    char szPart[32];
    if (v[0] != 0 || v[1] != 0) {
        std::snprintf(szPart, sizeof(szPart), "S-1-0x%02x%02x%02x%02x%02x%02x", v[0], v[1], v[2],
                      v[3], v[4], v[5]);
    } else {
        const unsigned long nAuthority = static_cast<unsigned long>(v[2]) << 24 |
                                         static_cast<unsigned long>(v[3]) << 16 |
                                         static_cast<unsigned long>(v[4]) << 8 | v[5];
        std::snprintf(szPart, sizeof(szPart), "S-1-%lu", nAuthority);
    }
    std::string strText = szPart;
    const BYTE nSubAuthorities = *GetSidSubAuthorityCount(pSid);
    for (BYTE i = 0; i < nSubAuthorities; ++i) {
        std::snprintf(szPart, sizeof(szPart), "-%lu",
                      static_cast<unsigned long>(*GetSidSubAuthority(pSid, i)));
        strText += szPart;
    }
    return strText;
}
