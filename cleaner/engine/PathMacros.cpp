#include "cleaner/engine/PathMacros.h"

#include "cleaner/engine/ShellFolders.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/RegValue.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kInternetSettings[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kAOLMessenger[] =
    "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\";

std::string ReadEnvironment(const char* pszName)
{
    DWORD cchNeeded = GetEnvironmentVariableA(pszName, nullptr, 0);
    while (cchNeeded != 0) {
        std::vector<char> buffer(cchNeeded, '\0');
        const DWORD cchCopied = GetEnvironmentVariableA(pszName, buffer.data(), cchNeeded);
        if (cchCopied < cchNeeded)
            return std::string(buffer.data(), cchCopied);
        cchNeeded = cchCopied;  // it grew in between
    }
    return std::string();
}

std::string TempFolder()
{
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    DWORD cchPath = GetTempPathA(DWORD(buffer.size()), buffer.data());
    if (cchPath >= buffer.size()) {
        buffer.assign(cchPath + 1, '\0');
        cchPath = GetTempPathA(DWORD(buffer.size()), buffer.data());
        if (cchPath >= buffer.size())
            return std::string();
    }
    return std::string(buffer.data(), cchPath);
}

// The text up to its last backslash; empty when it has none.
std::string CutBeforeLastBackslash(const std::string& strText)
{
    const size_t nSlash = strText.rfind('\\');
    return nSlash == std::string::npos ? std::string() : strText.substr(0, nSlash);
}

std::string WithoutQuotes(const std::string& strText)
{
    std::string strResult;
    for (char ch : strText) {
        if (ch != '"')
            strResult += ch;
    }
    return strResult;
}

// The value of one macro, and whether it names a location on this machine.
struct MacroValue {
    std::string strText;
    bool bLocated;
};

MacroValue Located(const std::string& strText)
{
    return {strText, !strText.empty()};
}

std::string OperaRoot()
{
    return ReadRegText(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "Opera.exe", "Path");
}

// The folder of the program that the protocol's command line starts. The
// command quotes the program's path, and the quotes are no part of it.
std::string YahooRoot()
{
    return CutBeforeLastBackslash(
        WithoutQuotes(ReadRegText(HKEY_CLASSES_ROOT, "ymsgr\\shell\\open\\command", "")));
}

MacroValue YahooUserStoreRoot()
{
    const std::string strRoot = YahooRoot();
    const std::string strUser = ReadRegText(HKEY_CURRENT_USER, "Software\\Yahoo\\Pager",
                                            "Yahoo! User ID");
    return {strRoot + "\\Profiles\\" + strUser, !strRoot.empty() && !strUser.empty()};
}

std::string KazaaRoot()
{
    const std::string strDir = ReadRegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kazaa\\CloudLoad",
                                           "ExeDir");
    if (strDir.find(".exe") == std::string::npos || strDir.find('\\') == std::string::npos)
        return strDir;
    return CutBeforeLastBackslash(strDir);
}

// Without an identity the key path would be "Identities\\Software\...",
// which names no identity at all.
std::string OutlookExpressStoreRoot()
{
    const std::string strIdentity = ReadRegText(HKEY_CURRENT_USER, "Identities",
                                                "Default User ID");
    if (strIdentity.empty())
        return std::string();
    return ReadRegText(HKEY_CURRENT_USER,
                       "Identities\\" + strIdentity + "\\Software\\Microsoft\\Outlook Express\\5.0",
                       "Store Root");
}

std::string WithoutTrailingBackslash(std::string strPath)
{
    if (strPath.size() > 3 && strPath.back() == '\\')
        strPath.pop_back();
    return strPath;
}

// The 64-bit folder a variable names for 64-bit programs, where it differs
// from the one this program sees; empty elsewhere.
std::string Folder64(const char* pszVariable64, const char* pszVariable)
{
    const std::string strFolder = ReadEnvironment(pszVariable64);
    return lstrcmpiA(strFolder.c_str(), ReadEnvironment(pszVariable).c_str()) == 0 ? std::string()
                                                                                   : strFolder;
}

std::string UserName()
{
    char szName[256 + 1] = {};
    DWORD cchName = sizeof(szName);
    return GetUserNameA(szName, &cchName) ? std::string(szName) : std::string();
}

struct MacroRow {
    const char* pszMacro;
    MacroValue (*pfnValue)(const CGeneralSettings& settings);
};

using Settings = const CGeneralSettings&;

