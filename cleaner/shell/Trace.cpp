#include "cleaner/shell/Trace.h"

#include "cleaner/engine/SystemVersion.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

void TraceToFile(const char* pszText, bool bWithTime, bool bWithSeparator)
{
    const std::string strWindows = GetWindowsFolder();
    if (strWindows.empty())
        return;
    const std::string strFolder = strWindows + "\\Temp";
    SHCreateDirectoryExA(nullptr, strFolder.c_str(), nullptr);
    FILE* pFile = std::fopen((strFolder + "\\allBuffs.txt").c_str(), "ab");
    if (!pFile)
        return;
    if (bWithTime) {
        SYSTEMTIME now;
        GetSystemTime(&now);
        std::fprintf(pFile, "%4d/%02d/%02d  %02d:%02d:%02d    ", now.wYear, now.wMonth, now.wDay,
                     now.wHour, now.wMinute, now.wSecond);
    }
    if (bWithSeparator)
        std::fputs("\r\n\r\n\r\n-----------------------\r\n\r\n\r\n", pFile);
    std::fputs(pszText, pFile);
    std::fputs("\r\n", pFile);
    std::fclose(pFile);
}
