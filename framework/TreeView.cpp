#include "framework/TreeView.h"

HTREEITEM CTreeView::InsertItem(HTREEITEM hParent, const char* pszText, int nImage,
                                LPARAM lData) const
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(pszText);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nImage;
    insert.item.lParam = lData;
    return reinterpret_cast<HTREEITEM>(
        SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string CTreeView::GetItemText(HTREEITEM hItem) const
{
    char szText[256] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return szText;
}

LPARAM CTreeView::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CTreeView::GetItemImage(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE;
    item.hItem = hItem;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

HTREEITEM CTreeView::GetNextInTree(HTREEITEM hItem) const
{
    if (HTREEITEM hChild = GetChild(hItem))
        return hChild;
    for (HTREEITEM hUp = hItem; hUp; hUp = TreeView_GetParent(m_hWnd, hUp)) {
        if (HTREEITEM hNext = GetNextSibling(hUp))
            return hNext;
    }
    return nullptr;
}
