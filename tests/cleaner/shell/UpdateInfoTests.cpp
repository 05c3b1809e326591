// The update file as the server publishes it, and the version comparison.
#include "cleaner/shell/UpdateInfo.h"

#include <gtest/gtest.h>

TEST(UpdateInfo, ReadsTheVersionAndTheDownloadPageOfWellFormedFilesOnly)
{
    // Any one character separates; the number ends at the first non-digit.
    const struct {
        const char *pszText, *pszRead;  // "<version> <page>"; "" where the file is refused
    } cases[] = {
        {"LatestVersion 250\r\nShowURL \"http://host/d.htm\"\r\n", "250 http://host/d.htm"},
        {"LatestVersion5251\nShowURL\"p\"", "251 p"},
        {"LatestVersion=  301 (beta)\nShowURL \"p\"", "301 p"},
        {"LatestVersion\nShowURL \"p\"", "0 p"},
        {"LatestVersion=99999999999\nShowURL \"p\"", "2147483647 p"},
        {"LatestVersion=250\nShowURL \"a b\" \"c\"\nmore", "250 a b"},
        {nullptr, ""}, {"LatestVersion=250", ""}, {" LatestVersion=250\nShowURL \"p\"", ""},
        {"latestversion=250\nShowURL \"p\"", ""}, {"LatestVersion=250\r\n\r\nShowURL \"p\"", ""},
        {"LatestVersion=250\nShowUrl \"p\"", ""}, {"LatestVersion=250\nShowURL", ""},
        {"LatestVersion=250\nShowURL \"http://host/d.htm", ""},
    };
    for (const auto& c : cases) {
        CUpdateInfo info;
        info.nLatestVersion = 7;  // as it stays where the file is refused
        EXPECT_EQ(ParseUpdateInfo(c.pszText, info), *c.pszRead != 0) << c.pszText;
        EXPECT_EQ(std::to_string(info.nLatestVersion) + " " + info.strDownloadPage,
                  *c.pszRead ? c.pszRead : "7 ") << c.pszText;
    }
}

TEST(UpdateInfo, ComparesWithTheInstalledVersionInHundredths)
{
    const struct {
        int nLatest;
        const char* pszInstalled;
        bool bNewer;
    } cases[] = {
        {1, "nan", true},    {250, "2.50 beta", false}, {251, "2.50", true}, {251, "2.51", false},
        {57, "0.57", false}, {2147483647, "1e300", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.nLatest, c.pszInstalled), c.bNewer) << c.pszInstalled;
}
