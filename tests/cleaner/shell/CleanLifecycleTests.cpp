// The clean's thread against the main window's other work: Stop at any
// moment of a long clean, and the settings, the wizard and a plugin import
// asked for while cleans start and stop. The moments come from a generator
// with a fixed seed; a failure names the seed, the round and the moment.
#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/DlgWizard.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/JunkTree.h"
#include "tests/support/MainWindowTest.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const unsigned kSeed = 20240611;
const char kDeletedPrefix[] = "File ";
const char kDeletedSuffix[] = " was deleted";

// Ends the test program with a message when what it guards has not returned
// within the limit: Stop waits for the clean's thread, so a thread that
// never ends would stall the whole run without a word.
class CHangGuard {
public:
    CHangGuard(const std::string& strWhat, DWORD dwLimit)
        : m_strWhat(strWhat), m_dwLimit(dwLimit)
    {
        m_hReturned = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_hWatcher = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~CHangGuard()
    {
        SetEvent(m_hReturned);
        WaitForSingleObject(m_hWatcher, INFINITE);
        CloseHandle(m_hWatcher);
        CloseHandle(m_hReturned);
    }
    CHangGuard(const CHangGuard&) = delete;
    CHangGuard& operator=(const CHangGuard&) = delete;

private:
    static DWORD WINAPI Watch(LPVOID pParameter)
    {
        const CHangGuard& guard = *static_cast<CHangGuard*>(pParameter);
        if (WaitForSingleObject(guard.m_hReturned, guard.m_dwLimit) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "HANG: %s did not return within %lu ms\n",
                         guard.m_strWhat.c_str(), static_cast<unsigned long>(guard.m_dwLimit));
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }

    std::string m_strWhat;
    DWORD m_dwLimit;
    HANDLE m_hReturned;
    HANDLE m_hWatcher;
};

bool StartsWith(const std::string& strText, const std::string& strStart)
{
    return strText.compare(0, strStart.size(), strStart) == 0;
}

// The first few paths of a set, for a failure message.
std::string FirstOf(const std::set<std::string>& paths)
{
    std::string strText;
    int nShown = 0;
    for (const std::string& strPath : paths) {
        if (nShown++ == 5)
            return strText + "\n  ...";
        strText += "\n  " + strPath;
    }
    return strText;
}

class CleanLifecycle : public CMainWindowTest {
protected:
    // A handle of the running clean's thread of the test's own, which stays
    // valid after the window closes its handle.
    HANDLE CleanThread() const
    {
        HANDLE hThread = nullptr;
        if (m_pDialog->m_hCleanThread)
            DuplicateHandle(GetCurrentProcess(), m_pDialog->m_hCleanThread, GetCurrentProcess(),
                            &hThread, SYNCHRONIZE, FALSE, 0);
        return hThread;
    }
    // Whether the log list paints as lines arrive: a new line shows at once,
    // which it would not while a clean's hold on repainting were left behind,
    // and a log lock left held would stop it outright (the guard reports that).
    bool LogShowsNewLines()
    {
        CHangGuard guard("a line logged after the clean", 60000);
        LogMessage(LI_STATISTICS, "after the clean");
        const std::vector<std::string> messages = LogMessages();
        return !messages.empty() && messages.back() == "after the clean";
    }
};

// What the log of one clean says it deleted, against what is gone from the
// tree. The lines are read from the window's list.
struct CleanReport {
    std::set<std::string> deleted;
    size_t nDeletedLines = 0;
    size_t nOtherFileLines = 0;  // not found, or left for the restart
    bool bSummary = false;
    std::string strSummaryDeleted;
};

}  // namespace

