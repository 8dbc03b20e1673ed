// Raster-operation engine: source conversion, the row walk, and fast paths for the operations
// that drawing code uses all the time (copies, masks, fills, colour-to-monochrome).
#include "platform/gdi/raster.h"

#include "platform/gdi/fastpaths.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdi {

// ---- Source conversion -----------------------------------------------------------------------

SourceConverter::SourceConverter(const Surface& src, const Surface& dst, COLORREF srcBk,
                                 COLORREF monoFg, COLORREF monoBg)
    : m_src(src), m_dst(dst) {
    bool srcMono = src.bpp == 1, dstMono = dst.bpp == 1;
    if (src.bpp >= 24 && dst.bpp >= 24 && !src.bitfields && !dst.bitfields) {
        m_mode = Mode::Identity; // both 0x00RRGGBB: the copies between bitmaps and the screen
    } else if (srcMono && dstMono) {
        m_mode = Mode::Identity;
    } else if (dstMono) {
        m_mode = Mode::ToMono;
        m_srcBk = ColourToValue(src, srcBk);
        if (src.bpp <= 8) {
            m_mode = Mode::Table;
            std::fill_n(m_table, 256, 0u);
            for (uint32_t i = 0; i < src.palette.size(); ++i)
                m_table[i] = i == m_srcBk ? 1 : 0;
        }
    } else if (srcMono) {
        m_mode = Mode::Table;
        m_table[0] = ColourToValue(dst, monoFg);
        m_table[1] = ColourToValue(dst, monoBg);
    } else if (SameValueSpace(src, dst)) {
        m_mode = Mode::Identity;
    } else if (src.bpp <= 8) {
        m_mode = Mode::Table;
        std::fill_n(m_table, 256, 0u);
        for (size_t i = 0; i < src.palette.size(); ++i)
            m_table[i] = ColourToValue(dst, ValueToColour(src, uint32_t(i)));
    } else {
        m_mode = Mode::ViaColour;
    }
}

void SourceConverter::MakeNibbles() const {
    for (int n = 0; n < 16; ++n)
        for (int k = 0; k < 4; ++k)
            m_nibbles[n][k] = m_table[(n >> (3 - k)) & 1];
    m_nibblesMade = true;
}

void SourceConverter::Convert(uint32_t* v, int n) const {
    switch (m_mode) {
    case Mode::Identity:
        break;
    case Mode::Table:
        for (int i = 0; i < n; ++i)
            v[i] = m_table[v[i] & 0xFF];
        break;
    case Mode::ToMono:
        for (int i = 0; i < n; ++i)
            v[i] = v[i] == m_srcBk ? 1 : 0;
        break;
    case Mode::ViaColour: {
        // Neighbouring pixels are often equal: remember the last conversion.
        uint32_t lastIn = ~0u, lastOut = 0;
        for (int i = 0; i < n; ++i) {
            if (v[i] != lastIn)
                lastIn = v[i], lastOut = ColourToValue(m_dst, ValueToColour(m_src, v[i]));
            v[i] = lastOut;
        }
        break;
    }
    }
}

// Monochrome to colour four pixels at a time: the mask-drawing fast path.
static void ExpandMono(const uint8_t* row, int x, int n, const uint32_t (*nibbles)[4],
                       const uint32_t* table, uint32_t* out) {
    int i = 0;
    for (; i < n && ((x + i) & 7); ++i)
        out[i] = table[(row[(x + i) >> 3] >> (7 - ((x + i) & 7))) & 1];
    for (; i + 8 <= n; i += 8) {
        uint8_t b = row[(x + i) >> 3];
        std::memcpy(out + i, nibbles[b >> 4], 16);
        std::memcpy(out + i + 4, nibbles[b & 15], 16);
    }
    for (; i < n; ++i)
        out[i] = table[(row[(x + i) >> 3] >> (7 - ((x + i) & 7))) & 1];
}

