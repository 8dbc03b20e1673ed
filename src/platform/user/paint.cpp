// The paint cycle: update regions, WM_NCPAINT and WM_PAINT, BeginPaint and EndPaint.
//
// Invalidation only collects; painting happens when the queue is empty (the pump or
// GetMessage finds the window) or at once through UpdateWindow. A window inside its own paint
// remembers the screen area it repaints, so that hiding itself there exposes only that area.
// While a window has redraw off (WM_SETREDRAW), invalidations within it are dropped and nothing
// within it paints; what was pending before stays pending for when redraw is on again.
#include "platform/user/dce.h"
#include "platform/user/wndobj.h"

#include <algorithm>
#include <utility>

namespace user {
namespace {

RECT WindowBounds(const Window* w) {
    return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

// An area given in client coordinates (null: the whole client area), in window coordinates.
bool ClientAreaInWindow(const Window* w, const RECT* rect, HRGN region, gdi::PixRegion* out) {
    RECT client = ClientRectInWindow(w);
    if (region) {
        if (!RegionOf(region, out)) return false;
        out->Translate(client.left, client.top);
    } else if (rect) {
        RECT r = *rect;
        OffsetRect(&r, client.left, client.top);
        *out = gdi::PixRegion(gdi::ClampRect(r.left, r.top, r.right, r.bottom));
    } else {
        *out = gdi::PixRegion(client);
    }
    out->IntersectRect(client);
    return true;
}

void Validate(Window* w, const gdi::PixRegion* area) {
    if (area)
        w->update.Subtract(*area);
    else
        w->update.SetEmpty();
    if (w->update.IsEmpty()) w->erase = false;
}

gdi::PixRegion ClientUpdate(const Window* w) {
    gdi::PixRegion part = w->update;
    part.IntersectRect(ClientRectInWindow(w));
    return part;
}

// ClientUpdate, leaving the window with no update region: the region moves out whole and is cut
// only when it reaches past the client area (mostly it does not, its frame part being gone).
gdi::PixRegion TakeClientUpdate(Window* w) {
    gdi::PixRegion part = std::move(w->update);
    CutToRect(part, ClientRectInWindow(w));
    return part;
}

void InvalidateSubtree(Window* w, const gdi::PixRegion& screenArea, bool erase) {
    RECT extents = screenArea.Extents();
    bool rectangle = screenArea.Complexity() == SIMPLEREGION;
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE)) continue;
        RECT cr = WindowRectScreen(c);
        if (!RectsOverlap(extents, cr)) continue;
        RECT within = {std::max(extents.left, cr.left), std::max(extents.top, cr.top),
                       std::min(extents.right, cr.right), std::min(extents.bottom, cr.bottom)};
        if (rectangle && !c->hasShape && SameRect(within, cr)) {
            // The whole of a rectangular child: a redraw of a screen of many controls.
            AddUpdate(c, gdi::PixRegion(0, 0, cr.right - cr.left, cr.bottom - cr.top), erase);
            if (!c->children.empty()) InvalidateSubtree(c, gdi::PixRegion(cr), erase);
            continue;
        }
        gdi::PixRegion part = screenArea;
        if (c->hasShape)
            part.Intersect(OwnArea(c));
        else
            part.IntersectRect(cr);
        if (part.IsEmpty()) continue;
        gdi::PixRegion local = part;
        local.Translate(-cr.left, -cr.top);
        AddUpdate(c, std::move(local), erase);
        InvalidateSubtree(c, part, erase);
    }
}

// Neither the window nor anything below it needs paint.
bool Clean(const Window* w) {
    return w->update.IsEmpty() && !w->paintBelow;
}

void CollectPreOrder(Window* w, std::vector<HWND>* out) {
    if (!(w->style & WS_VISIBLE) || w->redrawOff) return;
    out->push_back(w->handle);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        CollectPreOrder(*it, out);
}

} // namespace

