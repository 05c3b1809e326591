#include "cleaner/plugins/RuleMapping.h"

#include "common/RootKey.h"
#include "common/StringList.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const struct {
    unsigned nNumber;
    const char* pszName;
} kCategories[] = {
    {3001, "Internet Explorer"}, {3005, "Edge (legacy)"}, {3006, "Edge"},
    {3021, "Applications"},      {3022, "Internet"},      {3023, "Multimedia"},
    {3024, "Utilities"},         {3025, "Windows"},       {3026, "Firefox"},
    {3027, "Opera"},             {3028, "Safari"},        {3029, "Google Chrome"},
    {3030, "Thunderbird"},       {3031, "Windows Store"}, {3033, "Vivaldi"},
    {3034, "Brave"},
};

// The variables of rule paths and the macros they become. Where a 32-bit
// program sees another folder than 64-bit ones do, a second macro names the
// 64-bit folder; it stays unresolved where there is no such folder.
const struct {
    const char* pszName;
    const char* pszMacro;
    const char* pszMacro64;
} kVariables[] = {
    {"AppData", "%AppData%", nullptr},
    {"LocalAppData", "%LocalAppData%", nullptr},
    {"LocalLowAppData", "%LocalLowAppData%", nullptr},
    {"ProgramData", "%ProgramData%", nullptr},
    {"CommonAppData", "%ProgramData%", nullptr},
    {"ProgramFiles", "%ProgramFiles%", "%ProgramW6432%"},
    {"CommonProgramFiles", "%CommonProgramFiles%", "%CommonProgramW6432%"},
    {"UserProfile", "%UserProfile%", nullptr},
    {"Documents", "%Documents%", nullptr},
    {"Pictures", "%Pictures%", nullptr},
    {"Music", "%Music%", nullptr},
    {"Video", "%Video%", nullptr},
    {"Public", "%Public%", nullptr},
    {"SystemDrive", "%SystemDrive%", nullptr},
    {"WinDir", "%WinDir%", nullptr},
    {"Temp", "%Temp%", nullptr},
    {"UserName", "%UserName%", nullptr},
};

const struct {
    const char* pszShort;
    const char* pszLong;
    uint32_t dwRoot;
} kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER", RK_CURRENT_USER},
    {"HKLM", "HKEY_LOCAL_MACHINE", RK_LOCAL_MACHINE},
    {"HKCR", "HKEY_CLASSES_ROOT", RK_CLASSES_ROOT},
    {"HKU", "HKEY_USERS", RK_USERS},
    {"HKCC", "HKEY_CURRENT_CONFIG", RK_CURRENT_CONFIG},
};

// The browsers that "SpecialDetect" names, by the folders of their profiles.
const struct {
    const char* pszName;
    const char* pszFolder;
} kSpecialDetections[] = {
    {"DET_CHROME", "%LocalAppData%\\Google\\Chrome\\User Data"},
    {"DET_MOZILLA", "%AppData%\\Mozilla\\Firefox"},
    {"DET_THUNDERBIRD", "%AppData%\\Thunderbird"},
    {"DET_OPERA", "%AppData%\\Opera Software"},
};

// Longer file names are cut; every file system takes this many characters.
const size_t kMaxFileNameStem = 100;

// A text to show: a character that the system's code page lacks, or any
// other control character, shows as "?"; a zero byte would end the text.
std::string Printable(std::string strText)
{
    for (char& ch : strText) {
        if (static_cast<unsigned char>(ch) < 0x20)
            ch = '?';
    }
    return strText;
}

bool HasControlCharacter(const std::string& strText)
{
    return std::any_of(strText.begin(), strText.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) < 0x20; });
}

// Whether a mask or a name may stand for files of one folder.
bool IsNamePattern(const std::string& strText)
{
    return !strText.empty() && !HasControlCharacter(strText) &&
           strText.find_first_of("\\/:\"<>|") == std::string::npos;
}

bool HasWildcard(const std::string& strText)
{
    return strText.find_first_of("*?") != std::string::npos;
}

std::string KeyLabel(const RuleKey& key)
{
    return key.nNumber == 0 ? key.strName : key.strName + std::to_string(key.nNumber);
}

