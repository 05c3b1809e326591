// The cleaner's entry point. The settings and the action manager are created
// before it runs and stored when the process ends.
#include "cleaner/model/ProcessModel.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
