#include "cleaner/plugins/RuleImport.h"

#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/plugins/PluginAction.h"
#include "cleaner/plugins/RuleMapping.h"
#include "common/FindFiles.h"
#include "common/RegValue.h"
#include "common/Win32File.h"

#include <windows.h>

#include <cctype>
#include <map>
#include <set>
#include <vector>

namespace {

std::string Lowercase(std::string strText)
{
    for (char& ch : strText)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return strText;
}

std::string FileNameOf(const std::string& strPath)
{
    const size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

bool ReadWholeFile(const std::string& strPath, std::string& bytes, std::string& strError)
{
    CWin32File file;
    if (!file.Open(strPath.c_str(), CWin32File::OM_READ)) {
        strError = "The file " + strPath + " could not be opened.";
        return false;
    }
    if (file.GetLength() > kMaxRuleFileSize) {
        strError = "The file " + strPath + " is larger than 16 MiB, more than a rule file holds.";
        return false;
    }
    bytes.assign(size_t(file.GetLength()), '\0');
    if (!bytes.empty() && file.Read(&bytes[0], bytes.size()) != bytes.size()) {
        strError = "The file " + strPath + " could not be read.";
        return false;
    }
    return true;
}

// Rule files are written in UTF-8; the cleaner names files in the system's
// code page. A character that the code page lacks becomes a control
// character, which the mapping keeps out of every path. A text that is no
// UTF-8 is taken as written in the code page already.
std::string InSystemCodePage(std::string text)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    const int cchWide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                            int(text.size()), nullptr, 0);
    if (cchWide <= 0)
        return text;
    std::vector<wchar_t> wide(static_cast<size_t>(cchWide));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), cchWide);
    for (DWORD dwFlags : {DWORD(WC_NO_BEST_FIT_CHARS), DWORD(0)}) {
        const int cchNarrow = WideCharToMultiByte(CP_ACP, dwFlags, wide.data(), cchWide, nullptr,
                                                  0, "\x01", nullptr);
        if (cchNarrow <= 0)
            continue;
        std::string narrow(size_t(cchNarrow), '\0');
        WideCharToMultiByte(CP_ACP, dwFlags, wide.data(), cchWide, &narrow[0], cchNarrow, "\x01",
                            nullptr);
        return narrow;
    }
    return text;
}

bool RuleKeyExists(const std::string& strPath)
{
    uint32_t dwRoot;
    std::string strKey;
    if (!SplitRegistryPath(strPath, dwRoot, strKey))
        return false;
    const HKEY hRoot = RootKeyHandle(dwRoot);
    const REGSAM samOther = OtherRegistryView(dwRoot, strKey);
    return RegistryKeyExists(hRoot, strKey) ||
           (samOther != 0 && RegistryKeyExists(hRoot, strKey, samOther));
}

// Whether a file or folder matches the path, whose every segment may hold
// wildcards.
bool PathExists(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash == std::string::npos)
        return false;
    const std::string strFolder = strPath.substr(0, nSlash);
    const std::string strName = strPath.substr(nSlash + 1);
    for (const std::string& strFound : ExpandFolderPattern(strFolder)) {
        CFindFiles entries(ReachNativeSystemFolder(strFound), strName.empty() ? "*" : strName);
        WIN32_FIND_DATAA data;
        while (entries.Next(data)) {
            if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
                return true;
        }
    }
    return false;
}

// The plugin files of the folder by their plugins' identifiers, and the
// names that are taken.
struct PluginFolderIndex {
    std::map<std::string, std::string> fileById;
    std::set<std::string> takenNames;  // lower case

    explicit PluginFolderIndex(const std::string& strFolder)
    {
        CFindFiles files(strFolder, "*.pld");
        WIN32_FIND_DATAA data;
        while (files.Next(data)) {
            takenNames.insert(Lowercase(data.cFileName));
            CPluginAction plugin;
            plugin.m_strFilePath = strFolder + "\\" + data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && plugin.Load())
                fileById[plugin.strId] = data.cFileName;
        }
    }

    // The file for the identifier: the one that holds it already, or a
    // free name made from it.
    std::string FileFor(const std::string& strId)
    {
        const auto found = fileById.find(strId);
        if (found != fileById.end())
            return found->second;
        const std::string strName = PluginFileName(strId);
        std::string strFree = strName;
        for (int n = 2; takenNames.count(Lowercase(strFree)); ++n)
            strFree = strName.substr(0, strName.size() - 4) + " (" + std::to_string(n) + ").pld";
        takenNames.insert(Lowercase(strFree));
        fileById[strId] = strFree;
        return strFree;
    }
};

