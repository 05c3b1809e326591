#include "cleaner/plugins/PluginReach.h"

#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/ProtectedFolders.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/StringList.h"

#include <windows.h>

#include <vector>

namespace {

const char kHeading[] = "This plug-in also:";
const char kTargetsHeading[] = "It removes:";
const char kBullet[] = "- ";
const char kLineEnd[] = "\r\n";

// A text that the system writes into a buffer and, when the buffer is too
// small, answers with the size it needs.
template <class Query>
std::string AskSystemText(Query query)
{
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (int nTry = 0; nTry < 3; ++nTry) {
        const DWORD cchText = query(buffer.data(), DWORD(buffer.size()));
        if (cchText == 0)
            return std::string();
        if (cchText < buffer.size())
            return std::string(buffer.data(), cchText);
        buffer.assign(cchText + 1, '\0');
    }
    return std::string();
}

std::string Upper(std::string strText)
{
    if (!strText.empty())
        CharUpperBuffA(&strText[0], DWORD(strText.size()));
    return strText;
}

// A path on another computer: asking the system about it would wait for the
// network.
bool IsNetworkPath(const std::string& strPath)
{
    return strPath.compare(0, 2, "\\\\") == 0;
}

bool IsDriveRoot(const std::string& strPath)
{
    return strPath.size() == 3 && strPath[1] == ':' && strPath[2] == '\\';
}

// "\\server\share", the top of a network share.
bool IsShareRoot(const std::string& strPath)
{
    if (strPath.size() < 5 || strPath.compare(0, 2, "\\\\") != 0)
        return false;
    const size_t nSlash = strPath.find('\\', 2);
    return nSlash != std::string::npos && nSlash > 2 && nSlash + 1 < strPath.size() &&
           strPath.find('\\', nSlash + 1) == std::string::npos;
}

// The path as the system takes it when it opens it: without a device or
// long-path prefix, absolute, with "." and "..", forward slashes and short
// names resolved, and without a backslash at its end unless it is a root.
// So "[PATH_SYS_TEMP]..\..\..\.." is seen for the drive root it is.
std::string ResolvedPath(const std::string& strPath)
{
    std::string strText = strPath;
    if (strText.compare(0, 8, "\\\\?\\UNC\\") == 0)
        strText = "\\\\" + strText.substr(8);
    else if (strText.compare(0, 4, "\\\\?\\") == 0 || strText.compare(0, 4, "\\\\.\\") == 0)
        strText = strText.substr(4);
    std::string strFull = AskSystemText([&](char* pszBuffer, DWORD cchBuffer) {
        return GetFullPathNameA(strText.c_str(), cchBuffer, pszBuffer, nullptr);
    });
    if (strFull.empty())
        strFull = strText;
    // Windows 95 and NT 4.0 have no long-name query.
    typedef DWORD(WINAPI * LongPathQuery)(LPCSTR, LPSTR, DWORD);
    static const LongPathQuery pfnLongPath = reinterpret_cast<LongPathQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                               "GetLongPathNameA")));
    if (pfnLongPath && !IsNetworkPath(strFull)) {
        const std::string strLong = AskSystemText([&](char* pszBuffer, DWORD cchBuffer) {
            return pfnLongPath(strFull.c_str(), pszBuffer, cchBuffer);
        });
        if (!strLong.empty())
            strFull = strLong;
    }
    while (strFull.size() > 1 && strFull.back() == '\\' && !IsDriveRoot(strFull))
        strFull.pop_back();
    return strFull;
}

bool IsSamePath(const std::string& strLeft, const std::string& strRight)
{
    return Upper(strLeft) == Upper(strRight);
}

// Whether the path lies below the folder, at any depth.
bool IsInside(const std::string& strPath, const std::string& strFolder)
{
    if (strFolder.empty())
        return false;
    const std::string strPrefix = strFolder.back() == '\\' ? strFolder : strFolder + '\\';
    return strPath.size() > strPrefix.size() &&
           Upper(strPath.substr(0, strPrefix.size())) == Upper(strPrefix);
}

