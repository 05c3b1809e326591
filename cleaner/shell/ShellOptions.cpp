#include "cleaner/shell/ShellOptions.h"

#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <string>

namespace {

uint32_t ReadNumber(const std::string& strKey, const char* pszName, uint32_t dwDefault)
{
    CRegDword value(RK_CURRENT_USER, strKey.c_str(), pszName, dwDefault);
    value.SetNoWriteBack(true);
    return value;
}

}  // namespace

uint32_t ReadClearLogFlags()
{
    return ReadNumber(kSettingsKey, "dwClearLogFlags", CLF_ENABLED);
}

bool ClearsLogAt(uint32_t dwOccasion)
{
    const uint32_t dwFlags = ReadClearLogFlags();
    return (dwFlags & CLF_ENABLED) && (dwFlags & dwOccasion);
}

bool ReadMoveToTrayOnClose()
{
    return ReadNumber(kSettingsKey, "bMoveToTrayOnClose", 1) != 0;
}

bool ReadRunAtShutdown()
{
    return ReadNumber(std::string(kSettingsKey) + "\\General", "bRunAtShutdown", 0) != 0;
}
