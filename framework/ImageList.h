// An image list the wrapper owns, made from a bitmap strip of the resources.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { Destroy(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST GetHandle() const { return m_hImages; }
    // Gives the list to its new owner (a control that destroys it).
    HIMAGELIST Detach()
    {
        HIMAGELIST hImages = m_hImages;
        m_hImages = nullptr;
        return hImages;
    }
    void Destroy()
    {
        if (m_hImages)
            ImageList_Destroy(m_hImages);
        m_hImages = nullptr;
    }

    // Cells of cx by cy from the bitmap resource, 24-bit with a mask made
    // from the mask colour. With crReplaced given, every pixel of exactly
    // that colour first becomes crReplacement.
    bool CreateFromBitmap(UINT nBitmapId, int cx, int cy, COLORREF crMask, int nInitial,
                          COLORREF crReplaced = CLR_NONE, COLORREF crReplacement = CLR_NONE);

private:
    HIMAGELIST m_hImages = nullptr;
};
