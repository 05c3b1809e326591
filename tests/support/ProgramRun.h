// A real program of the project, started beside the test program from the
// same folder and ended with the test.
#pragma once

#include <windows.h>

#include <string>

// Only keeps a broken program from hanging the run.
const DWORD kProgramLimit = 30000;

// The folder of the test program, where the programs are built too.
std::string ProgramFolder();

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

// The cleaner's main window as the running cleaner publishes it in the
// registry, once it has; null when it does not within the limit.
HWND PublishedCleanerWindow();

class CProgramRun {
public:
    explicit CProgramRun(const char* pszProgram) : m_strProgram(pszProgram) {}
    ~CProgramRun();
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    bool Start(const std::string& strArguments = "");
    bool HasEnded(DWORD dwWait = kProgramLimit) const;
    DWORD GetProcessId() const { return m_process.dwProcessId; }

private:
    std::string m_strProgram;
    PROCESS_INFORMATION m_process = {};
};
