#include "cleaner/shell/PageWindows.h"

#include "cleaner/engine/SwapClearing.h"
#include "cleaner/engine/SystemVersion.h"
#include "cleaner/model/ActionIds.h"
#include "cleaner/shell/resource.h"
#include "common/Action.h"

namespace {

const CheckBinding kActionBoxes[] = {
    {IDC_WINDOWS_OPEN_HISTORY, "WCOpenHistory"},
    {IDC_WINDOWS_TEMP_DIR, "WCTempDir"},
    {IDC_WINDOWS_CLIPBOARD, "WCClipboard"},
    {IDC_WINDOWS_RECYCLE_BIN, kIdDiskOpRecycleBin},
    {IDC_WINDOWS_REGEDIT_KEY, "WCRegeditLastKey"},
};

const char kFirstDrive = 'C';
const char kLastDrive = 'Z';

}  // namespace

CPageWindows::CPageWindows(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_WINDOWS, "system.windows.commoncontrols.htm", manager, hBackground)
{
}

bool CPageWindows::OnInitDialog()
{
    ShowBoxes(kActionBoxes);
    SetChecked(IDC_WINDOWS_SWAP, ReadSwapClearingOption());
    FillSwapDrives();
    EnableSwapDrive();
    return true;
}

bool CPageWindows::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wId != IDC_WINDOWS_SWAP || wNotifyCode != BN_CLICKED)
        return false;
    EnableSwapDrive();
    return true;
}

bool CPageWindows::Apply()
{
    ApplyBoxes(kActionBoxes);
    WriteSwapClearingOption(IsChecked(IDC_WINDOWS_SWAP), SwapDrive());
    return true;
}

// "C" unless the clearing is set up for a swap file on another drive:
// applying the page sets it up again, and must not move it to a drive
// that the user did not choose.
void CPageWindows::FillSwapDrives()
{
    CWindow drives(GetItem(IDC_WINDOWS_SWAP_DRIVE));
    for (char cDrive = kFirstDrive; cDrive <= kLastDrive; ++cDrive) {
        const char szLetter[] = {cDrive, '\0'};
        drives.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szLetter));
    }
    char cSelected = kFirstDrive;
    if (IsWin9x() && IsChecked(IDC_WINDOWS_SWAP)) {
        const char cConfigured = ReadSwapClearingDrive();
        if (cConfigured >= kFirstDrive && cConfigured <= kLastDrive)
            cSelected = cConfigured;
    }
    drives.SendMessage(CB_SETCURSEL, cSelected - kFirstDrive);
}

// The NT family keeps its own swap file and needs no drive.
void CPageWindows::EnableSwapDrive() const
{
    const bool bEnable = IsChecked(IDC_WINDOWS_SWAP) && IsWin9x();
    EnableItem(IDC_WINDOWS_SWAP_DRIVE, bEnable);
    EnableItem(IDC_WINDOWS_SWAP_DRIVE_LABEL, bEnable);
}

char CPageWindows::SwapDrive() const
{
    const LRESULT nSelected = ::SendMessageA(GetItem(IDC_WINDOWS_SWAP_DRIVE), CB_GETCURSEL, 0, 0);
    if (nSelected < 0 || nSelected > kLastDrive - kFirstDrive)
        return kFirstDrive;
    return static_cast<char>(kFirstDrive + nSelected);
}
