// "Check for updates" against the tests' web server, the server's address
// set in the settings as a user or an administrator would.
#include "cleaner/shell/UpdateCheck.h"

#include "cleaner/shell/ProductInfo.h"
#include "common/RegistryKeys.h"
#include "tests/support/AddressRecorder.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWebServer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const char kNotFound[] =
    "Update server is not found. Please verify your internet connection or try a little later.";
const char kLatest[] = "You already have latest version";
const char kNewVersion[] =
    "There is a new version detected. Click \"Yes\" to download latest version.";

// What a message box showed: its text and the icon it showed it with.
struct Shown {
    std::string strText;
    HICON hIcon;
    bool operator==(const Shown& other) const
    {
        return strText == other.strText && hIcon == other.hIcon;
    }
};

std::ostream& operator<<(std::ostream& out, const Shown& shown)
{
    return out << "\"" << shown.strText << "\" with icon " << shown.hIcon;
}

Shown Box(const char* pszText, LPCSTR pszIcon)
{
    return {std::string(kProductName) + "\n" + pszText, LoadIcon(nullptr, pszIcon)};
}

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_server.IsThere())
            GTEST_SKIP() << "the tests' web server is not running (see with_test_web_server.sh)";
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", m_server.Address());
        m_server.TakeRequests();
    }

    // Runs the check against the installed version, answering its message
    // boxes with the buttons given; returns what they showed. The cursor is
    // the arrow while a box waits for the user, and again afterwards.
    std::vector<Shown> Check(const std::string& strInstalled, std::vector<int> buttons = {IDOK})
    {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        std::vector<Shown> shown;
        CModalAnswers answers;
        for (int nButton : buttons) {
            answers.Add([&shown, nButton](HWND hBox) {
                shown.push_back({"", MessageBoxIcon(hBox)});
                EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
                ClickButton(hBox, nButton);
            });
        }
        CheckForUpdates(nullptr, strInstalled);
        EXPECT_EQ(answers.Pending(), 0u);
        for (size_t n = 0; n < shown.size(); ++n)
            shown[n].strText = answers.Seen()[n];
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
        return shown;
    }
    void ServeUpdateFile(const std::string& bytes) const
    {
        m_server.Serve("/veltrin/updatespro.txt", bytes);
    }

    CTestWebServer m_server;
    CScratchRegistry m_registry;
    CAddressRecorder m_addresses;
};

}  // namespace

TEST_F(UpdateCheck, ANewerVersionOffersItsDownloadPage)
{
    ServeUpdateFile("LatestVersion=251\nShowURL=\"http://127.0.0.1/download.htm\"\n");
    EXPECT_EQ(Check("2.50", {IDNO}),
              std::vector<Shown>({Box(kNewVersion, IDI_QUESTION)}));
    EXPECT_TRUE(m_addresses.Opened().empty());

    EXPECT_EQ(Check("2.50", {IDYES}), std::vector<Shown>({Box(kNewVersion, IDI_QUESTION)}));
    EXPECT_EQ(m_addresses.Opened(), std::vector<std::string>({"http://127.0.0.1/download.htm"}));

    // The server was asked for the update file at its path, each time.
    const std::vector<std::string> requests = m_server.TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(RequestLine(requests[0]), "GET /veltrin/updatespro.txt HTTP/1.1");
}

TEST_F(UpdateCheck, AnUnknownInstalledVersionIsOlderThanAnyVersion)
{
    ServeUpdateFile("LatestVersion 1\r\nShowURL \"http://127.0.0.1/d.htm\"\r\n");
    EXPECT_EQ(Check("???", {IDYES}), std::vector<Shown>({Box(kNewVersion, IDI_QUESTION)}));
    EXPECT_EQ(m_addresses.Opened(), std::vector<std::string>({"http://127.0.0.1/d.htm"}));
}

TEST_F(UpdateCheck, TheSameOrAnOlderVersionIsNoUpdate)
{
    // A blank separator and a carriage return before the line feed.
    ServeUpdateFile("LatestVersion 250\r\nShowURL \"http://127.0.0.1/d.htm\"\r\n");
    EXPECT_EQ(Check("2.50"), std::vector<Shown>({Box(kLatest, IDI_ASTERISK)}));
    EXPECT_EQ(Check("2.51"), std::vector<Shown>({Box(kLatest, IDI_ASTERISK)}));
    EXPECT_TRUE(m_addresses.Opened().empty());
}

TEST_F(UpdateCheck, AnythingButAnUpdateFileIsAServerNotFound)
{
    const Shown notFound = Box(kNotFound, IDI_EXCLAMATION);
    // Malformed files (the parser's own tests go through every kind).
    for (const char* pszFile : {"", "<html>Not here</html>", "LatestVersion=300",
                                "LatestVersion=300\nShowURL \"http://127.0.0.1/d.htm",
                                "LatestVersion=300\n\nShowURL \"http://127.0.0.1/d.htm\""}) {
        ServeUpdateFile(pszFile);
        EXPECT_EQ(Check("2.50"), std::vector<Shown>({notFound})) << pszFile;
    }
    // No file on the server: its error page is no update file either.
    m_server.Withdraw("/veltrin/updatespro.txt");
    EXPECT_EQ(Check("2.50"), std::vector<Shown>({notFound}));
    // No server at the address.
    m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", "http://127.0.0.1:9/");
    EXPECT_EQ(Check("2.50"), std::vector<Shown>({notFound}));
    EXPECT_TRUE(m_addresses.Opened().empty());
}

TEST(ServerAddress, ComesFromTheSettingsOrIsBuiltIn)
{
    CScratchRegistry registry;
    registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", "http://127.0.0.1:8080///");
    EXPECT_EQ(ServerAddress(kUpdateInfoPath), "http://127.0.0.1:8080/veltrin/updatespro.txt");
    registry.Remove(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl");
    EXPECT_EQ(ServerAddress(kReportPath), "http://www.veltrin.example/veltrin/report.cgi");
}
