#include "tests/support/TestRegistry.h"

#include "common/RegistryKeys.h"

#include <shlwapi.h>

void DeleteProductKey()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kProductKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZR");  // only when nothing else is in it
}

bool KeyExists(const std::string& strKey, HKEY hRoot)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool ReadRawValue(const std::string& strKey, const std::string& strName, DWORD& dwType,
                  std::string& bytes, HKEY hRoot)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cbData = 0;
    LONG nResult = RegQueryValueExA(hKey, strName.c_str(), nullptr, &dwType, nullptr, &cbData);
    if (nResult == ERROR_SUCCESS) {
        bytes.assign(cbData, '\0');
        nResult = RegQueryValueExA(hKey, strName.c_str(), nullptr, &dwType,
                                   reinterpret_cast<BYTE*>(&bytes[0]), &cbData);
        bytes.resize(cbData);
    }
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

namespace {

void AddToSnapshot(HKEY hRoot, const std::string& strKey, const std::string& strPrefix,
                   KeySnapshot& snapshot)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names, subkeys;
    char szName[16384];
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = sizeof(szName);
        if (RegEnumValueA(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(std::string(szName, cchName));
    }
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = sizeof(szName);
        if (RegEnumKeyExA(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(std::string(szName, cchName));
    }
    RegCloseKey(hKey);
    for (const std::string& strName : names) {
        RawValue value;
        if (ReadRawValue(strKey, strName, value.dwType, value.bytes, hRoot))
            snapshot[strPrefix + strName] = value;
    }
    for (const std::string& strSubkey : subkeys)
        AddToSnapshot(hRoot, strKey.empty() ? strSubkey : strKey + "\\" + strSubkey,
                      strPrefix + strSubkey + "\\", snapshot);
}

}  // namespace

KeySnapshot SnapshotKey(const std::string& strKey, HKEY hRoot)
{
    KeySnapshot snapshot;
    AddToSnapshot(hRoot, strKey, std::string(), snapshot);
    return snapshot;
}

std::string ReadTextValue(const std::string& strKey, const std::string& strName, HKEY hRoot)
{
    DWORD dwType;
    std::string bytes;
    if (!ReadRawValue(strKey, strName, dwType, bytes, hRoot) || dwType != REG_SZ)
        return "<missing>";
    return bytes.substr(0, bytes.find('\0'));
}

bool ReadDwordValue(const std::string& strKey, const std::string& strName, DWORD& dwValue,
                    HKEY hRoot)
{
    DWORD dwType;
    std::string bytes;
    if (!ReadRawValue(strKey, strName, dwType, bytes, hRoot) || dwType != REG_DWORD ||
        bytes.size() != sizeof(DWORD))
        return false;
    memcpy(&dwValue, bytes.data(), sizeof(DWORD));
    return true;
}

void WriteRawValue(const std::string& strKey, const std::string& strName, DWORD dwType,
                   const void* pData, DWORD cbData, HKEY hRoot)
{
    HKEY hKey;
    ASSERT_EQ(RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, strName.c_str(), 0, dwType,
                             static_cast<const BYTE*>(pData), cbData),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

void DeleteKeyTree(const std::string& strKey, HKEY hRoot)
{
    SHDeleteKeyA(hRoot, strKey.c_str());
}

CSavedValue::CSavedValue(HKEY hRoot, const std::string& strKey, const std::string& strName)
    : m_hRoot(hRoot), m_strKey(strKey), m_strName(strName)
{
    m_bExisted = ReadRawValue(strKey, strName, m_dwType, m_bytes, hRoot);
}

CSavedValue::~CSavedValue()
{
    if (m_bExisted) {
        WriteRawValue(m_strKey, m_strName, m_dwType, m_bytes.data(), DWORD(m_bytes.size()),
                      m_hRoot);
    } else {
        SHDeleteValueA(m_hRoot, m_strKey.c_str(), m_strName.c_str());
    }
}

CScratchKey::CScratchKey(HKEY hRoot, const std::string& strKey) : m_hRoot(hRoot)
{
    for (size_t nEnd = strKey.find('\\');; nEnd = strKey.find('\\', nEnd + 1)) {
        const std::string strPrefix = strKey.substr(0, nEnd);
        if (!KeyExists(strPrefix, hRoot)) {
            m_strMissing = strPrefix;
            return;
        }
        if (nEnd == std::string::npos)
            return;
    }
}

CScratchKey::~CScratchKey()
{
    if (!m_strMissing.empty())
        DeleteKeyTree(m_strMissing, m_hRoot);
}

// The values go back before the keys they were created in go.
CScratchRegistry::~CScratchRegistry()
{
    while (!m_saved.empty())
        m_saved.pop_back();
    while (!m_keys.empty())
        m_keys.pop_back();
}

void CScratchRegistry::SetRaw(HKEY hRoot, const std::string& strKey, const char* pszName,
                              DWORD dwType, const void* pData, DWORD cbData)
{
    Save(hRoot, strKey, pszName);
    WriteRawValue(strKey, pszName, dwType, pData, cbData, hRoot);
}

void CScratchRegistry::Remove(HKEY hRoot, const std::string& strKey, const char* pszName)
{
    Save(hRoot, strKey, pszName);
    SHDeleteValueA(hRoot, strKey.c_str(), pszName);
}

void CScratchRegistry::Save(HKEY hRoot, const std::string& strKey, const char* pszName)
{
    m_keys.push_back(std::make_unique<CScratchKey>(hRoot, strKey));
    m_saved.push_back(std::make_unique<CSavedValue>(hRoot, strKey, pszName));
}
