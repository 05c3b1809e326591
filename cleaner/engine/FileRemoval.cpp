#include "cleaner/engine/FileRemoval.h"

#include "cleaner/engine/Log.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/engine/WipePattern.h"
#include "common/StringList.h"
#include "common/SystemTime.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

bool StopRequested(const FileRemoval& removal)
{
    return removal.pStop && removal.pStop->IsRequested();
}

// What EraseFile needs to know of a file, asked once: its last-write time
// and its size. A wipe keeps the file's length, so the size stays right.
struct FileFacts {
    bool bKnown = false;
    DWORD dwError = ERROR_SUCCESS;  // why the facts are unknown
    WIN32_FILE_ATTRIBUTE_DATA data = {};
};

FileFacts QueryFileFacts(const std::string& strPath)
{
    FileFacts facts;
    facts.bKnown = GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &facts.data);
    if (!facts.bKnown)
        facts.dwError = GetLastError();
    return facts;
}

// Whether the date limit keeps the file. It is decided before anything
// about the file changes. A file whose last-write time cannot be read stays,
// unless it is simply not there: then deletion reports it as not found.
bool KeptByDate(const FileFacts& facts, const SysTime& stDate)
{
    const SYSTEMTIME limit = ToSystemTime(stDate);
    FILETIME ftLimit;
    if (!SystemTimeToFileTime(&limit, &ftLimit))
        return true;  // a limit that is no date cannot let anything go
    if (!facts.bKnown)
        return facts.dwError != ERROR_FILE_NOT_FOUND && facts.dwError != ERROR_PATH_NOT_FOUND;
    return CompareFileTime(&ftLimit, &facts.data.ftLastWriteTime) > 0;
}

// Writing through a link would destroy data that lives under other names.
bool HasOtherNames(HANDLE hFile)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(hFile, &info))
        return true;
    return info.nNumberOfLinks > 1 || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Writes the block over the whole file from its start, in writes of up to
// 64 KiB that repeat the block, the last one cut to the remaining length; a
// buffer that size stays in the processor's cache, where larger ones wrote
// no faster. A file shorter than that gets a buffer of its own length.
bool OverwriteContent(HANDLE hFile, const unsigned char (&block)[kWipeBlockSize])
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(hFile, &size))
        return false;
    const uint64_t nSize = static_cast<uint64_t>(size.QuadPart);
    const uint64_t kMaxBlocksPerWrite = 64;
    const uint64_t nBlocks = (nSize + kWipeBlockSize - 1) / kWipeBlockSize;
    std::vector<unsigned char> buffer(
        kWipeBlockSize * static_cast<size_t>(std::min(nBlocks, kMaxBlocksPerWrite)));
    for (size_t nOffset = 0; nOffset < buffer.size(); nOffset += kWipeBlockSize)
        memcpy(&buffer[nOffset], block, kWipeBlockSize);

    uint64_t nDone = 0;
    while (nDone < nSize) {
        // After a short write the block goes on from where that write ended.
        const size_t nPhase = static_cast<size_t>(nDone % kWipeBlockSize);
        const uint64_t nRemaining = nSize - nDone;
        const size_t cbAvailable = buffer.size() - nPhase;
        const DWORD cbWrite =
            static_cast<DWORD>(nRemaining < cbAvailable ? nRemaining : cbAvailable);
        DWORD cbWritten = 0;
        if (!WriteFile(hFile, &buffer[nPhase], cbWrite, &cbWritten, nullptr) || cbWritten == 0)
            return false;
        nDone += cbWritten;
    }
    // Without this the system may drop the writes when the file is deleted.
    return FlushFileBuffers(hFile) != FALSE;
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '\\')
        return strFolder + strName;
    return strFolder + "\\" + strName;
}

void RemoveFirst(std::vector<std::string>& candidates, const std::string& strPath)
{
    for (auto it = candidates.begin(); it != candidates.end(); ++it) {
        if (*it == strPath) {
            candidates.erase(it);
            return;
        }
    }
}

// Appends the files of the folder that match the pattern; false when the
// folder has no match at all.
bool CollectMatches(const std::string& strFolder, const std::string& strPattern,
                    std::vector<std::string>& candidates)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(JoinPath(strFolder, strPattern).c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            candidates.push_back(JoinPath(strFolder, data.cFileName));
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return true;
}

