#include "editor/ListPage.h"

#include "common/DlgExcludeList.h"
#include "editor/DlgSelectItem.h"
#include "editor/PathPresets.h"
#include "editor/resource.h"
#include "framework/ComboBox.h"
#include "framework/FileDialog.h"
#include "framework/ImageList.h"

#include <commctrl.h>

namespace {

const COLORREF kImageMask = RGB(0xFF, 0x00, 0xFF);
const int kImageCount = 11;

}  // namespace

CListPage::CListPage(const ListPageLayout& layout, CAction* pPlugin)
    : CPluginPage(layout.nPageId, pPlugin), m_layout(layout)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

bool CListPage::OnInitDialog()
{
    m_list.Attach(GetItem(IDC_ITEM_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // Without the pictures the rows still show their texts.
    CImageList images;
    if (images.CreateFromBitmap(IDB_ITEM_IMAGES, 16, 16, kImageMask, kImageCount))
        m_list.SetImageList(images.Detach(), LVSIL_SMALL);

    const RECT rect = m_list.GetWindowRect();
    const int cxList = rect.right - rect.left;
    for (int nColumn = 0; m_layout.columns[nColumn].pszTitle; ++nColumn) {
        const ListPageLayout::Column& column = m_layout.columns[nColumn];
        m_list.InsertColumn(nColumn, column.pszTitle,
                            nColumn == 0 ? cxList - column.nWidth : column.nWidth);
    }
    for (const ListPageLayout::Choice* pChoice = m_layout.choices; pChoice->nControlId;
         ++pChoice) {
        const CCodeTable& table = pChoice->pfnTable();
        const CComboBox combo(GetItem(pChoice->nControlId));
        for (size_t nIndex = 0; nIndex < table.GetCount(); ++nIndex)
            combo.AddString(table.GetName(nIndex));
        combo.SetCurSel(static_cast<int>(table.GetInitial()));
    }

    const bool bFocus = CPluginPage::OnInitDialog();
    LoadItems();
    ShowItemCount();
    return bFocus;
}

bool CListPage::StoreToPlugin()
{
    if (!CPluginPage::StoreToPlugin())
        return false;
    StoreItems();
    return true;
}

const ListPageLayout::Choice* CListPage::FindChoice(int nId) const
{
    for (const ListPageLayout::Choice* pChoice = m_layout.choices; pChoice->nControlId;
         ++pChoice) {
        if (pChoice->nControlId == nId)
            return pChoice;
    }
    return nullptr;
}

uint32_t CListPage::GetChoiceCode(int nId) const
{
    const ListPageLayout::Choice* pChoice = FindChoice(nId);
    if (!pChoice)
        return 0;
    const CCodeTable& table = pChoice->pfnTable();
    const int nIndex = CComboBox(GetItem(nId)).GetCurSel();
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= table.GetCount())
        return table.GetCode(table.GetInitial());
    return table.GetCode(static_cast<size_t>(nIndex));
}

bool CListPage::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    if (wId == m_layout.nAddId) {
        OnAdd();
        return true;
    }
    if (wId == m_layout.nRemoveId) {
        OnRemove();
        return true;
    }
    if (m_layout.nBrowseId && wId == m_layout.nBrowseId) {
        OnBrowse();
        return true;
    }
    if (m_layout.bPreset && wId == IDC_PRESET) {
        OnPreset();
        return true;
    }
    return false;
}

bool CListPage::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_ITEM_LIST)
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOA:
        OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
        result = 0;
        return true;
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            OnSelectionChanged();
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void CListPage::OnGetDispInfo(NMLVDISPINFOA& info) const
{
    LVITEMA& item = info.item;
    // The view may still ask for a row that an erase has just taken away.
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= GetItemCount())
        return;
    const size_t nRow = static_cast<size_t>(item.iItem);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, GetCellText(nRow, item.iSubItem).c_str(), item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0)
        item.iImage = GetCellImage(nRow);
}

void CListPage::ShowItemCount() const
{
    m_list.SetItemCount(static_cast<int>(GetItemCount()));
}

void CListPage::OnAdd()
{
    if (AppendFromFields())
        ShowItemCount();
    StoreToPlugin();
}

void CListPage::OnRemove()
{
    const int nRow = GetSelectedRow();
    if (nRow >= 0) {
        const int nSelect = EraseItem(nRow);
        ShowItemCount();
        if (nSelect >= 0) {
            const UINT uState = LVIS_SELECTED | LVIS_FOCUSED;
            m_list.SetItemState(nSelect, uState, uState);
        }
        OnSelectionChanged();
    }
    StoreToPlugin();
}

void CListPage::OnBrowse()
{
    const int nPathId = m_layout.nPathId;
    const bool bFile = !m_layout.nFileChoiceId ||
                       CComboBox(GetItem(m_layout.nFileChoiceId)).GetCurSel() == 0;
    if (!bFile) {
        BrowseForFolder("Select folders", GetItem(nPathId));
        return;
    }
    const std::string strPath = ChooseFileToOpen(m_hWnd);
    if (!strPath.empty())
        SetItemText(nPathId, strPath);
}

void CListPage::OnPreset()
{
    CSelectItemDlg dialog("Preset path defines", PresetPathDefines());
    if (dialog.DoModal(m_hWnd) == IDOK && !dialog.GetPicked().empty())
        SetItemText(m_layout.nPathId, GetItemText(m_layout.nPathId) + dialog.GetPicked());
}
