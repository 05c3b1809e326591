// An environment variable of the test process, put back after the test.
#pragma once

#include <windows.h>

#include <string>

class CSavedVariable {
public:
    explicit CSavedVariable(const char* pszName) : m_pszName(pszName), m_value(4096, '\0')
    {
        SetLastError(ERROR_SUCCESS);
        const DWORD cch = GetEnvironmentVariableA(pszName, &m_value[0], 4096);
        m_value.resize(cch < 4096 ? cch : 0);
        m_bExisted = !m_value.empty() || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    ~CSavedVariable() { Set(m_bExisted ? m_value.c_str() : nullptr); }
    CSavedVariable(const CSavedVariable&) = delete;
    CSavedVariable& operator=(const CSavedVariable&) = delete;

    void Set(const char* pszValue) { SetEnvironmentVariableA(m_pszName, pszValue); }

private:
    const char* m_pszName;
    std::string m_value;
    bool m_bExisted;
};
