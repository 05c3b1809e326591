#include "cleaner/shell/PageIEProperties.h"

#include "cleaner/model/ActionIds.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "common/RegValue.h"

namespace {

const char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

// The note names the program where its text holds "%s".
std::string WithProductName(std::string strText)
{
    const size_t nAt = strText.find("%s");
    if (nAt != std::string::npos)
        strText.replace(nAt, 2, kProductName);
    return strText;
}

}  // namespace

CPageIEProperties::CPageIEProperties(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_IE_PROPERTIES, "browsers.internetexplorer.htm", manager, hBackground)
{
}

bool CPageIEProperties::OnInitDialog()
{
    SetChecked(IDC_IEPROP_WINDOW_TITLE, Action(kIdIEPropWindowTitle).bEnabled);
    SetChecked(IDC_IEPROP_HOME_PAGE, Action(kIdIEPropHomePage).bEnabled);
    SetItemText(IDC_IEPROP_TITLE_TEXT, TextToShow(kIdIEPropWindowTitle, "Window Title"));
    SetItemText(IDC_IEPROP_HOME_TEXT, TextToShow(kIdIEPropHomePage, "Start Page"));
    SetItemText(IDC_IEPROP_NOTE, WithProductName(ItemText(IDC_IEPROP_NOTE)));
    UpdateDependencies();
    return true;
}

bool CPageIEProperties::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    switch (wId) {
    case IDC_IEPROP_WINDOW_TITLE:
    case IDC_IEPROP_HOME_PAGE:
        UpdateDependencies();
        return true;
    case IDC_IEPROP_SET_DEFAULT:
        SetItemText(IDC_IEPROP_TITLE_TEXT, "Microsoft Internet Explorer");
        return true;
    case IDC_IEPROP_SET_BLANK:
        SetItemText(IDC_IEPROP_HOME_TEXT, "about:blank");
        return true;
    default:
        return false;
    }
}

void CPageIEProperties::UpdateDependencies() const
{
    const bool bTitle = IsChecked(IDC_IEPROP_WINDOW_TITLE);
    EnableItem(IDC_IEPROP_TITLE_TEXT, bTitle);
    EnableItem(IDC_IEPROP_SET_DEFAULT, bTitle);
    const bool bHome = IsChecked(IDC_IEPROP_HOME_PAGE);
    EnableItem(IDC_IEPROP_HOME_TEXT, bHome);
    EnableItem(IDC_IEPROP_SET_BLANK, bHome);
}

std::string CPageIEProperties::TextToShow(const char* pszActionId, const char* pszBrowserValue)
{
    const CAction& action = Action(pszActionId);
    if (!action.lstKeyUpdates.empty() && !action.lstKeyUpdates.front().strData.empty())
        return action.lstKeyUpdates.front().strData;
    return ReadRegText(HKEY_CURRENT_USER, kBrowserMain, pszBrowserValue);
}

void CPageIEProperties::StoreText(const char* pszActionId, int nEditId)
{
    CAction& action = Action(pszActionId);
    if (!action.lstKeyUpdates.empty())
        action.lstKeyUpdates.front().strData = ItemText(nEditId);
}

bool CPageIEProperties::Apply()
{
    Action(kIdIEPropWindowTitle).bEnabled = IsChecked(IDC_IEPROP_WINDOW_TITLE);
    Action(kIdIEPropHomePage).bEnabled = IsChecked(IDC_IEPROP_HOME_PAGE);
    StoreText(kIdIEPropWindowTitle, IDC_IEPROP_TITLE_TEXT);
    StoreText(kIdIEPropHomePage, IDC_IEPROP_HOME_TEXT);
    return true;
}
