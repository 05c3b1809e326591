// The changes of a clean, carried out.
#include "cleaner/engine/Changes.h"

#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/Log.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "cleaner/engine/WholeFile.h"

#include <shlwapi.h>

#include <vector>

namespace {

// The view is named again on every key opened below: the system does not
// carry it from a parent key's handle to its subkeys.
bool DeleteKeyTreeInView(HKEY hRoot, const std::string& strKey, REGSAM samView)
{
    typedef LONG(WINAPI * DeleteKeyEx)(HKEY, LPCSTR, REGSAM, DWORD);
    // Only the systems that have views have this function.
    static const DeleteKeyEx pfnDeleteKeyEx = reinterpret_cast<DeleteKeyEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"),
                                               "RegDeleteKeyExA")));
    if (!pfnDeleteKeyEx)
        return false;
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ | samView, &hKey) != ERROR_SUCCESS)
        return false;
    std::vector<std::string> subkeys;
    {
        const KeyHolder key(hKey);
        char szName[256];
        DWORD cchName = sizeof(szName);
        while (RegEnumKeyExA(hKey, DWORD(subkeys.size()), szName, &cchName, nullptr, nullptr,
                             nullptr, nullptr) == ERROR_SUCCESS) {
            subkeys.push_back(szName);
            cchName = sizeof(szName);
        }
    }
    for (const std::string& strSubkey : subkeys)
        DeleteKeyTreeInView(hRoot, strKey + "\\" + strSubkey, samView);
    return pfnDeleteKeyEx(hRoot, strKey.c_str(), samView, 0) == ERROR_SUCCESS;
}

class CLiveChanges : public IChanges {
public:
    CleanStats RemoveFile(const ChosenFile& file, const FileRemoval& removal) override
    {
        return RemoveChosenFile(file, removal);
    }

    void RemoveFolderIfEmpty(const std::string& strPath) override
    {
        RemoveDirectoryA(strPath.c_str());  // only succeeds when it is empty
    }

    bool RewriteFile(const std::string& strPath, const std::string& bytes, bool bCreate,
                     bool) override
    {
        return RewriteWholeFile(strPath, bytes, bCreate);
    }

    bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                        REGSAM samView) override
    {
        if (samView == 0)
            return SHDeleteValueA(hRoot, strKey.c_str(), strName.c_str()) == ERROR_SUCCESS;
        HKEY hKey;
        if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_SET_VALUE | samView, &hKey) !=
            ERROR_SUCCESS)
            return false;
        const KeyHolder key(hKey);
        return RegDeleteValueA(hKey, strName.c_str()) == ERROR_SUCCESS;
    }

    void DeleteRegKeyTree(HKEY hRoot, const std::string& strKey,
                          const std::string& strOpenUpFrom, REGSAM samView) override
    {
        if (samView != 0)
            DeleteKeyTreeInView(hRoot, strKey, samView);
        else if (strOpenUpFrom.empty())
            SHDeleteKeyA(hRoot, strKey.c_str());
        else
            DeleteKeyTreeOpeningUp(hRoot, strOpenUpFrom, strKey);
    }

    void SetRegValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                     DWORD dwType, const std::string& bytes) override
    {
        HKEY hCreated;
        if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE, nullptr, &hCreated, nullptr) != ERROR_SUCCESS)
            return;
        const KeyHolder key(hCreated);
        RegSetValueExA(key.get(), strName.c_str(), 0, dwType,
                       reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
    }

    void RecycleBinsEmptied() override
    {
        // Windows 2000 and later; the others redraw the bin on their own.
        typedef HRESULT(WINAPI * UpdateIcon)();
        const HMODULE hShell = LoadLibraryA("shell32.dll");
        const auto pfnUpdate = reinterpret_cast<UpdateIcon>(reinterpret_cast<void*>(
            hShell ? GetProcAddress(hShell, "SHUpdateRecycleBinIcon") : nullptr));
        if (pfnUpdate)
            pfnUpdate();
    }

    void EmptyClipboard() override
    {
        if (OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            CloseClipboard();
        }
    }

    // Started as it stands, without waiting and without looking at the result.
    void StartProgram(const std::string& strCommandLine) override
    {
        std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
        commandLine.push_back('\0');  // the system may write into the command line
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    void EliminateFreeSpace(const std::string& strDrive, const CStopRequest& stop) override
    {
        ::EliminateFreeSpace(strDrive, &stop);
    }

    void EndAction(const std::string& strTitle, const CleanStats&) override
    {
        LogMessage(LI_ACTION_COMPLETE, "%s Complete", strTitle.c_str());
    }
};

}  // namespace

IChanges& LiveChanges()
{
    static CLiveChanges s_changes;
    return s_changes;
}
