// The confirmation wizard: seven steps of three yes/no questions, each of
// which switches one built-in action on or off.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CActionManager;

// One question of the wizard and the action whose enabled flag it sets.
struct WizardQuestion {
    const char* pszActionId;
    const char* pszQuestion;
};

const int kWizardQuestionCount = 21;
const int kWizardRowsPerStep = 3;
const int kWizardStepCount = kWizardQuestionCount / kWizardRowsPerStep;

extern const WizardQuestion g_wizardQuestions[kWizardQuestionCount];

// "Step %d of %d" for the step whose first row is nFirst.
std::string WizardStepText(int nFirst);

// Posted to itself after each paint; draws the step text over the picture.
const UINT WM_DRAW_WIZARD_STEP = 0x66;

class CDlgWizard : public CDialog {
public:
    // Resolves every question's action, adding a missing one empty.
    explicit CDlgWizard(CActionManager& manager);

    int GetFirst() const { return m_nFirst; }

protected:
    bool OnInitDialog() override;
    // "Next": takes the shown answers, then shows the next step or ends.
    void OnOK() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowRows();
    void DrawStep();

    int m_nFirst = 0;
    bool* m_pEnabled[kWizardQuestionCount];
};
