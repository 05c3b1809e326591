#include "cleaner/engine/ProfileParsing.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(Netscape4RootFromPopstatePath, TakesTheTextBeforeTheFirstMailFolder)
{
    EXPECT_EQ(Netscape4RootFromPopstatePath(
                  "C:\\Program Files\\Netscape\\Users\\jo\\mail\\popstate.dat"),
              "C:\\Program Files\\Netscape\\Users\\jo");
    EXPECT_EQ(Netscape4RootFromPopstatePath("D:\\mail\\u\\mail\\popstate.dat"), "D:");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\Users\\jo\\Mail\\popstate.dat"), "");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\Users\\jo\\mail"), "");
    EXPECT_EQ(Netscape4RootFromPopstatePath(""), "");
}

TEST(FindCacheDirectoryPref, ReadsTheQuotedValueAfterTheQuotedName)
{
    const struct {
        const char* note;
        std::string prefs;
        bool bFound;
        const char* folder;
    } cases[] = {
        {"escaped backslashes are single ones",
         "// Netscape User Preferences\r\n"
         "user_pref(\"browser.cache.disk_cache_size\", 7680);\r\n"
         "user_pref(\"browser.cache.directory\", \"C:\\\\Netscape\\\\Users\\\\jo\\\\cache\");\r\n"
         "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n",
         true, "C:\\Netscape\\Users\\jo\\cache"},
        {"a lone backslash stays, three become two",
         "user_pref(\"browser.cache.directory\", \"C:\\N\\\\\\x\");", true, "C:\\N\\\\x"},
        {"the name without its quotes does not count",
         "user_pref(browser.cache.directory, \"C:\\\\x\");", false, ""},
        {"a longer name does not count",
         "user_pref(\"browser.cache.directory.old\", \"C:\\\\x\");", false, ""},
        {"the preference is not there", "user_pref(\"browser.cache.memory_cache_size\", 1024);",
         false, ""},
        {"no value", "user_pref(\"browser.cache.directory\", 0);", false, ""},
        {"an unended value", "user_pref(\"browser.cache.directory\", \"C:\\\\x);", false, ""},
        {"zero bytes end nothing", "\0\"browser.cache.directory\"\0\"C:\\\\x\"\0"s, true,
         "C:\\x"},
    };
    for (const auto& test : cases) {
        std::string strFolder = "unchanged";
        EXPECT_EQ(FindCacheDirectoryPref(test.prefs, strFolder), test.bFound) << test.note;
        EXPECT_EQ(strFolder, test.bFound ? test.folder : "unchanged") << test.note;
    }
}

TEST(MozillaProfileFromRegistryDat, TakesTheFirstStoredStringHoldingMozilla)
{
    // Written as the registry file stores its strings: each after a small
    // binary record, ended with a zero byte.
    const std::string registry =
        "\x76\x00\x02\x00\x01\x00\x00\x00"
        "\x10\x00\x00\x00ProfileName\x00"
        "\x14\x00\x00\x00jo\x00"
        "\x20\x00\x00\x00"
        "C:\\WINDOWS\\Application Data\\Mozilla\\Profiles\\jo\\a1b2c3d4.slt\x00"
        "\x30\x00\x00\x00"
        "D:\\Other\\Mozilla\\x\x00"s;
    EXPECT_EQ(MozillaProfileFromRegistryDat(registry),
              "C:\\WINDOWS\\Application Data\\Mozilla\\Profiles\\jo\\a1b2c3d4.slt");

    const struct {
        const char* note;
        std::string bytes;
        const char* folder;
    } cases[] = {
        {"0xFF bytes separate too", "\xFF\x01\\Mozilla\\P\xFF", "\x01\\Mozilla\\P"},
        {"between the nearest separators", "\0a\0b\\Mozilla\\P\0c\0"s, "b\\Mozilla\\P"},
        {"no separator before", "C:\\Mozilla\\P\0"s, ""},
        {"at the very start", "\\Mozilla\\P\0"s, ""},
        {"no separator after", "\0C:\\Mozilla\\P"s, ""},
        {"not there", "\0C:\\Netscape\\P\0"s, ""},
        {"empty", "", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(MozillaProfileFromRegistryDat(test.bytes), test.folder) << test.note;
}
