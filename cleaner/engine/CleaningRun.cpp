// The run of a clean over the action manager's actions.
#include "cleaner/model/ActionManager.h"

#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/PathMacros.h"
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

void CActionManager::PrepareSpecialActions()
{
    const std::string& strDrives = m_settings.strDiskOpsDriveList;
    ReplaceList(GetAction(kIdDiskOpFreeSpace).lstFreeSpaceDrives,
                SplitAtSeparator(strDrives, kListSeparator));
    ReplaceList(GetAction(kIdDiskOpRecycleBin).lstRecycleBinDrives,
                SplitAtSeparator(GetFixedDrives(), kListSeparator));
    CAction& scan = GetAction(kIdDiskOpScan);
    if (!scan.lstFiles.empty())
        scan.lstFiles.front().strName = strDrives;
    GetAction(kIdMiscCleanRegistry).lstCommands = {m_settings.strMiscCleanRegistryProgramPath};
    GetAction(kIdMiscDefragmentRegistry).lstCommands = {
        m_settings.strMiscDefragmentnRegistryProgramPath};
}

bool CActionManager::RunCleaning(const CStopRequest& stop)
{
    PrepareSpecialActions();
    HoldLogRedraw();
    m_stats = CleanStats();
    for (const auto& entry : m_actions) {
        if (stop.IsRequested())
            break;
        if (entry.second.bEnabled)
            m_stats += ExecuteAction(entry.second, m_settings, stop);
    }
    const bool bCompleted = !stop.IsRequested();
    if (bCompleted)
        PrintRunStatistics();
    ReleaseLogRedraw();
    return bCompleted;
}
