// The program's own message box, the confirmation wizard and the question
// that enabling a warning-level action asks, in the test's process.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/DlgMessage.h"
#include "cleaner/shell/DlgWizard.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/resource.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kQuestionEnd = "\r\nAre you sure you want to enable it?";
const char kDiskScanWarning[] =
    "Attention!\r\nThis feature will delete files on your drives according to masks.\r\n"
    "You will not be able to restore these files!";
const int kButtons[] = {IDOK, IDYES, IDNO, IDCANCEL};

bool HasStyle(HWND hWnd, DWORD dwStyle)
{
    return (GetWindowLongA(hWnd, GWL_STYLE) & dwStyle) == dwStyle;
}

// The buttons a box shows, left to right.
std::vector<int> ShownButtons(HWND hDialog)
{
    std::vector<std::pair<LONG, int>> shown;
    for (int nId : kButtons) {
        HWND hButton = GetDlgItem(hDialog, nId);
        if (HasStyle(hButton, WS_VISIBLE))
            shown.push_back({CWindow(hButton).GetRectInParent().left, nId});
    }
    std::sort(shown.begin(), shown.end());
    std::vector<int> ids;
    for (const auto& button : shown)
        ids.push_back(button.second);
    return ids;
}

// Escape pressed in the dialog, for its modal loop to find.
void PressEscape(HWND hDialog)
{
    HWND hFocus = GetFocus();
    PostMessageA(hFocus ? hFocus : hDialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Pixels of the client area that differ from the dialog's background.
int DrawnPixels(HWND hWnd, const RECT& area)
{
    HDC hDC = GetDC(hWnd);
    const COLORREF crBack = GetSysColor(COLOR_BTNFACE);
    int nDrawn = 0;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            nDrawn += GetPixel(hDC, x, y) != crBack;
    ReleaseDC(hWnd, hDC);
    return nDrawn;
}

}  // namespace

TEST(MessageDialog, StyleFlagsChooseTheButtonsTheIconAndTheCheckBox)
{
    const HICON hInformation = LoadIconA(nullptr, IDI_INFORMATION);
    const HICON hExclamation = LoadIconA(nullptr, IDI_EXCLAMATION);
    const HICON hStop = LoadIconA(nullptr, IDI_HAND);
    const struct {
        uint32_t dwStyle;
        std::vector<int> buttons;
        HICON hIcon;
        bool bCheckBox;
    } cases[] = {
        {0x1, {IDOK}, nullptr, false},
        {0x2, {IDOK, IDCANCEL}, nullptr, false},
        {0x3, {IDOK, IDCANCEL}, nullptr, false},
        {0x8, {IDYES, IDNO}, nullptr, false},
        {0x10, {IDYES, IDNO, IDCANCEL}, nullptr, false},
        {0x1B, {IDOK, IDYES, IDNO, IDCANCEL}, nullptr, false},
        {0x701, {IDOK}, hInformation, false},
        {0x601, {IDOK}, hExclamation, false},
        {0x401, {IDOK}, hStop, false},
        {0x80000208, {IDYES, IDNO}, hExclamation, true},
    };
    for (const auto& c : cases) {
        // Modeless and never shown: the layout is the same, and cheap.
        CDlgMessage box("Some text.", "", c.dwStyle, nullptr);
        ASSERT_TRUE(box.Create(nullptr));
        EXPECT_EQ(ShownButtons(box), c.buttons) << std::hex << c.dwStyle;
        EXPECT_EQ(box.GetIcon(), c.hIcon) << std::hex << c.dwStyle;
        EXPECT_EQ(HasStyle(box.GetItem(IDC_MESSAGE_SHOW_AGAIN), WS_VISIBLE), c.bCheckBox)
            << std::hex << c.dwStyle;
        EXPECT_EQ(box.GetText(), "Message");
        // Ten characters of eight pixels on one line, right of the icon if any.
        const RECT text = box.GetTextRect();
        const LONG nLeft = c.hIcon ? 80 : 20;
        EXPECT_EQ(std::vector<LONG>({text.left, text.top, text.right, text.bottom}),
                  std::vector<LONG>({nLeft, 20, nLeft + 80, 36})) << std::hex << c.dwStyle;
        box.Destroy();
    }
}

TEST(MessageDialog, EveryWayOutReturnsItsButtonAndTheCheckBoxState)
{
    const auto closeBox = [](HWND hDialog) { PostMessageA(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const struct {
        uint32_t dwStyle;
        bool bChecked;
        CModalAnswers::Answer close;
        uint32_t dwButton;
    } cases[] = {
        {0x80000001, false, [](HWND h) { ClickButton(h, IDOK); }, IDOK},
        {0x80000008, true, [](HWND h) { ClickButton(h, IDYES); }, IDYES},
        {0x80000008, false, [](HWND h) { ClickButton(h, IDNO); }, IDNO},
        {0x80000002, true, [](HWND h) { ClickButton(h, IDCANCEL); }, IDCANCEL},
        {0x80000008, false, closeBox, IDCANCEL},
        // Without the check box its state is the one it starts with.
        {0x00000008, true, PressEscape, IDCANCEL},
    };
    for (const auto& c : cases) {
        CModalAnswers answers;
        bool bChecked = false;
        answers.Add([&](HWND hDialog) {
            bChecked = IsDlgButtonChecked(hDialog, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED;
            CheckDlgButton(hDialog, IDC_MESSAGE_SHOW_AGAIN,
                           c.bChecked ? BST_CHECKED : BST_UNCHECKED);
            c.close(hDialog);
        });
        // The result flags are optional; the first box goes without.
        uint32_t dwResult = 0xFFFFFFF0;
        uint32_t* pdwResult = c.dwButton == IDOK ? nullptr : &dwResult;
        EXPECT_EQ(ShowMessageBox("Text.", "Caption", c.dwStyle, pdwResult), c.dwButton)
            << std::hex << c.dwStyle;
        EXPECT_TRUE(bChecked) << "the box opens ticked";
        if (pdwResult) {
            EXPECT_EQ(dwResult, c.bChecked ? 1u : 0u) << std::hex << c.dwStyle;
        }
        ASSERT_EQ(answers.Seen().size(), 1u);
        EXPECT_EQ(answers.Seen()[0], "Caption\nText.");
    }
}

namespace {

class Wizard : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        for (auto& entry : Build().m_actions)
            entry.second.bEnabled = false;
    }
    bool Enabled(int nRow) { return m_manager->GetAction(g_wizardQuestions[nRow].pszActionId).bEnabled; }
    // Clicks Yes or No in each row of the shown step.
    static void Answer(HWND hDialog, const std::vector<bool>& yes)
    {
        for (int k = 0; k < 3; ++k)
            SendDlgItemMessageA(hDialog, (yes[k] ? IDC_WIZARD_YES : IDC_WIZARD_NO) + k, BM_CLICK, 0, 0);
    }
};

}  // namespace

// Each step asks its three questions, showing what is enabled, and Next on
// the last step applies every answer and ends with OK.
TEST_F(Wizard, StepsAskEveryQuestionAndTheLastNextAppliesTheAnswers)
{
    m_manager->GetAction("IECookies").bEnabled = true;
    m_manager->GetAction("SMRecent").bEnabled = true;
    m_manager->m_actions.erase("Custom");
    CDlgWizard wizard(*m_manager);
    // A question's missing action is added, empty.
    EXPECT_TRUE(m_manager->GetAction("Custom").strTitle.empty());
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        EXPECT_EQ(CWindow(hDialog).GetText(), "Wizard");
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("wizard.png")));
        for (int nStep = 0; nStep < 7; ++nStep) {
            EXPECT_EQ(wizard.GetFirst(), nStep * 3);
            EXPECT_EQ(WizardStepText(wizard.GetFirst()), "Step " + std::to_string(nStep + 1) + " of 7");
            std::vector<bool> yes;
            for (int k = 0; k < 3; ++k) {
                const int nRow = nStep * 3 + k;
                EXPECT_EQ(CWindow(GetDlgItem(hDialog, IDC_WIZARD_QUESTION + k)).GetText(),
                          g_wizardQuestions[nRow].pszQuestion);
                EXPECT_EQ(IsDlgButtonChecked(hDialog, IDC_WIZARD_YES + k) == BST_CHECKED, Enabled(nRow))
                    << nRow;
                EXPECT_NE(IsDlgButtonChecked(hDialog, IDC_WIZARD_NO + k) == BST_CHECKED, Enabled(nRow))
                    << nRow;
                yes.push_back(nRow % 2 == 0);  // every second question, over the whole table
            }
            Answer(hDialog, yes);
            if (nStep == 6) {
                EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("wizard-last.png")));
            }
            ClickButton(hDialog, IDOK);
        }
        // A wizard that did not end with the last step is closed, and fails.
        PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    });
    m_manager->GetAction("WCTempDir").bEnabled = true;
    EXPECT_EQ(wizard.DoModal(nullptr), IDOK);
    EXPECT_EQ(answers.Pending(), 0u);
    for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
        EXPECT_EQ(Enabled(nRow), nRow % 2 == 0) << g_wizardQuestions[nRow].pszActionId;
    // Other actions are left alone.
    EXPECT_TRUE(m_manager->GetAction("WCTempDir").bEnabled);
}

