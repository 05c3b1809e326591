// The update check and the problem report against a web server of the test's
// own, whose address the settings give as an administrator would.
#include "cleaner/shell/DlgProblemReport.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/UpdateCheck.h"
#include "cleaner/shell/UrlFetcher.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "tests/support/AddressRecorder.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowPicture.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

typedef std::vector<std::string> Strings;

// A web server on the loopback address that answers every GET with the
// bytes served, but for /silent, and records each request's first line.
class CServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        sockaddr_in address = {AF_INET};
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int cbAddress = sizeof(address);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), cbAddress);
        listen(m_listener, 8);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &cbAddress);
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl",
                       "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
        m_server = std::thread([this] {
            SOCKET connection;
            while ((connection = accept(m_listener, nullptr, nullptr)) != INVALID_SOCKET) {
                std::string head;
                char buffer[4096];
                int cb;
                while (head.find("\r\n\r\n") == std::string::npos &&
                       (cb = recv(connection, buffer, sizeof(buffer), 0)) > 0)
                    head.append(buffer, cb);
                std::lock_guard<std::mutex> lock(m_lock);
                m_requests.push_back(head.substr(0, head.find("\r\n")));
                if (head.compare(0, 12, "GET /silent ") == 0)
                    continue;
                const std::string strAnswer = "HTTP/1.0 200 OK\r\n\r\n" + m_served;
                send(connection, strAnswer.data(), static_cast<int>(strAnswer.size()), 0);
                closesocket(connection);
            }
        });
    }
    void TearDown() override
    {
        closesocket(m_listener);
        m_server.join();
        WSACleanup();  // which closes the connections left unanswered
    }
    void Serve(const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_served = bytes;
    }
    Strings TakeRequests()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return std::exchange(m_requests, {});
    }

    SOCKET m_listener;
    std::thread m_server;
    std::mutex m_lock;
    std::string m_served;
    Strings m_requests;
    CScratchRegistry m_registry;
};

class UpdateCheck : public CServerTest {};
class ProblemReport : public CServerTest {};

}  // namespace

// A newer version offers its download page; the same one, or anything but
// an update file, says so. Each check reads the file afresh.
TEST_F(UpdateCheck, OffersTheDownloadPageOfANewerVersionOnlyAndGivesUpOnASilentServer)
{
    const char* kNew = "There is a new version detected. Click \"Yes\" to download latest version.";
    const char kFile[] = "LatestVersion 251\r\nShowURL \"http://127.0.0.1/d.htm\"\r\n";
    const struct {
        const char *pszFile, *pszInstalled;
        int nButton;
        const char* pszText;
    } cases[] = {
        {"LatestVersion=300\n\nShowURL \"p\"", "2.50", IDOK, "Update server is not found. Please "
         "verify your internet connection or try a little later."},
        {kFile, "2.51", IDOK, "You already have latest version"},
        {kFile, "2.50", IDNO, kNew},
        {kFile, "2.50", IDYES, kNew},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszFile) + " for " + c.pszInstalled);
        Serve(c.pszFile);
        CAddressRecorder addresses;
        CModalAnswers answers;
        answers.Press(c.nButton);
        CheckForUpdates(nullptr, c.pszInstalled);
        EXPECT_EQ(answers.Seen(), Strings{std::string(kProductName) + "\n" + c.pszText});
        EXPECT_EQ(addresses.Opened(), Strings(c.nButton == IDYES, "http://127.0.0.1/d.htm"));
        EXPECT_EQ(TakeRequests(), Strings{"GET /veltrin/updatespro.txt HTTP/1.1"});
    }
    // The fetcher gives up on a server that never answers.
    std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create(100, 500);
    ASSERT_NE(pFetcher->Start(ServerAddress("/silent")), nullptr);
    EXPECT_FALSE(pFetcher->Wait());
}

// The caret waits behind the details, which name the system as each Windows
// version reports it (none after XP). Nothing is sent without a description
// and a valid address, and any answer but "OK" keeps the dialog and its text.
TEST_F(ProblemReport, OpensWithTheDetailsAndSendsTheEncodedReportWhenComplete)
{
    CDlgProblemReport dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.Show(SW_SHOW);
    ServeMessages(20);
    const CWindow description(dialog.GetItem(IDC_REPORT_DESCRIPTION));
    const CWindow email(dialog.GetItem(IDC_REPORT_EMAIL));
    char szWindows[16] = "";
    GetEnvironmentVariableA("VELTRIN_WINVER", szWindows, sizeof(szWindows));
    const std::string strWindows = szWindows;
    const std::string strSystem = strWindows == "win98"   ? "Microsoft Windows 98\r\n  4.10.2222"
                                  : strWindows == "win2k" ? "Microsoft Windows 2000\r\n  5.0.2195"
                                  : strWindows == "winxp" ? "Microsoft Windows XP\r\n  5.1.2600"
                                                          : "\r\n  ";
    const std::string strStart =
        "Application:Veltrin PRO v." + g_strVersion + "\r\nSystem:\r\n  " + strSystem;
    const std::string strText = description.GetText();
    EXPECT_EQ(strText.substr(0, strStart.size()), strStart);
    EXPECT_EQ(GetFocus(), description.GetHwnd());
    EXPECT_EQ(description.SendMessage(EM_GETSEL), MAKELRESULT(strText.size(), strText.size()));
    EXPECT_TRUE(SaveWindowPicture(dialog, ArtifactPath("problem-report.png")));
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hBox) { ClickButton(hBox, IDOK); });
    email.SetText("ab@cd.e");
    ClickButton(dialog, IDOK);
    email.SetText("a@b");
    description.SetText("It stops.");
    ClickButton(dialog, IDOK);
    EXPECT_EQ(GetFocus(), email.GetHwnd());  // the address selected, ready to be typed over
    EXPECT_EQ(email.SendMessage(EM_GETSEL), MAKELRESULT(0, 3));
    description.SetText("Crash at 100% + \"a?b;c#d&e=f/g\"\r\nIn C:\\Caf\xE9.");
    email.SetText("john_smith@mail.example");
    Serve("OK\n");
    ClickButton(dialog, IDOK);
    EXPECT_TRUE(dialog.IsVisible());
    Serve("OK");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(answers.Seen(), (Strings{"Veltrin PRO\nPlease describe your problem!",
                                       "Veltrin PRO\nPlease enter you Email correctly",
                                       "Veltrin PRO\nReport sending is failed",
                                       "Veltrin PRO\nThank you"}));
    EXPECT_EQ(TakeRequests(),
              Strings(2, "GET /veltrin/report.cgi?strResp=Crash%20at%20100%%20%2B%20\"a%3Fb%3B"
                         "c%23d%26e=f/g\"%0D%0AIn%20C:%5CCaf\xE9.&EMail=john_smith@mail.example "
                         "HTTP/1.1"));
}
