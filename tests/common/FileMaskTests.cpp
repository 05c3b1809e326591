#include "common/FileMask.h"

#include <gtest/gtest.h>

// The engine's clean and preview tests match the names of a real folder; here the rules
// that those names do not reach: an empty run and the whole rest of the name for a star,
// a star tried again further on, one character for a question mark, letters in either
// case, and an extension or none for a final ".*".
TEST(FileMask, MatchesTheLongNameByWindowsRules)
{
    static const struct {
        const char *name, *mask;
        bool match;
    } cases[] = {{".tmp", "*.tmp", true},          {"x.tmp.tmpl", "*.tmp", false},
                 {"mississippi", "m*iss*ppi", true}, {"x.tmp", "x.tmp*", true},
                 {"b.tp", "*.t?p", false},         {"x.htm", "*.HTM", true},
                 {"~lock", "~*.*", true},          {"reports", "report.*", false},
                 {"report", "report.t*", false},   {"x", "", false}};
    for (const auto& row : cases)
        EXPECT_EQ(MatchFileMask(row.name, row.mask), row.match) << row.name << " against " << row.mask;
}
