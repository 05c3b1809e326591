#include "cleaner/engine/MatchMask.h"

#include <gtest/gtest.h>

TEST(MatchMask, StarStandsForOneOrMoreCharactersAndTheRestIsComparedByteForByte)
{
    static const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        // Empty pattern and empty text.
        {"", "", true},
        {"anything", "", true},
        {"", "*", false},
        {"", "a", false},
        // Without a star only the identical text, letter case counting.
        {"MRUList", "MRUList", true},
        {"MRUList", "mrulist", false},
        {"MRUList", "MRUListx", false},
        {"MRUListx", "MRUList", false},
        {"xMRUList", "MRUList", false},
        // A lone star, or a run of them, takes every non-empty text.
        {"a", "*", true},
        {"url1", "*", true},
        {"a", "***", true},
        // Letter, star, letter: at least three characters.
        {"ab", "a*b", false},
        {"axb", "a*b", true},
        {"axyzb", "a*b", true},
        {"axyzc", "a*b", false},
        {"bxyzb", "a*b", false},
        {"ab", "a**b", false},
        {"axb", "a**b", true},
        // Star, letter, star: the letter neither first nor last.
        {"xay", "*a*", true},
        {"aay", "*a*", true},
        {"xaa", "*a*", true},
        {"axa", "*a*", false},
        {"ax", "*a*", false},
        {"xa", "*a*", false},
        {"a", "*a*", false},
        {"xyz", "*a*", false},
        // A star at one end needs a character there.
        {"url", "url*", false},
        {"url1", "url*", true},
        {"url12", "url*", true},
        {"xurl", "url*", false},
        {"url", "*url", false},
        {"myurl", "*url", true},
        {"urlx", "*url", false},
        // Several pieces in order, each with a character before the next.
        {"url1x2", "url*x*", true},
        {"urlx2", "url*x*", false},
        {"url1x", "url*x*", false},
        {"a1b2c", "a*b*c", true},
        {"abc", "a*b*c", false},
        {"a1c2b", "a*b*c", false},
        // Each piece is taken at its first occurrence: no second try.
        {"axbb", "a*b", false},
        {"axbyb", "a*b", false},
        {"xabab", "*ab", false},
        {"xaab", "*ab", true},
        // Dots and question marks are plain characters; so are bytes above 127.
        {"a.b", "a.b", true},
        {"axb", "a.b", false},
        {"a?b", "a?b", true},
        {"axb", "a?b", false},
        {"\xE4", "\xE4*", false},
        {"\xE4\xF6", "\xE4*", true},
        {"\xC4x", "\xE4*", false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\", pattern \"" + row.pattern + "\"");
        EXPECT_EQ(MatchMask(row.text, row.pattern), row.match);
    }

    // A zero byte inside the text is an ordinary character.
    EXPECT_TRUE(MatchMask(std::string("a\0b", 3), "a*b"));
    EXPECT_FALSE(MatchMask(std::string("a\0b", 3), "a"));
}
