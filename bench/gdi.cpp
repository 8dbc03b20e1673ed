// Graphics figures, each against a reference measured in the same run:
//  - window regions from bitmaps against pixman building a region from the same rectangles;
//  - a screen-format BitBlt against memcpy of the same bytes;
//  - DrawTransparent against a plain BitBlt of the same area.

#include "support/ratio.h"

#include "bitmap/bitmapu.h"
#include "bitmap/drawtransparent.h"

#include <pixman.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kInk = RGB(40, 90, 160);

using PixelFn = std::function<COLORREF(int, int)>;

HBITMAP Section(int w, int h, int bpp, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A 24-bit section painted pixel by pixel.
HBITMAP Image(int w, int h, const PixelFn& pixel) {
    void* bits = nullptr;
    HBITMAP bitmap = Section(w, h, 24, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, pixel(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// The one-row runs of non-key pixels, as the region scan finds them.
std::vector<pixman_box32_t> Runs(int w, int h, const PixelFn& pixel) {
    std::vector<pixman_box32_t> runs;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w;) {
            int x0 = x;
            while (x < w && pixel(x, y) != kKey) ++x;
            if (x > x0) runs.push_back({x0, y, x, y + 1});
            ++x;
        }
    return runs;
}

COLORREF Columns(int x, int) { return x % 2 ? kKey : kInk; }

// Four 60x24 button frames with rounded (transparent) corners and a one-pixel shadow column.
COLORREF ButtonStrip(int x, int y) {
    int fx = x % 60;
    int dx = std::min(fx, 59 - fx), dy = std::min(y, 23 - y);
    if (dx + dy < 3) return kKey;
    if (fx == 59 && y < 2) return kKey;
    return (x / 60) % 2 ? kInk : RGB(200, 200, 200);
}

void RegionBench(benchmark::State& state, int w, int h, const PixelFn& pixel) {
    HBITMAP bitmap = Image(w, h, pixel);
    for (auto _ : state) {
        HRGN region = CBitmapU::GetBitmapRegion(bitmap, kKey, 0, nullptr);
        benchmark::DoNotOptimize(region);
        DeleteObject(region);
    }
    DeleteObject(bitmap);
}

void PixmanBench(benchmark::State& state, int w, int h, const PixelFn& pixel) {
    std::vector<pixman_box32_t> runs = Runs(w, h, pixel);
    for (auto _ : state) {
        pixman_region32_t region;
        pixman_region32_init_rects(&region, runs.data(), int(runs.size()));
        benchmark::DoNotOptimize(region.data);
        pixman_region32_fini(&region);
    }
}

void BM_RegionColumns(benchmark::State& state) { RegionBench(state, 240, 320, Columns); }
void BM_PixmanColumns(benchmark::State& state) { PixmanBench(state, 240, 320, Columns); }
void BM_RegionButtonStrip(benchmark::State& state) { RegionBench(state, 240, 24, ButtonStrip); }
void BM_PixmanButtonStrip(benchmark::State& state) { PixmanBench(state, 240, 24, ButtonStrip); }

// Two memory contexts holding 240x320 screen-format bitmaps.
struct ScreenPair {
    HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
    HBITMAP a, b;
    HGDIOBJ oldA, oldB;
    ScreenPair() {
        HDC screen = CreateDC(u"DISPLAY", nullptr, nullptr, nullptr);
        a = CreateCompatibleBitmap(screen, 240, 320);
        b = CreateCompatibleBitmap(screen, 240, 320);
        DeleteDC(screen);
        oldA = SelectObject(src, a);
        oldB = SelectObject(dst, b);
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x) SetPixel(src, x, y, (x / 8 + y / 8) % 3 ? RGB(x, y, 7) : kKey);
    }
    ~ScreenPair() {
        SelectObject(src, oldA);
        SelectObject(dst, oldB);
        DeleteDC(src);
        DeleteDC(dst);
        DeleteObject(a);
        DeleteObject(b);
    }
};

void BM_BitBltCopy(benchmark::State& state) {
    ScreenPair pair;
    for (auto _ : state) {
        BitBlt(pair.dst, 0, 0, 240, 320, pair.src, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(240 * 320 * 4, 7), to(240 * 320 * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void BM_DrawTransparent(benchmark::State& state) {
    ScreenPair pair;
    CDC* src = CDC::FromHandle(pair.src);
    CDC* dst = CDC::FromHandle(pair.dst);
    for (auto _ : state) {
        DrawTransparent(dst, 0, 0, 240, 320, src, 0, 0, kKey);
        benchmark::ClobberMemory();
    }
    CDC::DeleteTempMap();
}

} // namespace

BENCHMARK(BM_RegionColumns);
BENCHMARK(BM_PixmanColumns);
BENCHMARK(BM_RegionButtonStrip);
BENCHMARK(BM_PixmanButtonStrip);
BENCHMARK(BM_BitBltCopy);
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_DrawTransparent);

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"GetBitmapRegion, 240x320 one-pixel columns vs pixman", "BM_RegionColumns",
                           "BM_PixmanColumns", 3.0},
                          {"GetBitmapRegion, 4-frame button strip vs pixman", "BM_RegionButtonStrip",
                           "BM_PixmanButtonStrip", 3.0},
                          {"BitBlt SRCCOPY 240x320 vs memcpy", "BM_BitBltCopy", "BM_Memcpy", 1.5},
                          {"DrawTransparent 240x320 vs BitBlt SRCCOPY", "BM_DrawTransparent",
                           "BM_BitBltCopy", 6.0}});
}
