// A document window inside the client area of a multi-document frame.
#pragma once

#include "framework/Window.h"

class CMdiChild : public CCustomWindow {
public:
    // Registers the class on first use and creates the window in the frame's
    // client window, with the size given (CW_USEDEFAULT for the system's).
    bool Create(HWND hClient, const char* pszClassName, const char* pszTitle, DWORD dwStyle,
                int cx, int cy);

    // A command while this window is the active one, before the frame sees
    // it; true when handled.
    virtual bool OnCommand(WORD wId);

protected:
    LRESULT DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
};
