// The files that a folder target spares, named relative to the folder it
// cleans.
#pragma once

#include "common/Action.h"

#include <string>
#include <vector>

class CExcludedFiles {
public:
    explicit CExcludedFiles(const StringList& lstExclude);

    // The names without wildcards, compared exactly with the names of each
    // folder that a walk cleans.
    const StringList& ExactNames() const { return m_lstExact; }
    // Whether an entry with wildcards in its last part spares the file of the
    // folder at that path relative to the cleaned one ("" for that folder
    // itself): "*.keep" spares "a.keep" everywhere, "Cache\*.keep" in
    // "Cache" and every folder below it. Folder parts are compared without
    // letter case, names by MatchFileMask.
    bool SparedByMask(const std::string& strRelativeFolder, const std::string& strName) const;

private:
    struct MaskEntry {
        std::string strFolder;  // "" for every folder
        std::string strMask;
    };

    StringList m_lstExact;
    std::vector<MaskEntry> m_masks;
};
