// Links of the host's file system, which Wine's own calls cannot make or remove.
#pragma once

#include <string>

// Makes LinkPath a symbolic link to the target, relative to the link's folder and
// written with "/"; Wine shows a link to a folder as a reparse point, as a
// junction looks on Windows. False where this is not Wine on Linux.
bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget);
// Removes such a link (not what it points to).
bool RemoveHostSymlink(const std::string& strLinkPath);