// The folders a tree walk enters: not "." or "..", no other name that begins
// with a dot, and no link to a folder, which may lead out of the tree or
// back into it.
std::vector<std::string> CollectSubfolders(const std::string& strFolder)
{
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(JoinPath(strFolder, "*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return subfolders;
    do {
        const DWORD dwAttributes = data.dwFileAttributes;
        if ((dwAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && data.cFileName[0] != '.')
            subfolders.push_back(JoinPath(strFolder, data.cFileName));
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return subfolders;
}

}  // namespace

CleanStats EraseFile(const std::string& strPath, const FileRemoval& removal)
{
    CleanStats stats;
    const FileFacts facts = QueryFileFacts(strPath);
    if (removal.pDate && KeptByDate(facts, *removal.pDate))
        return stats;

    // The reset clears what keeps a file from being overwritten, deleted or
    // seen; a file that has none of it is spared the call, which under Wine
    // costs nearly as much as the deletion itself.
    const DWORD kAttributesToReset =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (!facts.bKnown || (facts.data.dwFileAttributes & kAttributesToReset))
        SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (removal.bWipe && removal.dwWipeMode != WIPE_NONE)
        WipeFile(strPath, removal.dwWipeMode);
    // A clean counts the low 32 bits of the size; 0 when it cannot be read.
    const uint32_t dwSize = facts.bKnown ? facts.data.nFileSizeLow : 0;

    if (DeleteFileA(strPath.c_str())) {
        stats.dwReleasedSpace = dwSize;
        stats.nDeletedFiles = 1;
        if (removal.dwReportFlags & RF_DELETED)
            LogMessage(LI_FILE_DELETED, "File %s was deleted", strPath.c_str());
        return stats;
    }

    // A missing folder on the way means a missing file too: nothing to defer.
    const DWORD dwError = GetLastError();
    if (dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND) {
        if (removal.dwReportFlags & RF_NOT_FOUND)
            LogMessage(LI_FILE_NOT_FOUND, "File %s not found", strPath.c_str());
        return stats;
    }
    stats.nRebootFiles = 1;
    if (removal.dwReportFlags & RF_AT_REBOOT)
        LogMessage(LI_FILE_AT_REBOOT, "File %s will be removed until system reboot",
                   strPath.c_str());
    DeleteAtReboot(strPath);
    return stats;
}

bool WipeFile(const std::string& strPath, uint32_t dwWipeMode)
{
    // The link itself is opened, not what it points to, so that it can be
    // recognised and left alone. Windows 95/98/ME have no links.
    const DWORD dwFlags = IsWinNT() ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, dwFlags, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool bOverwritten = false;
    if (!HasOtherNames(hFile)) {
        unsigned char block[kWipeBlockSize];
        FillWipeBlock(dwWipeMode, block);
        bOverwritten = OverwriteContent(hFile, block);
    }
    CloseHandle(hFile);
    return bOverwritten;
}

CleanStats CleanFolder(const std::string& strPaths, const StringList& lstExclude,
                       const StringVector& vecMasks, const std::string& strMask,
                       bool bUseMaskList, const FileRemoval& removal)
{
    std::vector<std::string> candidates;
    const StringVector patterns =
        bUseMaskList ? vecMasks : SplitAtSeparator(strMask, kListSeparator);
    for (const std::string& strFolder : SplitAtSeparator(strPaths, kListSeparator)) {
        if (strFolder.empty() || strMask.empty())
            continue;
        for (const std::string& strPattern : patterns) {
            if (!CollectMatches(strFolder, strPattern, candidates))
                continue;
            for (const std::string& strExcluded : lstExclude)
                RemoveFirst(candidates, JoinPath(strFolder, strExcluded));
        }
    }

    CleanStats stats;
    for (const std::string& strPath : candidates) {
        if (StopRequested(removal))
            break;
        stats += EraseFile(strPath, removal);
    }
    return stats;
}

CleanStats CleanFolderTree(const std::string& strPaths, const StringList& lstExclude,
                           const StringVector& vecMasks, const std::string& strMask,
                           bool bUseMaskList, const FileRemoval& removal)
{
    CleanStats stats;
    for (const std::string& strFolder : SplitAtSeparator(strPaths, kListSeparator)) {
        if (strFolder.empty() || strMask.empty())
            continue;
        stats += CleanFolder(strFolder, lstExclude, vecMasks, strMask, bUseMaskList, removal);
        for (const std::string& strSubfolder : CollectSubfolders(strFolder)) {
            if (StopRequested(removal))
                return stats;
            stats += CleanFolderTree(strSubfolder, lstExclude, vecMasks, strMask, bUseMaskList,
                                     removal);
            RemoveDirectoryA(strSubfolder.c_str());  // only succeeds when it is empty now
        }
    }
    return stats;
}
