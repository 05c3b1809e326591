// The settings dialog and its pages in the test's process, driven by the
// messages a user's clicks would send.
#include "cleaner/shell/OptionPage.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/resource.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/ModalAnswers.h"

#include <gtest/gtest.h>

namespace {

class SettingsDialog : public CManagerTest {};

TEST_F(SettingsDialog, PageIgnoresEnterAndEscape)
{
    COptionPage page(IDD_PAGE_NETWORK, "system.network.htm", Build(), nullptr);
    CDialog parent(IDD_SETTINGS);
    ASSERT_TRUE(parent.Create(nullptr));
    ASSERT_TRUE(page.Create(parent));
    page.SendMessage(WM_COMMAND, IDOK);
    page.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(page.IsWindow());
}

}  // namespace
