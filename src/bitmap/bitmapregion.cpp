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
#if defined(__x86_64__)
#include <immintrin.h>
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
    RunCollector() : m_bytes(sizeof(RGNDATAHEADER) + kGrowRects * sizeof(RECT)) { Reset(); }
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

// The ranges' three bytes repeated over count bytes (a multiple of 3), as pixels lie in a row.
void Repeat(const Ranges& ranges, BYTE* low, BYTE* high, int count) {
    for (int i = 0; i < count; i += 3)
        for (int k = 0; k < 3; ++k) low[i + k] = ranges.low[k], high[i + k] = ranges.high[k];
}

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
    // 32 pixels at a time; false (nothing done) on processors without AVX2 and BMI2.
    int BuildWide(const BYTE* row);
    void Set(int x) { m_bits[size_t(x) >> 6] |= uint64_t(1) << (x & 63); }

    int m_width;
    const Ranges& m_ranges;
    std::vector<uint64_t> m_bits;
#if defined(__SSE2__)
    __m128i m_low[3], m_high[3]; // the ranges repeated over 16 pixels (48 bytes)
#endif
    BYTE m_wideLow[96], m_wideHigh[96]; // the ranges repeated over 32 pixels
};

RowMask::RowMask(int width, const Ranges& ranges)
    : m_width(width), m_ranges(ranges), m_bits((size_t(width) + 63) / 64 + 1) {
#if defined(__SSE2__)
    alignas(16) BYTE low[48], high[48];
    Repeat(ranges, low, high, 48);
    for (int k = 0; k < 3; ++k) {
        m_low[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(low + 16 * k));
        m_high[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(high + 16 * k));
    }
#endif
    Repeat(ranges, m_wideLow, m_wideHigh, 96);
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

#if defined(__x86_64__)
namespace {

bool HasAvx2Bmi2() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return has;
}

// One bit per pixel for the row's whole groups of 32 pixels (96 bytes), set when all three of
// the pixel's bytes are in range; returns the pixels done.
__attribute__((target("avx2,bmi2"))) int WideRow(const BYTE* row, int width, const BYTE* low96,
                                                 const BYTE* high96, uint64_t* bits) {
    __m256i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(low96 + 32 * k));
        high[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(high96 + 32 * k));
    }
    if (width < 32) return 0;
    // Groups of 32 from the left; the last one ends at the row's end, overlapping the one before
    // it when the width is not a multiple of 32 (the bits it sets again are the same).
    for (int x = 0;; x = std::min(x + 32, width - 32)) {
        const BYTE* p = row + size_t(x) * 3;
        uint32_t byteBits[3];
        for (int k = 0; k < 3; ++k) {
            __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
            __m256i ok = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(v, low[k]), v),
                                          _mm256_cmpeq_epi8(_mm256_min_epu8(v, high[k]), v));
            byteBits[k] = uint32_t(_mm256_movemask_epi8(ok));
        }
        // Pixels 0-20 lie in bytes 0-62, pixels 21-31 in bytes 63-95. A pixel's bit is the
        // first of its three set bits, so every third bit of each half is kept.
        uint64_t lo = byteBits[0] | uint64_t(byteBits[1]) << 32;
        uint64_t hi = lo >> 63 | uint64_t(byteBits[2]) << 1;
        uint64_t first = _pext_u64(lo & (lo >> 1) & (lo >> 2), 0x1249249249249249ull);
        uint64_t rest = _pext_u64(hi & (hi >> 1) & (hi >> 2), 0x49249249ull);
        uint64_t pixels = first | rest << 21;
        int shift = x & 63;
        bits[size_t(x) >> 6] |= pixels << shift;
        if (shift > 32) bits[(size_t(x) >> 6) + 1] |= pixels >> (64 - shift);
        if (x + 32 == width) return width;
    }
}

} // namespace
#endif

int RowMask::BuildWide(const BYTE* row) {
#if defined(__x86_64__)
    if (!HasAvx2Bmi2()) return 0;
    return WideRow(row, m_width, m_wideLow, m_wideHigh, m_bits.data());
#else
    (void)row;
    return 0;
#endif
}

