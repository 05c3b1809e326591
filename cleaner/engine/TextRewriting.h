// Rewriting the text of files that must survive a clean: lines, keywords or
// the whole content go, every other byte stays as it was. Portable code.
#pragma once

#include "common/Action.h"

#include <string>

// Removes every line that contains one of the texts anywhere (exact,
// letter case counting), with its line end. A line runs up to and
// including its line feed; a last line without one is never examined and
// stays. Returns true when a line was removed.
bool RemoveLinesContaining(std::string& text, const StringVector& needles);
