// The activity log of the main window: the list where the engine's lines
// appear, newest last, at most 8192 of them.
#pragma once

#include "cleaner/engine/Log.h"
#include "framework/ListView.h"

#include <ctime>

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
    void Clear() const { m_list.DeleteAllItems(); }

    // Called by the engine, on the thread of the clean, under the log's lock.
    void AddLine(uint32_t nImage, const char* pszLine) override;
    void HoldRedraw() override;
    void ReleaseRedraw() override;

    int m_nRedrawInterval = 1;  // seconds between repaints while redraw is held
    std::time_t m_tLastRedraw = 0;
    int m_nForcedRedraws = 0;   // repaints that the interval let through

private:
    void Redraw() const;

    CListView m_list;
    bool m_bRedrawHeld = false;
};
