// The settings dialog and its check-box pages in the test's process, driven
// by the messages a user's clicks and keys would send.
#include "cleaner/shell/DlgSettings.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/CheckBoxPages.h"
#include "cleaner/shell/resource.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class SettingsDialog : public CManagerTest {
protected:
    void TearDown() override
    {
        m_pDialog.reset();
        CManagerTest::TearDown();
    }
    CDlgSettings& Open()
    {
        m_pDialog.reset(new CDlgSettings(Build()));
        EXPECT_TRUE(m_pDialog->Create(nullptr));
        m_pDialog->Show(SW_SHOW);
        return *m_pDialog;
    }
    // Selects the item with that text, as a click on it does.
    void Select(const std::string& strText)
    {
        CTreeView& tree = m_pDialog->GetTree();
        for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
            if (tree.GetItemText(hItem) == strText) {
                ASSERT_TRUE(tree.SelectItem(hItem));
                return;
            }
        }
        FAIL() << "no item " << strText;
    }
    HWND PageItem(int nId) const { return m_pDialog->GetPage()->GetItem(nId); }
    bool PageChecked(int nId) const
    {
        return SendMessageA(PageItem(nId), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void ClickPageItem(int nId) const { ClickControl(m_pDialog->GetPage()->GetHwnd(), nId); }
    std::string FrameText() const
    {
        return CWindow(m_pDialog->GetItem(IDC_PAGE_FRAME)).GetText();
    }

    std::unique_ptr<CDlgSettings> m_pDialog;
};

struct TreeRow {
    std::string strText;
    int nDepth;
    int nImage;
    LPARAM lPage;
    bool bExpanded;
};

TEST_F(SettingsDialog, TreeHoldsEveryPageUnderItsGroupWithGroupsOpenAndNothingSelected)
{
    CDlgSettings& dialog = Open();
    CTreeView& tree = dialog.GetTree();
    std::vector<TreeRow> rows;
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
        int nDepth = 0;
        for (HTREEITEM hUp = TreeView_GetParent(tree, hItem); hUp;
             hUp = TreeView_GetParent(tree, hUp))
            ++nDepth;
        rows.push_back({tree.GetItemText(hItem), nDepth, tree.GetItemImage(hItem),
                        tree.GetItemData(hItem), tree.IsExpanded(hItem)});
    }
    const std::vector<TreeRow> expected = {
        {"General", 0, 2, 152, false},
        {"Browsers", 0, 3, 0, true},
        {"Internet Explorer & AOL", 1, 0, 0, true},
        {"Contents", 2, 0, 130, false},
        {"Cookies & index.dat", 2, 0, 158, false},
        {"Properties (IE Only)", 2, 0, 156, false},
        {"Netscape & Mozilla", 1, 0, 133, false},
        {"Opera", 1, 0, 151, false},
        {"System", 0, 4, 0, true},
        {"Start Menu", 1, 0, 131, false},
        {"Windows & Common Controls", 1, 0, 132, false},
        {"Network", 1, 0, 154, false},
        {"Comunications", 0, 5, 141, false},
        {"Multimedia", 0, 7, 157, false},
        {"Drive Operations", 0, 6, 145, false},
        {"Plug-Ins", 0, 8, 155, false},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t n = 0; n < rows.size(); ++n) {
        EXPECT_EQ(rows[n].strText, expected[n].strText);
        EXPECT_EQ(rows[n].nDepth, expected[n].nDepth) << rows[n].strText;
        EXPECT_EQ(rows[n].nImage, expected[n].nImage) << rows[n].strText;
        EXPECT_EQ(rows[n].lPage, expected[n].lPage) << rows[n].strText;
        EXPECT_EQ(rows[n].bExpanded, expected[n].bExpanded) << rows[n].strText;
    }
    EXPECT_EQ(tree.GetSelection(), nullptr);
    EXPECT_EQ(dialog.GetPage(), nullptr);
    EXPECT_EQ(TreeView_GetBkColor(tree), static_cast<COLORREF>(RGB(210, 225, 210)));
    EXPECT_NE(TreeView_GetImageList(tree, TVSIL_NORMAL), nullptr);
}

