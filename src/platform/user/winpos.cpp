// Showing, hiding, moving, sizing and restacking windows, and what each change exposes.
//
// Every change compares the screen area the window showed before with what it shows after:
// what it no longer covers is handed to the windows now showing it, and what it newly shows is
// invalidated in itself and its children (contents are never copied, so moved windows repaint).
// A window that hides itself while inside its own paint exposes only the area it is repainting,
// and showing it again there invalidates nothing. A window within one that has redraw off
// exposes nothing at all: whatever it would expose lies within the window with redraw off, which
// takes no updates until redraw is on again (its caller then redraws it whole).
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

bool IsTopmost(const Window* w) {
    return w->exStyle & WS_EX_TOPMOST;
}

// The place among the siblings that `after` asks for, counted once w has left its old place
// (from, its place now).
size_t TargetPlace(const Window* w, size_t from, HWND after) {
    const auto& siblings = w->parent->children;
    size_t firstOrdinary = 0;
    while (firstOrdinary < siblings.size() && IsTopmost(siblings[firstOrdinary]))
        ++firstOrdinary;
    size_t target = from;
    if (after == HWND_TOPMOST) {
        target = 0;
    } else if (after == HWND_NOTOPMOST) {
        target = firstOrdinary;
    } else if (after == HWND_TOP) {
        target = IsTopmost(w) || w->parent != Desktop() ? 0 : firstOrdinary;
    } else if (after == HWND_BOTTOM) {
        target = siblings.size();
    } else if (Window* a = Lookup(after); a && a->parent == w->parent && a != w) {
        target = ZIndex(a) + 1;
    }
    return target > from ? target - 1 : target;
}

// Moves w from its place among its siblings to a new one.
void Restack(Window* w, HWND after, size_t from, size_t place) {
    if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) w->exStyle &= ~DWORD(WS_EX_TOPMOST);
    if (place != from) MoveToPlace(w, from, place);
}

// The visible siblings that overlap w and that moving it from its place to a new one passes.
std::vector<Window*> Passed(const Window* w, size_t from, size_t place) {
    const auto& siblings = w->parent->children;
    size_t low = std::min(from, place), high = std::max(from, place);
    int64_t limit = high + 1 < siblings.size() ? siblings[high + 1]->z : kAllChildren;
    std::vector<Window*> near, passed;
    FindChildrenNear(w->parent, WindowRectScreen(w), limit, &near);
    for (Window* s : near)
        if (s != w && s->z >= siblings[low]->z) passed.push_back(s);
    return passed;
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

// What the window no longer shows goes to its parent or the siblings now over it; what it
// shows now, to it or its children.
void Expose(Window* w, const gdi::PixRegion& before, const gdi::PixRegion& after, const Change& c) {
    bool transient = !w->painting.empty();
    if (c.hidden) {
        gdi::PixRegion exposed = before;
        if (transient) exposed.Intersect(w->painting.back());
        InvalidateWithin(w->parent, exposed, true);
        return;
    }
    InvalidateWithin(w->parent, Minus(before, after), true);
    // Shown again within its own paint: the window is repainting that area already.
    if (!(c.shown && transient)) InvalidateWithin(w, after, true);
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
    AreasChangedAround(w, w->rect, false);
    ClearUpdateTree(w);
    InvalidateWithin(w->parent, before, true);
    RefreshDCs();
}

} // namespace user

using namespace user;

