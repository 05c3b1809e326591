// The General page against the registry of the test prefix: the start-up
// entry in the machine's Run key, the window's options, the wipe method and
// the clear-log flags.
#include "cleaner/shell/PageGeneral.h"

#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/ShellOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/PageTest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Veltrin PRO";
const std::string kSettings = kSettingsKey;
const std::string kGeneral = kSettings + "\\General";

std::string ProgramPath()
{
    char szPath[MAX_PATH];
    return std::string(szPath, GetModuleFileNameA(nullptr, szPath, MAX_PATH));
}

void RemoveValue(const std::string& strKey, const char* pszName)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(hKey, pszName);
    RegCloseKey(hKey);
}

class GeneralPage : public CPageTestOf<CPageGeneral> {
protected:
    CSavedValue m_run{HKEY_LOCAL_MACHINE, kRunKey, kRunValue};
};

TEST_F(GeneralPage, StartWithWindowsIsTheRunValueWithTheProgramsPath)
{
    WriteStringValue(kRunKey, kRunValue, "", HKEY_LOCAL_MACHINE);
    {
        // An empty entry starts nothing; the page clears it away.
        std::unique_ptr<CPageGeneral> page = Open();
        EXPECT_FALSE(IsBoxChecked(*page, IDC_GENERAL_START_WITH_WINDOWS));
        EXPECT_FALSE(ValueExists(kRunKey, kRunValue, HKEY_LOCAL_MACHINE));
        EXPECT_EQ(CWindow(page->GetItem(IDC_GENERAL_START_WITH_WINDOWS)).GetText(),
                  "Start Veltrin PRO at Windows start up");

        ClickControl(*page, IDC_GENERAL_START_WITH_WINDOWS);
        page->Apply();
        EXPECT_EQ(ReadTextValue(kRunKey, kRunValue, HKEY_LOCAL_MACHINE), ProgramPath());
    }
    {
        // An entry of another copy of the program is taken over by this one.
        WriteStringValue(kRunKey, kRunValue, "C:\\Old\\Veltrin.exe", HKEY_LOCAL_MACHINE);
        std::unique_ptr<CPageGeneral> page = Open();
        EXPECT_TRUE(IsBoxChecked(*page, IDC_GENERAL_START_WITH_WINDOWS));
        page->Apply();
        EXPECT_EQ(ReadTextValue(kRunKey, kRunValue, HKEY_LOCAL_MACHINE), ProgramPath());

        ClickControl(*page, IDC_GENERAL_START_WITH_WINDOWS);
        page->Apply();
        EXPECT_FALSE(ValueExists(kRunKey, kRunValue, HKEY_LOCAL_MACHINE));
    }
    EXPECT_FALSE(IsBoxChecked(*Open(), IDC_GENERAL_START_WITH_WINDOWS));
}

TEST_F(GeneralPage, WindowOptionsAreStoredWhenTheyAreApplied)
{
    // Missing values show their defaults: no clean at shutdown, tray on close.
    std::unique_ptr<CPageGeneral> page = Open();
    EXPECT_FALSE(IsBoxChecked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN));
    EXPECT_TRUE(IsBoxChecked(*page, IDC_GENERAL_MOVE_TO_TRAY));

    ClickControl(*page, IDC_GENERAL_RUN_AT_SHUTDOWN);
    ClickControl(*page, IDC_GENERAL_MOVE_TO_TRAY);
    EXPECT_FALSE(ValueExists(kGeneral, "bRunAtShutdown"));
    page->Apply();
    DWORD dwValue = 2;
    EXPECT_TRUE(ReadDwordValue(kGeneral, "bRunAtShutdown", dwValue));
    EXPECT_EQ(dwValue, 1u);
    EXPECT_TRUE(ReadDwordValue(kSettings, "bMoveToTrayOnClose", dwValue));
    EXPECT_EQ(dwValue, 0u);
    EXPECT_TRUE(ReadRunAtShutdown());
    EXPECT_FALSE(ReadMoveToTrayOnClose());

    page = Open();
    EXPECT_TRUE(IsBoxChecked(*page, IDC_GENERAL_RUN_AT_SHUTDOWN));
    EXPECT_FALSE(IsBoxChecked(*page, IDC_GENERAL_MOVE_TO_TRAY));
}