StringVector Segments(const std::string& strPath)
{
    return SplitAtSeparator(strPath, '\\');
}

// A path in the cleaner's terms: its variables as macros, one path for each
// folder that a variable names (two where 32-bit and 64-bit programs have
// folders of their own). Empty, with the reason in strProblem, when the path
// cannot be used safely.
StringVector TranslatePath(const std::string& strRulePath, std::string& strProblem)
{
    std::string strPath, strPath64;
    bool bTwoFolders = false;
    for (size_t nPos = 0; nPos < strRulePath.size();) {
        const char ch = strRulePath[nPos];
        if (static_cast<unsigned char>(ch) < 0x20) {
            strProblem = "its path holds characters this system cannot write";
            return {};
        }
        if (ch != '%') {
            strPath += ch == '/' ? '\\' : ch;
            strPath64 += ch == '/' ? '\\' : ch;
            ++nPos;
            continue;
        }
        const size_t nEnd = strRulePath.find('%', nPos + 1);
        const std::string strName = strRulePath.substr(nPos + 1, nEnd - nPos - 1);
        const auto* pVariable = std::find_if(std::begin(kVariables), std::end(kVariables),
                                             [&strName](const auto& variable) {
                                                 return EqualsIgnoringCase(variable.pszName,
                                                                           strName);
                                             });
        if (nEnd == std::string::npos || pVariable == std::end(kVariables)) {
            strProblem = "the variable %" + strName.substr(0, 40) + "% is unknown";
            return {};
        }
        strPath += pVariable->pszMacro;
        strPath64 += pVariable->pszMacro64 ? pVariable->pszMacro64 : pVariable->pszMacro;
        bTwoFolders = bTwoFolders || pVariable->pszMacro64;
        nPos = nEnd + 1;
    }
    while (!strPath.empty() && strPath.back() == '\\') {
        strPath.pop_back();
        strPath64.pop_back();
    }
    const StringVector segments = Segments(strPath);
    const bool bFromDrive = strPath.size() >= 2 && strPath[1] == ':' &&
                            std::isalpha(static_cast<unsigned char>(strPath[0])) &&
                            segments.front().size() == 2;
    if (!bFromDrive && strPath.compare(0, 1, "%") != 0) {
        strProblem = "its path is not a full path";
        return {};
    }
    for (const std::string& strSegment : segments) {
        // The system reads "..", and ". ." alike, as the folder above.
        if (strSegment.find_first_not_of(". ") == std::string::npos) {
            strProblem = "its path has an empty, \".\" or \"..\" folder name";
            return {};
        }
    }
    if (bTwoFolders)
        return {strPath, strPath64};
    return {strPath};
}

// Whether the path names a drive's root, which a rule never cleans as a tree.
bool IsDriveRoot(const std::string& strPath)
{
    return EqualsIgnoringCase(strPath, "%SystemDrive%") ||
           (strPath.size() == 2 && strPath[1] == ':');
}

// How the folder of an exclusion lies to the folder of a target.
enum class Placement {
    Apart,    // neither holds the other
    Inside,   // the exclusion's folder is the target's or lies below it
    Above,    // the target's folder lies below the exclusion's
    Unclear,  // wildcards may make them meet; where cannot be told before a clean
};

Placement PlaceFolder(const std::string& strExcluded, const std::string& strTarget)
{
    const StringVector excluded = Segments(strExcluded);
    const StringVector target = Segments(strTarget);
    bool bUnclear = false;
    for (size_t n = 0; n < excluded.size() && n < target.size(); ++n) {
        if (EqualsIgnoringCase(excluded[n], target[n]))
            continue;
        if (!HasWildcard(excluded[n]) && !HasWildcard(target[n]))
            return Placement::Apart;
        bUnclear = true;
    }
    if (bUnclear)
        return Placement::Unclear;
    return excluded.size() >= target.size() ? Placement::Inside : Placement::Above;
}

bool KeyHolds(const std::string& strOuter, const std::string& strInner)
{
    return EqualsIgnoringCase(strOuter, strInner) ||
           (strInner.size() > strOuter.size() && strInner[strOuter.size()] == '\\' &&
            EqualsIgnoringCase(strOuter, strInner.substr(0, strOuter.size())));
}

