// A list box of texts, single or multiple selection.
#pragma once

#include "framework/Window.h"

#include <algorithm>
#include <string>
#include <vector>

class CListBox : public CWindow {
public:
    CListBox(HWND hWnd = nullptr) : CWindow(hWnd) {}

    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // Appends in an unsorted list, inserts in order in a sorted one; the index or LB_ERR.
    int AddString(const std::string& strText) const
    {
        return static_cast<int>(
            SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strText.c_str())));
    }
    bool DeleteString(int nIndex) const { return SendMessage(LB_DELETESTRING, nIndex) != LB_ERR; }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    std::string GetText(int nIndex) const
    {
        const LRESULT cch = SendMessage(LB_GETTEXTLEN, nIndex);
        if (cch == LB_ERR)
            return std::string();
        std::vector<char> text(static_cast<size_t>(cch) + 1);
        SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(text.data()));
        return std::string(text.data());
    }
    // The whole text, compared without regard to case; LB_ERR when missing.
    int FindStringExact(const std::string& strText) const
    {
        return static_cast<int>(
            SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(strText.c_str())));
    }

    // Selection of a multiple-selection list; an index of -1 means every entry.
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    bool GetSel(int nIndex) const { return SendMessage(LB_GETSEL, nIndex) > 0; }
    bool SetSel(int nIndex, bool bSelect) const
    {
        return SendMessage(LB_SETSEL, bSelect, nIndex) != LB_ERR;
    }
    // The selected indices in ascending order.
    std::vector<int> GetSelItems() const
    {
        std::vector<int> items(static_cast<size_t>(std::max(GetSelCount(), 0)));
        if (items.empty())
            return items;
        const LRESULT n = SendMessage(LB_GETSELITEMS, items.size(),
                                      reinterpret_cast<LPARAM>(items.data()));
        items.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return items;
    }
};
