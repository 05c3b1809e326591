// The exclude-list dialog over a real folder and a real key, driven by the
// messages a user's clicks send, and the folder browser of the pages.
#include "common/DlgExcludeList.h"

#include "common/ExcludeListIds.h"
#include "common/RegistryKeys.h"
#include "framework/TreeView.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace {

typedef std::vector<std::string> Texts;

Texts ListTexts(HWND hList)
{
    const CListBox list(hList);
    Texts texts;
    for (int nIndex = 0; nIndex < list.GetCount(); ++nIndex)
        texts.push_back(list.GetText(nIndex));
    return texts;
}

Texts Listed(const StringList& list)
{
    return Texts(list.begin(), list.end());
}

// The dialog made modeless, so that a test reads and clicks it between steps.
class CExcludeDialog {
public:
    CExcludeDialog(const std::string& strLocation, StringList& list, uint32_t dwRoot,
                   ExcludeListMode mode)
        : m_dialog(strLocation, list, nullptr, dwRoot, mode)
    {
        EXPECT_TRUE(m_dialog.Create(nullptr));
    }

    Texts Content() const { return ListTexts(m_dialog.GetItem(IDC_EXCLUDE_CONTENT)); }
    Texts Excluded() const { return ListTexts(m_dialog.GetItem(IDC_EXCLUDE_LIST)); }
    // Selects exactly these entries, as a click and shift-clicks would.
    void Select(int nListId, const std::vector<int>& indices) const
    {
        const CListBox list(m_dialog.GetItem(nListId));
        list.SetSel(-1, false);
        for (int nIndex : indices)
            list.SetSel(nIndex, true);
        m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nListId, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list.GetHwnd()));
    }
    std::vector<int> Selected(int nListId) const
    {
        return CListBox(m_dialog.GetItem(nListId)).GetSelItems();
    }
    void Click(int nButtonId) const { ClickButton(m_dialog, nButtonId); }
    bool IsEnabled(int nButtonId) const
    {
        return IsWindowEnabled(m_dialog.GetItem(nButtonId)) != FALSE;
    }

private:
    CDlgExcludeList m_dialog;
};

class ExcludeList : public CProductKeyTest {
protected:
    void AddFile(const std::string& strName)
    {
        ASSERT_TRUE(WriteFileBytes(m_folder / strName, "content of " + strName));
    }

    CTempFolder m_folder;
};

}  // namespace

// Entries of the list that the location holds show on the right, found
// without regard to case and spelt as the list spells them; OK keeps those.
TEST_F(ExcludeList, ShowsTheLocationsEntriesAndKeepsTheExcludedOnesItHolds)
{
    for (const char* pszName : {"index.dat", "Keep.HTM", "page.htm"})
        AddFile(pszName);
    ASSERT_TRUE(CreateDirectoryA((m_folder / "Content.IE5").c_str(), nullptr));
    Texts files = FilesInListedOrder(m_folder.Path());
    files.erase(std::find(files.begin(), files.end(), "Keep.HTM"));
    // Registry values show as text up to their first zero, whatever their type.
    const std::string strKey = std::string(kProductKey) + "\\ExcludeValues";
    const char binary[] = {'a', 'b', '\0', 'c'};
    WriteStringValue(strKey, "url1", "http://www.example.com/");
    WriteRawValue(strKey, "url2", REG_BINARY, binary, sizeof(binary));
    WriteDwordValue(strKey, "url3", 0x00434241);  // "ABC" and a zero byte
    WriteStringValue(strKey, "url4", "FTP://files.example.com/");
    const struct {
        std::string strLocation;
        ExcludeListMode mode;
        Texts content, excluded;
    } cases[] = {
        {m_folder.Path(), EXCLUDE_FILES, files, {"keep.htm"}},
        {m_folder.Path() + "\\", EXCLUDE_FILES, files, {"keep.htm"}},
        {strKey, EXCLUDE_REGISTRY_VALUES, {"http://www.example.com/", "ab"},
         {"ABC", "ftp://files.example.com/"}},
        {m_folder / "missing", EXCLUDE_FILES, {}, {}},
        {strKey + "\\Missing", EXCLUDE_REGISTRY_VALUES, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strLocation);
        StringList list = {"keep.htm", "ABC", "ftp://files.example.com/", "gone.htm"};
        CExcludeDialog dialog(c.strLocation, list, RK_CURRENT_USER, c.mode);
        EXPECT_EQ(dialog.Content(), c.content);
        EXPECT_EQ(dialog.Excluded(), c.excluded);
        EXPECT_FALSE(dialog.IsEnabled(IDC_EXCLUDE_ADD) || dialog.IsEnabled(IDC_EXCLUDE_REMOVE));
        dialog.Click(IDOK);
        EXPECT_EQ(Listed(list), c.excluded);
    }
}

