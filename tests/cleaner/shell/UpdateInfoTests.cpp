// The update file as the server publishes it, and the version comparison.
#include "cleaner/shell/UpdateInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Parses(const char* pszText, CUpdateInfo& info)
{
    info = CUpdateInfo();
    return ParseUpdateInfo(pszText, info);
}

}  // namespace

TEST(UpdateInfo, ReadsTheVersionAndTheDownloadPage)
{
    const struct {
        const char* pszText;
        int nVersion;
        const char* pszPage;
    } cases[] = {
        {"LatestVersion=250\nShowURL=\"http://host/download.htm\"", 250,
         "http://host/download.htm"},
        // A blank as the separator; a carriage return before the line feed.
        {"LatestVersion 250\r\nShowURL \"http://host/d.htm\"\r\n", 250, "http://host/d.htm"},
        // Any one character separates, a digit too; the number may start
        // with white space and ends at the first character that is no digit.
        {"LatestVersion5251\nShowURL\"p\"", 251, "p"},
        {"LatestVersion=  301 (beta)\nShowURL \"p\"", 301, "p"},
        {"LatestVersion=\nShowURL \"p\"", 0, "p"},
        // What follows the second quote does not count; the page may be empty.
        {"LatestVersion=250\nShowURL \"a b\" \"c\"\nmore", 250, "a b"},
        {"LatestVersion=250\nShowURL \"\"", 250, ""},
        // The separator may be the line feed itself.
        {"LatestVersion\nShowURL \"p\"", 0, "p"},
        {"LatestVersion=99999999999\nShowURL \"p\"", 2147483647, "p"},
    };
    for (const auto& c : cases) {
        CUpdateInfo info;
        ASSERT_TRUE(Parses(c.pszText, info)) << c.pszText;
        EXPECT_EQ(info.nLatestVersion, c.nVersion) << c.pszText;
        EXPECT_EQ(info.strDownloadPage, c.pszPage) << c.pszText;
    }
}

TEST(UpdateInfo, RefusesEveryMalformedFile)
{
    const char* const cases[] = {
        nullptr,
        "",
        "LatestVersion",
        "LatestVersion=250",                                  // no line feed
        "\xEF\xBB\xBFLatestVersion=250\nShowURL \"p\"",       // byte-order mark
        " LatestVersion=250\nShowURL \"p\"",                  // a blank before
        "latestversion=250\nShowURL \"p\"",                   // letter case
        "LatestVersion=250\n ShowURL \"p\"",                  // "ShowURL" not first
        "LatestVersion=250\r\n\r\nShowURL \"p\"",             // not the next line
        "LatestVersion=250\nShowUrl \"p\"",
        "LatestVersion=250\nShowURL",                         // no quote
        "LatestVersion=250\nShowURL \"http://host/d.htm",     // one quote
        "<html>LatestVersion=250\nShowURL \"p\"</html>",
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
    // An unknown version is 0: any positive version is new.
    EXPECT_TRUE(IsNewerVersion(1, "???"));
    EXPECT_FALSE(IsNewerVersion(0, "???"));
    EXPECT_FALSE(IsNewerVersion(-5, ""));
    EXPECT_FALSE(IsNewerVersion(250, "2.50"));
    EXPECT_FALSE(IsNewerVersion(250, "2.5"));
    EXPECT_TRUE(IsNewerVersion(251, "2.50"));
    EXPECT_FALSE(IsNewerVersion(249, "2.50"));
    // Numbers with no exact binary form still compare equal to themselves.
    EXPECT_FALSE(IsNewerVersion(251, "2.51"));
    EXPECT_FALSE(IsNewerVersion(113, "1.13"));
    EXPECT_FALSE(IsNewerVersion(57, "0.57"));
    EXPECT_TRUE(IsNewerVersion(252, "2.51"));
    // The version's digits end at the first character that is no digit.
    EXPECT_FALSE(IsNewerVersion(300, "3.00 beta"));
    // Nonsense reads as nothing larger than the largest version.
    EXPECT_FALSE(IsNewerVersion(2147483647, "1e300"));
    EXPECT_TRUE(IsNewerVersion(1, "nan"));
}
