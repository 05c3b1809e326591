// Pictures of windows as the screen shows them, saved for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Brings the window to the front, lets it paint, and saves what the screen
// shows of it as a 24-bit bitmap file in the prefix's artifacts folder
// (C:\veltrin-artifacts). True when the file was written.
bool SaveWindowPicture(HWND hWnd, const std::string& strFileName);
