#include "cleaner/shell/DlgVeltrin.h"

#include "cleaner/model/ActionManager.h"
#include "cleaner/shell/DlgAbout.h"
#include "cleaner/shell/DlgProblemReport.h"
#include "cleaner/shell/DlgSettings.h"
#include "cleaner/shell/DlgWizard.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/ShellOptions.h"
#include "cleaner/shell/Trace.h"
#include "cleaner/shell/UpdateCheck.h"
#include "cleaner/shell/resource.h"
#include "common/ProgramPath.h"
#include "common/RegistryKeys.h"
#include "framework/Menu.h"

#include <string>

CDlgVeltrin* g_pMainDlg = nullptr;

namespace {

const UINT kToolBarId = 0xE800;
const COLORREF kToolbarBackground = RGB(192, 192, 192);
const COLORREF kToolbarMask = RGB(212, 208, 200);
const COLORREF kListMask = RGB(255, 0, 255);
const int kMinTrackWidth = 485;
const int kMinTrackHeight = 300;
const char kWaitForClean[] =
    "A clean is running. The settings can be changed when it has finished or been stopped.";
const char kCloseEditorFirst[] = "Close the settings window before you start a clean.";

void SetRegistryNumber(HKEY hKey, const char* pszName, DWORD dwValue)
{
    RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                   sizeof(dwValue));
}

// Grows or moves a child by the change of the window's size.
void Reshape(HWND hChild, int dxMove, int dxGrow, int dyGrow)
{
    const CWindow child(hChild);
    if (!child.GetHwnd())
        return;
    const RECT rect = child.GetRectInParent();
    child.Move(rect.left + dxMove, rect.top, rect.right - rect.left + dxGrow,
               rect.bottom - rect.top + dyGrow);
}

}  // namespace

CDlgVeltrin::CDlgVeltrin(CActionManager& manager)
    : CDialog(IDD_VELTRIN_DIALOG), m_manager(manager)
{
    m_hIcon = LoadIconA(GetResourceInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CDlgVeltrin::~CDlgVeltrin()
{
    // Destroyed here, while this class's handlers still answer: its
    // OnDestroy stops a running clean and takes the log sink back.
    if (IsWindow())
        Destroy();
}

bool CDlgVeltrin::OnInitDialog()
{
    TraceToFile("-------------", true, false);
    m_listFeatures.Attach(GetItem(IDC_LIST_FEATURES));
    m_listLog.Attach(GetItem(IDC_LIST_LOG));
    g_pMainDlg = this;

    char szAbout[256];
    if (LoadStringA(GetResourceInstance(), IDS_ABOUTBOX, szAbout, sizeof(szAbout)) > 0) {
        HMENU hSystemMenu = GetSystemMenu(m_hWnd, FALSE);
        AppendMenuA(hSystemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hSystemMenu, MF_STRING, IDM_ABOUTBOX, szAbout);
    }
    SetIcon(m_hIcon, true);

    CreateToolBar();
    SetUpList(m_listLog, "Message", IDB_LOG_IMAGES);
    SetUpList(m_listFeatures, "Features", IDB_FEATURE_IMAGES);
    m_logList.Attach(m_listLog);
    FillFeatures();
    // Sizes seen from now on change the layout.
    const RECT client = GetClientRect();
    m_cxLast = client.right;
    m_cyLast = client.bottom;

    HICON hTrayIcon = LoadIconA(GetResourceInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_trayIcon.SetTargetWnd(m_hWnd);
    m_trayIcon.Create(nullptr, kTrayCallbackMessage, "Veltrin Pro", hTrayIcon, IDR_TRAYMENU);
    m_trayIcon.SetMenuDefaultItem(ID_TRAY_OPEN, false);
    m_trayIcon.SetIcon(IDI_TRAY);

    SetText(kProductName);
    PublishWindow();
    return true;
}

void CDlgVeltrin::CreateToolBar()
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                          TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER;
    if (!m_wndToolBar.Create(m_hWnd, dwStyle, kToolBarId) || !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return;
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    m_toolbarImages.CreateFromBitmap(IDB_TOOLBAR, 50, 36, kToolbarMask, 5, kToolbarBackground,
                                     crFace);
    m_toolbarHotImages.CreateFromBitmap(IDB_TOOLBAR_HOT, 50, 36, kToolbarMask, 5);
    m_toolbarDisabledImages.CreateFromBitmap(IDB_TOOLBAR, 50, 36, kToolbarMask, 5,
                                             kToolbarBackground, crFace);
    m_wndToolBar.SetImageList(m_toolbarImages.GetHandle());
    m_wndToolBar.SetHotImageList(m_toolbarHotImages.GetHandle());
    m_wndToolBar.SetDisabledImageList(m_toolbarDisabledImages.GetHandle());

    const RECT client = GetClientRect();
    m_wndToolBar.Move(client.left + 5, client.top, client.right - client.left - 310,
                      m_wndToolBar.GetFixedHeight() + 6);
}

void CDlgVeltrin::SetUpList(CListView& list, const char* pszColumn, UINT nImagesId)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const RECT rect = list.GetWindowRect();
    list.InsertColumn(0, pszColumn, rect.right - rect.left - 20);
    // The list destroys its image list with itself.
    CImageList images;
    if (images.CreateFromBitmap(nImagesId, 16, 16, kListMask, 6))
        list.SetImageList(images.Detach(), LVSIL_SMALL);
}

void CDlgVeltrin::FillFeatures()
{
    m_listFeatures.DeleteAllItems();
    for (const auto& entry : m_manager.m_actions) {
        if (entry.second.bEnabled)
            m_listFeatures.InsertItem(m_listFeatures.GetItemCount(),
                                      entry.second.strTitle.c_str(), 1);
    }
}

// Lets other programs find the window and start a clean or the settings.
void CDlgVeltrin::PublishWindow() const
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return;
    SetRegistryNumber(hKey, "hWnd", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_hWnd)));
    const std::string strExe = GetProgramPath();
    RegSetValueExA(hKey, "strExe", 0, REG_SZ, reinterpret_cast<const BYTE*>(strExe.c_str()),
                   static_cast<DWORD>(strExe.size() + 1));
    SetRegistryNumber(hKey, "dwStartMess", ID_ACTION_START);
    SetRegistryNumber(hKey, "dwSettingsMess", ID_OPTIONS_SETTINGS);
    RegCloseKey(hKey);
}

