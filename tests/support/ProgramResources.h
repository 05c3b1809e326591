// The controls of a window as they lie on it, and a check of any program's
// resources against what its code does with them: every dialog template
// creates, its shown controls readable; every command of a menu, toolbar or
// accelerator table is handled; the bitmaps and icons are there.
#pragma once

#include <windows.h>

#include <functional>
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

struct ProgramResourceUse {
    // Whether the program's windows handle the command, as their dispatch shows.
    std::function<bool(WORD wCommand)> isHandled;
    std::vector<UINT> bitmaps, icons;  // as the code loads them
};

void ExpectUsableResources(HMODULE hModule, const ProgramResourceUse& use);
