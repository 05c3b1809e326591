// The folders of the system and the user that no clean removes, whatever its
// target: they would leave the system or the user without the folder itself.
#pragma once

#include <string>

// Whether the path names a drive's root ("C:", "C:\", a share "\\server\share"),
// the Windows or system folder, the program folders (both of a 64-bit system)
// and their common files, the temporary folder, the profiles folder, the
// user's profile and its Desktop, Documents, Pictures, Music, Videos,
// Downloads and application data (roaming, local and LocalLow), or the data
// of all users. Compared without letter case and a trailing backslash.
// The folders are looked up on first use and by RefreshProtectedFolders.
bool IsProtectedFolder(const std::string& strPath);

// Looks the protected folders up afresh: a clean does as it starts, as the
// user may have moved a folder since the last one.
void RefreshProtectedFolders();
