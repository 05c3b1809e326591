// The real Veltrin.exe and Actsmith.exe, started beside the test program and
// driven only through what they offer other programs: the cleaner's
// published registry values, command messages to their windows, the plugin
// folder, the trace file, their output and their exit.
#include "cleaner/engine/SwapClearing.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/JunkTree.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kSettings = kSettingsKey;
const WPARAM kStart = 32771, kInstall = 32772, kExit = 32790;

// The cleaner's main windows on the desktop, of whatever process.
int MainWindowCount()
{
    int nCount = 0;
    for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, "#32770", "Veltrin PRO")) != nullptr;)
        ++nCount;
    return nCount;
}

// The log's messages that a program printed, without their times.
std::vector<std::string> PrintedMessages(const std::string& strOutput)
{
    std::vector<std::string> messages;
    std::istringstream lines(strOutput);
    for (std::string strLine; std::getline(lines, strLine);) {
        strLine.erase(std::min(strLine.find('\r'), strLine.size()));
        const size_t nPrefix = strLine.find(">> ");
        messages.push_back(nPrefix == std::string::npos ? strLine : strLine.substr(nPrefix + 3));
    }
    return messages;
}

class Programs : public CProductKeyTest {
protected:
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        m_strTraceBefore = ReadFileBytes(m_trace.Path());
        WriteStringValue(kSettings, "strPluginFolder", m_plugins.Path());
    }
    void TearDown() override
    {
        DeleteKeyTree("Software\\Local AppWizard-Generated Applications\\Actsmith");
        CProductKeyTest::TearDown();
    }
    // What the cleaner added to its trace file during the test.
    std::string NewTrace() const { return m_trace.Read().substr(m_strTraceBefore.size()); }
    // Ends the cleaner from its tray menu; true once it has ended.
    static bool Exit(const CProgramRun& run, HWND hWnd) { return PostMessageA(hWnd, WM_COMMAND, kExit, 0) && run.HasEnded(); }
    bool Finished() const { return NewTrace().find("OnFinishPlay()") != std::string::npos; }

    // A plugin that cleans the test's junk folder, enabled.
    std::string JunkPlugin(uint32_t dwType)
    {
        CAction action;
        action.strId = "TestJunk";
        action.strTitle = "Clear the test's junk";
        action.bEnabled = true;
        action.lstFiles = {FolderContent(m_junk.Path())};
        action.lstFiles.front().dwType = dwType;
        WriteDwordValue(kSettings + "\\TestJunk", "bEnabled", 1);
        return PluginBytes(action);
    }
    // The plugin installed to clean the junk tree, filled here.
    void InstallJunkTree()
    {
        ASSERT_TRUE(m_tree.Fill());
        ASSERT_TRUE(WriteFileBytes(m_plugins / "junk.pld", JunkPlugin(TT_RECURSIVE)));
    }

    const CSavedFile m_trace{WindowsFolder() + "\\Temp\\allBuffs.txt"};
    std::string m_strTraceBefore;
    CTempFolder m_plugins, m_junk;
    CJunkTree m_tree{m_junk.Path(), 4, 3, 4000};
};

}  // namespace

