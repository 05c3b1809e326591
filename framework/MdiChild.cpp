#include "framework/MdiChild.h"

bool CMdiChild::Create(HWND hClient, const char* pszClassName, const char* pszTitle,
                       DWORD dwStyle, int cx, int cy)
{
    if (!RegisterWindowClass(pszClassName, CS_HREDRAW | CS_VREDRAW,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    MDICREATESTRUCTA create = {};
    create.szClass = pszClassName;
    create.szTitle = pszTitle;
    create.hOwner = GetResourceInstance();
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = cx;
    create.cy = cy;
    create.style = dwStyle;
    create.lParam = reinterpret_cast<LPARAM>(this);
    return ::SendMessageA(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) != 0;
}

bool CMdiChild::OnCommand(WORD)
{
    return false;
}

LRESULT CMdiChild::DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(m_hWnd, uMsg, wParam, lParam);
}
