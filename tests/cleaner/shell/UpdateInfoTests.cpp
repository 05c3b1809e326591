// The update file as the server publishes it, and the version comparison.
#include "cleaner/shell/UpdateInfo.h"

#include <gtest/gtest.h>

#include <string>

TEST(UpdateInfo, ReadsTheVersionAndTheDownloadPage)
{
    const struct {
        const char* pszText;
        int nVersion;
        const char* pszPage;
    } cases[] = {
        {"LatestVersion=250\nShowURL=\"http://host/d.htm\"", 250, "http://host/d.htm"},
        {"LatestVersion 250\r\nShowURL \"p\"\r\n", 250, "p"},
        // Any one character separates, a digit or the line feed too; the
        // number may start with white space and ends at the first non-digit.
        {"LatestVersion5251\nShowURL\"p\"", 251, "p"},
        {"LatestVersion=  301 (beta)\nShowURL \"p\"", 301, "p"},
        {"LatestVersion\nShowURL \"p\"", 0, "p"},
        {"LatestVersion=99999999999\nShowURL \"p\"", 2147483647, "p"},
        // What follows the second quote does not count; the page may be empty.
        {"LatestVersion=250\nShowURL \"a b\" \"c\"\nmore", 250, "a b"},
        {"LatestVersion=250\nShowURL \"\"", 250, ""},
    };
    for (const auto& c : cases) {
        CUpdateInfo info;
        ASSERT_TRUE(ParseUpdateInfo(c.pszText, info)) << c.pszText;
        EXPECT_EQ(info.nLatestVersion, c.nVersion) << c.pszText;
        EXPECT_EQ(info.strDownloadPage, c.pszPage) << c.pszText;
    }
}

TEST(UpdateInfo, RefusesEveryMalformedFile)
{
    const char* const cases[] = {
        nullptr,
        "",
        "LatestVersion=250",                          // no line feed
        " LatestVersion=250\nShowURL \"p\"",          // not at the first byte
        "latestversion=250\nShowURL \"p\"",
        "LatestVersion=250\r\n\r\nShowURL \"p\"",     // not the next line
        "LatestVersion=250\nShowUrl \"p\"",
        "LatestVersion=250\nShowURL",
        "LatestVersion=250\nShowURL \"http://host/d.htm",
    };
    for (const char* pszText : cases) {
        CUpdateInfo info;
        info.nLatestVersion = 7;
        EXPECT_FALSE(ParseUpdateInfo(pszText, info)) << (pszText ? pszText : "(null)");
        EXPECT_EQ(info.nLatestVersion, 7);
    }
}

TEST(UpdateInfo, ComparesWithTheInstalledVersionInHundredths)
{
    const struct {
        int nLatest;
        const char* pszInstalled;
        bool bNewer;
    } cases[] = {
        {1, "???", true},   {0, "???", false},  {-5, "", false},      {250, "2.5", false},
        {251, "2.50", true}, {249, "2.50", false},
        // Hundredths with no exact binary form still equal themselves.
        {251, "2.51", false}, {57, "0.57", false}, {252, "2.51", true},
        {300, "3.00 beta", false}, {2147483647, "1e300", false}, {1, "nan", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.nLatest, c.pszInstalled), c.bNewer)
            << c.nLatest << " against " << c.pszInstalled;
}
