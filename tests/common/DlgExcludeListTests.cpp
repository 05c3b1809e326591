// The exclude-list dialog over a real folder and a real key, driven as clicks drive it.
#include "common/DlgExcludeList.h"

#include "common/ExcludeListIds.h"
#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

typedef std::vector<std::string> Texts;

Texts ListTexts(HWND hList)
{
    Texts texts;
    for (int nIndex = 0; nIndex < CListBox(hList).GetCount(); ++nIndex)
        texts.push_back(CListBox(hList).GetText(nIndex));
    return texts;
}

Texts Listed(const StringList& list) { return Texts(list.begin(), list.end()); }

// The dialog made modeless, so that a test reads and clicks it between steps.
class CExcludeDialog {
public:
    CExcludeDialog(const std::string& strLocation, StringList& list, uint32_t dwRoot, ExcludeListMode mode)
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
        m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.GetHwnd()));
    }
    std::vector<int> Selected(int nListId) const { return CListBox(m_dialog.GetItem(nListId)).GetSelItems(); }
    void Click(int nButtonId) const { ClickButton(m_dialog, nButtonId); }
    bool IsEnabled(int nButtonId) const { return IsWindowEnabled(m_dialog.GetItem(nButtonId)) != FALSE; }

private:
    CDlgExcludeList m_dialog;
};

class ExcludeList : public CProductKeyTest {
protected:
    void AddFile(const std::string& strName) { ASSERT_TRUE(WriteFileBytes(m_folder / strName, strName)); }
    CTempFolder m_folder;
};

}  // namespace

// Entries the location holds show on the right, found in any case and spelt as
// the list spells them; OK keeps those.
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
    const Texts all = dialog.Content();  // in the system's order
    ASSERT_EQ(all.size(), 5u);
    const auto texts = [&](const char* pszIndices) {
        Texts result;
        for (const char* p = pszIndices; *p; ++p)
            result.push_back(all[*p - '0']);
        return result;
    };
    // A list, the entries selected there, a button; then both sides, the place
    // selected (the first one moved, else the new last) and what can move on.
    const struct {
        int nList;
        std::vector<int> selected;
        int nButton;
        const char *pszContent, *pszExcluded;
        std::vector<int> selectedAfter;
        bool bAdd, bRemove;
    } steps[] = {
        {IDC_EXCLUDE_CONTENT, {1, 3}, IDC_EXCLUDE_ADD, "024", "13", {1}, true, false},
        {IDC_EXCLUDE_CONTENT, {2}, IDC_EXCLUDE_ADD, "02", "134", {1}, true, false},
        {IDC_EXCLUDE_LIST, {0}, IDC_EXCLUDE_REMOVE, "021", "34", {0}, true, true},
        {IDC_EXCLUDE_LIST, {}, IDC_EXCLUDE_ADD_ALL, "", "34021", {}, false, false},
        {IDC_EXCLUDE_LIST, {}, IDC_EXCLUDE_ADD_ALL, "", "34021", {}, false, false},
        {IDC_EXCLUDE_LIST, {2, 4}, IDC_EXCLUDE_REMOVE_ALL, "34021", "", {}, false, false},
        {IDC_EXCLUDE_CONTENT, {0, 4}, IDC_EXCLUDE_ADD, "402", "31", {0}, true, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pszContent);
        dialog.Select(step.nList, step.selected);
        dialog.Click(step.nButton);
        EXPECT_EQ(dialog.Content(), texts(step.pszContent));
        EXPECT_EQ(dialog.Excluded(), texts(step.pszExcluded));
        EXPECT_EQ(dialog.Selected(step.nList), step.selectedAfter);
        EXPECT_EQ(dialog.IsEnabled(IDC_EXCLUDE_ADD), step.bAdd);
        EXPECT_EQ(dialog.IsEnabled(IDC_EXCLUDE_REMOVE), step.bRemove);
    }
    dialog.Click(IDOK);
    EXPECT_EQ(Listed(list), texts("31"));
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
        SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDC_EXCLUDE_CONTENT, LBN_SELCHANGE), LPARAM(hContent));
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("exclude-file-list.png")));
        ClickButton(hDialog, IDC_EXCLUDE_ADD);
        ClickButton(hDialog, IDCANCEL);
    });
    CDlgExcludeList dialog(m_folder.Path(), list, nullptr, 0, EXCLUDE_FILES);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(Listed(list), Texts({"index.dat", "gone.txt"}));
}
