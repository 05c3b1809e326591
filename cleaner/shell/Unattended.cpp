#include "cleaner/shell/Unattended.h"

#include "cleaner/engine/Log.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/plugins/PluginLoading.h"
#include "cleaner/plugins/RuleImport.h"
#include "cleaner/shell/Trace.h"
#include "common/StringList.h"

#include <windows.h>

#include <cstring>

namespace {

// Standard output as the program was started with it: inherited from the
// process that started it, or the console of that process.
HANDLE StandardOutput()
{
    static HANDLE s_hOutput = [] {
        HANDLE hOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        if (hOutput && hOutput != INVALID_HANDLE_VALUE)
            return hOutput;
        if (!AttachConsole(ATTACH_PARENT_PROCESS))
            return INVALID_HANDLE_VALUE;
        return CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return s_hOutput;
}

void WriteLine(HANDLE hFile, const std::string& strLine)
{
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    const std::string strBytes = strLine + "\r\n";
    DWORD cbWritten;
    WriteFile(hFile, strBytes.data(), DWORD(strBytes.size()), &cbWritten, nullptr);
}

// The log's lines, as they come, to standard output and the log file.
class CPrintingLog : public ILogSink {
public:
    explicit CPrintingLog(HANDLE hLogFile) : m_hLogFile(hLogFile) { SetLogSink(this); }
    ~CPrintingLog() { SetLogSink(nullptr); }
    CPrintingLog(const CPrintingLog&) = delete;
    CPrintingLog& operator=(const CPrintingLog&) = delete;

    void AddLine(uint32_t, const char* pszLine) override
    {
        PrintLine(pszLine);
        WriteLine(m_hLogFile, pszLine);
    }

private:
    HANDLE m_hLogFile;
};

// Ctrl+C, a closed console and the end of the session stop the run at its
// next step, as Stop does in the window.
CStopRequest g_stop;

BOOL WINAPI OnConsoleControl(DWORD)
{
    g_stop.Request();
    return TRUE;
}

}  // namespace

void PrintLine(const std::string& strLine)
{
    WriteLine(StandardOutput(), strLine);
}

StringVector CommandLineArguments(const std::string& strCommandLine)
{
    StringVector arguments;
    std::string strArgument;
    bool bInArgument = false;
    bool bQuoted = false;
    for (const char ch : strCommandLine) {
        if (ch == '"') {
            bQuoted = !bQuoted;
            bInArgument = true;
        } else if ((ch == ' ' || ch == '\t') && !bQuoted) {
            if (bInArgument)
                arguments.push_back(strArgument);
            strArgument.clear();
            bInArgument = false;
        } else {
            strArgument += ch;
            bInArgument = true;
        }
    }
    if (bInArgument)
        arguments.push_back(strArgument);
    return arguments;
}

namespace {

// The value of the first "<switch><value>" argument; false without one.
bool FindSwitchValue(const std::string& strCommandLine, const char* pszSwitch,
                     std::string& strValue)
{
    const size_t cchSwitch = strlen(pszSwitch);
    for (const std::string& strArgument : CommandLineArguments(strCommandLine)) {
        if (_strnicmp(strArgument.c_str(), pszSwitch, cchSwitch) == 0) {
            strValue = strArgument.substr(cchSwitch);
            return true;
        }
    }
    return false;
}

}  // namespace

UnattendedMode ParseUnattendedMode(const std::string& strCommandLine)
{
    std::string strIgnored;
    if (FindSwitchValue(strCommandLine, "/import:", strIgnored))
        return UM_IMPORT;
    UnattendedMode mode = UM_NONE;
    for (const std::string& strArgument : CommandLineArguments(strCommandLine)) {
        if (lstrcmpiA(strArgument.c_str(), "/auto") == 0)
            return UM_AUTO;
        if (lstrcmpiA(strArgument.c_str(), "/preview") == 0)
            mode = UM_PREVIEW;
    }
    return mode;
}

std::string ParseLogPath(const std::string& strCommandLine)
{
    std::string strPath;
    FindSwitchValue(strCommandLine, "/log:", strPath);
    return strPath;
}

std::string ParseImportPath(const std::string& strCommandLine)
{
    std::string strPath;
    FindSwitchValue(strCommandLine, "/import:", strPath);
    return strPath;
}

int RunImport(const std::string& strPath, const CGeneralSettings& settings)
{
    if (strPath.empty()) {
        PrintLine("Name the file to import: /import:<path>");
        return UE_FAILED;
    }
    const ImportReport report = ImportIntoPluginFolder(strPath, GetPluginFolder(), settings);
    if (!report.bRead) {
        PrintLine(report.strError);
        return UE_FAILED;
    }
    for (const std::string& strLine : report.vecLines)
        PrintLine(strLine);
    PrintLine(report.Summary());
    return UE_RAN;
}

int RunUnattended(UnattendedMode mode, const std::string& strLogPath, CActionManager& manager)
{
    HANDLE hLogFile = INVALID_HANDLE_VALUE;
    if (!strLogPath.empty()) {
        hLogFile = CreateFileA(strLogPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hLogFile == INVALID_HANDLE_VALUE) {
            PrintLine("The log file " + strLogPath + " could not be created.");
            return UE_FAILED;
        }
    }
    const bool bPreview = mode == UM_PREVIEW;
    TraceToFile(bPreview ? "/preview" : "/auto", true, true);

    int nExitCode = UE_RAN;
    std::string strMessage;
    if (!manager.CheckRunningApplications(strMessage)) {
        PrintLine(strMessage);
        WriteLine(hLogFile, strMessage);
        TraceToFile("The guard refused the clean", false, false);
        nExitCode = UE_REFUSED;
    } else {
        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        bool bCompleted;
        {
            CPrintingLog log(hLogFile);
            bCompleted = bPreview ? manager.RunPreview(g_stop) : manager.RunCleaning(g_stop);
        }
        SetConsoleCtrlHandler(OnConsoleControl, FALSE);
        TraceToFile(bCompleted ? "Finished" : "Stopped", false, false);
        nExitCode = bCompleted ? UE_RAN : UE_FAILED;
    }
    if (hLogFile != INVALID_HANDLE_VALUE)
        CloseHandle(hLogFile);
    return nExitCode;
}
