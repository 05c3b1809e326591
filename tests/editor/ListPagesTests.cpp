// The five list pages over a plugin: what Add and Remove do to the rows and
// to the plugin, what the rows show, and the dialogs their buttons open.
#include "common/ExcludeListIds.h"
#include "framework/ListBox.h"
#include "tests/editor/PluginPageTest.h"
#include "tests/support/TempFolder.h"

#include <dlgs.h>

namespace {

class ListPages : public CPluginPageTest {};

std::vector<std::string> Listed(const StringList& list)
{
    return std::vector<std::string>(list.begin(), list.end());
}

FileTarget Target(const std::string& strName, uint32_t dwType, const std::string& strMask)
{
    FileTarget target;
    target.strName = strName;
    target.dwType = dwType;
    target.strMask = strMask;
    return target;
}

// The long form of a path, for comparing what a file dialog hands back.
std::string LongPath(const std::string& strPath)
{
    char szLong[MAX_PATH] = "";
    GetLongPathNameA(strPath.c_str(), szLong, MAX_PATH);
    return CharLowerA(szLong);
}

}  // namespace

TEST_F(ListPages, EliminateFilesAddsAFolderWithTheDefaultMaskOnceAndAFileBesideIt)
{
    Open(IDD_PAGE_ELIMINATE_FILES);
    EXPECT_EQ(Entries(IDC_FILE_FLAG),
              std::vector<std::string>({"File", "Dir content", "Dir recursion"}));
    EXPECT_EQ(Chosen(IDC_FILE_FLAG), "File");

    Type(IDC_FILE_PATH, "C:\\Temp");
    Choose(IDC_FILE_FLAG, "Dir content");
    Click(IDC_FILE_ADD);
    ASSERT_EQ(m_plugin.lstFiles.size(), 1u);
    const FileTarget& folder = m_plugin.lstFiles.front();
    EXPECT_EQ(folder.strName, "C:\\Temp");
    EXPECT_EQ(folder.dwType, TT_CONTENT);
    EXPECT_EQ(folder.strMask, "*.*");
    EXPECT_EQ(folder.dwReportFlags, 273u);
    EXPECT_EQ(Rows(2), std::vector<Row>({{"C:\\Temp", "*.*"}}));
    // The fields keep what was typed.
    EXPECT_EQ(Text(IDC_FILE_PATH), "C:\\Temp");

    Click(IDC_FILE_ADD);
    EXPECT_EQ(m_plugin.lstFiles.size(), 1u);
    EXPECT_EQ(List().GetItemCount(), 1);

    Choose(IDC_FILE_FLAG, "File");
    Type(IDC_FILE_MASK, "*.tmp");
    Click(IDC_FILE_ADD);
    ASSERT_EQ(m_plugin.lstFiles.size(), 2u);
    EXPECT_EQ(m_plugin.lstFiles.back().dwType, TT_SINGLE);
    EXPECT_EQ(m_plugin.lstFiles.back().strMask, "");
    EXPECT_EQ(Rows(2), std::vector<Row>({{"C:\\Temp", "*.*"}, {"C:\\Temp", ""}}));
    EXPECT_EQ(Images(), std::vector<int>({1, 0}));

    Choose(IDC_FILE_FLAG, "Dir recursion");
    Click(IDC_FILE_ADD);
    EXPECT_EQ(m_plugin.lstFiles.back().dwType, TT_RECURSIVE);
    EXPECT_EQ(m_plugin.lstFiles.back().strMask, "*.tmp");
    EXPECT_EQ(Images(), std::vector<int>({1, 0, 2}));
}

