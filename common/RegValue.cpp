#include "common/RegValue.h"

#include <cstring>

namespace {

LONG QueryNumber(HKEY hKey, const char* pszName, DWORD& dwNumber)
{
    DWORD dwType = 0;
    DWORD dwData = 0;
    DWORD cbData = sizeof(dwData);
    const LONG nResult = RegQueryValueExA(hKey, pszName, nullptr, &dwType,
                                          reinterpret_cast<BYTE*>(&dwData), &cbData);
    if (nResult != ERROR_SUCCESS)
        return nResult;
    if (dwType != REG_DWORD || cbData != sizeof(dwData))
        return ERROR_INVALID_DATA;
    dwNumber = dwData;
    return ERROR_SUCCESS;
}

LONG SetNumber(HKEY hKey, const char* pszName, DWORD dwNumber)
{
    return RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwNumber),
                          sizeof(dwNumber));
}

}  // namespace

bool CRegValue::Read()
{
    HKEY hKey;
    if (RegOpenKeyExA(RootKeyHandle(m_dwRoot), m_strKeyPath.c_str(), 0, KEY_QUERY_VALUE,
                      &hKey) != ERROR_SUCCESS) {
        m_dwStatus = RS_OPEN_FAILED;
        return false;
    }
    return CloseKey(hKey, QueryValue(hKey) == ERROR_SUCCESS ? RS_OK : RS_READ_FAILED);
}

bool CRegValue::Write()
{
    HKEY hKey;
    if (RegCreateKeyExA(RootKeyHandle(m_dwRoot), m_strKeyPath.c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS) {
        m_dwStatus = RS_OPEN_FAILED;
        return false;
    }
    return CloseKey(hKey, SetValue(hKey) == ERROR_SUCCESS ? RS_OK : RS_WRITE_FAILED);
}

// The key is closed whatever happened; a failing close counts only after a
// read or write that succeeded.
bool CRegValue::CloseKey(HKEY hKey, uint32_t dwStatus)
{
    m_dwStatus = dwStatus;
    if (RegCloseKey(hKey) != ERROR_SUCCESS && m_dwStatus == RS_OK)
        m_dwStatus = RS_CLOSE_FAILED;
    return m_dwStatus == RS_OK;
}

bool CRegValue::DeleteValue()
{
    HKEY hKey;
    if (RegOpenKeyExA(RootKeyHandle(m_dwRoot), m_strKeyPath.c_str(), 0, KEY_SET_VALUE, &hKey) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(hKey, m_strValueName.c_str());
        RegCloseKey(hKey);
    }
    m_bNoWriteBack = true;
    return true;
}

LONG CRegBool::QueryValue(HKEY hKey)
{
    DWORD dwNumber;
    const LONG nResult = QueryNumber(hKey, GetValueName().c_str(), dwNumber);
    if (nResult == ERROR_SUCCESS)
        m_value = dwNumber != 0;
    return nResult;
}

LONG CRegBool::SetValue(HKEY hKey) const
{
    return SetNumber(hKey, GetValueName().c_str(), m_value ? 1 : 0);
}

LONG CRegDword::QueryValue(HKEY hKey)
{
    DWORD dwNumber;
    const LONG nResult = QueryNumber(hKey, GetValueName().c_str(), dwNumber);
    if (nResult == ERROR_SUCCESS)
        m_value = dwNumber;
    return nResult;
}

LONG CRegDword::SetValue(HKEY hKey) const
{
    return SetNumber(hKey, GetValueName().c_str(), m_value);
}

// Asks for the size first, then reads into a buffer one byte longer. The
// value may grow between the two calls; a few rounds are enough for anything
// but a value rewritten without pause.
LONG QueryStringValue(HKEY hKey, const char* pszName, std::string& strText)
{
    DWORD dwType = 0;
    DWORD cbData = 0;
    LONG nResult = RegQueryValueExA(hKey, pszName, nullptr, &dwType, nullptr, &cbData);
    for (int nTry = 0; nTry < 4 && nResult == ERROR_SUCCESS; ++nTry) {
        if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
            return ERROR_INVALID_DATA;
        std::string buffer(size_t(cbData) + 1, '\0');
        DWORD cbRead = cbData;
        nResult = RegQueryValueExA(hKey, pszName, nullptr, &dwType,
                                   reinterpret_cast<BYTE*>(&buffer[0]), &cbRead);
        if (nResult == ERROR_SUCCESS) {
            if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
                return ERROR_INVALID_DATA;
            buffer.resize(std::strlen(buffer.c_str()));
            strText = std::move(buffer);
            return ERROR_SUCCESS;
        }
        if (nResult == ERROR_MORE_DATA) {
            cbData = cbRead > cbData ? cbRead : cbData * 2;
            nResult = ERROR_SUCCESS;
        }
    }
    return nResult == ERROR_SUCCESS ? ERROR_MORE_DATA : nResult;
}

LONG CRegString::QueryValue(HKEY hKey)
{
    return QueryStringValue(hKey, GetValueName().c_str(), m_value);
}

LONG CRegString::SetValue(HKEY hKey) const
{
    const DWORD cbData = static_cast<DWORD>(std::strlen(m_value.c_str()) + 1);
    return RegSetValueExA(hKey, GetValueName().c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(m_value.c_str()), cbData);
}

std::string ReadRegText(HKEY hRoot, const std::string& strKey, const char* pszName)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return std::string();
    std::string strText;
    const LONG nResult = QueryStringValue(hKey, pszName, strText);
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS ? strText : std::string();
}

uint32_t ReadRegNumber(uint32_t dwRoot, const std::string& strKey, const char* pszName,
                       uint32_t dwDefault)
{
    CRegDword value(dwRoot, strKey.c_str(), pszName, dwDefault);
    value.SetNoWriteBack(true);
    return value;
}
