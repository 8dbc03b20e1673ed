// The window tree: parents, children in z-order, owners, and the calls that walk them.
#include "platform/user/wndobj.h"

#include <algorithm>
#include <cstdint>

namespace user {

bool IsVisible(const Window* w) {
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE)) return false;
    return true;
}

bool RedrawOff(const Window* w) {
    for (; w; w = w->parent)
        if (w->redrawOff) return true;
    return false;
}

bool IsAncestorOf(const Window* ancestor, const Window* w) {
    for (; w; w = w->parent)
        if (w == ancestor) return true;
    return false;
}

Window* TopLevelOf(Window* w) {
    while (w && w->parent && !w->parent->isDesktop)
        w = w->parent;
    return w;
}

namespace {

// Order keys are spaced so that a window can mostly be given a key between two others without
// renumbering its siblings (bringing each of many controls to the top would otherwise renumber
// them all every time).
constexpr int64_t kOrderGap = int64_t(1) << 20;

void Renumber(std::vector<Window*>& siblings) {
    for (size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->z = int64_t(i) * kOrderGap;
}

// Gives siblings[i] a key between its neighbours' (all of them anew when there is no room).
void Order(std::vector<Window*>& siblings, size_t i) {
    Window* w = siblings[i];
    bool first = i == 0, last = i + 1 == siblings.size();
    if (first && last) {
        w->z = 0;
        return;
    }
    if (first && siblings[1]->z > INT64_MIN / 2) {
        w->z = siblings[1]->z - kOrderGap;
        return;
    }
    if (last && siblings[i - 1]->z < INT64_MAX / 2) {
        w->z = siblings[i - 1]->z + kOrderGap;
        return;
    }
    if (!first && !last && siblings[i + 1]->z - siblings[i - 1]->z > 1) {
        w->z = siblings[i - 1]->z + (siblings[i + 1]->z - siblings[i - 1]->z) / 2;
        return;
    }
    Renumber(siblings);
}

// w's place among its parent's children, found by its key; the size when it is not among them.
size_t PlaceOf(const Window* w) {
    const auto& siblings = w->parent->children;
    auto it = std::lower_bound(siblings.begin(), siblings.end(), w->z,
                               [](const Window* a, int64_t z) { return a->z < z; });
    if (it != siblings.end() && *it == w) return size_t(it - siblings.begin());
    return size_t(std::find(siblings.begin(), siblings.end(), w) - siblings.begin());
}

} // namespace

void Unlink(Window* w) {
    if (!w->parent) return;
    auto& siblings = w->parent->children;
    size_t index = PlaceOf(w);
    if (index == siblings.size()) return;
    AreasChangedAround(w, w->rect, true);
    UnlistFromGrid(w);
    siblings.erase(siblings.begin() + std::ptrdiff_t(index));
    w->parent->cleanBelow = 0;
}

void LinkAt(Window* parent, Window* w, size_t index) {
    if (w->parent != parent) GeometryChanged();
    w->parent = parent;
    auto& siblings = parent->children;
    index = std::min(index, siblings.size());
    siblings.insert(siblings.begin() + std::ptrdiff_t(index), w);
    Order(siblings, index);
    ListInGrid(w);
    AreasChangedAround(w, w->rect, true);
    parent->cleanBelow = 0;
    if (NeedsPaint(w) || w->paintBelow) MarkPaintBelow(parent);
}

void MoveToPlace(Window* w, size_t from, size_t place) {
    auto& siblings = w->parent->children;
    place = std::min(place, siblings.size() - 1);
    if (from >= siblings.size() || place == from) return;
    AreasChangedByRestack(w, siblings[std::min(from, place)]->z, siblings[std::max(from, place)]->z,
                          place < from);
    auto at = [&siblings](size_t i) { return siblings.begin() + std::ptrdiff_t(i); };
    if (place < from)
        std::rotate(at(place), at(from), at(from + 1));
    else
        std::rotate(at(from), at(from + 1), at(place + 1));
    Order(siblings, place);
    w->parent->cleanBelow = 0;
    if (NeedsPaint(w) || w->paintBelow) MarkPaintBelow(w->parent);
}

size_t ZIndex(const Window* w) {
    return w->parent ? PlaceOf(w) : 0;
}

void SetWindowRectField(Window* w, const RECT& rect) {
    if (SameRect(rect, w->rect)) return;
    PositionsChanged();
    UnlistFromGrid(w);
    RECT before = w->rect;
    w->rect = rect;
    ListInGrid(w);
    AreasChangedAround(w, before, true);
}

} // namespace user

using namespace user;

HWND GetDesktopWindow() {
    Window* d = Desktop();
    return d ? d->handle : nullptr;
}

HWND GetParent(HWND hwnd) {
    Window* w = Checked(hwnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD)
        return w->parent && !w->parent->isDesktop ? w->parent->handle : nullptr;
    return w->owner ? w->owner->handle : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = Checked(child);
    Window* p = newParent ? Checked(newParent) : Desktop();
    if (!w || !p || w->isDesktop || IsAncestorOf(w, p)) return nullptr;
    Window* old = w->parent;
    bool shown = IsVisible(w);
    if (shown) ShowWindow(child, SW_HIDE);
    Unlink(w);
    LinkAt(p, w, 0);
    if (shown) ShowWindow(child, SW_SHOWNA);
    RefreshDCs();
    return old && !old->isDesktop ? old->handle : GetDesktopWindow();
}

HWND GetWindow(HWND hwnd, UINT relation) {
    Window* w = Checked(hwnd);
    if (!w) return nullptr;
    const std::vector<Window*>* siblings = w->parent ? &w->parent->children : nullptr;
    size_t i = ZIndex(w);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings ? siblings->front()->handle : w->handle;
    case GW_HWNDLAST:
        return siblings ? siblings->back()->handle : w->handle;
    case GW_HWNDNEXT:
        return siblings && i + 1 < siblings->size() ? (*siblings)[i + 1]->handle : nullptr;
    case GW_HWNDPREV:
        return siblings && i > 0 ? (*siblings)[i - 1]->handle : nullptr;
    case GW_OWNER:
        return w->owner ? w->owner->handle : nullptr;
    case GW_CHILD:
        return w->children.empty() ? nullptr : w->children.front()->handle;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    Window* w = hwnd ? Checked(hwnd) : Desktop();
    return w && !w->children.empty() ? w->children.front()->handle : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* p = Lookup(parent);
    Window* w = Lookup(hwnd);
    if (!p || !w || p == w) return FALSE;
    // Only the chain of child windows counts, not owners.
    for (; w && (w->style & WS_CHILD); w = w->parent)
        if (w->parent == p) return TRUE;
    return FALSE;
}

HWND GetDlgItem(HWND parent, int id) {
    Window* p = Checked(parent);
    if (!p) return nullptr;
    for (Window* c : p->children)
        if ((c->style & WS_CHILD) && c->id == UINT_PTR(UINT(id))) return c->handle;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = Checked(hwnd);
    return w && (w->style & WS_CHILD) ? int(w->id) : 0;
}

BOOL IsWindow(HWND hwnd) {
    return Lookup(hwnd) != nullptr;
}

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = Lookup(hwnd);
    return w && IsVisible(w);
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = Lookup(hwnd);
    return w && !(w->style & WS_DISABLED);
}
