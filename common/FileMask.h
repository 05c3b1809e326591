// The file masks of folder targets, the disk scan and the program's own
// listings, matched against the names that people see. Portable code.
#pragma once

#include <string>

// Whether the file name matches the mask by Windows' rules for long names:
// "*" stands for any run of characters, an empty one included, "?" for
// exactly one character, and letter case is ignored (for the letters A to
// Z; other bytes compare as they are). A final ".*" stands for any
// extension or none: "report.*" matches "report" as well as "report.doc",
// "~*.*" matches "~lock", and "*.*", like "*", matches every name. A mask
// that reaches into a subfolder ("sub\*.tmp") matches no name of the folder.
//
// The system's file search also matches a mask against each file's short
// (8.3) alias, so that "*.tmp" finds "a.tmpl" by its alias "A~1.TMP"; what
// the search returns is kept only when this function agrees.
bool MatchFileMask(const std::string& strName, const std::string& strMask);