TEST_F(ListPages, AddWithoutTheRequiredFieldsAddsNothingButStillStores)
{
    const struct {
        UINT nPageId;
        int nAddId;
        std::vector<std::pair<int, const char*>> fields;  // all but one required field
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_ADD, {{IDC_FILE_MASK, "*.tmp"}}},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_ADD, {{IDC_FILE_KEYWORDS, "one"}}},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_ADD, {{IDC_FILE_PATH, "C:\\log.txt"}}},
        {IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_ADD, {{IDC_KEY_VALUE, "v"}}},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_ADD, {{IDC_KEY_VALUE, "v"}, {IDC_KEY_DATA, "d"}}},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_ADD, {{IDC_KEY_PATH, "Software"}, {IDC_KEY_DATA, "d"}}},
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_ADD, {{IDC_EXEC_PARAMETERS, "/s"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        m_plugin = CAction();
        m_plugin.bEnabled = true;
        Open(c.nPageId);
        for (const auto& field : c.fields)
            Type(field.first, field.second);
        // Changed behind the page's back: the page's copy goes back in.
        m_plugin.lstFiles.push_back(FileTarget());
        m_plugin.lstFileUpdates.push_back(FileUpdate());
        m_plugin.lstKeys.push_back(RegTarget());
        m_plugin.lstKeyUpdates.push_back(RegUpdate());
        m_plugin.lstCommands.push_back("x");
        m_plugin.bEnabled = false;
        Click(c.nAddId);
        EXPECT_EQ(List().GetItemCount(), 0);
        const size_t nListed = m_plugin.lstFiles.size() + m_plugin.lstFileUpdates.size() +
                               m_plugin.lstKeys.size() + m_plugin.lstKeyUpdates.size() +
                               m_plugin.lstCommands.size();
        EXPECT_EQ(nListed, 4u);
        EXPECT_TRUE(m_plugin.bEnabled);
    }
}

TEST_F(ListPages, RemoveSelectsTheRowThatTookThePlaceOfTheRemovedOne)
{
    m_plugin.lstCommands = {"\"a.exe\"", "\"b.exe\"", "\"c.exe\""};
    Open(IDD_PAGE_EXECUTABLE);
    EXPECT_EQ(SelectedRow(), -1);

    // Without a selection Remove only stores.
    m_plugin.lstCommands.clear();
    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(Listed(m_plugin.lstCommands),
              std::vector<std::string>({"\"a.exe\"", "\"b.exe\"", "\"c.exe\""}));

    SelectRow(2);
    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(Rows(1), std::vector<Row>({{"\"a.exe\""}, {"\"b.exe\""}}));
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Listed(m_plugin.lstCommands), std::vector<std::string>({"\"a.exe\"", "\"b.exe\""}));

    SelectRow(0);
    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(Rows(1), std::vector<Row>({{"\"b.exe\""}}));
    EXPECT_EQ(SelectedRow(), 0);

    Click(IDC_EXEC_REMOVE);
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_TRUE(m_plugin.lstCommands.empty());
}

TEST_F(ListPages, UpdateKeysStoresTheLeadingNumberOfNumberData)
{
    Open(IDD_PAGE_UPDATE_KEYS);
    EXPECT_EQ(Entries(IDC_KEY_ROOT),
              std::vector<std::string>({"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                        "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                        "HKEY_CURRENT_CONFIG"}));
    EXPECT_EQ(Chosen(IDC_KEY_ROOT), "HKEY_CURRENT_USER");
    EXPECT_EQ(Entries(IDC_KEY_DATA_TYPE), std::vector<std::string>({"Sting value", "DWORD value"}));
    EXPECT_EQ(Chosen(IDC_KEY_DATA_TYPE), "Sting value");

    Type(IDC_KEY_PATH, "Software\\Test");
    Choose(IDC_KEY_DATA_TYPE, "DWORD value");
    Type(IDC_KEY_VALUE, "Count");
    Type(IDC_KEY_DATA, "12abc");
    Click(IDC_KEY_ADD);
    Type(IDC_KEY_VALUE, "Other");
    Type(IDC_KEY_DATA, "abc");
    Click(IDC_KEY_ADD);
    Choose(IDC_KEY_ROOT, "HKEY_LOCAL_MACHINE");
    Choose(IDC_KEY_DATA_TYPE, "Sting value");
    Type(IDC_KEY_VALUE, "Name");
    Type(IDC_KEY_DATA, "12abc");
    Click(IDC_KEY_ADD);

    ASSERT_EQ(m_plugin.lstKeyUpdates.size(), 3u);
    const RegUpdate& number = m_plugin.lstKeyUpdates.front();
    EXPECT_EQ(number.target.dwKey, 0x80000001u);
    EXPECT_EQ(number.target.strName, "Software\\Test");
    EXPECT_EQ(number.target.strValue, "Count");
    EXPECT_EQ(number.dwDataType, RegUpdate::DT_NUMBER);
    EXPECT_EQ(number.dwData, 12u);
    EXPECT_EQ(std::next(m_plugin.lstKeyUpdates.begin())->dwData, 0u);
    const RegUpdate& text = m_plugin.lstKeyUpdates.back();
    EXPECT_EQ(text.target.dwKey, 0x80000002u);
    EXPECT_EQ(text.dwDataType, RegUpdate::DT_TEXT);
    EXPECT_EQ(text.strData, "12abc");
    EXPECT_EQ(Rows(3), std::vector<Row>({{"HKEY_CURRENT_USER\\Software\\Test", "Count", "12"},
                                         {"HKEY_CURRENT_USER\\Software\\Test", "Other", "0"},
                                         {"HKEY_LOCAL_MACHINE\\Software\\Test", "Name", "12abc"}}));
    EXPECT_EQ(Images(), std::vector<int>({4, 4, 3}));

    // The same value again, with other data, is the same item.
    Type(IDC_KEY_DATA, "changed");
    Click(IDC_KEY_ADD);
    EXPECT_EQ(m_plugin.lstKeyUpdates.size(), 3u);
}

