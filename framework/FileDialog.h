// The system's dialog for choosing files to open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Lets the user pick any number of files; their full paths, none when the
// user cancels. Without a filter every file is shown.
std::vector<std::string> ChooseFilesToOpen(HWND hOwner, const char* pszFilter = nullptr);

// Lets the user pick or name one file, which need not exist yet; its full
// path, or empty when the user cancels.
std::string ChooseFileToOpen(HWND hOwner, const char* pszFilter = nullptr);

// The full paths of a multiple selection as the dialog hands it back: one
// full path, or a folder followed by the names of files in it, each text
// ending with a zero and the whole with one more.
std::vector<std::string> SplitFileSelection(const char* pszSelection);
