// Valid bitmap files for the bitmap fuzz target: every depth the decoder takes, with full and
// short colour tables, bit-field masks, and rows that need padding.

#include "seeds.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

void Put(std::vector<unsigned char>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back((unsigned char)(v >> (8 * i)));
}

// A file of width x height pixels at bits per pixel; pixel values cycle through the table.
std::vector<unsigned char> Bitmap(int width, int height, int bits, uint32_t compression,
                                  uint32_t colorsUsed, const std::vector<uint32_t>& table) {
    size_t stride = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
    std::vector<unsigned char> out;
    uint32_t offset = uint32_t(14 + 40 + table.size() * 4);
    Put(out, 0x4D42, 2);
    Put(out, offset + uint32_t(stride * size_t(height)), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    for (uint32_t v : {40u, uint32_t(width), uint32_t(height)})
        Put(out, v, 4);
    Put(out, 1, 2);
    Put(out, uint32_t(bits), 2);
    for (uint32_t v :
         {compression, uint32_t(stride * size_t(height)), 2835u, 2835u, colorsUsed, 0u})
        Put(out, v, 4);
    for (uint32_t entry : table)
        Put(out, entry, 4);
    for (int y = 0; y < height; ++y)
        for (size_t b = 0; b < stride; ++b)
            out.push_back((unsigned char)((b * 37 + size_t(y) * 11) & 0xFF));
    return out;
}

std::vector<uint32_t> Colours(int n) {
    std::vector<uint32_t> table;
    for (int i = 0; i < n; ++i)
        table.push_back(uint32_t(i * 0x010305) & 0xFFFFFF);
    return table;
}

void WriteBitmapSeeds(const std::string& folder) {
    WriteSeed(folder, "mono.bmp", Bitmap(9, 3, 1, 0, 0, {0x000000, 0xFF00FF}));
    WriteSeed(folder, "four.bmp", Bitmap(5, 4, 4, 0, 0, Colours(16)));
    WriteSeed(folder, "eight.bmp", Bitmap(7, 5, 8, 0, 0, Colours(256)));
    WriteSeed(folder, "eight-16-colours.bmp", Bitmap(7, 5, 8, 0, 16, Colours(16)));
    WriteSeed(folder, "sixteen.bmp", Bitmap(6, 3, 16, 0, 0, {}));
    WriteSeed(folder, "sixteen-565.bmp", Bitmap(6, 3, 16, 3, 0, {0xF800, 0x07E0, 0x001F}));
    WriteSeed(folder, "twenty-four.bmp", Bitmap(3, 4, 24, 0, 0, {}));
    WriteSeed(folder, "thirty-two.bmp", Bitmap(4, 4, 32, 0, 0, {}));
    WriteSeed(folder, "thirty-two-masks.bmp",
              Bitmap(4, 2, 32, 3, 0, {0xFF0000, 0x00FF00, 0x0000FF}));
}

} // namespace

REGISTER_SEEDS(bitmap, WriteBitmapSeeds);
