// The setup program in a fresh Wine prefix: what it installs, the installed programs at work,
// and the uninstaller that removes all of it again, silently and through its pages.
#include "VeltrinVersion.h"
#include "cleaner/shell/resource.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Setup and the files it holds.
const std::string kSetupFolder = "C:\\veltrin-setup\\";
const std::string kSetup = kSetupFolder + "Veltrin-setup.exe";
const char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{9E3F2C18-6B7A-4F05-A1D2-53C8E4B7F690}";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const WPARAM kEditorInstall = 32772;
// What setup installs, each with its Start menu shortcut.
const char* const kInstalled[][2] = {{"Veltrin.exe", "Veltrin PRO.lnk"},
                                     {"Actsmith.exe", "Actsmith.lnk"},
                                     {"Veltrin.chm", "Veltrin PRO Help.lnk"},
                                     {"Uninstall.exe", "Uninstall Veltrin PRO.lnk"}};

// Some of the plugins that come with the program, by identifier and file name.
const char* const kShippedPlugins[][2] = {{"Google Chrome: Cache", "Google Chrome - Cache.pld"},
                                           {"Windows: Crash dumps", "Windows - Crash dumps.pld"}};
const size_t kShippedPluginCount = 28;

std::string Installed(const char* pszName) { return ReadTextValue(kUninstallKey, pszName, HKEY_LOCAL_MACHINE); }

std::string ShortcutFolder()
{
    char szPrograms[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, szPrograms);
    return std::string(szPrograms) + "\\Veltrin PRO\\";
}

// Whether a process of that file name is running.
bool ProcessRuns(const char* pszName)
{
    const HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    BOOL bMore = Process32First(hSnapshot, &entry);
    while (bMore && lstrcmpiA(entry.szExeFile, pszName) != 0)
        bMore = Process32Next(hSnapshot, &entry);
    CloseHandle(hSnapshot);
    return bMore != FALSE;
}

// A visible dialog window whose title begins so, other than the one given,
// or null: the wizard of the setup program or uninstaller, or a question it
// asks, which bear its caption.
HWND WizardWindow(const std::string& strTitleStart, HWND hOther = nullptr)
{
    for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, "#32770", nullptr)) != nullptr;) {
        char szTitle[256] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        if (hWnd != hOther && IsWindowVisible(hWnd) && std::string(szTitle).rfind(strTitleStart, 0) == 0)
            return hWnd;
    }
    return nullptr;
}

// Waits for the wizard's default button to be enabled with that text,
// keeps a picture of the page, and presses the button.
bool PressWhenReady(HWND hWizard, const char* pszButton, const std::string& strPicture)
{
    char szText[64] = "";
    if (!WaitFor([&] {
            GetDlgItemTextA(hWizard, IDOK, szText, sizeof(szText));
            return IsWindowEnabled(GetDlgItem(hWizard, IDOK)) && lstrcmpA(szText, pszButton) == 0;
        }, 60000))
        return false;
    SaveWindowPicture(hWizard, ArtifactPath(strPicture));
    return PostMessageA(hWizard, WM_COMMAND, IDOK, 0) != FALSE;
}

// Installs silently once for all the tests of the suite, which run in this order, each on
// what the one before left; the last two uninstall, the last one after installing again.
class InstalledProduct : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CProgramRun setup(kSetup.c_str());
        ASSERT_TRUE(setup.Start("/S"));
        ASSERT_TRUE(setup.HasEnded(120000));
        s_strFolder = Installed("InstallLocation") + "\\";
    }
    void SetUp() override { ASSERT_NE(s_strFolder, "\\") << "the uninstall entry names the folder"; }

    inline static std::string s_strFolder;
};

}  // namespace

