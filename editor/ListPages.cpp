#include "editor/ListPages.h"

#include "common/DlgExcludeList.h"
#include "editor/ListPage.h"
#include "editor/resource.h"

namespace {

const ListPageLayout kEliminateFiles = {
    IDD_PAGE_ELIMINATE_FILES, IDC_FILE_PATH, IDC_FILE_ADD, IDC_FILE_REMOVE, true,
    IDC_FILE_BROWSE, IDC_FILE_FLAG,
    {{"Path", 60}, {"Mask", 40}},
    {{IDC_FILE_FLAG, FileFlagTable}},
};

const ListPageLayout kUpdateFiles = {
    IDD_PAGE_UPDATE_FILES, IDC_FILE_PATH, IDC_FILE_ADD, IDC_FILE_REMOVE, true,
    IDC_FILE_BROWSE, IDC_FILE_METHOD,
    {{"Path", 120}, {"Keywords", 100}},
    {{IDC_FILE_METHOD, UpdateMethodTable}},
};

const ListPageLayout kEliminateKeys = {
    IDD_PAGE_ELIMINATE_KEYS, IDC_KEY_PATH, IDC_KEY_ADD, IDC_KEY_REMOVE, true, 0, 0,
    {{"Reg Path", 140}, {"Value", 60}, {"Mask", 60}},
    {{IDC_KEY_ROOT, RootKeyTable}, {IDC_KEY_FLAG, KeyFlagTable}},
};

const ListPageLayout kUpdateKeys = {
    IDD_PAGE_UPDATE_KEYS, IDC_KEY_PATH, IDC_KEY_ADD, IDC_KEY_REMOVE, true, 0, 0,
    {{"Reg Path", 130}, {"Value Name", 80}, {"Value Data", 300}},
    {{IDC_KEY_ROOT, RootKeyTable}, {IDC_KEY_DATA_TYPE, DataTypeTable}},
};

const ListPageLayout kExecutable = {
    IDD_PAGE_EXECUTABLE, IDC_EXEC_PATH, IDC_EXEC_ADD, IDC_EXEC_REMOVE, false,
    IDC_EXEC_BROWSE, 0,
    {{"Path", 20}},
    {},
};

struct FileTargetItems {
    typedef FileTarget Element;
    static std::list<FileTarget>& ListOf(CAction& action) { return action.lstFiles; }
    static std::optional<FileTarget> FromFields(const CListPage& page)
    {
        return MakeFileTarget(page.GetFieldText(IDC_FILE_PATH), page.GetChoiceCode(IDC_FILE_FLAG),
                              page.GetFieldText(IDC_FILE_MASK));
    }
};

struct FileUpdateItems {
    typedef FileUpdate Element;
    static std::list<FileUpdate>& ListOf(CAction& action) { return action.lstFileUpdates; }
    static std::optional<FileUpdate> FromFields(const CListPage& page)
    {
        return MakeFileUpdate(page.GetFieldText(IDC_FILE_PATH),
                              page.GetChoiceCode(IDC_FILE_METHOD),
                              page.GetFieldText(IDC_FILE_KEYWORDS));
    }
};

struct RegTargetItems {
    typedef RegTarget Element;
    static std::list<RegTarget>& ListOf(CAction& action) { return action.lstKeys; }
    static std::optional<RegTarget> FromFields(const CListPage& page)
    {
        return MakeRegTarget(page.GetFieldText(IDC_KEY_PATH), page.GetChoiceCode(IDC_KEY_ROOT),
                             page.GetChoiceCode(IDC_KEY_FLAG), page.GetFieldText(IDC_KEY_VALUE),
                             page.GetFieldText(IDC_KEY_MASK));
    }
};

struct RegUpdateItems {
    typedef RegUpdate Element;
    static std::list<RegUpdate>& ListOf(CAction& action) { return action.lstKeyUpdates; }
    static std::optional<RegUpdate> FromFields(const CListPage& page)
    {
        return MakeRegUpdate(page.GetFieldText(IDC_KEY_PATH), page.GetChoiceCode(IDC_KEY_ROOT),
                             page.GetChoiceCode(IDC_KEY_DATA_TYPE),
                             page.GetFieldText(IDC_KEY_VALUE), page.GetFieldText(IDC_KEY_DATA));
    }
};

struct CommandItems {
    typedef std::string Element;
    static StringList& ListOf(CAction& action) { return action.lstCommands; }
    static std::optional<std::string> FromFields(const CListPage& page)
    {
        return MakeCommandLine(page.GetFieldText(IDC_EXEC_PATH),
                               page.GetFieldText(IDC_EXEC_PARAMETERS));
    }
};

// The Eliminate Files page also edits the files a folder row leaves alone.
class CPageEliminateFiles : public CListPageOf<FileTargetItems> {
public:
    explicit CPageEliminateFiles(CAction* pPlugin) : CListPageOf(kEliminateFiles, pPlugin) {}

protected:
    bool OnInitDialog() override
    {
        const bool bFocus = CListPageOf::OnInitDialog();
        OnSelectionChanged();
        return bFocus;
    }
    bool OnCommand(WORD wId, WORD wNotifyCode, HWND hControl) override
    {
        if (wId != IDC_FILE_EXCLUDE || wNotifyCode != BN_CLICKED)
            return CListPageOf::OnCommand(wId, wNotifyCode, hControl);
        OnExclude();
        return true;
    }
    void OnSelectionChanged() override
    {
        EnableWindow(GetItem(IDC_FILE_EXCLUDE), SelectedFolder() != nullptr);
    }

private:
    // The selected row's target while it names a folder rather than a file.
    FileTarget* SelectedFolder()
    {
        const int nRow = GetSelectedRow();
        if (nRow < 0 || static_cast<size_t>(nRow) >= m_items.size())
            return nullptr;
        FileTarget& target = m_items[nRow];
        return target.dwType != TT_SINGLE ? &target : nullptr;
    }

    // The folder is shown as written: a path with a define lists nothing.
    void OnExclude()
    {
        FileTarget* pTarget = SelectedFolder();
        if (!pTarget)
            return;
        CDlgExcludeList dialog(pTarget->strName, pTarget->lstExclude, m_hWnd, 0, EXCLUDE_FILES);
        dialog.DoModal();
        StoreToPlugin();
    }
};

template <class Items>
std::unique_ptr<CPluginPage> NewListPage(const ListPageLayout& layout, CAction* pPlugin)
{
    return std::unique_ptr<CPluginPage>(new CListPageOf<Items>(layout, pPlugin));
}

}  // namespace

std::unique_ptr<CPluginPage> CreateListPage(UINT nPageId, CAction* pPlugin)
{
    switch (nPageId) {
    case IDD_PAGE_ELIMINATE_FILES:
        return std::unique_ptr<CPluginPage>(new CPageEliminateFiles(pPlugin));
    case IDD_PAGE_UPDATE_FILES:
        return NewListPage<FileUpdateItems>(kUpdateFiles, pPlugin);
    case IDD_PAGE_ELIMINATE_KEYS:
        return NewListPage<RegTargetItems>(kEliminateKeys, pPlugin);
    case IDD_PAGE_UPDATE_KEYS:
        return NewListPage<RegUpdateItems>(kUpdateKeys, pPlugin);
    case IDD_PAGE_EXECUTABLE:
        return NewListPage<CommandItems>(kExecutable, pPlugin);
    default:
        return nullptr;
    }
}