void SourceConverter::Read(int x, int y, int n, uint32_t* out) const {
    if (m_mode == Mode::Table && m_src.bpp == 1) {
        ExpandMono(m_src.Row(y), x, n, Nibbles(), m_table, out);
        return;
    }
    if (m_mode == Mode::ToMono && (m_src.bpp == 32 || m_src.bpp == 24)) {
        // Colour to monochrome straight from the source row: the mask-making fast path.
        const uint8_t* row = m_src.Row(y);
        uint32_t bk = m_srcBk;
        if (m_src.bpp == 32) {
            const uint32_t* p = reinterpret_cast<const uint32_t*>(row) + x;
            uint32_t mask = ValueMask(m_src);
            for (int i = 0; i < n; ++i)
                out[i] = (p[i] & mask) == bk;
        } else {
            // Four bytes at a time, as ReadValues does; the last pixel byte by byte.
            const uint8_t* p = row + size_t(x) * 3;
            int i = 0;
            for (; i + 1 < n; ++i, p += 3) {
                uint32_t v;
                std::memcpy(&v, p, 4);
                out[i] = (v & 0xFFFFFF) == bk;
            }
            for (; i < n; ++i, p += 3)
                out[i] = (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16) == bk;
        }
        return;
    }
    ReadValues(m_src, x, y, n, out);
    Convert(out, n);
}

// ---- Operations ------------------------------------------------------------------------------

static void ApplyGeneric(uint8_t rop, uint32_t* d, const uint32_t* s, uint32_t p, int n) {
    int terms[8], count = 0;
    for (int m = 0; m < 8; ++m)
        if (rop >> m & 1) terms[count++] = m;
    for (int i = 0; i < n; ++i) {
        uint32_t D = d[i], S = s ? s[i] : 0, r = 0;
        for (int k = 0; k < count; ++k) {
            int m = terms[k];
            r |= ((m & 4) ? p : ~p) & ((m & 2) ? S : ~S) & ((m & 1) ? D : ~D);
        }
        d[i] = r;
    }
}

void ApplyRop(uint8_t rop, uint32_t* d, const uint32_t* s, uint32_t p, int n) {
    switch (rop) {
    case 0x00:
        std::fill_n(d, n, 0u);
        break;
    case 0xFF:
        std::fill_n(d, n, ~0u);
        break;
    case 0xAA:
        break;
    case 0xCC:
        std::memcpy(d, s, size_t(n) * 4);
        break;
    case 0x33:
        for (int i = 0; i < n; ++i)
            d[i] = ~s[i];
        break;
    case 0x88:
        for (int i = 0; i < n; ++i)
            d[i] &= s[i];
        break;
    case 0xEE:
        for (int i = 0; i < n; ++i)
            d[i] |= s[i];
        break;
    case 0x66:
        for (int i = 0; i < n; ++i)
            d[i] ^= s[i];
        break;
    case 0x44:
        for (int i = 0; i < n; ++i)
            d[i] = s[i] & ~d[i];
        break;
    case 0x11:
        for (int i = 0; i < n; ++i)
            d[i] = ~(s[i] | d[i]);
        break;
    case 0xBB:
        for (int i = 0; i < n; ++i)
            d[i] |= ~s[i];
        break;
    case 0xC0:
        for (int i = 0; i < n; ++i)
            d[i] = s[i] & p;
        break;
    case 0xF0:
        std::fill_n(d, n, p);
        break;
    case 0x5A:
        for (int i = 0; i < n; ++i)
            d[i] ^= p;
        break;
    case 0x55:
        for (int i = 0; i < n; ++i)
            d[i] = ~d[i];
        break;
    default:
        ApplyGeneric(rop, d, s, p, n);
        break;
    }
}

// ---- Row walk --------------------------------------------------------------------------------

