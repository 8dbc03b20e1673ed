// Bitmaps: device bitmaps (top-down, the device's layouts) and device-independent sections
// (bottom-up for positive heights, with their colour tables and bit-field masks).
#include "platform/gdi/types.h"

#include <algorithm>
#include <cstring>

namespace gdi {

HBITMAP DefaultBitmap() {
    static HBITMAP bitmap = [] {
        auto object = std::make_unique<BitmapObject>();
        object->surface = MakeSurface(1, 1, 1, false);
        object->stock = true;
        return ToHandle<HBITMAP>(Register(std::move(object)));
    }();
    return bitmap;
}

static HBITMAP NewBitmap(SurfacePtr surface, bool section, const BITMAPINFOHEADER* header) {
    if (!surface) return nullptr;
    auto object = std::make_unique<BitmapObject>();
    object->surface = std::move(surface);
    object->section = section;
    if (header) object->header = *header;
    return ToHandle<HBITMAP>(Register(std::move(object)));
}

// Device bitmaps keep the depths the device knows; other requests are rounded up.
static int DeviceDepth(UINT bpp) {
    for (int depth : {1, 4, 8, 16, 24, 32})
        if (bpp <= UINT(depth)) return depth;
    return 0;
}

static const uint32_t kMasks565[3] = {0xF800, 0x07E0, 0x001F};

static SurfacePtr DeviceSurface(int width, int height, int bpp) {
    return MakeSurface(width, height, bpp, false, {}, bpp == 16 ? kMasks565 : nullptr);
}

// Rows of the bits given to CreateBitmap are aligned to 16 bits.
static void CopyWordAlignedRows(Surface& s, const void* bits) {
    size_t rowBytes = ((size_t(s.width) * size_t(s.bpp) + 15) >> 4) << 1;
    const uint8_t* in = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < s.height; ++y)
        std::memcpy(s.Row(y), in + rowBytes * size_t(y), rowBytes);
}

} // namespace gdi

using namespace gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) return nullptr;
    if (width == 0 || height == 0) return DefaultBitmap();
    int depth = bitsPerPixel ? DeviceDepth(bitsPerPixel) : 0;
    if (!depth) return nullptr;
    SurfacePtr surface = DeviceSurface(width, height, depth);
    if (!surface) return nullptr;
    if (bits) CopyWordAlignedRows(*surface, bits);
    return NewBitmap(std::move(surface), false, nullptr);
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
    if (!bitmap) return nullptr;
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel,
                        bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = DC(hdc);
    if (!dc || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return DefaultBitmap();
    const Surface& like = *dc->Target();
    const uint32_t* masks = like.bitfields ? like.masks : nullptr;
    return NewBitmap(MakeSurface(width, height, like.bpp, false, like.palette, masks), false,
                     nullptr);
}

static bool ValidSectionHeader(const BITMAPINFOHEADER& h) {
    // Only the plain 40-byte header: the colour table is then known to follow it directly.
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biPlanes != 1) return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return h.biCompression == BI_RGB;
    case 16:
    case 32:
        return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    default:
        return false;
    }
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
    BITMAPINFOHEADER header = info->bmiHeader;
    if (!ValidSectionHeader(header)) return nullptr;
    int bpp = header.biBitCount;
    std::vector<RGBQUAD> palette;
    const uint32_t* masks = nullptr;
    uint32_t maskValues[3];
    if (bpp <= 8) {
        DWORD entries = DWORD(1) << bpp;
        if (header.biClrUsed) entries = std::min(entries, header.biClrUsed);
        palette.assign(info->bmiColors, info->bmiColors + entries);
    } else if (header.biCompression == BI_BITFIELDS) {
        std::memcpy(maskValues, info->bmiColors, sizeof maskValues);
        masks = maskValues;
    }
    int height = header.biHeight > 0 ? header.biHeight : -header.biHeight;
    SurfacePtr surface =
        MakeSurface(header.biWidth, height, bpp, header.biHeight > 0, palette, masks);
    if (!surface) return nullptr;
    header.biSizeImage = DWORD(surface->Bytes());
    void* memory = surface->memory;
    HBITMAP bitmap = NewBitmap(std::move(surface), true, &header);
    if (bitmap && bits) *bits = memory;
    return bitmap;
}

namespace gdi {

int GetBitmapObject(const void* handle, int size, void* buffer) {
    auto* b = As<BitmapObject>(handle);
    if (!b) return 0;
    const Surface& s = *b->surface;
    int full = b->section ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (!buffer) return full;
    if (size < int(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    bm.bmWidth = s.width;
    bm.bmHeight = s.height;
    bm.bmWidthBytes = b->section ? LONG(s.stride) : LONG(((s.width * s.bpp + 15) >> 4) << 1);
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(s.bpp);
    bm.bmBits = b->section ? s.memory : nullptr;
    if (!b->section || size < int(sizeof(DIBSECTION))) {
        std::memcpy(buffer, &bm, sizeof bm);
        return int(sizeof(BITMAP));
    }
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih = b->header;
    if (s.bpp == 16 || s.bpp == 32) std::copy(s.masks, s.masks + 3, ds.dsBitfields);
    std::memcpy(buffer, &ds, sizeof ds);
    return int(sizeof(DIBSECTION));
}

} // namespace gdi
