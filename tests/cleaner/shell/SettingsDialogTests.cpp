// The settings dialog and its option pages over the test's own manager, driven as clicks drive them.
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
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramResources.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestDrive.h"
#include "tests/support/WindowPicture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

bool Checked(HWND hPage, int nId) { return IsDlgButtonChecked(hPage, nId) == BST_CHECKED; }
bool Enabled(HWND hPage, int nId) { return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE; }
std::string Text(HWND hPage, int nId) { return CWindow(GetDlgItem(hPage, nId)).GetText(); }
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

// Every other action on, first from on then from off: no box matches by its place.
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
    On("IECookies") = false;
    const int kTitle = IDC_IEPROP_WINDOW_TITLE, kHome = IDC_IEPROP_HOME_PAGE, kExclude = IDC_COOKIES_EXCLUDE;
    const int kClear = IDC_COOKIES_CLEAR, kAfter = IDC_COOKIES_AFTER_DATE, kDate = IDC_COOKIES_DATE;
    const struct {
        UINT nPage;
        std::vector<std::pair<int, bool>> boxes, enabled;  // control id, checked or enabled
    } cases[] = {
        {IDD_PAGE_COOKIES, {}, {{kAfter, false}, {kExclude, false}}},
        {IDD_PAGE_COOKIES, {{kClear, true}, {kAfter, true}}, {{kAfter, true}, {kExclude, true}, {kDate, true}}},
        {IDD_PAGE_COOKIES, {{kClear, true}, {kAfter, false}}, {{kDate, false}}},
        {IDD_PAGE_COOKIES, {{kAfter, true}, {kClear, false}}, {{kAfter, false}, {kExclude, false}, {kDate, false}}},
        {IDD_PAGE_IE_PROPERTIES, {{kTitle, true}, {kHome, false}},
         {{IDC_IEPROP_TITLE_TEXT, true}, {IDC_IEPROP_SET_DEFAULT, true}, {IDC_IEPROP_HOME_TEXT, false}}},
        {IDD_PAGE_IE_PROPERTIES, {{kTitle, false}, {kHome, true}},
         {{IDC_IEPROP_TITLE_TEXT, false}, {IDC_IEPROP_HOME_TEXT, true}, {IDC_IEPROP_SET_BLANK, true}}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<COptionPage> page = Open(c.nPage);
        for (const auto& box : c.boxes)
            SetBox(*page, box.first, box.second);
        for (const auto& item : c.enabled)
            EXPECT_EQ(Enabled(*page, item.first), item.second) << "page " << c.nPage << ", " << item.first;
    }
}

// Mail and the disk scan cannot be brought back: the page asks before a tick.
TEST_F(OptionPages, BoxesOfWhatCannotBeRestoredAskFirstAndNoClearsThem)
{
    InstallEnableQuestion();
    On("MailOE") = On("AOLHistory") = On("DiskOpScan") = false;
    const struct {
        UINT nPage;
        int nBox;
        const char *pszAction, *pszQuestion;
        int nDependent;
    } cases[] = {
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_OUTLOOK_EXPRESS, "MailOE", "clear you Outlook Express emails", 0},
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_AIM_HISTORY, "AOLHistory", "clear your AIM history", IDC_MAIL_AIM_FOLDER},
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
            EXPECT_TRUE(answers.Seen()[0].rfind("Veltrin PRO\nAttention!", 0) == 0 &&
                        answers.Seen()[0].find(c.pszQuestion) != std::string::npos);
            EXPECT_EQ(Checked(*page, c.nBox), bYes);
            EXPECT_EQ(c.nDependent && Enabled(*page, c.nDependent), c.nDependent && bYes);
            page->Apply();
            EXPECT_EQ(On(c.pszAction), bYes);
            answers.Press(IDYES);  // clearing the box asks nothing
            SetBox(*page, c.nBox, false);
            EXPECT_EQ(answers.Pending(), 1u);
            page->Apply();
            EXPECT_FALSE(On(c.pszAction));
        }
    }
    SetEnableQuestion(nullptr);
}