// The editor opens the plugin named on its command line and installs it;
// the cleaner publishes itself, cleans with the plugin on its published
// command and stores its options when the tray menu ends it.
TEST_F(Programs, EditorInstallsAPluginThatTheCleanerCleansWith)
{
    CTempFolder saved;
    ASSERT_TRUE(WriteFileBytes(m_junk / "a.tmp", "junk"));
    ASSERT_TRUE(WriteFileBytes(m_junk / "b.log", "more junk"));
    const std::string strPlugin = saved / "junk.pld";
    ASSERT_TRUE(WriteFileBytes(strPlugin, JunkPlugin(TT_CONTENT)));

    {
        CProgramRun editor("Actsmith.exe");
        ASSERT_TRUE(editor.Start("\"" + strPlugin + "\""));
        HWND hFrame = nullptr, hBox = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (hFrame = FindWindowA("ActsmithFrame", nullptr)) != nullptr; }));
        EXPECT_TRUE(WaitFor([&] { return FindInside(hFrame, "ActsmithPluginWindow", "junk.pld") != nullptr; }));
        ASSERT_TRUE(PostMessageA(hFrame, WM_COMMAND, kInstall, 0));
        ASSERT_TRUE(WaitFor([&] { return (hBox = FindWindowA("#32770", "Actsmith")) != nullptr; }));
        char szText[256] = "";  // the message of a message box is item 0xFFFF
        GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof(szText));
        EXPECT_NE(std::string(szText).find("Plugin was installed"), std::string::npos) << szText;
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(ReadFileBytes(m_plugins / "junk.pld"), ReadFileBytes(strPlugin));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hBox); }));
        PostMessageA(hFrame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(editor.HasEnded());
    }

    CProgramRun cleaner("Veltrin.exe");
    ASSERT_TRUE(cleaner.Start());
    const HWND hWnd = PublishedCleanerWindow();
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(ReadTextValue(kProductKey, "strExe"), ProgramFolder() + "Veltrin.exe");
    DWORD dwStart = 0, dwSettings = 0;
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwStartMess", dwStart));
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwSettingsMess", dwSettings));
    EXPECT_EQ(dwSettings, 32774u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, dwStart, 0));
    EXPECT_TRUE(WaitFor([&] { return Finished(); }));
    EXPECT_FALSE(FileExists(m_junk / "a.tmp") || FileExists(m_junk / "b.log"));
    const std::string trace = NewTrace();
    EXPECT_EQ(trace.substr(0, 5).find_first_not_of("0123456789"), 4u) << trace;  // the year
    EXPECT_NE(trace.find("    -------------\r\n"), std::string::npos) << trace;
    EXPECT_TRUE(SaveWindowPicture(hWnd, ArtifactPath("main-window.png")));

    EXPECT_TRUE(Exit(cleaner, hWnd));
    EXPECT_TRUE(ValueExists(kSettings, "strDiskOpsDriveList"));
}

// "/u" takes the swap clearer's line out of autoexec.bat on Windows 9x and
// leaves the file alone on the NT family.
TEST_F(Programs, SwitchURemovesTheSwapLineOnlyOnWindows9x)
{
    const CSavedFile batch(std::string(1, WindowsFolder()[0]) + ":\\autoexec.bat");
    const std::string strLines = std::string("@ECHO OFF\r\nC:\\VELTRIN\\swpclr.exe ") +
                                 kSwapClearingMarker + "\r\nSET TEMP=C:\\TEMP\r\n";
    const std::string strVersionKey = "Software\\Wine\\AppDefaults\\Veltrin.exe";
    const CSavedValue savedVersion(HKEY_CURRENT_USER, strVersionKey, "Version");
    for (const char* pszVersion : {"win98", "winxp"}) {
        SCOPED_TRACE(pszVersion);
        batch.Write(strLines);
        WriteStringValue(strVersionKey, "Version", pszVersion);
        CProgramRun program("Veltrin.exe");
        ASSERT_TRUE(program.Start("/u"));
        const HWND hWnd = PublishedCleanerWindow();
        EXPECT_TRUE(IsWindow(hWnd));
        EXPECT_EQ(batch.Read(), pszVersion == std::string("win98")
                                    ? "@ECHO OFF\r\nSET TEMP=C:\\TEMP\r\n" : strLines);
        EXPECT_TRUE(Exit(program, hWnd));
    }
}

