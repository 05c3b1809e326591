#include "cleaner/shell/OptionPages.h"

#include "cleaner/shell/CheckBoxPages.h"

std::unique_ptr<COptionPage> CreateOptionPage(UINT nPageId, CActionManager& manager,
                                              HBITMAP hBackground)
{
    if (const CheckBoxPageLayout* pLayout = CCheckBoxPage::FindLayout(nPageId))
        return std::unique_ptr<COptionPage>(new CCheckBoxPage(*pLayout, manager, hBackground));
    return nullptr;
}
