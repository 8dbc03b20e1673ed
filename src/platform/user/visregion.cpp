// Visible regions and exposure. Every window clips its children and its siblings: a pixel of
// the screen belongs to exactly one window, the topmost visible one whose area holds it.
#include "platform/gdi/gdidevice.h"
#include "platform/user/wndobj.h"

namespace user {
namespace {

// The union of the windows' areas, built in one step when they are plain rectangles.
gdi::PixRegion AreasOf(const std::vector<Window*>& windows) {
    if (windows.size() == 1) return OwnArea(windows.front());
    std::vector<RECT> rects;
    gdi::PixRegion shaped;
    for (const Window* s : windows) {
        if (s->hasShape)
            shaped.Union(OwnArea(s));
        else
            rects.push_back(WindowRectScreen(s));
    }
    gdi::PixRegion all;
    all.SetRects(rects.data(), rects.size());
    if (!shaped.IsEmpty()) all.Union(shaped);
    return all;
}

// Cuts region to the window's area.
void IntersectArea(gdi::PixRegion& region, const Window* w) {
    if (w->hasShape)
        region.Intersect(OwnArea(w));
    else
        region.IntersectRect(WindowRectScreen(w));
}

// Hands each pixel of area (screen coordinates, within w's area) to w or the descendant that
// shows it. Each child near the area takes its part less what the siblings above it take.
void Descend(Window* w, gdi::PixRegion area, bool erase) {
    RECT client = ClientRectScreen(w);
    gdi::PixRegion inClient = area;
    inClient.IntersectRect(client);
    std::vector<Window*> near;
    if (!inClient.IsEmpty()) FindChildrenNear(w, inClient.Extents(), kAllChildren, &near);
    std::vector<Window*> above;
    for (Window* c : near) {
        gdi::PixRegion part = inClient;
        IntersectArea(part, c);
        above.clear();
        if (!part.IsEmpty()) FindChildrenNear(w, part.Extents(), c->z, &above);
        if (!above.empty()) part.Subtract(AreasOf(above));
        if (!part.IsEmpty()) Descend(c, std::move(part), erase);
    }
    if (!near.empty()) {
        gdi::PixRegion taken = AreasOf(near);
        taken.IntersectRect(client);
        area.Subtract(taken);
    }
    if (area.IsEmpty()) return;
    RECT wr = WindowRectScreen(w);
    area.Translate(-wr.left, -wr.top);
    AddUpdate(w, area, erase);
}

// The window's rectangle cut by its ancestors' client areas and the screen.
RECT Bound(const Window* w) {
    RECT bound = WindowRectScreen(w);
    for (const Window* cur = w; cur->parent; cur = cur->parent) {
        RECT client = ClientRectScreen(cur->parent);
        IntersectRect(&bound, &bound, &client);
    }
    SIZE screen = GdiGetScreenSize();
    RECT all = {0, 0, screen.cx, screen.cy};
    IntersectRect(&bound, &bound, &all);
    return bound;
}

} // namespace

// Most windows are rectangles that nothing covers: the area stays a rectangle until a shape or
// an overlapping sibling cuts it.
gdi::PixRegion ShownArea(const Window* w) {
    if (!IsVisible(w)) return gdi::PixRegion();
    RECT bound = Bound(w);
    if (IsRectEmpty(&bound)) return gdi::PixRegion();
    gdi::PixRegion area(bound);
    if (w->hasShape) area.Intersect(OwnArea(w));
    std::vector<Window*> above;
    for (const Window* cur = w; cur->parent; cur = cur->parent) {
        if (cur->parent->hasShape) area.Intersect(OwnArea(cur->parent));
        FindChildrenNear(cur->parent, bound, cur->z, &above);
    }
    if (!above.empty()) area.Subtract(AreasOf(above));
    return area;
}

gdi::PixRegion VisibleRegion(const Window* w, bool client) {
    gdi::PixRegion area = ShownArea(w);
    RECT inner = ClientRectScreen(w);
    if (client) area.IntersectRect(inner);
    RECT extents = area.Extents(), reach;
    if (area.IsEmpty() || !IntersectRect(&reach, &extents, &inner)) return area;
    std::vector<Window*> children;
    FindChildrenNear(w, reach, kAllChildren, &children);
    if (children.empty()) return area;
    // Children show only within the client area: the frame stays the window's own.
    gdi::PixRegion frame;
    if (!client) {
        frame = area;
        frame.Subtract(gdi::PixRegion(inner));
    }
    area.Subtract(AreasOf(children));
    area.Union(frame);
    return area;
}

void InvalidateScreenArea(const gdi::PixRegion& screenArea, bool erase) {
    Window* d = Desktop();
    if (!d || screenArea.IsEmpty() || !(d->style & WS_VISIBLE)) return;
    gdi::PixRegion area = screenArea;
    area.Intersect(OwnArea(d));
    if (!area.IsEmpty()) Descend(d, std::move(area), erase);
}

void InvalidateWithin(Window* top, const gdi::PixRegion& screenArea, bool erase) {
    if (!screenArea.IsEmpty() && IsVisible(top)) Descend(top, screenArea, erase);
}

} // namespace user
