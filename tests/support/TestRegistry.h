// Registry access for tests, written straight against the API so that it
// does not share a fault with the classes under test. The functions work in
// the current user's hive unless given another root.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Removes "Software\ZR\VeltrinPRO" of the current user with everything below,
// and "Software\ZR" when nothing else is in it.
void DeleteProductKey();

bool KeyExists(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER);
// The raw value: its type and bytes. False when it is missing.
bool ReadRawValue(const std::string& strKey, const std::string& strName, DWORD& dwType,
                  std::string& bytes, HKEY hRoot = HKEY_CURRENT_USER);
inline bool ValueExists(const std::string& strKey, const std::string& strName,
                        HKEY hRoot = HKEY_CURRENT_USER)
{
    DWORD dwType;
    std::string bytes;
    return ReadRawValue(strKey, strName, dwType, bytes, hRoot);
}
// A REG_SZ value up to its first zero byte; "<missing>" when it is missing
// or of another type.
std::string ReadTextValue(const std::string& strKey, const std::string& strName,
                          HKEY hRoot = HKEY_CURRENT_USER);
// A REG_DWORD value; false when missing or of another type.
bool ReadDwordValue(const std::string& strKey, const std::string& strName, DWORD& dwValue,
                    HKEY hRoot = HKEY_CURRENT_USER);
void WriteRawValue(const std::string& strKey, const std::string& strName, DWORD dwType,
                   const void* pData, DWORD cbData, HKEY hRoot = HKEY_CURRENT_USER);
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

struct RawValue {
    DWORD dwType;
    std::string bytes;
    bool operator==(const RawValue& other) const
    {
        return dwType == other.dwType && bytes == other.bytes;
    }
};
// Every value of a key and its subkeys, by "subkey path\name" (the key's own
// values by their names alone). An empty key path takes the whole root.
typedef std::map<std::string, RawValue> KeySnapshot;
KeySnapshot SnapshotKey(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER);

// Removes a key with everything below it; a missing key is no failure.
inline void DeleteKeyTree(const std::string& strKey, HKEY hRoot = HKEY_CURRENT_USER)
{
    SHDeleteKeyA(hRoot, strKey.c_str());
}

// One value as it was before the test, which may change or delete it: the
// destructor puts it back, or removes it when it was missing.
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

// A key the test is about to create, perhaps below keys that are there
// already: the destructor removes the outermost key that was missing.
class CScratchKey {
public:
    CScratchKey(HKEY hRoot, const std::string& strKey) : m_hRoot(hRoot)
    {
        size_t nEnd = 0;
        do {
            nEnd = strKey.find('\\', nEnd + 1);
            if (!KeyExists(strKey.substr(0, nEnd), hRoot)) {
                m_strMissing = strKey.substr(0, nEnd);
                return;
            }
        } while (nEnd != std::string::npos);
    }
    ~CScratchKey()
    {
        if (!m_strMissing.empty())
            DeleteKeyTree(m_strMissing, m_hRoot);
    }
    CScratchKey(const CScratchKey&) = delete;
    CScratchKey& operator=(const CScratchKey&) = delete;

private:
    HKEY m_hRoot;
    std::string m_strMissing;
};

// Values the test sets or removes; the destructor restores them and removes
// the keys that the test created.
class CScratchRegistry {
public:
    ~CScratchRegistry()
    {
        while (!m_saved.empty())  // the latest change first
            m_saved.pop_back();
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
    void Save(HKEY hRoot, const std::string& strKey, const char* pszName)
    {
        m_saved.emplace_back(std::make_unique<CScratchKey>(hRoot, strKey),
                             std::make_unique<CSavedValue>(hRoot, strKey, pszName));
    }

    // Each value with the key it may create: the value goes back first.
    std::vector<std::pair<std::unique_ptr<CScratchKey>, std::unique_ptr<CSavedValue>>> m_saved;
};
