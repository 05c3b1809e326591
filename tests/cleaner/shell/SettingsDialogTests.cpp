// The settings dialog and its option pages in the test's process, over the
// test's own manager, driven by the messages a user's clicks would send.
#include "cleaner/shell/DlgSettings.h"

#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/CheckBoxPages.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/OptionPages.h"
#include "cleaner/shell/ShellOptions.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "common/StringList.h"
#include "common/SystemTime.h"
#include "framework/ListBox.h"
#include "framework/ListView.h"
#include "tests/support/ControlLayout.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestDrive.h"
#include "tests/support/WindowPicture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

typedef std::vector<std::pair<int, bool>> ItemStates;  // control id, checked or enabled

bool Checked(HWND hPage, int nId)
{
    return IsDlgButtonChecked(hPage, nId) == BST_CHECKED;
}
bool Enabled(HWND hPage, int nId)
{
    return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE;
}
std::string Text(HWND hPage, int nId)
{
    return CWindow(GetDlgItem(hPage, nId)).GetText();
}
// Sets the box as a click does and tells its page.
void SetBox(HWND hPage, int nId, bool bChecked)
{
    CheckDlgButton(hPage, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
    ClickButton(hPage, nId);
}

class OptionPages : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        Build();
        ASSERT_TRUE(m_parent.Create(nullptr));
    }
    // The page as the settings dialog makes it, over the manager as it is.
    std::unique_ptr<COptionPage> Open(UINT nPageId)
    {
        std::unique_ptr<COptionPage> page = CreateOptionPage(nPageId, *m_manager, nullptr);
        EXPECT_TRUE(page && page->Create(m_parent));
        return page;
    }
    bool& On(const char* pszActionId) { return m_manager->GetAction(pszActionId).bEnabled; }

    CDialog m_parent{IDD_SETTINGS};
};

}  // namespace

// Every other action on, first from on and then from off: a pattern that no
// box matches by accident of its place.
TEST_F(OptionPages, BoxesShowAndSetTheirActions)
{
    std::map<UINT, std::vector<CheckBinding>> pages = {
        {IDD_PAGE_WINDOWS, {{IDC_WINDOWS_OPEN_HISTORY, "WCOpenHistory"}, {IDC_WINDOWS_TEMP_DIR, "WCTempDir"},
                            {IDC_WINDOWS_CLIPBOARD, "WCClipboard"}, {IDC_WINDOWS_RECYCLE_BIN, "DiskOpRecycleBin"},
                            {IDC_WINDOWS_REGEDIT_KEY, "WCRegeditLastKey"}}},
        {IDD_PAGE_NETSCAPE, {{IDC_NETSCAPE_COOKIES, "NNCookies"}, {IDC_NETSCAPE_HISTORY, "NNHistory"},
                             {IDC_NETSCAPE_CACHE, "NNCache"}}},
        {IDD_PAGE_COMMUNICATIONS, {{IDC_MAIL_NETSCAPE_TRASH_SENT, "MailNNTrashSent"},
                                   {IDC_MAIL_NETSCAPE_HIDDEN, "MailNNHidden"}}},
        {IDD_PAGE_COOKIES, {{IDC_COOKIES_CLEAR, "IECookies"}}},
        {IDD_PAGE_IE_PROPERTIES, {{IDC_IEPROP_WINDOW_TITLE, "IEPropWindowTitle"},
                                  {IDC_IEPROP_HOME_PAGE, "IEPropHomePage"}}},
        {IDD_PAGE_DRIVE_OPERATIONS, {{IDC_DRIVES_FREE_SPACE, "DiskOpFreeSpace"}}},
    };
    for (UINT nId : {IDD_PAGE_CONTENTS, IDD_PAGE_START_MENU, IDD_PAGE_OPERA, IDD_PAGE_NETWORK, IDD_PAGE_MULTIMEDIA})
        pages[nId] = CCheckBoxPage::FindLayout(nId)->bindings;
    for (const auto& page : pages) {
        for (bool bFirst : {true, false}) {
            SCOPED_TRACE("page " + std::to_string(page.first) + (bFirst ? ", on first" : ""));
            for (size_t n = 0; n < page.second.size(); ++n)
                On(page.second[n].pszActionId) = bFirst == (n % 2 == 0);
            std::unique_ptr<COptionPage> shown = Open(page.first);
            for (size_t n = 0; n < page.second.size(); ++n) {
                EXPECT_EQ(Checked(*shown, page.second[n].nControlId), bFirst == (n % 2 == 0)) << n;
                ClickControl(*shown, page.second[n].nControlId);
            }
            EXPECT_TRUE(shown->Apply());
            for (size_t n = 0; n < page.second.size(); ++n)
                EXPECT_EQ(On(page.second[n].pszActionId), bFirst != (n % 2 == 0)) << n;
        }
    }
}

