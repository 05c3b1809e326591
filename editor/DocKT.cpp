#include "editor/DocKT.h"

#include <windows.h>

namespace {

void ShowError(const char* pszText)
{
    MessageBoxA(GetActiveWindow(), pszText, "", MB_OK | MB_ICONERROR);
}

}  // namespace

bool CDocKT::Serialize(CFile& file, bool bStoring)
{
    if (!bStoring) {
        if (m_plugin.Read(file))
            return true;
        ShowError("Document file is corrupt");
        return false;
    }
    UpdateAllViews(nullptr, 0);
    if (m_plugin.Write(file))
        return true;
    ShowError("Can't save document");
    return false;
}
