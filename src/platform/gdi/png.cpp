// PNG export of bitmaps, context areas and the screen (libpng's simplified writer).
#include "platform/gdi/gdidevice.h"
#include "platform/gdi/types.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <fstream>

using namespace gdi;

namespace {

std::vector<BYTE> Encode(const Surface& s, RECT r) {
    r.left = std::max<LONG>(r.left, 0), r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, s.width), r.bottom = std::min<LONG>(r.bottom, s.height);
    if (r.left >= r.right || r.top >= r.bottom) return {};
    int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    std::vector<uint32_t> row(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        ReadValues(s, r.left, r.top + y, w, row.data());
        uint8_t* out = rgb.data() + size_t(y) * size_t(w) * 3;
        for (int x = 0; x < w; ++x) {
            COLORREF c = ValueToColour(s, row[size_t(x)]);
            out[3 * x] = GetRValue(c), out[3 * x + 1] = GetGValue(c), out[3 * x + 2] = GetBValue(c);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
    std::vector<BYTE> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
    png.resize(size);
    return png;
}

bool WriteFile(const std::vector<BYTE>& bytes, const std::string& path) {
    if (bytes.empty()) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

} // namespace

std::vector<BYTE> GdiEncodeBitmapPng(HBITMAP bitmap) {
    auto* b = As<BitmapObject>(bitmap);
    if (!b) return {};
    const Surface& s = *b->surface;
    return Encode(s, RECT{0, 0, s.width, s.height});
}

std::vector<BYTE> GdiEncodeDCAreaPng(HDC hdc, const RECT& area) {
    DeviceContext* d = DC(hdc);
    if (!d) return {};
    POINT off = d->Offset();
    return Encode(*d->Target(), RECT{area.left + off.x, area.top + off.y, area.right + off.x,
                                     area.bottom + off.y});
}

bool GdiWriteBitmapPng(HBITMAP bitmap, const std::string& hostPath) {
    return WriteFile(GdiEncodeBitmapPng(bitmap), hostPath);
}

bool GdiWriteDCAreaPng(HDC dc, const RECT& area, const std::string& hostPath) {
    return WriteFile(GdiEncodeDCAreaPng(dc, area), hostPath);
}

bool GdiWriteScreenPng(const std::string& hostPath) {
    const Surface& s = *ScreenSurface();
    return WriteFile(Encode(s, RECT{0, 0, s.width, s.height}), hostPath);
}
