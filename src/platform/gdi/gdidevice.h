// What this stand-in offers beyond the device's own interface: the screen surface and screen
// device contexts for the window manager, live-object counts for tests, PNG export, and a
// one-step union of rectangles. Library code above the platform does not include this header
// (except where noted); the window manager, the display and the tests do.
#pragma once

#include "platform/gdi/gdi.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- Live objects ----------------------------------------------------------------------------

// Objects the caller owns (stock objects and system-colour brushes are not counted).
struct GdiObjectCounts {
    int bitmaps = 0;
    int dcs = 0;
    int brushes = 0;
    int pens = 0;
    int fonts = 0;
    int regions = 0;
    int icons = 0;
    int imageLists = 0;

    bool operator==(const GdiObjectCounts&) const = default;
    int Total() const {
        return bitmaps + dcs + brushes + pens + fonts + regions + icons + imageLists;
    }
};
GdiObjectCounts GdiGetObjectCounts();
// Objects of each kind made since the process started (a running total, never lowered).
GdiObjectCounts GdiGetCreatedCounts();
// "bitmaps 1, dcs 0, ..." for test messages.
std::string GdiDescribeCounts(const GdiObjectCounts& counts);

// Pixel memory of released bitmaps waits (a few blocks) for a new bitmap of the same size, and
// the storage of released objects for new ones; this frees both, so that a measurement of what
// a skin or a screen keeps leaves them out.
void GdiReleaseRecycledMemory();

// ---- The screen ------------------------------------------------------------------------------

// Replaces the screen by a fresh black one of the given size. Contexts on the screen follow
// the new surface; objects of earlier users stay alive and counted.
void GdiResetScreen(int width = 240, int height = 320);
SIZE GdiGetScreenSize();

// The screen's pixels: 32 bits per pixel, 0x00RRGGBB, top row first. Valid until the next reset.
struct GdiScreenPixels {
    const uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;
};
GdiScreenPixels GdiGetScreenPixels();
// Changes whenever anything is drawn on the screen.
uint64_t GdiGetScreenSerial();

// ---- Screen device contexts (for the window manager) -----------------------------------------

// A context that draws on the screen. Its origin (where logical (0, 0) lies, in screen
// coordinates) and its system visible region (screen coordinates) are set by the window
// manager; the application's clip region is relative to the origin and combines with both.
// DeleteDC releases it.
HDC GdiCreateScreenDC();
BOOL GdiSetDCOrigin(HDC dc, int x, int y);
BOOL GdiGetDCOrigin(HDC dc, LPPOINT origin);
// A copy of region is kept; null makes the whole screen visible.
BOOL GdiSetDCVisibleRegion(HDC dc, HRGN screenRegion);
// Back to a fresh context's attributes and selections, with no clip region and no saved states
// (for a context that is handed out again). Origin and visible region are kept.
BOOL GdiResetDCState(HDC dc);

// ---- PNG export ------------------------------------------------------------------------------

// 8-bit RGB images. An area is given in the context's logical coordinates and cut to its
// surface. Empty results mean failure.
std::vector<BYTE> GdiEncodeBitmapPng(HBITMAP bitmap);
std::vector<BYTE> GdiEncodeDCAreaPng(HDC dc, const RECT& area);
bool GdiWriteBitmapPng(HBITMAP bitmap, const std::string& hostPath);
bool GdiWriteDCAreaPng(HDC dc, const RECT& area, const std::string& hostPath);
bool GdiWriteScreenPng(const std::string& hostPath);

// ---- Regions ---------------------------------------------------------------------------------

// The union of count rectangles, built in one step rather than one rectangle at a time.
// (Used by the bitmap utilities to turn a batch of scanned runs into a region.)
HRGN GdiCreateRegionFromRects(const RECT* rects, DWORD count);
