#include "tests/support/JunkTree.h"

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <cstdio>

CJunkTree::CJunkTree(const std::string& strTop, int nFanOut, int nDepth, int nFiles)
    : m_strTop(strTop), m_nFanOut(nFanOut)
{
    // Breadth first: each level's folders follow the level above.
    std::vector<std::string> level = {strTop};
    for (int nLevel = 0; nLevel < nDepth; ++nLevel) {
        std::vector<std::string> next;
        for (const std::string& strParent : level) {
            for (int n = 0; n < nFanOut; ++n) {
                char szName[16];
                std::snprintf(szName, sizeof(szName), "\\dir%d", n);
                next.push_back(strParent + szName);
            }
        }
        m_folders.insert(m_folders.end(), next.begin(), next.end());
        level = next;
    }
    // The top holds files too, so that a walk deletes some before it goes down.
    std::vector<std::string> holders = {strTop};
    holders.insert(holders.end(), m_folders.begin(), m_folders.end());
    for (int nFile = 0; nFile < nFiles; ++nFile) {
        char szName[32];
        std::snprintf(szName, sizeof(szName), "\\junk%05d.tmp", nFile);
        m_files.push_back(holders[nFile % holders.size()] + szName);
    }
}

bool CJunkTree::Fill() const
{
    for (const std::string& strFolder : m_folders) {
        if (!CreateDirectoryA(strFolder.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    const std::set<std::string> missing = Missing();
    for (const std::string& strFile : missing) {
        // Empty: making files is slow under Wine, and writing to each would
        // add a third again; a clean treats empty files like any other.
        HANDLE hFile = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(hFile);
    }
    return true;
}

std::vector<std::string> CJunkTree::Branches() const
{
    const size_t nCount = static_cast<size_t>(m_nFanOut) < m_folders.size()
                              ? static_cast<size_t>(m_nFanOut)
                              : m_folders.size();
    return std::vector<std::string>(m_folders.begin(), m_folders.begin() + nCount);
}

std::set<std::string> CJunkTree::Missing() const
{
    std::set<std::string> present;
    std::vector<std::string> folders = {m_strTop};
    folders.insert(folders.end(), m_folders.begin(), m_folders.end());
    for (const std::string& strFolder : folders)
        for (const std::string& strName : FilesInListedOrder(strFolder, "*.tmp"))
            present.insert(strFolder + "\\" + strName);
    std::set<std::string> missing;
    for (const std::string& strFile : m_files) {
        if (!present.count(strFile))
            missing.insert(strFile);
    }
    return missing;
}
