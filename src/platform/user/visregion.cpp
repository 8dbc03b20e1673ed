// Visible regions and exposure. Every window clips its children and its siblings: a pixel of
// the screen belongs to exactly one window, the topmost visible one whose area holds it.
#include "platform/gdi/gdidevice.h"
#include "platform/user/wndobj.h"

#include <algorithm>
#include <utility>

namespace user {
namespace {

constexpr size_t kFewAreas = 32;
// Fewer children than this are cut out of a parent's area one by one; more through the kept
// union of all its children (checking that the union still holds visits every child).
constexpr size_t kFewChildren = 8;
uint64_t g_areasEpoch = 1;

} // namespace

void AreasChanged() {
    ++g_areasEpoch;
}

namespace {

void ForgetShownAreas(const Window* w) {
    w->shownEpoch = 0;
    for (const Window* c : w->children)
        ForgetShownAreas(c);
}

} // namespace

void AreasChangedByRestack(const Window* w, int64_t low, int64_t high, bool up) {
    if (!w->parent) return;
    bool passed = false;
    // With redraw off above them, nothing asks for the areas until the windows are redrawn:
    // they are only forgotten, and each is worked out once then, however often it was passed
    // (a skin switch raises every control in turn).
    bool keep = up && (w->style & WS_VISIBLE) && !RedrawOff(w->parent);
    for (const Window* s : SiblingsMeeting(w)) {
        if (s == w || s->z < low || s->z > high) continue;
        passed = true;
        // Rising over s, a shown w takes its area out of what s shows, and that is all: the
        // overlapping controls of a crowded screen are passed again and again.
        if (keep && s->shownEpoch == g_areasEpoch) {
            s->shown.Subtract(OwnArea(w));
            for (const Window* c : s->children)
                ForgetShownAreas(c);
            continue;
        }
        ForgetShownAreas(s);
    }
    if (passed) ForgetShownAreas(w);
}

void AreasChangedAround(const Window* w, const RECT& before, bool itself) {
    if (itself) ForgetShownAreas(w);
    if (!w->parent) return;
    // Only siblings below it are cut by it; hidden ones too, as they keep their areas for when
    // they show again.
    auto forgetBelow = [w](const std::vector<Window*>& met) {
        for (const Window* s : met)
            if (s->z > w->z) ForgetShownAreas(s);
    };
    if (SameRect(before, w->rect)) return forgetBelow(SiblingsMeeting(w));
    static std::vector<Window*> met;
    met.clear();
    ChildrenMeeting(w->parent, before, &met);
    ChildrenMeeting(w->parent, w->rect, &met);
    forgetBelow(met);
}

gdi::PixRegion AreasOf(const std::vector<Window*>& windows) {
    // A few areas are joined one by one; many in one step from all their rectangles.
    if (windows.size() <= kFewAreas) {
        gdi::PixRegion all;
        for (const Window* s : windows)
            all.Union(OwnArea(s));
        return all;
    }
    std::vector<RECT> rects;
    for (const Window* s : windows) {
        if (!s->hasShape) {
            rects.push_back(WindowRectScreen(s));
            continue;
        }
        gdi::PixRegion area = OwnArea(s);
        for (const pixman_box32_t& b : area.Boxes())
            rects.push_back(RECT{b.x1, b.y1, b.x2, b.y2});
    }
    gdi::PixRegion all;
    all.SetRects(rects.data(), rects.size());
    return all;
}

uint64_t NewShapeSerial() {
    static uint64_t serial = 0;
    return ++serial;
}

namespace {

ChildAreas::From FromOf(const Window* c) {
    return {c, c->rect, c->hasShape ? c->shapeSerial : 0};
}

// Whether the kept union still holds: every visible child is found, as it is now, at its slot in
// the list it was built from, and the list holds no other.
bool StillHolds(const ChildAreas& kept, const Window* w) {
    size_t visible = 0;
    for (const Window* c : w->children) {
        if (!(c->style & WS_VISIBLE)) continue;
        if (c->areaSlot >= kept.from.size() || !(kept.from[c->areaSlot] == FromOf(c))) return false;
        ++visible;
    }
    return visible == kept.from.size();
}

// The union of the areas of w's visible children in w's client coordinates, kept until a child
// comes, goes, shows, hides, moves, sizes or takes another shape (restacking changes nothing).
ChildAreas& KeptChildAreas(const Window* w) {
    auto& kept = const_cast<Window*>(w)->childAreas;
    if (kept && StillHolds(*kept, w)) return *kept;
    std::vector<ChildAreas::From> from;
    from.reserve(w->children.size());
    for (const Window* c : w->children) {
        if (!(c->style & WS_VISIBLE)) continue;
        c->areaSlot = from.size();
        from.push_back(FromOf(c));
    }
    std::vector<RECT> rects;
    for (const ChildAreas::From& f : from) {
        if (!f.child->hasShape) {
            rects.push_back(f.rect);
            continue;
        }
        gdi::PixRegion shape = f.child->shape;
        shape.Translate(f.rect.left, f.rect.top);
        shape.IntersectRect(f.rect);
        for (const pixman_box32_t& b : shape.Boxes())
            rects.push_back(RECT{b.x1, b.y1, b.x2, b.y2});
    }
    if (!kept) kept = std::make_unique<ChildAreas>();
    kept->area.SetRects(rects.data(), rects.size());
    kept->from = std::move(from);
    kept->gapsFor = SIZE{-1, -1};
    return *kept;
}

// Removes from area (which lies within w's client area, but for parts its caller puts back)
// the areas of w's children that overlap it (found by FindChildrenNear over a rectangle holding
// area): one at a time while they are few, else all children at once (the others miss the area).
void SubtractChildren(gdi::PixRegion& area, const Window* w, const std::vector<Window*>& near);

// Removes the windows' areas from area: one at a time while they are few, skipping those that
// miss what is left.
void SubtractAreas(gdi::PixRegion& area, const std::vector<Window*>& windows) {
    if (windows.size() > kFewAreas) {
        area.Subtract(AreasOf(windows));
        return;
    }
    for (const Window* s : windows)
        if (!area.IsEmpty() && RectsOverlap(area.Extents(), WindowRectScreen(s)))
            area.Subtract(OwnArea(s));
}

void SubtractChildren(gdi::PixRegion& area, const Window* w, const std::vector<Window*>& near) {
    if (near.size() <= kFewChildren) return SubtractAreas(area, near);
    // What the children leave of the client area is kept with their union: a screen of many
    // controls leaves little, and the client part of area keeps only that.
    ChildAreas& kept = KeptChildAreas(w);
    RECT client = ClientRectScreen(w);
    SIZE size = {client.right - client.left, client.bottom - client.top};
    if (kept.gapsFor.cx != size.cx || kept.gapsFor.cy != size.cy) {
        kept.gaps = gdi::PixRegion(RECT{0, 0, size.cx, size.cy});
        kept.gaps.Subtract(kept.area);
        kept.gapsFor = size;
    }
    gdi::PixRegion gaps = kept.gaps;
    gaps.Translate(client.left, client.top);
    area.Intersect(gaps);
}

// Cuts region to the window's area.
void IntersectArea(gdi::PixRegion& region, const Window* w) {
    if (w->hasShape)
        region.Intersect(OwnArea(w));
    else
        region.IntersectRect(WindowRectScreen(w));
}

// Adds an area given in screen coordinates to the window's update region.
void AddScreenUpdate(Window* w, gdi::PixRegion area, bool erase) {
    if (area.IsEmpty()) return;
    RECT wr = WindowRectScreen(w);
    area.Translate(-wr.left, -wr.top);
    AddUpdate(w, std::move(area), erase);
}

// For each of the siblings (topmost first), whether one before it may cover part of it: a
// screen of many controls side by side has few, and the others need no search of their own.
std::vector<char> OverlappedFromAbove(const std::vector<Window*>& siblings) {
    std::vector<char> overlapped(siblings.size(), 0);
    if (siblings.size() <= kFewAreas) {
        std::fill(overlapped.begin(), overlapped.end(), 1);
        return overlapped;
    }
    // Left edges in order: a sibling can overlap only those starting left of its right edge.
    std::vector<size_t> byLeft(siblings.size());
    for (size_t i = 0; i < byLeft.size(); ++i)
        byLeft[i] = i;
    std::sort(byLeft.begin(), byLeft.end(), [&siblings](size_t a, size_t b) {
        return siblings[a]->rect.left < siblings[b]->rect.left;
    });
    for (size_t i = 0; i < byLeft.size(); ++i) {
        const RECT& a = siblings[byLeft[i]]->rect;
        for (size_t j = i + 1; j < byLeft.size() && siblings[byLeft[j]]->rect.left < a.right; ++j)
            if (RectsOverlap(a, siblings[byLeft[j]]->rect))
                overlapped[std::max(byLeft[i], byLeft[j])] = 1; // the lower one of the two
    }
    return overlapped;
}

// Hands each pixel of area (screen coordinates, within w's area) to w or the descendant that
// shows it. Each child near the area takes its part less what the siblings above it take.
void Descend(Window* w, gdi::PixRegion area, bool erase) {
    if (w->children.empty()) {
        AddScreenUpdate(w, std::move(area), erase);
        return;
    }
    RECT client = ClientRectScreen(w);
    gdi::PixRegion inClient = area;
    inClient.IntersectRect(client);
    std::vector<Window*> near;
    if (!inClient.IsEmpty()) FindChildrenNear(w, inClient.Extents(), kAllChildren, &near);
    std::vector<char> overlapped = OverlappedFromAbove(near);
    std::vector<Window*> above;
    for (size_t k = 0; k < near.size(); ++k) {
        Window* c = near[k];
        gdi::PixRegion part = inClient;
        IntersectArea(part, c);
        above.clear();
        if (overlapped[k] && !part.IsEmpty()) FindChildrenNear(w, part.Extents(), c->z, &above);
        SubtractAreas(part, above);
        if (!part.IsEmpty()) Descend(c, std::move(part), erase);
    }
    if (!near.empty()) {
        // What the children took leaves w the rest of the client part and its frame part.
        gdi::PixRegion frame;
        RECT extents = area.Extents(), inside;
        if (!IntersectRect(&inside, &extents, &client) || !SameRect(inside, extents)) {
            frame = area;
            frame.Subtract(inClient);
        }
        SubtractChildren(inClient, w, near);
        area = std::move(inClient);
        if (!frame.IsEmpty()) area.Union(frame);
    }
    AddScreenUpdate(w, std::move(area), erase);
}

// What of the window's area is on screen, worked out anew (see ShownArea): what its parent shows
// of it, less the siblings above it. The parent's area, kept as well, holds what the ancestors'
// client areas and regions and the siblings above them leave.
gdi::PixRegion WorkOutShownArea(const Window* w) {
    RECT wr = WindowRectScreen(w);
    gdi::PixRegion area;
    if (!w->parent) {
        SIZE screen = GdiGetScreenSize();
        area = gdi::PixRegion(RECT{0, 0, screen.cx, screen.cy});
    } else {
        RECT client = ClientRectScreen(w->parent);
        if (!RectsOverlap(wr, client)) return area;
        area = ShownArea(w->parent);
        CutToRect(area, client);
    }
    CutToRect(area, wr);
    if (area.IsEmpty()) return area;
    if (w->hasShape) area.Intersect(OwnArea(w));
    if (w->parent && !area.IsEmpty()) {
        std::vector<Window*> above;
        FindChildrenNear(w->parent, area.Extents(), w->z, &above);
        SubtractAreas(area, above);
    }
    return area;
}

} // namespace

// Most windows are rectangles that nothing covers: the area stays a rectangle until a shape or
// an overlapping sibling cuts it. The area of a visible window is kept until anything changes.
gdi::PixRegion ShownArea(const Window* w) {
    if (!IsVisible(w)) return gdi::PixRegion();
    if (w->shownEpoch != g_areasEpoch) {
        w->shown = WorkOutShownArea(w);
        w->shownEpoch = g_areasEpoch;
    }
    return w->shown;
}

gdi::PixRegion VisibleRegion(const Window* w, bool client) {
    gdi::PixRegion area = ShownArea(w);
    RECT inner = ClientRectScreen(w);
    if (client) CutToRect(area, inner);
    if (w->children.empty()) return area; // a control: nothing of it is cut out
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
    SubtractChildren(area, w, children);
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
