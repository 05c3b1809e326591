// The help file as the programs use it: every page they open is in it at the
// address they open it by, its contents, index and links lead to pages that
// are there, and the help viewer shows it.
#include "HelpPagesInCode.h"
#include "cleaner/shell/ProductInfo.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WindowPicture.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

// The storage interface of compiled help files, from itss.dll: the one the
// help viewer reads its topics through. Only the methods up to the one used
// are declared; their order is the interface's. It stays outside the
// unnamed namespace: there the compiler would know that no class of this
// program implements it and would not call through its table.
const CLSID kItStorageClass = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kItStorageInterface = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

struct IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                   IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                     IStorage**) = 0;
};

namespace {

std::wstring Wide(const std::string& strText)
{
    return std::wstring(strText.begin(), strText.end());
}

std::string Lower(std::string strText)
{
    std::transform(strText.begin(), strText.end(), strText.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return strText;
}

// Reads topics by their help addresses, "<file>::/<path in the file>".
class CHelpReader {
public:
    CHelpReader() { CoInitialize(nullptr); }
    ~CHelpReader()
    {
        for (auto& storage : m_storages)
            storage.second->Release();
        CoUninitialize();
    }

    // The topic's bytes; false when the file or the topic is not there.
    bool Read(const std::string& strAddress, std::string& strContent)
    {
        const size_t nSeparator = strAddress.find("::");
        if (nSeparator == std::string::npos)
            return false;
        IStorage* pStorage = Storage(strAddress.substr(0, nSeparator));
        IStream* pStream = nullptr;
        if (!pStorage || FAILED(pStorage->OpenStream(Wide(strAddress.substr(nSeparator + 2)).c_str(),
                                                     nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                                     &pStream)))
            return false;
        strContent.clear();
        char buffer[4096];
        ULONG nRead = 0;
        while (SUCCEEDED(pStream->Read(buffer, sizeof(buffer), &nRead)) && nRead > 0)
            strContent.append(buffer, nRead);
        pStream->Release();
        return true;
    }

private:
    IStorage* Storage(const std::string& strFile)
    {
        auto found = m_storages.find(strFile);
        if (found != m_storages.end())
            return found->second;
        IITStorage* pFactory = nullptr;
        if (FAILED(CoCreateInstance(kItStorageClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kItStorageInterface, reinterpret_cast<void**>(&pFactory))))
            return nullptr;
        IStorage* pStorage = nullptr;
        pFactory->StgOpenStorage(Wide(strFile).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                 nullptr, 0, &pStorage);
        pFactory->Release();
        if (pStorage)
            m_storages[strFile] = pStorage;
        return pStorage;
    }

    std::map<std::string, IStorage*> m_storages;
};

// The pages a contents or index file, or a page, points at: each value of
// "Local" parameters or of "href" attributes that is a page of the help
// file, without its anchor, relative to the help file's root.
std::set<std::string> LinkedPages(const std::string& strContent, const std::string& strFolder)
{
    std::set<std::string> pages;
    const std::string strLower = Lower(strContent);
    for (const char* pszAttribute : {"href=\"", "name=\"local\" value=\""}) {
        for (size_t nAt = strLower.find(pszAttribute); nAt != std::string::npos;
             nAt = strLower.find(pszAttribute, nAt + 1)) {
            const size_t nStart = nAt + std::strlen(pszAttribute);
            std::string strTarget = strContent.substr(nStart, strContent.find('"', nStart) - nStart);
            strTarget = strTarget.substr(0, strTarget.find('#'));
            if (strTarget.empty() || strTarget.find(':') != std::string::npos ||
                Lower(strTarget).find(".htm") == std::string::npos)
                continue;  // an anchor on the same page, or another site
            std::replace(strTarget.begin(), strTarget.end(), '\\', '/');
            pages.insert(strTarget.find('/') == std::string::npos ? strFolder + strTarget
                                                                  : "/" + strTarget);
        }
    }
    return pages;
}

std::string HelpFilePath()
{
    return g_strHelpBase.substr(0, g_strHelpBase.find("::"));
}

class HelpFile : public testing::Test {
protected:
    void SetUp() override { InitHelpBase(); }
    CHelpReader m_reader;
};

}  // namespace

TEST_F(HelpFile, HoldsEveryPageTheProgramsOpenAtTheAddressTheyOpenItBy)
{
    EXPECT_GE(std::size(kHelpPagesInCode), 13u) << "the build found the programs' help pages";
    for (const char* pszPage : kHelpPagesInCode) {
        std::string strContent;
        ASSERT_TRUE(m_reader.Read(g_strHelpBase + pszPage, strContent)) << g_strHelpBase + pszPage;
        const std::string strLower = Lower(strContent);
        EXPECT_NE(strLower.find("<title>"), std::string::npos) << pszPage;
        EXPECT_NE(strLower.find("</html>"), std::string::npos) << pszPage;
    }
    std::string strContent;
    EXPECT_FALSE(m_reader.Read(g_strHelpBase + "nosuchpage.htm", strContent));
}

TEST_F(HelpFile, ContentsIndexAndLinksLeadOnlyToPagesThatAreThere)
{
    const std::string strFile = HelpFilePath();
    std::string strContents, strIndex;
    ASSERT_TRUE(m_reader.Read(strFile + "::/Veltrin.hhc", strContents));
    ASSERT_TRUE(m_reader.Read(strFile + "::/Veltrin.hhk", strIndex));
    const std::set<std::string> listed = LinkedPages(strContents, "/");
    const std::set<std::string> indexed = LinkedPages(strIndex, "/");

    // Every page that the contents, the index or a page reached from them
    // points at is there; every page the programs open is in the contents.
    std::vector<std::string> toVisit(listed.begin(), listed.end());
    toVisit.insert(toVisit.end(), indexed.begin(), indexed.end());
    std::set<std::string> visited;
    while (!toVisit.empty()) {
        const std::string strPage = toVisit.back();
        toVisit.pop_back();
        if (!visited.insert(strPage).second)
            continue;
        std::string strContent;
        if (!m_reader.Read(strFile + "::" + strPage, strContent)) {
            ADD_FAILURE() << "a link leads to " << strPage << ", which is not in the help file";
            continue;
        }
        const std::string strFolder = strPage.substr(0, strPage.rfind('/') + 1);
        for (const std::string& strLinked : LinkedPages(strContent, strFolder))
            toVisit.push_back(strLinked);
    }
    for (const char* pszPage : kHelpPagesInCode)
        EXPECT_EQ(listed.count(std::string("/htm/") + pszPage), 1u) << pszPage;
    EXPECT_GE(indexed.size(), std::size(kHelpPagesInCode));
}

TEST_F(HelpFile, ViewerShowsTheOpenedPageWithTheContents)
{
    // The viewer runs on the thread that opens it: this one serves it.
    ShowHelpPage("general.htm");
    HWND hViewer = nullptr;
    for (int n = 0; n < 300; ++n) {
        hViewer = FindWindowA(nullptr, "Veltrin PRO Help");
        if (hViewer && IsWindowVisible(hViewer))
            break;
        ServeMessages(50);
    }
    ASSERT_TRUE(hViewer && IsWindowVisible(hViewer)) << "the help viewer with the file's title";
    MoveWindow(hViewer, 0, 0, 900, 640, TRUE);

    // The navigation pane has the contents, listing the pages of the
    // contents file, and the index.
    const HWND hTree = FindInside(hViewer, WC_TREEVIEWA);
    const HWND hTabs = FindInside(hViewer, WC_TABCONTROLA);
    ASSERT_TRUE(hTree && hTabs);
    EXPECT_GE(SendMessageA(hTree, TVM_GETCOUNT, 0, 0), LRESULT(std::size(kHelpPagesInCode)));
    std::vector<std::string> tabs;
    for (int n = 0; n < SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0); ++n) {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        SendMessageA(hTabs, TCM_GETITEMA, n, reinterpret_cast<LPARAM>(&item));
        std::string strText = szText;
        strText.erase(std::remove(strText.begin(), strText.end(), '&'), strText.end());
        tabs.push_back(strText);
    }
    EXPECT_NE(std::find(tabs.begin(), tabs.end(), "Index"), tabs.end());
    for (auto hItem = reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
         hItem; hItem = reinterpret_cast<HTREEITEM>(
                    SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(hItem))))
        SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
    ServeMessages(1000);
    EXPECT_TRUE(SaveWindowPicture(hViewer, ArtifactPath("help-viewer.png")));
    SendMessageA(hViewer, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hViewer));
}
