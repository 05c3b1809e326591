// The Plug-Ins page of the settings dialog: the loaded plugins to switch on
// and off, the description of the selected one with what it reaches beyond
// its own words, and the import of plugin files into the plugin folder.
#pragma once

#include "cleaner/shell/OptionPage.h"
#include "common/Action.h"
#include "framework/ListView.h"

class CPagePlugins : public COptionPage {
public:
    // Asks for the files to import: their full paths, none when cancelled.
    typedef StringVector (*FileChooser)(HWND hOwner);

    CPagePlugins(CActionManager& manager, HBITMAP hBackground);

    bool Apply() override;

    // The open-file dialog needs a person; a run without one puts its own
    // in its place.
    void SetFileChooser(FileChooser pfnChoose) { m_pfnChooseFiles = pfnChoose; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillList();
    // A click on a column's header sorts by it; a second click reverses.
    void OnColumnClick(int nColumn);
    void SortList();
    static int CALLBACK CompareRows(LPARAM lLeft, LPARAM lRight, LPARAM lPage);
    // A check box ticked by the user or by the program, or another change.
    void OnItemChanged(const NMLISTVIEW& change);
    void ShowSelectedDetails();
    void CheckAll(bool bCheck);
    void OnImport();
    void DrawIconFrame(const DRAWITEMSTRUCT& item) const;
    CAction* FindAction(int nItem);

    CListView m_list;
    // The category of each row, in the order of filling, which is by name;
    // a row's item data is its index here.
    StringVector m_categories;
    int m_nSortColumn = 0;
    bool m_bDescending = false;
    bool m_bInitialized = false;
    bool m_bPageTicking = false;  // the page sets the boxes itself: filling, "Select All"
    HICON m_hShownIcon = nullptr;  // none until a plugin is selected
    FileChooser m_pfnChooseFiles;
};
