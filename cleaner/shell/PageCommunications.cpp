#include "cleaner/shell/PageCommunications.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "common/DlgExcludeList.h"

namespace {

const char kOutlookExpressQuestion[] =
    "Attention!!\nThis option will clear you Outlook Express emails, and you will not be able to "
    "restore it (unless you have the copies on server)!\nAre you sure you want to enable it?";
const char kMessengerQuestion[] =
    "Attention!!\nThis option will clear your AIM history, and you will not able to restore it "
    "(unless you have the copies on server)!\nAre you sure you want to enable it?";

const CheckBinding kBoxes[] = {
    {IDC_MAIL_OUTLOOK_EXPRESS, "MailOE"},
    {IDC_MAIL_NETSCAPE_TRASH_SENT, "MailNNTrashSent"},
    {IDC_MAIL_NETSCAPE_HIDDEN, "MailNNHidden"},
    {IDC_MAIL_AIM_HISTORY, "AOLHistory"},
};

}  // namespace

CPageCommunications::CPageCommunications(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_COMMUNICATIONS, "communications.mail.htm", manager, hBackground)
{
}

bool CPageCommunications::OnInitDialog()
{
    SetItemText(IDC_MAIL_HIDDEN_MASK, Settings().strNetScapeHiddenFilesMask.Get());
    ShowBoxes(kBoxes);
    SetItemText(IDC_MAIL_AIM_FOLDER, Settings().strAOLMessangerPath.Get());
    UpdateDependencies();
    return true;
}

bool CPageCommunications::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    switch (wId) {
    case IDC_MAIL_OUTLOOK_EXPRESS:
        ConfirmChecked(IDC_MAIL_OUTLOOK_EXPRESS, kOutlookExpressQuestion);
        return true;
    case IDC_MAIL_AIM_HISTORY:
        ConfirmChecked(IDC_MAIL_AIM_HISTORY, kMessengerQuestion);
        UpdateDependencies();
        return true;
    case IDC_MAIL_AIM_FOLDER_BROWSE:
        BrowseForFolder("AOL Instant Messenger Store Folder", GetItem(IDC_MAIL_AIM_FOLDER));
        return true;
    default:
        return false;
    }
}

void CPageCommunications::ConfirmChecked(int nId, const char* pszQuestion) const
{
    if (IsChecked(nId) &&
        MessageBoxA(m_hWnd, pszQuestion, kProductName, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        SetChecked(nId, false);
}

// The browse button goes with the folder: it would write into an edit that
// does not take input.
void CPageCommunications::UpdateDependencies() const
{
    const bool bMessenger = IsChecked(IDC_MAIL_AIM_HISTORY);
    EnableItem(IDC_MAIL_AIM_FOLDER_LABEL, bMessenger);
    EnableItem(IDC_MAIL_AIM_FOLDER, bMessenger);
    EnableItem(IDC_MAIL_AIM_FOLDER_BROWSE, bMessenger);
}

bool CPageCommunications::Apply()
{
    Settings().strNetScapeHiddenFilesMask = ItemText(IDC_MAIL_HIDDEN_MASK);
    ApplyBoxes(kBoxes);
    Settings().strAOLMessangerPath = ItemText(IDC_MAIL_AIM_FOLDER);
    return true;
}
