#include "tests/support/ProgramRun.h"

#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

std::string ProgramFolder()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.rfind('\\') + 1);
}

CProgramRun::~CProgramRun()
{
    if (m_process.hProcess) {
        if (!HasEnded(0))
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
}

bool CProgramRun::Start(const std::string& strArguments)
{
    std::string strCommand = "\"" + ProgramFolder() + m_strProgram + "\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process) != FALSE;
}

bool CProgramRun::HasEnded(DWORD dwWait) const
{
    return WaitForSingleObject(m_process.hProcess, dwWait) == WAIT_OBJECT_0;
}

HWND PublishedCleanerWindow()
{
    DWORD dwWindow = 0;
    const bool bPublished = WaitFor([&] {
        return ReadDwordValue(kProductKey, "hWnd", dwWindow) &&
               ::IsWindow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(dwWindow)));
    });
    return bPublished ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(dwWindow)) : nullptr;
}
