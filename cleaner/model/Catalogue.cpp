#include "cleaner/model/Catalogue.h"

#include "cleaner/model/ActionIds.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/SystemTime.h"

#include <windows.h>

#include <cstdio>

namespace {

const uint32_t HKCU = RK_CURRENT_USER;
const uint32_t HKLM = RK_LOCAL_MACHINE;

const char kAllFiles[] = "*.*";
const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char kIEMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kRealPlayerPreferences[] =
    "SOFTWARE\\Classes\\SOFTWARE\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
const char kWinlogonNT[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kWinlogon9x[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
const char kMachineWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kDiskScanWarning[] =
    "Attention!\r\nThis feature will delete files on your drives according to masks.\r\n"
    "You will not be able to restore these files!";

FileTarget MakeFileTarget(const char* pszPath, uint32_t dwType, const char* pszMask)
{
    FileTarget target;
    target.strName = pszPath;
    target.dwType = dwType;
    target.strMask = pszMask;
    target.dwReportFlags = RF_ALL;
    return target;
}

FileTarget File(const char* pszPath, const char* pszMask = "")
{
    return MakeFileTarget(pszPath, TT_SINGLE, pszMask);
}

FileTarget Folder(const char* pszPath, const char* pszMask = kAllFiles)
{
    return MakeFileTarget(pszPath, TT_CONTENT, pszMask);
}

FileTarget FolderTree(const char* pszPath, const char* pszMask = kAllFiles)
{
    return MakeFileTarget(pszPath, TT_RECURSIVE, pszMask);
}

RegTarget MakeRegTarget(uint32_t dwRoot, const std::string& strKey, const char* pszValue,
                        uint32_t dwType)
{
    RegTarget target;
    target.dwKey = dwRoot;
    target.strName = strKey;
    target.strValue = pszValue;
    target.dwType = dwType;
    return target;
}

RegTarget Value(uint32_t dwRoot, const char* pszKey, const char* pszValue)
{
    return MakeRegTarget(dwRoot, pszKey, pszValue, TT_SINGLE);
}

RegTarget KeyValues(uint32_t dwRoot, const std::string& strKey)
{
    return MakeRegTarget(dwRoot, strKey, "", TT_CONTENT);
}

RegTarget KeyTree(uint32_t dwRoot, const std::string& strKey)
{
    return MakeRegTarget(dwRoot, strKey, "", TT_RECURSIVE);
}

RegUpdate KeyUpdate(uint32_t dwRoot, const char* pszKey, const char* pszValue)
{
    RegUpdate update;
    update.target = MakeRegTarget(dwRoot, pszKey, pszValue, TT_SINGLE);
    update.dwDataType = RegUpdate::DT_TEXT;
    return update;
}

FilePairItem FilePair(const char* pszFirst, const char* pszSecond, uint32_t dwCode)
{
    FilePairItem pair;
    pair.strFirst = pszFirst;
    pair.strSecond = pszSecond;
    pair.dwCode = dwCode;
    return pair;
}

SysTime CurrentUniversalTime()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    return FromSystemTime(now);
}

// The working action of the catalogue: each entry starts empty and is stored
// under its identifier when the next one begins.
class CCatalogueWriter {
public:
    explicit CCatalogueWriter(ActionMap& actions) : m_actions(actions) {}
    ~CCatalogueWriter() { Store(); }

    CAction& Begin(const char* pszId, const char* pszTitle, uint32_t dwKind = AK_STANDARD)
    {
        Store();
        m_action.Reset();
        m_strId = pszId;
        m_action.strTitle = pszTitle;
        m_action.dwKind = dwKind;
        return m_action;
    }

private:
    void Store()
    {
        if (m_strId.empty())
            return;
        m_action.strId = m_strId;
        m_actions[m_strId] = m_action;
        m_strId.clear();
    }

    ActionMap& m_actions;
    CAction m_action;
    std::string m_strId;
};

}  // namespace

void AddBuiltInActions(ActionMap& actions, const CGeneralSettings& settings)
{
    CCatalogueWriter catalogue(actions);
    CAction* a;

    a = &catalogue.Begin("IEPropWindowTitle", "Change Internet Explorer Window Title");
    a->lstKeyUpdates = {KeyUpdate(HKCU, kIEMain, "Window Title")};

    a = &catalogue.Begin("IEPropHomePage", "Change Internet Explorer Home Page");
    a->lstKeyUpdates = {KeyUpdate(HKCU, kIEMain, "Start Page"),
                        KeyUpdate(HKCU, kIEMain, "Default_Page_URL")};

    a = &catalogue.Begin("IEAddressHistory", "Clear Internet Explorer Address History");
    a->lstKeys = {KeyValues(HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs")};

    a = &catalogue.Begin("AOLAddressHistory", "Clear AOL Address History");
    a->lstFiles = {Folder("[PATH_APP_AOL_ROOT]\\organize", "*.ARL|*.AUT")};

    a = &catalogue.Begin("IECookies", "Clear Internet Explorer Cookies");
    a->lstFiles = {Folder("[PATH_SYS_SHELL_COOKIES]")};
    a->lstFiles.front().stDate = CurrentUniversalTime();
    a->lstFiles.front().bUseDate = settings.bIECookiesAllowDate;

    a = &catalogue.Begin("IEHistory", "Delete Internet Explorer History");
    a->lstFiles = {FolderTree("[PATH_SYS_SHELL_HISTORY]")};

    a = &catalogue.Begin("IECache", "Delete Temporary Internet Files");
    a->lstFiles = {FolderTree("[PATH_SYS_SHELL_CACHE]")};

    a = &catalogue.Begin("IEDownloaded", "Delete Downloaded Program Files");
    a->lstFiles = {FolderTree("[PATH_SYS_DOWNLOADEDPROGRAMS]")};

    catalogue.Begin("IEAutoComplete", "Delete Auto-Complete Forms Cache", AK_PSTORE);

    a = &catalogue.Begin("IEAutoCompletePsw", "Delete Auto-Complete Passwords Cache");
    a->lstKeys = {KeyTree(HKCU, "Software\\Microsoft\\Internet Explorer\\IntelliForms")};

    a = &catalogue.Begin("IEHelper", "Delete Internet Explorer Plug-Ins");
    a->lstKeys = {KeyTree(
        HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects")};

    a = &catalogue.Begin("SMRunHistory", "Clear \"Start Menu\" Run History");
    a->lstKeys = {KeyValues(HKCU, std::string(kExplorer) + "RunMRU")};

    catalogue.Begin("SMFindHistory", "Clear \"Start Menu\" Find History", AK_MRU);

    a = &catalogue.Begin("SMRecent", "Clear Recent Documents List");
    a->lstFiles = {Folder("[PATH_SYS_SHELL_RECENT]")};

    catalogue.Begin("SMClickHistory", "Clear \"Start Menu\" click history");

    a = &catalogue.Begin("SMOrderHistory", "Clear \"Start Menu\" order");
    a->lstKeys = {KeyValues(HKCU, std::string(kExplorer) + "MenuOrder\\Start Menu\\Programs"),
                  KeyValues(HKCU, std::string(kExplorer) + "MenuOrder\\Favorites")};

    catalogue.Begin("WCClipboard", "Clear Clipboard memory", AK_CLIPBOARD);

    a = &catalogue.Begin("WCOpenHistory", "Clear Open File Dialog History");
    a->lstFiles = {Folder("[PATH_SYS_SHELL_RECENT]")};

    a = &catalogue.Begin("WCTempDir", "Clear User Temp Directory");
    a->lstFiles = {FolderTree("[PATH_SYS_TEMP]")};

    catalogue.Begin(kIdDiskOpRecycleBin, "Empty Recycle Bin", AK_RECYCLEBIN);

    a = &catalogue.Begin("WCRegeditLastKey", "Clear Regedit Last Navigation Key");
    a->lstKeys = {
        Value(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey")};

    a = &catalogue.Begin("NNHistory", "Clear Netscape Browser & Address History", AK_NNHISTORY);
    a->lstFilePairs = {
        FilePair("[PATH_APP_NN4_ROOT]\\netscape.hst", "[PATH_APP_NN4_ROOT]\\prefs.js", 4),
        FilePair("[PATH_APP_NN6_ROOT]\\history.dat", "[PATH_APP_NN6_ROOT]\\localstore.rdf", 6)};

    a = &catalogue.Begin("NNCache", "Clear Netscape Cache");
    a->lstFiles = {Folder("[PATH_APP_NN4_CACHE]"), FolderTree("[PATH_APP_NN6_CACHE]")};

    a = &catalogue.Begin("NNCookies", "Clear Netscape Cookies");
    a->lstFiles = {File("[PATH_APP_NN4_ROOT]\\cookies.txt", kAllFiles),
                   File("[PATH_APP_NN6_ROOT]\\cookies.txt", kAllFiles)};

    a = &catalogue.Begin("OperaCache", "Clear Opera Cache");
    a->lstFiles = {Folder("[PATH_APP_OPERA_CACHE]")};

    a = &catalogue.Begin("OperaCookies", "Clear Opeara Cookies");
    a->lstFiles = {File("[PATH_APP_OPERA_ROOT]\\cookies4.dat")};

    a = &catalogue.Begin("OperaAddressHistory", "Clear Opera Address Bar History");
    a->lstFiles = {File("[PATH_APP_OPERA_ROOT]\\opera.dir"),
                   File("[PATH_APP_OPERA_ROOT]\\global.dat")};

    a = &catalogue.Begin("MailOE", "Clear Outlook Express Mail Files");
    a->lstFiles = {Folder("[PATH_APP_OUTLOOKEXPRESS_STOREROOT]")};

    a = &catalogue.Begin("MailNNTrashSent", "Clear Netscape Deleted and Sent Files");
    a->lstFiles = {File("[PATH_APP_NN4_ROOT]\\Mail\\Sent"),
                   File("[PATH_APP_NN4_ROOT]\\Mail\\Trash")};

    a = &catalogue.Begin("MailNNHidden", "Clear Netscape Hidden Files");
    a->lstFiles = {FolderTree("[PATH_APP_NN4_ROOT]\\Mail\\", "[NN:MASKHIDDEN]")};

    a = &catalogue.Begin("WCMediaHistory", "Clear Windows MediaPlayer History");
    a->lstKeys = {KeyValues(HKCU, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList"),
                  KeyValues(HKCU, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList")};

    a = &catalogue.Begin("RealPlayerPlaylist", "Clear RealPlayer Playlist");
    a->lstKeys.push_back(KeyTree(HKLM, std::string(kRealPlayerPreferences) + "MostRecentClips"));
    for (int n = 1; n <= 10; ++n) {
        char szKey[256];
        std::snprintf(szKey, sizeof(szKey), "%sMostRecentClips%d", kRealPlayerPreferences, n);
        a->lstKeys.push_back(KeyTree(HKLM, szKey));
    }
    a->lstKeys.push_back(KeyTree(HKLM, std::string(kRealPlayerPreferences) + "HistoryList"));

    a = &catalogue.Begin("ACDSeeHistory", "Clear ACDSee Histroy & Last Navigation Folder");
    a->lstKeys = {Value(HKCU, "Software\\ACD Systems\\ACDSee32", "LastFolder"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee32", "HistPaths"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee32", "OpenFolder"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee\\50", "HistPaths"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee\\50", "OpenFolder"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee\\50", "HistSearchText"),
                  Value(HKCU, "Software\\ACD Systems\\ACDSee\\50", "HistFileFilters")};

    a = &catalogue.Begin("NetLastUserLogon", "Clear Last User Logon");
    a->lstKeys = {Value(HKCU, kWinlogonNT, "DefaultUserName"),
                  Value(HKCU, kWinlogonNT, "AltDefaultUserName"),
                  Value(HKCU, kWinlogon9x, "DefaultUserName"),
                  Value(HKLM, kMachineWinlogon, "DefaultUserName"),
                  Value(HKLM, kMachineWinlogon, "AltDefaultUserName")};

    a = &catalogue.Begin("NetLastDomainLogon", "Clear Last Domain Logon");
    a->lstKeys = {Value(HKCU, kWinlogonNT, "DefaultDomainName"),
                  Value(HKCU, kWinlogonNT, "AltDefaultDomainName"),
                  Value(HKCU, kWinlogon9x, "DefaultDomainName"),
                  Value(HKLM, kMachineWinlogon, "DefaultDomainName"),
                  Value(HKLM, kMachineWinlogon, "AltDefaultDomainName")};

    // The run gives the scan its drives and the manager its masks.
    a = &catalogue.Begin(kIdDiskOpScan, "Scan Disk by Mask");
    a->lstFiles = {FolderTree("")};
    a->lstFiles.front().bUseMaskList = true;
    a->lstFiles.front().bWipe = settings.bFileOpsWarp;
    a->dwWarningLevel = WL_WARNING;
    a->strDescription = kDiskScanWarning;

    catalogue.Begin(kIdDiskOpFreeSpace, "Free Space Elimination", AK_FREESPACE);

    a = &catalogue.Begin("AOLHistory", "Clear AOL Instant Messenger History");
    a->lstFiles = {FolderTree("[PATH_APP_AOL_USERSTOREROOT]\\urlcache")};

    // The run gives these two their command lines from the settings.
    catalogue.Begin(kIdMiscCleanRegistry, "Clean Registry");
    catalogue.Begin(kIdMiscDefragmentRegistry, "Defragment Registry");
}
