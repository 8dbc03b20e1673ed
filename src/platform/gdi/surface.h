// Pixel memory in one of the device's formats, and the per-format primitives that the raster
// engine is built on.
//
// A Surface addresses rows top to bottom whatever their order in memory: a bottom-up section
// simply has a negative pitch. Pixel *values* are what a format stores (palette indices for 1, 4
// and 8 bits per pixel, packed channels otherwise); raster operations work on values, colours
// (COLORREF, 0x00BBGGRR) are converted at the edges. 24- and 32-bit RGB surfaces share one value
// space (0x00RRGGBB), so copies between them need no conversion.
#pragma once

#include "platform/base/recycle.h"
#include "platform/gdi/gdidefs.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace gdi {

struct Channel {
    int shift = 0; // lowest bit of the channel in the value
    int bits = 0;  // width of the channel in bits
};

struct Surface {
    int width = 0;
    int height = 0;
    int bpp = 0;
    size_t stride = 0;      // bytes per row in memory, a multiple of 4
    ptrdiff_t pitch = 0;    // address step from row y to row y + 1
    uint8_t* top = nullptr; // row 0 (the top row)
    uint8_t* memory = nullptr;
    // 1, 4 and 8 bits per pixel. Its storage is recycled: a mask is made at every transparent
    // draw, and its two entries would otherwise cost a heap allocation each time.
    std::vector<RGBQUAD, RecycledAllocator<RGBQUAD>> palette;
    bool bitfields = false; // 16 and 32 bits per pixel with explicit masks
    uint32_t masks[3] = {}; // red, green, blue
    Channel channels[3];
    uint64_t serial = 0; // bumped by every drawing operation, so a viewer knows when to refresh

    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    uint8_t* Row(int y) const { return top + ptrdiff_t(y) * pitch; }
    size_t Bytes() const { return stride * size_t(height); }
};

using SurfacePtr = std::shared_ptr<Surface>;

// Largest pixel memory a surface may take; larger requests fail like an exhausted device.
constexpr size_t kMaxSurfaceBytes = size_t(1) << 28;

// Bytes per row for width pixels at bpp bits, rounded up to 32 bits; 0 when out of range.
size_t RowBytes(int64_t width, int bpp);

// Allocates zeroed pixel memory. masks are used only for 16 and 32 bits per pixel when
// bitfields is set; they must be contiguous, non-empty and disjoint. Null when the format or
// size cannot be made.
SurfacePtr MakeSurface(int width, int height, int bpp, bool bottomUp,
                       std::span<const RGBQUAD> palette = {}, const uint32_t* masks = nullptr);

// The platform's default colour tables for device bitmaps: black and white, the 16 VGA colours,
// and a 256-entry table of 6x6x6 colour cube plus greys.
std::vector<RGBQUAD> DefaultPalette(int bpp);

// True when values of a can be stored into b unchanged.
bool SameValueSpace(const Surface& a, const Surface& b);
// True when the two surfaces store values in the same bytes (same depth and value space).
bool SameFormat(const Surface& a, const Surface& b);

// ---- Per-format primitives -------------------------------------------------------------------

uint32_t ColourToValue(const Surface& s, COLORREF colour);
COLORREF ValueToColour(const Surface& s, uint32_t value);
// The bits a value of this format can hold.
uint32_t ValueMask(const Surface& s);

uint32_t GetValue(const Surface& s, int x, int y);
void PutValue(Surface& s, int x, int y, uint32_t value);
// n values of row y from column x; the caller keeps the span inside the surface.
void ReadValues(const Surface& s, int x, int y, int n, uint32_t* out);
void WriteValues(Surface& s, int x, int y, int n, const uint32_t* values);
void FillValues(Surface& s, int x, int y, int n, uint32_t value);

} // namespace gdi
