// The bytes of an action as a plugin file holds them.
#pragma once

#include "common/Action.h"
#include "common/MemFile.h"

#include <string>

inline std::string PluginBytes(const CAction& action)
{
    CMemFile file;
    action.Write(file);
    return std::string(file.GetData().begin(), file.GetData().end());
}
