// Answers the modal dialogs that the code under test shows on this thread,
// since no person is there to do it. Each answer is used once, in the order
// given, on the next dialog window that appears after it was added.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class CModalAnswers {
public:
    // Gets the new dialog's window; must close it (press one of its buttons).
    typedef std::function<void(HWND hDialog)> Answer;

    CModalAnswers();
    ~CModalAnswers();
    CModalAnswers(const CModalAnswers&) = delete;
    CModalAnswers& operator=(const CModalAnswers&) = delete;

    void Add(Answer answer);
    // Presses the button with that id.
    void Press(int nButtonId);
    // Once the answers above are used up, answers every dialog that appears
    // from now on, in whatever order; also one that its own answer opens.
    void AnswerEvery(Answer answer);

    // Answers not used yet.
    size_t Pending() const { return m_answers.size() - m_nUsed; }
    // The caption and the texts of the static and edit controls of every
    // dialog answered so far, in order.
    const std::vector<std::string>& Seen() const { return m_seen; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void AnswerNewDialog();

    std::vector<Answer> m_answers;
    std::vector<std::set<HWND>> m_known;  // dialogs there when each answer was added
    Answer m_every;
    std::set<HWND> m_knownBeforeEvery;
    std::set<HWND> m_answering;  // dialogs whose answer has not returned yet
    size_t m_nUsed = 0;
    std::vector<std::string> m_seen;
    UINT_PTR m_nTimer;
};

// Sends the owner BN_CLICKED from the button, leaving its check state alone.
void ClickButton(HWND hDialog, int nButtonId);
// Clicks the control as the mouse does: a check box changes its state and
// then tells its owner; a disabled control does nothing.
void ClickControl(HWND hDialog, int nControlId);
// The icon that a message box shows; null when it shows none.
HICON MessageBoxIcon(HWND hBox);
// The dialog windows of this thread, top-level and visible.
std::set<HWND> VisibleDialogs();
// Serves this thread's messages for the time given.
void ServeMessages(DWORD dwMilliseconds);
// Whether the window is of the class, its name given in any case.
bool IsClass(HWND hWnd, const char* pszClass);
