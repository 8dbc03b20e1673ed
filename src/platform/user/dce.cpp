// Window device contexts.
#include "platform/user/dce.h"

#include "platform/gdi/gdidevice.h"
#include "platform/gdi/wmvisible.h"

#include <algorithm>

namespace user {
namespace {

struct DcEntry {
    HDC dc = nullptr;
    HWND hwnd = nullptr;
    DcKind kind = DcKind::Client;
    gdi::PixRegion paintArea;
};

std::vector<DcEntry>& Entries() {
    static auto* entries = new std::vector<DcEntry>;
    return *entries;
}

gdi::PixRegion VisibleNow(HDC dc) {
    for (const DcEntry& e : Entries()) {
        if (e.dc != dc) continue;
        Window* w = Lookup(e.hwnd);
        if (!w) break;
        gdi::PixRegion visible = VisibleRegion(w, e.kind != DcKind::Window);
        if (e.kind != DcKind::Paint) return visible;
        // A rectangle to paint (mostly the whole client area) holds what shows of it already.
        if (e.paintArea.Complexity() == SIMPLEREGION)
            CutToRect(visible, e.paintArea.Extents());
        else
            visible.Intersect(e.paintArea);
        return visible;
    }
    return gdi::PixRegion();
}

void Apply(const DcEntry& e) {
    Window* w = Lookup(e.hwnd);
    if (e.kind == DcKind::Screen || !w) {
        GdiSetDCOrigin(e.dc, 0, 0);
        // A context whose window is gone draws nowhere.
        if (w || e.kind == DcKind::Screen)
            GdiSetDCVisibleRegion(e.dc, nullptr);
        else
            GdiSetDCVisiblePixRegion(e.dc, gdi::PixRegion());
        return;
    }
    RECT wr = WindowRectScreen(w);
    POINT origin = e.kind == DcKind::Window ? POINT{wr.left, wr.top} : ClientOrigin(w);
    GdiSetDCOrigin(e.dc, origin.x, origin.y);
    // Worked out when the context first draws: the window tree as it is then is the tree as
    // it was at this renewal, since every change renews the context again.
    GdiSetDCVisibleSource(e.dc, [dc = e.dc] { return VisibleNow(dc); });
}

} // namespace

HDC MakeWindowDC(Window* w, DcKind kind, const gdi::PixRegion* paintArea) {
    HDC dc = GdiCreateScreenDC();
    if (!dc) return nullptr;
    DcEntry e;
    e.dc = dc;
    e.hwnd = w ? w->handle : nullptr;
    e.kind = kind;
    if (paintArea) e.paintArea = *paintArea;
    Apply(e);
    Entries().push_back(std::move(e));
    return dc;
}

void EraseUpdateNow(Window* w) {
    RECT wr = WindowRectScreen(w);
    gdi::PixRegion area = w->update;
    area.IntersectRect(ClientRectInWindow(w));
    area.Translate(wr.left, wr.top);
    w->erase = false;
    HDC dc = MakeWindowDC(w, DcKind::Paint, &area);
    if (!dc) return;
    CallProc(w, WM_ERASEBKGND, WPARAM(dc), 0);
    ReleaseDC(w->handle, dc);
}

void RefreshDCs() {
    for (const DcEntry& e : Entries())
        if (e.kind != DcKind::Screen) Apply(e);
}

void ReleaseWindowDCs(Window* w) {
    auto& entries = Entries();
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->hwnd == w->handle && it->kind != DcKind::Screen) {
            DeleteDC(it->dc);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
}

void ResetDCs() {
    for (const DcEntry& e : Entries())
        DeleteDC(e.dc);
    Entries().clear();
}

} // namespace user

using namespace user;

HDC GetDC(HWND hwnd) {
    if (!hwnd) return MakeWindowDC(nullptr, DcKind::Screen, nullptr);
    Window* w = Checked(hwnd);
    if (!w) return nullptr;
    return MakeWindowDC(w, w->isDesktop ? DcKind::Screen : DcKind::Client, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
    if (!hwnd) return GetDC(nullptr);
    Window* w = Checked(hwnd);
    if (!w) return nullptr;
    return MakeWindowDC(w, w->isDesktop ? DcKind::Screen : DcKind::Window, nullptr);
}

int ReleaseDC(HWND hwnd, HDC dc) {
    auto& entries = Entries();
    auto it =
        std::find_if(entries.begin(), entries.end(), [dc](const DcEntry& e) { return e.dc == dc; });
    if (it == entries.end()) return 0;
    DeleteDC(it->dc);
    entries.erase(it);
    return 1;
}

HWND WindowFromDC(HDC dc) {
    for (const DcEntry& e : Entries())
        if (e.dc == dc) return e.hwnd;
    return nullptr;
}
