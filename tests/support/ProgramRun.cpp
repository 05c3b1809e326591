#include "tests/support/ProgramRun.h"

#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
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
    char szTitle[256] = "";
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (IsClass(hWnd, search.pszClass) && (!search.pTitle || *search.pTitle == szTitle))
        search.hFound = hWnd;
    return !search.hFound;
}

HWND Find(HWND hParent, WindowSearch search)
{
    EnumChildWindows(hParent, CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

}  // namespace

HWND FindInside(HWND hParent, const char* pszClass, const std::string& strTitle)
{
    return Find(hParent, {pszClass, &strTitle, nullptr});
}

HWND FindInside(HWND hParent, const char* pszClass)
{
    return Find(hParent, {pszClass, nullptr, nullptr});
}

std::string ProgramFolder()
{
    char szPath[MAX_PATH];
    const std::string strPath(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
    return strPath.substr(0, strPath.rfind('\\') + 1);
}

CProgramRun::~CProgramRun()
{
    if (m_process.hProcess && !HasEnded(0))
        TerminateProcess(m_process.hProcess, 1);
    if (m_outputReader.joinable())
        m_outputReader.join();
    for (HANDLE hHandle : {m_hOutput, m_process.hProcess, m_process.hThread})
        if (hHandle)
            CloseHandle(hHandle);
}

bool CProgramRun::Start(const std::string& strArguments, HANDLE hOutput)
{
    const bool bFullPath = m_strProgram.find('\\') != std::string::npos;
    std::string strCommand =
        "\"" + (bFullPath ? m_strProgram : ProgramFolder() + m_strProgram) + "\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (hOutput) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = hOutput;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    // Wine now and then fails to start a process: a failed start is tried once more.
    for (int nTry = 0; nTry < 2; ++nTry) {
        if (CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, hOutput != nullptr, 0,
                           nullptr, nullptr, &startup, &m_process))
            return true;
        Sleep(200);
    }
    return false;
}

bool CProgramRun::StartWithOutput(const std::string& strArguments)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE hWrite;
    if (!CreatePipe(&m_hOutput, &hWrite, &inheritable, 0))
        return false;
    SetHandleInformation(m_hOutput, HANDLE_FLAG_INHERIT, 0);
    const bool bStarted = Start(strArguments, hWrite);
    // Only the program holds the writing end now, so reading ends with it.
    CloseHandle(hWrite);
    if (bStarted) {
        m_outputReader = std::thread([this] {
            char buffer[4096];
            DWORD cbRead;
            while (ReadFile(m_hOutput, buffer, sizeof(buffer), &cbRead, nullptr) && cbRead > 0)
                m_strOutput.append(buffer, cbRead);
        });
    }
    return bStarted;
}

std::string CProgramRun::Output()
{
    if (!m_outputReader.joinable() || !HasEnded())
        return std::string();
    m_outputReader.join();
    return m_strOutput;
}

DWORD CProgramRun::ExitCode() const
{
    DWORD dwExitCode = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &dwExitCode);
    return dwExitCode;
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
    const auto hWindow = [&] { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(dwWindow)); };
    const bool bPublished = WaitFor(
        [&] { return ReadDwordValue(kProductKey, "hWnd", dwWindow) && IsWindow(hWindow()); });
    return bPublished ? hWindow() : nullptr;
}