bool IsExistingFolder(const std::string& strPath)
{
    if (IsNetworkPath(strPath))
        return false;
    const DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ParentFolder(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash == std::string::npos)
        return std::string();
    const std::string strParent = strPath.substr(0, nSlash);
    return strParent.size() == 2 && strParent[1] == ':' ? strParent + '\\' : strParent;
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '\\')
        return strFolder + strName;
    return strFolder + "\\" + strName;
}

// The places whose reach the page points out.
enum PlaceKind {
    PK_ORDINARY,
    PK_DRIVE_ROOT,
    PK_SHARE_ROOT,
    PK_HOLDS_WINDOWS,  // a folder above the Windows folder that is no root
    PK_WINDOWS,
    PK_IN_WINDOWS,
    PK_SYSTEM,
    PK_IN_SYSTEM,
};

struct Place {
    PlaceKind kind;
    std::string strFolder;  // resolved
};

class CPlaces {
public:
    CPlaces()
        : m_strWindows(ResolvedPath(AskSystemText([](char* pszBuffer, DWORD cchBuffer) {
              return GetWindowsDirectoryA(pszBuffer, cchBuffer);
          }))),
          m_strSystem(ResolvedPath(AskSystemText([](char* pszBuffer, DWORD cchBuffer) {
              return GetSystemDirectoryA(pszBuffer, cchBuffer);
          })))
    {
    }

    Place Classify(const std::string& strFolder) const
    {
        if (IsDriveRoot(strFolder))
            return {PK_DRIVE_ROOT, strFolder};
        if (IsShareRoot(strFolder))
            return {PK_SHARE_ROOT, strFolder};
        if (!m_strSystem.empty() && IsSamePath(strFolder, m_strSystem))
            return {PK_SYSTEM, strFolder};
        if (IsInside(strFolder, m_strSystem))
            return {PK_IN_SYSTEM, strFolder};
        if (!m_strWindows.empty() && IsSamePath(strFolder, m_strWindows))
            return {PK_WINDOWS, strFolder};
        if (IsInside(strFolder, m_strWindows))
            return {PK_IN_WINDOWS, strFolder};
        if (IsInside(m_strWindows, strFolder) || IsInside(m_strSystem, strFolder))
            return {PK_HOLDS_WINDOWS, strFolder};
        return {PK_ORDINARY, strFolder};
    }

private:
    std::string m_strWindows;
    std::string m_strSystem;
};

// "the root of drive C:\", "the Windows folder", ...
std::string PlacePhrase(const Place& place)
{
    switch (place.kind) {
    case PK_DRIVE_ROOT:
        return "the root of drive " + place.strFolder;
    case PK_SHARE_ROOT:
        return "the root of the network share " + place.strFolder;
    case PK_HOLDS_WINDOWS:
        return "a folder that holds the Windows folder";
    case PK_WINDOWS:
        return "the Windows folder";
    case PK_IN_WINDOWS:
        return "a folder inside the Windows folder";
    case PK_SYSTEM:
        return "the system folder";
    case PK_IN_SYSTEM:
        return "a folder inside the system folder";
    default:
        return std::string();
    }
}

// How the plugin wrote a path, when that differs from where it leads.
std::string WrittenAs(const std::string& strWritten, const std::string& strResolved)
{
    std::string strTrimmed = strWritten;
    while (strTrimmed.size() > 1 && strTrimmed.back() == '\\' && !IsDriveRoot(strTrimmed))
        strTrimmed.pop_back();
    if (IsSamePath(strTrimmed, strResolved))
        return std::string();
    return "written as " + strWritten;
}

std::string InBrackets(const std::string& strFirst, const std::string& strSecond)
{
    if (strSecond.empty())
        return " (" + strFirst + ")";
    return " (" + strFirst + ", " + strSecond + ")";
}

// One path of a target as the plugin wrote it and as the engine expands it.
struct TargetPath {
    std::string strWritten;
    std::string strResolved;
};

