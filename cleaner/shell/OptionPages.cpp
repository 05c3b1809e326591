#include "cleaner/shell/OptionPages.h"

#include "cleaner/plugins/PagePlugins.h"
#include "cleaner/shell/CheckBoxPages.h"
#include "cleaner/shell/PageCommunications.h"
#include "cleaner/shell/PageCookies.h"
#include "cleaner/shell/PageDriveOperations.h"
#include "cleaner/shell/PageGeneral.h"
#include "cleaner/shell/PageIEProperties.h"
#include "cleaner/shell/PageNetscape.h"
#include "cleaner/shell/PageWindows.h"
#include "cleaner/shell/resource.h"

namespace {

template <class Page>
std::unique_ptr<COptionPage> Make(CActionManager& manager, HBITMAP hBackground)
{
    return std::unique_ptr<COptionPage>(new Page(manager, hBackground));
}

}  // namespace

std::unique_ptr<COptionPage> CreateOptionPage(UINT nPageId, CActionManager& manager,
                                              HBITMAP hBackground)
{
    if (const CheckBoxPageLayout* pLayout = CCheckBoxPage::FindLayout(nPageId))
        return std::unique_ptr<COptionPage>(new CCheckBoxPage(*pLayout, manager, hBackground));
    switch (nPageId) {
    case IDD_PAGE_GENERAL:
        return Make<CPageGeneral>(manager, hBackground);
    case IDD_PAGE_COOKIES:
        return Make<CPageCookies>(manager, hBackground);
    case IDD_PAGE_IE_PROPERTIES:
        return Make<CPageIEProperties>(manager, hBackground);
    case IDD_PAGE_NETSCAPE:
        return Make<CPageNetscape>(manager, hBackground);
    case IDD_PAGE_WINDOWS:
        return Make<CPageWindows>(manager, hBackground);
    case IDD_PAGE_COMMUNICATIONS:
        return Make<CPageCommunications>(manager, hBackground);
    case IDD_PAGE_DRIVE_OPERATIONS:
        return Make<CPageDriveOperations>(manager, hBackground);
    case IDD_PAGE_PLUGINS:
        return Make<CPagePlugins>(manager, hBackground);
    default:
        return nullptr;
    }
}
