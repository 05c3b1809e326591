// A real program of the project, started beside the test program from the
// same folder and ended with the test.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

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

// A window of the class and title among the other window's descendants, or null.
HWND FindInside(HWND hParent, const char* pszClass, const std::string& strTitle);
// The first of the class, whatever its title.
HWND FindInside(HWND hParent, const char* pszClass);

class CProgramRun {
public:
    // The program's file name beside the test program, or its full path.
    explicit CProgramRun(const char* pszProgram) : m_strProgram(pszProgram) {}
    ~CProgramRun();
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    // With an output handle, the program's standard output goes there and
    // its errors where the test's own go.
    bool Start(const std::string& strArguments = "", HANDLE hOutput = nullptr);
    // Starts the program with its standard output going to a pipe, which
    // Output() reads.
    bool StartWithOutput(const std::string& strArguments);
    // What the program wrote to its standard output, once it has ended;
    // empty when it does not end within the limit.
    std::string Output();
    // The exit code of the ended program; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Opens a document or a shortcut as a double-click does, through the
    // program registered for it, which is then the program of this run.
    bool Open(const std::string& strFile);
    bool HasEnded(DWORD dwWait = kProgramLimit) const;
    // Ends the program at once, as a crash or the task manager would, with
    // nothing of its own run on the way out; true once it has ended.
    bool Kill() const;

private:
    std::string m_strProgram;
    PROCESS_INFORMATION m_process = {};
    // Read as the program writes, so that a full pipe never holds it up.
    HANDLE m_hOutput = nullptr;
    std::thread m_outputReader;
    std::string m_strOutput;
};
