// A tree of empty files in nested folders for a clean to remove, with every
// path known, so that a test can see what is gone and put back just that.
#pragma once

#include <set>
#include <string>
#include <vector>

class CJunkTree {
public:
    // nFiles files spread evenly over every folder of a tree below strTop
    // (which must exist) that has nFanOut subfolders in each folder, nDepth
    // levels deep. Nothing is made before Fill.
    CJunkTree(const std::string& strTop, int nFanOut, int nDepth, int nFiles);

    // Makes every folder and file of the tree that is not there; false when
    // one could not be made.
    bool Fill() const;

    const std::string& Top() const { return m_strTop; }
    // The folders just below the top, each the top of a tree of its own.
    std::vector<std::string> Branches() const;
    // Every file of the tree, full paths.
    const std::vector<std::string>& Files() const { return m_files; }
    // The files of the tree that are not there now. Each folder is listed
    // once rather than each file asked for.
    std::set<std::string> Missing() const;

private:
    std::string m_strTop;
    std::vector<std::string> m_folders;  // parents before their subfolders
    std::vector<std::string> m_files;
    int m_nFanOut;
};
