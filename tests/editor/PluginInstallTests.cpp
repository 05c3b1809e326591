// Installing a saved plugin into the cleaner's plugin folder: the file that
// lands there, the message that says how it went, and the cleaner's setting
// that names the folder, which the editor only reads.
#include "editor/PluginInstall.h"

#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

const char kFolderValue[] = "strPluginFolder";
const char kCannot[] = "Actsmith\nCannot to install Plugin";
typedef std::vector<std::string> Names;

class PluginInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryA(m_strPlugins.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_folder / "My").c_str(), nullptr));
        ASSERT_TRUE(WriteFileBytes(m_strSaved, "new plugin"));
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, m_strPlugins + "\\");
    }
    ~PluginInstall() override { DestroyWindow(m_hOwner); }

    // Installs and answers the one message box, which the owner owns with
    // the icon expected; returns what it said.
    std::string Install(const std::string& strDocumentPath, LPCSTR pszIcon)
    {
        CModalAnswers answers;
        answers.Add([&](HWND hBox) {
            EXPECT_EQ(MessageBoxIcon(hBox), LoadIconA(nullptr, pszIcon));
            EXPECT_EQ(GetWindow(hBox, GW_OWNER), m_hOwner);
            ClickButton(hBox, IDOK);
        });
        EXPECT_EQ(InstallPlugin(m_hOwner, strDocumentPath), pszIcon == IDI_INFORMATION);
        EXPECT_EQ(answers.Pending(), 0u);
        return answers.Seen().empty() ? "" : answers.Seen()[0];
    }

    CTempFolder m_folder;
    CScratchRegistry m_registry;
    const std::string m_strPlugins = m_folder / "Plugins", m_strSaved = m_folder / "My\\cookies.pld";
    const std::string m_strInstalled = m_strPlugins + "\\cookies.pld";
    const HWND m_hOwner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
};

}  // namespace

TEST_F(PluginInstall, CopiesTheSavedFileOverAnOlderOneOfItsNameAndSaysSo)
{
    ASSERT_TRUE(WriteFileBytes(m_strInstalled, "older plugin, longer"));
    ASSERT_TRUE(WriteFileBytes(m_strPlugins + "\\other.pld", "other"));
    EXPECT_EQ(Install(m_strSaved, IDI_INFORMATION), "Actsmith\nPlugin was installed");
    EXPECT_EQ(ReadFileBytes(m_strInstalled), "new plugin");
    EXPECT_EQ(ReadFileBytes(m_strSaved), "new plugin");
    // Nothing of the copy's way is left beside the plugins.
    EXPECT_EQ(FilesInListedOrder(m_strPlugins), Names({"cookies.pld", "other.pld"}));
    EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), m_strPlugins + "\\");
    // A plugin saved in the plugin folder is installed already.
    EXPECT_EQ(Install(m_strInstalled, IDI_INFORMATION), "Actsmith\nPlugin was installed");
    EXPECT_EQ(ReadFileBytes(m_strInstalled), "new plugin");
    EXPECT_EQ(FilesInListedOrder(m_strPlugins).size(), 2u);
}

TEST_F(PluginInstall, RefusesWithAnExclamationWhenThereIsNoFileOrNoFolder)
{
    const std::string strNotSaved = "Actsmith\nPlugin isn't saved. Please save it first";
    const struct {
        const char* pszCase;
        std::string strDocument, strFolder;  // "<missing>": the cleaner's settings name none
        std::string strMessage;
    } cases[] = {
        {"never saved", "", m_strPlugins, strNotSaved},
        {"never saved, no folder", "", "<missing>", strNotSaved},
        {"no folder value", m_strSaved, "<missing>", kCannot},
        {"empty folder value", m_strSaved, "", kCannot},
        {"folder that is not there", m_strSaved, m_folder / "Gone", kCannot},
        {"saved file deleted since", m_folder / "My\\deleted.pld", m_strPlugins, kCannot},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszCase);
        if (test.strFolder == "<missing>")
            m_registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kFolderValue);
        else
            m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, kFolderValue, test.strFolder);
        EXPECT_EQ(Install(test.strDocument, IDI_EXCLAMATION), test.strMessage);
        // The folder is the cleaner's setting: reading it creates nothing.
        EXPECT_EQ(ReadTextValue(kSettingsKey, kFolderValue), test.strFolder);
        EXPECT_TRUE(FilesInListedOrder(m_strPlugins).empty());
    }
    EXPECT_FALSE(FileExists(m_folder / "Gone"));
}

TEST_F(PluginInstall, AFailedInstallKeepsTheInstalledPluginWhole)
{
    for (bool bReadOnly : {false, true}) {
        SCOPED_TRACE(bReadOnly);
        ASSERT_TRUE(WriteFileBytes(m_strInstalled, "older plugin"));
        SetFileAttributesA(m_strInstalled.c_str(), bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        // Or the cleaner reading it, and letting no one else in meanwhile.
        const HANDLE hHeld = bReadOnly ? INVALID_HANDLE_VALUE
                                       : CreateFileA(m_strInstalled.c_str(), GENERIC_READ, 0,
                                                     nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(Install(m_strSaved, IDI_EXCLAMATION), kCannot);
        CloseHandle(hHeld);
        SetFileAttributesA(m_strInstalled.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(m_strInstalled), "older plugin");
        EXPECT_EQ(FilesInListedOrder(m_strPlugins), Names{"cookies.pld"});
    }
}
