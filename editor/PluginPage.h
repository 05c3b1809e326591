// One page of a plugin window: a modeless child dialog that edits the
// document's action in place. The plugin window creates the page of the
// category chosen in its tree and destroys it when another is chosen.
#pragma once

#include "common/Action.h"
#include "framework/Dialog.h"

#include <memory>
#include <string>

class CPluginPage : public CDialog {
public:
    // The page never owns the action.
    CPluginPage(UINT nTemplateId, CAction* pPlugin) : CDialog(nTemplateId), m_pPlugin(pPlugin) {}

    // Writes the page's state into the action: at least the "enable" check
    // box (control IDC_PLUGIN_ENABLED) into bEnabled. Without its window the
    // page has no state: it stores nothing and returns false.
    virtual bool StoreToPlugin();

protected:
    // Sets the "enable" check box from bEnabled.
    bool OnInitDialog() override;
    // Enter and Escape inside a page do nothing.
    void OnOK() override {}
    void OnCancel() override {}

    std::string GetItemText(int nId) const;
    void SetItemText(int nId, const std::string& strText) const;
    bool IsChecked(int nId) const;
    void SetChecked(int nId, bool bChecked) const;

    CAction* m_pPlugin;
};

// The page whose dialog resource is the number (one of the IDD_PAGE_*
// values), editing the action; null for any other number.
std::unique_ptr<CPluginPage> CreatePluginPage(UINT nPageId, CAction* pPlugin);
