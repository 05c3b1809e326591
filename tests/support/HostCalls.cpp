#include "tests/support/HostCalls.h"

#include <windows.h>

#include <cstdint>

namespace {

// Exported by Wine's kernel32: the host path of a Windows path, allocated
// on the process heap.
typedef char*(CDECL* UnixFileNameFunction)(LPCWSTR);

#if defined(__x86_64__)
const intptr_t kCallNumbers[] = {88, 87, 165, 166};

intptr_t RawCall(intptr_t nCall, intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5)
{
    intptr_t nResult;
    register intptr_t r10 asm("r10") = a4;
    register intptr_t r8 asm("r8") = a5;
    asm volatile("syscall"
                 : "=a"(nResult)
                 : "0"(nCall), "D"(a1), "S"(a2), "d"(a3), "r"(r10), "r"(r8)
                 : "rcx", "r11", "memory");
    return nResult;
}
#elif defined(__i386__)
const intptr_t kCallNumbers[] = {83, 10, 21, 52};

intptr_t RawCall(intptr_t nCall, intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5)
{
    intptr_t nResult;
    asm volatile("int $0x80"
                 : "=a"(nResult)
                 : "0"(nCall), "b"(a1), "c"(a2), "d"(a3), "S"(a4), "D"(a5)
                 : "memory");
    return nResult;
}
#else
const intptr_t kCallNumbers[] = {0, 0, 0, 0};

intptr_t RawCall(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    return -1;
}
#endif

// Only a program under Wine may make host calls: on Windows the same
// instructions would reach the Windows kernel.
bool RunsUnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

intptr_t HostCall(HostCallId call, const void* pFirst, const void* pSecond, const void* pThird,
                  intptr_t nFourth, const void* pFifth)
{
    if (!RunsUnderWine() || kCallNumbers[call] == 0)
        return -1;
    return RawCall(kCallNumbers[call], reinterpret_cast<intptr_t>(pFirst),
                   reinterpret_cast<intptr_t>(pSecond), reinterpret_cast<intptr_t>(pThird),
                   nFourth, reinterpret_cast<intptr_t>(pFifth));
}

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

bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() &&
           HostCall(HC_SYMLINK, strRelativeTarget.c_str(), strHostLink.c_str()) == 0;
}

bool RemoveHostSymlink(const std::string& strLinkPath)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() && HostCall(HC_UNLINK, strHostLink.c_str()) == 0;
}