// In the order of replacement: a value inserted by one row is seen only by
// the rows below it.
const MacroRow kPathMacros[] = {
    {"[PATH_SYS_SHELL_HISTORY]",
     [](Settings) { return Located(ReadRegText(HKEY_CURRENT_USER, kShellFolders, "HISTORY")); }},
    {"[PATH_SYS_SHELL_COOKIES]",
     [](Settings) { return Located(ReadRegText(HKEY_CURRENT_USER, kShellFolders, "COOKIES")); }},
    {"[PATH_SYS_SHELL_CACHE]",
     [](Settings) { return Located(ReadRegText(HKEY_CURRENT_USER, kShellFolders, "CACHE")); }},
    {"[PATH_SYS_SHELL_RECENT]",
     [](Settings) { return Located(ReadRegText(HKEY_CURRENT_USER, kShellFolders, "RECENT")); }},
    {"[PATH_APP_NN4_ROOT]", [](Settings s) { return Located(s.strNetscape4UserPath.Get()); }},
    {"[PATH_APP_NN4_CACHE]", [](Settings s) { return Located(s.strNetscape4UserCachePath.Get()); }},
    {"[PATH_APP_NN6_ROOT]", [](Settings s) { return Located(s.strNetscape6UserPath.Get()); }},
    {"[PATH_APP_NN6_CACHE]", [](Settings s) { return Located(s.strNetscape6UserCachePath.Get()); }},
    {"[PATH_APP_AOL_ROOT]",
     [](Settings) {
         return Located(
             ReadRegText(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "Aol.exe", "Path"));
     }},
    {"[PATH_APP_OPERA_ROOT]", [](Settings) { return Located(OperaRoot()); }},
    {"[PATH_APP_OPERA_CACHE]",
     [](Settings) {
         const std::string strRoot = OperaRoot();
         return MacroValue{strRoot + "\\Cache4", !strRoot.empty()};
     }},
    {"[PATH_APP_AOL_USERSTOREROOT]",
     [](Settings s) { return Located(s.strAOLMessangerPath.Get()); }},
    {"[PATH_APP_FLASHGET_ROOT]",
     [](Settings) {
         return Located(CutBeforeLastBackslash(
             ReadRegText(HKEY_CURRENT_USER, "Software\\JetCar\\JetCar\\General", "AppPath")));
     }},
    {"[PATH_APP_GETRIGHT_ROOT]",
     [](Settings) {
         return Located(ReadRegText(HKEY_CURRENT_USER, "Software\\Headlight\\GetRight\\Config",
                                    "InstallDir"));
     }},
    {"[PATH_APP_KAZAA_ROOT]", [](Settings) { return Located(KazaaRoot()); }},
    {"[PATH_APP_IMESH_ROOT]",
     [](Settings) {
         return Located(
             ReadRegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\iMesh\\Client", "ProgramLocation"));
     }},
    {"[PATH_APP_IMESH_STOREROOT]",
     [](Settings) {
         return Located(ReadRegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\iMesh\\Client\\LocalContent",
                                    "DownloadDir"));
     }},
    {"[PATH_APP_ICQ_ROOT]", [](Settings) { return Located(GetAppPath("ICQ.exe")); }},
    {"[PATH_APP_YAHOO_ROOT]", [](Settings) { return Located(YahooRoot()); }},
    {"[PATH_APP_YAHOO_USERSTOREROOT]", [](Settings) { return YahooUserStoreRoot(); }},
    {"[PATH_APP_POWERDVD_ROOT]", [](Settings) { return Located(GetAppPath("PowerDVD")); }},
    {"[PATH_APP_WINAMP_ROOT]",
     [](Settings) { return Located(ReadRegText(HKEY_CURRENT_USER, "Software\\Winamp", "")); }},
    {"[PATH_APP_OUTLOOKEXPRESS_STOREROOT]",
     [](Settings) { return Located(OutlookExpressStoreRoot()); }},
    {"[PATH_SYS_DOWNLOADEDPROGRAMS]",
     [](Settings) {
         return Located(ReadRegText(HKEY_LOCAL_MACHINE, kInternetSettings, "ActiveXCache"));
     }},
    {"[PATH_SYS_TEMP]", [](Settings) { return Located(TempFolder()); }},
    {"%UserProfile%", [](Settings) { return Located(ReadEnvironment("UserProfile")); }},
    {"%AppData%", [](Settings) { return Located(ReadEnvironment("AppData")); }},
    {"%ProgramFiles%", [](Settings) { return Located(ReadEnvironment("ProgramFiles")); }},
    {"%WinDir%", [](Settings) { return Located(ReadEnvironment("WinDir")); }},
    {"%LocalAppData%", [](Settings) { return Located(ShellFolderPath(CSIDL_LOCAL_APPDATA)); }},
    {"%LocalLowAppData%",
     [](Settings) { return Located(KnownFolderPath(kLocalAppDataLowFolderId)); }},
    {"%ProgramData%", [](Settings) { return Located(ShellFolderPath(CSIDL_COMMON_APPDATA)); }},
    {"%CommonProgramFiles%",
     [](Settings) { return Located(ReadEnvironment("CommonProgramFiles")); }},
    {"%ProgramW6432%",
     [](Settings) { return Located(Folder64("ProgramW6432", "ProgramFiles")); }},
    {"%CommonProgramW6432%",
     [](Settings) { return Located(Folder64("CommonProgramW6432", "CommonProgramFiles")); }},
    {"%Documents%", [](Settings) { return Located(ShellFolderPath(CSIDL_PERSONAL)); }},
    {"%Pictures%", [](Settings) { return Located(ShellFolderPath(CSIDL_MYPICTURES)); }},
    {"%Music%", [](Settings) { return Located(ShellFolderPath(CSIDL_MYMUSIC)); }},
    {"%Video%", [](Settings) { return Located(ShellFolderPath(CSIDL_MYVIDEO)); }},
    {"%Public%", [](Settings) { return Located(ReadEnvironment("Public")); }},
    {"%SystemDrive%", [](Settings) { return Located(ReadEnvironment("SystemDrive")); }},
    {"%Temp%", [](Settings) { return Located(WithoutTrailingBackslash(TempFolder())); }},
    {"%UserName%", [](Settings) { return Located(UserName()); }},
};

