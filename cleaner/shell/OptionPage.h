// The base of the settings dialog's option pages: a dialog that paints a
// borrowed picture into its bottom-right corner, fills its background, gives
// its controls the page's colours, and applies its state when it is left.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CActionManager;
class CAction;
struct CGeneralSettings;

// A check box that shows and sets one action's enabled flag.
struct CheckBinding {
    int nControlId;
    const char* pszActionId;
};

class CBitmapDialog : public CDialog {
public:
    // The bitmap is borrowed and must outlive the dialog; it may be null.
    CBitmapDialog(UINT nTemplateId, HBITMAP hBitmap) : CDialog(nTemplateId), m_hBitmap(hBitmap) {}

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual void OnEraseBackgroundHook(HDC hDC, const RECT& client);
    virtual void OnAfterPaintHook(HDC hDC, const RECT& client);

private:
    void Paint();

    HBITMAP m_hBitmap;
};

class COptionPage : public CBitmapDialog {
public:
    COptionPage(UINT nTemplateId, const char* pszHelpPage, CActionManager& manager,
                HBITMAP hBackground);
    ~COptionPage() override;

    // Writes the page's state back into the actions and settings.
    virtual bool Apply() { return true; }
    const std::string& GetHelpPage() const { return m_strHelpPage; }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnEraseBackgroundHook(HDC hDC, const RECT& client) override;
    // Enter and Escape inside a page do nothing.
    void OnOK() override {}
    void OnCancel() override {}

    // The action with that identifier, added empty when missing.
    CAction& Action(const char* pszId);
    CGeneralSettings& Settings();
    bool IsChecked(int nId) const;
    void SetChecked(int nId, bool bChecked) const;
    void EnableItem(int nId, bool bEnable) const;
    std::string ItemText(int nId) const;
    void SetItemText(int nId, const std::string& strText) const;

    // Each box shows, or sets, the enabled flag of its action.
    void ShowBoxes(const CheckBinding* pBindings, size_t nBindings);
    void ApplyBoxes(const CheckBinding* pBindings, size_t nBindings);
    template <size_t N> void ShowBoxes(const CheckBinding (&bindings)[N])
    {
        ShowBoxes(bindings, N);
    }
    template <size_t N> void ApplyBoxes(const CheckBinding (&bindings)[N])
    {
        ApplyBoxes(bindings, N);
    }

    // The exclude lists of an action's first file target and of its first
    // registry target, edited in the exclude-list dialog.
    void EditFileExcludes(const char* pszActionId);
    void EditValueExcludes(const char* pszActionId);

    CActionManager& m_manager;

private:
    HBRUSH OnControlColour(UINT uMsg, HDC hDC, HWND hControl) const;

    std::string m_strHelpPage;
    HBRUSH m_hBackgroundBrush;
    HBRUSH m_hWhiteBrush;
};

// The page's background colour; also the colour of its fixed brushes.
const COLORREF kPageBackground = RGB(214, 211, 206);
