// Region algebra, region data order, and a randomized comparison with a per-pixel model.
#include "support/gdi_fixture.h"

#include <array>
#include <bitset>

namespace {

using RegionTest = GdiTest;

constexpr int kSide = 24;
using Pixels = std::bitset<kSide * kSide>;

Pixels Model(int l, int t, int r, int b) {
    Pixels p;
    for (int y = std::max(0, t); y < std::min(kSide, b); ++y)
        for (int x = std::max(0, l); x < std::min(kSide, r); ++x)
            p.set(size_t(y * kSide + x));
    return p;
}

Pixels Sample(HRGN region) {
    Pixels p;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (PtInRegion(region, x, y)) p.set(size_t(y * kSide + x));
    return p;
}

std::vector<RECT> Rects(HRGN region) {
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(region, size, data), size);
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(r, r + data->rdh.nCount);
}

// Rectangles are disjoint, sorted by band and then by x, bands do not overlap.
void ExpectBanded(const std::vector<RECT>& rects) {
    for (size_t i = 1; i < rects.size(); ++i) {
        const RECT &a = rects[i - 1], &b = rects[i];
        bool sameBand = a.top == b.top && a.bottom == b.bottom;
        if (sameBand)
            EXPECT_LE(a.right, b.left) << "boxes within a band go left to right";
        else
            EXPECT_LE(a.bottom, b.top) << "bands go top to bottom without overlap";
    }
}

} // namespace

TEST_F(RegionTest, CombineModesGiveTheirComplexity) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15),
         d = CreateRectRgn(0, 0, 0, 0), empty = CreateRectRgn(1, 1, 1, 1);
    RECT box;
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(GetRgnBox(d, &box), NULLREGION);
    EXPECT_RECT(box, 0, 0, 0, 0);
    SetRectRgn(d, 4, 4, 4, 9); // an empty rectangle is the null region, wherever it lies
    EXPECT_EQ(GetRgnBox(d, &box), NULLREGION);
    EXPECT_TRUE(EqualRgn(d, empty));
    EXPECT_EQ(CombineRgn(d, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, b));
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    EXPECT_EQ(OffsetRgn(d, -5, -5), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, a));
    RECT touching{9, 9, 20, 20}, apart{10, 0, 20, 9};
    EXPECT_TRUE(RectInRegion(a, &touching));
    EXPECT_FALSE(RectInRegion(a, &apart));
    for (HRGN r : {a, b, d, empty})
        DeleteObject(r);
}

TEST_F(RegionTest, RegionDataComeInBandedOrderWithTheHeaderFilledIn) {
    HRGN r = CreateRectRgn(10, 0, 20, 5), more = CreateRectRgn(0, 3, 5, 8);
    CombineRgn(r, r, more, RGN_OR);
    DWORD size = GetRegionData(r, 0, nullptr);
    EXPECT_EQ(size, DWORD(sizeof(RGNDATAHEADER) + 4 * sizeof(RECT)));
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(r, size - 1, data), 0u) << "too small a buffer";
    EXPECT_EQ(GetRegionData(r, size, data), size);
    EXPECT_EQ(data->rdh.dwSize, 32u);
    EXPECT_EQ(data->rdh.iType, DWORD(RDH_RECTANGLES));
    ASSERT_EQ(data->rdh.nCount, 4u);
    EXPECT_EQ(data->rdh.nRgnSize, 64u);
    EXPECT_RECT(data->rdh.rcBound, 0, 0, 20, 8);
    EXPECT_RECT(reinterpret_cast<const RECT*>(data->Buffer)[1], 0, 3, 5, 5); // bands top down
    DeleteObject(r);
    DeleteObject(more);
}

TEST_F(RegionTest, RandomAlgebraAgreesWithAPerPixelModel) {
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    auto coord = [&] { return int(rng() % (kSide + 4)) - 2; };
    for (int round = 0; round < 300; ++round) {
        HRGN acc = CreateRectRgn(0, 0, 0, 0);
        Pixels model;
        for (int step = 0; step < 6; ++step) {
            int l = coord(), t = coord(), r = coord(), b = coord();
            HRGN next = CreateRectRgn(l, t, r, b);
            Pixels nextModel =
                Model(std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b));
            int mode = RGN_AND + int(rng() % 4);
            CombineRgn(acc, acc, next, mode);
            model = mode == RGN_AND   ? model & nextModel
                    : mode == RGN_OR  ? model | nextModel
                    : mode == RGN_XOR ? model ^ nextModel
                                      : model & ~nextModel;
            DeleteObject(next);
            ASSERT_EQ(Sample(acc), model) << "round " << round << " step " << step;
        }
        std::vector<RECT> rects = Rects(acc);
        ExpectBanded(rects);
        Pixels fromData;
        for (const RECT& r : rects)
            fromData |= Model(r.left, r.top, r.right, r.bottom);
        ASSERT_EQ(fromData, model) << "round " << round;
        DeleteObject(acc);
    }
}

TEST_F(RegionTest, UnionOfManyRectanglesInOneStep) {
    std::vector<RECT> rects = {
        {0, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 2, 2}, {3, 3, 3, 9}, {1, 0, 5, 1}};
    HRGN r = GdiCreateRegionFromRects(rects.data(), DWORD(rects.size()));
    Pixels model = Model(0, 0, 6, 1) | Model(0, 1, 2, 2);
    EXPECT_EQ(Sample(r), model);
    DeleteObject(r);
    // Reversed and out-of-range rectangles are mended, whatever their place in the list.
    for (size_t at : {0, 1, 4}) {
        std::vector<RECT> mixed(6, RECT{20, 20, 21, 21});
        mixed[at] = RECT{7, 2, 5, 3};
        mixed[(at + 2) % 6] = RECT{9, 4, 10, 2};
        mixed[(at + 3) % 6] = RECT{-2000000000, 30, 2000000000, 31};
        HRGN m = GdiCreateRegionFromRects(mixed.data(), DWORD(mixed.size()));
        EXPECT_TRUE(PtInRegion(m, 5, 2) && PtInRegion(m, 6, 2) && !PtInRegion(m, 7, 2));
        EXPECT_TRUE(PtInRegion(m, 9, 2) && PtInRegion(m, 9, 3) && !PtInRegion(m, 9, 4));
        EXPECT_TRUE(PtInRegion(m, 0, 30) && PtInRegion(m, -100000000, 30));
        DeleteObject(m);
    }
    HRGN none = GdiCreateRegionFromRects(nullptr, 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
    DeleteObject(none);
}

// Guards against coordinate overflow when regions are moved far away.
TEST_F(RegionTest, HugeCoordinatesAndOffsetsStayWithinLimits) {
    HRGN r = CreateRectRgn(-2000000000, -5, 2000000000, 5);
    RECT box;
    GetRgnBox(r, &box);
    EXPECT_LT(box.left, -100000000);
    EXPECT_GT(box.right, 100000000);
    OffsetRgn(r, 2000000000, 0);
    OffsetRgn(r, 2000000000, 0);
    EXPECT_NE(GetRgnBox(r, &box), ERROR);
    EXPECT_GE(box.left, -(1 << 27));
    EXPECT_LE(box.right, 1 << 27);
    DeleteObject(r);
}
