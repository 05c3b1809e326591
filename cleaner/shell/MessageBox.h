// The program's own message box: buttons and icon chosen by style flags,
// the text wrapped into lines, and an optional "Show this message next time"
// check box whose state comes back in the result flags.
#pragma once

#include <cstdint>
#include <string>

// Style flags of the box (its own, not those of the system message box).
enum MessageBoxStyle : uint32_t {
    MBS_OK = 0x1,
    MBS_OK_CANCEL = 0x2,
    MBS_YES_NO = 0x8,
    MBS_YES_NO_CANCEL = 0x10,
    MBS_ICON_INFORMATION = 0x100,
    MBS_ICON_EXCLAMATION = 0x200,
    MBS_ICON_STOP = 0x400,
    MBS_SHOW_AGAIN_BOX = 0x80000000,
};

// Bit 0 of the result flags: the check box was ticked when the box closed.
const uint32_t kShowAgainChecked = 0x1;

// Runs the box modally; returns IDOK, IDYES, IDNO or IDCANCEL (also for
// Escape and the close box). The result flags, when given, are cleared when
// the box opens and receive the check box's state when it closes.
uint32_t ShowMessageBox(const std::string& strText, const std::string& strCaption,
                        uint32_t dwStyle, uint32_t* pdwResult);
