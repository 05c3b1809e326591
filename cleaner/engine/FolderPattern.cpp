#include "cleaner/engine/FolderPattern.h"

#include "cleaner/engine/SystemVersion.h"
#include "common/FileMask.h"
#include "common/FindFiles.h"

#include <windows.h>

#include <string.h>

#include <algorithm>

namespace {

// The longest folder path kept: room is left for a separator and a file's
// short name, as the tree walk leaves it, so that what the folder holds can
// still be reached by the ANSI calls.
const size_t kMaxFolderLength = MAX_PATH - 1 - 13;

std::string JoinFolder(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '\\')
        return strFolder + strName;
    return strFolder + "\\" + strName;
}

bool NameLess(const std::string& strLeft, const std::string& strRight)
{
    const int nOrder = _stricmp(strLeft.c_str(), strRight.c_str());
    return nOrder != 0 ? nOrder < 0 : strLeft < strRight;
}

// Appends the subfolders of the folder whose long names match the segment,
// sorted by name, while the result has room. The search lists everything,
// so that no folder is taken for its short alias; a name that the code page
// cannot write ("?" for a character) names no folder the ANSI calls reach.
void AppendMatchingSubfolders(const std::string& strFolder, const std::string& strSegment,
                              size_t nMaxFolders, StringVector& folders)
{
    StringVector names;
    CFindFiles entries(strFolder, "*");
    WIN32_FIND_DATAA data;
    while (entries.Next(data)) {
        const std::string strName = data.cFileName;
        const DWORD dwAttributes = data.dwFileAttributes;
        if (!(dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || strName == "." || strName == ".." ||
            strName.find('?') != std::string::npos || !MatchFileMask(strName, strSegment))
            continue;
        names.push_back(strName);
    }
    std::sort(names.begin(), names.end(), NameLess);
    for (const std::string& strName : names) {
        if (folders.size() >= nMaxFolders)
            return;
        const std::string strPath = JoinFolder(strFolder, strName);
        if (strPath.size() <= kMaxFolderLength)
            folders.push_back(strPath);
    }
}

bool IsFolder(const std::string& strPath)
{
    const DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folders of one level below the given ones that the segment names.
StringVector ExpandSegment(const StringVector& folders, const std::string& strSegment,
                           size_t nMaxFolders)
{
    StringVector next;
    for (const std::string& strFolder : folders) {
        if (HasWildcards(strSegment)) {
            AppendMatchingSubfolders(strFolder, strSegment, nMaxFolders, next);
            continue;
        }
        const std::string strPath = JoinFolder(strFolder, strSegment);
        if (strPath.size() <= kMaxFolderLength && IsFolder(strPath))
            next.push_back(strPath);
    }
    return next;
}

}  // namespace

bool HasWildcards(const std::string& strPath)
{
    return strPath.find_first_of("*?") != std::string::npos;
}

StringVector ExpandFolderPattern(const std::string& strPath, size_t nMaxFolders)
{
    const size_t nWildcard = strPath.find_first_of("*?");
    if (nWildcard == std::string::npos)
        return StringVector{strPath};
    // The part before the first segment with wildcards is taken as it is; a
    // pattern in the first segment ("*\Cache", "C*:\") names no folder meant.
    const size_t nCut = strPath.rfind('\\', nWildcard);
    if (nCut == std::string::npos || nCut == 0)
        return StringVector();
    StringVector folders{strPath.substr(0, nCut)};
    size_t nStart = nCut + 1;
    while (nStart <= strPath.size() && !folders.empty()) {
        size_t nEnd = strPath.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        const std::string strSegment = strPath.substr(nStart, nEnd - nStart);
        if (!strSegment.empty())
            folders = ExpandSegment(folders, strSegment, nMaxFolders);
        nStart = nEnd + 1;
    }
    return folders;
}

std::string RedirectSystem32(const std::string& strPath, const std::string& strWindows)
{
    const std::string strSystem = strWindows + "\\System32";
    const size_t nLength = strSystem.size();
    if (strWindows.empty() || strPath.size() < nLength ||
        _strnicmp(strPath.c_str(), strSystem.c_str(), nLength) != 0 ||
        (strPath.size() > nLength && strPath[nLength] != '\\'))
        return strPath;
    return strWindows + "\\Sysnative" + strPath.substr(nLength);
}

std::string ReachNativeSystemFolder(const std::string& strPath)
{
    // Asked once: neither answer changes while the program runs. A 64-bit XP
    // without its update has no "Sysnative"; there the path stays as it is.
    static const std::string s_strWindows = [] {
        const std::string strWindows = GetWindowsFolder();
        return RunsUnderWow64() && IsFolder(strWindows + "\\Sysnative") ? strWindows
                                                                         : std::string();
    }();
    return RedirectSystem32(strPath, s_strWindows);
}
