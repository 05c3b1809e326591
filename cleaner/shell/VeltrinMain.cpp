// The cleaner's entry point. The settings and the action manager are created
// before it runs and stored when the process ends.
#include "cleaner/shell/VeltrinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCommandLine, int)
{
    CVeltrinApp application;
    return application.Run(hInstance, pszCommandLine);
}
