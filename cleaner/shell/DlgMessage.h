// The program's own message box: the text, up to four buttons, an icon and
// the "Show this message next time" check box, laid out around the text.
#pragma once

#include "framework/Dialog.h"

#include <cstdint>
#include <string>
#include <vector>

class CDlgMessage : public CDialog {
public:
    // The result flags, when given, are cleared when the box opens.
    CDlgMessage(const std::string& strText, const std::string& strCaption, uint32_t dwStyle,
                uint32_t* pdwResult);

    const RECT& GetTextRect() const { return m_rcText; }
    HICON GetIcon() const { return m_hIcon; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Shows the buttons of the style; returns them in their order along
    // the bottom.
    std::vector<int> ShowButtons();
    HICON ChooseIcon() const;
    void LayOut(size_t nColumns, const std::vector<int>& buttons);
    void Close(int nButtonId);

    std::string m_strText;
    std::string m_strCaption;
    uint32_t m_dwStyle;
    uint32_t* m_pdwResult;
    bool m_bShowNextTime = true;
    HICON m_hIcon = nullptr;
    RECT m_rcText = {};
};