// The paths the engine works on for a target's text: expanded as a whole,
// then split at the list separator. None when a macro of the text has no
// location here, as the engine then leaves the target alone. Each piece as
// the plugin wrote it is expanded again on its own to pair it with what it
// became.
std::vector<TargetPath> ExpandedPaths(const std::string& strText, bool bSplit,
                                      const CGeneralSettings& settings)
{
    std::vector<TargetPath> paths;
    bool bResolved = true;
    ExpandPath(strText, settings, &bResolved);
    if (!bResolved || strText.empty())
        return paths;
    const StringVector written =
        bSplit ? SplitAtSeparator(strText, kListSeparator) : StringVector{strText};
    for (const std::string& strWritten : written) {
        const std::string strExpanded = ExpandPath(strWritten, settings);
        const StringVector expanded =
            bSplit ? SplitAtSeparator(strExpanded, kListSeparator) : StringVector{strExpanded};
        for (const std::string& strPath : expanded) {
            if (!strPath.empty())
                paths.push_back({strWritten, ResolvedPath(strPath)});
        }
    }
    return paths;
}

// The folder a path's first wildcard segment is looked for in; the path
// itself when it has none.
std::string FolderBeforePattern(const std::string& strPath)
{
    const size_t nWild = strPath.find_first_of("*?");
    if (nWild == std::string::npos)
        return strPath;
    const size_t nSlash = strPath.rfind('\\', nWild);
    if (nSlash == std::string::npos)
        return std::string();
    const std::string strFolder = strPath.substr(0, nSlash);
    return strFolder.size() == 2 && strFolder[1] == ':' ? strFolder + '\\' : strFolder;
}

// The place of a file the engine deletes or rewrites, when it is one the page
// points out. A folder is no file: deleting or rewriting it fails. Only a
// file target's folders may hold wildcards; such a file is told by where its
// folders are looked for.
bool FindFilePlace(const TargetPath& path, const CPlaces& places, bool bPatterns, Place& place,
                   bool& bPattern)
{
    // The engine takes the text of a file to rewrite whole; with a list
    // separator in it, it names no file at all.
    if (path.strResolved.find(kListSeparator) != std::string::npos ||
        IsExistingFolder(path.strResolved))
        return false;
    const std::string strParent = ParentFolder(path.strResolved);
    bPattern = bPatterns && HasWildcards(strParent);
    place = places.Classify(bPattern ? ResolvedPath(FolderBeforePattern(strParent)) : strParent);
    // A file beside the Windows folder is no threat to it; one in folders
    // below it may be.
    return place.kind != PK_ORDINARY && (place.kind != PK_HOLDS_WINDOWS || bPattern);
}

class CReachWriter {
public:
    CReachWriter(const CGeneralSettings& settings, StringVector& lines)
        : m_settings(settings), m_lines(lines)
    {
    }

    void Commands(const CAction& action)
    {
        // Started exactly as written: no macro of a command line is expanded.
        for (const std::string& strCommand : action.lstCommands) {
            if (!strCommand.empty())
                m_lines.push_back("Starts the program: " + strCommand);
        }
    }

    void FileTargets(const CAction& action)
    {
        for (const FileTarget& target : action.lstFiles) {
            switch (target.dwType) {
            case TT_SINGLE:
                // Each path of a list is a file of its own.
                for (const TargetPath& path : ExpandedPaths(target.strName, true, m_settings))
                    SingleFile("Deletes the file ", path, true);
                break;
            case TT_CONTENT:
            case TT_RECURSIVE:
            case TT_TREE_AND_SELF:
                FolderTarget(target);
                break;
            default:
                break;  // the engine skips other types
            }
        }
    }

    void FileUpdates(const CAction& action)
    {
        for (const FileUpdate& update : action.lstFileUpdates) {
            const char* pszVerb;
            switch (update.dwMethod) {
            case FileUpdate::FU_CLEAR_LINES:
                pszVerb = "Removes lines from the file ";
                break;
            case FileUpdate::FU_CLEAR_KEYWORDS:
                pszVerb = "Removes words from the file ";
                break;
            case FileUpdate::FU_CLEAR_FILE:
                pszVerb = "Empties the file ";
                break;
            default:
                continue;  // the engine leaves the file alone
            }
            for (const TargetPath& path : ExpandedPaths(update.strPath, false, m_settings))
                SingleFile(pszVerb, path);
        }
    }

