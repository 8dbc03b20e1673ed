// The objects behind the graphics handles, and the device-context layer's shared helpers.
//
// A device context keeps the drawing state (colours, modes, selected objects, viewport origin,
// clip region) with a stack of saved states. Drawing calls translate logical coordinates to
// the target surface, intersect with the effective clip (surface bounds, the window manager's
// visible region and the application's clip region) and hand scanline work to the raster
// engine and the per-format primitives.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

#include <functional>
#include <optional>
#include <vector>

namespace gdi {

class RealFont;

struct BitmapObject : GdiObject {
    static constexpr Kind kKind = Kind::Bitmap;
    BitmapObject() : GdiObject(kKind) {}
    SurfacePtr surface;
    bool section = false;         // a device-independent section (its bits are visible)
    BITMAPINFOHEADER header = {}; // sections: the header they were made from
};

struct BrushObject : GdiObject {
    static constexpr Kind kKind = Kind::Brush;
    BrushObject() : GdiObject(kKind) {}
    bool hollow = false;
    COLORREF colour = 0;
};

struct PenObject : GdiObject {
    static constexpr Kind kKind = Kind::Pen;
    PenObject() : GdiObject(kKind) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
};

struct FontObject : GdiObject {
    static constexpr Kind kKind = Kind::Font;
    FontObject() : GdiObject(kKind) {}
    LOGFONTW logfont = {};
    std::shared_ptr<RealFont> real; // realised on first use
};

struct RegionObject : GdiObject {
    static constexpr Kind kKind = Kind::Region;
    RegionObject() : GdiObject(kKind) {}
    PixRegion rgn;
};

struct IconObject : GdiObject {
    static constexpr Kind kKind = Kind::Icon;
    IconObject() : GdiObject(kKind) {}
    SurfacePtr mask;   // 1 bit per pixel; twice the height when there is no colour image
    SurfacePtr colour; // screen format, or null for a monochrome icon
    int width = 0;
    int height = 0;
    BOOL isIcon = TRUE;
    DWORD hotX = 0;
    DWORD hotY = 0;
};

struct DCState {
    HBITMAP bitmap = nullptr; // memory contexts only
    // The selected bitmap's pixels, kept with the handle: every drawing call reaches them, and
    // a selected bitmap cannot be deleted.
    const SurfacePtr* surface = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    COLORREF bkColour = RGB(255, 255, 255);
    COLORREF textColour = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT viewport = {0, 0};
    POINT brushOrigin = {0, 0};
    POINT position = {0, 0};
    std::optional<PixRegion> clip; // device units, relative to the context's origin
};

struct DeviceContext : GdiObject {
    static constexpr Kind kKind = Kind::DC;
    // A fresh context: default attributes and the default objects selected.
    explicit DeviceContext(bool onScreen);
    ~DeviceContext() override;

    bool screen = false;              // draws on the screen surface
    POINT origin = {0, 0};            // screen contexts: logical (0, 0) in screen coordinates
    std::optional<PixRegion> visible; // screen contexts: the window manager's visible region
    std::function<PixRegion()> visibleSource; // when set, gives visible at the next clip
    DCState state;
    std::vector<DCState> saved;

    // Effective clip in surface coordinates, rebuilt when anything it depends on changes: the
    // cache, or the visible region itself when that lies within the screen and nothing else
    // clips (every change to visible invalidates the clip).
    PixRegion clipCache;
    const PixRegion* clip = &clipCache;
    bool clipValid = false;
    uint64_t clipEpoch = 0;

    Surface* Target() const;
    const SurfacePtr& TargetPtr() const;
    const PixRegion& Clip();
    void InvalidateClip() { clipValid = false; }
    // Adds to logical coordinates to reach surface coordinates.
    POINT Offset() const { return {origin.x + state.viewport.x, origin.y + state.viewport.y}; }
};

// ---- Shared helpers (dc.cpp, screen.cpp) -----------------------------------------------------

inline DeviceContext* DC(HDC dc) {
    return As<DeviceContext>(dc);
}
// Every drawing call on the screen reaches these: they are read inline.
extern const SurfacePtr* g_screenSurface; // set when the screen is first made
extern uint64_t g_screenEpoch;
const SurfacePtr& FirstScreenSurface();
inline const SurfacePtr& ScreenSurface() {
    return g_screenSurface ? *g_screenSurface : FirstScreenSurface();
}
// Changes whenever the screen surface is replaced.
inline uint64_t ScreenEpoch() {
    return g_screenEpoch;
}
// Counts a state's hold on the objects it selects (bitmaps also remember their context).
void HoldState(const DCState& state, DeviceContext* dc);
void ReleaseState(const DCState& state);
HBITMAP DefaultBitmap();

// What a fresh context selects: stock objects only, which live as long as the process and are
// not counted, so selecting them holds nothing. Looked up once.
struct DefaultObjects {
    HBITMAP bitmap; // memory contexts
    const SurfacePtr* surface;
    HBRUSH brush;
    HPEN pen;
    HFONT font;
};
const DefaultObjects& Defaults();
// Selects the default objects into s (the default bitmap only for a memory context).
void SelectDefaults(DCState& s, bool memory);

inline const SurfacePtr& DeviceContext::TargetPtr() const {
    return screen ? ScreenSurface() : *state.surface;
}

inline Surface* DeviceContext::Target() const {
    return TargetPtr().get();
}

HRGN NewRegion(PixRegion region);

// GetObject for each kind.
int GetBitmapObject(const void* handle, int size, void* buffer);
int GetFontObject(const void* handle, int size, void* buffer);

// Solid colour of a brush handle, or nullopt for a hollow or invalid brush. With sysIndex, a
// system colour index + 1 is accepted in place of a handle.
std::optional<COLORREF> BrushColour(HBRUSH brush, bool sysIndex = false);

// Coordinates and extents the calls accept: within +-2^28, so that adding a context's origin
// and viewport (each kept within the same bounds) never leaves 32 bits.
constexpr int64_t kCoordinateLimit = int64_t(1) << 28;
template <class... V> bool Fits(V... values) {
    return ((int64_t(values) >= -kCoordinateLimit && int64_t(values) <= kCoordinateLimit) && ...);
}
inline bool Fits(const RECT& r) {
    return Fits(r.left, r.top, r.right, r.bottom);
}

// Marks the surface as changed (for viewers of the screen).
inline void Touch(Surface& s) {
    ++s.serial;
}

} // namespace gdi
