// The text of the program's own message box, broken into lines that the box
// sizes itself to. Portable code.
#pragma once

#include <cstddef>
#include <string>

// A line is broken after a break character once it holds this many characters.
const size_t kWrapColumn = 60;

// The text with its inserted line breaks, and the length of its longest line
// that ends in a carriage return (0 when there is none).
struct WrappedText {
    std::string strText;
    size_t nLongestLine;
};

// Scans the text for the break characters "\r\t .,;=-" and inserts "\r\n"
// after one once the line has reached kWrapColumn characters, the break
// character counted. A line starts after a carriage return of the text
// (with its line feed, if one follows) or after an inserted break. A line
// that ends there anyway, at a carriage return of the text or at its end,
// gets no inserted break, so no empty line appears. A text without a break
// character comes back as it is.
WrappedText WrapMessageText(const std::string& strText);

// How many characters wide the box makes its text: the longest line that
// ends in a carriage return, or the last line when that one is longer, as
// far as kWrapColumn. The box breaks a longer last line itself.
size_t MessageColumns(const WrappedText& wrapped);