TEST_F(GeneralPage, WipeMethodSetsModeAndWarpTogether)
{
    const struct {
        int nButton;
        uint32_t dwMode;
        bool bWarp;
    } kCases[] = {
        {IDC_GENERAL_WIPE_RANDOM, 2, true},
        {IDC_GENERAL_NO_WIPE, 0, false},
        {IDC_GENERAL_WIPE_ZERO, 1, true},
    };
    const int kButtons[] = {IDC_GENERAL_NO_WIPE, IDC_GENERAL_WIPE_ZERO, IDC_GENERAL_WIPE_RANDOM};
    for (const auto& c : kCases) {
        std::unique_ptr<CPageGeneral> page = Open();
        ClickControl(*page, c.nButton);
        page->Apply();
        EXPECT_EQ(m_settings->bFileOpsWipeMode.Get(), c.dwMode) << c.nButton;
        EXPECT_EQ(m_settings->bFileOpsWarp.Get(), c.bWarp) << c.nButton;
        // The next page shows the method chosen, and no other.
        page = Open();
        for (int nButton : kButtons)
            EXPECT_EQ(IsBoxChecked(*page, nButton), nButton == c.nButton) << nButton;
    }

    // A method that no button stands for stays until the user picks one.
    m_settings->bFileOpsWipeMode = 7;
    m_settings->bFileOpsWarp = true;
    Open()->Apply();
    EXPECT_EQ(m_settings->bFileOpsWipeMode.Get(), 7u);
    EXPECT_TRUE(m_settings->bFileOpsWarp.Get());
}

TEST_F(GeneralPage, ClearLogFlagsAreStoredUnchangedUnlessABoxChanges)
{
    const int kStart = IDC_GENERAL_CLEAR_LOG_AT_START;
    const int kClose = IDC_GENERAL_CLEAR_LOG_AT_CLOSE;
    const struct {
        int64_t nStored;       // -1: missing
        const char* pszShown;  // the boxes checked: "S" at start, "C" at close
        std::vector<int> clicks;
        DWORD dwStored;
    } kCases[] = {
        {-1, "", {}, 1},  // missing reads as the master bit alone
        {0, "", {}, 0},
        {2, "", {}, 2},  // an occasion without the master bit
        {2, "", {kStart, kStart}, 2},  // ticked and cleared again
        {3, "S", {}, 3},
        {9, "C", {}, 9},
        {0x1B, "SC", {}, 0x1B},  // with a bit the page does not know
        {1, "", {kStart}, 3},
        {3, "S", {kClose}, 11},
        {3, "S", {kStart}, 0},  // nothing left to switch on
        {11, "SC", {kStart}, 9},
        {2, "", {kClose}, 9},  // the occasion shown as off stays off
        {0x13, "S", {kStart}, 0x10},
        {0x10, "", {kClose}, 0x19},
    };
    for (const auto& c : kCases) {
        if (c.nStored < 0)
            RemoveValue(kSettings, "dwClearLogFlags");
        else
            WriteDwordValue(kSettings, "dwClearLogFlags", static_cast<DWORD>(c.nStored));
        std::unique_ptr<CPageGeneral> page = Open();
        const std::string strShown = std::string(IsBoxChecked(*page, kStart) ? "S" : "") +
                                     (IsBoxChecked(*page, kClose) ? "C" : "");
        EXPECT_EQ(strShown, c.pszShown) << c.nStored;
        for (int nId : c.clicks)
            ClickControl(*page, nId);
        page->Apply();
        DWORD dwStored = 0xDEAD;
        EXPECT_TRUE(ReadDwordValue(kSettings, "dwClearLogFlags", dwStored));
        EXPECT_EQ(dwStored, c.dwStored) << c.nStored;
        // The window does what the boxes say.
        EXPECT_EQ(ClearsLogAt(CLF_AT_START), IsBoxChecked(*page, kStart)) << c.nStored;
        EXPECT_EQ(ClearsLogAt(CLF_AT_CLOSE), IsBoxChecked(*page, kClose)) << c.nStored;
    }
}

}  // namespace
