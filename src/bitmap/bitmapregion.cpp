// CBitmapU: window regions from bitmaps.
//
// The bitmap is drawn (scaled when asked) into a 24-bit section whose pixel memory is then
// scanned row by row; every run of pixels outside the transparent colour range becomes a
// one-row rectangle. Rectangles are collected in a region-data buffer and merged into the
// result in batches of at most 2000.
#include "bitmap/bitmapu.h"

#include "platform/gdi/gdidevice.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kBatch = 2000;    // rectangles merged into the result at a time
constexpr DWORD kGrowRects = 100; // the buffer's initial size and growth step

// The region-data buffer of one batch (the platform's RGNDATA layout).
class RunCollector {
public:
    RunCollector() : m_bytes(sizeof(RGNDATAHEADER) + kGrowRects * sizeof(RECT)) {
        // Growing by 100 rectangles at a time need not move the buffer each time.
        m_bytes.reserve(sizeof(RGNDATAHEADER) + kBatch * sizeof(RECT));
        Reset();
    }
    ~RunCollector() {
        if (m_result) ::DeleteObject(m_result);
    }

    void Add(LONG left, LONG top, LONG right, LONG bottom) {
        RGNDATAHEADER& h = Header();
        if ((m_bytes.size() - sizeof(RGNDATAHEADER)) / sizeof(RECT) == h.nCount)
            m_bytes.resize(m_bytes.size() + kGrowRects * sizeof(RECT));
        RGNDATAHEADER& header = Header(); // the buffer may have moved
        RECT r{left, top, right, bottom};
        std::memcpy(m_bytes.data() + sizeof(RGNDATAHEADER) + header.nCount * sizeof(RECT), &r,
                    sizeof r);
        RECT& b = header.rcBound;
        b.left = std::min(b.left, left), b.top = std::min(b.top, top);
        b.right = std::max(b.right, right), b.bottom = std::max(b.bottom, bottom);
        if (++header.nCount == kBatch) Flush();
    }

    // Turns the collected rectangles into a region and unites it with the result.
    void Flush() {
        HRGN part = CBitmapU::ExtCreateRegion(0, DWORD(m_bytes.size()),
                                              reinterpret_cast<const RGNDATA*>(m_bytes.data()));
        if (!m_result) {
            m_result = part;
        } else if (part) {
            ::CombineRgn(m_result, m_result, part, RGN_OR);
            ::DeleteObject(part);
        }
        Reset();
    }

    HRGN Release() { return std::exchange(m_result, nullptr); }

private:
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(m_bytes.data()); }

    void Reset() {
        RGNDATAHEADER& h = Header();
        h.dwSize = sizeof(RGNDATAHEADER);
        h.iType = RDH_RECTANGLES;
        h.nCount = 0;
        h.nRgnSize = 0;
        h.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    }

    std::vector<BYTE> m_bytes;
    HRGN m_result = nullptr;
};

// Per channel k: [byte k of colour, that + byte k of tolerance], limited to 255.
struct Ranges {
    BYTE low[3], high[3];
    Ranges(DWORD colour, DWORD tolerance) {
        for (int k = 0; k < 3; ++k) {
            low[k] = BYTE(colour >> (8 * k));
            high[k] = BYTE(std::min(255u, unsigned(low[k]) + BYTE(tolerance >> (8 * k))));
        }
    }
    // Compares the pixel's bytes in stored order (blue, green, red) with channels 0, 1, 2.
    bool Contain(const BYTE* p) const {
        return BYTE(p[0] - low[0]) <= BYTE(high[0] - low[0]) &&
               BYTE(p[1] - low[1]) <= BYTE(high[1] - low[1]) &&
               BYTE(p[2] - low[2]) <= BYTE(high[2] - low[2]);
    }
};

// One bit per pixel of a row, set where the pixel lies within the ranges (is transparent).
class RowMask {
public:
    RowMask(int width, const Ranges& ranges);
    void Build(const BYTE* row);
    // The first pixel at or after x whose bit is clear (opaque) or set, or the width.
    int NextOpaque(int x) const { return Next(x, ~uint64_t(0)); }
    int NextTransparent(int x) const { return Next(x, 0); }

private:
    int Next(int x, uint64_t flip) const;
    void Set(int x) { m_bits[size_t(x) >> 6] |= uint64_t(1) << (x & 63); }

    int m_width;
    const Ranges& m_ranges;
    std::vector<uint64_t> m_bits;
#if defined(__SSE2__)
    __m128i m_low[3], m_high[3]; // the ranges repeated over 16 pixels (48 bytes)
#endif
};

RowMask::RowMask(int width, const Ranges& ranges)
    : m_width(width), m_ranges(ranges), m_bits((size_t(width) + 63) / 64 + 1) {
#if defined(__SSE2__)
    alignas(16) BYTE low[48], high[48];
    for (int i = 0; i < 48; ++i)
        low[i] = ranges.low[i % 3], high[i] = ranges.high[i % 3];
    for (int k = 0; k < 3; ++k) {
        m_low[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(low + 16 * k));
        m_high[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(high + 16 * k));
    }
#endif
}

#if defined(__SSE2__)
// Gathers bits 0, 3, 6, ... 45 of v into bits 0 to 15.
static uint64_t EveryThirdBit(uint64_t v) {
    v &= 0x249249249249ull;
    v = (v | (v >> 2)) & 0x0C30C30C30C3ull;
    v = (v | (v >> 4)) & 0x00F00F00F00Full;
    v = (v | (v >> 8)) & 0x0000FF0000FFull;
    return (v | (v >> 16)) & 0xFFFFull;
}
#endif

