// The running-application guard against hidden top-level windows with the
// titles of the watched programs. Wine creates windows only with a display.
#include "tests/support/CleaningRunTest.h"

#include <gtest/gtest.h>

typedef CManagerTest RunningApplications;

TEST_F(RunningApplications, NamesTheFirstEnabledActionOfTheFirstProgramFound)
{
    const struct {
        std::vector<const char*> titles;
        StringVector enabled;
        const char* pszMessage;  // none: the clean may start
    } cases[] = {
        {{"Home - Microsoft Internet Explorer"}, {"IECache", "IECookies"},
         "Cannot Clear Internet Explorer Cookies while Internet Explorer running"},
        {{"home - microsoft internet explorer"}, {"IECookies"}, nullptr},  // letter case counts
        // Netscape before Internet Explorer; an action that is not there is skipped.
        {{"A - Microsoft Internet Explorer", "B - Netscape"}, {"IECache", "NNCookies"},
         "Cannot Clear Netscape Cookies while Netscape running"},
        // America Online (two blanks) before Outlook Express before RealPlayer.
        {{"Inbox - Outlook Express", "Welcome to America  Online"}, {"MailOE", "IECookies"},
         "Cannot Clear Internet Explorer Cookies while America Online running"},
        {{"RealPlayer: Jazz", "Inbox - Outlook Express", "Welcome to America Online"},
         {"RealPlayerPlaylist", "MailOE", "IECookies"},
         "Cannot Clear Outlook Express Mail Files while Outlook Express running"},
        {{"RealPlayer"}, {"RealPlayerPlaylist"},
         "Cannot Clear RealPlayer Playlist while RealPlayer running"},
        // A marker starts with " - "; the program's name alone is no window of it.
        {{"Microsoft Internet Explorer", "Netscape", "Outlook Express - Inbox"},
         {"IECookies", "NNCookies", "MailOE"}, nullptr},
    };
    CActionManager& manager = Build();
    manager.m_actions.erase("NNCache");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titles.front());
        std::vector<HWND> windows;
        for (const char* pszTitle : c.titles) {
            windows.push_back(CreateWindowExA(0, "STATIC", pszTitle, 0, 0, 0, 10, 10, nullptr,
                                              nullptr, nullptr, nullptr));
            ASSERT_NE(windows.back(), nullptr) << "windows need a display (xvfb-run)";
        }
        for (auto& entry : manager.m_actions)
            entry.second.bEnabled = false;
        for (const std::string& strId : c.enabled)
            manager.m_actions.at(strId).bEnabled = true;
        std::string strMessage = "untouched";
        EXPECT_EQ(manager.CheckRunningApplications(strMessage), c.pszMessage == nullptr);
        EXPECT_EQ(strMessage, c.pszMessage ? c.pszMessage : "untouched");
        for (HWND hWnd : windows)
            DestroyWindow(hWnd);
    }
}
