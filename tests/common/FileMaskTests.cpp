#include "common/FileMask.h"

#include <gtest/gtest.h>

// The names of a real folder, in the clean and preview tests of the engine;
// here the rules that those names do not reach.
TEST(FileMask, MatchesTheLongNameByWindowsRules)
{
    static const struct {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {".tmp", "*.tmp", true},             // a star takes an empty run
        {"x.tmp.tmpl", "*.tmp", false},      // and the whole rest of the name
        {"mississippi", "m*iss*ppi", true},  // a star tried again further on
        {"x.tmp", "x.tmp*", true},
        {"b.tp", "*.t?p", false},            // a question mark is one character
        {"x.htm", "*.HTM", true},
        {"~lock", "~*.*", true},             // a final ".*": an extension or none
        {"report", "report.*", true},
        {"reports", "report.*", false},
        {"report", "report.t*", false},
        {"x", "", false},
        {"x.tmp", "sub\\*.tmp", false},      // a mask of a subfolder's files
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name) + " against " + row.mask);
        EXPECT_EQ(MatchFileMask(row.name, row.mask), row.match);
    }
}
