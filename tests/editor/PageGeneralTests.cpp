// The General page over a plugin, the factory of the pages, and the enable
// flag that every page carries.
#include "tests/editor/PluginPageTest.h"

namespace {

class GeneralPage : public CPluginPageTest {
protected:
    bool IsChecked(int nId) const { return IsDlgButtonChecked(Page(), nId) == BST_CHECKED; }
    void Check(int nId, bool bChecked) const
    {
        CheckDlgButton(Page(), nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
    }
};

}  // namespace

TEST_F(GeneralPage, ShowsThePluginsProperties)
{
    const struct {
        bool bEnabled;
        uint32_t dwWarningLevel;
        bool bWarning;
    } cases[] = {
        {true, WL_WARNING, true},
        {false, WL_INFORMATION, false},
        // Any level but 0 warns.
        {false, 5, true},
    };
    m_plugin.strId = "Cookies";
    m_plugin.strTitle = "Clear the cookies";
    m_plugin.strDescription = "Line one\r\nLine two";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwWarningLevel);
        m_plugin.bEnabled = c.bEnabled;
        m_plugin.dwWarningLevel = c.dwWarningLevel;
        Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(IsChecked(IDC_PLUGIN_ENABLED), c.bEnabled);
        EXPECT_TRUE(IsShown(IDC_PLUGIN_ENABLED));
        EXPECT_EQ(Text(IDC_PLUGIN_ENABLED), "Enable this Plug-In after installation");
        EXPECT_EQ(Text(IDC_PLUGIN_NAME), "Cookies");
        EXPECT_EQ(Text(IDC_PLUGIN_TITLE), "Clear the cookies");
        EXPECT_EQ(Text(IDC_PLUGIN_DESCRIPTION), "Line one\r\nLine two");
        EXPECT_EQ(IsChecked(IDC_LEVEL_WARNING), c.bWarning);
        EXPECT_EQ(IsChecked(IDC_LEVEL_INFORMATION), !c.bWarning);
    }
}

TEST_F(GeneralPage, StoresTheFieldsIntoThePlugin)
{
    m_plugin.dwWarningLevel = 5;
    m_plugin.lstCommands = {"\"kept.exe\""};
    Open(IDD_PAGE_GENERAL);
    Check(IDC_PLUGIN_ENABLED, true);
    Type(IDC_PLUGIN_NAME, "History");
    Type(IDC_PLUGIN_TITLE, "Clear the history");
    Type(IDC_PLUGIN_DESCRIPTION, "First\r\n\r\nThird line");
    EXPECT_TRUE(m_page->StoreToPlugin());
    EXPECT_TRUE(m_plugin.bEnabled);
    EXPECT_EQ(m_plugin.strId, "History");
    EXPECT_EQ(m_plugin.strTitle, "Clear the history");
    EXPECT_EQ(m_plugin.strDescription, "First\r\n\r\nThird line");
    EXPECT_EQ(m_plugin.dwWarningLevel, 1u);
    EXPECT_EQ(m_plugin.lstCommands.size(), 1u);

    ClickControl(Page(), IDC_LEVEL_INFORMATION);
    EXPECT_FALSE(IsChecked(IDC_LEVEL_WARNING));
    Check(IDC_PLUGIN_ENABLED, false);
    m_page->StoreToPlugin();
    EXPECT_EQ(m_plugin.dwWarningLevel, 0u);
    EXPECT_FALSE(m_plugin.bEnabled);
    ClickControl(Page(), IDC_LEVEL_WARNING);
    m_page->StoreToPlugin();
    EXPECT_EQ(m_plugin.dwWarningLevel, 1u);
}

TEST_F(GeneralPage, TheEnableFlagTicksOnTheGeneralPageSurvivesTheListPages)
{
    Open(IDD_PAGE_GENERAL);
    ClickControl(Page(), IDC_PLUGIN_ENABLED);
    Leave();
    for (UINT nPageId : {IDD_PAGE_ELIMINATE_FILES, IDD_PAGE_UPDATE_FILES, IDD_PAGE_ELIMINATE_KEYS,
                         IDD_PAGE_UPDATE_KEYS, IDD_PAGE_EXECUTABLE}) {
        Open(nPageId);
        EXPECT_EQ(Text(IDC_PLUGIN_ENABLED), "Enable Plug-In as Default");
        EXPECT_FALSE(IsShown(IDC_PLUGIN_ENABLED));
        // The document asks the page to store before it saves.
        EXPECT_TRUE(m_page->StoreToPlugin());
        EXPECT_TRUE(m_plugin.bEnabled) << nPageId;
    }
    Open(IDD_PAGE_GENERAL);
    EXPECT_TRUE(IsChecked(IDC_PLUGIN_ENABLED));
}

TEST_F(GeneralPage, APageWhoseWindowIsGoneStoresNothing)
{
    m_plugin.strId = "Kept";
    m_plugin.bEnabled = true;
    m_plugin.lstCommands = {"\"kept.exe\""};
    const CAction original = m_plugin;
    for (UINT nPageId : {IDD_PAGE_GENERAL, IDD_PAGE_EXECUTABLE}) {
        Open(nPageId);
        m_page->Destroy();
        EXPECT_FALSE(m_page->StoreToPlugin()) << nPageId;
        EXPECT_TRUE(m_plugin == original) << nPageId;
    }
}

TEST(PluginPages, TheFactoryMakesThePageOfEachCategory)
{
    CAction plugin;
    for (UINT nPageId : {IDD_PAGE_GENERAL, IDD_PAGE_ELIMINATE_FILES, IDD_PAGE_UPDATE_FILES,
                         IDD_PAGE_ELIMINATE_KEYS, IDD_PAGE_UPDATE_KEYS, IDD_PAGE_EXECUTABLE}) {
        const std::unique_ptr<CPluginPage> page = CreatePluginPage(nPageId, &plugin);
        ASSERT_TRUE(page) << nPageId;
        EXPECT_EQ(page->GetTemplateId(), nPageId);
    }
    for (UINT nOther : {0u, 1u, static_cast<UINT>(IDD_SELECT_ITEM), 137u, 147u})
        EXPECT_FALSE(CreatePluginPage(nOther, &plugin)) << nOther;
}
