// CBitmapU: window regions from bitmaps.
//
// The bitmap is drawn (scaled when asked) into a 24-bit section whose pixel memory is then
// scanned row by row; every run of pixels outside the transparent colour range becomes a
// one-row rectangle (rows equal to the row above lengthen its rectangles instead). Runs are
// collected in a region-data buffer and merged into the result in batches of at most 2000.
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
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kBatch = 2000;    // runs merged into the result at a time
constexpr DWORD kGrowRects = 100; // the buffer's initial size and growth step

// The size of a region-data buffer with room for the given number of rectangles.
constexpr size_t Bytes(DWORD rects) {
    return sizeof(RGNDATAHEADER) + size_t(rects) * sizeof(RECT);
}

// n values, held in the object itself when there are at most N (the usual image sizes) and on
// the heap otherwise: small images need no allocation for the scan.
template <class T, size_t N> class Scratch {
public:
    explicit Scratch(size_t n) : m_size(n) {
        if (n > N) m_heap.resize(n);
    }
    T* data() { return m_size > N ? m_heap.data() : m_inline; }
    const T* data() const { return m_size > N ? m_heap.data() : m_inline; }
    T& operator[](size_t i) { return data()[i]; }
    const T& operator[](size_t i) const { return data()[i]; }
    T* begin() { return data(); }
    T* end() { return data() + m_size; }

private:
    size_t m_size;
    T m_inline[N];
    std::vector<T> m_heap;
};

// A maximal run of opaque pixels in a row: [left, right).
struct Run {
    int left, right;
};

// The region-data buffer of one batch (the platform's RGNDATA layout). A batch holds up to 2000
// runs. Each run is a one-row rectangle, except that a row whose runs are those of the row just
// above, stored together in this batch, lengthens those rectangles downwards instead of adding
// its own: the buffer covers the same pixels, and the union is built from far fewer
// rectangles. The first 100 rectangles' room lives in the collector itself; growing moves the
// buffer to the heap.
class RunCollector {
public:
    RunCollector() : m_data(m_inline), m_capacity(kGrowRects) { Reset(); }
    RunCollector(const RunCollector&) = delete;
    RunCollector& operator=(const RunCollector&) = delete;
    ~RunCollector() {
        if (m_result) ::DeleteObject(m_result);
    }

    // Adds the runs of row y, left to right; sameAsAbove when they are those of row y - 1.
    void AddRow(int y, const Run* runs, DWORD count, bool sameAsAbove) {
        if (count == 0) return;
        if (m_runs + count >= kBatch) {
            // The batch fills within the row: a rectangle at a time, to end it at the right run.
            for (DWORD i = 0; i < count; ++i)
                Add(RECT{runs[i].left, y, runs[i].right, y + 1});
            m_rowCount = 0;
            return;
        }
        m_runs += count;
        if (sameAsAbove && m_rowCount == count && m_rowBottom == y) {
            for (DWORD i = m_rowStart; i < m_rowStart + count; ++i)
                SetBottom(i, y + 1);
            m_rowBottom = y + 1;
            Bound(RECT{runs[0].left, y, runs[count - 1].right, y + 1});
            return;
        }
        while (m_count + count > m_capacity)
            Grow();
        for (DWORD i = 0; i < count; ++i)
            Put(m_count + i, RECT{runs[i].left, y, runs[i].right, y + 1});
        m_rowStart = m_count, m_rowCount = count, m_rowBottom = y + 1;
        m_count += count;
        // A row's runs go left to right, so its first and last give its bounds.
        Bound(RECT{runs[0].left, y, runs[count - 1].right, y + 1});
    }

    // Turns the collected rectangles into a region and unites it with the result.
    void Flush() {
        Header().nCount = m_count;
        HRGN part = CBitmapU::ExtCreateRegion(0, DWORD(Bytes(m_capacity)),
                                              reinterpret_cast<const RGNDATA*>(m_data));
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
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(m_data); }
    void Put(DWORD i, const RECT& r) { std::memcpy(m_data + Bytes(i), &r, sizeof r); }
    void SetBottom(DWORD i, LONG bottom) {
        std::memcpy(m_data + Bytes(i) + offsetof(RECT, bottom), &bottom, sizeof bottom);
    }

