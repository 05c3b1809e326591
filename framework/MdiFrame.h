// The main window of a multi-document program: the client window that holds
// the document windows, a toolbar above it and a status bar below it. The
// status bar shows the prompt of the command under the mouse or the menu
// cursor, and the state of the Caps Lock, Num Lock and Scroll Lock keys.
#pragma once

#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "framework/Window.h"

class CMdiChild;

class CMdiFrame : public CCustomWindow {
public:
    // Creates the frame with its client window; the Window menu lists the
    // document windows, whose ids start at nFirstChildId.
    bool Create(const char* pszClassName, const char* pszTitle, DWORD dwStyle, HMENU hMenu,
                HMENU hWindowMenu, UINT nFirstChildId);

    HWND GetClient() const { return m_hClient; }
    // The active document window; null when none is open.
    CMdiChild* GetActiveChild() const;
    bool HasChildren() const;
    // Puts a menu on the frame; its Window menu gets the list of windows.
    void SetMenu(HMENU hMenu, HMENU hWindowMenu);

    CToolBar& GetToolBar() { return m_toolBar; }
    CStatusBar& GetStatusBar() { return m_statusBar; }
    // Makes the bars: a toolbar from the toolbar resource with its images,
    // and a status bar whose indicators are the ids of the strings "CAP",
    // "NUM" and "SCRL", shown while their keys are on.
    bool CreateBars(UINT nToolBarId, HIMAGELIST hImages, UINT nIdleMessageId,
                    const UINT (&indicatorIds)[3]);
    void ShowBar(CWindow& bar, bool bShow);
    // The bars and the client window placed in the frame's client area.
    void RecalcLayout();

protected:
    // A command that the active document window left; true when handled.
    virtual bool OnCommand(WORD wId);
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowPrompt(UINT nCommandId);
    void UpdateIndicators();

    HWND m_hClient = nullptr;
    HMENU m_hInitialMenu = nullptr;
    HMENU m_hInitialWindowMenu = nullptr;
    UINT m_nFirstChildId = 0;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    UINT m_nIdleMessageId = 0;
    UINT m_indicatorIds[3] = {};
};

// The prompt of a command: the part before "\n" of its string resource.
std::string CommandPrompt(UINT nCommandId);