TEST_F(SettingsDialog, LeavingAPageAppliesItAndAGroupShowsNoPage)
{
    CDlgSettings& dialog = Open();
    m_manager->GetAction("IEHistory").bEnabled = false;
    Select("Contents");
    ASSERT_NE(dialog.GetPage(), nullptr);
    EXPECT_EQ(FrameText(), "Contents");
    // The page fills the area of the frame.
    const RECT page = dialog.GetPage()->GetRectInParent();
    const RECT frame = CWindow(dialog.GetItem(IDC_PAGE_FRAME)).GetRectInParent();
    EXPECT_EQ(page.left, frame.left);
    EXPECT_EQ(page.top, frame.top);
    EXPECT_EQ(page.right, frame.right);
    EXPECT_EQ(page.bottom, frame.bottom);
    EXPECT_TRUE(dialog.GetPage()->IsVisible());
    ClickPageItem(IDC_CONTENTS_HISTORY);
    EXPECT_FALSE(m_manager->GetAction("IEHistory").bEnabled) << "applied before leaving";

    Select("Browsers");
    EXPECT_TRUE(m_manager->GetAction("IEHistory").bEnabled);
    EXPECT_EQ(dialog.GetPage(), nullptr);
    EXPECT_EQ(FrameText(), "Browsers");

    // A text with "&" shows it in the frame.
    Select("Internet Explorer & AOL");
    EXPECT_EQ(FrameText(), "Internet Explorer && AOL");
}

