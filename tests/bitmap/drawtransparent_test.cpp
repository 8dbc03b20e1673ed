// DrawTransparent: the source over the destination, leaving out one colour.
#include "bitmap/drawtransparent.h"

#include "support/gdi_fixture.h"

namespace {

using DrawTransparentTest = GdiTest;

const COLORREF kKey = RGB(255, 0, 255);

// The destination: a gradient, so that any change is visible.
void Paint(Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            SetPixel(c.dc(), x, y, RGB(x * 20, y * 20, 99));
}

} // namespace
TEST_F(DrawTransparentTest, MixedSourcesShowTheDestinationThroughTheTransparentPixels) {
    Canvas src(8, 8, 32, kKey), dst(10, 10);
    src.Fill(RECT{2, 2, 6, 6}, RGB(1, 2, 3));
    Paint(dst);
    std::vector<COLORREF> before = dst.Pixels();
    SetBkColor(src.dc(), RGB(7, 7, 7));
    DrawTransparent(CDC::FromHandle(dst.dc()), 3, 4, 5, 5, CDC::FromHandle(src.dc()), 1, 1, kKey);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            int sx = x - 3 + 1, sy = y - 4 + 1;
            bool covered =
                x >= 3 && x < 8 && y >= 4 && y < 9 && sx >= 2 && sx < 6 && sy >= 2 && sy < 6;
            EXPECT_EQ(dst.At(x, y), covered ? RGB(1, 2, 3) : before[size_t(y * 10 + x)])
                << x << "," << y;
        }
    EXPECT_EQ(GetBkColor(src.dc()), RGB(7, 7, 7)) << "the source's background colour is restored";
}
