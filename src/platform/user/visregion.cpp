// Visible regions and exposure. Every window clips its children and its siblings: a pixel of
// the screen belongs to exactly one window, the topmost visible one whose area holds it.
#include "platform/gdi/gdidevice.h"
#include "platform/user/wndobj.h"

namespace user {
namespace {

void Descend(Window* w, gdi::PixRegion area, bool erase) {
    gdi::PixRegion inClient = area;
    inClient.IntersectRect(ClientRectScreen(w));
    std::vector<Window*> near;
    if (!inClient.IsEmpty()) near = VisibleChildrenNear(w, inClient.Extents());
    for (Window* c : near) {
        if (inClient.IsEmpty()) break;
        if (!RectsOverlap(inClient.Extents(), WindowRectScreen(c))) continue;
        gdi::PixRegion part = inClient;
        part.Intersect(OwnArea(c));
        if (part.IsEmpty()) continue;
        inClient.Subtract(part);
        area.Subtract(part);
        Descend(c, std::move(part), erase);
    }
    if (area.IsEmpty()) return;
    RECT wr = WindowRectScreen(w);
    area.Translate(-wr.left, -wr.top);
    AddUpdate(w, area, erase);
}

} // namespace

namespace {

// Removes the areas of windows from area in one step when they are plain rectangles.
void SubtractAreas(gdi::PixRegion& area, const std::vector<Window*>& windows) {
    if (windows.size() == 1) {
        area.Subtract(OwnArea(windows.front()));
        return;
    }
    std::vector<RECT> rects;
    gdi::PixRegion shaped;
    for (const Window* s : windows) {
        if (s->hasShape)
            shaped.Union(OwnArea(s));
        else
            rects.push_back(WindowRectScreen(s));
    }
    gdi::PixRegion cut;
    cut.SetRects(rects.data(), rects.size());
    cut.Union(shaped);
    area.Subtract(cut);
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
    std::vector<Window*> above;
    std::vector<const Window*> shaped;
    if (w->hasShape) shaped.push_back(w);
    for (const Window* cur = w; cur->parent; cur = cur->parent) {
        const Window* p = cur->parent;
        if (p->hasShape) shaped.push_back(p);
        for (Window* s : VisibleChildrenNear(p, bound)) {
            if (s->z >= cur->z) break;
            above.push_back(s);
        }
    }
    gdi::PixRegion area(bound);
    for (const Window* s : shaped)
        area.Intersect(OwnArea(s));
    if (!above.empty()) SubtractAreas(area, above);
    return area;
}

gdi::PixRegion VisibleRegion(const Window* w, bool client) {
    gdi::PixRegion area = ShownArea(w);
    RECT inner = ClientRectScreen(w);
    if (client) area.IntersectRect(inner);
    RECT extents = area.Extents(), reach;
    if (area.IsEmpty() || !IntersectRect(&reach, &extents, &inner)) return area;
    std::vector<Window*> children = VisibleChildrenNear(w, reach);
    if (children.empty()) return area;
    // Children show only within the client area: the frame stays the window's own.
    gdi::PixRegion frame;
    if (!client) {
        frame = area;
        frame.Subtract(gdi::PixRegion(inner));
    }
    SubtractAreas(area, children);
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

} // namespace user
