#include "framework/Document.h"

#include "common/Win32File.h"

#include <algorithm>

void CDocument::SetPathName(const std::string& strPath)
{
    m_strPathName = strPath;
    const size_t nSlash = strPath.find_last_of("\\/");
    m_strTitle = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

bool CDocument::OnOpenDocument(const std::string& strPath)
{
    CWin32File file;
    if (!file.Open(strPath.c_str(), CWin32File::OM_READ))
        return false;
    // Whatever Serialize says of the content, the window shows this file.
    SetPathName(strPath);
    if (file.GetLength() > 0)
        Serialize(file, false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& strPath)
{
    const std::string strTemporary = strPath + ".saving";
    bool bWritten;
    {
        CWin32File file;
        if (!file.Open(strTemporary.c_str(), CWin32File::OM_CREATE))
            return false;
        bWritten = Serialize(file, true);
    }
    if (!bWritten) {
        DeleteFileA(strTemporary.c_str());
        return true;  // the document has told the user; the old file stays
    }
    if (!MoveFileExA(strTemporary.c_str(), strPath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD dwError = GetLastError();
        DeleteFileA(strTemporary.c_str());
        SetLastError(dwError);
        return false;
    }
    SetPathName(strPath);
    return true;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
}

void CDocument::UpdateAllViews(CView* pSender, long nHint)
{
    for (CView* pView : m_views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, nHint);
    }
}