TEST_F(ListPages, EliminateKeysKeepsTheValueOrTheMaskAsTheFlagAsks)
{
    Open(IDD_PAGE_ELIMINATE_KEYS);
    EXPECT_EQ(Entries(IDC_KEY_FLAG),
              std::vector<std::string>({"Value", "Key content", "Key recursion"}));
    EXPECT_EQ(Chosen(IDC_KEY_FLAG), "Value");
    Type(IDC_KEY_PATH, "Software\\Test");
    Type(IDC_KEY_VALUE, "Last");
    Type(IDC_KEY_MASK, "url*");
    Click(IDC_KEY_ADD);
    Choose(IDC_KEY_FLAG, "Key content");
    Choose(IDC_KEY_ROOT, "HKEY_USERS");
    Click(IDC_KEY_ADD);
    Choose(IDC_KEY_FLAG, "Key recursion");
    Click(IDC_KEY_ADD);

    EXPECT_EQ(Rows(3), std::vector<Row>({{"HKEY_CURRENT_USER\\Software\\Test", "Last", ""},
                                         {"HKEY_USERS\\Software\\Test", "", "url*"},
                                         {"HKEY_USERS\\Software\\Test", "", ""}}));
    EXPECT_EQ(Images(), std::vector<int>({6, 1, 2}));
    ASSERT_EQ(m_plugin.lstKeys.size(), 3u);
    EXPECT_EQ(m_plugin.lstKeys.front().dwKey, 0x80000001u);
    EXPECT_EQ(m_plugin.lstKeys.back().dwKey, 0x80000003u);
    EXPECT_EQ(m_plugin.lstKeys.back().dwType, TT_RECURSIVE);
}

TEST_F(ListPages, UpdateFilesCutsTheKeywordsAtEverySemicolon)
{
    Open(IDD_PAGE_UPDATE_FILES);
    EXPECT_EQ(Entries(IDC_FILE_METHOD),
              std::vector<std::string>({"Clear lines", "Clear keywords", "Clear whole file"}));
    EXPECT_EQ(Chosen(IDC_FILE_METHOD), "Clear lines");
    Type(IDC_FILE_PATH, "C:\\one.log");
    Type(IDC_FILE_KEYWORDS, "one;two");
    Click(IDC_FILE_ADD);
    Type(IDC_FILE_PATH, "C:\\two.log");
    Type(IDC_FILE_KEYWORDS, "a;;b");
    Choose(IDC_FILE_METHOD, "Clear whole file");
    Click(IDC_FILE_ADD);

    ASSERT_EQ(m_plugin.lstFileUpdates.size(), 2u);
    EXPECT_EQ(m_plugin.lstFileUpdates.front().vecKeywords, StringVector({"one", "two"}));
    EXPECT_EQ(m_plugin.lstFileUpdates.front().dwMethod, FileUpdate::FU_CLEAR_LINES);
    EXPECT_EQ(m_plugin.lstFileUpdates.back().vecKeywords, StringVector({"a", "", "b"}));
    EXPECT_EQ(m_plugin.lstFileUpdates.back().dwMethod, FileUpdate::FU_CLEAR_FILE);
    EXPECT_EQ(Rows(2), std::vector<Row>({{"C:\\one.log", "one;two;"}, {"C:\\two.log", "a;;b;"}}));
    EXPECT_EQ(Images(), std::vector<int>({7, 9}));
}

