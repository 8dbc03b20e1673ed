// Transfers onto a device context, shared by the blit calls, icons and image lists.
#pragma once

#include "platform/gdi/types.h"

namespace gdi {

struct Transfer {
    int x = 0; // destination rectangle, logical coordinates of the destination context
    int y = 0;
    int width = 0;
    int height = 0;
    const Surface* src = nullptr; // null for operations without a source
    int srcX = 0; // source rectangle, surface coordinates; a size that differs stretches
    int srcY = 0;
    int srcWidth = 0;
    int srcHeight = 0;
    uint8_t rop = 0xCC;                   // ternary operation index (bits 16-23 of the code)
    COLORREF srcBk = RGB(255, 255, 255);  // source context's background (colour to mono)
    COLORREF monoFg = RGB(0, 0, 0);       // what mono 0 becomes on a colour destination
    COLORREF monoBg = RGB(255, 255, 255); // what mono 1 becomes
};

// Runs t on dest with dest's brush as the pattern and dest's clip.
BOOL TransferToDC(HDC dest, const Transfer& t);
BOOL TransferTo(DeviceContext* dest, const Transfer& t);

// Fills area (surface coordinates) within d's clip with a solid colour and a raster operation.
bool FillDeviceRegion(DeviceContext* d, const PixRegion& area, COLORREF colour, uint8_t rop);

// A new top-down surface of bpp bits per pixel holding the w by h area at (x, y) of src
// (colour to mono: white gives 1; mono to colour: 0 black, 1 white). Null if it cannot be made.
SurfacePtr CopyArea(const Surface& src, int x, int y, int w, int h, int bpp);

} // namespace gdi
