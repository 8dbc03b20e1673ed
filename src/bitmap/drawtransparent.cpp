// Transparent drawing through a monochrome mask: XOR the source in, AND the mask (which clears
// the opaque pixels and keeps the transparent ones), XOR the source again. Opaque pixels end as
// the source, transparent ones as the destination was.
#include "bitmap/drawtransparent.h"

BOOL DrawTransparent(CDC* dest, int x, int y, int width, int height, CDC* source, int sourceX,
                     int sourceY, COLORREF transparent) {
    HDC src = source->m_hDC, dst = dest->m_hDC;
    COLORREF previousBk = ::SetBkColor(src, transparent);
    HDC maskDC = ::CreateCompatibleDC(src);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ previous = mask ? ::SelectObject(maskDC, mask) : nullptr;
    // Colour to monochrome: the background colour (the transparent one) becomes 1.
    ::BitBlt(maskDC, 0, 0, width, height, src, sourceX, sourceY, SRCCOPY);
    ::BitBlt(dst, x, y, width, height, src, sourceX, sourceY, SRCINVERT);
    ::BitBlt(dst, x, y, width, height, maskDC, 0, 0, SRCAND);
    ::BitBlt(dst, x, y, width, height, src, sourceX, sourceY, SRCINVERT);
    if (previous) ::SelectObject(maskDC, previous);
    if (mask) ::DeleteObject(mask);
    ::SetBkColor(src, previousBk);
    ::DeleteDC(maskDC);
    return TRUE;
}