// An "ExcludeKey": files of a folder, or a registry key or value.
struct Exclusion {
    std::string strLabel;
    enum Kind { FILES, REGISTRY, UNKNOWN } kind = UNKNOWN;
    bool bWholeTree = false;  // "PATH": the folder and its subfolders
    StringVector folders;     // the translated folder, one per variant
    StringVector names;       // "FILE": the one name; "PATH": the masks
    uint32_t dwRoot = 0;
    std::string strKey;
    std::string strValue;     // a value of the key only; empty: the whole key
    bool bUnreadable = false;
};

Exclusion ReadExclusion(const RuleKey& key, StringVector& skipped)
{
    Exclusion exclusion;
    exclusion.strLabel = KeyLabel(key);
    const size_t nBar = key.strValue.find('|');
    const std::string strKind = TrimBlanks(key.strValue.substr(0, nBar));
    const std::string strRest = nBar == std::string::npos ? "" : key.strValue.substr(nBar + 1);
    std::string strProblem;
    if (EqualsIgnoringCase(strKind, "REG")) {
        exclusion.kind = Exclusion::REGISTRY;
        const size_t nValueBar = strRest.find('|');
        exclusion.strValue = nValueBar == std::string::npos ? "" : strRest.substr(nValueBar + 1);
        if (!SplitRegistryPath(strRest.substr(0, nValueBar), exclusion.dwRoot, exclusion.strKey))
            strProblem = "its registry key is not one this system has";
    } else if (EqualsIgnoringCase(strKind, "FILE") || EqualsIgnoringCase(strKind, "PATH")) {
        exclusion.kind = Exclusion::FILES;
        exclusion.bWholeTree = EqualsIgnoringCase(strKind, "PATH");
        // "folder\|names"; a file may also be written as one path.
        size_t nSplit = strRest.rfind('|');
        std::string strNames;
        if (nSplit == std::string::npos) {
            nSplit = exclusion.bWholeTree ? strRest.size() : strRest.rfind('\\');
            strNames = exclusion.bWholeTree ? "*" : strRest.substr(nSplit + 1);
        } else {
            strNames = strRest.substr(nSplit + 1);
        }
        exclusion.folders = TranslatePath(strRest.substr(0, nSplit), strProblem);
        for (const std::string& strName : SplitAtSeparator(strNames, ';')) {
            if (!TrimBlanks(strName).empty())
                exclusion.names.push_back(TrimBlanks(strName));
        }
        const bool bNamesFiles = !exclusion.names.empty() &&
                                 std::all_of(exclusion.names.begin(), exclusion.names.end(),
                                             IsNamePattern);
        if (strProblem.empty() && !bNamesFiles)
            strProblem = "it names no file";
    } else {
        strProblem = "its kind \"" + strKind.substr(0, 20) + "\" is unknown";
    }
    if (!strProblem.empty()) {
        exclusion.bUnreadable = true;
        skipped.push_back(exclusion.strLabel + ": " + strProblem);
    }
    return exclusion;
}

// The exclusions of a folder target, as names relative to its folder. An
// exclusion that cannot be placed leaves the reason in strProblem: the
// target would then remove what the rule meant to spare.
StringList TargetExclusions(const std::string& strFolder, size_t nVariant, bool bTree,
                            const std::vector<Exclusion>& exclusions, std::string& strProblem)
{
    StringList names;
    for (const Exclusion& exclusion : exclusions) {
        if (exclusion.kind == Exclusion::REGISTRY)
            continue;
        if (exclusion.bUnreadable) {
            strProblem = exclusion.strLabel + " could not be read, so what it spares is unknown";
            return {};
        }
        const std::string& strExcluded =
            exclusion.folders[std::min(nVariant, exclusion.folders.size() - 1)];
        const Placement placement = PlaceFolder(strExcluded, strFolder);
        if (placement == Placement::Unclear) {
            strProblem = exclusion.strLabel + " may spare some of its files, which cannot be "
                                              "told before a clean";
            return {};
        }
        if (placement == Placement::Apart ||
            (placement == Placement::Above && !exclusion.bWholeTree))
            continue;
        std::string strRelative;
        if (placement == Placement::Inside && strExcluded.size() > strFolder.size())
            strRelative = strExcluded.substr(strFolder.size() + 1) + "\\";
        if (!strRelative.empty() && !bTree)
            continue;  // below a folder whose subfolders the target leaves alone
        for (const std::string& strName : exclusion.names) {
            // An exclusion with a wildcard spares its files in every folder
            // below its own; a plain name below the target's folder gets one
            // too, as "the folder and its subfolders" asks.
            const bool bBelowToo = exclusion.bWholeTree && !strRelative.empty() &&
                                   !HasWildcard(strName);
            names.push_back(strRelative + strName + (bBelowToo ? "*" : ""));
        }
    }
    return names;
}

