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

#include <gtest/gtest.h>

#include <map>

namespace {

bool Checked(HWND hPage, int nId) { return IsDlgButtonChecked(hPage, nId) == BST_CHECKED; }
bool Enabled(HWND hPage, int nId) { return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE; }
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

class WindowsPage : public OptionPages {
protected:
    CScratchRegistry m_registry;
    CSavedFile m_batch{WindowsFolder().substr(0, 3) + "autoexec.bat"};  // changed on Windows 9x
    CSavedFile m_config{WindowsFolder() + "\\Veltrin.ini"};
};

class SettingsDialog : public CManagerTest {};

}  // namespace

// Every other action on, first from on then from off: no box matches by its place.
TEST_F(OptionPages, BoxesShowAndSetTheirActions)
{
    std::map<UINT, std::vector<CheckBinding>> pages = {
        {IDD_PAGE_WINDOWS, {{IDC_WINDOWS_OPEN_HISTORY, "WCOpenHistory"}, {IDC_WINDOWS_TEMP_DIR, "WCTempDir"}}},
        {IDD_PAGE_NETSCAPE, {{IDC_NETSCAPE_COOKIES, "NNCookies"}, {IDC_NETSCAPE_HISTORY, "NNHistory"}}},
        {IDD_PAGE_COMMUNICATIONS, {{IDC_MAIL_NETSCAPE_TRASH_SENT, "MailNNTrashSent"}}},
        {IDD_PAGE_IE_PROPERTIES, {{IDC_IEPROP_WINDOW_TITLE, "IEPropWindowTitle"},
                                  {IDC_IEPROP_HOME_PAGE, "IEPropHomePage"}}},
        {IDD_PAGE_COOKIES, {{IDC_COOKIES_CLEAR, "IECookies"}}},
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

// Mail and the disk scan cannot be brought back: the page asks before a tick, and No clears it.
TEST_F(OptionPages, BoxesOfWhatCannotBeRestoredAskFirstAndNoClearsThem)
{
    InstallEnableQuestion();
    On("MailOE") = On("AOLHistory") = On("DiskOpScan") = false;
    const struct {
        UINT nPage;
        int nBox, nDependent;
        const char* pszAction;
    } cases[] = {
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_OUTLOOK_EXPRESS, 0, "MailOE"},
        {IDD_PAGE_COMMUNICATIONS, IDC_MAIL_AIM_HISTORY, IDC_MAIL_AIM_FOLDER, "AOLHistory"},
        {IDD_PAGE_DRIVE_OPERATIONS, IDC_DRIVES_SCAN, IDC_DRIVES_ADD_MASK, "DiskOpScan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszAction);
        std::unique_ptr<COptionPage> page = Open(c.nPage);
        CModalAnswers answers;
        for (int nAnswer : {IDNO, IDYES}) {
            answers.Press(nAnswer);
            SetBox(*page, c.nBox, true);
            EXPECT_EQ(Checked(*page, c.nBox), nAnswer == IDYES);
            EXPECT_EQ(c.nDependent && Enabled(*page, c.nDependent), c.nDependent && nAnswer == IDYES);
            page->Apply();
            EXPECT_EQ(On(c.pszAction), nAnswer == IDYES);
        }
        answers.Press(IDYES);  // for a question that clearing the box must not ask
        SetBox(*page, c.nBox, false);
        page->Apply();
        EXPECT_FALSE(On(c.pszAction));
        EXPECT_EQ(answers.Seen().size(), 2u);
    }
    SetEnableQuestion(nullptr);
}

// Missing values show as no clean at shutdown, tray on close; an empty start entry goes, another copy's is taken over.
TEST_F(OptionPages, GeneralPageStoresTheWindowOptionsAndTheWipeMethod)
{
    const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    CSavedValue run(HKEY_LOCAL_MACHINE, kRunKey, "Veltrin PRO");
    const auto entry = [&] { return ReadTextValue(kRunKey, "Veltrin PRO", HKEY_LOCAL_MACHINE); };
    char szPath[MAX_PATH];
    const std::string strProgram(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
    const int kShutdown = IDC_GENERAL_RUN_AT_SHUTDOWN, kTray = IDC_GENERAL_MOVE_TO_TRAY;
    const int kStart = IDC_GENERAL_START_WITH_WINDOWS;
    WriteStringValue(kRunKey, "Veltrin PRO", "", HKEY_LOCAL_MACHINE);
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
    EXPECT_TRUE(!Checked(*page, kShutdown) && Checked(*page, kTray) && !Checked(*page, kStart));
    EXPECT_EQ(entry(), "<missing>");
    for (int nId : {kShutdown, kTray, kStart})
        ClickControl(*page, nId);
    page->Apply();
    EXPECT_TRUE(ReadRunAtShutdown() && !ReadMoveToTrayOnClose() && entry() == strProgram);
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
    WriteStringValue(kRunKey, "Veltrin PRO", "C:\\Old\\Veltrin.exe", HKEY_LOCAL_MACHINE);
    page = Open(IDD_PAGE_GENERAL);
    EXPECT_TRUE(Checked(*page, kShutdown) && !Checked(*page, kTray) && Checked(*page, kStart));
    page->Apply();
    EXPECT_EQ(entry(), strProgram);
    ClickControl(*page, kStart);
    page->Apply();
    EXPECT_EQ(entry(), "<missing>");
    m_settings->bFileOpsWipeMode = 7;  // no button's method stays until the user picks one
    Open(IDD_PAGE_GENERAL)->Apply();
    EXPECT_TRUE(m_settings->bFileOpsWipeMode.Get() == 7 && m_settings->bFileOpsWarp.Get());
}

// Flags the boxes do not show stay unless a box changes; the window does what the boxes say.
TEST_F(OptionPages, GeneralPageKeepsTheClearLogFlagsUnlessABoxChanges)
{
    const int kStart = IDC_GENERAL_CLEAR_LOG_AT_START, kClose = IDC_GENERAL_CLEAR_LOG_AT_CLOSE;
    const auto shown = [](bool bStart, bool bClose) { return std::string(bStart ? "S" : "") + (bClose ? "C" : ""); };
    const struct {
        int64_t nStored;       // -1: missing, read as the master bit alone
        const char* pszShown;  // "S": at start, "C": at close
        std::vector<int> clicks;
        DWORD dwStored;
    } cases[] = {
        {-1, "", {}, 1}, {2, "", {kStart, kStart}, 2}, {0x1B, "SC", {}, 0x1B}, {3, "S", {kClose}, 11},
        {3, "S", {kStart}, 0}, {2, "", {kClose}, 9}, {0x13, "S", {kStart}, 0x10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nStored);
        DeleteKeyTree(kSettingsKey);
        if (c.nStored >= 0)
            WriteDwordValue(kSettingsKey, "dwClearLogFlags", DWORD(c.nStored));
        std::unique_ptr<COptionPage> page = Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(shown(Checked(*page, kStart), Checked(*page, kClose)), c.pszShown);
        for (int nId : c.clicks)
            ClickControl(*page, nId);
        page->Apply();
        EXPECT_EQ(ReadClearLogFlags(), c.dwStored);
        EXPECT_EQ(shown(ClearsLogAt(CLF_AT_START), ClearsLogAt(CLF_AT_CLOSE)),
                  shown(Checked(*page, kStart), Checked(*page, kClose)));
    }
}

// The date limit and the exclude list go with clearing, the date with its limit; the date is the target's.
TEST_F(OptionPages, CookiesPageStoresTheDateLimitWithTheCookieFolder)
{
    On("IECookies") = false;
    FileTarget& target = m_manager->GetAction("IECookies").lstFiles.front();
    target.stDate = FromSystemTime({2001, 2, 0, 3, 12});
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_COOKIES);
    const auto enabled = [&] {
        return std::string(Enabled(*page, IDC_COOKIES_AFTER_DATE) ? "A" : "") +
               (Enabled(*page, IDC_COOKIES_EXCLUDE) ? "E" : "") + (Enabled(*page, IDC_COOKIES_DATE) ? "D" : "");
    };
    EXPECT_EQ(enabled(), "");
    SetBox(*page, IDC_COOKIES_AFTER_DATE, true);
    EXPECT_EQ(enabled(), "");
    SetBox(*page, IDC_COOKIES_CLEAR, true);
    const HWND hPicker = GetDlgItem(*page, IDC_COOKIES_DATE);
    SYSTEMTIME day = {};
    ASSERT_EQ(DateTime_GetSystemtime(hPicker, &day), GDT_VALID);
    EXPECT_EQ(day.wYear * 10000 + day.wMonth * 100 + day.wDay, 20010203);
    for (bool bLimit : {true, false}) {
        SetBox(*page, IDC_COOKIES_AFTER_DATE, bLimit);
        EXPECT_EQ(enabled(), bLimit ? "AED" : "AE");
        day.wYear += 1;
        ASSERT_TRUE(DateTime_SetSystemtime(hPicker, GDT_VALID, &day));
        page->Apply();
        EXPECT_TRUE(m_settings->bIECookiesAllowDate.Get() == bLimit && target.bUseDate == bLimit);
        EXPECT_EQ(target.stDate.wYear, day.wYear);
        EXPECT_EQ(Checked(*Open(IDD_PAGE_COOKIES), IDC_COOKIES_AFTER_DATE), bLimit);
    }
}

// Drives match in any case and are stored in the list's order; masks are kept once, compared exactly.
TEST_F(OptionPages, DriveOperationsPageStoresTheCheckedDrivesAndEditsTheMasks)
{
    const StringVector fixed = SplitAtSeparator(GetFixedDrives(), '|');
    m_settings->strDiskOpsDriveList = "Q:\\|c:\\|";
    StringVector& masks = m_manager->GetAction("DiskOpScan").lstFiles.front().vecMasks;
    masks = {"*.tmp", "*.bak", "*.old"};
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_DRIVE_OPERATIONS);
    const CListView drives(page->GetItem(IDC_DRIVES_LIST));
    ASSERT_TRUE(drives.GetItemCount() == int(fixed.size()) && fixed.at(0) == "C:\\");
    for (int nItem = 0; nItem < drives.GetItemCount(); ++nItem)
        EXPECT_TRUE(drives.GetItemText(nItem) == fixed[nItem] && drives.GetCheck(nItem) == (nItem == 0)) << nItem;
    page->Apply();
    EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(), "C:\\|");
    for (int nItem = drives.GetItemCount() - 1; nItem >= 0; --nItem)
        drives.SetCheck(nItem, true);
    page->Apply();
    EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(), JoinStrings(fixed, '|'));
    const CListBox list(page->GetItem(IDC_DRIVES_MASKS));
    EXPECT_EQ(list.GetText(2), "*.old");
    for (const char* pszMask : {"*.chk", "*.chk", "", "*.CHK", "*.gid|*.tmp|"}) {  // the separator parts masks
        SetDlgItemTextA(*page, IDC_DRIVES_MASK, pszMask);
        ClickControl(*page, IDC_DRIVES_ADD_MASK);
    }
    EXPECT_EQ(masks, StringVector({"*.tmp", "*.bak", "*.old", "*.chk", "*.CHK", "*.gid"}));
    EXPECT_TRUE(list.GetCount() == 6 && list.GetText(5) == "*.gid");
    // The next entry, else the new last, is selected; with none selected nothing goes.
    const std::pair<int, int> removals[] = {{1, 1}, {4, 3}, {0, 0}, {0, 0}, {0, 0}, {0, -1}, {-1, -1}};
    for (const auto& removal : removals) {
        list.SendMessage(LB_SETCURSEL, WPARAM(removal.first));
        ClickControl(*page, IDC_DRIVES_REMOVE_MASK);
        EXPECT_EQ(int(list.SendMessage(LB_GETCURSEL)), removal.second) << removal.first;
    }
    EXPECT_TRUE(masks.empty() && list.GetCount() == 0);
}

