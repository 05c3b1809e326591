// The real Veltrin.exe driven only through what it offers other programs: its published
// registry values, command messages to its window, the plugin folder, the trace file, its output
// and its exit.
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

#include <string>

namespace {

const std::string kSettings = kSettingsKey;
const WPARAM kStart = 32771, kExit = 32790;

class Programs : public CProductKeyTest {
protected:
    // Cleans the test's junk folder with a plugin of the test's, enabled.
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        WriteStringValue(kSettings, "strPluginFolder", m_plugins.Path());
        WriteDwordValue(kSettings + "\\TestJunk", "bEnabled", 1);
        CAction action;
        action.strId = "TestJunk";
        action.bEnabled = true;
        action.lstFiles = {FolderContent(m_junk.Path())};
        action.lstFiles.front().dwType = TT_RECURSIVE;
        ASSERT_TRUE(WriteFileBytes(m_plugins / "junk.pld", PluginBytes(action)));
    }
    // Ends the cleaner from its tray menu; true once it has ended.
    static bool Exit(const CProgramRun& run, HWND hWnd) { return PostMessageA(hWnd, WM_COMMAND, kExit, 0) && run.HasEnded(); }
    // Whether the cleaner has traced the end of a clean during the test.
    bool Finished() const { return m_trace.Read().find("OnFinishPlay()", m_nTraceBefore) != std::string::npos; }

    const CSavedFile m_trace{WindowsFolder() + "\\Temp\\allBuffs.txt"};
    const size_t m_nTraceBefore = m_trace.Read().size();
    CTempFolder m_plugins, m_junk;
};

}  // namespace

// The cleaner publishes itself, cleans on its published command and stores its options when
// the tray menu ends it; a scheduled clean is refused while a browser whose data it would
// remove is open.
TEST_F(Programs, CleansOnItsPublishedCommandAndAutoRefusesUnderTheGuard)
{
    ASSERT_TRUE(WriteFileBytes(m_junk / "a.tmp", "junk"));
    CProgramRun cleaner("Veltrin.exe");
    ASSERT_TRUE(cleaner.Start());
    const HWND hWnd = PublishedCleanerWindow();
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(ReadTextValue(kProductKey, "strExe"), ProgramFolder() + "Veltrin.exe");
    DWORD dwStart = 0, dwSettings = 0;
    EXPECT_TRUE(ReadDwordValue(kProductKey, "dwStartMess", dwStart) &&
                ReadDwordValue(kProductKey, "dwSettingsMess", dwSettings));
    EXPECT_EQ(dwSettings, 32774u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, dwStart, 0));
    EXPECT_TRUE(WaitFor([&] { return Finished(); }, 120000));
    EXPECT_FALSE(FileExists(m_junk / "a.tmp"));
    EXPECT_TRUE(Exit(cleaner, hWnd));
    EXPECT_TRUE(ValueExists(kSettings, "strDiskOpsDriveList"));

    ASSERT_TRUE(WriteFileBytes(m_junk / "b.tmp", "junk"));
    WriteDwordValue(kSettings + "\\IECookies", "bEnabled", 1);
    HWND hBrowser = CreateWindowExA(0, "STATIC", "Home - Microsoft Internet Explorer", WS_OVERLAPPED,
                                    0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CProgramRun refused("Veltrin.exe");
    ASSERT_TRUE(refused.StartWithOutput("/auto"));
    EXPECT_EQ(refused.Output(), "Cannot Clear Internet Explorer Cookies while Internet Explorer running\r\n");
    EXPECT_EQ(refused.ExitCode(), 2u);
    EXPECT_TRUE(FileExists(m_junk / "b.tmp"));
    DestroyWindow(hBrowser);
}

// "/import:" brings a rule file in without a window and says what became of each entry; a file
// that cannot be read ends it with 1.
TEST_F(Programs, ImportSaysWhatBecameOfEachEntryAndFailsOnAFileItCannotRead)
{
    ASSERT_TRUE(WriteFileBytes(m_junk / "rules.ini", "[Junk Logs *]\r\nFileKey1=" + m_junk.Path() +
                                                         "|*.log\r\n[Gone *]\r\nDetectFile=" +
                                                         m_junk / "gone" + "\r\n"));
    CProgramRun import("Veltrin.exe"), missing("Veltrin.exe");
    ASSERT_TRUE(import.StartWithOutput("/import:\"" + m_junk / "rules.ini\""));
    EXPECT_EQ(import.Output(), "Imported Junk Logs\r\nNot installed here: Gone\r\n"
                               "1 imported, 1 not installed here, 0 skipped\r\n");
    EXPECT_EQ(import.ExitCode(), 0u);
    EXPECT_TRUE(FileExists(m_plugins / "Junk Logs.pld"));
    ASSERT_TRUE(missing.StartWithOutput("/import:" + m_junk / "none.ini"));
    EXPECT_EQ(missing.Output(), "The file " + m_junk / "none.ini" + " could not be opened.\r\n");
    EXPECT_EQ(missing.ExitCode(), 1u);
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
// instance again, a second start (plain or scheduled) while that one cleans
// adds no window and no process, and its clean runs to the end.
TEST_F(Programs, KilledDuringACleanKeepsTheSettingsAndTheNextRunCleans)
{
    CJunkTree tree(m_junk.Path(), 4, 3, 4000);
    ASSERT_TRUE(tree.Fill());
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
        ASSERT_TRUE(WaitFor([&] { return !tree.Missing().empty(); }));
        // Still cleaning, or the kill would prove little.
        ASSERT_LT(tree.Missing().size(), tree.Files().size());
        ASSERT_TRUE(killed.Kill());
        EXPECT_FALSE(Finished());
    }
    EXPECT_TRUE(SnapshotKey(kSettings) == stored);
    EXPECT_EQ(FindWindowA("#32770", "Veltrin PRO"), nullptr);
    CProgramRun program("Veltrin.exe");
    ASSERT_TRUE(program.Start());
    const HWND hWnd = PublishedCleanerWindow();
    ASSERT_TRUE(IsWindow(hWnd)) << "no window after a start that follows the kill";
    const size_t nMissing = tree.Missing().size();
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, kStart, 0));
    ASSERT_TRUE(WaitFor([&] { return tree.Missing().size() > nMissing; }));
    const char* const seconds[][2] = {
        {"", ""}, {"/auto", "Veltrin is already running; no clean was started.\r\n"},
        {"/import:x.ini", "Veltrin is already running; nothing was imported.\r\n"}};
    for (const auto& second : seconds) {
        CProgramRun run("Veltrin.exe");
        ASSERT_TRUE(run.StartWithOutput(second[0]));
        EXPECT_EQ(run.Output(), second[1]);
        EXPECT_EQ(run.ExitCode(), *second[0] ? 3u : 0u);
    }
    EXPECT_EQ(PublishedCleanerWindow(), hWnd);
    EXPECT_TRUE(WaitFor([&] { return Finished(); }, 120000));
    EXPECT_EQ(tree.Missing().size(), tree.Files().size());
    EXPECT_TRUE(FilesInListedOrder(m_junk.Path()).empty());
    EXPECT_TRUE(Exit(program, hWnd));
}
