// Stands in for the item editor pages until they are built: no category
// shows a page yet.
#include "editor/PluginPage.h"

#include "editor/resource.h"

bool CPluginPage::StoreToPlugin()
{
    m_pPlugin->bEnabled = IsDlgButtonChecked(m_hWnd, IDC_PLUGIN_ENABLED) == BST_CHECKED;
    return true;
}

bool CPluginPage::OnInitDialog()
{
    CheckDlgButton(m_hWnd, IDC_PLUGIN_ENABLED, m_pPlugin->bEnabled ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

std::unique_ptr<CPluginPage> CreatePluginPage(UINT, CAction*)
{
    return nullptr;
}
