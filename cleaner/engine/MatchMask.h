// The wildcard matcher of value names and text lines. Portable code.
#pragma once

#include <string>

// Whether the text matches the pattern. "*" is the only wildcard and stands
// for one or more characters, never for none; letter case counts. Each piece
// between stars is taken at its first occurrence, without backtracking.
// An empty pattern matches every text; an empty text only an empty pattern.
bool MatchMask(const std::string& strText, const std::string& strPattern);
