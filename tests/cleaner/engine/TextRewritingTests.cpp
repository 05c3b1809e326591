#include "cleaner/engine/TextRewriting.h"

#include <gtest/gtest.h>

TEST(TextRewriting, EachMethodClearsWhatItsKeywordsNameAndMarkedLinesGoWithTheirEnds)
{
    const uint32_t kLines = FileUpdate::FU_CLEAR_LINES, kWords = FileUpdate::FU_CLEAR_KEYWORDS,
                   kFile = FileUpdate::FU_CLEAR_FILE;
    const uint32_t kMarked = 99;  // no method: the lines that RemoveLinesContaining removes
    const struct {
        const char* note;
        uint32_t dwMethod;
        StringVector keywords;
        const char* text;
        const char* expected;  // null: unchanged
    } cases[] = {
        {"the star after the word takes the line feed; a line that begins with it stays", kLines,
         {"*secret*"}, "a secret\nsecret first\nnone\nxsecret\n", "secret first\nnone\n"},
        {"without the trailing star a last line without a line feed", kLines, {"*secret"},
         "a secret\nb secret", "a secret\n"},
        {"a whole line, every one in a row", kLines, {"drop\n"}, "keep\ndrop\ndrop\n", "keep\n"},
        {"any keyword may match", kLines, {"a*", "b*"}, "a1\nb1\nc1\n", "c1\n"},
        {"an empty keyword keeps the line, later ones untried", kLines, {"a*", "", "b*"},
         "a1\nb1\nc1\n", "b1\nc1\n"},
        {"an empty keyword first keeps every line", kLines, {"", "*"}, "a\nb\n", nullptr},
        {"every occurrence", kWords, {"ab"}, "xabyababz", "xyz"},
        {"the search goes on at the cut, so a keyword the cut joins stays", kWords, {"ab"},
         "aabb", "ab"},
        {"each keyword in turn, empty ones skipped", kWords, {"cd", "", "ab"}, "acdb ab", " "},
        {"not there", kWords, {"zz"}, "abc\n", nullptr},
        {"only the second keyword occurs", kFile, {"absent", "here"}, "is here\nmore\n", ""},
        {"no keyword occurs, an empty one skipped", kFile, {"absent", ""}, "is here\n", nullptr},
        {"an unknown method", 3, {"secret", "*"}, "secret\n", nullptr},
        {"marked lines with their ends, a last one without", kMarked,
         {"browser.url_history", "<RDF:li>"},
         "<RDF:Seq>\r\n <RDF:li>1</RDF:li>\r\n\"browser.url_history.1\"\n\tkept\r\r\n<RDF:li> last",
         "<RDF:Seq>\r\n\tkept\r\r\n<RDF:li> last"},
        {"marks compare byte for byte", kMarked, {"{MARK}", ""}, "a {mark}\r\n\r\n{MA\nRK}\n",
         nullptr},
    };
    for (const auto& test : cases) {
        std::string text = test.text;
        EXPECT_EQ(test.dwMethod == kMarked ? RemoveLinesContaining(text, test.keywords)
                                           : UpdateText(text, test.dwMethod, test.keywords),
                  test.expected != nullptr)
            << test.note;
        EXPECT_EQ(text, test.expected ? test.expected : test.text) << test.note;
    }
}

TEST(TextRewriting, OnlyCarriageReturnsBeforeLineFeedsGoAndComeBack)
{
    const char* const cases[][2] = {
        {"a\r\nb\r\n", "a\nb\n"}, {"a\r\r\nb", "a\r\nb"}, {"a\rb\r", "a\rb\r"}};
    for (const auto& test : cases) {
        EXPECT_EQ(ToLineFeeds(test[0]), test[1]) << test[0];
        EXPECT_EQ(ToCrLf(test[1]), test[0]) << test[1];
    }
}
