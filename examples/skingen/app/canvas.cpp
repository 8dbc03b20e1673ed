#include "canvas.h"

#include <algorithm>
#include <cstdlib>
#include <map>

Canvas::Canvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_pixels(size_t(width) * height, fill) {}

COLORREF Canvas::Get(int x, int y) const {
    return Inside(x, y) ? m_pixels[size_t(y) * m_width + x] : 0;
}

void Canvas::Set(int x, int y, COLORREF colour) {
    if (Inside(x, y)) m_pixels[size_t(y) * m_width + x] = colour & 0xFFFFFF;
}

void Canvas::FillRect(int left, int top, int right, int bottom, COLORREF colour) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Set(x, y, colour);
}

void Canvas::FillRoundRect(int left, int top, int right, int bottom, int radius, COLORREF c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            int dx = std::max({left + radius - x - 1, x - (right - radius), 0});
            int dy = std::max({top + radius - y - 1, y - (bottom - radius), 0});
            if (dx * dx + dy * dy <= radius * radius) Set(x, y, c);
        }
}

void Canvas::FrameRect(int left, int top, int right, int bottom, COLORREF colour) {
    FillRect(left, top, right, top + 1, colour);
    FillRect(left, bottom - 1, right, bottom, colour);
    FillRect(left, top, left + 1, bottom, colour);
    FillRect(right - 1, top, right, bottom, colour);
}

void Canvas::Line(int x0, int y0, int x1, int y1, COLORREF colour, int thickness) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        int x = steps ? x0 + (x1 - x0) * i / steps : x0;
        int y = steps ? y0 + (y1 - y0) * i / steps : y0;
        FillRect(x - thickness / 2, y - thickness / 2, x - thickness / 2 + thickness,
                 y - thickness / 2 + thickness, colour);
    }
}

void Canvas::FillCircle(int cx, int cy, int radius, COLORREF colour) {
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Set(x, y, colour);
}

void Canvas::FillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, COLORREF colour) {
    auto side = [](int ax, int ay, int bx, int by, int px, int py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int y = std::min({y0, y1, y2}); y <= std::max({y0, y1, y2}); ++y)
        for (int x = std::min({x0, x1, x2}); x <= std::max({x0, x1, x2}); ++x) {
            int a = side(x0, y0, x1, y1, x, y), b = side(x1, y1, x2, y2, x, y),
                c = side(x2, y2, x0, y0, x, y);
            if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) Set(x, y, colour);
        }
}

void Canvas::Ring(int cx, int cy, int radius, int thickness, COLORREF colour) {
    int inner = radius - thickness;
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            int d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d <= radius * radius && d > inner * inner) Set(x, y, colour);
        }
}

void Canvas::Paste(const Canvas& source, int x, int y, COLORREF skip) {
    for (int sy = 0; sy < source.Height(); ++sy)
        for (int sx = 0; sx < source.Width(); ++sx)
            if (COLORREF c = source.Get(sx, sy); c != skip) Set(x + sx, y + sy, c);
}

void Canvas::Gradient(int left, int top, int right, int bottom, COLORREF a, COLORREF b) {
    for (int y = top; y < bottom; ++y)
        FillRect(left, y, right, y + 1, Mix(a, b, y - top, std::max(1, bottom - top - 1)));
}

COLORREF Mix(COLORREF a, COLORREF b, int n, int d) {
    auto channel = [&](int shift) {
        int ca = int(a >> shift & 0xFF), cb = int(b >> shift & 0xFF);
        return COLORREF(ca + (cb - ca) * n / d) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

namespace {

void Put(std::vector<BYTE>& out, DWORD v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}

void PutHeaders(std::vector<BYTE>& out, int width, int height, int bits, DWORD paletteSize,
                DWORD pixelBytes) {
    DWORD offBits = 14 + 40 + paletteSize * 4;
    out = {'B', 'M'};
    Put(out, offBits + pixelBytes, 4);
    Put(out, 0, 4);
    Put(out, offBits, 4);
    for (DWORD v : {DWORD(40), DWORD(width), DWORD(height)})
        Put(out, v, 4);
    Put(out, 1, 2);
    Put(out, DWORD(bits), 2);
    for (DWORD v : {DWORD(0), pixelBytes, DWORD(2835), DWORD(2835), paletteSize, DWORD(0)})
        Put(out, v, 4);
}

} // namespace

std::vector<BYTE> Canvas::Bmp(int bits) const {
    std::map<COLORREF, BYTE> palette;
    if (bits == 8)
        for (COLORREF c : m_pixels)
            if (palette.size() < 256) palette.emplace(c, BYTE(palette.size()));
    size_t stride = (size_t(m_width) * (bits / 8) + 3) / 4 * 4;
    std::vector<BYTE> pixels;
    for (int y = m_height - 1; y >= 0; --y) {
        size_t start = pixels.size();
        for (int x = 0; x < m_width; ++x) {
            COLORREF c = Get(x, y);
            if (bits == 8)
                pixels.push_back(palette.count(c) ? palette[c] : 0);
            else
                pixels.insert(pixels.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
        }
        pixels.resize(start + stride, 0);
    }
    std::vector<BYTE> out;
    PutHeaders(out, m_width, m_height, bits, DWORD(palette.size()), DWORD(pixels.size()));
    std::vector<std::pair<BYTE, COLORREF>> entries;
    for (auto [colour, index] : palette)
        entries.emplace_back(index, colour);
    std::sort(entries.begin(), entries.end());
    for (auto [index, c] : entries)
        out.insert(out.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}
