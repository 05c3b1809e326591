#include "framework/ToolBar.h"

#include <vector>

namespace {

const LPCSTR kToolbarResourceType = MAKEINTRESOURCEA(241);

}  // namespace

bool CToolBar::Create(HWND hParent, DWORD dwStyle, UINT nId)
{
    m_hWnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", dwStyle, 0, 0, 0, 0, hParent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                             GetResourceInstance(), nullptr);
    if (!m_hWnd)
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool CToolBar::LoadToolBar(UINT nResourceId)
{
    const HINSTANCE hInstance = GetResourceInstance();
    HRSRC hFound = FindResourceA(hInstance, MAKEINTRESOURCEA(nResourceId), kToolbarResourceType);
    HGLOBAL hLoaded = hFound ? LoadResource(hInstance, hFound) : nullptr;
    const WORD* pWords = hLoaded ? static_cast<const WORD*>(LockResource(hLoaded)) : nullptr;
    const DWORD cbSize = hFound ? SizeofResource(hInstance, hFound) : 0;
    if (!pWords || cbSize < 4 * sizeof(WORD) || pWords[0] != 1)
        return false;
    const WORD cx = pWords[1];
    const WORD cy = pWords[2];
    const WORD nItems = pWords[3];
    if (cbSize < (4u + nItems) * sizeof(WORD))
        return false;

    std::vector<TBBUTTON> buttons(nItems);
    int nImage = 0;
    for (WORD n = 0; n < nItems; ++n) {
        TBBUTTON& button = buttons[n];
        button = TBBUTTON();
        button.idCommand = pWords[4 + n];
        if (button.idCommand == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = nImage++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(cx + 7, cy + 7));
    return SendMessage(TB_ADDBUTTONSA, nItems, reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

int CToolBar::GetFixedHeight() const
{
    return HIWORD(static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE)));
}

std::string CommandTip(UINT nCommandId)
{
    char szText[256];
    const int cch = LoadStringA(GetResourceInstance(), nCommandId, szText, sizeof(szText));
    if (cch <= 0)
        return std::string();
    const std::string strText(szText, cch);
    const size_t nBreak = strText.find('\n');
    return nBreak == std::string::npos ? std::string() : strText.substr(nBreak + 1);
}
