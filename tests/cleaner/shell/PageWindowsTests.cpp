// The Windows & Common Controls page: its action boxes, and the swap option
// against the real registry and files of the test prefix, which differs
// between the two families of Windows. CTest runs these tests once more as
// Windows 98 and once more as Windows XP.
#include "cleaner/shell/PageWindows.h"

#include "cleaner/engine/SystemVersion.h"
#include "cleaner/model/ActionManager.h"
#include "common/RegistryKeys.h"
#include "tests/support/PageTest.h"
#include "tests/support/SavedFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char kMarker[] = "{5A0C77E2-3B19-4D6E-9F41-7C2B8E06D1A4}";
const char kMemoryManagementKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const std::string kSwapOptionKey = std::string(kSettingsKey) + "\\WCSwap";
const char kBatchStart[] = "@ECHO OFF\r\n";



size_t CountOf(const std::string& strText, const std::string& strPart)
{
    size_t nCount = 0;
    for (size_t nAt = strText.find(strPart); nAt != std::string::npos;
         nAt = strText.find(strPart, nAt + 1))
        ++nCount;
    return nCount;
}

// The letter the drive list shows.
std::string ShownDrive(const CWindow& page)
{
    char szText[8] = "";
    const HWND hDrives = page.GetItem(IDC_WINDOWS_SWAP_DRIVE);
    const LRESULT nSelected = SendMessageA(hDrives, CB_GETCURSEL, 0, 0);
    if (nSelected < 0)
        return std::string();
    SendMessageA(hDrives, CB_GETLBTEXT, nSelected, reinterpret_cast<LPARAM>(szText));
    return szText;
}

void ChooseDrive(const CWindow& page, char cDrive)
{
    SendMessageA(page.GetItem(IDC_WINDOWS_SWAP_DRIVE), CB_SETCURSEL, cDrive - 'C', 0);
}

class WindowsPage : public CPageTestOf<CPageWindows> {
protected:
    WindowsPage()
        : m_strWindows(WindowsFolder()),
          m_batch(m_strWindows.substr(0, 3) + "autoexec.bat"),
          m_config(m_strWindows + "\\Veltrin.ini"),
          m_rootSwap(m_strWindows.substr(0, 3) + "win386.swp"),
          m_windowsSwap(m_strWindows + "\\win386.swp")
    {
    }

    void SetUp() override
    {
        m_registry.Remove(HKEY_LOCAL_MACHINE, kMemoryManagementKey, "ClearPageFileAtShutdown");
        CPageTestOf::SetUp();
    }

    const std::string m_strWindows;
    CScratchRegistry m_registry;
    CSavedFile m_batch;
    CSavedFile m_config;
    CSavedFile m_rootSwap;
    CSavedFile m_windowsSwap;
};

TEST_F(WindowsPage, BoxesShowAndSetTheirActions)
{
    const struct {
        int nId;
        const char* pszAction;
    } kBoxes[] = {
        {IDC_WINDOWS_OPEN_HISTORY, "WCOpenHistory"},
        {IDC_WINDOWS_TEMP_DIR, "WCTempDir"},
        {IDC_WINDOWS_CLIPBOARD, "WCClipboard"},
        {IDC_WINDOWS_RECYCLE_BIN, "DiskOpRecycleBin"},
        {IDC_WINDOWS_REGEDIT_KEY, "WCRegeditLastKey"},
    };
    for (const auto& shown : kBoxes) {
        for (const auto& box : kBoxes)
            m_manager->GetAction(box.pszAction).bEnabled = box.nId == shown.nId;
        std::unique_ptr<CPageWindows> page = Open();
        for (const auto& box : kBoxes)
            EXPECT_EQ(IsBoxChecked(*page, box.nId), box.nId == shown.nId) << box.pszAction;

        // Every box turned over turns its own action over.
        for (const auto& box : kBoxes)
            ClickControl(*page, box.nId);
        page->Apply();
        for (const auto& box : kBoxes)
            EXPECT_EQ(m_manager->GetAction(box.pszAction).bEnabled, box.nId != shown.nId)
                << box.pszAction;
    }
}

