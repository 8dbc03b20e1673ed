// The index header other tests compare the builder's output with, checked byte by byte against
// the format (the bitmaps of the fixtures are checked by the tests that decode them).
#include "desc_helpers.h"

#include <gtest/gtest.h>

namespace {

DWORD U32(const std::vector<BYTE>& b, size_t at) {
    return DWORD(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | DWORD(b[at + 3]) << 24);
}

} // namespace

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
