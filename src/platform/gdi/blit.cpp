// Block transfers: BitBlt, StretchBlt and PatBlt, and the surface transfer that icons and image
// lists draw with. Each translates to surface coordinates, keeps to the part of the source that
// exists, and hands the rest to the raster engine with the destination's clip.
#include "platform/gdi/blit.h"

#include "platform/gdi/raster.h"

#include <algorithm>
#include <vector>

namespace gdi {
namespace {

struct Span {
    int begin, end; // destination offsets [begin, end) whose source lies inside
};

// Nearest-neighbour source index for each destination offset in [from, to) of a run of
// dstLength pixels taken from srcLength pixels at srcStart (mirrored when asked).
std::vector<int> SampleMap(int from, int to, int dstLength, int srcStart, int srcLength,
                           bool mirror) {
    std::vector<int> map(size_t(std::max(0, to - from)));
    for (int i = from; i < to; ++i) {
        int64_t k = (int64_t(2 * int64_t(i) + 1) * srcLength) / (2 * int64_t(dstLength));
        if (mirror) k = srcLength - 1 - k;
        map[size_t(i - from)] = int(srcStart + k);
    }
    return map;
}

// The part of map whose entries lie in [0, limit); maps are monotonic, so it is one run.
Span ValidRun(const std::vector<int>& map, int limit) {
    int n = int(map.size()), b = 0, e = n;
    while (b < n && (map[size_t(b)] < 0 || map[size_t(b)] >= limit))
        ++b;
    while (e > b && (map[size_t(e - 1)] < 0 || map[size_t(e - 1)] >= limit))
        --e;
    return {b, e};
}

void Normalise(int& pos, int& length) {
    if (length < 0) pos += length, length = -length;
}

bool Stretched(DeviceContext* d, const Transfer& t, Blit& b, const SourceConverter& conv) {
    int x = t.x, y = t.y, w = t.width, h = t.height, sw = t.srcWidth, sh = t.srcHeight;
    bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
    int sx = t.srcX, sy = t.srcY;
    Normalise(x, w), Normalise(y, h), Normalise(sx, sw), Normalise(sy, sh);
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return true;
    POINT off = d->Offset();
    // Only the columns and rows that the clip lets through need a source index.
    RECT clip = d->Clip().Extents();
    int x0 = std::max(0, int(clip.left - (x + off.x))),
        x1 = std::min(w, int(clip.right - (x + off.x)));
    int y0 = std::max(0, int(clip.top - (y + off.y))),
        y1 = std::min(h, int(clip.bottom - (y + off.y)));
    if (x0 >= x1 || y0 >= y1) return true;
    std::vector<int> xmap = SampleMap(x0, x1, w, sx, sw, mirrorX);
    std::vector<int> ymap = SampleMap(y0, y1, h, sy, sh, mirrorY);
    Span cols = ValidRun(xmap, t.src->width), rows = ValidRun(ymap, t.src->height);
    if (cols.begin >= cols.end || rows.begin >= rows.end) return true;
    b.rect = RECT{x + off.x + x0 + cols.begin, y + off.y + y0 + rows.begin,
                  x + off.x + x0 + cols.end, y + off.y + y0 + rows.end};
    b.xmap = xmap.data() + cols.begin;
    b.ymap = ymap.data() + rows.begin;
    b.convert = &conv;
    RunBlit(b, d->Clip());
    return true;
}

bool OneToOne(DeviceContext* d, const Transfer& t, Blit& b, const SourceConverter* conv) {
    int x = t.x, y = t.y, w = t.width, h = t.height, sx = t.srcX, sy = t.srcY;
    if (w < 0) x += w, sx += w, w = -w;
    if (h < 0) y += h, sy += h, h = -h;
    POINT off = d->Offset();
    int left = x + off.x, top = y + off.y;
    if (t.src) {
        // Keep to the part of the source that exists.
        int cutL = std::max(0, -sx), cutT = std::max(0, -sy);
        int cutR = std::max(0, sx + w - t.src->width), cutB = std::max(0, sy + h - t.src->height);
        left += cutL, top += cutT, sx += cutL, sy += cutT;
        w -= cutL + cutR, h -= cutT + cutB;
        if (w <= 0 || h <= 0) return true;
    }
    b.rect = RECT{left, top, left + w, top + h};
    b.srcX = sx;
    b.srcY = sy;
    b.convert = conv;
    RunBlit(b, d->Clip());
    return true;
}

} // namespace

BOOL TransferToDC(HDC dest, const Transfer& t) {
    DeviceContext* d = DC(dest);
    return d && TransferTo(d, t);
}

BOOL TransferTo(DeviceContext* d, const Transfer& t) {
    bool usesSource = RopUsesSource(t.rop);
    if (usesSource && !t.src) return FALSE;
    Blit b;
    b.dst = d->Target();
    b.rop = t.rop;
    if (RopUsesPattern(t.rop)) {
        std::optional<COLORREF> brush = BrushColour(d->state.brush);
        if (!brush) return TRUE; // a hollow brush paints nothing
        b.pattern = ColourToValue(*b.dst, *brush);
    }
    if (!usesSource) return OneToOne(d, Transfer{t.x, t.y, t.width, t.height}, b, nullptr);
    b.src = t.src;
    SourceConverter conv(*t.src, *b.dst, t.srcBk, t.monoFg, t.monoBg);
    if (t.srcWidth == t.width && t.srcHeight == t.height) return OneToOne(d, t, b, &conv);
    return Stretched(d, t, b, conv);
}

bool FillDeviceRegion(DeviceContext* d, const PixRegion& area, COLORREF colour, uint8_t rop) {
    PixRegion clip = area;
    clip.Intersect(d->Clip());
    if (clip.IsEmpty()) return true;
    Blit b;
    b.dst = d->Target();
    b.rop = rop;
    b.pattern = ColourToValue(*b.dst, colour);
    b.rect = clip.Extents();
    RunBlit(b, clip);
    return true;
}

SurfacePtr CopyArea(const Surface& src, int x, int y, int w, int h, int bpp) {
    SurfacePtr out = MakeSurface(w, h, bpp, false);
    if (!out) return nullptr;
    SourceConverter conv(src, *out, RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255));
    Blit b;
    b.dst = out.get();
    b.src = &src;
    b.convert = &conv;
    int cutL = std::max(0, -x), cutT = std::max(0, -y);
    b.rect = RECT{cutL, cutT, std::min(w, src.width - x), std::min(h, src.height - y)};
    b.srcX = x + cutL;
    b.srcY = y + cutT;
    RunBlit(b, PixRegion(b.rect));
    return out;
}

} // namespace gdi

using namespace gdi;

static const Surface* SourceOf(HDC source, int& x, int& y, COLORREF& bk) {
    DeviceContext* s = DC(source);
    if (!s) return nullptr;
    POINT off = s->Offset();
    x += off.x, y += off.y;
    bk = s->state.bkColour;
    return s->Target();
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
    DeviceContext* d = DC(dest);
    if (!d || !Fits(x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight)) return FALSE;
    Transfer t{x,       y,       width,       height,       nullptr,
               sourceX, sourceY, sourceWidth, sourceHeight, uint8_t(rop >> 16)};
    t.monoFg = d->state.textColour;
    t.monoBg = d->state.bkColour;
    if (RopUsesSource(t.rop)) {
        t.src = SourceOf(source, t.srcX, t.srcY, t.srcBk);
        if (!t.src) return FALSE;
    }
    return TransferTo(d, t);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop) {
    return StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (RopUsesSource(uint8_t(rop >> 16))) return FALSE;
    return StretchBlt(dc, x, y, width, height, nullptr, 0, 0, width, height, rop);
}
