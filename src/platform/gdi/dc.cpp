// Device contexts: creation, selection rules, saved states and drawing attributes.
#include "platform/gdi/gdidevice.h"
#include "platform/gdi/types.h"

namespace gdi {

DeviceContext::DeviceContext(bool onScreen) : GdiObject(kKind), screen(onScreen) {
    SelectDefaults(state, !onScreen);
}

DeviceContext::~DeviceContext() {
    ReleaseState(state);
    for (const DCState& s : saved)
        ReleaseState(s);
}

static bool Within(const PixRegion& region, const Surface& s) {
    RECT e = region.Extents();
    return e.left >= 0 && e.top >= 0 && e.right <= s.width && e.bottom <= s.height;
}

const PixRegion& DeviceContext::Clip() {
    if (clipValid && (!screen || clipEpoch == ScreenEpoch())) return *clip;
    const Surface* s = Target();
    clip = &clipCache;
    if (!screen && !state.clip) {
        // A memory context without a clip region (nearly all of them): the bitmap's bounds.
        clipCache.SetSize(s->width, s->height);
        clipValid = true;
        return clipCache;
    }
    if (visibleSource) {
        visible = visibleSource();
        visibleSource = nullptr;
    }
    bool inside = screen && visible && Within(*visible, *s);
    if (inside && !state.clip) {
        clip = &*visible; // what intersecting it with the screen's bounds would give
        clipValid = true;
        clipEpoch = ScreenEpoch();
        return *clip;
    }
    if (inside) {
        clipCache = *visible;
    } else {
        clipCache.SetRect(0, 0, s->width, s->height);
        if (screen && visible) clipCache.Intersect(*visible);
    }
    if (state.clip) {
        PixRegion own = *state.clip;
        own.Translate(origin.x, origin.y);
        clipCache.Intersect(own);
    }
    clipValid = true;
    clipEpoch = ScreenEpoch();
    return clipCache;
}

// Stock objects are never deleted and may be selected anywhere at once: nothing to count.
static void Hold(GdiObject* object, DeviceContext* dc) {
    if (object && !object->stock) {
        ++object->selections;
        if (object->kind == Kind::Bitmap) object->owner = dc;
    }
}

static void Hold(const void* handle, DeviceContext* dc) {
    Hold(LookupAny(handle), dc);
}

static void Unhold(const void* handle) {
    if (GdiObject* object = LookupAny(handle); object && !object->stock) {
        if (object->selections > 0) --object->selections;
        if (object->selections == 0) object->owner = nullptr;
    }
}

void HoldState(const DCState& s, DeviceContext* dc) {
    Hold(s.bitmap, dc);
    Hold(s.brush, dc);
    Hold(s.pen, dc);
    Hold(s.font, dc);
}

void ReleaseState(const DCState& s) {
    // Contexts mostly go with their default objects selected again: no lookup for those.
    const DefaultObjects& d = Defaults();
    if (s.bitmap != d.bitmap) Unhold(s.bitmap);
    if (s.brush != d.brush) Unhold(s.brush);
    if (s.pen != d.pen) Unhold(s.pen);
    if (s.font != d.font) Unhold(s.font);
}

const DefaultObjects& Defaults() {
    static const DefaultObjects objects = [] {
        DefaultObjects o;
        o.bitmap = DefaultBitmap();
        o.surface = &As<BitmapObject>(o.bitmap)->surface;
        o.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        o.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
        o.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        return o;
    }();
    return objects;
}

void SelectDefaults(DCState& s, bool memory) {
    const DefaultObjects& d = Defaults();
    s.bitmap = memory ? d.bitmap : nullptr;
    s.surface = memory ? d.surface : nullptr;
    s.brush = d.brush;
    s.pen = d.pen;
    s.font = d.font;
}

} // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !DC(hdc)) return nullptr;
    return ToHandle<HDC>(Register(std::make_unique<DeviceContext>(false)));
}

BOOL DeleteDC(HDC hdc) {
    return DC(hdc) && Destroy(hdc);
}

