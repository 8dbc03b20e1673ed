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

// BytewiseOp on `bytes` bytes of each of `rows` rows (the pitches step from one row to the next).
// overlap: d and s may share memory (copies only), so each row is moved as by memmove.
void BytewiseRows(uint8_t rop, uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                  size_t bytes, int rows, bool overlap);

// A block of rows shared by a surface of 32-bit values and a monochrome one: the first row of
// each (at the block's first pixel, and at bit monoX of the monochrome row) and the distance to
// the next (negative when rows run upward in memory).
struct MonoBlock {
    uint8_t* colour;
    ptrdiff_t colourPitch;
    uint8_t* mono;
    ptrdiff_t monoPitch;
    int monoX, width, rows;

    uint32_t* Colour(int r) const {
        return reinterpret_cast<uint32_t*>(colour + ptrdiff_t(r) * colourPitch);
    }
    uint8_t* Mono(int r) const { return mono + ptrdiff_t(r) * monoPitch; }
};

// Writes the block's mask bits: 1 where (colour & mask) == bk.
void ColourToMono(const MonoBlock& b, uint32_t mask, uint32_t bk);

// n 24-bit pixels (blue, green, red bytes from s) combined into the 32-bit values at d, which
// share their value space (0x00RRGGBB), in each of `rows` rows (the pitches step from one row to
// the next); rop as for BytewiseOp.
void Colour24To32(uint8_t rop, uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                  int n, int rows);

// n 24-bit pixels from s as mask bits from bit x of a monochrome row, 1 where the pixel is bk,
// in each of `rows` rows.
void Colour24ToMono(const uint8_t* s, ptrdiff_t sPitch, int n, int rows, uint32_t bk,
                    uint8_t* mono, ptrdiff_t monoPitch, int x);

// Combines the block's colour values with its monochrome bits, each bit standing for
// table[bit]; nibbles[v] holds the four values of the four bits of v. rop as for BytewiseOp.
void MonoToColour(uint8_t rop, const MonoBlock& b, const uint32_t (*nibbles)[4],
                  const uint32_t* table);
// False when MonoToColour reads the table alone (nibbles may then be null).
bool MonoToColourTakesNibbles();

} // namespace gdi
