#include "cleaner/engine/MatchMask.h"

#include <gtest/gtest.h>

TEST(MatchMask, StarStandsForOneOrMoreCharactersAndTheRestIsComparedByteForByte)
{
    static const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"anything", "", true},    {"", "*", false},          {"a", "***", true},
        // Without a star only the identical text, letter case counting.
        {"MRUList", "mrulist", false}, {"MRUListx", "MRUList", false},
        {"xMRUList", "MRUList", false},
        // A star needs a character, at either end and between two pieces.
        {"ab", "a*b", false},      {"axyzb", "a*b", true},    {"axyzc", "a*b", false},
        {"bxyzb", "a*b", false},   {"axb", "a**b", true},     {"url", "url*", false},
        {"url12", "url*", true},   {"url", "*url", false},    {"myurl", "*url", true},
        {"urlx", "*url", false},   {"xa", "*a*", false},      {"aay", "*a*", true},
        {"url1x2", "url*x*", true}, {"url1x", "url*x*", false}, {"abc", "a*b*c", false},
        {"a1c2b", "a*b*c", false},
        // Each piece is taken at its first occurrence: no second try.
        {"axbb", "a*b", false},    {"axa", "*a*", false},     {"xaab", "*ab", true},
        // Dots and question marks are plain characters; so are bytes above 127.
        {"a?b", "a?b", true},      {"axb", "a?b", false},     {"axb", "a.b", false},
        {"\xE4\xF6", "\xE4*", true}, {"\xC4x", "\xE4*", false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\", pattern \"" + row.pattern + "\"");
        EXPECT_EQ(MatchMask(row.text, row.pattern), row.match);
    }
    // A zero byte inside the text is an ordinary character.
    EXPECT_TRUE(MatchMask(std::string("a\0b", 3), "a*b"));
    EXPECT_FALSE(MatchMask(std::string("a\0b", 3), "a"));
}
