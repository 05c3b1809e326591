// Installing a saved plugin into the cleaner's plugin folder: the file that
// lands there, the message that says how it went, and the cleaner's setting
// that names the folder, which the editor only reads.
#include "editor/PluginInstall.h"

#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kFolderValue[] = "strPluginFolder";
const char kNotSaved[] = "Plugin isn't saved. Please save it first";
const char kCannot[] = "Cannot to install Plugin";
const char kInstalled[] = "Plugin was installed";

struct CShown {
    std::string strText;  // caption, then the text, each on its own line
    HICON hIcon;
    bool bOwned;  // by the window the install was given
};

class PluginInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(m_hOwner, nullptr);
        ASSERT_TRUE(CreateDirectoryA(Plugins().c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_folder / "My").c_str(), nullptr));
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, Plugins());
    }
    void TearDown() override { DestroyWindow(m_hOwner); }

    std::string Plugins() const { return m_folder / "Plugins"; }
    std::string Saved() const { return m_folder / "My\\cookies.pld"; }

    // Installs and answers the one message box; returns what it showed.
    CShown Install(const std::string& strDocumentPath, bool* pbInstalled = nullptr)
    {
        CShown shown = {"", nullptr, false};
        CModalAnswers answers;
        answers.Add([&](HWND hBox) {
            shown.hIcon = MessageBoxIcon(hBox);
            shown.bOwned = GetWindow(hBox, GW_OWNER) == m_hOwner;
            ClickButton(hBox, IDOK);
        });
        const bool bInstalled = InstallPlugin(m_hOwner, strDocumentPath);
        if (pbInstalled)
            *pbInstalled = bInstalled;
        EXPECT_EQ(answers.Pending(), 0u);
        if (!answers.Seen().empty())
            shown.strText = answers.Seen()[0];
        return shown;
    }

    CTempFolder m_folder;
    CScratchRegistry m_registry;
    HWND m_hOwner = nullptr;
    const HICON m_hExclamation = LoadIconA(nullptr, IDI_EXCLAMATION);
    const HICON m_hInformation = LoadIconA(nullptr, IDI_INFORMATION);
};

}  // namespace

TEST_F(PluginInstall, CopiesTheSavedFileOverAnOlderOneOfItsNameAndSaysSo)
{
    ASSERT_TRUE(WriteFileBytes(Saved(), "new plugin"));
    ASSERT_TRUE(WriteFileBytes(Plugins() + "\\cookies.pld", "older plugin, longer"));
    ASSERT_TRUE(WriteFileBytes(Plugins() + "\\other.pld", "other"));

    bool bInstalled = false;
    const CShown shown = Install(Saved(), &bInstalled);
    EXPECT_TRUE(bInstalled);
    EXPECT_EQ(shown.strText, std::string("Actsmith\n") + kInstalled);
    EXPECT_EQ(shown.hIcon, m_hInformation);
    EXPECT_TRUE(shown.bOwned);

    EXPECT_EQ(ReadFileBytes(Plugins() + "\\cookies.pld"), "new plugin");
    EXPECT_EQ(ReadFileBytes(Plugins() + "\\other.pld"), "other");
    EXPECT_EQ(ReadFileBytes(Saved()), "new plugin");
    // Nothing of the copy's way is left beside the plugins.
    EXPECT_EQ(FilesInListedOrder(Plugins()).size(), 2u);
    EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), Plugins());
}

TEST_F(PluginInstall, InstallsTheLastSavedStateIntoAFolderGivenWithATrailingBackslash)
{
    m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, Plugins() + "\\");
    ASSERT_TRUE(WriteFileBytes(Saved(), "saved"));
    EXPECT_EQ(Install(Saved()).strText, std::string("Actsmith\n") + kInstalled);
    EXPECT_EQ(ReadFileBytes(Plugins() + "\\cookies.pld"), "saved");
}

TEST_F(PluginInstall, APluginSavedInThePluginFolderIsInstalledAlready)
{
    const std::string strInPlace = Plugins() + "\\cookies.pld";
    ASSERT_TRUE(WriteFileBytes(strInPlace, "in place"));
    EXPECT_EQ(Install(strInPlace).strText, std::string("Actsmith\n") + kInstalled);
    EXPECT_EQ(ReadFileBytes(strInPlace), "in place");
    EXPECT_EQ(FilesInListedOrder(Plugins()), std::vector<std::string>{"cookies.pld"});
}

