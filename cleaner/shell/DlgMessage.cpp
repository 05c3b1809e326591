#include "cleaner/shell/DlgMessage.h"

#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/MessageText.h"
#include "cleaner/shell/resource.h"

namespace {

// Layout in pixels.
const int kTextLeft = 80;
const int kTextLeftWithoutIcon = 20;
const int kTextTop = 20;
const int kCharacterWidth = 8;
const int kLineHeight = 16;
const int kMargin = 20;
const int kHeight = 100;
const int kHeightWithCheckBox = 130;
const int kButtonWidth = 75;
const int kButtonPitch = 85;
const int kButtonsAboveBottom = 43;
const int kCheckBoxGap = 10;
const int kCheckBoxHeight = 20;
const int kIconTop = 20;
const int kIconSize = 32;

const int kButtonOrder[] = {IDOK, IDYES, IDNO, IDCANCEL};

}  // namespace

CDlgMessage::CDlgMessage(const std::string& strText, const std::string& strCaption,
                         uint32_t dwStyle, uint32_t* pdwResult)
    : CDialog(IDD_MESSAGE),
      m_strText(strText),
      m_strCaption(strCaption),
      m_dwStyle(dwStyle),
      m_pdwResult(pdwResult)
{
}

bool CDlgMessage::OnInitDialog()
{
    if (m_pdwResult)
        *m_pdwResult = 0;
    const std::vector<int> buttons = ShowButtons();
    const bool bCheckBox = (m_dwStyle & MBS_SHOW_AGAIN_BOX) != 0;
    CWindow(GetItem(IDC_MESSAGE_SHOW_AGAIN)).Show(bCheckBox ? SW_SHOW : SW_HIDE);
    CheckDlgButton(m_hWnd, IDC_MESSAGE_SHOW_AGAIN, m_bShowNextTime ? BST_CHECKED : BST_UNCHECKED);
    m_hIcon = ChooseIcon();

    const WrappedText wrapped = WrapMessageText(m_strText);
    SetDlgItemTextA(m_hWnd, IDC_MESSAGE_TEXT, wrapped.strText.c_str());
    if (!m_strCaption.empty())
        SetText(m_strCaption);
    LayOut(MessageColumns(wrapped), buttons);

    // The first button answers Enter and has the focus, not the text.
    if (!buttons.empty()) {
        SendMessage(DM_SETDEFID, buttons.front());
        SetFocus(GetItem(buttons.front()));
    }
    return false;
}

std::vector<int> CDlgMessage::ShowButtons()
{
    const bool bOk = (m_dwStyle & (MBS_OK | MBS_OK_CANCEL)) != 0;
    const bool bCancel = (m_dwStyle & (MBS_OK_CANCEL | MBS_YES_NO_CANCEL)) != 0;
    const bool bYesNo = (m_dwStyle & (MBS_YES_NO | MBS_YES_NO_CANCEL)) != 0;
    const bool bShown[] = {bOk, bYesNo, bYesNo, bCancel};
    std::vector<int> buttons;
    for (int i = 0; i < 4; ++i) {
        CWindow(GetItem(kButtonOrder[i])).Show(bShown[i] ? SW_SHOW : SW_HIDE);
        if (bShown[i])
            buttons.push_back(kButtonOrder[i]);
    }
    return buttons;
}

HICON CDlgMessage::ChooseIcon() const
{
    LPCSTR pszIcon = nullptr;
    if (m_dwStyle & MBS_ICON_INFORMATION)
        pszIcon = IDI_INFORMATION;
    else if (m_dwStyle & MBS_ICON_EXCLAMATION)
        pszIcon = IDI_EXCLAMATION;
    else if (m_dwStyle & MBS_ICON_STOP)
        pszIcon = IDI_HAND;
    return pszIcon ? LoadIconA(nullptr, pszIcon) : nullptr;
}

