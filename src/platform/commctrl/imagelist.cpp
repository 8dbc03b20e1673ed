// Image lists, kept in the graphics handle table so that they are counted like other objects.
#include "platform/commctrl/imagelist.h"

#include "platform/gdi/blit.h"

#include <vector>

using namespace gdi;

namespace {

struct ImageListObject : GdiObject {
    static constexpr Kind kKind = Kind::ImageList;
    ImageListObject() : GdiObject(kKind) {}
    int cx = 0;
    int cy = 0;
    bool masked = false;
    COLORREF bk = CLR_NONE;
    std::vector<SurfacePtr> images; // cx by cy, screen format
    std::vector<SurfacePtr> masks;  // cx by cy, 1 bit per pixel (masked lists only)
};

ImageListObject* List(HIMAGELIST list) {
    return As<ImageListObject>(list);
}

// Blackens the image under the mask, so that OR-ing it leaves the destination alone there.
void ClearUnderMask(Surface& image, const Surface& mask) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (GetValue(mask, x, y)) PutValue(image, x, y, 0);
}

// Builds the mask of the pixels of one colour in a cx by cy area.
SurfacePtr MaskOfColour(const Surface& src, int x0, int cx, int cy, COLORREF colour) {
    SurfacePtr mask = MakeSurface(cx, cy, 1, false);
    if (!mask) return nullptr;
    for (int y = 0; y < cy && y < src.height; ++y)
        for (int x = 0; x < cx && x0 + x < src.width; ++x)
            if (ValueToColour(src, GetValue(src, x0 + x, y)) == (colour & 0xFFFFFF))
                PutValue(*mask, x, y, 1);
    return mask;
}

struct Entry {
    SurfacePtr image, mask;
};

bool Store(ImageListObject& l, int index, Entry e) {
    if (!e.image || (l.masked && !e.mask)) return false;
    if (l.masked) ClearUnderMask(*e.image, *e.mask);
    if (index < 0) {
        l.images.push_back(std::move(e.image));
        if (l.masked) l.masks.push_back(std::move(e.mask));
    } else {
        l.images[size_t(index)] = std::move(e.image);
        if (l.masked) l.masks[size_t(index)] = std::move(e.mask);
    }
    return true;
}

// Adds every cx-wide image of a bitmap; maskOf supplies each image's mask.
template <class MaskOf> int AddStrip(HIMAGELIST list, HBITMAP image, MaskOf maskOf) {
    ImageListObject* l = List(list);
    auto* b = As<BitmapObject>(image);
    if (!l || !b) return -1;
    const Surface& src = *b->surface;
    int count = src.width / l->cx, first = int(l->images.size());
    if (count == 0) return -1;
    for (int i = 0; i < count; ++i) {
        Entry e{CopyArea(src, i * l->cx, 0, l->cx, l->cy, 32), nullptr};
        if (l->masked) e.mask = maskOf(i * l->cx);
        if (!Store(*l, -1, std::move(e))) return -1;
    }
    return first;
}

