#include "tests/support/TestRegistry.h"

#include "common/RegistryKeys.h"

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
    char szName[16384];
    DWORD cchName = sizeof(szName);
    for (DWORD i = 0; RegEnumValueA(hKey, i, szName, &cchName, nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS; ++i, cchName = sizeof(szName)) {
        RawValue value;
        if (ReadRawValue(strKey, std::string(szName, cchName), value.dwType, value.bytes, hRoot))
            snapshot[strPrefix + std::string(szName, cchName)] = value;
    }
    cchName = sizeof(szName);
    for (DWORD i = 0; RegEnumKeyExA(hKey, i, szName, &cchName, nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS; ++i, cchName = sizeof(szName))
        AddToSnapshot(hRoot, strKey.empty() ? szName : strKey + "\\" + szName,
                      strPrefix + szName + "\\", snapshot);
    RegCloseKey(hKey);
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
    ASSERT_EQ(RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                              nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, strName.c_str(), 0, dwType, static_cast<const BYTE*>(pData),
                             cbData), ERROR_SUCCESS);
    RegCloseKey(hKey);
}
