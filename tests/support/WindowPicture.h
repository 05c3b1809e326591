// Pictures of windows as the screen shows them, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of the window as a 24-bit bitmap file,
// creating the file's folder when missing. The window must be visible and
// uncovered.
bool SaveWindowPicture(HWND hWnd, const std::string& strPath);
