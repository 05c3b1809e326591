// The plugin editor's entry point.
#include "editor/ActsmithApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCommandLine, int)
{
    CActsmithApp application;
    return application.Run(hInstance, pszCommandLine);
}
