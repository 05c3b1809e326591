#include "framework/FileDialog.h"

#include <commdlg.h>

#include <cstring>

std::vector<std::string> ChooseFilesToOpen(HWND hOwner, const char* pszFilter)
{
    // Room for a few hundred names picked at once.
    std::vector<char> selection(64 * 1024, '\0');
    OPENFILENAMEA ofn = {};
    // The oldest systems know only the structure of their own time.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = pszFilter;
    ofn.lpstrFile = selection.data();
    ofn.nMaxFile = static_cast<DWORD>(selection.size());
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn))
        return std::vector<std::string>();
    return SplitFileSelection(selection.data());
}

std::string ChooseFileToOpen(HWND hOwner, const char* pszFilter)
{
    char szPath[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = pszFilter;
    ofn.lpstrFile = szPath;
    ofn.nMaxFile = sizeof(szPath);
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn))
        return std::string();
    return szPath;
}

std::vector<std::string> SplitFileSelection(const char* pszSelection)
{
    std::vector<std::string> paths;
    const std::string strFirst = pszSelection;
    if (strFirst.empty())
        return paths;
    const char* pszName = pszSelection + strFirst.size() + 1;
    if (!*pszName) {
        paths.push_back(strFirst);
        return paths;
    }
    // A drive's root folder comes with its backslash, any other without.
    const std::string strFolder = strFirst.back() == '\\' ? strFirst : strFirst + "\\";
    for (; *pszName; pszName += std::strlen(pszName) + 1)
        paths.push_back(strFolder + pszName);
    return paths;
}
