#include "editor/ChildFrame.h"

#include "editor/DocKT.h"
#include "editor/PluginInstall.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"

bool CChildFrame::Create(HWND hClient, const std::string& strTitle)
{
    const DWORD dwStyle = (WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS |
                           WS_CLIPCHILDREN) &
                          ~WS_MAXIMIZEBOX;
    return CMdiChild::Create(hClient, "ActsmithPluginWindow", strTitle.c_str(), dwStyle,
                             m_cxMin, m_cyMin);
}

bool CChildFrame::OnCommand(WORD wId)
{
    switch (wId) {
    case ID_TOOLS_REGEDIT:
        LaunchRegedit();
        return true;
    case ID_TOOLS_INSTALL:
        if (m_pView)
            InstallPlugin(m_hWnd, m_pView->GetDocument().GetPathName());
        return true;
    default:
        return false;
    }
}

bool CChildFrame::OnMessage(UINT uMsg, WPARAM, LPARAM lParam, LRESULT&)
{
    switch (uMsg) {
    case WM_GETMINMAXINFO:
        if (m_cxMin > 0 && m_cyMin > 0) {
            MINMAXINFO& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMinTrackSize = {m_cxMin, m_cyMin};
            limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXSCREEN), m_cyMin};
        }
        return false;
    case WM_SIZE:
        if (LOWORD(lParam) != 0 && HIWORD(lParam) != 0)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        // The document window's own handling of the size follows.
        return false;
    case WM_DESTROY:
        ::PostMessageA(GetAncestor(m_hWnd, GA_ROOT), WM_PLUGIN_WINDOW_CLOSED, 0, 0);
        return false;
    case WM_SETFOCUS:
        if (m_pView)
            SetFocus(m_pView->GetTree());
        return false;
    default:
        return false;
    }
}

void CChildFrame::OnSize(int cx, int cy)
{
    if (m_pView) {
        m_pView->Move(0, 0, cx, cy);
        m_pView->Relayout(cx - m_cxLast, cy - m_cyLast);
    }
    m_cxLast = cx;
    m_cyLast = cy;
}
