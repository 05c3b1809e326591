// The text of one line of the activity log. Portable code.
#pragma once

#include <cstdarg>
#include <ctime>
#include <string>

// Room for the formatted message of one line, its terminating zero included.
const size_t kLogMessageSize = 512;

// The caller's message, formatted as by printf and cut to 511 characters.
std::string FormatLogMessage(const char* pszFormat, va_list args);

// "%d.%m.%y %H:%M:%S>> message", with the local time given.
std::string FormatLogLine(const std::tm& localTime, const std::string& strMessage);
