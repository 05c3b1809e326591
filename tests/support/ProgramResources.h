// The controls of a window as they lie on it, and a check of a program's
// resources: every dialog creates with its shown controls readable, every
// command of a menu, toolbar or accelerator is handled, the images load.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct PageControl {
    HWND hWnd;
    int nId;
    RECT rect;  // in the window's client coordinates
    bool bGroup;
};

// The window's own controls, not the parts of a list view or a drop-down.
std::vector<PageControl> ControlsOf(HWND hPage);

// Every control lies inside the client area, its text fits, and no two overlap
// unless one is a group frame around the other.
void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls);

struct ProgramResourceUse {
    // Whether the program's windows handle the command, as their dispatch shows.
    std::function<bool(WORD wCommand)> isHandled;
    std::vector<UINT> bitmaps, icons;  // as the code loads them
};

void ExpectUsableResources(HMODULE hModule, const ProgramResourceUse& use);
