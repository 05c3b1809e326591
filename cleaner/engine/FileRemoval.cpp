#include "cleaner/engine/FileRemoval.h"

#include "cleaner/engine/ExcludedFiles.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/ProtectedFolders.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/engine/WipePattern.h"
#include "common/FindFiles.h"
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

// The longest path that the system's ANSI calls accept, without its zero.
const size_t kMaxPathLength = MAX_PATH - 1;
// Room that a folder's path leaves for the short name of what it holds.
const size_t kShortNameRoom = 1 + 12;

// An entry that a walk found: the path by which the system's calls reach
// it, and the path that the log shows. They differ where a name was
// replaced by its short form: a name that the ANSI code page cannot write
// (the system writes "?" for each character it cannot, a character no file
// name holds), or one that would make the path too long.
struct FoundPath {
    std::string strPath;
    std::string strShown;
};

FoundPath TopFolder(const std::string& strFolder)
{
    return FoundPath{strFolder, strFolder};
}

FoundPath FoundEntry(const FoundPath& folder, const WIN32_FIND_DATAA& data, size_t nRoomAfter)
{
    const std::string strName = data.cFileName;
    std::string strPath = JoinPath(folder.strPath, strName);
    const bool bUnwritable = strName.find('?') != std::string::npos;
    if ((bUnwritable || strPath.size() + nRoomAfter > kMaxPathLength) &&
        data.cAlternateFileName[0] != '\0')
        strPath = JoinPath(folder.strPath, data.cAlternateFileName);
    return FoundPath{strPath, JoinPath(folder.strShown, strName)};
}

std::string JoinRelative(const std::string& strRelative, const std::string& strName)
{
    return strRelative.empty() ? strName : strRelative + "\\" + strName;
}

void RemoveFirst(std::vector<FoundPath>& candidates, const std::string& strShown)
{
    for (auto it = candidates.begin(); it != candidates.end(); ++it) {
        if (it->strShown == strShown) {
            candidates.erase(it);
            return;
        }
    }
}

// Appends the files of the folder whose names match the pattern and that no
// excluding mask spares; false when the folder has no match at all.
bool CollectMatches(const FoundPath& folder, const std::string& strRelative,
                    const CExcludedFiles& excluded, const std::string& strPattern,
                    std::vector<FoundPath>& candidates)
{
    CFindFiles entries(folder.strPath, strPattern);
    WIN32_FIND_DATAA data;
    bool bFound = false;
    while (entries.Next(data)) {
        bFound = true;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !excluded.SparedByMask(strRelative, data.cFileName))
            candidates.push_back(FoundEntry(folder, data, 0));
    }
    return bFound;
}

