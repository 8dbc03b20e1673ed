// CopyBitmap: a new device bitmap with the same description and pixels.
#include "bitmap/bitmapu.h"

#include "support/gdi_fixture.h"

namespace {

using CopyTest = GdiTest;

// A copy is an ordinary bitmap (not a section) of the source's depth with its pixels, and
// independent of it.
TEST_F(CopyTest, CopiesAreOrdinaryBitmapsOfTheSameDepthAndPixels) {
    for (int bpp : {1, 24, 32}) {
        SCOPED_TRACE(bpp);
        Canvas paint(MakeSection(5, 3, bpp));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                SetPixel(paint.dc(), x, y, (x + y) % 2 ? RGB(255, 255, 255) : 0);
        HBITMAP section = paint.Release(); // not selected anywhere
        Canvas copy(CBitmapU::CopyBitmap(section)), source(section);
        BITMAP bm{};
        ASSERT_EQ(GetObject(copy.bitmap(), sizeof(DIBSECTION), &bm), int(sizeof(BITMAP)));
        EXPECT_EQ(bm.bmBitsPixel, bpp);
        EXPECT_EQ(copy.Pixels(), source.Pixels());
        SetPixel(copy.dc(), 0, 0, RGB(255, 255, 255));
        EXPECT_EQ(source.At(0, 0), RGB(0, 0, 0));
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

} // namespace
