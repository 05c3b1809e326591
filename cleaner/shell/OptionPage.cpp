#include "cleaner/shell/OptionPage.h"

#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/ActionManager.h"
#include "common/Action.h"
#include "common/DlgExcludeList.h"

#include <algorithm>
#include <iterator>

namespace {

// Group frames and check boxes that keep an opaque page-coloured background.
const int kOpaqueStatics[] = {1103, 1104, 1039, 1092, 1093, 1087};

bool IsEditControl(HWND hControl)
{
    char szClass[16] = "";
    GetClassNameA(hControl, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "Edit") == 0;
}

}  // namespace

bool CBitmapDialog::OnMessage(UINT uMsg, WPARAM, LPARAM, LRESULT& result)
{
    switch (uMsg) {
    case WM_ERASEBKGND:
        // Painting fills the whole client area.
        result = TRUE;
        return true;
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CBitmapDialog::Paint()
{
    PAINTSTRUCT paint;
    HDC hDC = BeginPaint(m_hWnd, &paint);
    const RECT client = GetClientRect();
    OnEraseBackgroundHook(hDC, client);
    BITMAP picture;
    if (m_hBitmap && GetObjectA(m_hBitmap, sizeof(picture), &picture)) {
        HDC hMemory = CreateCompatibleDC(hDC);
        HGDIOBJ hOld = SelectObject(hMemory, m_hBitmap);
        BitBlt(hDC, client.right - picture.bmWidth, client.bottom - picture.bmHeight,
               picture.bmWidth, picture.bmHeight, hMemory, 0, 0, SRCCOPY);
        SelectObject(hMemory, hOld);
        DeleteDC(hMemory);
    }
    OnAfterPaintHook(hDC, client);
    EndPaint(m_hWnd, &paint);
}

void CBitmapDialog::OnEraseBackgroundHook(HDC, const RECT&) {}

void CBitmapDialog::OnAfterPaintHook(HDC, const RECT&) {}

COptionPage::COptionPage(UINT nTemplateId, const char* pszHelpPage, CActionManager& manager,
                         HBITMAP hBackground)
    : CBitmapDialog(nTemplateId, hBackground),
      m_manager(manager),
      m_strHelpPage(pszHelpPage),
      m_hBackgroundBrush(CreateSolidBrush(kPageBackground)),
      m_hWhiteBrush(CreateSolidBrush(RGB(255, 255, 255)))
{
}

COptionPage::~COptionPage()
{
    // The window goes first: its controls may still ask for the brushes.
    if (IsWindow())
        Destroy();
    DeleteObject(m_hBackgroundBrush);
    DeleteObject(m_hWhiteBrush);
}

void COptionPage::OnEraseBackgroundHook(HDC hDC, const RECT& client)
{
    FillRect(hDC, &client, m_hBackgroundBrush);
}

bool COptionPage::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!IsControlColourMessage(uMsg))
        return CBitmapDialog::OnMessage(uMsg, wParam, lParam, result);
    result = reinterpret_cast<LRESULT>(
        OnControlColour(uMsg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    return true;
}

HBRUSH COptionPage::OnControlColour(UINT uMsg, HDC hDC, HWND hControl) const
{
    // A read-only edit asks for static colours, but its text scrolls, so
    // it keeps the opaque white of the other edits.
    if (uMsg == WM_CTLCOLOREDIT || uMsg == WM_CTLCOLORLISTBOX ||
        (uMsg == WM_CTLCOLORSTATIC && IsEditControl(hControl)))
        return m_hWhiteBrush;
    if (uMsg != WM_CTLCOLORSTATIC)
        return m_hBackgroundBrush;
    const int nId = GetDlgCtrlID(hControl);
    if (std::find(std::begin(kOpaqueStatics), std::end(kOpaqueStatics), nId) !=
        std::end(kOpaqueStatics)) {
        SetBkColor(hDC, kPageBackground);
        return m_hBackgroundBrush;
    }
    SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

CAction& COptionPage::Action(const char* pszId)
{
    return m_manager.GetAction(pszId);
}

CGeneralSettings& COptionPage::Settings()
{
    return m_manager.GetSettings();
}

bool COptionPage::IsChecked(int nId) const
{
    return IsDlgButtonChecked(m_hWnd, nId) == BST_CHECKED;
}

void COptionPage::SetChecked(int nId, bool bChecked) const
{
    CheckDlgButton(m_hWnd, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

void COptionPage::EnableItem(int nId, bool bEnable) const
{
    EnableWindow(GetItem(nId), bEnable);
}

std::string COptionPage::ItemText(int nId) const
{
    return CWindow(GetItem(nId)).GetText();
}

void COptionPage::SetItemText(int nId, const std::string& strText) const
{
    SetDlgItemTextA(m_hWnd, nId, strText.c_str());
}

void COptionPage::ShowBoxes(const CheckBinding* pBindings, size_t nBindings)
{
    for (size_t n = 0; n < nBindings; ++n)
        SetChecked(pBindings[n].nControlId, Action(pBindings[n].pszActionId).bEnabled);
}

void COptionPage::ApplyBoxes(const CheckBinding* pBindings, size_t nBindings)
{
    for (size_t n = 0; n < nBindings; ++n)
        Action(pBindings[n].pszActionId).bEnabled = IsChecked(pBindings[n].nControlId);
}

void COptionPage::EditFileExcludes(const char* pszActionId)
{
    CAction& action = Action(pszActionId);
    if (action.lstFiles.empty())
        return;
    FileTarget& target = action.lstFiles.front();
    CDlgExcludeList dialog(ExpandPath(target.strName, Settings()), target.lstExclude, m_hWnd,
                           0, EXCLUDE_FILES);
    dialog.DoModal();
}

void COptionPage::EditValueExcludes(const char* pszActionId)
{
    CAction& action = Action(pszActionId);
    if (action.lstKeys.empty())
        return;
    RegTarget& target = action.lstKeys.front();
    CDlgExcludeList dialog(ExpandUserName(target.strName), target.lstExcludeValues,
                           m_hWnd, target.dwKey, EXCLUDE_REGISTRY_VALUES);
    dialog.DoModal();
}
