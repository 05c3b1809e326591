// What the five list pages share: a working copy of one of the action's
// lists, shown by a list view that asks the page for every cell, input
// fields that make a new element, and Add and Remove.
#pragma once

#include "editor/PageItems.h"
#include "editor/PluginPage.h"
#include "framework/ListView.h"

#include <list>
#include <optional>
#include <string>
#include <vector>

// What differs between the list pages apart from their elements.
struct ListPageLayout {
    struct Column {
        const char* pszTitle;  // null after the last column
        int nWidth;  // for the first column: how much narrower than the list it is
    };
    struct Choice {
        int nControlId;  // 0 after the last drop-down list
        const CCodeTable& (*pfnTable)();
    };

    UINT nPageId;
    int nPathId;
    int nAddId;
    int nRemoveId;
    bool bPreset;
    int nBrowseId;  // 0 on a page without a Browse button
    // The drop-down list whose first entry has Browse pick a file and any
    // other a folder; 0 when Browse always picks a file.
    int nFileChoiceId;
    Column columns[4];
    Choice choices[3];
};

class CListPage : public CPluginPage {
public:
    // The check box, and the working copy in place of the action's list.
    bool StoreToPlugin() override;

    // What the input fields hold, for making an element of them.
    std::string GetFieldText(int nId) const { return GetItemText(nId); }
    // The code of the drop-down list's choice.
    uint32_t GetChoiceCode(int nId) const;

protected:
    CListPage(const ListPageLayout& layout, CAction* pPlugin);

    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

    // The selected row, or -1.
    int GetSelectedRow() const { return m_list.GetSelectedItem(); }
    // After the selection moved, or the element under it changed.
    virtual void OnSelectionChanged() {}

    // The working copy, kept by the page of each kind of element.
    virtual size_t GetItemCount() const = 0;
    virtual std::string GetCellText(size_t nRow, int nColumn) const = 0;
    virtual int GetCellImage(size_t nRow) const = 0;
    // Appends what the fields make, unless a required field is empty or the
    // same element is listed; whether it did.
    virtual bool AppendFromFields() = 0;
    // The row to select in place of the erased one; -1 for none.
    virtual int EraseItem(int nRow) = 0;
    virtual void LoadItems() = 0;
    virtual void StoreItems() = 0;

private:
    void OnAdd();
    void OnRemove();
    void OnBrowse();
    void OnPreset();
    void OnGetDispInfo(NMLVDISPINFOA& info) const;
    const ListPageLayout::Choice* FindChoice(int nId) const;
    void ShowItemCount() const;

    const ListPageLayout& m_layout;
    CListView m_list;
};

// A list page over one kind of element. Items names the element type, the
// action's list of them (ListOf) and how the page's fields make one
// (FromFields).
template <class Items>
class CListPageOf : public CListPage {
public:
    typedef typename Items::Element Element;

    CListPageOf(const ListPageLayout& layout, CAction* pPlugin) : CListPage(layout, pPlugin) {}

protected:
    size_t GetItemCount() const override { return m_items.size(); }
    std::string GetCellText(size_t nRow, int nColumn) const override
    {
        return ItemText(m_items[nRow], nColumn);
    }
    int GetCellImage(size_t nRow) const override { return ItemImage(m_items[nRow]); }
    bool AppendFromFields() override
    {
        const std::optional<Element> item = Items::FromFields(*this);
        return item && AppendUnlessListed(m_items, *item);
    }
    int EraseItem(int nRow) override { return EraseRow(m_items, nRow); }
    void LoadItems() override
    {
        const std::list<Element>& list = Items::ListOf(*m_pPlugin);
        m_items.assign(list.begin(), list.end());
    }
    void StoreItems() override { Items::ListOf(*m_pPlugin).assign(m_items.begin(), m_items.end()); }

    std::vector<Element> m_items;
};
