// Icons: masks, images, copies handed out by GetIconInfo, and the DrawIconEx flags.
#include "support/gdi_fixture.h"

namespace {

using IconTest = GdiTest;

const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A 4x2 icon: the left half of the mask is 1 (transparent), the right half 0 (opaque); the
// image is black on the left (as icons store it) and blue on the right.
struct IconParts {
    HBITMAP mask;
    HBITMAP colour;
    IconParts() {
        const BYTE maskBits[] = {0xC0, 0, 0xC0, 0};
        mask = CreateBitmap(4, 2, 1, 1, maskBits);
        Canvas paint(4, 2, 32, kBlack);
        paint.Fill(RECT{2, 0, 4, 2}, kBlue);
        colour = paint.Release();
    }
    ~IconParts() {
        DeleteObject(mask);
        DeleteObject(colour);
    }
    HICON Make() {
        ICONINFO info{TRUE, 1, 2, mask, colour};
        return CreateIconIndirect(&info);
    }
};

} // namespace

TEST_F(IconTest, DrawingKeepsTheBackgroundUnderTheMask) {
    HICON icon;
    {
        IconParts parts;
        icon = parts.Make();
    } // the icon keeps its own copies of the caller's bitmaps
    ASSERT_NE(icon, nullptr);
    Canvas c(6, 4, 32, kGreen);
    // The icon draws the same whatever colours the context has.
    SetTextColor(c.dc(), RGB(9, 9, 9));
    SetBkColor(c.dc(), RGB(8, 8, 8));
    EXPECT_TRUE(DrawIcon(c.dc(), 1, 1, icon));
    EXPECT_EQ(c.At(2, 2), kGreen);
    EXPECT_EQ(c.Count(kBlue), 4);
    EXPECT_RECT(c.Bounds(kBlue), 3, 1, 5, 3);
    EXPECT_FALSE(DeleteObject(icon)) << "icons are destroyed with DestroyIcon";
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}

TEST_F(IconTest, GetIconInfoHandsOutNewBitmapsTheCallerDeletes) {
    IconParts parts;
    HICON icon = parts.Make();
    GdiObjectCounts before = GdiGetObjectCounts();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(GdiGetObjectCounts().bitmaps, before.bitmaps + 2);
    EXPECT_NE(info.hbmMask, parts.mask);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 2u);
    Canvas mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_EQ(mask.At(0, 0), kWhite);
    EXPECT_EQ(mask.At(3, 1), kBlack);
    EXPECT_EQ(colour.At(3, 1), kBlue);
    DestroyIcon(icon);
}

TEST_F(IconTest, MaskAndImageFlagsDrawOnePartEach) {
    IconParts parts;
    HICON icon = parts.Make();
    Canvas c(8, 4, 32, kGreen);
    DrawIconEx(c.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_MASK);
    EXPECT_EQ(c.At(0, 0), kWhite);
    EXPECT_EQ(c.At(3, 0), kBlack);
    DrawIconEx(c.dc(), 4, 0, icon, 0, 0, 0, nullptr, DI_IMAGE);
    EXPECT_EQ(c.At(4, 0), kBlack);
    EXPECT_EQ(c.At(7, 1), kBlue);
    EXPECT_FALSE(DrawIconEx(c.dc(), 0, 0, icon, 0, 0, 0, nullptr, 0));
    // Stretched to 8x4 over a flicker-free brush.
    Owned<HBRUSH> white = CreateSolidBrush(kWhite);
    DrawIconEx(c.dc(), 0, 0, icon, 8, 4, 0, white, DI_NORMAL);
    EXPECT_EQ(c.Count(kBlue), 16);
    EXPECT_EQ(c.Count(kWhite), 16);
    DestroyIcon(icon);
}

TEST_F(IconTest, MonochromeIconsStackTheirMaskOverTheirImage) {
    // Rows 0-1: mask (1 0), rows 2-3: image (0 1): left transparent, right white.
    const BYTE bits[] = {0x80, 0, 0x80, 0, 0x40, 0, 0x40, 0};
    HBITMAP both = CreateBitmap(2, 4, 1, 1, bits);
    ICONINFO info{TRUE, 0, 0, both, nullptr};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(both);
    Canvas c(2, 2, 32, kGreen);
    DrawIcon(c.dc(), 0, 0, icon);
    EXPECT_EQ(c.At(0, 0), kGreen);
    EXPECT_EQ(c.At(1, 1), kWhite);
    ICONINFO back{};
    GetIconInfo(icon, &back);
    EXPECT_EQ(back.hbmColor, nullptr);
    BITMAP bm{};
    GetObject(back.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmHeight, 4);
    DeleteObject(back.hbmMask);
    DestroyIcon(icon);
    ICONINFO none{TRUE, 0, 0, nullptr, nullptr};
    EXPECT_EQ(CreateIconIndirect(&none), nullptr);
}