// Every occurrence, left to right; the search goes on after the inserted
// value, so a value holding the macro itself is not expanded again.
void ReplaceAll(std::string& strText, const std::string& strMacro, const std::string& strValue)
{
    for (size_t nPos = strText.find(strMacro); nPos != std::string::npos;
         nPos = strText.find(strMacro, nPos + strValue.size()))
        strText.replace(nPos, strMacro.size(), strValue);
}

}  // namespace

std::string ExpandPath(const std::string& strPath, const CGeneralSettings& settings,
                       bool* pbResolved)
{
    std::string strText = strPath;
    bool bResolved = true;
    for (const MacroRow& row : kPathMacros) {
        if (strText.find(row.pszMacro) == std::string::npos)
            continue;
        const MacroValue value = row.pfnValue(settings);
        ReplaceAll(strText, row.pszMacro, value.strText);
        if (!value.bLocated)
            bResolved = false;
    }
    if (pbResolved)
        *pbResolved = bResolved;
    return strText;
}

std::string ExpandUserName(const std::string& strKeyPath)
{
    std::string strText = strKeyPath;
    if (strText.find("[WIN_USERNAME]") == std::string::npos)
        return strText;
    std::vector<char> buffer(65535 + 1, '\0');
    DWORD cchName = 65535;
    if (!GetUserNameA(buffer.data(), &cchName))
        buffer[0] = '\0';
    ReplaceAll(strText, "[WIN_USERNAME]", buffer.data());
    return strText;
}

std::string ExpandHiddenMask(const std::string& strMask, const CGeneralSettings& settings)
{
    std::string strText = strMask;
    ReplaceAll(strText, "[NN:MASKHIDDEN]", settings.strNetScapeHiddenFilesMask.Get());
    return strText;
}

std::string GetAppPath(const std::string& strProgram)
{
    const std::string strFolder =
        WithoutQuotes(ReadRegText(HKEY_LOCAL_MACHINE, kAppPaths + strProgram, "Path"));
    return strFolder.substr(0, strFolder.find(';'));
}

std::string GetFixedDrives()
{
    char szDrives[200 + 1] = {};
    const DWORD cchDrives = GetLogicalDriveStringsA(200, szDrives);
    if (cchDrives == 0 || cchDrives > 200)
        return std::string();
    std::string strList;
    for (const char* pszRoot = szDrives; *pszRoot; pszRoot += strlen(pszRoot) + 1) {
        if (GetDriveTypeA(pszRoot) != DRIVE_FIXED)
            continue;
        if (!strList.empty())
            strList += '|';
        strList += pszRoot;
    }
    return strList;
}

// Both halves or nothing: the result becomes a setting, and half a path
// would later expand to a folder nobody meant.
std::string FindAOLMessengerFolder()
{
    const std::string strBase = ReadRegText(HKEY_CURRENT_USER, std::string(kAOLMessenger) + "Misc",
                                            "BaseDataPath");
    const std::string strName = ReadRegText(HKEY_CURRENT_USER,
                                            std::string(kAOLMessenger) + "Login", "Screen Name");
    if (strBase.empty() || strName.empty())
        return std::string();
    return strBase + "\\" + strName;
}
