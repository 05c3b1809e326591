#include "tests/support/ProgramRun.h"

#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <shellapi.h>

namespace {

struct WindowSearch {
    const char* pszClass;
    const std::string* pTitle;  // any title when null
    HWND hFound;
};

BOOL CALLBACK CheckWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(lParam);
    char szClass[64] = "";
    char szTitle[256] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (lstrcmpA(szClass, search.pszClass) == 0 && (!search.pTitle || *search.pTitle == szTitle)) {
        search.hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindInside(HWND hParent, const char* pszClass, const std::string& strTitle)
{
    WindowSearch search = {pszClass, &strTitle, nullptr};
    EnumChildWindows(hParent, CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

HWND FindInside(HWND hParent, const char* pszClass)
{
    WindowSearch search = {pszClass, nullptr, nullptr};
    EnumChildWindows(hParent, CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

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
    const bool bFullPath = m_strProgram.find('\\') != std::string::npos;
    std::string strCommand =
        "\"" + (bFullPath ? m_strProgram : ProgramFolder() + m_strProgram) + "\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process) != FALSE;
}

bool CProgramRun::Open(const std::string& strFile)
{
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof(execute);
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = "open";
    execute.lpFile = strFile.c_str();
    execute.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&execute) || !execute.hProcess)
        return false;
    m_process.hProcess = execute.hProcess;
    return true;
}

bool CProgramRun::HasEnded(DWORD dwWait) const
{
    return WaitForSingleObject(m_process.hProcess, dwWait) == WAIT_OBJECT_0;
}

bool CProgramRun::Kill() const
{
    return TerminateProcess(m_process.hProcess, 1) && HasEnded();
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
