#include "framework/ImageList.h"

#include "framework/Window.h"

namespace {

// Replaces one colour of a 24-bit section in place, row by row.
void ReplaceColour(HBITMAP hBitmap, COLORREF crFrom, COLORREF crTo)
{
    DIBSECTION section;
    if (GetObjectA(hBitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBitsPixel != 24 || !section.dsBm.bmBits)
        return;
    const BITMAP& bitmap = section.dsBm;
    for (int y = 0; y < bitmap.bmHeight; ++y) {
        BYTE* pPixel = static_cast<BYTE*>(bitmap.bmBits) + y * bitmap.bmWidthBytes;
        for (int x = 0; x < bitmap.bmWidth; ++x, pPixel += 3) {
            // Sections keep blue, green, red.
            if (RGB(pPixel[2], pPixel[1], pPixel[0]) == crFrom) {
                pPixel[0] = GetBValue(crTo);
                pPixel[1] = GetGValue(crTo);
                pPixel[2] = GetRValue(crTo);
            }
        }
    }
}

}  // namespace

bool CImageList::CreateFromBitmap(UINT nBitmapId, int cx, int cy, COLORREF crMask, int nInitial,
                                  COLORREF crReplaced, COLORREF crReplacement)
{
    Destroy();
    HBITMAP hBitmap = static_cast<HBITMAP>(LoadImageA(GetResourceInstance(),
                                                      MAKEINTRESOURCEA(nBitmapId), IMAGE_BITMAP,
                                                      0, 0, LR_CREATEDIBSECTION));
    if (!hBitmap)
        return false;
    if (crReplaced != CLR_NONE) {
        GdiFlush();
        ReplaceColour(hBitmap, crReplaced, crReplacement);
    }
    m_hImages = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, nInitial, 1);
    const bool bAdded = m_hImages && ImageList_AddMasked(m_hImages, hBitmap, crMask) >= 0;
    DeleteObject(hBitmap);
    if (!bAdded)
        Destroy();
    return bAdded;
}
