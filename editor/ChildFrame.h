// A plugin window: a document window of the editor's frame that holds one
// view of a plugin. It keeps its height and grows only in width.
#pragma once

#include "framework/MdiChild.h"

#include <string>

class CViewKT;

// Posted to the main frame when a plugin window has ended.
const UINT WM_PLUGIN_WINDOW_CLOSED = WM_APP + 20;

class CChildFrame : public CMdiChild {
public:
    // Creates the window, 685 x 480 pixels, without a maximize box.
    bool Create(HWND hClient, const std::string& strTitle);

    void SetView(CViewKT* pView) { m_pView = pView; }
    CViewKT* GetView() const { return m_pView; }

    // The "Tools" menu: the active plugin window's document is the plugin.
    bool OnCommand(WORD wId) override;

    int m_cxLast = 0;
    int m_cyLast = 0;
    int m_cxMin = 685;
    int m_cyMin = 480;

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnSize(int cx, int cy);

    CViewKT* m_pView = nullptr;
};
