// A modal dialog that lets the user pick one text from a list.
#pragma once

#include "common/Action.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"

#include <string>

class CSelectItemDlg : public CDialog {
public:
    CSelectItemDlg(const std::string& strCaption, const StringVector& vecItems);

    // The text of the row picked with OK; empty when none was.
    const std::string& GetPicked() const { return m_strPicked; }

protected:
    bool OnInitDialog() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    // Takes the selected row's text and closes; false without a selection.
    bool PickSelected();

    std::string m_strCaption;
    StringVector m_vecItems;
    std::string m_strPicked;
    CListView m_list;
};