TEST_F(InstalledProduct, HasItsFilesShortcutsUninstallEntryAndPluginFileType)
{
    // Each Start menu shortcut starts its file, as the path in it says.
    for (const auto& installed : kInstalled) {
        EXPECT_TRUE(FileExists(s_strFolder + installed[0])) << installed[0];
        EXPECT_NE(ReadFileBytes(ShortcutFolder() + installed[1]).find(s_strFolder + installed[0] + '\0'),
                  std::string::npos) << installed[1];
    }
    // The programs of this build, as setup holds them without their debugging information.
    for (const char* pszFile : {"Veltrin.exe", "Actsmith.exe", "Veltrin.chm"})
        EXPECT_TRUE(ReadFileBytes(s_strFolder + pszFile) == ReadFileBytes(kSetupFolder + pszFile)) << pszFile;
    // The plugins that come with the program, where the cleaner looks by default.
    EXPECT_EQ(FilesInListedOrder(s_strFolder + "Plugins", "*.pld").size(), kShippedPluginCount);
    for (const auto& plugin : kShippedPlugins)
        EXPECT_TRUE(FileExists(s_strFolder + "Plugins\\" + plugin[1])) << plugin[1];
    EXPECT_EQ(Installed("DisplayName"), "Veltrin PRO");
    EXPECT_EQ(Installed("DisplayVersion"), VELTRIN_DISPLAY_VERSION);
    EXPECT_EQ(Installed("UninstallString"), "\"" + s_strFolder + "Uninstall.exe\"");
    EXPECT_EQ(Installed("QuietUninstallString"), "\"" + s_strFolder + "Uninstall.exe\" /S");
    char szCommand[MAX_PATH * 2] = "";
    DWORD cchCommand = sizeof(szCommand);
    ASSERT_EQ(AssocQueryStringA(0, ASSOCSTR_COMMAND, ".pld", "open", szCommand, &cchCommand), S_OK);
    EXPECT_EQ(std::string(szCommand), "\"" + s_strFolder + "Actsmith.exe\" \"%1\"");
}

TEST_F(InstalledProduct, CleanerShowsItsVersionAndTheEditorInstallsAPluginWhereTheCleanerLooks)
{
    // Started from where its shortcut points: Wine's shell does not report
    // the process of a shortcut that it opens.
    CProgramRun cleaner((s_strFolder + "Veltrin.exe").c_str());
    ASSERT_TRUE(cleaner.Start());
    const HWND hCleaner = PublishedCleanerWindow();
    ASSERT_NE(hCleaner, nullptr);
    ASSERT_TRUE(PostMessageA(hCleaner, WM_COMMAND, ID_APP_ABOUT, 0));
    HWND hAbout = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hAbout = FindWindowA("#32770", "About Veltrin PRO")) != nullptr; }));
    char szVersion[256] = "";
    GetDlgItemTextA(hAbout, IDC_ABOUT_VERSION, szVersion, sizeof(szVersion));
    EXPECT_EQ(std::string(szVersion), std::string("Veltrin PRO Version ") + VELTRIN_DISPLAY_VERSION);
    SaveWindowPicture(hAbout, ArtifactPath("installed-about.png"));
    PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hAbout); }));
    PostMessageA(hCleaner, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_TRUE(cleaner.HasEnded());
    // The cleaner listed the plugins that came with it: it stored their options at exit.
    for (const auto& plugin : kShippedPlugins)
        EXPECT_TRUE(KeyExists(std::string(kSettingsKey) + "\\" + plugin[0])) << plugin[0];
    // A plugin double-clicked opens in the installed editor, which installs it in the folder
    // that the cleaner has named in its settings.
    CTempFolder folder;
    const std::string strPlugin = folder / "opened.pld";
    ASSERT_TRUE(WriteFileBytes(strPlugin, PluginBytes(CAction())));
    CProgramRun editor("Actsmith.exe");
    ASSERT_TRUE(editor.Open(strPlugin));
    HWND hFrame = nullptr, hBox = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hFrame = FindWindowA("ActsmithFrame", nullptr)) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return FindInside(hFrame, "ActsmithPluginWindow", "opened.pld") != nullptr; }));
    ASSERT_TRUE(PostMessageA(hFrame, WM_COMMAND, kEditorInstall, 0));
    ASSERT_TRUE(WaitFor([&] { return (hBox = FindWindowA("#32770", "Actsmith")) != nullptr; }));
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ReadFileBytes(s_strFolder + "Plugins\\opened.pld"), ReadFileBytes(strPlugin));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hBox); }));
    PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.HasEnded());
}

