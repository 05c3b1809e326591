// The switches of the unattended runs, as a scheduled task or a shortcut
// writes them.
#include "cleaner/shell/Unattended.h"

#include <gtest/gtest.h>

TEST(Unattended, SwitchesAreFoundInAnyCaseAndAutoWins)
{
    EXPECT_EQ(ParseUnattendedMode(""), UM_NONE);
    EXPECT_EQ(ParseUnattendedMode("/u"), UM_NONE);
    EXPECT_EQ(ParseUnattendedMode("/preview"), UM_PREVIEW);
    EXPECT_EQ(ParseUnattendedMode("/PREVIEW /log:x.txt"), UM_PREVIEW);
    EXPECT_EQ(ParseUnattendedMode("/Auto"), UM_AUTO);
    EXPECT_EQ(ParseUnattendedMode("/preview /auto"), UM_AUTO);
    // Whole arguments only: a path that holds the letters is no switch.
    EXPECT_EQ(ParseUnattendedMode("/preview /log:C:/auto/x.txt"), UM_PREVIEW);
    EXPECT_EQ(ParseUnattendedMode("/autostart"), UM_NONE);
    EXPECT_EQ(ParseUnattendedMode("\"/auto\""), UM_AUTO);
}

TEST(Unattended, LogPathIsTheSwitchsTextQuotedOrNot)
{
    const struct {
        const char* pszCommandLine;
        const char* pszPath;
    } cases[] = {
        {"/auto", ""},
        {"/auto /log:C:\\clean.log", "C:\\clean.log"},
        {"/LOG:C:\\Clean.log /auto", "C:\\Clean.log"},
        {"/auto /log:\"C:\\My Logs\\clean.log\" /x", "C:\\My Logs\\clean.log"},
        {"/auto \"/log:C:\\My Logs\\clean.log\"", "C:\\My Logs\\clean.log"},
        {"/auto /log:", ""},
        {"/auto /log:\"unterminated path", "unterminated path"},
        {"/auto\t/log:a.txt /log:b.txt", "a.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLogPath(c.pszCommandLine), c.pszPath) << c.pszCommandLine;
}
