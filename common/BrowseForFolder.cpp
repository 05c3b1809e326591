#include "common/DlgExcludeList.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

int CALLBACK OnBrowseEvent(HWND hBrowser, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    const HWND hEdit = reinterpret_cast<HWND>(lpData);
    switch (uMsg) {
    case BFFM_INITIALIZED: {
        const std::string strStart = CWindow(hEdit).GetText();
        SendMessageA(hBrowser, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(strStart.c_str()));
        break;
    }
    case BFFM_SELCHANGED: {
        // The edit follows the browser, so the page shows the folder at once.
        char szPath[MAX_PATH];
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), szPath))
            SetWindowTextA(hEdit, szPath);
        break;
    }
    default:
        break;
    }
    return 0;
}

}  // namespace

int BrowseForFolder(const char* pszTitle, HWND hEdit)
{
    const std::string strRemembered = CWindow(hEdit).GetText();
    // The shell's folders are objects of its own; a thread that has not
    // asked for them yet gets them for the browser's lifetime.
    const HRESULT hrCom = CoInitialize(nullptr);

    char szDisplayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = hEdit;
    info.pszDisplayName = szDisplayName;
    info.lpszTitle = pszTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = OnBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(hEdit);
    std::string strChosen;
    if (LPITEMIDLIST pidl = SHBrowseForFolderA(&info)) {
        char szPath[MAX_PATH];
        if (SHGetPathFromIDListA(pidl, szPath))
            strChosen = szPath;
        CoTaskMemFree(pidl);
    }

    if (SUCCEEDED(hrCom))
        CoUninitialize();
    if (strChosen.empty()) {
        SetWindowTextA(hEdit, strRemembered.c_str());
        return 2;
    }
    SetWindowTextA(hEdit, strChosen.c_str());
    return 1;
}
