#include "cleaner/shell/PageNetscape.h"

#include "cleaner/engine/NetscapeLocators.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/resource.h"
#include "common/DlgExcludeList.h"

namespace {

const char kRootTitle[] = "Netscape 4.x User Root";
const char kCacheTitle[] = "Netscape 4.x User Cache Root";

const CheckBinding kBoxes[] = {
    {IDC_NETSCAPE_COOKIES, "NNCookies"},
    {IDC_NETSCAPE_HISTORY, "NNHistory"},
    {IDC_NETSCAPE_CACHE, "NNCache"},
};

struct FolderEdit {
    CRegString CGeneralSettings::*pSetting;
    int nEditId;
};

const FolderEdit kFolders[] = {
    {&CGeneralSettings::strNetscape4UserPath, IDC_NETSCAPE4_ROOT},
    {&CGeneralSettings::strNetscape4UserCachePath, IDC_NETSCAPE4_CACHE},
    {&CGeneralSettings::strNetscape6UserPath, IDC_NETSCAPE6_ROOT},
    {&CGeneralSettings::strNetscape6UserCachePath, IDC_NETSCAPE6_CACHE},
};

}  // namespace

CPageNetscape::CPageNetscape(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_NETSCAPE, "browsers.netscapenavigator.htm", manager, hBackground)
{
}

void CPageNetscape::FillMissingFolders()
{
    CGeneralSettings& settings = Settings();
    if (settings.strNetscape4UserPath.Get().empty())
        settings.strNetscape4UserPath = FindNetscape4Root();
    if (settings.strNetscape4UserCachePath.Get().empty())
        settings.strNetscape4UserCachePath = FindNetscape4Cache();
    if (settings.strNetscape6UserPath.Get().empty())
        settings.strNetscape6UserPath = FindMozillaRoot();
    // The cache lies in the user folder the page shows, found or set; without
    // one it would be "\Cache" at the root of whatever drive is current.
    if (settings.strNetscape6UserCachePath.Get().empty() &&
        !settings.strNetscape6UserPath.Get().empty())
        settings.strNetscape6UserCachePath = settings.strNetscape6UserPath.Get() + "\\Cache";
}

bool CPageNetscape::OnInitDialog()
{
    FillMissingFolders();
    for (const FolderEdit& folder : kFolders)
        SetItemText(folder.nEditId, (Settings().*folder.pSetting).Get());
    ShowBoxes(kBoxes);
    return true;
}

bool CPageNetscape::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    switch (wId) {
    case IDC_NETSCAPE4_ROOT_BROWSE:
        Browse(kRootTitle, IDC_NETSCAPE4_ROOT);
        return true;
    case IDC_NETSCAPE4_CACHE_BROWSE:
        Browse(kCacheTitle, IDC_NETSCAPE4_CACHE);
        return true;
    case IDC_NETSCAPE6_ROOT_BROWSE:
        Browse(kRootTitle, IDC_NETSCAPE6_ROOT);
        return true;
    case IDC_NETSCAPE6_CACHE_BROWSE:
        Browse(kCacheTitle, IDC_NETSCAPE6_CACHE);
        return true;
    default:
        return false;
    }
}

void CPageNetscape::Browse(const char* pszTitle, int nEditId) const
{
    BrowseForFolder(pszTitle, GetItem(nEditId));
}

bool CPageNetscape::Apply()
{
    ApplyBoxes(kBoxes);
    for (const FolderEdit& folder : kFolders)
        Settings().*folder.pSetting = ItemText(folder.nEditId);
    return true;
}
