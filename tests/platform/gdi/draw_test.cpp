// Lines, fills, frames, pixels, clipping and contexts on the screen.
#include "support/gdi_fixture.h"

#include <png.h>

namespace {

using DrawTest = GdiTest;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

struct PenScope {
    PenScope(HDC dc, int style, int width, COLORREF colour)
        : dc(dc), pen(CreatePen(style, width, colour)), old(SelectObject(dc, pen)) {}
    ~PenScope() {
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HDC dc;
    HPEN pen;
    HGDIOBJ old;
};

} // namespace

TEST_F(DrawTest, LinesLeaveOutTheirEndPixel) {
    Canvas c(10, 10);
    PenScope pen(c.dc(), PS_SOLID, 1, kRed);
    MoveToEx(c.dc(), 1, 1, nullptr);
    LineTo(c.dc(), 6, 1);
    EXPECT_EQ(c.Count(kRed), 5);
    EXPECT_RECT(c.Bounds(kRed), 1, 1, 6, 2);
    POINT p;
    GetCurrentPositionEx(c.dc(), &p);
    EXPECT_EQ(p.x, 6);
    c.Fill(kWhite);
    LineTo(c.dc(), 6, 9); // from the current position, straight down
    EXPECT_RECT(c.Bounds(kRed), 6, 1, 7, 9);
    c.Fill(kWhite);
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 4, 4);
    EXPECT_EQ(c.Count(kRed), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.At(i, i), kRed);
}

TEST_F(DrawTest, PenStylesWidthsAndBinaryOperations) {
    Canvas c(20, 7);
    {
        PenScope none(c.dc(), PS_NULL, 1, kRed);
        MoveToEx(c.dc(), 0, 0, nullptr);
        LineTo(c.dc(), 19, 0);
        EXPECT_EQ(c.Count(kRed), 0);
    }
    {
        PenScope dash(c.dc(), PS_DASH, 1, kRed);
        MoveToEx(c.dc(), 0, 1, nullptr);
        LineTo(c.dc(), 19, 1);
        int drawn = c.Count(kRed);
        EXPECT_GT(drawn, 0);
        EXPECT_LT(drawn, 19);
    }
    {
        PenScope wide(c.dc(), PS_SOLID, 3, kRed);
        c.Fill(kWhite);
        MoveToEx(c.dc(), 5, 4, nullptr);
        LineTo(c.dc(), 10, 4);
        EXPECT_RECT(c.Bounds(kRed), 4, 3, 11, 6);
    }
    {
        PenScope xorPen(c.dc(), PS_SOLID, 1, RGB(255, 255, 0));
        c.Fill(RGB(0, 255, 0));
        SetROP2(c.dc(), R2_XORPEN);
        MoveToEx(c.dc(), 0, 0, nullptr);
        LineTo(c.dc(), 3, 0);
        EXPECT_EQ(c.At(1, 0), kRed);
        EXPECT_EQ(c.At(3, 0), RGB(0, 255, 0));
    }
}