TEST_F(OptionPages, ControlsThatDependOnABoxFollowIt)
{
    On("IECookies") = On("AOLHistory") = On("DiskOpScan") = false;
    const int kTitle = IDC_IEPROP_WINDOW_TITLE, kHome = IDC_IEPROP_HOME_PAGE;
    const int kClear = IDC_COOKIES_CLEAR, kAfter = IDC_COOKIES_AFTER_DATE;
    const struct {
        UINT nPage;
        ItemStates boxes, enabled;
    } cases[] = {
        {IDD_PAGE_COOKIES, {}, {{kAfter, false}, {IDC_COOKIES_EXCLUDE, false}}},
        {IDD_PAGE_COOKIES, {{kClear, true}, {kAfter, true}},
         {{kAfter, true}, {IDC_COOKIES_EXCLUDE, true}, {IDC_COOKIES_DATE, true}}},
        {IDD_PAGE_COOKIES, {{kClear, true}, {kAfter, false}}, {{IDC_COOKIES_DATE, false}}},
        {IDD_PAGE_COOKIES, {{kAfter, true}, {kClear, false}},
         {{kAfter, false}, {IDC_COOKIES_EXCLUDE, false}, {IDC_COOKIES_DATE, false}}},
        {IDD_PAGE_IE_PROPERTIES, {{kTitle, true}, {kHome, false}},
         {{IDC_IEPROP_TITLE_TEXT, true}, {IDC_IEPROP_SET_DEFAULT, true},
          {IDC_IEPROP_HOME_TEXT, false}, {IDC_IEPROP_SET_BLANK, false}}},
        {IDD_PAGE_IE_PROPERTIES, {{kTitle, false}, {kHome, true}},
         {{IDC_IEPROP_TITLE_TEXT, false}, {IDC_IEPROP_SET_DEFAULT, false},
          {IDC_IEPROP_HOME_TEXT, true}, {IDC_IEPROP_SET_BLANK, true}}},
        {IDD_PAGE_COMMUNICATIONS, {},
         {{IDC_MAIL_AIM_FOLDER, false}, {IDC_MAIL_AIM_FOLDER_LABEL, false}, {IDC_MAIL_AIM_FOLDER_BROWSE, false}}},
        {IDD_PAGE_DRIVE_OPERATIONS, {},
         {{IDC_DRIVES_MASKS, false}, {IDC_DRIVES_MASK, false}, {IDC_DRIVES_ADD_MASK, false},
          {IDC_DRIVES_REMOVE_MASK, false}}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<COptionPage> page = Open(c.nPage);
        for (const auto& box : c.boxes)
            SetBox(*page, box.first, box.second);
        for (const auto& item : c.enabled)
            EXPECT_EQ(Enabled(*page, item.first), item.second) << "page " << c.nPage << ", " << item.first;
    }
}

// Mail and the disk scan cannot be brought back: the page asks before it
// takes a tick, through the system's box or the program's own.
TEST_F(OptionPages, BoxesOfWhatCannotBeRestoredAskFirstAndNoClearsThem)
{
    InstallEnableQuestion();
    On("MailOE") = On("AOLHistory") = On("DiskOpScan") = false;
    const struct {
        UINT nPage;
        int nBox;
        const char* pszAction;
        const char* pszQuestion;
        int nDependent;
    } cases[] = {
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_OUTLOOK_EXPRESS, "MailOE", "clear you Outlook Express emails", 0},
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_AIM_HISTORY, "AOLHistory", "clear your AIM history",
         IDC_MAIL_AIM_FOLDER_BROWSE},
        {IDD_PAGE_DRIVE_OPERATIONS, IDC_DRIVES_SCAN, "DiskOpScan", "You will not be able to restore these files!",
         IDC_DRIVES_ADD_MASK},
    };
    for (const auto& c : cases) {
        for (bool bYes : {false, true}) {
            SCOPED_TRACE(std::string(c.pszAction) + (bYes ? ", yes" : ", no"));
            std::unique_ptr<COptionPage> page = Open(c.nPage);
            CModalAnswers answers;
            answers.Press(bYes ? IDYES : IDNO);
            SetBox(*page, c.nBox, true);
            ASSERT_EQ(answers.Seen().size(), 1u);
            EXPECT_EQ(answers.Seen()[0].rfind("Veltrin PRO\nAttention!", 0), 0u);
            EXPECT_NE(answers.Seen()[0].find(c.pszQuestion), std::string::npos);
            EXPECT_EQ(Checked(*page, c.nBox), bYes);
            EXPECT_EQ(c.nDependent && Enabled(*page, c.nDependent), c.nDependent && bYes);
            page->Apply();
            EXPECT_EQ(On(c.pszAction), bYes);

            // Clearing the box asks nothing; were it to ask, the Yes would go.
            answers.Press(IDYES);
            SetBox(*page, c.nBox, false);
            EXPECT_EQ(answers.Pending(), 1u);
            page->Apply();
            EXPECT_FALSE(On(c.pszAction));
        }
    }
    SetEnableQuestion(nullptr);
}

