#include "cleaner/engine/ShellFolders.h"

#include <shlobj.h>

const GUID kDownloadsFolderId = {
    0x374de290, 0x123f, 0x4565, {0x91, 0x64, 0x39, 0xc4, 0x92, 0x5e, 0x46, 0x7b}};
const GUID kLocalAppDataLowFolderId = {
    0xa520a1a4, 0x1780, 0x4ff6, {0xbd, 0x18, 0x16, 0x73, 0x43, 0xc5, 0xaf, 0x16}};

namespace {

typedef HRESULT(WINAPI* GetFolderPathFunction)(HWND, int, HANDLE, DWORD, LPSTR);
typedef HRESULT(WINAPI* GetKnownFolderPathFunction)(const GUID&, DWORD, HANDLE, PWSTR*);
typedef void(WINAPI* TaskMemFreeFunction)(void*);

template <class Function>
Function LoadFunction(const char* pszModule, const char* pszName)
{
    HMODULE hModule = LoadLibraryA(pszModule);
    return hModule ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(GetProcAddress(hModule, pszName)))
                   : nullptr;
}

}  // namespace

std::string WithoutTrailingBackslashes(std::string strPath)
{
    while (!strPath.empty() && strPath.back() == '\\')
        strPath.pop_back();
    return strPath;
}

// Windows 95 and NT 4 have the call only in the redistributable shfolder.dll.
std::string ShellFolderPath(int nCsidl)
{
    static const GetFolderPathFunction s_pfnGetFolderPath = [] {
        const GetFolderPathFunction pfn =
            LoadFunction<GetFolderPathFunction>("shell32.dll", "SHGetFolderPathA");
        return pfn ? pfn : LoadFunction<GetFolderPathFunction>("shfolder.dll", "SHGetFolderPathA");
    }();
    char szPath[MAX_PATH] = {};
    if (!s_pfnGetFolderPath ||
        FAILED(s_pfnGetFolderPath(nullptr, nCsidl, nullptr, SHGFP_TYPE_CURRENT, szPath)))
        return std::string();
    return WithoutTrailingBackslashes(szPath);
}

std::string KnownFolderPath(const GUID& id)
{
    static const GetKnownFolderPathFunction s_pfnGetKnownFolderPath =
        LoadFunction<GetKnownFolderPathFunction>("shell32.dll", "SHGetKnownFolderPath");
    static const TaskMemFreeFunction s_pfnFree =
        LoadFunction<TaskMemFreeFunction>("ole32.dll", "CoTaskMemFree");
    PWSTR pszPath = nullptr;
    if (!s_pfnGetKnownFolderPath || !s_pfnFree ||
        FAILED(s_pfnGetKnownFolderPath(id, 0, nullptr, &pszPath)))
        return std::string();
    char szPath[MAX_PATH] = {};
    BOOL bLossy = FALSE;
    const int cb =
        WideCharToMultiByte(CP_ACP, 0, pszPath, -1, szPath, MAX_PATH, nullptr, &bLossy);
    s_pfnFree(pszPath);
    return cb > 0 && !bLossy ? WithoutTrailingBackslashes(szPath) : std::string();
}
