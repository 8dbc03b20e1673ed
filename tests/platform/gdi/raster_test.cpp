// Raster operations, colour/monochrome conversion, stretching and blit clipping.
#include "support/gdi_fixture.h"

namespace {

using RasterTest = GdiTest;

// The truth-table meaning of a ternary operation, bit by bit: the reference the engine must
// agree with.
DWORD Reference(BYTE rop, DWORD p, DWORD s, DWORD d) {
    DWORD r = 0;
    for (int bit = 0; bit < 32; ++bit) {
        int index = int((p >> bit) & 1) << 2 | int((s >> bit) & 1) << 1 | int((d >> bit) & 1);
        r |= DWORD((rop >> index) & 1) << bit;
    }
    return r;
}

DWORD RopCode(BYTE rop) {
    return DWORD(rop) << 16;
}

void FillRandom(Canvas& c, std::mt19937& rng) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            SetPixel(c.dc(), x, y, rng() & 0xFFFFFF);
}

// BitBlt with a solid brush of the given colour selected as the pattern.
bool BlitWithPattern(Canvas& dst, Canvas& src, COLORREF pattern, BYTE rop) {
    Selected brush(dst.dc(), CreateSolidBrush(pattern));
    return BitBlt(dst.dc(), 0, 0, dst.width(), dst.height(), src.dc(), 0, 0, RopCode(rop));
}

} // namespace

// Random sources, destinations and patterns: 32-bit colours, and the indices of 1- and 8-bit
// grey ramps (index and colour map one to one), 19 pixels wide for whole groups and a ragged end.
TEST_F(RasterTest, EveryTernaryOperationMatchesTheTruthTable) {
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    const int w = 19, h = 3;
    for (int bpp : {32, 1, 8}) {
        SCOPED_TRACE(bpp);
        DWORD mask = bpp == 32 ? 0xFFFFFF : (1u << bpp) - 1;
        auto colour = [&](DWORD v) {
            BYTE grey = BYTE(v * 255 / mask);
            return bpp == 32 ? COLORREF(v) : RGB(grey, grey, grey);
        };
        Canvas src(MakeSection(w, h, bpp)), dst(MakeSection(w, h, bpp));
        for (int rop = 0; rop < 256; ++rop) {
            std::vector<DWORD> s, d;
            for (int i = 0; i < w * h; ++i) {
                s.push_back(rng() & mask);
                d.push_back(rng() & mask);
                SetPixel(src.dc(), i % w, i / w, colour(s.back()));
                SetPixel(dst.dc(), i % w, i / w, colour(d.back()));
            }
            DWORD p = rng() & mask;
            ASSERT_TRUE(BlitWithPattern(dst, src, colour(p), BYTE(rop)));
            for (int i = 0; i < w * h; ++i)
                ASSERT_EQ(dst.At(i % w, i / w), colour(Reference(BYTE(rop), p, s[i], d[i]) & mask))
                    << "rop 0x" << std::hex << rop << " pixel " << std::dec << i;
        }
    }
}