// C chosen, the NT family needs no drive; Windows 9x opens on the clearing's drive, so applying keeps it.
TEST_F(WindowsPage, SwapOptionIsStoredAndTheDriveIsChosenOnlyOnWindows9x)
{
    m_registry.Remove(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                      "ClearPageFileAtShutdown");
    CTestDrive drive;
    ASSERT_TRUE(drive.MapFolder() && WriteFileBytes(drive / "win386.swp", "swap"));
    std::unique_ptr<COptionPage> page = Open(IDD_PAGE_WINDOWS);
    EXPECT_FALSE(Checked(*page, IDC_WINDOWS_SWAP) || Enabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    EXPECT_EQ(CWindow(GetDlgItem(*page, IDC_WINDOWS_SWAP_DRIVE)).GetText(), "C");
    ClickControl(*page, IDC_WINDOWS_SWAP);
    SendDlgItemMessageA(*page, IDC_WINDOWS_SWAP_DRIVE, CB_SETCURSEL, drive.Root()[0] - 'C', 0);
    for (int nVisit = 0; nVisit < 2; ++nVisit) {
        EXPECT_EQ(Enabled(*page, IDC_WINDOWS_SWAP_DRIVE), IsWin9x());
        page->Apply();
        EXPECT_TRUE(ReadSwapClearingOption());
        page = Open(IDD_PAGE_WINDOWS);
        EXPECT_TRUE(Checked(*page, IDC_WINDOWS_SWAP));
        EXPECT_EQ(CWindow(GetDlgItem(*page, IDC_WINDOWS_SWAP_DRIVE)).GetText(),
                  IsWin9x() ? drive.Root().substr(0, 1) : "C");
    }
    ClickControl(*page, IDC_WINDOWS_SWAP);
    page->Apply();
    EXPECT_FALSE(ReadSwapClearingOption());
}

// Each item opens its page, readable, a group none; leaving a page or closing the dialog applies it.
TEST_F(SettingsDialog, EachItemOpensItsPageAndLeavingItAppliesIt)
{
    CDlgSettings dialog(Build());
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.Show(SW_SHOW);
    CTreeView& tree = dialog.GetTree();
    EXPECT_TRUE(!tree.GetSelection() && !dialog.GetPage());
    std::map<std::string, HTREEITEM> items;
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
        const UINT nPageId = UINT(tree.GetItemData(hItem));
        SCOPED_TRACE(tree.GetItemText(hItem));
        items[tree.GetItemText(hItem)] = hItem;
        ASSERT_TRUE(tree.SelectItem(hItem));
        COptionPage* pPage = dialog.GetPage();
        if (nPageId == 0) {
            EXPECT_TRUE(tree.IsExpanded(hItem) && !pPage);
            continue;
        }
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(pPage->GetTemplateId(), nPageId);
        ExpectReadableLayout(pPage->GetClientRect(), ControlsOf(*pPage));
        SaveWindowPicture(dialog, ArtifactPath("settings-" + std::to_string(nPageId) + ".png"));
    }
    EXPECT_EQ(items.size(), 16u);
    bool& bOn = m_manager->GetAction("NetLastUserLogon").bEnabled;
    bOn = false;
    ASSERT_TRUE(tree.SelectItem(items.at("Network")));
    ClickControl(*dialog.GetPage(), IDC_NETWORK_USER_LOGON);
    EXPECT_FALSE(bOn);
    ASSERT_TRUE(tree.SelectItem(items.at("System")));
    EXPECT_TRUE(bOn && !dialog.GetPage());
    EXPECT_EQ(CWindow(dialog.GetItem(IDC_PAGE_FRAME)).GetText(), "System");
    ASSERT_TRUE(tree.SelectItem(items.at("Network")));
    ClickControl(*dialog.GetPage(), IDC_NETWORK_USER_LOGON);
    dialog.SendMessage(WM_CLOSE);
    ServeMessages(50);
    EXPECT_TRUE(!bOn && !dialog.IsVisible() && !dialog.GetPage());
}
