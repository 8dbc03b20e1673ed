// Window regions from bitmaps: runs, colour ranges, batches, scaling and frames.
#include "bitmap/bitmapu.h"
#include "bitmap/rowscan.h"

#include "support/gdi_fixture.h"

namespace {

using BitmapRegionTest = GdiTest;

const COLORREF kKey = RGB(255, 0, 255); // magenta: matches whatever the byte order
const COLORREF kInk = RGB(20, 40, 60);

// A section (24 bits unless asked otherwise) with pixel(x, y) as its colours.
HBITMAP Image(int w, int h, const std::function<COLORREF(int, int)>& pixel, int bpp = 24) {
    Canvas c(MakeSection(w, h, bpp));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(c.dc(), x, y, pixel(x, y));
    return c.Release();
}

HRGN Region(HBITMAP image, RECT* size = nullptr) {
    return CBitmapU::GetBitmapRegion(image, kKey, 0, size);
}

RECT Box(HRGN region) {
    RECT box{};
    GetRgnBox(region, &box);
    return box;
}

// Every pixel of the image is in the region exactly when it is not of the key colour.
void ExpectOpaquePixels(HRGN region, int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            bool inside = x >= 0 && y >= 0 && x < w && y < h && pixel(x, y) != kKey;
            ASSERT_EQ(bool(PtInRegion(region, x, y)), inside) << x << "," << y;
        }
}

} // namespace
// The colour's bytes meet the pixel's stored bytes in order (channel 0 is blue), and the
// tolerance widens each channel's range upward: colour 0x00FF00FF, tolerance 0x101010 leaves
// out stored bytes (FF, 10, FF) and keeps (F5, 08, F0).
TEST_F(BitmapRegionTest, ColourBytesInStoredOrderAndTheToleranceExample) {
    struct Case {
        COLORREF pixels[2], colour;
        DWORD tolerance;
        bool kept[2];
    } cases[] = {
        {{RGB(255, 0, 0), RGB(0, 0, 255)}, RGB(255, 0, 0), 0, {true, false}},
        {{RGB(0xFF, 0x10, 0xFF), RGB(0xF0, 0x08, 0xF5)}, 0x00FF00FF, 0x101010, {false, true}}};
    for (const Case& c : cases) {
        Owned<HBITMAP> image = Image(2, 1, [&](int x, int) { return c.pixels[x]; });
        Owned<HRGN> region = CBitmapU::GetBitmapRegion(image, c.colour, c.tolerance, nullptr);
        EXPECT_EQ(bool(PtInRegion(region, 0, 0)), c.kept[0]);
        EXPECT_EQ(bool(PtInRegion(region, 1, 0)), c.kept[1]);
    }
}

TEST_F(BitmapRegionTest, RunsAreMergedInBatchesOfTwoThousand) {
    auto columns = [](int x, int) { return x % 2 ? kKey : kInk; };
    struct Case {
        int width; // width / 2 runs a row
        int rows;
        int lastRowRuns;
        int regionsMade; // one per batch, plus the final one even when it is empty
    } cases[] = {
        {100, 100, 50, 3}, // 5000 runs: 2000, 2000, 1000
        {100, 80, 50, 3},  // 4000 runs: 2000, 2000, 0
        {100, 40, 50, 2},  // 2000 runs: 2000, 0
        {100, 40, 49, 1},  // 1999 runs
        {62, 70, 31, 2},   // 2170 runs: the first batch ends within row 64, equal to its neighbours
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.rows * (k.width / 2) - k.width / 2 + k.lastRowRuns);
        auto pixel = [&](int x, int y) {
            return y == k.rows - 1 && x >= 2 * k.lastRowRuns ? kKey : columns(x, y);
        };
        Owned<HBITMAP> image = Image(k.width, k.rows, pixel);
        int before = GdiGetCreatedCounts().regions;
        Owned<HRGN> region = Region(image);
        EXPECT_EQ(GdiGetCreatedCounts().regions - before, k.regionsMade);
        ExpectOpaquePixels(region, k.width, k.rows, pixel);
    }
}

// Equal rows are stored as taller rectangles; a row equal to one further up, past a different
// or empty row, must not join it.
TEST_F(BitmapRegionTest, EqualRowsJoinOnlyTheRowDirectlyAbove) {
    const char* rows[] = {"#.##.", "#.##.", ".....", "#.##.", ".#.#.", "#.##.", "#.##."};
    auto pixel = [&](int x, int y) { return rows[y][x] == '#' ? kInk : kKey; };
    Owned<HBITMAP> image = Image(5, 7, pixel);
    Owned<HRGN> region = Region(image);
    ExpectOpaquePixels(region, 5, 7, pixel);
}

