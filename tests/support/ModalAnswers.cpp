#include "tests/support/ModalAnswers.h"

namespace {

CModalAnswers* g_pAnswers = nullptr;

BOOL CALLBACK AddDialog(HWND hWnd, LPARAM lParam)
{
    if (IsClass(hWnd, "#32770") && IsWindowVisible(hWnd))
        reinterpret_cast<std::set<HWND>*>(lParam)->insert(hWnd);
    return TRUE;
}

BOOL CALLBACK AddText(HWND hControl, LPARAM lParam)
{
    char szText[4096] = "";
    if (IsClass(hControl, "Static") || IsClass(hControl, "Edit"))
        GetWindowTextA(hControl, szText, sizeof(szText));
    if (*szText)
        *reinterpret_cast<std::string*>(lParam) += std::string("\n") + szText;
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND hControl, LPARAM lParam)
{
    if (!IsClass(hControl, "Static") ||
        (GetWindowLongA(hControl, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HICON*>(lParam) = HICON(SendMessageA(hControl, STM_GETICON, 0, 0));
    return FALSE;
}

}  // namespace

bool IsClass(HWND hWnd, const char* pszClass)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, pszClass) == 0;
}

HICON MessageBoxIcon(HWND hBox)
{
    HICON hIcon = nullptr;
    EnumChildWindows(hBox, FindIcon, reinterpret_cast<LPARAM>(&hIcon));
    return hIcon;
}

std::set<HWND> VisibleDialogs()
{
    std::set<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), AddDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void ClickButton(HWND hDialog, int nButtonId)
{
    SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nButtonId)));
}

void ClickControl(HWND hDialog, int nControlId)
{
    SendMessageA(GetDlgItem(hDialog, nControlId), BM_CLICK, 0, 0);
}

void ServeMessages(DWORD dwMilliseconds)
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

CModalAnswers::CModalAnswers() : m_nTimer(SetTimer(nullptr, 0, 20, OnTimer))
{
    g_pAnswers = this;
}

CModalAnswers::~CModalAnswers()
{
    KillTimer(nullptr, m_nTimer);
    g_pAnswers = nullptr;
}

void CModalAnswers::Add(Answer answer)
{
    m_answers.push_back(answer);
    m_known.push_back(VisibleDialogs());
}

void CModalAnswers::Press(int nButtonId)
{
    Add([nButtonId](HWND hDialog) { ClickButton(hDialog, nButtonId); });
}

void CModalAnswers::AnswerEvery(Answer answer)
{
    m_every = answer;
    m_knownBeforeEvery = VisibleDialogs();
}

void CALLBACK CModalAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pAnswers)
        g_pAnswers->AnswerNewDialog();
}

void CModalAnswers::AnswerNewDialog()
{
    const bool bQueued = m_nUsed < m_answers.size();
    if (!bQueued && !m_every)
        return;
    const std::set<HWND>& known = bQueued ? m_known[m_nUsed] : m_knownBeforeEvery;
    for (HWND hDialog : VisibleDialogs()) {
        if (known.count(hDialog) || m_answering.count(hDialog) || !IsWindowEnabled(hDialog))
            continue;
        char szCaption[256] = "";
        GetWindowTextA(hDialog, szCaption, sizeof(szCaption));
        std::string strSeen = szCaption;
        EnumChildWindows(hDialog, AddText, reinterpret_cast<LPARAM>(&strSeen));
        m_seen.push_back(strSeen);
        // The answer may open another dialog, whose own answer then runs
        // from this timer again; the dialog it is busy with is not new.
        Answer answer = bQueued ? m_answers[m_nUsed++] : m_every;
        m_answering.insert(hDialog);
        answer(hDialog);
        m_answering.erase(hDialog);
        return;
    }
}
