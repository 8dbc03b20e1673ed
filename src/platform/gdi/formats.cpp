// Per-format pixel access: reading, writing and filling values, and converting between values
// and colours. Everything above this file works on whole rows of 32-bit values.
#include "platform/base/recycle.h"
#include "platform/gdi/gdidevice.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace gdi {

// Pixel memory is recycled: a paint or a region scan makes and drops bitmaps of the same size
// over and over (a control's off-screen image and mask at every paint), and fresh large blocks
// would cost a round trip to the system (and a page fault per page) each time.
namespace {

struct Block {
    uint8_t* memory;
    size_t bytes;
};

constexpr size_t kKeptBlocks = 8; // of each of the two lists below
constexpr size_t kSmallBlock = 4096;
// What waits for reuse in one list, at most: a few screens' worth, never tens of megabytes.
constexpr size_t kKeptBytes = size_t(2) << 20;

// Blocks waiting for reuse, oldest first, and the bytes they hold.
struct KeptList {
    Block blocks[kKeptBlocks];
    size_t count;
    size_t bytes;

    // A block of exactly n bytes (the one freed last), or null.
    uint8_t* Take(size_t n) {
        for (size_t i = count; i-- > 0;)
            if (blocks[i].bytes == n) {
                uint8_t* memory = blocks[i].memory;
                std::copy(blocks + i + 1, blocks + count, blocks + i);
                --count;
                bytes -= n;
                return memory;
            }
        return nullptr;
    }

    void Put(uint8_t* memory, size_t n) {
        while (count > 0 && (count == kKeptBlocks || bytes + n > kKeptBytes)) {
            std::free(blocks[0].memory); // the oldest goes first
            bytes -= blocks[0].bytes;
            std::copy(blocks + 1, blocks + count, blocks);
            --count;
        }
        blocks[count++] = {memory, n};
        bytes += n;
    }

    void Clear() {
        for (size_t i = 0; i < count; ++i)
            std::free(blocks[i].memory);
        count = 0;
        bytes = 0;
    }
};

// Small blocks (a control's images) and large ones (screens and backgrounds) are kept apart, so
// that the many small ones never push out the few large ones. Plain arrays, set up before any
// code runs: a bitmap made or released reaches them without a guard or a heap vector.
constinit KeptList g_small{};
constinit KeptList g_large{};

KeptList& Kept(size_t bytes) {
    return bytes < kSmallBlock ? g_small : g_large;
}

uint8_t* AllocatePixels(size_t bytes) {
    if (uint8_t* memory = Kept(bytes).Take(bytes)) {
        std::memset(memory, 0, bytes);
        return memory;
    }
    return static_cast<uint8_t*>(std::calloc(bytes, 1));
}

void FreePixels(uint8_t* memory, size_t bytes) {
    if (!memory) return;
    if (bytes > kKeptBytes) return std::free(memory);
    Kept(bytes).Put(memory, bytes);
}

} // namespace

Surface::~Surface() {
    FreePixels(memory, Bytes());
}

size_t RowBytes(int64_t width, int bpp) {
    if (width <= 0 || bpp <= 0 || width > (int64_t(1) << 24)) return 0;
    uint64_t bytes = ((uint64_t(width) * uint64_t(bpp) + 31) >> 5) << 2;
    return bytes > kMaxSurfaceBytes ? 0 : size_t(bytes);
}

static bool ValidDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

static bool SetChannels(Surface& s, const uint32_t* masks) {
    uint32_t seen = 0;
    for (int k = 0; k < 3; ++k) {
        uint32_t m = masks[k];
        if (m == 0 || (m & seen) != 0) return false;
        if (s.bpp == 16 && m > 0xFFFF) return false;
        int shift = std::countr_zero(m);
        uint32_t run = m >> shift;
        if ((run & (run + 1)) != 0) return false; // not one contiguous run of bits
        int bits = std::popcount(m);
        if (bits > 16) return false;
        s.masks[k] = m;
        s.channels[k] = {shift, bits};
        seen |= m;
    }
    return true;
}

