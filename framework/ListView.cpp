#include "framework/ListView.h"

std::string CListView::GetItemText(int nItem, int nSubItem) const
{
    char szText[1024] = "";
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    const LRESULT cch = SendMessage(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item));
    return std::string(szText, cch > 0 ? static_cast<size_t>(cch) : 0);
}

int CListView::GetItemImage(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}