void AddUpdate(Window* w, gdi::PixRegion windowArea, bool erase) {
    if (w->destroying) return;
    for (const Window* x = w; x; x = x->parent)
        if (!(x->style & WS_VISIBLE) || x->redrawOff) return;
    RECT bounds = WindowBounds(w);
    if (windowArea.IsEmpty() || !RectsOverlap(windowArea.Extents(), bounds)) return;
    CutToRect(windowArea, bounds); // when it reaches outside the window
    if (windowArea.IsEmpty()) return;
    if (w->update.IsEmpty())
        w->update = std::move(windowArea);
    else
        w->update.Union(windowArea);
    if (erase) w->erase = true;
    MarkPaintBelow(w->parent);
}

void MarkPaintBelow(Window* w) {
    for (; w; w = w->parent) {
        w->cleanBelow = 0; // the window below that needs paint may be among those counted
        if (w->paintBelow) return;
        w->paintBelow = true;
    }
}

void ClearUpdateTree(Window* w) {
    if (!w->update.IsEmpty()) w->update.SetEmpty(); // mostly empty: a control hidden in place
    w->erase = false;
    for (Window* c : w->children)
        ClearUpdateTree(c);
}

bool NeedsPaint(const Window* w) {
    return !w->update.IsEmpty();
}

Window* FindWindowToPaint(Window* root) {
    if (!root || !(root->style & WS_VISIBLE) || root->redrawOff) return nullptr;
    if (NeedsPaint(root)) return root;
    if (!root->paintBelow) return nullptr;
    // Lower siblings first, so that what lies under a window is painted before it; the lowest
    // ones found clean before are not searched again.
    const auto& children = root->children;
    for (size_t i = children.size() - std::min(root->cleanBelow, children.size()); i-- > 0;) {
        if (Window* found = FindWindowToPaint(children[i])) return found;
        if (root->cleanBelow == children.size() - 1 - i && Clean(children[i])) ++root->cleanBelow;
    }
    if (root->cleanBelow == children.size()) root->paintBelow = false;
    return nullptr;
}

void SendNcPaint(Window* w) {
    if (w->update.IsEmpty()) return;
    RECT client = ClientRectInWindow(w), bounds = WindowBounds(w);
    if (SameRect(client, bounds)) return; // no frame or bars to paint
    gdi::PixRegion frame = w->update;
    frame.Subtract(gdi::PixRegion(client));
    if (frame.IsEmpty()) return;
    w->update.Subtract(frame);
    if (w->update.IsEmpty()) w->erase = false;
    RECT wr = WindowRectScreen(w);
    frame.Translate(wr.left, wr.top);
    HRGN region = MakeRegionHandle(frame);
    CallProc(w, WM_NCPAINT, WPARAM(region), 0);
    DeleteObject(region);
}

void PaintWindow(Window* w) {
    if (RedrawOff(w)) return;
    HWND hwnd = w->handle;
    SendNcPaint(w);
    w = Lookup(hwnd);
    if (w && NeedsPaint(w)) CallProc(w, WM_PAINT, 0, 0);
}

} // namespace user