void RowMask::Build(const BYTE* row) {
    std::fill(m_bits.begin(), m_bits.end(), 0);
    int x = BuildWide(row);
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
    std::vector<std::pair<int, int>> rowRuns; // the row's maximal opaque runs, left to right
    const BYTE* previous = nullptr;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = bits + size_t(h - 1 - y) * stride; // the section is stored bottom-up
        // Skin art repeats rows (a button's middle, a frame's sides): a row equal to the one
        // before has the same runs, and comparing costs far less than classifying.
        if (!previous || std::memcmp(row, previous, size_t(w) * 3) != 0) {
            mask.Build(row);
            rowRuns.clear();
            for (int x = mask.NextOpaque(0); x < w; x = mask.NextOpaque(x)) {
                int end = mask.NextTransparent(x);
                rowRuns.emplace_back(x, end);
                x = end;
            }
        }
        previous = row;
        for (auto [left, right] : rowRuns) runs.Add(left, y, right, y + 1);
    }
}

} // namespace

HRGN CBitmapU::ExtCreateRegion(DWORD xform, DWORD byteCount, const RGNDATA* data) {
    if (!data) return nullptr;
    // The batch is united in one step; the region is the same as one rectangle at a time.
    return GdiCreateRegionFromRects(reinterpret_cast<const RECT*>(data->Buffer), data->rdh.nCount);
}

namespace {

HRGN ScanSection(const void* bits, int w, int h, DWORD colour, DWORD tolerance) {
    RunCollector runs;
    ScanRows(static_cast<const BYTE*>(bits), w, h, Ranges(colour, tolerance), runs);
    runs.Flush();
    return runs.Release();
}

// The pixels of a bottom-up 24-bit section of the scan size are already what the scan's own
// copy would hold, so they are scanned where they are.
const void* ScannableBits(const DIBSECTION& ds, int w, int h) {
    bool same = ds.dsBm.bmBitsPixel == 24 && ds.dsBmih.biCompression == BI_RGB &&
                ds.dsBmih.biHeight > 0 && ds.dsBm.bmWidth == w && ds.dsBm.bmHeight == h;
    return same ? ds.dsBm.bmBits : nullptr;
}

// Selects bitmap into a new memory context for reading; false when the bitmap cannot be
// selected (it is selected elsewhere, for one).
struct SourceContext {
    explicit SourceContext(HBITMAP bitmap, HDC compatible = nullptr)
        : dc(::CreateCompatibleDC(compatible)), old(dc ? ::SelectObject(dc, bitmap) : nullptr) {}
    ~SourceContext() {
        if (old) ::SelectObject(dc, old);
        if (dc) ::DeleteDC(dc);
    }
    explicit operator bool() const { return old != nullptr; }
    HDC dc;
    HGDIOBJ old;
};

} // namespace

HRGN CBitmapU::GetBitmapRegion(HBITMAP bitmap, DWORD colour, DWORD tolerance, RECT* size) {
    DIBSECTION ds;
    int described = bitmap ? ::GetObject(bitmap, sizeof ds, &ds) : 0;
    if (described == 0) return nullptr;
    const BITMAP& bm = ds.dsBm; // a plain bitmap describes only this part
    int w = size ? size->right - size->left : bm.bmWidth;
    int h = size ? size->bottom - size->top : bm.bmHeight;
    if (const void* bits = described == int(sizeof ds) ? ScannableBits(ds, w, h) : nullptr) {
        SourceContext source(bitmap);
        return source ? ScanSection(bits, w, h, colour, tolerance) : nullptr;
    }
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info),
                                         DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldSection = section ? ::SelectObject(dc, section) : nullptr;
    HRGN result = nullptr;
    if (oldSection) {
        SourceContext source(bitmap, dc);
        if (source) {
            ::StretchBlt(dc, 0, 0, w, h, source.dc, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            result = ScanSection(bits, w, h, colour, tolerance);
        }
        ::SelectObject(dc, oldSection);
    }
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
