// The main window in the test's own process over a manager of the test's
// own, driven by the messages that clicks, the system and other programs send.
#include "cleaner/shell/DlgVeltrin.h"

#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/JunkTree.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <commctrl.h>

#include <random>
#include <set>

namespace {

const std::string kSettings = kSettingsKey;

class MainWindow : public CleaningRun {
protected:
    void TearDown() override
    {
        m_pDialog.reset();
        CleaningRun::TearDown();
    }
    void Open()
    {
        if (!m_manager)
            Build();
        m_pDialog.reset(new CDlgVeltrin(*m_manager));
        ASSERT_TRUE(m_pDialog->Create(nullptr));
        m_pDialog->Show(SW_SHOW);
    }
    void Command(UINT nId) { m_pDialog->SendMessage(WM_COMMAND, nId); }
    LRESULT QueryEndSession() { return m_pDialog->SendMessage(WM_QUERYENDSESSION); }
    // Serves the window's messages, the clean's lines among them, until the
    // clean has ended (a broken one for at most a minute).
    void WaitForCleanEnd()
    {
        for (int n = 0; n < 1200 && m_pDialog->IsCleaning(); ++n)
            ServeMessages(50);
        EXPECT_FALSE(m_pDialog->IsCleaning());
    }
    // The clean's thread, by a handle that outlives the window's own.
    HANDLE CleanThread() const
    {
        HANDLE hThread = nullptr;
        DuplicateHandle(GetCurrentProcess(), m_pDialog->m_hCleanThread, GetCurrentProcess(),
                        &hThread, SYNCHRONIZE, FALSE, 0);
        return hThread;
    }
    // The log's lines without their time prefix.
    std::vector<std::string> LogMessages() const
    {
        std::vector<std::string> messages;
        for (int n = 0; n < m_pDialog->m_listLog.GetItemCount(); ++n) {
            const std::string strLine = m_pDialog->m_listLog.GetItemText(n);
            messages.push_back(strLine.substr(strLine.find(">> ") + 3));
        }
        return messages;
    }
    bool NewestLineInView() const
    {
        const HWND hLog = m_pDialog->m_listLog;
        return ListView_GetTopIndex(hLog) + ListView_GetCountPerPage(hLog) >=
               ListView_GetItemCount(hLog);
    }
    // An action that deletes the folder's files, or its tree; with nFiles,
    // the folder is made with as many files.
    std::string AddFolderAction(const std::string& strId, std::string strFolder, int nFiles = 0,
                                bool bTree = false)
    {
        if (nFiles > 0)
            strFolder = MakeFolder(strFolder);
        for (int n = 0; n < nFiles; ++n)
            EXPECT_TRUE(WriteFileBytes(strFolder + "\\f" + std::to_string(n) + ".tmp", "x"));
        CAction& action = m_manager->GetAction(strId.c_str());
        action.strTitle = "Clean " + strId;
        action.bEnabled = true;
        action.lstFiles = {FolderContent(strFolder)};
        action.lstFiles.front().dwType = bTree ? TT_RECURSIVE : TT_CONTENT;
        return strFolder;
    }

    std::unique_ptr<CDlgVeltrin> m_pDialog;
};

}  // namespace

// The Features list shows the enabled actions and follows the settings.
// Analyze walks the actions as Start does and removes nothing; Start cleans
// on a thread of its own, one clean at a time.
TEST_F(MainWindow, AnalyzeRemovesNothingAndStartCleansOnceAtATime)
{
    Build();
    const std::string strFolder = AddFolderAction("Junk", "junk", 2);
    Open();
    const CListView& features = m_pDialog->m_listFeatures;
    ASSERT_EQ(features.GetItemCount(), 1);
    EXPECT_EQ(features.GetItemText(0), "Clean Junk");
    Command(ID_ACTION_ANALYZE);
    WaitForCleanEnd();
    EXPECT_EQ(LogMessages().back(), "Space that would be released: 0 Kbytes");
    EXPECT_EQ(FilesInListedOrder(strFolder).size(), 2u);
    // While the clean waits for this thread to show a line, neither a second
    // clean nor the settings start.
    Command(ID_ACTION_START);
    const HANDLE hFirst = m_pDialog->m_hCleanThread;
    Command(ID_ACTION_START);
    EXPECT_EQ(m_pDialog->m_hCleanThread, hFirst);
    CModalAnswers answers;
    answers.Press(IDOK);
    Command(ID_OPTIONS_SETTINGS);
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"Veltrin PRO\nA clean is running. The "
                                  "settings can be changed when it has finished or been stopped."});
    WaitForCleanEnd();
    EXPECT_EQ(LogMessages().back(), "Released Space: 0 Kbytes");
    EXPECT_TRUE(FilesInListedOrder(strFolder).empty());
    answers.Add([&](HWND hSettings) {
        m_manager->GetAction("Junk").bEnabled = false;
        ClickButton(hSettings, IDCANCEL);
    });
    Command(ID_OPTIONS_SETTINGS);
    EXPECT_EQ(features.GetItemCount(), 0);
}