namespace {

struct Box {
    int l, t, r, b;
};

std::vector<uint32_t>& Buffer(int which, size_t n) {
    static std::vector<uint32_t> buffers[3];
    if (buffers[which].size() < n) buffers[which].resize(n);
    return buffers[which];
}

void FillBox(const Blit& b, const Box& x) {
    Surface& dst = *b.dst;
    int w = x.r - x.l;
    uint32_t value = b.rop == 0x00 ? 0 : b.rop == 0xFF ? ValueMask(dst) : b.pattern;
    for (int y = x.t; y < x.b; ++y)
        FillValues(dst, x.l, y, w, value);
}

// Whole rows of two surfaces with the same layout form one block of memory.
bool OneBlock(const Surface& src, const Surface& dst, const Box& x, int sx, size_t bytes) {
    return x.l == 0 && sx == 0 && x.r == dst.width && src.width == dst.width &&
           src.pitch == dst.pitch && bytes == dst.stride;
}

// Same-format copies and masks of whole bytes: straight on the rows' memory.
bool Bytewise(const Blit& b) {
    const Surface& src = *b.src;
    const Surface& dst = *b.dst;
    if (b.xmap || !b.convert->Identity() || src.bpp != dst.bpp || dst.bpp < 8) return false;
    if (b.rop != 0xCC && b.rop != 0x88 && b.rop != 0xEE && b.rop != 0x66) return false;
    return b.rop == 0xCC || b.src != b.dst; // only memmove copes with overlap
}

void BytewiseBox(const Blit& b, const Box& x, bool upward) {
    const Surface& src = *b.src;
    Surface& dst = *b.dst;
    size_t bytes = size_t(x.r - x.l) * size_t(dst.bpp / 8);
    int sx = b.srcX + (x.l - b.rect.left), sy0 = b.srcY + (x.t - b.rect.top);
    int h = x.b - x.t;
    if (OneBlock(src, dst, x, sx, bytes)) {
        // Rows in memory order: the lowest address is the top row, or the bottom one.
        int first = dst.pitch > 0 ? 0 : h - 1;
        BytewiseOp(b.rop, dst.Row(x.t + first), src.Row(sy0 + first), bytes * size_t(h));
        return;
    }
    uint8_t* d = dst.Row(x.t) + size_t(x.l) * size_t(dst.bpp / 8);
    const uint8_t* s = src.Row(sy0) + size_t(sx) * size_t(src.bpp / 8);
    ptrdiff_t dPitch = dst.pitch, sPitch = src.pitch;
    if (upward) {
        d += ptrdiff_t(h - 1) * dPitch, s += ptrdiff_t(h - 1) * sPitch;
        dPitch = -dPitch, sPitch = -sPitch;
    }
    BytewiseRows(b.rop, d, dPitch, s, sPitch, bytes, h, b.src == b.dst);
}

void FetchSource(const Blit& b, int l, int w, int y, uint32_t* out) {
    if (!b.xmap) {
        b.convert->Read(b.srcX + (l - b.rect.left), b.srcY + (y - b.rect.top), w, out);
        return;
    }
    const int* xs = b.xmap + (l - b.rect.left);
    int lo = std::min(xs[0], xs[w - 1]), hi = std::max(xs[0], xs[w - 1]);
    std::vector<uint32_t>& span = Buffer(2, size_t(hi - lo + 1));
    ReadValues(*b.src, lo, b.ymap[y - b.rect.top], hi - lo + 1, span.data());
    for (int i = 0; i < w; ++i)
        out[i] = span[size_t(xs[i] - lo)];
    b.convert->Convert(out, w);
}

void RowBox(const Blit& b, const Box& x, bool upward) {
    Surface& dst = *b.dst;
    int w = x.r - x.l, h = x.b - x.t;
    bool usesSource = RopUsesSource(b.rop), usesDest = RopUsesDest(b.rop);
    uint32_t* s = usesSource ? Buffer(0, size_t(w)).data() : nullptr;
    uint32_t* scratch = Buffer(1, size_t(w)).data();
    // A stretch repeats source rows: a row already read and converted serves again (not when
    // the surface stretches onto itself, where a row written may be the next one read).
    const bool reuse = b.xmap && b.src != b.dst;
    int fetched = -1;
    for (int k = 0; k < h; ++k) {
        int y = x.t + (upward ? h - 1 - k : k);
        if (s && !(reuse && b.ymap[y - b.rect.top] == fetched)) {
            FetchSource(b, x.l, w, y, s);
            if (reuse) fetched = b.ymap[y - b.rect.top];
        }
        if (b.rop == 0xCC) {
            WriteValues(dst, x.l, y, w, s);
        } else if (dst.bpp == 32) {
            ApplyRop(b.rop, reinterpret_cast<uint32_t*>(dst.Row(y)) + x.l, s, b.pattern, w);
        } else {
            if (usesDest) ReadValues(dst, x.l, y, w, scratch);
            ApplyRop(b.rop, scratch, s, b.pattern, w);
            WriteValues(dst, x.l, y, w, scratch);
        }
    }
}

bool SimpleRop(uint8_t rop) {
    return rop == 0xCC || rop == 0x88 || rop == 0xEE || rop == 0x66;
}

// How every box of a blit is drawn: decided once per blit, as nothing in it depends on the box.
enum class Path {
    Fill,           // no source: 0, 1 or the pattern
    Bytewise,       // same format, whole bytes
    ColourToMono,   // 32-bit rows to mask bits
    MonoToColour,   // mask bits onto 32-bit rows
    Colour24ToMono, // 24-bit rows to mask bits
    Colour24To32,   // 24-bit rows onto 32-bit rows
    Rows,           // the general row walk
};

Path ChoosePath(const Blit& b) {
    bool usesSource = RopUsesSource(b.rop) && b.src;
    if (!usesSource)
        return b.rop == 0x00 || b.rop == 0xFF || b.rop == 0xF0 ? Path::Fill : Path::Rows;
    if (Bytewise(b)) return Path::Bytewise;
    if (b.xmap || !SimpleRop(b.rop)) return Path::Rows;
    const Surface& src = *b.src;
    const Surface& dst = *b.dst;
    const SourceConverter& conv = *b.convert;
    // Masks: colour rows to monochrome bits, and monochrome bits onto screen-format rows.
    if (b.rop == 0xCC && conv.ToMono() && src.bpp == 32 && dst.bpp == 1) return Path::ColourToMono;
    if (conv.MonoToColour() && dst.bpp == 32 && b.src != b.dst) return Path::MonoToColour;
    // Skin bitmaps are 24-bit while the screen and its compatible bitmaps are 32-bit: copies,
    // masks and mask making between the two, straight on the rows' memory.
    if (src.bpp == 24) {
        if (dst.bpp == 1 && b.rop == 0xCC && conv.ToMono()) return Path::Colour24ToMono;
        if (dst.bpp == 32 && conv.Identity()) return Path::Colour24To32;
    }
    return Path::Rows;
}

void BlitBox(const Blit& b, Path path, const Box& x, bool upward) {
    if (path == Path::Fill) return FillBox(b, x);
    if (path == Path::Bytewise) return BytewiseBox(b, x, upward);
    if (path == Path::Rows) return RowBox(b, x, upward);
    const Surface& src = *b.src;
    Surface& dst = *b.dst;
    int w = x.r - x.l, sx = b.srcX + (x.l - b.rect.left), sy = b.srcY + (x.t - b.rect.top);
    switch (path) {
    case Path::ColourToMono: {
        MonoBlock m{
            src.Row(sy) + size_t(sx) * 4, src.pitch, dst.Row(x.t), dst.pitch, x.l, w, x.b - x.t};
        ColourToMono(m, ValueMask(src), b.convert->SourceBackground());
        break;
    }
    case Path::MonoToColour: {
        MonoBlock m{
            dst.Row(x.t) + size_t(x.l) * 4, dst.pitch, src.Row(sy), src.pitch, sx, w, x.b - x.t};
        MonoToColour(b.rop, m, MonoToColourTakesNibbles() ? b.convert->Nibbles() : nullptr,
                     b.convert->Table());
        break;
    }
    case Path::Colour24ToMono:
        Colour24ToMono(src.Row(sy) + size_t(sx) * 3, src.pitch, w, x.b - x.t,
                       b.convert->SourceBackground(), dst.Row(x.t), dst.pitch, x.l);
        break;
    default:
        Colour24To32(b.rop, dst.Row(x.t) + size_t(x.l) * 4, dst.pitch, src.Row(sy) + size_t(sx) * 3,
                     src.pitch, w, x.b - x.t);
        break;
    }
}

} // namespace

void RunBlit(const Blit& b, const PixRegion& clip) {
    if (b.rect.left >= b.rect.right || b.rect.top >= b.rect.bottom) return;
    bool overlapping = b.src == b.dst && !b.xmap;
    // Copying down (or right) within one surface: walk from the far end so that no row is
    // overwritten before it has been read.
    bool upward = overlapping && b.srcY < b.rect.top;
    bool reverse =
        overlapping && (b.srcY < b.rect.top || (b.srcY == b.rect.top && b.srcX < b.rect.left));
    Path path = ChoosePath(b);
    auto boxes = clip.Boxes();
    for (size_t n = 0; n < boxes.size(); ++n) {
        const pixman_box32_t& c = boxes[reverse ? boxes.size() - 1 - n : n];
        Box x{std::max<int>(c.x1, b.rect.left), std::max<int>(c.y1, b.rect.top),
              std::min<int>(c.x2, b.rect.right), std::min<int>(c.y2, b.rect.bottom)};
        if (x.l < x.r && x.t < x.b) BlitBox(b, path, x, upward);
    }
    ++b.dst->serial;
}

} // namespace gdi
