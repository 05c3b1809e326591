// The four browser and mail pages as the user sees them: every control
// inside the page, none over another, every text whole, and no text on the
// page's picture, where it could not be read. Their pictures are saved for a
// person to look at.
#include "cleaner/shell/PageCommunications.h"
#include "cleaner/shell/PageCookies.h"
#include "cleaner/shell/PageIEProperties.h"
#include "cleaner/shell/PageNetscape.h"

#include "tests/support/PageTest.h"
#include "tests/support/WindowPicture.h"

#include <functional>
#include <vector>

namespace {

typedef std::function<COptionPage*(CActionManager&, HBITMAP)> PageMaker;

template <class Page>
PageMaker Maker()
{
    return [](CActionManager& manager, HBITMAP hBackground) {
        return new Page(manager, hBackground);
    };
}

struct PageKind {
    const char* pszName;
    PageMaker make;
};

const PageKind kPages[] = {
    {"cookies", Maker<CPageCookies>()},
    {"ie-properties", Maker<CPageIEProperties>()},
    {"netscape", Maker<CPageNetscape>()},
    {"communications", Maker<CPageCommunications>()},
};

struct Control {
    HWND hWnd;
    int nId;
    std::string strClass;
    LONG lStyle;
    RECT rect;  // in the page's client coordinates
};

std::vector<Control> Controls(HWND hPage)
{
    std::vector<Control> controls;
    for (HWND hChild = GetWindow(hPage, GW_CHILD); hChild;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[64] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        Control control = {hChild, GetDlgCtrlID(hChild), szClass,
                           GetWindowLongA(hChild, GWL_STYLE), CWindow(hChild).GetRectInParent()};
        controls.push_back(control);
    }
    return controls;
}

bool IsButtonOfType(const Control& control, LONG lType)
{
    return lstrcmpiA(control.strClass.c_str(), "Button") == 0 &&
           (control.lStyle & BS_TYPEMASK) == lType;
}

bool IsCheckBox(const Control& control)
{
    return IsButtonOfType(control, BS_AUTOCHECKBOX) || IsButtonOfType(control, BS_CHECKBOX);
}

bool IsStaticText(const Control& control)
{
    return lstrcmpiA(control.strClass.c_str(), "Static") == 0;
}

// The size the control's text takes in the control's font, broken into lines
// no wider than the width given.
SIZE TextSize(const Control& control, int cxWidth)
{
    HDC hDC = GetDC(control.hWnd);
    HGDIOBJ hOld =
        SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageA(control.hWnd, WM_GETFONT, 0, 0)));
    const std::string strText = CWindow(control.hWnd).GetText();
    RECT rect = {0, 0, cxWidth, 0};
    DrawTextA(hDC, strText.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(hDC, hOld);
    ReleaseDC(control.hWnd, hDC);
    return {rect.right, rect.bottom};
}

void ExpectTextFits(const Control& control)
{
    const int cx = control.rect.right - control.rect.left;
    const int cy = control.rect.bottom - control.rect.top;
    if (IsCheckBox(control)) {
        const int cxBox = GetSystemMetrics(SM_CXMENUCHECK) + 4;
        const SIZE size = TextSize(control, 10000);
        EXPECT_LE(size.cx + cxBox, cx) << "check box " << control.nId;
    } else if (IsButtonOfType(control, BS_PUSHBUTTON)) {
        EXPECT_LE(TextSize(control, 10000).cx + 4, cx) << "button " << control.nId;
    } else if (IsStaticText(control)) {
        const SIZE size = TextSize(control, cx);
        EXPECT_LE(size.cx, cx) << "static " << control.nId;
        EXPECT_LE(size.cy, cy) << "static " << control.nId;
    }
}

class InternetPagesLayout : public CPageTest {
protected:
    void SetUp() override
    {
        CPageTest::SetUp();
        m_hBackground = LoadBitmapA(GetModuleHandleA(nullptr),
                                    MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND));
        ASSERT_NE(m_hBackground, nullptr);
        Build();
    }
    void TearDown() override
    {
        DeleteObject(m_hBackground);
        CPageTest::TearDown();
    }

    std::unique_ptr<COptionPage> Create(const PageKind& kind)
    {
        std::unique_ptr<COptionPage> page(kind.make(*m_manager, m_hBackground));
        EXPECT_TRUE(page->Create(m_parent));
        return page;
    }

    HBITMAP m_hBackground = nullptr;
};

TEST_F(InternetPagesLayout, ControlsLieApartAndShowTheirWholeText)
{
    BITMAP picture;
    ASSERT_TRUE(GetObjectA(m_hBackground, sizeof(picture), &picture));
    for (const PageKind& kind : kPages) {
        SCOPED_TRACE(kind.pszName);
        std::unique_ptr<COptionPage> page = Create(kind);
        const RECT client = page->GetClientRect();
        const RECT pictureRect = {client.right - picture.bmWidth,
                                  client.bottom - picture.bmHeight, client.right, client.bottom};
        const std::vector<Control> controls = Controls(*page);
        for (size_t i = 0; i < controls.size(); ++i) {
            const Control& control = controls[i];
            RECT inside;
            IntersectRect(&inside, &control.rect, &client);
            EXPECT_TRUE(EqualRect(&inside, &control.rect)) << "outside: " << control.nId;
            ExpectTextFits(control);
            // Edits and push buttons paint their own ground; the others let
            // the page show through.
            RECT overlap;
            if (IsStaticText(control) || IsCheckBox(control) ||
                IsButtonOfType(control, BS_GROUPBOX)) {
                EXPECT_FALSE(IntersectRect(&overlap, &control.rect, &pictureRect))
                    << "on the picture: " << control.nId;
            }
            if (IsButtonOfType(control, BS_GROUPBOX))
                continue;
            for (size_t j = i + 1; j < controls.size(); ++j) {
                if (!IsButtonOfType(controls[j], BS_GROUPBOX)) {
                    EXPECT_FALSE(IntersectRect(&overlap, &control.rect, &controls[j].rect))
                        << control.nId << " and " << controls[j].nId;
                }
            }
        }
    }
}

// The pictures land in the prefix's "C:\veltrin-artifacts".
TEST_F(InternetPagesLayout, PicturesOfThePages)
{
    // Everything that depends on a box shown as it is when the box is set.
    for (const char* pszId : {"IECookies", "IEPropWindowTitle", "IEPropHomePage", "NNCache",
                              "AOLHistory"})
        m_manager->GetAction(pszId).bEnabled = true;
    m_settings->bIECookiesAllowDate = true;
    m_settings->strNetscape4UserPath = "C:\\Program Files\\Netscape\\Users\\jo";
    const RECT area = CWindow(m_parent.GetItem(IDC_PAGE_FRAME)).GetRectInParent();
    m_parent.Show(SW_SHOW);
    SetForegroundWindow(m_parent);
    for (const PageKind& kind : kPages) {
        std::unique_ptr<COptionPage> page = Create(kind);
        page->Move(area.left, area.top, area.right - area.left, area.bottom - area.top);
        page->Show(SW_SHOW);
        const std::string strName = std::string("page-") + kind.pszName + ".png";
        EXPECT_TRUE(SaveWindowPicture(*page, ArtifactPath(strName))) << kind.pszName;
    }
    m_parent.Show(SW_HIDE);
}

}  // namespace
