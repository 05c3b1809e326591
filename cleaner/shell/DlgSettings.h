// The settings dialog: a tree of categories and, beside it, the option page
// of the selected one. Every way of leaving a page applies it first.
#pragma once

#include "cleaner/shell/OptionPage.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/TreeView.h"

#include <memory>

class CActionManager;

class CDlgSettings : public CDialog {
public:
    explicit CDlgSettings(CActionManager& manager);
    ~CDlgSettings() override;

    CTreeView& GetTree() { return m_tree; }
    // The open page; null when none.
    COptionPage* GetPage() const { return m_pPage.get(); }

protected:
    bool OnInitDialog() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(UINT uType, int cx, int cy) override;
    // Enter outside a page leaves the dialog open.
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildTree();
    void ShowPage(HTREEITEM hItem);
    void ClosePage();
    RECT PageArea() const;

    CActionManager& m_manager;
    CTreeView m_tree;
    CImageList m_treeImages;
    std::unique_ptr<COptionPage> m_pPage;
    HBITMAP m_hBackground = nullptr;
    SIZE m_initialSize = {};
    SIZE m_lastClient = {};
};
