// The Cookies & index.dat page: whether the browser's cookies go, and
// whether only those written since a chosen date go.
#pragma once

#include "cleaner/shell/OptionPage.h"
#include "common/Action.h"

class CPageCookies : public COptionPage {
public:
    CPageCookies(CActionManager& manager, HBITMAP hBackground);

    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    // The date and the exclusions matter only while the cookies go.
    void UpdateDependencies() const;
    FileTarget* CookieTarget();
};
