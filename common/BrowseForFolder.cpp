#include "common/DlgExcludeList.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

struct BrowseState {
    HWND hEdit;
    // The edit's text before the browser opened: the browser may report its
    // first selection, and so change the edit, before it asks where to start.
    std::string strStart;
};

int CALLBACK OnBrowseEvent(HWND hBrowser, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    const BrowseState& state = *reinterpret_cast<const BrowseState*>(lpData);
    switch (uMsg) {
    case BFFM_INITIALIZED:
        SendMessageA(hBrowser, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(state.strStart.c_str()));
        break;
    case BFFM_SELCHANGED: {
        // The edit follows the browser, so the page shows the folder at once.
        char szPath[MAX_PATH];
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), szPath))
            SetWindowTextA(state.hEdit, szPath);
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
    const BrowseState state = {hEdit, CWindow(hEdit).GetText()};
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
    info.lParam = reinterpret_cast<LPARAM>(&state);
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
        SetWindowTextA(hEdit, state.strStart.c_str());
        return 2;
    }
    SetWindowTextA(hEdit, strChosen.c_str());
    return 1;
}
