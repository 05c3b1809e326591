#include "cleaner/engine/TextRewriting.h"

#include <gtest/gtest.h>

TEST(RemoveLinesContaining, RemovesMarkedLinesWithTheirEndsAndKeepsEveryOtherByte)
{
    const StringVector needles = {"browser.url_history", "<RDF:li>"};
    std::string text =
        "<RDF:Seq>\r\n"
        "  <RDF:li>one</RDF:li>\r\n"
        "user_pref(\"browser.url_history.URL_1\", \"x\");\n"
        "\tkept line\r\r\n"
        "<RDF:li> last line without an end";
    EXPECT_TRUE(RemoveLinesContaining(text, needles));
    EXPECT_EQ(text,
              "<RDF:Seq>\r\n"
              "\tkept line\r\r\n"
              "<RDF:li> last line without an end");
}

TEST(RemoveLinesContaining, LeavesTextWithoutMarkedLinesAlone)
{
    const StringVector needles = {"{MARK}", ""};
    std::string text = "a {mark}\r\n\r\n{MA\nRK}\n";
    EXPECT_FALSE(RemoveLinesContaining(text, needles));
    EXPECT_EQ(text, "a {mark}\r\n\r\n{MA\nRK}\n");

    std::string empty;
    EXPECT_FALSE(RemoveLinesContaining(empty, needles));
    EXPECT_EQ(empty, "");
}

TEST(RemoveLinesContaining, RemovesEveryMarkedLineInARow)
{
    std::string text = "x{M}\n{M}\n{M}y\nz\n{M}\n";
    EXPECT_TRUE(RemoveLinesContaining(text, {"{M}"}));
    EXPECT_EQ(text, "z\n");
}
