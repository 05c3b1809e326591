// The changes of a preview: each one the clean would make is written to
// the log, with the file's size, and nothing changes. What the clean would
// remove is counted as the clean counts it.
#pragma once

#include "cleaner/engine/Changes.h"

class CPreviewChanges : public IChanges {
public:
    CleanStats RemoveFile(const ChosenFile& file, const FileRemoval& removal) override;
    void RemoveFolderIfEmpty(const std::string& strPath) override;
    bool RewriteFile(const std::string& strPath, const std::string& bytes, bool bCreate,
                     bool bChanged) override;
    bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                        REGSAM samView) override;
    void DeleteRegKeyTree(HKEY hRoot, const std::string& strKey,
                          const std::string& strOpenUpFrom, REGSAM samView) override;
    void SetRegValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                     DWORD dwType, const std::string& bytes) override;
    void EmptyClipboard() override;
    void StartProgram(const std::string& strCommandLine) override;
    void EliminateFreeSpace(const std::string& strDrive, const CStopRequest& stop) override;
    void RecycleBinsEmptied() override {}
    void EndAction(const std::string& strTitle, const CleanStats& stats) override;
};