TEST_F(ExcludeList, ButtonsMoveTheSelectedEntriesAndKeepASelectionInPlace)
{
    for (const char* pszName : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"})
        AddFile(pszName);
    StringList list;
    CExcludeDialog dialog(m_folder.Path(), list, 0, EXCLUDE_FILES);
    // Listed in the order of the test, whatever the system's order.
    const Texts all = dialog.Content();
    ASSERT_EQ(all.size(), 5u);

    dialog.Select(IDC_EXCLUDE_CONTENT, {1, 3});
    EXPECT_TRUE(dialog.IsEnabled(IDC_EXCLUDE_ADD));
    EXPECT_FALSE(dialog.IsEnabled(IDC_EXCLUDE_REMOVE));
    dialog.Click(IDC_EXCLUDE_ADD);
    EXPECT_EQ(dialog.Excluded(), Texts({all[1], all[3]}));
    EXPECT_EQ(dialog.Content(), Texts({all[0], all[2], all[4]}));
    // The first selected place is selected again, now holding the next entry.
    EXPECT_EQ(dialog.Selected(IDC_EXCLUDE_CONTENT), std::vector<int>({1}));
    EXPECT_TRUE(dialog.IsEnabled(IDC_EXCLUDE_ADD));

    // Moving the last entry selects the one that is last now.
    dialog.Select(IDC_EXCLUDE_CONTENT, {2});
    dialog.Click(IDC_EXCLUDE_ADD);
    EXPECT_EQ(dialog.Content(), Texts({all[0], all[2]}));
    EXPECT_EQ(dialog.Selected(IDC_EXCLUDE_CONTENT), std::vector<int>({1}));

    dialog.Select(IDC_EXCLUDE_LIST, {0});
    EXPECT_TRUE(dialog.IsEnabled(IDC_EXCLUDE_REMOVE));
    dialog.Click(IDC_EXCLUDE_REMOVE);
    EXPECT_EQ(dialog.Content(), Texts({all[0], all[2], all[1]}));
    EXPECT_EQ(dialog.Excluded(), Texts({all[3], all[4]}));

    dialog.Click(IDC_EXCLUDE_ADD_ALL);
    EXPECT_TRUE(dialog.Content().empty());
    EXPECT_EQ(dialog.Excluded(), Texts({all[3], all[4], all[0], all[2], all[1]}));
    EXPECT_FALSE(dialog.IsEnabled(IDC_EXCLUDE_ADD));
    // Nothing left to move.
    dialog.Click(IDC_EXCLUDE_ADD_ALL);
    dialog.Click(IDC_EXCLUDE_ADD);
    EXPECT_EQ(dialog.Excluded().size(), 5u);

    // All entries go back in their order, whatever was selected.
    dialog.Select(IDC_EXCLUDE_LIST, {2, 4});
    dialog.Click(IDC_EXCLUDE_REMOVE_ALL);
    EXPECT_EQ(dialog.Content(), Texts({all[3], all[4], all[0], all[2], all[1]}));
    EXPECT_TRUE(dialog.Excluded().empty());
    EXPECT_FALSE(dialog.IsEnabled(IDC_EXCLUDE_REMOVE));

    dialog.Select(IDC_EXCLUDE_CONTENT, {0, 4});
    dialog.Click(IDC_EXCLUDE_ADD);
    dialog.Click(IDOK);
    EXPECT_EQ(Listed(list), Texts({all[3], all[1]}));
}

TEST_F(ExcludeList, CancelLeavesTheListAsItWas)
{
    for (const char* pszName : {"cookie1.txt", "cookie2.txt", "index.dat"})
        AddFile(pszName);
    StringList list = {"index.dat", "gone.txt"};
    // Run as the pages run it; the picture shows entries on both sides.
    CModalAnswers answers;
    answers.Add([](HWND hDialog) {
        const HWND hContent = GetDlgItem(hDialog, IDC_EXCLUDE_CONTENT);
        SendMessageA(hContent, LB_SETSEL, TRUE, 0);
        SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDC_EXCLUDE_CONTENT, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hContent));
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("exclude-file-list.png")));
        ClickButton(hDialog, IDC_EXCLUDE_ADD);
        ClickButton(hDialog, IDCANCEL);
    });
    CDlgExcludeList dialog(m_folder.Path(), list, nullptr, 0, EXCLUDE_FILES);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(answers.Seen().at(0).substr(0, 17), "Exclude File List");
    EXPECT_EQ(Listed(list), Texts({"index.dat", "gone.txt"}));
}

