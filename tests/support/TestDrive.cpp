#include "tests/support/TestDrive.h"

#include "tests/support/HostCalls.h"

#include <windows.h>

namespace {

const intptr_t kDetach = 2;   // umount2: detach even when busy
const intptr_t kEExist = -17;

// Wine keeps the drive letters as links in the "dosdevices" folder of its
// prefix, the folder where the link of C: lives.
std::string HostDosDevices()
{
    std::string strDriveC = HostPath("C:\\");
    const size_t nEnd = strDriveC.rfind("/c:");
    if (nEnd == std::string::npos)
        return std::string();
    return strDriveC.substr(0, nEnd + 1);
}

}  // namespace

CTestDrive::~CTestDrive()
{
    if (!m_strHostLink.empty())
        HostCall(HC_UNLINK, m_strHostLink.c_str());
    if (m_bMounted)
        HostCall(HC_UMOUNT2, m_strHostFolder.c_str(), reinterpret_cast<const void*>(kDetach));
}

bool CTestDrive::MapFolder()
{
    m_strHostFolder = HostPath(m_folder.Path());
    return !m_strHostFolder.empty() && MapLetter();
}

bool CTestDrive::MapFileSystem(uint64_t nBytes)
{
    m_strHostFolder = HostPath(m_folder.Path());
    if (m_strHostFolder.empty())
        return false;
    const std::string strOptions = "size=" + std::to_string(nBytes) + ",mode=0777";
    m_bMounted = HostCall(HC_MOUNT, "tmpfs", m_strHostFolder.c_str(), "tmpfs", 0,
                          strOptions.c_str()) == 0;
    return m_bMounted && MapLetter();
}

bool CTestDrive::MapLetter()
{
    const std::string strDosDevices = HostDosDevices();
    if (strDosDevices.empty())
        return false;
    for (char cLetter = 'r'; cLetter <= 'y'; ++cLetter) {
        const std::string strLink = strDosDevices + cLetter + ":";
        intptr_t nResult = HostCall(HC_SYMLINK, m_strHostFolder.c_str(), strLink.c_str());
        const std::string strRoot = std::string(1, char(cLetter - 'a' + 'A')) + ":\\";
        if (nResult == kEExist && GetFileAttributesA(strRoot.c_str()) == INVALID_FILE_ATTRIBUTES) {
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
    if (!GetDiskFreeSpaceExA(strRoot.c_str(), &available, &total, &free))
        return 0;
    return free.QuadPart;
}