bool WritePlugin(const CAction& action, const std::string& strPath)
{
    CWin32File file;
    if (file.Open(strPath.c_str(), CWin32File::OM_CREATE) && action.Write(file))
        return true;
    file.Close();
    DeleteFileA(strPath.c_str());  // half a plugin would not load anyway
    return false;
}

void ImportRules(const RuleFile& rules, const std::string& strSource, const std::string& strFolder,
                 const CGeneralSettings& settings, ImportReport& report)
{
    report.vecLines.insert(report.vecLines.end(), rules.vecProblems.begin(),
                           rules.vecProblems.end());
    PluginFolderIndex index(strFolder);
    for (const RuleEntry& entry : rules.entries) {
        const MappedRule rule = MapRuleEntry(entry, strSource);
        const std::string& strId = rule.action.strId;
        if (!RuleApplies(rule.detection, settings)) {
            report.vecLines.push_back("Not installed here: " + strId);
            ++report.nNotInstalled;
            continue;
        }
        for (const std::string& strSkipped : rule.vecSkipped)
            report.vecLines.push_back("Skipped " + strId + ": " + strSkipped);
        std::string strFailure;
        if (!rule.IsUsable())
            strFailure = "nothing usable remains";
        else if (!WritePlugin(rule.action, strFolder + "\\" + index.FileFor(strId)))
            strFailure = "its plugin file could not be written";
        if (strFailure.empty()) {
            report.vecLines.push_back("Imported " + strId);
            ++report.nImported;
        } else {
            report.vecLines.push_back("Skipped " + strId + ": " + strFailure);
            ++report.nSkipped;
        }
    }
}

void ImportPlugin(const std::string& strPath, const std::string& strFolder, ImportReport& report)
{
    CPluginAction plugin;
    plugin.m_strFilePath = strPath;
    if (!plugin.Load()) {
        report.strError = "The file " + strPath + " is not a plugin.";
        return;
    }
    report.bRead = true;
    if (CopyFileA(strPath.c_str(), (strFolder + "\\" + FileNameOf(strPath)).c_str(), FALSE)) {
        report.vecLines.push_back("Imported " + plugin.strId);
        ++report.nImported;
    } else {
        report.vecLines.push_back("Skipped " + plugin.strId + ": its plugin file could not be "
                                                              "written");
        ++report.nSkipped;
    }
}

}  // namespace

std::string ImportReport::Summary() const
{
    return std::to_string(nImported) + " imported, " + std::to_string(nNotInstalled) +
           " not installed here, " + std::to_string(nSkipped) + " skipped";
}

bool IsRuleFile(const std::string& strPath)
{
    return strPath.size() >= 4 && EqualsIgnoringCase(strPath.substr(strPath.size() - 4), ".ini");
}

bool RuleApplies(const RuleDetection& detection, const CGeneralSettings& settings)
{
    unsigned nMajor, nMinor;
    GetSystemVersion(nMajor, nMinor);
    if (!WithinVersionLimits(nMajor, nMinor, detection))
        return false;
    if (!detection.bLooksForAnything)
        return true;
    for (const std::string& strKey : detection.vecKeys) {
        if (RuleKeyExists(strKey))
            return true;
    }
    for (const std::string& strFile : detection.vecFiles) {
        bool bResolved = false;
        const std::string strPath = ExpandPath(strFile, settings, &bResolved);
        if (bResolved && PathExists(strPath))
            return true;
    }
    return false;
}

ImportReport ImportIntoPluginFolder(const std::string& strPath, const std::string& strFolder,
                                    const CGeneralSettings& settings)
{
    ImportReport report;
    CreateDirectoryA(strFolder.c_str(), nullptr);
    if (!IsRuleFile(strPath)) {
        ImportPlugin(strPath, strFolder, report);
        return report;
    }
    std::string bytes;
    RuleFile rules;
    if (!ReadWholeFile(strPath, bytes, report.strError))
        return report;
    ReadRuleFile(InSystemCodePage(bytes), rules);
    report.bRead = true;
    ImportRules(rules, FileNameOf(strPath), strFolder, settings, report);
    return report;
}
