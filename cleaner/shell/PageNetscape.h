// The Netscape & Mozilla page: the browser's cache, cookies and history, and
// the four folders where the two generations of the browser keep them.
#pragma once

#include "cleaner/shell/OptionPage.h"

class CPageNetscape : public COptionPage {
public:
    CPageNetscape(CActionManager& manager, HBITMAP hBackground);

    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    // Folders the user has not set yet are taken from the browsers' own
    // settings, once, and kept.
    void FillMissingFolders();
    void Browse(const char* pszTitle, int nEditId) const;
};
