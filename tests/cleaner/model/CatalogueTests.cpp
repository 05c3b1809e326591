// The built-in actions as the manager builds them.
#include "common/RegistryKeys.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

namespace {

typedef CManagerTest Catalogue;

struct Entry {
    const char* pszId;
    const char* pszTitle;
    uint32_t dwKind;
};

// In identifier order, which is the order of a clean.
const Entry kEntries[] = {
    {"ACDSeeHistory", "Clear ACDSee Histroy & Last Navigation Folder", 0},
    {"AOLAddressHistory", "Clear AOL Address History", 0},
    {"AOLHistory", "Clear AOL Instant Messenger History", 0},
    {"DiskOpFreeSpace", "Free Space Elimination", 2},
    {"DiskOpRecycleBin", "Empty Recycle Bin", 3},
    {"DiskOpScan", "Scan Disk by Mask", 0},
    {"IEAddressHistory", "Clear Internet Explorer Address History", 0},
    {"IEAutoComplete", "Delete Auto-Complete Forms Cache", 6},
    {"IEAutoCompletePsw", "Delete Auto-Complete Passwords Cache", 0},
    {"IECache", "Delete Temporary Internet Files", 0},
    {"IECookies", "Clear Internet Explorer Cookies", 0},
    {"IEDownloaded", "Delete Downloaded Program Files", 0},
    {"IEHelper", "Delete Internet Explorer Plug-Ins", 0},
    {"IEHistory", "Delete Internet Explorer History", 0},
    {"IEPropHomePage", "Change Internet Explorer Home Page", 0},
    {"IEPropWindowTitle", "Change Internet Explorer Window Title", 0},
    {"MailNNHidden", "Clear Netscape Hidden Files", 0},
    {"MailNNTrashSent", "Clear Netscape Deleted and Sent Files", 0},
    {"MailOE", "Clear Outlook Express Mail Files", 0},
    {"MiscCleanRegistry", "Clean Registry", 0},
    {"MiscDefragmentRegistry", "Defragment Registry", 0},
    {"NNCache", "Clear Netscape Cache", 0},
    {"NNCookies", "Clear Netscape Cookies", 0},
    {"NNHistory", "Clear Netscape Browser & Address History", 4},
    {"NetLastDomainLogon", "Clear Last Domain Logon", 0},
    {"NetLastUserLogon", "Clear Last User Logon", 0},
    {"OperaAddressHistory", "Clear Opera Address Bar History", 0},
    {"OperaCache", "Clear Opera Cache", 0},
    {"OperaCookies", "Clear Opeara Cookies", 0},
    {"RealPlayerPlaylist", "Clear RealPlayer Playlist", 0},
    {"SMClickHistory", "Clear \"Start Menu\" click history", 0},
    {"SMFindHistory", "Clear \"Start Menu\" Find History", 7},
    {"SMOrderHistory", "Clear \"Start Menu\" order", 0},
    {"SMRecent", "Clear Recent Documents List", 0},
    {"SMRunHistory", "Clear \"Start Menu\" Run History", 0},
    {"WCClipboard", "Clear Clipboard memory", 1},
    {"WCMediaHistory", "Clear Windows MediaPlayer History", 0},
    {"WCOpenHistory", "Clear Open File Dialog History", 0},
    {"WCRegeditLastKey", "Clear Regedit Last Navigation Key", 0},
    {"WCTempDir", "Clear User Temp Directory", 0},
};

}  // namespace

TEST_F(Catalogue, FortyActionsWithTheirTitlesAndKinds)
{
    const CActionManager& manager = Build();
    ASSERT_EQ(manager.m_actions.size(), 40u);
    auto it = manager.m_actions.begin();
    for (const Entry& entry : kEntries) {
        ASSERT_EQ(it->first, entry.pszId);
        const CAction& action = it->second;
        EXPECT_EQ(action.strId, entry.pszId);
        EXPECT_EQ(action.strTitle, entry.pszTitle) << entry.pszId;
        EXPECT_EQ(action.dwKind, entry.dwKind) << entry.pszId;
        EXPECT_FALSE(action.bEnabled) << entry.pszId;
        EXPECT_EQ(action.dwWarningLevel, std::string(entry.pszId) == "DiskOpScan" ? 1u : 0u);
        for (const FileTarget& target : action.lstFiles)
            EXPECT_EQ(target.dwReportFlags, 0x111u) << entry.pszId;
        ++it;
    }
}

