// Lines, fills, frames, pixels, clipping and contexts on the screen.
#include "support/gdi_fixture.h"

namespace {

using DrawTest = GdiTest;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

} // namespace

TEST_F(DrawTest, LinesLeaveOutTheirEndPixel) {
    Canvas c(10, 10);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
    Line(c.dc(), 1, 1, 6, 1);
    EXPECT_EQ(c.Count(kRed), 5);
    EXPECT_RECT(c.Bounds(kRed), 1, 1, 6, 2);
    c.Fill(kWhite);
    LineTo(c.dc(), 6, 9); // from the current position, straight down
    EXPECT_RECT(c.Bounds(kRed), 6, 1, 7, 9);
    c.Fill(kWhite);
    Line(c.dc(), 0, 0, 4, 4);
    EXPECT_EQ(c.Count(kRed), 4);
    EXPECT_RECT(c.Bounds(kRed), 0, 0, 4, 4);
}

TEST_F(DrawTest, PenStylesWidthsAndBinaryOperations) {
    Canvas c(20, 7);
    EXPECT_EQ(CreatePen(77, 1, 0), nullptr) << "unknown style";
    {
        Selected none(c.dc(), CreatePen(PS_NULL, 1, kRed));
        Line(c.dc(), 0, 0, 19, 0);
        EXPECT_EQ(c.Count(kRed), 0);
    }
    {
        Selected dash(c.dc(), CreatePen(PS_DASH, 1, kRed));
        Line(c.dc(), 0, 1, 19, 1); // dashes of six pixels, gaps of two
        EXPECT_EQ(c.At(5, 1), kRed);
        EXPECT_NE(c.At(6, 1), kRed);
        EXPECT_EQ(c.At(8, 1), kRed);
    }
    {
        Selected wide(c.dc(), CreatePen(PS_SOLID, 3, kRed));
        c.Fill(kWhite);
        Line(c.dc(), 5, 4, 10, 4);
        EXPECT_RECT(c.Bounds(kRed), 4, 3, 11, 6);
    }
    Selected xorPen(c.dc(), CreatePen(PS_SOLID, 1, RGB(255, 255, 0)));
    c.Fill(RGB(0, 255, 0));
    SetROP2(c.dc(), R2_XORPEN);
    Line(c.dc(), 0, 0, 3, 0);
    EXPECT_EQ(c.At(1, 0), kRed);
    EXPECT_EQ(c.At(3, 0), RGB(0, 255, 0));
}

TEST_F(DrawTest, FillsAndFramesCoverExactlyTheirRectangle) {
    Canvas c(10, 10);
    Owned<HBRUSH> red = CreateSolidBrush(kRed);
    RECT r{2, 3, 7, 8};
    EXPECT_TRUE(FillRect(c.dc(), &r, red));
    EXPECT_EQ(c.Count(kRed), 25);
    EXPECT_RECT(c.Bounds(kRed), 2, 3, 7, 8);
    c.Fill(kWhite);
    EXPECT_TRUE(FrameRect(c.dc(), &r, red));
    EXPECT_EQ(c.Count(kRed), 16); // the outline of the same box
    EXPECT_EQ(c.At(4, 5), kWhite);
    // A system colour index + 1 may stand for a brush.
    RECT all{0, 0, 10, 10};
    FillRect(c.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_HIGHLIGHT));
    // Inverted rectangles draw nothing.
    RECT backwards{7, 8, 2, 3};
    c.Fill(kWhite);
    FillRect(c.dc(), &backwards, red);
    EXPECT_EQ(c.Count(kRed), 0);
    InvertRect(c.dc(), &r);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 25);
}

TEST_F(DrawTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Canvas c(10, 10);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kRed));
    Selected blue(c.dc(), CreateSolidBrush(RGB(0, 0, 255)));
    Rectangle(c.dc(), 1, 1, 6, 5);
    EXPECT_RECT(c.Bounds(kRed), 1, 1, 6, 5);
    EXPECT_EQ(c.Count(kRed), 14);
    EXPECT_RECT(c.Bounds(RGB(0, 0, 255)), 2, 2, 5, 4);
}

TEST_F(DrawTest, ClipRegionsLimitEveryKindOfDrawing) {
    Canvas c(10, 10);
    Owned<HRGN> clip = CreateRectRgn(0, 0, 5, 5), other = CreateRectRgn(5, 5, 10, 10);
    CombineRgn(clip, clip, other, RGN_OR);
    EXPECT_EQ(SelectClipRgn(c.dc(), clip), COMPLEXREGION);
    // The context keeps a copy: changing the region afterwards does not matter.
    SetRectRgn(clip, 0, 0, 1, 1);
    c.Fill(kRed);
    EXPECT_EQ(c.Count(kRed), 50);
    EXPECT_EQ(c.At(7, 2), CLR_INVALID) << "outside the clip nothing is read either";
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc(), &box), COMPLEXREGION);
    EXPECT_RECT(box, 0, 0, 10, 10);
    ExcludeClipRect(c.dc(), 0, 0, 5, 5);
    EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
    EXPECT_RECT(box, 5, 5, 10, 10);
    EXPECT_TRUE(PtVisible(c.dc(), 6, 6));
    EXPECT_FALSE(PtVisible(c.dc(), 1, 1));
    EXPECT_EQ(GetClipRgn(c.dc(), other), 1);
    GetRgnBox(other, &box);
    EXPECT_RECT(box, 5, 5, 10, 10);
    SelectClipRgn(c.dc(), nullptr);
    EXPECT_EQ(c.At(7, 2), kWhite);
    EXPECT_EQ(GetClipRgn(c.dc(), other), 0);
}

