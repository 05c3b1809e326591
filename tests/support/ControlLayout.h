// The controls of a page as they lie on it, for checks that a page's layout
// leaves every control readable.
#pragma once

#include <windows.h>

#include <vector>

struct PageControl {
    HWND hWnd;
    int nId;
    RECT rect;  // in the page's client coordinates
    bool bGroup;
    bool bTransparent;  // its text lies on the page's background and picture
};

// The page's own controls, not the parts of a list view or a drop-down.
std::vector<PageControl> ControlsOf(HWND hPage);

bool Intersect(const RECT& a, const RECT& b);
bool Contains(const RECT& outer, const RECT& inner);

// Whether the text of a check box, radio button, group frame or label fits
// its control in the control's own font.
void ExpectTextFits(const PageControl& control);

// Every control lies inside the client area with its text fitting, and no
// two overlap unless one is a group frame around the other.
void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls);
