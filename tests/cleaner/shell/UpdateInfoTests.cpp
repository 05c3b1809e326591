// The update file as the server publishes it, and the version comparison.
#include "cleaner/shell/UpdateInfo.h"

#include <gtest/gtest.h>

TEST(UpdateInfo, ReadsTheVersionAndTheDownloadPageOfWellFormedFilesOnly)
{
    const struct {
        const char* pszText;
        int nVersion;         // 7 (untouched) where the file is refused
        const char* pszPage;  // null where the file is refused
    } cases[] = {
        {"LatestVersion 250\r\nShowURL \"http://host/d.htm\"\r\n", 250, "http://host/d.htm"},
        // Any one character separates; the number ends at the first non-digit.
        {"LatestVersion5251\nShowURL\"p\"", 251, "p"},
        {"LatestVersion=  301 (beta)\nShowURL \"p\"", 301, "p"},
        {"LatestVersion\nShowURL \"p\"", 0, "p"},
        {"LatestVersion=99999999999\nShowURL \"p\"", 2147483647, "p"},
        {"LatestVersion=250\nShowURL \"a b\" \"c\"\nmore", 250, "a b"},
        {nullptr, 7, nullptr},
        {"LatestVersion=250", 7, nullptr},
        {" LatestVersion=250\nShowURL \"p\"", 7, nullptr},
        {"latestversion=250\nShowURL \"p\"", 7, nullptr},
        {"LatestVersion=250\r\n\r\nShowURL \"p\"", 7, nullptr},
        {"LatestVersion=250\nShowUrl \"p\"", 7, nullptr},
        {"LatestVersion=250\nShowURL", 7, nullptr},
        {"LatestVersion=250\nShowURL \"http://host/d.htm", 7, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText ? c.pszText : "(null)");
        CUpdateInfo info;
        info.nLatestVersion = 7;
        EXPECT_EQ(ParseUpdateInfo(c.pszText, info), c.pszPage != nullptr);
        EXPECT_EQ(info.nLatestVersion, c.nVersion);
        EXPECT_EQ(info.strDownloadPage, c.pszPage ? c.pszPage : "");
    }
}

TEST(UpdateInfo, ComparesWithTheInstalledVersionInHundredths)
{
    const struct {
        int nLatest;
        const char* pszInstalled;
        bool bNewer;
    } cases[] = {
        {1, "???", true},    {250, "2.5", false},       {251, "2.50", true}, {251, "2.51", false},
        {57, "0.57", false}, {300, "3.00 beta", false}, {1, "nan", true}, {2147483647, "1e300", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.nLatest, c.pszInstalled), c.bNewer)
            << c.nLatest << " against " << c.pszInstalled;
}