    void Bound(const RECT& r) {
        RECT& b = Header().rcBound;
        b.left = std::min(b.left, r.left), b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right), b.bottom = std::max(b.bottom, r.bottom);
    }

    void Add(const RECT& r) {
        if (m_count == m_capacity) Grow();
        Put(m_count++, r);
        Bound(r);
        if (++m_runs == kBatch) Flush();
    }

    void Grow() {
        std::vector<BYTE> bigger(Bytes(m_capacity + kGrowRects));
        std::memcpy(bigger.data(), m_data, Bytes(m_capacity));
        m_heap = std::move(bigger);
        m_data = m_heap.data();
        m_capacity += kGrowRects;
    }

    void Reset() {
        RGNDATAHEADER& h = Header();
        h.dwSize = sizeof(RGNDATAHEADER);
        h.iType = RDH_RECTANGLES;
        h.nCount = m_count = m_runs = m_rowCount = 0;
        h.nRgnSize = 0;
        h.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    }

    alignas(RECT) BYTE m_inline[Bytes(kGrowRects)];
    std::vector<BYTE> m_heap;
    BYTE* m_data;
    DWORD m_capacity;  // rectangles the buffer has room for
    DWORD m_count = 0; // rectangles in the buffer
    DWORD m_runs = 0;  // runs in the batch
    // The rectangles of the last row added, when they lie together in the buffer.
    DWORD m_rowStart = 0, m_rowCount = 0;
    LONG m_rowBottom = 0;
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

// The ranges' three bytes repeated over count bytes (a multiple of 24), as pixels lie in a row.
void Repeat(const Ranges& ranges, BYTE* low, BYTE* high, int count) {
    BYTE low24[24], high24[24];
    for (int i = 0; i < 24; ++i)
        low24[i] = ranges.low[i % 3], high24[i] = ranges.high[i % 3];
    for (int i = 0; i < count; i += 24) {
        std::memcpy(low + i, low24, 24);
        std::memcpy(high + i, high24, 24);
    }
}

// One bit per pixel of a row, set where the pixel lies within the ranges (is transparent).
class RowMask {
public:
    RowMask(int width, const Ranges& ranges);
    void Build(const BYTE* row);
    // Calls f(left, right) for each maximal run of opaque pixels, left to right.
    template <class F> void ForEachRun(F&& f) const;

private:
    // 64 or 32 pixels at a time; returns the pixels done (none on processors without AVX2
    // and BMI2).
    int BuildWide(const BYTE* row);
    void Set(int x) { m_bits[size_t(x) >> 6] |= uint64_t(1) << (x & 63); }

    int m_width;
    const Ranges& m_ranges;
    Scratch<uint64_t, 18> m_bits;         // rows up to 1088 pixels
    BYTE m_wideLow[192], m_wideHigh[192]; // the ranges repeated over 64 pixels
};

