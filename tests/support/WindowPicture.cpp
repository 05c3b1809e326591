#include "tests/support/WindowPicture.h"

#include "tests/support/TempFolder.h"

#include <objidl.h>  // the GDI+ headers need it
#include <gdiplus.h>

bool SaveWindowPicture(HWND hWnd, const std::string& strPath)
{
    RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Drawing that a window posts to itself after painting.
    MSG msg;
    while (PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
    RECT rect;
    GetWindowRect(hWnd, &rect);
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
    SelectObject(hMemory, hOld);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    CreateDirectoryA(strPath.substr(0, strPath.rfind('\\')).c_str(), nullptr);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR nToken;
    bool bSaved = hBitmap && Gdiplus::GdiplusStartup(&nToken, &input, nullptr) == Gdiplus::Ok;
    if (bSaved) {
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
        bSaved = Gdiplus::Bitmap(hBitmap, nullptr).Save(Wide(strPath).c_str(), &png, nullptr) ==
                 Gdiplus::Ok;
        Gdiplus::GdiplusShutdown(nToken);
    }
    DeleteObject(hBitmap);
    return bSaved;
}
