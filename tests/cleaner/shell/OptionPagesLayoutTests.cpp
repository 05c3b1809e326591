// Every option page as the settings dialog shows it: every control inside
// the page and clear of the others, with room for its text, and no text
// drawn straight on the picture in the corner, where it could not be read.
#include "cleaner/shell/OptionPages.h"

#include "cleaner/shell/resource.h"
#include "tests/support/ControlLayout.h"
#include "tests/support/ManagerTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

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
        const std::vector<PageControl> controls = ControlsOf(*page);
        ASSERT_FALSE(controls.empty());
        ExpectReadableLayout(client, controls);
        // Text on the page's background keeps clear of the corner picture.
        for (const PageControl& control : controls)
            EXPECT_FALSE(control.bTransparent && Intersect(corner, control.rect))
                << control.nId;
    }
}

}  // namespace
