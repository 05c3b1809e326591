#include "common/DlgExcludeList.h"

#include "common/ExcludeListIds.h"

CDlgExcludeList::CDlgExcludeList(const std::string& strLocation, StringList& lstExclude,
                                 HWND hParent, uint32_t dwRoot, ExcludeListMode mode)
    : CDialog(IDD_EXCLUDE_LIST),
      m_strLocation(strLocation),
      m_lstExclude(lstExclude),
      m_hParent(hParent),
      m_dwRoot(dwRoot),
      m_mode(mode)
{
}

bool CDlgExcludeList::OnInitDialog()
{
    return true;
}

int BrowseForFolder(const char*, HWND)
{
    return 2;
}
