// A check of a program's resources against what its code does with them,
// for any program's module: every dialog template creates with each shown
// control inside it, clear of the others and its text fitting, every command of a menu, toolbar or
// accelerator table is handled and every toolbar command has its tip, and
// the bitmaps and icons the code loads are there.
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
