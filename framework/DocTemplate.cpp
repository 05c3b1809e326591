#include "framework/DocTemplate.h"

#include "framework/Window.h"

#include <commdlg.h>

#include <vector>

namespace {

bool SetKeyText(const std::string& strKey, const char* pszName, const std::string& strText)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const bool bSet = RegSetValueExA(hKey, pszName, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(strText.c_str()),
                                     static_cast<DWORD>(strText.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bSet;
}

std::string AskFileName(HWND hOwner, const CDocTemplateStrings& strings,
                        const std::string& strProposedName, bool bSave)
{
    const std::string strFilter = strings.FileDialogFilter();
    std::vector<char> name(MAX_PATH * 2, '\0');
    strProposedName.copy(name.data(), name.size() - 1);
    const std::string strExt =
        strings.strFilterExt.empty() ? std::string() : strings.strFilterExt.substr(1);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = strFilter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = strExt.empty() ? nullptr : strExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (bSave) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        if (!GetSaveFileNameA(&ofn))
            return std::string();
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        if (!GetOpenFileNameA(&ofn))
            return std::string();
    }
    return name.data();
}

}  // namespace

bool CDocTemplateStrings::Load(UINT nStringId)
{
    char szText[1024];
    const int cch = LoadStringA(GetResourceInstance(), nStringId, szText, sizeof(szText));
    if (cch <= 0)
        return false;
    std::string* fields[] = {&strWindowTitle, &strDocName,    &strFileNewName, &strFilterName,
                             &strFilterExt,   &strFileTypeId, &strFileTypeName};
    const std::string strText(szText, cch);
    size_t nStart = 0;
    for (std::string* pField : fields) {
        const size_t nEnd = strText.find('\n', nStart);
        *pField = strText.substr(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart);
        if (nEnd == std::string::npos)
            break;
        nStart = nEnd + 1;
    }
    return true;
}

std::string CDocTemplateStrings::FileDialogFilter() const
{
    std::string strFilter;
    if (!strFilterExt.empty()) {
        strFilter += strFilterName;
        strFilter += '\0';
        strFilter += "*" + strFilterExt;
        strFilter += '\0';
    }
    strFilter += "All Files (*.*)";
    strFilter += '\0';
    strFilter += "*.*";
    strFilter += '\0';
    return strFilter;
}

bool RegisterShellFileType(const CDocTemplateStrings& strings, const std::string& strProgram,
                           int nIconIndex)
{
    if (strings.strFilterExt.empty() || strings.strFileTypeId.empty())
        return false;
    const std::string strClasses = "Software\\Classes\\";
    const std::string strType = strClasses + strings.strFileTypeId;
    return SetKeyText(strClasses + strings.strFilterExt, "", strings.strFileTypeId) &&
           SetKeyText(strType, "", strings.strFileTypeName) &&
           SetKeyText(strType + "\\DefaultIcon", "",
                      strProgram + "," + std::to_string(nIconIndex)) &&
           SetKeyText(strType + "\\shell\\open\\command", "", "\"" + strProgram + "\" \"%1\"");
}

std::string AskFileToOpen(HWND hOwner, const CDocTemplateStrings& strings)
{
    return AskFileName(hOwner, strings, std::string(), false);
}

std::string AskFileToSave(HWND hOwner, const CDocTemplateStrings& strings,
                          const std::string& strProposedName)
{
    return AskFileName(hOwner, strings, strProposedName, true);
}
