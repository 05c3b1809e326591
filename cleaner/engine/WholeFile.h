// Whole-file reads and rewrites for the handlers that change text files in
// place.
#pragma once

#include <string>

// The whole content of the file as bytes. False when it cannot be opened
// or read; the text is then empty.
bool ReadWholeFile(const std::string& strPath, std::string& bytes);

// Replaces the content of the file with the bytes, written from its start,
// the file cut to their length. The file keeps its attributes and
// security. With bCreate a missing file is created; without, it is an
// error. False when the file could not be opened or fully written.
bool RewriteWholeFile(const std::string& strPath, const std::string& bytes, bool bCreate);
