#include "cleaner/shell/Autostart.h"

#include "cleaner/shell/ProductInfo.h"
#include "common/ProgramPath.h"
#include "common/RegValue.h"

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

std::string ReadAutostartEntry()
{
    return ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kProductName);
}

bool WriteAutostartEntry()
{
    const std::string strPath = GetProgramPath();
    if (strPath.empty())
        return false;
    return CRegString(RK_LOCAL_MACHINE, kRunKey, kProductName, "").WriteNow(strPath);
}

void RemoveAutostartEntry()
{
    CRegString(RK_LOCAL_MACHINE, kRunKey, kProductName, "").DeleteValue();
}