void MapFileKey(const RuleKey& key, const std::vector<Exclusion>& exclusions, MappedRule& rule)
{
    const StringVector parts = SplitAtSeparator(key.strValue, '|');
    const auto skip = [&rule, &key](const std::string& strReason) {
        rule.vecSkipped.push_back(KeyLabel(key) + ": " + strReason);
    };
    if (parts.size() > 3)
        return skip("it has more parts than a folder, masks and a flag");
    uint32_t dwType = TT_CONTENT;
    const std::string strFlag = parts.size() == 3 ? TrimBlanks(parts[2]) : "";
    if (EqualsIgnoringCase(strFlag, "RECURSE"))
        dwType = TT_RECURSIVE;
    else if (EqualsIgnoringCase(strFlag, "REMOVESELF"))
        dwType = TT_TREE_AND_SELF;
    else if (!strFlag.empty())
        return skip("its flag \"" + strFlag.substr(0, 20) + "\" is unknown");

    StringVector masks;
    for (const std::string& strMask : SplitAtSeparator(parts.size() > 1 ? parts[1] : "", ';')) {
        const std::string strTrimmed = TrimBlanks(strMask);
        if (IsNamePattern(strTrimmed))
            masks.push_back(strTrimmed);
    }
    if (masks.empty())
        return skip("it has no mask");
    std::string strProblem;
    const StringVector folders = TranslatePath(parts[0], strProblem);
    if (folders.empty())
        return skip(strProblem);
    if (dwType != TT_CONTENT && IsDriveRoot(folders.front()))
        return skip("it would search a whole drive");

    std::list<FileTarget> targets;
    for (size_t nVariant = 0; nVariant < folders.size(); ++nVariant) {
        FileTarget target;
        target.strName = folders[nVariant];
        target.dwType = dwType;
        target.strMask = JoinWithSeparator(masks, kListSeparator);
        target.lstExclude = TargetExclusions(target.strName, nVariant, dwType != TT_CONTENT,
                                             exclusions, strProblem);
        if (!strProblem.empty())
            return skip(strProblem);
        targets.push_back(std::move(target));
    }
    rule.action.lstFiles.splice(rule.action.lstFiles.end(), targets);
}

// Whether the exclusion spares some of what the target would remove.
bool Spares(const Exclusion& exclusion, const RegTarget& target)
{
    if (exclusion.dwRoot != target.dwKey)
        return false;
    if (target.dwType == TT_SINGLE) {
        if (!exclusion.strValue.empty())
            return EqualsIgnoringCase(exclusion.strKey, target.strName) &&
                   EqualsIgnoringCase(exclusion.strValue, target.strValue);
        return KeyHolds(exclusion.strKey, target.strName);
    }
    return KeyHolds(target.strName, exclusion.strKey) ||
           (exclusion.strValue.empty() && KeyHolds(exclusion.strKey, target.strName));
}

