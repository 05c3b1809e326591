// The running-application guard against real top-level windows: the test
// opens hidden windows with the titles of the watched programs and destroys
// them again. Wine creates windows only with a display (Xvfb will do).
#include "tests/support/ManagerTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kWindowClass[] = "VeltrinGuardTestWindow";

class RunningApplications : public CManagerTest {
protected:
    void SetUp() override
    {
        CManagerTest::SetUp();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        if (!RegisterClassA(&windowClass)) {
            ASSERT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));
        }
    }
    void TearDown() override
    {
        CloseWindows();
        CManagerTest::TearDown();
    }

    void OpenWindow(const char* pszTitle)
    {
        HWND hWnd = CreateWindowExA(0, kWindowClass, pszTitle, WS_OVERLAPPED, 0, 0, 10, 10,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hWnd, nullptr) << pszTitle << ": windows need a display (xvfb-run)";
        m_windows.push_back(hWnd);
    }
    void CloseWindows()
    {
        for (HWND hWnd : m_windows)
            DestroyWindow(hWnd);
        m_windows.clear();
    }

    // Enables exactly the named actions.
    void EnableOnly(CActionManager& manager, const StringVector& ids)
    {
        for (auto& entry : manager.m_actions)
            entry.second.bEnabled = false;
        for (const std::string& strId : ids) {
            ASSERT_EQ(manager.m_actions.count(strId), 1u) << strId;
            manager.m_actions[strId].bEnabled = true;
        }
    }

    std::vector<HWND> m_windows;
};

}  // namespace

TEST_F(RunningApplications, NamesTheFirstEnabledActionOfTheFirstProgramFound)
{
    const struct {
        std::vector<const char*> titles;
        StringVector enabled;
        const char* pszMessage;  // none: the clean may start
    } cases[] = {
        {{"Home - Microsoft Internet Explorer"},
         {"IECache", "IECookies"},
         "Cannot Clear Internet Explorer Cookies while Internet Explorer running"},
        {{"home - microsoft internet explorer"}, {"IECookies"}, nullptr},
        // Netscape is looked at before Internet Explorer.
        {{"A - Microsoft Internet Explorer", "B - Netscape"},
         {"IECache", "NNCache"},
         "Cannot Clear Netscape Cache while Netscape running"},
        // The AOL browser shows its name with two blanks; one does not count.
        {{"Welcome to America Online"}, {"AOLAddressHistory", "IECookies"}, nullptr},
        {{"Welcome to America  Online"},
         {"IECookies"},
         "Cannot Clear Internet Explorer Cookies while America Online running"},
        // America Online before Outlook Express before RealPlayer.
        {{"Inbox - Outlook Express", "Welcome to America  Online"},
         {"MailOE", "AOLAddressHistory"},
         "Cannot Clear AOL Address History while America Online running"},
        {{"RealPlayer: Jazz", "Inbox - Outlook Express"},
         {"RealPlayerPlaylist", "MailOE"},
         "Cannot Clear Outlook Express Mail Files while Outlook Express running"},
        {{"RealPlayer"}, {"IECookies", "NNCache", "MailOE", "AOLAddressHistory"}, nullptr},
        {{"RealPlayer"},
         {"RealPlayerPlaylist"},
         "Cannot Clear RealPlayer Playlist while RealPlayer running"},
    };
    CActionManager& manager = Build();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titles.front());
        for (const char* pszTitle : c.titles)
            ASSERT_NO_FATAL_FAILURE(OpenWindow(pszTitle));
        EnableOnly(manager, c.enabled);

        std::string strMessage = "untouched";
        EXPECT_EQ(manager.CheckRunningApplications(strMessage), c.pszMessage == nullptr);
        EXPECT_EQ(strMessage, c.pszMessage ? c.pszMessage : "untouched");
        CloseWindows();
    }
}

TEST_F(RunningApplications, WithoutWatchedWindowsEveryCleanMayStart)
{
    CActionManager& manager = Build();
    for (auto& entry : manager.m_actions)
        entry.second.bEnabled = true;
    OpenWindow("Microsoft Internet Explorer");  // the marker starts with " - "
    OpenWindow("Netscape");
    OpenWindow("Outlook Express - Inbox");

    std::string strMessage = "untouched";
    EXPECT_TRUE(manager.CheckRunningApplications(strMessage));
    EXPECT_EQ(strMessage, "untouched");
}

TEST_F(RunningApplications, ActionsThatAreNotThereAreSkippedAndNotAdded)
{
    CActionManager& manager = Build();
    EnableOnly(manager, {"NNCookies"});
    manager.m_actions.erase("NNCache");
    OpenWindow("Bookmarks - Netscape");

    std::string strMessage;
    EXPECT_FALSE(manager.CheckRunningApplications(strMessage));
    EXPECT_EQ(strMessage, "Cannot Clear Netscape Cookies while Netscape running");
    EXPECT_EQ(manager.m_actions.count("NNCache"), 0u);
}
