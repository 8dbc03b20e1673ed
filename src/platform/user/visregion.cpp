// Visible regions and exposure. Every window clips its children and its siblings: a pixel of
// the screen belongs to exactly one window, the topmost visible one whose area holds it.
#include "platform/gdi/gdidevice.h"
#include "platform/user/wndobj.h"

namespace user {
namespace {

void Descend(Window* w, gdi::PixRegion area, bool erase) {
    gdi::PixRegion inClient = area;
    inClient.IntersectRect(ClientRectScreen(w));
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE) || inClient.IsEmpty()) continue;
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

gdi::PixRegion ShownArea(const Window* w) {
    if (!IsVisible(w)) return gdi::PixRegion();
    gdi::PixRegion area = OwnArea(w);
    for (const Window* cur = w; cur->parent && !area.IsEmpty(); cur = cur->parent) {
        const Window* p = cur->parent;
        area.IntersectRect(ClientRectScreen(p));
        if (p->hasShape) area.Intersect(OwnArea(p));
        for (const Window* s : p->children) {
            if (s == cur) break;
            if (s->style & WS_VISIBLE) area.Subtract(OwnArea(s));
        }
    }
    SIZE screen = GdiGetScreenSize();
    area.IntersectRect(RECT{0, 0, screen.cx, screen.cy});
    return area;
}

gdi::PixRegion VisibleRegion(const Window* w, bool client) {
    gdi::PixRegion area = ShownArea(w);
    if (client) area.IntersectRect(ClientRectScreen(w));
    for (const Window* c : w->children)
        if ((c->style & WS_VISIBLE) && !area.IsEmpty()) area.Subtract(OwnArea(c));
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