// The program killed in the middle of a clean, as a crash or the task
// manager ends it: the settings are as the last orderly exit stored them,
// since a run writes them only when it ends; the next start is a first
// instance again, a second start while that one cleans adds no window and
// no process, and its clean runs to the end.
TEST_F(Programs, KilledDuringACleanKeepsTheSettingsAndTheNextRunCleans)
{
    InstallJunkTree();
    {
        CProgramRun first("Veltrin.exe");
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(Exit(first, PublishedCleanerWindow()));
    }
    const KeySnapshot stored = SnapshotKey(kSettings);
    ASSERT_FALSE(stored.empty());
    {
        CProgramRun killed("Veltrin.exe");
        ASSERT_TRUE(killed.Start());
        ASSERT_TRUE(PostMessageA(PublishedCleanerWindow(), WM_COMMAND, kStart, 0));
        ASSERT_TRUE(WaitFor([&] { return !m_tree.Missing().empty(); }));
        // Still cleaning, or the kill would prove little.
        ASSERT_LT(m_tree.Missing().size(), m_tree.Files().size());
        ASSERT_TRUE(killed.Kill());
        EXPECT_FALSE(Finished());
    }
    EXPECT_TRUE(SnapshotKey(kSettings) == stored);
    EXPECT_EQ(MainWindowCount(), 0);

    CProgramRun program("Veltrin.exe");
    ASSERT_TRUE(program.Start());
    const HWND hWnd = PublishedCleanerWindow();
    ASSERT_TRUE(IsWindow(hWnd)) << "no window after a start that follows the kill";
    const size_t nMissing = m_tree.Missing().size();
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, kStart, 0));
    ASSERT_TRUE(WaitFor([&] { return m_tree.Missing().size() > nMissing; }));
    CProgramRun second("Veltrin.exe");
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.HasEnded());
    EXPECT_EQ(PublishedCleanerWindow(), hWnd);
    EXPECT_EQ(MainWindowCount(), 1);

    EXPECT_TRUE(WaitFor([&] { return Finished(); }, 120000));
    EXPECT_EQ(m_tree.Missing().size(), m_tree.Files().size());
    EXPECT_TRUE(FilesInListedOrder(m_junk.Path()).empty());
    EXPECT_TRUE(Exit(program, hWnd));
}

// A scheduled clean meets an open browser whose data it would remove, then a
// clean that is already running, and then runs: each time the exit code says
// which, and the output why.
TEST_F(Programs, AutoRefusesUnderTheGuardAndBesideAnotherInstance)
{
    InstallJunkTree();
    WriteDwordValue(kSettings + "\\IECookies", "bEnabled", 1);

    HWND hBrowser = CreateWindowExA(0, "STATIC", "Home - Microsoft Internet Explorer", WS_OVERLAPPED,
                                    0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hBrowser, nullptr);
    {
        CProgramRun refused("Veltrin.exe");
        ASSERT_TRUE(refused.StartWithOutput("/auto"));
        EXPECT_EQ(refused.Output(),
                  "Cannot Clear Internet Explorer Cookies while Internet Explorer running\r\n");
        EXPECT_EQ(refused.ExitCode(), 2u);
        EXPECT_TRUE(m_tree.Missing().empty());
    }
    DestroyWindow(hBrowser);
    // The prefix's own cookies are none of this test's business.
    WriteDwordValue(kSettings + "\\IECookies", "bEnabled", 0);

    CProgramRun first("Veltrin.exe");
    ASSERT_TRUE(first.StartWithOutput("/auto"));
    ASSERT_TRUE(WaitFor([&] { return !m_tree.Missing().empty(); }));
    // Still cleaning, or the refusal would prove little.
    ASSERT_LT(m_tree.Missing().size(), m_tree.Files().size());
    {
        CProgramRun second("Veltrin.exe");
        ASSERT_TRUE(second.StartWithOutput("/auto"));
        EXPECT_EQ(second.Output(), "Veltrin is already running; no clean was started.\r\n");
        EXPECT_EQ(second.ExitCode(), 3u);
    }

    const std::vector<std::string> messages = PrintedMessages(first.Output());
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(m_tree.Missing().size(), m_tree.Files().size());
    // The action, each file of the tree once, then the summary.
    ASSERT_EQ(messages.size(), 2 + m_tree.Files().size() + 5);
    EXPECT_EQ(messages.front(), "Clear the test's junk");
    EXPECT_EQ(messages[messages.size() - 6], "Clear the test's junk Complete");
    EXPECT_EQ(messages[messages.size() - 5], "Statistics:");
    EXPECT_EQ(messages.back(), "Released Space: 0 Kbytes");
    for (size_t n = 1; n < messages.size() - 6; ++n)
        EXPECT_EQ(messages[n].substr(messages[n].size() - 12), " was deleted") << messages[n];
    EXPECT_NE(NewTrace().find("/auto"), std::string::npos);
}
