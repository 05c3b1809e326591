// The Comunications page: mail stores of Outlook Express and Netscape Mail,
// and the AOL Instant Messenger history with the folder that holds it.
#pragma once

#include "cleaner/shell/OptionPage.h"

class CPageCommunications : public COptionPage {
public:
    CPageCommunications(CActionManager& manager, HBITMAP hBackground);

    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    // A box that removes what cannot be restored stays checked only when the
    // user confirms.
    void ConfirmChecked(int nId, const char* pszQuestion) const;
    void UpdateDependencies() const;
};
