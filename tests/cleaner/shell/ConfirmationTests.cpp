// The program's message box, the confirmation wizard and the enabling question.
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/DlgMessage.h"
#include "cleaner/shell/DlgWizard.h"
#include "cleaner/shell/EnableConfirmation.h"
#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/resource.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

namespace {

bool Visible(HWND hWnd) { return (GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// The buttons a box shows.
std::vector<int> ShownButtons(HWND hDialog)
{
    std::vector<int> ids;
    for (int nId : {IDOK, IDYES, IDNO, IDCANCEL})
        if (Visible(GetDlgItem(hDialog, nId)))
            ids.push_back(nId);
    return ids;
}

class Wizard : public CManagerTest {};

}  // namespace

TEST(MessageDialog, StyleFlagsChooseTheButtons)
{
    const std::pair<uint32_t, std::vector<int>> cases[] = {
        {0x2, {IDOK, IDCANCEL}}, {0x10, {IDYES, IDNO, IDCANCEL}}, {0x701, {IDOK}}};
    for (const auto& c : cases) {
        CDlgMessage box("Some text.", "", c.first, nullptr);
        ASSERT_TRUE(box.Create(nullptr));
        EXPECT_EQ(ShownButtons(box), c.second) << std::hex << c.first;
        EXPECT_FALSE(Visible(box.GetItem(IDC_MESSAGE_SHOW_AGAIN)));
    }
}

// Enabling a warning action asks here: Yes and No, "Show this message next time" ticked. The close
// box says No; Yes with the box cleared silences the action.
TEST(MessageDialog, AsksBeforeAWarningActionIsEnabled)
{
    InstallEnableQuestion();
    CAction action;
    action.dwWarningLevel = WL_WARNING;
    CModalAnswers answers;
    answers.Add([](HWND hBox) {
        EXPECT_TRUE(SaveWindowPicture(hBox, ArtifactPath("message-box.png")));
        EXPECT_EQ(ShownButtons(hBox), (std::vector<int>{IDYES, IDNO}));
        EXPECT_TRUE(Visible(GetDlgItem(hBox, IDC_MESSAGE_SHOW_AGAIN)) &&
                    IsDlgButtonChecked(hBox, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED);
        ClickButton(hBox, IDNO);
    });
    answers.Add([](HWND hBox) { PostMessageA(hBox, WM_SYSCOMMAND, SC_CLOSE, 0); });
    answers.Press(IDYES);
    answers.Add([](HWND hBox) {
        CheckDlgButton(hBox, IDC_MESSAGE_SHOW_AGAIN, BST_UNCHECKED);
        ClickButton(hBox, IDYES);
    });
    for (bool bYes : {false, false, true, true}) {
        EXPECT_EQ(SetActionEnabled(action, true, true), bYes);
        EXPECT_EQ(action.bWarned, answers.Pending() == 0);  // only the last answer silences it
    }
    SetEnableQuestion(nullptr);
}

// Each step shows three questions with what is enabled; Next applies them, the last one ends.
TEST_F(Wizard, StepsAskEveryQuestionAndTheLastNextAppliesTheAnswers)
{
    for (auto& entry : Build().m_actions)
        entry.second.bEnabled = false;
    const auto enabled = [&](int nRow) { return m_manager->GetAction(g_wizardQuestions[nRow].pszActionId).bEnabled; };
    m_manager->GetAction("IECookies").bEnabled = m_manager->GetAction("SMRecent").bEnabled = true;
    m_manager->m_actions.erase("Custom");  // a question's missing action is added
    CDlgWizard wizard(*m_manager);
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        EXPECT_TRUE(SaveWindowPicture(hDialog, ArtifactPath("wizard.png")));
        for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow) {
            const int k = nRow % 3;
            EXPECT_EQ(WizardStepText(wizard.GetFirst()), "Step " + std::to_string(nRow / 3 + 1) + " of 7");
            EXPECT_EQ(IsDlgButtonChecked(hDialog, IDC_WIZARD_YES + k) == BST_CHECKED, enabled(nRow)) << nRow;
            EXPECT_NE(IsDlgButtonChecked(hDialog, IDC_WIZARD_NO + k) == BST_CHECKED, enabled(nRow)) << nRow;
            ClickControl(hDialog, (nRow % 2 == 0 ? IDC_WIZARD_YES : IDC_WIZARD_NO) + k);  // Yes to every second
            if (k == 2)
                ClickButton(hDialog, IDOK);
        }
        PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);  // a wizard that did not end is closed, and fails
    });
    m_manager->GetAction("WCTempDir").bEnabled = true;
    EXPECT_EQ(wizard.DoModal(nullptr), IDOK);
    for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
        EXPECT_EQ(enabled(nRow), nRow % 2 == 0) << g_wizardQuestions[nRow].pszActionId;
    EXPECT_TRUE(m_manager->GetAction("WCTempDir").bEnabled);  // other actions are left alone
}
