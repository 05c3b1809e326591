// The item selection dialog: which text OK, a double click and Cancel hand
// back.
#include "editor/DlgSelectItem.h"

#include "editor/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

const StringVector kItems = {"first", "second", "third"};

CListView ListOf(HWND hDialog)
{
    return CListView(GetDlgItem(hDialog, IDC_SELECT_LIST));
}

void Select(HWND hDialog, int nRow)
{
    const UINT uState = LVIS_SELECTED | LVIS_FOCUSED;
    ListOf(hDialog).SetItemState(nRow, uState, uState);
}

void DoubleClick(HWND hDialog, int nRow)
{
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = ListOf(hDialog);
    activate.hdr.idFrom = IDC_SELECT_LIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = nRow;
    SendMessageA(hDialog, WM_NOTIFY, IDC_SELECT_LIST, reinterpret_cast<LPARAM>(&activate));
}

}  // namespace

TEST(SelectItemDialog, ShowsTheTextsUnderItsCaption)
{
    CSelectItemDlg dialog("Pick one", kItems);
    StringVector shown;
    std::string strColumn;
    int cxColumn = 0;
    int cxList = 0;
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        const CListView list = ListOf(hDialog);
        for (int nRow = 0; nRow < list.GetItemCount(); ++nRow)
            shown.push_back(list.GetItemText(nRow));
        char szTitle[32] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szTitle;
        column.cchTextMax = sizeof(szTitle);
        SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        strColumn = szTitle;
        cxColumn = list.GetColumnWidth(0);
        const RECT rect = list.GetWindowRect();
        cxList = rect.right - rect.left;
        Select(hDialog, 1);
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("editor-select-item.png")));
        ClickButton(hDialog, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0], "Pick one");
    EXPECT_EQ(shown, kItems);
    EXPECT_EQ(strColumn, "Items");
    EXPECT_EQ(cxColumn, cxList - 20);
    EXPECT_EQ(dialog.GetPicked(), "");
}

TEST(SelectItemDialog, HandsBackTheSelectedTextOnOkOrDoubleClick)
{
    const struct {
        const char* what;
        int nRow;  // selected before the user acts; -1 for none
        bool bDoubleClick;
        int nButton;  // pressed after a double click that left the dialog open
        INT_PTR nResult;
        const char* picked;
    } cases[] = {
        {"OK", 1, false, IDOK, IDOK, "second"},
        {"OK without a selection", -1, false, IDOK, IDOK, ""},
        {"Cancel", 2, false, IDCANCEL, IDCANCEL, ""},
        {"double click", 2, true, 0, IDOK, "third"},
        {"double click without a selection", -1, true, IDCANCEL, IDCANCEL, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSelectItemDlg dialog("Pick one", kItems);
        CModalAnswers answers;
        answers.Add([&c](HWND hDialog) {
            if (c.nRow >= 0)
                Select(hDialog, c.nRow);
            if (c.bDoubleClick)
                DoubleClick(hDialog, c.nRow >= 0 ? c.nRow : 0);
            if (c.nButton)
                ClickButton(hDialog, c.nButton);
        });
        EXPECT_EQ(dialog.DoModal(nullptr), c.nResult);
        EXPECT_EQ(dialog.GetPicked(), c.picked);
    }
}
