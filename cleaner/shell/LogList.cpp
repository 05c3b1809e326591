#include "cleaner/shell/LogList.h"

void CLogList::Attach(HWND hList)
{
    m_list.Attach(hList);
    SetLogSink(this);
}

void CLogList::Detach()
{
    if (m_list.GetHwnd())
        SetLogSink(nullptr);
    m_list.Attach(nullptr);
}

void CLogList::AddLine(uint32_t nImage, const char* pszLine)
{
    if (!m_list.IsWindow())
        return;
    const int nItem = m_list.InsertItem(m_list.GetItemCount(), pszLine, static_cast<int>(nImage));
    int nLast = nItem;
    if (m_list.GetItemCount() > kMaxLines) {
        m_list.DeleteItem(0);
        --nLast;
    }
    m_list.SetItemState(nLast, LVIS_SELECTED, LVIS_SELECTED);
    m_list.EnsureVisible(nLast);

    // While a clean holds repainting, the list shows its progress at most
    // once per interval.
    const std::time_t now = std::time(nullptr);
    if (m_bRedrawHeld && now - m_tLastRedraw >= m_nRedrawInterval) {
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        Redraw();
        m_list.SendMessage(WM_SETREDRAW, FALSE);
        m_tLastRedraw = now;
        ++m_nForcedRedraws;
    }
}

void CLogList::HoldRedraw()
{
    if (!m_list.IsWindow())
        return;
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_bRedrawHeld = true;
}

void CLogList::ReleaseRedraw()
{
    if (!m_list.IsWindow())
        return;
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_bRedrawHeld = false;
    Redraw();
}

void CLogList::Redraw() const
{
    RedrawWindow(m_list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