// Lines that a clean holds back reach the list at the next repaint, due
// once per interval, which shows the newest line. The list keeps the newest
// 8192 lines, the newest selected; clearing drops the held lines too.
TEST_F(MainWindow, LogShowsHeldLinesAtEachRepaintAndKeepsTheNewest8192)
{
    Open();
    CLogList& sink = m_pDialog->m_logList;
    const CListView& log = m_pDialog->m_listLog;
    sink.m_nRedrawInterval = 3600;
    sink.m_tLastRedraw = std::time(nullptr);
    HoldLogRedraw();
    LogMessage(LI_FILE_DELETED, "held");
    Command(ID_OPTIONS_CLEARLOG);
    for (int n = 0; n < 50; ++n)
        LogMessage(LI_FILE_DELETED, "line %d", n);
    EXPECT_EQ(log.GetItemCount(), 0);
    sink.m_nRedrawInterval = 0;
    LogMessage(LI_FILE_DELETED, "due");
    EXPECT_EQ(log.GetItemCount(), 51);
    EXPECT_EQ(LogMessages().front(), "line 0");
    EXPECT_TRUE(NewestLineInView());
    ReleaseLogRedraw();
    sink.m_nRedrawInterval = 3600;
    sink.m_tLastRedraw = 0;  // the first line is due, no other
    sink.m_nForcedRedraws = 0;
    HoldLogRedraw();
    for (int n = 0; n < 8193; ++n)
        LogMessage(n % 7, "line %d", n);
    EXPECT_EQ(sink.m_nForcedRedraws, 1);
    ReleaseLogRedraw();
    ASSERT_EQ(log.GetItemCount(), 8192);
    EXPECT_EQ(LogMessages().front() + LogMessages().back(), "line 1line 8192");
    EXPECT_EQ(log.GetItemImage(8191), 8192 % 7);
    EXPECT_EQ(ListView_GetSelectedCount(log), 1u);
    EXPECT_EQ(ListView_GetNextItem(log, -1, LVNI_SELECTED), 8191);
    EXPECT_TRUE(NewestLineInView());
}

