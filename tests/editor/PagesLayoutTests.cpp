// Every editor page as a plugin window shows it: every control inside the
// page and clear of the others, with room for its text, and the columns of
// its list; and a picture of each, with some rows, for people to look at.
#include "tests/editor/PluginPageTest.h"
#include "tests/support/ControlLayout.h"
#include "tests/support/WindowPicture.h"

#include <algorithm>

namespace {

const UINT kPageIds[] = {IDD_PAGE_GENERAL,        IDD_PAGE_ELIMINATE_FILES, IDD_PAGE_UPDATE_FILES,
                         IDD_PAGE_ELIMINATE_KEYS, IDD_PAGE_UPDATE_KEYS,     IDD_PAGE_EXECUTABLE};

class PagesLayout : public CPluginPageTest {
protected:
    // The page as the user sees it: shown, in its window's top-left corner.
    void ShowPage()
    {
        const RECT rect = m_page->GetWindowRect();
        SetWindowPos(m_hParent, HWND_TOP, 40, 40, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_SHOWWINDOW);
        m_page->Show(SW_SHOW);
        UpdateWindow(m_hParent);
    }

    void ExpectEntriesFit(int nComboId) const
    {
        const HWND hCombo = GetDlgItem(Page(), nComboId);
        RECT client;
        GetClientRect(hCombo, &client);
        HDC hDC = GetDC(hCombo);
        HGDIOBJ hOld =
            SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageA(hCombo, WM_GETFONT, 0, 0)));
        for (const std::string& strEntry : Entries(nComboId)) {
            SIZE size;
            GetTextExtentPoint32A(hDC, strEntry.c_str(), static_cast<int>(strEntry.size()), &size);
            EXPECT_LE(size.cx + 4, client.right - GetSystemMetrics(SM_CXVSCROLL)) << strEntry;
        }
        SelectObject(hDC, hOld);
        ReleaseDC(hCombo, hDC);
    }
};

std::string ColumnTitle(HWND hList, int nColumn)
{
    char szTitle[64] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = szTitle;
    column.cchTextMax = sizeof(szTitle);
    if (!SendMessageA(hList, LVM_GETCOLUMNA, nColumn, reinterpret_cast<LPARAM>(&column)))
        return std::string();
    return szTitle;
}

FileTarget Folder(const char* pszName, uint32_t dwType, const char* pszMask)
{
    FileTarget target;
    target.strName = pszName;
    target.dwType = dwType;
    target.strMask = pszMask;
    return target;
}

}  // namespace

TEST_F(PagesLayout, ControlsFitTheirPagesClearOfEachOther)
{
    for (UINT nPageId : kPageIds) {
        SCOPED_TRACE("page " + std::to_string(nPageId));
        Open(nPageId);
        const RECT client = m_page->GetClientRect();
        std::vector<PageControl> controls = ControlsOf(Page());
        ASSERT_FALSE(controls.empty());
        // The hidden check box of the list pages takes no room.
        controls.erase(std::remove_if(controls.begin(), controls.end(),
                                      [](const PageControl& control) {
                                          return !(GetWindowLongPtrA(control.hWnd, GWL_STYLE) &
                                                   WS_VISIBLE);
                                      }),
                       controls.end());
        ExpectReadableLayout(client, controls);
        for (int nComboId : {IDC_FILE_FLAG, IDC_KEY_ROOT, IDC_KEY_FLAG}) {
            char szClass[16] = "";
            GetClassNameA(GetDlgItem(Page(), nComboId), szClass, sizeof(szClass));
            if (lstrcmpiA(szClass, "ComboBox") == 0)
                ExpectEntriesFit(nComboId);
        }
    }
}

