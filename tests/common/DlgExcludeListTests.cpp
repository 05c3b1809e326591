// The exclude-list dialog over a real folder and a real key, driven as clicks drive it.
#include "common/DlgExcludeList.h"

#include "common/ExcludeListIds.h"
#include "common/RegistryKeys.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Texts;

Texts Items(const CDialog& dialog, int nListId)
{
    const CListBox list(dialog.GetItem(nListId));
    Texts texts;
    for (int nIndex = 0; nIndex < list.GetCount(); ++nIndex)
        texts.push_back(list.GetText(nIndex));
    return texts;
}

bool Enabled(const CDialog& dialog, int nId) { return IsWindowEnabled(dialog.GetItem(nId)) != FALSE; }

class ExcludeList : public CProductKeyTest {};

}  // namespace

// Entries the location holds show on the right, found in any case and spelt as the list spells
// them; OK keeps those, Cancel the list as it was. The buttons move the selected entries.
TEST_F(ExcludeList, ShowsTheLocationsEntriesAndMovesTheSelectedOnes)
{
    CTempFolder folder;
    for (const char* pszName : {"index.dat", "Keep.HTM", "page.htm", "1.txt", "2.txt"})
        ASSERT_TRUE(WriteFileBytes(folder / pszName, pszName));
    ASSERT_TRUE(CreateDirectoryA((folder / "Content.IE5").c_str(), nullptr));
    Texts files = FilesInListedOrder(folder.Path());
    files.erase(std::find(files.begin(), files.end(), "Keep.HTM"));
    // Registry values show as text up to their first zero, whatever their type.
    const std::string strKey = std::string(kProductKey) + "\\ExcludeValues";
    WriteStringValue(strKey, "url1", "http://www.example.com/");
    WriteRawValue(strKey, "url2", REG_BINARY, "ab\0c", 4);
    WriteDwordValue(strKey, "url3", 0x00434241);  // "ABC" and a zero byte
    const struct {
        std::string strLocation;
        ExcludeListMode mode;
        Texts content, excluded;
        int nButton;
    } cases[] = {
        {folder.Path(), EXCLUDE_FILES, files, {"keep.htm"}, IDOK},
        {strKey, EXCLUDE_REGISTRY_VALUES, {"http://www.example.com/", "ab"}, {"ABC"}, IDOK},
        {folder / "missing", EXCLUDE_FILES, {}, {}, IDOK},
        {strKey + "\\Missing", EXCLUDE_REGISTRY_VALUES, {}, {}, IDOK},
        {folder.Path(), EXCLUDE_FILES, files, {"keep.htm"}, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strLocation + (c.nButton == IDOK ? "" : ", cancelled"));
        const Texts original = {"keep.htm", "ABC", "gone.htm"};
        StringList list(original.begin(), original.end());
        CDlgExcludeList dialog(c.strLocation, list, nullptr, RK_CURRENT_USER, c.mode);
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_EQ(Items(dialog, IDC_EXCLUDE_CONTENT), c.content);
        EXPECT_EQ(Items(dialog, IDC_EXCLUDE_LIST), c.excluded);
        EXPECT_FALSE(Enabled(dialog, IDC_EXCLUDE_ADD) || Enabled(dialog, IDC_EXCLUDE_REMOVE));
        ClickButton(dialog, c.nButton);
        EXPECT_EQ(Texts(list.begin(), list.end()), c.nButton == IDOK ? c.excluded : original);
    }
    StringList list;
    CDlgExcludeList dialog(folder.Path(), list, nullptr, 0, EXCLUDE_FILES);
    ASSERT_TRUE(dialog.Create(nullptr));
    const Texts all = Items(dialog, IDC_EXCLUDE_CONTENT);  // in the system's order
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
        {IDC_EXCLUDE_LIST, {2, 4}, IDC_EXCLUDE_REMOVE_ALL, "34021", "", {}, false, false},
        {IDC_EXCLUDE_CONTENT, {0, 4}, IDC_EXCLUDE_ADD, "402", "31", {0}, true, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pszContent);
        // Selects exactly these entries, as a click and shift-clicks would.
        const CListBox from(dialog.GetItem(step.nList));
        from.SetSel(-1, false);
        for (int nIndex : step.selected)
            from.SetSel(nIndex, true);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(step.nList, LBN_SELCHANGE), LPARAM(from.GetHwnd()));
        ClickButton(dialog, step.nButton);
        EXPECT_EQ(Items(dialog, IDC_EXCLUDE_CONTENT), texts(step.pszContent));
        EXPECT_EQ(Items(dialog, IDC_EXCLUDE_LIST), texts(step.pszExcluded));
        EXPECT_EQ(from.GetSelItems(), step.selectedAfter);
        EXPECT_EQ(Enabled(dialog, IDC_EXCLUDE_ADD), step.bAdd);
        EXPECT_EQ(Enabled(dialog, IDC_EXCLUDE_REMOVE), step.bRemove);
    }
    SaveWindowPicture(dialog, ArtifactPath("exclude-file-list.png"));
    ClickButton(dialog, IDOK);
    EXPECT_EQ(Texts(list.begin(), list.end()), texts("31"));
}
