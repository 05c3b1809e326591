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

void GetSystemVersion(unsigned& nMajor, unsigned& nMinor)
{
    typedef LONG(WINAPI * GetVersionFunction)(OSVERSIONINFOW*);
    const HMODULE hNtDll = GetModuleHandleA("ntdll.dll");
    const auto pfnGetVersion = reinterpret_cast<GetVersionFunction>(
        reinterpret_cast<void*>(hNtDll ? GetProcAddress(hNtDll, "RtlGetVersion") : nullptr));
    OSVERSIONINFOW wide = {};
    wide.dwOSVersionInfoSize = sizeof(wide);
    if (pfnGetVersion && pfnGetVersion(&wide) == 0) {
        nMajor = wide.dwMajorVersion;
        nMinor = wide.dwMinorVersion;
        return;
    }
    OSVERSIONINFOA info;
    QueryVersion(info);
    nMajor = info.dwMajorVersion;
    nMinor = info.dwMinorVersion;
}

// Windows 95 and NT 4 have no IsWow64Process, and no 64-bit system either.
bool RunsUnderWow64()
{
    typedef BOOL(WINAPI * IsWow64Function)(HANDLE, PBOOL);
    const auto pfnIsWow64Process = reinterpret_cast<IsWow64Function>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL bWow64 = FALSE;
    return pfnIsWow64Process && pfnIsWow64Process(GetCurrentProcess(), &bWow64) && bWow64;
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