TEST_F(OptionPages, ExcludeButtonsOpenTheListOfTheirTarget)
{
    std::vector<std::pair<UINT, int>> buttons = {{IDD_PAGE_COOKIES, IDC_COOKIES_EXCLUDE}};
    for (UINT nId : {IDD_PAGE_CONTENTS, IDD_PAGE_OPERA})
        for (const ExcludeButton& button : CCheckBoxPage::FindLayout(nId)->buttons)
            buttons.push_back({nId, button.nButtonId});
    for (const auto& button : buttons) {
        std::unique_ptr<COptionPage> page = Open(button.first);
        CModalAnswers answers;
        answers.Press(IDCANCEL);
        ClickButton(*page, button.second);
        EXPECT_EQ(answers.Seen().size(), 1u) << button.second;
        EXPECT_EQ(answers.Seen().at(0).rfind("Exclude File List", 0), 0u) << button.second;
    }
}

// An empty entry starts nothing and the page clears it away; an entry of
// another copy of the program is taken over by this one.
TEST_F(OptionPages, GeneralPageStartsWithWindowsThroughTheRunValueOfThisProgram)
{
    const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    CSavedValue run(HKEY_LOCAL_MACHINE, kRunKey, "Veltrin PRO");
    char szPath[MAX_PATH];
    const std::string strProgram(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
    const struct {
        const char* pszStored;
        bool bShown, bClick, bLeft;
    } cases[] = {
        {"", false, false, false},
        {"", false, true, true},
        {"C:\\Old\\Veltrin.exe", true, false, true},
        {"C:\\Old\\Veltrin.exe", true, true, false},
    };
    for (const auto& c : cases) {
        WriteStringValue(kRunKey, "Veltrin PRO", c.pszStored, HKEY_LOCAL_MACHINE);
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(Checked(*page, IDC_GENERAL_START_WITH_WINDOWS), c.bShown) << c.pszStored;
        EXPECT_EQ(Text(*page, IDC_GENERAL_START_WITH_WINDOWS), "Start Veltrin PRO at Windows start up");
        if (c.bClick)
            ClickControl(*page, IDC_GENERAL_START_WITH_WINDOWS);
        page->Apply();
        EXPECT_EQ(ReadTextValue(kRunKey, "Veltrin PRO", HKEY_LOCAL_MACHINE), c.bLeft ? strProgram : "<missing>");
    }
}

TEST_F(OptionPages, GeneralPageStoresTheWindowOptionsAndTheWipeMethod)
{
    // Missing values show their defaults: no clean at shutdown, tray on close.
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
    EXPECT_FALSE(Checked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN));
    EXPECT_TRUE(Checked(*page, IDC_GENERAL_MOVE_TO_TRAY));
    ClickControl(*page, IDC_GENERAL_RUN_AT_SHUTDOWN);
    ClickControl(*page, IDC_GENERAL_MOVE_TO_TRAY);
    page->Apply();
    EXPECT_TRUE(ReadRunAtShutdown());
    EXPECT_FALSE(ReadMoveToTrayOnClose());

    // Each method sets the mode and the overwriting together, and shows alone.
    const int kButtons[] = {IDC_GENERAL_NO_WIPE, IDC_GENERAL_WIPE_ZERO, IDC_GENERAL_WIPE_RANDOM};
    for (uint32_t dwMode : {2u, 0u, 1u}) {
        ClickControl(*page, kButtons[dwMode]);
        page->Apply();
        EXPECT_EQ(m_settings->bFileOpsWipeMode.Get(), dwMode);
        EXPECT_EQ(m_settings->bFileOpsWarp.Get(), dwMode > 0);
        page = Open(IDD_PAGE_GENERAL);
        for (uint32_t dwButton = 0; dwButton < 3; ++dwButton)
            EXPECT_EQ(Checked(*page, kButtons[dwButton]), dwButton == dwMode) << dwMode;
    }
    EXPECT_TRUE(Checked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN));
    EXPECT_FALSE(Checked(*page, IDC_GENERAL_MOVE_TO_TRAY));
    // A method that no button stands for stays until the user picks one.
    m_settings->bFileOpsWipeMode = 7;
    Open(IDD_PAGE_GENERAL)->Apply();
    EXPECT_EQ(m_settings->bFileOpsWipeMode.Get(), 7u);
    EXPECT_TRUE(m_settings->bFileOpsWarp.Get());
}

