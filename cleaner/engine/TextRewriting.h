// Rewriting the text of files that must survive a clean: lines, keywords or
// the whole content go, every other byte stays as it was. Portable code.
#pragma once

#include "common/Action.h"

#include <cstdint>
#include <string>

// Removes every line that contains one of the texts anywhere (exact,
// letter case counting), with its line end. A line runs up to and
// including its line feed; a last line without one is never examined and
// stays. Returns true when a line was removed.
bool RemoveLinesContaining(std::string& text, const StringVector& needles);

// Applies one method of a file update (FileUpdate::Method) to a text read in
// text mode, and returns true when the text changed.
//  - FU_CLEAR_LINES cuts every line, line feed included, that matches one of
//    the keywords as a mask; the first keyword that matches decides, and an
//    empty keyword, which matches every line, keeps it. The last line runs
//    to the end of the text.
//  - FU_CLEAR_KEYWORDS cuts every occurrence of each keyword in turn; the
//    search goes on where the cut was made.
//  - FU_CLEAR_FILE empties the text when it contains one of the keywords.
// The last two skip empty keywords; any other method leaves the text alone.
bool UpdateText(std::string& text, uint32_t dwMethod, const StringVector& vecKeywords);

// Text mode, as the file updates read and write their files: on reading a
// carriage return followed by a line feed becomes the line feed alone, on
// writing every line feed gets a carriage return before it. Other carriage
// returns are kept as they are.
std::string ToLineFeeds(const std::string& bytes);
std::string ToCrLf(const std::string& text);
