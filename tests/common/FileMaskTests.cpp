#include "common/FileMask.h"

#include <gtest/gtest.h>

TEST(FileMask, MatchesTheLongNameByWindowsRules)
{
    static const struct {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        // Names that the short alias of a longer extension would let through.
        {"b.tmp", "*.tmp", true},
        {"a.tmpl", "*.tmp", false},
        {"report.tmpx", "*.tmp", false},
        {"x.tmp.tmpl", "*.tmp", false},
        {"c.older", "*.old", false},
        {"longname.html", "*.htm", false},
        {"x.htm", "*.htm", true},
        // A star takes any run, an empty one too, and is retried further on.
        {".tmp", "*.tmp", true},
        {".hidden.tmp", "*.tmp", true},
        {"a.b.tmp", "*.tmp", true},
        {"abcabd", "*abd", true},
        {"mississippi", "m*iss*ppi", true},
        {"mississippi", "m*iss*ppx", false},
        {"ab", "a**b", true},
        {"x.tmp", "x.tmp*", true},
        {"~$draft.docx", "~*.*", true},
        {"a~b.doc", "~*.*", false},
        {"x.$$$", "*.$*", true},
        {"x.~1", "*.~*", true},
        {"x.---", "*.---", true},
        // A question mark is exactly one character.
        {"b.tmp", "*.t?p", true},
        {"b.tp", "*.t?p", false},
        {"b.teep", "*.t?p", false},
        {"\xE4.tmp", "?.tmp", true},
        // Letter case does not count for A to Z; other bytes are compared.
        {"D.OLD", "*.old", true},
        {"x.htm", "*.HTM", true},
        {"\xE4.tmp", "\xC4.tmp", false},
        // Every name, one without a dot as well.
        {"noext", "*.*", true},
        {"noext", "*", true},
        {".hidden.tmp", "*.*", true},
        {"noext", "*.tmp", false},
        // No name is empty or holds a backslash.
        {"x", "", false},
        {"x.tmp", "sub\\*.tmp", false},
        {"x.tmp", "*\\", false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name) + " against " + row.mask);
        EXPECT_EQ(MatchFileMask(row.name, row.mask), row.match);
    }
}
