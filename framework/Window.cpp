#include "framework/Window.h"

#include <vector>

std::string CWindow::GetText() const
{
    const int cch = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> text(cch + 1);
    const int cchCopied = ::GetWindowTextA(m_hWnd, text.data(), cch + 1);
    return std::string(text.data(), cchCopied > 0 ? cchCopied : 0);
}

RECT CWindow::GetClientRect() const
{
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWindow::GetWindowRect() const
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWindow::GetRectInParent() const
{
    RECT rect = GetWindowRect();
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

CCustomWindow::~CCustomWindow()
{
    if (IsWindow())
        Destroy();
}

bool CCustomWindow::RegisterWindowClass(const char* pszClassName, UINT uClassStyle,
                                        HBRUSH hBackground)
{
    const HINSTANCE hInstance = GetResourceInstance();
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(hInstance, pszClassName, &windowClass))
        return true;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = uClassStyle;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = hBackground;
    windowClass.lpszClassName = pszClassName;
    return RegisterClassExA(&windowClass) != 0;
}

bool CCustomWindow::Create(const char* pszClassName, UINT uClassStyle, DWORD dwStyle,
                           DWORD dwExStyle, HWND hParent, const char* pszTitle)
{
    const HINSTANCE hInstance = GetResourceInstance();
    if (!RegisterWindowClass(pszClassName, uClassStyle))
        return false;
    return CreateWindowExA(dwExStyle, pszClassName, pszTitle, dwStyle, 0, 0, 0, 0, hParent,
                           nullptr, hInstance, this) != nullptr;
}

bool CCustomWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CCustomWindow::DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
}

CCustomWindow* CCustomWindow::FromHandle(HWND hWnd)
{
    WNDPROC pfnProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (pfnProcedure != WindowProc)
        return nullptr;
    return reinterpret_cast<CCustomWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

LRESULT CALLBACK CCustomWindow::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CCustomWindow* pWindow;
    if (uMsg == WM_NCCREATE) {
        // A document window is created by its frame's client window, which
        // passes the object inside its own creation record.
        const CREATESTRUCTA& create = *reinterpret_cast<CREATESTRUCTA*>(lParam);
        pWindow = static_cast<CCustomWindow*>(
            create.dwExStyle & WS_EX_MDICHILD
                ? reinterpret_cast<void*>(
                      static_cast<MDICREATESTRUCTA*>(create.lpCreateParams)->lParam)
                : create.lpCreateParams);
        pWindow->m_hWnd = hWnd;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWindow));
    } else {
        pWindow = reinterpret_cast<CCustomWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    }
    if (!pWindow)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);

    LRESULT result = 0;
    const bool bHandled = pWindow->OnMessage(uMsg, wParam, lParam, result);
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        pWindow->m_hWnd = nullptr;
        NoteWindowEnded(hWnd);
    }
    if (bHandled)
        return result;
    // The default of a window whose object is gone already.
    if (uMsg == WM_NCDESTROY)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    return pWindow->DefaultProc(uMsg, wParam, lParam);
}

CApplication* CApplication::s_pApplication = nullptr;

CApplication::CApplication()
{
    s_pApplication = this;
}

CApplication::~CApplication()
{
    s_pApplication = nullptr;
}

int CApplication::Run(HINSTANCE hInstance, const char* pszCommandLine)
{
    m_hInstance = hInstance;
    m_strCommandLine = pszCommandLine ? pszCommandLine : "";
    if (!InitInstance())
        return m_nExitCode;
    return RunMessageLoop();
}

HINSTANCE GetResourceInstance()
{
    const CApplication* pApplication = CApplication::Get();
    if (pApplication && pApplication->GetInstance())
        return pApplication->GetInstance();
    return GetModuleHandleA(nullptr);
}

namespace {

// The keyboard of a modeless dialog (Tab, Enter, Escape) works only when
// the loop hands its messages to the dialog first.
bool IsDialogKeyboardMessage(MSG& msg)
{
    const HWND hActive = GetActiveWindow();
    char szClass[8];
    return hActive && GetClassNameA(hActive, szClass, sizeof(szClass)) &&
           lstrcmpA(szClass, "#32770") == 0 && IsDialogMessageA(hActive, &msg);
}

}  // namespace

bool CApplication::PreTranslateMessage(MSG& msg)
{
    return IsDialogKeyboardMessage(msg);
}

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        CApplication* pApplication = CApplication::Get();
        if (pApplication ? pApplication->PreTranslateMessage(msg) : IsDialogKeyboardMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void NoteWindowEnded(HWND hWnd)
{
    CApplication* pApplication = CApplication::Get();
    if (pApplication && pApplication->GetMainWindow() == hWnd) {
        pApplication->SetMainWindow(nullptr);
        PostQuitMessage(0);
    }
}
