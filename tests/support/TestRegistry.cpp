#include "tests/support/TestRegistry.h"

#include "common/RegistryKeys.h"

#include <shlwapi.h>

void DeleteProductKey()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kProductKey);
}

bool KeyExists(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool ReadRawValue(const std::string& strKey, const std::string& strName, DWORD& dwType,
                  std::string& bytes)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
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

bool ValueExists(const std::string& strKey, const std::string& strName)
{
    DWORD dwType;
    std::string bytes;
    return ReadRawValue(strKey, strName, dwType, bytes);
}

std::string ReadTextValue(const std::string& strKey, const std::string& strName)
{
    DWORD dwType;
    std::string bytes;
    if (!ReadRawValue(strKey, strName, dwType, bytes) || dwType != REG_SZ)
        return "<missing>";
    return bytes.substr(0, bytes.find('\0'));
}

bool ReadDwordValue(const std::string& strKey, const std::string& strName, DWORD& dwValue)
{
    DWORD dwType;
    std::string bytes;
    if (!ReadRawValue(strKey, strName, dwType, bytes) || dwType != REG_DWORD ||
        bytes.size() != sizeof(DWORD))
        return false;
    memcpy(&dwValue, bytes.data(), sizeof(DWORD));
    return true;
}

void WriteRawValue(const std::string& strKey, const std::string& strName, DWORD dwType,
                   const void* pData, DWORD cbData)
{
    HKEY hKey;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, strName.c_str(), 0, dwType,
                             static_cast<const BYTE*>(pData), cbData),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

void WriteDwordValue(const std::string& strKey, const std::string& strName, DWORD dwValue)
{
    WriteRawValue(strKey, strName, REG_DWORD, &dwValue, sizeof(dwValue));
}

void WriteStringValue(const std::string& strKey, const std::string& strName,
                      const std::string& strText)
{
    WriteRawValue(strKey, strName, REG_SZ, strText.c_str(), DWORD(strText.size() + 1));
}
