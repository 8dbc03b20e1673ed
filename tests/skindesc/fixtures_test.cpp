// The skin fixtures other tests build on: BMP files at every depth and index headers, checked
// byte by byte against the file formats.
#include "desc_helpers.h"

#include <gtest/gtest.h>

namespace {

DWORD U32(const std::vector<BYTE>& b, size_t at) {
    return DWORD(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | DWORD(b[at + 3]) << 24);
}

} // namespace

TEST(Fixtures, BmpHeadersAndRows) {
    struct Case {
        int bits;
        DWORD paletteSize, stride;
    } cases[] = {{1, 2, 4}, {4, 2, 4}, {8, 2, 8}, {16, 0, 12}, {24, 0, 16}, {32, 0, 20}};
    for (const Case& c : cases) {
        // 5 x 2 pixels: the top row red, the bottom row blue.
        std::vector<BYTE> bmp = BmpBytes(
            5, 2, c.bits, [](int, int y) { return y == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
        DWORD offBits = 54 + 4 * c.paletteSize;
        ASSERT_EQ(bmp.size(), offBits + 2 * c.stride) << c.bits;
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(U32(bmp, 2), bmp.size());
        EXPECT_EQ(U32(bmp, 10), offBits);
        EXPECT_EQ(U32(bmp, 18), 5u);
        EXPECT_EQ(U32(bmp, 22), 2u);
        EXPECT_EQ(bmp[28], c.bits);
        EXPECT_EQ(U32(bmp, 46), c.paletteSize);
        const BYTE* bottom = bmp.data() + offBits; // rows are stored bottom-up
        if (c.bits == 24) {
            EXPECT_EQ((std::vector<BYTE>(bottom, bottom + 3)), (std::vector<BYTE>{255, 0, 0}));
            EXPECT_EQ(bottom[c.stride + 2], 255); // the top row's red
        } else if (c.bits == 8) {
            // Palette in order of first use: red (top row, read first) then blue.
            EXPECT_EQ((std::vector<BYTE>(bmp.begin() + 54, bmp.begin() + 62)),
                      (std::vector<BYTE>{0, 0, 255, 0, 255, 0, 0, 0}));
            EXPECT_EQ(bottom[0], 1);
            EXPECT_EQ(bottom[c.stride], 0);
        } else if (c.bits == 1) {
            EXPECT_EQ(bottom[0], 0xF8); // five pixels of index 1, high bit first
            EXPECT_EQ(bottom[c.stride], 0x00);
        } else if (c.bits == 16) {
            EXPECT_EQ(bottom[0] | bottom[1] << 8, 0x001F);                   // blue in 5-5-5
            EXPECT_EQ(bottom[c.stride] | bottom[c.stride + 1] << 8, 0x7C00); // red
        }
    }
}

TEST(Fixtures, IndexHeaderBytes) {
    std::vector<BYTE> h = IndexHeaderBytes(u"2.0.0", u"1.5", 48);
    ASSERT_EQ(h.size(), 48u);
    EXPECT_EQ(U32(h, 0), 48u);
    EXPECT_EQ((std::vector<BYTE>(h.begin() + 4, h.begin() + 16)),
              (std::vector<BYTE>{'2', 0, '.', 0, '0', 0, '.', 0, '0', 0, 0, 0}));
    EXPECT_EQ(h[24], '1');
    EXPECT_EQ(h[28], '5');
    EXPECT_EQ(h[30], 0);
}