TEST_F(OptionPages, GeneralPageKeepsTheClearLogFlagsUnlessABoxChanges)
{
    const int kStart = IDC_GENERAL_CLEAR_LOG_AT_START, kClose = IDC_GENERAL_CLEAR_LOG_AT_CLOSE;
    const struct {
        int64_t nStored;       // -1: missing
        const char* pszShown;  // the boxes checked: "S" at start, "C" at close
        std::vector<int> clicks;
        DWORD dwStored;
    } cases[] = {
        {-1, "", {}, 1},                 // missing reads as the master bit alone
        {2, "", {kStart, kStart}, 2},    // an occasion without the master bit, ticked and cleared
        {3, "S", {}, 3},
        {9, "C", {}, 9},
        {0x1B, "SC", {}, 0x1B},          // with a bit the page does not know
        {1, "", {kStart}, 3},
        {3, "S", {kClose}, 11},
        {3, "S", {kStart}, 0},           // nothing left to switch on
        {2, "", {kClose}, 9},            // the occasion shown as off stays off
        {0x13, "S", {kStart}, 0x10},
    };
    for (const auto& c : cases) {
        if (c.nStored < 0)
            DeleteKeyTree(kSettingsKey);
        else
            WriteDwordValue(kSettingsKey, "dwClearLogFlags", DWORD(c.nStored));
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(std::string(Checked(*page, kStart) ? "S" : "") + (Checked(*page, kClose) ? "C" : ""), c.pszShown)
            << c.nStored;
        for (int nId : c.clicks)
            ClickControl(*page, nId);
        page->Apply();
        DWORD dwStored = 0xDEAD;
        EXPECT_TRUE(ReadDwordValue(kSettingsKey, "dwClearLogFlags", dwStored));
        EXPECT_EQ(dwStored, c.dwStored) << c.nStored;
        // The window does what the boxes say.
        EXPECT_EQ(ClearsLogAt(CLF_AT_START), Checked(*page, kStart)) << c.nStored;
        EXPECT_EQ(ClearsLogAt(CLF_AT_CLOSE), Checked(*page, kClose)) << c.nStored;
    }
}

TEST_F(OptionPages, CookiesPageStoresTheDateLimitWithTheCookieFolder)
{
    FileTarget& target = m_manager->GetAction("IECookies").lstFiles.front();
    SYSTEMTIME day = {2001, 2, 0, 3, 12};
    target.stDate = FromSystemTime(day);
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_COOKIES);
    const HWND hPicker = GetDlgItem(*page, IDC_COOKIES_DATE);
    ASSERT_EQ(DateTime_GetSystemtime(hPicker, &day), GDT_VALID);
    EXPECT_EQ(std::vector<WORD>({day.wYear, day.wMonth, day.wDay}), std::vector<WORD>({2001, 2, 3}));

    SetBox(*page, IDC_COOKIES_AFTER_DATE, true);
    day = {2003, 5, 0, 17, 12};
    ASSERT_TRUE(DateTime_SetSystemtime(hPicker, GDT_VALID, &day));
    page->Apply();
    EXPECT_TRUE(m_settings->bIECookiesAllowDate.Get() && target.bUseDate);
    EXPECT_EQ(std::vector<WORD>({target.stDate.wYear, target.stDate.wMonth, target.stDate.wDay}),
              std::vector<WORD>({2003, 5, 17}));
    SetBox(*page, IDC_COOKIES_AFTER_DATE, false);
    page->Apply();
    EXPECT_FALSE(m_settings->bIECookiesAllowDate.Get() || target.bUseDate);
    EXPECT_FALSE(Checked(*Open(IDD_PAGE_COOKIES), IDC_COOKIES_AFTER_DATE));
}

