// "Check for updates", and the fetcher it reads with, against the test's
// web server, whose address is set in the settings as an administrator would.
#include "cleaner/shell/UpdateCheck.h"

#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/UrlFetcher.h"
#include "tests/support/AddressRecorder.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestWebServer.h"

namespace {

class UpdateCheck : public CWebServerTest {};

// What the fetcher read from the address, or "<gave up>".
std::string Fetch(const std::string& strUrl, DWORD nSizeLimit = CUrlFetcher::kDefaultSizeLimit,
                  DWORD dwTimeLimit = CUrlFetcher::kDefaultTimeLimit)
{
    std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create(nSizeLimit, dwTimeLimit);
    EXPECT_NE(pFetcher->Start(strUrl), nullptr);
    if (!pFetcher->Wait())
        return "<gave up>";
    EXPECT_FALSE(pFetcher->IsRunning());
    EXPECT_EQ(pFetcher->GetText()[pFetcher->GetSize()], '\0');
    return std::string(pFetcher->GetText(), pFetcher->GetSize());
}

}  // namespace

// A newer version offers its download page; the same one, or anything but
// an update file, says so. The cursor is the arrow while a box waits.
TEST_F(UpdateCheck, OffersTheDownloadPageOfANewerVersionOnly)
{
    const char kNew[] = "There is a new version detected. Click \"Yes\" to download latest version.";
    const char kLatest[] = "You already have latest version";
    const char kNotFound[] = "Update server is not found. Please verify your internet "
                             "connection or try a little later.";
    const char kFile[] = "LatestVersion 251\r\nShowURL \"http://127.0.0.1/d.htm\"\r\n";
    const struct {
        const char* pszFile;  // null: none on the server
        const char* pszInstalled;
        int nButton;
        const char* pszText;
        LPCSTR pszIcon;
        size_t nOpened;
    } cases[] = {
        {nullptr, "2.50", IDOK, kNotFound, IDI_EXCLAMATION, 0},
        {"LatestVersion=300\n\nShowURL \"http://127.0.0.1/d.htm\"", "2.50", IDOK, kNotFound,
         IDI_EXCLAMATION, 0},
        {kFile, "2.51", IDOK, kLatest, IDI_ASTERISK, 0},
        {kFile, "2.50", IDNO, kNew, IDI_QUESTION, 0},
        {kFile, "2.50", IDYES, kNew, IDI_QUESTION, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszFile ? c.pszFile : "no file") + " for " + c.pszInstalled);
        if (c.pszFile)
            m_server.Serve("/veltrin/updatespro.txt", c.pszFile);
        CAddressRecorder addresses;
        CModalAnswers answers;
        HICON hIcon = nullptr;
        answers.Add([&](HWND hBox) {
            hIcon = MessageBoxIcon(hBox);
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
            ClickButton(hBox, c.nButton);
        });
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        CheckForUpdates(nullptr, c.pszInstalled);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
        ASSERT_EQ(answers.Seen().size(), 1u);
        EXPECT_EQ(answers.Seen()[0], std::string(kProductName) + "\n" + c.pszText);
        EXPECT_EQ(hIcon, LoadIcon(nullptr, c.pszIcon));
        EXPECT_EQ(addresses.Opened(), std::vector<std::string>(c.nOpened, "http://127.0.0.1/d.htm"));
        const std::vector<std::string> requests = m_server.TakeRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(RequestLine(requests[0]), "GET /veltrin/updatespro.txt HTTP/1.1");
    }
}

TEST(ServerAddress, ComesFromTheSettingsOrIsBuiltIn)
{
    CScratchRegistry registry;
    registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", "http://127.0.0.1:8080///");
    EXPECT_EQ(ServerAddress(kUpdateInfoPath), "http://127.0.0.1:8080/veltrin/updatespro.txt");
    registry.Remove(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl");
    EXPECT_EQ(ServerAddress(kReportPath), "http://www.veltrin.example/veltrin/report.cgi");
}

// Every byte as it came, cut at the limit, asked of the server each time
// rather than taken from a cache; nothing where there is no server, and
// nothing from one that never answers.
TEST_F(UpdateCheck, FetcherReadsFreshBytesUpToItsLimits)
{
    std::string bytes;
    while (bytes.size() < CUrlFetcher::kDefaultSizeLimit + 1000)
        bytes += static_cast<char>(bytes.size() * 7);
    const std::string strUrl = m_server.Address() + "/files/data.bin";
    m_server.Serve("/files/data.bin", bytes);
    EXPECT_EQ(Fetch(strUrl), bytes.substr(0, CUrlFetcher::kDefaultSizeLimit));
    EXPECT_EQ(Fetch(strUrl, 10), bytes.substr(0, 10));
    m_server.Serve("/files/data.bin", "changed");
    EXPECT_EQ(Fetch(strUrl), "changed");
    const std::vector<std::string> requests = m_server.TakeRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestLine(requests[0]), "GET /files/data.bin HTTP/1.1");
    EXPECT_EQ(requests[2], requests[0]);
    EXPECT_EQ(Fetch("http://127.0.0.1:9/veltrin/updatespro.txt"), "");
    EXPECT_EQ(Fetch("not an address"), "");
    EXPECT_EQ(Fetch(m_server.Address() + "/silent/x", 100, 500), "<gave up>");
}