TEST_F(InstalledProduct, SilentUninstallRemovesAllItInstalledAndKeepsTheUsersOwn)
{
    // What the user added meanwhile: the cleaner's settings and the plugin of the test before,
    // and the cleaner started with Windows.
    WriteStringValue(kRunKey, "Veltrin PRO", "\"" + s_strFolder + "Veltrin.exe\"",
                     HKEY_LOCAL_MACHINE);
    CProgramRun uninstall((s_strFolder + "Uninstall.exe").c_str());
    ASSERT_TRUE(uninstall.Start("/S"));
    // The uninstaller goes on in a copy of itself in the temporary folder,
    // "Un.exe", so that it can remove itself; it has ended when that is gone.
    EXPECT_TRUE(WaitFor(
        [&] { return !FileExists(s_strFolder + "Uninstall.exe") && !ProcessRuns("Un.exe"); },
        120000));
    for (const auto& installed : kInstalled)
        EXPECT_FALSE(FileExists(s_strFolder + installed[0])) << installed[0];
    EXPECT_FALSE(FileExists(ShortcutFolder()));
    for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        EXPECT_FALSE(KeyExists("Software\\Classes\\.pld", hRoot));
        EXPECT_FALSE(KeyExists("Software\\Classes\\Actsmith.Document", hRoot));
    }
    EXPECT_FALSE(ValueExists(kRunKey, "Veltrin PRO", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(ReadTextValue(kSettingsKey, "strPluginFolder"), s_strFolder + "Plugins");
    // The plugins that came with the program go; the user's own stays.
    EXPECT_EQ(FilesInListedOrder(s_strFolder + "Plugins"), std::vector<std::string>{"opened.pld"});
}

TEST_F(InstalledProduct, WizardsInstallStartTheCleanerAndUninstallWithTheSettingsWhenTold)
{
    // Setup through its pages, and the cleaner started from the last one.
    CProgramRun setup(kSetup.c_str());
    ASSERT_TRUE(setup.Start());
    HWND hSetup = nullptr;
    const std::string strTitle = std::string("Veltrin PRO ") + VELTRIN_DISPLAY_VERSION + " Setup";
    ASSERT_TRUE(WaitFor([&] { return (hSetup = WizardWindow(strTitle)) != nullptr; }));
    ASSERT_TRUE(PressWhenReady(hSetup, "&Next >", "setup-welcome.png"));
    ASSERT_TRUE(PressWhenReady(hSetup, "&Install", "setup-folder.png"));
    ASSERT_TRUE(PressWhenReady(hSetup, "&Finish", "setup-finish.png"));
    EXPECT_TRUE(setup.HasEnded());
    const HWND hCleaner = PublishedCleanerWindow();
    ASSERT_NE(hCleaner, nullptr);
    PostMessageA(hCleaner, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(WaitFor([] { return !ProcessRuns("Veltrin.exe"); }));
    // The uninstaller asks for the go-ahead, then whether to keep the
    // settings and plug-ins: "No" removes them too.
    CProgramRun uninstall((s_strFolder + "Uninstall.exe").c_str());
    ASSERT_TRUE(uninstall.Start());
    HWND hWizard = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWizard = WizardWindow("Veltrin PRO Uninstall")) != nullptr; }));
    ASSERT_TRUE(PressWhenReady(hWizard, "&Uninstall", "uninstall.png"));
    HWND hQuestion = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        hQuestion = WizardWindow("Veltrin PRO Uninstall", hWizard);
        return hQuestion && GetDlgItem(hQuestion, IDNO);
    }));
    SaveWindowPicture(hQuestion, ArtifactPath("uninstall-question.png"));
    PostMessageA(hQuestion, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(PressWhenReady(hWizard, "&Close", "uninstall-done.png"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hWizard) && !ProcessRuns("Un.exe"); }, 60000));
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(FileExists(s_strFolder));
    EXPECT_FALSE(KeyExists(kUninstallKey, HKEY_LOCAL_MACHINE));
}
