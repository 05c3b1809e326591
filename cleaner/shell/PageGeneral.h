// The General page: starting with Windows and before shutdown, the tray
// icon on close, how files are wiped, and when the activity log is cleared.
#pragma once

#include "cleaner/shell/OptionPage.h"

#include <cstdint>

class CPageGeneral : public COptionPage {
public:
    CPageGeneral(CActionManager& manager, HBITMAP hBackground);

    // The window's options and the start-up entry reach the registry at
    // once; the wipe method goes into the general settings.
    bool Apply() override;

protected:
    bool OnInitDialog() override;

private:
    void ShowStartWithWindows();
    void ShowWipeMode();
    void ShowClearLogFlags();
    void StoreStartWithWindows() const;
    void StoreWipeMode();
    uint32_t ClearLogFlagsToStore() const;

    // The flags as stored when the page opened, and what its boxes showed.
    uint32_t m_dwClearLogFlags = 0;
    bool m_bClearsAtStart = false;
    bool m_bClearsAtClose = false;
};
