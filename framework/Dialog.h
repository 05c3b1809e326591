// Dialogs from dialog resources, modal or modeless, whose messages reach
// virtual handlers of the object.
#pragma once

#include "framework/Window.h"

// The messages by which a control asks its parent for its colours.
bool IsControlColourMessage(UINT uMsg);

class CDialog : public CWindow {
public:
    explicit CDialog(UINT nTemplateId) : m_nTemplateId(nTemplateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the dialog modeless; it lives until it is destroyed.
    bool Create(HWND hParent);
    // Runs the dialog modally and returns what ended it (-1 on failure).
    INT_PTR DoModal(HWND hParent);
    // Ends a modal dialog with the result; hides a modeless one, which stays.
    void EndDialog(INT_PTR nResult);
    bool IsModal() const { return m_bModal; }
    UINT GetTemplateId() const { return m_nTemplateId; }

protected:
    virtual bool OnInitDialog() { return true; }
    // A command from a menu, an accelerator or a control; true when handled.
    virtual bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl);
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    virtual void OnSize(UINT uType, int cx, int cy);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnDestroy() {}
    // Any other message; true when handled, with its result.
    virtual bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT m_nTemplateId;
    bool m_bModal = false;
};
