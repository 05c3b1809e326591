// The rule-file reader: entries and their numbered keys out of a hand-written text.
#include "cleaner/plugins/RuleFile.h"

#include <gtest/gtest.h>

TEST(RuleFile, SplitsEntriesAndNumberedKeysAndReportsWhatItCannotRead)
{
    const std::string text =
        "\xEF\xBB\xBF; comment\r\n"
        "Orphan=1\r\n"
        "[Browser Cache *]\r\n"
        "  LangSecRef = 3029 \r\n"
        "FileKey3=%LocalAppData%\\B\\*\\Cache|*.*|RECURSE\n"
        "filekey1=%Temp%|*.tmp;*.log\r\n"
        "FileKey3=%LocalAppData%\\B\\*\\Code Cache|*.*\r\n"
        "DetectFile=%LocalAppData%\\B\n"
        "Detect1=HKCU\\Software\\B\n"
        "just words\r\n"
        "123=no name\r\n"
        "FileKey1234567890=too large\r\n"
        "[Broken\r\n"
        "FileKey1=lost\r\n"
        "[ ]\r\n"
        "FileKey1=lost too\r\n"
        "[Editor MRU]\n"
        "RegKey1=HKCU\\Software\\E|Recent=x\n";
    RuleFile file;
    ASSERT_TRUE(ReadRuleFile(text, file));
    ASSERT_EQ(file.entries.size(), 2u);
    const RuleEntry& cache = file.entries[0];
    EXPECT_EQ(cache.strName, "Browser Cache");
    EXPECT_EQ(cache.nLine, 3u);
    EXPECT_EQ(cache.Value("langsecref"), "3029");
    EXPECT_EQ(cache.Values("FileKey"), (StringVector{"%Temp%|*.tmp;*.log",
                                                     "%LocalAppData%\\B\\*\\Code Cache|*.*"}));
    EXPECT_EQ(cache.Value("DetectFile"), "%LocalAppData%\\B");
    EXPECT_EQ(cache.Values("Detect"), StringVector{"HKCU\\Software\\B"});
    EXPECT_EQ(cache.Value("Detect"), "");
    EXPECT_EQ(file.entries[1].strName, "Editor MRU");
    EXPECT_EQ(file.entries[1].Values("RegKey"), StringVector{"HKCU\\Software\\E|Recent=x"});
    EXPECT_EQ(file.vecProblems,
              (StringVector{"Line 2: a key outside any entry", "Line 10: neither a section nor a key",
                            "Line 11: a key without a name",
                            "Line 12: the number of \"FileKey\" is too large",
                            "Line 13: a section without its closing bracket",
                            "Line 14: a key outside any entry", "Line 15: a section without a name",
                            "Line 16: a key outside any entry"}));
}

TEST(RuleFile, RefusesATextOverItsSizeLimitUnread)
{
    RuleFile file;
    file.vecProblems = {"left from before"};
    EXPECT_TRUE(ReadRuleFile(std::string(), file));
    EXPECT_TRUE(file.entries.empty() && file.vecProblems.empty());
    std::string text = "[A *]\n" + std::string(kMaxRuleFileSize - 6, ' ');
    EXPECT_TRUE(ReadRuleFile(text, file));
    EXPECT_EQ(file.entries.size(), 1u);
    text += ' ';
    EXPECT_FALSE(ReadRuleFile(text, file));
    EXPECT_TRUE(file.entries.empty());
}
