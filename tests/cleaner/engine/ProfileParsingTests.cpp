#include "cleaner/engine/ProfileParsing.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ProfileParsing, BrowserFoldersFromTheirOwnRecords)
{
    // The Netscape 4 user folder is the text before the first mail folder.
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\N\\jo\\mail\\popstate.dat"), "C:\\N\\jo");
    EXPECT_EQ(Netscape4RootFromPopstatePath("D:\\mail\\u\\mail\\popstate.dat"), "D:");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\jo\\Mail\\popstate.dat"), "");
    EXPECT_EQ(Netscape4RootFromPopstatePath("C:\\jo\\mail"), "");

    // Its cache is the quoted value after the quoted name, "\\" read as "\".
    const std::string kName = "\"browser.cache.directory\"";
    const struct {
        std::string prefs;
        const char* folder;  // null: not found
    } prefs[] = {
        {"(\"browser.cache.size\", 7);\r\nuser_pref(" + kName +
             ", \"C:\\\\N\\\\jo\");\r\n(\"x\", \"y\")",
         "C:\\N\\jo"},
        {kName + ", \"C:\\N\\\\\\x\");", "C:\\N\\\\x"},
        {"\0"s + kName + "\0\"C:\\\\x\"\0"s, "C:\\x"},
        {"(browser.cache.directory, \"C:\\\\x\");", nullptr},
        {"\"browser.cache.directory.old\", \"C:\\\\x\");", nullptr},
        {kName + ", 0);", nullptr},
        {kName + ", \"C:\\\\x);", nullptr},
    };
    for (const auto& test : prefs) {
        std::string strFolder = "unchanged";
        EXPECT_EQ(FindCacheDirectoryPref(test.prefs, strFolder), test.folder != nullptr)
            << test.prefs;
        EXPECT_EQ(strFolder, test.folder ? test.folder : "unchanged") << test.prefs;
    }

    // Mozilla's is the first string of its registry file that holds "\Mozilla",
    // between the nearest zero or 0xFF bytes.
    const struct {
        std::string bytes;
        const char* folder;
    } registries[] = {
        {"\x76\x00\x02\x00\x10\x00Name\x00\x20\x00"
         "C:\\D\\Mozilla\\jo\x00\x30\x00"
         "D:\\Mozilla\\x\x00"s,
         "C:\\D\\Mozilla\\jo"},
        {"\xFF\x01\\Mozilla\\P\xFF", "\x01\\Mozilla\\P"},
        {"C:\\Mozilla\\P\0"s, ""},
        {"\\Mozilla\\P\0"s, ""},
        {"\0C:\\Mozilla\\P"s, ""},
        {"\0C:\\Netscape\\P\0"s, ""},
    };
    for (const auto& test : registries)
        EXPECT_EQ(MozillaProfileFromRegistryDat(test.bytes), test.folder) << test.folder;
}
