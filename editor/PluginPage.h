// One page of a plugin window: a modeless child dialog that edits the
// document's action in place. The plugin window creates the page of the
// category chosen in its tree and destroys it when another is chosen.
#pragma once

#include "common/Action.h"
#include "framework/Dialog.h"

#include <memory>

class CPluginPage : public CDialog {
public:
    // The page never owns the action.
    CPluginPage(UINT nTemplateId, CAction* pPlugin) : CDialog(nTemplateId), m_pPlugin(pPlugin) {}

    // Writes the page's state into the action: at least the "enable" check
    // box (control IDC_PLUGIN_ENABLED) into bEnabled.
    virtual bool StoreToPlugin();

protected:
    // Sets the "enable" check box from bEnabled.
    bool OnInitDialog() override;

    CAction* m_pPlugin;
};

// The page whose dialog resource is the number (one of the IDD_PAGE_*
// values), editing the action; null for any other number.
std::unique_ptr<CPluginPage> CreatePluginPage(UINT nPageId, CAction* pPlugin);
