#include "tests/support/ControlLayout.h"

#include <gtest/gtest.h>

std::vector<PageControl> ControlsOf(HWND hPage)
{
    std::vector<PageControl> controls;
    for (HWND hChild = GetWindow(hPage, GW_CHILD); hChild;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(hChild, &rect);
        MapWindowPoints(nullptr, hPage, reinterpret_cast<POINT*>(&rect), 2);
        char szClass[32] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        const LONG_PTR nStyle = GetWindowLongPtrA(hChild, GWL_STYLE);
        const bool bButton = lstrcmpiA(szClass, "Button") == 0;
        const LONG_PTR nType = nStyle & BS_TYPEMASK;
        const bool bGroup = bButton && nType == BS_GROUPBOX;
        const bool bTransparent = lstrcmpiA(szClass, "Static") == 0 ||
                                  (bButton && nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON);
        controls.push_back(PageControl{hChild, GetDlgCtrlID(hChild), rect, bGroup, bTransparent});
    }
    return controls;
}

bool Intersect(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void ExpectTextFits(const PageControl& control)
{
    char szClass[32] = "";
    GetClassNameA(control.hWnd, szClass, sizeof(szClass));
    const bool bButton = lstrcmpiA(szClass, "Button") == 0;
    if (!bButton && lstrcmpiA(szClass, "Static") != 0)
        return;
    char szText[512] = "";
    GetWindowTextA(control.hWnd, szText, sizeof(szText));
    if (!*szText)
        return;
    const LONG_PTR nStyle = GetWindowLongPtrA(control.hWnd, GWL_STYLE);
    const LONG_PTR nType = nStyle & BS_TYPEMASK;
    int cxTaken = 0;
    if (bButton && nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON)
        cxTaken = control.bGroup ? 16 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    RECT client;
    GetClientRect(control.hWnd, &client);
    HDC hDC = GetDC(control.hWnd);
    HGDIOBJ hOld =
        SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageA(control.hWnd, WM_GETFONT, 0, 0)));
    RECT text = {0, 0, client.right - cxTaken, 0};
    const bool bWraps = bButton ? (nStyle & BS_MULTILINE) != 0 : true;
    DrawTextA(hDC, szText, -1, &text, DT_CALCRECT | (bWraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hDC, hOld);
    ReleaseDC(control.hWnd, hDC);
    EXPECT_LE(text.right, client.right - cxTaken) << szText;
    EXPECT_LE(text.bottom, client.bottom) << szText;
}

void ExpectReadableLayout(const RECT& client, const std::vector<PageControl>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        const PageControl& control = controls[i];
        EXPECT_TRUE(Contains(client, control.rect)) << control.nId;
        ExpectTextFits(control);
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const PageControl& other = controls[j];
            const bool bFramed = (control.bGroup && Contains(control.rect, other.rect)) ||
                                 (other.bGroup && Contains(other.rect, control.rect));
            EXPECT_TRUE(bFramed || !Intersect(control.rect, other.rect))
                << control.nId << " and " << other.nId;
        }
    }
}
