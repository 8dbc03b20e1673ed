// An image on its way into the one bitmap layout the library reads: a "BM" file with the
// 40-byte info header, the colour table (or the three colour masks) right after it, and then
// uncompressed rows, bottom row first, each padded to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RasterImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;              // 1, 4, 8, 16, 24 or 32
    std::vector<uint32_t> palette; // 0x00RRGGBB, for 8 bits per pixel and fewer
    bool bitfields = false;        // 16 or 32 bits per pixel laid out by masks
    uint32_t masks[3] = {};        // red, green, blue
    std::vector<uint8_t> rows;     // bottom row first, Stride() bytes each

    // Bytes per row: the row's bits rounded up to whole 32-bit words.
    size_t Stride() const { return (size_t(width) * size_t(bitCount) + 31) / 32 * 4; }
    // Zeroed rows for the size and depth; false when they would be larger than a skin bitmap
    // may be (the platform's own limit on pixel memory).
    bool Allocate(int width, int height, int bitCount);
    // Row y counted from the bottom, as the file stores it.
    uint8_t* Row(int y) { return rows.data() + size_t(y) * Stride(); }
    // Stores a palette index at column x of row y (from the bottom), for 1, 4 and 8 bits.
    void SetIndex(int x, int y, unsigned index);
};

// The platform's limits for one bitmap: pixel memory, and width or height.
inline constexpr size_t kMaxImageBytes = size_t(1) << 28;
inline constexpr int kMaxSide = 1 << 24;

// The image as a bitmap file in the library's layout.
std::vector<uint8_t> PlainBitmapFile(const RasterImage& image);
