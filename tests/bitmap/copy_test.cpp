// CopyBitmap: a new device bitmap with the same description and pixels.
#include "bitmap/bitmapu.h"

#include "support/gdi_fixture.h"

namespace {

using CopyTest = GdiTest;

// A section of the given depth painted by paint(x, y), not selected anywhere.
HBITMAP Painted(int w, int h, int bpp, const std::function<COLORREF(int, int)>& paint) {
    Canvas c(MakeSection(w, h, bpp));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(c.dc(), x, y, paint(x, y));
    return c.Release();
}

} // namespace

TEST_F(CopyTest, ASectionCopiesToAnOrdinaryBitmapOfTheSameDepth) {
    HBITMAP section = Painted(5, 3, 24, [](int x, int y) { return RGB(x * 40, y * 80, 5); });
    HBITMAP copy = CBitmapU::CopyBitmap(section);
    ASSERT_NE(copy, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObject(copy, sizeof(DIBSECTION), &bm), int(sizeof(BITMAP))) << "not a section";
    EXPECT_EQ(bm.bmBitsPixel, 24);
    EXPECT_EQ(bm.bmBits, nullptr);
    Canvas copied(copy), source(section);
    EXPECT_EQ(copied.Pixels(), source.Pixels());
    // The two are independent.
    SetPixel(copied.dc(), 0, 0, RGB(1, 1, 1));
    EXPECT_EQ(source.At(0, 0), RGB(0, 0, 5));
}

TEST_F(CopyTest, MonochromeAndScreenBitmapsKeepTheirDepth) {
    for (int bpp : {1, 32}) {
        SCOPED_TRACE(bpp);
        HBITMAP source = Painted(4, 4, bpp, [](int x, int y) {
            return x == 3 && y == 3 ? RGB(255, 255, 255) : RGB(0, 0, 0);
        });
        Canvas copy(CBitmapU::CopyBitmap(source));
        DeleteObject(source);
        BITMAP bm{};
        GetObject(copy.bitmap(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmBitsPixel, bpp);
        EXPECT_EQ(copy.At(3, 3), RGB(255, 255, 255));
        EXPECT_EQ(copy.At(0, 0), RGB(0, 0, 0));
    }
}

// Guards the decision that a bitmap held by another context cannot be copied (no blank copy).
TEST_F(CopyTest, NullAndUnavailableSourcesGiveNull) {
    EXPECT_EQ(CBitmapU::CopyBitmap(nullptr), nullptr);
    Canvas busy(3, 3);
    GdiObjectCounts before = GdiGetObjectCounts();
    EXPECT_EQ(CBitmapU::CopyBitmap(busy.bitmap()), nullptr);
    EXPECT_EQ(GdiGetObjectCounts(), before);
    HBRUSH notABitmap = CreateSolidBrush(0);
    EXPECT_EQ(CBitmapU::CopyBitmap(reinterpret_cast<HBITMAP>(notABitmap)), nullptr);
    DeleteObject(notABitmap);
}
