// The Properties (IE Only) page: the browser's window title and start page
// that a clean writes, kept between runs, and never written empty.
#include "cleaner/shell/PageIEProperties.h"

#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/StopRequest.h"
#include "common/RegistryKeys.h"
#include "tests/support/PageTest.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TestRegistry.h"

namespace {

const char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

class PageIEProperties : public CPageTest {
protected:
    RegUpdate& FirstUpdate(const char* pszId)
    {
        return m_manager->GetAction(pszId).lstKeyUpdates.front();
    }
    // The browser's own values as the user left them.
    void SetBrowserValues(const std::string& strTitle, const std::string& strStartPage)
    {
        m_registry.Set(HKEY_CURRENT_USER, kBrowserMain, "Window Title", strTitle);
        m_registry.Set(HKEY_CURRENT_USER, kBrowserMain, "Start Page", strStartPage);
        m_registry.Remove(HKEY_CURRENT_USER, kBrowserMain, "Default_Page_URL");
    }

    CScratchRegistry m_registry;
};

TEST_F(PageIEProperties, EditsShowTheCleansTextsOrElseTheBrowsersOwn)
{
    SetBrowserValues("Jo's Browser", "http://jo.example/");
    Build().GetAction("IEPropWindowTitle").bEnabled = true;
    FirstUpdate("IEPropHomePage").strData = "http://mine.example/";
    std::unique_ptr<CPageIEProperties> page = Open<CPageIEProperties>();
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_TITLE_TEXT), "Jo's Browser");
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_HOME_TEXT), "http://mine.example/");
    EXPECT_TRUE(IsBoxChecked(*page, IDC_IEPROP_WINDOW_TITLE));
    EXPECT_FALSE(IsBoxChecked(*page, IDC_IEPROP_HOME_PAGE));
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_NOTE).find("%s"), std::string::npos);
    EXPECT_NE(ItemText(*page, IDC_IEPROP_NOTE).find("Start a clean Veltrin PRO will set"),
              std::string::npos);

    struct {
        bool bTitle;
        bool bHome;
    } const cases[] = {{true, false}, {false, true}, {false, false}, {true, true}};
    for (const auto& c : cases) {
        SetBox(*page, IDC_IEPROP_WINDOW_TITLE, c.bTitle);
        SetBox(*page, IDC_IEPROP_HOME_PAGE, c.bHome);
        SCOPED_TRACE(testing::Message() << "title " << c.bTitle << ", home " << c.bHome);
        EXPECT_EQ(IsItemEnabled(*page, IDC_IEPROP_TITLE_TEXT), c.bTitle);
        EXPECT_EQ(IsItemEnabled(*page, IDC_IEPROP_SET_DEFAULT), c.bTitle);
        EXPECT_EQ(IsItemEnabled(*page, IDC_IEPROP_HOME_TEXT), c.bHome);
        EXPECT_EQ(IsItemEnabled(*page, IDC_IEPROP_SET_BLANK), c.bHome);
    }

    // Neither value there: the edits stay empty.
    m_registry.Remove(HKEY_CURRENT_USER, kBrowserMain, "Window Title");
    m_registry.Remove(HKEY_CURRENT_USER, kBrowserMain, "Start Page");
    FirstUpdate("IEPropHomePage").strData.clear();
    page = Open<CPageIEProperties>();
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_TITLE_TEXT), "");
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_HOME_TEXT), "");
}

