// The folders that the shell keeps for the user and the machine, asked of the
// system each time. Their functions are looked up when called, so that the
// program starts on systems that lack them.
#pragma once

#include <windows.h>

#include <string>

// Known folders that have no CSIDL number; Windows before Vista has neither.
extern const GUID kDownloadsFolderId;
extern const GUID kLocalAppDataLowFolderId;

// The path without the backslashes at its end.
std::string WithoutTrailingBackslashes(std::string strPath);

// The folder of the CSIDL number, without a backslash at its end; empty when
// the system has none.
std::string ShellFolderPath(int nCsidl);

// The known folder of the id, the same way; empty also when its name holds a
// character that the system's code page cannot write, as such a name would
// stand for other folders too.
std::string KnownFolderPath(const GUID& id);