// An empty entry is cleared away; another copy's entry is taken over.
TEST_F(OptionPages, GeneralPageStartsWithWindowsThroughTheRunValueOfThisProgram)
{
    const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    CSavedValue run(HKEY_LOCAL_MACHINE, kRunKey, "Veltrin PRO");
    char szPath[MAX_PATH];
    const std::string strProgram(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
    const struct {
        const char* pszStored;
        bool bShown, bClick, bLeft;
    } cases[] = {{"", false, false, false}, {"", false, true, true}, {"C:\\Old\\Veltrin.exe", true, false, true},
                 {"C:\\Old\\Veltrin.exe", true, true, false}};
    for (const auto& c : cases) {
        WriteStringValue(kRunKey, "Veltrin PRO", c.pszStored, HKEY_LOCAL_MACHINE);
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(Checked(*page, IDC_GENERAL_START_WITH_WINDOWS), c.bShown) << c.pszStored;
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
    EXPECT_TRUE(!Checked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN) && Checked(*page, IDC_GENERAL_MOVE_TO_TRAY));
    ClickControl(*page, IDC_GENERAL_RUN_AT_SHUTDOWN);
    ClickControl(*page, IDC_GENERAL_MOVE_TO_TRAY);
    page->Apply();
    EXPECT_TRUE(ReadRunAtShutdown() && !ReadMoveToTrayOnClose());
    // Each method sets the mode and the overwriting together, and shows alone.
    const int kButtons[] = {IDC_GENERAL_NO_WIPE, IDC_GENERAL_WIPE_ZERO, IDC_GENERAL_WIPE_RANDOM};
    for (uint32_t dwMode : {2u, 0u, 1u}) {
        ClickControl(*page, kButtons[dwMode]);
        page->Apply();
        EXPECT_TRUE(m_settings->bFileOpsWipeMode.Get() == dwMode && m_settings->bFileOpsWarp.Get() == (dwMode > 0));
        page = Open(IDD_PAGE_GENERAL);
        for (uint32_t dwButton = 0; dwButton < 3; ++dwButton)
            EXPECT_EQ(Checked(*page, kButtons[dwButton]), dwButton == dwMode) << dwMode;
    }
    EXPECT_TRUE(Checked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN) && !Checked(*page, IDC_GENERAL_MOVE_TO_TRAY));
    m_settings->bFileOpsWipeMode = 7;  // no button's method stays until the user picks one
    Open(IDD_PAGE_GENERAL)->Apply();
    EXPECT_TRUE(m_settings->bFileOpsWipeMode.Get() == 7 && m_settings->bFileOpsWarp.Get());
}