// The window takes the size of the text; the buttons and the check box go
// below it.
void CDlgMessage::LayOut(size_t nColumns, const std::vector<int>& buttons)
{
    CWindow text(GetItem(IDC_MESSAGE_TEXT));
    m_rcText.left = m_hIcon ? kTextLeft : kTextLeftWithoutIcon;
    m_rcText.top = kTextTop;
    m_rcText.right = static_cast<int>(nColumns) * kCharacterWidth + m_rcText.left;
    // The edit breaks a line longer than its width itself, so its lines
    // are counted at the final width.
    text.Move(m_rcText.left, m_rcText.top, m_rcText.right - m_rcText.left, 1000, false);
    const int nLines = static_cast<int>(text.SendMessage(EM_GETLINECOUNT));
    m_rcText.bottom = nLines * kLineHeight + kTextTop;
    text.Move(m_rcText.left, m_rcText.top, m_rcText.right - m_rcText.left,
              m_rcText.bottom - m_rcText.top);

    const bool bCheckBox = (m_dwStyle & MBS_SHOW_AGAIN_BOX) != 0;
    int cx = m_rcText.right + kMargin;
    const int cy = (bCheckBox ? kHeightWithCheckBox : kHeight) - kMargin + m_rcText.bottom;
    const int nButtons = static_cast<int>(buttons.size());
    const int cxButtons = nButtons * kButtonPitch - (kButtonPitch - kButtonWidth);
    while (cxButtons > cx - 2 * kMargin)
        cx += 2 * kMargin;
    SetPos(nullptr, (GetSystemMetrics(SM_CXSCREEN) - cx) / 2,
           (GetSystemMetrics(SM_CYSCREEN) - cy) / 2, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);

    const RECT client = GetClientRect();
    int x = (client.right - cxButtons) / 2;
    const int y = cy - kButtonsAboveBottom - GetSystemMetrics(SM_CYCAPTION);
    for (int nId : buttons) {
        CWindow button(GetItem(nId));
        const RECT rect = button.GetRectInParent();
        button.Move(x, y, kButtonWidth, rect.bottom - rect.top);
        x += kButtonPitch;
    }
    CWindow(GetItem(IDC_MESSAGE_SHOW_AGAIN))
        .Move(m_rcText.left, m_rcText.bottom + kCheckBoxGap, client.right - m_rcText.left,
              kCheckBoxHeight);
}

bool CDlgMessage::OnCommand(WORD wId, WORD, HWND)
{
    switch (wId) {
    case IDOK:
    case IDYES:
    case IDNO:
    case IDCANCEL:
        Close(wId);
        return true;
    default:
        return false;
    }
}

// Every way out, Escape and the close box included, reports the check box.
void CDlgMessage::Close(int nButtonId)
{
    m_bShowNextTime = IsDlgButtonChecked(m_hWnd, IDC_MESSAGE_SHOW_AGAIN) == BST_CHECKED;
    if (m_pdwResult) {
        if (m_bShowNextTime)
            *m_pdwResult |= kShowAgainChecked;
        else
            *m_pdwResult &= ~kShowAgainChecked;
    }
    EndDialog(nButtonId);
}

bool CDlgMessage::OnMessage(UINT uMsg, WPARAM, LPARAM, LRESULT& result)
{
    if (uMsg != WM_PAINT)
        return false;
    PAINTSTRUCT paint;
    HDC hDC = BeginPaint(m_hWnd, &paint);
    if (m_hIcon)
        DrawIcon(hDC, (m_rcText.left - kIconSize) / 2, kIconTop, m_hIcon);
    EndPaint(m_hWnd, &paint);
    result = 0;
    return true;
}

uint32_t ShowMessageBox(const std::string& strText, const std::string& strCaption,
                        uint32_t dwStyle, uint32_t* pdwResult)
{
    CDlgMessage dialog(strText, strCaption, dwStyle, pdwResult);
    return static_cast<uint32_t>(dialog.DoModal(GetActiveWindow()));
}
