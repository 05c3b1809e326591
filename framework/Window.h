// Windows: a handle wrapper that owns nothing, windows of our own window
// classes, and the one application object of a program.
#pragma once

#include <windows.h>

#include <string>

// A window the wrapper does not own; copying it is free.
class CWindow {
public:
    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}

    HWND GetHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, uMsg, wParam, lParam);
    }
    bool PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, uMsg, wParam, lParam) != FALSE;
    }
    bool Show(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow) != FALSE; }
    bool IsVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool Destroy() { return ::DestroyWindow(m_hWnd) != FALSE; }
    bool SetText(const std::string& strText) const
    {
        return ::SetWindowTextA(m_hWnd, strText.c_str()) != FALSE;
    }
    std::string GetText() const;
    HWND GetItem(int nId) const { return ::GetDlgItem(m_hWnd, nId); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window's rectangle in the client coordinates of its parent.
    RECT GetRectInParent() const;
    bool Move(int x, int y, int cx, int cy, bool bRepaint = true) const
    {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint) != FALSE;
    }
    bool SetPos(HWND hAfter, int x, int y, int cx, int cy, UINT uFlags) const
    {
        return ::SetWindowPos(m_hWnd, hAfter, x, y, cx, cy, uFlags) != FALSE;
    }
    HICON SetIcon(HICON hIcon, bool bBig) const
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, bBig ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }

protected:
    HWND m_hWnd;
};

// A window of a class of our own, whose messages reach the object. The
// object must outlive its window.
class CCustomWindow : public CWindow {
public:
    CCustomWindow() = default;
    virtual ~CCustomWindow();
    CCustomWindow(const CCustomWindow&) = delete;
    CCustomWindow& operator=(const CCustomWindow&) = delete;

    // Registers the class on first use and creates the window.
    bool Create(const char* pszClassName, UINT uClassStyle, DWORD dwStyle, DWORD dwExStyle,
                HWND hParent, const char* pszTitle = "");

    // The object of a window of one of our classes; null for other windows.
    static CCustomWindow* FromHandle(HWND hWnd);

protected:
    // Every message; the default window procedure runs unless it returns
    // true with its result.
    virtual bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Registers a class of ours unless it exists already.
    static bool RegisterWindowClass(const char* pszClassName, UINT uClassStyle,
                                    HBRUSH hBackground = nullptr);
    // The procedure of messages OnMessage leaves; a document window or the
    // frame around document windows has its own.
    virtual LRESULT DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
};

// The program: its instance, its command line and its main window, whose
// destruction ends the message loop.
class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Runs InitInstance and then, when it asks for it by returning true, a
    // message loop. The result is the process's exit code.
    int Run(HINSTANCE hInstance, const char* pszCommandLine);

    static CApplication* Get() { return s_pApplication; }
    HINSTANCE GetInstance() const { return m_hInstance; }
    const std::string& GetCommandLine() const { return m_strCommandLine; }
    HWND GetMainWindow() const { return m_hMainWnd; }
    void SetMainWindow(HWND hWnd) { m_hMainWnd = hWnd; }
    // The exit code that Run returns when InitInstance asks for no loop.
    void SetExitCode(int nExitCode) { m_nExitCode = nExitCode; }

    // Sees each message the loop gets before it is dispatched; true when it
    // has dealt with it (a keyboard shortcut, a dialog's Tab key).
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    virtual bool InitInstance() = 0;

private:
    static CApplication* s_pApplication;
    HINSTANCE m_hInstance = nullptr;
    std::string m_strCommandLine;
    HWND m_hMainWnd = nullptr;
    int m_nExitCode = 0;
};

// The module that holds the resources: the application's, or the program's
// own executable when there is no application object (tests).
HINSTANCE GetResourceInstance();

// Gets, translates and dispatches messages until the quit message; returns
// its code.
int RunMessageLoop();

// Posts the quit message when the window that ends is the application's
// main window. Every window base class calls it on WM_NCDESTROY.
void NoteWindowEnded(HWND hWnd);
