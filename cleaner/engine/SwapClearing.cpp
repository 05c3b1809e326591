#include "cleaner/engine/SwapClearing.h"

#include "cleaner/engine/SystemVersion.h"
#include "cleaner/engine/TextRewriting.h"
#include "cleaner/engine/WholeFile.h"
#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstdint>

const char kSwapClearingMarker[] = "{5A0C77E2-3B19-4D6E-9F41-7C2B8E06D1A4}";

namespace {

const char kMemoryManagementKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const char kClearPageFileValue[] = "ClearPageFileAtShutdown";
const char kSwapOptionSubkey[] = "\\WCSwap";
const char kSwapOptionValue[] = "Enabled";

const char kSwapFileName[] = "\\win386.swp";
const char kConfigFileName[] = "\\Veltrin.ini";
const char kBatchFileName[] = "autoexec.bat";
const char kClearingProgram[] = "\\swpclr.exe ";
const char kLineEnd[] = "\r\n";
const char kPageFileLineStart[] = "PageFile = \"";

std::string SwapOptionKey()
{
    return std::string(kSettingsKey) + kSwapOptionSubkey;
}

void WriteNumber(uint32_t dwRoot, const std::string& strKey, const char* pszName,
                 uint32_t dwNumber)
{
    CRegDword value(dwRoot, strKey.c_str(), pszName, dwNumber);
    value = dwNumber;
    value.Write();
    value.SetNoWriteBack(true);
}

// The start-up batch file at the root of the drive that holds the folder.
std::string BatchFileOf(const std::string& strFolder)
{
    char szPath[MAX_PATH];
    lstrcpynA(szPath, strFolder.c_str(), MAX_PATH);
    PathStripToRootA(szPath);
    PathAppendA(szPath, kBatchFileName);
    return szPath;
}

// A file, not a folder, at that path. The drive list offers every letter;
// an empty floppy or CD drive must answer "no" rather than ask the user
// for a disk.
bool IsFile(const std::string& strPath)
{
    const UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    SetErrorMode(uOldMode);
    return dwAttributes != INVALID_FILE_ATTRIBUTES &&
           (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The swap file on the drive, else the one in the Windows folder; empty
// when there is neither.
std::string FindSwapFile(char cDriveLetter, const std::string& strWindows)
{
    const std::string strOnDrive = std::string(1, cDriveLetter) + ":" + kSwapFileName;
    if (IsFile(strOnDrive))
        return strOnDrive;
    const std::string strInWindows = strWindows + kSwapFileName;
    if (IsFile(strInWindows))
        return strInWindows;
    return std::string();
}

// The 8.3 form, which the batch file of a system without long names can
// run; the path as it is when the system has no short form for it.
std::string ShortPath(const std::string& strPath)
{
    const DWORD cchNeeded = GetShortPathNameA(strPath.c_str(), nullptr, 0);
    if (cchNeeded == 0)
        return strPath;
    std::string strShort(cchNeeded, '\0');
    const DWORD cch = GetShortPathNameA(strPath.c_str(), &strShort[0], cchNeeded);
    if (cch == 0 || cch >= cchNeeded)
        return strPath;
    strShort.resize(cch);
    return strShort;
}

std::string CurrentFolder()
{
    const DWORD cchNeeded = GetCurrentDirectoryA(0, nullptr);
    if (cchNeeded == 0)
        return std::string();
    std::string strFolder(cchNeeded, '\0');
    const DWORD cch = GetCurrentDirectoryA(cchNeeded, &strFolder[0]);
    strFolder.resize(cch < cchNeeded ? cch : 0);
    return strFolder;
}

// Runs the clearing program from the folder the cleaner runs in.
std::string StartupLine()
{
    std::string strFolder = ShortPath(CurrentFolder());
    if (!strFolder.empty() && strFolder.back() == '\\')
        strFolder.pop_back();
    return strFolder + kClearingProgram + kSwapClearingMarker;
}

}  // namespace

bool RemoveMarkedLines(const std::string& strPath, const std::string& strMarker)
{
    std::string text;
    if (!ReadWholeFile(strPath, text))
        return false;
    if (!RemoveLinesContaining(text, {strMarker}))
        return true;
    return RewriteWholeFile(strPath, text, false);
}

bool SetupSwapClearing(bool bEnabled, char cDriveLetter)
{
    const std::string strWindows = GetWindowsFolder();
    if (strWindows.empty())
        return false;
    const std::string strSwap = FindSwapFile(cDriveLetter, strWindows);

    // The configuration is emptied even when there is no swap file, so that
    // the clearing program never works on a file named by an old setting.
    std::string config;
    if (bEnabled && !strSwap.empty())
        config = kPageFileLineStart + strSwap + "\"" + kLineEnd;
    const bool bConfigWritten = RewriteWholeFile(strWindows + kConfigFileName, config, true);
    if (strSwap.empty() || !bConfigWritten)
        return false;

    // A line is added only where the old ones are known to be gone, so a
    // batch file that cannot be rewritten never gets a second one.
    const std::string strBatch = BatchFileOf(strWindows);
    std::string batch;
    if (RemoveMarkedLines(strBatch, kSwapClearingMarker) && bEnabled &&
        ReadWholeFile(strBatch, batch)) {
        // The line starts a line of its own, without adding a blank line
        // before it at every apply.
        if (!batch.empty() && batch.back() != '\n')
            batch += kLineEnd;
        RewriteWholeFile(strBatch, batch + StartupLine() + kLineEnd, false);
    }
    return true;
}

char ReadSwapClearingDrive()
{
    const std::string strWindows = GetWindowsFolder();
    std::string config;
    if (strWindows.empty() || !ReadWholeFile(strWindows + kConfigFileName, config))
        return 0;
    const size_t nLetter = sizeof(kPageFileLineStart) - 1;
    if (config.compare(0, nLetter, kPageFileLineStart) != 0 || config.size() < nLetter + 2 ||
        config[nLetter + 1] != ':')
        return 0;
    const char cLetter = config[nLetter];
    if (cLetter >= 'a' && cLetter <= 'z')
        return static_cast<char>(cLetter - 'a' + 'A');
    return cLetter >= 'A' && cLetter <= 'Z' ? cLetter : 0;
}

bool ReadSwapClearingOption()
{
    if (IsWinNT())
        return ReadRegNumber(RK_LOCAL_MACHINE, kMemoryManagementKey, kClearPageFileValue, 0) != 0;
    if (IsWin9x())
        return ReadRegNumber(RK_CURRENT_USER, SwapOptionKey(), kSwapOptionValue, 0) != 0;
    return false;
}

void WriteSwapClearingOption(bool bEnabled, char cDriveLetter)
{
    if (IsWinNT()) {
        WriteNumber(RK_LOCAL_MACHINE, kMemoryManagementKey, kClearPageFileValue,
                    bEnabled ? 1 : 0);
    } else if (IsWin9x()) {
        WriteNumber(RK_CURRENT_USER, SwapOptionKey(), kSwapOptionValue, bEnabled ? 1 : 0);
        SetupSwapClearing(bEnabled, cDriveLetter);
    }
}
