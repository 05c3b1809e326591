// The real Veltrin.exe, started beside the test program and driven only
// through what it offers other programs: its published registry values,
// command messages to its window, its trace file and its exit.
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/JunkTree.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSettings = kSettingsKey;

std::string TraceFile()
{
    char szWindows[MAX_PATH];
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    return std::string(szWindows) + "\\Temp\\allBuffs.txt";
}

// The cleaner, with the main window it publishes.
class CProgram : public CProgramRun {
public:
    CProgram() : CProgramRun("Veltrin.exe") {}
    HWND Window() const { return PublishedCleanerWindow(); }
};

class VeltrinProgram : public CProductKeyTest {
protected:
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        m_strTraceBefore = ReadFileBytes(TraceFile());
    }
    // What the program added to the trace file during the test.
    std::string NewTrace() const { return ReadFileBytes(TraceFile()).substr(m_strTraceBefore.size()); }

    // A plugin, enabled, that cleans one folder of files, or the whole tree.
    void InstallFolderPlugin(const std::string& strPluginFolder, const std::string& strFolder,
                             uint32_t dwType = TT_CONTENT)
    {
        WriteStringValue(kSettings, "strPluginFolder", strPluginFolder);
        CAction action;
        action.strId = "TestJunk";
        action.strTitle = "Clear the test's junk";
        action.bEnabled = true;
        action.lstFiles = {FolderContent(strFolder)};
        action.lstFiles.front().dwType = dwType;
        CWin32File file;
        ASSERT_TRUE(file.Open((strPluginFolder + "\\junk.pld").c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(action.Write(file));
        WriteDwordValue(kSettings + "\\TestJunk", "bEnabled", 1);
    }

    std::string m_strTraceBefore;
};

BOOL CALLBACK CountMainWindow(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    char szTitle[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (lstrcmpA(szClass, "#32770") == 0 && lstrcmpA(szTitle, "Veltrin PRO") == 0)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

// The cleaner's main windows on the desktop, of whatever process.
int MainWindowCount()
{
    int nCount = 0;
    EnumWindows(CountMainWindow, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

}  // namespace

TEST_F(VeltrinProgram, CleansOnThePublishedCommandAndEndsFromTheTray)
{
    CTempFolder folder;
    CTempFolder plugins;
    ASSERT_TRUE(WriteFileBytes(folder / "a.tmp", "junk"));
    ASSERT_TRUE(WriteFileBytes(folder / "b.log", "more junk"));
    InstallFolderPlugin(plugins.Path(), folder.Path());

    CProgram program;
    ASSERT_TRUE(program.Start());
    const HWND hWnd = program.Window();
    ASSERT_TRUE(IsWindow(hWnd));
    char szExe[MAX_PATH];
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    EXPECT_EQ(ReadTextValue(kProductKey, "strExe"), ProgramFolder() + "Veltrin.exe");
    DWORD dwStart = 0, dwSettings = 0;
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwStartMess", dwStart));
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwSettingsMess", dwSettings));
    EXPECT_EQ(dwSettings, 32774u);

    // A second instance ends at once and leaves the first alone.
    CProgram second;
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.HasEnded());

    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, dwStart, 0));
    EXPECT_TRUE(WaitFor([&] { return NewTrace().find("OnFinishPlay()") != std::string::npos; }));
    EXPECT_FALSE(FileExists(folder / "a.tmp"));
    EXPECT_FALSE(FileExists(folder / "b.log"));
    const std::string trace = NewTrace();
    EXPECT_EQ(trace.substr(0, 5).find_first_not_of("0123456789"), 4u) << trace;  // the year
    EXPECT_NE(trace.find("    -------------\r\n"), std::string::npos) << trace;
    EXPECT_TRUE(SaveWindowPicture(hWnd, ArtifactPath("main-window.png")));

    // The About box names the product and its version.
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 32776, 0));
    HWND hAbout = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hAbout = FindWindowA(nullptr, "About Veltrin PRO")) != nullptr; }));
    if (hAbout) {
        char szVersion[128] = "";
        GetDlgItemTextA(hAbout, 1058, szVersion, sizeof(szVersion));
        EXPECT_EQ(std::string(szVersion).substr(0, 20), "Veltrin PRO Version ");
        EXPECT_TRUE(SaveWindowPicture(hAbout, ArtifactPath("about-box.png")));
        PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hAbout); }));
    }

    // Exit from the tray menu ends the program, which stores its options.
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 32790, 0));
    EXPECT_TRUE(program.HasEnded());
    EXPECT_TRUE(ValueExists(kSettings, "strDiskOpsDriveList"));
}