TEST_F(RasterTest, PatBltUsesTheSelectedBrushAndAHollowBrushPaintsNothing) {
    Canvas dst(4, 4, 32, RGB(0x0F, 0x0F, 0x0F));
    Selected brush(dst.dc(), CreateSolidBrush(RGB(0xF0, 0x00, 0xFF)));
    PatBlt(dst.dc(), 2, 0, 2, 4, PATCOPY);
    EXPECT_EQ(dst.At(1, 1), RGB(0x0F, 0x0F, 0x0F));
    EXPECT_EQ(dst.At(3, 3), RGB(0xF0, 0x00, 0xFF));
    SelectObject(dst.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(dst.dc(), 0, 0, 4, 4, PATCOPY));
    EXPECT_EQ(dst.At(3, 3), RGB(0xF0, 0x00, 0xFF));
    EXPECT_FALSE(PatBlt(dst.dc(), 0, 0, 4, 4, SRCCOPY)) << "PatBlt takes no source";
}
TEST_F(RasterTest, ConversionsBetweenDepthsGoThroughTheColour) {
    Canvas src(2, 1);
    SetPixel(src.dc(), 0, 0, RGB(255, 255, 255));
    SetPixel(src.dc(), 1, 0, RGB(250, 8, 8));
    for (int bpp : {4, 8, 16, 24}) {
        SCOPED_TRACE(bpp);
        std::vector<RGBQUAD> table;
        if (bpp <= 8)
            for (int i = 0; i < (1 << bpp); ++i)
                table.push_back(RGBQUAD{0, 0, BYTE(i ? 255 : 0), 0});
        Canvas dst(MakeSection(2, 1, bpp, table));
        BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
        COLORREF red = bpp == 16 ? RGB(255, 8, 8) : bpp == 24 ? RGB(250, 8, 8) : RGB(255, 0, 0);
        EXPECT_EQ(dst.At(1, 0), red);
        // And back to the screen format.
        Canvas back(2, 1);
        BitBlt(back.dc(), 0, 0, 2, 1, dst.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(back.At(1, 0), red);
    }
}

TEST_F(RasterTest, StretchSamplesTheNearestSourcePixel) {
    Canvas src(2, 2);
    SetPixel(src.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc(), 1, 0, RGB(0, 255, 0));
    SetPixel(src.dc(), 0, 1, RGB(0, 0, 255));
    SetPixel(src.dc(), 1, 1, RGB(0, 0, 0));
    Canvas big(6, 4);
    StretchBlt(big.dc(), 0, 0, 6, 4, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_RECT(big.Bounds(RGB(255, 0, 0)), 0, 0, 3, 2);
    EXPECT_RECT(big.Bounds(RGB(0, 255, 0)), 3, 0, 6, 2);
    EXPECT_RECT(big.Bounds(RGB(0, 0, 0)), 3, 2, 6, 4);
    // Shrinking picks one pixel per block.
    Canvas small(1, 1);
    StretchBlt(small.dc(), 0, 0, 1, 1, big.dc(), 0, 0, 6, 4, SRCCOPY);
    EXPECT_EQ(small.At(0, 0), RGB(0, 0, 0));
    // Opposite signs mirror.
    Canvas mirrored(2, 2);
    StretchBlt(mirrored.dc(), 0, 0, 2, 2, src.dc(), 2, 0, -2, 2, SRCCOPY);
    EXPECT_EQ(mirrored.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(mirrored.At(1, 1), RGB(0, 0, 255));
}

TEST_F(RasterTest, OnlyTheSourceThatExistsIsCopied) {
    Canvas src(2, 2, 32, RGB(9, 9, 9));
    Canvas dst(6, 6, 32, RGB(255, 255, 255));
    BitBlt(dst.dc(), 1, 1, 5, 5, src.dc(), -1, -1, SRCCOPY);
    EXPECT_EQ(dst.Count(RGB(9, 9, 9)), 4);
    EXPECT_RECT(dst.Bounds(RGB(9, 9, 9)), 2, 2, 4, 4);
}

// Guards the row order of copies within one bitmap: rows must not be overwritten before read.
TEST_F(RasterTest, OverlappingCopiesWithinOneBitmapMoveThePicture) {
    Canvas c(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(c.dc(), x, y, RGB(x * 10, y * 10, 0));
    BitBlt(c.dc(), 2, 3, 6, 5, c.dc(), 0, 0, SRCCOPY);
    for (int y = 3; y < 8; ++y)
        for (int x = 2; x < 8; ++x)
            ASSERT_EQ(c.At(x, y), RGB((x - 2) * 10, (y - 3) * 10, 0));
    BitBlt(c.dc(), 0, 0, 6, 5, c.dc(), 2, 3, SRCCOPY);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(c.At(x, y), RGB(x * 10, y * 10, 0));
}

namespace {

// The four operations that combine a source with the destination, and an 8-bit grey ramp.
const DWORD kSourceRops[] = {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT};

const std::vector<RGBQUAD>& GreyRamp() {
    static const std::vector<RGBQUAD> greys = [] {
        std::vector<RGBQUAD> g;
        for (int i = 0; i < 256; ++i)
            g.push_back(RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0});
        return g;
    }();
    return greys;
}

} // namespace

// Guards the same-format row paths (short rows combined in place, long ones by the library,
// ragged byte ends at 8 and 24 bits) against the truth table, at any offset and width.
TEST_F(RasterTest, SameFormatRowsAtAnyOffsetAndWidthFollowTheOperation) {
    unsigned seed = TestSeed() + 3;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    const DWORD* rops = kSourceRops;
    const std::vector<RGBQUAD>& greys = GreyRamp();
    for (int depth : {8, 24, 32}) {
        SCOPED_TRACE(depth);
        DWORD mask = depth == 8 ? 0xFF : 0xFFFFFF;
        auto colour = [&](DWORD v) { return depth == 8 ? RGB(v, v, v) : COLORREF(v); };
        auto value = [&](COLORREF c) { return depth == 8 ? DWORD(GetRValue(c)) : DWORD(c); };
        const auto& table = depth == 8 ? greys : std::vector<RGBQUAD>{};
        Canvas src(MakeSection(70, 2, depth, table)), dst(MakeSection(70, 2, depth, table));
        for (int round = 0; round < 40; ++round) {
            for (int i = 0; i < 140; ++i) {
                SetPixel(src.dc(), i % 70, i / 70, colour(rng() & mask));
                SetPixel(dst.dc(), i % 70, i / 70, colour(rng() & mask));
            }
            std::vector<COLORREF> s = src.Pixels(), d = dst.Pixels();
            int sx = int(rng() % 20), dx = int(rng() % 20), w = 1 + int(rng() % 50);
            DWORD rop = rops[rng() % 4];
            ASSERT_TRUE(BitBlt(dst.dc(), dx, 0, w, 2, src.dc(), sx, 0, rop));
            for (int i = 0; i < 140; ++i) {
                int x = i % 70, y = i / 70;
                COLORREF expected = d[size_t(i)];
                if (x >= dx && x < dx + w) {
                    DWORD sv = value(s[size_t(y * 70 + sx + x - dx)]), dv = value(expected);
                    expected = colour(Reference(BYTE(rop >> 16), 0, sv, dv) & mask);
                }
                ASSERT_EQ(dst.At(x, y), expected)
                    << "round " << round << " rop " << std::hex << rop;
            }
        }
    }
}

// Guards the mask fast paths (whole bytes, groups of 16 and 32 pixels, ragged ends) against the
// plain per-pixel rules, at every alignment, from screen-format and from 24-bit (skin bitmap)
// sources; and the 24-bit copies and masks onto the screen format.
TEST_F(RasterTest, MasksAtAnyOffsetFollowThePerPixelRules) {
    unsigned seed = TestSeed() + 2;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    const DWORD* rops = kSourceRops;
    const std::vector<RGBQUAD>& greys = GreyRamp();
    for (int depth : {32, 24, 8}) {
        SCOPED_TRACE(depth);
        // The 8-bit source has a grey ramp: its key is one of the greys.
        const COLORREF key = depth == 8 ? RGB(128, 128, 128) : RGB(255, 0, 255);
        Canvas colour(depth == 32 ? CreateBitmap(90, 3, 1, 32, nullptr)
                                  : MakeSection(90, 3, depth, depth == 8 ? greys : std::vector<RGBQUAD>{}));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 90; ++x)
                SetPixel(colour.dc(), x, y, rng() % 3 ? key : COLORREF(rng() & 0xFFFFFF));
        SetBkColor(colour.dc(), key);
        for (int round = 0; round < 40; ++round) {
            int sx = int(rng() % 20), dx = int(rng() % 20), w = 1 + int(rng() % 70);
            Canvas mono(CreateBitmap(96, 3, 1, 1, nullptr));
            mono.Fill(RGB(255, 255, 255));
            SetPixel(mono.dc(), 5, 0, 0);
            std::vector<COLORREF> before = mono.Pixels();
            BitBlt(mono.dc(), dx, 0, w, 3, colour.dc(), sx, 0, SRCCOPY);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 96; ++x) {
                    bool inside = x >= dx && x < dx + w;
                    COLORREF expected = !inside ? before[size_t(y * 96 + x)]
                                        : colour.At(sx + x - dx, y) == key ? RGB(255, 255, 255)
                                                                           : RGB(0, 0, 0);
                    ASSERT_EQ(mono.At(x, y), expected) << "round " << round << " at " << x << ","
                                                       << y;
                }
            // The colour source and the mask onto the screen format with each mask operation.
            for (bool fromMono : {false, true}) {
                DWORD rop = rops[rng() % 4];
                Canvas target(80, 3, depth == 32 ? 32 : 24);
                FillRandom(target, rng);
                SetTextColor(target.dc(), RGB(10, 200, 30));
                SetBkColor(target.dc(), RGB(250, 60, 7));
                std::vector<COLORREF> under = target.Pixels();
                Canvas& source = fromMono ? mono : colour;
                int mx = int(rng() % 20), tx = int(rng() % 10), mw = 1 + int(rng() % 60);
                BitBlt(target.dc(), tx, 0, mw, 3, source.dc(), mx, 0, rop);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < 80; ++x) {
                        COLORREF d = under[size_t(y * 80 + x)];
                        if (x < tx || x >= tx + mw) {
                            ASSERT_EQ(target.At(x, y), d);
                            continue;
                        }
                        COLORREF s = source.At(mx + x - tx, y);
                        if (fromMono) s = s == RGB(0, 0, 0) ? RGB(10, 200, 30) : RGB(250, 60, 7);
                        ASSERT_EQ(target.At(x, y), Reference(BYTE(rop >> 16), 0, s, d) & 0xFFFFFF)
                            << "round " << round << " rop " << std::hex << rop;
                    }
            }
        }
    }
}
