#include "cleaner/engine/ExcludedFiles.h"

#include "common/FileMask.h"

#include <string.h>

namespace {

bool HasWildcard(const std::string& strText)
{
    return strText.find_first_of("*?") != std::string::npos;
}

// Whether the relative folder is the entry's folder or lies below it.
bool WithinFolder(const std::string& strRelativeFolder, const std::string& strFolder)
{
    const size_t nLength = strFolder.size();
    if (nLength == 0)
        return true;
    return strRelativeFolder.size() >= nLength &&
           _strnicmp(strRelativeFolder.c_str(), strFolder.c_str(), nLength) == 0 &&
           (strRelativeFolder.size() == nLength || strRelativeFolder[nLength] == '\\');
}

}  // namespace

CExcludedFiles::CExcludedFiles(const StringList& lstExclude)
{
    for (const std::string& strEntry : lstExclude) {
        const size_t nSlash = strEntry.rfind('\\');
        const std::string strLast =
            nSlash == std::string::npos ? strEntry : strEntry.substr(nSlash + 1);
        if (!HasWildcard(strLast)) {
            m_lstExact.push_back(strEntry);
            continue;
        }
        std::string strFolder = nSlash == std::string::npos ? "" : strEntry.substr(0, nSlash);
        while (!strFolder.empty() && strFolder.front() == '\\')
            strFolder.erase(0, 1);
        m_masks.push_back(MaskEntry{strFolder, strLast});
    }
}

bool CExcludedFiles::SparedByMask(const std::string& strRelativeFolder,
                                  const std::string& strName) const
{
    for (const MaskEntry& entry : m_masks)
        if (WithinFolder(strRelativeFolder, entry.strFolder) &&
            MatchFileMask(strName, entry.strMask))
            return true;
    return false;
}
