// The engine's code without Windows: masks, text rewriting and the wipe's bytes.
#include "cleaner/engine/MatchMask.h"
#include "cleaner/engine/TextRewriting.h"
#include "cleaner/engine/WipePattern.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(MatchMask, StarStandsForOneOrMoreCharactersAndTheRestIsComparedByteForByte)
{
    static const struct {
        const char *text, *pattern;
        bool match;
    } cases[] = {
        {"anything", "", true}, {"", "*", false}, {"a", "***", true}, {"MRUList", "mrulist", false},
        {"MRUListx", "MRUList", false}, {"xMRUList", "MRUList", false},
        // A star needs a character, at either end and between two pieces.
        {"ab", "a*b", false}, {"axyzb", "a*b", true}, {"axyzc", "a*b", false},
        {"axb", "a**b", true}, {"url", "url*", false}, {"url12", "url*", true},
        {"url", "*url", false}, {"myurl", "*url", true}, {"xa", "*a*", false},
        {"aay", "*a*", true}, {"a1c2b", "a*b*c", false}, {"axb", "a?b", false},
        {"axbb", "a*b", false},  // each piece at its first occurrence: no second try
        {"\xE4\xF6", "\xE4*", true}, {"\xC4x", "\xE4*", false},
    };
    for (const auto& row : cases)
        EXPECT_EQ(MatchMask(row.text, row.pattern), row.match) << row.text << " " << row.pattern;
}

TEST(TextRewriting, EachMethodClearsWhatItsKeywordsNameAndMarkedLinesGoWithTheirEnds)
{
    const uint32_t kLines = FileUpdate::FU_CLEAR_LINES, kWords = FileUpdate::FU_CLEAR_KEYWORDS,
                   kFile = FileUpdate::FU_CLEAR_FILE;
    const uint32_t kMarked = 99;  // no method: the lines that RemoveLinesContaining removes
    const struct {
        const char* note;
        uint32_t dwMethod;
        StringVector keywords;
        const char *text, *expected;  // null: unchanged
    } cases[] = {
        {"the star takes the line feed; a line it begins stays", kLines, {"*secret*"},
         "a secret\nsecret first\nnone\nxsecret\n", "secret first\nnone\n"},
        {"no trailing star", kLines, {"*secret"}, "a secret\nb secret", "a secret\n"},
        {"any keyword", kLines, {"a*", "b*"}, "a1\nb1\nc1\n", "c1\n"},
        {"an empty keyword ends", kLines, {"a*", "", "b*"}, "a1\nb1\nc1\n", "b1\nc1\n"},
        {"every occurrence", kWords, {"ab"}, "xabyababz", "xyz"},
        {"on at the cut: what the cut joins stays", kWords, {"ab"}, "aabb", "ab"},
        {"each in turn, empty skipped", kWords, {"cd", "", "ab"}, "acdb ab", " "},
        {"only the second occurs", kFile, {"absent", "here"}, "is here\nmore\n", ""},
        {"none occurs, empty skipped", kFile, {"absent", ""}, "is here\n", nullptr},
        {"marked lines with their ends", kMarked, {"browser.url_history", "<RDF:li>"},
         "<RDF:Seq>\r\n <RDF:li>1</RDF:li>\r\n\"browser.url_history.1\"\n\tkept\r\r\n<RDF:li> last",
         "<RDF:Seq>\r\n\tkept\r\r\n<RDF:li> last"},
        {"byte for byte", kMarked, {"{MARK}", ""}, "a {mark}\r\n\r\n{MA\nRK}\n", nullptr},
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

// The generator's first values from state 1 are 41, 18467, 6334, 26500, 19169, 15724, a byte
// the low eight bits of each; it starts over on every thread.
TEST(WipePattern, OnesOrTheGeneratorFromStateOneAndTheFillerModulo257)
{
    typedef std::vector<unsigned char> Block;
    unsigned char block[kWipeBlockSize], filler[kFillerBlockSize];
    FillWipeBlock(WIPE_ONES, block);
    EXPECT_EQ(Block(block, block + kWipeBlockSize), Block(kWipeBlockSize, 0xFF));
    std::thread([&] { FillWipeBlock(WIPE_RANDOM, block); }).join();
    EXPECT_EQ(Block(block, block + 6), (Block{0x29, 0x23, 0xBE, 0x84, 0xE1, 0x6C}));
    FillFillerBlock(filler);
    for (size_t i : {0, 255, 256, 257, 258, 4095})
        EXPECT_EQ(filler[i], i % 257 % 256) << i;
}