// The edits show the clean's texts, or else the browser's own values, and
// the texts come back after a restart.
TEST_F(OptionPages, IEPropertiesPageShowsAndStoresTheTextsTheCleanWrites)
{
    const char kMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
    CScratchRegistry registry;
    registry.Set(HKEY_CURRENT_USER, kMain, "Window Title", "Jo's Browser");
    registry.Set(HKEY_CURRENT_USER, kMain, "Start Page", "http://jo.example/");
    const auto text = [&](const char* pszId) { return m_manager->GetAction(pszId).lstKeyUpdates.front().strData; };
    m_manager->GetAction("IEPropHomePage").lstKeyUpdates.front().strData = "http://mine.example/";
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_IE_PROPERTIES);
    EXPECT_EQ(Text(*page, IDC_IEPROP_TITLE_TEXT), "Jo's Browser");
    EXPECT_EQ(Text(*page, IDC_IEPROP_HOME_TEXT), "http://mine.example/");
    EXPECT_NE(Text(*page, IDC_IEPROP_NOTE).find("clean Veltrin PRO will"), std::string::npos);

    ClickButton(*page, IDC_IEPROP_SET_DEFAULT);
    ClickButton(*page, IDC_IEPROP_SET_BLANK);
    page->Apply();
    EXPECT_EQ(text("IEPropWindowTitle"), "Microsoft Internet Explorer");
    EXPECT_EQ(text("IEPropHomePage"), "about:blank");
    SetWindowTextA(GetDlgItem(*page, IDC_IEPROP_TITLE_TEXT), "Private");
    page->Apply();
    page.reset();
    Build();
    EXPECT_EQ(text("IEPropWindowTitle"), "Private");
    EXPECT_EQ(m_manager->GetAction("IEPropHomePage").lstKeyUpdates.back().strData, "");
}

// Folders the user has not set come from the browsers' profiles (here none);
// the Mozilla cache lies in whatever Mozilla folder the page shows.
TEST_F(OptionPages, NetscapePageKeepsTheUsersFolders)
{
    CScratchRegistry registry;
    registry.Remove(HKEY_CURRENT_USER, "Software\\Netscape\\Netscape Navigator\\biff", "CurrentUser");
    CGeneralSettings& s = *m_settings;
    s.strNetscape4UserPath = "D:\\N4";
    s.strNetscape6UserPath = "D:\\Moz";
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_NETSCAPE);
    EXPECT_EQ(Text(*page, IDC_NETSCAPE4_ROOT) + "|" + Text(*page, IDC_NETSCAPE4_CACHE) + "|" +
                  Text(*page, IDC_NETSCAPE6_ROOT) + "|" + Text(*page, IDC_NETSCAPE6_CACHE),
              "D:\\N4||D:\\Moz|D:\\Moz\\Cache");
    SetWindowTextA(GetDlgItem(*page, IDC_NETSCAPE6_ROOT), "E:\\Moz");
    SetWindowTextA(GetDlgItem(*page, IDC_NETSCAPE4_CACHE), "E:\\N4 Cache");
    page->Apply();
    EXPECT_EQ(s.strNetscape4UserPath.Get() + "|" + s.strNetscape4UserCachePath.Get() + "|" +
                  s.strNetscape6UserPath.Get() + "|" + s.strNetscape6UserCachePath.Get(),
              "D:\\N4|E:\\N4 Cache|E:\\Moz|D:\\Moz\\Cache");
}

// Checked drives are stored in the order of the list, whatever their case.
TEST_F(OptionPages, DriveOperationsPageListsTheFixedDrivesWithTheStoredOnesChecked)
{
    const StringVector fixed = SplitAtSeparator(GetFixedDrives(), '|');
    ASSERT_EQ(fixed.at(0), "C:\\");
    for (const char* pszStored : {"", "C:\\", "Q:\\|C:\\|", "Q:\\|", "c:\\|"}) {
        const bool bC = std::string(pszStored).find(":\\") != std::string::npos && pszStored[0] != 'Q';
        m_settings->strDiskOpsDriveList = pszStored;
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_DRIVE_OPERATIONS);
        const CListView list(page->GetItem(IDC_DRIVES_LIST));
        ASSERT_EQ(list.GetItemCount(), int(fixed.size()));
        for (int nItem = 0; nItem < list.GetItemCount(); ++nItem) {
            EXPECT_EQ(list.GetItemText(nItem), fixed[nItem]);
            EXPECT_EQ(list.GetCheck(nItem), nItem == 0 && (bC || std::string(pszStored) == "Q:\\|C:\\|"))
                << pszStored;
        }
        page->Apply();
        EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(), list.GetCheck(0) ? "C:\\|" : "") << pszStored;
        for (int nItem = list.GetItemCount() - 1; nItem >= 0; --nItem)
            list.SetCheck(nItem, true);
        page->Apply();
        EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(), JoinStrings(fixed, '|'));
    }
}

