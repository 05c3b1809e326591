// Pictures of windows for people to look at, kept inside the test prefix.
#pragma once

#include <windows.h>

#include <string>

// A picture's path in the folder the pictures go to.
inline std::string ArtifactPath(const std::string& strName)
{
    return "C:\\veltrin-artifacts\\" + strName;
}

// Saves what the screen shows of the (visible, uncovered) window as a PNG file.
bool SaveWindowPicture(HWND hWnd, const std::string& strPath);
