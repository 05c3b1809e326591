// The record's system time to and from the platform's own structure.
#pragma once

#include "common/Action.h"

#include <windows.h>

inline SYSTEMTIME ToSystemTime(const SysTime& time)
{
    SYSTEMTIME result;
    result.wYear = time.wYear;
    result.wMonth = time.wMonth;
    result.wDayOfWeek = time.wDayOfWeek;
    result.wDay = time.wDay;
    result.wHour = time.wHour;
    result.wMinute = time.wMinute;
    result.wSecond = time.wSecond;
    result.wMilliseconds = time.wMilliseconds;
    return result;
}

inline SysTime FromSystemTime(const SYSTEMTIME& time)
{
    SysTime result;
    result.wYear = time.wYear;
    result.wMonth = time.wMonth;
    result.wDayOfWeek = time.wDayOfWeek;
    result.wDay = time.wDay;
    result.wHour = time.wHour;
    result.wMinute = time.wMinute;
    result.wSecond = time.wSecond;
    result.wMilliseconds = time.wMilliseconds;
    return result;
}
