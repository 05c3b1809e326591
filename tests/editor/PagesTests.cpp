// The pages of a plugin window over the test's plugin, driven by the messages a
// user's typing and clicks send: what they store, and what Add, Remove and Preset do.
#include "editor/PathPresets.h"
#include "editor/PluginPage.h"
#include "editor/resource.h"
#include "framework/ListView.h"
#include "tests/support/ModalAnswers.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Texts;
typedef std::vector<std::pair<int, const char*>> Fields;

class PluginPages : public ::testing::Test {
protected:
    ~PluginPages() override { DestroyWindow(m_hParent); }

    // The page of that number over m_plugin as it is now.
    void Open(UINT nPageId)
    {
        m_page = CreatePluginPage(nPageId, &m_plugin);
        ASSERT_TRUE(m_page && m_page->Create(m_hParent)) << nPageId;
    }
    HWND Item(int nId) const { return GetDlgItem(*m_page, nId); }
    void Click(int nId) const { ClickButton(*m_page, nId); }
    // Types into the fields and picks the entries of drop-down lists by their texts.
    void Enter(const Fields& fields) const
    {
        for (const auto& field : fields) {
            SetWindowTextA(Item(field.first), field.second);
            SendMessageA(Item(field.first), CB_SELECTSTRING, WPARAM(-1), LPARAM(field.second));
        }
    }
    CListView List() const { return CListView(Item(IDC_ITEM_LIST)); }
    // Every row as the list shows it: its columns' texts, then its picture.
    Texts Rows() const
    {
        const int nColumns = Header_GetItemCount(ListView_GetHeader(List()));
        Texts rows(List().GetItemCount());
        for (int nRow = 0; nRow < int(rows.size()); ++nRow) {
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                rows[nRow] += List().GetItemText(nRow, nColumn) + "|";
            rows[nRow] += std::to_string(List().GetItemImage(nRow));
        }
        return rows;
    }

    CAction m_plugin;
    HWND m_hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
    std::unique_ptr<CPluginPage> m_page;
};

}  // namespace

TEST_F(PluginPages, GeneralPageWarnsAtAnyLevelButZeroAndAClosedPageStoresNothing)
{
    m_plugin.dwWarningLevel = 5;
    m_plugin.lstCommands = {"a"};
    Open(IDD_PAGE_GENERAL);
    Enter({{IDC_PLUGIN_NAME, "History"}});
    EXPECT_TRUE(m_page->StoreToPlugin());
    EXPECT_EQ(m_plugin.dwWarningLevel, 1u);
    // A page whose window is gone keeps its empty fields from wiping the plugin.
    for (UINT nPageId : {IDD_PAGE_GENERAL, IDD_PAGE_EXECUTABLE}) {
        Open(nPageId);
        m_page->Destroy();
        m_plugin.bEnabled = true;
        const CAction before = m_plugin;
        EXPECT_FALSE(m_page->StoreToPlugin());
        EXPECT_EQ(m_plugin, before);
    }
    EXPECT_EQ(m_plugin.strId, "History");
}

// The last field of each case is one without which Add adds nothing.
TEST_F(PluginPages, AddMakesOneElementOfTheFieldsAndStoresItOrWithoutThemNone)
{
    const struct {
        UINT nPageId;
        int nAddId;
        Fields fields;
        const char* pszRow;
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_ADD,
         {{IDC_FILE_FLAG, "Dir content"}, {IDC_FILE_PATH, "C:\\Temp"}}, "C:\\Temp|*.*|1"},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_ADD,
         {{IDC_FILE_PATH, "a"}, {IDC_FILE_METHOD, "Clear whole file"}, {IDC_FILE_KEYWORDS, "k;l"}},
         "a|k;l;|9"},
        {IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_VALUE, "Last"}, {IDC_KEY_MASK, "url*"}, {IDC_KEY_ROOT, "HKEY_USERS"},
          {IDC_KEY_FLAG, "Key content"}, {IDC_KEY_PATH, "Soft"}}, "HKEY_USERS\\Soft||url*|1"},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_ADD,
         {{IDC_KEY_PATH, "Soft"}, {IDC_KEY_DATA, "12abc"}, {IDC_KEY_ROOT, "HKEY_LOCAL_MACHINE"},
          {IDC_KEY_DATA_TYPE, "DWORD value"}, {IDC_KEY_VALUE, "Count"}},
         "HKEY_LOCAL_MACHINE\\Soft|Count|12|4"},
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_ADD,
         {{IDC_EXEC_PARAMETERS, "/s"}, {IDC_EXEC_PATH, "C:\\x.exe"}}, "\"C:\\x.exe\" /s|5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        m_plugin = {};
        Open(c.nPageId);
        EXPECT_EQ(ImageList_GetImageCount(List().GetImageList(LVSIL_SMALL)), 10);
        Enter(Fields(c.fields.begin(), c.fields.end() - 1));
        // A refused Add still stores the page: the flag set behind its back goes.
        m_plugin.bEnabled = true;
        Click(c.nAddId);
        EXPECT_FALSE(m_plugin.bEnabled);
        // The second time the same element is listed already.
        Enter({c.fields.back()});
        Click(c.nAddId);
        Click(c.nAddId);
        EXPECT_EQ(Rows(), Texts{c.pszRow});
        // Closed without storing: the plugin has what Add stored.
        Open(c.nPageId);
        EXPECT_EQ(Rows(), Texts{c.pszRow});
    }
}

TEST_F(PluginPages, RemoveTakesTheSelectedRowAndSelectsTheNext)
{
    m_plugin.lstCommands = {"a", "b", "c"};
    Open(IDD_PAGE_EXECUTABLE);
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(Rows(), Texts({"a|5", "c|5"}));
    EXPECT_EQ(List().GetSelectedItem(), 1);
    EXPECT_EQ(m_plugin.lstCommands, StringList({"a", "c"}));
    Click(IDC_EXEC_REMOVE);  // the last row: the new last one is selected
    EXPECT_EQ(List().GetSelectedItem(), 0);
}

// The define picked by a double click or by OK is appended; OK with none picked adds nothing.
TEST_F(PluginPages, PresetAppendsTheDefinePickedByOkOrADoubleClickToThePath)
{
    Open(IDD_PAGE_ELIMINATE_KEYS);
    Enter({{IDC_KEY_PATH, "C:"}});
    Texts listed;
    CModalAnswers answers;
    // The row picked (-1 for none), then a double click (true) or OK.
    for (auto pick : std::vector<std::pair<int, bool>>{{5, true}, {-1, false}, {0, false}})
        answers.Add([&listed, pick](HWND hDialog) {
            const CListView list(GetDlgItem(hDialog, IDC_SELECT_LIST));
            for (listed.clear(); int(listed.size()) < list.GetItemCount();)
                listed.push_back(list.GetItemText(int(listed.size())));
            if (pick.first >= 0)
                list.SetItemState(pick.first, LVIS_SELECTED, LVIS_SELECTED);
            NMHDR doubleClick = {list, IDC_SELECT_LIST, UINT(NM_DBLCLK)};
            if (pick.second)
                SendMessageA(hDialog, WM_NOTIFY, IDC_SELECT_LIST, LPARAM(&doubleClick));
            else
                ClickButton(hDialog, IDOK);
        });
    for (int n = 0; n < 3; ++n)
        Click(IDC_PRESET);
    EXPECT_EQ(answers.Seen()[0], "Preset path defines");
    EXPECT_EQ(listed, PresetPathDefines());
    EXPECT_EQ(CWindow(Item(IDC_KEY_PATH)).GetText(), "C:" + listed[5] + listed[0]);
}
