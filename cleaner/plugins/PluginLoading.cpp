#include "cleaner/plugins/PluginLoading.h"

#include "cleaner/model/ActionManager.h"
#include "common/FindFiles.h"
#include "common/ProgramPath.h"
#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <windows.h>

std::string GetPluginFolder()
{
    // Written back when it goes out of scope: the editor has no default of
    // its own and finds the folder through this value.
    CRegString strPluginFolder(RK_CURRENT_USER, kSettingsKey, "strPluginFolder",
                               (GetProgramFolder() + "\\Plugins").c_str());
    return strPluginFolder;
}

bool CActionManager::LoadPlugins()
{
    const std::string strFolder = GetPluginFolder();
    m_plugins.clear();

    // A copy kept beside a plugin ("name.pld~", "name.pldbak") would have
    // its alias end in ".PLD"; only names that end so themselves load.
    CFindFiles files(strFolder, "*.pld");
    WIN32_FIND_DATAA data;
    while (files.Next(data)) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CPluginAction plugin;
        plugin.m_strFilePath = strFolder + "\\" + data.cFileName;
        if (!plugin.Load())
            continue;  // not a plugin: skipped without a word
        const std::string strId = plugin.strId;
        GetAction(strId) = static_cast<const CAction&>(plugin);
        m_plugins[strId] = std::move(plugin);
    }
    return true;
}
