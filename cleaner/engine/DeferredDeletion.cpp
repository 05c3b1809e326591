#include "cleaner/engine/FileRemoval.h"

#include "cleaner/engine/SystemVersion.h"

#include <windows.h>

#include <cstdio>

namespace {

const char kRenameSection[] = "[rename]\n";

std::string WininitPath()
{
    const std::string strWindows = GetWindowsFolder();
    return strWindows.empty() ? std::string() : strWindows + "\\WININIT.INI";
}

// Text mode: line ends read as line feeds and written back as the system's.
std::string ReadText(const std::string& strPath)
{
    std::string strText;
    if (FILE* pFile = std::fopen(strPath.c_str(), "r")) {
        char buffer[4096];
        size_t nRead;
        while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            strText.append(buffer, nRead);
        std::fclose(pFile);
    }
    return strText;
}

bool WriteText(const std::string& strPath, const std::string& strText)
{
    FILE* pFile = std::fopen(strPath.c_str(), "w");
    if (!pFile)
        return false;
    const bool bWritten = std::fwrite(strText.data(), 1, strText.size(), pFile) == strText.size();
    return std::fclose(pFile) == 0 && bWritten;
}

// Windows 95/98/ME delete the files named in the "[rename]" section of
// WININIT.INI while they start; the newest entry goes first.
bool ScheduleInWininit(const std::string& strPath)
{
    char szShort[MAX_PATH];
    const DWORD nShort = GetShortPathNameA(strPath.c_str(), szShort, MAX_PATH);
    if (nShort == 0 || nShort >= MAX_PATH)
        return false;  // without the short form the line would name something else
    const std::string strWininit = WininitPath();
    if (strWininit.empty())
        return false;

    std::string strText = ReadText(strWininit);
    size_t nInsert = strText.find(kRenameSection);
    if (nInsert == std::string::npos) {
        // A last line without its line end must not run into the header.
        if (!strText.empty() && strText.back() != '\n')
            strText += '\n';
        strText += kRenameSection;
        nInsert = strText.size();
    } else {
        nInsert += sizeof(kRenameSection) - 1;
    }
    strText.insert(nInsert, std::string("nul = ") + szShort + "\n");
    return WriteText(strWininit, strText);
}

}  // namespace

bool DeleteAtReboot(const std::string& strPath)
{
    if (IsWinNT())
        return MoveFileExA(strPath.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    return ScheduleInWininit(strPath);
}