    // A text written where Windows finds the programs it starts by itself
    // starts that program, at every logon, long after the clean.
    void StartupEntries(const CAction& action)
    {
        for (const RegUpdate& update : action.lstKeyUpdates) {
            if (update.dwDataType != RegUpdate::DT_TEXT)
                continue;
            const std::string strKey = ExpandUserName(update.target.strName);
            if (strKey.empty() || !StartsPrograms(strKey, update.target.strValue))
                continue;
            m_lines.push_back("Makes Windows start a program: writes \"" + update.strData +
                              "\" to " + RootKeyName(update.target.dwKey) + "\\" + strKey +
                              " (value \"" + update.target.strValue + "\")");
        }
    }

    void KeyTrees(const CAction& action)
    {
        for (const RegTarget& target : action.lstKeys) {
            if (target.dwType == TT_RECURSIVE)
                KeyTree(target);
        }
    }

    void HistoryPairs(const CAction& action)
    {
        for (const FilePairItem& pair : action.lstFilePairs) {
            // The engine touches neither file unless both have a location.
            bool bFirst = true;
            bool bSecond = true;
            ExpandPath(pair.strFirst, m_settings, &bFirst);
            ExpandPath(pair.strSecond, m_settings, &bSecond);
            if (!bFirst || !bSecond)
                continue;
            for (const TargetPath& path : ExpandedPaths(pair.strFirst, false, m_settings))
                SingleFile("Deletes the file ", path);
            for (const TargetPath& path : ExpandedPaths(pair.strSecond, false, m_settings))
                SingleFile("Removes lines from the file ", path);
        }
    }

    void Drives(const StringList& drives, const char* pszWhat)
    {
        for (const std::string& strDrive : drives) {
            if (!strDrive.empty())
                m_lines.push_back(std::string(pszWhat) + " of drive " + strDrive);
        }
    }

    void Add(const char* pszLine) { m_lines.push_back(pszLine); }

private:
    void SingleFile(const char* pszVerb, const TargetPath& path, bool bPatterns = false)
    {
        Place place;
        bool bPattern = false;
        if (!FindFilePlace(path, m_places, bPatterns, place, bPattern))
            return;
        const std::string strWritten = WrittenAs(path.strWritten, path.strResolved);
        const char* pszWhere = bPattern ? " in folders that match a path below " : " in ";
        m_lines.push_back(pszVerb + path.strResolved + pszWhere + PlacePhrase(place) +
                          (strWritten.empty() ? "" : " (" + strWritten + ")"));
    }

    void FolderTarget(const FileTarget& target)
    {
        const std::string strMask = ExpandHiddenMask(target.strMask, m_settings);
        if (strMask.empty())
            return;  // the engine cleans nothing without a mask
        StringVector masks;
        for (const std::string& strPattern :
             target.bUseMaskList ? target.vecMasks : SplitAtSeparator(strMask, kListSeparator)) {
            if (!strPattern.empty())
                masks.push_back(strPattern);
        }
        if (masks.empty())
            return;

        for (const TargetPath& path : ExpandedPaths(target.strName, true, m_settings)) {
            // Folders written with wildcards reach as far as the folder they
            // are looked for in: "C:\*\Cache" reaches into the Windows folder.
            const std::string strFixed = FolderBeforePattern(path.strResolved);
            const bool bPattern = strFixed != path.strResolved;
            const Place place =
                m_places.Classify(bPattern ? ResolvedPath(strFixed) : path.strResolved);
            if (place.kind == PK_ORDINARY)
                continue;
            std::string strShown = JoinPath(path.strResolved, masks.front());
            for (size_t nMask = 1; nMask < masks.size(); ++nMask)
                strShown += ", " + masks[nMask];
            m_lines.push_back("Deletes files in " + FolderReach(place, target.dwType, bPattern) +
                              InBrackets(strShown, WrittenAs(path.strWritten, path.strResolved)));
        }
    }