TEST_F(ListPages, ExecutableActionsQuoteThePathBeforeTheParameters)
{
    Open(IDD_PAGE_EXECUTABLE);
    Type(IDC_EXEC_PATH, "C:\\x.exe");
    Type(IDC_EXEC_PARAMETERS, "/s");
    Click(IDC_EXEC_ADD);
    Type(IDC_EXEC_PARAMETERS, "");
    Click(IDC_EXEC_ADD);
    Click(IDC_EXEC_ADD);
    EXPECT_EQ(Listed(m_plugin.lstCommands),
              std::vector<std::string>({"\"C:\\x.exe\" /s", "\"C:\\x.exe\""}));
    EXPECT_EQ(Rows(1), std::vector<Row>({{"\"C:\\x.exe\" /s"}, {"\"C:\\x.exe\""}}));
    EXPECT_EQ(Images(), std::vector<int>({5, 5}));
}

TEST_F(ListPages, EachPageShowsThePluginsListAndStoresItBackUnchanged)
{
    FileTarget excluding = Target("[PATH_SYS_TEMP]", TT_RECURSIVE, "*.tmp|*.bak");
    excluding.lstExclude = {"keep.tmp"};
    excluding.bUseDate = true;
    excluding.stDate.wYear = 2004;
    m_plugin.lstFiles = {excluding, Target("C:\\boot.log", TT_SINGLE, ""),
                         Target("C:\\Odd", 7, "*.*")};
    FileUpdate update;
    update.strPath = "C:\\log.txt";
    update.dwMethod = FileUpdate::FU_CLEAR_KEYWORDS;
    update.vecKeywords = {"one", "two"};
    m_plugin.lstFileUpdates = {update};
    RegTarget key;
    key.strName = "Software\\A";
    key.dwKey = 0x80000004;  // a root the editor does not offer
    key.strValue = "v";
    key.lstExcludeValues = {"x"};
    m_plugin.lstKeys = {key};
    RegUpdate value;
    value.target.strName = "Software\\B";
    value.target.strValue = "Count";
    value.dwDataType = RegUpdate::DT_NUMBER;
    value.dwData = 0xFFFFFFFF;
    m_plugin.lstKeyUpdates = {value};
    m_plugin.lstCommands = {"\"C:\\x.exe\" /s"};
    m_plugin.bEnabled = true;
    const CAction original = m_plugin;

    const struct {
        UINT nPageId;
        std::vector<Row> rows;
        std::vector<int> images;
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES,
         {{"[PATH_SYS_TEMP]", "*.tmp|*.bak"}, {"C:\\boot.log", ""}, {"C:\\Odd", "*.*"}},
         {2, 0, -1}},
        {IDD_PAGE_UPDATE_FILES, {{"C:\\log.txt", "one;two;"}}, {8}},
        {IDD_PAGE_ELIMINATE_KEYS, {{"\\Software\\A", "v", ""}}, {6}},
        {IDD_PAGE_UPDATE_KEYS, {{"HKEY_CURRENT_USER\\Software\\B", "Count", "4294967295"}}, {4}},
        {IDD_PAGE_EXECUTABLE, {{"\"C:\\x.exe\" /s"}}, {5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        Open(c.nPageId);
        EXPECT_EQ(Rows(static_cast<int>(c.rows.front().size())), c.rows);
        EXPECT_EQ(Images(), c.images);
        Leave();
        EXPECT_TRUE(m_plugin == original);
    }
}

TEST_F(ListPages, RowsHaveTheirPicturesWhenThePictureStripIsThere)
{
    const bool bStrip = FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_ITEM_IMAGES), RT_BITMAP);
    for (UINT nPageId : {IDD_PAGE_ELIMINATE_FILES, IDD_PAGE_EXECUTABLE}) {
        Open(nPageId);
        const HIMAGELIST hImages = List().GetImageList(LVSIL_SMALL);
        if (bStrip) {
            ASSERT_NE(hImages, nullptr);
            EXPECT_EQ(ImageList_GetImageCount(hImages), 10);
        } else {
            EXPECT_EQ(hImages, nullptr);
        }
    }
}

