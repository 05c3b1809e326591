#include "editor/ViewKT.h"

#include "editor/ChildFrame.h"
#include "editor/DocKT.h"
#include "editor/resource.h"
#include "framework/ImageList.h"

namespace {

// One image list for the trees of every plugin window.
HIMAGELIST CategoryImages()
{
    static CImageList s_images;
    if (!s_images.GetHandle())
        s_images.CreateFromBitmap(IDB_CATEGORY_IMAGES, 16, 16, RGB(255, 0, 255), 11);
    return s_images.GetHandle();
}

struct Category {
    const char* pszText;
    bool bChild;  // under the group above it
    int nImage;
    UINT nPageId;  // 0 for a group
};

const Category kCategories[] = {
    {"General", false, 2, IDD_PAGE_GENERAL},
    {"File Actions", false, 3, 0},
    {"Eliminate Files", true, 9, IDD_PAGE_ELIMINATE_FILES},
    {"Update Files", true, 10, IDD_PAGE_UPDATE_FILES},
    {"Registry Actions", false, 4, 0},
    {"Eliminate Keys", true, 5, IDD_PAGE_ELIMINATE_KEYS},
    {"Update Keys", true, 6, IDD_PAGE_UPDATE_KEYS},
    {"Executable Actions", false, 7, IDD_PAGE_EXECUTABLE},
};

// "&" shows as itself in a control's text only when doubled.
std::string Literally(const std::string& strText)
{
    std::string strShown;
    for (char ch : strText) {
        strShown += ch;
        if (ch == '&')
            strShown += '&';
    }
    return strShown;
}

void MoveBy(CWindow& window, int dx, int dy, int dcx, int dcy)
{
    const RECT rect = window.GetRectInParent();
    window.Move(rect.left + dx, rect.top + dy, rect.right - rect.left + dcx,
                rect.bottom - rect.top + dcy);
}

}  // namespace

CViewKT::CViewKT(CDocKT& document) : CDialog(IDD_VIEW_FORM), m_document(document)
{
    m_document.AddView(this);
}

CViewKT::~CViewKT()
{
    m_pPage.reset();
    m_document.RemoveView(this);
}

bool CViewKT::Create(CChildFrame& frame)
{
    if (!CDialog::Create(frame))
        return false;
    frame.SetView(this);
    // The plugin window fits around the form.
    const RECT form = GetWindowRect();
    RECT window = {0, 0, form.right - form.left, form.bottom - form.top};
    AdjustWindowRectEx(&window, GetWindowLongA(frame, GWL_STYLE), FALSE,
                       GetWindowLongA(frame, GWL_EXSTYLE));
    frame.SetPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Show(SW_SHOW);
    return true;
}

bool CViewKT::OnInitDialog()
{
    m_groupBox.Attach(GetItem(IDC_PAGE_FRAME));
    m_tree.Attach(GetItem(IDC_CATEGORY_TREE));
    m_tree.SetImageList(CategoryImages());
    FillTree();
    return true;
}

void CViewKT::FillTree()
{
    HTREEITEM hGroup = TVI_ROOT;
    for (const Category& category : kCategories) {
        HTREEITEM hItem = m_tree.InsertItem(category.bChild ? hGroup : TVI_ROOT,
                                            category.pszText, category.nImage, category.nPageId);
        if (!category.bChild)
            hGroup = hItem;
    }
}

bool CViewKT::OnNotify(const NMHDR& header, LRESULT&)
{
    if (header.idFrom != IDC_CATEGORY_TREE || header.code != TVN_SELCHANGEDA)
        return false;
    OnSelectionChanged(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.hItem);
    return true;
}

void CViewKT::OnSelectionChanged(HTREEITEM hItem)
{
    if (!hItem)
        return;
    const UINT nPageId = static_cast<UINT>(m_tree.GetItemData(hItem));
    if (nPageId == 0) {
        // A group shows its first category, whose selection comes back here.
        HTREEITEM hFirst = m_tree.GetChild(hItem);
        if (hFirst)
            m_tree.SelectItem(hFirst);
        return;
    }
    ShowPage(nPageId);
    m_groupBox.SetText(Literally(m_tree.GetItemText(hItem)));
}

void CViewKT::ShowPage(UINT nPageId)
{
    RECT area = m_groupBox.GetRectInParent();
    area.left += 3;
    area.right -= 3;
    area.bottom -= 3;
    area.top += 14;
    if (m_pPage) {
        m_pPage->StoreToPlugin();
        m_pPage->Destroy();
        m_pPage.reset();
    }
    m_pPage = CreatePluginPage(nPageId, &m_document.m_plugin);
    if (!m_pPage)
        return;
    if (!m_pPage->Create(m_hWnd)) {
        m_pPage.reset();
        return;
    }
    m_pPage->Move(area.left, area.top, area.right - area.left, area.bottom - area.top);
    m_pPage->Show(SW_SHOW);
}

void CViewKT::Relayout(int dx, int dy)
{
    if (!m_pPage)
        return;
    const bool bGroupVisible = m_groupBox.IsVisible();
    if (bGroupVisible) {
        m_pPage->Show(SW_HIDE);
        MoveBy(m_groupBox, dx, dy, 0, 0);
    }
    MoveBy(*m_pPage, dx, dy, 0, 0);
    if (!m_pPage->IsVisible())
        m_pPage->Show(SW_SHOW);
    MoveBy(m_tree, 0, 0, dx, dy);
}

void CViewKT::OnUpdate(CView*, long)
{
    if (m_pPage)
        m_pPage->StoreToPlugin();
}

void CViewKT::OnDestroy()
{
    m_pPage.reset();
}
