#include "common/ProgramPath.h"

#include <windows.h>

std::string GetProgramPath()
{
    char szPath[MAX_PATH];
    const DWORD cch = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    return std::string(szPath, cch < MAX_PATH ? cch : 0);
}

std::string GetProgramFolder()
{
    const std::string strPath = GetProgramPath();
    const size_t nSlash = strPath.rfind('\\');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}
