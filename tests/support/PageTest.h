// An option page over the test's own manager and settings, with the
// settings dialog as its parent, driven the way a user's clicks drive it.
#pragma once

#include "cleaner/shell/resource.h"
#include "framework/Dialog.h"
#include "tests/support/ManagerTest.h"

#include <memory>

template <class Page>
class CPageTest : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        ASSERT_TRUE(m_parent.Create(nullptr));
        Build();
    }

    // A page opened on the registry, actions and settings as they are now.
    std::unique_ptr<Page> Open()
    {
        std::unique_ptr<Page> page(new Page(*m_manager, nullptr));
        EXPECT_TRUE(page->Create(m_parent));
        return page;
    }

    CDialog m_parent{IDD_SETTINGS};
};

inline bool IsChecked(HWND hPage, int nId)
{
    return IsDlgButtonChecked(hPage, nId) == BST_CHECKED;
}

inline bool IsEnabled(HWND hPage, int nId)
{
    return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE;
}

// The button changes as it does under the mouse, and the page hears of it.
inline void Click(HWND hPage, int nId)
{
    SendMessageA(GetDlgItem(hPage, nId), BM_CLICK, 0, 0);
}
