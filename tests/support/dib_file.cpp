#include "support/dib_file.h"

#include "support/skin_builder.h"

std::vector<BYTE> DibFile::Bytes() const {
    DWORD offset = 14 + 40 + DWORD(table.size()) * 4;
    ::Bytes out = U16(0x4D42) + U32(offset + DWORD(pixels.size())) + U32(0) + U32(offset);
    out += U32(headerSize) + U32(DWORD(width)) + U32(DWORD(height)) + U16(planes) + U16(bitCount);
    out += U32(compression) + U32(DWORD(pixels.size())) + U32(2835) + U32(2835) + U32(clrUsed);
    out += U32(0);
    for (DWORD entry : table)
        out += U32(entry);
    return out + pixels;
}

std::vector<BYTE> PackRows(int width, int height, int bpp,
                           const std::function<DWORD(int, int)>& value) {
    size_t stride = ((size_t(width) * size_t(bpp) + 31) / 32) * 4;
    std::vector<BYTE> out(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        BYTE* row = out.data() + stride * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            DWORD v = value(x, y);
            if (bpp < 8) {
                size_t bit = size_t(x) * size_t(bpp);
                row[bit / 8] |= BYTE((v & ((1u << bpp) - 1)) << (8 - bpp - bit % 8));
            } else {
                for (int b = 0; b < bpp / 8; ++b)
                    row[size_t(x) * size_t(bpp / 8) + size_t(b)] = BYTE(v >> (8 * b));
            }
        }
    }
    return out;
}
