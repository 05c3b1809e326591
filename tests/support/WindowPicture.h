// Pictures of windows as the screen shows them, kept for people to look at.
#pragma once

#include <windows.h>

#include <string>

// Where pictures go: a folder inside the build's prefix, kept by the build.
std::string ArtifactPath(const std::string& strName);

// Saves what the screen shows of the window as a bitmap file.
bool SaveWindowPicture(HWND hWnd, const std::string& strPath);