TEST_F(OptionPages, DriveOperationsPageEditsTheMasksOfTheScan)
{
    StringVector& masks = m_manager->GetAction("DiskOpScan").lstFiles.front().vecMasks;
    masks = {"*.tmp", "*.bak", "*.old"};
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_DRIVE_OPERATIONS);
    const CListBox list(page->GetItem(IDC_DRIVES_MASKS));
    const auto shown = [&] {
        StringVector texts;
        for (int nIndex = 0; nIndex < list.GetCount(); ++nIndex)
            texts.push_back(list.GetText(nIndex));
        return texts;
    };
    EXPECT_EQ(shown(), masks);
    // Kept once, compared exactly, and a text with the separator is the
    // several masks it will be read back as.
    for (const char* pszMask : {"*.chk", "*.chk", "", "*.CHK", "*.gid|*.tmp|"}) {
        SetDlgItemTextA(*page, IDC_DRIVES_MASK, pszMask);
        ClickControl(*page, IDC_DRIVES_ADD_MASK);
    }
    EXPECT_EQ(masks, StringVector({"*.tmp", "*.bak", "*.old", "*.chk", "*.CHK", "*.gid"}));
    EXPECT_EQ(shown(), masks);
    // The next entry moves up into the removed one's place; after the last,
    // the new last is selected; with nothing selected nothing goes.
    const int removals[][2] = {{1, 1}, {4, 3}, {0, 0}, {0, 0}, {0, 0}, {0, -1}, {-1, -1}};
    for (const auto& removal : removals) {
        list.SendMessage(LB_SETCURSEL, WPARAM(removal[0]));
        ClickControl(*page, IDC_DRIVES_REMOVE_MASK);
        EXPECT_EQ(int(list.SendMessage(LB_GETCURSEL)), removal[1]) << removal[0];
    }
    EXPECT_TRUE(masks.empty() && shown().empty());
}

namespace {

// The swap option differs between the two families of Windows; CTest runs
// these tests once more as Windows 98 and once more as Windows XP.
class WindowsPage : public OptionPages {
protected:
    static std::string ShownDrive(HWND hPage)
    {
        char szText[8] = "";
        SendDlgItemMessageA(hPage, IDC_WINDOWS_SWAP_DRIVE, CB_GETLBTEXT,
                            SendDlgItemMessageA(hPage, IDC_WINDOWS_SWAP_DRIVE, CB_GETCURSEL, 0, 0),
                            reinterpret_cast<LPARAM>(szText));
        return szText;
    }
    static bool DriveChoice(HWND hPage)
    {
        EXPECT_EQ(Enabled(hPage, IDC_WINDOWS_SWAP_DRIVE), Enabled(hPage, IDC_WINDOWS_SWAP_DRIVE_LABEL));
        return Enabled(hPage, IDC_WINDOWS_SWAP_DRIVE);
    }

    const std::string m_strRoot = WindowsFolder().substr(0, 3);
    CScratchRegistry m_registry;
    CSavedFile m_batch{m_strRoot + "autoexec.bat"};
    CSavedFile m_config{WindowsFolder() + "\\Veltrin.ini"};
    CSavedFile m_rootSwap{m_strRoot + "win386.swp"};
};

}  // namespace

// The drives C to Z, C chosen; the NT family needs none.
TEST_F(WindowsPage, SwapOptionIsStoredAndTheDriveIsChosenOnlyOnWindows9x)
{
    m_registry.Remove(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                      "ClearPageFileAtShutdown");
    m_batch.Write("@ECHO OFF\r\n");
    m_rootSwap.Write("swap");
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_WINDOWS);
    EXPECT_FALSE(Checked(*page, IDC_WINDOWS_SWAP));
    EXPECT_EQ(SendDlgItemMessageA(*page, IDC_WINDOWS_SWAP_DRIVE, CB_GETCOUNT, 0, 0), 24);
    EXPECT_EQ(ShownDrive(*page), "C");
    EXPECT_FALSE(DriveChoice(*page));
    ClickControl(*page, IDC_WINDOWS_SWAP);
    EXPECT_EQ(DriveChoice(*page), IsWin9x());
    page->Apply();
    EXPECT_TRUE(ReadSwapClearingOption());

    page = Open(IDD_PAGE_WINDOWS);
    EXPECT_TRUE(Checked(*page, IDC_WINDOWS_SWAP));
    EXPECT_EQ(DriveChoice(*page), IsWin9x());
    ClickControl(*page, IDC_WINDOWS_SWAP);
    page->Apply();
    EXPECT_FALSE(ReadSwapClearingOption());
}

