#include "cleaner/shell/Autostart.h"

#include "cleaner/shell/ProductInfo.h"
#include "common/ProgramPath.h"
#include "common/RegValue.h"

#include <windows.h>

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

std::string ReadAutostartEntry()
{
    return ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kProductName);
}

bool WriteAutostartEntry()
{
    const std::string strPath = GetProgramPath();
    if (strPath.empty())
        return false;
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const BYTE* pData = reinterpret_cast<const BYTE*>(strPath.c_str());
    const LONG nResult = RegSetValueExA(hKey, kProductName, 0, REG_SZ, pData,
                                        static_cast<DWORD>(strPath.size() + 1));
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

bool RemoveAutostartEntry()
{
    HKEY hKey;
    LONG nResult = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &hKey);
    if (nResult == ERROR_FILE_NOT_FOUND)
        return true;
    if (nResult != ERROR_SUCCESS)
        return false;
    nResult = RegDeleteValueA(hKey, kProductName);
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND;
}
