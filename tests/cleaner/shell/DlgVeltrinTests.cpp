// The main window created in the test's own process and driven by the
// messages a user's clicks would send.
#include "cleaner/shell/DlgVeltrin.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "tests/support/MainWindowTest.h"
#include "tests/support/ModalAnswers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::string kSettings = kSettingsKey;

class MainWindow : public CMainWindowTest {
protected:
    // Opens the window over a clean of 400 files and starts it; returns
    // once the clean has shown some lines and is still under way.
    void StartLongClean()
    {
        const std::string strFolder = m_folder / "many";
        MakeFiles(strFolder, 400);
        Build();
        AddFolderAction("Many", strFolder);
        Open();
        // Lines reach the list when it repaints; here it repaints at every line.
        m_pDialog->m_logList.m_nRedrawInterval = 0;
        Command(ID_ACTION_START);
        const DWORD dwLimit = GetTickCount() + 60000;
        while (m_pDialog->m_listLog.GetItemCount() < 20 && GetTickCount() < dwLimit)
            ServeMessages(10);
    }
};

}  // namespace

TEST_F(MainWindow, FeaturesAreTheEnabledActionsInIdentifierOrder)
{
    Build();
    Enable("WCTempDir");
    Enable("IECache");
    Enable("ACDSeeHistory");
    Open();
    const CListView& features = m_pDialog->m_listFeatures;
    EXPECT_EQ(Items(features),
              (std::vector<std::string>{"Clear ACDSee Histroy & Last Navigation Folder",
                                        m_manager->GetAction("IECache").strTitle,
                                        m_manager->GetAction("WCTempDir").strTitle}));
    for (int n = 0; n < features.GetItemCount(); ++n)
        EXPECT_EQ(features.GetItemImage(n), 1);

    // The settings change what is enabled; the list follows when they close.
    CModalAnswers answers;
    answers.Add([&](HWND hSettings) {
        m_manager->GetAction("IECache").bEnabled = false;
        ClickButton(hSettings, IDCANCEL);
    });
    Command(ID_OPTIONS_SETTINGS);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(features.GetItemCount(), 2);
}

TEST_F(MainWindow, WizardSetsTheActionsThatTheFeaturesListThenShows)
{
    Build();
    Open();
    CModalAnswers answers;
    answers.Add([](HWND hWizard) {
        SendMessageA(GetDlgItem(hWizard, IDC_WIZARD_YES), BM_CLICK, 0, 0);
        for (int nStep = 0; nStep < 7; ++nStep)
            ClickButton(hWizard, IDOK);
    });
    Command(ID_ACTION_WIZARD);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(Items(m_pDialog->m_listFeatures),
              std::vector<std::string>{m_manager->GetAction("IEAddressHistory").strTitle});
}

TEST_F(MainWindow, PublishesItselfForOtherPrograms)
{
    Build();
    Open();
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(kProductKey, "hWnd", dwValue));
    EXPECT_EQ(dwValue, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_pDialog->GetHwnd())));
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwStartMess", dwValue));
    EXPECT_EQ(dwValue, 32771u);
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwSettingsMess", dwValue));
    EXPECT_EQ(dwValue, 32774u);
    char szExe[MAX_PATH];
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    EXPECT_EQ(ReadTextValue(kProductKey, "strExe"), szExe);
    EXPECT_EQ(m_pDialog->GetText(), "Veltrin PRO");
}

TEST_F(MainWindow, StartRunsACleanWhoseLinesReachTheLogInOrder)
{
    const std::string strFolder = m_folder / "junk";
    MakeFiles(strFolder, 2);
    Build();
    AddFolderAction("Junk", strFolder);
    Open();
    Command(ID_ACTION_START);
    // A second Start while the first clean runs starts no second one: the
    // clean waits for this thread to show its first line.
    const HANDLE hFirst = m_pDialog->m_hCleanThread;
    ASSERT_NE(hFirst, nullptr);
    Command(ID_ACTION_START);
    EXPECT_EQ(m_pDialog->m_hCleanThread, hFirst);
    WaitForCleanEnd();

    std::vector<std::string> messages = LogMessages();
    ASSERT_EQ(messages.size(), 9u);
    std::sort(messages.begin() + 1, messages.begin() + 3);  // the folder's own order
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Clean Junk", "File " + strFolder + "\\f0.tmp was deleted",
                            "File " + strFolder + "\\f1.tmp was deleted", "Clean Junk Complete",
                            "Statistics:", "Deleted: 2 file(s)", "Updated: 0 file(s)",
                            "Deleted: 0 registry entry(ies)", "Released Space: 0 Kbytes"}));
    const CListView& log = m_pDialog->m_listLog;
    const std::vector<int> images = {3, 0, 0, 4, 5, 5, 5, 5, 5};
    const std::regex prefix(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d>> .*)");
    for (int n = 0; n < log.GetItemCount(); ++n) {
        EXPECT_EQ(log.GetItemImage(n), images[n]) << n;
        EXPECT_TRUE(std::regex_match(log.GetItemText(n), prefix)) << log.GetItemText(n);
    }
    // The newest line is selected.
    EXPECT_EQ(log.GetItemState(8, LVIS_SELECTED), UINT(LVIS_SELECTED));
}

