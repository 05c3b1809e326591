// The Drive Operations page over the test's own manager: the fixed drives
// with the stored ones checked, the masks of the disk scan, and the question
// that enabling the scan asks.
#include "cleaner/shell/PageDriveOperations.h"

#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/StringList.h"
#include "tests/support/PageTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The drives the list shows, each followed by "+" when its box is checked.
std::vector<std::string> ShownDrives(const CWindow& page)
{
    const CListView list(page.GetItem(IDC_DRIVES_LIST));
    std::vector<std::string> drives;
    for (int nItem = 0; nItem < list.GetItemCount(); ++nItem) {
        const bool bChecked = ListView_GetCheckState(list.GetHwnd(), nItem) != FALSE;
        drives.push_back(list.GetItemText(nItem) + (bChecked ? "+" : ""));
        EXPECT_EQ(list.GetItemImage(nItem), 0) << nItem;
    }
    return drives;
}

void CheckDrive(const CWindow& page, int nItem, bool bChecked)
{
    ListView_SetCheckState(page.GetItem(IDC_DRIVES_LIST), nItem, bChecked);
}

std::vector<std::string> ShownMasks(const CWindow& page)
{
    const HWND hList = page.GetItem(IDC_DRIVES_MASKS);
    std::vector<std::string> masks;
    const LRESULT nCount = SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (LRESULT nItem = 0; nItem < nCount; ++nItem) {
        char szMask[256] = "";
        SendMessageA(hList, LB_GETTEXT, nItem, reinterpret_cast<LPARAM>(szMask));
        masks.push_back(szMask);
    }
    return masks;
}

LRESULT SelectedMask(const CWindow& page)
{
    return SendMessageA(page.GetItem(IDC_DRIVES_MASKS), LB_GETCURSEL, 0, 0);
}

void AddMask(const CWindow& page, const char* pszMask)
{
    SetDlgItemTextA(page, IDC_DRIVES_MASK, pszMask);
    ClickControl(page, IDC_DRIVES_ADD_MASK);
}

void RemoveMask(const CWindow& page, LRESULT nItem)
{
    SendMessageA(page.GetItem(IDC_DRIVES_MASKS), LB_SETCURSEL, nItem, 0);
    ClickControl(page, IDC_DRIVES_REMOVE_MASK);
}

// The question the page puts: its text is kept, the answers come from the
// test.
std::vector<std::string> g_questions;
std::vector<EnableAnswer> g_answers;

EnableAnswer RecordQuestion(const std::string& strQuestion)
{
    g_questions.push_back(strQuestion);
    if (g_answers.empty())
        return EnableAnswer{false, true};
    const EnableAnswer answer = g_answers.front();
    g_answers.erase(g_answers.begin());
    return answer;
}

class DriveOperationsPage : public CPageTestOf<CPageDriveOperations> {
protected:
    void SetUp() override
    {
        CPageTestOf::SetUp();
        g_questions.clear();
        g_answers.clear();
        SetEnableQuestion(RecordQuestion);
    }
    void TearDown() override
    {
        SetEnableQuestion(nullptr);
        CPageTestOf::TearDown();
    }

    CAction& Scan() { return m_manager->GetAction("DiskOpScan"); }
    StringVector& Masks() { return Scan().lstFiles.front().vecMasks; }
};

// A drive mapped while the test runs does not reach the system's list of
// drives under Wine, so the list here is often C: alone.
TEST_F(DriveOperationsPage, ListsTheFixedDrivesWithTheStoredOnesChecked)
{
    const StringVector fixed = SplitAtSeparator(GetFixedDrives(), '|');
    ASSERT_FALSE(fixed.empty());
    ASSERT_EQ(fixed.front(), "C:\\");

    const struct {
        const char* pszStored;
        const char* pszChecked;  // the one drive shown checked, if any
    } kCases[] = {
        {"", ""},
        {"C:\\|", "C:\\"},
        {"C:\\", "C:\\"},       // the first-run list
        {"Q:\\|C:\\|", "C:\\"},  // with a drive that is no longer there
        {"Q:\\|", ""},
        {"c:\\|", "C:\\"},  // a letter is a letter in either case
    };
    for (const auto& c : kCases) {
        m_settings->strDiskOpsDriveList = c.pszStored;
        std::unique_ptr<CPageDriveOperations> page = Open();
        std::vector<std::string> expected;
        for (const std::string& strRoot : fixed)
            expected.push_back(strRoot + (strRoot == c.pszChecked ? "+" : ""));
        EXPECT_EQ(ShownDrives(*page), expected) << c.pszStored;
        page->Apply();
        EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(),
                  *c.pszChecked ? std::string(c.pszChecked) + "|" : "")
            << c.pszStored;
    }

    // Checked drives are stored in the order of the list, each followed by
    // the separator.
    std::unique_ptr<CPageDriveOperations> page = Open();
    for (int nItem = static_cast<int>(fixed.size()) - 1; nItem >= 0; --nItem)
        CheckDrive(*page, nItem, true);
    page->Apply();
    EXPECT_EQ(m_settings->strDiskOpsDriveList.Get(), JoinStrings(fixed, '|'));
}

