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

std::vector<LONG> Rect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::vector<LONG> ItemRect(HWND hDialog, int nId)
{
    return Rect(CWindow(GetDlgItem(hDialog, nId)).GetRectInParent());
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

TEST(MessageDialog, WindowTextAndButtonsAreLaidOutFromTheLongestLine)
{
    const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const std::string strQuestion = kDiskScanWarning + kQuestionEnd;
    const struct {
        std::string strText;
        uint32_t dwStyle;
        std::vector<LONG> text;  // left, top, right, bottom
        LONG cx, cy;
    } cases[] = {
        // The longest line ending in a carriage return has 65 characters;
        // four lines.
        {strQuestion, 0x80000208, {80, 20, 600, 84}, 620, 194},
        {strQuestion, 0x8, {20, 20, 540, 84}, 560, 164},
        // No carriage return: as wide as the line. Four buttons need more
        // room, so the window grows on both sides until they fit.
        {"Hello world.", 0x1B, {20, 20, 116, 36}, 376, 116},
        // Breaks at 60 characters: two lines ending in a carriage return,
        // and the last.
        {std::string(59, 'a') + " " + std::string(59, 'b') + " c", 0x101,
         {80, 20, 560, 68}, 580, 148},
    };
    for (const auto& c : cases) {
        CDlgMessage box(c.strText, "", c.dwStyle, nullptr);
        ASSERT_TRUE(box.Create(nullptr));
        EXPECT_EQ(Rect(box.GetTextRect()), c.text) << c.strText;
        EXPECT_EQ(ItemRect(box, IDC_MESSAGE_TEXT), c.text) << c.strText;
        const RECT window = box.GetWindowRect();
        EXPECT_EQ(Rect(window), (std::vector<LONG>{(cxScreen - c.cx) / 2, (cyScreen - c.cy) / 2,
                                                   (cxScreen - c.cx) / 2 + c.cx,
                                                   (cyScreen - c.cy) / 2 + c.cy}))
            << c.strText;

        // 75 wide at a pitch of 85, centred, their top 43 pixels and a
        // caption above the bottom.
        const RECT client = box.GetClientRect();
        const std::vector<int> buttons = ShownButtons(box);
        const LONG cxGroup = LONG(buttons.size()) * 85 - 10;
        LONG x = (client.right - cxGroup) / 2;
        for (int nId : buttons) {
            const std::vector<LONG> rect = ItemRect(box, nId);
            EXPECT_EQ(rect[0], x) << nId;
            EXPECT_EQ(rect[2] - rect[0], 75) << nId;
            EXPECT_EQ(rect[1], c.cy - 43 - cyCaption) << nId;
            x += 85;
        }
        if (c.dwStyle & MBS_SHOW_AGAIN_BOX) {
            EXPECT_EQ(ItemRect(box, IDC_MESSAGE_SHOW_AGAIN),
                      (std::vector<LONG>{c.text[0], c.text[3] + 10, client.right,
                                         c.text[3] + 30}));
        }
        box.Destroy();
    }
}

TEST(MessageDialog, ShowsTheIconLeftOfTheText)
{
    CModalAnswers answers;
    int nIconPixels = 0, nMarginPixels = 0;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, kArtifactsFolder + std::string("message-box.png")));
        // The icon at ((80 - 32) / 2, 20); nothing between it and the text.
        nIconPixels = DrawnPixels(hDialog, {24, 20, 56, 52});
        nMarginPixels = DrawnPixels(hDialog, {60, 20, 78, 52});
        CheckDlgButton(hDialog, IDC_MESSAGE_SHOW_AGAIN, BST_UNCHECKED);
        ClickButton(hDialog, IDYES);
    });
    uint32_t dwResult = 1;
    EXPECT_EQ(ShowMessageBox(kDiskScanWarning + kQuestionEnd, "Veltrin PRO", 0x80000208,
                             &dwResult),
              uint32_t(IDYES));
    EXPECT_EQ(dwResult, 0u);
    EXPECT_GT(nIconPixels, 100);
    EXPECT_EQ(nMarginPixels, 0);
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
    bool Enabled(int nRow)
    {
        return m_manager->GetAction(g_wizardQuestions[nRow].pszActionId).bEnabled;
    }
    // Clicks Yes or No in each row of the shown step.
    static void Answer(HWND hDialog, const std::vector<bool>& yes)
    {
        for (int k = 0; k < 3; ++k)
            SendMessageA(GetDlgItem(hDialog, (yes[k] ? IDC_WIZARD_YES : IDC_WIZARD_NO) + k),
                         BM_CLICK, 0, 0);
    }
    static std::string Question(HWND hDialog, int k)
    {
        return CWindow(GetDlgItem(hDialog, IDC_WIZARD_QUESTION + k)).GetText();
    }
};

}  // namespace

