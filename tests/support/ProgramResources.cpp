#include "tests/support/ProgramResources.h"

#include "tests/support/ModalAnswers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const LPCSTR kToolbarType = MAKEINTRESOURCEA(241);

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The text of a check box, radio button, group frame or label.
void ExpectTextFits(const PageControl& control)
{
    const bool bButton = IsClass(control.hWnd, "Button");
    char szText[512] = "";
    GetWindowTextA(control.hWnd, szText, sizeof(szText));
    if ((!bButton && !IsClass(control.hWnd, "Static")) || !*szText)
        return;
    const LONG_PTR nStyle = GetWindowLongPtrA(control.hWnd, GWL_STYLE);
    const LONG_PTR nType = nStyle & BS_TYPEMASK;
    // The box of a check box or radio button, or the line of a frame, beside the text.
    const int cxTaken = !bButton || nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON ? 0
                        : control.bGroup ? 16
                                         : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    RECT client;
    GetClientRect(control.hWnd, &client);
    HDC hDC = GetDC(control.hWnd);
    HGDIOBJ hOld = SelectObject(hDC, HFONT(SendMessageA(control.hWnd, WM_GETFONT, 0, 0)));
    RECT text = {0, 0, client.right - cxTaken, 0};
    const bool bWraps = !bButton || (nStyle & BS_MULTILINE);
    DrawTextA(hDC, szText, -1, &text, DT_CALCRECT | (bWraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hDC, hOld);
    ReleaseDC(control.hWnd, hDC);
    EXPECT_LE(text.right, client.right - cxTaken) << szText;
    EXPECT_LE(text.bottom, client.bottom) << szText;
}

BOOL CALLBACK AddId(HMODULE, LPCSTR, LPSTR pszName, LONG_PTR lParam)
{
    if (IS_INTRESOURCE(pszName))
        reinterpret_cast<std::vector<UINT>*>(lParam)->push_back(UINT(UINT_PTR(pszName)));
    return TRUE;
}

std::vector<UINT> Ids(HMODULE hModule, LPCSTR pszType)
{
    std::vector<UINT> ids;
    EnumResourceNamesA(hModule, pszType, AddId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

const void* Bytes(HMODULE hModule, LPCSTR pszType, UINT nId)
{
    HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA(nId), pszType);
    return hInfo ? LockResource(LoadResource(hModule, hInfo)) : nullptr;
}

void AddMenuCommands(HMENU hMenu, std::set<WORD>& commands)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        if (HMENU hSub = GetSubMenu(hMenu, i))
            AddMenuCommands(hSub, commands);
        else if (!(GetMenuState(hMenu, i, MF_BYPOSITION) & MF_SEPARATOR))
            commands.insert(WORD(GetMenuItemID(hMenu, i)));
    }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT uMsg, WPARAM, LPARAM)
{
    return uMsg == WM_INITDIALOG;
}

}  // namespace

std::vector<PageControl> ControlsOf(HWND hPage)
{
    std::vector<PageControl> controls;
    for (HWND hChild = GetWindow(hPage, GW_CHILD); hChild;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(hChild, &rect);
        MapWindowPoints(nullptr, hPage, reinterpret_cast<POINT*>(&rect), 2);
        const bool bGroup = IsClass(hChild, "Button") &&
                            (GetWindowLongPtrA(hChild, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        controls.push_back({hChild, GetDlgCtrlID(hChild), rect, bGroup});
    }
    return controls;
}

void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        const PageControl& control = controls[i];
        EXPECT_TRUE(Contains(client, control.rect)) << control.nId;
        ExpectTextFits(control);
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const PageControl& other = controls[j];
            RECT common;
            const bool bFramed = (control.bGroup && Contains(control.rect, other.rect)) ||
                                 (other.bGroup && Contains(other.rect, control.rect));
            EXPECT_TRUE(bFramed || !IntersectRect(&common, &control.rect, &other.rect))
                << control.nId << " and " << other.nId;
        }
    }
}

void ExpectUsableResources(HMODULE hModule, const ProgramResourceUse& use)
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    HWND hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                   nullptr, nullptr);
    const std::vector<UINT> dialogs = Ids(hModule, RT_DIALOG);
    EXPECT_FALSE(dialogs.empty());
    for (UINT nId : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(nId));
        HWND hDialog = CreateDialogIndirectParamA(
            hModule, LPCDLGTEMPLATEA(Bytes(hModule, RT_DIALOG, nId)), hParent, PlainDialogProc, 0);
        ASSERT_NE(hDialog, nullptr);
        RECT client;
        GetClientRect(hDialog, &client);
        std::vector<PageControl> shown;
        for (const PageControl& control : ControlsOf(hDialog))
            if (GetWindowLongA(control.hWnd, GWL_STYLE) & WS_VISIBLE)
                shown.push_back(control);
        ExpectReadableLayout(client, shown);
        DestroyWindow(hDialog);
    }
    DestroyWindow(hParent);
    std::set<WORD> commands;
    for (UINT nId : Ids(hModule, RT_MENU)) {
        HMENU hMenu = LoadMenuA(hModule, MAKEINTRESOURCEA(nId));
        AddMenuCommands(hMenu, commands);
        DestroyMenu(hMenu);
    }
    // Version, button width and height, count, then the commands, 0 for a gap.
    for (UINT nId : Ids(hModule, kToolbarType)) {
        const WORD* pWords = static_cast<const WORD*>(Bytes(hModule, kToolbarType, nId));
        for (WORD i = 0; i < pWords[3]; ++i)
            if (pWords[4 + i])
                commands.insert(pWords[4 + i]);
    }
    for (UINT nId : Ids(hModule, RT_ACCELERATOR)) {
        HACCEL hTable = LoadAcceleratorsA(hModule, MAKEINTRESOURCEA(nId));
        std::vector<ACCEL> keys(CopyAcceleratorTableA(hTable, nullptr, 0));
        CopyAcceleratorTableA(hTable, keys.data(), int(keys.size()));
        for (const ACCEL& key : keys)
            commands.insert(key.cmd);
    }
    EXPECT_FALSE(commands.empty());
    for (WORD wId : commands)
        EXPECT_TRUE(use.isHandled(wId)) << "command " << wId;
    for (UINT nId : use.bitmaps) {
        HANDLE hBitmap = LoadImageA(hModule, MAKEINTRESOURCEA(nId), IMAGE_BITMAP, 0, 0, 0);
        EXPECT_NE(hBitmap, nullptr) << "bitmap " << nId;
        DeleteObject(hBitmap);
    }
    for (UINT nId : use.icons)
        for (int cx : {16, 32}) {
            HANDLE hIcon = LoadImageA(hModule, MAKEINTRESOURCEA(nId), IMAGE_ICON, cx, cx, 0);
            EXPECT_NE(hIcon, nullptr) << "icon " << nId << " at " << cx;
            DestroyIcon(static_cast<HICON>(hIcon));
        }
}