void MapRegKey(const RuleKey& key, const std::vector<Exclusion>& exclusions, MappedRule& rule)
{
    const auto skip = [&rule, &key](const std::string& strReason) {
        rule.vecSkipped.push_back(KeyLabel(key) + ": " + strReason);
    };
    const size_t nBar = key.strValue.find('|');
    RegTarget target;
    if (!SplitRegistryPath(key.strValue.substr(0, nBar), target.dwKey, target.strName))
        return skip("its registry key is not one this system has");
    if (HasWildcard(target.strName))
        return skip("its registry key holds a wildcard");
    if (nBar != std::string::npos) {
        target.strValue = key.strValue.substr(nBar + 1);
        if (target.strValue.empty() || HasControlCharacter(target.strValue))
            return skip("it names no value");
        target.dwType = TT_SINGLE;
    } else {
        target.dwType = TT_RECURSIVE;
        if (target.strName.find('\\') == std::string::npos)
            return skip("it would remove a whole top-level key");
    }
    for (const Exclusion& exclusion : exclusions) {
        if (exclusion.kind == Exclusion::FILES)
            continue;
        if (exclusion.bUnreadable)
            return skip(exclusion.strLabel + " could not be read, so what it spares is unknown");
        if (Spares(exclusion, target))
            return skip(exclusion.strLabel + " spares what it would remove");
    }
    rule.action.lstKeys.push_back(std::move(target));
}

void ReadDetection(const RuleEntry& entry, MappedRule& rule)
{
    RuleDetection& detection = rule.detection;
    const std::string strLimits = entry.Value("DetectOS");
    const size_t nBar = strLimits.find('|');
    detection.strMinVersion = TrimBlanks(strLimits.substr(0, nBar));
    detection.strMaxVersion =
        nBar == std::string::npos ? "" : TrimBlanks(strLimits.substr(nBar + 1));

    for (const RuleKey& key : entry.Keys("Detect")) {
        uint32_t dwRoot;
        std::string strKey;
        if (SplitRegistryPath(key.strValue, dwRoot, strKey))
            detection.vecKeys.push_back(TrimBlanks(key.strValue));
        else
            rule.vecSkipped.push_back(KeyLabel(key) + ": its registry key is not one this "
                                                      "system has");
    }
    for (const RuleKey& key : entry.Keys("DetectFile")) {
        std::string strProblem = "its path holds a \"|\"";
        StringVector paths;
        if (key.strValue.find('|') == std::string::npos)
            paths = TranslatePath(key.strValue, strProblem);
        if (paths.empty())
            rule.vecSkipped.push_back(KeyLabel(key) + ": " + strProblem);
        detection.vecFiles.insert(detection.vecFiles.end(), paths.begin(), paths.end());
    }
    for (const RuleKey& key : entry.Keys("SpecialDetect")) {
        const std::string strValue = TrimBlanks(key.strValue);
        const auto* pSpecial = std::find_if(std::begin(kSpecialDetections),
                                            std::end(kSpecialDetections),
                                            [&strValue](const auto& special) {
                                                return EqualsIgnoringCase(strValue,
                                                                          special.pszName);
                                            });
        if (pSpecial != std::end(kSpecialDetections))
            detection.vecFiles.push_back(pSpecial->pszFolder);
        else
            rule.vecSkipped.push_back(KeyLabel(key) + ": \"" + strValue.substr(0, 40) +
                                      "\" is unknown");
    }
    detection.bLooksForAnything = !entry.Keys("Detect").empty() ||
                                  !entry.Keys("DetectFile").empty() ||
                                  !entry.Keys("SpecialDetect").empty();
}

bool ParseVersion(const std::string& strVersion, unsigned& nMajor, unsigned& nMinor)
{
    char* pEnd = nullptr;
    const unsigned long nReadMajor = std::strtoul(strVersion.c_str(), &pEnd, 10);
    if (pEnd == strVersion.c_str() || nReadMajor > 1000)
        return false;
    unsigned long nReadMinor = 0;
    if (*pEnd == '.') {
        const char* pMinor = pEnd + 1;
        nReadMinor = std::strtoul(pMinor, &pEnd, 10);
        if (pEnd == pMinor || nReadMinor > 1000)
            return false;
    }
    nMajor = unsigned(nReadMajor);
    nMinor = unsigned(nReadMinor);
    return true;
}

}  // namespace