TEST_F(Wizard, StepsCountFromOneOfSevenToSevenOfSeven)
{
    const char* const steps[] = {"Step 1 of 7", "Step 2 of 7", "Step 3 of 7", "Step 4 of 7",
                                 "Step 5 of 7", "Step 6 of 7", "Step 7 of 7"};
    CDlgWizard wizard(*m_manager);
    ASSERT_TRUE(wizard.Create(nullptr));
    for (int nStep = 0; nStep < 7; ++nStep) {
        EXPECT_EQ(wizard.GetFirst(), nStep * 3);
        EXPECT_EQ(WizardStepText(wizard.GetFirst()), steps[nStep]);
        ClickButton(wizard, IDOK);
    }
}

TEST_F(Wizard, RowsAskTheQuestionsAndShowWhatIsEnabled)
{
    m_manager->GetAction("IECookies").bEnabled = true;
    m_manager->GetAction("SMRecent").bEnabled = true;
    m_manager->m_actions.erase("Custom");
    CDlgWizard wizard(*m_manager);
    // A question's missing action is added, empty.
    ASSERT_EQ(m_manager->m_actions.count("Custom"), 1u);
    EXPECT_TRUE(m_manager->GetAction("Custom").strTitle.empty());

    ASSERT_TRUE(wizard.Create(nullptr));
    EXPECT_EQ(wizard.GetText(), "Wizard");
    const struct {
        const char* pszQuestion;
        bool bYes;
    } steps[][3] = {
        {{"Do you wish to clear Internet Explorer address bar history?", false},
         {"Do you wish to clear Internet Explorer cookies?", true},
         {"Do you wish to clear Internet Explorer browser history?", false}},
        {{"Do you wish to clear Internet Explorer temporary files?", false},
         {"Do you wish to clear \"Start Menu\" Run history", false},
         {"Do you wish to clear \"Start Menu\" Find history", false}},
        {{"Do you wish to clear Recent Documents list", true},
         {"Do you wish to clear \"Start Menu\" click history", false},
         {"Do you wish to clear \"Start Menu\" order history", false}},
    };
    for (const auto& step : steps) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(Question(wizard, k), step[k].pszQuestion);
            EXPECT_EQ(IsDlgButtonChecked(wizard, IDC_WIZARD_YES + k) == BST_CHECKED,
                      step[k].bYes) << step[k].pszQuestion;
            EXPECT_EQ(IsDlgButtonChecked(wizard, IDC_WIZARD_NO + k) == BST_CHECKED,
                      !step[k].bYes) << step[k].pszQuestion;
        }
        ClickButton(wizard, IDOK);
    }
}

TEST_F(Wizard, NextOnTheLastStepAppliesEveryAnswerAndEndsWithOk)
{
    m_manager->GetAction("IEAddressHistory").bEnabled = true;
    CModalAnswers answers;
    std::vector<std::string> last;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, kArtifactsFolder + std::string("wizard.png")));
        for (int nStep = 0; nStep < 7; ++nStep) {
            // Every second question answered Yes, counted over the whole table.
            const int nFirst = nStep * 3;
            Answer(hDialog, {nFirst % 2 == 0, (nFirst + 1) % 2 == 0, (nFirst + 2) % 2 == 0});
            if (nStep == 6) {
                for (int k = 0; k < 3; ++k)
                    last.push_back(Question(hDialog, k));
                EXPECT_TRUE(SaveWindowPicture(hDialog,
                                              kArtifactsFolder + std::string("wizard-last.png")));
            }
            ClickButton(hDialog, IDOK);
        }
    });
    CDlgWizard wizard(*m_manager);
    EXPECT_EQ(wizard.DoModal(nullptr), IDOK);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(last, (std::vector<std::string>{"Do you wish to eliminate disk free space",
                                              "Do you wish to empty Recycle Bin",
                                              "Do you wish to create Custom actions"}));
    for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
        EXPECT_EQ(Enabled(nRow), nRow % 2 == 0) << g_wizardQuestions[nRow].pszActionId;
    // Other actions are left alone.
    EXPECT_FALSE(m_manager->GetAction("WCTempDir").bEnabled);
}

