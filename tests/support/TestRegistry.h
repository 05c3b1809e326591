// Registry access for tests, straight against the API so as to share no fault with
// the code under test; in the current user's hive unless given another root.
#pragma once

#include "common/RegistryKeys.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Removes the product's key of the current user, and "Software\ZR" when empty.
inline void DeleteProductKey()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kProductKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZR");  // only when nothing else is in it
}

inline bool KeyExists(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

struct RawValue {
    DWORD dwType;
    std::string bytes;
    bool operator==(const RawValue& other) const
    {
        return dwType == other.dwType && bytes == other.bytes;
    }
};
// The raw value: its type and bytes. False when it is missing.
inline bool ReadRawValue(const std::string& strKey, const std::string& strName, DWORD& dwType,
                         std::string& bytes, HKEY hRoot = HKEY_CURRENT_USER)
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

inline bool ValueExists(const std::string& strKey, const std::string& strName,
                        HKEY hRoot = HKEY_CURRENT_USER)
{
    RawValue value;
    return ReadRawValue(strKey, strName, value.dwType, value.bytes, hRoot);
}

// A REG_SZ value up to its first zero; "<missing>" when missing or of another type.
inline std::string ReadTextValue(const std::string& strKey, const std::string& strName,
                                 HKEY hRoot = HKEY_CURRENT_USER)
{
    RawValue value;
    if (!ReadRawValue(strKey, strName, value.dwType, value.bytes, hRoot) || value.dwType != REG_SZ)
        return "<missing>";
    return value.bytes.substr(0, value.bytes.find('\0'));
}

// A REG_DWORD value; false when missing or of another type.
inline bool ReadDwordValue(const std::string& strKey, const std::string& strName, DWORD& dwValue,
                           HKEY hRoot = HKEY_CURRENT_USER)
{
    RawValue value;
    if (!ReadRawValue(strKey, strName, value.dwType, value.bytes, hRoot) ||
        value.dwType != REG_DWORD || value.bytes.size() != sizeof(DWORD))
        return false;
    memcpy(&dwValue, value.bytes.data(), sizeof(DWORD));
    return true;
}

inline void WriteRawValue(const std::string& strKey, const std::string& strName, DWORD dwType,
                          const void* pData, DWORD cbData, HKEY hRoot = HKEY_CURRENT_USER)
{
    HKEY hKey;
    ASSERT_EQ(RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                              nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, strName.c_str(), 0, dwType, static_cast<const BYTE*>(pData),
                             cbData), ERROR_SUCCESS);
    RegCloseKey(hKey);
}

inline void WriteDwordValue(const std::string& strKey, const std::string& strName,
                            DWORD dwValue, HKEY hRoot = HKEY_CURRENT_USER)
{
    WriteRawValue(strKey, strName, REG_DWORD, &dwValue, sizeof(dwValue), hRoot);
}
// A REG_SZ value with its terminating zero.
inline void WriteStringValue(const std::string& strKey, const std::string& strName,
                             const std::string& strText, HKEY hRoot = HKEY_CURRENT_USER)
{
    WriteRawValue(strKey, strName, REG_SZ, strText.c_str(), DWORD(strText.size() + 1), hRoot);
}

// Every value below a key (or the root, for ""), by "subkey path\name".
typedef std::map<std::string, RawValue> KeySnapshot;
inline KeySnapshot SnapshotKey(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER)
{
    KeySnapshot snapshot;
    // The keys still to read: each path, and the prefix of its values' names.
    std::vector<std::pair<std::string, std::string>> keys = {{strKey, ""}};
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string strPath = keys[i].first, strPrefix = keys[i].second;
        HKEY hKey;
        if (RegOpenKeyExA(hRoot, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        char szName[16384];
        DWORD cchName = sizeof(szName);
        for (DWORD n = 0; RegEnumValueA(hKey, n, szName, &cchName, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS; ++n, cchName = sizeof(szName)) {
            RawValue value;
            const std::string strName(szName, cchName);
            if (ReadRawValue(strPath, strName, value.dwType, value.bytes, hRoot))
                snapshot[strPrefix + strName] = value;
        }
        cchName = sizeof(szName);
        for (DWORD n = 0; RegEnumKeyExA(hKey, n, szName, &cchName, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS; ++n, cchName = sizeof(szName))
            keys.push_back({strPath.empty() ? szName : strPath + "\\" + szName,
                            strPrefix + szName + "\\"});
        RegCloseKey(hKey);
    }
    return snapshot;
}

// Removes a key with everything below it; a missing key is no failure.
inline void DeleteKeyTree(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER)
{
    SHDeleteKeyA(hRoot, strKey.c_str());
}

// One value as it was before the test, put back (or removed) at the end.
class CSavedValue {
public:
    CSavedValue(HKEY hRoot, const std::string& strKey, const std::string& strName)
        : m_hRoot(hRoot), m_strKey(strKey), m_strName(strName)
    {
        m_bExisted = ReadRawValue(strKey, strName, m_dwType, m_bytes, hRoot);
    }
    ~CSavedValue()
    {
        if (m_bExisted)
            WriteRawValue(m_strKey, m_strName, m_dwType, m_bytes.data(), DWORD(m_bytes.size()),
                          m_hRoot);
        else
            SHDeleteValueA(m_hRoot, m_strKey.c_str(), m_strName.c_str());
    }
    CSavedValue(const CSavedValue&) = delete;
    CSavedValue& operator=(const CSavedValue&) = delete;

private:
    HKEY m_hRoot;
    std::string m_strKey, m_strName;
    bool m_bExisted;
    DWORD m_dwType = 0;
    std::string m_bytes;
};

// A test that starts and ends without the product's registry key.
class CProductKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteProductKey(); }
    void TearDown() override { DeleteProductKey(); }
};

// Values the test sets or removes, restored at the end with the keys it created gone.
class CScratchRegistry {
public:
    ~CScratchRegistry()
    {
        for (; !m_changes.empty(); m_changes.pop_back()) {  // the latest change first
            Change& change = m_changes.back();
            change.value.reset();
            if (!change.strMissing.empty())
                DeleteKeyTree(change.strMissing, change.hRoot);
        }
    }

    void Set(HKEY hRoot, const std::string& strKey, const char* pszName,
             const std::string& strText)
    {
        SetRaw(hRoot, strKey, pszName, REG_SZ, strText.c_str(), DWORD(strText.size() + 1));
    }
    void SetRaw(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType,
                const void* pData, DWORD cbData)
    {
        Save(hRoot, strKey, pszName);
        WriteRawValue(strKey, pszName, dwType, pData, cbData, hRoot);
    }
    void Remove(HKEY hRoot, const std::string& strKey, const char* pszName)
    {
        Save(hRoot, strKey, pszName);
        SHDeleteValueA(hRoot, strKey.c_str(), pszName);
    }

private:
    // A value as it was, and the outermost part of its key that was missing.
    struct Change {
        HKEY hRoot;
        std::string strMissing;
        std::unique_ptr<CSavedValue> value;
    };
    void Save(HKEY hRoot, const std::string& strKey, const char* pszName)
    {
        std::string strMissing;
        for (size_t nEnd = 0; strMissing.empty() && nEnd != std::string::npos;) {
            nEnd = strKey.find('\\', nEnd + 1);
            if (!KeyExists(strKey.substr(0, nEnd), hRoot))
                strMissing = strKey.substr(0, nEnd);
        }
        m_changes.push_back(
            {hRoot, strMissing, std::make_unique<CSavedValue>(hRoot, strKey, pszName)});
    }

    std::vector<Change> m_changes;
};
