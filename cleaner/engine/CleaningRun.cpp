// The run of a clean over the action manager's actions.
#include "cleaner/model/ActionManager.h"

#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/PreviewChanges.h"
#include "cleaner/engine/ProtectedFolders.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/ActionIds.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/StringList.h"

namespace {

void ReplaceList(StringList& list, const StringVector& items)
{
    list.assign(items.begin(), items.end());
}

}  // namespace

void PrepareForClean(CAction& action, const CGeneralSettings& settings)
{
    const std::string& strDrives = settings.strDiskOpsDriveList;
    if (action.strId == kIdDiskOpFreeSpace) {
        ReplaceList(action.lstFreeSpaceDrives, SplitAtSeparator(strDrives, kListSeparator));
    } else if (action.strId == kIdDiskOpRecycleBin) {
        ReplaceList(action.lstRecycleBinDrives,
                    SplitAtSeparator(GetFixedDrives(), kListSeparator));
    } else if (action.strId == kIdDiskOpScan) {
        if (!action.lstFiles.empty())
            action.lstFiles.front().strName = strDrives;
    } else if (action.strId == kIdMiscCleanRegistry) {
        action.lstCommands = {settings.strMiscCleanRegistryProgramPath};
    } else if (action.strId == kIdMiscDefragmentRegistry) {
        action.lstCommands = {settings.strMiscDefragmentnRegistryProgramPath};
    }
}

void CActionManager::PrepareSpecialActions()
{
    for (const char* pszId : {kIdDiskOpFreeSpace, kIdDiskOpRecycleBin, kIdDiskOpScan,
                              kIdMiscCleanRegistry, kIdMiscDefragmentRegistry})
        PrepareForClean(GetAction(pszId), m_settings);
}

bool CActionManager::RunActions(const CStopRequest& stop, IChanges& changes)
{
    PrepareSpecialActions();
    RefreshProtectedFolders();
    m_stats = CleanStats();
    for (const auto& entry : m_actions) {
        if (stop.IsRequested())
            break;
        if (entry.second.bEnabled)
            m_stats += ExecuteAction(entry.second, m_settings, stop, changes);
    }
    return !stop.IsRequested();
}

bool CActionManager::RunCleaning(const CStopRequest& stop)
{
    HoldLogRedraw();
    const bool bCompleted = RunActions(stop, LiveChanges());
    if (bCompleted)
        PrintRunStatistics();
    ReleaseLogRedraw();
    return bCompleted;
}

bool CActionManager::RunPreview(const CStopRequest& stop)
{
    HoldLogRedraw();
    CPreviewChanges preview;
    const bool bCompleted = RunActions(stop, preview);
    if (bCompleted)
        PrintPreviewStatistics();
    ReleaseLogRedraw();
    return bCompleted;
}
