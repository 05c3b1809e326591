// The message box's text: where it breaks its lines and how wide it is.
#include "cleaner/shell/MessageText.h"

#include <gtest/gtest.h>

static std::string Xs(size_t n) { return std::string(n, 'x'); }

TEST(MessageText, BreaksAfterABreakCharacterOnceTheLineHasSixtyCharacters)
{
    const struct {
        std::string strText, strWrapped;
        size_t nLongestLine, nColumns;
    } cases[] = {
        {Xs(300), Xs(300), 0, 60},  // no break character: never broken
        {Xs(59) + ",ab", Xs(59) + ",\r\nab", 60, 60},
        // 59 characters and the break are not enough; the next break ends the line.
        {Xs(58) + " " + Xs(10) + " ab", Xs(58) + " " + Xs(10) + " \r\nab", 70, 70},
        {Xs(59) + " " + Xs(59) + " ab", Xs(59) + " \r\n" + Xs(59) + " \r\nab", 60, 60},
        // The text's own line ends start a line; no empty line follows them.
        {"short\r\n" + Xs(58) + " ab", "short\r\n" + Xs(58) + " ab", 5, 60},
        {Xs(64) + ".\r\nab", Xs(64) + ".\r\nab", 65, 65},
        {Xs(64) + ".", Xs(64) + ".", 0, 60},
        {"Attention!\r\nok", "Attention!\r\nok", 10, 10},
    };
    for (const auto& c : cases) {
        const WrappedText wrapped = WrapMessageText(c.strText);
        EXPECT_EQ(wrapped.strText, c.strWrapped) << c.strText;
        EXPECT_EQ(wrapped.nLongestLine, c.nLongestLine) << c.strText;
        EXPECT_EQ(MessageColumns(wrapped), c.nColumns) << c.strText;
    }
}
