#include "framework/Dialog.h"

namespace {

// Messages whose result a dialog procedure returns itself instead of
// storing it as the message result.
bool ReturnsResultDirectly(UINT uMsg)
{
    if (IsControlColourMessage(uMsg))
        return true;
    switch (uMsg) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool IsControlColourMessage(UINT uMsg)
{
    switch (uMsg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

CDialog::~CDialog()
{
    if (IsWindow())
        Destroy();
}

bool CDialog::Create(HWND hParent)
{
    m_bModal = false;
    return CreateDialogParamA(GetResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId), hParent,
                              DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::DoModal(HWND hParent)
{
    m_bModal = true;
    return DialogBoxParamA(GetResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId), hParent,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR nResult)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        Show(SW_HIDE);
}

bool CDialog::OnCommand(WORD, WORD, HWND)
{
    return false;
}

bool CDialog::OnNotify(const NMHDR&, LRESULT&)
{
    return false;
}

void CDialog::OnSize(UINT, int, int) {}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CDialog::Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return true;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
        return false;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_DESTROY:
        OnDestroy();
        return true;
    default:
        return OnMessage(uMsg, wParam, lParam, result);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialog* pDialog;
    if (uMsg == WM_INITDIALOG) {
        pDialog = reinterpret_cast<CDialog*>(lParam);
        pDialog->m_hWnd = hWnd;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, lParam);
    } else {
        pDialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    }
    if (!pDialog)
        return FALSE;

    LRESULT result = 0;
    const bool bHandled = pDialog->Dispatch(uMsg, wParam, lParam, result);
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        pDialog->m_hWnd = nullptr;
        NoteWindowEnded(hWnd);
    }
    if (!bHandled)
        return FALSE;
    if (ReturnsResultDirectly(uMsg))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
