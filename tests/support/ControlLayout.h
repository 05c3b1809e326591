// The controls of a window as they lie on it, and a check that each is readable.
#pragma once

#include <windows.h>

#include <vector>

struct PageControl {
    HWND hWnd;
    int nId;
    RECT rect;  // in the window's client coordinates
    bool bGroup;
    bool bTransparent;  // its text lies on the window's background and picture
};

// The window's own controls, not the parts of a list view or a drop-down.
std::vector<PageControl> ControlsOf(HWND hPage);

// Every control lies inside the client area with its text fitting in its own
// font, and no two overlap unless one is a group frame around the other.
void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls);
