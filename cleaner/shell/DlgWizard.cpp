#include "cleaner/shell/DlgWizard.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/resource.h"

#include <cstdio>

const WizardQuestion g_wizardQuestions[kWizardQuestionCount] = {
    {"IEAddressHistory", "Do you wish to clear Internet Explorer address bar history?"},
    {"IECookies", "Do you wish to clear Internet Explorer cookies?"},
    {"IEHistory", "Do you wish to clear Internet Explorer browser history?"},
    {"IECache", "Do you wish to clear Internet Explorer temporary files?"},
    {"SMRunHistory", "Do you wish to clear \"Start Menu\" Run history"},
    {"SMFindHistory", "Do you wish to clear \"Start Menu\" Find history"},
    {"SMRecent", "Do you wish to clear Recent Documents list"},
    {"SMClickHistory", "Do you wish to clear \"Start Menu\" click history"},
    {"SMOrderHistory", "Do you wish to clear \"Start Menu\" order history"},
    {"WCClipboard", "Do you wish to clear clipboard memory"},
    {"WCOpenHistory", "Do you wish to clear Open File Dialog history"},
    {"WCMediaHistory", "Do you wish to clear MediaPlayer history"},
    {"NNHistory", "Do you wish to clear Netscape Navigator history"},
    {"NNCache", "Do you wish to clear Netscape Navigator cache"},
    {"NNCookies", "Do you wish to clear Netscape Navigator cookies"},
    {"MailNNTrashSent", "Do you wish to clear Netscape Messenger deleted and sent files"},
    {"MailNNHidden", "Do you wish to clear Netscape Messenger hidden files"},
    {"DiskOpScan", "Do you wish to clear Scan disk for delete temporary files"},
    {"DiskOpFreeSpace", "Do you wish to eliminate disk free space"},
    {"DiskOpRecycleBin", "Do you wish to empty Recycle Bin"},
    {"Custom", "Do you wish to create Custom actions"},
};

namespace {

// Where the step text goes, in window coordinates (the caption included).
const RECT kStepTextRect = {72, 24, 1000, 1000};

}  // namespace

std::string WizardStepText(int nFirst)
{
    char szText[64];
    std::snprintf(szText, sizeof(szText), "Step %d of %d", nFirst / kWizardRowsPerStep + 1,
                  kWizardStepCount);
    return szText;
}

CDlgWizard::CDlgWizard(CActionManager& manager) : CDialog(IDD_WIZARD)
{
    for (int nRow = 0; nRow < kWizardQuestionCount; ++nRow)
        m_pEnabled[nRow] = &manager.GetAction(g_wizardQuestions[nRow].pszActionId).bEnabled;
}

bool CDlgWizard::OnInitDialog()
{
    ShowRows();
    return true;
}

void CDlgWizard::ShowRows()
{
    for (int k = 0; k < kWizardRowsPerStep; ++k) {
        const int nRow = m_nFirst + k;
        const bool bShown = nRow < kWizardQuestionCount;
        for (int nId : {IDC_WIZARD_QUESTION + k, IDC_WIZARD_YES + k, IDC_WIZARD_NO + k})
            CWindow(GetItem(nId)).Show(bShown ? SW_SHOW : SW_HIDE);
        if (!bShown)
            continue;
        SetDlgItemTextA(m_hWnd, IDC_WIZARD_QUESTION + k, g_wizardQuestions[nRow].pszQuestion);
        // The ranges of the rows' ids interleave, so each button is set.
        const bool bYes = *m_pEnabled[nRow];
        CheckDlgButton(m_hWnd, IDC_WIZARD_YES + k, bYes ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(m_hWnd, IDC_WIZARD_NO + k, bYes ? BST_UNCHECKED : BST_CHECKED);
    }
    // The step text is drawn over the picture, which has to be drawn anew.
    RedrawWindow(m_hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDlgWizard::OnOK()
{
    for (int k = 0; k < kWizardRowsPerStep; ++k) {
        const int nRow = m_nFirst + k;
        if (nRow < kWizardQuestionCount)
            *m_pEnabled[nRow] = IsDlgButtonChecked(m_hWnd, IDC_WIZARD_YES + k) == BST_CHECKED;
    }
    if (m_nFirst + kWizardRowsPerStep >= kWizardQuestionCount) {
        EndDialog(IDOK);
        return;
    }
    m_nFirst += kWizardRowsPerStep;
    ShowRows();
}

bool CDlgWizard::OnMessage(UINT uMsg, WPARAM, LPARAM, LRESULT& result)
{
    switch (uMsg) {
    case WM_PAINT:
        // Drawn once the dialog and its picture have painted.
        PostMessage(WM_DRAW_WIZARD_STEP);
        return false;
    case WM_DRAW_WIZARD_STEP:
        DrawStep();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CDlgWizard::DrawStep()
{
    // The picture is a window of its own whose painting follows the
    // dialog's; it goes first, or it would cover the text.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC hDC = GetWindowDC(m_hWnd);
    if (!hDC)
        return;
    const std::string strStep = WizardStepText(m_nFirst);
    RECT rect = kStepTextRect;
    const int nOldMode = SetBkMode(hDC, TRANSPARENT);
    DrawTextA(hDC, strStep.c_str(), static_cast<int>(strStep.size()), &rect, DT_SINGLELINE);
    SetBkMode(hDC, nOldMode);
    ReleaseDC(m_hWnd, hDC);
}
