// The Cookies & index.dat page: the cookie action, the date limit and the
// exclusions of the cookie folder.
#include "cleaner/shell/PageCookies.h"

#include "common/SystemTime.h"
#include "tests/support/PageTest.h"

#include <commctrl.h>

namespace {

class PageCookies : public CPageTest {
protected:
    FileTarget& CookieTarget() { return m_manager->GetAction("IECookies").lstFiles.front(); }
};

SYSTEMTIME Day(WORD wYear, WORD wMonth, WORD wDay)
{
    SYSTEMTIME time = {};
    time.wYear = wYear;
    time.wMonth = wMonth;
    time.wDay = wDay;
    time.wHour = 12;
    return time;
}

TEST_F(PageCookies, DateAndExclusionsFollowTheBoxes)
{
    Build().GetAction("IECookies").bEnabled = false;
    m_settings->bIECookiesAllowDate = true;
    std::unique_ptr<CPageCookies> page = Open<CPageCookies>();
    EXPECT_FALSE(IsBoxChecked(*page, IDC_COOKIES_CLEAR));
    EXPECT_TRUE(IsBoxChecked(*page, IDC_COOKIES_AFTER_DATE));

    struct {
        bool bClear;
        bool bAfterDate;
        bool bDateEnabled;
    } const cases[] = {
        {false, true, false},
        {true, true, true},
        {true, false, false},
        {false, false, false},
    };
    for (const auto& c : cases) {
        SetBox(*page, IDC_COOKIES_CLEAR, c.bClear);
        SetBox(*page, IDC_COOKIES_AFTER_DATE, c.bAfterDate);
        SCOPED_TRACE(testing::Message() << "clear " << c.bClear << ", after date " << c.bAfterDate);
        EXPECT_EQ(IsItemEnabled(*page, IDC_COOKIES_AFTER_DATE), c.bClear);
        EXPECT_EQ(IsItemEnabled(*page, IDC_COOKIES_EXCLUDE), c.bClear);
        EXPECT_EQ(IsItemEnabled(*page, IDC_COOKIES_DATE), c.bDateEnabled);
    }
}

TEST_F(PageCookies, ApplyStoresTheDateLimitWithTheCookieFolder)
{
    Build();
    CookieTarget().stDate = FromSystemTime(Day(2001, 2, 3));
    std::unique_ptr<CPageCookies> page = Open<CPageCookies>();
    const HWND hPicker = GetDlgItem(*page, IDC_COOKIES_DATE);
    SYSTEMTIME shown = {};
    ASSERT_EQ(DateTime_GetSystemtime(hPicker, &shown), GDT_VALID);
    EXPECT_EQ(shown.wYear, 2001);
    EXPECT_EQ(shown.wMonth, 2);
    EXPECT_EQ(shown.wDay, 3);

    SetBox(*page, IDC_COOKIES_CLEAR, true);
    SetBox(*page, IDC_COOKIES_AFTER_DATE, true);
    SYSTEMTIME chosen = Day(2003, 5, 17);
    ASSERT_TRUE(DateTime_SetSystemtime(hPicker, GDT_VALID, &chosen));
    EXPECT_TRUE(page->Apply());
    EXPECT_TRUE(m_manager->GetAction("IECookies").bEnabled);
    EXPECT_TRUE(m_settings->bIECookiesAllowDate.Get());
    EXPECT_TRUE(CookieTarget().bUseDate);
    EXPECT_EQ(CookieTarget().stDate.wYear, 2003);
    EXPECT_EQ(CookieTarget().stDate.wMonth, 5);
    EXPECT_EQ(CookieTarget().stDate.wDay, 17);

    SetBox(*page, IDC_COOKIES_AFTER_DATE, false);
    page->Apply();
    EXPECT_FALSE(m_settings->bIECookiesAllowDate.Get());
    EXPECT_FALSE(CookieTarget().bUseDate);
    SetBox(*page, IDC_COOKIES_CLEAR, false);
    page->Apply();
    EXPECT_FALSE(m_manager->GetAction("IECookies").bEnabled);
}

TEST_F(PageCookies, ExcludeButtonOpensTheListOfTheCookieFolder)
{
    Build().GetAction("IECookies").bEnabled = true;
    std::unique_ptr<CPageCookies> page = Open<CPageCookies>();
    CModalAnswers answers;
    answers.Press(IDCANCEL);
    ClickButton(*page, IDC_COOKIES_EXCLUDE);
    EXPECT_EQ(answers.Pending(), 0u);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].rfind("Exclude File List", 0), 0u) << answers.Seen()[0];
}

}  // namespace
