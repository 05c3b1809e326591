// The texts exchanged with the maker's server: the update file and the version
// comparison, the problem report's details, address check and encoding.
#include "cleaner/shell/ReportText.h"
#include "cleaner/shell/UpdateInfo.h"

#include <gtest/gtest.h>

TEST(UpdateInfo, ReadsTheVersionAndTheDownloadPageOfWellFormedFilesOnly)
{
    const struct {
        const char *pszText, *pszRead;  // "<version> <page>"; "" where the file is refused
    } cases[] = {
        {"LatestVersion 250\r\nShowURL \"http://host/d.htm\"\r\n", "250 http://host/d.htm"},
        {"LatestVersion5251\nShowURL\"p\"", "251 p"}, {"LatestVersion\nShowURL \"p\"", "0 p"},
        {"LatestVersion=  301 (beta)\nShowURL \"p\"", "301 p"},
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

TEST(ReportText, DetailsNameTheSystemsItKnowsAndTakeAnyNames)
{
    const struct {
        unsigned long nPlatform, nMajor, nMinor;
        const char* pszName;
    } cases[] = {
        {1, 4, 0, "Microsoft Windows 95"}, {1, 4, 90, "Microsoft Windows 98"}, {1, 3, 95, ""},
        {2, 4, 1, "Microsoft Windows NT 4.0"}, {2, 5, 0, "Microsoft Windows 2000"},
        {2, 5, 2, "Microsoft Windows XP"}, {2, 6, 1, ""}, {3, 5, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemName(c.nPlatform, c.nMajor, c.nMinor), c.pszName) << c.nMajor << c.nMinor;
    // Names that hold what a format would read as its own, and long ones.
    const CSystemFacts facts = {9, 5, 1, 4294967295u, "100%s", std::string(300, 'c')};
    EXPECT_EQ(FormatSystemInformation("P", "2.50", facts),
              "Application:P v.2.50\r\nSystem:\r\n  \r\n  5.1.4294967295\r\n  \r\nUser: 100%s\r\n"
              "Computer: " + std::string(300, 'c') + "\r\n\r\nDescribe your problem here");
}

TEST(ReportText, AcceptsPlainAddressesOnly)
{
    for (const char* pszAddress : {"ab@cd.e", "a..b@cd.ef", "A1@B2.C3", "x@y.z.w"})
        EXPECT_TRUE(IsValidEmail(pszAddress)) << pszAddress;
    for (const char* pszAddress : {"", "a@bc", "@abcd", "ab@cd@ef.g", "ab@cd.ef.", "ab@.cdef",
                                   "ab@cd..ef", "first-last@c.d", "j\xE9@cd.ef"})
        EXPECT_FALSE(IsValidEmail(pszAddress)) << pszAddress;
}

// "%", "=", "/", ":" and bytes above 127 pass; a lone line break or any other control character
// would end the request line, and a backslash would arrive as a slash.
TEST(ReportText, EncodesWhatWouldBreakTheQueryAndNothingElse)
{
    EXPECT_EQ(EncodeReportText("a+b?c;d#e&f g\r\nh100% = a/b: \xE9\nb\rc\td\x7F" "C:\\T"),
              "a%2Bb%3Fc%3Bd%23e%26f%20g%0D%0Ah100%%20=%20a/b:%20\xE9%0Ab%0Dc%09d%7FC:%5CT");
}
