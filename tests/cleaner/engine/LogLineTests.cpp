// The text of a log line: the time prefix and the message cut to its buffer.
#include "cleaner/engine/LogLine.h"

#include <gtest/gtest.h>

namespace {

std::string Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    std::string strMessage = FormatLogMessage(pszFormat, args);
    va_end(args);
    return strMessage;
}

}  // namespace

TEST(LogLine, TimePrefixIsDayMonthTwoDigitYearAndTime)
{
    std::tm time = {};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    EXPECT_EQ(FormatLogLine(time, "File C:\\a.txt was deleted"),
              "07.01.26 09:05:03>> File C:\\a.txt was deleted");
}

TEST(LogLine, MessagesAreFormattedAndCutNeverOverrun)
{
    EXPECT_EQ(Format("File %s not found", "C:\\x"), "File C:\\x not found");
    EXPECT_EQ(Format("%s", "100% sure"), "100% sure");
    EXPECT_EQ(Format("%u files", 3u), "3 files");

    const std::string strLong(5000, 'x');
    const std::string strCut = Format("File %s was deleted", strLong.c_str());
    EXPECT_EQ(strCut.size(), kLogMessageSize - 1);
    EXPECT_EQ(strCut, "File " + std::string(kLogMessageSize - 1 - 5, 'x'));
}