TEST_F(VeltrinProgram, SwitchURemovesTheSwapLineOnlyOnWindows9x)
{
    char szWindows[MAX_PATH];
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    const std::string strBatch = std::string(1, szWindows[0]) + ":\\autoexec.bat";
    const std::string strSaved = ReadFileBytes(strBatch);
    const bool bExisted = FileExists(strBatch);
    const std::string strLines = std::string("@ECHO OFF\r\nC:\\VELTRIN\\swpclr.exe ") +
                                 kSwapClearingMarker + "\r\nSET TEMP=C:\\TEMP\r\n";
    ASSERT_TRUE(WriteFileBytes(strBatch, strLines));

    // The program is told the same Windows version as the test.
    const std::string strVersionKey = "Software\\Wine\\AppDefaults\\Veltrin.exe";
    const CSavedValue savedVersion(HKEY_CURRENT_USER, strVersionKey, "Version");
    WriteStringValue(strVersionKey, "Version", IsWin9x() ? "win98" : "winxp");

    CProgram program;
    ASSERT_TRUE(program.Start("/u"));
    const HWND hWnd = program.Window();
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(ReadFileBytes(strBatch),
              IsWin9x() ? "@ECHO OFF\r\nSET TEMP=C:\\TEMP\r\n" : strLines);
    PostMessageA(hWnd, WM_COMMAND, 32790, 0);
    EXPECT_TRUE(program.HasEnded());

    if (bExisted)
        WriteFileBytes(strBatch, strSaved);
    else
        DeleteFileA(strBatch.c_str());
}

// The program killed in the middle of a clean, as a crash or the task
// manager ends it: the settings are as the last orderly exit stored them,
// since a run writes them only when it ends; the next start is a first
// instance again, a second start while that one cleans adds no window and
// no process, and its clean runs to the end.
TEST_F(VeltrinProgram, KilledDuringACleanKeepsTheSettingsAndTheNextRunCleans)
{
    CTempFolder folder;
    CTempFolder plugins;
    CJunkTree tree(folder.Path(), 4, 3, 4000);
    ASSERT_TRUE(tree.Fill());
    InstallFolderPlugin(plugins.Path(), folder.Path(), TT_RECURSIVE);
    {
        CProgram first;
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(IsWindow(first.Window()));
        PostMessageA(first.Window(), WM_COMMAND, 32790, 0);
        ASSERT_TRUE(first.HasEnded());
    }
    const KeySnapshot stored = SnapshotKey(kSettings);
    ASSERT_FALSE(stored.empty());

    {
        CProgram killed;
        ASSERT_TRUE(killed.Start());
        const HWND hWnd = killed.Window();
        ASSERT_TRUE(IsWindow(hWnd));
        ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 32771, 0));
        ASSERT_TRUE(WaitFor([&] { return !tree.Missing().empty(); }));
        // Still cleaning, or the kill would prove little.
        ASSERT_LT(tree.Missing().size(), tree.Files().size());
        ASSERT_TRUE(killed.Kill());
        EXPECT_EQ(NewTrace().find("OnFinishPlay()"), std::string::npos);
    }
    EXPECT_TRUE(SnapshotKey(kSettings) == stored);
    EXPECT_EQ(MainWindowCount(), 0);

    CProgram program;
    ASSERT_TRUE(program.Start());
    const HWND hWnd = program.Window();
    ASSERT_TRUE(IsWindow(hWnd)) << "no window after a start that follows the kill";
    EXPECT_FALSE(program.HasEnded(0));
    const size_t nLeft = tree.Files().size() - tree.Missing().size();
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 32771, 0));
    ASSERT_TRUE(WaitFor([&] { return tree.Files().size() - tree.Missing().size() < nLeft; }));
    CProgram second;
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.HasEnded());
    EXPECT_EQ(PublishedCleanerWindow(), hWnd);
    EXPECT_EQ(MainWindowCount(), 1);

    EXPECT_TRUE(WaitFor([&] { return NewTrace().find("OnFinishPlay()") != std::string::npos; },
                        120000));
    EXPECT_EQ(tree.Missing().size(), tree.Files().size());
    EXPECT_TRUE(FilesInListedOrder(folder.Path()).empty());
    PostMessageA(hWnd, WM_COMMAND, 32790, 0);
    EXPECT_TRUE(program.HasEnded());
}

