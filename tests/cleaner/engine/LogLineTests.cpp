// The text of a log line: the time prefix and the message cut to its buffer.
#include "cleaner/engine/LogLine.h"

#include <gtest/gtest.h>

static std::string Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    std::string strMessage = FormatLogMessage(pszFormat, args);
    va_end(args);
    return strMessage;
}

TEST(LogLine, TimePrefixAndMessageCutToItsBuffer)
{
    std::tm time = {};
    time.tm_year = 2026 - 1900;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    EXPECT_EQ(FormatLogLine(time, "File C:\\a.txt"), "07.01.26 09:05:03>> File C:\\a.txt");
    EXPECT_EQ(Format("File %s not found, %u", "100% C:\\x", 3u), "File 100% C:\\x not found, 3");
    EXPECT_EQ(Format("File %s", std::string(5000, 'x').c_str()),
              "File " + std::string(kLogMessageSize - 1 - 5, 'x'));
}
