// DrawEdge and DrawFrameControl: the system's three-dimensional edges and scroll-bar arrow
// buttons, drawn in the system colours.
#include "platform/user/winuser.h"

#include <algorithm>

namespace {

struct Layer {
    int topLeft;
    int bottomRight;
};

bool IsDC(HDC dc) {
    DWORD type = GetObjectType(dc);
    return type == OBJ_DC || type == OBJ_MEMDC;
}

void Fill(HDC dc, LONG l, LONG t, LONG r, LONG b, int colour) {
    RECT rect = {l, t, r, b};
    FillRect(dc, &rect, GetSysColorBrush(colour));
}

// One line of pixels along each side asked for; the bottom-right colour takes the corners it
// shares with the top-left one.
void DrawLayer(HDC dc, const RECT& r, Layer c, UINT flags) {
    if (flags & BF_TOP) Fill(dc, r.left, r.top, r.right, r.top + 1, c.topLeft);
    if (flags & BF_LEFT) Fill(dc, r.left, r.top, r.left + 1, r.bottom, c.topLeft);
    if (flags & BF_BOTTOM) Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, c.bottomRight);
    if (flags & BF_RIGHT) Fill(dc, r.right - 1, r.top, r.right, r.bottom, c.bottomRight);
}

void Shrink(RECT& r, UINT flags) {
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
}

Layer OuterLayer(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    if (edge & BDR_RAISEDOUTER)
        return {(flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

Layer InnerLayer(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
    if (edge & BDR_RAISEDINNER)
        return {(flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return {COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// A filled triangle pointing in one of the four directions, centred on (cx, cy).
void Triangle(HDC dc, int cx, int cy, int rows, UINT direction, int colour) {
    for (int i = 0; i < rows; ++i) {
        int along = (direction == DFCS_SCROLLUP || direction == DFCS_SCROLLLEFT)
                        ? i - rows / 2
                        : rows / 2 - i - ((rows + 1) % 2);
        if (direction == DFCS_SCROLLUP || direction == DFCS_SCROLLDOWN)
            Fill(dc, cx - i, cy + along, cx + i + 1, cy + along + 1, colour);
        else
            Fill(dc, cx + along, cy - i, cx + along + 1, cy + i + 1, colour);
    }
}

} // namespace

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    if (!rect || !IsDC(dc)) return FALSE;
    RECT r = *rect;
    if (edge & BDR_OUTER) {
        DrawLayer(dc, r, OuterLayer(edge, flags), flags);
        Shrink(r, flags);
    }
    if (edge & BDR_INNER) {
        DrawLayer(dc, r, InnerLayer(edge, flags), flags);
        Shrink(r, flags);
    }
    if ((flags & BF_MIDDLE) && !IsRectEmpty(&r))
        FillRect(dc, &r, GetSysColorBrush((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
    if (!rect || type != DFC_SCROLL || !IsDC(dc)) return FALSE;
    if (IsRectEmpty(rect)) return TRUE;
    RECT r = *rect;
    bool pushed = state & DFCS_PUSHED;
    if (pushed && (state & DFCS_FLAT)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        if (!IsRectEmpty(&r)) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    int side = int(std::min(rect->right - rect->left, rect->bottom - rect->top));
    int rows = std::max(1, (side - 1) / 3);
    int cx = int(rect->left + rect->right) / 2 + (pushed ? 1 : 0);
    int cy = int(rect->top + rect->bottom) / 2 + (pushed ? 1 : 0);
    UINT direction = state & 0x3;
    if (state & DFCS_INACTIVE) {
        // Embossed: a highlight beneath, the grey glyph on top.
        Triangle(dc, cx + 1, cy + 1, rows, direction, COLOR_BTNHIGHLIGHT);
        Triangle(dc, cx, cy, rows, direction, COLOR_GRAYTEXT);
    } else {
        Triangle(dc, cx, cy, rows, direction, COLOR_BTNTEXT);
    }
    return TRUE;
}
