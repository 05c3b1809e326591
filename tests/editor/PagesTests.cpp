// The pages of a plugin window, each in a window of its own over the test's
// plugin and driven by the messages a user's typing and clicks send: what
// they show and store, and what Add, Remove, Exclude, Preset and Browse do.
#include "common/ExcludeListIds.h"
#include "editor/PathPresets.h"
#include "editor/PluginPage.h"
#include "editor/resource.h"
#include "framework/ListBox.h"
#include "framework/ListView.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

typedef std::vector<std::string> Row;
typedef std::vector<std::pair<int, const char*>> Fields;

class PluginPages : public ::testing::Test {
protected:
    ~PluginPages() override
    {
        m_page.reset();
        DestroyWindow(m_hParent);
    }

    // The page of that number over m_plugin as it is now.
    void Open(UINT nPageId)
    {
        m_page = CreatePluginPage(nPageId, &m_plugin);
        ASSERT_TRUE(m_page && m_page->Create(m_hParent)) << nPageId;
    }
    HWND Page() const { return m_page->GetHwnd(); }
    std::string Text(int nId) const { return CWindow(GetDlgItem(Page(), nId)).GetText(); }
    bool IsChecked(int nId) const { return IsDlgButtonChecked(Page(), nId) == BST_CHECKED; }
    void Type(const Fields& fields) const
    {
        for (const auto& field : fields)
            SetDlgItemTextA(Page(), field.first, field.second);
    }
    // Picks the entries of drop-down lists by their texts, as the user does.
    void Choose(const Fields& choices) const
    {
        for (const auto& choice : choices) {
            const HWND hCombo = GetDlgItem(Page(), choice.first);
            SendMessageA(hCombo, CB_SELECTSTRING, WPARAM(-1), LPARAM(choice.second));
            SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(choice.first, CBN_SELCHANGE), LPARAM(hCombo));
        }
    }
    CListView List() const { return CListView(GetDlgItem(Page(), IDC_ITEM_LIST)); }
    // Every row as the list shows it: its columns' texts, then its picture.
    std::vector<Row> Rows(int nColumns) const
    {
        std::vector<Row> rows(List().GetItemCount());
        for (int nRow = 0; nRow < int(rows.size()); ++nRow) {
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                rows[nRow].push_back(List().GetItemText(nRow, nColumn));
            rows[nRow].push_back(std::to_string(List().GetItemImage(nRow)));
        }
        return rows;
    }
    void SelectRow(int nRow) const
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        List().SetItemState(nRow, nRow < 0 ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    }

    CAction m_plugin;
    HWND m_hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
    std::unique_ptr<CPluginPage> m_page;
};

}  // namespace

TEST_F(PluginPages, GeneralPageShowsAndStoresThePluginsProperties)
{
    m_plugin.strId = "Cookies";
    m_plugin.strTitle = "Clear the cookies";
    m_plugin.strDescription = "Line one\r\nLine two";
    for (uint32_t dwLevel : {0u, 1u, 5u}) {  // any level but 0 warns
        m_plugin.bEnabled = dwLevel == 1;
        m_plugin.dwWarningLevel = dwLevel;
        Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(IsChecked(IDC_PLUGIN_ENABLED), dwLevel == 1);
        EXPECT_EQ(Text(IDC_PLUGIN_NAME) + "|" + Text(IDC_PLUGIN_TITLE) + "|" +
                      Text(IDC_PLUGIN_DESCRIPTION), "Cookies|Clear the cookies|Line one\r\nLine two");
        EXPECT_EQ(IsChecked(IDC_LEVEL_WARNING), dwLevel != 0) << dwLevel;
        EXPECT_EQ(IsChecked(IDC_LEVEL_INFORMATION), dwLevel == 0) << dwLevel;
    }
    Type({{IDC_PLUGIN_NAME, "History"}, {IDC_PLUGIN_TITLE, "Clear"}, {IDC_PLUGIN_DESCRIPTION, "A\r\n\r\nB"}});
    ClickControl(Page(), IDC_PLUGIN_ENABLED);
    EXPECT_TRUE(m_page->StoreToPlugin());
    EXPECT_EQ(m_plugin.strId + "|" + m_plugin.strTitle + "|" + m_plugin.strDescription, "History|Clear|A\r\n\r\nB");
    EXPECT_TRUE(m_plugin.bEnabled);
    EXPECT_EQ(m_plugin.dwWarningLevel, 1u);
    ClickControl(Page(), IDC_LEVEL_INFORMATION);
    EXPECT_FALSE(IsChecked(IDC_LEVEL_WARNING));
    m_page->StoreToPlugin();
    EXPECT_EQ(m_plugin.dwWarningLevel, 0u);
    // A page whose window is gone stores nothing: its empty fields would wipe the plugin.
    m_page->Destroy();
    EXPECT_FALSE(m_page->StoreToPlugin());
    EXPECT_EQ(m_plugin.strId, "History");
    Open(IDD_PAGE_EXECUTABLE);
    m_page->Destroy();
    EXPECT_FALSE(m_page->StoreToPlugin());
    EXPECT_TRUE(m_plugin.bEnabled);
}

