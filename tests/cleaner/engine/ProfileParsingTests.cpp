#include "cleaner/engine/ProfileParsing.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ProfileParsing, Netscape4RootIsTheTextBeforeTheFirstMailFolder)
{
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\Netscape\\Users\\jo\\mail\\popstate.dat"),
              "C:\\Netscape\\Users\\jo");
    EXPECT_EQ(Netscape4RootFromPopstatePath("D:\\mail\\u\\mail\\popstate.dat"), "D:");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\Users\\jo\\Mail\\popstate.dat"), "");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\Users\\jo\\mail"), "");
}

TEST(ProfileParsing, CacheFolderIsTheQuotedValueAfterTheQuotedName)
{
    const struct {
        const char* note;
        std::string prefs;
        const char* folder;  // null: not found
    } cases[] = {
        {"escaped backslashes are single ones",
         "user_pref(\"browser.cache.disk_cache_size\", 7680);\r\n"
         "user_pref(\"browser.cache.directory\", \"C:\\\\Netscape\\\\jo\\\\cache\");\r\n"
         "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n",
         "C:\\Netscape\\jo\\cache"},
        {"a lone backslash stays, three become two",
         "\"browser.cache.directory\", \"C:\\N\\\\\\x\");", "C:\\N\\\\x"},
        {"the name without its quotes", "user_pref(browser.cache.directory, \"C:\\\\x\");",
         nullptr},
        {"a longer name", "\"browser.cache.directory.old\", \"C:\\\\x\");", nullptr},
        {"no value", "\"browser.cache.directory\", 0);", nullptr},
        {"an unended value", "\"browser.cache.directory\", \"C:\\\\x);", nullptr},
        {"zero bytes end nothing", "\0\"browser.cache.directory\"\0\"C:\\\\x\"\0"s, "C:\\x"},
    };
    for (const auto& test : cases) {
        std::string strFolder = "unchanged";
        EXPECT_EQ(FindCacheDirectoryPref(test.prefs, strFolder), test.folder != nullptr)
            << test.note;
        EXPECT_EQ(strFolder, test.folder ? test.folder : "unchanged") << test.note;
    }
}

// The registry file stores its strings each after a small binary record,
// ended with a zero byte.
TEST(ProfileParsing, MozillaProfileIsTheFirstStoredStringHoldingMozilla)
{
    const struct {
        const char* note;
        std::string bytes;
        const char* folder;
    } cases[] = {
        {"the first of two", "\x76\x00\x02\x00\x10\x00ProfileName\x00\x14\x00jo\x00\x20\x00"
                             "C:\\Data\\Mozilla\\Profiles\\jo\\a1.slt\x00\x30\x00"
                             "D:\\Other\\Mozilla\\x\x00"s,
         "C:\\Data\\Mozilla\\Profiles\\jo\\a1.slt"},
        {"0xFF bytes separate too", "\xFF\x01\\Mozilla\\P\xFF", "\x01\\Mozilla\\P"},
        {"no separator before", "C:\\Mozilla\\P\0"s, ""},
        {"at the very start", "\\Mozilla\\P\0"s, ""},
        {"no separator after", "\0C:\\Mozilla\\P"s, ""},
        {"not there", "\0C:\\Netscape\\P\0"s, ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(MozillaProfileFromRegistryDat(test.bytes), test.folder) << test.note;
}
