#include "framework/HtmlHelp.h"

bool ShowHelpTopic(HWND hOwner, const std::string& strTopic)
{
    typedef HWND(WINAPI * HtmlHelpFunction)(HWND, LPCSTR, UINT, DWORD_PTR);
    static const HtmlHelpFunction pHtmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("hhctrl.ocx"), "HtmlHelpA")));
    const UINT kDisplayTopic = 0;
    return pHtmlHelp && pHtmlHelp(hOwner, strTopic.c_str(), kDisplayTopic, 0) != nullptr;
}
