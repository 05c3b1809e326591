#include "cleaner/plugins/PagePlugins.h"

#include "cleaner/model/ActionEnabling.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/plugins/PluginLoading.h"
#include "cleaner/plugins/PluginReach.h"
#include "cleaner/plugins/RuleImport.h"
#include "cleaner/shell/Addresses.h"
#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "framework/FileDialog.h"

#include <algorithm>
#include <vector>

namespace {

StringVector ChoosePluginFiles(HWND hOwner)
{
    return ChooseFilesToOpen(hOwner, "Plug-ins and rule files (*.pld;*.ini)\0*.pld;*.ini\0"
                                     "Plug-ins (*.pld)\0*.pld\0"
                                     "Rule files (*.ini)\0*.ini\0"
                                     "All files (*.*)\0*.*\0");
}

bool IsCheckedState(UINT uState)
{
    return (uState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

bool IsNewlySelected(const NMLISTVIEW& change)
{
    return (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
           !(change.uOldState & LVIS_SELECTED);
}

// The plugin identifiers as the list shows them: by name whatever its case,
// which the manager's byte order is not ("Zip" before "archive").
StringVector SortedPluginIds(const CActionManager& manager)
{
    StringVector ids;
    manager.GetPluginIds(ids);
    std::stable_sort(ids.begin(), ids.end(), [](const std::string& strLeft,
                                                const std::string& strRight) {
        return lstrcmpiA(strLeft.c_str(), strRight.c_str()) < 0;
    });
    return ids;
}

std::string FileNameOf(const std::string& strPath)
{
    const size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// What became of a rule file: its counts, or why it could not be read, and
// the first of the parts it left out.
std::string ImportMessage(const std::string& strFile, const ImportReport& report)
{
    if (!report.bRead)
        return report.strError + "\r\n";
    std::string strText = FileNameOf(strFile) + ": " + report.Summary() + ".\r\n";
    const size_t kMaxLines = 8;
    size_t nSkipped = 0;
    for (const std::string& strLine : report.vecLines) {
        if (strLine.compare(0, 8, "Skipped ") != 0 && strLine.compare(0, 5, "Line ") != 0)
            continue;
        if (++nSkipped <= kMaxLines)
            strText += strLine + "\r\n";
    }
    if (nSkipped > kMaxLines)
        strText += "And " + std::to_string(nSkipped - kMaxLines) + " more left out.\r\n";
    return strText;
}

}  // namespace

CPagePlugins::CPagePlugins(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_PLUGINS, "plugins.htm", manager, hBackground),
      m_pfnChooseFiles(ChoosePluginFiles)
{
}

bool CPagePlugins::OnInitDialog()
{
    m_list.Attach(GetItem(IDC_PLUGINS_LIST));
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // Both columns fit beside the scroll bar that a long list brings.
    RECT client;
    ::GetClientRect(m_list, &client);
    const int cxColumns = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const int cxCategory = cxColumns / 3;
    m_list.InsertColumn(0, "Name", cxColumns - cxCategory);
    m_list.InsertColumn(1, "Category", cxCategory);
    // Filling ticks the enabled plugins; none of that is the user's doing.
    FillList();
    m_bInitialized = true;
    return true;
}

void CPagePlugins::FillList()
{
    m_bPageTicking = true;
    // Hundreds of plugins come in one import: the rows go in without a
    // repaint each and into room made for all of them at once.
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    const StringVector ids = SortedPluginIds(m_manager);
    m_list.SetItemCount(int(ids.size()), 0);
    m_categories.clear();
    std::vector<const CAction*> actions;
    actions.reserve(ids.size());
    for (const std::string& strId : ids) {
        const ActionMap::const_iterator found = m_manager.m_actions.find(strId);
        const CAction* pAction = found == m_manager.m_actions.end() ? nullptr : &found->second;
        const int nItem =
            m_list.InsertItem(m_list.GetItemCount(), strId.c_str(), 0, LPARAM(m_categories.size()));
        if (nItem < 0)
            continue;
        const bool bGrouped = pAction && !pAction->strCategory.empty();
        m_categories.push_back(bGrouped ? pAction->strCategory : "Other");
        m_list.SetItemText(nItem, 1, m_categories.back().c_str());
        actions.push_back(pAction);
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(m_list, nullptr, TRUE);
    // Ticked with the list drawn, as a warning plugin may ask over it.
    for (int nItem = 0; nItem < int(actions.size()); ++nItem) {
        if (actions[nItem])
            m_list.SetCheck(nItem, actions[nItem]->bEnabled);
    }
    m_bPageTicking = false;
    if (m_nSortColumn != 0 || m_bDescending)
        SortList();
}

void CPagePlugins::OnColumnClick(int nColumn)
{
    m_bDescending = nColumn == m_nSortColumn && !m_bDescending;
    m_nSortColumn = nColumn;
    SortList();
}

void CPagePlugins::SortList()
{
    m_list.SortItems(CompareRows, reinterpret_cast<LPARAM>(this));
    const int nSelected = m_list.GetSelectedItem();
    if (nSelected >= 0)
        m_list.EnsureVisible(nSelected);
}

int CALLBACK CPagePlugins::CompareRows(LPARAM lLeft, LPARAM lRight, LPARAM lPage)
{
    const CPagePlugins& page = *reinterpret_cast<const CPagePlugins*>(lPage);
    int nOrder = 0;
    if (page.m_nSortColumn == 1)
        nOrder = lstrcmpiA(page.m_categories[lLeft].c_str(), page.m_categories[lRight].c_str());
    // Rows were filled by name.
    if (nOrder == 0)
        nOrder = lLeft < lRight ? -1 : lLeft > lRight ? 1 : 0;
    return page.m_bDescending ? -nOrder : nOrder;
}

CAction* CPagePlugins::FindAction(int nItem)
{
    const ActionMap::iterator found = m_manager.m_actions.find(m_list.GetItemText(nItem));
    return found == m_manager.m_actions.end() ? nullptr : &found->second;
}

bool CPagePlugins::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_PLUGINS_LIST)
        return false;
    const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_ITEMCHANGED)
        OnItemChanged(change);
    else if (header.code == LVN_COLUMNCLICK)
        OnColumnClick(change.iSubItem);
    else
        return false;
    result = 0;
    return true;
}

void CPagePlugins::OnItemChanged(const NMLISTVIEW& change)
{
    // Only a box that has just been ticked asks; a selection moving over a
    // ticked plugin does not.
    const bool bTicked = (change.uChanged & LVIF_STATE) && IsCheckedState(change.uNewState) &&
                         !IsCheckedState(change.uOldState);
    CAction* pAction = change.iItem >= 0 ? FindAction(change.iItem) : nullptr;
    // A plugin ticked by hand becomes the selected one, so that what it
    // reaches is in view while its question is asked.
    if (m_bInitialized && bTicked && !m_bPageTicking)
        m_list.SetItemState(change.iItem, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
    if (m_bInitialized && bTicked && pAction && !pAction->bWarned)
        m_list.SetCheck(change.iItem, SetActionEnabled(*pAction, true, true));
    // Only another selection changes the details: "Select All" over
    // hundreds of plugins does not describe the selected one again for each.
    if (IsNewlySelected(change))
        ShowSelectedDetails();
}

void CPagePlugins::ShowSelectedDetails()
{
    const int nItem = m_list.GetSelectedItem();
    const CAction* pAction = nItem >= 0 ? FindAction(nItem) : nullptr;
    if (!pAction)
        return;
    // Below the author's own words, what the plugin reaches beyond them and
    // everything it removes.
    const CGeneralSettings& settings = m_manager.GetSettings();
    SetItemText(IDC_PLUGINS_DESCRIPTION,
                PluginDetailsText(pAction->strDescription, DescribePluginReach(*pAction, settings),
                                  DescribePluginTargets(*pAction, settings)));
    const HICON hIcon =
        LoadIconA(nullptr, pAction->dwWarningLevel == WL_WARNING ? IDI_EXCLAMATION
                                                                 : IDI_INFORMATION);
    if (hIcon != m_hShownIcon) {
        m_hShownIcon = hIcon;
        InvalidateRect(GetItem(IDC_PLUGINS_ICON), nullptr, TRUE);
    }
}

bool CPagePlugins::OnCommand(WORD wId, WORD, HWND)
{
    switch (wId) {
    case IDC_PLUGINS_SELECT_ALL:
        CheckAll(true);
        return true;
    case IDC_PLUGINS_UNSELECT_ALL:
        CheckAll(false);
        return true;
    case IDC_PLUGINS_IMPORT:
        OnImport();
        return true;
    case IDC_PLUGINS_CHECK_FOR_NEW:
        OpenAddress(VELTRIN_PLUGINS_URL);
        return true;
    default:
        return false;
    }
}

void CPagePlugins::CheckAll(bool bCheck)
{
    // Each tick goes through the item-changed handling, so a warning
    // plugin asks as it would when ticked by hand.
    m_bPageTicking = true;
    const int nCount = m_list.GetItemCount();
    for (int nItem = 0; nItem < nCount; ++nItem)
        m_list.SetCheck(nItem, bCheck);
    m_bPageTicking = false;
}

void CPagePlugins::OnImport()
{
    const StringVector files = m_pfnChooseFiles(m_hWnd);
    if (files.empty())
        return;
    const std::string strFolder = GetPluginFolder();
    std::string strRuleReport;
    for (const std::string& strFile : files) {
        if (IsRuleFile(strFile)) {
            strRuleReport += ImportMessage(
                strFile, ImportIntoPluginFolder(strFile, strFolder, m_manager.GetSettings()));
            continue;
        }
        // A file that cannot be copied is left out; the reload below shows
        // what the folder really holds.
        CopyFileA(strFile.c_str(), (strFolder + "\\" + FileNameOf(strFile)).c_str(), FALSE);
    }

    const int nSelected = m_list.GetSelectedItem();
    const std::string strSelected = nSelected >= 0 ? m_list.GetItemText(nSelected) : "";
    m_manager.LoadPlugins();
    FillList();
    // The plugin that was selected stays selected, with the description of
    // its new file.
    const int nCount = m_list.GetItemCount();
    for (int nItem = 0; nItem < nCount && !strSelected.empty(); ++nItem) {
        if (m_list.GetItemText(nItem) == strSelected) {
            m_list.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED,
                                LVIS_SELECTED | LVIS_FOCUSED);
            m_list.EnsureVisible(nItem);
            break;
        }
    }
    ShowSelectedDetails();
    if (!strRuleReport.empty())
        ShowMessageBox(strRuleReport, "Import Plug-Ins", MBS_OK | MBS_ICON_INFORMATION, nullptr);
}

bool CPagePlugins::Apply()
{
    const int nCount = m_list.GetItemCount();
    for (int nItem = 0; nItem < nCount; ++nItem) {
        if (CAction* pAction = FindAction(nItem))
            pAction->bEnabled = m_list.GetCheck(nItem);
    }
    return true;
}

bool CPagePlugins::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (uMsg == WM_DRAWITEM && wParam == IDC_PLUGINS_ICON) {
        DrawIconFrame(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return COptionPage::OnMessage(uMsg, wParam, lParam, result);
}

void CPagePlugins::DrawIconFrame(const DRAWITEMSTRUCT& item) const
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!m_hShownIcon)
        return;
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    DrawIcon(item.hDC, (item.rcItem.left + item.rcItem.right - cxIcon) / 2,
             (item.rcItem.top + item.rcItem.bottom - cyIcon) / 2, m_hShownIcon);
}
