#include "common/DlgExcludeList.h"

#include "common/ExcludeListIds.h"
#include "common/FindFiles.h"
#include "common/RegValue.h"

#include <vector>

namespace {

// The size of both buffers of a value read: its name and its data.
const DWORD kValueBufferSize = 4097;

}  // namespace

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
    m_listContent.Attach(GetItem(IDC_EXCLUDE_CONTENT));
    m_listExcluded.Attach(GetItem(IDC_EXCLUDE_LIST));
    if (m_mode == EXCLUDE_FILES)
        FillWithFiles();
    else
        FillWithValues();
    ShowExcluded();
    UpdateButtons();
    return true;
}

void CDlgExcludeList::FillWithFiles()
{
    CFindFiles files(m_strLocation, "*.*");
    WIN32_FIND_DATAA data;
    while (files.Next(data)) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            m_listContent.AddString(data.cFileName);
    }
}

void CDlgExcludeList::FillWithValues()
{
    HKEY hKey;
    if (RegOpenKeyExA(RootKeyHandle(m_dwRoot), m_strLocation.c_str(), 0, KEY_QUERY_VALUE,
                      &hKey) != ERROR_SUCCESS)
        return;
    std::vector<char> name(kValueBufferSize);
    std::vector<BYTE> data(kValueBufferSize);
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = kValueBufferSize;
        DWORD cbData = kValueBufferSize;
        const LONG lResult = RegEnumValueA(hKey, dwIndex, name.data(), &cchName, nullptr,
                                           nullptr, data.data(), &cbData);
        // A value too large for the buffer cannot be shown, but the ones
        // after it still can.
        if (lResult == ERROR_MORE_DATA)
            continue;
        if (lResult != ERROR_SUCCESS)
            break;
        // Whatever its type, the data shows as text up to its first zero byte.
        const char* pszData = reinterpret_cast<const char*>(data.data());
        std::string strData(pszData, cbData);
        m_listContent.AddString(strData.substr(0, strData.find('\0')));
    }
    RegCloseKey(hKey);
}

void CDlgExcludeList::ShowExcluded()
{
    // Excluded entries the location no longer holds are not shown, so OK
    // drops them.
    for (const std::string& strExcluded : m_lstExclude) {
        const int nIndex = m_listContent.FindStringExact(strExcluded);
        if (nIndex == LB_ERR)
            continue;
        m_listExcluded.AddString(strExcluded);
        m_listContent.DeleteString(nIndex);
    }
}

bool CDlgExcludeList::OnCommand(WORD wId, WORD wNotifyCode, HWND)
{
    switch (wId) {
    case IDC_EXCLUDE_CONTENT:
    case IDC_EXCLUDE_LIST:
        if (wNotifyCode != LBN_SELCHANGE)
            return false;
        UpdateButtons();
        return true;
    case IDC_EXCLUDE_ADD:
        MoveSelected(m_listContent, m_listExcluded);
        return true;
    case IDC_EXCLUDE_REMOVE:
        MoveSelected(m_listExcluded, m_listContent);
        return true;
    case IDC_EXCLUDE_ADD_ALL:
        MoveAll(m_listContent, m_listExcluded);
        return true;
    case IDC_EXCLUDE_REMOVE_ALL:
        MoveAll(m_listExcluded, m_listContent);
        return true;
    default:
        return false;
    }
}

void CDlgExcludeList::MoveSelected(const CListBox& from, const CListBox& to)
{
    const std::vector<int> selected = from.GetSelItems();
    int nRemoved = 0;
    for (int nIndex : selected) {
        const int nNow = nIndex - nRemoved;
        to.AddString(from.GetText(nNow));
        from.DeleteString(nNow);
        ++nRemoved;
    }
    // The selection stays where it was, so that the user can go on pressing.
    if (!selected.empty()) {
        const int nCount = from.GetCount();
        if (nCount > 0)
            from.SetSel(std::min(selected.front(), nCount - 1), true);
    }
    UpdateButtons();
}

void CDlgExcludeList::MoveAll(const CListBox& from, const CListBox& to)
{
    while (from.GetCount() > 0) {
        from.SetSel(-1, false);
        from.SetSel(0, true);
        MoveSelected(from, to);
    }
}

void CDlgExcludeList::UpdateButtons()
{
    EnableWindow(GetItem(IDC_EXCLUDE_ADD), m_listContent.GetSelCount() > 0);
    EnableWindow(GetItem(IDC_EXCLUDE_REMOVE), m_listExcluded.GetSelCount() > 0);
}

void CDlgExcludeList::OnOK()
{
    m_lstExclude.clear();
    const int nCount = m_listExcluded.GetCount();
    for (int nIndex = 0; nIndex < nCount; ++nIndex)
        m_lstExclude.push_back(m_listExcluded.GetText(nIndex));
    EndDialog(IDOK);
}
