// The editor's resources as the program uses them: every dialog template
// makes a window whose texts fit their controls, and every command of the
// menus, accelerators and toolbar is one the editor handles and explains.
// The functions before the tests serve any program's module.
#include "editor/MainFrame.h"
#include "editor/PluginPage.h"
#include "editor/resource.h"
#include "tests/support/ControlLayout.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <functional>
#include <set>

// The numbers of the module's resources of that type.
std::vector<UINT> ResourceIds(HMODULE hModule, LPCSTR pszType)
{
    std::vector<UINT> ids;
    EnumResourceNamesA(hModule, pszType, [](HMODULE, LPCSTR, LPSTR pszName, LONG_PTR pIds) {
        reinterpret_cast<std::vector<UINT>*>(pIds)->push_back(LOWORD(pszName));
        return TRUE;
    }, LONG_PTR(&ids));
    return ids;
}

// The commands of every menu, accelerator table and toolbar of the module.
// A toolbar resource is 16-bit words: version, button width and height,
// count, then the command of each button, 0 for a separator.
std::set<UINT> ResourceCommands(HMODULE hModule, LPCSTR pszToolBarType)
{
    std::set<UINT> commands;
    std::function<void(HMENU)> addMenu = [&](HMENU hMenu) {
        for (int n = 0; n < GetMenuItemCount(hMenu); ++n) {
            if (GetSubMenu(hMenu, n))
                addMenu(GetSubMenu(hMenu, n));
            else
                commands.insert(GetMenuItemID(hMenu, n));
        }
    };
    for (UINT nId : ResourceIds(hModule, RT_MENU))
        addMenu(LoadMenuA(hModule, MAKEINTRESOURCEA(nId)));
    for (UINT nId : ResourceIds(hModule, RT_ACCELERATOR)) {
        ACCEL entries[64];
        const HACCEL hTable = LoadAcceleratorsA(hModule, MAKEINTRESOURCEA(nId));
        for (int n = CopyAcceleratorTableA(hTable, entries, 64); n-- > 0;)
            commands.insert(entries[n].cmd);
    }
    for (UINT nId : ResourceIds(hModule, pszToolBarType)) {
        const WORD* pWords = static_cast<const WORD*>(LockResource(LoadResource(
            hModule, FindResourceA(hModule, MAKEINTRESOURCEA(nId), pszToolBarType))));
        commands.insert(pWords + 4, pWords + 4 + pWords[3]);
    }
    commands.erase(0);  // separators
    return commands;
}

// Every control that shows lies inside the window, clear of the others
// unless a group frame holds it, with its text fitting, the entries of a
// drop-down list included; a picture control has its picture.
void ExpectReadable(HWND hWindow)
{
    RECT client;
    GetClientRect(hWindow, &client);
    std::vector<PageControl> shown;
    for (const PageControl& control : ControlsOf(hWindow)) {
        const LONG nStyle = GetWindowLongA(control.hWnd, GWL_STYLE);
        if (nStyle & WS_VISIBLE)
            shown.push_back(control);
        char szClass[16] = "";
        GetClassNameA(control.hWnd, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Static") == 0 && (nStyle & SS_TYPEMASK) == SS_ICON) {
            EXPECT_NE(SendMessageA(control.hWnd, STM_GETICON, 0, 0), 0) << control.nId;
        }
        RECT box;
        GetClientRect(control.hWnd, &box);
        HDC hDC = GetDC(control.hWnd);
        HGDIOBJ hOld = SelectObject(hDC, HFONT(SendMessageA(control.hWnd, WM_GETFONT, 0, 0)));
        const bool bCombo = lstrcmpiA(szClass, "ComboBox") == 0;
        for (int n = 0; bCombo && n < ComboBox_GetCount(control.hWnd); ++n) {
            char szEntry[256] = "";
            SIZE size;
            GetTextExtentPoint32A(hDC, szEntry, ComboBox_GetLBText(control.hWnd, n, szEntry), &size);
            EXPECT_LE(size.cx + 4, box.right - GetSystemMetrics(SM_CXVSCROLL)) << szEntry;
        }
        SelectObject(hDC, hOld);
        ReleaseDC(control.hWnd, hDC);
    }
    ExpectReadableLayout(client, shown);
}

// Every dialog template of the module is readable, made as the program
// makes it where make returns its window, otherwise by a procedure that
// does nothing.
void ExpectDialogsReadable(HMODULE hModule, const std::function<HWND(UINT, HWND)>& make)
{
    const HWND hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
    for (UINT nId : ResourceIds(hModule, RT_DIALOG)) {
        SCOPED_TRACE("dialog " + std::to_string(nId));
        HWND hDialog = make(nId, hParent);
        if (!hDialog)
            hDialog = CreateDialogParamA(hModule, MAKEINTRESOURCEA(nId), hParent,
                                         [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; }, 0);
        ASSERT_NE(hDialog, nullptr);
        ExpectReadable(hDialog);
        DestroyWindow(hDialog);
    }
    DestroyWindow(hParent);
}

TEST(EditorResources, EveryDialogIsReadableAndThePagesWithTheirEntries)
{
    CAction plugin;
    std::unique_ptr<CPluginPage> page;
    ExpectDialogsReadable(GetModuleHandleA(nullptr), [&](UINT nId, HWND hParent) -> HWND {
        page = CreatePluginPage(nId, &plugin);
        return page && page->Create(hParent) ? page->GetHwnd() : nullptr;
    });
}

namespace {

// The frame, noting the commands that neither the active plugin window nor
// the frame itself handled.
class CCommandNotingFrame : public CMainFrame {
public:
    std::vector<UINT> m_unhandled;

protected:
    bool OnCommand(WORD wId) override
    {
        if (CMainFrame::OnCommand(wId))
            return true;
        m_unhandled.push_back(wId);
        return false;
    }
};

}  // namespace

TEST(EditorResources, EveryCommandIsHandledAndHasAPromptAndTheToolbarsATip)
{
    CCommandNotingFrame frame;
    ASSERT_TRUE(frame.Create(SW_SHOWNORMAL));
    ASSERT_NE(frame.NewDocument(), nullptr);
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDCANCEL); });
    for (UINT nCommand : ResourceCommands(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(241))) {
        frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(nCommand, MF_STRING), LPARAM(GetMenu(frame)));
        EXPECT_NE(frame.GetStatusBar().GetPaneText(0), "") << nCommand;
        frame.SendMessage(WM_COMMAND, nCommand);
        // Exit closes the frame once the test is done with it.
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, frame, WM_CLOSE, WM_CLOSE, PM_REMOVE), nCommand == ID_APP_EXIT);
    }
    EXPECT_EQ(frame.m_unhandled, std::vector<UINT>());
    frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(frame.GetStatusBar().GetPaneText(0), "Ready");
    for (int nButton = 0; nButton < frame.GetToolBar().GetButtonCount(); ++nButton) {
        TBBUTTON button = {};
        frame.GetToolBar().GetButton(nButton, button);
        NMTTDISPINFOA tip = {{frame.GetToolBar(), UINT_PTR(button.idCommand), UINT(TTN_GETDISPINFOA)}};
        frame.SendMessage(WM_NOTIFY, 0, LPARAM(&tip));
        EXPECT_TRUE(!button.idCommand || (tip.lpszText && *tip.lpszText)) << button.idCommand;
    }
    // Regedit runs beside the editor.
    HWND hRegedit = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hRegedit = FindWindowA("RegEdit_RegEdit", nullptr)); }));
    PostMessageA(hRegedit, WM_CLOSE, 0, 0);
}