using namespace user;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    if (!region) return InvalidateRect(hwnd, nullptr, erase);
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = Checked(hwnd);
    if (!w) return FALSE;
    if (!rect) {
        Validate(w, nullptr);
        return TRUE;
    }
    gdi::PixRegion area;
    ClientAreaInWindow(w, rect, nullptr, &area);
    Validate(w, &area);
    return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
    Window* w = Checked(hwnd);
    if (!w) return FALSE;
    if (!region) return ValidateRect(hwnd, nullptr);
    gdi::PixRegion area;
    if (!ClientAreaInWindow(w, nullptr, region, &area)) return FALSE;
    Validate(w, &area);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
    // No window: every window on the screen.
    if (!hwnd && (flags & RDW_INVALIDATE) && !rect && !region) {
        for (Window* x : AllWindows())
            AddUpdate(x, gdi::PixRegion(WindowBounds(x)), flags & RDW_ERASE);
        if (flags & RDW_UPDATENOW) UpdateWindow(GetDesktopWindow());
        return TRUE;
    }
    Window* w = hwnd ? Checked(hwnd) : Desktop();
    if (!w) return FALSE;
    // Nothing within a window with redraw off takes an update (its children neither).
    if ((flags & RDW_INVALIDATE) && RedrawOff(w)) return TRUE;
    gdi::PixRegion area;
    if (!rect && !region && (flags & RDW_FRAME))
        area = gdi::PixRegion(WindowBounds(w));
    else if (!ClientAreaInWindow(w, rect, region, &area))
        return FALSE;
    if (flags & RDW_INVALIDATE) {
        AddUpdate(w, area, flags & RDW_ERASE);
        // Every window clips its children, so they are only included when asked for.
        if (flags & RDW_ALLCHILDREN) {
            RECT wr = WindowRectScreen(w);
            gdi::PixRegion screen = area;
            screen.Translate(wr.left, wr.top);
            InvalidateSubtree(w, screen, flags & RDW_ERASE);
        }
    } else if (flags & RDW_VALIDATE) {
        Validate(w, &area);
    }
    if (flags & RDW_UPDATENOW) UpdateWindow(w->handle);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = Checked(hwnd);
    if (!w) return FALSE;
    if (RedrawOff(w)) return TRUE;
    // A snapshot: paint handlers may change the tree, and each window paints once here.
    std::vector<HWND> order;
    CollectPreOrder(w, &order);
    for (HWND h : order) {
        Window* x = Lookup(h);
        if (x && IsVisible(x) && NeedsPaint(x)) PaintWindow(x);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    Window* w = Checked(hwnd);
    if (!w) return FALSE;
    gdi::PixRegion part = ClientUpdate(w);
    RECT client = ClientRectInWindow(w);
    if (rect) {
        *rect = part.IsEmpty() ? RECT{} : part.Extents();
        if (!part.IsEmpty()) OffsetRect(rect, -client.left, -client.top);
    }
    if (erase && w->erase && !part.IsEmpty() && !RedrawOff(w)) EraseUpdateNow(w);
    return !part.IsEmpty();
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
    Window* w = Checked(hwnd);
    if (!w || GetObjectType(region) != OBJ_REGION) return ERROR;
    gdi::PixRegion part = ClientUpdate(w);
    RECT client = ClientRectInWindow(w);
    part.Translate(-client.left, -client.top);
    HRGN copy = MakeRegionHandle(part);
    CombineRgn(region, copy, nullptr, RGN_COPY);
    DeleteObject(copy);
    if (erase && w->erase && !part.IsEmpty() && !RedrawOff(w)) EraseUpdateNow(w);
    return part.Complexity();
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window* w = Checked(hwnd);
    if (!w || !ps) return nullptr;
    SendNcPaint(w);
    if (!(w = Lookup(hwnd))) return nullptr;
    gdi::PixRegion area = TakeClientUpdate(w);
    bool erase = w->erase;
    w->erase = false;
    RECT wr = WindowRectScreen(w);
    area.Translate(wr.left, wr.top);
    *ps = PAINTSTRUCT{};
    ps->hdc = MakeWindowDC(w, DcKind::Paint, &area);
    if (!area.IsEmpty()) {
        POINT origin = ClientOrigin(w);
        ps->rcPaint = Shifted(area.Extents(), -origin.x, -origin.y);
    }
    w->painting.push_back(std::move(area));
    if (erase && ps->hdc) ps->fErase = !CallProc(w, WM_ERASEBKGND, WPARAM(ps->hdc), 0);
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    if (Window* w = Lookup(hwnd); w && !w->painting.empty()) w->painting.pop_back();
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}
