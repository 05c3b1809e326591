#include "tests/support/HostLink.h"

#include <windows.h>

namespace {

// Exported by Wine's kernel32: the host path of a Windows path, allocated
// on the process heap.
typedef char*(CDECL* UnixFileNameFunction)(LPCWSTR);

// Wine runs the program as a host process, so the host's own calls are
// reached directly; the system's link calls have no working counterpart in
// this Wine. Each takes up to two text arguments and answers 0 on success.
#if defined(__x86_64__)
const long kSymlinkCall = 88;
const long kUnlinkCall = 87;

long HostCall(long nCall, const char* pszFirst, const char* pszSecond)
{
    long nResult;
    asm volatile("syscall"
                 : "=a"(nResult)
                 : "0"(nCall), "D"(pszFirst), "S"(pszSecond)
                 : "rcx", "r11", "memory");
    return nResult;
}
#elif defined(__i386__)
const long kSymlinkCall = 83;
const long kUnlinkCall = 10;

long HostCall(long nCall, const char* pszFirst, const char* pszSecond)
{
    long nResult;
    asm volatile("int $0x80"
                 : "=a"(nResult)
                 : "0"(nCall), "b"(pszFirst), "c"(pszSecond)
                 : "memory");
    return nResult;
}
#else
const long kSymlinkCall = 0;
const long kUnlinkCall = 0;

long HostCall(long, const char*, const char*)
{
    return -1;
}
#endif

// The host path of a Windows path; empty where Wine does not say it.
std::string HostPath(const std::string& strPath)
{
    auto pUnixFileName = reinterpret_cast<UnixFileNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR szPath[MAX_PATH];
    if (!pUnixFileName || !MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, szPath, MAX_PATH))
        return std::string();
    char* pszHostPath = pUnixFileName(szPath);
    if (!pszHostPath)
        return std::string();
    const std::string strHostPath = pszHostPath;
    HeapFree(GetProcessHeap(), 0, pszHostPath);
    return strHostPath;
}

}  // namespace

bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() &&
           HostCall(kSymlinkCall, strRelativeTarget.c_str(), strHostLink.c_str()) == 0;
}

bool RemoveHostSymlink(const std::string& strLinkPath)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() && HostCall(kUnlinkCall, strHostLink.c_str(), nullptr) == 0;
}
