// A report-view list control.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

#include <string>

class CListView : public CWindow {
public:
    CListView(HWND hWnd = nullptr) : CWindow(hWnd) {}

    void SetExtendedStyle(DWORD dwStyle) const
    {
        ListView_SetExtendedListViewStyleEx(m_hWnd, dwStyle, dwStyle);
    }
    int InsertColumn(int nColumn, const char* pszText, int nWidth, int nFormat = LVCFMT_LEFT) const
    {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = nFormat;
        column.cx = nWidth;
        column.pszText = const_cast<char*>(pszText);
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, nColumn,
                                            reinterpret_cast<LPARAM>(&column)));
    }
    int GetColumnWidth(int nColumn) const { return ListView_GetColumnWidth(m_hWnd, nColumn); }
    bool SetColumnWidth(int nColumn, int nWidth) const
    {
        return ListView_SetColumnWidth(m_hWnd, nColumn, nWidth) != FALSE;
    }
    HIMAGELIST SetImageList(HIMAGELIST hImages, int nType) const
    {
        return ListView_SetImageList(m_hWnd, hImages, nType);
    }
    HIMAGELIST GetImageList(int nType) const { return ListView_GetImageList(m_hWnd, nType); }

    // Inserts an item with text, image and data at the index; returns its index or -1.
    int InsertItem(int nItem, const char* pszText, int nImage, LPARAM lParam = 0) const
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = nItem;
        item.pszText = const_cast<char*>(pszText);
        item.iImage = nImage;
        item.lParam = lParam;
        return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    // The text of a column other than the first.
    bool SetItemText(int nItem, int nSubItem, const char* pszText) const
    {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = const_cast<char*>(pszText);
        return SendMessage(LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
    }
    int GetItemCount() const { return ListView_GetItemCount(m_hWnd); }
    // Orders the items by their data.
    bool SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParam) const
    {
        return ListView_SortItems(m_hWnd, pfnCompare, lParam) != FALSE;
    }
    // The number of rows of a list whose owner keeps the items.
    bool SetItemCount(int nCount, DWORD dwFlags = LVSICF_NOSCROLL) const
    {
        return SendMessage(LVM_SETITEMCOUNT, nCount, dwFlags) != 0;
    }
    bool DeleteItem(int nItem) const { return ListView_DeleteItem(m_hWnd, nItem) != FALSE; }
    bool DeleteAllItems() const { return ListView_DeleteAllItems(m_hWnd) != FALSE; }
    std::string GetItemText(int nItem, int nSubItem = 0) const;
    int GetItemImage(int nItem) const;
    void SetItemState(int nItem, UINT uState, UINT uMask) const
    {
        ListView_SetItemState(m_hWnd, nItem, uState, uMask);
    }
    UINT GetItemState(int nItem, UINT uMask) const
    {
        return ListView_GetItemState(m_hWnd, nItem, uMask);
    }
    bool EnsureVisible(int nItem) const { return ListView_EnsureVisible(m_hWnd, nItem, FALSE) != FALSE; }

    // The check box of a list with LVS_EX_CHECKBOXES.
    bool GetCheck(int nItem) const { return ListView_GetCheckState(m_hWnd, nItem) != FALSE; }
    void SetCheck(int nItem, bool bCheck) const { ListView_SetCheckState(m_hWnd, nItem, bCheck); }
    // The first selected item, or -1.
    int GetSelectedItem() const { return ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); }
};