namespace {

// An edit of a page's folder field, in a window of its own.
class FolderBrowser : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hEdit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(m_hEdit, nullptr);
        ASSERT_TRUE(CreateDirectoryA((m_folder / "Inner").c_str(), nullptr));
        // The browser shows the folder's long name.
        char szLong[MAX_PATH];
        ASSERT_NE(GetLongPathNameA((m_folder / "Inner").c_str(), szLong, MAX_PATH), 0u);
        m_strInner = szLong;
    }
    void TearDown() override { DestroyWindow(m_hEdit); }

    std::string EditText() const { return CWindow(m_hEdit).GetText(); }

    // The browser fills its tree and moves to the preselected folder after
    // it has appeared; the answer waits until it is there.
    bool OnInner(HWND hBrowser) const
    {
        const CTreeView tree(FindWindowExA(hBrowser, nullptr, WC_TREEVIEWA, nullptr));
        return tree.GetHwnd() && tree.GetSelection() &&
               tree.GetItemText(tree.GetSelection()) == m_strInner.substr(m_strInner.rfind('\\') + 1);
    }
    // An answer that moves the browser's selection from the folder it
    // opened on to that folder's parent, notes what the edit shows then,
    // and presses the button.
    void SelectParentAndPress(CModalAnswers& answers, int nButtonId, std::string& strShown)
    {
        auto waitingSince = std::make_shared<DWORD>(0);
        auto isReady = [this, waitingSince](HWND hBrowser) {
            if (!*waitingSince)
                *waitingSince = GetTickCount();
            return OnInner(hBrowser) || GetTickCount() - *waitingSince > 10000;
        };
        answers.AddWhenReady(isReady, [this, nButtonId, &strShown](HWND hBrowser) {
            // Under a heavy load Wine's browser now and then drops its first
            // selection as it refreshes its tree; the folder is then chosen
            // again, as a person would.
            if (!OnInner(hBrowser))
                SendMessageA(hBrowser, BFFM_SETSELECTIONA, TRUE,
                             reinterpret_cast<LPARAM>(m_strInner.c_str()));
            HWND hTree = FindWindowExA(hBrowser, nullptr, WC_TREEVIEWA, nullptr);
            // Pressed even when it failed, or the browser would stay open.
            EXPECT_TRUE(OnInner(hBrowser)) << "the browser cannot reach the folder";
            const HTREEITEM hSelected = TreeView_GetSelection(hTree);
            m_strOpenedOn = EditText();
            TreeView_SelectItem(hTree, TreeView_GetParent(hTree, hSelected));
            strShown = EditText();
            ClickButton(hBrowser, nButtonId);
        });
    }

    CTempFolder m_folder;
    std::string m_strInner;
    std::string m_strOpenedOn;
    HWND m_hEdit = nullptr;
};

}  // namespace

// The edit shows the folder the browser is on; Cancel puts its text back.
TEST_F(FolderBrowser, TheEditFollowsTheBrowserAndCancelPutsItsTextBack)
{
    const std::string strParent = m_strInner.substr(0, m_strInner.rfind('\\'));
    for (int nButton : {IDCANCEL, IDOK}) {
        SetWindowTextA(m_hEdit, m_strInner.c_str());
        std::string strShown;
        CModalAnswers answers;
        SelectParentAndPress(answers, nButton, strShown);
        EXPECT_EQ(BrowseForFolder("Select a folder", m_hEdit), nButton == IDOK ? 1 : 2);
        EXPECT_EQ(answers.Pending(), 0u);
        EXPECT_EQ(m_strOpenedOn, m_strInner);
        EXPECT_EQ(strShown, strParent);
        EXPECT_EQ(EditText(), nButton == IDOK ? strParent : m_strInner);
    }
}
