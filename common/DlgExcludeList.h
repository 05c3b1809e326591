// The "Exclude File List" dialog: what a target's folder or key holds on the
// left, what the target must leave alone on the right.
#pragma once

#include "common/Action.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"

#include <cstdint>
#include <string>

enum ExcludeListMode {
    EXCLUDE_FILES,            // the files directly in a folder
    EXCLUDE_REGISTRY_VALUES,  // the data of the values of a key
};

class CDlgExcludeList : public CDialog {
public:
    // The location is a folder, or a key path under the root; macros are
    // already expanded. OK rewrites the list; Cancel leaves it untouched.
    CDlgExcludeList(const std::string& strLocation, StringList& lstExclude, HWND hParent,
                    uint32_t dwRoot, ExcludeListMode mode);

    INT_PTR DoModal() { return CDialog::DoModal(m_hParent); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override;
    void OnOK() override;

private:
    void FillWithFiles();
    void FillWithValues();
    void ShowExcluded();
    // Moves the selected entries to the end of the other list.
    void MoveSelected(const CListBox& from, const CListBox& to);
    void MoveAll(const CListBox& from, const CListBox& to);
    void UpdateButtons();

    std::string m_strLocation;
    StringList& m_lstExclude;
    HWND m_hParent;
    uint32_t m_dwRoot;
    ExcludeListMode m_mode;
    CListBox m_listContent;
    CListBox m_listExcluded;
};

// The folder browser of the option pages' "..." buttons: shows the folders,
// writes the selected one into the edit as it changes, and puts the edit's
// text back when the user cancels. 1 when a folder was chosen, 2 when not.
int BrowseForFolder(const char* pszTitle, HWND hEdit);
