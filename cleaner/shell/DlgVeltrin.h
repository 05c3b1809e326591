// The cleaner's main window: the enabled actions, the activity log, the
// menu and toolbar that start and stop a clean, and the tray icon.
#pragma once

#include "cleaner/engine/StopRequest.h"
#include "cleaner/shell/LogList.h"
#include "cleaner/shell/SystemTray.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListView.h"
#include "framework/ToolBar.h"

class CActionManager;

// Sent by the clean's thread when a clean has finished (not when stopped).
const UINT WM_FINISHPLAY = 0x66;
const UINT WM_SHOW_TRAY_MENU = 0x67;
const UINT kTrayCallbackMessage = 40101;

class CDlgVeltrin : public CDialog {
public:
    explicit CDlgVeltrin(CActionManager& manager);
    ~CDlgVeltrin() override;

    bool IsCleaning() const { return m_hCleanThread != nullptr; }
    void FillFeatures();
    void ClearLog() const { m_logList.Clear(); }

    CListView m_listFeatures;
    CListView m_listLog;
    CSystemTray m_trayIcon;
    CToolBar m_wndToolBar;
    HANDLE m_hCleanThread = nullptr;
    HICON m_hIcon = nullptr;
    bool m_bShutdownAfterFinish = false;
    bool m_bAlreadyStartedAtShutdown = false;
    int m_cxLast = 0;
    int m_cyLast = 0;
    CLogList m_logList;  // the engine's sink; holds the redraw interval

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(UINT uType, int cx, int cy) override;
    void OnOK() override {}
    void OnCancel() override;
    void OnDestroy() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CreateToolBar();
    void SetUpList(CListView& list, const char* pszColumn, UINT nImagesId);
    void PublishWindow() const;

    void OnStart();
    void OnAnalyze();
    // Starts a clean, or with bPreview its preview, on the worker thread,
    // unless the guard, an open editor or a running walk forbids it.
    void StartWalk(bool bPreview);
    void OnStop();
    void OnFinishPlay();
    void RunEditor(CDialog& editor);
    void CloseEditor();
    void OnSettings();
    void OnAbout();
    void OnWizard();
    void OnHelp();
    void OnCompanyWebsite();
    void OnCheckForUpdates();
    void OnProblemReport();
    void OnShowTrayMenu();
    bool OnClose();
    bool OnQueryEndSession();
    void ContinueShutdown();
    static DWORD WINAPI CleanThreadProc(LPVOID pParameter);

    CActionManager& m_manager;
    CStopRequest m_stop;
    bool m_bPreviewRun = false;  // the worker previews rather than cleans
    int m_nStopWaits = 0;  // Stops waiting for the clean's thread, nested ones included
    CDialog* m_pOpenEditor = nullptr;  // the open settings dialog or wizard
    CImageList m_toolbarImages;
    CImageList m_toolbarHotImages;
    CImageList m_toolbarDisabledImages;
};

// The one main window, while it exists.
extern CDlgVeltrin* g_pMainDlg;