TEST_F(MainWindow, StopEndsALongCleanAtOnceAndALaterStartWorks)
{
    StartLongClean();
    ASSERT_TRUE(m_pDialog->IsCleaning());
    Command(ID_ACTION_STOP);
    EXPECT_FALSE(m_pDialog->IsCleaning());
    const std::vector<std::string> stopped = LogMessages();
    EXPECT_LT(stopped.size(), 400u);
    for (const std::string& strMessage : stopped)
        EXPECT_NE(strMessage, "Statistics:");
    // Nothing of the stopped clean comes later.
    ServeMessages(200);
    EXPECT_EQ(LogMessages(), stopped);

    // No lock is left held: the next clean runs to its end.
    Command(ID_ACTION_START);
    WaitForCleanEnd();
    EXPECT_EQ(LogMessages().back().substr(0, 16), "Released Space: ");
    // Stop without a clean does nothing.
    Command(ID_ACTION_STOP);
}

// Analyze lists what Start would remove and removes nothing; stopped, it
// leaves no lock, and the clean that follows removes what it listed.
TEST_F(MainWindow, AnalyzeListsWhatAStartRemovesAndStopsLikeAClean)
{
    const std::string strFolder = m_folder / "junk";
    MakeFiles(strFolder, 2);
    Build();
    AddFolderAction("Junk", strFolder);
    Open();
    Command(ID_ACTION_ANALYZE);
    WaitForCleanEnd();
    std::vector<std::string> messages = LogMessages();
    ASSERT_EQ(messages.size(), 9u);
    std::sort(messages.begin() + 1, messages.begin() + 3);
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "Clean Junk", "File " + strFolder + "\\f0.tmp would be deleted (1 bytes)",
                  "File " + strFolder + "\\f1.tmp would be deleted (1 bytes)",
                  "Clean Junk would delete 2 file(s) (0 Kbytes) and 0 registry entry(ies)",
                  "Statistics of the preview (nothing has been changed):",
                  "Would be deleted: 2 file(s)", "Would be updated: 0 file(s)",
                  "Would be deleted: 0 registry entry(ies)",
                  "Space that would be released: 0 Kbytes"}));
    const std::vector<int> images = {3, 0, 0, 4, 5, 5, 5, 5, 5};
    for (int n = 0; n < m_pDialog->m_listLog.GetItemCount(); ++n)
        EXPECT_EQ(m_pDialog->m_listLog.GetItemImage(n), images[n]) << n;
    EXPECT_EQ(FilesInListedOrder(strFolder).size(), 2u);

    // A long preview, stopped.
    m_pDialog->ClearLog();
    const std::string strMany = m_folder / "many";
    MakeFiles(strMany, 400);
    AddFolderAction("Many", strMany);
    m_pDialog->m_logList.m_nRedrawInterval = 0;
    Command(ID_ACTION_ANALYZE);
    const DWORD dwLimit = GetTickCount() + 60000;
    while (m_pDialog->m_listLog.GetItemCount() < 20 && GetTickCount() < dwLimit)
        ServeMessages(10);
    ASSERT_TRUE(m_pDialog->IsCleaning());
    Command(ID_ACTION_STOP);
    EXPECT_FALSE(m_pDialog->IsCleaning());
    for (const std::string& strMessage : LogMessages())
        EXPECT_EQ(strMessage.find("Statistics"), std::string::npos);
    EXPECT_EQ(FilesInListedOrder(strMany).size(), 400u);
    EXPECT_EQ(FilesInListedOrder(strFolder).size(), 2u);

    Command(ID_ACTION_START);
    WaitForCleanEnd();
    EXPECT_EQ(LogMessages().back(), "Released Space: 0 Kbytes");
    EXPECT_TRUE(FilesInListedOrder(strMany).empty());
    EXPECT_TRUE(FilesInListedOrder(strFolder).empty());
}

