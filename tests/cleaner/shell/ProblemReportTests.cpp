// The problem report dialog in the test's process, sending to the tests'
// web server; and the main window's two commands that reach the server.
#include "cleaner/shell/DlgProblemReport.h"

#include "cleaner/shell/DlgVeltrin.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWebServer.h"
#include "tests/support/WindowPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kReportPathOnServer[] = "/veltrin/report.cgi";

std::string Variable(const char* pszName)
{
    char szValue[256] = "";
    GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return szValue;
}

std::string ReadName(BOOL(WINAPI* pfnGetName)(LPSTR, LPDWORD))
{
    char szName[256] = "";
    DWORD nSize = sizeof(szName);
    pfnGetName(szName, &nSize);
    return szName;
}

class ProblemReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_server.IsThere())
            GTEST_SKIP() << "the tests' web server is not running (see with_test_web_server.sh)";
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", m_server.Address());
        m_server.Serve(kReportPathOnServer, "OK");
        m_server.TakeRequests();
        ASSERT_TRUE(m_dialog.Create(nullptr));
        m_dialog.Show(SW_SHOW);
        ServeMessages(100);
    }
    void TearDown() override
    {
        if (m_dialog.IsWindow())
            m_dialog.Destroy();
    }

    CWindow Description() const { return m_dialog.GetItem(IDC_REPORT_DESCRIPTION); }
    CWindow Email() const { return m_dialog.GetItem(IDC_REPORT_EMAIL); }
    // Presses "Send report" and answers the message box that follows;
    // returns the box's caption and text.
    std::string Send(HICON hExpectedIcon)
    {
        CModalAnswers answers;
        answers.Add([hExpectedIcon](HWND hBox) {
            EXPECT_EQ(MessageBoxIcon(hBox), hExpectedIcon);
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
            ClickButton(hBox, IDOK);
        });
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        ClickButton(m_dialog, IDOK);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
        EXPECT_EQ(answers.Pending(), 0u);
        return answers.Seen().empty() ? std::string() : answers.Seen()[0];
    }
    std::string Message(const char* pszText) const
    {
        return std::string(kProductName) + "\n" + pszText;
    }

    CTestWebServer m_server;
    CScratchRegistry m_registry;
    CDlgProblemReport m_dialog;
};

}  // namespace

TEST_F(ProblemReport, OpensWithTheDetailsOfTheProgramAndTheSystem)
{
    EXPECT_EQ(m_dialog.GetText(), "Problem report");
    EXPECT_EQ(CWindow(m_dialog.GetItem(IDC_REPORT_INVITATION)).GetText(),
              "If you encountered a problem with Veltrin PRO please write your comment here. "
              "This form will submit your message directly to our technical team.");
    const std::string strText = Description().GetText();
    const std::string strStart = "Application:Veltrin PRO v." + g_strVersion + "\r\nSystem:\r\n  ";
    EXPECT_EQ(strText.substr(0, strStart.size()), strStart);
    const std::string strEnd = "\r\n  \r\nUser: " + ReadName(GetUserNameA) + "\r\nComputer: " +
                               ReadName(GetComputerNameA) + "\r\n\r\nDescribe your problem here";
    ASSERT_GT(strText.size(), strStart.size() + strEnd.size());
    EXPECT_EQ(strText.substr(strText.size() - strEnd.size()), strEnd);
    // The system's name and version, as each Windows version reports them.
    const std::string strSystem = strText.substr(
        strStart.size(), strText.size() - strStart.size() - strEnd.size());
    const std::string strWindows = Variable("VELTRIN_WINVER");
    if (strWindows == "win98")
        EXPECT_EQ(strSystem, "Microsoft Windows 98\r\n  4.10.2222");
    else if (strWindows == "win2k")
        EXPECT_EQ(strSystem, "Microsoft Windows 2000\r\n  5.0.2195");
    else if (strWindows == "winxp")
        EXPECT_EQ(strSystem, "Microsoft Windows XP\r\n  5.1.2600");
    else
        EXPECT_EQ(strSystem.substr(0, 4), "\r\n  ") << "no name for systems after XP";
    EXPECT_EQ(Email().GetText(), "");
    // The caret waits behind the details, which stay unselected.
    EXPECT_EQ(GetFocus(), Description().GetHwnd());
    DWORD dwStart = 0, dwEnd = 0;
    Description().SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                              reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(dwStart, strText.size());
    EXPECT_EQ(dwEnd, strText.size());
    EXPECT_TRUE(SaveWindowPicture(m_dialog, ArtifactPath("problem-report.png")));
}

