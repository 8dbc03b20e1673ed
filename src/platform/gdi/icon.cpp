// Icons: an AND mask and an XOR image, copied from the caller's bitmaps when the icon is made.
// Drawing ANDs the mask onto the destination and XORs the image over it, so mask bits of 1 keep
// the destination and image pixels of black leave it unchanged.
#include "platform/gdi/blit.h"

using namespace gdi;

namespace {

HBITMAP BitmapOf(SurfacePtr surface) {
    if (!surface) return nullptr;
    auto object = std::make_unique<BitmapObject>();
    object->surface = std::move(surface);
    return ToHandle<HBITMAP>(Register(std::move(object)));
}

} // namespace

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) return nullptr;
    auto* mask = As<BitmapObject>(info->hbmMask);
    auto* colour = info->hbmColor ? As<BitmapObject>(info->hbmColor) : nullptr;
    if (!mask || (info->hbmColor && !colour)) return nullptr;
    const Surface& m = *mask->surface;
    auto icon = std::make_unique<IconObject>();
    icon->width = m.width;
    icon->height = colour ? m.height : m.height / 2; // a mono icon stacks mask over image
    if (icon->height <= 0) return nullptr;
    icon->mask = CopyArea(m, 0, 0, m.width, m.height, 1);
    if (colour) icon->colour = CopyArea(*colour->surface, 0, 0, icon->width, icon->height, 32);
    if (!icon->mask || (colour && !icon->colour)) return nullptr;
    icon->isIcon = info->fIcon;
    icon->hotX = info->xHotspot;
    icon->hotY = info->yHotspot;
    return ToHandle<HICON>(Register(std::move(icon)));
}

BOOL GetIconInfo(HICON hicon, PICONINFO info) {
    auto* icon = As<IconObject>(hicon);
    if (!icon || !info) return FALSE;
    const Surface& m = *icon->mask;
    info->fIcon = icon->isIcon;
    info->xHotspot = icon->hotX;
    info->yHotspot = icon->hotY;
    info->hbmMask = BitmapOf(CopyArea(m, 0, 0, m.width, m.height, 1));
    info->hbmColor = nullptr;
    if (icon->colour)
        info->hbmColor = BitmapOf(CopyArea(*icon->colour, 0, 0, icon->width, icon->height, 32));
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    return As<IconObject>(icon) && Destroy(icon);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON hicon, int width, int height, UINT step,
                HBRUSH flickerFreeBrush, UINT flags) {
    auto* icon = As<IconObject>(hicon);
    if (!DC(hdc) || !icon || !(flags & DI_NORMAL)) return FALSE;
    int w = width ? width : (flags & DI_DEFAULTSIZE) ? 32 : icon->width;
    int h = height ? height : (flags & DI_DEFAULTSIZE) ? 32 : icon->height;
    if (flickerFreeBrush) {
        // The device composes off screen over this brush; the visible result is the same.
        RECT area{x, y, x + w, y + h};
        FillRect(hdc, &area, flickerFreeBrush);
    }
    bool both = (flags & DI_NORMAL) == DI_NORMAL;
    Transfer t{x, y, w, h, icon->mask.get(), 0, 0, icon->width, icon->height};
    if (flags & DI_MASK) {
        t.rop = both ? 0x88 : 0xCC; // SRCAND : SRCCOPY
        TransferToDC(hdc, t);
    }
    if (flags & DI_IMAGE) {
        t.rop = both ? 0x66 : 0xCC; // SRCINVERT : SRCCOPY
        if (icon->colour)
            t.src = icon->colour.get();
        else
            t.srcY = icon->height; // the lower half of a mono icon's mask is its image
        TransferToDC(hdc, t);
    }
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
