// The Windows & Common Controls page: five actions by check box, and the
// clearing of the swap file at shutdown with, on Windows 95/98/ME, the
// drive that holds it.
#pragma once

#include "cleaner/shell/OptionPage.h"

class CPageWindows : public COptionPage {
public:
    CPageWindows(CActionManager& manager, HBITMAP hBackground);

    // The swap option reaches the system at once.
    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    void FillSwapDrives();
    void EnableSwapDrive() const;
    char SwapDrive() const;
};
