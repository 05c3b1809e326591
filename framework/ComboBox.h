// A drop-down list of texts.
#pragma once

#include "framework/Window.h"

#include <string>

class CComboBox : public CWindow {
public:
    CComboBox(HWND hWnd = nullptr) : CWindow(hWnd) {}

    // Appends in an unsorted list; the index or CB_ERR.
    int AddString(const std::string& strText) const
    {
        return static_cast<int>(
            SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strText.c_str())));
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    // The selected index, or CB_ERR.
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    bool SetCurSel(int nIndex) const { return SendMessage(CB_SETCURSEL, nIndex) != CB_ERR; }
};