TEST_F(BitmapRegionTest, TheSizeScalesTheImageAndTheRegionStartsAtTheOrigin) {
    Owned<HBITMAP> image = Image(10, 4, [](int, int) { return kInk; });
    RECT size{10, 10, 60, 30};
    Owned<HRGN> region = Region(image, &size);
    EXPECT_EQ(GetRgnBox(region, &size), SIMPLEREGION);
    EXPECT_RECT(size, 0, 0, 50, 20);
    // The right half transparent stays the right half when doubled.
    Owned<HBITMAP> halves = Image(4, 2, [](int x, int) { return x >= 2 ? kKey : kInk; });
    RECT twice{0, 0, 8, 4};
    Owned<HRGN> doubled = Region(halves, &twice);
    EXPECT_RECT(Box(doubled), 0, 0, 4, 4);
}

TEST_F(BitmapRegionTest, UnavailableBitmapsGiveNoRegionAndTransparentOnesAnEmptyOne) {
    EXPECT_EQ(Region(nullptr), nullptr);
    Owned<HBITMAP> clear = Image(6, 6, [](int, int) { return kKey; });
    Owned<HRGN> empty = Region(clear);
    ASSERT_NE(empty, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    Owned<HBITMAP> image = Image(8, 2, [](int x, int) { return x % 2 ? kKey : kInk; });
    HDC holder = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(holder, image);
    EXPECT_EQ(Region(image), nullptr) << "selected elsewhere";
    SelectObject(holder, old);
    DeleteDC(holder);
    Owned<HRGN> released = Region(image);
    EXPECT_NE(released, nullptr);
}

TEST_F(BitmapRegionTest, FrameOneOfAFourFrameStripScansItsOwnColumns) {
    // Frames of 16 columns; frame 1 (columns 16-31) is opaque in its columns 4-8 only.
    auto strip = [](int x, int y) {
        if (x < 16) return kInk;
        if (x < 32) return x >= 20 && x < 25 && y < 3 ? kInk : kKey;
        return x % 3 ? kInk : kKey;
    };
    Owned<HBITMAP> image = Image(64, 5, strip);
    Owned<HRGN> second = CBitmapU::GetBitmapRegionEx(image, 4, 1, kKey, 0, nullptr);
    ASSERT_NE(second, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(second, &box), SIMPLEREGION);
    EXPECT_RECT(box, 4, 0, 9, 3);
    Owned<HRGN> first = CBitmapU::GetBitmapRegionEx(image, 4, 0, kKey, 0, nullptr);
    EXPECT_RECT(Box(first), 0, 0, 16, 5);
    EXPECT_EQ(CBitmapU::GetBitmapRegionEx(image, 0, 0, kKey, 0, nullptr), nullptr);
    EXPECT_EQ(CBitmapU::GetBitmapRegionEx(image, 65, 0, kKey, 0, nullptr), nullptr);
}

// Guards the kept frame regions: a frame asked for again after its pixels changed, or while its
// bitmap is selected elsewhere, is taken as it is now.
TEST_F(BitmapRegionTest, AFrameAskedForAgainFollowsItsPixels) {
    Owned<HBITMAP> image = Image(32, 4, [](int x, int) { return x < 16 ? kInk : kKey; });
    Owned<HRGN> before = CBitmapU::GetBitmapRegionEx(image, 2, 0, kKey, 0, nullptr);
    EXPECT_RECT(Box(before), 0, 0, 16, 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            SetPixel(dc, x, y, kKey);
    EXPECT_EQ(CBitmapU::GetBitmapRegionEx(image, 2, 0, kKey, 0, nullptr), nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    Owned<HRGN> after = CBitmapU::GetBitmapRegionEx(image, 2, 0, kKey, 0, nullptr);
    EXPECT_RECT(Box(after), 4, 0, 16, 4);
    Owned<HRGN> again = CBitmapU::GetBitmapRegionEx(image, 2, 0, kKey, 0, nullptr);
    EXPECT_TRUE(EqualRgn(after, again));
}

TEST_F(BitmapRegionTest, ExtCreateRegionUnitesTheRectanglesOfTheData) {
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 3, 0, {0, 0, 0, 0}};
    const RECT rects[] = {{0, 0, 4, 2}, {2, 1, 6, 3}, {10, 10, 10, 20}};
    std::copy_n(reinterpret_cast<const BYTE*>(rects), sizeof rects,
                buffer.data() + sizeof(RGNDATAHEADER));
    Owned<HRGN> region = CBitmapU::ExtCreateRegion(0, 0, data);
    EXPECT_TRUE(PtInRegion(region, 5, 2));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    EXPECT_FALSE(PtInRegion(region, 0, 2));
    EXPECT_RECT(Box(region), 0, 0, 6, 3);
    data->rdh.nCount = 0;
    Owned<HRGN> none = CBitmapU::ExtCreateRegion(0, 0, data);
    RECT box;
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
}

// Guards the scan's shortcuts: rows equal to the row before reuse its runs, a 24-bit section
// of the scan size is read in place, and wide rows go 32 pixels at a time with an overlapping
// last group. Every path must give the region the copy-and-scan gives.
TEST_F(BitmapRegionTest, RepeatedRowsAndEverySourceFormatGiveTheSameRegion) {
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    for (int w : {31, 32, 33, 63, 64, 65, 97, 240}) {
        SCOPED_TRACE("width " + std::to_string(w));
        // Rows come in runs of equal rows, so that both the reused and the rebuilt paths occur.
        const int h = 12;
        std::vector<std::vector<COLORREF>> rows;
        for (int y = 0; y < h; ++y) {
            if (y % 4 != 0) {
                rows.push_back(rows.back());
                continue;
            }
            std::vector<COLORREF> row;
            for (int x = 0; x < w; ++x)
                row.push_back(rng() % 3 ? kInk : kKey);
            rows.push_back(row);
        }
        auto at = [&](int x, int y) { return rows[size_t(y)][size_t(x)]; };
        // The same pixels in a 32-bit bitmap take the copy-and-scan path.
        Owned<HBITMAP> section = Image(w, h, at), deep = Image(w, h, at, 32);
        Owned<HRGN> direct = Region(section), copied = Region(deep);
        ExpectOpaquePixels(direct, w, h, at);
        EXPECT_TRUE(EqualRgn(direct, copied));
    }
}

// Guards the scan's kernels against the per-pixel rule: a pixel is transparent when each stored
// byte (blue, green, red) lies in [colour byte, that + tolerance byte] (at most 255). Every
// kernel this processor runs, and the plain loop, over widths around each kernel's group sizes
// and pixels on both sides of every range edge; stale bits are cleared.
TEST(RowScanTest, EveryKernelFollowsThePerPixelRule) {
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    for (int round = 0; round < 300; ++round) {
        int width = 1 + int(rng() % 260);
        DWORD colour = rng() & 0xFFFFFF, tolerance = rng() & 0x0F0F0F;
        unsigned low[3], high[3];
        for (int k = 0; k < 3; ++k) {
            low[k] = (colour >> (8 * k)) & 0xFF;
            high[k] = std::min(255u, low[k] + ((tolerance >> (8 * k)) & 0xFF));
        }
        // Half the pixels in range; the others one step outside it in one channel.
        std::vector<BYTE> row(size_t(width) * 3);
        std::vector<uint64_t> expected((size_t(width) + 63) / 64, 0);
        for (int x = 0; x < width; ++x) {
            BYTE* p = &row[size_t(x) * 3];
            for (int k = 0; k < 3; ++k)
                p[k] = BYTE(low[k] + rng() % (high[k] - low[k] + 1));
            int k = int(rng() % 6);
            if (k < 3) p[k] = rng() % 2 ? BYTE(low[k] - 1) : BYTE(high[k] + 1);
            bool within = true;
            for (int j = 0; j < 3; ++j)
                within = within && p[j] >= low[j] && p[j] <= high[j];
            if (within) expected[size_t(x) >> 6] |= uint64_t(1) << (x & 63);
        }
        CRowScanner scanner(ColourRange(colour, tolerance));
        for (RowKernel kernel :
             {RowKernel::Plain, RowKernel::Sse2, RowKernel::Avx2, RowKernel::Avx512}) {
            if (!CRowScanner::Available(kernel)) continue;
            std::vector<uint64_t> bits(expected.size(), ~uint64_t(0));
            scanner.Scan(row.data(), width, bits.data(), kernel);
            ASSERT_EQ(bits, expected) << "kernel " << int(kernel) << ", width " << width;
        }
    }
}
