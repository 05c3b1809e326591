#include "framework/RecentFileList.h"

namespace {

std::string ValueName(size_t nIndex)
{
    return "File" + std::to_string(nIndex + 1);
}

bool SamePath(const std::string& strLeft, const std::string& strRight)
{
    return lstrcmpiA(strLeft.c_str(), strRight.c_str()) == 0;
}

// The menu and position of the command, searching the popups too.
bool FindCommand(HMENU hMenu, UINT nCommandId, HMENU& hFound, int& nPosition)
{
    const int nCount = GetMenuItemCount(hMenu);
    for (int n = 0; n < nCount; ++n) {
        if (GetMenuItemID(hMenu, n) == nCommandId) {
            hFound = hMenu;
            nPosition = n;
            return true;
        }
        HMENU hPopup = GetSubMenu(hMenu, n);
        if (hPopup && FindCommand(hPopup, nCommandId, hFound, nPosition))
            return true;
    }
    return false;
}

// "&" shows as itself in a menu only when doubled.
std::string MenuText(size_t nIndex, const std::string& strPath)
{
    std::string strText = "&" + std::to_string(nIndex + 1) + " ";
    for (char ch : strPath) {
        strText += ch;
        if (ch == '&')
            strText += '&';
    }
    return strText;
}

}  // namespace

CRecentFileList::CRecentFileList(const std::string& strKey, size_t nMaxEntries,
                                 UINT nFirstCommandId)
    : m_strKey(strKey), m_nMaxEntries(nMaxEntries), m_nFirstCommandId(nFirstCommandId)
{
}

void CRecentFileList::Load()
{
    m_entries.clear();
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, m_strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (size_t n = 0; n < m_nMaxEntries; ++n) {
        char szPath[MAX_PATH * 2] = "";
        DWORD dwType = 0;
        DWORD cbPath = sizeof(szPath) - 1;
        if (RegQueryValueExA(hKey, ValueName(n).c_str(), nullptr, &dwType,
                             reinterpret_cast<BYTE*>(szPath), &cbPath) != ERROR_SUCCESS ||
            dwType != REG_SZ)
            continue;
        szPath[cbPath] = 0;
        if (*szPath)
            m_entries.push_back(szPath);
    }
    RegCloseKey(hKey);
}

void CRecentFileList::Save() const
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return;
    for (size_t n = 0; n < m_nMaxEntries; ++n) {
        if (n < m_entries.size()) {
            const std::string& strPath = m_entries[n];
            RegSetValueExA(hKey, ValueName(n).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(strPath.c_str()),
                           static_cast<DWORD>(strPath.size() + 1));
        } else {
            RegDeleteValueA(hKey, ValueName(n).c_str());
        }
    }
    RegCloseKey(hKey);
}

void CRecentFileList::Add(const std::string& strPath)
{
    for (size_t n = 0; n < m_entries.size(); ++n) {
        if (SamePath(m_entries[n], strPath)) {
            m_entries.erase(m_entries.begin() + n);
            break;
        }
    }
    m_entries.insert(m_entries.begin(), strPath);
    if (m_entries.size() > m_nMaxEntries)
        m_entries.resize(m_nMaxEntries);
}

void CRecentFileList::Remove(size_t nIndex)
{
    if (nIndex < m_entries.size())
        m_entries.erase(m_entries.begin() + nIndex);
}

std::string CRecentFileList::EntryOfCommand(UINT nCommandId) const
{
    if (nCommandId < m_nFirstCommandId)
        return std::string();
    const size_t nIndex = nCommandId - m_nFirstCommandId;
    return nIndex < m_entries.size() ? m_entries[nIndex] : std::string();
}

void CRecentFileList::UpdateMenu(HMENU hMenu) const
{
    HMENU hFileMenu;
    int nPosition;
    if (!FindCommand(hMenu, m_nFirstCommandId, hFileMenu, nPosition))
        return;
    for (size_t n = 0; n < m_nMaxEntries; ++n)
        DeleteMenu(hFileMenu, static_cast<UINT>(m_nFirstCommandId + n), MF_BYCOMMAND);
    if (m_entries.empty()) {
        InsertMenuA(hFileMenu, nPosition, MF_BYPOSITION | MF_STRING | MF_GRAYED,
                    m_nFirstCommandId, "Recent File");
        return;
    }
    for (size_t n = 0; n < m_entries.size(); ++n)
        InsertMenuA(hFileMenu, static_cast<UINT>(nPosition + n), MF_BYPOSITION | MF_STRING,
                    m_nFirstCommandId + n, MenuText(n, m_entries[n]).c_str());
}
