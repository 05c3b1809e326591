// The switches of the unattended runs, as a scheduled task or a shortcut writes them.
#include "cleaner/shell/Unattended.h"

#include <gtest/gtest.h>

TEST(Unattended, ModeAndPathsComeFromWholeArgumentsInAnyCase)
{
    const struct {
        const char* pszCommandLine;
        UnattendedMode mode;
        const char* pszLogPath;
        const char* pszImportPath;
    } cases[] = {
        {"/u /autostart /previews /import /log:\"unterminated path", UM_NONE, "unterminated path",
         ""},
        {"/PREVIEW /log:C:/auto/x.txt", UM_PREVIEW, "C:/auto/x.txt", ""},
        {"/LOG:C:\\Clean.log /auto /preview", UM_AUTO, "C:\\Clean.log", ""},
        {"/preview \"/Auto\" /log:\"C:\\My Logs\\c.log\" /x", UM_AUTO, "C:\\My Logs\\c.log", ""},
        {"/auto\t/log:a.txt /log:b.txt /log:", UM_AUTO, "a.txt", ""},
        {"/auto /IMPORT:\"C:\\My Rules\\winapp2.ini\" /import:b.pld", UM_IMPORT, "",
         "C:\\My Rules\\winapp2.ini"},
        {"/import:", UM_IMPORT, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseUnattendedMode(c.pszCommandLine), c.mode) << c.pszCommandLine;
        EXPECT_EQ(ParseLogPath(c.pszCommandLine), c.pszLogPath) << c.pszCommandLine;
        EXPECT_EQ(ParseImportPath(c.pszCommandLine), c.pszImportPath) << c.pszCommandLine;
    }
}
