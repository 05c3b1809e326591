// The Properties (IE Only) page: the window title and the start page that a
// clean gives the browser.
#pragma once

#include "cleaner/shell/OptionPage.h"

class CPageIEProperties : public COptionPage {
public:
    CPageIEProperties(CActionManager& manager, HBITMAP hBackground);

    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    void UpdateDependencies() const;
    // The text of the action's first registry update, or while it has none,
    // what the browser holds now.
    std::string TextToShow(const char* pszActionId, const char* pszBrowserValue);
    void StoreText(const char* pszActionId, int nEditId);
};
