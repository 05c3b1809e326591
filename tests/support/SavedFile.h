// Files and environment variables that a test changes and puts back.
#pragma once

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// A file as it was before the test, put back afterwards (or removed when there was none).
class CSavedFile {
public:
    explicit CSavedFile(const std::string& strPath)
        : m_strPath(strPath), m_bExisted(FileExists(strPath)), m_bytes(ReadFileBytes(strPath))
    {
    }
    ~CSavedFile()
    {
        if (m_bExisted)
            WriteFileBytes(m_strPath, m_bytes);
        else
            DeleteFileA(m_strPath.c_str());
    }
    CSavedFile(const CSavedFile&) = delete;
    CSavedFile& operator=(const CSavedFile&) = delete;

    const std::string& Path() const { return m_strPath; }
    void Write(const std::string& bytes) const { ASSERT_TRUE(WriteFileBytes(m_strPath, bytes)); }
    bool Exists() const { return FileExists(m_strPath); }
    std::string Read() const { return ReadFileBytes(m_strPath); }

private:
    const std::string m_strPath;
    const bool m_bExisted;
    const std::string m_bytes;
};

inline std::string WindowsFolder()
{
    char szFolder[MAX_PATH];
    return std::string(szFolder, GetWindowsDirectoryA(szFolder, MAX_PATH));
}

// An environment variable of the test process, put back after the test (an empty one as none).
class CSavedVariable {
public:
    explicit CSavedVariable(const char* pszName) : m_pszName(pszName)
    {
        char szValue[4096];
        const DWORD cch = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
        m_value.assign(szValue, cch < sizeof(szValue) ? cch : 0);
    }
    ~CSavedVariable() { Set(m_value.empty() ? nullptr : m_value.c_str()); }
    void Set(const char* pszValue) { SetEnvironmentVariableA(m_pszName, pszValue); }

private:
    const char* m_pszName;
    std::string m_value;
};
