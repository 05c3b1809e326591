#include "editor/DlgSelectItem.h"

#include "editor/resource.h"

#include <commctrl.h>

CSelectItemDlg::CSelectItemDlg(const std::string& strCaption, const StringVector& vecItems)
    : CDialog(IDD_SELECT_ITEM), m_strCaption(strCaption), m_vecItems(vecItems)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

bool CSelectItemDlg::OnInitDialog()
{
    SetText(m_strCaption);
    m_list.Attach(GetItem(IDC_SELECT_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const RECT rect = m_list.GetWindowRect();
    m_list.InsertColumn(0, "Items", rect.right - rect.left - 20);
    m_list.SetItemCount(static_cast<int>(m_vecItems.size()));
    return true;
}

bool CSelectItemDlg::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_SELECT_LIST)
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item =
            reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header))->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0 &&
            static_cast<size_t>(item.iItem) < m_vecItems.size())
            lstrcpynA(item.pszText, item.iSubItem == 0 ? m_vecItems[item.iItem].c_str() : "",
                      item.cchTextMax);
        result = 0;
        return true;
    }
    case NM_DBLCLK:
        PickSelected();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CSelectItemDlg::OnOK()
{
    if (!PickSelected())
        EndDialog(IDOK);
}

bool CSelectItemDlg::PickSelected()
{
    const int nRow = m_list.GetSelectedItem();
    if (nRow < 0 || static_cast<size_t>(nRow) >= m_vecItems.size())
        return false;
    m_strPicked = m_vecItems[nRow];
    EndDialog(IDOK);
    return true;
}