RowMask::RowMask(int width, const Ranges& ranges)
    : m_width(width), m_ranges(ranges), m_bits((size_t(width) + 63) / 64 + 1) {
    Repeat(ranges, m_wideLow, m_wideHigh, 192);
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

bool HasAvx512Bmi2() {
    static const bool has = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2");
    return has;
}

// Sets the 64 pixel bits of a group that starts at pixel x.
inline void PutGroup(uint64_t* bits, int x, uint64_t pixels) {
    int shift = x & 63;
    bits[size_t(x) >> 6] |= pixels << shift;
    if (shift) bits[(size_t(x) >> 6) + 1] |= pixels >> (64 - shift);
}

// As WideRow below, 64 pixels (192 bytes) per group; nothing for rows under 64 pixels.
__attribute__((target("avx512f,avx512bw,bmi2"))) int
WideRow64(const BYTE* row, int width, const BYTE* low192, const BYTE* high192, uint64_t* bits) {
    if (width < 64) return 0;
    __m512i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm512_loadu_si512(low192 + 64 * k);
        high[k] = _mm512_loadu_si512(high192 + 64 * k);
    }
    for (int x = 0;; x = std::min(x + 64, width - 64)) {
        const BYTE* p = row + size_t(x) * 3;
        uint64_t in[3]; // bit j: byte j of the 64-byte part k is in range
        for (int k = 0; k < 3; ++k) {
            __m512i v = _mm512_loadu_si512(p + 64 * k);
            in[k] = _mm512_mask_cmple_epu8_mask(_mm512_cmpge_epu8_mask(v, low[k]), v, high[k]);
        }
        // A pixel is in range when its three bytes are; its bit is kept at its first byte,
        // which is byte 3p: bits 0, 3 ... 63 of the first part (pixels 0-21), 2, 5 ... 62 of
        // the second (22-42) and 1, 4 ... 61 of the third (43-63).
        uint64_t a = in[0] & (in[0] >> 1 | in[1] << 63) & (in[0] >> 2 | in[1] << 62);
        uint64_t b = in[1] & (in[1] >> 1 | in[2] << 63) & (in[1] >> 2 | in[2] << 62);
        uint64_t c = in[2] & (in[2] >> 1) & (in[2] >> 2);
        PutGroup(bits, x,
                 _pext_u64(a, 0x9249249249249249ull) | _pext_u64(b, 0x4924924924924924ull) << 22 |
                     _pext_u64(c, 0x2492492492492492ull) << 43);
        if (x + 64 == width) return width;
    }
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
    if (HasAvx512Bmi2() && m_width >= 64)
        return WideRow64(row, m_width, m_wideLow, m_wideHigh, m_bits.data());
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
    __m128i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_wideLow + 16 * k));
        high[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_wideHigh + 16 * k));
    }
    for (; x + 16 <= m_width; x += 16) {
        uint64_t bytes = 0;
        for (int k = 0; k < 3; ++k) {
            __m128i p =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + size_t(x) * 3 + 16 * k));
            __m128i ok = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(p, low[k]), p),
                                       _mm_cmpeq_epi8(_mm_min_epu8(p, high[k]), p));
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
    std::fill(m_bits.begin() + last + 1, m_bits.end(), ~uint64_t(0));
}

template <class F> void RowMask::ForEachRun(F&& f) const {
    // Runs start and end where a pixel differs from the one before it, so the edges of a word
    // are its opaque bits XOR the same bits one pixel later. The bits past the row's end are
    // transparent, so the last run ends in the word that holds the width.
    uint64_t before = 0; // the opaque bit of the pixel before the word
    bool inRun = false;
    int start = 0;
    for (size_t i = 0; i <= size_t(m_width) >> 6; ++i) {
        uint64_t opaque = ~m_bits[i];
        uint64_t edges = opaque ^ (opaque << 1 | before);
        before = opaque >> 63;
        for (; edges; edges &= edges - 1) {
            int x = int(i * 64) + std::countr_zero(edges);
            if (inRun) f(start, x);
            start = x;
            inRun = !inRun;
        }
    }
}

void ScanRows(const BYTE* bits, int w, int h, const Ranges& ranges, RunCollector& runs) {
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    RowMask mask(w, ranges);
    Scratch<Run, 128> rowRuns(size_t(w) / 2 + 1); // the row's runs, left to right
    DWORD runCount = 0;
    const BYTE* previous = nullptr;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = bits + size_t(h - 1 - y) * stride; // the section is stored bottom-up
        // Skin art repeats rows (a button's middle, a frame's sides): a row equal to the one
        // before has the same runs, and comparing costs far less than classifying.
        bool same = previous && std::memcmp(row, previous, size_t(w) * 3) == 0;
        if (!same) {
            mask.Build(row);
            runCount = 0;
            mask.ForEachRun([&](int left, int right) { rowRuns[runCount++] = Run{left, right}; });
        }
        previous = row;
        runs.AddRow(y, rowRuns.data(), runCount, same);
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
