// Folder paths whose segments hold wildcards ("C:\Users\u\App*\User Data\*\Cache"),
// and the path by which a 32-bit cleaner reaches the system folder of a 64-bit
// Windows. Free of settings, for any caller.
#pragma once

#include "common/Action.h"

#include <string>

// The most folders one pattern expands to; a pattern such as "C:\*\*\*\*"
// would otherwise list much of the drive.
const size_t kMaxPatternFolders = 4096;

// Whether the path holds "*" or "?".
bool HasWildcards(const std::string& strPath);

// The folders that the path names. A path without wildcards comes back as it
// is, whether it exists or not. Otherwise each segment with wildcards stands
// for the existing subfolders whose long names match it (MatchFileMask),
// never "." or "..", never a link to a folder; a segment without wildcards
// after the first one with them must name an existing folder. The result is
// sorted by name, segment by segment, holds no path that the ANSI calls
// cannot reach, at most nMaxFolders paths, and nothing when nothing matches.
StringVector ExpandFolderPattern(const std::string& strPath,
                                 size_t nMaxFolders = kMaxPatternFolders);

// The path with its leading "<Windows>\System32" replaced by the given
// folder's "Sysnative", the name by which a 32-bit program reaches the real
// system folder of a 64-bit Windows; other paths come back as they are.
std::string RedirectSystem32(const std::string& strPath, const std::string& strWindows);

// RedirectSystem32 with the Windows folder, where the program runs under
// WOW64 and the system has "Sysnative"; elsewhere the path as it is.
std::string ReachNativeSystemFolder(const std::string& strPath);
