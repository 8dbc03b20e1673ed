// CBitmapU: decoding the bitmap files of skin packages, copying bitmaps, and building window
// regions from the opaque pixels of a bitmap.
#pragma once

#include "platform/base/afx.h"
#include "platform/gdi/gdi.h"

class CBitmapU {
public:
    CBitmapU() = default;
    CBitmapU(const CBitmapU&) {}
    CBitmapU& operator=(const CBitmapU&) { return *this; }
    virtual ~CBitmapU() = default;

    // Decodes the "BM" bitmap file that file holds (from its start) into a new section bitmap;
    // null when the file is not a bitmap file, is cut short before the end of its pixel rows,
    // has a negative height, a colour table of more than 257 entries, or describes a bitmap
    // the platform cannot create. The caller owns the result.
    static HBITMAP LoadBitmapFromFile(CFile& file);
    // Opens the file for reading (denying others write access) and decodes it as above.
    static HBITMAP LoadBitmapFromFile(const CString& path);
    // A new device bitmap with the size, planes, depth and pixels of source; null when source
    // is null or the copy cannot be made (also when source is selected into another context).
    static HBITMAP CopyBitmap(HBITMAP source);

    // The region of the pixels outside the colour range [colour, colour + tolerance] per
    // channel, after scaling the bitmap to size's extent when size is given. The channel bytes
    // of colour are compared with the pixel bytes in stored order (blue, green, red), so colour
    // 0x00BBGGRR matches blue against RR: grey tones and magenta match either way.
    static HRGN GetBitmapRegion(HBITMAP bitmap, DWORD colour, DWORD tolerance, RECT* size);
    // The same for frame number frame of bitmap seen as frameCount equally wide frames.
    static HRGN GetBitmapRegionEx(HBITMAP bitmap, DWORD frameCount, DWORD frame, DWORD colour,
                                  DWORD tolerance, RECT* size);
    // The union of the rectangles in data (only its count and rectangles are read; xform and
    // byteCount are ignored, so data must hold as many rectangles as it says).
    static HRGN ExtCreateRegion(DWORD xform, DWORD byteCount, const RGNDATA* data);
};
