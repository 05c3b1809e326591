// A real program of the project, started from the test program's folder and ended with the test.
#pragma once

#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <thread>

// Only keeps a broken program from hanging the run.
const DWORD kProgramLimit = 30000;

// The folder of the test program, where the programs are built too.
inline std::string ProgramFolder()
{
    char szPath[MAX_PATH];
    const std::string strPath(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
    return strPath.substr(0, strPath.rfind('\\') + 1);
}

// Waits until the condition holds or the limit passes; true when it held.
template <typename Condition>
bool WaitFor(Condition condition, DWORD dwLimit = kProgramLimit)
{
    const DWORD dwEnd = GetTickCount() + dwLimit;
    while (!condition()) {
        if (GetTickCount() > dwEnd)
            return false;
        Sleep(50);
    }
    return true;
}

// The main window the running cleaner publishes in the registry; null when it does not.
inline HWND PublishedCleanerWindow()
{
    DWORD dwWindow = 0;
    const auto hWindow = [&] { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(dwWindow)); };
    const bool bPublished = WaitFor(
        [&] { return ReadDwordValue(kProductKey, "hWnd", dwWindow) && IsWindow(hWindow()); });
    return bPublished ? hWindow() : nullptr;
}

// A window of the class and title among the other window's descendants, or null.
inline HWND FindInside(HWND hParent, const char* pszClass, const std::string& strTitle)
{
    const std::vector<HWND> found = WindowsWhere(hParent, [&](HWND hWnd) {
        char szTitle[256] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        return IsClass(hWnd, pszClass) && strTitle == szTitle;
    });
    return found.empty() ? nullptr : found[0];
}

class CProgramRun {
public:
    // The program's file name beside the test program, or its full path.
    explicit CProgramRun(const char* pszProgram) : m_strProgram(pszProgram) {}
    ~CProgramRun()
    {
        if (m_process.hProcess && !HasEnded(0))
            TerminateProcess(m_process.hProcess, 1);
        if (m_outputReader.joinable())
            m_outputReader.join();
        for (HANDLE hHandle : {m_hOutput, m_process.hProcess, m_process.hThread})
            if (hHandle)
                CloseHandle(hHandle);
    }

    // With an output handle, standard output goes there and errors where the test's go.
    bool Start(const std::string& strArguments = "", HANDLE hOutput = nullptr)
    {
        const std::string strPath = m_strProgram.find('\\') != std::string::npos
                                        ? m_strProgram
                                        : ProgramFolder() + m_strProgram;
        std::string strCommand = "\"" + strPath + "\" " + strArguments;
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
    // Starts the program with its standard output going to a pipe that Output() reads.
    bool StartWithOutput(const std::string& strArguments)
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
    // What the program wrote, once it has ended; empty when it does not end in time.
    std::string Output()
    {
        if (!m_outputReader.joinable() || !HasEnded())
            return std::string();
        m_outputReader.join();
        return m_strOutput;
    }
    // The exit code of the ended program; STILL_ACTIVE while it runs.
    DWORD ExitCode() const
    {
        DWORD dwExitCode = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &dwExitCode);
        return dwExitCode;
    }
    // Opens a document or shortcut as a double-click does; its program is this run's.
    bool Open(const std::string& strFile)
    {
        SHELLEXECUTEINFOA execute = {};
        execute.cbSize = sizeof(execute);
        execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        execute.lpVerb = "open";
        execute.lpFile = strFile.c_str();
        execute.nShow = SW_SHOWNORMAL;
        m_process.hProcess = ShellExecuteExA(&execute) ? execute.hProcess : nullptr;
        return m_process.hProcess != nullptr;
    }
    bool HasEnded(DWORD dwWait = kProgramLimit) const
    {
        return WaitForSingleObject(m_process.hProcess, dwWait) == WAIT_OBJECT_0;
    }
    // Ends the program at once, as a crash would; true once it has ended.
    bool Kill() const { return TerminateProcess(m_process.hProcess, 1) && HasEnded(); }

private:
    std::string m_strProgram;
    PROCESS_INFORMATION m_process = {};
    // Read as the program writes, so that a full pipe never holds it up.
    HANDLE m_hOutput = nullptr;
    std::thread m_outputReader;
    std::string m_strOutput;
};