    // Where a folder target of the type deletes files, for a place that is
    // one to point out.
    static std::string FolderReach(const Place& place, uint32_t dwType, bool bPattern)
    {
        const bool bTree = dwType != TT_CONTENT;
        // The engine never removes a root, the Windows or system folder
        // itself, nor the other folders that the system keeps.
        const bool bSelf =
            dwType == TT_TREE_AND_SELF && (bPattern || !IsProtectedFolder(place.strFolder));
        if (bPattern) {
            return "folders that match a path below " + PlacePhrase(place) +
                   (bTree ? " and in all their subfolders" : "") +
                   (bSelf ? ", then each such folder itself when it ends empty" : "");
        }
        if (!bTree)
            return PlacePhrase(place);
        // A root stays whatever the type.
        if (place.kind == PK_DRIVE_ROOT)
            return "every folder of drive " + place.strFolder;
        if (place.kind == PK_SHARE_ROOT)
            return "every folder of the network share " + place.strFolder;
        return PlacePhrase(place) + " and in all its subfolders" +
               (bSelf ? ", then the folder itself when it ends empty" : "");
    }

    void KeyTree(const RegTarget& target)
    {
        const std::string strKey = ExpandUserName(target.strName);
        const int nDepth = KeyDepth(strKey);
        // The engine leaves a root and the keys right below it alone.
        if (nDepth < 2)
            return;
        const std::string strRoot = RootKeyName(target.dwKey);
        std::string strLine = "Deletes the whole registry key " + strRoot + "\\" + strKey;
        if (IsNearTop(target.dwKey, nDepth))
            strLine += ", near the top of the registry,";
        strLine += " and all its subkeys";
        if (strKey != target.strName)
            strLine += " (written as " + strRoot + "\\" + target.strName + ")";
        m_lines.push_back(strLine);
    }

    // The keys whose values Windows runs at start or logon, and the values of
    // the logon key that name the shell and the programs of the logon.
    static bool StartsPrograms(const std::string& strKey, const std::string& strValue)
    {
        const std::string strUpper = Upper(strKey);
        const std::string strLast = strUpper.substr(strUpper.rfind('\\') + 1);
        if (strLast == "RUN" || strLast == "RUNONCE" || strLast == "RUNSERVICES" ||
            strLast == "RUNSERVICESONCE")
            return true;
        const std::string strName = Upper(strValue);
        return strLast == "WINLOGON" && (strName == "SHELL" || strName == "USERINIT");
    }

    static int KeyDepth(const std::string& strKey)
    {
        int nDepth = 0;
        for (const std::string& strPart : SplitAtSeparator(strKey, '\\')) {
            if (!strPart.empty())
                ++nDepth;
        }
        return nDepth;
    }

    // Two levels below the top of a hive, where a key holds the settings of
    // a whole maker or of the system: "Software\Microsoft",
    // "SYSTEM\CurrentControlSet". Each user's hive in HKEY_USERS sits one
    // level lower; the classes root is "Software\Classes" of a hive.
    static bool IsNearTop(uint32_t dwRoot, int nDepth)
    {
        if (dwRoot == RK_USERS)
            return nDepth <= 3;
        if (dwRoot == RK_CLASSES_ROOT)
            return false;
        return nDepth <= 2;
    }

    const CGeneralSettings& m_settings;
    StringVector& m_lines;
    CPlaces m_places;
};

}  // namespace

