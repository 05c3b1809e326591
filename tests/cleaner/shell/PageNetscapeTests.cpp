// The Netscape & Mozilla page: its folders come from the browsers' own
// settings while the user has set none, and the user's stay.
#include "cleaner/shell/PageNetscape.h"

#include "tests/support/PageTest.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

namespace {

const char kBiff[] = "Software\\Netscape\\Netscape Navigator\\biff";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

const int kFolderEdits[] = {IDC_NETSCAPE4_ROOT, IDC_NETSCAPE4_CACHE, IDC_NETSCAPE6_ROOT,
                            IDC_NETSCAPE6_CACHE};

class PageNetscape : public CPageTest {
protected:
    // No Netscape or Mozilla profile of the current user.
    void SetUp() override
    {
        CPageTest::SetUp();
        m_registry.Remove(HKEY_CURRENT_USER, kBiff, "CurrentUser");
        m_registry.Set(HKEY_CURRENT_USER, kShellFolders, "AppData", m_folder / "AppData");
    }

    // A Netscape 4 profile whose preferences move the cache elsewhere, and a
    // Mozilla profile named in the application data's registry file.
    void MakeProfiles()
    {
        const std::string strUsers = m_folder / "Users";
        CreateDirectoryA(strUsers.c_str(), nullptr);
        CreateDirectoryA(m_strNetscape4.c_str(), nullptr);
        const std::string strUserKey = std::string(kBiff) + "\\users\\jo";
        m_registry.Set(HKEY_CURRENT_USER, kBiff, "CurrentUser", "jo");
        m_registry.Remove(HKEY_CURRENT_USER, strUserKey, "defaultServer");
        m_registry.Set(HKEY_CURRENT_USER, strUserKey + "\\servers\\mail", "popstatePath",
                       m_strNetscape4 + "\\mail\\popstate.dat");
        ASSERT_TRUE(WriteFileBytes(m_strNetscape4 + "\\prefs.js",
                                   "user_pref(\"browser.cache.directory\", \"F:\\\\Cache4\");\n"));

        CreateDirectoryA((m_folder / "AppData").c_str(), nullptr);
        CreateDirectoryA((m_folder / "AppData\\Mozilla").c_str(), nullptr);
        const std::string registry = std::string("\x76\x00\x02\x00\x01\x00\x00\x00", 8) +
                                     "ProfileName" + std::string(1, '\0') + "jo" +
                                     std::string(4, '\0') + m_strMozilla + std::string(3, '\0');
        ASSERT_TRUE(WriteFileBytes(m_folder / "AppData\\Mozilla\\registry.dat", registry));
    }

    std::vector<std::string> Edits(HWND hPage) const
    {
        std::vector<std::string> texts;
        for (int nId : kFolderEdits)
            texts.push_back(ItemText(hPage, nId));
        return texts;
    }
    std::vector<std::string> Stored() const
    {
        const CGeneralSettings& settings = *m_settings;
        return {settings.strNetscape4UserPath.Get(), settings.strNetscape4UserCachePath.Get(),
                settings.strNetscape6UserPath.Get(), settings.strNetscape6UserCachePath.Get()};
    }

    CTempFolder m_folder;
    CScratchRegistry m_registry;
    const std::string m_strNetscape4 = m_folder / "Users\\jo";
    const std::string m_strMozilla = m_folder.Path() + "\\AppData\\Mozilla\\Profiles\\jo\\x1.slt";
};

TEST_F(PageNetscape, EmptyFoldersAreFilledFromTheBrowsersProfiles)
{
    MakeProfiles();
    Build().GetAction("NNHistory").bEnabled = true;
    std::unique_ptr<CPageNetscape> page = Open<CPageNetscape>();
    const std::vector<std::string> expected = {m_strNetscape4, "F:\\Cache4", m_strMozilla,
                                               m_strMozilla + "\\Cache"};
    EXPECT_EQ(Edits(*page), expected);
    EXPECT_EQ(Stored(), expected);
    EXPECT_FALSE(IsBoxChecked(*page, IDC_NETSCAPE_CACHE));
    EXPECT_FALSE(IsBoxChecked(*page, IDC_NETSCAPE_COOKIES));
    EXPECT_TRUE(IsBoxChecked(*page, IDC_NETSCAPE_HISTORY));
}

TEST_F(PageNetscape, FoldersTheUserSetStay)
{
    MakeProfiles();
    m_settings->strNetscape4UserPath = "D:\\N4";
    m_settings->strNetscape4UserCachePath = "D:\\N4 Cache";
    m_settings->strNetscape6UserPath = "D:\\Moz";
    std::unique_ptr<CPageNetscape> page = Open<CPageNetscape>();
    // The cache goes with the Mozilla folder the user chose.
    EXPECT_EQ(Edits(*page),
              (std::vector<std::string>{"D:\\N4", "D:\\N4 Cache", "D:\\Moz", "D:\\Moz\\Cache"}));

    SetItemText(*page, IDC_NETSCAPE4_CACHE, "");
    SetItemText(*page, IDC_NETSCAPE6_ROOT, "E:\\Moz");
    SetBox(*page, IDC_NETSCAPE_CACHE, true);
    SetBox(*page, IDC_NETSCAPE_COOKIES, true);
    EXPECT_TRUE(page->Apply());
    EXPECT_EQ(Stored(), (std::vector<std::string>{"D:\\N4", "", "E:\\Moz", "D:\\Moz\\Cache"}));
    EXPECT_TRUE(m_manager->GetAction("NNCache").bEnabled);
    EXPECT_TRUE(m_manager->GetAction("NNCookies").bEnabled);
    EXPECT_FALSE(m_manager->GetAction("NNHistory").bEnabled);
}

TEST_F(PageNetscape, WithoutProfilesTheFoldersStayEmpty)
{
    std::unique_ptr<CPageNetscape> page = Open<CPageNetscape>();
    const std::vector<std::string> none(4);
    EXPECT_EQ(Edits(*page), none);
    EXPECT_EQ(Stored(), none);
}

}  // namespace
