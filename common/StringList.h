// Lists kept in one text, with a one-character separator ("|" throughout).
#pragma once

#include "common/Action.h"

#include <string>

// Every piece between separators: "a||b|" gives "a", "", "b", "".
// An empty text gives no pieces. The inverse of JoinWithSeparator.
StringVector SplitAtSeparator(const std::string& strText, char chSeparator);

// The elements with a separator between each two: {"a", "b"} gives "a|b".
template <class Container>
std::string JoinWithSeparator(const Container& items, char chSeparator)
{
    std::string strText;
    bool bFirst = true;
    for (const std::string& item : items) {
        if (!bFirst)
            strText += chSeparator;
        strText += item;
        bFirst = false;
    }
    return strText;
}

// Pieces of a text in which every element is followed by the separator:
// "a||b|" gives "a", "", "b"; a separator at the very end adds no piece.
StringVector SplitString(const std::string& strText, char chSeparator);

// Every element followed by the separator, the last one included:
// {"C:\", "D:\"} gives "C:\|D:\|". The inverse of SplitString.
template <class Container>
std::string JoinStrings(const Container& items, char chSeparator)
{
    std::string strText;
    for (const std::string& item : items) {
        strText += item;
        strText += chSeparator;
    }
    return strText;
}

const char kListSeparator = '|';
