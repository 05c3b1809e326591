// The About box: the product's name and version and its three links.
#pragma once

#include "framework/Dialog.h"

class CDlgAbout : public CDialog {
public:
    CDlgAbout();

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
};
