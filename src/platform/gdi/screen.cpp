// The screen surface, contexts on it, and the device's capabilities.
#include "platform/gdi/gdidevice.h"
#include "platform/gdi/types.h"

#include "platform/base/cstring.h"

namespace gdi {
namespace {

struct Screen {
    SurfacePtr surface;
};

Screen& TheScreen() {
    static Screen* screen = new Screen; // outlives every context that may still refer to it
    if (!screen->surface) {
        screen->surface = MakeSurface(240, 320, 32, false);
        g_screenSurface = &screen->surface;
    }
    return *screen;
}

} // namespace

constinit const SurfacePtr* g_screenSurface = nullptr;
constinit uint64_t g_screenEpoch = 1;

const SurfacePtr& FirstScreenSurface() {
    return TheScreen().surface;
}

} // namespace gdi

using namespace gdi;

void GdiResetScreen(int width, int height) {
    Screen& screen = TheScreen();
    SurfacePtr fresh = MakeSurface(width, height, 32, false);
    if (!fresh) fresh = MakeSurface(240, 320, 32, false);
    // Keep the change counter running so that a viewer notices the new screen.
    fresh->serial = screen.surface->serial + 1;
    screen.surface = fresh;
    ++g_screenEpoch;
}

SIZE GdiGetScreenSize() {
    const Surface& s = *ScreenSurface();
    return SIZE{s.width, s.height};
}

GdiScreenPixels GdiGetScreenPixels() {
    const Surface& s = *ScreenSurface();
    return GdiScreenPixels{s.top, s.width, s.height, s.stride};
}

uint64_t GdiGetScreenSerial() {
    return ScreenSurface()->serial;
}

HDC GdiCreateScreenDC() {
    return ToHandle<HDC>(Register(std::make_unique<DeviceContext>(true)));
}

BOOL GdiSetDCOrigin(HDC hdc, int x, int y) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !dc->screen || !Fits(x, y)) return FALSE;
    dc->origin = POINT{x, y};
    dc->InvalidateClip();
    return TRUE;
}

BOOL GdiGetDCOrigin(HDC hdc, LPPOINT origin) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !origin) return FALSE;
    *origin = dc->origin;
    return TRUE;
}

BOOL GdiSetDCVisibleRegion(HDC hdc, HRGN region) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !dc->screen) return FALSE;
    dc->visibleSource = nullptr;
    if (!region) {
        dc->visible.reset();
    } else {
        auto* r = As<RegionObject>(region);
        if (!r) return FALSE;
        dc->visible = r->rgn;
    }
    dc->InvalidateClip();
    return TRUE;
}

HDC CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData) {
    if (!driver || CString(driver).CompareNoCase(u"DISPLAY") != 0) return nullptr;
    return GdiCreateScreenDC();
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!DC(hdc)) return 0;
    const Surface& screen = *ScreenSurface();
    switch (index) {
    case DRIVERVERSION:
        return 0x0300;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE:
        return screen.width * 254 / 960;
    case VERTSIZE:
        return screen.height * 254 / 960;
    case HORZRES:
        return screen.width;
    case VERTRES:
        return screen.height;
    case BITSPIXEL:
        return screen.bpp;
    case PLANES:
        return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
        return -1;
    case NUMFONTS:
        return 0;
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
    case NUMRESERVED:
        return 0;
    case COLORRES:
        return 24;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default:
        return 0;
    }
}
