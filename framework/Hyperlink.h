// Static texts that look and behave like links: blue, underlined while the
// pointer is over them. A click reaches the parent as STN_CLICKED.
#pragma once

#include <windows.h>

bool ConvertStaticToHyperlink(HWND hParent, UINT nStaticId);