TEST_F(Catalogue, TargetsOfEntriesThatNeedMoreThanOneRecord)
{
    WriteStringValue(kSettingsKey, "strDiskOpsIncludeList", "*.a||*.b");
    WriteDwordValue(kSettingsKey, "bDiskOpsNeedToSetDefaultData", 0);
    m_settings.reset(new CGeneralSettings);
    m_settings->bIECookiesAllowDate = true;
    m_settings->bFileOpsWarp = true;

    SYSTEMTIME before;
    GetSystemTime(&before);
    CActionManager& manager = Build();

    const FileTarget& cookies = manager.m_actions["IECookies"].lstFiles.front();
    EXPECT_EQ(cookies.strName, "[PATH_SYS_SHELL_COOKIES]");
    EXPECT_EQ(cookies.dwType, uint32_t(TT_CONTENT));
    EXPECT_TRUE(cookies.bUseDate);
    EXPECT_EQ(cookies.stDate.wYear, before.wYear);
    EXPECT_EQ(cookies.stDate.wDay, before.wDay);

    const CAction& scan = manager.m_actions["DiskOpScan"];
    ASSERT_EQ(scan.lstFiles.size(), 1u);
    EXPECT_EQ(scan.lstFiles.front().strName, "");
    EXPECT_EQ(scan.lstFiles.front().dwType, uint32_t(TT_RECURSIVE));
    EXPECT_TRUE(scan.lstFiles.front().bUseMaskList);
    EXPECT_TRUE(scan.lstFiles.front().bWipe);
    EXPECT_EQ(scan.lstFiles.front().vecMasks, (StringVector{"*.a", "", "*.b"}));
    EXPECT_EQ(scan.strDescription,
              "Attention!\r\nThis feature will delete files on your drives according to "
              "masks.\r\nYou will not be able to restore these files!");

    EXPECT_EQ(manager.m_actions["AOLAddressHistory"].lstFiles.front().strMask, "*.ARL|*.AUT");
    EXPECT_EQ(manager.m_actions["MailNNHidden"].lstFiles.front().strMask, "[NN:MASKHIDDEN]");

    const std::list<RegTarget>& clips = manager.m_actions["RealPlayerPlaylist"].lstKeys;
    ASSERT_EQ(clips.size(), 12u);
    const std::string strPreferences =
        "SOFTWARE\\Classes\\SOFTWARE\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
    EXPECT_EQ(clips.front().strName, strPreferences + "MostRecentClips");
    EXPECT_EQ(std::next(clips.begin(), 10)->strName, strPreferences + "MostRecentClips10");
    EXPECT_EQ(clips.back().strName, strPreferences + "HistoryList");
    EXPECT_EQ(clips.back().dwKey, uint32_t(RK_LOCAL_MACHINE));
    EXPECT_EQ(clips.back().dwType, uint32_t(TT_RECURSIVE));

    const std::list<FilePairItem>& pairs = manager.m_actions["NNHistory"].lstFilePairs;
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs.back().strFirst, "[PATH_APP_NN6_ROOT]\\history.dat");
    EXPECT_EQ(pairs.back().strSecond, "[PATH_APP_NN6_ROOT]\\localstore.rdf");
    EXPECT_EQ(pairs.back().dwCode, 6u);

    const std::list<RegUpdate>& updates = manager.m_actions["IEPropHomePage"].lstKeyUpdates;
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates.back().target.strValue, "Default_Page_URL");
    EXPECT_EQ(updates.back().dwDataType, uint32_t(RegUpdate::DT_TEXT));
}

TEST_F(Catalogue, FirstRunTakesTheMessengerFolderFromItsOwnSettings)
{
    const std::string strMessenger =
        "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion";
    WriteStringValue(strMessenger + "\\Misc", "BaseDataPath", "C:\\AIM");
    WriteStringValue(strMessenger + "\\Login", "Screen Name", "someone");
    m_settings.reset(new CGeneralSettings);
    Build();
    EXPECT_EQ(m_settings->strAOLMessangerPath.Get(), "C:\\AIM\\someone");

    // A path the user set stays.
    m_manager.reset();
    m_settings->strAOLMessangerPath = "D:\\Mine";
    Build();
    EXPECT_EQ(m_settings->strAOLMessangerPath.Get(), "D:\\Mine");
    DeleteKeyTree("Software\\America Online");
}