// The folders a tree walk enters: not "." or "..", no other name that begins
// with a dot, and no link to a folder, which may lead out of the tree or
// back into it.
std::vector<FoundPath> CollectSubfolders(const FoundPath& folder)
{
    std::vector<FoundPath> subfolders;
    CFindFiles entries(folder.strPath, "*.*");
    WIN32_FIND_DATAA data;
    while (entries.Next(data)) {
        const DWORD dwAttributes = data.dwFileAttributes;
        if ((dwAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && data.cFileName[0] != '.')
            subfolders.push_back(FoundEntry(folder, data, kShortNameRoom));
    }
    return subfolders;
}

// Whether a file that the system reported deleted is still there. Windows
// hides a file whose deletion waits for other handles to close; Wine shows
// it until then, and also reports success where its file system then
// refuses to remove the file (a read-only mount, a folder closed to the
// user).
bool StillThere(const std::string& strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether another program holds the file open, so that it cannot be had
// alone.
bool HeldElsewhere(const std::string& strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(hFile);
    return false;
}

// The errors of a file that the next restart can remove: one in use, or
// one that only the system may delete. A bad or too long name, a
// write-protected or missing medium stay what they are after a restart.
bool RemovableAtRestart(DWORD dwError)
{
    switch (dwError) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return true;
    default:
        return false;
    }
}

enum class Deletion { Done, Missing, InUse, Refused };

Deletion DeleteNow(const std::string& strPath)
{
    if (DeleteFileA(strPath.c_str())) {
        if (!StillThere(strPath))
            return Deletion::Done;
        return HeldElsewhere(strPath) ? Deletion::InUse : Deletion::Refused;
    }
    // A missing folder on the way means a missing file too.
    const DWORD dwError = GetLastError();
    if (dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND)
        return Deletion::Missing;
    return RemovableAtRestart(dwError) ? Deletion::InUse : Deletion::Refused;
}

CleanStats EraseFoundFile(const FoundPath& file, const FileRemoval& removal);

// Appends the matches of every pattern in the folder, less the excluded
// names. strRelative is the folder's path below the cleaned one.
void CollectCandidates(const FoundPath& folder, const std::string& strRelative,
                       const CExcludedFiles& excluded, const StringVector& patterns,
                       std::vector<FoundPath>& candidates)
{
    for (const std::string& strPattern : patterns) {
        if (!CollectMatches(folder, strRelative, excluded, strPattern, candidates))
            continue;
        for (const std::string& strExcluded : excluded.ExactNames())
            RemoveFirst(candidates, JoinPath(folder.strShown, strExcluded));
    }
}

CleanStats EraseCandidates(const std::vector<FoundPath>& candidates, const FileRemoval& removal)
{
    CleanStats stats;
    for (const FoundPath& file : candidates) {
        if (StopRequested(removal))
            break;
        stats += EraseFoundFile(file, removal);
    }
    return stats;
}

// A folder too deep for the system's ANSI calls even by short names cannot
// be listed; it is reported rather than passed over.
bool ReachableFolder(const FoundPath& folder)
{
    if (folder.strPath.size() + kShortNameRoom <= kMaxPathLength)
        return true;
    LogMessage(LI_FILE_FAILED, "Folder %s could not be cleaned: its path is too long",
               folder.strShown.c_str());
    return false;
}

// Whether a tree walk may remove the folder once it is empty: never one that
// the system or the user keeps, by either of its paths.
bool RemovableFolder(const FoundPath& folder)
{
    return !IsProtectedFolder(folder.strShown) && !IsProtectedFolder(folder.strPath);
}

CleanStats CleanFoundTree(const FoundPath& folder, const std::string& strRelative,
                          const CExcludedFiles& excluded, const StringVector& patterns,
                          const FileRemoval& removal)
{
    std::vector<FoundPath> candidates;
    CollectCandidates(folder, strRelative, excluded, patterns, candidates);
    CleanStats stats = EraseCandidates(candidates, removal);
    for (const FoundPath& subfolder : CollectSubfolders(folder)) {
        if (StopRequested(removal))
            return stats;
        if (!ReachableFolder(subfolder))
            continue;
        const std::string strName = subfolder.strShown.substr(subfolder.strShown.rfind('\\') + 1);
        stats += CleanFoundTree(subfolder, JoinRelative(strRelative, strName), excluded,
                                patterns, removal);
        if (RemovableFolder(subfolder))
            removal.pChanges->RemoveFolderIfEmpty(subfolder.strPath);
    }
    return stats;
}

CleanStats EraseFoundFile(const FoundPath& file, const FileRemoval& removal)
{
    const FileFacts facts = QueryFileFacts(file.strPath);
    if (removal.pDate && KeptByDate(facts, *removal.pDate))
        return CleanStats();
    return removal.pChanges->RemoveFile(ChosenFile{file.strPath, file.strShown, facts}, removal);
}

}  // namespace

CleanStats EraseFile(const std::string& strPath, const FileRemoval& removal)
{
    return EraseFoundFile(TopFolder(strPath), removal);
}

