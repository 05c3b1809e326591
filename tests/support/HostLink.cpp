#include "tests/support/HostLink.h"

#include <windows.h>

namespace {

// Exported by Wine's kernel32: the host path of a Windows path, allocated
// on the process heap.
typedef char*(CDECL* UnixFileNameFunction)(LPCWSTR);

long HostSymlink(const char* pszTarget, const char* pszLink)
{
    // Wine runs the program as a host process, so the host's own call is
    // reached directly; the system's link call has no working counterpart
    // in this Wine.
    long nResult = -1;
#if defined(__x86_64__)
    asm volatile("syscall"
                 : "=a"(nResult)
                 : "0"(88L), "D"(pszTarget), "S"(pszLink)
                 : "rcx", "r11", "memory");
#elif defined(__i386__)
    asm volatile("int $0x80" : "=a"(nResult) : "0"(83L), "b"(pszTarget), "c"(pszLink) : "memory");
#else
    (void)pszTarget;
    (void)pszLink;
#endif
    return nResult;
}

}  // namespace

bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget)
{
    auto pUnixFileName = reinterpret_cast<UnixFileNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!pUnixFileName)
        return false;
    WCHAR szLink[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, strLinkPath.c_str(), -1, szLink, MAX_PATH))
        return false;
    char* pszUnixLink = pUnixFileName(szLink);
    if (!pszUnixLink)
        return false;
    const bool bMade = HostSymlink(strRelativeTarget.c_str(), pszUnixLink) == 0;
    HeapFree(GetProcessHeap(), 0, pszUnixLink);
    return bMade;
}
