// The help file as the programs use it: every page they open is in it at the
// address they open it by and in its contents, every link of its contents,
// index and pages leads to a page that is there, and the help viewer shows it.
#include "HelpPagesInCode.h"
#include "cleaner/shell/ProductInfo.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowPicture.h"

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

// The help viewer's storage of compiled help files (itss.dll), its methods up
// to the one used; outside the unnamed namespace, or the compiler would know
// that nothing implements it and not call through its table.
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

// The topic at a help address, "<file>::/<path in the file>"; false when
// the file or the topic is not there.
bool ReadTopic(const std::string& strAddress, std::string& strContent)
{
    const CLSID kClass = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
    const IID kInterface = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
    const size_t nSeparator = strAddress.find("::");
    IITStorage* pFactory = nullptr;
    IStorage* pStorage = nullptr;
    IStream* pStream = nullptr;
    if (SUCCEEDED(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kInterface,
                                   reinterpret_cast<void**>(&pFactory)))) {
        pFactory->StgOpenStorage(Wide(strAddress.substr(0, nSeparator)).c_str(), nullptr,
                                 STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &pStorage);
        pFactory->Release();
    }
    if (pStorage) {
        pStorage->OpenStream(Wide(strAddress.substr(nSeparator + 2)).c_str(), nullptr,
                             STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &pStream);
        pStorage->Release();
    }
    if (!pStream)
        return false;
    strContent.clear();
    char buffer[4096];
    ULONG nRead = 0;
    while (SUCCEEDED(pStream->Read(buffer, sizeof(buffer), &nRead)) && nRead > 0)
        strContent.append(buffer, nRead);
    pStream->Release();
    return true;
}

// The pages that a contents or index file, or a page in the folder given,
// links to by "href" or a "Local" parameter, from the file's root.
std::set<std::string> LinkedPages(const std::string& strContent, const std::string& strFolder)
{
    std::string strLower = strContent;
    std::transform(strLower.begin(), strLower.end(), strLower.begin(), ::tolower);
    std::set<std::string> pages;
    for (const char* pszAttribute : {"href=\"", "name=\"local\" value=\""}) {
        for (size_t nAt = strLower.find(pszAttribute); nAt != std::string::npos;
             nAt = strLower.find(pszAttribute, nAt + 1)) {
            const size_t nStart = nAt + std::strlen(pszAttribute);
            const size_t nEnd = std::min(strContent.find('"', nStart), strContent.find('#', nStart));
            std::string strTarget = strContent.substr(nStart, nEnd - nStart);
            std::replace(strTarget.begin(), strTarget.end(), '\\', '/');
            if (strTarget.find(':') == std::string::npos &&
                strLower.substr(nStart, nEnd - nStart).find(".htm") != std::string::npos)
                pages.insert(strTarget.find('/') == std::string::npos ? strFolder + strTarget
                                                                      : "/" + strTarget);
        }
    }
    return pages;
}

}  // namespace

TEST(HelpFile, HoldsEveryPageTheProgramsOpenAndEveryPageItLinksTo)
{
    CoInitialize(nullptr);
    InitHelpBase();
    const std::string strFile = g_strHelpBase.substr(0, g_strHelpBase.find("::"));
    std::string strContents, strIndex, strPage;
    ASSERT_TRUE(ReadTopic(strFile + "::/Veltrin.hhc", strContents));
    ASSERT_TRUE(ReadTopic(strFile + "::/Veltrin.hhk", strIndex));
    EXPECT_FALSE(ReadTopic(g_strHelpBase + "nosuchpage.htm", strPage));
    const std::set<std::string> listed = LinkedPages(strContents, "/");
    EXPECT_GE(std::size(kHelpPagesInCode), 13u) << "the build found the programs' help pages";
    for (const char* pszPage : kHelpPagesInCode) {
        EXPECT_TRUE(ReadTopic(g_strHelpBase + pszPage, strPage)) << g_strHelpBase + pszPage;
        EXPECT_NE(strPage.find("</html>"), std::string::npos) << pszPage;
        EXPECT_EQ(listed.count(std::string("/htm/") + pszPage), 1u) << pszPage;
    }
    // Every page that the contents, the index or a page reached from them links to is there.
    const std::set<std::string> indexed = LinkedPages(strIndex, "/");
    EXPECT_GE(indexed.size(), std::size(kHelpPagesInCode));
    std::vector<std::string> toVisit(listed.begin(), listed.end());
    toVisit.insert(toVisit.end(), indexed.begin(), indexed.end());
    for (std::set<std::string> visited; !toVisit.empty();) {
        const std::string strLinked = toVisit.back();
        toVisit.pop_back();
        if (!visited.insert(strLinked).second)
            continue;
        EXPECT_TRUE(ReadTopic(strFile + "::" + strLinked, strPage)) << strLinked << " is not there";
        for (const std::string& strNext :
             LinkedPages(strPage, strLinked.substr(0, strLinked.rfind('/') + 1)))
            toVisit.push_back(strNext);
    }
}

TEST(HelpFile, ViewerShowsTheOpenedPageWithTheContentsAndTheIndex)
{
    InitHelpBase();
    // The viewer runs on the thread that opens it: this one serves it.
    ShowHelpPage("general.htm");
    HWND hViewer = nullptr;
    for (int n = 0; n < 300 && !(hViewer && IsWindowVisible(hViewer)); ++n) {
        ServeMessages(50);
        hViewer = FindWindowA(nullptr, "Veltrin PRO Help");
    }
    ASSERT_TRUE(hViewer && IsWindowVisible(hViewer)) << "the help viewer with the file's title";
    MoveWindow(hViewer, 0, 0, 900, 640, TRUE);
    const HWND hTree = FindInside(hViewer, WC_TREEVIEWA);
    const HWND hTabs = FindInside(hViewer, WC_TABCONTROLA);
    ASSERT_TRUE(hTree && hTabs);
    EXPECT_GE(SendMessageA(hTree, TVM_GETCOUNT, 0, 0), LRESULT(std::size(kHelpPagesInCode)));
    EXPECT_EQ(TabCtrl_GetItemCount(hTabs), 3);  // the contents, the index and the search
    for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem; hItem = TreeView_GetNextSibling(hTree, hItem))
        TreeView_Expand(hTree, hItem, TVE_EXPAND);
    ServeMessages(200);
    EXPECT_TRUE(SaveWindowPicture(hViewer, ArtifactPath("help-viewer.png")));
    SendMessageA(hViewer, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hViewer));
}
