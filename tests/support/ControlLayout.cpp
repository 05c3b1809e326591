#include "tests/support/ControlLayout.h"

#include <gtest/gtest.h>

namespace {

bool IsClass(HWND hWnd, const char* pszClass)
{
    char szClass[32] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, pszClass) == 0;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The text of a check box, radio button, group frame or label.
void ExpectTextFits(const PageControl& control)
{
    const bool bButton = IsClass(control.hWnd, "Button");
    char szText[512] = "";
    GetWindowTextA(control.hWnd, szText, sizeof(szText));
    if ((!bButton && !IsClass(control.hWnd, "Static")) || !*szText)
        return;
    const LONG_PTR nStyle = GetWindowLongPtrA(control.hWnd, GWL_STYLE);
    const int cxTaken =
        !control.bTransparent || !bButton ? 0 : control.bGroup ? 16 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    RECT client;
    GetClientRect(control.hWnd, &client);
    HDC hDC = GetDC(control.hWnd);
    HGDIOBJ hOld = SelectObject(hDC, HFONT(SendMessageA(control.hWnd, WM_GETFONT, 0, 0)));
    RECT text = {0, 0, client.right - cxTaken, 0};
    const bool bWraps = !bButton || (nStyle & BS_MULTILINE);
    DrawTextA(hDC, szText, -1, &text, DT_CALCRECT | (bWraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hDC, hOld);
    ReleaseDC(control.hWnd, hDC);
    EXPECT_LE(text.right, client.right - cxTaken) << szText;
    EXPECT_LE(text.bottom, client.bottom) << szText;
}

}  // namespace

std::vector<PageControl> ControlsOf(HWND hPage)
{
    std::vector<PageControl> controls;
    for (HWND hChild = GetWindow(hPage, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(hChild, &rect);
        MapWindowPoints(nullptr, hPage, reinterpret_cast<POINT*>(&rect), 2);
        const LONG_PTR nType = GetWindowLongPtrA(hChild, GWL_STYLE) & BS_TYPEMASK;
        const bool bButton = IsClass(hChild, "Button");
        const bool bTransparent =
            IsClass(hChild, "Static") || (bButton && nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON);
        controls.push_back({hChild, GetDlgCtrlID(hChild), rect, bButton && nType == BS_GROUPBOX, bTransparent});
    }
    return controls;
}

void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        const PageControl& control = controls[i];
        EXPECT_TRUE(Contains(client, control.rect)) << control.nId;
        ExpectTextFits(control);
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const PageControl& other = controls[j];
            RECT common;
            const bool bFramed = (control.bGroup && Contains(control.rect, other.rect)) ||
                                 (other.bGroup && Contains(other.rect, control.rect));
            EXPECT_TRUE(bFramed || !IntersectRect(&common, &control.rect, &other.rect))
                << control.nId << " and " << other.nId;
        }
    }
}
