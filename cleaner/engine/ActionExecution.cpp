#include "cleaner/engine/ActionExecution.h"

#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FileUpdates.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/RecycleBin.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/ActionOptions.h"
#include "cleaner/model/GeneralSettings.h"

#include <windows.h>

#include <vector>

namespace {

// How the clean removes files: with its wipe settings, every outcome
// reported, no date limit, and its stop request.
FileRemoval CleanRemoval(const CGeneralSettings& settings, const CStopRequest& stop)
{
    FileRemoval removal;
    removal.bWipe = settings.bFileOpsWarp;
    removal.dwWipeMode = settings.bFileOpsWipeMode;
    removal.dwReportFlags = RF_ALL;
    removal.pStop = &stop;
    return removal;
}

CleanStats CleanFileTarget(const FileTarget& target, const CGeneralSettings& settings,
                           const CStopRequest& stop)
{
    bool bResolved = true;
    const std::string strPaths = ExpandPath(target.strName, settings, &bResolved);
    if (!bResolved)
        return CleanStats();  // it would name a folder nobody meant

    FileRemoval removal = CleanRemoval(settings, stop);
    removal.pDate = target.bUseDate ? &target.stDate : nullptr;
    removal.dwReportFlags = target.dwReportFlags;

    switch (target.dwType) {
    case TT_SINGLE:
        return EraseFile(strPaths, removal);
    case TT_CONTENT:
        return CleanFolder(strPaths, target.lstExclude, target.vecMasks,
                           ExpandHiddenMask(target.strMask, settings), target.bUseMaskList,
                           removal);
    case TT_RECURSIVE:
        return CleanFolderTree(strPaths, target.lstExclude, target.vecMasks,
                               ExpandHiddenMask(target.strMask, settings), target.bUseMaskList,
                               removal);
    default:
        return CleanStats();
    }
}

CleanStats UpdateTextFile(const FileUpdate& update, const CGeneralSettings& settings)
{
    bool bResolved = true;
    FileUpdate expanded = update;
    expanded.strPath = ExpandPath(update.strPath, settings, &bResolved);
    if (!bResolved)
        return CleanStats();  // it would name a file nobody meant
    return UpdateFile(expanded);
}

// The history file goes like a single file whose every outcome is logged;
// the file beside it keeps everything but its history lines.
CleanStats ClearHistoryPair(const FilePairItem& pair, const CGeneralSettings& settings,
                            const CStopRequest& stop)
{
    bool bFirstResolved = true;
    bool bSecondResolved = true;
    const std::string strErase = ExpandPath(pair.strFirst, settings, &bFirstResolved);
    const std::string strStrip = ExpandPath(pair.strSecond, settings, &bSecondResolved);
    if (!bFirstResolved || !bSecondResolved)
        return CleanStats();  // the browser's folder is not known here

    const CleanStats stats = EraseFile(strErase, CleanRemoval(settings, stop));
    StripHistoryLines(strStrip);
    return stats;
}

CleanStats ClearBrowserHistories(const CAction& action, const CGeneralSettings& settings,
                                 const CStopRequest& stop)
{
    CleanStats stats;
    for (const FilePairItem& pair : action.lstFilePairs) {
        if (stop.IsRequested())
            break;
        stats += ClearHistoryPair(pair, settings, stop);
    }
    return stats;
}

// Started as it stands, without waiting and without looking at the result.
void StartCommand(const std::string& strCommandLine)
{
    std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back('\0');  // the system may write into the command line
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

CleanStats RunStandardSteps(const CAction& action, const CGeneralSettings& settings,
                            const CStopRequest& stop)
{
    CleanStats stats;
    for (const RegTarget& target : action.lstKeys)
        stats += CleanRegTarget(target);
    for (const FileTarget& target : action.lstFiles) {
        if (stop.IsRequested())
            return stats;
        stats += CleanFileTarget(target, settings, stop);
    }
    for (const FileUpdate& update : action.lstFileUpdates) {
        if (stop.IsRequested())
            return stats;
        stats += UpdateTextFile(update, settings);
    }
    // The browser keeps its own window title and start page unless the user
    // gave one: an empty text would leave it with none.
    const bool bUserText = CarriesUserText(action);
    for (const RegUpdate& update : action.lstKeyUpdates) {
        if (bUserText && update.dwDataType == RegUpdate::DT_TEXT && update.strData.empty())
            continue;
        ApplyRegUpdate(update);
    }
    for (const std::string& strCommand : action.lstCommands)
        StartCommand(strCommand);
    return stats;
}

void EliminateFreeSpaceOfDrives(const CAction& action, const CStopRequest& stop)
{
    for (const std::string& strDrive : action.lstFreeSpaceDrives) {
        if (stop.IsRequested())
            return;
        EliminateFreeSpace(strDrive, &stop);
    }
}

CleanStats EmptyRecycleBins(const CAction& action, const CGeneralSettings& settings,
                            const CStopRequest& stop)
{
    CleanStats stats;
    const FileRemoval removal = CleanRemoval(settings, stop);
    for (const std::string& strDrive : action.lstRecycleBinDrives) {
        if (stop.IsRequested())
            break;
        stats += EmptyRecycleBin(strDrive, removal);
    }
    return stats;
}

void ClearClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

}  // namespace

CleanStats ExecuteAction(const CAction& action, const CGeneralSettings& settings,
                         const CStopRequest& stop)
{
    CleanStats stats;
    LogMessage(LI_ACTION_START, "%s", action.strTitle.c_str());
    switch (action.dwKind) {
    case AK_STANDARD:
        stats = RunStandardSteps(action, settings, stop);
        break;
    case AK_CLIPBOARD:
        ClearClipboard();
        break;
    case AK_FREESPACE:
        EliminateFreeSpaceOfDrives(action, stop);
        break;
    case AK_RECYCLEBIN:
        stats = EmptyRecycleBins(action, settings, stop);
        break;
    case AK_NNHISTORY:
        stats = ClearBrowserHistories(action, settings, stop);
        break;
    case AK_PSTORE:
        ClearAutoCompleteStore();
        break;
    case AK_MRU:
        ClearSearchMRU();
        break;
    default:
        // Any other kind has nothing to do between its two lines.
        break;
    }
    if (stop.IsRequested())
        return stats;  // an action cut short is not complete
    LogMessage(LI_ACTION_COMPLETE, "%s Complete", action.strTitle.c_str());
    return stats;
}
