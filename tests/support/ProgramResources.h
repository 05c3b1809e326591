// Reading a program's resources back as the resource compiler built them:
// dialog templates, menus, bitmaps and icons, for the tests of each
// program's resource script.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// The bytes of a resource; empty when it is missing.
std::vector<BYTE> ResourceBytes(HMODULE hModule, LPCSTR pszType, UINT nId);

// A control of a dialog template; a class or title given by number reads "#n".
struct CTemplateControl {
    DWORD dwStyle, dwId;
    std::vector<short> rect;  // x, y, width, height
    std::string strClass, strTitle;
};

struct CDialogTemplate {
    DWORD dwStyle = 0, dwExStyle = 0;
    std::vector<short> rect;
    std::string strMenu, strCaption, strFont;
    std::vector<CTemplateControl> controls;

    const CTemplateControl* Find(DWORD dwId, const std::string& strTitle = "") const;
};

// Reads an extended dialog template (DIALOGEX), the only kind the scripts hold.
bool ReadDialogTemplate(const std::vector<BYTE>& bytes, CDialogTemplate& dialog);

// The dialog resource of that number; expects it to be readable and every
// control to lie inside it.
CDialogTemplate DialogResource(HMODULE hModule, UINT nId);

// The resource compiler may write a class name in capitals or a predefined
// class by number.
bool IsClass(const CTemplateControl& control, const char* pszName);

// One line per popup: "Popup: Item=id|-|Item=id", "-" for a separator.
std::string DescribeMenu(HMENU hMenu);

// Expects a 24-bit bitmap resource of cx by cy pixels, cut into cells
// cxCell wide: each cell has the background colour in its corners (unless
// it is CLR_NONE) and something else drawn, and no pixel has the reserved
// colour (unless it is CLR_NONE).
void ExpectBitmapCells(HMODULE hModule, UINT nId, LONG cx, LONG cy, LONG cxCell,
                       COLORREF crBackground, COLORREF crReserved);

// Expects an icon group with a 256-colour and a 32-bit image of each size,
// the 256-colour images first, that the system loads and that look alike.
void ExpectIconImages(HMODULE hModule, UINT nId, const std::vector<int>& sizes);
