// Bitmap resources: modules have no resource sections on this host, so an application (or a
// test) gives the platform its bitmaps by identifier, and LoadBitmap hands out new copies.
#include "platform/user/userdevice.h"

#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bits; // top row first, 0x00RRGGBB
};

std::map<std::pair<HINSTANCE, UINT>, Pixels>& Resources() {
    static auto* resources = new std::map<std::pair<HINSTANCE, UINT>, Pixels>;
    return *resources;
}

void ForgetResources() {
    Resources().clear();
}

// A top-down 32-bit section of the given size; *bits receives its pixels.
HBITMAP MakeSection(int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

} // namespace

bool UserAddBitmapResource(HINSTANCE module, UINT id, HBITMAP bitmap) {
    BITMAP bm = {};
    if (!GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    void* bits = nullptr;
    HBITMAP copy = MakeSection(bm.bmWidth, bm.bmHeight, &bits);
    HDC source = CreateCompatibleDC(nullptr), target = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(source, bitmap), oldTarget = SelectObject(target, copy);
    bool copied =
        copy && oldSource && BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    Pixels pixels{bm.bmWidth, bm.bmHeight, {}};
    if (copied) {
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels.bits.assign(p, p + size_t(bm.bmWidth) * size_t(bm.bmHeight));
    }
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(copy);
    if (!copied) return false;
    UserAddResetHook(&ForgetResources);
    Resources()[{module, id}] = std::move(pixels);
    return true;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name) {
    // Resources are found by identifier only: the device's applications name bitmaps by number.
    if (!IS_INTRESOURCE(name)) return nullptr;
    auto it = Resources().find({instance, UINT(ULONG_PTR(name))});
    if (it == Resources().end()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const Pixels& pixels = it->second;
    void* bits = nullptr;
    HBITMAP bitmap = MakeSection(pixels.width, pixels.height, &bits);
    if (bitmap) std::memcpy(bits, pixels.bits.data(), pixels.bits.size() * sizeof(uint32_t));
    return bitmap;
}