// Stops a clean of a large tree at 100 moments drawn over its length: each
// time the clean's thread has ended when Stop returns, the log list holds
// and shows every line, every file the log reports as deleted is gone and
// every file that is gone was reported, the statistics count the same, and
// the next clean starts; a clean left to its end removes the whole tree.
TEST_F(CleanLifecycle, StopAtAnyMomentLeavesNoLockAndReportsExactlyWhatIsGone)
{
    CJunkTree tree(m_folder.Path(), 4, 3, 2000);
    Build();
    // One action for each branch and one for the top's own files, so that a
    // stop may fall between two actions as well as inside one.
    const std::vector<std::string> branches = tree.Branches();
    for (size_t n = 0; n < branches.size(); ++n)
        AddTreeAction(("Junk" + std::to_string(n)).c_str(), branches[n]);
    AddFolderAction("JunkTop", tree.Top());
    Open();
    m_pDialog->Show(SW_SHOW);

    auto ReadReport = [&] {
        CleanReport report;
        const CListView& log = m_pDialog->m_listLog;
        const std::vector<std::string> messages = LogMessages();
        for (size_t n = 0; n < messages.size(); ++n) {
            const std::string& strMessage = messages[n];
            const int nImage = log.GetItemImage(static_cast<int>(n));
            if (nImage == LI_FILE_DELETED && StartsWith(strMessage, kDeletedPrefix)) {
                const size_t nPrefix = sizeof(kDeletedPrefix) - 1;
                const size_t nSuffix = sizeof(kDeletedSuffix) - 1;
                report.deleted.insert(
                    strMessage.substr(nPrefix, strMessage.size() - nPrefix - nSuffix));
                ++report.nDeletedLines;
            } else if (nImage == LI_FILE_NOT_FOUND || nImage == LI_FILE_AT_REBOOT) {
                ++report.nOtherFileLines;
            } else if (strMessage == "Statistics:") {
                report.bSummary = true;
            } else if (StartsWith(strMessage, "Deleted: ") &&
                       strMessage.find("file(s)") != std::string::npos) {
                report.strSummaryDeleted = strMessage;
            }
        }
        return report;
    };
    auto CheckReport = [&](const CleanReport& report, const std::set<std::string>& gone) {
        EXPECT_EQ(report.nDeletedLines, report.deleted.size()) << "a file reported twice";
        EXPECT_EQ(report.nOtherFileLines, 0u);
        std::set<std::string> reportedButThere, goneUnreported;
        for (const std::string& strPath : report.deleted) {
            if (!gone.count(strPath))
                reportedButThere.insert(strPath);
        }
        for (const std::string& strPath : gone) {
            if (!report.deleted.count(strPath))
                goneUnreported.insert(strPath);
        }
        EXPECT_TRUE(reportedButThere.empty())
            << reportedButThere.size() << " reported as deleted but still there:"
            << FirstOf(reportedButThere);
        EXPECT_TRUE(goneUnreported.empty())
            << goneUnreported.size() << " gone without a line:" << FirstOf(goneUnreported);
        EXPECT_EQ(m_manager->m_stats.nDeletedFiles, gone.size());
        if (report.bSummary) {
            EXPECT_EQ(report.strSummaryDeleted,
                      "Deleted: " + std::to_string(gone.size()) + " file(s)");
        }
    };

    // Two whole cleans first, which also tell how long one lasts here (the
    // first finds the disk colder): the moments of the stops are spread
    // over that.
    DWORD dwWhole = INFINITE;
    for (int nWhole = 0; nWhole < 2; ++nWhole) {
        ASSERT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        const DWORD dwStart = GetTickCount();
        Command(ID_ACTION_START);
        WaitForCleanEnd();
        dwWhole = std::min(dwWhole, GetTickCount() - dwStart);
        const CleanReport report = ReadReport();
        EXPECT_TRUE(report.bSummary);
        EXPECT_EQ(tree.Missing().size(), tree.Files().size());
        CheckReport(report, tree.Missing());
    }
    std::printf("a whole clean of %zu files took %lu ms; seed %u\n", tree.Files().size(),
                static_cast<unsigned long>(dwWhole), kSeed);

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<DWORD> moments(0, dwWhole);
    int nStoppedPartway = 0;
    int nRanToTheEnd = 0;
    for (int nRound = 0; nRound < 100; ++nRound) {
        ASSERT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        const DWORD dwMoment = moments(random);
        char szTrace[128];
        std::snprintf(szTrace, sizeof(szTrace), "seed %u, round %d, Stop after %lu ms", kSeed,
                      nRound, static_cast<unsigned long>(dwMoment));
        SCOPED_TRACE(szTrace);

        Command(ID_ACTION_START);
        const HANDLE hThread = CleanThread();
        ASSERT_NE(hThread, nullptr) << "no clean started after the last one";
        if (dwMoment > 0)
            ServeMessages(dwMoment);
        const bool bEndedBeforeStop = !m_pDialog->IsCleaning();
        {
            CHangGuard guard(std::string("Stop at ") + szTrace, 60000);
            Command(ID_ACTION_STOP);
        }
        EXPECT_FALSE(m_pDialog->IsCleaning());
        EXPECT_EQ(WaitForSingleObject(hThread, 0), WAIT_OBJECT_0)
            << "the clean's thread still runs after Stop";
        CloseHandle(hThread);

        const CleanReport report = ReadReport();
        const std::set<std::string> gone = tree.Missing();
        CheckReport(report, gone);
        if (bEndedBeforeStop) {
            // Left to its end, the clean removed everything and said so.
            EXPECT_TRUE(report.bSummary);
            EXPECT_EQ(gone.size(), tree.Files().size());
        }
        if (!report.bSummary && !gone.empty() && gone.size() < tree.Files().size())
            ++nStoppedPartway;
        if (report.bSummary)
            ++nRanToTheEnd;
        EXPECT_TRUE(NewestLineInView());
        EXPECT_TRUE(LogShowsNewLines());
        if (HasFailure())
            break;
    }
    std::printf("%d cleans stopped partway, %d ran to their end\n", nStoppedPartway,
                nRanToTheEnd);
    // The moments did fall inside cleans, or the rounds above proved little.
    EXPECT_GT(nStoppedPartway, 0);

    // After all those stops a clean still runs to its end.
    ASSERT_TRUE(tree.Fill());
    m_pDialog->ClearLog();
    Command(ID_ACTION_START);
    WaitForCleanEnd();
    const CleanReport report = ReadReport();
    EXPECT_TRUE(report.bSummary);
    EXPECT_EQ(tree.Missing().size(), tree.Files().size());
    CheckReport(report, tree.Missing());
    EXPECT_TRUE(NewestLineInView());
    EXPECT_TRUE(SaveWindowPicture(*m_pDialog, ArtifactPath("main-window-after-stops.png")));
}