bool CDlgVeltrin::OnCommand(WORD wId, WORD, HWND)
{
    switch (wId) {
    case ID_ACTION_START:
        OnStart();
        return true;
    case ID_ACTION_STOP:
        OnStop();
        return true;
    case ID_ACTION_ANALYZE:
        OnAnalyze();
        return true;
    case ID_OPTIONS_CLEARLOG:
        ClearLog();
        return true;
    case ID_HELP:
        OnHelp();
        return true;
    case ID_HELP_COMPANYWEBSITE:
        OnCompanyWebsite();
        return true;
    case ID_APP_ABOUT:
        OnAbout();
        return true;
    case ID_TRAY_OPEN:
        Show(SW_SHOW);
        SetForegroundWindow(m_hWnd);
        return true;
    case ID_TRAY_EXIT:
        if (m_pOpenEditor) {
            // The program ends once the open dialog has returned.
            CloseEditor();
            PostMessage(WM_COMMAND, ID_TRAY_EXIT);
            return true;
        }
        Destroy();
        return true;
    case ID_OPTIONS_SETTINGS:
    case ID_TRAY_SETTINGS:
        OnSettings();
        return true;
    case ID_ACTION_WIZARD:
        OnWizard();
        return true;
    case ID_OPTIONS_PROBLEMREPORT:
        OnProblemReport();
        return true;
    case ID_HELP_CHECKFORUPDATES:
        OnCheckForUpdates();
        return true;
    default:
        return false;
    }
}

bool CDlgVeltrin::OnNotify(const NMHDR& header, LRESULT&)
{
    if (header.code != TTN_GETDISPINFOA)
        return false;
    // The toolbar's tool tips: the second part of the command's prompt.
    static std::string s_strTip;
    NMTTDISPINFOA& info = *reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header));
    s_strTip = CommandTip(static_cast<UINT>(header.idFrom));
    info.lpszText = const_cast<char*>(s_strTip.c_str());
    return true;
}

// The controls follow the window's edges: the lists and the toolbar grow,
// the picture keeps to the right.
void CDlgVeltrin::OnSize(UINT, int cx, int cy)
{
    if (cx == 0 || cy == 0)
        return;
    const int dx = cx - m_cxLast;
    const int dy = cy - m_cyLast;
    if (m_listLog.GetHwnd()) {
        Reshape(m_listFeatures, 0, dx, 0);
        Reshape(GetItem(IDC_BANNER), dx, 0, 0);
        Reshape(m_listLog, 0, dx, dy);
        Reshape(m_wndToolBar, 0, dx, 0);
        m_listFeatures.SetColumnWidth(0, m_listFeatures.GetColumnWidth(0) + dx);
        m_listLog.SetColumnWidth(0, m_listLog.GetColumnWidth(0) + dx);
    }
    m_cxLast = cx;
    m_cyLast = cy;
}

