// A check of any program's resources against what its code does with them:
// every dialog template creates, its shown controls readable; every command of
// a menu, toolbar or accelerator table is handled; the bitmaps and icons are there.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct ProgramResourceUse {
    // Whether the program's windows handle the command, as their dispatch shows.
    std::function<bool(WORD wCommand)> isHandled;
    std::vector<UINT> bitmaps, icons;  // as the code loads them
};

void ExpectUsableResources(HMODULE hModule, const ProgramResourceUse& use);
