// ScrollWindowEx: moving a window's pixels instead of repainting them. Only pixels that are on
// screen and up to date are moved; what the move leaves behind (and the window's pending
// update, moved along) is all that needs painting afterwards.
#include "platform/gdi/gdidevice.h"
#include "platform/gdi/wmvisible.h"
#include "platform/user/wndobj.h"

#include <utility>

namespace user {
namespace {

// Copies the pixels that land in dest (client coordinates) from where they were.
void MovePixels(const Window* w, const gdi::PixRegion& dest, int dx, int dy) {
    POINT origin = ClientOrigin(w);
    HDC dc = GdiCreateScreenDC();
    if (!dc) return;
    GdiSetDCOrigin(dc, origin.x, origin.y);
    gdi::PixRegion screen = dest;
    screen.Translate(origin.x, origin.y);
    GdiSetDCVisiblePixRegion(dc, screen);
    RECT e = dest.Extents();
    BitBlt(dc, int(e.left), int(e.top), int(e.right - e.left), int(e.bottom - e.top), dc,
           int(e.left) - dx, int(e.top) - dy, SRCCOPY);
    DeleteDC(dc);
}

void MoveChildren(Window* w, const RECT& scroll, int dx, int dy) {
    std::vector<HWND> moving;
    for (Window* c : w->children)
        if (RectsOverlap(c->rect, scroll)) moving.push_back(c->handle);
    for (HWND h : moving) {
        Window* c = Lookup(h);
        if (c)
            SetWindowPos(h, nullptr, int(c->rect.left) + dx, int(c->rect.top) + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The client area's pending update, in client coordinates.
gdi::PixRegion PendingUpdate(const Window* w) {
    RECT client = ClientRectInWindow(w);
    gdi::PixRegion pending = w->update;
    pending.IntersectRect(client);
    pending.Translate(-client.left, -client.top);
    return pending;
}

} // namespace
} // namespace user

using namespace user;

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags) {
    Window* w = Checked(hwnd);
    if (!w) return ERROR;
    RECT client, s, c;
    GetClientRect(hwnd, &client);
    s = c = client;
    if (scroll) IntersectRect(&s, &client, scroll);
    if (clip) IntersectRect(&c, &client, clip);
    POINT origin = ClientOrigin(w);
    gdi::PixRegion visible = VisibleRegion(w, true);
    visible.Translate(-origin.x, -origin.y);
    gdi::PixRegion pending = PendingUpdate(w);
    // The pixels that can be moved, and where they land.
    gdi::PixRegion dest = visible;
    dest.IntersectRect(s);
    dest.Subtract(pending);
    dest.Translate(dx, dy);
    dest.IntersectRect(c);
    dest.Intersect(visible);
    if (!dest.IsEmpty() && (dx || dy)) MovePixels(w, dest, dx, dy);
    gdi::PixRegion exposed(s);
    exposed.IntersectRect(c);
    exposed.Subtract(dest);
    exposed.Intersect(visible);
    if (flags & SW_INVALIDATE) {
        gdi::PixRegion invalid = pending;
        invalid.Translate(dx, dy);
        invalid.IntersectRect(c);
        invalid.Union(exposed);
        RECT inWindow = ClientRectInWindow(w);
        invalid.Translate(int(inWindow.left), int(inWindow.top));
        AddUpdate(w, std::move(invalid), flags & SW_ERASE);
    }
    if (flags & SW_SCROLLCHILDREN) MoveChildren(w, s, dx, dy);
    if (update && GetObjectType(update) == OBJ_REGION) {
        HRGN copy = MakeRegionHandle(exposed);
        CombineRgn(update, copy, nullptr, RGN_COPY);
        DeleteObject(copy);
    }
    if (updateRect) *updateRect = exposed.IsEmpty() ? RECT{} : exposed.Extents();
    return exposed.Complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}
