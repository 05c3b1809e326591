#include "cleaner/engine/LogLine.h"

#include <cstdio>

std::string FormatLogMessage(const char* pszFormat, va_list args)
{
    char szMessage[kLogMessageSize];
    const int nLength = std::vsnprintf(szMessage, sizeof(szMessage), pszFormat, args);
    if (nLength < 0)
        return std::string();
    return szMessage;
}

std::string FormatLogLine(const std::tm& localTime, const std::string& strMessage)
{
    char szTime[32];
    if (std::strftime(szTime, sizeof(szTime), "%d.%m.%y %H:%M:%S", &localTime) == 0)
        szTime[0] = '\0';
    return std::string(szTime) + ">> " + strMessage;
}
