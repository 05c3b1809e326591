#include "editor/MainFrame.h"

#include "common/ProgramPath.h"
#include "editor/ChildFrame.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"
#include "framework/Dialog.h"
#include "framework/HtmlHelp.h"

#include <commdlg.h>

#include <algorithm>

namespace {

const char kRecentFileKey[] =
    "Software\\Local AppWizard-Generated Applications\\Actsmith\\Recent File List";
const size_t kRecentFiles = 4;

bool SamePath(const std::string& strLeft, const std::string& strRight)
{
    return lstrcmpiA(strLeft.c_str(), strRight.c_str()) == 0;
}

std::string FullPath(const std::string& strPath)
{
    char szFull[MAX_PATH * 2];
    const DWORD cch = GetFullPathNameA(strPath.c_str(), sizeof(szFull), szFull, nullptr);
    return cch > 0 && cch < sizeof(szFull) ? std::string(szFull, cch) : strPath;
}

std::string SystemMessage(DWORD dwError)
{
    char szText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError,
                   0, szText, sizeof(szText), nullptr);
    std::string strText = szText;
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r'))
        strText.pop_back();
    return strText;
}

// The popup of the menu that lists the windows: the one with "Cascade".
HMENU WindowMenuOf(HMENU hMenu)
{
    const int nCount = GetMenuItemCount(hMenu);
    for (int n = 0; n < nCount; ++n) {
        HMENU hPopup = GetSubMenu(hMenu, n);
        if (hPopup && GetMenuState(hPopup, ID_WINDOW_CASCADE, MF_BYCOMMAND) != UINT(-1))
            return hPopup;
    }
    return nullptr;
}

}  // namespace

CMainFrame::CPluginWindow::~CPluginWindow()
{
    pView.reset();
    pFrame.reset();
}

CMainFrame::CMainFrame() : m_recentFiles(kRecentFileKey, kRecentFiles, ID_FILE_MRU_FILE1) {}

CMainFrame::~CMainFrame()
{
    if (IsWindow())
        Destroy();
    m_windows.clear();
    m_documents.clear();
}

std::string CMainFrame::HelpPrefix()
{
    const std::string strProgram = GetProgramPath();
    return strProgram.substr(0, strProgram.find_last_of('\\') + 1) + "Veltrin.chm::/htm/";
}

bool CMainFrame::Create(int nCmdShow)
{
    m_strings.Load(IDR_PLUGIN_TYPE);
    if (!m_menuNoDocument.Load(IDR_MAINFRAME) || !m_menuDocument.Load(IDR_PLUGIN_TYPE))
        return false;
    m_recentFiles.Load();
    UpdateMenus();
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_MAXIMIZE;
    if (!CMdiFrame::Create("ActsmithFrame", "Actsmith", dwStyle, m_menuNoDocument.GetHandle(),
                           nullptr, ID_FIRST_MDI_CHILD))
        return false;
    const HICON hIcon = LoadIcon(GetResourceInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
    SetIcon(hIcon, true);
    SetIcon(hIcon, false);
    m_toolBarImages.CreateFromBitmap(IDB_TOOLBAR, 16, 16, RGB(255, 0, 255), 6);
    const UINT indicators[3] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!CreateBars(IDR_MAINFRAME, m_toolBarImages.GetHandle(), IDS_IDLE_MESSAGE, indicators))
        return false;
    Show(nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE ? nCmdShow : SW_SHOWMAXIMIZED);
    UpdateWindow(m_hWnd);
    return true;
}

CDocKT* CMainFrame::NewDocument()
{
    m_documents.emplace_back(new CDocKT);
    CDocKT& document = *m_documents.back();
    document.SetTitle(m_strings.strFileNewName + std::to_string(++m_nNewDocuments));
    if (!OpenWindow(document)) {
        m_documents.pop_back();
        return nullptr;
    }
    return &document;
}