TEST_F(PluginPages, AddMakesOneElementOfTheFieldsAndStoresItOrWithoutThemNone)
{
    const struct {
        UINT nPageId;
        int nAddId;
        Fields typed, chosen;
        Row row;  // its columns' texts and its picture
        int nRequiredId;  // a field without which Add adds nothing
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_ADD, {{IDC_FILE_PATH, "C:\\Temp"}},
         {{IDC_FILE_FLAG, "Dir content"}}, {"C:\\Temp", "*.*", "1"}, IDC_FILE_PATH},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_ADD, {{IDC_FILE_PATH, "C:\\a.log"}, {IDC_FILE_KEYWORDS, "a;b"}},
         {{IDC_FILE_METHOD, "Clear whole file"}}, {"C:\\a.log", "a;b;", "9"}, IDC_FILE_KEYWORDS},
        {IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_PATH, "Software\\Test"}, {IDC_KEY_VALUE, "Last"}, {IDC_KEY_MASK, "url*"}},
         {{IDC_KEY_ROOT, "HKEY_USERS"}, {IDC_KEY_FLAG, "Key content"}},
         {"HKEY_USERS\\Software\\Test", "", "url*", "1"}, IDC_KEY_PATH},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_PATH, "Software\\Test"}, {IDC_KEY_VALUE, "Count"}, {IDC_KEY_DATA, "12abc"}},
         {{IDC_KEY_ROOT, "HKEY_LOCAL_MACHINE"}, {IDC_KEY_DATA_TYPE, "DWORD value"}},
         {"HKEY_LOCAL_MACHINE\\Software\\Test", "Count", "12", "4"}, IDC_KEY_VALUE},
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_ADD, {{IDC_EXEC_PATH, "C:\\x.exe"}, {IDC_EXEC_PARAMETERS, "/s"}},
         {}, {"\"C:\\x.exe\" /s", "5"}, IDC_EXEC_PATH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        m_plugin = {};
        Open(c.nPageId);
        EXPECT_EQ(ImageList_GetImageCount(List().GetImageList(LVSIL_SMALL)), 10);
        Type(c.typed);
        Choose(c.chosen);
        const std::string strRequired = Text(c.nRequiredId);
        Type({{c.nRequiredId, ""}});
        // A refused Add still stores the page: the flag set behind its back goes.
        m_plugin.bEnabled = true;
        ClickButton(Page(), c.nAddId);
        EXPECT_EQ(List().GetItemCount(), 0);
        EXPECT_FALSE(m_plugin.bEnabled);
        // The second time the same element is listed already.
        Type({{c.nRequiredId, strRequired.c_str()}});
        ClickButton(Page(), c.nAddId);
        ClickButton(Page(), c.nAddId);
        EXPECT_EQ(Rows(int(c.row.size()) - 1), std::vector<Row>{c.row});
        // Closed without storing: the plugin has what Add stored.
        Open(c.nPageId);
        EXPECT_EQ(Rows(int(c.row.size()) - 1), std::vector<Row>{c.row});
    }
}

TEST_F(PluginPages, RemoveTakesTheSelectedRowAndSelectsTheNext)
{
    m_plugin.lstCommands = {"a", "b", "c"};
    Open(IDD_PAGE_EXECUTABLE);
    // Without a selection Remove only stores.
    m_plugin.lstCommands.clear();
    ClickButton(Page(), IDC_EXEC_REMOVE);
    EXPECT_EQ(m_plugin.lstCommands, StringList({"a", "b", "c"}));
    SelectRow(1);
    ClickButton(Page(), IDC_EXEC_REMOVE);
    EXPECT_EQ(Rows(1), std::vector<Row>({{"a", "5"}, {"c", "5"}}));
    EXPECT_EQ(List().GetSelectedItem(), 1);
    EXPECT_EQ(m_plugin.lstCommands, StringList({"a", "c"}));
}

