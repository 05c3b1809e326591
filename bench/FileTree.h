// The folder tree that the tree benchmarks clean: files of 1 KiB spread
// evenly over subfolders of one top folder, and the plain loop that removes
// such a tree the way a clean does, as the baseline.
#pragma once

#include <string>

// Creates nFolders subfolders of strTop with nFiles files between them.
// False when a file or folder could not be made.
bool BuildFileTree(const std::string& strTop, int nFiles, int nFolders);

// Deletes every file below strTop and removes the subfolders as they empty,
// with nothing but FindFirstFileA, DeleteFileA and RemoveDirectoryA. The top
// folder stays. Returns the number of files deleted.
int DeleteTreeBare(const std::string& strTop);

// The number of files left below strTop.
int CountFiles(const std::string& strTop);
