#include "cleaner/shell/PageCookies.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/resource.h"
#include "common/SystemTime.h"

#include <commctrl.h>

namespace {

const char kIdIECookies[] = "IECookies";

}  // namespace

CPageCookies::CPageCookies(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_COOKIES, "browsers.internetexplorer.htm", manager, hBackground)
{
    // The program registers only the common controls of its main window.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

bool CPageCookies::OnInitDialog()
{
    SetChecked(IDC_COOKIES_CLEAR, Action(kIdIECookies).bEnabled);
    SetChecked(IDC_COOKIES_AFTER_DATE, Settings().bIECookiesAllowDate);
    if (FileTarget* pTarget = CookieTarget()) {
        SYSTEMTIME date = ToSystemTime(pTarget->stDate);
        DateTime_SetSystemtime(GetItem(IDC_COOKIES_DATE), GDT_VALID, &date);
    }
    UpdateDependencies();
    return true;
}

bool CPageCookies::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    switch (wId) {
    case IDC_COOKIES_CLEAR:
    case IDC_COOKIES_AFTER_DATE:
        UpdateDependencies();
        return true;
    case IDC_COOKIES_EXCLUDE:
        EditFileExcludes(kIdIECookies);
        return true;
    default:
        return false;
    }
}

void CPageCookies::UpdateDependencies() const
{
    const bool bClear = IsChecked(IDC_COOKIES_CLEAR);
    EnableItem(IDC_COOKIES_AFTER_DATE, bClear);
    EnableItem(IDC_COOKIES_EXCLUDE, bClear);
    EnableItem(IDC_COOKIES_DATE, bClear && IsChecked(IDC_COOKIES_AFTER_DATE));
}

bool CPageCookies::Apply()
{
    Action(kIdIECookies).bEnabled = IsChecked(IDC_COOKIES_CLEAR);
    const bool bAfterDate = IsChecked(IDC_COOKIES_AFTER_DATE);
    Settings().bIECookiesAllowDate = bAfterDate;
    if (FileTarget* pTarget = CookieTarget()) {
        pTarget->bUseDate = bAfterDate;
        SYSTEMTIME date;
        if (DateTime_GetSystemtime(GetItem(IDC_COOKIES_DATE), &date) == GDT_VALID)
            pTarget->stDate = FromSystemTime(date);
    }
    return true;
}

// A plugin may have replaced the cookie action with one without files.
FileTarget* CPageCookies::CookieTarget()
{
    CAction& action = Action(kIdIECookies);
    return action.lstFiles.empty() ? nullptr : &action.lstFiles.front();
}