// A clean never reads an action that the settings or the wizard are
// changing: each is refused while the other is under way.
TEST_F(MainWindow, SettingsAndACleanNeverOverlap)
{
    StartLongClean();
    ASSERT_TRUE(m_pDialog->IsCleaning());
    {
        CModalAnswers answers;
        answers.Press(IDOK);
        answers.Press(IDOK);
        Command(ID_OPTIONS_SETTINGS);
        Command(ID_ACTION_WIZARD);
        ASSERT_EQ(answers.Seen().size(), 2u);
        for (const std::string& strSeen : answers.Seen()) {
            EXPECT_EQ(strSeen.substr(0, 12), "Veltrin PRO\n");
            EXPECT_NE(strSeen.find("A clean is running."), std::string::npos);
        }
    }
    Command(ID_ACTION_STOP);

    // With the settings open, Start is refused and the tray's Settings
    // opens no second window; at the end of the session the settings
    // close, applying their page, and the clean for the shutdown starts.
    WriteDwordValue(kSettings + "\\General", "bRunAtShutdown", 1);
    CModalAnswers answers;
    size_t nDialogsWithSettings = 0;
    answers.Add([&](HWND hSettings) {
        Command(ID_ACTION_START);
        EXPECT_FALSE(m_pDialog->IsCleaning());
        nDialogsWithSettings = VisibleDialogs().size();
        Command(ID_TRAY_SETTINGS);
        EXPECT_EQ(VisibleDialogs().size(), nDialogsWithSettings);
        EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
        EXPECT_TRUE(m_pDialog->IsCleaning());
        EXPECT_FALSE(IsWindowVisible(hSettings));
    });
    answers.Press(IDOK);
    Command(ID_OPTIONS_SETTINGS);
    EXPECT_EQ(answers.Pending(), 0u);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[0].substr(0, 8), "Settings");
    EXPECT_NE(answers.Seen()[1].find("Close the settings window"), std::string::npos);
    m_pDialog->m_bShutdownAfterFinish = false;
    Command(ID_ACTION_STOP);
}

TEST_F(MainWindow, LogKeepsTheNewest8192Lines)
{
    Build();
    Open();
    for (int n = 0; n < 8193; ++n)
        LogMessage(LI_STATISTICS, "line %d", n);
    const CListView& log = m_pDialog->m_listLog;
    EXPECT_EQ(log.GetItemCount(), 8192);
    const std::vector<std::string> messages = LogMessages();
    EXPECT_EQ(messages.front(), "line 1");
    EXPECT_EQ(messages.back(), "line 8192");

    Command(ID_OPTIONS_CLEARLOG);
    EXPECT_EQ(log.GetItemCount(), 0);
}

// While a clean holds repainting, lines repaint the list at most once per
// interval.
TEST_F(MainWindow, HeldLogRepaintsOncePerInterval)
{
    Build();
    Open();
    CLogList& sink = m_pDialog->m_logList;
    sink.m_nRedrawInterval = 3600;
    HoldLogRedraw();
    for (int n = 0; n < 50; ++n)
        LogMessage(LI_FILE_DELETED, "line %d", n);
    ReleaseLogRedraw();
    EXPECT_EQ(sink.m_nForcedRedraws, 1);
    EXPECT_EQ(m_pDialog->m_listLog.GetItemCount(), 50);
}