TEST_F(WindowsPage, SwapOptionOnTheNTFamilyIsTheSystemsOwn)
{
    if (!IsWinNT())
        GTEST_SKIP() << "Windows 95/98/ME";
    ASSERT_TRUE(WriteFileBytes(m_strWindows.substr(0, 3) + "autoexec.bat", kBatchStart));
    std::unique_ptr<CPageWindows> page = Open();
    EXPECT_FALSE(IsBoxChecked(*page, IDC_WINDOWS_SWAP));
    const HWND hDrives = page->GetItem(IDC_WINDOWS_SWAP_DRIVE);
    ASSERT_EQ(SendMessageA(hDrives, CB_GETCOUNT, 0, 0), 24);
    char szLast[8] = "";
    SendMessageA(hDrives, CB_GETLBTEXT, 23, reinterpret_cast<LPARAM>(szLast));
    EXPECT_STREQ(szLast, "Z");
    EXPECT_EQ(ShownDrive(*page), "C");

    // No drive to choose, checked or not.
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE_LABEL));
    ClickControl(*page, IDC_WINDOWS_SWAP);
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE_LABEL));
    page->Apply();
    DWORD dwClears = 0;
    EXPECT_TRUE(ReadDwordValue(kMemoryManagementKey, "ClearPageFileAtShutdown", dwClears,
                               HKEY_LOCAL_MACHINE));
    EXPECT_EQ(dwClears, 1u);
    EXPECT_FALSE(FileExists(m_strWindows + "\\Veltrin.ini"));
    EXPECT_EQ(ReadFileBytes(m_strWindows.substr(0, 3) + "autoexec.bat"), kBatchStart);
    EXPECT_FALSE(KeyExists(kSwapOptionKey));

    page = Open();
    EXPECT_TRUE(IsBoxChecked(*page, IDC_WINDOWS_SWAP));
    ClickControl(*page, IDC_WINDOWS_SWAP);
    page->Apply();
    EXPECT_TRUE(ReadDwordValue(kMemoryManagementKey, "ClearPageFileAtShutdown", dwClears,
                               HKEY_LOCAL_MACHINE));
    EXPECT_EQ(dwClears, 0u);
}

TEST_F(WindowsPage, SwapOptionOnWindows9xSetsUpTheClearingOnTheChosenDrive)
{
    if (!IsWin9x())
        GTEST_SKIP() << "NT family";
    const std::string strBatch = m_strWindows.substr(0, 3) + "autoexec.bat";
    const std::string strConfig = m_strWindows + "\\Veltrin.ini";
    const std::string strRootSwap = m_strWindows.substr(0, 3) + "win386.swp";
    ASSERT_TRUE(WriteFileBytes(strBatch, kBatchStart));
    ASSERT_TRUE(WriteFileBytes(strRootSwap, "swap"));
    DeleteFileA((m_strWindows + "\\win386.swp").c_str());
    CTestDrive drive;
    ASSERT_TRUE(drive.MapFolder());
    ASSERT_TRUE(WriteFileBytes(drive / "win386.swp", "swap"));
    const char cOther = drive.Root()[0];

    std::unique_ptr<CPageWindows> page = Open();
    EXPECT_FALSE(IsBoxChecked(*page, IDC_WINDOWS_SWAP));
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE_LABEL));
    EXPECT_EQ(ShownDrive(*page), "C");
    ClickControl(*page, IDC_WINDOWS_SWAP);
    EXPECT_TRUE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    EXPECT_TRUE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE_LABEL));
    ChooseDrive(*page, m_strWindows[0]);
    page->Apply();
    DWORD dwEnabled = 0;
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 1u);
    EXPECT_EQ(ReadFileBytes(strConfig), "PageFile = \"" + strRootSwap + "\"\r\n");
    EXPECT_EQ(CountOf(ReadFileBytes(strBatch), kMarker), 1u);

    // The page opens on the drive that the clearing is set up for, so that
    // leaving it does not move the clearing elsewhere.
    const std::string strOtherSwap = drive / "win386.swp";
    for (int nVisit = 0; nVisit < 2; ++nVisit) {
        page = Open();
        EXPECT_TRUE(IsBoxChecked(*page, IDC_WINDOWS_SWAP));
        EXPECT_TRUE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
        if (nVisit == 0)
            ChooseDrive(*page, cOther);
        else
            EXPECT_EQ(ShownDrive(*page), std::string(1, cOther));
        page->Apply();
        EXPECT_EQ(ReadFileBytes(strConfig), "PageFile = \"" + strOtherSwap + "\"\r\n");
        EXPECT_EQ(CountOf(ReadFileBytes(strBatch), kMarker), 1u);
    }

    ClickControl(*page, IDC_WINDOWS_SWAP);
    EXPECT_FALSE(IsItemEnabled(*page, IDC_WINDOWS_SWAP_DRIVE));
    page->Apply();
    EXPECT_TRUE(ReadDwordValue(kSwapOptionKey, "Enabled", dwEnabled));
    EXPECT_EQ(dwEnabled, 0u);
    EXPECT_EQ(ReadFileBytes(strConfig), "");
    EXPECT_EQ(ReadFileBytes(strBatch), kBatchStart);
    EXPECT_FALSE(ValueExists(kMemoryManagementKey, "ClearPageFileAtShutdown",
                             HKEY_LOCAL_MACHINE));
}

}  // namespace