static const uint32_t kMasks555[3] = {0x7C00, 0x03E0, 0x001F};
static const uint32_t kMasks888[3] = {0xFF0000, 0x00FF00, 0x0000FF};
static const Channel kChannels888[3] = {{16, 8}, {8, 8}, {0, 8}};

SurfacePtr MakeSurface(int width, int height, int bpp, bool bottomUp,
                       std::span<const RGBQUAD> palette, const uint32_t* masks) {
    if (!ValidDepth(bpp) || height <= 0 || height > (1 << 24)) return nullptr;
    size_t stride = RowBytes(width, bpp);
    if (stride == 0 || stride * size_t(height) > kMaxSurfaceBytes) return nullptr;
    auto s = std::allocate_shared<Surface>(RecycledAllocator<Surface>());
    s->width = width;
    s->height = height;
    s->bpp = bpp;
    s->stride = stride;
    if (bpp <= 8) {
        size_t entries = size_t(1) << bpp;
        if (!palette.empty()) {
            s->palette.reserve(entries);
            s->palette.assign(palette.begin(),
                              palette.begin() + ptrdiff_t(std::min(palette.size(), entries)));
            s->palette.resize(entries, RGBQUAD{0, 0, 0, 0});
        } else if (bpp == 1) {
            // Masks are made at every transparent draw: black and white without a table made
            // and copied each time.
            s->palette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
        } else {
            std::vector<RGBQUAD> table = DefaultPalette(bpp);
            s->palette.assign(table.begin(), table.end());
            s->palette.resize(entries, RGBQUAD{0, 0, 0, 0});
        }
    } else if (bpp >= 24 && (!masks || bpp == 24)) {
        // 0x00RRGGBB, as the screen and its compatible bitmaps: the channels are known.
        std::copy(kMasks888, kMasks888 + 3, s->masks);
        std::copy(kChannels888, kChannels888 + 3, s->channels);
    } else {
        s->bitfields = masks != nullptr && bpp != 24;
        const uint32_t* use = s->bitfields ? masks : (bpp == 16 ? kMasks555 : kMasks888);
        if (!SetChannels(*s, use)) return nullptr;
    }
    s->memory = AllocatePixels(s->Bytes());
    if (!s->memory) return nullptr;
    s->pitch = bottomUp ? -ptrdiff_t(stride) : ptrdiff_t(stride);
    s->top = bottomUp ? s->memory + stride * size_t(height - 1) : s->memory;
    return s;
}

static RGBQUAD Quad(uint32_t rrggbb) {
    return RGBQUAD{BYTE(rrggbb), BYTE(rrggbb >> 8), BYTE(rrggbb >> 16), 0};
}

std::vector<RGBQUAD> DefaultPalette(int bpp) {
    static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<RGBQUAD> table;
    if (bpp == 1) return {Quad(0), Quad(0xFFFFFF)};
    for (uint32_t c : vga)
        table.push_back(Quad(c));
    if (bpp == 4) return table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(Quad(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | (b * 51)));
    for (int i = 0; table.size() < 256; ++i) {
        uint32_t v = uint32_t(8 + i * 10);
        table.push_back(Quad(v << 16 | v << 8 | v));
    }
    return table;
}

static bool SamePalette(const Surface& a, const Surface& b) {
    if (a.palette.size() != b.palette.size()) return false;
    for (size_t i = 0; i < a.palette.size(); ++i) {
        const RGBQUAD &p = a.palette[i], &q = b.palette[i];
        if (p.rgbRed != q.rgbRed || p.rgbGreen != q.rgbGreen || p.rgbBlue != q.rgbBlue)
            return false;
    }
    return true;
}

bool SameValueSpace(const Surface& a, const Surface& b) {
    if (a.bpp <= 8 || b.bpp <= 8) return a.bpp == b.bpp && (a.bpp == 1 || SamePalette(a, b));
    if ((a.bpp == 16) != (b.bpp == 16)) return false;
    return std::memcmp(a.masks, b.masks, sizeof a.masks) == 0;
}