template <class H> static HGDIOBJ Swap(H& slot, GdiObject* o, HGDIOBJ object, DeviceContext* dc) {
    H previous = slot;
    Hold(o, dc);
    slot = static_cast<H>(object);
    Unhold(previous);
    return previous;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = DC(hdc);
    GdiObject* o = LookupAny(object);
    if (!dc || !o) return nullptr;
    switch (o->kind) {
    case Kind::Region:
        return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(hdc, static_cast<HRGN>(object))));
    case Kind::Bitmap: {
        // A bitmap lives in one memory context at a time.
        if (dc->screen || (!o->stock && o->selections > 0 && o->owner != dc)) return nullptr;
        HGDIOBJ previous = Swap(dc->state.bitmap, o, object, dc);
        dc->state.surface = &static_cast<BitmapObject*>(o)->surface;
        dc->InvalidateClip();
        return previous;
    }
    case Kind::Brush:
        return Swap(dc->state.brush, o, object, dc);
    case Kind::Pen:
        return Swap(dc->state.pen, o, object, dc);
    case Kind::Font:
        return Swap(dc->state.font, o, object, dc);
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = DC(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_BITMAP:
        return dc->screen ? nullptr : dc->state.bitmap;
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_FONT:
        return dc->state.font;
    default:
        return nullptr;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->state);
    HoldState(dc->state, dc);
    return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int savedDC) {
    DeviceContext* dc = DC(hdc);
    if (!dc || savedDC == 0) return FALSE;
    int count = int(dc->saved.size());
    int index = savedDC < 0 ? count + savedDC : savedDC - 1;
    if (index < 0 || index >= count) return FALSE;
    ReleaseState(dc->state);
    dc->state = std::move(dc->saved[size_t(index)]);
    for (size_t i = size_t(index) + 1; i < dc->saved.size(); ++i)
        ReleaseState(dc->saved[i]);
    dc->saved.resize(size_t(index));
    dc->InvalidateClip();
    return TRUE;
}

BOOL GdiResetDCState(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    if (!dc) return FALSE;
    ReleaseState(dc->state);
    for (const DCState& s : dc->saved)
        ReleaseState(s);
    dc->saved.clear();
    dc->state = DCState{};
    SelectDefaults(dc->state, !dc->screen);
    dc->InvalidateClip();
    return TRUE;
}

// ---- Attributes ------------------------------------------------------------------------------

template <class T, class V> static T Exchange(T& slot, V value) {
    T previous = slot;
    slot = T(value);
    return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    DeviceContext* dc = DC(hdc);
    return dc ? Exchange(dc->state.bkColour, colour & 0x00FFFFFF) : CLR_INVALID;
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    return dc ? dc->state.bkColour : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    DeviceContext* dc = DC(hdc);
    return dc ? Exchange(dc->state.textColour, colour & 0x00FFFFFF) : CLR_INVALID;
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    return dc ? dc->state.textColour : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = DC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return Exchange(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    return dc ? dc->state.bkMode : 0;
}

int SetROP2(HDC hdc, int mode) {
    DeviceContext* dc = DC(hdc);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
    return Exchange(dc->state.rop2, mode);
}

int GetROP2(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    return dc ? dc->state.rop2 : 0;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = DC(hdc);
    return dc ? Exchange(dc->state.textAlign, align) : 0xFFFFFFFFu;
}

UINT GetTextAlign(HDC hdc) {
    DeviceContext* dc = DC(hdc);
    return dc ? dc->state.textAlign : 0xFFFFFFFFu;
}

static BOOL SetPoint(POINT& slot, int x, int y, LPPOINT previous) {
    if (previous) *previous = slot;
    slot = POINT{x, y};
    return TRUE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = DC(hdc);
    return dc && Fits(x, y) && SetPoint(dc->state.viewport, x, y, previous);
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !origin) return FALSE;
    *origin = dc->state.viewport;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !Fits(dc->state.viewport.x + int64_t(dx), dc->state.viewport.y + int64_t(dy)))
        return FALSE;
    POINT v = dc->state.viewport;
    return SetPoint(dc->state.viewport, v.x + dx, v.y + dy, previous);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = DC(hdc);
    return dc && SetPoint(dc->state.brushOrigin, x, y, previous);
}
