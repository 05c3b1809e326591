// Pictures of windows for a person to look at after the run.
#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of the window as a 24-bit bitmap file; the
// window must be visible and uncovered. Creates the file's folder.
bool SaveWindowPicture(HWND hWnd, const std::string& strPath);
