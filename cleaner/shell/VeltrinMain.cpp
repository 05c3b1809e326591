// The cleaner's entry point. The settings and the action manager are created
// before it runs and stored when the process ends.
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/ProcessModel.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A free-space elimination that did not end leaves its fillers behind,
    // and with them a full drive.
    RemoveLeftoverFillers(GetGeneralSettings().strDiskOpsDriveList.Get() + "|" + GetFixedDrives());
    return 0;
}
