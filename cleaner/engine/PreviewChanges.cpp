#include "cleaner/engine/PreviewChanges.h"

#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/RegistryCleaning.h"

#include <string>

namespace {

std::string KeyText(HKEY hRoot, const std::string& strKey)
{
    return RootKeyName(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(hRoot))) + "\\" + strKey;
}

std::string ValueText(HKEY hRoot, const std::string& strKey, const std::string& strName)
{
    return KeyText(hRoot, strKey) + "\\" + (strName.empty() ? "(Default)" : strName);
}

// Which half of a 64-bit Windows' registry a line is about, when not the
// program's own.
std::string InView(REGSAM samView)
{
    if (samView == KEY_WOW64_64KEY)
        return " (64-bit view)";
    return samView == KEY_WOW64_32KEY ? " (32-bit view)" : "";
}

uint64_t FileSize(const FileFacts& facts)
{
    if (!facts.bKnown)
        return 0;
    return uint64_t(facts.data.nFileSizeHigh) << 32 | facts.data.nFileSizeLow;
}

// What the clean's deletion would meet: another program holding the file
// open, so that it would go only at the next restart. Opening it for
// deletion, alone, and closing it again changes nothing.
bool InUseElsewhere(const std::string& strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const DWORD dwError = GetLastError();
        return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION;
    }
    CloseHandle(hFile);
    return false;
}

}  // namespace

CleanStats CPreviewChanges::RemoveFile(const ChosenFile& file, const FileRemoval&)
{
    CleanStats stats;
    if (!file.facts.bKnown && (file.facts.dwError == ERROR_FILE_NOT_FOUND ||
                               file.facts.dwError == ERROR_PATH_NOT_FOUND))
        return stats;  // nothing there to remove
    const uint64_t nSize = FileSize(file.facts);
    const std::string strSize = std::to_string(nSize);
    if (InUseElsewhere(file.strPath)) {
        stats.nRebootFiles = 1;
        LogMessage(LI_FILE_AT_REBOOT, "File %s would be removed at the next restart (%s bytes)",
                   file.strShown.c_str(), strSize.c_str());
        return stats;
    }
    stats.nDeletedFiles = 1;
    stats.dwReleasedSpace = static_cast<uint32_t>(nSize);
    LogMessage(LI_FILE_DELETED, "File %s would be deleted (%s bytes)", file.strShown.c_str(),
               strSize.c_str());
    return stats;
}

// A clean removes the empty folders of a tree without a line of their own.
void CPreviewChanges::RemoveFolderIfEmpty(const std::string&) {}

bool CPreviewChanges::RewriteFile(const std::string& strPath, const std::string& bytes,
                                  bool bCreate, bool bChanged)
{
    const bool bExists = GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!bExists) {
        if (!bCreate)
            return false;
        LogMessage(LI_FILE_DELETED, "File %s would be created", strPath.c_str());
        return true;
    }
    if (bChanged) {
        const std::string strSize = std::to_string(bytes.size());
        LogMessage(LI_FILE_DELETED, "File %s would be rewritten (%s bytes after)",
                   strPath.c_str(), strSize.c_str());
    }
    return true;
}

bool CPreviewChanges::DeleteRegValue(HKEY hRoot, const std::string& strKey,
                                     const std::string& strName, REGSAM samView)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_QUERY_VALUE | samView, &hKey) !=
        ERROR_SUCCESS)
        return false;
    const KeyHolder key(hKey);
    if (RegQueryValueExA(hKey, strName.c_str(), nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LogMessage(LI_FILE_DELETED, "Registry value %s would be deleted",
               (ValueText(hRoot, strKey, strName) + InView(samView)).c_str());
    return true;
}

void CPreviewChanges::DeleteRegKeyTree(HKEY hRoot, const std::string& strKey, const std::string&,
                                       REGSAM samView)
{
    if (!RegistryKeyExists(hRoot, strKey, samView))
        return;
    LogMessage(LI_FILE_DELETED, "Registry key %s would be deleted with everything below it",
               (KeyText(hRoot, strKey) + InView(samView)).c_str());
}

void CPreviewChanges::SetRegValue(HKEY hRoot, const std::string& strKey,
                                  const std::string& strName, DWORD dwType,
                                  const std::string& bytes)
{
    std::string strData;
    if (dwType == REG_DWORD && bytes.size() == sizeof(DWORD)) {
        DWORD dwData;
        memcpy(&dwData, bytes.data(), sizeof(dwData));
        strData = std::to_string(dwData);
    } else {
        strData = "\"" + std::string(bytes.c_str()) + "\"";
    }
    LogMessage(LI_FILE_DELETED, "Registry value %s would be set to %s",
               ValueText(hRoot, strKey, strName).c_str(), strData.c_str());
}

void CPreviewChanges::EmptyClipboard()
{
    LogMessage(LI_FILE_DELETED, "The clipboard would be emptied");
}

void CPreviewChanges::StartProgram(const std::string& strCommandLine)
{
    LogMessage(LI_FILE_DELETED, "Program %s would be started", strCommandLine.c_str());
}

void CPreviewChanges::EliminateFreeSpace(const std::string& strDrive, const CStopRequest&)
{
    uint64_t nFree = 0;
    if (!QueryDriveFreeSpace(strDrive, nFree))
        return;
    const std::string strKbytes = std::to_string(nFree / 1024);
    LogMessage(LI_FILE_DELETED, "The free space of %s would be overwritten (%s Kbytes)",
               strDrive.c_str(), strKbytes.c_str());
}

void CPreviewChanges::EndAction(const std::string& strTitle, const CleanStats& stats)
{
    std::string strTotals = std::to_string(stats.nDeletedFiles) + " file(s) (" +
                            std::to_string(stats.dwReleasedSpace / 1024) + " Kbytes) and " +
                            std::to_string(stats.nDeletedRegEntries) + " registry entry(ies)";
    if (stats.nUpdatedFiles != 0)
        strTotals += ", update " + std::to_string(stats.nUpdatedFiles) + " file(s)";
    if (stats.nRebootFiles != 0)
        strTotals += ", and remove " + std::to_string(stats.nRebootFiles) +
                     " file(s) at the next restart";
    LogMessage(LI_ACTION_COMPLETE, "%s would delete %s", strTitle.c_str(), strTotals.c_str());
}
