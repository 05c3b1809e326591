// The Drive Operations page: the drives that the disk scan and the free
// space elimination work on, the two actions, and the masks of the scan.
#pragma once

#include "cleaner/shell/OptionPage.h"
#include "common/Action.h"
#include "framework/ListView.h"

class CPageDriveOperations : public COptionPage {
public:
    CPageDriveOperations(CActionManager& manager, HBITMAP hBackground);

    // The masks are the scan's own and change as they are edited.
    bool Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;

private:
    void FillDrives();
    void FillMasks();
    void EnableMaskControls() const;
    void OnScanClicked();
    void OnAddMask();
    void OnRemoveMask();
    bool IsDriveChecked(const std::string& strRoot) const;
    StringVector CheckedDrives() const;

    CListView m_drives;
    CWindow m_maskList;
    StringVector m_checkedDrives;  // as stored when the page opened
    // The masks of the scan's first file target; a plugin that replaced
    // the scan may have none, and the page then edits a list of its own.
    StringVector* m_pMasks = nullptr;
    StringVector m_ownMasks;
};
