// The option pages whose check boxes each switch one action on or off, some
// with buttons that edit the exclude list of an action's first target.
#pragma once

#include "cleaner/shell/OptionPage.h"

#include <vector>

struct ExcludeButton {
    int nButtonId;
    const char* pszActionId;
    bool bRegistryValues;  // the values of a key rather than the files of a folder
};

struct CheckBoxPageLayout {
    UINT nTemplateId;
    const char* pszHelpPage;
    std::vector<CheckBinding> bindings;
    std::vector<ExcludeButton> buttons;
};

class CCheckBoxPage : public COptionPage {
public:
    CCheckBoxPage(const CheckBoxPageLayout& layout, CActionManager& manager, HBITMAP hBackground);

    // The layout of the page with that dialog id; null for a page of
    // another kind.
    static const CheckBoxPageLayout* FindLayout(UINT nTemplateId);

    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    const CheckBoxPageLayout& m_layout;
};