TEST_F(Wizard, CloseKeepsTheEarlierStepsAndDropsTheShownOne)
{
    const CModalAnswers::Answer ways[] = {[](HWND h) { ClickButton(h, IDCANCEL); }, PressEscape};
    for (const auto& close : ways) {
        for (auto& entry : m_manager->m_actions)
            entry.second.bEnabled = false;
        CModalAnswers answers;
        answers.Add([&](HWND hDialog) {
            for (int nStep = 0; nStep < 3; ++nStep) {
                Answer(hDialog, {true, true, true});
                if (nStep < 2)
                    ClickButton(hDialog, IDOK);
            }
            close(hDialog);
        });
        CDlgWizard wizard(*m_manager);
        EXPECT_EQ(wizard.DoModal(nullptr), IDCANCEL);
        for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
            EXPECT_EQ(Enabled(nRow), nRow < 6) << nRow;
    }
}

// A warning-level action enabled from a page asks through the message box,
// with Yes and No and the box "Show this message next time" ticked.
TEST_F(Wizard, EnablingAWarningActionAsksUntilTheBoxIsCleared)
{
    InstallEnableQuestion();
    CAction& action = m_manager->GetAction("DiskOpScan");
    ASSERT_EQ(action.dwWarningLevel, 1u);
    CModalAnswers answers;
    std::vector<int> buttons;
    bool bTicked = false;
    int nIconPixels = 0;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("message-box.png")));
        nIconPixels = DrawnPixels(hDialog, {24, 20, 56, 52});  // left of the text
        buttons = ShownButtons(hDialog);
        bTicked = HasStyle(GetDlgItem(hDialog, IDC_MESSAGE_SHOW_AGAIN), WS_VISIBLE) &&
                  IsDlgButtonChecked(hDialog, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED;
        ClickButton(hDialog, IDNO);
    });
    EXPECT_FALSE(SetActionEnabled(action, true, true));
    EXPECT_FALSE(action.bEnabled);
    EXPECT_EQ(buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(bTicked);
    EXPECT_GT(nIconPixels, 100);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0], std::string("Veltrin PRO\n") + kDiskScanWarning + kQuestionEnd);

    // Left ticked, the box asks again; cleared, it asks no more.
    answers.Press(IDYES);
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    answers.SetCheckAndPress(IDC_MESSAGE_SHOW_AGAIN, false, IDYES);
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    EXPECT_TRUE(action.bWarned);
    EXPECT_EQ(answers.Seen().size(), 3u);
    // Nor does disabling: the Cancel would answer a question that must not come.
    answers.Press(IDCANCEL);
    EXPECT_FALSE(SetActionEnabled(action, false, true));
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    CAction untouched = m_manager->GetAction("DiskOpScan");
    untouched.bWarned = false;
    EXPECT_FALSE(SetActionEnabled(untouched, false, true));
    EXPECT_EQ(answers.Seen().size(), 3u);
    SetEnableQuestion(nullptr);
}
