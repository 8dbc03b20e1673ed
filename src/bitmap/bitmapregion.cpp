// CBitmapU: window regions from bitmaps.
//
// The bitmap is drawn (scaled when asked) into a 24-bit section whose pixel memory is then
// scanned row by row; every run of pixels outside the transparent colour range becomes a
// one-row rectangle. Rectangles are collected in a region-data buffer and merged into the
// result in batches of at most 2000.
#include "bitmap/bitmapu.h"

#include "platform/gdi/gdidevice.h"

#include <algorithm>
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
        return p[0] >= low[0] && p[0] <= high[0] && p[1] >= low[1] && p[1] <= high[1] &&
               p[2] >= low[2] && p[2] <= high[2];
    }
};

void ScanRows(const BYTE* bits, int w, int h, const Ranges& ranges, RunCollector& runs) {
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < h; ++y) {
        const BYTE* row = bits + size_t(h - 1 - y) * stride; // the section is stored bottom-up
        int x = 0;
        while (x < w) {
            int x0 = x;
            while (x < w && !ranges.Contain(row + size_t(x) * 3))
                ++x;
            if (x > x0) runs.Add(x0, y, x, y + 1);
            ++x; // the pixel that ended the run is transparent
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
