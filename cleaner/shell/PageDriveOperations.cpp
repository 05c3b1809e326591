#include "cleaner/shell/PageDriveOperations.h"

#include "cleaner/engine/PathMacros.h"
#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionIds.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/resource.h"
#include "common/StringList.h"
#include "framework/ImageList.h"

#include <algorithm>

namespace {

const COLORREF kImageMask = RGB(255, 0, 255);
const int kDriveImage = 0;

const int kMaskControls[] = {IDC_DRIVES_MASKS, IDC_DRIVES_MASK, IDC_DRIVES_ADD_MASK,
                             IDC_DRIVES_REMOVE_MASK};

}  // namespace

CPageDriveOperations::CPageDriveOperations(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_DRIVE_OPERATIONS, "driveoperations.htm", manager, hBackground)
{
}

bool CPageDriveOperations::OnInitDialog()
{
    CAction& scan = Action(kIdDiskOpScan);
    SetChecked(IDC_DRIVES_SCAN, scan.bEnabled);
    SetChecked(IDC_DRIVES_FREE_SPACE, Action(kIdDiskOpFreeSpace).bEnabled);
    m_pMasks = scan.lstFiles.empty() ? &m_ownMasks : &scan.lstFiles.front().vecMasks;
    m_checkedDrives = SplitString(Settings().strDiskOpsDriveList, kListSeparator);
    m_drives.Attach(GetItem(IDC_DRIVES_LIST));
    m_maskList.Attach(GetItem(IDC_DRIVES_MASKS));
    FillDrives();
    FillMasks();
    EnableMaskControls();
    return true;
}

bool CPageDriveOperations::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    switch (wId) {
    case IDC_DRIVES_SCAN:
        OnScanClicked();
        return true;
    case IDC_DRIVES_ADD_MASK:
        OnAddMask();
        return true;
    case IDC_DRIVES_REMOVE_MASK:
        OnRemoveMask();
        return true;
    default:
        return false;
    }
}

bool CPageDriveOperations::Apply()
{
    Action(kIdDiskOpScan).bEnabled = IsChecked(IDC_DRIVES_SCAN);
    Action(kIdDiskOpFreeSpace).bEnabled = IsChecked(IDC_DRIVES_FREE_SPACE);
    Settings().strDiskOpsDriveList = JoinStrings(CheckedDrives(), kListSeparator);
    return true;
}

void CPageDriveOperations::FillDrives()
{
    m_drives.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // The list destroys its image list with itself.
    CImageList images;
    if (images.CreateFromBitmap(IDB_DRIVE_IMAGES, 16, 16, kImageMask, 2))
        m_drives.SetImageList(images.Detach(), LVSIL_SMALL);
    const RECT client = m_drives.GetClientRect();
    m_drives.InsertColumn(0, "", client.right - client.left);

    for (const std::string& strRoot : SplitAtSeparator(GetFixedDrives(), kListSeparator)) {
        const int nItem = m_drives.InsertItem(m_drives.GetItemCount(), strRoot.c_str(),
                                              kDriveImage);
        if (nItem >= 0)
            ListView_SetCheckState(m_drives.GetHwnd(), nItem, IsDriveChecked(strRoot));
    }
    // Fills the width that a scroll bar leaves.
    m_drives.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

// Drive letters are the same drive in either case.
bool CPageDriveOperations::IsDriveChecked(const std::string& strRoot) const
{
    return std::any_of(m_checkedDrives.begin(), m_checkedDrives.end(),
                       [&](const std::string& strChecked) {
                           return lstrcmpiA(strChecked.c_str(), strRoot.c_str()) == 0;
                       });
}

StringVector CPageDriveOperations::CheckedDrives() const
{
    StringVector roots;
    const int nCount = m_drives.GetItemCount();
    for (int nItem = 0; nItem < nCount; ++nItem) {
        if (ListView_GetCheckState(m_drives.GetHwnd(), nItem))
            roots.push_back(m_drives.GetItemText(nItem));
    }
    return roots;
}

void CPageDriveOperations::FillMasks()
{
    m_maskList.SendMessage(LB_RESETCONTENT);
    for (const std::string& strMask : *m_pMasks)
        m_maskList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strMask.c_str()));
}

void CPageDriveOperations::EnableMaskControls() const
{
    const bool bEnable = IsChecked(IDC_DRIVES_SCAN);
    for (int nId : kMaskControls)
        EnableItem(nId, bEnable);
}

// Turning the scan on asks first: it deletes files all over the drives.
void CPageDriveOperations::OnScanClicked()
{
    if (!SetActionEnabled(Action(kIdDiskOpScan), IsChecked(IDC_DRIVES_SCAN), true))
        SetChecked(IDC_DRIVES_SCAN, false);
    EnableMaskControls();
}

// The masks are stored joined with the list separator, so a text that holds
// it is taken as the several masks it will be read back as.
void CPageDriveOperations::OnAddMask()
{
    const std::string strText = ItemText(IDC_DRIVES_MASK);
    for (const std::string& strMask : SplitAtSeparator(strText, kListSeparator)) {
        if (strMask.empty() ||
            std::find(m_pMasks->begin(), m_pMasks->end(), strMask) != m_pMasks->end())
            continue;
        m_pMasks->push_back(strMask);
        m_maskList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strMask.c_str()));
    }
}

void CPageDriveOperations::OnRemoveMask()
{
    const LRESULT nSelected = m_maskList.SendMessage(LB_GETCURSEL);
    if (nSelected < 0 || static_cast<size_t>(nSelected) >= m_pMasks->size())
        return;
    m_maskList.SendMessage(LB_DELETESTRING, nSelected);
    m_pMasks->erase(m_pMasks->begin() + nSelected);
    const LRESULT nCount = m_maskList.SendMessage(LB_GETCOUNT);
    if (nCount > 0)
        m_maskList.SendMessage(LB_SETCURSEL, std::min(nSelected, nCount - 1));
}
