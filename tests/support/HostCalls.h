// Links of the host's file system, which Wine's own calls cannot make or
// remove, made through the host's system calls from a program under Wine.
#pragma once

#include <string>

// Makes the file LinkPath a symbolic link to the target, a path relative to
// the link's folder written with "/". Wine shows a link to a folder as a
// folder that is a reparse point, as a junction looks on Windows. False
// where this is not Wine on Linux.
bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget);
// Removes such a link (not what it points to).
bool RemoveHostSymlink(const std::string& strLinkPath);