namespace user {
namespace {

// What a call asks for: the new rectangle, place among the siblings and visibility (with the
// window's place now, looked up once per call).
struct Target {
    RECT rect;
    size_t from;
    size_t place;
    bool visible;
};

Target TargetOf(const Window* w, const WINDOWPOS& pos) {
    // The place is looked up only for a call that may change it (most calls keep it).
    size_t from = (pos.flags & SWP_NOZORDER) ? 0 : ZIndex(w);
    Target t = {w->rect, from, from, bool(w->style & WS_VISIBLE)};
    if (!(pos.flags & SWP_NOSIZE)) {
        t.rect.right = t.rect.left + std::max(0, pos.cx);
        t.rect.bottom = t.rect.top + std::max(0, pos.cy);
    }
    if (!(pos.flags & SWP_NOMOVE))
        t.rect = Shifted(t.rect, pos.x - t.rect.left, pos.y - t.rect.top);
    if (!(pos.flags & SWP_NOZORDER)) t.place = TargetPlace(w, from, pos.hwndInsertAfter);
    if ((pos.flags & SWP_SHOWWINDOW) && !(pos.flags & SWP_HIDEWINDOW)) t.visible = true;
    if (pos.flags & SWP_HIDEWINDOW) t.visible = false;
    return t;
}

Change ChangeOf(const Window* w, const Target& t) {
    Change c;
    const RECT& r = w->rect;
    c.moved = t.rect.left != r.left || t.rect.top != r.top;
    c.sized = (t.rect.right - t.rect.left != r.right - r.left) ||
              (t.rect.bottom - t.rect.top != r.bottom - r.top);
    c.restacked = t.place != t.from;
    bool wasVisible = w->style & WS_VISIBLE;
    c.shown = t.visible && !wasVisible;
    c.hidden = wasVisible && !t.visible;
    return c;
}

void Apply(Window* w, const WINDOWPOS& pos, const Target& t) {
    SetWindowRectField(w, t.rect);
    if (!(pos.flags & SWP_NOZORDER)) Restack(w, pos.hwndInsertAfter, t.from, t.place);
    if (t.visible == bool(w->style & WS_VISIBLE)) return;
    if (t.visible)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~DWORD(WS_VISIBLE);
    AreasChangedAround(w, w->rect, false);
}

// Compares what the window shows before and after the change.
void ApplyAndExpose(Window* w, const WINDOWPOS& pos, const Target& t, const Change& c,
                    bool redraw) {
    if (!redraw) {
        Apply(w, pos, t);
        if (c.hidden) ClearUpdateTree(w);
        return;
    }
    gdi::PixRegion before = ShownArea(w);
    Apply(w, pos, t);
    gdi::PixRegion now = ShownArea(w);
    if (c.hidden) ClearUpdateTree(w);
    Expose(w, before, now, c);
}

// A change of place alone (or no change): only the siblings passed on the way gain or lose
// pixels, and only where they overlap the window; a control's Update restacks every control,
// mostly passing nothing.
void ApplyPlace(Window* w, const WINDOWPOS& pos, const Target& t, bool redraw) {
    if (!redraw) return Apply(w, pos, t);
    std::vector<Window*> passed;
    if (t.place != t.from) passed = Passed(w, t.from, t.place);
    bool up = t.place < t.from;
    gdi::PixRegion exposed;
    if (!passed.empty() && !up) exposed = ShownArea(w); // what it shows before
    Apply(w, pos, t);
    if (passed.empty()) return;
    if (up) exposed = ShownArea(w); // what it shows after
    exposed.Intersect(AreasOf(passed));
    InvalidateWithin(up ? w : w->parent, exposed, true);
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
    Target t = TargetOf(w, pos);
    Change c = ChangeOf(w, t);
    bool redraw = !(pos.flags & SWP_NOREDRAW) && !RedrawOff(w->parent);
    if (c.moved || c.sized || c.shown || c.hidden)
        ApplyAndExpose(w, pos, t, c, redraw);
    else
        ApplyPlace(w, pos, t, redraw);
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
    redraw = redraw && !RedrawOff(w->parent);
    gdi::PixRegion before = redraw ? ShownArea(w) : gdi::PixRegion();
    if (w->region && w->region != region) DeleteObject(w->region);
    // A control's Update sets the region it already has: the areas stay what they were.
    bool same = w->hasShape == (region != nullptr) && w->shape.Equals(shape);
    w->region = region;
    w->hasShape = region != nullptr;
    w->shape = std::move(shape);
    if (!same) {
        w->shapeSerial = NewShapeSerial();
        AreasChangedAround(w, w->rect, true);
    }
    if (redraw) {
        gdi::PixRegion after = same ? before : ShownArea(w);
        InvalidateWithin(w->parent, Minus(before, after), true);
        InvalidateWithin(w, after, true);
    }
    RefreshDCs();
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    Window* w = Checked(hwnd);
    if (!w || !w->region || GetObjectType(region) != OBJ_REGION) return ERROR;
    return CombineRgn(region, w->region, nullptr, RGN_COPY);
}
