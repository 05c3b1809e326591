// The program's message box, the confirmation wizard and the enabling question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/DlgMessage.h"
#include "cleaner/shell/DlgWizard.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/resource.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Visible(HWND hWnd) { return (GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// The buttons a box shows, left to right.
std::vector<int> ShownButtons(HWND hDialog)
{
    std::vector<int> ids;
    for (int nId : {IDOK, IDYES, IDNO, IDCANCEL})
        if (Visible(GetDlgItem(hDialog, nId)))
            ids.push_back(nId);
    std::sort(ids.begin(), ids.end(), [hDialog](int a, int b) {
        return CWindow(GetDlgItem(hDialog, a)).GetRectInParent().left <
               CWindow(GetDlgItem(hDialog, b)).GetRectInParent().left;
    });
    return ids;
}

}  // namespace

TEST(MessageDialog, StyleFlagsChooseTheButtonsTheIconAndTheCheckBox)
{
    const HICON hInformation = LoadIconA(nullptr, IDI_INFORMATION), hStop = LoadIconA(nullptr, IDI_HAND);
    const HICON hExclamation = LoadIconA(nullptr, IDI_EXCLAMATION);
    const struct {
        uint32_t dwStyle;
        std::vector<int> buttons;
        HICON hIcon;
        bool bCheckBox;
    } cases[] = {
        {0x2, {IDOK, IDCANCEL}, nullptr, false}, {0x10, {IDYES, IDNO, IDCANCEL}, nullptr, false},
        {0x1B, {IDOK, IDYES, IDNO, IDCANCEL}, nullptr, false}, {0x701, {IDOK}, hInformation, false},
        {0x601, {IDOK}, hExclamation, false}, {0x401, {IDOK}, hStop, false},
        {0x80000208, {IDYES, IDNO}, hExclamation, true},
    };
    for (const auto& c : cases) {
        CDlgMessage box("Some text.", "", c.dwStyle, nullptr);
        ASSERT_TRUE(box.Create(nullptr));
        EXPECT_EQ(ShownButtons(box), c.buttons) << std::hex << c.dwStyle;
        EXPECT_EQ(box.GetIcon(), c.hIcon) << std::hex << c.dwStyle;
        EXPECT_EQ(Visible(box.GetItem(IDC_MESSAGE_SHOW_AGAIN)), c.bCheckBox) << std::hex << c.dwStyle;
        box.Destroy();
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
};

}  // namespace

// Each step asks three questions, showing what is enabled; the last Next applies the answers.
TEST_F(Wizard, StepsAskEveryQuestionAndTheLastNextAppliesTheAnswers)
{
    m_manager->GetAction("IECookies").bEnabled = m_manager->GetAction("SMRecent").bEnabled = true;
    m_manager->m_actions.erase("Custom");
    CDlgWizard wizard(*m_manager);
    // A question's missing action is added, empty.
    EXPECT_TRUE(m_manager->GetAction("Custom").strTitle.empty());
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("wizard.png")));
        for (int nStep = 0; nStep < 7; ++nStep) {
            EXPECT_EQ(wizard.GetFirst(), nStep * 3);
            EXPECT_EQ(WizardStepText(wizard.GetFirst()), "Step " + std::to_string(nStep + 1) + " of 7");
            for (int k = 0; k < 3; ++k) {
                const int nRow = nStep * 3 + k;
                EXPECT_EQ(CWindow(GetDlgItem(hDialog, IDC_WIZARD_QUESTION + k)).GetText(),
                          g_wizardQuestions[nRow].pszQuestion);
                EXPECT_EQ(IsDlgButtonChecked(hDialog, IDC_WIZARD_YES + k) == BST_CHECKED, Enabled(nRow)) << nRow;
                EXPECT_NE(IsDlgButtonChecked(hDialog, IDC_WIZARD_NO + k) == BST_CHECKED, Enabled(nRow)) << nRow;
                // Yes to every second question, over the whole table.
                ClickControl(hDialog, (nRow % 2 == 0 ? IDC_WIZARD_YES : IDC_WIZARD_NO) + k);
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
    EXPECT_TRUE(m_manager->GetAction("WCTempDir").bEnabled);  // other actions are left alone
}

// A warning action asks through the message box, Yes, No and "Show this message next time" ticked.
TEST_F(Wizard, EnablingAWarningActionAsksUntilTheBoxIsCleared)
{
    InstallEnableQuestion();
    CAction& action = m_manager->GetAction("DiskOpScan");
    ASSERT_EQ(action.dwWarningLevel, 1u);
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("message-box.png")));
        EXPECT_EQ(ShownButtons(hDialog), (std::vector<int>{IDYES, IDNO}));
        EXPECT_TRUE(Visible(GetDlgItem(hDialog, IDC_MESSAGE_SHOW_AGAIN)) &&
                    IsDlgButtonChecked(hDialog, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED);
        ClickButton(hDialog, IDNO);
    });
    EXPECT_FALSE(SetActionEnabled(action, true, true) || action.bEnabled);
    answers.Add([](HWND hDialog) { PostMessageA(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_FALSE(SetActionEnabled(action, true, true) || action.bEnabled);  // the close box says No
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[0], "Veltrin PRO\nAttention!\r\nThis feature will delete files on your drives according "
                                 "to masks.\r\nYou will not be able to restore these files!\r\nAre you sure you want "
                                 "to enable it?");
    // Left ticked, the box asks again; cleared, it asks no more.
    answers.Press(IDYES);
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    answers.Add([](HWND hBox) {
        CheckDlgButton(hBox, IDC_MESSAGE_SHOW_AGAIN, BST_UNCHECKED);
        ClickButton(hBox, IDYES);
    });
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    EXPECT_TRUE(action.bWarned);
    EXPECT_EQ(answers.Seen().size(), 4u);
    // Nor does disabling: the Cancel would answer a question that must not come.
    answers.Press(IDCANCEL);
    EXPECT_FALSE(SetActionEnabled(action, false, true));
    EXPECT_TRUE(SetActionEnabled(action, true, true));
    CAction untouched = m_manager->GetAction("DiskOpScan");
    untouched.bWarned = false;
    EXPECT_FALSE(SetActionEnabled(untouched, false, true));
    EXPECT_EQ(answers.Seen().size(), 4u);
    SetEnableQuestion(nullptr);
}
