// The help file as the programs use it: every page they open is in it and in its contents,
// at the address they open it by, and every link of its contents, index and pages leads there.
#include "HelpPagesInCode.h"
#include "cleaner/shell/ProductInfo.h"
#include "tests/support/TempFolder.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>

// The storage of compiled help files (itss.dll) up to the one method used; outside the
// unnamed namespace, or the compiler would know that nothing implements it.
struct IITStorage : public IUnknown {
    virtual void CreateDocfile() = 0;
    virtual void CreateDocfileOnLockBytes() = 0;
    virtual void IsStorageFile() = 0;
    virtual void IsStorageLockBytes() = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                     IStorage**) = 0;
};

namespace {

// The topic at a help address, "<file>::/<path in the file>"; empty when either is not there.
std::string ReadTopic(const std::string& strAddress)
{
    const GUID kClsid = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
    const GUID kIid = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
    const size_t nSeparator = strAddress.find("::");
    IITStorage* pFactory = nullptr;
    IStorage* pStorage = nullptr;
    IStream* pStream = nullptr;
    if (SUCCEEDED(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, kIid,
                                   reinterpret_cast<void**>(&pFactory))))
        pFactory->StgOpenStorage(Wide(strAddress.substr(0, nSeparator)).c_str(), nullptr,
                                 STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &pStorage);
    if (pStorage)
        pStorage->OpenStream(Wide(strAddress.substr(nSeparator + 2)).c_str(), nullptr,
                             STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &pStream);
    std::string strContent;
    char buffer[4096];
    ULONG nRead = 0;
    while (pStream && SUCCEEDED(pStream->Read(buffer, sizeof(buffer), &nRead)) && nRead > 0)
        strContent.append(buffer, nRead);
    for (IUnknown* pUsed : std::initializer_list<IUnknown*>{pFactory, pStorage, pStream})
        if (pUsed)
            pUsed->Release();
    return strContent;
}

// The pages a contents, index or page file in strFolder links to by "href" or "Local", from root.
std::set<std::string> LinkedPages(const std::string& strText, const std::string& strFolder)
{
    static const std::regex link("(?:href|name=\"local\" value)=\"([^\"#:]*\\.htm[^\"#:]*)",
                                 std::regex::icase);
    std::set<std::string> pages;
    for (std::sregex_iterator it(strText.begin(), strText.end(), link), end; it != end; ++it) {
        std::string strTarget = (*it)[1];
        std::replace(strTarget.begin(), strTarget.end(), '\\', '/');
        pages.insert(strTarget.find('/') == std::string::npos ? strFolder + strTarget
                                                              : "/" + strTarget);
    }
    return pages;
}

}  // namespace

TEST(HelpFile, HoldsEveryPageTheProgramsOpenAndEveryPageItLinksTo)
{
    CoInitialize(nullptr);
    InitHelpBase();
    const std::string strFile = g_strHelpBase.substr(0, g_strHelpBase.find("::"));
    const std::set<std::string> listed = LinkedPages(ReadTopic(strFile + "::/Veltrin.hhc"), "/");
    EXPECT_EQ(ReadTopic(g_strHelpBase + "nosuchpage.htm"), "");
    EXPECT_GE(std::size(kHelpPagesInCode), 13u) << "the build found the programs' help pages";
    for (const char* pszPage : kHelpPagesInCode) {
        EXPECT_NE(ReadTopic(g_strHelpBase + pszPage).find("</html>"), std::string::npos) << pszPage;
        EXPECT_EQ(listed.count(std::string("/htm/") + pszPage), 1u) << pszPage;
    }
    EXPECT_GE(LinkedPages(ReadTopic(strFile + "::/Veltrin.hhk"), "/").size(),
              std::size(kHelpPagesInCode));
    // Every page that the contents, the index or a page reached from them links to is there.
    std::vector<std::string> pages = {"/Veltrin.hhc", "/Veltrin.hhk"};
    for (size_t n = 0; n < pages.size(); ++n) {
        const std::string strPath = pages[n], strPage = ReadTopic(strFile + "::" + strPath);
        EXPECT_NE(strPage, "") << strPath << " is not there";
        const std::string strFolder = strPath.substr(0, strPath.rfind('/') + 1);
        for (const std::string& strNext : LinkedPages(strPage, strFolder))
            if (std::find(pages.begin(), pages.end(), strNext) == pages.end())
                pages.push_back(strNext);
    }
}
