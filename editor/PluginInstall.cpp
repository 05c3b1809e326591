#include "editor/PluginInstall.h"

#include "common/RegValue.h"
#include "common/RegistryKeys.h"

#include <shellapi.h>

#include <cstdint>

namespace {

const char kApplicationTitle[] = "Actsmith";
const uint32_t kCurrentUser = 0x80000001;

void Report(HWND hOwner, const char* pszText, UINT uIcon)
{
    MessageBoxA(hOwner, pszText, kApplicationTitle, MB_OK | uIcon);
}

// The cleaner's plugin folder; empty when its settings name none.
std::string PluginFolder()
{
    CRegString strFolder(kCurrentUser, kSettingsKey, "strPluginFolder", "");
    // The value belongs to the cleaner: writing back what was read would
    // store an empty folder where it has none, or undo a change it made.
    strFolder.SetNoWriteBack(true);
    return strFolder.Get();
}

void DeleteScratchFile(const char* pszPath)
{
    // The copy took over the plugin's attributes, read-only among them.
    SetFileAttributesA(pszPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(pszPath);
}

// Copies the file beside the destination under a name that is no plugin's,
// then renames the copy over the destination: the cleaner never finds half
// a plugin there, and a copy that fails keeps the older plugin. Where the
// rename cannot be done (Windows 95, 98 and ME have no MoveFileEx, or the
// destination is held open), the file is copied over the destination.
bool CopyOver(const std::string& strSource, const std::string& strDestination,
              const std::string& strFolder)
{
    // A read-only plugin stays, as a copy over it would fail; some systems
    // let a rename replace it.
    const DWORD dwAttributes = GetFileAttributesA(strDestination.c_str());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return false;
    char szScratch[MAX_PATH];
    if (GetTempFileNameA(strFolder.c_str(), "pld", 0, szScratch) == 0)
        return CopyFileA(strSource.c_str(), strDestination.c_str(), FALSE) != 0;
    if (!CopyFileA(strSource.c_str(), szScratch, FALSE)) {
        DeleteScratchFile(szScratch);
        return false;
    }
    if (MoveFileExA(szScratch, strDestination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteScratchFile(szScratch);
    return CopyFileA(strSource.c_str(), strDestination.c_str(), FALSE) != 0;
}

}  // namespace

std::string InstalledPluginPath(const std::string& strFolder, const std::string& strDocumentPath)
{
    const size_t nSlash = strDocumentPath.find_last_of("\\/");
    const std::string strName =
        nSlash == std::string::npos ? strDocumentPath : strDocumentPath.substr(nSlash + 1);
    const bool bEndsWithSlash =
        !strFolder.empty() && (strFolder.back() == '\\' || strFolder.back() == '/');
    return strFolder + (bEndsWithSlash ? "" : "\\") + strName;
}

bool InstallPlugin(HWND hOwner, const std::string& strDocumentPath)
{
    const std::string strFolder = PluginFolder();
    if (strDocumentPath.empty()) {
        Report(hOwner, "Plugin isn't saved. Please save it first", MB_ICONEXCLAMATION);
        return false;
    }
    if (strFolder.empty()) {
        Report(hOwner, "Cannot to install Plugin", MB_ICONEXCLAMATION);
        return false;
    }
    if (!CopyOver(strDocumentPath, InstalledPluginPath(strFolder, strDocumentPath), strFolder)) {
        Report(hOwner, "Cannot to install Plugin", MB_ICONEXCLAMATION);
        return false;
    }
    Report(hOwner, "Plugin was installed", MB_ICONINFORMATION);
    return true;
}

void LaunchRegedit()
{
    ShellExecuteA(nullptr, "open", "regedit.exe", nullptr, nullptr, SW_SHOWNORMAL);
}