TEST_F(DrawTest, ViewportOriginMovesDrawingButNotTheClipRegion) {
    Canvas c(10, 10);
    Owned<HRGN> clip = CreateRectRgn(0, 0, 4, 10);
    SelectClipRgn(c.dc(), clip);
    SetViewportOrgEx(c.dc(), 2, 0, nullptr);
    c.Fill(RECT{0, 0, 6, 1}, kRed);
    SetViewportOrgEx(c.dc(), 0, 0, nullptr);
    EXPECT_RECT(c.Bounds(kRed), 2, 0, 4, 1);
}

TEST_F(DrawTest, ScreenContextsCombineOriginVisibleRegionAndOwnClip) {
    GdiResetScreen(64, 48);
    EXPECT_EQ(GdiGetScreenSize().cx, 64);
    HDC window = GdiCreateScreenDC(), whole = GdiCreateScreenDC();
    GdiSetDCOrigin(window, 10, 10);
    Owned<HRGN> visible = CreateRectRgn(10, 10, 30, 30); // screen coordinates
    Owned<HRGN> covered = CreateRectRgn(20, 10, 30, 20);
    CombineRgn(visible, visible, covered, RGN_DIFF);
    GdiSetDCVisibleRegion(window, visible);
    IntersectClipRect(window, 0, 0, 15, 15); // window coordinates
    Owned<HBRUSH> red = CreateSolidBrush(kRed);
    RECT all{-10, -10, 60, 60};
    FillRect(window, &all, red);
    int count = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (GetPixel(whole, x, y) == kRed) {
                ++count;
                EXPECT_TRUE(x >= 10 && x < 25 && y >= 10 && y < 25 && !(x >= 20 && y < 20))
                    << x << "," << y;
            }
    EXPECT_EQ(count, 15 * 15 - 5 * 10);
    // Moving the window keeps its own clip in window coordinates.
    GdiSetDCOrigin(window, 0, 0);
    GdiSetDCVisibleRegion(window, nullptr);
    RECT box;
    GetClipBox(window, &box);
    EXPECT_RECT(box, 0, 0, 15, 15);
    uint64_t serial = GdiGetScreenSerial();
    SetPixel(window, 1, 1, kWhite);
    EXPECT_NE(GdiGetScreenSerial(), serial);
    DeleteDC(window);
    DeleteDC(whole);
}

TEST_F(DrawTest, TheDisplayDriverGivesAScreenContext) {
    HDC display = CreateDC(u"display", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(CreateDC(u"printer", nullptr, nullptr, nullptr), nullptr);
    SetPixel(display, 5, 6, RGB(7, 8, 9));
    GdiScreenPixels screen = GdiGetScreenPixels();
    const uint32_t* row = reinterpret_cast<const uint32_t*>(screen.bits + screen.stride * 6);
    EXPECT_EQ(row[5] & 0xFFFFFF, 0x070809u);
    DeleteDC(display);
}
// Guards against coordinate arithmetic overflowing when a caller passes extreme values.
TEST_F(DrawTest, ExtremeCoordinatesAreRefusedWithoutDrawing) {
    Canvas c(4, 4);
    const int huge = 2000000000;
    RECT far{-huge, -huge, huge, huge};
    Owned<HBRUSH> red = CreateSolidBrush(kRed);
    EXPECT_EQ(FillRect(c.dc(), &far, red), 0);
    EXPECT_FALSE(BitBlt(c.dc(), huge, 0, 4, 4, c.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(c.dc(), 0, 0, huge, 4, c.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(SetPixel(c.dc(), huge, huge, kRed), CLR_INVALID);
    EXPECT_FALSE(LineTo(c.dc(), huge, 0));
    EXPECT_FALSE(SetViewportOrgEx(c.dc(), huge, 0, nullptr));
    EXPECT_FALSE(TextOut(c.dc(), -huge, 0, u"x", 1));
    EXPECT_EQ(c.Count(kRed), 0);
    // Large but reasonable values still work and are clipped.
    RECT big{-100000, -100000, 100000, 100000};
    EXPECT_EQ(FillRect(c.dc(), &big, red), 1);
    EXPECT_EQ(c.Count(kRed), 16);
}
