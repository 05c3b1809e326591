// The activity log of the main window: the list where the engine's lines
// appear, newest last, at most 8192 of them.
#pragma once

#include "cleaner/engine/Log.h"
#include "framework/ListView.h"

#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

class CLogList : public ILogSink {
public:
    static const int kMaxLines = 8192;

    CLogList() = default;
    ~CLogList() { Detach(); }
    CLogList(const CLogList&) = delete;
    CLogList& operator=(const CLogList&) = delete;

    // Shows the engine's lines in the list from now on.
    void Attach(HWND hList);
    // Lines are dropped again.
    void Detach();
    // Also drops the lines that wait for the next repaint.
    void Clear() const;

    // Called by the engine, on the thread of the clean, under the log's lock.
    void AddLine(uint32_t nImage, const char* pszLine) override;
    void HoldRedraw() override;
    void ReleaseRedraw() override;

    int m_nRedrawInterval = 1;  // seconds between repaints while redraw is held
    std::time_t m_tLastRedraw = 0;
    int m_nForcedRedraws = 0;   // repaints that the interval let through

private:
    struct Line {
        uint32_t nImage;
        std::string strText;
    };

    static LRESULT CALLBACK ListProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam);
    // Has the list's thread put the waiting lines into the list.
    void ShowWaitingLines() const;
    // On the list's thread: the waiting lines go in, the last one selected and shown.
    void InsertWaitingLines() const;
    // Scrolls the newest line into view; the list must be repainting.
    void ShowNewestLine() const;
    void Redraw() const;

    CListView m_list;
    WNDPROC m_pfnListProc = nullptr;
    bool m_bRedrawHeld = false;
    // While repainting is held nobody sees the list, so lines wait here until
    // the next repaint and then go in at once on the list's own thread: from
    // the clean's thread every list operation is a message to another thread.
    // Clearing runs on the list's thread without the log's lock.
    mutable std::mutex m_waitingLock;
    mutable std::vector<Line> m_waiting;
};
