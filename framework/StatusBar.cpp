#include "framework/StatusBar.h"

#include <vector>

std::string CStatusBar::GetPaneText(int nPane) const
{
    const size_t cch = LOWORD(SendMessage(SB_GETTEXTLENGTHA, nPane));
    std::vector<char> text(cch + 1);
    SendMessage(SB_GETTEXTA, nPane, reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}
