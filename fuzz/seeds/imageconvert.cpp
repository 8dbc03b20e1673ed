// Images as editors save them, for the image conversion fuzz target: bitmaps with larger
// headers, a pixel gap and rows top row first, run-length compressed ones (RLE8, RLE4), 16-bit
// colour masks, and PNG in palette, grey and colour with alpha.

#include "seeds.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void Put(Bytes& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back((unsigned char)(v >> (8 * i)));
}

// A file header and an info header of headerSize bytes (masks at 40 when it has room), then
// `table`, `gap` bytes, and `pixels`.
Bytes Bitmap(uint32_t headerSize, int width, int height, int bits, uint32_t compression,
             const std::vector<uint32_t>& table, size_t gap, const Bytes& pixels) {
    uint32_t offset = uint32_t(14 + headerSize + table.size() * 4 + gap);
    Bytes out;
    Put(out, 0x4D42, 2);
    for (uint32_t v : {offset + uint32_t(pixels.size()), 0u, offset, headerSize, uint32_t(width),
                       uint32_t(height)})
        Put(out, v, 4);
    Put(out, 1, 2);
    Put(out, uint32_t(bits), 2);
    for (uint32_t v : {compression, uint32_t(pixels.size()), 2835u, 2835u,
                       bits <= 8 ? uint32_t(table.size()) : 0u, 0u, 0xF800u, 0x07E0u, 0x001Fu})
        Put(out, v, 4);
    out.resize(14 + headerSize);
    for (uint32_t entry : table)
        Put(out, entry, 4);
    out.resize(offset, 0xEE);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

Bytes Png(int width, int height, uint32_t format) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(width);
    image.height = uint32_t(height);
    image.format = format;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (unsigned char)(i * 29);
    std::vector<png_color> colours(256, png_color{10, 200, 30});
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colours.data());
    Bytes out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colours.data());
    return out;
}

void Write(const std::string& folder) {
    Bytes rows(4 * 8 * 3);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = (unsigned char)(i * 13);
    WriteSeed(folder, "v5-topdown-24", Bitmap(124, 8, -3, 24, 0, {}, 12, rows));
    WriteSeed(folder, "v3-masks-16",
              Bitmap(56, 5, 3, 16, 3, {}, 0, Bytes(rows.begin(), rows.begin() + 36)));
    WriteSeed(folder, "rle8",
              Bitmap(40, 9, 3, 8, 1, {0xFF0000, 0x00FF00, 0x0000FF}, 0,
                     {3, 1, 0, 4, 0, 1, 2, 1, 0, 0, 5, 2, 0, 2, 1, 1, 0, 1}));
    WriteSeed(folder, "rle4",
              Bitmap(40, 7, 2, 4, 2, {0xFF0000, 0x00FF00, 0x0000FF}, 0,
                     {5, 0x12, 0, 0, 0, 3, 0x21, 0x00, 0, 1}));
    WriteSeed(folder, "png-palette", Png(7, 5, PNG_FORMAT_RGB_COLORMAP));
    WriteSeed(folder, "png-grey", Png(6, 4, PNG_FORMAT_GRAY));
    WriteSeed(folder, "png-rgba", Png(5, 3, PNG_FORMAT_RGBA));
}

} // namespace

REGISTER_SEEDS(imageconvert, Write);