TEST_F(PageIEProperties, SetDefaultAndSetBlankReachTheActionsOnApply)
{
    SetBrowserValues("Jo's Browser", "http://jo.example/");
    std::unique_ptr<CPageIEProperties> page = Open<CPageIEProperties>();
    SetBox(*page, IDC_IEPROP_WINDOW_TITLE, true);
    SetBox(*page, IDC_IEPROP_HOME_PAGE, true);
    ClickButton(*page, IDC_IEPROP_SET_DEFAULT);
    ClickButton(*page, IDC_IEPROP_SET_BLANK);
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_TITLE_TEXT), "Microsoft Internet Explorer");
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_HOME_TEXT), "about:blank");
    EXPECT_TRUE(page->Apply());
    EXPECT_TRUE(m_manager->GetAction("IEPropWindowTitle").bEnabled);
    EXPECT_TRUE(m_manager->GetAction("IEPropHomePage").bEnabled);
    EXPECT_EQ(FirstUpdate("IEPropWindowTitle").strData, "Microsoft Internet Explorer");
    EXPECT_EQ(FirstUpdate("IEPropHomePage").strData, "about:blank");
    // The second update of the home page action is the action's own.
    EXPECT_EQ(m_manager->GetAction("IEPropHomePage").lstKeyUpdates.back().strData, "");
}

TEST_F(PageIEProperties, TextsComeBackAfterARestart)
{
    SetBrowserValues("Jo's Browser", "http://jo.example/");
    std::unique_ptr<CPageIEProperties> page = Open<CPageIEProperties>();
    SetItemText(*page, IDC_IEPROP_TITLE_TEXT, "Private");
    SetItemText(*page, IDC_IEPROP_HOME_TEXT, "http://mine.example/");
    page->Apply();
    page.reset();

    Build();
    EXPECT_EQ(FirstUpdate("IEPropWindowTitle").strData, "Private");
    EXPECT_EQ(FirstUpdate("IEPropHomePage").strData, "http://mine.example/");
    EXPECT_EQ(m_manager->GetAction("IEPropHomePage").lstKeyUpdates.back().strData, "");
    EXPECT_EQ(ReadTextValue(std::string(kSettingsKey) + "\\IEPropHomePage", "strText"),
              "http://mine.example/");
    page = Open<CPageIEProperties>();
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_TITLE_TEXT), "Private");
    EXPECT_EQ(ItemText(*page, IDC_IEPROP_HOME_TEXT), "http://mine.example/");

    // Only the two browser actions keep a text of the user's.
    Build();
    EXPECT_FALSE(ValueExists(std::string(kSettingsKey) + "\\IECookies", "strText"));
}

TEST_F(PageIEProperties, AnEmptyTextLeavesTheBrowsersValueAlone)
{
    SetBrowserValues("Jo's Browser", "http://jo.example/");
    std::unique_ptr<CPageIEProperties> page = Open<CPageIEProperties>();
    SetBox(*page, IDC_IEPROP_WINDOW_TITLE, true);
    SetBox(*page, IDC_IEPROP_HOME_PAGE, true);
    SetItemText(*page, IDC_IEPROP_TITLE_TEXT, "");
    SetItemText(*page, IDC_IEPROP_HOME_TEXT, "");
    page->Apply();

    CRecordingLog log;
    CStopRequest stop;
    for (const char* pszId : {"IEPropWindowTitle", "IEPropHomePage"})
        ExecuteAction(m_manager->GetAction(pszId), *m_settings, stop);
    EXPECT_EQ(ReadTextValue(kBrowserMain, "Window Title"), "Jo's Browser");
    EXPECT_EQ(ReadTextValue(kBrowserMain, "Start Page"), "http://jo.example/");
    EXPECT_FALSE(ValueExists(kBrowserMain, "Default_Page_URL"));
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                               "Change Internet Explorer Window Title",
                               "Change Internet Explorer Window Title Complete",
                               "Change Internet Explorer Home Page",
                               "Change Internet Explorer Home Page Complete"}));

    // With a text the clean writes it.
    page = Open<CPageIEProperties>();
    ClickButton(*page, IDC_IEPROP_SET_BLANK);
    page->Apply();
    ExecuteAction(m_manager->GetAction("IEPropHomePage"), *m_settings, stop);
    EXPECT_EQ(ReadTextValue(kBrowserMain, "Start Page"), "about:blank");
}

}  // namespace
