#include "cleaner/shell/SystemTray.h"

#include "framework/Menu.h"

#include <cstring>

namespace {

// The classic record, without the balloon fields, which every shell takes.
const DWORD kClassicRecordSize = 88;

const UINT g_uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

}  // namespace

CSystemTray::CSystemTray()
{
    std::memset(&m_data, 0, sizeof(m_data));
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
}

bool CSystemTray::Create(HWND hParent, UINT uCallbackMessage, const char* pszTip, HICON hIcon,
                         UINT nIconId, bool bHidden)
{
    m_bEnabled = LOBYTE(LOWORD(GetVersion())) >= 4;
    if (!m_bEnabled)
        return false;
    if (!CCustomWindow::Create("VeltrinTrayWindow", 0, WS_POPUP, 0, nullptr))
        return false;

    std::memset(&m_data, 0, sizeof(m_data));
    m_data.cbSize = kClassicRecordSize;
    m_data.hWnd = hParent && ::IsWindow(hParent) ? hParent : m_hWnd;
    m_data.uID = nIconId;
    m_data.hIcon = hIcon;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = uCallbackMessage;
    lstrcpynA(m_data.szTip, pszTip, 64);

    m_uCreationFlags = m_data.uFlags;
    m_bHidden = bHidden;
    if (bHidden)
        return true;
    // A failed first add (no taskbar yet) is made good when the taskbar
    // announces itself; only RemoveIcon keeps the icon away for good.
    const bool bAdded = Shell_NotifyIconA(NIM_ADD, &m_data) != FALSE;
    m_bHidden = !bAdded;
    m_bRemoved = false;
    return bAdded;
}

bool CSystemTray::SetIcon(HICON hIcon)
{
    if (!m_bEnabled)
        return false;
    m_data.uFlags = NIF_ICON;
    m_data.hIcon = hIcon;
    if (m_bHidden)
        return true;
    return Shell_NotifyIconA(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::SetIcon(UINT nIconResourceId)
{
    HICON hIcon = static_cast<HICON>(LoadImageA(GetResourceInstance(),
                                                MAKEINTRESOURCEA(nIconResourceId), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    return hIcon && SetIcon(hIcon);
}

bool CSystemTray::RemoveIcon()
{
    if (!m_bEnabled || m_bRemoved)
        return true;
    m_data.uFlags = 0;
    if (!Shell_NotifyIconA(NIM_DELETE, &m_data))
        return false;
    m_bHidden = m_bRemoved = true;
    return true;
}

bool CSystemTray::SetMenuDefaultItem(UINT uItem, bool bByPosition)
{
    if (m_DefaultMenuItemID == uItem && m_DefaultMenuItemByPos == bByPosition)
        return true;
    m_DefaultMenuItemID = uItem;
    m_DefaultMenuItemByPos = bByPosition;
    CMenu menu;
    if (!menu.Load(m_data.uID))
        return false;
    HMENU hPopup = menu.GetSubMenu(0);
    return hPopup && ::SetMenuDefaultItem(hPopup, uItem, bByPosition);
}

HWND CSystemTray::Target() const
{
    if (m_hTargetWnd)
        return m_hTargetWnd;
    const CApplication* pApplication = CApplication::Get();
    return pApplication ? pApplication->GetMainWindow() : nullptr;
}

LRESULT CSystemTray::OnTrayNotification(WPARAM wIconId, LPARAM lMouseMessage)
{
    if (wIconId != m_data.uID)
        return 0;
    const HWND hTarget = Target();
    if (!hTarget)
        return 0;

    if (LOWORD(lMouseMessage) == WM_RBUTTONUP) {
        CMenu menu;
        if (!menu.Load(m_data.uID))
            return 0;
        HMENU hPopup = menu.GetSubMenu(0);
        if (!hPopup)
            return 0;
        ::SetMenuDefaultItem(hPopup, m_DefaultMenuItemID, m_DefaultMenuItemByPos);
        POINT cursor;
        GetCursorPos(&cursor);
        SetForegroundWindow(hTarget);
        TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hTarget,
                       nullptr);
        // Without it the menu may not close when the user clicks elsewhere.
        ::PostMessageA(hTarget, WM_NULL, 0, 0);
        return 1;
    }
    if (LOWORD(lMouseMessage) == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(hTarget);
        UINT uCommand = m_DefaultMenuItemID;
        if (m_DefaultMenuItemByPos) {
            CMenu menu;
            if (!menu.Load(m_data.uID))
                return 0;
            uCommand = GetMenuItemID(menu.GetSubMenu(0), m_DefaultMenuItemID);
        }
        ::SendMessageA(hTarget, WM_COMMAND, uCommand, 0);
        return 1;
    }
    return 1;
}

void CSystemTray::InstallIconPending()
{
    if (!m_bEnabled || m_bRemoved)
        return;
    m_data.uFlags = m_uCreationFlags;
    // The icon may still be there (the work area changed): add it afresh.
    Shell_NotifyIconA(NIM_DELETE, &m_data);
    m_bHidden = !Shell_NotifyIconA(NIM_ADD, &m_data);
}

bool CSystemTray::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (uMsg == m_data.uCallbackMessage && m_data.uCallbackMessage != 0) {
        result = OnTrayNotification(wParam, lParam);
        return true;
    }
    if (uMsg == g_uTaskbarCreated || (uMsg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA)) {
        InstallIconPending();
        result = 0;
        return true;
    }
    return false;
}
