#include "tests/support/ProgramResources.h"

#include "tests/support/ControlLayout.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const LPCSTR kToolbarType = MAKEINTRESOURCEA(241);

std::vector<UINT> Ids(HMODULE hModule, LPCSTR pszType)
{
    std::vector<UINT> ids;
    EnumResourceNamesA(hModule, pszType,
                       [](HMODULE, LPCSTR, LPSTR pszName, LONG_PTR lParam) -> BOOL {
                           if (IS_INTRESOURCE(pszName))
                               reinterpret_cast<std::vector<UINT>*>(lParam)->push_back(
                                   UINT(reinterpret_cast<UINT_PTR>(pszName)));
                           return TRUE;
                       },
                       reinterpret_cast<LONG_PTR>(&ids));
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

INT_PTR CALLBACK PlainDialogProc(HWND, UINT uMsg, WPARAM, LPARAM) { return uMsg == WM_INITDIALOG; }

}  // namespace

void ExpectUsableResources(HMODULE hModule, const ProgramResourceUse& use)
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    HWND hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    const std::vector<UINT> dialogs = Ids(hModule, RT_DIALOG);
    EXPECT_FALSE(dialogs.empty());
    for (UINT nId : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(nId));
        HWND hDialog = CreateDialogIndirectParamA(hModule, LPCDLGTEMPLATEA(Bytes(hModule, RT_DIALOG, nId)), hParent,
                                                  PlainDialogProc, 0);
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
