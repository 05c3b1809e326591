#include "cleaner/shell/ShellOptions.h"

#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <string>

namespace {

const char kClearLogFlags[] = "dwClearLogFlags";
const char kMoveToTrayOnClose[] = "bMoveToTrayOnClose";
const char kRunAtShutdown[] = "bRunAtShutdown";

std::string GeneralKey()
{
    return std::string(kSettingsKey) + "\\General";
}

}  // namespace

uint32_t ReadClearLogFlags()
{
    return ReadRegNumber(RK_CURRENT_USER, kSettingsKey, kClearLogFlags, CLF_ENABLED);
}

void WriteClearLogFlags(uint32_t dwFlags)
{
    CRegDword(RK_CURRENT_USER, kSettingsKey, kClearLogFlags, dwFlags).WriteNow(dwFlags);
}

bool ClearsLogAt(uint32_t dwOccasion)
{
    const uint32_t dwFlags = ReadClearLogFlags();
    return (dwFlags & CLF_ENABLED) && (dwFlags & dwOccasion);
}

bool ReadMoveToTrayOnClose()
{
    return ReadRegNumber(RK_CURRENT_USER, kSettingsKey, kMoveToTrayOnClose, 1) != 0;
}

void WriteMoveToTrayOnClose(bool bMoveToTray)
{
    CRegBool(RK_CURRENT_USER, kSettingsKey, kMoveToTrayOnClose, bMoveToTray).WriteNow(bMoveToTray);
}

bool ReadRunAtShutdown()
{
    return ReadRegNumber(RK_CURRENT_USER, GeneralKey(), kRunAtShutdown, 0) != 0;
}

void WriteRunAtShutdown(bool bRunAtShutdown)
{
    CRegBool(RK_CURRENT_USER, GeneralKey().c_str(), kRunAtShutdown, bRunAtShutdown)
        .WriteNow(bRunAtShutdown);
}
