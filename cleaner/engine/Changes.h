// The changes that a clean makes to the machine. The engine decides what to
// change by walking the actions; every change itself goes through this
// interface. A clean carries the changes out (LiveChanges); a preview writes
// to the log what would change and changes nothing (CPreviewChanges). So the
// two walk alike, by construction.
#pragma once

#include "common/Action.h"

#include <windows.h>

#include <string>

class CStopRequest;
struct FileRemoval;

// What the walk learnt of a file before deciding on it.
struct FileFacts {
    bool bKnown = false;
    DWORD dwError = ERROR_SUCCESS;  // why the facts are unknown
    WIN32_FILE_ATTRIBUTE_DATA data = {};
};

// A file that a walk chose for removal: the path by which the system's
// calls reach it and the path that the log shows. It refers to the walk's
// own data, which outlives the call it is passed to; nothing is copied for
// each of the many files of a clean.
struct ChosenFile {
    const std::string& strPath;
    const std::string& strShown;
    const FileFacts& facts;
};

class IChanges {
public:
    // Removes the file as the removal asks (attributes reset, overwritten,
    // deleted; one in use at the next restart), writes its line as the
    // report flags ask, and returns what it removed.
    virtual CleanStats RemoveFile(const ChosenFile& file, const FileRemoval& removal) = 0;
    // Removes a folder of a cleaned tree, which goes only when it is empty
    // once its files have gone.
    virtual void RemoveFolderIfEmpty(const std::string& strPath) = 0;
    // Replaces the content of a text file; with bCreate a missing file is
    // created. bChanged tells whether the text differs from what was read.
    // True when the file was written.
    virtual bool RewriteFile(const std::string& strPath, const std::string& bytes, bool bCreate,
                             bool bChanged) = 0;

    // Deletes the value of the key below the root; true when it went. The
    // view is 0 for the registry as the program sees it, or KEY_WOW64_64KEY
    // or KEY_WOW64_32KEY for that half of a 64-bit Windows' registry.
    virtual bool DeleteRegValue(HKEY hRoot, const std::string& strKey,
                                const std::string& strName, REGSAM samView) = 0;
    // Deletes the key with everything below it, in the view as above. With an
    // ancestor strOpenUpFrom (the program's own view only) the access lists
    // from that ancestor down, the tree's included, are first opened to the
    // user, who may otherwise not change them; the ancestor gets its own list
    // back afterwards.
    virtual void DeleteRegKeyTree(HKEY hRoot, const std::string& strKey,
                                  const std::string& strOpenUpFrom, REGSAM samView) = 0;
    // Writes a text (REG_SZ) or number (REG_DWORD) value, creating the key.
    virtual void SetRegValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                             DWORD dwType, const std::string& bytes) = 0;

    virtual void EmptyClipboard() = 0;
    // Starts the command line as it stands, without waiting for it.
    virtual void StartProgram(const std::string& strCommandLine) = 0;
    // Overwrites the free space of the drive (filler files, then deleted).
    virtual void EliminateFreeSpace(const std::string& strDrive, const CStopRequest& stop) = 0;
    // Tells the shell that recycle bins were emptied, so that the bin's icon
    // shows it.
    virtual void RecycleBinsEmptied() = 0;

    // Writes the end line of an action that ran to its end, with what it
    // removed.
    virtual void EndAction(const std::string& strTitle, const CleanStats& stats) = 0;

protected:
    ~IChanges() = default;
};

// The changes of a clean, carried out.
IChanges& LiveChanges();
