// Symbolic links of the host's file system, made from inside Wine. Wine
// shows a link to a folder as a folder that is a reparse point, which is
// what a junction or a folder link looks like on Windows.
#pragma once

#include <string>

// Makes the file LinkPath a symbolic link to the target, a path relative to
// the link's folder written with "/". False where this is not Wine on Linux.
bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget);

// Removes such a link (not what it points to), which Wine's own calls
// cannot remove. False where this is not Wine on Linux.
bool RemoveHostSymlink(const std::string& strLinkPath);
