// CBitmapU: window regions from bitmaps.
//
// The bitmap is drawn (scaled when asked) into a 24-bit section whose pixel memory is then
// scanned row by row; every run of pixels outside the transparent colour range becomes a
// one-row rectangle (rows equal to the row above lengthen its rectangles instead). Runs are
// collected in a region-data buffer and merged into the result in batches of at most 2000.
#include "bitmap/bitmapu.h"

#include "bitmap/rowscan.h"
#include "platform/gdi/gdidevice.h"

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

// One bit per pixel of a row, set where the pixel lies within the range (is transparent); the
// bits past the row's end count as transparent, so no run reaches beyond it.
class RowMask {
public:
    RowMask(int width, const ColourRange& range)
        : m_width(width), m_scanner(range), m_bits((size_t(width) + 63) / 64 + 1) {}
    void Build(const BYTE* row) {
        m_scanner.Scan(row, m_width, m_bits.data());
        size_t last = size_t(m_width) >> 6;
        m_bits[last] |= ~uint64_t(0) << (m_width & 63);
        std::fill(m_bits.begin() + last + 1, m_bits.end(), ~uint64_t(0));
    }
    // Calls f(left, right) for each maximal run of opaque pixels, left to right.
    template <class F> void ForEachRun(F&& f) const;

private:
    int m_width;
    CRowScanner m_scanner;
    Scratch<uint64_t, 18> m_bits; // rows up to 1088 pixels
};

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