TEST_F(PluginInstall, RefusesWithAnExclamationWhenThereIsNoFileOrNoFolder)
{
    ASSERT_TRUE(WriteFileBytes(Saved(), "saved"));
    struct {
        const char* pszCase;
        std::string strDocument;
        bool bFolderValue;  // false: the cleaner's settings name no folder
        std::string strFolder;
        const char* pszMessage;
    } const cases[] = {
        {"never saved", "", true, Plugins(), kNotSaved},
        {"never saved, no folder", "", false, "", kNotSaved},
        {"no folder value", Saved(), false, "", kCannot},
        {"empty folder value", Saved(), true, "", kCannot},
        {"folder that is not there", Saved(), true, m_folder / "Gone", kCannot},
        {"saved file deleted since", m_folder / "My\\deleted.pld", true, Plugins(), kCannot},
    };
    for (const auto& test : cases) {
        if (test.bFolderValue)
            m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, test.strFolder);
        else
            m_registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kFolderValue);
        bool bInstalled = true;
        const CShown shown = Install(test.strDocument, &bInstalled);
        EXPECT_FALSE(bInstalled) << test.pszCase;
        EXPECT_EQ(shown.strText, std::string("Actsmith\n") + test.pszMessage) << test.pszCase;
        EXPECT_EQ(shown.hIcon, m_hExclamation) << test.pszCase;
        EXPECT_TRUE(shown.bOwned) << test.pszCase;
        // The folder is the cleaner's setting: reading it creates nothing.
        if (test.bFolderValue)
            EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), test.strFolder) << test.pszCase;
        else
            EXPECT_FALSE(ValueExists(kSettingsKey, kFolderValue)) << test.pszCase;
        EXPECT_TRUE(FilesInListedOrder(Plugins()).empty()) << test.pszCase;
    }
    EXPECT_FALSE(FileExists(m_folder / "Gone"));
}

TEST_F(PluginInstall, AFailedInstallKeepsTheInstalledPluginWhole)
{
    ASSERT_TRUE(WriteFileBytes(Saved(), "new plugin"));
    const std::string strInstalled = Plugins() + "\\cookies.pld";
    for (bool bReadOnly : {false, true}) {
        ASSERT_TRUE(WriteFileBytes(strInstalled, "older plugin"));
        HANDLE hHeld = INVALID_HANDLE_VALUE;
        if (bReadOnly) {
            SetFileAttributesA(strInstalled.c_str(), FILE_ATTRIBUTE_READONLY);
        } else {
            // The cleaner reading it, and letting no one else in meanwhile.
            hHeld = CreateFileA(strInstalled.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
        }
        const CShown shown = Install(Saved());
        if (hHeld != INVALID_HANDLE_VALUE)
            CloseHandle(hHeld);
        SetFileAttributesA(strInstalled.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(shown.strText, std::string("Actsmith\n") + kCannot) << bReadOnly;
        EXPECT_EQ(shown.hIcon, m_hExclamation) << bReadOnly;
        EXPECT_EQ(ReadFileBytes(strInstalled), "older plugin") << bReadOnly;
        EXPECT_EQ(FilesInListedOrder(Plugins()), std::vector<std::string>{"cookies.pld"})
            << bReadOnly;
    }
}

TEST(InstalledPluginPath, IsTheFileNameInTheFolderWithOneSeparator)
{
    struct {
        const char* pszFolder;
        const char* pszDocument;
        const char* pszInstalled;
    } const cases[] = {
        {"D:\\Cleaner\\Plugins", "C:\\My\\cookies.pld", "D:\\Cleaner\\Plugins\\cookies.pld"},
        {"D:\\Cleaner\\Plugins\\", "C:\\My\\cookies.pld", "D:\\Cleaner\\Plugins\\cookies.pld"},
        {"D:\\", "C:\\cookies.pld", "D:\\cookies.pld"},
        {"D:\\Plugins", "cookies.pld", "D:\\Plugins\\cookies.pld"},
        {"D:\\Plugins", "C:/My/cookies.pld", "D:\\Plugins\\cookies.pld"},
        {"D:\\Plugins", "C:\\My.dir\\no extension", "D:\\Plugins\\no extension"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(InstalledPluginPath(test.pszFolder, test.pszDocument), test.pszInstalled)
            << test.pszFolder << " + " << test.pszDocument;
}
