#include "tests/support/TestDrive.h"

#include "tests/support/HostCalls.h"

#include <windows.h>

namespace {

// The host's system calls (a negated error number on failure), made only with a
// path that HostPath found: on Windows they would reach the Windows kernel.
enum HostCallId { HC_SYMLINK, HC_UNLINK, HC_MOUNT, HC_UMOUNT2 };

intptr_t HostCall(HostCallId call, const void* p1, const void* p2 = nullptr,
                  const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr)
{
    intptr_t nResult;
#if defined(__x86_64__)
    const intptr_t kNumbers[] = {88, 87, 165, 166};
    register const void* r10 asm("r10") = p4;
    register const void* r8 asm("r8") = p5;
    asm volatile("syscall"
                 : "=a"(nResult)
                 : "0"(kNumbers[call]), "D"(p1), "S"(p2), "d"(p3), "r"(r10), "r"(r8)
                 : "rcx", "r11", "memory");
#else
    const intptr_t kNumbers[] = {83, 10, 21, 52};  // i386
    asm volatile("int $0x80"
                 : "=a"(nResult)
                 : "0"(kNumbers[call]), "b"(p1), "c"(p2), "d"(p3), "S"(p4), "D"(p5)
                 : "memory");
#endif
    return nResult;
}

// The host path of a Windows path, from Wine's kernel32; empty where this is not Wine.
std::string HostPath(const std::string& strPath)
{
    typedef char*(CDECL * UnixFileNameFunction)(LPCWSTR);
    auto pUnixFileName = reinterpret_cast<UnixFileNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* pszHostPath = pUnixFileName ? pUnixFileName(Wide(strPath).c_str()) : nullptr;
    const std::string strHostPath = pszHostPath ? pszHostPath : "";
    HeapFree(GetProcessHeap(), 0, pszHostPath);
    return strHostPath;
}

}  // namespace

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

CTestDrive::~CTestDrive()
{
    if (!m_strHostLink.empty())
        HostCall(HC_UNLINK, m_strHostLink.c_str());
    if (m_bMounted)  // detached (MNT_DETACH), even while busy
        HostCall(HC_UMOUNT2, m_strHostFolder.c_str(), reinterpret_cast<const void*>(2));
}

bool CTestDrive::MapFolder()
{
    m_strHostFolder = HostPath(m_folder.Path());
    return !m_strHostFolder.empty() && MapLetter();
}

bool CTestDrive::MapFileSystem(uint64_t nBytes)
{
    m_strHostFolder = HostPath(m_folder.Path());
    const std::string strOptions = "size=" + std::to_string(nBytes) + ",mode=0777";
    m_bMounted = !m_strHostFolder.empty() && HostCall(HC_MOUNT, "tmpfs", m_strHostFolder.c_str(),
                                                      "tmpfs", nullptr, strOptions.c_str()) == 0;
    return m_bMounted && MapLetter();
}

// Wine keeps the drive letters as links beside the one of C:.
bool CTestDrive::MapLetter()
{
    const std::string strDriveC = HostPath("C:\\");
    const size_t nEnd = strDriveC.rfind("/c:");
    for (char cLetter = 'r'; nEnd != std::string::npos && cLetter <= 'y'; ++cLetter) {
        const std::string strLink = strDriveC.substr(0, nEnd + 1) + cLetter + ":";
        const std::string strRoot = std::string(1, char(cLetter - 'a' + 'A')) + ":\\";
        intptr_t nResult = HostCall(HC_SYMLINK, m_strHostFolder.c_str(), strLink.c_str());
        if (nResult == -17 /* EEXIST */ && !FileExists(strRoot)) {
            // Left behind by a test that did not end: it leads nowhere now.
            HostCall(HC_UNLINK, strLink.c_str());
            nResult = HostCall(HC_SYMLINK, m_strHostFolder.c_str(), strLink.c_str());
        }
        if (nResult == 0) {
            m_strHostLink = strLink;
            m_strRoot = strRoot;
            return true;
        }
    }
    return false;
}

uint64_t FreeBytes(const std::string& strRoot)
{
    ULARGE_INTEGER available, total, free;
    return GetDiskFreeSpaceExA(strRoot.c_str(), &available, &total, &free) ? free.QuadPart : 0;
}
