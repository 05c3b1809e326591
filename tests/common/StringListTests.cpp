// Lists kept in one text: the exact split and join, and the terminated form.
#include "common/StringList.h"

#include <gtest/gtest.h>

TEST(StringList, SplitAndJoinInBothForms)
{
    const struct {
        const char* text;
        StringVector pieces;      // between separators
        StringVector terminated;  // each followed by a separator
    } cases[] = {
        {"", {}, {}},
        {"|a", {"", "a"}, {"", "a"}},
        {"a||", {"a", "", ""}, {"a", ""}},
        {"C:\\|D:\\|", {"C:\\", "D:\\", ""}, {"C:\\", "D:\\"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + '"');
        EXPECT_EQ(SplitAtSeparator(c.text, '|'), c.pieces);
        EXPECT_EQ(JoinWithSeparator(c.pieces, '|'), c.text);
        EXPECT_EQ(SplitString(c.text, '|'), c.terminated);
    }
    EXPECT_EQ(JoinStrings(StringVector{"a", ""}, '|'), "a||");
}
