// An option page in a settings dialog of its own, over the test's manager,
// driven by the messages a user's clicks would send.
#pragma once

#include "cleaner/shell/OptionPage.h"
#include "cleaner/shell/resource.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"

#include <gtest/gtest.h>

#include <memory>

class CPageTest : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        ASSERT_TRUE(m_parent.Create(nullptr));
    }

    // The page's window in the hidden settings dialog, over the manager as it
    // is (built first when the test has not built it).
    template <class Page>
    std::unique_ptr<Page> Open()
    {
        if (!m_manager)
            Build();
        std::unique_ptr<Page> page(new Page(*m_manager, nullptr));
        EXPECT_TRUE(page->Create(m_parent));
        return page;
    }

    CDialog m_parent{IDD_SETTINGS};
};

// A test of one page, over a manager built before each test.
template <class Page>
class CPageTestOf : public CPageTest {
protected:
    void SetUp() override
    {
        CPageTest::SetUp();
        Build();
    }
    std::unique_ptr<Page> Open() { return CPageTest::Open<Page>(); }
};

// Sets the check box as a click does and tells its page.
inline void SetBox(HWND hPage, int nId, bool bChecked)
{
    CheckDlgButton(hPage, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
    ClickButton(hPage, nId);
}

inline bool IsBoxChecked(HWND hPage, int nId)
{
    return IsDlgButtonChecked(hPage, nId) == BST_CHECKED;
}

inline bool IsItemEnabled(HWND hPage, int nId)
{
    return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE;
}

inline std::string ItemText(HWND hPage, int nId)
{
    return CWindow(GetDlgItem(hPage, nId)).GetText();
}

inline void SetItemText(HWND hPage, int nId, const std::string& strText)
{
    SetDlgItemTextA(hPage, nId, strText.c_str());
}
