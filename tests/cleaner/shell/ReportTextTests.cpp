// The texts of a problem report: the system details, the e-mail check and
// the request that carries the report.
#include "cleaner/shell/ReportText.h"

#include <gtest/gtest.h>

TEST(ReportText, DetailsNameTheSystemsItKnowsAndTakeAnyNames)
{
    const struct {
        unsigned long nPlatform, nMajor, nMinor;
        const char* pszName;
    } cases[] = {
        {1, 4, 0, "Microsoft Windows 95"},     {1, 4, 90, "Microsoft Windows 98"},
        {1, 3, 95, ""},                        {2, 4, 1, "Microsoft Windows NT 4.0"},
        {2, 5, 0, "Microsoft Windows 2000"},   {2, 5, 2, "Microsoft Windows XP"},
        {2, 6, 1, ""},                         {3, 5, 1, ""},
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

// "%", "=", "/", ":" and bytes above 127 pass; a lone line break or any other
// control character would end the request line, and a backslash would
// arrive as a slash.
TEST(ReportText, EncodesWhatWouldBreakTheQueryAndNothingElse)
{
    EXPECT_EQ(EncodeReportText("a+b?c;d#e&f g\r\nh100% = a/b: \xE9\nb\rc\td\x7F" "C:\\T"),
              "a%2Bb%3Fc%3Bd%23e%26f%20g%0D%0Ah100%%20=%20a/b:%20\xE9%0Ab%0Dc%09d%7FC:%5CT");
    EXPECT_EQ(ReportRequestUrl("http://host/r.cgi", "It fails & stops?", "ab@cd.e"),
              "http://host/r.cgi?strResp=It%20fails%20%26%20stops%3F&EMail=ab@cd.e");
}
