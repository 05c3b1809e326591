#include "framework/MdiFrame.h"

#include "framework/MdiChild.h"

namespace {

const UINT kToolBarId = 0xE800;
const UINT kStatusBarId = 0xE801;
const UINT_PTR kIndicatorTimer = 1;
const int kIndicatorKeys[3] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};

std::string LoadText(UINT nId)
{
    char szText[512];
    const int cch = LoadStringA(GetResourceInstance(), nId, szText, sizeof(szText));
    return cch > 0 ? std::string(szText, cch) : std::string();
}

}  // namespace

std::string CommandPrompt(UINT nCommandId)
{
    const std::string strText = LoadText(nCommandId);
    return strText.substr(0, strText.find('\n'));
}

bool CMdiFrame::Create(const char* pszClassName, const char* pszTitle, DWORD dwStyle,
                       HMENU hMenu, HMENU hWindowMenu, UINT nFirstChildId)
{
    m_hInitialMenu = hMenu;
    m_hInitialWindowMenu = hWindowMenu;
    m_nFirstChildId = nFirstChildId;
    if (!RegisterWindowClass(pszClassName, CS_HREDRAW | CS_VREDRAW))
        return false;
    return CreateWindowExA(0, pszClassName, pszTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetResourceInstance(),
                           this) != nullptr;
}

CMdiChild* CMdiFrame::GetActiveChild() const
{
    if (!m_hClient)
        return nullptr;
    HWND hActive = reinterpret_cast<HWND>(::SendMessageA(m_hClient, WM_MDIGETACTIVE, 0, 0));
    return hActive ? dynamic_cast<CMdiChild*>(CCustomWindow::FromHandle(hActive)) : nullptr;
}

bool CMdiFrame::HasChildren() const
{
    return m_hClient && ::SendMessageA(m_hClient, WM_MDIGETACTIVE, 0, 0) != 0;
}

void CMdiFrame::SetMenu(HMENU hMenu, HMENU hWindowMenu)
{
    ::SendMessageA(m_hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                   reinterpret_cast<LPARAM>(hWindowMenu));
    DrawMenuBar(m_hWnd);
}

bool CMdiFrame::CreateBars(UINT nToolBarId, HIMAGELIST hImages, UINT nIdleMessageId,
                           const UINT (&indicatorIds)[3])
{
    const DWORD dwToolBarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_TOP | CCS_NODIVIDER;
    if (!m_toolBar.Create(m_hWnd, dwToolBarStyle, kToolBarId) || !m_toolBar.LoadToolBar(nToolBarId))
        return false;
    m_toolBar.SetImageList(hImages);
    if (!m_statusBar.Create(m_hWnd, kStatusBarId))
        return false;
    m_nIdleMessageId = nIdleMessageId;
    for (int n = 0; n < 3; ++n)
        m_indicatorIds[n] = indicatorIds[n];
    m_statusBar.SetPaneText(0, LoadText(m_nIdleMessageId));
    SetTimer(m_hWnd, kIndicatorTimer, 250, nullptr);
    RecalcLayout();
    return true;
}

void CMdiFrame::ShowBar(CWindow& bar, bool bShow)
{
    bar.Show(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CMdiFrame::RecalcLayout()
{
    RECT rect = GetClientRect();
    if (m_toolBar.GetHwnd()) {
        m_toolBar.SendMessage(TB_AUTOSIZE);
        if (m_toolBar.IsVisible())
            rect.top += m_toolBar.GetWindowRect().bottom - m_toolBar.GetWindowRect().top;
    }
    if (m_statusBar.GetHwnd()) {
        m_statusBar.SendMessage(WM_SIZE);
        const RECT bar = m_statusBar.GetWindowRect();
        // The indicators keep their width at the right end.
        const int cxIndicator = 48;
        const int cx = rect.right;
        const int edges[4] = {cx - 3 * cxIndicator - 16, cx - 2 * cxIndicator - 16,
                              cx - cxIndicator - 16, -1};
        m_statusBar.SetParts(4, edges);
        if (m_statusBar.IsVisible())
            rect.bottom -= bar.bottom - bar.top;
        UpdateIndicators();
    }
    if (m_hClient)
        ::MoveWindow(m_hClient, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom > rect.top ? rect.bottom - rect.top : 0, TRUE);
}

void CMdiFrame::ShowPrompt(UINT nCommandId)
{
    if (!m_statusBar.GetHwnd())
        return;
    const std::string strPrompt = nCommandId ? CommandPrompt(nCommandId) : std::string();
    m_statusBar.SetPaneText(0, strPrompt.empty() && !nCommandId ? LoadText(m_nIdleMessageId)
                                                                : strPrompt);
}

void CMdiFrame::UpdateIndicators()
{
    for (int n = 0; n < 3; ++n) {
        const bool bOn = (GetKeyState(kIndicatorKeys[n]) & 1) != 0;
        const std::string strText = bOn ? LoadText(m_indicatorIds[n]) : std::string();
        if (m_statusBar.GetPaneText(n + 1) != strText)
            m_statusBar.SetPaneText(n + 1, strText);
    }
}

bool CMdiFrame::OnCommand(WORD)
{
    return false;
}

bool CMdiFrame::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (uMsg) {
    case WM_CREATE: {
        // Document windows get the styles they ask for, not a fixed set.
        CLIENTCREATESTRUCT client = {m_hInitialWindowMenu, m_nFirstChildId};
        m_hClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                        WS_VISIBLE | MDIS_ALLCHILDSTYLES,
                                    0, 0, 0, 0, m_hWnd, nullptr, GetResourceInstance(), &client);
        if (!m_hClient) {
            result = -1;
            return true;
        }
        ::SetMenu(m_hWnd, m_hInitialMenu);
        return false;
    }
    case WM_SIZE:
        RecalcLayout();
        // The client window is placed here, not by the default procedure.
        result = 0;
        return true;
    case WM_COMMAND: {
        const WORD wId = LOWORD(wParam);
        // Controls' notifications belong to the window that has them.
        if (lParam && HIWORD(wParam) != 0)
            return false;
        CMdiChild* pChild = GetActiveChild();
        if (pChild && pChild->OnCommand(wId))
            return true;
        return OnCommand(wId);
    }
    case WM_MENUSELECT:
        // A closed menu shows the idle text again.
        if (HIWORD(wParam) == 0xFFFF && lParam == 0)
            ShowPrompt(0);
        else if (!(HIWORD(wParam) & (MF_POPUP | MF_SEPARATOR)))
            ShowPrompt(LOWORD(wParam));
        return false;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == TTN_GETDISPINFOA) {
            static std::string s_strTip;
            s_strTip = CommandTip(static_cast<UINT>(header.idFrom));
            reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(s_strTip.c_str());
            return true;
        }
        if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == m_toolBar.GetHwnd()) {
            const NMTBHOTITEM& hot = *reinterpret_cast<const NMTBHOTITEM*>(lParam);
            ShowPrompt(hot.dwFlags & HICF_LEAVING ? 0 : hot.idNew);
            return false;
        }
        return false;
    }
    case WM_TIMER:
        if (wParam != kIndicatorTimer)
            return false;
        UpdateIndicators();
        return true;
    case WM_DESTROY:
        KillTimer(m_hWnd, kIndicatorTimer);
        return false;
    default:
        return false;
    }
}

LRESULT CMdiFrame::DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(m_hWnd, m_hClient, uMsg, wParam, lParam);
}
