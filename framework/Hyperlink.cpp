#include "framework/Hyperlink.h"

#include <initializer_list>

namespace {

const char kOriginalProc[] = "_Hyperlink_Original_Proc_";
const char kOriginalFont[] = "_Hyperlink_Original_Font_";
const char kUnderlineFont[] = "_Hyperlink_Underline_Font_";
const char kFromStatic[] = "_Hyperlink_From_Static_";
const COLORREF kLinkColour = RGB(0, 0, 192);

LRESULT CallOriginal(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC pOriginal = reinterpret_cast<WNDPROC>(GetPropA(hWnd, kOriginalProc));
    return pOriginal ? CallWindowProcA(pOriginal, hWnd, uMsg, wParam, lParam)
                     : DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

void SetFont(HWND hWnd, const char* pszProperty)
{
    SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropA(hWnd, pszProperty)), FALSE);
    InvalidateRect(hWnd, nullptr, FALSE);
}

// The parent colours the links.
LRESULT CALLBACK ParentProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC pOriginal = reinterpret_cast<WNDPROC>(GetPropA(hWnd, kOriginalProc));
    if (uMsg == WM_CTLCOLORSTATIC && GetPropA(reinterpret_cast<HWND>(lParam), kFromStatic)) {
        const LRESULT brush = CallWindowProcA(pOriginal, hWnd, uMsg, wParam, lParam);
        SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColour);
        return brush;
    }
    if (uMsg == WM_DESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pOriginal));
        RemovePropA(hWnd, kOriginalProc);
    }
    return CallWindowProcA(pOriginal, hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK LinkProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    case WM_MOUSEMOVE:
        if (GetCapture() != hWnd) {
            SetFont(hWnd, kUnderlineFont);
            SetCapture(hWnd);
        } else {
            RECT rect;
            GetWindowRect(hWnd, &rect);
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hWnd, &point);
            if (!PtInRect(&rect, point)) {
                SetFont(hWnd, kOriginalFont);
                ReleaseCapture();
            }
        }
        break;
    case WM_DESTROY: {
        const WNDPROC pOriginal = reinterpret_cast<WNDPROC>(GetPropA(hWnd, kOriginalProc));
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pOriginal));
        SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropA(hWnd, kOriginalFont)),
                     FALSE);
        DeleteObject(static_cast<HFONT>(GetPropA(hWnd, kUnderlineFont)));
        for (const char* pszProperty : {kOriginalProc, kOriginalFont, kUnderlineFont, kFromStatic})
            RemovePropA(hWnd, pszProperty);
        return CallWindowProcA(pOriginal, hWnd, uMsg, wParam, lParam);
    }
    default:
        break;
    }
    return CallOriginal(hWnd, uMsg, wParam, lParam);
}

}  // namespace

bool ConvertStaticToHyperlink(HWND hParent, UINT nStaticId)
{
    const HWND hStatic = GetDlgItem(hParent, nStaticId);
    if (!hStatic)
        return false;
    if (!GetPropA(hParent, kOriginalProc)) {
        SetPropA(hParent, kOriginalProc,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrA(
                     hParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentProc))));
    }
    SetWindowLongPtrA(hStatic, GWL_STYLE, GetWindowLongPtrA(hStatic, GWL_STYLE) | SS_NOTIFY);
    SetPropA(hStatic, kOriginalProc,
             reinterpret_cast<HANDLE>(
                 SetWindowLongPtrA(hStatic, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc))));

    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hStatic, WM_GETFONT, 0, 0));
    if (!hFont)
        hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA font;
    GetObjectA(hFont, sizeof(font), &font);
    font.lfUnderline = TRUE;
    SetPropA(hStatic, kOriginalFont, hFont);
    SetPropA(hStatic, kUnderlineFont, CreateFontIndirectA(&font));
    SetPropA(hStatic, kFromStatic, reinterpret_cast<HANDLE>(1));
    return true;
}
