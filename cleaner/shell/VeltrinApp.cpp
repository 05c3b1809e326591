#include "cleaner/shell/VeltrinApp.h"

#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/model/ProcessModel.h"
#include "cleaner/shell/DlgVeltrin.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/Unattended.h"

#include <commctrl.h>

#include <string>

namespace {

// Held for the life of the process: a second instance finds it and ends.
HANDLE g_hInstanceMutex = nullptr;

// "/u" takes the swap-clearing line out of the start-up batch file again.
void RemoveSwapClearingLine()
{
    const std::string strWindows = GetWindowsFolder();
    if (!strWindows.empty())
        RemoveMarkedLines(strWindows.substr(0, 1) + ":\\autoexec.bat", kSwapClearingMarker);
}

void CenterOnScreen(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    SetWindowPos(hWnd, nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - cx) / 2,
                 (GetSystemMetrics(SM_CYFULLSCREEN) - cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool CVeltrinApp::InitInstance()
{
    const UnattendedMode mode = ParseUnattendedMode(GetCommandLine());
    // A preview changes nothing, so it may run beside the cleaner.
    if (mode != UM_PREVIEW) {
        HANDLE hExisting = OpenMutexA(MUTEX_ALL_ACCESS, TRUE, "VeltrinMutex");
        if (hExisting) {
            CloseHandle(hExisting);
            // The running cleaner would not see imported plugins, and would
            // write its own options of them when it ends.
            if (mode == UM_AUTO || mode == UM_IMPORT) {
                PrintLine(mode == UM_AUTO ? "Veltrin is already running; no clean was started."
                                          : "Veltrin is already running; nothing was imported.");
                SetExitCode(UE_ANOTHER_INSTANCE);
            }
            return false;
        }
        g_hInstanceMutex = CreateMutexA(nullptr, TRUE, "VeltrinMutex");
    }
    if (mode == UM_IMPORT) {
        SetExitCode(RunImport(ParseImportPath(GetCommandLine()), GetGeneralSettings()));
        return false;
    }
    if (mode != UM_NONE) {
        if (mode == UM_AUTO)
            RemoveLeftoverFillers(GetGeneralSettings().strDiskOpsDriveList.Get() + "|" +
                                  GetFixedDrives());
        SetExitCode(RunUnattended(mode, ParseLogPath(GetCommandLine()), GetActionManager()));
        return false;
    }

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    InitHelpBase();

    if (GetCommandLine().find("/u") != std::string::npos && IsWin9x())
        RemoveSwapClearingLine();

    // A free-space elimination that did not end leaves its fillers behind,
    // and with them a full drive.
    RemoveLeftoverFillers(GetGeneralSettings().strDiskOpsDriveList.Get() + "|" +
                          GetFixedDrives());

    InstallEnableQuestion();
    CDlgVeltrin dialog(GetActionManager());
    CCustomWindow owner;
    owner.Create("VeltrinOwnerWindow", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, WS_POPUP, 0,
                 nullptr);
    if (dialog.Create(owner)) {
        SetMainWindow(dialog);
        CenterOnScreen(dialog);
        dialog.Show(SW_SHOW);
        RunMessageLoop();
    }
    return false;
}
