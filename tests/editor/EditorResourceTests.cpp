// The editor's resources as the program uses them: every dialog makes a readable
// window; every command of the menus, accelerators and toolbar is one the
// editor handles and prompts for. The functions serve any program's module.
#include "editor/MainFrame.h"
#include "editor/resource.h"
#include "tests/support/ControlLayout.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

// The numbers of the module's resources of that type.
static std::vector<UINT> ResourceIds(HMODULE hModule, LPCSTR pszType)
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
static std::set<UINT> ResourceCommands(HMODULE hModule, LPCSTR pszToolBarType)
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

// Every dialog template of the module makes a window in which every control
// that shows lies inside, clear of the others unless a group frame holds it,
// with its text fitting.
TEST(EditorResources, EveryDialogMakesAReadableWindow)
{
    const HWND hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
    const HMODULE hModule = GetModuleHandleA(nullptr);
    const DLGPROC pfnNone = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; };
    for (UINT nId : ResourceIds(hModule, RT_DIALOG)) {
        HWND hDialog = CreateDialogParamA(hModule, MAKEINTRESOURCEA(nId), hParent, pfnNone, 0);
        ASSERT_NE(hDialog, nullptr) << nId;
        RECT client;
        GetClientRect(hDialog, &client);
        std::vector<PageControl> shown;
        for (const PageControl& control : ControlsOf(hDialog)) {
            if (GetWindowLongA(control.hWnd, GWL_STYLE) & WS_VISIBLE)
                shown.push_back(control);
        }
        SCOPED_TRACE("dialog " + std::to_string(nId));
        ExpectReadableLayout(client, shown);
        DestroyWindow(hDialog);
    }
    DestroyWindow(hParent);
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

TEST(EditorResources, EveryCommandIsHandledAndHasAPrompt)
{
    CCommandNotingFrame frame;
    ASSERT_TRUE(frame.Create(SW_SHOWNORMAL));
    ASSERT_NE(frame.NewDocument(), nullptr);
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDCANCEL); });
    for (UINT nId : ResourceCommands(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(241))) {
        frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(nId, MF_STRING), LPARAM(GetMenu(frame)));
        EXPECT_NE(frame.GetStatusBar().GetPaneText(0), "") << nId;
        frame.SendMessage(WM_COMMAND, nId);
        MSG msg;  // Exit closes the frame once the test is done with it
        EXPECT_EQ(PeekMessageA(&msg, frame, WM_CLOSE, WM_CLOSE, PM_REMOVE), nId == ID_APP_EXIT);
    }
    EXPECT_EQ(frame.m_unhandled, std::vector<UINT>());
    // Regedit runs beside the editor.
    HWND hRegedit = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hRegedit = FindWindowA("RegEdit_RegEdit", nullptr)); }));
    PostMessageA(hRegedit, WM_CLOSE, 0, 0);
}
