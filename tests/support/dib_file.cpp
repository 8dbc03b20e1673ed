#include "support/dib_file.h"

namespace {

void Put(std::vector<BYTE>& out, DWORD v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}

} // namespace

std::vector<BYTE> DibFile::Bytes() const {
    std::vector<BYTE> out;
    DWORD offset = 14 + 40 + DWORD(table.size()) * 4;
    Put(out, 0x4D42, 2);
    Put(out, offset + DWORD(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, headerSize, 4);
    Put(out, DWORD(width), 4);
    Put(out, DWORD(height), 4);
    Put(out, planes, 2);
    Put(out, bitCount, 2);
    Put(out, compression, 4);
    Put(out, DWORD(pixels.size()), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, clrUsed, 4);
    Put(out, 0, 4);
    for (DWORD entry : table)
        Put(out, entry, 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
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

std::vector<BYTE> Dib24(int width, int height, const std::function<COLORREF(int, int)>& colour) {
    DibFile f;
    f.width = width;
    f.height = height;
    f.pixels = PackRows(width, height, 24, [&](int x, int y) {
        COLORREF c = colour(x, y);
        return DWORD(GetBValue(c)) | DWORD(GetGValue(c)) << 8 | DWORD(GetRValue(c)) << 16;
    });
    return f.Bytes();
}
