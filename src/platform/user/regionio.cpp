// Moving regions between handles (what applications hold) and the window manager's own
// region values (which are not counted as live objects).
#include "platform/gdi/gdidevice.h"
#include "platform/user/wndobj.h"

#include <cstring>

namespace user {

bool RegionOf(HRGN handle, gdi::PixRegion* out) {
    DWORD size = GetRegionData(handle, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) return false;
    std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(handle, size, data) == 0) return false;
    DWORD count = data->rdh.nCount;
    if (sizeof(RGNDATAHEADER) + size_t(count) * sizeof(RECT) > size) return false;
    std::vector<RECT> rects(count);
    std::memcpy(rects.data(), data->Buffer, count * sizeof(RECT));
    out->SetRects(rects.data(), rects.size());
    return true;
}

HRGN MakeRegionHandle(const gdi::PixRegion& region) {
    std::vector<RECT> rects;
    for (const pixman_box32_t& b : region.Boxes())
        rects.push_back(RECT{b.x1, b.y1, b.x2, b.y2});
    if (rects.empty()) return CreateRectRgn(0, 0, 0, 0);
    return GdiCreateRegionFromRects(rects.data(), DWORD(rects.size()));
}

} // namespace user
