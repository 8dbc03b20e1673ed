#include "rasterimage.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

bool RasterImage::Allocate(int w, int h, int bits) {
    width = w;
    height = h;
    bitCount = bits;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || Stride() > kMaxImageBytes / size_t(h))
        return false;
    rows.assign(Stride() * size_t(h), 0);
    return true;
}

void RasterImage::SetIndex(int x, int y, unsigned index) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* row = Row(y);
    size_t bit = size_t(x) * size_t(bitCount);
    unsigned mask = (1u << bitCount) - 1;
    unsigned shift = 8 - unsigned(bitCount) - unsigned(bit % 8);
    row[bit / 8] = uint8_t((row[bit / 8] & ~(mask << shift)) | ((index & mask) << shift));
}

std::vector<uint8_t> PlainBitmapFile(const RasterImage& image) {
    bool indexed = image.bitCount <= 8;
    uint32_t entries = indexed ? uint32_t(image.palette.size()) : image.bitfields ? 3 : 0;
    uint32_t offset = 14 + 40 + entries * 4;
    std::vector<uint8_t> out;
    out.reserve(offset + image.rows.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + uint32_t(image.rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(image.width));
    Put32(out, uint32_t(image.height));
    Put16(out, 1);
    Put16(out, uint32_t(image.bitCount));
    Put32(out, image.bitfields ? 3 : 0);
    Put32(out, uint32_t(image.rows.size()));
    Put32(out, 2835); // 72 dots per inch, as image editors write
    Put32(out, 2835);
    Put32(out, indexed ? entries : 0);
    Put32(out, 0);
    if (indexed)
        for (uint32_t colour : image.palette)
            Put32(out, colour & 0xFFFFFF);
    else if (image.bitfields)
        for (uint32_t mask : image.masks)
            Put32(out, mask);
    out.insert(out.end(), image.rows.begin(), image.rows.end());
    return out;
}
