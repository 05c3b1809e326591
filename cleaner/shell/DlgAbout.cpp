#include "cleaner/shell/DlgAbout.h"

#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "framework/Hyperlink.h"

#include <vector>

CDlgAbout::CDlgAbout() : CDialog(IDD_ABOUTBOX) {}

bool CDlgAbout::OnInitDialog()
{
    SetText(std::string("About ") + kProductName);
    // The version text is its own template, "%s Version %s".
    CWindow version(GetItem(IDC_ABOUT_VERSION));
    const std::string strTemplate = version.GetText();
    std::vector<char> text(strTemplate.size() + 256 + g_strVersion.size());
    wsprintfA(text.data(), strTemplate.c_str(), kProductName, g_strVersion.c_str());
    version.SetText(text.data());
    for (UINT nLink : {IDC_PRODUCT_PAGE, IDC_COMPANY_WEBSITE, IDC_SUPPORT_EMAIL})
        ConvertStaticToHyperlink(m_hWnd, nLink);
    return true;
}

bool CDlgAbout::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != STN_CLICKED)
        return false;
    switch (wId) {
    case IDC_PRODUCT_PAGE:
        OpenAddress(kProductPage);
        return true;
    case IDC_COMPANY_WEBSITE:
        OpenAddress(kCompanyWebsite);
        return true;
    case IDC_SUPPORT_EMAIL:
        OpenAddress(kSupportAddress);
        return true;
    default:
        return false;
    }
}
