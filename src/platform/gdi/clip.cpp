// The application's clip region of a device context.
//
// It is kept in device units relative to the context's origin (window coordinates on the
// screen), so the window manager can move a window without touching it; the viewport origin
// applies only to the rectangles given to IntersectClipRect and ExcludeClipRect.
#include "platform/gdi/types.h"

using namespace gdi;

static PixRegion CurrentClip(const DeviceContext& dc) {
    if (dc.state.clip) return *dc.state.clip;
    return PixRegion(-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit);
}

static int SetClip(DeviceContext* dc, std::optional<PixRegion> clip) {
    dc->state.clip = std::move(clip);
    dc->InvalidateClip();
    return dc->Clip().Complexity();
}

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode) {
    DeviceContext* dc = DC(hdc);
    if (!dc) return ERROR;
    if (!region) return mode == RGN_COPY ? SetClip(dc, std::nullopt) : ERROR;
    auto* r = As<RegionObject>(region);
    if (!r) return ERROR;
    PixRegion result = CurrentClip(*dc);
    switch (mode) {
    case RGN_COPY:
        result = r->rgn;
        break;
    case RGN_AND:
        result.Intersect(r->rgn);
        break;
    case RGN_OR:
        result.Union(r->rgn);
        break;
    case RGN_XOR:
        result.Xor(r->rgn);
        break;
    case RGN_DIFF:
        result.Subtract(r->rgn);
        break;
    default:
        return ERROR;
    }
    return SetClip(dc, std::move(result));
}

int SelectClipRgn(HDC hdc, HRGN region) {
    return ExtSelectClipRgn(hdc, region, RGN_COPY);
}

static RECT DeviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
    POINT v = dc.state.viewport;
    return RECT{left + v.x, top + v.y, right + v.x, bottom + v.y};
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !Fits(left, top, right, bottom)) return ERROR;
    PixRegion result = CurrentClip(*dc);
    result.IntersectRect(DeviceRect(*dc, left, top, right, bottom));
    return SetClip(dc, std::move(result));
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !Fits(left, top, right, bottom)) return ERROR;
    PixRegion result = CurrentClip(*dc);
    result.Subtract(PixRegion(DeviceRect(*dc, left, top, right, bottom)));
    return SetClip(dc, std::move(result));
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
    DeviceContext* dc = DC(hdc);
    if (!dc) return ERROR;
    if (!dc->state.clip) return dc->Clip().Complexity();
    PixRegion result = *dc->state.clip;
    result.Translate(dx, dy);
    return SetClip(dc, std::move(result));
}

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !rect) return ERROR;
    const PixRegion& clip = dc->Clip();
    RECT box = clip.Extents();
    if (!clip.IsEmpty()) {
        POINT off = dc->Offset();
        box = RECT{box.left - off.x, box.top - off.y, box.right - off.x, box.bottom - off.y};
    }
    *rect = box;
    return clip.Complexity();
}

int GetClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = DC(hdc);
    auto* r = As<RegionObject>(region);
    if (!dc || !r) return -1;
    if (!dc->state.clip) return 0;
    r->rgn = *dc->state.clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !Fits(x, y)) return FALSE;
    POINT off = dc->Offset();
    return dc->Clip().Contains(x + off.x, y + off.y);
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
    DeviceContext* dc = DC(hdc);
    if (!dc || !rect || !Fits(*rect)) return FALSE;
    POINT off = dc->Offset();
    RECT r{rect->left + off.x, rect->top + off.y, rect->right + off.x, rect->bottom + off.y};
    return dc->Clip().Overlaps(r);
}