TEST_F(ProblemReport, NothingIsSentWithoutADescriptionAndAnAddress)
{
    Email().SetText("ab@cd.e");
    EXPECT_EQ(Send(LoadIcon(nullptr, IDI_EXCLAMATION)),
              Message("Please describe your problem!"));
    EXPECT_TRUE(m_dialog.IsVisible());

    Description().SetText(Description().GetText() + "\r\nIt stops.");
    for (const char* pszAddress : {"", "a@b", "first-last@cd.ef"}) {
        Email().SetText(pszAddress);
        EXPECT_EQ(Send(LoadIcon(nullptr, IDI_EXCLAMATION)),
                  Message("Please enter you Email correctly"));
        EXPECT_TRUE(m_dialog.IsVisible());
        // The address is ready to be typed over.
        EXPECT_EQ(GetFocus(), Email().GetHwnd());
        DWORD dwStart = 1, dwEnd = 0;
        Email().SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                            reinterpret_cast<LPARAM>(&dwEnd));
        EXPECT_EQ(dwStart, 0u);
        EXPECT_EQ(dwEnd, std::string(pszAddress).size());
    }
    EXPECT_TRUE(m_server.TakeRequests().empty());
}

TEST_F(ProblemReport, SendsTheEncodedReportAndThanksWhenTheServerSaysOK)
{
    Description().SetText("Crash at 100% + \"a?b;c#d&e=f/g\"\r\nIn C:\\Caf\xE9.");
    Email().SetText("john_smith@mail.example");
    EXPECT_EQ(Send(LoadIcon(nullptr, IDI_ASTERISK)), Message("Thank you"));
    EXPECT_FALSE(m_dialog.IsVisible());

    const std::vector<std::string> requests = m_server.TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLine(requests[0]),
              "GET /veltrin/report.cgi?strResp=Crash%20at%20100%%20%2B%20\"a%3Fb%3Bc%23d%26e=f/g\""
              "%0D%0AIn%20C:%5CCaf\xE9.&EMail=john_smith@mail.example HTTP/1.1");
}

TEST_F(ProblemReport, AnyOtherAnswerKeepsTheDialogAndTheText)
{
    const std::string strText = "It stops.";
    Description().SetText(strText);
    Email().SetText("ab@cd.e");
    const std::string strFailed = Message("Report sending is failed");
    for (const char* pszAnswer : {"ERROR", "OK\n", "ok", ""}) {
        m_server.Serve(kReportPathOnServer, pszAnswer);
        EXPECT_EQ(Send(LoadIcon(nullptr, IDI_HAND)), strFailed) << pszAnswer;
    }
    // No report page on the server, no server at all.
    m_server.Withdraw(kReportPathOnServer);
    EXPECT_EQ(Send(LoadIcon(nullptr, IDI_HAND)), strFailed);
    m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", "http://127.0.0.1:9");
    EXPECT_EQ(Send(LoadIcon(nullptr, IDI_HAND)), strFailed);
    EXPECT_TRUE(m_dialog.IsVisible());
    EXPECT_EQ(Description().GetText(), strText);
    EXPECT_EQ(Email().GetText(), "ab@cd.e");
}

TEST_F(ProblemReport, AServerThatNeverAnswersEndsInTheFailureMessage)
{
    m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", m_server.SilentAddress());
    Description().SetText("It stops.");
    Email().SetText("ab@cd.e");
    EXPECT_EQ(Send(LoadIcon(nullptr, IDI_HAND)), Message("Report sending is failed"));
    EXPECT_TRUE(m_dialog.IsVisible());
}

namespace {

class MainWindowWeb : public CleaningRun {
protected:
    void SetUp() override
    {
        CleaningRun::SetUp();
        if (!m_server.IsThere())
            GTEST_SKIP() << "the tests' web server is not running (see with_test_web_server.sh)";
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", m_server.Address());
        Build();
        m_pDialog.reset(new CDlgVeltrin(*m_manager));
        ASSERT_TRUE(m_pDialog->Create(nullptr));
    }
    void TearDown() override
    {
        m_pDialog.reset();
        CleaningRun::TearDown();
    }

    CTestWebServer m_server;
    CScratchRegistry m_registry;
    std::unique_ptr<CDlgVeltrin> m_pDialog;
};

}  // namespace

TEST_F(MainWindowWeb, MenuCommandsCheckForUpdatesAndOpenTheProblemReport)
{
    // Without an installed version any version is new.
    m_server.Serve("/veltrin/updatespro.txt", "LatestVersion=100\nShowURL \"http://127.0.0.1/\"");
    CModalAnswers answers;
    answers.Press(IDNO);
    m_pDialog->SendMessage(WM_COMMAND, ID_HELP_CHECKFORUPDATES);
    answers.Press(IDCANCEL);
    m_pDialog->SendMessage(WM_COMMAND, ID_OPTIONS_PROBLEMREPORT);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[0],
              std::string(kProductName) +
                  "\nThere is a new version detected. Click \"Yes\" to download latest version.");
    EXPECT_EQ(answers.Seen()[1].substr(0, 15), "Problem report\n");
}
