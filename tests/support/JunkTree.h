// A tree of empty files in nested folders for a clean to remove, with every
// path known, so that a test can see what is gone and put back just that.
#pragma once

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

class CJunkTree {
public:
    // nFiles files spread evenly over the folders below strTop (which must exist),
    // nFanOut in each, nDepth levels deep. Nothing is made before Fill.
    CJunkTree(const std::string& strTop, int nFanOut, int nDepth, int nFiles)
        : m_folders{strTop}, m_nFanOut(nFanOut)
    {
        // Breadth first: each level's folders follow the level above.
        size_t nFirst = 0;  // the first folder of the level above
        for (int nLevel = 0; nLevel < nDepth; ++nLevel) {
            const size_t nEnd = m_folders.size();
            for (size_t i = nFirst; i < nEnd; ++i)
                for (int n = 0; n < nFanOut; ++n)
                    m_folders.push_back(m_folders[i] + "\\dir" + std::to_string(n));
            nFirst = nEnd;
        }
        // The top holds files too, so that a walk deletes some before it goes down.
        for (int nFile = 0; nFile < nFiles; ++nFile)
            m_files.push_back(m_folders[nFile % m_folders.size()] + "\\junk" +
                              std::to_string(nFile) + ".tmp");
    }

    // Makes what of the tree is not there; false when something could not be made.
    bool Fill() const
    {
        for (const std::string& strFolder : m_folders)
            if (!CreateDirectoryA(strFolder.c_str(), nullptr) &&
                GetLastError() != ERROR_ALREADY_EXISTS)
                return false;
        for (const std::string& strFile : Missing())
            if (!WriteFileBytes(strFile, ""))  // empty: a clean treats them like any other
                return false;
        return true;
    }

    const std::string& Top() const { return m_folders.front(); }
    // The folders just below the top, each the top of a tree of its own.
    std::vector<std::string> Branches() const
    {
        return {m_folders.begin() + 1,
                m_folders.begin() + std::min<size_t>(m_nFanOut + 1, m_folders.size())};
    }
    // Every file of the tree, full paths.
    const std::vector<std::string>& Files() const { return m_files; }
    // The files of the tree that are not there now, each folder listed once.
    std::set<std::string> Missing() const
    {
        std::set<std::string> missing(m_files.begin(), m_files.end());
        for (const std::string& strFolder : m_folders)
            for (const std::string& strName : FilesInListedOrder(strFolder, "*.tmp"))
                missing.erase(strFolder + "\\" + strName);
        return missing;
    }

private:
    std::vector<std::string> m_folders;  // the top first, parents before their subfolders
    std::vector<std::string> m_files;
    int m_nFanOut;
};
