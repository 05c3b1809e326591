// "Check for updates": asks the maker's server for the latest version and
// offers its download page when it is newer than the installed one.
#pragma once

#include <windows.h>

#include <string>

// Compares with the installed version ("2.50", or "???" when unknown) and
// shows the answer in message boxes owned by the window.
void CheckForUpdates(HWND hOwner, const std::string& strInstalledVersion);