// Closing hides the window in the tray, unless the tray is switched off.
// dwClearLogFlags: 1 switches clearing on, 2 clears at Start, 8 at Escape.
TEST_F(MainWindow, CloseHidesInTheTrayAndTheFlagsClearTheLog)
{
    Open();
    m_pDialog->SendMessage(WM_CLOSE);
    ServeMessages(10);  // the dialog posts itself a Cancel
    EXPECT_FALSE(m_pDialog->IsVisible());
    const CWindow tray(m_pDialog->m_trayIcon.GetHwnd());
    EXPECT_EQ(tray.SendMessage(kTrayCallbackMessage, IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(m_pDialog->IsVisible());
    const struct {
        int nFlags;  // -1: missing
        bool bClearedAtStart, bClearedAtEscape;
    } cases[] = {{-1, false, false}, {2, false, false}, {3, true, false}, {9, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nFlags);
        DeleteKeyTree(kSettings);
        if (c.nFlags >= 0)
            WriteDwordValue(kSettings, "dwClearLogFlags", c.nFlags);
        LogMessage(LI_STATISTICS, "before");
        Command(ID_ACTION_START);
        WaitForCleanEnd();
        EXPECT_EQ(LogMessages().front() == "before", !c.bClearedAtStart);
        Command(IDCANCEL);
        EXPECT_EQ(m_pDialog->m_listLog.GetItemCount() == 0, c.bClearedAtEscape);
        Command(ID_TRAY_OPEN);
        EXPECT_TRUE(m_pDialog->IsVisible());
        m_pDialog->ClearLog();
    }
    WriteDwordValue(kSettings, "bMoveToTrayOnClose", 0);
    m_pDialog->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_pDialog->IsWindow());
}

// The end of the session waits for the clean that bRunAtShutdown asks for,
// closing the settings first; with them open no clean starts and the tray
// opens no second window.
TEST_F(MainWindow, EndOfWorkWaitsForACleanThatNeverMeetsTheSettings)
{
    Open();
    EXPECT_EQ(QueryEndSession(), TRUE);
    EXPECT_FALSE(m_pDialog->IsCleaning());
    WriteDwordValue(kSettings + "\\General", "bRunAtShutdown", 1);
    CModalAnswers answers;
    answers.Add([&](HWND hSettings) {
        Command(ID_ACTION_START);
        EXPECT_FALSE(m_pDialog->IsCleaning());
        const size_t nDialogs = VisibleDialogs().size();
        Command(ID_TRAY_SETTINGS);
        EXPECT_EQ(VisibleDialogs().size(), nDialogs);
        EXPECT_EQ(QueryEndSession(), FALSE);
        EXPECT_FALSE(IsWindowVisible(hSettings));
    });
    answers.Press(IDOK);
    Command(ID_OPTIONS_SETTINGS);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[0].substr(0, 8), "Settings");
    EXPECT_EQ(answers.Seen()[1], "Veltrin PRO\nClose the settings window before you start a clean.");
    // Refused again while the clean runs (its thread first gives the other
    // programs a moment), which a Stop ends, taking the restart back.
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_TRUE(m_pDialog->IsCleaning() && m_pDialog->m_bShutdownAfterFinish);
    Command(ID_ACTION_STOP);
    EXPECT_FALSE(m_pDialog->IsCleaning() || m_pDialog->m_bShutdownAfterFinish);
    // An analysis waiting for this thread to show its first line gives way.
    m_pDialog->m_logList.m_nRedrawInterval = 0;
    Command(ID_ACTION_ANALYZE);
    const HANDLE hAnalysis = CleanThread();
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(WaitForSingleObject(hAnalysis, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(m_pDialog->IsCleaning());
    Command(ID_ACTION_STOP);
    CloseHandle(hAnalysis);
    // Once a clean for the shutdown has run, the next query is granted.
    m_pDialog->m_bAlreadyStartedAtShutdown = true;
    EXPECT_EQ(QueryEndSession(), TRUE);
}

// Stops a clean of a tree at moments drawn over its length. Each time the
// clean's thread has ended when Stop returns, the log holds and shows every
// line, every file it reports as deleted is gone and every file gone was
// reported, the statistics count the same, and the next clean starts; a
// clean left to its end removes the whole tree.
TEST_F(MainWindow, StopAtAnyMomentLeavesNoLockAndReportsExactlyWhatIsGone)
{
    CJunkTree tree(m_folder.Path(), 4, 3, 160);
    Build();
    // An action for each branch and one for the top's own files: a stop may
    // fall between two actions as well as inside one.
    for (const std::string& strBranch : tree.Branches())
        AddFolderAction("Junk" + strBranch.substr(strBranch.size() - 1), strBranch, 0, true);
    AddFolderAction("JunkTop", tree.Top());
    Open();
    // Checks the log against what is gone; true when the clean ran to its end.
    auto CheckReport = [&] {
        const std::set<std::string> gone = tree.Missing();
        const std::vector<std::string> messages = LogMessages();
        std::set<std::string> deleted;
        for (size_t n = 0; n < messages.size(); ++n) {
            const int nImage = m_pDialog->m_listLog.GetItemImage(static_cast<int>(n));
            EXPECT_TRUE(nImage != LI_FILE_NOT_FOUND && nImage != LI_FILE_AT_REBOOT) << messages[n];
            if (nImage == LI_FILE_DELETED && messages[n].compare(0, 5, "File ") == 0) {
                EXPECT_TRUE(deleted.insert(messages[n].substr(5, messages[n].size() - 17)).second)
                    << "reported twice: " << messages[n];
            }
        }
        EXPECT_EQ(deleted, gone) << "the files reported deleted are not the files gone";
        EXPECT_EQ(m_manager->m_stats.nDeletedFiles, gone.size());
        EXPECT_TRUE(NewestLineInView());
        const bool bSummary = std::count(messages.begin(), messages.end(), "Statistics:") > 0;
        const std::string strCount = "Deleted: " + std::to_string(gone.size()) + " file(s)";
        EXPECT_EQ(std::count(messages.begin(), messages.end(), strCount), bSummary ? 1 : 0);
        return bSummary;
    };
    // A whole clean, which tells how long one lasts here, first and last.
    auto CleanWhole = [&] {
        const DWORD dwStart = GetTickCount();
        EXPECT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        Command(ID_ACTION_START);
        WaitForCleanEnd();
        EXPECT_TRUE(CheckReport());
        EXPECT_EQ(tree.Missing().size(), tree.Files().size());
        return GetTickCount() - dwStart;
    };
    const DWORD dwWhole = CleanWhole();
    std::mt19937 random(20240611);
    int nStoppedPartway = 0;
    for (int nRound = 0; nRound < 12 && !HasFailure(); ++nRound) {
        const DWORD dwMoment = random() % (dwWhole + 1);
        SCOPED_TRACE("round " + std::to_string(nRound) + ", Stop after " +
                     std::to_string(dwMoment) + " ms");
        EXPECT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        Command(ID_ACTION_START);
        const HANDLE hThread = CleanThread();
        ASSERT_NE(hThread, nullptr) << "no clean started after the last one";
        ServeMessages(dwMoment);
        const bool bEndedBeforeStop = !m_pDialog->IsCleaning();
        Command(ID_ACTION_STOP);
        EXPECT_FALSE(m_pDialog->IsCleaning());
        EXPECT_EQ(WaitForSingleObject(hThread, 0), WAIT_OBJECT_0) << "the thread outlived Stop";
        CloseHandle(hThread);
        const bool bSummary = CheckReport();
        const size_t nGone = tree.Missing().size();
        EXPECT_TRUE(!bEndedBeforeStop || (bSummary && nGone == tree.Files().size()));
        nStoppedPartway += !bSummary && nGone > 0 && nGone < tree.Files().size();
        LogMessage(LI_STATISTICS, "after the clean");  // shown at once: no lock is left held
        EXPECT_EQ(LogMessages().back(), "after the clean");
    }
    EXPECT_GT(nStoppedPartway, 0) << "the moments fell inside no clean";
    CleanWhole();
    EXPECT_TRUE(SaveWindowPicture(*m_pDialog, ArtifactPath("main-window-after-stops.png")));
}