void ScanRows(const BYTE* bits, int w, int h, const ColourRange& range, RunCollector& runs) {
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    RowMask mask(w, range);
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
    ScanRows(static_cast<const BYTE*>(bits), w, h, ColourRange(colour, tolerance), runs);
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

namespace {

// The regions of frames scanned lately, kept with the frame's pixels: a control builds its
// window region from its frame strip at every skin change, mostly from the same images loaded
// anew. A frame whose pixels (and scan arguments) are those kept has the kept region, whatever
// bitmap holds them, so a bitmap drawn into or a handle used again cannot give a stale one, and
// a skin loaded again finds its frames. Only the 24-bit sections skins are loaded into are
// kept, and only small frames.
struct ScannedFrame {
    int left = 0, width = 0, height = 0;
    DWORD colour = 0, tolerance = 0;
    std::vector<BYTE> pixels; // the frame's rows, top first
    std::vector<BYTE> region; // its region's data
};

constexpr size_t kScannedFrames = 64;
constexpr size_t kLargestScannedFrame = 64 * 1024; // bytes of pixels

std::vector<ScannedFrame>& ScannedFrames() {
    static auto* frames = new std::vector<ScannedFrame>;
    return *frames;
}

// The frame's rows as they lie in a 24-bit section, top first; false for any other bitmap.
struct FrameRows {
    const BYTE* top = nullptr;
    ptrdiff_t pitch = 0;
    size_t bytes = 0; // per row
    int rows = 0;

    bool Read(HBITMAP bitmap, int left, int width) {
        DIBSECTION ds;
        if (::GetObject(bitmap, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits ||
            ds.dsBm.bmBitsPixel != 24 || ds.dsBmih.biCompression != BI_RGB)
            return false;
        rows = ds.dsBm.bmHeight;
        bytes = size_t(width) * 3;
        if (bytes * size_t(rows) > kLargestScannedFrame) return false;
        size_t stride = size_t(ds.dsBm.bmWidthBytes);
        const BYTE* bits = static_cast<const BYTE*>(ds.dsBm.bmBits) + size_t(left) * 3;
        bool bottomUp = ds.dsBmih.biHeight > 0;
        top = bottomUp ? bits + (size_t(rows) - 1) * stride : bits;
        pitch = bottomUp ? -ptrdiff_t(stride) : ptrdiff_t(stride);
        return true;
    }
    bool Equal(const std::vector<BYTE>& kept) const {
        if (kept.size() != bytes * size_t(rows)) return false;
        for (int y = 0; y < rows; ++y)
            if (std::memcmp(top + y * pitch, kept.data() + size_t(y) * bytes, bytes) != 0)
                return false;
        return true;
    }
    std::vector<BYTE> Copy() const {
        std::vector<BYTE> out(bytes * size_t(rows));
        for (int y = 0; y < rows; ++y)
            std::memcpy(out.data() + size_t(y) * bytes, top + y * pitch, bytes);
        return out;
    }
};

ScannedFrame* FindScanned(int left, int width, DWORD colour, DWORD tolerance,
                          const FrameRows& rows) {
    for (ScannedFrame& f : ScannedFrames())
        if (f.left == left && f.width == width && f.height == rows.rows && f.colour == colour &&
            f.tolerance == tolerance && rows.Equal(f.pixels))
            return &f;
    return nullptr;
}

void KeepScanned(int left, int width, DWORD colour, DWORD tolerance, const FrameRows& rows,
                 HRGN region) {
    DWORD size = ::GetRegionData(region, 0, nullptr);
    if (size == 0) return;
    ScannedFrame f{left, width, rows.rows, colour, tolerance, rows.Copy(), {}};
    f.region.resize(size);
    if (::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(f.region.data())) == 0) return;
    auto& frames = ScannedFrames();
    if (frames.size() == kScannedFrames) frames.erase(frames.begin());
    frames.push_back(std::move(f));
}

// Copies the frame into a 24-bit bitmap of its own and scans that.
HRGN ScanFrame(HBITMAP bitmap, int frameLeft, int frameWidth, int height, DWORD colour,
               DWORD tolerance, RECT* size) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    HBITMAP strip = ::CreateBitmap(frameWidth, height, 1, 24, nullptr);
    HGDIOBJ oldStrip = strip ? ::SelectObject(dc, strip) : nullptr;
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ oldSource = source ? ::SelectObject(source, bitmap) : nullptr;
    bool copied = oldStrip && oldSource &&
                  ::BitBlt(dc, 0, 0, frameWidth, height, source, frameLeft, 0, SRCCOPY);
    if (oldSource) ::SelectObject(source, oldSource);
    if (oldStrip) ::SelectObject(dc, oldStrip);
    HRGN result = copied ? CBitmapU::GetBitmapRegion(strip, colour, tolerance, size) : nullptr;
    if (strip) ::DeleteObject(strip);
    if (source) ::DeleteDC(source);
    ::DeleteDC(dc);
    return result;
}

// True when the bitmap can be selected for reading (it is not selected elsewhere).
bool Selectable(HBITMAP bitmap) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc ? ::SelectObject(dc, bitmap) : nullptr;
    if (old) ::SelectObject(dc, old);
    if (dc) ::DeleteDC(dc);
    return old != nullptr;
}

} // namespace

HRGN CBitmapU::GetBitmapRegionEx(HBITMAP bitmap, DWORD frameCount, DWORD frame, DWORD colour,
                                 DWORD tolerance, RECT* size) {
    BITMAP bm;
    if (!bitmap || frameCount == 0 || ::GetObject(bitmap, sizeof bm, &bm) == 0) return nullptr;
    int frameWidth = int(DWORD(bm.bmWidth) / frameCount);
    if (frameWidth == 0) return nullptr; // more frames than pixel columns
    int frameLeft = int(std::min<uint64_t>(uint64_t(frameWidth) * frame, uint64_t(bm.bmWidth)));
    FrameRows rows;
    bool keep =
        !size && frameLeft + frameWidth <= bm.bmWidth && rows.Read(bitmap, frameLeft, frameWidth);
    if (keep) {
        if (ScannedFrame* f = FindScanned(frameLeft, frameWidth, colour, tolerance, rows)) {
            if (!Selectable(bitmap)) return nullptr;
            const auto* data = reinterpret_cast<const RGNDATA*>(f->region.data());
            return ExtCreateRegion(0, DWORD(f->region.size()), data);
        }
    }
    HRGN result = ScanFrame(bitmap, frameLeft, frameWidth, bm.bmHeight, colour, tolerance, size);
    if (keep && result) KeepScanned(frameLeft, frameWidth, colour, tolerance, rows, result);
    return result;
}
