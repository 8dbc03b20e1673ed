// Showing, hiding, moving, sizing and restacking windows, and what each change exposes.
//
// Every change compares the screen area the window showed before with what it shows after:
// what it no longer covers is handed to the windows now showing it, and what it newly shows is
// invalidated in itself and its children (contents are never copied, so moved windows repaint).
// A window that hides itself while inside its own paint exposes only the area it is repainting,
// and showing it again there invalidates nothing.
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

bool IsTopmost(const Window* w) {
    return w->exStyle & WS_EX_TOPMOST;
}

size_t TargetIndex(Window* w, HWND after) {
    auto& siblings = w->parent->children;
    size_t firstOrdinary = 0;
    while (firstOrdinary < siblings.size() && IsTopmost(siblings[firstOrdinary]))
        ++firstOrdinary;
    if (after == HWND_TOPMOST) {
        w->exStyle |= WS_EX_TOPMOST;
        return 0;
    }
    if (after == HWND_NOTOPMOST) {
        w->exStyle &= ~DWORD(WS_EX_TOPMOST);
        return firstOrdinary;
    }
    if (after == HWND_TOP) return IsTopmost(w) || w->parent != Desktop() ? 0 : firstOrdinary;
    if (after == HWND_BOTTOM) return siblings.size();
    Window* a = Lookup(after);
    if (!a || a->parent != w->parent || a == w) return ZIndex(w);
    return ZIndex(a) + 1;
}

// Moves w within its siblings; true when its place changed.
bool Restack(Window* w, HWND after) {
    size_t before = ZIndex(w);
    size_t target = TargetIndex(w, after);
    if (target > before) --target; // w itself leaves its old place first
    if (target == before) return false;
    Unlink(w);
    LinkAt(w->parent, w, target);
    return true;
}

gdi::PixRegion Minus(gdi::PixRegion a, const gdi::PixRegion& b) {
    a.Subtract(b);
    return a;
}

struct Change {
    bool moved = false;
    bool sized = false;
    bool restacked = false;
    bool shown = false;
    bool hidden = false;
};

void Expose(Window* w, const gdi::PixRegion& before, const gdi::PixRegion& after, const Change& c) {
    bool transient = !w->painting.empty();
    if (c.hidden) {
        gdi::PixRegion exposed = before;
        if (transient) exposed.Intersect(w->painting.back());
        InvalidateScreenArea(exposed, true);
        return;
    }
    InvalidateScreenArea(Minus(before, after), true);
    if (c.shown) {
        if (!transient) InvalidateScreenArea(after, true);
    } else if (c.moved || c.sized) {
        InvalidateScreenArea(after, true);
    } else if (c.restacked) {
        InvalidateScreenArea(Minus(after, before), true);
    }
}

void Activate(Window* w, UINT flags, const Change& c) {
    if ((flags & SWP_NOACTIVATE) || !(c.shown || c.restacked)) return;
    if ((w->style & WS_CHILD) || (w->exStyle & WS_EX_NOACTIVATE)) return;
    SetActiveWindow(w->handle);
}

} // namespace

void HideForDestroy(Window* w) {
    gdi::PixRegion before = ShownArea(w);
    w->style &= ~DWORD(WS_VISIBLE);
    ClearUpdateTree(w);
    InvalidateScreenArea(before, true);
    RefreshDCs();
}

} // namespace user

using namespace user;

namespace user {
namespace {

// Applies the new rectangle, place and visibility; says what changed.
Change Apply(Window* w, const WINDOWPOS& pos) {
    Change c;
    RECT r = w->rect;
    if (!(pos.flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, pos.cx);
        r.bottom = r.top + std::max(0, pos.cy);
    }
    if (!(pos.flags & SWP_NOMOVE)) OffsetRect(&r, pos.x - r.left, pos.y - r.top);
    c.moved = r.left != w->rect.left || r.top != w->rect.top;
    c.sized = (r.right - r.left != w->rect.right - w->rect.left) ||
              (r.bottom - r.top != w->rect.bottom - w->rect.top);
    if (c.moved || c.sized) GeometryChanged();
    w->rect = r;
    if (!(pos.flags & SWP_NOZORDER)) c.restacked = Restack(w, pos.hwndInsertAfter);
    bool wasVisible = w->style & WS_VISIBLE;
    if ((pos.flags & SWP_SHOWWINDOW) && !(pos.flags & SWP_HIDEWINDOW)) w->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~DWORD(WS_VISIBLE);
    bool visible = w->style & WS_VISIBLE;
    c.shown = visible && !wasVisible;
    c.hidden = wasVisible && !visible;
    return c;
}

void SendChanged(Window* w, const WINDOWPOS& pos, const Change& c) {
    if (!(c.moved || c.sized || c.restacked || c.shown || c.hidden ||
          (pos.flags & SWP_FRAMECHANGED)))
        return;
    const RECT& r = w->rect;
    WINDOWPOS done = {w->handle,  pos.hwndInsertAfter,   int(r.left),
                      int(r.top), int(r.right - r.left), int(r.bottom - r.top),
                      pos.flags};
    if (!c.moved) done.flags |= SWP_NOMOVE;
    if (!c.sized) done.flags |= SWP_NOSIZE;
    CallProc(w, WM_WINDOWPOSCHANGED, 0, LPARAM(&done));
}

} // namespace
} // namespace user

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = Checked(hwnd);
    if (!w || w->isDesktop) return FALSE;
    WINDOWPOS pos = {hwnd, after, x, y, cx, cy, flags};
    if (!(flags & SWP_NOSENDCHANGING)) {
        CallProc(w, WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
        if (!(w = Lookup(hwnd))) return FALSE;
    }
    gdi::PixRegion before = ShownArea(w);
    Change c = Apply(w, pos);
    gdi::PixRegion now = ShownArea(w);
    if (c.hidden) ClearUpdateTree(w);
    if (!(pos.flags & SWP_NOREDRAW)) Expose(w, before, now, c);
    RefreshDCs();
    if (c.hidden) MoveFocusFrom(w);
    if ((w = Lookup(hwnd))) SendChanged(w, pos, c);
    if ((w = Lookup(hwnd))) Activate(w, pos.flags, c);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = Checked(hwnd);
    if (!w || w->isDesktop) return FALSE;
    bool wasVisible = w->style & WS_VISIBLE;
    bool show = command != SW_HIDE;
    if (show == wasVisible) return wasVisible;
    CallProc(w, WM_SHOWWINDOW, show, 0);
    if (!(w = Lookup(hwnd))) return wasVisible;
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!show || command == SW_SHOWNOACTIVATE || command == SW_SHOWNA ||
        command == SW_SHOWMINNOACTIVE)
        flags |= SWP_NOACTIVATE;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    if (!show && (w = Lookup(hwnd))) ActivateAfterLoss(w);
    return wasVisible;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    Window* w = Checked(hwnd);
    gdi::PixRegion shape;
    if (!w || w->isDesktop || (region && !RegionOf(region, &shape))) return 0;
    gdi::PixRegion before = ShownArea(w);
    if (w->region && w->region != region) DeleteObject(w->region);
    w->region = region;
    w->hasShape = region != nullptr;
    w->shape = std::move(shape);
    gdi::PixRegion after = ShownArea(w);
    if (redraw) {
        InvalidateScreenArea(Minus(before, after), true);
        InvalidateScreenArea(after, true);
    }
    RefreshDCs();
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    Window* w = Checked(hwnd);
    if (!w || !w->region || GetObjectType(region) != OBJ_REGION) return ERROR;
    return CombineRgn(region, w->region, nullptr, RGN_COPY);
}