TEST_F(DrawTest, FillsAndFramesCoverExactlyTheirRectangle) {
    Canvas c(10, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{2, 3, 7, 8};
    EXPECT_TRUE(FillRect(c.dc(), &r, red));
    EXPECT_EQ(c.Count(kRed), 25);
    EXPECT_RECT(c.Bounds(kRed), 2, 3, 7, 8);
    c.Fill(kWhite);
    EXPECT_TRUE(FrameRect(c.dc(), &r, red));
    EXPECT_EQ(c.Count(kRed), 16);
    EXPECT_EQ(c.At(4, 5), kWhite);
    EXPECT_EQ(c.At(6, 7), kRed);
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
    DeleteObject(red);
}

TEST_F(DrawTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Canvas c(10, 10);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    PenScope pen(c.dc(), PS_SOLID, 1, kRed);
    HGDIOBJ old = SelectObject(c.dc(), blue);
    Rectangle(c.dc(), 1, 1, 6, 5);
    EXPECT_RECT(c.Bounds(kRed), 1, 1, 6, 5);
    EXPECT_EQ(c.Count(kRed), 14);
    EXPECT_RECT(c.Bounds(RGB(0, 0, 255)), 2, 2, 5, 4);
    SelectObject(c.dc(), old);
    DeleteObject(blue);
}

TEST_F(DrawTest, ClipRegionsLimitEveryKindOfDrawing) {
    Canvas c(10, 10);
    HRGN clip = CreateRectRgn(0, 0, 5, 5);
    HRGN other = CreateRectRgn(5, 5, 10, 10);
    CombineRgn(clip, clip, other, RGN_OR);
    EXPECT_EQ(SelectClipRgn(c.dc(), clip), COMPLEXREGION);
    // The context keeps a copy: changing the region afterwards does not matter.
    SetRectRgn(clip, 0, 0, 1, 1);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{0, 0, 10, 10};
    FillRect(c.dc(), &all, red);
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
    RECT kept;
    GetRgnBox(other, &kept);
    EXPECT_RECT(kept, 5, 5, 10, 10);
    SelectClipRgn(c.dc(), nullptr);
    EXPECT_EQ(c.At(7, 2), kWhite);
    EXPECT_EQ(GetClipRgn(c.dc(), other), 0);
    EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
    EXPECT_RECT(box, 0, 0, 10, 10);
    DeleteObject(red);
    DeleteObject(clip);
    DeleteObject(other);
}

TEST_F(DrawTest, ViewportOriginMovesDrawingButNotTheClipRegion) {
    Canvas c(10, 10);
    HRGN clip = CreateRectRgn(0, 0, 4, 10);
    SelectClipRgn(c.dc(), clip);
    SetViewportOrgEx(c.dc(), 2, 0, nullptr);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{0, 0, 6, 1};
    FillRect(c.dc(), &r, red);
    SetViewportOrgEx(c.dc(), 0, 0, nullptr);
    EXPECT_RECT(c.Bounds(kRed), 2, 0, 4, 1);
    DeleteObject(red);
    DeleteObject(clip);
}

TEST_F(DrawTest, ScreenContextsCombineOriginVisibleRegionAndOwnClip) {
    GdiResetScreen(64, 48);
    EXPECT_EQ(GdiGetScreenSize().cx, 64);
    HDC window = GdiCreateScreenDC();
    GdiSetDCOrigin(window, 10, 10);
    HRGN visible = CreateRectRgn(10, 10, 30, 30); // screen coordinates
    HRGN covered = CreateRectRgn(20, 10, 30, 20);
    CombineRgn(visible, visible, covered, RGN_DIFF);
    GdiSetDCVisibleRegion(window, visible);
    IntersectClipRect(window, 0, 0, 15, 15); // window coordinates
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{-10, -10, 60, 60};
    FillRect(window, &all, red);
    HDC whole = GdiCreateScreenDC();
    int count = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (GetPixel(whole, x, y) == kRed) {
                ++count;
                EXPECT_TRUE(x >= 10 && x < 25 && y >= 10 && y < 25 && !(x >= 20 && y < 20))
                    << x << "," << y;
            }
    EXPECT_EQ(count, 15 * 15 - 5 * 10);
    RECT box;
    GetClipBox(window, &box);
    EXPECT_RECT(box, 0, 0, 15, 15);
    // Moving the window keeps its own clip in window coordinates.
    GdiSetDCOrigin(window, 0, 0);
    GdiSetDCVisibleRegion(window, nullptr);
    GetClipBox(window, &box);
    EXPECT_RECT(box, 0, 0, 15, 15);
    uint64_t serial = GdiGetScreenSerial();
    SetPixel(window, 1, 1, kWhite);
    EXPECT_NE(GdiGetScreenSerial(), serial);
    DeleteObject(red);
    DeleteObject(visible);
    DeleteObject(covered);
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

TEST_F(DrawTest, ExportsPngOfBitmapsAndContextAreas) {
    Canvas c(5, 4, 32, RGB(10, 20, 30));
    std::vector<BYTE> png = GdiEncodeBitmapPng(c.bitmap());
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 5u);
    EXPECT_EQ(image.height, 4u);
    image.format = PNG_FORMAT_RGB;
    std::vector<BYTE> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    EXPECT_EQ(rgb[0], 10);
    EXPECT_EQ(rgb[1], 20);
    EXPECT_EQ(rgb[2], 30);
    std::vector<BYTE> area = GdiEncodeDCAreaPng(c.dc(), RECT{1, 1, 3, 2});
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, area.data(), area.size()));
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 1u);
    png_image_free(&image);
    EXPECT_TRUE(GdiEncodeDCAreaPng(c.dc(), RECT{9, 9, 12, 12}).empty());
}

// Guards against coordinate arithmetic overflowing when a caller passes extreme values.
TEST_F(DrawTest, ExtremeCoordinatesAreRefusedWithoutDrawing) {
    Canvas c(4, 4);
    const int huge = 2000000000;
    RECT far{-huge, -huge, huge, huge};
    HBRUSH red = CreateSolidBrush(kRed);
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
    DeleteObject(red);
}