void RowMask::Build(const BYTE* row) {
    std::fill(m_bits.begin(), m_bits.end(), 0);
    int x = 0;
#if defined(__SSE2__)
    // Sixteen pixels (48 bytes) at a time: a byte is in range when max(byte, low) and
    // min(byte, high) both leave it unchanged; a pixel when its three bytes are.
    for (; x + 16 <= m_width; x += 16) {
        uint64_t bytes = 0;
        for (int k = 0; k < 3; ++k) {
            __m128i p =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + size_t(x) * 3 + 16 * k));
            __m128i ok = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(p, m_low[k]), p),
                                       _mm_cmpeq_epi8(_mm_min_epu8(p, m_high[k]), p));
            bytes |= uint64_t(uint32_t(_mm_movemask_epi8(ok))) << (16 * k);
        }
        uint64_t pixels = EveryThirdBit(bytes & (bytes >> 1) & (bytes >> 2));
        m_bits[size_t(x) >> 6] |= pixels << (x & 63);
    }
#endif
    for (; x < m_width; ++x)
        if (m_ranges.Contain(row + size_t(x) * 3)) Set(x);
    // Bits past the row's end count as transparent, so no run reaches beyond it.
    size_t last = size_t(m_width) >> 6;
    m_bits[last] |= ~uint64_t(0) << (m_width & 63);
    std::fill(m_bits.begin() + ptrdiff_t(last) + 1, m_bits.end(), ~uint64_t(0));
}

int RowMask::Next(int x, uint64_t flip) const {
    while (x < m_width) {
        uint64_t word = (m_bits[size_t(x) >> 6] ^ flip) >> (x & 63);
        if (word) return std::min(m_width, x + std::countr_zero(word));
        x = (x | 63) + 1;
    }
    return m_width;
}

void ScanRows(const BYTE* bits, int w, int h, const Ranges& ranges, RunCollector& runs) {
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    RowMask mask(w, ranges);
    for (int y = 0; y < h; ++y) {
        mask.Build(bits + size_t(h - 1 - y) * stride); // the section is stored bottom-up
        // Maximal runs of opaque pixels, left to right.
        for (int x = mask.NextOpaque(0); x < w; x = mask.NextOpaque(x)) {
            int end = mask.NextTransparent(x);
            runs.Add(x, y, end, y + 1);
            x = end;
        }
    }
}

} // namespace

HRGN CBitmapU::ExtCreateRegion(DWORD xform, DWORD byteCount, const RGNDATA* data) {
    if (!data) return nullptr;
    // The batch is united in one step; the region is the same as one rectangle at a time.
    return GdiCreateRegionFromRects(reinterpret_cast<const RECT*>(data->Buffer), data->rdh.nCount);
}

HRGN CBitmapU::GetBitmapRegion(HBITMAP bitmap, DWORD colour, DWORD tolerance, RECT* size) {
    BITMAP bm;
    if (!bitmap || ::GetObject(bitmap, sizeof bm, &bm) == 0) return nullptr;
    int w = size ? size->right - size->left : bm.bmWidth;
    int h = size ? size->bottom - size->top : bm.bmHeight;
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info),
                                         DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldSection = section ? ::SelectObject(dc, section) : nullptr;
    HDC source = section ? ::CreateCompatibleDC(dc) : nullptr;
    HGDIOBJ oldSource = source ? ::SelectObject(source, bitmap) : nullptr;
    HRGN result = nullptr;
    if (oldSource) {
        ::StretchBlt(dc, 0, 0, w, h, source, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        RunCollector runs;
        ScanRows(static_cast<const BYTE*>(bits), w, h, Ranges(colour, tolerance), runs);
        runs.Flush();
        result = runs.Release();
        ::SelectObject(source, oldSource);
    }
    if (source) ::DeleteDC(source);
    if (oldSection) ::SelectObject(dc, oldSection);
    if (section) ::DeleteObject(section);
    ::DeleteDC(dc);
    return result;
}

HRGN CBitmapU::GetBitmapRegionEx(HBITMAP bitmap, DWORD frameCount, DWORD frame, DWORD colour,
                                 DWORD tolerance, RECT* size) {
    BITMAP bm;
    if (!bitmap || frameCount == 0 || ::GetObject(bitmap, sizeof bm, &bm) == 0) return nullptr;
    int frameWidth = int(DWORD(bm.bmWidth) / frameCount);
    if (frameWidth == 0) return nullptr; // more frames than pixel columns
    int frameLeft = int(std::min<uint64_t>(uint64_t(frameWidth) * frame, uint64_t(bm.bmWidth)));
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    HBITMAP strip = ::CreateBitmap(frameWidth, bm.bmHeight, 1, 24, nullptr);
    HGDIOBJ oldStrip = strip ? ::SelectObject(dc, strip) : nullptr;
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ oldSource = source ? ::SelectObject(source, bitmap) : nullptr;
    bool copied = oldStrip && oldSource &&
                  ::BitBlt(dc, 0, 0, frameWidth, bm.bmHeight, source, frameLeft, 0, SRCCOPY);
    if (oldSource) ::SelectObject(source, oldSource);
    if (oldStrip) ::SelectObject(dc, oldStrip);
    HRGN result = copied ? GetBitmapRegion(strip, colour, tolerance, size) : nullptr;
    if (strip) ::DeleteObject(strip);
    if (source) ::DeleteDC(source);
    ::DeleteDC(dc);
    return result;
}