TEST_F(Wizard, CloseKeepsTheEarlierStepsAndDropsTheShownOne)
{
    const struct {
        const char* pszHow;
        CModalAnswers::Answer close;
    } ways[] = {
        {"Close", [](HWND hDialog) { ClickButton(hDialog, IDCANCEL); }},
        {"Escape", PressEscape},
    };
    for (const auto& way : ways) {
        for (auto& entry : m_manager->m_actions)
            entry.second.bEnabled = false;
        CModalAnswers answers;
        answers.Add([&](HWND hDialog) {
            for (int nStep = 0; nStep < 2; ++nStep) {
                Answer(hDialog, {true, true, true});
                ClickButton(hDialog, IDOK);
            }
            Answer(hDialog, {true, true, true});
            way.close(hDialog);
        });
        CDlgWizard wizard(*m_manager);
        EXPECT_EQ(wizard.DoModal(nullptr), IDCANCEL) << way.pszHow;
        for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
            EXPECT_EQ(Enabled(nRow), nRow < 6) << way.pszHow << " " << nRow;
    }
}

namespace {

// A warning-level action enabled from a page, asked through the message box.
class EnableQuestion : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        Build();
        InstallEnableQuestion();
    }
    void TearDown() override
    {
        SetEnableQuestion(nullptr);
        CManagerTest::TearDown();
    }
    CAction& DiskScan() { return m_manager->GetAction("DiskOpScan"); }
};

}  // namespace

TEST_F(EnableQuestion, AsksWithTheWarningAndNoLeavesTheActionDisabled)
{
    CAction& action = DiskScan();
    ASSERT_EQ(action.dwWarningLevel, 1u);
    action.bEnabled = true;
    CModalAnswers answers;
    std::vector<int> buttons;
    bool bCheckBox = false;
    answers.Add([&](HWND hDialog) {
        buttons = ShownButtons(hDialog);
        bCheckBox = HasStyle(GetDlgItem(hDialog, IDC_MESSAGE_SHOW_AGAIN), WS_VISIBLE) &&
                    IsDlgButtonChecked(hDialog, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED;
        ClickButton(hDialog, IDNO);
    });
    EXPECT_FALSE(SetActionEnabled(action, true, true));
    EXPECT_FALSE(action.bEnabled);
    EXPECT_FALSE(action.bWarned);
    EXPECT_EQ(buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(bCheckBox);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0], std::string("Veltrin PRO\n") + kDiskScanWarning + kQuestionEnd);

    // Left ticked, the box asks again next time.
    answers.Press(IDYES);
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    EXPECT_EQ(answers.Seen().size(), 2u);
}

TEST_F(EnableQuestion, YesWithTheBoxClearedStopsAskingAndDisablingNeverAsks)
{
    CAction& action = DiskScan();
    CAction untouched = action;
    CModalAnswers answers;
    answers.SetCheckAndPress(IDC_MESSAGE_SHOW_AGAIN, false, IDYES);
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    EXPECT_TRUE(action.bWarned);
    ASSERT_EQ(answers.Seen().size(), 1u);

    // The Cancel would answer a question that must not come.
    answers.Press(IDCANCEL);
    EXPECT_FALSE(SetActionEnabled(action, false, true));
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    untouched.bEnabled = true;
    EXPECT_FALSE(SetActionEnabled(untouched, false, true));
    EXPECT_FALSE(untouched.bEnabled);
    EXPECT_EQ(answers.Seen().size(), 1u);
}
