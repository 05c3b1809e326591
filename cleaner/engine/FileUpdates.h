// Changing text files in place: the file updates of the standard steps and
// the history lines of the Netscape and Mozilla browsers.
#pragma once

#include "cleaner/engine/Changes.h"
#include "common/Action.h"

#include <string>

// Rewrites the file at strPath (its macros already expanded) in text mode
// with the update's method applied. Counts one updated file when the text
// changed and was written back. A missing file is created empty; a file
// that exists but cannot be read is left as it is; an unknown method
// touches nothing.
CleanStats UpdateFile(const FileUpdate& update, IChanges& changes = LiveChanges());

// Removes the lines that record visited addresses ("browser.url_history"
// preferences, "<RDF:li>" entries) from the file; every other byte stays
// as it was. A file that cannot be read is left alone; nothing is counted
// or logged.
void StripHistoryLines(const std::string& strPath, IChanges& changes = LiveChanges());