namespace {

// A thread of another program, which sends the window one command after
// another while it is armed; each send waits until the window has handled
// the command, at whatever point the window's thread serves it.
class CCommandSender {
public:
    CCommandSender(HWND hWnd, UINT nId) : m_hWnd(hWnd), m_nId(nId)
    {
        m_hThread = CreateThread(nullptr, 0, Send, this, 0, nullptr);
    }
    ~CCommandSender() { Finish(); }
    CCommandSender(const CCommandSender&) = delete;
    CCommandSender& operator=(const CCommandSender&) = delete;

    void Arm() { m_bArmed = true; }
    // Whether the first send has begun; it waits for this thread's messages
    // to be served.
    bool IsSending() const { return m_bSending; }
    void Disarm() { m_bArmed = false; }
    // Ends the thread, serving this thread's messages until then: a send
    // under way waits for them.
    void Finish()
    {
        if (!m_hThread)
            return;
        m_bArmed = false;
        m_bQuit = true;
        while (WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT)
            ServeMessages(10);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    int Sent() const { return m_nSent; }

private:
    static DWORD WINAPI Send(LPVOID pParameter)
    {
        CCommandSender& sender = *static_cast<CCommandSender*>(pParameter);
        while (!sender.m_bQuit) {
            if (!sender.m_bArmed) {
                Sleep(1);
                continue;
            }
            sender.m_bSending = true;
            SendMessageA(sender.m_hWnd, WM_COMMAND, sender.m_nId, 0);
            ++sender.m_nSent;
        }
        return 0;
    }

    HWND m_hWnd;
    UINT m_nId;
    HANDLE m_hThread;
    std::atomic<bool> m_bArmed{false};
    std::atomic<bool> m_bQuit{false};
    std::atomic<bool> m_bSending{false};
    std::atomic<int> m_nSent{0};
};

}  // namespace

// Stop waits for the clean's thread and meanwhile serves the messages that
// other threads send the window, since the clean's thread sends it the log's
// lines. Another program may send a command just then: a Start, the
// settings, the wizard, a second Stop, an Exit. Each finds the clean still
// under way, as it is until its thread has ended: no Start undoes the stop
// or runs a second clean beside it, no editor opens under it, and Exit
// waits for it before the log goes.
TEST_F(CleanLifecycle, CommandsSentWhileStopWaitsFindTheCleanStillUnderWay)
{
    CJunkTree tree(m_folder.Path(), 4, 2, 2000);
    Build();
    AddTreeAction("Junk", tree.Top());
    Open();
    m_pDialog->Show(SW_SHOW);
    const HWND hMain = *m_pDialog;

    HANDLE hStoppedThread = nullptr;
    CModalAnswers answers;
    answers.AnswerEvery([&](HWND hDialog) {
        const std::string strSeen = answers.Seen().back();
        if (StartsWith(strSeen, "Settings") || StartsWith(strSeen, "Wizard")) {
            EXPECT_EQ(WaitForSingleObject(hStoppedThread, 0), WAIT_OBJECT_0)
                << strSeen.substr(0, 8) << " opened while the clean's thread runs";
            ClickButton(hDialog, IDCANCEL);
        } else {
            EXPECT_NE(strSeen.find("A clean is running."), std::string::npos) << strSeen;
            ClickButton(hDialog, IDOK);
        }
    });

    const UINT commands[] = {ID_ACTION_START, ID_OPTIONS_SETTINGS, ID_ACTION_WIZARD,
                             ID_ACTION_STOP,  ID_ACTION_START,     ID_TRAY_EXIT};
    for (UINT nId : commands) {
        SCOPED_TRACE(nId);
        CHangGuard guard("a round of commands sent while Stop waits", 60000);
        ASSERT_TRUE(tree.Fill());
        m_pDialog->ClearLog();
        Command(ID_ACTION_START);
        hStoppedThread = CleanThread();
        ASSERT_NE(hStoppedThread, nullptr);
        // Under way, far from its end.
        while (tree.Missing().size() < 20)
            ServeMessages(1);
        // The command is sent but waits, since this thread serves nothing
        // until Stop; the clean's thread too sends once it has stopped, and
        // Stop serves what was sent before while it waits for that.
        CCommandSender sender(hMain, nId);
        sender.Arm();
        while (!sender.IsSending())
            Sleep(1);
        Sleep(10);
        Command(ID_ACTION_STOP);
        // Served during the wait, the send returns at once; otherwise it
        // waits on, since this thread serves nothing here.
        const DWORD dwLimit = GetTickCount() + 2000;
        while (sender.Sent() == 0 && GetTickCount() < dwLimit)
            Sleep(1);
        sender.Disarm();
        EXPECT_GT(sender.Sent(), 0) << "the command was not served while Stop waited";
        EXPECT_EQ(WaitForSingleObject(hStoppedThread, 0), WAIT_OBJECT_0);
        if (nId == ID_TRAY_EXIT) {
            EXPECT_FALSE(IsWindow(hMain));
            CloseHandle(hStoppedThread);
            break;
        }
        // The stop held: the clean did not go on to its end.
        const std::vector<std::string> stopped = LogMessages();
        EXPECT_EQ(std::find(stopped.begin(), stopped.end(), "Statistics:"), stopped.end());
        EXPECT_LT(tree.Missing().size(), tree.Files().size());
        sender.Finish();
        // A Start sent after the stop may have begun a clean of its own.
        Command(ID_ACTION_STOP);
        EXPECT_FALSE(m_pDialog->IsCleaning());
        CloseHandle(hStoppedThread);
        if (HasFailure())
            break;
    }
}

namespace {

// The settings pages whose Apply changes nothing but the test's own manager
// and settings (General and Windows write to the registry at once).
const char* const kQuietPages[] = {
    "Contents", "Cookies & index.dat", "Properties (IE Only)", "Netscape & Mozilla", "Opera",
    "Start Menu", "Network", "Comunications", "Multimedia", "Drive Operations", "Plug-Ins",
};

HTREEITEM FindTreeItem(HWND hTree, HTREEITEM hFirst, const std::string& strText)
{
    for (HTREEITEM hItem = hFirst; hItem; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        char szText[128] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        TreeView_GetItem(hTree, &item);
        if (strText == szText)
            return hItem;
        if (HTREEITEM hFound = FindTreeItem(hTree, TreeView_GetChild(hTree, hItem), strText))
            return hFound;
    }
    return nullptr;
}

}  // namespace

// Cleans start and stop again and again while the settings (pages opened
// and applied, a plugin imported through the file dialog) and the wizard
// are asked for, by commands posted as clicks post them, so that each
// arrives at whatever point the other work has reached. Whichever comes
// first wins: the settings and the wizard never open while a clean runs,
// and a clean never starts while either is open. Nothing hangs, and a clean
// afterwards runs to its end, the imported plugin's action included.
TEST_F(CleanLifecycle, SettingsWizardAndImportNeverMeetARunningClean)
{
    const std::string strTop = MakeFolder("tree");
    CJunkTree tree(strTop, 3, 2, 600);
    ASSERT_TRUE(tree.Fill());
    const std::string strImportedJunk = MakeFolder("imported-junk");
    CTempFolder plugins;
    CTempFolder downloads;
    WriteStringValue(kSettingsKey, "strPluginFolder", plugins.Path());
    const std::string strPluginFile = downloads / "imported.pld";
    {
        CAction plugin;
        plugin.strId = "LifeImported";
        plugin.strTitle = "Clean the imported junk";
        plugin.bEnabled = true;
        plugin.lstFiles = {FolderContent(strImportedJunk)};
        CWin32File file;
        ASSERT_TRUE(file.Open(strPluginFile.c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(plugin.Write(file));
    }
    Build();
    AddTreeAction("Junk", strTop);
    Open();
    m_pDialog->Show(SW_SHOW);
    const HWND hMain = *m_pDialog;

    std::mt19937 random(kSeed + 1);
    auto Chance = [&](int nPercent) { return static_cast<int>(random() % 100) < nPercent; };
    auto Post = [&](UINT nId) { PostMessageA(hMain, WM_COMMAND, nId, 0); };
    int nSettingsOpened = 0, nWizardsOpened = 0, nImports = 0;
    int nEditorRefused = 0, nCleanRefused = 0;

    // A Start clicked while an editor is open: its message is served, and
    // refused, before this returns.
    auto TryStart = [&] {
        Post(ID_ACTION_START);
        ServeMessages(random() % 20);
        EXPECT_FALSE(m_pDialog->IsCleaning()) << "a clean started under an open editor";
    };
    auto AnswerSettings = [&](HWND hSettings) {
        ++nSettingsOpened;
        EXPECT_FALSE(m_pDialog->IsCleaning()) << "the settings opened while a clean runs";
        const HWND hTree = GetDlgItem(hSettings, IDC_SETTINGS_TREE);
        const int nPages = 1 + static_cast<int>(random() % 2);
        for (int n = 0; n < nPages; ++n) {
            const size_t nPageCount = sizeof(kQuietPages) / sizeof(kQuietPages[0]);
            const bool bImport = Chance(25);
            const std::string strPage = bImport ? "Plug-Ins" : kQuietPages[random() % nPageCount];
            const HTREEITEM hItem = FindTreeItem(hTree, TreeView_GetRoot(hTree), strPage);
            EXPECT_NE(hItem, nullptr) << strPage;
            // Selecting applies the page before it.
            TreeView_SelectItem(hTree, hItem);
            EXPECT_FALSE(m_pDialog->IsCleaning());
            if (Chance(35))
                TryStart();
            if (bImport) {
                const HWND hPage = FindInside(hSettings, "#32770");
                ASSERT_NE(hPage, nullptr);
                ClickButton(hPage, IDC_PLUGINS_IMPORT);
            }
        }
        ClickButton(hSettings, IDCANCEL);
    };
    auto AnswerWizard = [&](HWND hWizard) {
        ++nWizardsOpened;
        EXPECT_FALSE(m_pDialog->IsCleaning()) << "the wizard opened while a clean runs";
        if (Chance(35))
            TryStart();
        // No to every question: the wizard's actions reach beyond the test.
        for (int nStep = 0; nStep < kWizardStepCount; ++nStep) {
            for (int k = 0; k < kWizardRowsPerStep; ++k) {
                CheckDlgButton(hWizard, IDC_WIZARD_YES + k, BST_UNCHECKED);
                CheckDlgButton(hWizard, IDC_WIZARD_NO + k, BST_CHECKED);
            }
            if (Chance(5)) {
                ClickButton(hWizard, IDCANCEL);
                return;
            }
            ClickButton(hWizard, IDOK);
        }
    };
    auto AnswerFileDialog = [&](HWND hDialog) {
        ++nImports;
        EXPECT_FALSE(m_pDialog->IsCleaning());
        if (Chance(35))
            TryStart();
        SetDlgItemTextA(hDialog, cmb13, strPluginFile.c_str());
        ClickButton(hDialog, IDOK);
    };
    CModalAnswers answers;
    answers.AnswerEvery([&](HWND hDialog) {
        const std::string strSeen = answers.Seen().back();
        if (StartsWith(strSeen, "Settings")) {
            AnswerSettings(hDialog);
        } else if (StartsWith(strSeen, "Wizard")) {
            AnswerWizard(hDialog);
        } else if (GetDlgItem(hDialog, cmb13)) {
            AnswerFileDialog(hDialog);
        } else {
            if (strSeen.find("A clean is running.") != std::string::npos)
                ++nEditorRefused;
            else if (strSeen.find("Close the settings window") != std::string::npos)
                ++nCleanRefused;
            else
                ADD_FAILURE() << "unexpected message: " << strSeen;
            ClickButton(hDialog, IDOK);
        }
    });

    // Each dialog that closes costs Wine's display driver a wait of its own
    // here, so the rounds are few; the quick starts and stops between them
    // cost nothing of the kind.
    for (int nRound = 0; nRound < 16; ++nRound) {
        char szTrace[64];
        std::snprintf(szTrace, sizeof(szTrace), "seed %u, round %d", kSeed + 1, nRound);
        SCOPED_TRACE(szTrace);
        CHangGuard guard(std::string("the stress test's ") + szTrace, 60000);
        if (!m_pDialog->IsCleaning()) {
            ASSERT_TRUE(tree.Fill());
            MakeFiles(strImportedJunk, 5);
        }
        for (int nQuick = static_cast<int>(random() % 4); nQuick > 0; --nQuick) {
            Post(ID_ACTION_START);
            ServeMessages(random() % 30);
            Post(ID_ACTION_STOP);
        }
        Post(ID_ACTION_START);
        ServeMessages(random() % 40);
        switch (random() % 3) {
        case 0:
            Post(ID_ACTION_STOP);
            break;
        case 1:
            WaitForCleanEnd();
            break;
        default:
            break;
        }
        Post(Chance(60) ? ID_OPTIONS_SETTINGS : ID_ACTION_WIZARD);
        if (Chance(30))
            Post(ID_ACTION_STOP);
        ServeMessages(random() % 40);
        if (HasFailure())
            break;
    }
    Command(ID_ACTION_STOP);
    ServeMessages(100);
    std::printf("settings opened %d times, the wizard %d times, %d imports; "
                "refused: %d editors, %d cleans\n",
                nSettingsOpened, nWizardsOpened, nImports, nEditorRefused, nCleanRefused);
    EXPECT_GT(nSettingsOpened, 0);
    EXPECT_GT(nWizardsOpened, 0);
    EXPECT_GT(nImports, 0);
    EXPECT_GT(nEditorRefused, 0);
    EXPECT_GT(nCleanRefused, 0);

    // A clean now runs to its end, with the imported plugin's action.
    ASSERT_TRUE(tree.Fill());
    MakeFiles(strImportedJunk, 5);
    Command(ID_ACTION_START);
    WaitForCleanEnd();
    EXPECT_EQ(tree.Missing().size(), tree.Files().size());
    EXPECT_TRUE(FilesInListedOrder(strImportedJunk).empty());
    EXPECT_EQ(LogMessages().back().substr(0, 16), "Released Space: ");
}