Entry EntryOfIcon(const ImageListObject& l, const IconObject& icon) {
    Entry e;
    if (icon.colour)
        e.image = CopyArea(*icon.colour, 0, 0, l.cx, l.cy, 32);
    else
        e.image = CopyArea(*icon.mask, 0, icon.height, l.cx, l.cy, 32);
    if (l.masked) e.mask = CopyArea(*icon.mask, 0, 0, l.cx, l.cy, 1);
    return e;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096) return nullptr;
    auto list = std::make_unique<ImageListObject>();
    list->cx = cx;
    list->cy = cy;
    list->masked = flags & ILC_MASK;
    return static_cast<HIMAGELIST>(Register(std::move(list)));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    return List(list) && Destroy(list);
}

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageListObject* l = List(list);
    return l ? int(l->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageListObject* l = List(list);
    if (!l || !cx || !cy) return FALSE;
    *cx = l->cx;
    *cy = l->cy;
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    ImageListObject* l = List(list);
    auto* m = mask ? As<BitmapObject>(mask) : nullptr;
    if (!l || (mask && !m)) return -1;
    int cx = l->cx, cy = l->cy;
    return AddStrip(list, image, [&](int x) {
        // Without a mask bitmap every pixel is opaque.
        return m ? CopyArea(*m->surface, x, 0, cx, cy, 1) : MakeSurface(cx, cy, 1, false);
    });
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    auto* b = As<BitmapObject>(image);
    ImageListObject* l = List(list);
    if (!b || !l) return -1;
    int cx = l->cx, cy = l->cy;
    return AddStrip(list, image, [&](int x) { return MaskOfColour(*b->surface, x, cx, cy, mask); });
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON hicon) {
    ImageListObject* l = List(list);
    auto* icon = As<IconObject>(hicon);
    if (!l || !icon || index < -1 || index >= int(l->images.size())) return -1;
    int used = index < 0 ? int(l->images.size()) : index;
    return Store(*l, index, EntryOfIcon(*l, *icon)) ? used : -1;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
    ImageListObject* l = List(list);
    auto* b = As<BitmapObject>(image);
    auto* m = mask ? As<BitmapObject>(mask) : nullptr;
    if (!l || !b || (mask && !m) || index < 0 || index >= int(l->images.size())) return FALSE;
    Entry e{CopyArea(*b->surface, 0, 0, l->cx, l->cy, 32), nullptr};
    if (l->masked)
        e.mask =
            m ? CopyArea(*m->surface, 0, 0, l->cx, l->cy, 1) : MakeSurface(l->cx, l->cy, 1, false);
    return Store(*l, index, std::move(e));
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    ImageListObject* l = List(list);
    if (!l || index < -1 || index >= int(l->images.size())) return FALSE;
    if (index == -1) {
        l->images.clear();
        l->masks.clear();
        return TRUE;
    }
    l->images.erase(l->images.begin() + index);
    if (l->masked) l->masks.erase(l->masks.begin() + index);
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour) {
    ImageListObject* l = List(list);
    if (!l) return CLR_NONE;
    COLORREF previous = l->bk;
    l->bk = colour;
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    ImageListObject* l = List(list);
    return l ? l->bk : CLR_NONE;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height,
                      COLORREF bk, COLORREF fg, UINT style) {
    ImageListObject* l = List(list);
    if (!l || index < 0 || index >= int(l->images.size())) return FALSE;
    int w = width ? width : l->cx, h = height ? height : l->cy;
    Transfer t{x, y, w, h, l->images[size_t(index)].get(), 0, 0, w, h};
    if (!l->masked) return TransferToDC(dc, t);
    const Surface* mask = l->masks[size_t(index)].get();
    if (style & ILD_MASK) {
        t.src = mask;
        return TransferToDC(dc, t);
    }
    COLORREF background = bk == CLR_DEFAULT ? l->bk : bk;
    if (!(style & ILD_TRANSPARENT) && background != CLR_NONE) {
        // Opaque drawing: the masked pixels show the background colour.
        HBRUSH brush = CreateSolidBrush(background);
        RECT area{x, y, x + w, y + h};
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    Transfer m = t;
    m.src = mask;
    m.rop = 0x88; // SRCAND
    if (!TransferToDC(dc, m)) return FALSE;
    t.rop = 0xEE; // SRCPAINT
    return TransferToDC(dc, t);
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags) {
    ImageListObject* l = List(list);
    if (!l || index < 0 || index >= int(l->images.size())) return nullptr;
    auto icon = std::make_unique<IconObject>();
    icon->width = l->cx;
    icon->height = l->cy;
    icon->colour = CopyArea(*l->images[size_t(index)], 0, 0, l->cx, l->cy, 32);
    icon->mask = l->masked ? CopyArea(*l->masks[size_t(index)], 0, 0, l->cx, l->cy, 1)
                           : MakeSurface(l->cx, l->cy, 1, false);
    if (!icon->colour || !icon->mask) return nullptr;
    return static_cast<HICON>(Register(std::move(icon)));
}
