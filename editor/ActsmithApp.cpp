#include "editor/ActsmithApp.h"

#include "common/ProgramPath.h"
#include "editor/ChildFrame.h"
#include "editor/ViewKT.h"
#include "editor/resource.h"

#include <commctrl.h>

namespace {

// The document type's icon is the program's second icon.
const int kDocumentIconIndex = 1;

bool IsInside(HWND hWnd, HWND hAncestor)
{
    return hWnd == hAncestor || IsChild(hAncestor, hWnd);
}

}  // namespace

std::string FileOfCommandLine(const std::string& strCommandLine)
{
    const size_t nStart = strCommandLine.find_first_not_of(" \t");
    if (nStart == std::string::npos)
        return std::string();
    if (strCommandLine[nStart] == '"') {
        const size_t nEnd = strCommandLine.find('"', nStart + 1);
        return strCommandLine.substr(nStart + 1, nEnd == std::string::npos
                                                     ? std::string::npos
                                                     : nEnd - nStart - 1);
    }
    const size_t nEnd = strCommandLine.find_last_not_of(" \t");
    return strCommandLine.substr(nStart, nEnd + 1 - nStart);
}

bool CActsmithApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_hAccelerators = LoadAcceleratorsA(GetInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_pFrame.reset(new CMainFrame);
    if (!m_pFrame->Create(SW_SHOWMAXIMIZED))
        return false;
    SetMainWindow(*m_pFrame);
    RegisterShellFileType(m_pFrame->GetTemplateStrings(), GetProgramPath(), kDocumentIconIndex);
    const std::string strFile = FileOfCommandLine(GetCommandLine());
    if (strFile.empty())
        m_pFrame->NewDocument();
    else
        m_pFrame->OpenDocumentFile(strFile);
    return true;
}

bool CActsmithApp::PreTranslateMessage(MSG& msg)
{
    if (!m_pFrame || !m_pFrame->IsWindow())
        return CApplication::PreTranslateMessage(msg);
    if (TranslateMDISysAccel(m_pFrame->GetClient(), &msg))
        return true;
    if (m_hAccelerators && TranslateAcceleratorA(*m_pFrame, m_hAccelerators, &msg))
        return true;
    // Tab and the arrow keys move between the fields of the plugin window.
    CChildFrame* pFrame = m_pFrame->GetActiveFrame();
    CViewKT* pView = pFrame ? pFrame->GetView() : nullptr;
    if (pView && IsInside(msg.hwnd, *pView) && IsDialogMessageA(*pView, &msg))
        return true;
    return CApplication::PreTranslateMessage(msg);
}