// Lines held back between repaints still all reach the list, in order, with
// their pictures, within the line limit, the newest selected;
// clearing the log also drops the lines that are still held back.
TEST_F(MainWindow, HeldLinesAllArriveInOrderAndClearingDropsThemToo)
{
    Build();
    Open();
    CLogList& sink = m_pDialog->m_logList;
    const CListView& log = m_pDialog->m_listLog;
    sink.m_nRedrawInterval = 3600;
    sink.m_tLastRedraw = std::time(nullptr);
    HoldLogRedraw();
    for (int n = 0; n < 9000; ++n)
        LogMessage(n % 6, "line %d", n);
    ReleaseLogRedraw();
    EXPECT_EQ(sink.m_nForcedRedraws, 0);
    ASSERT_EQ(log.GetItemCount(), 8192);
    const std::vector<std::string> messages = LogMessages();
    for (int n = 0; n < 8192; n += 97) {
        EXPECT_EQ(messages[n], "line " + std::to_string(n + 808));
        EXPECT_EQ(log.GetItemImage(n), (n + 808) % 6);
    }
    EXPECT_EQ(messages.back(), "line 8999");
    EXPECT_EQ(ListView_GetSelectedCount(log), 1u);
    EXPECT_EQ(ListView_GetNextItem(log, -1, LVNI_SELECTED), 8191);

    HoldLogRedraw();
    for (int n = 0; n < 10; ++n)
        LogMessage(LI_FILE_DELETED, "before %d", n);
    Command(ID_OPTIONS_CLEARLOG);
    LogMessage(LI_FILE_DELETED, "after 0");
    LogMessage(LI_FILE_NOT_FOUND, "after 1");
    ReleaseLogRedraw();
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{"after 0", "after 1"}));

    // A repaint that is due shows every line so far.
    sink.m_nRedrawInterval = 0;
    HoldLogRedraw();
    for (int n = 0; n < 5; ++n) {
        LogMessage(LI_FILE_DELETED, "due %d", n);
        EXPECT_EQ(log.GetItemCount(), 3 + n);
        EXPECT_EQ(LogMessages().back(), "due " + std::to_string(n));
    }
    ReleaseLogRedraw();
}

// The newest line is in view whenever the list repaints: at the end of a
// hold, and at each repaint that falls due during one, although the list
// scrolls nowhere while it does not repaint.
TEST_F(MainWindow, RepaintsShowTheNewestLine)
{
    Build();
    Open();
    m_pDialog->Show(SW_SHOW);
    CLogList& sink = m_pDialog->m_logList;
    sink.m_nRedrawInterval = 3600;
    sink.m_tLastRedraw = std::time(nullptr);
    HoldLogRedraw();
    for (int n = 0; n < 200; ++n)
        LogMessage(LI_FILE_DELETED, "held %d", n);
    ReleaseLogRedraw();
    ASSERT_EQ(m_pDialog->m_listLog.GetItemCount(), 200);
    EXPECT_TRUE(NewestLineInView());

    sink.m_nRedrawInterval = 0;
    HoldLogRedraw();
    for (int n = 0; n < 50; ++n) {
        LogMessage(LI_FILE_DELETED, "due %d", n);
        EXPECT_TRUE(NewestLineInView()) << n;
    }
    ReleaseLogRedraw();
    EXPECT_TRUE(NewestLineInView());
}

TEST_F(MainWindow, ControlsFollowTheWindowsSize)
{
    Build();
    Open();
    CDlgVeltrin& dialog = *m_pDialog;
    const CWindow banner(dialog.GetItem(IDC_BANNER));
    const RECT features = dialog.m_listFeatures.GetRectInParent();
    const RECT log = dialog.m_listLog.GetRectInParent();
    const RECT picture = banner.GetRectInParent();
    const RECT toolbar = dialog.m_wndToolBar.GetRectInParent();
    const int nLogColumn = dialog.m_listLog.GetColumnWidth(0);
    const int nFeaturesColumn = dialog.m_listFeatures.GetColumnWidth(0);
    const RECT window = dialog.GetWindowRect();

    dialog.SetPos(nullptr, 0, 0, window.right - window.left + 120, window.bottom - window.top + 70,
                  SWP_NOMOVE | SWP_NOZORDER);
    auto width = [](const RECT& rect) { return rect.right - rect.left; };
    auto height = [](const RECT& rect) { return rect.bottom - rect.top; };
    EXPECT_EQ(width(dialog.m_listFeatures.GetRectInParent()), width(features) + 120);
    EXPECT_EQ(height(dialog.m_listFeatures.GetRectInParent()), height(features));
    EXPECT_EQ(banner.GetRectInParent().left, picture.left + 120);
    EXPECT_EQ(width(dialog.m_listLog.GetRectInParent()), width(log) + 120);
    EXPECT_EQ(height(dialog.m_listLog.GetRectInParent()), height(log) + 70);
    EXPECT_EQ(width(dialog.m_wndToolBar.GetRectInParent()), width(toolbar) + 120);
    EXPECT_EQ(dialog.m_listLog.GetColumnWidth(0), nLogColumn + 120);
    EXPECT_EQ(dialog.m_listFeatures.GetColumnWidth(0), nFeaturesColumn + 120);

    // Smaller than the tracking limit is refused.
    MINMAXINFO info = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 485);
    EXPECT_EQ(info.ptMinTrackSize.y, 300);
}

