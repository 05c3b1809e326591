// Emptying the recycle bin of a drive with the engine's own file removal.
#pragma once

#include "common/Action.h"

#include <string>

struct FileRemoval;

// Erases everything inside the drive's "\Recycled" and "\Recycler"
// folders, hidden index files and per-user subfolders included; the
// subfolders go once empty, the two folders themselves stay. In
// "\$Recycle.Bin" (Windows Vista and later) only the current user's own
// folder, named by the user's security identifier, is emptied; it stays with
// its "desktop.ini", and the folders of other users are not touched.
CleanStats EmptyRecycleBin(const std::string& strDrive, const FileRemoval& removal);
