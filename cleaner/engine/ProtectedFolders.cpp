#include "cleaner/engine/ProtectedFolders.h"

#include "cleaner/engine/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <string.h>

#include <vector>

namespace {

std::string Variable(const char* pszName)
{
    char szValue[MAX_PATH] = {};
    const DWORD cch = GetEnvironmentVariableA(pszName, szValue, MAX_PATH);
    return cch > 0 && cch < MAX_PATH ? WithoutTrailingBackslashes(szValue) : std::string();
}

std::string ParentFolder(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('\\');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}

std::vector<std::string> ListProtectedFolders()
{
    static const int kCsidls[] = {
        CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES,
        CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86,
        CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYPICTURES, CSIDL_MYMUSIC,
        CSIDL_MYVIDEO, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA,
        CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_DESKTOPDIRECTORY};
    std::vector<std::string> folders;
    for (const int nCsidl : kCsidls)
        folders.push_back(ShellFolderPath(nCsidl));
    char szWindows[MAX_PATH] = {};
    if (GetWindowsDirectoryA(szWindows, MAX_PATH) != 0)
        folders.push_back(WithoutTrailingBackslashes(szWindows));
    // A 32-bit program is told the 32-bit program folders; the system's
    // variables name the 64-bit ones.
    for (const char* pszName : {"ProgramFiles", "ProgramW6432", "CommonProgramFiles",
                                "CommonProgramW6432", "ProgramData", "USERPROFILE"})
        folders.push_back(Variable(pszName));
    // Programs expect the temporary folder to be there.
    char szTemp[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, szTemp) != 0)
        folders.push_back(WithoutTrailingBackslashes(szTemp));
    const std::string strProfile = ShellFolderPath(CSIDL_PROFILE);
    std::string strDownloads = KnownFolderPath(kDownloadsFolderId),
                strLocalLow = KnownFolderPath(kLocalAppDataLowFolderId);
    if (!strProfile.empty()) {
        folders.push_back(ParentFolder(strProfile));
        if (strDownloads.empty())
            strDownloads = strProfile + "\\Downloads";
        if (strLocalLow.empty())
            strLocalLow = strProfile + "\\AppData\\LocalLow";
    }
    folders.push_back(strDownloads);
    folders.push_back(strLocalLow);
    std::vector<std::string> known;
    for (const std::string& strFolder : folders)
        if (strFolder.size() > 2)  // a failed look-up, or a root, which is protected anyway
            known.push_back(strFolder);
    return known;
}

bool IsRoot(const std::string& strPath)
{
    if (strPath.size() <= 2)
        return strPath.empty() || (strPath.size() == 2 && strPath[1] == ':');
    if (strPath.compare(0, 2, "\\\\") != 0)
        return false;
    // "\\server\share": one backslash after the server's name.
    const size_t nShare = strPath.find('\\', 2);
    return nShare != std::string::npos && strPath.find('\\', nShare + 1) == std::string::npos;
}

// The looked-up folders, shared by the walks of a clean and whoever asks
// for them afresh.
class CProtectedList {
public:
    CProtectedList() { InitializeCriticalSection(&m_lock); }
    ~CProtectedList() { DeleteCriticalSection(&m_lock); }
    CProtectedList(const CProtectedList&) = delete;
    CProtectedList& operator=(const CProtectedList&) = delete;

    void Refresh()
    {
        std::vector<std::string> folders = ListProtectedFolders();
        EnterCriticalSection(&m_lock);
        m_folders.swap(folders);
        m_bListed = true;
        LeaveCriticalSection(&m_lock);
    }

    bool Contains(const std::string& strFolder)
    {
        EnterCriticalSection(&m_lock);
        const bool bListed = m_bListed;
        LeaveCriticalSection(&m_lock);
        if (!bListed)
            Refresh();
        EnterCriticalSection(&m_lock);
        bool bFound = false;
        for (auto it = m_folders.begin(); !bFound && it != m_folders.end(); ++it)
            bFound = _stricmp(strFolder.c_str(), it->c_str()) == 0;
        LeaveCriticalSection(&m_lock);
        return bFound;
    }

private:
    CRITICAL_SECTION m_lock;
    std::vector<std::string> m_folders;
    bool m_bListed = false;
};

CProtectedList& ProtectedList()
{
    static CProtectedList s_list;
    return s_list;
}

}  // namespace

bool IsProtectedFolder(const std::string& strPath)
{
    const std::string strFolder = WithoutTrailingBackslashes(strPath);
    return IsRoot(strFolder) || ProtectedList().Contains(strFolder);
}

void RefreshProtectedFolders()
{
    ProtectedList().Refresh();
}
