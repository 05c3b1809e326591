// Removing files: the walks choose the files (masks, exclusions, the date
// limit, the folders they enter) and hand each to the removal's changes.
// A clean's changes overwrite a file first when asked and defer it to the
// next restart when it is in use. Each operation writes its own log lines
// and returns what it removed.
#pragma once

#include "cleaner/engine/Changes.h"
#include "common/Action.h"

#include <string>

class CStopRequest;

// What every file of one target shares: how it is wiped, which files the
// date keeps, which outcomes are logged, and when to stop.
struct FileRemoval {
    bool bWipe = false;
    uint32_t dwWipeMode = 0;        // 1: bytes 0xFF; 2 (and anything else but 0): pseudo-random
    const SysTime* pDate = nullptr;  // files last written before it stay
    uint32_t dwReportFlags = RF_ALL;
    const CStopRequest* pStop = nullptr;  // a folder walk ends between two files when set
    IChanges* pChanges = &LiveChanges();  // how each chosen file goes
};

// Resets the attributes, optionally wipes, and deletes one file; a file in
// use is scheduled for removal at the next restart. A file that is neither
// deleted nor scheduled gets a line of its own, whatever the report flags.
CleanStats EraseFile(const std::string& strPath, const FileRemoval& removal);

// How a clean removes a file that a walk chose: the attributes that keep it
// are reset, it is wiped when asked, deleted, and deferred to the next
// restart when in use; its line is written as the report flags ask.
CleanStats RemoveChosenFile(const ChosenFile& file, const FileRemoval& removal);

// Overwrites the file's content once, in place, and flushes it to the disk.
// Returns true when the content was overwritten. A file that cannot be
// opened for writing, and a file whose data other names share (hard links,
// links of the file system), is left as it is.
bool WipeFile(const std::string& strPath, uint32_t dwWipeMode);

// Erases the files that match the masks in each folder of the "|"-joined
// paths, except the excluded ones (see CExcludedFiles). With bUseMaskList
// the masks come from vecMasks, otherwise from the "|"-joined strMask.
CleanStats CleanFolder(const std::string& strPaths, const StringList& lstExclude,
                       const StringVector& vecMasks, const std::string& strMask,
                       bool bUseMaskList, const FileRemoval& removal);

// CleanFolder through each folder tree, removing subfolders that end up
// empty. The top folders stay; folders whose names begin with a dot and
// links to folders are neither entered nor removed, protected folders
// (IsProtectedFolder) not removed. Exclusions are relative to the top. Names that the ANSI
// calls cannot reach, for their characters or the length of their path,
// are reached by their short forms and logged by their own.
CleanStats CleanFolderTree(const std::string& strPaths, const StringList& lstExclude,
                           const StringVector& vecMasks, const std::string& strMask,
                           bool bUseMaskList, const FileRemoval& removal);

// CleanFolderTree, then each top folder goes too when it ends empty, unless
// it is protected or a link to a folder.
CleanStats CleanFolderTreeAndSelf(const std::string& strPaths, const StringList& lstExclude,
                                  const StringVector& vecMasks, const std::string& strMask,
                                  bool bUseMaskList, const FileRemoval& removal);

// Asks the system to delete the file at the next restart; false when the
// request could not be recorded.
bool DeleteAtReboot(const std::string& strPath);
