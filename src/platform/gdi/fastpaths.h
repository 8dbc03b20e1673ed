// Fast paths of the raster engine for the operations that drawing code uses all the time:
// byte-wise copies and masks between surfaces of one format, making a monochrome mask from a
// colour row, and applying a monochrome mask to a screen-format row. Each gives exactly the
// result of the general row walk.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gdi {

// rop is SRCCOPY (0xCC), SRCAND (0x88), SRCPAINT (0xEE) or SRCINVERT (0x66).
void BytewiseOp(uint8_t rop, uint8_t* d, const uint8_t* s, size_t bytes);

// Writes n mask bits from dstX on: 1 where (src[i] & mask) == bk.
void ColourToMonoRow(const uint32_t* src, int n, uint32_t mask, uint32_t bk, uint8_t* dstRow,
                     int dstX);

// Combines n 32-bit destination values with the monochrome source bits from srcX on, each bit
// standing for table[bit]; nibbles[v] holds the four values of the four bits of v. rop as
// for BytewiseOp.
void MonoToColourRow(uint8_t rop, const uint8_t* srcRow, int srcX, int n,
                     const uint32_t (*nibbles)[4], const uint32_t* table, uint32_t* d);

} // namespace gdi
