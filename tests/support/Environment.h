// Environment variables of the test process, put back after the test.
#pragma once

#include <windows.h>

#include <string>

// An environment variable of this process, put back afterwards.
class CSavedVariable {
public:
    explicit CSavedVariable(const char* pszName) : m_pszName(pszName)
    {
        char szValue[4096];
        SetLastError(ERROR_SUCCESS);
        const DWORD cch = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
        m_bExisted = cch != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
        m_strValue.assign(szValue, cch < sizeof(szValue) ? cch : 0);
    }
    ~CSavedVariable()
    {
        SetEnvironmentVariableA(m_pszName, m_bExisted ? m_strValue.c_str() : nullptr);
    }
    CSavedVariable(const CSavedVariable&) = delete;
    CSavedVariable& operator=(const CSavedVariable&) = delete;

    void Set(const char* pszValue) { SetEnvironmentVariableA(m_pszName, pszValue); }

private:
    const char* m_pszName;
    bool m_bExisted;
    std::string m_strValue;
};