TEST_F(SettingsDialog, EveryWayOfClosingAppliesTheOpenPageButEnterDoesNotClose)
{
    CDlgSettings& dialog = Open();
    m_manager->GetAction("NetLastUserLogon").bEnabled = false;
    Select("Network");
    ClickPageItem(IDC_NETWORK_USER_LOGON);

    // Enter and Escape reach the page through the dialog's keyboard
    // handling; the page ignores them and the dialog stays.
    HWND hBox = PageItem(IDC_NETWORK_USER_LOGON);
    SetFocus(hBox);
    MSG enter = {hBox, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    IsDialogMessageA(dialog, &enter);
    dialog.SendMessage(WM_COMMAND, IDOK);
    dialog.GetPage()->SendMessage(WM_COMMAND, IDOK);
    dialog.GetPage()->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(dialog.IsVisible());
    ASSERT_NE(dialog.GetPage(), nullptr);
    EXPECT_TRUE(PageChecked(IDC_NETWORK_USER_LOGON));
    EXPECT_FALSE(m_manager->GetAction("NetLastUserLogon").bEnabled);

    // The close box: the dialog turns it into "Close/Apply".
    dialog.SendMessage(WM_CLOSE);
    ServeMessages(50);
    EXPECT_TRUE(m_manager->GetAction("NetLastUserLogon").bEnabled);
    EXPECT_EQ(dialog.GetPage(), nullptr);
    EXPECT_FALSE(dialog.IsVisible());
}

// Every item with a page opens the page of its dialog id, which names the
// help page that F1 shows.
TEST_F(SettingsDialog, EveryPageItemOpensItsPageWithItsHelp)
{
    const std::map<std::string, std::string> kHelpPages = {
        {"General", "general.htm"},
        {"Contents", "browsers.internetexplorer.htm"},
        {"Cookies & index.dat", "browsers.internetexplorer.htm"},
        {"Properties (IE Only)", "browsers.internetexplorer.htm"},
        {"Netscape & Mozilla", "browsers.netscapenavigator.htm"},
        {"Opera", "browsers.opera.htm"},
        {"Start Menu", "system.startmenu.htm"},
        {"Windows & Common Controls", "system.windows.commoncontrols.htm"},
        {"Network", "system.network.htm"},
        {"Comunications", "communications.mail.htm"},
        {"Multimedia", "multimedia.htm"},
        {"Drive Operations", "driveoperations.htm"},
        {"Plug-Ins", "plugins.htm"},
    };
    CDlgSettings& dialog = Open();
    CTreeView& tree = dialog.GetTree();
    for (HTREEITEM hItem = tree.GetRoot(); hItem; hItem = tree.GetNextInTree(hItem)) {
        const std::string strText = tree.GetItemText(hItem);
        ASSERT_TRUE(tree.SelectItem(hItem));
        const LPARAM lPageId = tree.GetItemData(hItem);
        if (lPageId == 0) {
            EXPECT_EQ(dialog.GetPage(), nullptr) << strText;
            continue;
        }
        ASSERT_NE(dialog.GetPage(), nullptr) << strText;
        EXPECT_EQ(dialog.GetPage()->GetTemplateId(), static_cast<UINT>(lPageId)) << strText;
        EXPECT_EQ(dialog.GetPage()->GetHelpPage(), kHelpPages.at(strText));
        SaveWindowPicture(dialog, ArtifactPath("settings-" + std::to_string(lPageId) + ".png"));
    }
}

TEST_F(SettingsDialog, CheckBoxPagesShowAndSetTheirActionsBothWays)
{
    CDlgSettings& dialog = Open();
    const char* const pages[] = {"Contents", "Start Menu", "Opera", "Network", "Multimedia"};
    for (const char* pszPage : pages) {
        Select(pszPage);
        ASSERT_NE(dialog.GetPage(), nullptr) << pszPage;
        const UINT nPageId = static_cast<UINT>(
            dialog.GetTree().GetItemData(dialog.GetTree().GetSelection()));
        const CheckBoxPageLayout* pLayout = CCheckBoxPage::FindLayout(nPageId);
        ASSERT_NE(pLayout, nullptr) << pszPage;
        EXPECT_EQ(dialog.GetPage()->GetHelpPage(), pLayout->pszHelpPage);

        // Every other action on: the page must show exactly that pattern,
        // which no box can match by accident of its order.
        Select("System");
        bool bOn = true;
        for (const CheckBinding& binding : pLayout->bindings) {
            m_manager->GetAction(binding.pszActionId).bEnabled = bOn;
            bOn = !bOn;
        }
        Select(pszPage);
        bOn = true;
        for (const CheckBinding& binding : pLayout->bindings) {
            EXPECT_EQ(PageChecked(binding.nControlId), bOn) << binding.pszActionId;
            ClickPageItem(binding.nControlId);
            bOn = !bOn;
        }
        EXPECT_TRUE(dialog.GetPage()->Apply());
        bOn = false;
        for (const CheckBinding& binding : pLayout->bindings) {
            EXPECT_EQ(m_manager->GetAction(binding.pszActionId).bEnabled, bOn)
                << binding.pszActionId;
            bOn = !bOn;
        }
    }
}

TEST_F(SettingsDialog, ExcludeButtonsOpenTheExcludeListOfTheirTarget)
{
    CDlgSettings& dialog = Open();
    Select("Contents");
    CModalAnswers answers;
    answers.Press(IDCANCEL);
    ClickPageItem(IDC_CONTENTS_CACHE_EXCLUDE);
    EXPECT_EQ(answers.Pending(), 0u);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].substr(0, 17), "Exclude File List");
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(SettingsDialog, OnlyTheWidthFollowsTheFrame)
{
    CDlgSettings& dialog = Open();
    Select("Opera");
    const RECT window = dialog.GetWindowRect();
    const RECT tree = dialog.GetTree().GetRectInParent();
    const RECT page = dialog.GetPage()->GetRectInParent();
    MINMAXINFO limits = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, window.right - window.left);
    EXPECT_EQ(limits.ptMaxTrackSize.y, window.bottom - window.top);

    dialog.SetPos(nullptr, 0, 0, window.right - window.left + 60, window.bottom - window.top,
                  SWP_NOMOVE | SWP_NOZORDER);
    const RECT wideTree = dialog.GetTree().GetRectInParent();
    const RECT movedPage = dialog.GetPage()->GetRectInParent();
    EXPECT_EQ(wideTree.right - wideTree.left, tree.right - tree.left + 60);
    EXPECT_EQ(movedPage.left, page.left + 60);
    EXPECT_EQ(movedPage.right - movedPage.left, page.right - page.left);
}

}  // namespace
