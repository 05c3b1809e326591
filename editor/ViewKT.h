// The inside of a plugin window: the tree of the plugin's categories on the
// left and, on the right, the page of the chosen category in a group box.
#pragma once

#include "editor/PluginPage.h"
#include "framework/Document.h"
#include "framework/TreeView.h"

#include <memory>

class CChildFrame;
class CDocKT;

class CViewKT : public CDialog, public CView {
public:
    explicit CViewKT(CDocKT& document);
    ~CViewKT() override;

    // Creates the form in the plugin window and fills the tree.
    bool Create(CChildFrame& frame);
    CDocKT& GetDocument() const { return m_document; }

    // The page shown, null until a category is chosen.
    CPluginPage* GetPage() const { return m_pPage.get(); }
    CTreeView& GetTree() { return m_tree; }
    // Shows the page of a category (its page number); the page shown so far
    // stores its fields first.
    void ShowPage(UINT nPageId);
    // Follows a change of the window's size by (dx, dy) while a page is shown.
    void Relayout(int dx, int dy);

    // The document is about to be saved: the page stores its fields.
    void OnUpdate(CView* pSender, long nHint) override;

protected:
    bool OnInitDialog() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    // Enter and Escape belong to the page's fields, not to the form.
    void OnOK() override {}
    void OnCancel() override {}
    void OnDestroy() override;

private:
    void FillTree();
    void OnSelectionChanged(HTREEITEM hItem);

    CDocKT& m_document;
    CWindow m_groupBox;
    CTreeView m_tree;
    std::unique_ptr<CPluginPage> m_pPage;
};
