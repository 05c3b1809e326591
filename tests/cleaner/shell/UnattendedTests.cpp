// The switches of the unattended runs, as a scheduled task or a shortcut writes them.
#include "cleaner/shell/Unattended.h"

#include <gtest/gtest.h>

TEST(Unattended, ModeAndLogPathComeFromWholeArgumentsInAnyCase)
{
    const struct {
        const char* pszCommandLine;
        UnattendedMode mode;
        const char* pszLogPath;
    } cases[] = {
        {"/u /autostart /previews /log:\"unterminated path", UM_NONE, "unterminated path"},
        {"/PREVIEW /log:C:/auto/x.txt", UM_PREVIEW, "C:/auto/x.txt"},
        {"/LOG:C:\\Clean.log /auto /preview", UM_AUTO, "C:\\Clean.log"},
        {"/preview \"/Auto\" /log:\"C:\\My Logs\\c.log\" /x", UM_AUTO, "C:\\My Logs\\c.log"},
        {"/auto\t/log:a.txt /log:b.txt /log:", UM_AUTO, "a.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseUnattendedMode(c.pszCommandLine), c.mode) << c.pszCommandLine;
        EXPECT_EQ(ParseLogPath(c.pszCommandLine), c.pszLogPath) << c.pszCommandLine;
    }
}
