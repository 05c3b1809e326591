#include "editor/PluginPage.h"

#include "editor/ListPages.h"
#include "editor/PageGeneral.h"
#include "editor/resource.h"

bool CPluginPage::OnInitDialog()
{
    SetChecked(IDC_PLUGIN_ENABLED, m_pPlugin->bEnabled);
    // The tree keeps the focus, so that the arrow keys go on moving through
    // the categories.
    return false;
}

bool CPluginPage::StoreToPlugin()
{
    // Empty fields read from a window that is gone would wipe the plugin.
    if (!IsWindow())
        return false;
    m_pPlugin->bEnabled = IsChecked(IDC_PLUGIN_ENABLED);
    return true;
}

std::string CPluginPage::GetItemText(int nId) const
{
    return CWindow(GetItem(nId)).GetText();
}

void CPluginPage::SetItemText(int nId, const std::string& strText) const
{
    SetDlgItemTextA(m_hWnd, nId, strText.c_str());
}

bool CPluginPage::IsChecked(int nId) const
{
    return IsDlgButtonChecked(m_hWnd, nId) == BST_CHECKED;
}

void CPluginPage::SetChecked(int nId, bool bChecked) const
{
    CheckDlgButton(m_hWnd, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

std::unique_ptr<CPluginPage> CreatePluginPage(UINT nPageId, CAction* pPlugin)
{
    if (nPageId == IDD_PAGE_GENERAL)
        return std::unique_ptr<CPluginPage>(new CPageGeneral(pPlugin));
    return CreateListPage(nPageId, pPlugin);
}
