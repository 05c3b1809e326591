#include "cleaner/engine/SystemVersion.h"

#include <windows.h>

namespace {

bool QueryVersion(OSVERSIONINFOA& info)
{
    info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExA(&info) != FALSE;
}

}  // namespace

bool IsWin9x()
{
    OSVERSIONINFOA info;
    return QueryVersion(info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool IsWinNT()
{
    OSVERSIONINFOA info;
    return QueryVersion(info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWin2000()
{
    OSVERSIONINFOA info;
    return QueryVersion(info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           info.dwMajorVersion == 5 && info.dwMinorVersion == 0;
}

bool IsWinXP()
{
    OSVERSIONINFOA info;
    return QueryVersion(info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           info.dwMajorVersion == 5 && info.dwMinorVersion > 0;
}

std::string GetWindowsFolder()
{
    char szFolder[MAX_PATH];
    const UINT cch = GetWindowsDirectoryA(szFolder, MAX_PATH);
    if (cch == 0 || cch >= MAX_PATH)
        return std::string();
    std::string strFolder(szFolder, cch);
    if (strFolder.back() == '\\')
        strFolder.pop_back();
    return strFolder;
}
