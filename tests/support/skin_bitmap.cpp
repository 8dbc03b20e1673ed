// BMP files for tests: the file header, a BITMAPINFOHEADER, a palette for up to 8 bits per
// pixel, and bottom-up rows padded to 4 bytes.
#include "support/skin_builder.h"

#include <algorithm>

namespace {

void Put(std::vector<BYTE>& out, DWORD v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}

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

DWORD Index(const std::vector<COLORREF>& palette, COLORREF c) {
    auto it = std::find(palette.begin(), palette.end(), c & 0xFFFFFF);
    return it == palette.end() ? 0 : DWORD(it - palette.begin());
}

// One row's bytes at the given depth.
std::vector<BYTE> Row(int width, int y, int bits, const std::vector<COLORREF>& palette,
                      const std::function<COLORREF(int, int)>& pixel) {
    std::vector<BYTE> row;
    if (bits <= 8) {
        row.assign((size_t(width) * bits + 7) / 8, 0);
        for (int x = 0; x < width; ++x) {
            DWORD index = Index(palette, pixel(x, y));
            size_t bit = size_t(x) * bits;
            row[bit / 8] |= BYTE(index << (8 - bits - bit % 8));
        }
    } else {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            BYTE r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (bits == 16)
                Put(row, DWORD(r >> 3) << 10 | DWORD(g >> 3) << 5 | DWORD(b >> 3), 2);
            else if (bits == 24)
                row.insert(row.end(), {b, g, r});
            else
                row.insert(row.end(), {b, g, r, 0});
        }
    }
    row.resize((row.size() + 3) / 4 * 4, 0);
    return row;
}

} // namespace

std::vector<BYTE> BmpBytes(int width, int height, int bits,
                           const std::function<COLORREF(int x, int y)>& pixel) {
    std::vector<COLORREF> palette;
    if (bits <= 8) palette = Palette(width, height, bits, pixel);
    std::vector<BYTE> pixels;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<BYTE> row = Row(width, y, bits, palette, pixel);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    DWORD offBits = 14 + 40 + DWORD(palette.size()) * 4;
    std::vector<BYTE> out = {'B', 'M'};
    Put(out, offBits + DWORD(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offBits, 4);
    Put(out, 40, 4);
    Put(out, DWORD(width), 4);
    Put(out, DWORD(height), 4);
    Put(out, 1, 2);
    Put(out, DWORD(bits), 2);
    Put(out, 0, 4); // BI_RGB
    Put(out, DWORD(pixels.size()), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, DWORD(palette.size()), 4);
    Put(out, 0, 4);
    for (COLORREF c : palette)
        out.insert(out.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<BYTE> BmpBytes(int width, int height, int bits, COLORREF colour) {
    return BmpBytes(width, height, bits, [colour](int, int) { return colour; });
}