void CDlgVeltrin::OnStart()
{
    StartWalk(false);
}

// A preview walks as a clean does, under the same conditions, and changes
// nothing.
void CDlgVeltrin::OnAnalyze()
{
    StartWalk(true);
}

void CDlgVeltrin::StartWalk(bool bPreview)
{
    // A clean must not read actions that a window is halfway through changing.
    if (m_pOpenEditor) {
        MessageBoxA(m_pOpenEditor->GetHwnd(), kCloseEditorFirst, kProductName,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string strMessage;
    if (!m_manager.CheckRunningApplications(strMessage)) {
        MessageBoxA(m_hWnd, strMessage.c_str(), kProductName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (ClearsLogAt(CLF_AT_START))
        ClearLog();
    if (m_hCleanThread)
        return;
    m_stop.Clear();
    m_bPreviewRun = bPreview;
    DWORD dwThreadId;
    m_hCleanThread = CreateThread(nullptr, 0, CleanThreadProc, this, 0, &dwThreadId);
}

DWORD WINAPI CDlgVeltrin::CleanThreadProc(LPVOID pParameter)
{
    CDlgVeltrin& dialog = *static_cast<CDlgVeltrin*>(pParameter);
    // At shutdown the other programs get a moment to end first.
    if (dialog.m_bShutdownAfterFinish) {
        for (int nWait = 0; nWait < 30 && !dialog.m_stop.IsRequested(); ++nWait)
            Sleep(100);
    }
    if (dialog.m_stop.IsRequested())
        return 0;
    const bool bCompleted = dialog.m_bPreviewRun ? dialog.m_manager.RunPreview(dialog.m_stop)
                                                 : dialog.m_manager.RunCleaning(dialog.m_stop);
    if (bCompleted)
        ::SendMessageA(dialog.m_hWnd, WM_FINISHPLAY, 0, 0);
    return 0;
}

void CDlgVeltrin::OnFinishPlay()
{
    // A clean that finished just as Stop was chosen: the Stop, which waits
    // for the thread, lets it go.
    if (m_hCleanThread && m_nStopWaits == 0) {
        CloseHandle(m_hCleanThread);
        m_hCleanThread = nullptr;
    }
    TraceToFile("OnFinishPlay()", false, false);
    ContinueShutdown();
}

// Ends the clean at its next step and returns once its thread has ended.
// The clean's thread may be waiting for this thread to show a line, so
// messages sent to this thread are served meanwhile. Until the thread has
// ended the clean counts as running: a Start sent meanwhile must not undo
// the stop or begin a second clean, and the settings must not open under it.
void CDlgVeltrin::OnStop()
{
    const HANDLE hThread = m_hCleanThread;
    if (!hThread)
        return;
    m_stop.Request();
    ++m_nStopWaits;
    while (MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    // A Stop served during the wait (Exit, say) waited for the same thread;
    // the outermost one lets it go.
    if (--m_nStopWaits == 0) {
        CloseHandle(hThread);
        m_hCleanThread = nullptr;
    }
    // A clean started for the shutdown that is stopped does not restart
    // the computer later.
    m_bShutdownAfterFinish = false;
}

// Runs a dialog that changes the actions, unless a clean is reading them
// or such a dialog is already open; then refills the Features list.
void CDlgVeltrin::RunEditor(CDialog& editor)
{
    if (m_pOpenEditor) {
        SetForegroundWindow(m_pOpenEditor->GetHwnd());
        return;
    }
    if (IsCleaning()) {
        MessageBoxA(m_hWnd, kWaitForClean, kProductName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_pOpenEditor = &editor;
    editor.DoModal(m_hWnd);
    m_pOpenEditor = nullptr;
    FillFeatures();
}

void CDlgVeltrin::OnSettings()
{
    CDlgSettings settings(m_manager);
    RunEditor(settings);
}

// Closes an open settings dialog or wizard the way its close button does,
// which applies what it shows; the dialog's own loop ends afterwards.
void CDlgVeltrin::CloseEditor()
{
    if (!m_pOpenEditor)
        return;
    CDialog* pEditor = m_pOpenEditor;
    m_pOpenEditor = nullptr;
    pEditor->SendMessage(WM_COMMAND, IDCANCEL);
}

void CDlgVeltrin::OnAbout()
{
    CDlgAbout about;
    about.DoModal(m_hWnd);
}

// The wizard changes the actions in place, which a running clean reads.
void CDlgVeltrin::OnWizard()
{
    CDlgWizard wizard(m_manager);
    RunEditor(wizard);
}

void CDlgVeltrin::OnHelp()
{
    ShowHelpPage("aboutveltrin2.htm");
}

void CDlgVeltrin::OnCompanyWebsite()
{
    OpenAddress(kCompanyWebsite);
}

void CDlgVeltrin::OnCheckForUpdates()
{
    CheckForUpdates(m_hWnd, g_strVersion);
}

void CDlgVeltrin::OnProblemReport()
{
    CDlgProblemReport report;
    report.DoModal(m_hWnd);
}

void CDlgVeltrin::OnShowTrayMenu()
{
    CMenu menu;
    if (!menu.Load(IDR_TRAYMENU))
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(menu.GetSubMenu(0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                   m_hWnd, nullptr);
}

// Escape, Cancel, and a close that keeps the program in the tray.
void CDlgVeltrin::OnCancel()
{
    if (ClearsLogAt(CLF_AT_CLOSE))
        ClearLog();
    EndDialog(IDCANCEL);
}

// True when the close was handled here; false lets the dialog turn it into
// Cancel.
bool CDlgVeltrin::OnClose()
{
    if (ReadMoveToTrayOnClose())
        return false;
    Destroy();
    return true;
}

// Windows asks whether the user's work may end (log-off, shutdown, restart).
bool CDlgVeltrin::OnQueryEndSession()
{
    TraceToFile("CDlgVeltrin::OnQueryEndSession()", false, false);
    if (ClearsLogAt(CLF_AT_CLOSE))
        ClearLog();
    if (ReadRunAtShutdown() && !m_bAlreadyStartedAtShutdown) {
        CloseEditor();
        // An analysis under way gives way to the clean; its end must not
        // count as the clean's.
        if (m_bPreviewRun)
            OnStop();
        m_bShutdownAfterFinish = true;
        OnStart();
        TraceToFile("bRunBeforeShutdown && !m_bAlreadyStartedAtShutdown   ->   OnStart()", false,
                    false);
        return false;
    }
    TraceToFile("CDlgVeltrin::OnQueryEndSession() returns TRUE", false, false);
    return true;
}

// After a clean that a shutdown started, the computer restarts.
void CDlgVeltrin::ContinueShutdown()
{
    if (!m_bShutdownAfterFinish)
        return;
    TraceToFile("m_bShutdownAfterFinish == true", false, false);
    m_bShutdownAfterFinish = false;
    m_bAlreadyStartedAtShutdown = true;

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        HANDLE hToken;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                              &hToken))
            return;
        TOKEN_PRIVILEGES privileges = {};
        LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        SetLastError(ERROR_SUCCESS);
        AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, nullptr, nullptr);
        const DWORD dwError = GetLastError();
        CloseHandle(hToken);
        if (dwError != ERROR_SUCCESS)
            return;
    }
    if (!ExitWindowsEx(EWX_REBOOT, 0)) {
        char szTrace[64];
        wsprintfA(szTrace, "Error while runing ExitWindowsEx: %d", static_cast<int>(GetLastError()));
        TraceToFile(szTrace, false, false);
    }
}

void CDlgVeltrin::OnDestroy()
{
    // A clean must not outlive the list it writes to.
    OnStop();
    m_logList.Detach();
    m_trayIcon.RemoveIcon();
    if (g_pMainDlg == this)
        g_pMainDlg = nullptr;
}

bool CDlgVeltrin::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (uMsg) {
    case WM_FINISHPLAY:
        OnFinishPlay();
        return true;
    case WM_SHOW_TRAY_MENU:
        OnShowTrayMenu();
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            OnAbout();
            return true;
        }
        return false;
    case WM_PAINT:
        if (!IsIconic(m_hWnd))
            return false;
        {
            PAINTSTRUCT paint;
            HDC hDC = BeginPaint(m_hWnd, &paint);
            const RECT client = GetClientRect();
            DrawIcon(hDC, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                     (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
            EndPaint(m_hWnd, &paint);
        }
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_GETMINMAXINFO: {
        MINMAXINFO& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
        info.ptMaxTrackSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return true;
    }
    case WM_QUERYENDSESSION:
        result = OnQueryEndSession();
        return true;
    case WM_CLOSE:
        return OnClose();
    default:
        return false;
    }
}
