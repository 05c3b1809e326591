#include "cleaner/plugins/PluginLoading.h"

#include "cleaner/model/ActionManager.h"

std::string GetPluginFolder()
{
    return std::string();
}

bool CActionManager::LoadPlugins()
{
    return true;
}
