#include "cleaner/shell/DlgSettings.h"

#include "cleaner/shell/OptionPages.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"

namespace {

// The tree, depth first: each item's depth below the top, text, image and
// page (0 for an item that only groups others; those start expanded).
struct TreeEntry {
    int nDepth;
    const char* pszText;
    int nImage;
    UINT nPageId;
};

const TreeEntry kTree[] = {
    {0, "General", 2, IDD_PAGE_GENERAL},
    {0, "Browsers", 3, 0},
    {1, "Internet Explorer & AOL", 0, 0},
    {2, "Contents", 0, IDD_PAGE_CONTENTS},
    {2, "Cookies & index.dat", 0, IDD_PAGE_COOKIES},
    {2, "Properties (IE Only)", 0, IDD_PAGE_IE_PROPERTIES},
    {1, "Netscape & Mozilla", 0, IDD_PAGE_NETSCAPE},
    {1, "Opera", 0, IDD_PAGE_OPERA},
    {0, "System", 4, 0},
    {1, "Start Menu", 0, IDD_PAGE_START_MENU},
    {1, "Windows & Common Controls", 0, IDD_PAGE_WINDOWS},
    {1, "Network", 0, IDD_PAGE_NETWORK},
    {0, "Comunications", 5, IDD_PAGE_COMMUNICATIONS},
    {0, "Multimedia", 7, IDD_PAGE_MULTIMEDIA},
    {0, "Drive Operations", 6, IDD_PAGE_DRIVE_OPERATIONS},
    {0, "Plug-Ins", 8, IDD_PAGE_PLUGINS},
};

const COLORREF kTreeBackground = RGB(210, 225, 210);
const COLORREF kImageMask = RGB(255, 0, 255);

// A frame's text shows "&" as itself only when it is doubled.
std::string FrameText(const std::string& strText)
{
    std::string strFrame;
    for (char ch : strText) {
        strFrame += ch;
        if (ch == '&')
            strFrame += '&';
    }
    return strFrame;
}

void MoveBy(const CWindow& window, int dx, int dy, int dxGrow, int dyGrow)
{
    const RECT rect = window.GetRectInParent();
    window.Move(rect.left + dx, rect.top + dy, rect.right - rect.left + dxGrow,
                rect.bottom - rect.top + dyGrow);
}

}  // namespace

CDlgSettings::CDlgSettings(CActionManager& manager) : CDialog(IDD_SETTINGS), m_manager(manager) {}

CDlgSettings::~CDlgSettings()
{
    // The page goes before the picture it borrows.
    m_pPage.reset();
    if (IsWindow())
        Destroy();
    if (m_hBackground)
        DeleteObject(m_hBackground);
}

bool CDlgSettings::OnInitDialog()
{
    m_tree.Attach(GetItem(IDC_SETTINGS_TREE));
    if (m_treeImages.CreateFromBitmap(IDB_FEATURE_IMAGES, 16, 16, kImageMask, 9))
        m_tree.SetImageList(m_treeImages.GetHandle());
    m_tree.SetBkColor(kTreeBackground);
    BuildTree();
    m_hBackground = static_cast<HBITMAP>(LoadImageA(GetResourceInstance(),
                                                    MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND),
                                                    IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    const RECT window = GetWindowRect();
    m_initialSize = {window.right - window.left, window.bottom - window.top};
    const RECT client = GetClientRect();
    m_lastClient = {client.right, client.bottom};
    // A tree that gets the focus selects its first item, which would open
    // a page the user did not ask for.
    SetFocus(GetItem(IDCANCEL));
    return false;
}

void CDlgSettings::BuildTree()
{
    HTREEITEM parents[3] = {TVI_ROOT, nullptr, nullptr};
    for (const TreeEntry& entry : kTree) {
        HTREEITEM hItem = m_tree.InsertItem(parents[entry.nDepth], entry.pszText, entry.nImage,
                                            static_cast<LPARAM>(entry.nPageId));
        if (entry.nDepth + 1 < 3)
            parents[entry.nDepth + 1] = hItem;
    }
    // The groups open once their children are in place.
    HTREEITEM hItem = m_tree.GetRoot();
    for (const TreeEntry& entry : kTree) {
        if (entry.nPageId == 0)
            m_tree.Expand(hItem);
        hItem = m_tree.GetNextInTree(hItem);
    }
}

RECT CDlgSettings::PageArea() const
{
    const CWindow frame(GetItem(IDC_PAGE_FRAME));
    RECT area = frame.GetRectInParent();
    if (frame.IsVisible()) {
        area.left += 3;
        area.right -= 3;
        area.top += 14;
        area.bottom -= 3;
    }
    return area;
}

void CDlgSettings::ClosePage()
{
    if (!m_pPage)
        return;
    m_pPage->Apply();
    m_pPage.reset();
}

void CDlgSettings::ShowPage(HTREEITEM hItem)
{
    const RECT area = PageArea();
    ClosePage();
    const UINT nPageId = static_cast<UINT>(m_tree.GetItemData(hItem));
    m_pPage = CreateOptionPage(nPageId, m_manager, m_hBackground);
    if (m_pPage && m_pPage->Create(m_hWnd)) {
        m_pPage->Move(area.left, area.top, area.right - area.left, area.bottom - area.top);
        m_pPage->Show(SW_SHOW);
    } else {
        m_pPage.reset();
    }
    SetDlgItemTextA(m_hWnd, IDC_PAGE_FRAME, FrameText(m_tree.GetItemText(hItem)).c_str());
}

bool CDlgSettings::OnNotify(const NMHDR& header, LRESULT&)
{
    if (header.idFrom != IDC_SETTINGS_TREE || header.code != TVN_SELCHANGEDA)
        return false;
    const NMTREEVIEWA& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    ShowPage(change.itemNew.hItem);
    return true;
}

// "Close/Apply", Escape and the close box.
void CDlgSettings::OnCancel()
{
    ClosePage();
    EndDialog(IDCANCEL);
}

// The tree and the button follow the width; the page keeps its size.
void CDlgSettings::OnSize(UINT, int cx, int cy)
{
    if (cx == 0 || cy == 0 || !m_tree.GetHwnd())
        return;
    const int dx = cx - m_lastClient.cx;
    const int dy = cy - m_lastClient.cy;
    m_lastClient = {cx, cy};
    MoveBy(m_tree, 0, 0, dx, dy);
    MoveBy(CWindow(GetItem(IDCANCEL)), 0, dy, dx, 0);
    const CWindow frame(GetItem(IDC_PAGE_FRAME));
    MoveBy(frame, dx, dy, 0, 0);
    if (m_pPage) {
        // Over a visible frame the page would be drawn twice while it moves.
        const bool bHide = frame.IsVisible();
        if (bHide)
            m_pPage->Show(SW_HIDE);
        MoveBy(*m_pPage, dx, dy, 0, 0);
        if (bHide)
            m_pPage->Show(SW_SHOW);
    }
}

bool CDlgSettings::OnMessage(UINT uMsg, WPARAM, LPARAM lParam, LRESULT& result)
{
    switch (uMsg) {
    case WM_GETMINMAXINFO: {
        if (m_initialSize.cx == 0)
            return false;
        MINMAXINFO& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMinTrackSize = {m_initialSize.cx, m_initialSize.cy};
        info.ptMaxTrackSize = {GetSystemMetrics(SM_CXSCREEN), m_initialSize.cy};
        result = 0;
        return true;
    }
    case WM_HELP:
        if (m_pPage)
            ShowHelpPage(m_pPage->GetHelpPage().c_str());
        result = TRUE;
        return true;
    default:
        return false;
    }
}
