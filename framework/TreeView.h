// A tree-view control.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

#include <string>

class CTreeView : public CWindow {
public:
    CTreeView(HWND hWnd = nullptr) : CWindow(hWnd) {}

    // Adds an item as the last child of the parent (TVI_ROOT for the top).
    HTREEITEM InsertItem(HTREEITEM hParent, const char* pszText, int nImage,
                         LPARAM lData) const;
    std::string GetItemText(HTREEITEM hItem) const;
    LPARAM GetItemData(HTREEITEM hItem) const;
    int GetItemImage(HTREEITEM hItem) const;
    bool IsExpanded(HTREEITEM hItem) const
    {
        return (TreeView_GetItemState(m_hWnd, hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    bool Expand(HTREEITEM hItem) const { return TreeView_Expand(m_hWnd, hItem, TVE_EXPAND) != 0; }
    bool SelectItem(HTREEITEM hItem) const { return TreeView_SelectItem(m_hWnd, hItem) != 0; }
    HTREEITEM GetSelection() const { return TreeView_GetSelection(m_hWnd); }
    HTREEITEM GetRoot() const { return TreeView_GetRoot(m_hWnd); }
    HTREEITEM GetChild(HTREEITEM hItem) const { return TreeView_GetChild(m_hWnd, hItem); }
    HTREEITEM GetNextSibling(HTREEITEM hItem) const
    {
        return TreeView_GetNextSibling(m_hWnd, hItem);
    }
    // The item after this one in a walk of the whole tree, depth first.
    HTREEITEM GetNextInTree(HTREEITEM hItem) const;
    HIMAGELIST SetImageList(HIMAGELIST hImages) const
    {
        return TreeView_SetImageList(m_hWnd, hImages, TVSIL_NORMAL);
    }
    void SetBkColor(COLORREF crBack) const { TreeView_SetBkColor(m_hWnd, crBack); }
};
