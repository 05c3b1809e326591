// An environment variable of the test process, put back after the test (an empty one as none).
#pragma once

#include <windows.h>

#include <string>

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
