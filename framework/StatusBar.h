// A status bar control: a message pane and fixed panes at its right end.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

#include <string>

class CStatusBar : public CWindow {
public:
    CStatusBar(HWND hWnd = nullptr) : CWindow(hWnd) {}

    bool Create(HWND hParent, UINT nId)
    {
        m_hWnd = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hParent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                                 GetResourceInstance(), nullptr);
        return m_hWnd != nullptr;
    }
    // The right edges of the panes; -1 takes the rest of the bar.
    bool SetParts(int nParts, const int* pnRightEdges) const
    {
        return SendMessage(SB_SETPARTS, nParts, reinterpret_cast<LPARAM>(pnRightEdges)) != 0;
    }
    bool SetPaneText(int nPane, const std::string& strText) const
    {
        return SendMessage(SB_SETTEXTA, nPane, reinterpret_cast<LPARAM>(strText.c_str())) != 0;
    }
    std::string GetPaneText(int nPane) const;
};
