// The editor's resources as the program uses them.
#include "editor/MainFrame.h"
#include "editor/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramResources.h"
#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>

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

// Every dialog makes a readable window, and every command of the menus,
// accelerators and toolbar is one that the frame or the active plugin window
// handles and prompts for in the status bar.
TEST(EditorResources, EveryDialogCreatesAndEveryCommandIsHandledAndHasAPrompt)
{
    CCommandNotingFrame frame;
    ASSERT_TRUE(frame.Create(SW_SHOWNORMAL));
    ASSERT_NE(frame.NewDocument(), nullptr);
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) { ClickButton(hDialog, IDCANCEL); });
    ProgramResourceUse use;
    use.isHandled = [&](WORD wId) {
        frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(wId, MF_STRING), LPARAM(GetMenu(frame)));
        EXPECT_NE(frame.GetStatusBar().GetPaneText(0), "") << wId;
        const size_t nUnhandled = frame.m_unhandled.size();
        frame.SendMessage(WM_COMMAND, wId);
        MSG msg;  // Exit closes the frame once the test is done with it
        EXPECT_EQ(PeekMessageA(&msg, frame, WM_CLOSE, WM_CLOSE, PM_REMOVE), wId == ID_APP_EXIT);
        return frame.m_unhandled.size() == nUnhandled;
    };
    ExpectUsableResources(GetModuleHandleA(nullptr), use);
    // Regedit runs beside the editor.
    HWND hRegedit = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hRegedit = FindWindowA("RegEdit_RegEdit", nullptr)); }));
    PostMessageA(hRegedit, WM_CLOSE, 0, 0);
}