StringVector DescribePluginReach(const CAction& action, const CGeneralSettings& settings)
{
    CAction prepared = action;
    PrepareForClean(prepared, settings);

    StringVector lines;
    CReachWriter writer(settings, lines);
    switch (prepared.dwKind) {
    case AK_STANDARD:
        writer.Commands(prepared);
        writer.FileTargets(prepared);
        writer.FileUpdates(prepared);
        writer.StartupEntries(prepared);
        writer.KeyTrees(prepared);
        break;
    case AK_CLIPBOARD:
        writer.Add("Empties the clipboard");
        break;
    case AK_FREESPACE:
        writer.Drives(prepared.lstFreeSpaceDrives, "Wipes the free space");
        break;
    case AK_RECYCLEBIN:
        writer.Drives(prepared.lstRecycleBinDrives, "Empties the recycle bin");
        break;
    case AK_NNHISTORY:
        writer.HistoryPairs(prepared);
        break;
    case AK_PSTORE:
        writer.Add("Deletes the AutoComplete form data of Internet Explorer");
        break;
    case AK_MRU:
        writer.Add("Deletes the search history lists of Windows");
        break;
    default:
        break;  // any other kind does nothing
    }
    return lines;
}

namespace {

std::string TargetMasks(const FileTarget& target, const CGeneralSettings& settings)
{
    const StringVector masks =
        target.bUseMaskList
            ? target.vecMasks
            : SplitAtSeparator(ExpandHiddenMask(target.strMask, settings), kListSeparator);
    std::string strMasks;
    for (const std::string& strMask : masks) {
        if (!strMask.empty())
            strMasks += (strMasks.empty() ? "" : ", ") + strMask;
    }
    return strMasks;
}

std::string FileTargetLine(const FileTarget& target, const std::string& strPath,
                           const std::string& strMasks)
{
    std::string strLine;
    switch (target.dwType) {
    case TT_SINGLE:
        return "The file " + strPath;
    case TT_CONTENT:
        strLine = strMasks + " in " + strPath;
        break;
    case TT_RECURSIVE:
        strLine = strMasks + " in " + strPath + " and its subfolders";
        break;
    case TT_TREE_AND_SELF:
        strLine = strMasks + " in " + strPath + " and its subfolders, then the folder itself "
                                                "when it ends empty";
        break;
    default:
        return std::string();  // the engine skips other types
    }
    const char* pszJoin = ", except ";
    for (const std::string& strExcluded : target.lstExclude) {
        strLine += pszJoin + strExcluded;
        pszJoin = ", ";
    }
    return strLine;
}

std::string KeyTargetLine(const RegTarget& target)
{
    const std::string strKey = RootKeyName(target.dwKey) + "\\" + ExpandUserName(target.strName);
    switch (target.dwType) {
    case TT_SINGLE:
        return "The value \"" + target.strValue + "\" of " + strKey;
    case TT_CONTENT:
        return "The values " + target.strValueMask + " of " + strKey;
    case TT_RECURSIVE:
        return "The key " + strKey + " and all its subkeys";
    default:
        return std::string();
    }
}

}  // namespace

StringVector DescribePluginTargets(const CAction& action, const CGeneralSettings& settings)
{
    StringVector lines;
    if (action.dwKind != AK_STANDARD)
        return lines;
    for (const FileTarget& target : action.lstFiles) {
        const std::string strMasks = TargetMasks(target, settings);
        if (target.dwType != TT_SINGLE && strMasks.empty())
            continue;  // the engine cleans nothing without a mask
        for (const TargetPath& path : ExpandedPaths(target.strName, true, settings)) {
            const std::string strLine = FileTargetLine(target, path.strResolved, strMasks);
            if (!strLine.empty())
                lines.push_back(strLine);
        }
    }
    for (const RegTarget& target : action.lstKeys) {
        const std::string strLine = KeyTargetLine(target);
        if (!strLine.empty() && !target.strName.empty())
            lines.push_back(strLine);
    }
    return lines;
}

std::string PluginDetailsText(const std::string& strDescription, const StringVector& reach,
                              const StringVector& targets)
{
    std::string strText = strDescription;
    for (const auto& section : {std::make_pair(kHeading, &reach),
                                std::make_pair(kTargetsHeading, &targets)}) {
        if (section.second->empty())
            continue;
        if (!strText.empty())
            strText += std::string(kLineEnd) + kLineEnd;
        strText += section.first;
        for (const std::string& strLine : *section.second)
            strText += kLineEnd + (kBullet + strLine);
    }
    return strText;
}
