// A toolbar control whose buttons come from a toolbar resource: a version
// word (1), the button width and height, the number of items, then one
// command id per item with 0 for a separator.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

#include <string>

class CToolBar : public CWindow {
public:
    CToolBar(HWND hWnd = nullptr) : CWindow(hWnd) {}

    bool Create(HWND hParent, DWORD dwStyle, UINT nId);
    // Adds the buttons of the resource; the images are their order among
    // the buttons that are not separators.
    bool LoadToolBar(UINT nResourceId);

    HIMAGELIST SetImageList(HIMAGELIST hImages) const
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages)));
    }
    HIMAGELIST SetHotImageList(HIMAGELIST hImages) const
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages)));
    }
    HIMAGELIST SetDisabledImageList(HIMAGELIST hImages) const
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages)));
    }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    bool GetButton(int nIndex, TBBUTTON& button) const
    {
        return SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)) != 0;
    }
    // The height the toolbar needs for its buttons.
    int GetFixedHeight() const;
};

// The tool tip of a command: the part after "\n" of its string resource.
std::string CommandTip(UINT nCommandId);
