// Every option page as the settings dialog shows it: every control inside
// the page and clear of the others, with room for its text, and no text
// drawn straight on the picture in the corner, where it could not be read.
#include "cleaner/shell/OptionPages.h"

#include "cleaner/shell/resource.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Control {
    HWND hWnd;
    int nId;
    RECT rect;  // in the page's client coordinates
    bool bGroup;
    bool bTransparent;  // its text lies on the page's background and picture
};

// The page's own controls, not the parts of a list view or a drop-down.
std::vector<Control> ControlsOf(HWND hPage)
{
    std::vector<Control> controls;
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
        controls.push_back(Control{hChild, GetDlgCtrlID(hChild), rect, bGroup, bTransparent});
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

// Whether the text of a check box, radio button, group frame or label fits
// its control in the control's own font.
void ExpectTextFits(const Control& control)
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

const UINT kPageIds[] = {
    IDD_PAGE_GENERAL,     IDD_PAGE_CONTENTS,        IDD_PAGE_COOKIES,    IDD_PAGE_IE_PROPERTIES,
    IDD_PAGE_NETSCAPE,    IDD_PAGE_OPERA,           IDD_PAGE_START_MENU, IDD_PAGE_WINDOWS,
    IDD_PAGE_NETWORK,     IDD_PAGE_COMMUNICATIONS,  IDD_PAGE_MULTIMEDIA, IDD_PAGE_DRIVE_OPERATIONS,
    IDD_PAGE_PLUGINS};

class OptionPagesLayout : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        Build();
        m_hBackground = LoadBitmapA(GetResourceInstance(), MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND));
        ASSERT_TRUE(m_hBackground);
        ASSERT_TRUE(m_parent.Create(nullptr));
    }
    void TearDown() override
    {
        m_parent.Destroy();
        DeleteObject(m_hBackground);
        CManagerTest::TearDown();
    }

    HBITMAP m_hBackground = nullptr;
    CDialog m_parent{IDD_SETTINGS};
};

TEST_F(OptionPagesLayout, ControlsFitTheirPagesClearOfThePicture)
{
    BITMAP picture;
    ASSERT_TRUE(GetObjectA(m_hBackground, sizeof(picture), &picture));
    const RECT area = CWindow(m_parent.GetItem(IDC_PAGE_FRAME)).GetRectInParent();
    for (UINT nPageId : kPageIds) {
        SCOPED_TRACE("page " + std::to_string(nPageId));
        std::unique_ptr<COptionPage> page = CreateOptionPage(nPageId, *m_manager, m_hBackground);
        ASSERT_TRUE(page && page->Create(m_parent));
        page->Move(area.left, area.top, area.right - area.left, area.bottom - area.top);

        const RECT client = page->GetClientRect();
        const RECT corner = {client.right - picture.bmWidth, client.bottom - picture.bmHeight,
                             client.right, client.bottom};
        const std::vector<Control> controls = ControlsOf(*page);
        ASSERT_FALSE(controls.empty());
        for (size_t i = 0; i < controls.size(); ++i) {
            const Control& control = controls[i];
            EXPECT_TRUE(Contains(client, control.rect)) << control.nId;
            EXPECT_FALSE(control.bTransparent && Intersect(corner, control.rect))
                << control.nId;
            ExpectTextFits(control);
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const Control& other = controls[j];
                const bool bFramed = (control.bGroup && Contains(control.rect, other.rect)) ||
                                     (other.bGroup && Contains(other.rect, control.rect));
                EXPECT_TRUE(bFramed || !Intersect(control.rect, other.rect))
                    << control.nId << " and " << other.nId;
            }
        }
    }
}

}  // namespace
