#include "tests/support/ProgramRun.h"

#include <shellapi.h>

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
