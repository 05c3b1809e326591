// Rule files: INI texts in which each section names one program's traces. The
// reader only splits the text into entries and keys; what a key means, and
// whether an entry applies to this machine, is for the import to judge.
#pragma once

#include "common/Action.h"

#include <cstddef>
#include <string>
#include <vector>

// Larger files are refused unread: an ordinary rule file is a few megabytes.
const size_t kMaxRuleFileSize = 16 << 20;

// "FileKey3=..." is the key "FileKey" with the number 3; an unnumbered key has 0.
struct RuleKey {
    std::string strName;
    unsigned nNumber;
    std::string strValue;
};

struct RuleEntry {
    std::string strName;  // the section's name without the trailing " *"
    unsigned nLine;       // the line of the section, counted from 1
    std::vector<RuleKey> keys;

    // The keys of that name (letter case ignored), the unnumbered one first,
    // then by their numbers, gaps allowed; of a number given twice, the later.
    std::vector<RuleKey> Keys(const std::string& strName) const;
    // The values of those keys, in the same order.
    StringVector Values(const std::string& strName) const;
    // The value of the unnumbered key of that name; empty when there is none.
    std::string Value(const std::string& strName) const;
};

struct RuleFile {
    std::vector<RuleEntry> entries;
    // One "Line <n>: <what>" for each line that is neither blank, a comment,
    // a section nor a key of an entry.
    StringVector vecProblems;
};

// The text without the blanks and tabs at its ends.
std::string TrimBlanks(const std::string& strText);

// Whether two names are the same, letter case of A to Z ignored.
bool EqualsIgnoringCase(const std::string& strLeft, const std::string& strRight);

// Reads a text with CRLF or LF line ends and an optional UTF-8 byte-order mark.
// False, with nothing read, when the text is larger than kMaxRuleFileSize.
bool ReadRuleFile(const std::string& text, RuleFile& file);
