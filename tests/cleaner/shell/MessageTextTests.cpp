// The message box's text: where it breaks its lines and how wide it is.
#include "cleaner/shell/MessageText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDiskScanQuestion =
    "Attention!\r\nThis feature will delete files on your drives according to masks.\r\n"
    "You will not be able to restore these files!\r\nAre you sure you want to enable it?";

std::string Xs(size_t n)
{
    return std::string(n, 'x');
}

}  // namespace

TEST(MessageText, BreaksAfterABreakCharacterOnceTheLineHasSixtyCharacters)
{
    const struct {
        std::string strText;
        std::string strWrapped;
        size_t nLongestLine;
    } cases[] = {
        {"", "", 0},
        // No break character: never broken, however long; no line ends in
        // a carriage return.
        {Xs(300), Xs(300), 0},
        {"Hello world.", "Hello world.", 0},
        // Each break character, once the line reaches 60 with it.
        {Xs(59) + "\tab", Xs(59) + "\t\r\nab", 60},
        {Xs(59) + " ab", Xs(59) + " \r\nab", 60},
        {Xs(59) + ".ab", Xs(59) + ".\r\nab", 60},
        {Xs(59) + ",ab", Xs(59) + ",\r\nab", 60},
        {Xs(59) + ";ab", Xs(59) + ";\r\nab", 60},
        {Xs(59) + "=ab", Xs(59) + "=\r\nab", 60},
        {Xs(59) + "-ab", Xs(59) + "-\r\nab", 60},
        // 59 characters with the break character are not enough; the next
        // break character then ends the longer line.
        {Xs(58) + " " + Xs(10) + " ab", Xs(58) + " " + Xs(10) + " \r\nab", 70},
        // Every line counts from its own start.
        {Xs(59) + " " + Xs(59) + " " + Xs(59) + " ab",
         Xs(59) + " \r\n" + Xs(59) + " \r\n" + Xs(59) + " \r\nab", 60},
        // The text's own line ends, line feed and all, start a new line.
        {"short\r\n" + Xs(58) + " ab", "short\r\n" + Xs(58) + " ab", 5},
        {Xs(70) + "\r\nab", Xs(70) + "\r\nab", 70},
        // A line that ends there anyway gets no empty line after it.
        {Xs(64) + ".\r\nab", Xs(64) + ".\r\nab", 65},
        {Xs(64) + ".", Xs(64) + ".", 0},
        {kDiskScanQuestion, kDiskScanQuestion, 65},
    };
    for (const auto& c : cases) {
        const WrappedText wrapped = WrapMessageText(c.strText);
        EXPECT_EQ(wrapped.strText, c.strWrapped) << c.strText;
        EXPECT_EQ(wrapped.nLongestLine, c.nLongestLine) << c.strText;
    }
}

TEST(MessageText, ColumnsTakeTheLastLineWhenItIsLongerUpToTheWrapColumn)
{
    const struct {
        std::string strText;
        size_t nColumns;
    } cases[] = {
        {kDiskScanQuestion, 65},
        {"Hello world.", 12},
        {"\r\nAre you sure you want to enable it?", 35},
        {"Attention!\r\nok", 10},
        {Xs(300), 60},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageColumns(WrapMessageText(c.strText)), c.nColumns) << c.strText;
}