CleanStats RemoveChosenFile(const ChosenFile& file, const FileRemoval& removal)
{
    const std::string& strPath = file.strPath;
    const char* pszShown = file.strShown.c_str();
    const FileFacts& facts = file.facts;
    CleanStats stats;

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

    switch (DeleteNow(strPath)) {
    case Deletion::Done:
        stats.dwReleasedSpace = dwSize;
        stats.nDeletedFiles = 1;
        if (removal.dwReportFlags & RF_DELETED)
            LogMessage(LI_FILE_DELETED, "File %s was deleted", pszShown);
        return stats;
    case Deletion::Missing:
        if (removal.dwReportFlags & RF_NOT_FOUND)
            LogMessage(LI_FILE_NOT_FOUND, "File %s not found", pszShown);
        return stats;
    case Deletion::InUse:
        if (!DeleteAtReboot(strPath))
            break;
        stats.nRebootFiles = 1;
        if (removal.dwReportFlags & RF_AT_REBOOT)
            LogMessage(LI_FILE_AT_REBOOT, "File %s will be removed until system reboot",
                       pszShown);
        return stats;
    case Deletion::Refused:
        break;
    }
    // Neither gone nor going: whatever the report flags, the user hears of it.
    LogMessage(LI_FILE_FAILED, "File %s could not be deleted", pszShown);
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

namespace {

StringVector Patterns(const StringVector& vecMasks, const std::string& strMask, bool bUseMaskList)
{
    return bUseMaskList ? vecMasks : SplitAtSeparator(strMask, kListSeparator);
}

// A link to a folder goes by RemoveDirectory whatever it leads to, so a top
// folder that is one stays, as the walk leaves the links it meets.
bool IsFolderLink(const std::string& strPath)
{
    const DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

CleanStats CleanTrees(const std::string& strPaths, const StringList& lstExclude,
                      const StringVector& vecMasks, const std::string& strMask,
                      bool bUseMaskList, bool bWithTop, const FileRemoval& removal)
{
    const StringVector patterns = Patterns(vecMasks, strMask, bUseMaskList);
    const CExcludedFiles excluded(lstExclude);
    CleanStats stats;
    for (const std::string& strFolder : SplitAtSeparator(strPaths, kListSeparator)) {
        if (StopRequested(removal))
            break;
        if (strFolder.empty() || strMask.empty())
            continue;
        const FoundPath top = TopFolder(strFolder);
        stats += CleanFoundTree(top, "", excluded, patterns, removal);
        if (bWithTop && !StopRequested(removal) && RemovableFolder(top) &&
            !IsFolderLink(strFolder))
            removal.pChanges->RemoveFolderIfEmpty(strFolder);
    }
    return stats;
}

}  // namespace

CleanStats CleanFolder(const std::string& strPaths, const StringList& lstExclude,
                       const StringVector& vecMasks, const std::string& strMask,
                       bool bUseMaskList, const FileRemoval& removal)
{
    const StringVector patterns = Patterns(vecMasks, strMask, bUseMaskList);
    const CExcludedFiles excluded(lstExclude);
    std::vector<FoundPath> candidates;
    for (const std::string& strFolder : SplitAtSeparator(strPaths, kListSeparator)) {
        if (!strFolder.empty() && !strMask.empty())
            CollectCandidates(TopFolder(strFolder), "", excluded, patterns, candidates);
    }
    return EraseCandidates(candidates, removal);
}

CleanStats CleanFolderTree(const std::string& strPaths, const StringList& lstExclude,
                           const StringVector& vecMasks, const std::string& strMask,
                           bool bUseMaskList, const FileRemoval& removal)
{
    return CleanTrees(strPaths, lstExclude, vecMasks, strMask, bUseMaskList, false, removal);
}

CleanStats CleanFolderTreeAndSelf(const std::string& strPaths, const StringList& lstExclude,
                                  const StringVector& vecMasks, const std::string& strMask,
                                  bool bUseMaskList, const FileRemoval& removal)
{
    return CleanTrees(strPaths, lstExclude, vecMasks, strMask, bUseMaskList, true, removal);
}
