#include "cleaner/shell/DlgProblemReport.h"

#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/ReportText.h"
#include "cleaner/shell/UrlFetcher.h"
#include "cleaner/shell/resource.h"
#include "framework/WaitCursor.h"

#include <cstring>
#include <vector>

namespace {

const UINT WM_PLACE_CARET = WM_APP + 1;

std::string ReadName(BOOL(WINAPI* pfnGetName)(LPSTR, LPDWORD))
{
    char szName[256];
    DWORD nSize = sizeof(szName);
    return pfnGetName(szName, &nSize) ? szName : "";
}

// The system's details; false when the system does not say its version.
bool ReadSystemFacts(CSystemFacts& facts)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return false;
    facts.nPlatform = version.dwPlatformId;
    facts.nMajor = version.dwMajorVersion;
    facts.nMinor = version.dwMinorVersion;
    // Windows 95, 98 and ME keep the version in the build number's high word.
    facts.nBuild = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS
                       ? LOWORD(version.dwBuildNumber)
                       : version.dwBuildNumber;
    facts.strUserName = ReadName(GetUserNameA);
    facts.strComputerName = ReadName(GetComputerNameA);
    return true;
}

}  // namespace

CDlgProblemReport::CDlgProblemReport() : CDialog(IDD_PROBLEM_REPORT) {}

bool CDlgProblemReport::OnInitDialog()
{
    CWindow invitation(GetItem(IDC_REPORT_INVITATION));
    const std::string strTemplate = invitation.GetText();
    std::vector<char> text(strTemplate.size() + std::strlen(kProductName) + 1);
    wsprintfA(text.data(), strTemplate.c_str(), kProductName);
    invitation.SetText(text.data());

    CWindow description(GetItem(IDC_REPORT_DESCRIPTION));
    CSystemFacts facts;
    if (ReadSystemFacts(facts)) {
        m_strSystemInfo = FormatSystemInformation(kProductName, g_strVersion, facts);
        description.SetText(m_strSystemInfo);
    }
    // The user writes below the details. The dialog selects an edit's whole
    // text when it gives it the focus, as it does again once it is shown,
    // and the first key pressed would replace the details: the caret is
    // placed after that.
    SetFocus(description);
    PostMessage(WM_PLACE_CARET);
    return false;
}

bool CDlgProblemReport::OnMessage(UINT uMsg, WPARAM, LPARAM, LRESULT&)
{
    if (uMsg != WM_PLACE_CARET)
        return false;
    CWindow description(GetItem(IDC_REPORT_DESCRIPTION));
    const WPARAM nEnd = description.SendMessage(WM_GETTEXTLENGTH);
    description.SendMessage(EM_SETSEL, nEnd, nEnd);
    description.SendMessage(EM_SCROLLCARET);
    return true;
}

void CDlgProblemReport::OnOK()
{
    const std::string strDescription = CWindow(GetItem(IDC_REPORT_DESCRIPTION)).GetText();
    CWindow email(GetItem(IDC_REPORT_EMAIL));
    const std::string strEmail = email.GetText();
    if (strDescription == m_strSystemInfo) {
        MessageBoxA(m_hWnd, "Please describe your problem!", kProductName,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!IsValidEmail(strEmail)) {
        MessageBoxA(m_hWnd, "Please enter you Email correctly", kProductName,
                    MB_OK | MB_ICONEXCLAMATION);
        SetFocus(email);
        email.SendMessage(EM_SETSEL, 0, -1);
        return;
    }
    bool bAccepted;
    {
        CWaitCursor wait;
        std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create();
        pFetcher->Start(ReportRequestUrl(ServerAddress(kReportPath), strDescription, strEmail));
        bAccepted = pFetcher->Wait() &&
                    std::string(pFetcher->GetText(), pFetcher->GetSize()) == "OK";
    }
    if (!bAccepted) {
        MessageBoxA(m_hWnd, "Report sending is failed", kProductName, MB_OK | MB_ICONSTOP);
        return;
    }
    MessageBoxA(m_hWnd, "Thank you", kProductName, MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
}
