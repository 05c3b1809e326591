// The problem report dialog in the test's process, sending to the test's
// web server.
#include "cleaner/shell/DlgProblemReport.h"

#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/resource.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestWebServer.h"
#include "tests/support/WindowPicture.h"

#include <algorithm>

namespace {

class ProblemReport : public CWebServerTest {
protected:
    void SetUp() override
    {
        CWebServerTest::SetUp();
        ASSERT_TRUE(m_dialog.Create(nullptr));
        m_dialog.Show(SW_SHOW);
        ServeMessages(20);
    }
    CWindow Description() const { return m_dialog.GetItem(IDC_REPORT_DESCRIPTION); }
    CWindow Email() const { return m_dialog.GetItem(IDC_REPORT_EMAIL); }
    // Whether the edit has the focus and the selection from nStart to nEnd.
    static bool Selects(const CWindow& edit, size_t nStart, size_t nEnd)
    {
        DWORD dwStart = 0, dwEnd = 0;
        edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                         reinterpret_cast<LPARAM>(&dwEnd));
        return GetFocus() == edit.GetHwnd() && dwStart == nStart && dwEnd == nEnd;
    }
    // Presses "Send report" and answers the message box that follows, which
    // shows the product's name, the icon given and the arrow cursor; returns
    // the box's text.
    std::string Send(LPCSTR pszIcon)
    {
        CModalAnswers answers;
        answers.Add([pszIcon](HWND hBox) {
            EXPECT_EQ(MessageBoxIcon(hBox), LoadIcon(nullptr, pszIcon));
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
            ClickButton(hBox, IDOK);
        });
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        ClickButton(m_dialog, IDOK);
        EXPECT_EQ(answers.Pending(), 0u);
        const std::string strSeen = answers.Seen().empty() ? "" : answers.Seen()[0];
        EXPECT_EQ(strSeen.substr(0, 12), "Veltrin PRO\n");
        return strSeen.substr(std::min<size_t>(strSeen.size(), 12));
    }

    CDlgProblemReport m_dialog;
};

std::string ReadName(BOOL(WINAPI* pfnGetName)(LPSTR, LPDWORD))
{
    char szName[256] = "";
    DWORD nSize = sizeof(szName);
    pfnGetName(szName, &nSize);
    return szName;
}

}  // namespace

// The caret waits behind the details, which name the system as each
// Windows version reports it (none after XP).
TEST_F(ProblemReport, OpensWithTheDetailsOfTheProgramAndTheSystem)
{
    EXPECT_EQ(CWindow(m_dialog.GetItem(IDC_REPORT_INVITATION)).GetText(),
              "If you encountered a problem with Veltrin PRO please write your comment here. "
              "This form will submit your message directly to our technical team.");
    char szWindows[16] = "";
    GetEnvironmentVariableA("VELTRIN_WINVER", szWindows, sizeof(szWindows));
    const std::string strWindows = szWindows;
    const std::string strSystem = strWindows == "win98"   ? "Microsoft Windows 98\r\n  4.10.2222"
                                  : strWindows == "win2k" ? "Microsoft Windows 2000\r\n  5.0.2195"
                                  : strWindows == "winxp" ? "Microsoft Windows XP\r\n  5.1.2600"
                                                          : "\r\n  ";
    const std::string strStart =
        "Application:Veltrin PRO v." + g_strVersion + "\r\nSystem:\r\n  " + strSystem;
    const std::string strEnd = "\r\n  \r\nUser: " + ReadName(GetUserNameA) + "\r\nComputer: " +
                               ReadName(GetComputerNameA) + "\r\n\r\nDescribe your problem here";
    const std::string strText = Description().GetText();
    ASSERT_GE(strText.size(), strStart.size() + strEnd.size());
    EXPECT_EQ(strText.substr(0, strStart.size()), strStart);
    EXPECT_EQ(strText.substr(strText.size() - strEnd.size()), strEnd);
    EXPECT_EQ(Email().GetText(), "");
    EXPECT_TRUE(Selects(Description(), strText.size(), strText.size()));
    EXPECT_TRUE(SaveWindowPicture(m_dialog, ArtifactPath("problem-report.png")));
}

TEST_F(ProblemReport, NothingIsSentWithoutADescriptionAndAValidAddress)
{
    Email().SetText("ab@cd.e");
    EXPECT_EQ(Send(IDI_EXCLAMATION), "Please describe your problem!");
    Description().SetText(Description().GetText() + "\r\nIt stops.");
    Email().SetText("a@b");
    EXPECT_EQ(Send(IDI_EXCLAMATION), "Please enter you Email correctly");
    EXPECT_TRUE(Selects(Email(), 0, 3));  // ready to be typed over
    EXPECT_TRUE(m_dialog.IsVisible());
    EXPECT_TRUE(m_server.TakeRequests().empty());
}

// Any answer but "OK" keeps the dialog and what was written in it.
TEST_F(ProblemReport, SendsTheEncodedReportAndThanksWhenTheServerSaysOK)
{
    Description().SetText("Crash at 100% + \"a?b;c#d&e=f/g\"\r\nIn C:\\Caf\xE9.");
    Email().SetText("john_smith@mail.example");
    for (const char* pszAnswer : {"OK\n", "ok", ""}) {
        m_server.Serve(kReportPath, pszAnswer);
        EXPECT_EQ(Send(IDI_HAND), "Report sending is failed") << pszAnswer;
    }
    EXPECT_TRUE(m_dialog.IsVisible());
    m_server.Serve(kReportPath, "OK");
    m_server.TakeRequests();
    EXPECT_EQ(Send(IDI_ASTERISK), "Thank you");
    EXPECT_FALSE(m_dialog.IsVisible());
    const std::vector<std::string> requests = m_server.TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLine(requests[0]),
              "GET /veltrin/report.cgi?strResp=Crash%20at%20100%%20%2B%20\"a%3Fb%3Bc%23d%26e=f/g\""
              "%0D%0AIn%20C:%5CCaf\xE9.&EMail=john_smith@mail.example HTTP/1.1");
}
