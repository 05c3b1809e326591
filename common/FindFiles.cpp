#include "common/FindFiles.h"

#include "common/FileMask.h"

CFindFiles::CFindFiles(const std::string& strFolder, const std::string& strMask)
    : m_strFolder(strFolder), m_strMask(strMask)
{
}

CFindFiles::~CFindFiles()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
}

bool CFindFiles::Next(WIN32_FIND_DATAA& data)
{
    for (;;) {
        if (!m_bStarted) {
            m_bStarted = true;
            if (m_strFolder.empty())
                return false;
            const char* pszSeparator = m_strFolder.back() == '\\' ? "" : "\\";
            m_hFind = FindFirstFileA((m_strFolder + pszSeparator + m_strMask).c_str(), &data);
            if (m_hFind == INVALID_HANDLE_VALUE)
                return false;
        } else if (m_hFind == INVALID_HANDLE_VALUE || !FindNextFileA(m_hFind, &data)) {
            return false;
        }
        if (MatchFileMask(data.cFileName, m_strMask))
            return true;
    }
}
