// Window and client rectangles, coordinate mapping and hit testing.
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {

uint64_t g_geometryEpoch = 1;

void GeometryChanged() {
    ++g_geometryEpoch;
    AreasChanged(); // a client area that moves or resizes clips the children differently
}

void PositionsChanged() {
    ++g_geometryEpoch;
}

void CutToRect(gdi::PixRegion& region, const RECT& rect) {
    RECT e = region.Extents();
    if (e.left >= rect.left && e.top >= rect.top && e.right <= rect.right &&
        e.bottom <= rect.bottom)
        return; // also an empty region, whose extents are all 0, within a rectangle holding (0, 0)
    region.IntersectRect(rect);
}

int BorderWidth(const Window* w) {
    return !w->isDesktop && (w->style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

POINT WorkOutClientOrigin(const Window* w) {
    POINT p = w->parent ? ClientOrigin(w->parent) : POINT{0, 0};
    int b = BorderWidth(w);
    w->origin = {p.x + w->rect.left + b, p.y + w->rect.top + b};
    w->originEpoch = g_geometryEpoch;
    return w->origin;
}

RECT FramedClientRect(const Window* w) {
    int b = BorderWidth(w);
    LONG width = w->rect.right - w->rect.left;
    LONG height = w->rect.bottom - w->rect.top;
    RECT r = {b, b, std::max<LONG>(b, width - b), std::max<LONG>(b, height - b)};
    // The standard scroll bars take their room from the client area's right and bottom.
    if (w->isDesktop) return r;
    if (w->style & WS_VSCROLL)
        r.right = std::max<LONG>(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    if (w->style & WS_HSCROLL)
        r.bottom = std::max<LONG>(r.top, r.bottom - GetSystemMetrics(SM_CYHSCROLL));
    return r;
}

gdi::PixRegion OwnArea(const Window* w) {
    RECT r = WindowRectScreen(w);
    gdi::PixRegion area(r);
    if (w->hasShape) {
        gdi::PixRegion shape = w->shape;
        shape.Translate(r.left, r.top);
        area.Intersect(shape);
    }
    return area;
}

// The deepest visible window under the point, searching children topmost first. A disabled
// window ends the search: it takes the point and passes it on to nobody.
Window* HitTest(Window* root, POINT pt, bool* disabled) {
    *disabled = false;
    Window* w = root;
    for (;;) {
        RECT client = ClientRectScreen(w);
        Window* next = nullptr;
        if (PtInRect(&client, pt)) {
            for (Window* c : w->children) {
                if ((c->style & WS_VISIBLE) && OwnArea(c).Contains(pt.x, pt.y)) {
                    next = c;
                    break;
                }
            }
        }
        if (!next) return w;
        if (next->style & WS_DISABLED) {
            *disabled = true;
            return next;
        }
        w = next;
    }
}

} // namespace user

using namespace user;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = Checked(hwnd);
    if (!w || !rect) return FALSE;
    *rect = WindowRectScreen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = Checked(hwnd);
    if (!w || !rect) return FALSE;
    RECT r = ClientRectInWindow(w);
    *rect = {0, 0, r.right - r.left, r.bottom - r.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    Window* w = Checked(hwnd);
    if (!w || !point) return FALSE;
    POINT o = ClientOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    Window* w = Checked(hwnd);
    if (!w || !point) return FALSE;
    POINT o = ClientOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    Window* a = from ? Checked(from) : Desktop();
    Window* b = to ? Checked(to) : Desktop();
    if (!a || !b || (!points && count)) return 0;
    POINT oa = ClientOrigin(a), ob = ClientOrigin(b);
    int dx = oa.x - ob.x, dy = oa.y - ob.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(dx, dy);
}

HWND WindowFromPoint(POINT point) {
    Window* d = Desktop();
    if (!d) return nullptr;
    bool disabled = false;
    Window* w = HitTest(d, point, &disabled);
    return w ? w->handle : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    Window* p = Checked(parent);
    if (!p) return nullptr;
    POINT s = point;
    ClientToScreen(parent, &s);
    RECT client = ClientRectScreen(p);
    if (!PtInRect(&client, s)) return nullptr;
    for (Window* c : p->children)
        if (OwnArea(c).Contains(s.x, s.y)) return c->handle;
    return parent;
}

// ---- Rectangles ------------------------------------------------------------------------------

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
    if (!r) return FALSE;
    *r = {left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dest, const RECT* source) {
    if (!dest || !source) return FALSE;
    *dest = *source;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* r) {
    return !r || r->left >= r->right || r->top >= r->bottom;
}

BOOL PtInRect(const RECT* r, POINT p) {
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest || !a || !b) return FALSE;
    RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
              std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dest);
        return FALSE;
    }
    *dest = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *dest = IsRectEmpty(b) ? RECT{} : *b;
    } else if (IsRectEmpty(b)) {
        *dest = *a;
    } else {
        *dest = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(dest);
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}
