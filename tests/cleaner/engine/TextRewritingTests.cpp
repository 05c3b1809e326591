#include "cleaner/engine/TextRewriting.h"

#include <gtest/gtest.h>

#include <vector>

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

namespace {

struct UpdateCase {
    const char* note;
    uint32_t dwMethod;
    StringVector keywords;
    const char* text;
    const char* expected;
    bool bChanged;
};

void CheckUpdates(const std::vector<UpdateCase>& cases)
{
    for (const UpdateCase& test : cases) {
        std::string text = test.text;
        EXPECT_EQ(UpdateText(text, test.dwMethod, test.keywords), test.bChanged) << test.note;
        EXPECT_EQ(text, test.expected) << test.note;
    }
}

}  // namespace

TEST(UpdateText, ClearLinesCutsLinesThatAKeywordMatchesAsAMask)
{
    const uint32_t kLines = FileUpdate::FU_CLEAR_LINES;
    CheckUpdates({
        {"the star after the word covers the line feed; a line that begins with the word "
         "stays",
         kLines, {"*secret*"}, "a secret\nsecret first\nnone\nxsecret\n",
         "secret first\nnone\n", true},
        {"without the trailing star only a last line without a line feed matches", kLines,
         {"*secret"}, "a secret\nb secret", "a secret\n", true},
        {"a whole line, line feed included", kLines, {"drop\n"}, "keep\ndrop\ndrop\n",
         "keep\n", true},
        {"the line after a cut line is examined too", kLines, {"x*"}, "x1\nx2\nx3\ny\n", "y\n",
         true},
        {"any keyword may match", kLines, {"a*", "b*"}, "a1\nb1\nc1\n", "c1\n", true},
        {"an empty keyword keeps the line and the keywords after it are not tried", kLines,
         {"a*", "", "b*"}, "a1\nb1\n", "b1\n", true},
        {"an empty keyword first keeps every line", kLines, {"", "*"}, "a\nb\n", "a\nb\n",
         false},
        {"empty text", kLines, {"*"}, "", "", false},
    });
}

TEST(UpdateText, ClearKeywordsCutsEveryOccurrence)
{
    const uint32_t kKeywords = FileUpdate::FU_CLEAR_KEYWORDS;
    CheckUpdates({
        {"a two-letter keyword twice", kKeywords, {"ab"}, "xabyabz", "xyz", true},
        {"next to each other", kKeywords, {"ab"}, "ababab\n", "\n", true},
        {"the search goes on at the cut, so a keyword the cut joins stays", kKeywords, {"ab"},
         "aabb", "ab", true},
        {"each keyword in turn, on what the ones before left", kKeywords, {"cd", "ab"},
         "acdb ab", " ", true},
        {"not there", kKeywords, {"zz"}, "abc\n", "abc\n", false},
        {"empty keywords are skipped", kKeywords, {"", "b"}, "abc", "ac", true},
    });
}

TEST(UpdateText, ClearFileEmptiesATextHoldingAnyKeyword)
{
    const uint32_t kFile = FileUpdate::FU_CLEAR_FILE;
    CheckUpdates({
        {"only the second keyword occurs", kFile, {"absent", "here"}, "is here\nand more\n", "",
         true},
        {"no keyword occurs", kFile, {"absent", "gone"}, "is here\n", "is here\n", false},
        {"an empty keyword is skipped", kFile, {""}, "text\n", "text\n", false},
    });
}

TEST(UpdateText, OtherMethodsLeaveTheTextAlone)
{
    for (uint32_t dwMethod : {3u, 4u, 0xFFFFFFFFu}) {
        std::string text = "secret\n";
        EXPECT_FALSE(UpdateText(text, dwMethod, {"secret", "*"})) << dwMethod;
        EXPECT_EQ(text, "secret\n");
    }
}

TEST(TextMode, OnlyCarriageReturnsBeforeLineFeedsGoAndComeBack)
{
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\r\r\nb", "a\r\nb"},
        {"a\rb\r", "a\rb\r"},
        {"\r\n\r\n", "\n\n"},
        {"", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ToLineFeeds(test.bytes), test.text) << test.bytes;
        EXPECT_EQ(ToLineFeeds(ToCrLf(test.text)), test.text) << test.text;
    }
    EXPECT_EQ(ToCrLf("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(ToCrLf("a\r\nb\rc"), "a\r\r\nb\rc");
    EXPECT_EQ(ToCrLf("no end"), "no end");
}