CDocKT* CMainFrame::OpenDocumentFile(const std::string& strPath)
{
    const std::string strFull = FullPath(strPath);
    for (const std::unique_ptr<CPluginWindow>& pWindow : m_windows) {
        CDocKT& open = pWindow->pView->GetDocument();
        if (SamePath(open.GetPathName(), strFull)) {
            ::SendMessageA(GetClient(), WM_MDIACTIVATE,
                           reinterpret_cast<WPARAM>(pWindow->pFrame->GetHwnd()), 0);
            return &open;
        }
    }
    std::unique_ptr<CDocKT> pDocument(new CDocKT);
    if (!pDocument->OnOpenDocument(strFull)) {
        const std::string strText =
            "Cannot open the file " + strFull + ".\r\n" + SystemMessage(GetLastError());
        MessageBoxA(m_hWnd, strText.c_str(), "Actsmith", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    m_documents.push_back(std::move(pDocument));
    CDocKT& document = *m_documents.back();
    if (!OpenWindow(document)) {
        m_documents.pop_back();
        return nullptr;
    }
    m_recentFiles.Add(strFull);
    m_recentFiles.Save();
    UpdateMenus();
    return &document;
}

bool CMainFrame::SaveDocument(CDocKT& document, const std::string& strPath)
{
    std::string strTarget = strPath.empty() ? document.GetPathName() : FullPath(strPath);
    if (strTarget.empty()) {
        strTarget = AskFileToSave(m_hWnd, m_strings, document.GetTitle());
        if (strTarget.empty())
            return false;
    }
    if (!document.OnSaveDocument(strTarget)) {
        const std::string strText =
            "Cannot save the file " + strTarget + ".\r\n" + SystemMessage(GetLastError());
        MessageBoxA(m_hWnd, strText.c_str(), "Actsmith", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // A document that could not write itself has said so and keeps its name.
    if (!SamePath(document.GetPathName(), strTarget))
        return false;
    m_recentFiles.Add(strTarget);
    m_recentFiles.Save();
    UpdateMenus();
    UpdateTitles();
    return true;
}

void CMainFrame::CloseDocument(CDocKT& document)
{
    for (const std::unique_ptr<CPluginWindow>& pWindow : m_windows) {
        if (&pWindow->pView->GetDocument() == &document && pWindow->pFrame->IsWindow())
            ::SendMessageA(GetClient(), WM_MDIDESTROY,
                           reinterpret_cast<WPARAM>(pWindow->pFrame->GetHwnd()), 0);
    }
    RemoveClosedWindows();
}

CChildFrame* CMainFrame::GetActiveFrame() const
{
    return dynamic_cast<CChildFrame*>(GetActiveChild());
}

CDocKT* CMainFrame::GetActiveDocument() const
{
    CChildFrame* pFrame = GetActiveFrame();
    return pFrame && pFrame->GetView() ? &pFrame->GetView()->GetDocument() : nullptr;
}

CChildFrame* CMainFrame::OpenWindow(CDocKT& document)
{
    std::unique_ptr<CPluginWindow> pWindow(new CPluginWindow);
    pWindow->pFrame.reset(new CChildFrame);
    if (!pWindow->pFrame->Create(GetClient(), document.GetTitle()))
        return nullptr;
    pWindow->pView.reset(new CViewKT(document));
    if (!pWindow->pView->Create(*pWindow->pFrame)) {
        pWindow.reset();
        return nullptr;
    }
    m_windows.push_back(std::move(pWindow));
    UpdateMenus();
    UpdateTitles();
    return m_windows.back()->pFrame.get();
}

// Plugin windows end by themselves (their close box, Ctrl+F4); the objects
// of those that ended go here, and so do documents left without a window.
void CMainFrame::RemoveClosedWindows()
{
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                                   [](const std::unique_ptr<CPluginWindow>& pWindow) {
                                       return !pWindow->pFrame->IsWindow();
                                   }),
                    m_windows.end());
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(),
                                     [](const std::unique_ptr<CDocKT>& pDocument) {
                                         return pDocument->GetViews().empty();
                                     }),
                      m_documents.end());
    UpdateMenus();
    UpdateTitles();
}

void CMainFrame::UpdateTitles()
{
    for (const std::unique_ptr<CDocKT>& pDocument : m_documents) {
        const std::vector<CView*>& views = pDocument->GetViews();
        for (size_t n = 0; n < views.size(); ++n) {
            CViewKT* pView = static_cast<CViewKT*>(views[n]);
            std::string strTitle = pDocument->GetTitle();
            if (views.size() > 1)
                strTitle += ":" + std::to_string(n + 1);
            for (const std::unique_ptr<CPluginWindow>& pWindow : m_windows) {
                if (pWindow->pView.get() == pView && pWindow->pFrame->IsWindow())
                    pWindow->pFrame->SetText(strTitle);
            }
        }
    }
}

void CMainFrame::UpdateMenus()
{
    m_recentFiles.UpdateMenu(m_menuNoDocument.GetHandle());
    m_recentFiles.UpdateMenu(m_menuDocument.GetHandle());
    if (!m_hWnd)
        return;
    const bool bDocument = !m_windows.empty();
    HMENU hWanted = bDocument ? m_menuDocument.GetHandle() : m_menuNoDocument.GetHandle();
    if (GetMenu(m_hWnd) != hWanted)
        SetMenu(hWanted, bDocument ? WindowMenuOf(hWanted) : nullptr);
    DrawMenuBar(m_hWnd);
}