TEST_F(PluginPages, ExcludeEditsTheExcludedFilesOfTheSelectedFolderRow)
{
    CTempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder / "a.txt", "a") && WriteFileBytes(folder / "b.txt", "b"));
    m_plugin.lstFiles = {{folder.Path(), TT_CONTENT}, {folder / "a.txt", TT_SINGLE}};
    Open(IDD_PAGE_ELIMINATE_FILES);
    std::vector<bool> enabled;
    for (int nRow : {-1, 1, 0}) {
        SelectRow(nRow);
        enabled.push_back(IsWindowEnabled(GetDlgItem(Page(), IDC_FILE_EXCLUDE)));
    }
    EXPECT_EQ(enabled, std::vector<bool>({false, false, true}));
    CModalAnswers answers;
    answers.Add([](HWND hDialog) {
        const CListBox content(GetDlgItem(hDialog, IDC_EXCLUDE_CONTENT));
        content.SetSel(content.FindStringExact("b.txt"), true);
        ClickButton(hDialog, IDC_EXCLUDE_ADD);
        ClickButton(hDialog, IDOK);
    });
    ClickButton(Page(), IDC_FILE_EXCLUDE);
    ASSERT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(answers.Seen()[0].rfind("Exclude File List", 0), 0u) << answers.Seen()[0];
    EXPECT_EQ(m_plugin.lstFiles.front().lstExclude, StringList({"b.txt"}));
    // The file row moves up under the selection: no folder to edit any more.
    ClickButton(Page(), IDC_FILE_REMOVE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page(), IDC_FILE_EXCLUDE)));
    answers.Press(IDCANCEL);
    ClickButton(Page(), IDC_FILE_EXCLUDE);
    EXPECT_EQ(answers.Pending(), 1u);
}

TEST_F(PluginPages, PresetAppendsTheDefinePickedByOkOrADoubleClickToThePath)
{
    const std::pair<UINT, int> pages[] = {{IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_PATH},
                                          {IDD_PAGE_UPDATE_KEYS, IDC_KEY_PATH},
                                          {IDD_PAGE_UPDATE_FILES, IDC_FILE_PATH},
                                          {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_PATH}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.first);
        Open(page.first);
        Type({{page.second, "C:"}});
        Row listed;
        CModalAnswers answers;
        // The row of that text, if there is one, is picked; 0 stands for a double click.
        for (auto pick : std::vector<std::pair<const char*, int>>{
                 {"[PATH_SYS_TEMP]", 0}, {"", IDOK}, {"[WIN_USERNAME]", IDCANCEL}, {"[WIN_USERNAME]", IDOK}})
            answers.Add([&listed, pick](HWND hDialog) {
                const CListView list(GetDlgItem(hDialog, IDC_SELECT_LIST));
                for (listed.clear(); int(listed.size()) < list.GetItemCount();) {
                    listed.push_back(list.GetItemText(int(listed.size())));
                    if (listed.back() == pick.first)
                        list.SetItemState(int(listed.size()) - 1, LVIS_SELECTED, LVIS_SELECTED);
                }
                NMHDR doubleClick = {list, IDC_SELECT_LIST, UINT(NM_DBLCLK)};
                if (pick.second)
                    ClickButton(hDialog, pick.second);
                else
                    SendMessageA(hDialog, WM_NOTIFY, IDC_SELECT_LIST, LPARAM(&doubleClick));
            });
        // The other pages take only the first pick.
        for (size_t n = 0; n < (page.first == IDD_PAGE_ELIMINATE_FILES ? 4 : 1); ++n)
            ClickButton(Page(), IDC_PRESET);
        EXPECT_EQ(answers.Seen()[0], "Preset path defines");
        EXPECT_EQ(listed, Row(PresetPathDefines()));
        EXPECT_EQ(Text(page.second), page.first == IDD_PAGE_ELIMINATE_FILES
                                         ? "C:[PATH_SYS_TEMP][WIN_USERNAME]" : "C:[PATH_SYS_TEMP]");
    }
}

TEST_F(PluginPages, BrowsePicksAFileOrAFolderAsTheChoiceAsks)
{
    const struct {
        UINT nPageId;
        int nBrowseId, nPathId;
        Fields choice;
        bool bFolder;
    } cases[] = {
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_BROWSE, IDC_EXEC_PATH, {}, false},
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, {{IDC_FILE_FLAG, "File"}}, false},
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, {{IDC_FILE_FLAG, "Dir recursion"}}, true},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, {{IDC_FILE_METHOD, "Clear lines"}}, false},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, {{IDC_FILE_METHOD, "Clear keywords"}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        Open(c.nPageId);
        Choose(c.choice);
        Type({{c.nPathId, "before"}});
        CModalAnswers answers;
        answers.Press(IDCANCEL);
        ClickButton(Page(), c.nBrowseId);
        ASSERT_EQ(answers.Seen().size(), 1u);
        EXPECT_EQ(answers.Seen()[0].find("\nSelect folders") != std::string::npos, c.bFolder);
        EXPECT_EQ(Text(c.nPathId), "before");
    }
    // The file named in the open-file dialog, whose read-only box is hidden.
    CTempFolder folder;
    CModalAnswers answers;
    answers.Add([&](HWND hDialog) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDialog, chx1)));
        SetDlgItemTextA(hDialog, cmb13, (folder / "picked.log").c_str());
        ClickButton(hDialog, IDOK);
    });
    ASSERT_TRUE(WriteFileBytes(folder / "picked.log", "x"));
    Choose({{IDC_FILE_METHOD, "Clear lines"}});
    ClickButton(Page(), IDC_FILE_BROWSE);
    EXPECT_NE(Text(IDC_FILE_PATH).find("\\picked.log"), std::string::npos) << Text(IDC_FILE_PATH);
}
