// The texts of a problem report: the system details, the e-mail check and
// the request that carries the report.
#include "cleaner/shell/ReportText.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReportText, NamesTheSystemsItKnows)
{
    const struct {
        unsigned long nPlatform, nMajor, nMinor;
        const char* pszName;
    } cases[] = {
        {1, 4, 0, "Microsoft Windows 95"},      {1, 4, 10, "Microsoft Windows 98"},
        {1, 4, 90, "Microsoft Windows 98"},     {1, 5, 0, "Microsoft Windows 98"},
        {1, 3, 95, ""},                         {2, 4, 0, "Microsoft Windows NT 4.0"},
        {2, 4, 1, "Microsoft Windows NT 4.0"},  {2, 5, 0, "Microsoft Windows 2000"},
        {2, 5, 1, "Microsoft Windows XP"},      {2, 5, 2, "Microsoft Windows XP"},
        {2, 6, 1, ""},                          {2, 10, 0, ""},
        {0, 3, 10, ""},                         {3, 5, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemName(c.nPlatform, c.nMajor, c.nMinor), c.pszName)
            << c.nPlatform << " " << c.nMajor << "." << c.nMinor;
}

TEST(ReportText, SystemInformationStartsTheDescription)
{
    CSystemFacts facts;
    facts.nPlatform = 2;
    facts.nMajor = 5;
    facts.nMinor = 1;
    facts.nBuild = 2600;
    facts.strUserName = "Anna";
    facts.strComputerName = "DESK-7";
    EXPECT_EQ(FormatSystemInformation("Veltrin PRO", "???", facts),
              "Application:Veltrin PRO v.???\r\nSystem:\r\n  Microsoft Windows XP\r\n"
              "  5.1.2600\r\n  \r\nUser: Anna\r\nComputer: DESK-7\r\n\r\n"
              "Describe your problem here");
    // Names that hold what a format would read as its own.
    facts.nPlatform = 9;
    facts.nBuild = 4294967295u;
    facts.strUserName = "100%s";
    facts.strComputerName = std::string(300, 'c');
    EXPECT_EQ(FormatSystemInformation("P", "2.50", facts),
              "Application:P v.2.50\r\nSystem:\r\n  \r\n  5.1.4294967295\r\n  \r\n"
              "User: 100%s\r\nComputer: " +
                  std::string(300, 'c') + "\r\n\r\nDescribe your problem here");
}

TEST(ReportText, AcceptsPlainAddressesOnly)
{
    const char* const valid[] = {
        "ab@cd.e",     "ab@cde",       "a@bcd",       "john_smith@mail.example",
        "a..b@cd.ef",  "A1@B2.C3",     "x@y.z.w",     "ab@c.d.e",
    };
    for (const char* pszAddress : valid)
        EXPECT_TRUE(IsValidEmail(pszAddress)) << pszAddress;

    const char* const invalid[] = {
        "",
        "abc",
        "a@b",            // the "@" lies too near the end
        "a@bc",
        "@abcd",          // nothing before the "@"
        "ab@cd@ef.g",     // a second "@"
        "ab@cd.ef.",      // a full stop at the end
        "ab@.cdef",       // a full stop right after the "@"
        "ab@cd..ef",      // two full stops after the "@"
        "first-last@cd.ef",
        "ab@my-host.org",
        "ab+tag@cd.ef",
        "a b@cd.ef",
        "ab@cd.ef ",
        "j\xE9@cd.ef",    // letters are the Latin alphabet's
    };
    for (const char* pszAddress : invalid)
        EXPECT_FALSE(IsValidEmail(pszAddress)) << pszAddress;
}

TEST(ReportText, EncodesWhatWouldBreakTheQueryAndNothingElse)
{
    EXPECT_EQ(EncodeReportText("a+b?c;d#e&f g\r\nh"), "a%2Bb%3Fc%3Bd%23e%26f%20g%0D%0Ah");
    // Per-cent signs, equals signs, slashes, colons and bytes above 127
    // pass unchanged, so a "%" already in the text is sent as it is.
    EXPECT_EQ(EncodeReportText("100% = a/b: \xE9t\xE9"), "100%%20=%20a/b:%20\xE9t\xE9");
    EXPECT_EQ(EncodeReportText("%2B"), "%2B");
    // A line break of one character, or any other control character, would
    // end the request line early; a backslash would arrive as a slash.
    EXPECT_EQ(EncodeReportText("a\nb\rc\td\x7F"), "a%0Ab%0Dc%09d%7F");
    EXPECT_EQ(EncodeReportText("C:\\Temp\\a.tmp"), "C:%5CTemp%5Ca.tmp");
    EXPECT_EQ(EncodeReportText(""), "");
}

TEST(ReportText, RequestCarriesTheDescriptionAndTheAddress)
{
    EXPECT_EQ(ReportRequestUrl("http://host/veltrin/report.cgi", "It fails & stops?",
                               "ab@cd.e"),
              "http://host/veltrin/report.cgi?strResp=It%20fails%20%26%20stops%3F&EMail=ab@cd.e");
}
