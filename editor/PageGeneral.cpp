#include "editor/PageGeneral.h"

#include "editor/resource.h"

CPageGeneral::CPageGeneral(CAction* pPlugin) : CPluginPage(IDD_PAGE_GENERAL, pPlugin) {}

bool CPageGeneral::OnInitDialog()
{
    const bool bFocus = CPluginPage::OnInitDialog();
    SetItemText(IDC_PLUGIN_NAME, m_pPlugin->strId);
    SetItemText(IDC_PLUGIN_TITLE, m_pPlugin->strTitle);
    SetItemText(IDC_PLUGIN_DESCRIPTION, m_pPlugin->strDescription);
    SetItemText(IDC_PLUGIN_CATEGORY, m_pPlugin->strCategory);
    const bool bWarning = m_pPlugin->dwWarningLevel != WL_INFORMATION;
    CheckRadioButton(m_hWnd, IDC_LEVEL_INFORMATION, IDC_LEVEL_WARNING,
                     bWarning ? IDC_LEVEL_WARNING : IDC_LEVEL_INFORMATION);
    return bFocus;
}

bool CPageGeneral::StoreToPlugin()
{
    if (!CPluginPage::StoreToPlugin())
        return false;
    m_pPlugin->strId = GetItemText(IDC_PLUGIN_NAME);
    m_pPlugin->strTitle = GetItemText(IDC_PLUGIN_TITLE);
    m_pPlugin->strDescription = GetItemText(IDC_PLUGIN_DESCRIPTION);
    m_pPlugin->strCategory = GetItemText(IDC_PLUGIN_CATEGORY);
    m_pPlugin->dwWarningLevel = IsChecked(IDC_LEVEL_WARNING) ? WL_WARNING : WL_INFORMATION;
    return true;
}
