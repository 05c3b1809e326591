#include "cleaner/shell/LogList.h"

#include <climits>
#include <utility>

namespace {

// Sent to the list by whichever thread logs: the waiting lines are due.
const UINT WM_INSERTWAITINGLINES = WM_APP + 0x4C;

}  // namespace

void CLogList::Attach(HWND hList)
{
    m_list.Attach(hList);
    SetWindowLongPtrA(hList, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CLogList::ListProc)));
    SetLogSink(this);
}

void CLogList::Detach()
{
    if (m_list.GetHwnd()) {
        SetLogSink(nullptr);
        if (m_list.IsWindow()) {
            SetWindowLongPtrA(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnListProc));
            SetWindowLongPtrA(m_list, GWLP_USERDATA, 0);
        }
    }
    m_list.Attach(nullptr);
    std::lock_guard<std::mutex> lock(m_waitingLock);
    m_waiting.clear();
}

void CLogList::Clear() const
{
    {
        std::lock_guard<std::mutex> lock(m_waitingLock);
        m_waiting.clear();
    }
    m_list.DeleteAllItems();
}

void CLogList::AddLine(uint32_t nImage, const char* pszLine)
{
    if (!m_list.IsWindow())
        return;
    {
        std::lock_guard<std::mutex> lock(m_waitingLock);
        m_waiting.push_back({nImage, pszLine});
    }
    if (!m_bRedrawHeld) {
        ShowWaitingLines();
        return;
    }

    // While a clean holds repainting, the list shows its progress at most
    // once per interval.
    const std::time_t now = std::time(nullptr);
    if (now - m_tLastRedraw >= m_nRedrawInterval) {
        ShowWaitingLines();
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        ShowNewestLine();
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
    ShowWaitingLines();
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_bRedrawHeld = false;
    ShowNewestLine();
    Redraw();
}

LRESULT CALLBACK CLogList::ListProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    const CLogList* pThis = reinterpret_cast<CLogList*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (uMessage == WM_INSERTWAITINGLINES) {
        pThis->InsertWaitingLines();
        return 0;
    }
    return CallWindowProcA(pThis->m_pfnListProc, hWnd, uMessage, wParam, lParam);
}

void CLogList::ShowWaitingLines() const
{
    m_list.SendMessage(WM_INSERTWAITINGLINES);
}

void CLogList::InsertWaitingLines() const
{
    std::vector<Line> lines;
    {
        std::lock_guard<std::mutex> lock(m_waitingLock);
        lines.swap(m_waiting);
    }
    if (lines.empty())
        return;
    int nLast = -1;
    for (const Line& line : lines) {
        // Past the end is the end: the new index tells the count without asking.
        nLast = m_list.InsertItem(INT_MAX, line.strText.c_str(), static_cast<int>(line.nImage));
        if (nLast + 1 > kMaxLines) {
            m_list.DeleteItem(0);
            --nLast;
        }
    }
    m_list.SetItemState(nLast, LVIS_SELECTED, LVIS_SELECTED);
    m_list.EnsureVisible(nLast);
}

// A list that does not repaint does not scroll either: the lines that went
// in meanwhile left it where it was.
void CLogList::ShowNewestLine() const
{
    const int nCount = m_list.GetItemCount();
    if (nCount > 0)
        m_list.EnsureVisible(nCount - 1);
}

void CLogList::Redraw() const
{
    RedrawWindow(m_list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
