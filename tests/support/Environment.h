// An environment variable of the test process, put back after the test.
#pragma once

#include <windows.h>

#include <string>

class CSavedVariable {
public:
    explicit CSavedVariable(const char* pszName) : m_pszName(pszName)
    {
        char szValue[4096];
        const DWORD cch = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
        m_bExisted = cch > 0 && cch < sizeof(szValue);
        m_value.assign(szValue, m_bExisted ? cch : 0);
    }
    ~CSavedVariable() { Set(m_bExisted ? m_value.c_str() : nullptr); }
    void Set(const char* pszValue) { SetEnvironmentVariableA(m_pszName, pszValue); }

private:
    const char* m_pszName;
    std::string m_value;
    bool m_bExisted;
};
