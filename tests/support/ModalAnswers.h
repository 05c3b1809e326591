// Answers the modal dialogs that the code under test shows on this thread: each
// answer once, in order, on the next dialog that appears after it was added.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// Whether the window is of the class, its name given in any case.
inline bool IsClass(HWND hWnd, const char* pszClass)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, pszClass) == 0;
}

// The windows of this thread, or of a parent, that the filter keeps, in order.
inline std::vector<HWND> WindowsWhere(HWND hParent, std::function<bool(HWND)> keep)
{
    struct Search {
        std::function<bool(HWND)> keep;
        std::vector<HWND> found;
        static BOOL CALLBACK Check(HWND hWnd, LPARAM lParam)
        {
            Search& search = *reinterpret_cast<Search*>(lParam);
            if (search.keep(hWnd))
                search.found.push_back(hWnd);
            return TRUE;
        }
    } search = {keep, {}};
    if (hParent)
        EnumChildWindows(hParent, Search::Check, reinterpret_cast<LPARAM>(&search));
    else
        EnumThreadWindows(GetCurrentThreadId(), Search::Check, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The dialog windows of this thread, top-level and visible.
inline std::set<HWND> VisibleDialogs()
{
    const std::vector<HWND> dialogs = WindowsWhere(
        nullptr, [](HWND hWnd) { return IsClass(hWnd, "#32770") && IsWindowVisible(hWnd); });
    return std::set<HWND>(dialogs.begin(), dialogs.end());
}

// Sends the owner BN_CLICKED from the button, leaving its check state alone.
inline void ClickButton(HWND hDialog, int nButtonId)
{
    SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nButtonId)));
}

// Clicks the control as the mouse does; a disabled control does nothing.
inline void ClickControl(HWND hDialog, int nControlId)
{
    SendMessageA(GetDlgItem(hDialog, nControlId), BM_CLICK, 0, 0);
}

// The icon that a message box shows; null when it shows none.
inline HICON MessageBoxIcon(HWND hBox)
{
    const std::vector<HWND> icons = WindowsWhere(hBox, [](HWND hControl) {
        return IsClass(hControl, "Static") &&
               (GetWindowLongA(hControl, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    });
    return icons.empty() ? nullptr : HICON(SendMessageA(icons[0], STM_GETICON, 0, 0));
}

// Serves this thread's messages for the time given.
inline void ServeMessages(DWORD dwMilliseconds)
{
    const DWORD dwEnd = GetTickCount() + dwMilliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(GetTickCount() - dwEnd) < 0);
}

class CModalAnswers {
public:
    // Gets the new dialog's window; must close it (press one of its buttons).
    typedef std::function<void(HWND hDialog)> Answer;

    CModalAnswers() : m_nTimer(SetTimer(nullptr, 0, 20, OnTimer)) { s_pCurrent = this; }
    ~CModalAnswers()
    {
        KillTimer(nullptr, m_nTimer);
        s_pCurrent = nullptr;
    }
    CModalAnswers(const CModalAnswers&) = delete;
    CModalAnswers& operator=(const CModalAnswers&) = delete;

    void Add(Answer answer)
    {
        m_answers.push_back(answer);
        m_known.push_back(VisibleDialogs());
    }
    // Presses the button with that id.
    void Press(int nButtonId)
    {
        Add([nButtonId](HWND hDialog) { ClickButton(hDialog, nButtonId); });
    }
    // Once the answers above are used up, answers every new dialog, in any order.
    void AnswerEvery(Answer answer)
    {
        m_every = answer;
        m_knownBeforeEvery = VisibleDialogs();
    }

    // Answers not used yet.
    size_t Pending() const { return m_answers.size() - m_nUsed; }
    // The caption and static and edit texts of every dialog answered so far.
    const std::vector<std::string>& Seen() const { return m_seen; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pCurrent)
            s_pCurrent->AnswerNewDialog();
    }
    void AnswerNewDialog()
    {
        const bool bQueued = m_nUsed < m_answers.size();
        if (!bQueued && !m_every)
            return;
        const std::set<HWND>& known = bQueued ? m_known[m_nUsed] : m_knownBeforeEvery;
        for (HWND hDialog : VisibleDialogs()) {
            if (known.count(hDialog) || m_answering.count(hDialog) || !IsWindowEnabled(hDialog))
                continue;
            char szText[4096] = "";
            GetWindowTextA(hDialog, szText, sizeof(szText));
            std::string strSeen = szText;
            for (HWND hControl : WindowsWhere(hDialog, [](HWND hControl) {
                     return IsClass(hControl, "Static") || IsClass(hControl, "Edit");
                 })) {
                if (GetWindowTextA(hControl, szText, sizeof(szText)) > 0)
                    strSeen += std::string("\n") + szText;
            }
            m_seen.push_back(strSeen);
            // An answer that opens another dialog runs this again, for that one.
            Answer answer = bQueued ? m_answers[m_nUsed++] : m_every;
            m_answering.insert(hDialog);
            answer(hDialog);
            m_answering.erase(hDialog);
            return;
        }
    }

    static inline CModalAnswers* s_pCurrent = nullptr;
    std::vector<Answer> m_answers;
    std::vector<std::set<HWND>> m_known;  // dialogs there when each answer was added
    Answer m_every;
    std::set<HWND> m_knownBeforeEvery;
    std::set<HWND> m_answering;  // dialogs whose answer has not returned yet
    size_t m_nUsed = 0;
    std::vector<std::string> m_seen;
    UINT_PTR m_nTimer;
};
