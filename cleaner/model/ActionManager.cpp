#include "cleaner/model/ActionManager.h"

#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/ActionIds.h"
#include "cleaner/model/ActionOptions.h"
#include "cleaner/model/Catalogue.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/StringList.h"

namespace {

const char kDefaultIncludeList[] = "*.tmp|*.bak|*.gid|*.chk|*.old|*.$*|*.~*|*.---|~*.*";
const char kDefaultDriveList[] = "C:\\";
const char kDefaultHiddenFilesMask[] = "*.snm";

}  // namespace

CActionManager::CActionManager(CGeneralSettings& settings) : m_settings(settings)
{
    BuildCatalogue();
}

CActionManager::~CActionManager()
{
    SaveAll();
}

CAction& CActionManager::GetAction(const std::string& strId)
{
    auto inserted = m_actions.emplace(strId, CAction());
    if (inserted.second)
        inserted.first->second.strId = strId;
    return inserted.first->second;
}

size_t CActionManager::GetPluginIds(StringVector& ids) const
{
    ids.clear();
    for (const auto& entry : m_plugins)
        ids.push_back(entry.first);
    return ids.size();
}

void CActionManager::BuildCatalogue()
{
    m_stats = CleanStats();
    ApplyFirstRunDefaults();
    AddBuiltInActions(m_actions, m_settings);
    LoadPlugins();
    for (auto& entry : m_actions)
        LoadActionOptions(entry.second);
    FillDiskScanMasks();
}

void CActionManager::SaveAll()
{
    StoreCustomTargets(GetAction(kIdCustom));
    for (auto& entry : m_actions)
        SaveActionOptions(entry.second);
    StoreDiskScanMasks();
}

void CActionManager::ApplyFirstRunDefaults()
{
    if (m_settings.bDiskOpsNeedToSetDefaultData) {
        m_settings.strDiskOpsIncludeList = kDefaultIncludeList;
        m_settings.strDiskOpsDriveList = kDefaultDriveList;
        m_settings.bDiskOpsNeedToSetDefaultData = false;
    }
    if (m_settings.strAOLMessangerPath.Get().empty())
        m_settings.strAOLMessangerPath = FindAOLMessengerFolder();
    if (m_settings.strNetScapeHiddenFilesMask.Get().empty())
        m_settings.strNetScapeHiddenFilesMask = kDefaultHiddenFilesMask;
}

FileTarget* CActionManager::FindDiskScanTarget()
{
    // A plugin may have replaced the disk scan with an action without files.
    auto found = m_actions.find(kIdDiskOpScan);
    if (found == m_actions.end() || found->second.lstFiles.empty())
        return nullptr;
    return &found->second.lstFiles.front();
}

void CActionManager::FillDiskScanMasks()
{
    if (FileTarget* pTarget = FindDiskScanTarget())
        pTarget->vecMasks = SplitAtSeparator(m_settings.strDiskOpsIncludeList, kListSeparator);
}

void CActionManager::StoreDiskScanMasks()
{
    if (FileTarget* pTarget = FindDiskScanTarget())
        m_settings.strDiskOpsIncludeList = JoinWithSeparator(pTarget->vecMasks, kListSeparator);
}