TEST_F(ListPages, ExcludeEditsTheExcludedFilesOfTheSelectedFolderRow)
{
    CTempFolder folder;
    for (const char* pszName : {"a.txt", "b.txt"})
        ASSERT_TRUE(WriteFileBytes(folder / pszName, pszName));
    m_plugin.lstFiles = {Target(folder.Path(), TT_CONTENT, "*.*"),
                         Target(folder / "a.txt", TT_SINGLE, "")};
    Open(IDD_PAGE_ELIMINATE_FILES);
    EXPECT_FALSE(IsEnabled(IDC_FILE_EXCLUDE));
    SelectRow(1);
    EXPECT_FALSE(IsEnabled(IDC_FILE_EXCLUDE));
    SelectRow(0);
    EXPECT_TRUE(IsEnabled(IDC_FILE_EXCLUDE));

    CModalAnswers answers;
    answers.Add([](HWND hDialog) {
        const CListBox content(GetDlgItem(hDialog, IDC_EXCLUDE_CONTENT));
        content.SetSel(content.FindStringExact("b.txt"), true);
        ClickButton(hDialog, IDC_EXCLUDE_ADD);
        ClickButton(hDialog, IDOK);
    });
    Click(IDC_FILE_EXCLUDE);
    ASSERT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(answers.Seen()[0].rfind("Exclude File List", 0), 0u) << answers.Seen()[0];
    EXPECT_EQ(Listed(m_plugin.lstFiles.front().lstExclude), std::vector<std::string>({"b.txt"}));

    // Cancel leaves the list; the page's copy keeps what OK wrote.
    answers.Add([](HWND hDialog) {
        const CListBox excluded(GetDlgItem(hDialog, IDC_EXCLUDE_LIST));
        excluded.SetSel(0, true);
        ClickButton(hDialog, IDC_EXCLUDE_REMOVE);
        ClickButton(hDialog, IDCANCEL);
    });
    Click(IDC_FILE_EXCLUDE);
    EXPECT_EQ(answers.Pending(), 0u);
    EXPECT_EQ(Listed(m_plugin.lstFiles.front().lstExclude), std::vector<std::string>({"b.txt"}));

    // The file row moves up under the selection: no folder to edit any more.
    Click(IDC_FILE_REMOVE);
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_FALSE(IsEnabled(IDC_FILE_EXCLUDE));
    answers.Press(IDCANCEL);
    Click(IDC_FILE_EXCLUDE);
    EXPECT_EQ(answers.Pending(), 1u);
}

