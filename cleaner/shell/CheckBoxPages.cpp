#include "cleaner/shell/CheckBoxPages.h"

#include "cleaner/shell/resource.h"
#include "common/Action.h"

namespace {

const std::vector<CheckBoxPageLayout>& Layouts()
{
    static const std::vector<CheckBoxPageLayout> s_layouts = {
        {IDD_PAGE_CONTENTS,
         "browsers.internetexplorer.htm",
         {{IDC_CONTENTS_ADDRESS_HISTORY, "IEAddressHistory"},
          {IDC_CONTENTS_AOL_ADDRESS_HISTORY, "AOLAddressHistory"},
          {IDC_CONTENTS_HISTORY, "IEHistory"},
          {IDC_CONTENTS_CACHE, "IECache"},
          {IDC_CONTENTS_AUTOCOMPLETE, "IEAutoComplete"},
          {IDC_CONTENTS_AUTOCOMPLETE_PSW, "IEAutoCompletePsw"},
          {IDC_CONTENTS_HELPER, "IEHelper"},
          {IDC_CONTENTS_DOWNLOADED, "IEDownloaded"}},
         {{IDC_CONTENTS_CACHE_EXCLUDE, "IECache", false},
          {IDC_CONTENTS_ADDRESS_EXCLUDE, "IEAddressHistory", true},
          {IDC_CONTENTS_DOWNLOADED_EXCLUDE, "IEDownloaded", false}}},
        {IDD_PAGE_START_MENU,
         "system.startmenu.htm",
         {{IDC_STARTMENU_RUN, "SMRunHistory"},
          {IDC_STARTMENU_FIND, "SMFindHistory"},
          {IDC_STARTMENU_RECENT, "SMRecent"},
          {IDC_STARTMENU_CLICK, "SMClickHistory"},
          {IDC_STARTMENU_ORDER, "SMOrderHistory"}},
         {}},
        {IDD_PAGE_OPERA,
         "browsers.opera.htm",
         {{IDC_OPERA_CACHE, "OperaCache"},
          {IDC_OPERA_COOKIES, "OperaCookies"},
          {IDC_OPERA_ADDRESS_HISTORY, "OperaAddressHistory"}},
         {{IDC_OPERA_CACHE_EXCLUDE, "OperaCache", false}}},
        {IDD_PAGE_NETWORK,
         "system.network.htm",
         {{IDC_NETWORK_USER_LOGON, "NetLastUserLogon"},
          {IDC_NETWORK_DOMAIN_LOGON, "NetLastDomainLogon"}},
         {}},
        {IDD_PAGE_MULTIMEDIA,
         "multimedia.htm",
         {{IDC_MULTIMEDIA_MEDIA_PLAYER, "WCMediaHistory"},
          {IDC_MULTIMEDIA_REALPLAYER, "RealPlayerPlaylist"},
          {IDC_MULTIMEDIA_ACDSEE, "ACDSeeHistory"}},
         {}},
    };
    return s_layouts;
}

}  // namespace

CCheckBoxPage::CCheckBoxPage(const CheckBoxPageLayout& layout, CActionManager& manager,
                             HBITMAP hBackground)
    : COptionPage(layout.nTemplateId, layout.pszHelpPage, manager, hBackground), m_layout(layout)
{
}

const CheckBoxPageLayout* CCheckBoxPage::FindLayout(UINT nTemplateId)
{
    for (const CheckBoxPageLayout& layout : Layouts()) {
        if (layout.nTemplateId == nTemplateId)
            return &layout;
    }
    return nullptr;
}

bool CCheckBoxPage::OnInitDialog()
{
    ShowBoxes(m_layout.bindings.data(), m_layout.bindings.size());
    return true;
}

bool CCheckBoxPage::Apply()
{
    ApplyBoxes(m_layout.bindings.data(), m_layout.bindings.size());
    return true;
}

bool CCheckBoxPage::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    if (wNotifyCode != BN_CLICKED)
        return false;
    for (const ExcludeButton& button : m_layout.buttons) {
        if (button.nButtonId != wId)
            continue;
        if (button.bRegistryValues)
            EditValueExcludes(button.pszActionId);
        else
            EditFileExcludes(button.pszActionId);
        return true;
    }
    return false;
}
