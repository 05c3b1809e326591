// The fetcher against the tests' web server on the loopback address.
#include "cleaner/shell/UrlFetcher.h"

#include "tests/support/TestWebServer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class UrlFetcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_server.IsThere())
            GTEST_SKIP() << "the tests' web server is not running (see with_test_web_server.sh)";
        m_server.TakeRequests();
    }

    // What the fetcher read from the address, or "<gave up>".
    std::string Fetch(const std::string& strUrl, DWORD nSizeLimit = CUrlFetcher::kDefaultSizeLimit,
                      DWORD dwTimeLimit = CUrlFetcher::kDefaultTimeLimit)
    {
        std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create(nSizeLimit, dwTimeLimit);
        EXPECT_NE(pFetcher->Start(strUrl), nullptr);
        if (!pFetcher->Wait())
            return "<gave up>";
        EXPECT_FALSE(pFetcher->IsRunning());
        // The data always has a zero behind it.
        EXPECT_EQ(pFetcher->GetText()[pFetcher->GetSize()], '\0');
        return std::string(pFetcher->GetText(), pFetcher->GetSize());
    }

    CTestWebServer m_server;
};

std::string AllByteValues()
{
    std::string bytes;
    for (int n = 0; n < 256; ++n)
        bytes += static_cast<char>(n);
    return bytes;
}

}  // namespace

TEST_F(UrlFetcher, ReadsTheBytesAsTheyAreAndAsksTheServerEachTime)
{
    const std::string bytes = AllByteValues() + "\r\n\n\r" + AllByteValues();
    m_server.Serve("/files/data.bin", bytes);
    EXPECT_EQ(Fetch(m_server.Address() + "/files/data.bin"), bytes);
    // A second read of the same address is no copy from a cache.
    m_server.Serve("/files/data.bin", "changed");
    EXPECT_EQ(Fetch(m_server.Address() + "/files/data.bin"), "changed");
    const std::vector<std::string> requests = m_server.TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(RequestLine(requests[0]), "GET /files/data.bin HTTP/1.1");
    EXPECT_EQ(requests[0], requests[1]);
}

TEST_F(UrlFetcher, CutsAnAnswerAtTheSizeLimit)
{
    std::string big;
    while (big.size() < 200 * 1024)
        big += "LatestVersion=250\n";
    m_server.Serve("/files/big.txt", big);
    const std::string read = Fetch(m_server.Address() + "/files/big.txt");
    EXPECT_EQ(read.size(), CUrlFetcher::kDefaultSizeLimit);
    EXPECT_EQ(read, big.substr(0, CUrlFetcher::kDefaultSizeLimit));
    EXPECT_EQ(Fetch(m_server.Address() + "/files/big.txt", 10), big.substr(0, 10));
}

TEST_F(UrlFetcher, ReadsNothingWhereNoServerListensOrNoneIsNamed)
{
    // Port 9 of the loopback address has no listener on a test machine.
    EXPECT_EQ(Fetch("http://127.0.0.1:9/veltrin/updatespro.txt"), "");
    EXPECT_EQ(Fetch("not an address"), "");
    EXPECT_EQ(Fetch(""), "");
}

TEST_F(UrlFetcher, GivesUpOnAServerThatNeverAnswers)
{
    std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create(CUrlFetcher::kDefaultSizeLimit, 1500);
    ASSERT_NE(pFetcher->Start(m_server.SilentAddress() + "/veltrin/updatespro.txt"), nullptr);
    EXPECT_FALSE(pFetcher->Wait());
    EXPECT_STREQ(pFetcher->GetText(), "");
    EXPECT_EQ(pFetcher->GetSize(), 0u);
    // The fetcher is released here while its thread may still be blocked;
    // the thread keeps what it uses until it ends.
}
