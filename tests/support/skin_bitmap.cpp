// BMP files for tests: a palette of the colours in order of first use for up to 8 bits per
// pixel, packed pixels above; DibFile lays out the headers and rows.
#include "support/dib_file.h"
#include "support/skin_builder.h"

#include <algorithm>

namespace {

std::vector<COLORREF> Palette(int width, int height, int bits,
                              const std::function<COLORREF(int, int)>& pixel) {
    std::vector<COLORREF> palette;
    size_t limit = size_t(1) << bits;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y) & 0xFFFFFF;
            if (palette.size() < limit &&
                std::find(palette.begin(), palette.end(), c) == palette.end())
                palette.push_back(c);
        }
    if (palette.empty()) palette.push_back(0);
    return palette;
}

// The stored value of a colour: 5-5-5 for 16 bits, else 0x00RRGGBB.
DWORD Packed(COLORREF c, int bits) {
    BYTE r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (bits == 16) return DWORD(r >> 3) << 10 | DWORD(g >> 3) << 5 | DWORD(b >> 3);
    return DWORD(b) | DWORD(g) << 8 | DWORD(r) << 16;
}

} // namespace

std::vector<BYTE> BmpBytes(int width, int height, int bits,
                           const std::function<COLORREF(int x, int y)>& pixel) {
    DibFile file;
    file.width = width;
    file.height = height;
    file.bitCount = WORD(bits);
    std::vector<COLORREF> palette;
    if (bits <= 8) palette = Palette(width, height, bits, pixel);
    for (COLORREF c : palette)
        file.table.push_back(Packed(c, 24));
    file.clrUsed = DWORD(palette.size());
    file.pixels = PackRows(width, height, bits, [&](int x, int y) {
        if (bits > 8) return Packed(pixel(x, y), bits);
        auto it = std::find(palette.begin(), palette.end(), pixel(x, y) & 0xFFFFFF);
        return it == palette.end() ? 0 : DWORD(it - palette.begin());
    });
    return file.Bytes();
}

std::vector<BYTE> BmpBytes(int width, int height, int bits, COLORREF colour) {
    return BmpBytes(width, height, bits, [colour](int, int) { return colour; });
}
