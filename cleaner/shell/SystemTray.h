// The cleaner's icon in the notification area of the taskbar. A right click
// opens the tray menu, a double click runs its default command; both reach
// the target window as commands.
#pragma once

#include "framework/Window.h"

#include <shellapi.h>

class CSystemTray : public CCustomWindow {
public:
    CSystemTray();
    ~CSystemTray() override;

    // Adds the icon; nIconId is also the resource id of the tray menu.
    bool Create(HWND hParent, UINT uCallbackMessage, const char* pszTip, HICON hIcon, UINT nIconId,
                bool bHidden = false);
    bool SetIcon(HICON hIcon);
    bool SetIcon(UINT nIconResourceId);
    bool RemoveIcon();
    bool SetMenuDefaultItem(UINT uItem, bool bByPosition);
    // The window that receives the commands; none: the application's main window.
    void SetTargetWnd(HWND hTarget) { m_hTargetWnd = hTarget; }
    LRESULT OnTrayNotification(WPARAM wIconId, LPARAM lMouseMessage);
    // Adds the icon again after the taskbar was (re)created.
    void InstallIconPending();

    bool IsVisibleInTray() const { return !m_bHidden; }

private:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HWND Target() const;

    NOTIFYICONDATAA m_data;
    bool m_bEnabled = false;
    bool m_bHidden = true;
    bool m_bRemoved = true;
    HWND m_hTargetWnd = nullptr;
    UINT m_DefaultMenuItemID = 0;
    bool m_DefaultMenuItemByPos = true;
    UINT m_uCreationFlags = 0;
};