bool SameFormat(const Surface& a, const Surface& b) {
    return a.bpp == b.bpp && SameValueSpace(a, b);
}

// ---- Colours ---------------------------------------------------------------------------------

static uint32_t NearestIndex(const Surface& s, COLORREF c) {
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < s.palette.size(); ++i) {
        const RGBQUAD& q = s.palette[i];
        int dr = q.rgbRed - r, dg = q.rgbGreen - g, db = q.rgbBlue - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = uint32_t(i);
        if (d == 0) break;
    }
    return best;
}

static uint32_t ScaleDown(uint32_t c8, int bits) {
    if (bits >= 8) return (c8 << (bits - 8)) | (c8 >> (16 - bits));
    return c8 >> (8 - bits);
}

static uint32_t ScaleUp(uint32_t v, int bits) {
    if (bits >= 8) return v >> (bits - 8);
    uint32_t max = (1u << bits) - 1;
    return (v * 255 + max / 2) / max;
}

uint32_t ColourToValue(const Surface& s, COLORREF c) {
    if (s.bpp <= 8) return NearestIndex(s, c);
    if (!s.bitfields && s.bpp >= 24)
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    const uint32_t bytes[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    uint32_t v = 0;
    for (int k = 0; k < 3; ++k)
        v |= ScaleDown(bytes[k], s.channels[k].bits) << s.channels[k].shift;
    return v;
}

COLORREF ValueToColour(const Surface& s, uint32_t v) {
    if (s.bpp <= 8) {
        const RGBQUAD& q = s.palette[v & (s.palette.size() - 1)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (!s.bitfields && s.bpp >= 24) return RGB(v >> 16, v >> 8, v);
    uint32_t c[3];
    for (int k = 0; k < 3; ++k) {
        const Channel& ch = s.channels[k];
        c[k] = ScaleUp((v >> ch.shift) & ((1u << ch.bits) - 1), ch.bits);
    }
    return RGB(c[0], c[1], c[2]);
}

uint32_t ValueMask(const Surface& s) {
    if (s.bpp <= 8) return (1u << s.bpp) - 1;
    return s.masks[0] | s.masks[1] | s.masks[2];
}

// ---- Rows ------------------------------------------------------------------------------------

// Monochrome rows a byte (eight pixels) at a time where the span is byte-aligned.
static void ReadBits(const uint8_t* row, int x, int n, uint32_t* out) {
    int i = 0;
    for (; i < n && ((x + i) & 7); ++i)
        out[i] = (row[(x + i) >> 3] >> (7 - ((x + i) & 7))) & 1;
    for (; i + 8 <= n; i += 8) {
        uint8_t b = row[(x + i) >> 3];
        for (int k = 0; k < 8; ++k)
            out[i + k] = (b >> (7 - k)) & 1;
    }
    for (; i < n; ++i)
        out[i] = (row[(x + i) >> 3] >> (7 - ((x + i) & 7))) & 1;
}

static void WriteBit(uint8_t* row, int px, uint32_t v) {
    uint8_t bit = uint8_t(0x80 >> (px & 7));
    row[px >> 3] = (v & 1) ? uint8_t(row[px >> 3] | bit) : uint8_t(row[px >> 3] & ~bit);
}

static void WriteBits(uint8_t* row, int x, int n, const uint32_t* in) {
    int i = 0;
    for (; i < n && ((x + i) & 7); ++i)
        WriteBit(row, x + i, in[i]);
    for (; i + 8 <= n; i += 8) {
        uint32_t b = 0;
        for (int k = 0; k < 8; ++k)
            b |= (in[i + k] & 1) << (7 - k);
        row[(x + i) >> 3] = uint8_t(b);
    }
    for (; i < n; ++i)
        WriteBit(row, x + i, in[i]);
}

void ReadValues(const Surface& s, int x, int y, int n, uint32_t* out) {
    const uint8_t* row = s.Row(y);
    switch (s.bpp) {
    case 1:
        ReadBits(row, x, n, out);
        break;
    case 4:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            out[i] = (row[px >> 1] >> ((px & 1) ? 0 : 4)) & 0xF;
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            out[i] = row[x + i];
        break;
    case 16: {
        const uint8_t* p = row + size_t(x) * 2;
        for (int i = 0; i < n; ++i)
            out[i] = uint32_t(p[2 * i]) | uint32_t(p[2 * i + 1]) << 8;
        break;
    }
    case 24: {
        // Four bytes at a time (the fourth is the next pixel's), the last pixel byte by byte so
        // that no read passes the row.
        const uint8_t* p = row + size_t(x) * 3;
        int i = 0;
        for (; i + 1 < n; ++i, p += 3) {
            uint32_t v;
            std::memcpy(&v, p, 4);
            out[i] = v & 0xFFFFFF;
        }
        for (; i < n; ++i, p += 3)
            out[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        break;
    }
    default: {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(row) + x;
        uint32_t mask = ValueMask(s);
        for (int i = 0; i < n; ++i)
            out[i] = p[i] & mask;
        break;
    }
    }
}

void WriteValues(Surface& s, int x, int y, int n, const uint32_t* in) {
    uint8_t* row = s.Row(y);
    switch (s.bpp) {
    case 1:
        WriteBits(row, x, n, in);
        break;
    case 4:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            uint8_t& b = row[px >> 1];
            b = (px & 1) ? uint8_t((b & 0xF0) | (in[i] & 0xF))
                         : uint8_t((b & 0x0F) | (in[i] & 0xF) << 4);
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            row[x + i] = uint8_t(in[i]);
        break;
    case 16: {
        uint8_t* p = row + size_t(x) * 2;
        for (int i = 0; i < n; ++i)
            p[2 * i] = uint8_t(in[i]), p[2 * i + 1] = uint8_t(in[i] >> 8);
        break;
    }
    case 24: {
        uint8_t* p = row + size_t(x) * 3;
        for (int i = 0; i < n; ++i, p += 3)
            p[0] = uint8_t(in[i]), p[1] = uint8_t(in[i] >> 8), p[2] = uint8_t(in[i] >> 16);
        break;
    }
    default:
        std::memcpy(reinterpret_cast<uint32_t*>(row) + x, in, size_t(n) * 4);
        break;
    }
}

void FillValues(Surface& s, int x, int y, int n, uint32_t v) {
    uint8_t* row = s.Row(y);
    switch (s.bpp) {
    case 8:
        std::memset(row + x, int(v & 0xFF), size_t(n));
        break;
    case 24: {
        uint8_t* p = row + size_t(x) * 3;
        for (int i = 0; i < n; ++i, p += 3)
            p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16);
        break;
    }
    case 32: {
        uint32_t* p = reinterpret_cast<uint32_t*>(row) + x;
        for (int i = 0; i < n; ++i)
            p[i] = v;
        break;
    }
    default: {
        uint32_t chunk[256];
        for (int i = 0; i < 256; ++i)
            chunk[i] = v;
        for (int done = 0; done < n; done += 256) {
            int count = n - done < 256 ? n - done : 256;
            WriteValues(s, x + done, y, count, chunk);
        }
        break;
    }
    }
}

// Single pixels (glyphs, pens) on the screen's format go straight to the row.
uint32_t GetValue(const Surface& s, int x, int y) {
    uint32_t v;
    if (s.bpp == 32) {
        std::memcpy(&v, s.Row(y) + size_t(x) * 4, 4);
        return v & ValueMask(s);
    }
    ReadValues(s, x, y, 1, &v);
    return v;
}

void PutValue(Surface& s, int x, int y, uint32_t value) {
    if (s.bpp == 32) {
        std::memcpy(s.Row(y) + size_t(x) * 4, &value, 4);
        return;
    }
    WriteValues(s, x, y, 1, &value);
}

} // namespace gdi

void GdiReleaseRecycledMemory() {
    gdi::g_small.Clear();
    gdi::g_large.Clear();
    ReleaseRecycledObjects(); // graphics objects and framework wrappers waiting for reuse
}
