// The real Actsmith.exe beside the test program: the plugin named on its
// command line opens in a window, its Tools menu installs it into the
// cleaner's plugin folder, and the real cleaner then cleans with it.
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSettings = kSettingsKey;
const WPARAM kInstallCommand = 32772;
const WPARAM kCleanerStartCommand = 32771;
const WPARAM kCleanerExitCommand = 32790;

std::string DialogText(HWND hDialog)
{
    std::string strText;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char szText[256] = "";
        GetWindowTextA(hChild, szText, sizeof(szText));
        strText += szText;
    }
    return strText;
}

// The editor keeps its recent files under a key of its own.
class ActsmithProgram : public CProductKeyTest {
protected:
    void TearDown() override
    {
        DeleteKeyTree("Software\\Local AppWizard-Generated Applications\\Actsmith");
        CProductKeyTest::TearDown();
    }
};

}  // namespace

TEST_F(ActsmithProgram, OpensTheFileOfItsCommandLineAndInstallsWhatTheCleanerCleans)
{
    CTempFolder junk;
    CTempFolder plugins;
    CTempFolder saved;
    ASSERT_TRUE(WriteFileBytes(junk / "a.tmp", "junk"));
    ASSERT_TRUE(WriteFileBytes(junk / "b.log", "more junk"));
    CAction plugin;
    plugin.strId = "EditedJunk";
    plugin.strTitle = "Clear the junk of the edited plugin";
    plugin.bEnabled = true;
    plugin.lstFiles = {FolderContent(junk.Path())};
    const std::string strPlugin = saved / "junk.pld";
    ASSERT_TRUE(WriteFileBytes(strPlugin, PluginBytes(plugin)));
    WriteStringValue(kSettings, "strPluginFolder", plugins.Path());

    CProgramRun editor("Actsmith.exe");
    ASSERT_TRUE(editor.Start("\"" + strPlugin + "\""));
    HWND hFrame = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hFrame = FindWindowA("ActsmithFrame", nullptr)) != nullptr; }));
    HWND hPlugin = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        return (hPlugin = FindInside(hFrame, "ActsmithPluginWindow", "junk.pld")) != nullptr;
    }));

    // "Install the active plugin" copies the saved file and says so.
    ASSERT_TRUE(PostMessageA(hFrame, WM_COMMAND, kInstallCommand, 0));
    HWND hBox = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hBox = FindWindowA("#32770", "Actsmith")) != nullptr; }));
    EXPECT_EQ(DialogText(hBox).find("Plugin was installed") != std::string::npos, true)
        << DialogText(hBox);
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ReadFileBytes(plugins / "junk.pld"), ReadFileBytes(strPlugin));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hBox); }));
    PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.HasEnded());

    // The cleaner finds the plugin at its start and cleans its folder.
    WriteDwordValue(kSettings + "\\EditedJunk", "bEnabled", 1);
    CProgramRun cleaner("Veltrin.exe");
    ASSERT_TRUE(cleaner.Start());
    const HWND hCleaner = PublishedCleanerWindow();
    ASSERT_NE(hCleaner, nullptr);
    ASSERT_TRUE(PostMessageA(hCleaner, WM_COMMAND, kCleanerStartCommand, 0));
    EXPECT_TRUE(WaitFor([&] { return !FileExists(junk / "a.tmp") && !FileExists(junk / "b.log"); }));
    PostMessageA(hCleaner, WM_COMMAND, kCleanerExitCommand, 0);
    EXPECT_TRUE(cleaner.HasEnded());
}