// The page opens on the drive that the clearing is set up for, so that
// applying it does not move the clearing elsewhere.
TEST_F(WindowsPage, OnWindows9xThePageOpensOnTheDriveOfTheClearing)
{
    if (!IsWin9x())
        GTEST_SKIP() << "NT family";
    m_batch.Write("@ECHO OFF\r\n");
    CTestDrive drive;
    ASSERT_TRUE(drive.MapFolder());
    ASSERT_TRUE(WriteFileBytes(drive / "win386.swp", "swap"));
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_WINDOWS);
    ClickControl(*page, IDC_WINDOWS_SWAP);
    SendDlgItemMessageA(*page, IDC_WINDOWS_SWAP_DRIVE, CB_SETCURSEL, drive.Root()[0] - 'C', 0);
    for (int nVisit = 0; nVisit < 2; ++nVisit) {
        page->Apply();
        EXPECT_EQ(ReadSwapClearingDrive(), drive.Root()[0]);
        page = Open(IDD_PAGE_WINDOWS);
        EXPECT_EQ(ShownDrive(*page), drive.Root().substr(0, 1));
    }
    ClickControl(*page, IDC_WINDOWS_SWAP);
    page->Apply();
    EXPECT_FALSE(ReadSwapClearingOption());
}

namespace {

class SettingsDialog : public CManagerTest {
protected:
    CDlgSettings& Open()
    {
        m_pDialog.reset(new CDlgSettings(Build()));
        EXPECT_TRUE(m_pDialog->Create(nullptr));
        m_pDialog->Show(SW_SHOW);
        return *m_pDialog;
    }
    // Selects the item with that text, as a click on it does.
    void Select(const std::string& strText)
    {
        CTreeView& tree = m_pDialog->GetTree();
        for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
            if (tree.GetItemText(hItem) == strText) {
                tree.SelectItem(hItem);
                return;
            }
        }
        FAIL() << "no item " << strText;
    }
    std::string FrameText() const { return CWindow(m_pDialog->GetItem(IDC_PAGE_FRAME)).GetText(); }
    void TearDown() override
    {
        m_pDialog.reset();
        CManagerTest::TearDown();
    }

    std::unique_ptr<CDlgSettings> m_pDialog;
};

}  // namespace

