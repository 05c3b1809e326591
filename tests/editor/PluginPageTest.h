// An editor page in a window of its own over the test's action, driven by
// the messages a user's typing and clicks would send.
#pragma once

#include "editor/PluginPage.h"
#include "editor/resource.h"
#include "framework/ListView.h"
#include "tests/support/ModalAnswers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

typedef std::vector<std::string> Row;

class CPluginPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hParent = CreateWindowExA(WS_EX_CONTROLPARENT, "Static", "", WS_POPUP | WS_CLIPCHILDREN,
                                    0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
    }
    void TearDown() override
    {
        m_page.reset();
        DestroyWindow(m_hParent);
    }

    // The page of that number over m_plugin as it is now.
    CPluginPage& Open(UINT nPageId)
    {
        m_page = CreatePluginPage(nPageId, &m_plugin);
        EXPECT_TRUE(m_page);
        if (m_page) {
            EXPECT_TRUE(m_page->Create(m_hParent));
        }
        return *m_page;
    }
    // Stores the page and closes it, as the plugin window does when another
    // category is chosen.
    void Leave()
    {
        EXPECT_TRUE(m_page->StoreToPlugin());
        m_page.reset();
    }
    HWND Page() const { return m_page->GetHwnd(); }

    std::string Text(int nId) const { return CWindow(GetDlgItem(Page(), nId)).GetText(); }
    void Type(int nId, const std::string& strText) const
    {
        SetDlgItemTextA(Page(), nId, strText.c_str());
    }
    // Picks the entry of a drop-down list by its text.
    void Choose(int nId, const std::string& strEntry) const
    {
        const HWND hCombo = GetDlgItem(Page(), nId);
        const LRESULT nIndex = SendMessageA(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(strEntry.c_str()));
        ASSERT_NE(nIndex, CB_ERR) << strEntry;
        SendMessageA(hCombo, CB_SETCURSEL, nIndex, 0);
        SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(nId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hCombo));
    }
    std::vector<std::string> Entries(int nId) const
    {
        const HWND hCombo = GetDlgItem(Page(), nId);
        std::vector<std::string> entries;
        const int nCount = static_cast<int>(SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
        for (int n = 0; n < nCount; ++n) {
            char szText[256] = "";
            SendMessageA(hCombo, CB_GETLBTEXT, n, reinterpret_cast<LPARAM>(szText));
            entries.push_back(szText);
        }
        return entries;
    }
    std::string Chosen(int nId) const
    {
        const HWND hCombo = GetDlgItem(Page(), nId);
        const LRESULT nIndex = SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
        return nIndex == CB_ERR ? std::string() : Entries(nId)[nIndex];
    }
    void Click(int nId) const { ClickButton(Page(), nId); }
    // Whether the control shows whenever its page does.
    bool IsShown(int nId) const
    {
        return (GetWindowLongPtrA(GetDlgItem(Page(), nId), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    bool IsEnabled(int nId) const { return IsWindowEnabled(GetDlgItem(Page(), nId)) != FALSE; }

    CListView List() const { return CListView(GetDlgItem(Page(), IDC_ITEM_LIST)); }
    // Every row's texts in the given number of columns, as the list shows them.
    std::vector<Row> Rows(int nColumns) const
    {
        std::vector<Row> rows;
        const CListView list = List();
        for (int nRow = 0; nRow < list.GetItemCount(); ++nRow) {
            Row row;
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                row.push_back(list.GetItemText(nRow, nColumn));
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<int> Images() const
    {
        std::vector<int> images;
        const CListView list = List();
        for (int nRow = 0; nRow < list.GetItemCount(); ++nRow)
            images.push_back(list.GetItemImage(nRow));
        return images;
    }
    // Selects the row as a click does; -1 clears the selection.
    void SelectRow(int nRow) const
    {
        const UINT uState = LVIS_SELECTED | LVIS_FOCUSED;
        List().SetItemState(-1, 0, uState);
        if (nRow >= 0)
            List().SetItemState(nRow, uState, uState);
    }
    int SelectedRow() const { return List().GetSelectedItem(); }

    CAction m_plugin;
    HWND m_hParent = nullptr;
    std::unique_ptr<CPluginPage> m_page;
};
