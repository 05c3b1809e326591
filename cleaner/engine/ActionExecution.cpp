#include "cleaner/engine/ActionExecution.h"

#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FileUpdates.h"
#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/RecycleBin.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/ActionOptions.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/StringList.h"


namespace {

// How the clean removes files: with its wipe settings, every outcome
// reported, no date limit, and its stop request.
FileRemoval CleanRemoval(const CGeneralSettings& settings, const CStopRequest& stop,
                         IChanges& changes)
{
    FileRemoval removal;
    removal.pChanges = &changes;
    removal.bWipe = settings.bFileOpsWarp;
    removal.dwWipeMode = settings.bFileOpsWipeMode;
    removal.dwReportFlags = RF_ALL;
    removal.pStop = &stop;
    return removal;
}

// The paths that one path of a target names: the folders its pattern matches,
// or for a single file the files of that name in them, reached as a 64-bit
// system keeps them. A folder that a pattern matched names the file only
// where it is there: no one named the others, so they are not reported.
void AppendTargetPaths(const std::string& strPath, uint32_t dwType, StringVector& paths)
{
    if (strPath.empty())
        return;  // an empty piece of a list names nothing
    const std::string strNative = ReachNativeSystemFolder(strPath);
    if (dwType != TT_SINGLE) {
        for (const std::string& strFolder : ExpandFolderPattern(strNative))
            paths.push_back(strFolder);
        return;
    }
    const size_t nSlash = strNative.rfind('\\');
    if (nSlash == std::string::npos || !HasWildcards(strNative.substr(0, nSlash))) {
        paths.push_back(strNative);
        return;
    }
    for (const std::string& strFolder : ExpandFolderPattern(strNative.substr(0, nSlash))) {
        const std::string strFile = strFolder + strNative.substr(nSlash);
        if (GetFileAttributesA(strFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            paths.push_back(strFile);
    }
}

CleanStats EraseFiles(const StringVector& paths, const FileRemoval& removal)
{
    CleanStats stats;
    for (const std::string& strPath : paths) {
        if (removal.pStop && removal.pStop->IsRequested())
            break;
        stats += EraseFile(strPath, removal);
    }
    return stats;
}

CleanStats CleanFileTarget(const FileTarget& target, const CGeneralSettings& settings,
                           const CStopRequest& stop, IChanges& changes)
{
    bool bResolved = true;
    const std::string strExpanded = ExpandPath(target.strName, settings, &bResolved);
    if (!bResolved)
        return CleanStats();  // it would name a folder nobody meant
    StringVector paths;
    for (const std::string& strPath : SplitAtSeparator(strExpanded, kListSeparator))
        AppendTargetPaths(strPath, target.dwType, paths);
    const std::string strPaths = JoinWithSeparator(paths, kListSeparator);

    FileRemoval removal = CleanRemoval(settings, stop, changes);
    removal.pDate = target.bUseDate ? &target.stDate : nullptr;
    removal.dwReportFlags = target.dwReportFlags;

    switch (target.dwType) {
    case TT_SINGLE:
        return EraseFiles(paths, removal);
    case TT_CONTENT:
        return CleanFolder(strPaths, target.lstExclude, target.vecMasks,
                           ExpandHiddenMask(target.strMask, settings), target.bUseMaskList,
                           removal);
    case TT_RECURSIVE:
        return CleanFolderTree(strPaths, target.lstExclude, target.vecMasks,
                               ExpandHiddenMask(target.strMask, settings), target.bUseMaskList,
                               removal);
    case TT_TREE_AND_SELF:
        return CleanFolderTreeAndSelf(strPaths, target.lstExclude, target.vecMasks,
                                      ExpandHiddenMask(target.strMask, settings),
                                      target.bUseMaskList, removal);
    default:
        return CleanStats();
    }
}

CleanStats UpdateTextFile(const FileUpdate& update, const CGeneralSettings& settings,
                          IChanges& changes)
{
    bool bResolved = true;
    FileUpdate expanded = update;
    expanded.strPath = ExpandPath(update.strPath, settings, &bResolved);
    if (!bResolved)
        return CleanStats();  // it would name a file nobody meant
    return UpdateFile(expanded, changes);
}

// The history file goes like a single file whose every outcome is logged;
// the file beside it keeps everything but its history lines.
CleanStats ClearHistoryPair(const FilePairItem& pair, const CGeneralSettings& settings,
                            const CStopRequest& stop, IChanges& changes)
{
    bool bFirstResolved = true;
    bool bSecondResolved = true;
    const std::string strErase = ExpandPath(pair.strFirst, settings, &bFirstResolved);
    const std::string strStrip = ExpandPath(pair.strSecond, settings, &bSecondResolved);
    if (!bFirstResolved || !bSecondResolved)
        return CleanStats();  // the browser's folder is not known here

    const CleanStats stats = EraseFile(strErase, CleanRemoval(settings, stop, changes));
    StripHistoryLines(strStrip, changes);
    return stats;
}

CleanStats ClearBrowserHistories(const CAction& action, const CGeneralSettings& settings,
                                 const CStopRequest& stop, IChanges& changes)
{
    CleanStats stats;
    for (const FilePairItem& pair : action.lstFilePairs) {
        if (stop.IsRequested())
            break;
        stats += ClearHistoryPair(pair, settings, stop, changes);
    }
    return stats;
}

CleanStats RunStandardSteps(const CAction& action, const CGeneralSettings& settings,
                            const CStopRequest& stop, IChanges& changes)
{
    CleanStats stats;
    for (const RegTarget& target : action.lstKeys)
        stats += CleanRegTargetInEveryView(target, changes);
    for (const FileTarget& target : action.lstFiles) {
        if (stop.IsRequested())
            return stats;
        stats += CleanFileTarget(target, settings, stop, changes);
    }
    for (const FileUpdate& update : action.lstFileUpdates) {
        if (stop.IsRequested())
            return stats;
        stats += UpdateTextFile(update, settings, changes);
    }
    // The browser keeps its own window title and start page unless the user
    // gave one: an empty text would leave it with none.
    const bool bUserText = CarriesUserText(action);
    for (const RegUpdate& update : action.lstKeyUpdates) {
        if (bUserText && update.dwDataType == RegUpdate::DT_TEXT && update.strData.empty())
            continue;
        ApplyRegUpdate(update, changes);
    }
    for (const std::string& strCommand : action.lstCommands)
        changes.StartProgram(strCommand);
    return stats;
}

void EliminateFreeSpaceOfDrives(const CAction& action, const CStopRequest& stop,
                                IChanges& changes)
{
    for (const std::string& strDrive : action.lstFreeSpaceDrives) {
        if (stop.IsRequested())
            return;
        changes.EliminateFreeSpace(strDrive, stop);
    }
}

CleanStats EmptyRecycleBins(const CAction& action, const CGeneralSettings& settings,
                            const CStopRequest& stop, IChanges& changes)
{
    CleanStats stats;
    const FileRemoval removal = CleanRemoval(settings, stop, changes);
    for (const std::string& strDrive : action.lstRecycleBinDrives) {
        if (stop.IsRequested())
            break;
        stats += EmptyRecycleBin(strDrive, removal);
    }
    changes.RecycleBinsEmptied();
    return stats;
}

}  // namespace

CleanStats ExecuteAction(const CAction& action, const CGeneralSettings& settings,
                         const CStopRequest& stop, IChanges& changes)
{
    CleanStats stats;
    LogMessage(LI_ACTION_START, "%s", action.strTitle.c_str());
    switch (action.dwKind) {
    case AK_STANDARD:
        stats = RunStandardSteps(action, settings, stop, changes);
        break;
    case AK_CLIPBOARD:
        changes.EmptyClipboard();
        break;
    case AK_FREESPACE:
        EliminateFreeSpaceOfDrives(action, stop, changes);
        break;
    case AK_RECYCLEBIN:
        stats = EmptyRecycleBins(action, settings, stop, changes);
        break;
    case AK_NNHISTORY:
        stats = ClearBrowserHistories(action, settings, stop, changes);
        break;
    case AK_PSTORE:
        ClearAutoCompleteStore(changes);
        break;
    case AK_MRU:
        ClearSearchMRU(changes);
        break;
    default:
        // Any other kind has nothing to do between its two lines.
        break;
    }
    if (stop.IsRequested())
        return stats;  // an action cut short is not complete
    changes.EndAction(action.strTitle, stats);
    return stats;
}
