// The counts that the file removals of the engine return, spelled out.
#pragma once

#include "common/Action.h"

#include <cstdint>

// What a file removal returns: the space, the files deleted, and those left
// for the restart.
inline CleanStats Stats(uint32_t dwReleased, uint32_t nDeleted, uint32_t nReboot = 0)
{
    CleanStats stats;
    stats.dwReleasedSpace = dwReleased;
    stats.nDeletedFiles = nDeleted;
    stats.nRebootFiles = nReboot;
    return stats;
}
