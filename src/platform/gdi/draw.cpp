// Fills, frames, pixels and lines.
#include "platform/gdi/blit.h"

#include <algorithm>
#include <cstdlib>

using namespace gdi;

namespace {

RECT DeviceRect(DeviceContext* d, const RECT& r) {
    POINT off = d->Offset();
    return RECT{r.left + off.x, r.top + off.y, r.right + off.x, r.bottom + off.y};
}

bool FillLogical(DeviceContext* d, const RECT& r, COLORREF colour, uint8_t rop) {
    if (r.left >= r.right || r.top >= r.bottom) return true;
    return FillDeviceRegion(d, PixRegion(DeviceRect(d, r)), colour, rop);
}

// The ternary operation that applies a binary pen operation with the pattern as the pen.
uint8_t TernaryFromBinary(int rop2) {
    int table = rop2 - 1;
    uint8_t rop3 = 0;
    for (int m = 0; m < 8; ++m)
        if (table >> (((m >> 2) << 1) | (m & 1)) & 1) rop3 |= uint8_t(1 << m);
    return rop3;
}

uint32_t ApplyBinary(int rop2, uint32_t p, uint32_t d) {
    int table = rop2 - 1;
    uint32_t r = 0;
    for (int m = 0; m < 4; ++m)
        if (table >> m & 1) r |= ((m & 2) ? p : ~p) & ((m & 1) ? d : ~d);
    return r;
}

// Draws pen pixels in surface coordinates, honouring clip, binary operation, width and style.
class PenDrawer {
public:
    PenDrawer(DeviceContext* d, const PenObject& pen)
        : m_s(*d->Target()), m_clip(d->Clip()), m_value(ColourToValue(m_s, pen.colour)),
          m_rop2(d->state.rop2), m_width(pen.width), m_style(pen.style) {}

    void Line(int x0, int y0, int x1, int y1) {
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1, err = dx + dy;
        while (x0 != x1 || y0 != y1) { // the end point itself is not drawn
            if (StyleOn()) Plot(x0, y0);
            int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += stepX;
            if (e2 <= dx) err += dx, y0 += stepY;
        }
        ++m_s.serial;
    }

private:
    bool StyleOn() {
        int n = m_counter++;
        if (m_style == PS_DASH) return n % 8 < 6;
        if (m_style == PS_DOT) return n % 2 == 0;
        return true;
    }

    void Plot(int cx, int cy) {
        int half = (m_width - 1) / 2;
        for (int y = cy - half; y < cy - half + m_width; ++y)
            for (int x = cx - half; x < cx - half + m_width; ++x)
                Put(x, y);
    }

    void Put(int x, int y) {
        if (!m_clip.Contains(x, y)) return;
        if (m_rop2 == R2_COPYPEN) return PutValue(m_s, x, y, m_value);
        PutValue(m_s, x, y, ApplyBinary(m_rop2, m_value, GetValue(m_s, x, y)));
    }

    Surface& m_s;
    const PixRegion& m_clip;
    uint32_t m_value;
    int m_rop2;
    int m_width;
    int m_style;
    int m_counter = 0;
};

bool DrawLine(DeviceContext* d, int x0, int y0, int x1, int y1) {
    auto* pen = As<PenObject>(d->state.pen);
    if (!pen || pen->style == PS_NULL) return true;
    POINT off = d->Offset();
    PenDrawer(d, *pen).Line(x0 + off.x, y0 + off.y, x1 + off.x, y1 + off.y);
    return true;
}

} // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* d = DC(hdc);
    if (!d || !rect || !Fits(*rect)) return 0;
    std::optional<COLORREF> colour = BrushColour(brush, true);
    if (!colour) return As<BrushObject>(brush) ? 1 : 0; // a hollow brush paints nothing
    FillLogical(d, *rect, *colour, 0xF0);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* d = DC(hdc);
    if (!d || !rect || !Fits(*rect)) return 0;
    std::optional<COLORREF> colour = BrushColour(brush, true);
    if (!colour) return As<BrushObject>(brush) ? 1 : 0;
    const RECT& r = *rect;
    if (r.left >= r.right || r.top >= r.bottom) return 1;
    PixRegion frame(DeviceRect(d, r));
    frame.Subtract(
        PixRegion(DeviceRect(d, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1})));
    FillDeviceRegion(d, frame, *colour, 0xF0);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    if (!rect || !Fits(*rect)) return FALSE;
    return PatBlt(hdc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                  DSTINVERT);
}

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    DeviceContext* d = DC(hdc);
    auto* r = As<RegionObject>(region);
    if (!d || !r || !As<BrushObject>(brush)) return FALSE;
    std::optional<COLORREF> colour = BrushColour(brush);
    if (!colour) return TRUE;
    PixRegion area = r->rgn;
    POINT off = d->Offset();
    area.Translate(off.x, off.y);
    return FillDeviceRegion(d, area, *colour, 0xF0);
}

BOOL PaintRgn(HDC hdc, HRGN region) {
    DeviceContext* d = DC(hdc);
    return d && FillRgn(hdc, region, d->state.brush);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
    DeviceContext* d = DC(hdc);
    if (!d || !Fits(x, y)) return CLR_INVALID;
    POINT off = d->Offset();
    x += off.x, y += off.y;
    if (!d->Clip().Contains(x, y)) return CLR_INVALID;
    Surface& s = *d->Target();
    uint32_t value = ColourToValue(s, colour);
    PutValue(s, x, y, value);
    Touch(s);
    return ValueToColour(s, value);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* d = DC(hdc);
    if (!d || !Fits(x, y)) return CLR_INVALID;
    POINT off = d->Offset();
    x += off.x, y += off.y;
    if (!d->Clip().Contains(x, y)) return CLR_INVALID;
    const Surface& s = *d->Target();
    return ValueToColour(s, GetValue(s, x, y));
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* d = DC(hdc);
    if (!d || !Fits(x, y)) return FALSE;
    if (previous) *previous = d->state.position;
    d->state.position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
    DeviceContext* d = DC(hdc);
    if (!d || !position) return FALSE;
    *position = d->state.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* d = DC(hdc);
    if (!d || !Fits(x, y)) return FALSE;
    POINT from = d->state.position;
    DrawLine(d, from.x, from.y, x, y);
    d->state.position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    DeviceContext* d = DC(hdc);
    if (!d || !points || count < 2) return FALSE;
    for (int i = 0; i < count; ++i)
        if (!Fits(points[i].x, points[i].y)) return FALSE;
    for (int i = 1; i < count; ++i)
        DrawLine(d, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* d = DC(hdc);
    if (!d || !Fits(left, top, right, bottom)) return FALSE;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    auto* pen = As<PenObject>(d->state.pen);
    bool outline = pen && pen->style != PS_NULL;
    // Without an outline the filled area is one pixel narrower and shorter, as on the device.
    RECT inside = outline ? RECT{left + 1, top + 1, right - 1, bottom - 1}
                          : RECT{left, top, right - 1, bottom - 1};
    if (std::optional<COLORREF> colour = BrushColour(d->state.brush))
        FillLogical(d, inside, *colour, TernaryFromBinary(d->state.rop2));
    if (outline && right - left >= 1 && bottom - top >= 1) {
        POINT corners[5] = {{left, top},
                            {right - 1, top},
                            {right - 1, bottom - 1},
                            {left, bottom - 1},
                            {left, top}};
        Polyline(hdc, corners, 5);
    }
    return TRUE;
}