TEST_F(OptionPages, GeneralPageKeepsTheClearLogFlagsUnlessABoxChanges)
{
    const int kStart = IDC_GENERAL_CLEAR_LOG_AT_START, kClose = IDC_GENERAL_CLEAR_LOG_AT_CLOSE;
    const struct {
        int64_t nStored;       // -1: missing, read as the master bit alone
        const char* pszShown;  // "S": at start, "C": at close
        std::vector<int> clicks;
        DWORD dwStored;
    } cases[] = {
        {-1, "", {}, 1}, {2, "", {kStart, kStart}, 2}, {9, "C", {}, 9}, {0x1B, "SC", {}, 0x1B},
        {1, "", {kStart}, 3}, {3, "S", {kClose}, 11}, {3, "S", {kStart}, 0}, {2, "", {kClose}, 9},
        {0x13, "S", {kStart}, 0x10},  // a bit the page does not know stays; nothing left to switch on
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
        EXPECT_TRUE(ReadDwordValue(kSettingsKey, "dwClearLogFlags", dwStored) && dwStored == c.dwStored) << c.nStored;
        // The window does what the boxes say.
        EXPECT_EQ(std::string(ClearsLogAt(CLF_AT_START) ? "S" : "") + (ClearsLogAt(CLF_AT_CLOSE) ? "C" : ""),
                  std::string(Checked(*page, kStart) ? "S" : "") + (Checked(*page, kClose) ? "C" : ""))
            << c.nStored;
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
    EXPECT_TRUE(day.wYear == 2001 && day.wMonth == 2 && day.wDay == 3);
    SetBox(*page, IDC_COOKIES_AFTER_DATE, true);
    day = {2003, 5, 0, 17, 12};
    ASSERT_TRUE(DateTime_SetSystemtime(hPicker, GDT_VALID, &day));
    page->Apply();
    EXPECT_TRUE(m_settings->bIECookiesAllowDate.Get() && target.bUseDate);
    EXPECT_TRUE(target.stDate.wYear == 2003 && target.stDate.wMonth == 5 && target.stDate.wDay == 17);
    SetBox(*page, IDC_COOKIES_AFTER_DATE, false);
    page->Apply();
    EXPECT_FALSE(m_settings->bIECookiesAllowDate.Get() || target.bUseDate);
    EXPECT_FALSE(Checked(*Open(IDD_PAGE_COOKIES), IDC_COOKIES_AFTER_DATE));
}

// Checked drives are stored in the order of the list, whatever their case.
TEST_F(OptionPages, DriveOperationsPageListsTheFixedDrivesWithTheStoredOnesChecked)
{
    const StringVector fixed = SplitAtSeparator(GetFixedDrives(), '|');
    ASSERT_EQ(fixed.at(0), "C:\\");
    for (const char* pszStored : {"", "C:\\", "Q:\\|C:\\|", "c:\\|"}) {
        const bool bC = std::string(pszStored).find_first_of("Cc") != std::string::npos;
        m_settings->strDiskOpsDriveList = pszStored;
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_DRIVE_OPERATIONS);
        const CListView list(page->GetItem(IDC_DRIVES_LIST));
        ASSERT_EQ(list.GetItemCount(), int(fixed.size()));
        for (int nItem = 0; nItem < list.GetItemCount(); ++nItem) {
            EXPECT_EQ(list.GetItemText(nItem), fixed[nItem]);
            EXPECT_EQ(list.GetCheck(nItem), nItem == 0 && bC) << pszStored;
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
    // Kept once, compared exactly; a text with the separator is several masks.
    for (const char* pszMask : {"*.chk", "*.chk", "", "*.CHK", "*.gid|*.tmp|"}) {
        SetDlgItemTextA(*page, IDC_DRIVES_MASK, pszMask);
        ClickControl(*page, IDC_DRIVES_ADD_MASK);
    }
    EXPECT_EQ(masks, StringVector({"*.tmp", "*.bak", "*.old", "*.chk", "*.CHK", "*.gid"}));
    EXPECT_EQ(shown(), masks);
    // The next entry, else the new last, is selected; with none selected nothing goes.
    const std::pair<int, int> removals[] = {{1, 1}, {4, 3}, {0, 0}, {0, 0}, {0, 0}, {0, -1}, {-1, -1}};
    for (const auto& removal : removals) {
        list.SendMessage(LB_SETCURSEL, WPARAM(removal.first));
        ClickControl(*page, IDC_DRIVES_REMOVE_MASK);
        EXPECT_EQ(int(list.SendMessage(LB_GETCURSEL)), removal.second) << removal.first;
    }
    EXPECT_TRUE(masks.empty() && shown().empty());
}

namespace {

// The swap option differs between the two families of Windows.
class WindowsPage : public OptionPages {
protected:
    static bool DriveChoice(HWND hPage) { return Enabled(hPage, IDC_WINDOWS_SWAP_DRIVE); }
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
    EXPECT_EQ(Text(*page, IDC_WINDOWS_SWAP_DRIVE), "C");
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

// The page opens on the drive of the clearing, so that applying it does not move it.
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
        EXPECT_EQ(Text(*page, IDC_WINDOWS_SWAP_DRIVE), drive.Root().substr(0, 1));
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
        HTREEITEM hItem = tree.GetRoot();
        while (hItem && tree.GetItemText(hItem) != strText)
            hItem = tree.GetNextInTree(hItem);
        ASSERT_TRUE(hItem && tree.SelectItem(hItem)) << strText;
    }
    std::string FrameText() const { return CWindow(m_pDialog->GetItem(IDC_PAGE_FRAME)).GetText(); }
    void TearDown() override { m_pDialog.reset(), CManagerTest::TearDown(); }
    std::unique_ptr<CDlgSettings> m_pDialog;
};

}  // namespace

// Each item opens its page with its help, in the frame and readable; a group, open, shows none.
TEST_F(SettingsDialog, EachItemOpensItsPageWithItsHelpAndAReadableLayout)
{
    CDlgSettings& dialog = Open();
    CTreeView& tree = dialog.GetTree();
    EXPECT_TRUE(!tree.GetSelection() && !dialog.GetPage());
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
        EXPECT_EQ(pPage->GetHelpPage().find(".htm"), pPage->GetHelpPage().size() - 4);
        const RECT page = pPage->GetRectInParent();
        EXPECT_TRUE(EqualRect(&page, &frame));
        ExpectReadableLayout(pPage->GetClientRect(), ControlsOf(*pPage));
        SaveWindowPicture(dialog, ArtifactPath("settings-" + std::to_string(nPageId) + ".png"));
    }
    EXPECT_EQ(nPages, 13u);
}

TEST_F(SettingsDialog, LeavingAPageOrClosingTheDialogAppliesIt)
{
    CDlgSettings& dialog = Open();
    m_manager->GetAction("NetLastUserLogon").bEnabled = false;
    for (const char* pszLeaveBy : {"System", "close box"}) {
        SCOPED_TRACE(pszLeaveBy);
        const bool bByGroup = *pszLeaveBy == 'S';
        Select("Network");
        ClickControl(*dialog.GetPage(), IDC_NETWORK_USER_LOGON);
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
