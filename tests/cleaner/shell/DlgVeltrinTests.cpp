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

typedef std::vector<std::string> Strings;

class MainWindow : public CleaningRun {
protected:
    void SetUp() override
    {
        CleaningRun::SetUp();
        Build();
        m_pDialog.reset(new CDlgVeltrin(*m_manager));
        ASSERT_TRUE(m_pDialog->Create(nullptr));
        m_pDialog->Show(SW_SHOW);
    }
    void TearDown() override
    {
        m_pDialog.reset();
        CleaningRun::TearDown();
    }
    void Command(UINT nId) { m_pDialog->SendMessage(WM_COMMAND, nId); }
    // Serves the clean's lines until it has ended (a broken one for a minute).
    void WaitForCleanEnd()
    {
        for (int n = 0; n < 1200 && m_pDialog->IsCleaning(); ++n)
            ServeMessages(50);
        EXPECT_FALSE(m_pDialog->IsCleaning());
    }
    // The log's lines without their time prefix.
    Strings LogMessages() const
    {
        Strings messages;
        for (int n = 0; n < m_pDialog->m_listLog.GetItemCount(); ++n) {
            const std::string strLine = m_pDialog->m_listLog.GetItemText(n);
            messages.push_back(strLine.substr(strLine.find(">> ") + 3));
        }
        return messages;
    }
    // Turns the action on, to remove the folder's files or its whole tree.
    void AddFolderAction(const std::string& strId, const std::string& strFolder, bool bTree)
    {
        CAction& action = m_manager->GetAction(strId.c_str());
        action.bEnabled = true;
        action.lstFiles = {FolderContent(strFolder)};
        action.lstFiles.front().dwType = bTree ? TT_RECURSIVE : TT_CONTENT;
    }

    std::unique_ptr<CDlgVeltrin> m_pDialog;
};

}  // namespace

// Analyze removes nothing; Start cleans on a thread, one clean at a time, which the settings
// wait for. dwClearLogFlags: 1 switches clearing on, 2 clears at Start, 8 at Escape; missing, 1.
TEST_F(MainWindow, StartCleansOnceAtATimeAndClearsTheLogAsSet)
{
    AddFolderAction("Junk", MakeFolder("junk"), false);
    const std::string strFile = MakeFile("junk\\a.tmp", 1);
    Command(ID_ACTION_ANALYZE);
    WaitForCleanEnd();
    EXPECT_TRUE(FileExists(strFile));
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDOK); });
    for (const int nFlags : {-1, 2, 3, 9}) {
        SCOPED_TRACE(nFlags);
        if (nFlags >= 0)
            WriteDwordValue(kSettingsKey, "dwClearLogFlags", nFlags);
        m_pDialog->ClearLog();
        LogMessage(LI_STATISTICS, "before");
        Command(ID_ACTION_START);  // whose first line waits for this thread
        const HANDLE hClean = m_pDialog->m_hCleanThread;
        Command(ID_ACTION_START);
        EXPECT_EQ(m_pDialog->m_hCleanThread, hClean);
        Command(ID_OPTIONS_SETTINGS);
        WaitForCleanEnd();
        EXPECT_EQ(LogMessages().front() == "before", nFlags != 3);
        Command(IDCANCEL);
        EXPECT_EQ(m_pDialog->m_listLog.GetItemCount() == 0, nFlags == 9);
    }
    EXPECT_EQ(answers.Seen(), Strings(4, "Veltrin PRO\nA clean is running. The settings can be "
                                         "changed when it has finished or been stopped."));
}

// While a clean holds repainting, its lines wait for the next repaint, due once per interval,
// which shows the newest line; clearing drops them too. The list keeps the newest 8192 lines.
TEST_F(MainWindow, LogShowsHeldLinesAtEachRepaintAndKeepsTheNewest8192)
{
    CLogList& sink = m_pDialog->m_logList;
    const CListView& log = m_pDialog->m_listLog;
    sink.m_nRedrawInterval = 3600;  // the first line is due, as none was shown yet; no other
    HoldLogRedraw();
    for (int n = 0; n < 8193; ++n)
        LogMessage(n % 7, "line %d", n);
    EXPECT_EQ(LogMessages(), Strings{"line 0"});
    sink.m_nRedrawInterval = 0;
    LogMessage(LI_FILE_FAILED, "line 8193");
    EXPECT_EQ(LogMessages().front() + LogMessages().back(), "line 2line 8193");
    EXPECT_EQ(log.GetItemImage(8190), 8192 % 7);
    EXPECT_GE(ListView_GetTopIndex(log) + ListView_GetCountPerPage(log), log.GetItemCount());
    sink.m_nRedrawInterval = 3600;
    LogMessage(LI_FILE_DELETED, "held");
    Command(ID_OPTIONS_CLEARLOG);
    ReleaseLogRedraw();
    EXPECT_EQ(log.GetItemCount(), 0);
}