namespace {

// Picks the row of that text, if there is one, and presses the button.
CModalAnswers::Answer PickDefine(const std::string& strDefine, int nButtonId,
                                 std::vector<std::string>* pListed = nullptr)
{
    return [=](HWND hDialog) {
        const CListView list(GetDlgItem(hDialog, IDC_SELECT_LIST));
        for (int nRow = 0; nRow < list.GetItemCount(); ++nRow) {
            const std::string strText = list.GetItemText(nRow);
            if (pListed)
                pListed->push_back(strText);
            if (strText == strDefine)
                list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        ClickButton(hDialog, nButtonId);
    };
}

}  // namespace

TEST_F(ListPages, PresetAppendsThePickedDefineToThePath)
{
    Open(IDD_PAGE_ELIMINATE_FILES);
    Type(IDC_FILE_PATH, "C:");
    std::vector<std::string> listed;
    CModalAnswers answers;
    answers.Add(PickDefine("[WIN_USERNAME]", IDOK, &listed));
    answers.Add(PickDefine("[WIN_USERNAME]", IDOK));
    answers.Add(PickDefine("", IDOK));
    answers.Add(PickDefine("[PATH_SYS_TEMP]", IDCANCEL));
    for (int n = 0; n < 4; ++n)
        Click(IDC_PRESET);
    EXPECT_EQ(answers.Pending(), 0u);
    ASSERT_EQ(answers.Seen().size(), 4u);
    EXPECT_EQ(answers.Seen()[0], "Preset path defines");
    EXPECT_EQ(Text(IDC_FILE_PATH), "C:[WIN_USERNAME][WIN_USERNAME]");
    ASSERT_EQ(listed.size(), 25u);
    EXPECT_EQ(listed.front(), "%WinDir%");
    EXPECT_EQ(listed[4], "[WIN_USERNAME]");
    EXPECT_EQ(listed.back(), "[PATH_APP_WINAMP_ROOT]");
}

TEST_F(ListPages, EveryPageWithPresetsAppendsToItsOwnPath)
{
    const struct {
        UINT nPageId;
        int nPathId;
    } cases[] = {
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_PATH},
        {IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_PATH},
        {IDD_PAGE_UPDATE_KEYS, IDC_KEY_PATH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        Open(c.nPageId);
        Type(c.nPathId, "Software\\");
        CModalAnswers answers;
        answers.Add(PickDefine("[PATH_SYS_TEMP]", IDOK));
        Click(IDC_PRESET);
        EXPECT_EQ(answers.Pending(), 0u);
        EXPECT_EQ(Text(c.nPathId), "Software\\[PATH_SYS_TEMP]");
    }
}

TEST_F(ListPages, BrowsePicksAFileOrAFolderAsTheChoiceAsks)
{
    CTempFolder folder;
    const std::string strFile = folder / "picked.log";
    ASSERT_TRUE(WriteFileBytes(strFile, "x"));
    // Names the file in the open-file dialog, whose read-only box is hidden.
    bool bReadOnlyShown = true;
    auto NameFile = [&](HWND hDialog) {
        bReadOnlyShown = IsWindowVisible(GetDlgItem(hDialog, chx1)) != FALSE;
        SetDlgItemTextA(hDialog, cmb13, strFile.c_str());
        ClickButton(hDialog, IDOK);
    };
    const struct {
        UINT nPageId;
        int nBrowseId;
        int nPathId;
        int nChoiceId;
        const char* pszFileEntry;
        const char* pszFolderEntry;
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, IDC_FILE_FLAG, "File",
         "Dir recursion"},
        {IDD_PAGE_UPDATE_FILES, IDC_FILE_BROWSE, IDC_FILE_PATH, IDC_FILE_METHOD, "Clear lines",
         "Clear keywords"},
        {IDD_PAGE_EXECUTABLE, IDC_EXEC_BROWSE, IDC_EXEC_PATH, 0, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        Open(c.nPageId);
        CModalAnswers answers;
        if (c.nChoiceId)
            Choose(c.nChoiceId, c.pszFileEntry);
        Type(c.nPathId, "before");
        answers.Add(NameFile);
        Click(c.nBrowseId);
        EXPECT_EQ(answers.Pending(), 0u);
        EXPECT_FALSE(bReadOnlyShown);
        EXPECT_EQ(LongPath(Text(c.nPathId)), LongPath(strFile));
        if (!c.nChoiceId)
            continue;

        // The folder browser puts the text back when cancelled.
        Choose(c.nChoiceId, c.pszFolderEntry);
        Type(c.nPathId, "before");
        answers.Press(IDCANCEL);
        Click(c.nBrowseId);
        EXPECT_EQ(answers.Pending(), 0u);
        ASSERT_EQ(answers.Seen().size(), 2u);
        EXPECT_NE(answers.Seen()[1].find("\nSelect folders"), std::string::npos)
            << answers.Seen()[1];
        EXPECT_EQ(Text(c.nPathId), "before");
    }
}