namespace {

// The log's messages that a program printed, without their times.
std::vector<std::string> PrintedMessages(const std::string& strOutput)
{
    std::vector<std::string> messages;
    size_t nStart = 0;
    while (nStart < strOutput.size()) {
        size_t nEnd = strOutput.find("\r\n", nStart);
        if (nEnd == std::string::npos)
            nEnd = strOutput.size();
        const std::string strLine = strOutput.substr(nStart, nEnd - nStart);
        const size_t nPrefix = strLine.find(">> ");
        messages.push_back(nPrefix == std::string::npos ? strLine : strLine.substr(nPrefix + 3));
        nStart = nEnd + 2;
    }
    return messages;
}

LRESULT CALLBACK PlainWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

// A scheduled clean meets an open browser whose data it would remove, then a
// clean that is already running, and then runs: each time the exit code says
// which, and the output why.
TEST_F(VeltrinProgram, AutoRefusesUnderTheGuardAndBesideAnotherInstance)
{
    CTempFolder folder;
    CTempFolder plugins;
    CJunkTree tree(folder.Path(), 4, 3, 4000);
    ASSERT_TRUE(tree.Fill());
    InstallFolderPlugin(plugins.Path(), folder.Path(), TT_RECURSIVE);
    WriteDwordValue(kSettings + "\\IECookies", "bEnabled", 1);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VeltrinAutoTestBrowser";
    RegisterClassA(&windowClass);
    HWND hBrowser = CreateWindowExA(0, windowClass.lpszClassName,
                                    "Home - Microsoft Internet Explorer", WS_OVERLAPPED, 0, 0, 10,
                                    10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(hBrowser, nullptr);
    {
        CProgram refused;
        ASSERT_TRUE(refused.StartWithOutput("/auto"));
        const std::string strOutput = refused.Output();
        EXPECT_EQ(refused.ExitCode(), 2u);
        EXPECT_EQ(strOutput,
                  "Cannot Clear Internet Explorer Cookies while Internet Explorer running\r\n");
        EXPECT_TRUE(tree.Missing().empty());
    }
    DestroyWindow(hBrowser);
    // The prefix's own cookies are none of this test's business.
    WriteDwordValue(kSettings + "\\IECookies", "bEnabled", 0);

    CProgram first;
    ASSERT_TRUE(first.StartWithOutput("/auto"));
    ASSERT_TRUE(WaitFor([&] { return !tree.Missing().empty(); }));
    // Still cleaning, or the refusal would prove little.
    ASSERT_LT(tree.Missing().size(), tree.Files().size());
    {
        CProgram second;
        ASSERT_TRUE(second.StartWithOutput("/auto"));
        EXPECT_EQ(second.Output(), "Veltrin is already running; no clean was started.\r\n");
        EXPECT_EQ(second.ExitCode(), 3u);
    }

    const std::vector<std::string> messages = PrintedMessages(first.Output());
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(tree.Missing().size(), tree.Files().size());
    // The action, each file of the tree once, then the summary.
    ASSERT_EQ(messages.size(), 2 + tree.Files().size() + 5);
    EXPECT_EQ(messages.front(), "Clear the test's junk");
    EXPECT_EQ(messages[messages.size() - 6], "Clear the test's junk Complete");
    EXPECT_EQ(messages[messages.size() - 5], "Statistics:");
    EXPECT_EQ(messages.back(), "Released Space: 0 Kbytes");
    for (size_t n = 1; n < messages.size() - 6; ++n)
        EXPECT_EQ(messages[n].substr(messages[n].size() - 12), " was deleted") << messages[n];
    EXPECT_NE(NewTrace().find("/auto"), std::string::npos);
}