// Closing hides the window in the tray, unless the tray is switched off. The end
// of the session waits for the clean that bRunAtShutdown asks for, closing the
// settings first, with which no clean starts nor a second settings window.
TEST_F(MainWindow, CloseHidesInTheTrayAndTheEndOfWorkWaitsForAClean)
{
    m_pDialog->SendMessage(WM_CLOSE);
    ServeMessages(10);  // the dialog posts itself a Cancel
    EXPECT_FALSE(m_pDialog->IsVisible());
    const CWindow tray(m_pDialog->m_trayIcon.GetHwnd());
    EXPECT_EQ(tray.SendMessage(kTrayCallbackMessage, IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(m_pDialog->IsVisible());
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), TRUE);
    WriteDwordValue(std::string(kSettingsKey) + "\\General", "bRunAtShutdown", 1);
    CModalAnswers answers;
    answers.Add([&](HWND hSettings) {
        m_manager->GetAction("Junk").bEnabled = true;
        Command(ID_ACTION_START);
        Command(ID_TRAY_SETTINGS);
        EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
        EXPECT_FALSE(IsWindowVisible(hSettings));
    });
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDOK); });
    Command(ID_OPTIONS_SETTINGS);
    EXPECT_EQ(m_pDialog->m_listFeatures.GetItemCount(), 1);  // as the settings left it
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[1],
              "Veltrin PRO\nClose the settings window before you start a clean.");
    // Refused again while the clean runs (its thread first gives the other
    // programs a moment), which a Stop ends, taking the restart back.
    EXPECT_EQ(m_pDialog->SendMessage(WM_QUERYENDSESSION), FALSE);
    EXPECT_TRUE(m_pDialog->IsCleaning() && m_pDialog->m_bShutdownAfterFinish);
    Command(ID_ACTION_STOP);
    EXPECT_FALSE(m_pDialog->IsCleaning() || m_pDialog->m_bShutdownAfterFinish);
    WriteDwordValue(kSettingsKey, "bMoveToTrayOnClose", 0);
    m_pDialog->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_pDialog->IsWindow());
}

// Stops a clean of a tree at moments drawn over the length of the first, whole clean. Each time
// its thread has ended when Stop returns, the log holds and shows every line, the files reported
// deleted are the files gone, the statistics count the same, and the next clean starts.
TEST_F(MainWindow, StopAtAnyMomentLeavesNoLockAndReportsExactlyWhatIsGone)
{
    CJunkTree tree(m_folder.Path(), 4, 3, 160);
    const CListView& log = m_pDialog->m_listLog;
    // An action for each branch and one for the top's own files: a stop may
    // fall between two actions as well as inside one.
    for (const std::string& strBranch : tree.Branches())
        AddFolderAction("Junk" + strBranch.substr(strBranch.size() - 1), strBranch, true);
    AddFolderAction("JunkTop", tree.Top(), false);
    std::mt19937 random(20240611);
    DWORD dwWhole = 0;
    int nStoppedPartway = 0;
    for (int nRound = 0; nRound < 14 && !HasFailure(); ++nRound) {
        const bool bWhole = nRound == 0 || nRound == 13;  // these wait for the end
        const DWORD dwMoment = bWhole ? 60000 : random() % (dwWhole + 1);
        SCOPED_TRACE("round " + std::to_string(nRound) + ", Stop at " + std::to_string(dwMoment));
        EXPECT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        m_manager->m_stats = CleanStats();  // as they stay when Stop comes before the clean
        const DWORD dwStart = GetTickCount();
        Command(ID_ACTION_START);
        HANDLE hThread = nullptr;  // by a handle that outlives the window's own
        DuplicateHandle(GetCurrentProcess(), m_pDialog->m_hCleanThread, GetCurrentProcess(),
                        &hThread, SYNCHRONIZE, FALSE, 0);
        ASSERT_NE(hThread, nullptr) << "no clean started after the last one";
        while (m_pDialog->IsCleaning() && GetTickCount() - dwStart < dwMoment)
            ServeMessages(10);
        dwWhole = nRound == 0 ? GetTickCount() - dwStart : dwWhole;
        const bool bEndedBeforeStop = !m_pDialog->IsCleaning();
        EXPECT_TRUE(bEndedBeforeStop || !bWhole);
        Command(ID_ACTION_STOP);
        EXPECT_FALSE(m_pDialog->IsCleaning());
        EXPECT_EQ(WaitForSingleObject(hThread, 0), WAIT_OBJECT_0) << "the thread outlived Stop";
        CloseHandle(hThread);
        const std::set<std::string> gone = tree.Missing();
        const Strings messages = LogMessages();
        std::set<std::string> deleted;
        for (size_t n = 0; n < messages.size(); ++n) {
            const int nImage = log.GetItemImage(static_cast<int>(n));
            EXPECT_TRUE(nImage != LI_FILE_NOT_FOUND && nImage != LI_FILE_AT_REBOOT) << messages[n];
            if (nImage == LI_FILE_DELETED && messages[n].compare(0, 5, "File ") == 0) {
                EXPECT_TRUE(deleted.insert(messages[n].substr(5, messages[n].size() - 17)).second)
                    << "reported twice: " << messages[n];
            }
        }
        EXPECT_EQ(deleted, gone) << "the files reported deleted are not the files gone";
        EXPECT_EQ(m_manager->m_stats.nDeletedFiles, gone.size());
        EXPECT_GE(ListView_GetTopIndex(log) + ListView_GetCountPerPage(log), log.GetItemCount());
        const bool bSummary = std::count(messages.begin(), messages.end(), "Statistics:") > 0;
        const std::string strCount = "Deleted: " + std::to_string(gone.size()) + " file(s)";
        EXPECT_EQ(std::count(messages.begin(), messages.end(), strCount), bSummary ? 1 : 0);
        EXPECT_TRUE(!bEndedBeforeStop || (bSummary && gone.size() == tree.Files().size()));
        nStoppedPartway += !bSummary && !gone.empty() && gone.size() < tree.Files().size();
        LogMessage(LI_STATISTICS, "after the clean");  // shown at once: no lock is left held
        EXPECT_EQ(LogMessages().back(), "after the clean");
    }
    EXPECT_GT(nStoppedPartway, 0) << "the moments fell inside no clean";
    EXPECT_TRUE(SaveWindowPicture(*m_pDialog, ArtifactPath("main-window.png")));
}
