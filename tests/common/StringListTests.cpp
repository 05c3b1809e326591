// Lists kept in one text: the exact split and join, and the terminated form.
#include "common/StringList.h"

#include <gtest/gtest.h>

TEST(StringList, SplitAtSeparatorKeepsEveryPiece)
{
    const struct {
        const char* text;
        StringVector pieces;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"*.tmp|*.bak", {"*.tmp", "*.bak"}},
        {"a||b", {"a", "", "b"}},
        {"a|", {"a", ""}},
        {"|", {"", ""}},
        {"|a", {"", "a"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitAtSeparator(c.text, '|'), c.pieces) << '"' << c.text << '"';
        EXPECT_EQ(JoinWithSeparator(c.pieces, '|'), c.text) << '"' << c.text << '"';
    }
}

TEST(StringList, TerminatedForm)
{
    const struct {
        const char* text;
        StringVector pieces;
    } cases[] = {
        {"", {}},
        {"C:\\|", {"C:\\"}},
        {"C:\\|D:\\|", {"C:\\", "D:\\"}},
        {"a||", {"a", ""}},
        {"|", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitString(c.text, '|'), c.pieces) << '"' << c.text << '"';
        EXPECT_EQ(JoinStrings(c.pieces, '|'), c.text) << '"' << c.text << '"';
    }
    // A last element without its separator is still an element.
    EXPECT_EQ(SplitString("C:\\|D:\\", '|'), (StringVector{"C:\\", "D:\\"}));
}