bool WithinVersionLimits(unsigned nMajor, unsigned nMinor, const RuleDetection& detection)
{
    unsigned nLimitMajor, nLimitMinor;
    if (ParseVersion(detection.strMinVersion, nLimitMajor, nLimitMinor) &&
        (nMajor < nLimitMajor || (nMajor == nLimitMajor && nMinor < nLimitMinor)))
        return false;
    if (ParseVersion(detection.strMaxVersion, nLimitMajor, nLimitMinor) &&
        (nMajor > nLimitMajor || (nMajor == nLimitMajor && nMinor > nLimitMinor)))
        return false;
    return true;
}

std::string RuleCategory(const RuleEntry& entry)
{
    const std::string strSection = TrimBlanks(entry.Value("Section"));
    if (!strSection.empty())
        return Printable(strSection);
    const std::string strNumber = TrimBlanks(entry.Value("LangSecRef"));
    for (const auto& category : kCategories) {
        if (strNumber == std::to_string(category.nNumber))
            return category.pszName;
    }
    return "Other";
}

MappedRule MapRuleEntry(const RuleEntry& entry, const std::string& strSource)
{
    MappedRule rule;
    CAction& action = rule.action;
    action.strId = Printable(entry.strName);
    action.strTitle = action.strId;
    action.strCategory = RuleCategory(entry);
    action.bEnabled = false;
    const std::string strWarning = Printable(TrimBlanks(entry.Value("Warning")));
    action.dwWarningLevel = strWarning.empty() ? WL_INFORMATION : WL_WARNING;
    action.strDescription = (strWarning.empty() ? "" : strWarning + "\r\n\r\n") +
                            "Imported from " + strSource + ", category " + action.strCategory +
                            ".";

    ReadDetection(entry, rule);
    std::vector<Exclusion> exclusions;
    for (const RuleKey& key : entry.Keys("ExcludeKey"))
        exclusions.push_back(ReadExclusion(key, rule.vecSkipped));
    for (const RuleKey& key : entry.Keys("FileKey"))
        MapFileKey(key, exclusions, rule);
    for (const RuleKey& key : entry.Keys("RegKey"))
        MapRegKey(key, exclusions, rule);
    return rule;
}

bool SplitRegistryPath(const std::string& strRulePath, uint32_t& dwRoot, std::string& strKey)
{
    std::string strPath = TrimBlanks(strRulePath);
    while (!strPath.empty() && strPath.back() == '\\')
        strPath.pop_back();
    if (HasControlCharacter(strPath))
        return false;
    const size_t nSlash = strPath.find('\\');
    const std::string strRoot = strPath.substr(0, nSlash);
    for (const auto& root : kRoots) {
        if (EqualsIgnoringCase(strRoot, root.pszShort) ||
            EqualsIgnoringCase(strRoot, root.pszLong)) {
            dwRoot = root.dwRoot;
            strKey = nSlash == std::string::npos ? std::string() : strPath.substr(nSlash + 1);
            return !strKey.empty();
        }
    }
    return false;
}

std::string PluginFileName(const std::string& strId)
{
    std::string strStem;
    for (const char ch : strId.substr(0, kMaxFileNameStem)) {
        const bool bBad = static_cast<unsigned char>(ch) < 0x20 || std::strchr("\\/:*?\"<>|", ch);
        strStem += bBad ? '_' : ch;
    }
    // The system drops blanks and dots at the end of a name.
    while (!strStem.empty() && (strStem.back() == ' ' || strStem.back() == '.'))
        strStem.pop_back();
    // Device names stay devices whatever follows their first dot.
    const std::string strBase = strStem.substr(0, strStem.find('.'));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    bool bDevice = std::any_of(std::begin(kDevices), std::end(kDevices),
                               [&strBase](const char* pszDevice) {
                                   return EqualsIgnoringCase(strBase, pszDevice);
                               });
    if (strBase.size() == 4 && std::isdigit(static_cast<unsigned char>(strBase[3])) &&
        (EqualsIgnoringCase(strBase.substr(0, 3), "COM") ||
         EqualsIgnoringCase(strBase.substr(0, 3), "LPT")))
        bDevice = true;
    if (strStem.empty() || bDevice)
        strStem = "_" + strStem;
    return strStem + ".pld";
}