bool CMainFrame::OnCommand(WORD wId)
{
    CDocKT* pDocument = GetActiveDocument();
    if (wId >= ID_FILE_MRU_FILE1 && wId < ID_FILE_MRU_FILE1 + kRecentFiles) {
        OnRecentFile(wId);
        return true;
    }
    switch (wId) {
    case ID_FILE_NEW:
        NewDocument();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_SAVE:
        if (pDocument)
            SaveDocument(*pDocument, std::string());
        return true;
    case ID_FILE_SAVE_AS:
        if (pDocument) {
            const std::string strName = pDocument->GetPathName().empty()
                                            ? pDocument->GetTitle()
                                            : pDocument->GetPathName();
            const std::string strPath = AskFileToSave(m_hWnd, m_strings, strName);
            if (!strPath.empty())
                SaveDocument(*pDocument, strPath);
        }
        return true;
    case ID_FILE_CLOSE:
        if (pDocument)
            CloseDocument(*pDocument);
        return true;
    case ID_FILE_PRINT_SETUP:
        OnPrintSetup();
        return true;
    case ID_APP_EXIT:
        PostMessage(WM_CLOSE);
        return true;
    case ID_APP_ABOUT:
        OnAbout();
        return true;
    case ID_HELP:
        OnHelp();
        return true;
    case ID_VIEW_TOOLBAR:
        ShowBar(GetToolBar(), !GetToolBar().IsVisible());
        return true;
    case ID_VIEW_STATUS_BAR:
        ShowBar(GetStatusBar(), !GetStatusBar().IsVisible());
        return true;
    case ID_WINDOW_NEW:
        if (pDocument)
            OpenWindow(*pDocument);
        return true;
    case ID_WINDOW_CASCADE:
        ::SendMessageA(GetClient(), WM_MDICASCADE, 0, 0);
        return true;
    case ID_WINDOW_TILE_HORZ:
        ::SendMessageA(GetClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return true;
    case ID_WINDOW_ARRANGE:
        ::SendMessageA(GetClient(), WM_MDIICONARRANGE, 0, 0);
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileOpen()
{
    const std::string strPath = AskFileToOpen(m_hWnd, m_strings);
    if (!strPath.empty())
        OpenDocumentFile(strPath);
}

// A recent file that cannot be opened any more leaves the list.
void CMainFrame::OnRecentFile(WORD wId)
{
    const std::string strPath = m_recentFiles.EntryOfCommand(wId);
    if (strPath.empty() || OpenDocumentFile(strPath))
        return;
    m_recentFiles.Remove(wId - ID_FILE_MRU_FILE1);
    m_recentFiles.Save();
    UpdateMenus();
}

void CMainFrame::OnPrintSetup()
{
    PRINTDLGA print = {};
    print.lStructSize = sizeof(print);
    print.hwndOwner = m_hWnd;
    print.Flags = PD_PRINTSETUP;
    if (PrintDlgA(&print)) {
        if (print.hDevMode)
            GlobalFree(print.hDevMode);
        if (print.hDevNames)
            GlobalFree(print.hDevNames);
    }
}

void CMainFrame::OnAbout()
{
    CDialog about(IDD_ABOUTBOX);
    about.DoModal(m_hWnd);
}

void CMainFrame::OnHelp()
{
    ShowHelpTopic(m_hWnd, HelpPrefix() + "actsmith.htm");
}

void CMainFrame::OnInitMenuPopup(HMENU hMenu)
{
    CheckMenuItem(hMenu, ID_VIEW_TOOLBAR,
                  MF_BYCOMMAND | (GetToolBar().IsVisible() ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(hMenu, ID_VIEW_STATUS_BAR,
                  MF_BYCOMMAND | (GetStatusBar().IsVisible() ? MF_CHECKED : MF_UNCHECKED));
}

bool CMainFrame::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (uMsg) {
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return false;
    case WM_PLUGIN_WINDOW_CLOSED:
        RemoveClosedWindows();
        return true;
    case WM_DESTROY:
        // The menus are the frame's objects, not the window's.
        ::SetMenu(m_hWnd, nullptr);
        return CMdiFrame::OnMessage(uMsg, wParam, lParam, result);
    default:
        return CMdiFrame::OnMessage(uMsg, wParam, lParam, result);
    }
}