TEST_F(DriveOperationsPage, MasksAreTheScansOwn)
{
    Scan().bEnabled = true;
    Masks() = {"*.tmp", "*.bak", "*.old", "~*.*"};
    std::unique_ptr<CPageDriveOperations> page = Open();
    EXPECT_EQ(ShownMasks(*page), Masks());

    AddMask(*page, "*.chk");
    AddMask(*page, "*.chk");  // kept once
    AddMask(*page, "");
    AddMask(*page, "*.CHK");  // a mask of its own: the comparison is exact
    AddMask(*page, "*.gid|*.tmp|");  // read back as masks of their own when stored
    const StringVector added = {"*.tmp", "*.bak", "*.old", "~*.*", "*.chk", "*.CHK", "*.gid"};
    EXPECT_EQ(Masks(), added);
    EXPECT_EQ(ShownMasks(*page), added);

    // The next entry moves up into the place of the removed one; after the
    // last, the new last is selected.
    RemoveMask(*page, 1);
    EXPECT_EQ(SelectedMask(*page), 1);
    EXPECT_EQ(ShownMasks(*page)[1], "*.old");
    RemoveMask(*page, 5);
    EXPECT_EQ(SelectedMask(*page), 4);
    RemoveMask(*page, 0);
    EXPECT_EQ(SelectedMask(*page), 0);
    const StringVector left = {"*.old", "~*.*", "*.chk", "*.CHK"};
    EXPECT_EQ(Masks(), left);
    EXPECT_EQ(ShownMasks(*page), left);
    while (!Masks().empty())
        RemoveMask(*page, 0);
    EXPECT_EQ(SelectedMask(*page), LB_ERR);
    ClickControl(*page, IDC_DRIVES_REMOVE_MASK);  // nothing selected, nothing removed
    AddMask(*page, "*.$$$");
    page->Apply();

    // The program stores them as its include list.
    page.reset();
    m_manager.reset();
    EXPECT_EQ(m_settings->strDiskOpsIncludeList.Get(), "*.$$$");
    Build();
    EXPECT_EQ(ShownMasks(*Open()), StringVector{"*.$$$"});
}

TEST_F(DriveOperationsPage, EnablingTheScanAsksWithItsWarning)
{
    Scan().bEnabled = false;
    m_manager->GetAction("DiskOpFreeSpace").bEnabled = false;
    const std::string strQuestion = EnableQuestionText(Scan());
    ASSERT_NE(strQuestion.find("You will not be able to restore these files!"),
              std::string::npos);
    const int kMaskControls[] = {IDC_DRIVES_MASKS, IDC_DRIVES_MASK, IDC_DRIVES_ADD_MASK,
                                 IDC_DRIVES_REMOVE_MASK};
    std::unique_ptr<CPageDriveOperations> page = Open();
    const auto expectMaskControls = [&](bool bEnabled) {
        for (int nId : kMaskControls)
            EXPECT_EQ(IsItemEnabled(*page, nId), bEnabled) << nId;
    };
    expectMaskControls(false);

    // No: the box clears itself again.
    g_answers = {{false, true}};
    ClickControl(*page, IDC_DRIVES_SCAN);
    EXPECT_EQ(g_questions, std::vector<std::string>{strQuestion});
    EXPECT_FALSE(IsBoxChecked(*page, IDC_DRIVES_SCAN));
    EXPECT_FALSE(Scan().bEnabled);
    expectMaskControls(false);

    // Yes, without the warning next time.
    g_answers = {{true, false}};
    ClickControl(*page, IDC_DRIVES_SCAN);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_TRUE(IsBoxChecked(*page, IDC_DRIVES_SCAN));
    EXPECT_TRUE(Scan().bEnabled);
    expectMaskControls(true);

    // Turning it off asks nothing, nor does turning it on again.
    ClickControl(*page, IDC_DRIVES_SCAN);
    expectMaskControls(false);
    ClickControl(*page, IDC_DRIVES_SCAN);
    EXPECT_EQ(g_questions.size(), 2u);
    EXPECT_TRUE(IsBoxChecked(*page, IDC_DRIVES_SCAN));

    ClickControl(*page, IDC_DRIVES_FREE_SPACE);
    page->Apply();
    EXPECT_TRUE(Scan().bEnabled);
    EXPECT_TRUE(m_manager->GetAction("DiskOpFreeSpace").bEnabled);

    page = Open();
    EXPECT_TRUE(IsBoxChecked(*page, IDC_DRIVES_SCAN));
    EXPECT_TRUE(IsBoxChecked(*page, IDC_DRIVES_FREE_SPACE));
    ClickControl(*page, IDC_DRIVES_SCAN);
    ClickControl(*page, IDC_DRIVES_FREE_SPACE);
    page->Apply();
    EXPECT_FALSE(Scan().bEnabled);
    EXPECT_FALSE(m_manager->GetAction("DiskOpFreeSpace").bEnabled);
}

}  // namespace