TEST_F(PagesLayout, ListsHaveTheirColumnsWithTheFirstTakingTheRest)
{
    const struct {
        UINT nPageId;
        std::vector<std::string> titles;
        std::vector<int> widths;  // the first: how much narrower than the list
    } cases[] = {
        {IDD_PAGE_ELIMINATE_FILES, {"Path", "Mask"}, {60, 40}},
        {IDD_PAGE_UPDATE_FILES, {"Path", "Keywords"}, {120, 100}},
        {IDD_PAGE_ELIMINATE_KEYS, {"Reg Path", "Value", "Mask"}, {140, 60, 60}},
        {IDD_PAGE_UPDATE_KEYS, {"Reg Path", "Value Name", "Value Data"}, {130, 80, 300}},
        {IDD_PAGE_EXECUTABLE, {"Path"}, {20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPageId);
        Open(c.nPageId);
        const CListView list = List();
        const LONG_PTR nStyle = GetWindowLongPtrA(list, GWL_STYLE);
        EXPECT_EQ(nStyle & (LVS_TYPEMASK | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS),
                  LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        const RECT rect = list.GetWindowRect();
        std::vector<std::string> titles;
        for (size_t n = 0; n < c.titles.size() + 1; ++n)
            titles.push_back(ColumnTitle(list, static_cast<int>(n)));
        std::vector<std::string> expected = c.titles;
        expected.push_back("");
        EXPECT_EQ(titles, expected);
        EXPECT_EQ(list.GetColumnWidth(0), rect.right - rect.left - c.widths[0]);
        for (size_t n = 1; n < c.widths.size(); ++n)
            EXPECT_EQ(list.GetColumnWidth(static_cast<int>(n)), c.widths[n]);
    }
}

TEST_F(PagesLayout, PicturesOfThePagesWithSomeRows)
{
    m_plugin.strId = "TempCleaner";
    m_plugin.strTitle = "Clearing the temporary files";
    m_plugin.dwWarningLevel = WL_WARNING;
    m_plugin.strDescription = "Removes the temporary files.\r\nSome programs may miss them.";
    m_plugin.bEnabled = true;
    m_plugin.lstFiles = {Folder("[PATH_SYS_TEMP]", TT_RECURSIVE, "*.*"),
                         Folder("C:\\Windows\\Temp", TT_CONTENT, "*.tmp|*.bak"),
                         Folder("C:\\boot.log", TT_SINGLE, "")};
    FileUpdate update;
    update.strPath = "%AppData%\\prog.ini";
    update.dwMethod = FileUpdate::FU_CLEAR_KEYWORDS;
    update.vecKeywords = {"Recent*", "Last*"};
    m_plugin.lstFileUpdates = {update};
    update.strPath = "C:\\session.log";
    update.dwMethod = FileUpdate::FU_CLEAR_FILE;
    m_plugin.lstFileUpdates.push_back(update);
    RegTarget key;
    key.strName = "Software\\Example\\Recent";
    key.strValue = "Last";
    m_plugin.lstKeys = {key};
    key.dwType = TT_CONTENT;
    key.strValue.clear();
    key.strValueMask = "url*";
    m_plugin.lstKeys.push_back(key);
    RegUpdate value;
    value.target.strName = "Software\\Example";
    value.target.strValue = "Count";
    value.dwDataType = RegUpdate::DT_NUMBER;
    value.dwData = 12;
    m_plugin.lstKeyUpdates = {value};
    m_plugin.lstCommands = {"\"C:\\Tools\\clean.exe\" /s", "\"C:\\Tools\\report.exe\""};

    for (UINT nPageId : kPageIds) {
        SCOPED_TRACE(nPageId);
        Open(nPageId);
        ShowPage();
        if (nPageId != IDD_PAGE_GENERAL)
            SelectRow(1);
        if (nPageId == IDD_PAGE_ELIMINATE_FILES)
            Type(IDC_FILE_PATH, "C:\\Documents and Settings");
        const std::string strName = "editor-page-" + std::to_string(nPageId) + ".png";
        EXPECT_TRUE(SaveWindowPicture(Page(), ArtifactPath(strName)));
    }
}
