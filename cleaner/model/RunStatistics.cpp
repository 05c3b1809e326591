// The summary that ends a clean.
#include "cleaner/model/ActionManager.h"

#include "cleaner/engine/Log.h"

void CActionManager::PrintRunStatistics() const
{
    LogMessage(LI_STATISTICS, "Statistics:");
    LogMessage(LI_STATISTICS, "Deleted: %u file(s)", m_stats.nDeletedFiles);
    LogMessage(LI_STATISTICS, "Updated: %u file(s)", m_stats.nUpdatedFiles);
    LogMessage(LI_STATISTICS, "Deleted: %u registry entry(ies)", m_stats.nDeletedRegEntries);
    LogMessage(LI_STATISTICS, "Released Space: %u Kbytes", m_stats.dwReleasedSpace / 1024);
    if (m_stats.nRebootFiles != 0)
        LogMessage(LI_STATISTICS,
                   "%u files will be removed on reboot (Please reboot if you want to clean "
                   "everything immidiately)",
                   m_stats.nRebootFiles);
}

void CActionManager::PrintPreviewStatistics() const
{
    LogMessage(LI_STATISTICS, "Statistics of the preview (nothing has been changed):");
    LogMessage(LI_STATISTICS, "Would be deleted: %u file(s)", m_stats.nDeletedFiles);
    LogMessage(LI_STATISTICS, "Would be updated: %u file(s)", m_stats.nUpdatedFiles);
    LogMessage(LI_STATISTICS, "Would be deleted: %u registry entry(ies)",
               m_stats.nDeletedRegEntries);
    LogMessage(LI_STATISTICS, "Space that would be released: %u Kbytes",
               m_stats.dwReleasedSpace / 1024);
    if (m_stats.nRebootFiles != 0)
        LogMessage(LI_STATISTICS, "%u files would be removed on reboot", m_stats.nRebootFiles);
}
