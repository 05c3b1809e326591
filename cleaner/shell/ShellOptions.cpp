#include "cleaner/shell/ShellOptions.h"

#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <string>

uint32_t ReadClearLogFlags()
{
    return ReadRegNumber(RK_CURRENT_USER, kSettingsKey, "dwClearLogFlags", CLF_ENABLED);
}

bool ClearsLogAt(uint32_t dwOccasion)
{
    const uint32_t dwFlags = ReadClearLogFlags();
    return (dwFlags & CLF_ENABLED) && (dwFlags & dwOccasion);
}

bool ReadMoveToTrayOnClose()
{
    return ReadRegNumber(RK_CURRENT_USER, kSettingsKey, "bMoveToTrayOnClose", 1) != 0;
}

bool ReadRunAtShutdown()
{
    return ReadRegNumber(RK_CURRENT_USER, std::string(kSettingsKey) + "\\General",
                         "bRunAtShutdown", 0) != 0;
}