// Every item with a page opens the page of its dialog id, with its help,
// where the frame is, every control inside it and clear of the others and
// no text on the picture in its corner; a group, open, shows none.
TEST_F(SettingsDialog, EachItemOpensItsPageWithItsHelpAndAReadableLayout)
{
    const std::map<UINT, std::string> kHelp = {
        {IDD_PAGE_GENERAL, "general"},
        {IDD_PAGE_CONTENTS, "browsers.internetexplorer"},
        {IDD_PAGE_COOKIES, "browsers.internetexplorer"},
        {IDD_PAGE_IE_PROPERTIES, "browsers.internetexplorer"},
        {IDD_PAGE_NETSCAPE, "browsers.netscapenavigator"},
        {IDD_PAGE_OPERA, "browsers.opera"},
        {IDD_PAGE_START_MENU, "system.startmenu"},
        {IDD_PAGE_WINDOWS, "system.windows.commoncontrols"},
        {IDD_PAGE_NETWORK, "system.network"},
        {IDD_PAGE_COMMUNICATIONS, "communications.mail"},
        {IDD_PAGE_MULTIMEDIA, "multimedia"},
        {IDD_PAGE_DRIVE_OPERATIONS, "driveoperations"},
        {IDD_PAGE_PLUGINS, "plugins"},
    };
    CDlgSettings& dialog = Open();
    CTreeView& tree = dialog.GetTree();
    EXPECT_EQ(tree.GetSelection(), nullptr);
    EXPECT_EQ(dialog.GetPage(), nullptr);
    BITMAP picture;
    HBITMAP hPicture = LoadBitmapA(GetResourceInstance(), MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND));
    ASSERT_TRUE(GetObjectA(hPicture, sizeof(picture), &picture));
    DeleteObject(hPicture);
    const RECT frame = CWindow(dialog.GetItem(IDC_PAGE_FRAME)).GetRectInParent();
    size_t nPages = 0;
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
        const UINT nPageId = UINT(tree.GetItemData(hItem));
        SCOPED_TRACE(tree.GetItemText(hItem));
        ASSERT_TRUE(tree.SelectItem(hItem));
        COptionPage* pPage = dialog.GetPage();
        if (nPageId == 0) {
            EXPECT_TRUE(tree.IsExpanded(hItem) && !pPage);
            continue;
        }
        ++nPages;
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(pPage->GetTemplateId(), nPageId);
        EXPECT_EQ(pPage->GetHelpPage(), kHelp.at(nPageId) + ".htm");
        const RECT page = pPage->GetRectInParent();
        EXPECT_TRUE(EqualRect(&page, &frame));

        const RECT client = pPage->GetClientRect();
        const RECT corner = {client.right - picture.bmWidth, client.bottom - picture.bmHeight, client.right,
                             client.bottom};
        const std::vector<PageControl> controls = ControlsOf(*pPage);
        ExpectReadableLayout(client, controls);
        for (const PageControl& control : controls)
            EXPECT_FALSE(control.bTransparent && Intersect(corner, control.rect)) << control.nId;
        SaveWindowPicture(dialog, ArtifactPath("settings-" + std::to_string(nPageId) + ".png"));
    }
    EXPECT_EQ(nPages, kHelp.size());
    // A text with "&" shows it in the frame.
    Select("Internet Explorer & AOL");
    EXPECT_EQ(FrameText(), "Internet Explorer && AOL");
}

// Enter and Escape reach the page through the dialog's keyboard handling;
// the page ignores them and the dialog stays.
TEST_F(SettingsDialog, LeavingAPageOrClosingTheDialogAppliesItButEnterDoesNot)
{
    CDlgSettings& dialog = Open();
    m_manager->GetAction("NetLastUserLogon").bEnabled = false;
    for (const char* pszLeaveBy : {"System", "close box"}) {
        SCOPED_TRACE(pszLeaveBy);
        const bool bByGroup = *pszLeaveBy == 'S';
        Select("Network");
        HWND hBox = dialog.GetPage()->GetItem(IDC_NETWORK_USER_LOGON);
        ClickControl(*dialog.GetPage(), IDC_NETWORK_USER_LOGON);
        SetFocus(hBox);
        MSG enter = {hBox, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        IsDialogMessageA(dialog, &enter);
        dialog.SendMessage(WM_COMMAND, IDOK);
        dialog.GetPage()->SendMessage(WM_COMMAND, IDOK);
        dialog.GetPage()->SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_TRUE(dialog.IsVisible());
        EXPECT_EQ(m_manager->GetAction("NetLastUserLogon").bEnabled, !bByGroup);

        if (bByGroup) {
            Select(pszLeaveBy);
            EXPECT_EQ(FrameText(), pszLeaveBy);
        } else {
            dialog.SendMessage(WM_CLOSE);
            ServeMessages(50);
            EXPECT_FALSE(dialog.IsVisible());
        }
        EXPECT_EQ(dialog.GetPage(), nullptr);
        EXPECT_EQ(m_manager->GetAction("NetLastUserLogon").bEnabled, bByGroup);
    }
}

TEST_F(SettingsDialog, OnlyTheWidthFollowsTheFrame)
{
    CDlgSettings& dialog = Open();
    Select("Opera");
    const RECT window = dialog.GetWindowRect();
    const RECT tree = dialog.GetTree().GetRectInParent(), page = dialog.GetPage()->GetRectInParent();
    MINMAXINFO limits = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, window.right - window.left);
    EXPECT_EQ(limits.ptMaxTrackSize.y, window.bottom - window.top);
    dialog.SetPos(nullptr, 0, 0, window.right - window.left + 60, window.bottom - window.top,
                  SWP_NOMOVE | SWP_NOZORDER);
    const RECT wideTree = dialog.GetTree().GetRectInParent(), movedPage = dialog.GetPage()->GetRectInParent();
    EXPECT_EQ(wideTree.right - wideTree.left, tree.right - tree.left + 60);
    EXPECT_EQ(movedPage.left, page.left + 60);
    EXPECT_EQ(movedPage.right - movedPage.left, page.right - page.left);
}