// Start clears the log with flags 3, Escape with 9; missing means 1.
TEST_F(MainWindow, ClearLogFlagsDecideWhenTheLogIsCleared)
{
    Build();
    Open();
    const struct {
        int nFlags;  // -1: missing
        bool bClearedAtStart;
        bool bClearedAtEscape;
    } cases[] = {{-1, false, false}, {2, false, false}, {3, true, false},
                 {8, false, false},  {9, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nFlags);
        DeleteKeyTree(kSettings);
        if (c.nFlags >= 0)
            WriteDwordValue(kSettings, "dwClearLogFlags", c.nFlags);
        LogMessage(LI_STATISTICS, "before");
        Command(ID_ACTION_START);
        WaitForCleanEnd();
        EXPECT_EQ(LogMessages().front() == "before", !c.bClearedAtStart);

        m_pDialog->Show(SW_SHOW);
        LogMessage(LI_STATISTICS, "before escape");
        Command(IDCANCEL);
        EXPECT_FALSE(m_pDialog->IsVisible());
        EXPECT_TRUE(m_pDialog->IsWindow());
        EXPECT_EQ(m_pDialog->m_listLog.GetItemCount() == 0, c.bClearedAtEscape);
        Command(ID_TRAY_OPEN);
        EXPECT_TRUE(m_pDialog->IsVisible());
        m_pDialog->ClearLog();
    }
}

TEST_F(MainWindow, EndOfWorkIsGrantedUnlessACleanRunsFirst)
{
    Build();
    Open();
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), TRUE);
    EXPECT_FALSE(m_pDialog->IsCleaning());

    // Refused while the clean for the shutdown runs; a Stop ends it and
    // takes the restart back.
    WriteDwordValue(kSettings + "\\General", "bRunAtShutdown", 1);
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
    EXPECT_TRUE(m_pDialog->IsCleaning());
    EXPECT_TRUE(m_pDialog->m_bShutdownAfterFinish);
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
    Command(ID_ACTION_STOP);
    EXPECT_FALSE(m_pDialog->IsCleaning());
    EXPECT_FALSE(m_pDialog->m_bShutdownAfterFinish);

    // An analysis under way gives way to the clean for the shutdown.
    const std::string strMany = m_folder / "many";
    MakeFiles(strMany, 3000);
    AddFolderAction("Many", strMany);
    m_pDialog->m_logList.m_nRedrawInterval = 0;
    Command(ID_ACTION_ANALYZE);
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
    EXPECT_TRUE(m_pDialog->IsCleaning());
    EXPECT_TRUE(m_pDialog->m_bShutdownAfterFinish);
    const DWORD dwLimit = GetTickCount() + 60000;
    while (FilesInListedOrder(strMany).size() == 3000 && GetTickCount() < dwLimit)
        ServeMessages(10);
    Command(ID_ACTION_STOP);
    EXPECT_LT(FilesInListedOrder(strMany).size(), 3000u);

    // Once a clean for the shutdown has run, the next query is granted.
    m_pDialog->m_bAlreadyStartedAtShutdown = true;
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), TRUE);
}

TEST_F(MainWindow, CloseHidesUnlessTheTrayIsSwitchedOff)
{
    Build();
    Open();
    m_pDialog->Show(SW_SHOW);
    // The dialog turns the close into a Cancel that it posts to itself.
    m_pDialog->SendMessage(WM_CLOSE);
    ServeMessages(100);
    EXPECT_TRUE(m_pDialog->IsWindow());
    EXPECT_FALSE(m_pDialog->IsVisible());

    WriteDwordValue(kSettings, "bMoveToTrayOnClose", 0);
    m_pDialog->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_pDialog->IsWindow());
}

TEST_F(MainWindow, TrayDoubleClickShowsTheHiddenWindowAndExitEndsIt)
{
    Build();
    Open();
    m_pDialog->Show(SW_SHOW);
    Command(IDCANCEL);
    ASSERT_FALSE(m_pDialog->IsVisible());
    const CWindow tray(m_pDialog->m_trayIcon.GetHwnd());
    // A callback of another icon is not ours.
    EXPECT_EQ(tray.SendMessage(kTrayCallbackMessage, 99, WM_LBUTTONDBLCLK), 0);
    EXPECT_FALSE(m_pDialog->IsVisible());
    EXPECT_EQ(tray.SendMessage(kTrayCallbackMessage, IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(m_pDialog->IsVisible());

    Command(IDCANCEL);
    Command(ID_TRAY_EXIT);
    EXPECT_FALSE(m_pDialog->IsWindow());
}
