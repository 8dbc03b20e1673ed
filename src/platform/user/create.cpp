// Creating and destroying windows.
#include "platform/user/queue.h"
#include "platform/user/userdevice.h"

#include <algorithm>

namespace user {
namespace {

size_t InsertionIndex(const Window* parent, DWORD exStyle) {
    if (exStyle & WS_EX_TOPMOST) return 0;
    // Ordinary windows start below the topmost ones.
    size_t i = 0;
    while (i < parent->children.size() && (parent->children[i]->exStyle & WS_EX_TOPMOST))
        ++i;
    return i;
}

RECT InitialRect(const Window* parent, DWORD style, int x, int y, int width, int height) {
    RECT client = ClientRectInWindow(parent);
    LONG pw = client.right - client.left, ph = client.bottom - client.top;
    if (x == CW_USEDEFAULT) x = y = 0;
    // A top-level window of default size fills the screen, as applications on the device do.
    if (width == CW_USEDEFAULT) {
        width = (style & WS_CHILD) ? 0 : pw;
        height = (style & WS_CHILD) ? 0 : ph;
    }
    return RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
}

// Removes a window that never finished its creation, without further messages.
void Discard(Window* w) {
    Unlink(w);
    FreeWindow(w);
}

void SendDestroy(HWND hwnd) {
    Window* w = Lookup(hwnd);
    if (!w) return;
    w->destroying = true;
    CallProc(w, WM_DESTROY, 0, 0);
    if (!(w = Lookup(hwnd))) return;
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(c->handle);
    for (HWND c : children)
        SendDestroy(c);
}

void FinishDestroy(HWND hwnd) {
    Window* w = Lookup(hwnd);
    if (!w) return;
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(c->handle);
    for (HWND c : children)
        FinishDestroy(c);
    if (!(w = Lookup(hwnd))) return;
    KillWindowTimers(w);
    RemoveQueuedFor(w);
    ReleaseWindowDCs(w);
    CallProc(w, WM_NCDESTROY, 0, 0);
    if (!(w = Lookup(hwnd))) return;
    if (w->region) DeleteObject(w->region);
    for (Window* other : AllWindows())
        if (other->owner == w) other->owner = nullptr;
    Unlink(w);
    FreeWindow(w);
}

void DestroyOwnedPopups(Window* w) {
    std::vector<HWND> owned;
    for (Window* other : AllWindows())
        if (other->owner == w) owned.push_back(other->handle);
    for (HWND h : owned)
        DestroyWindow(h);
}

} // namespace
} // namespace user

using namespace user;

namespace user {
namespace {

// The parent (the desktop for top-level windows) and, for popups, the owner; false for a bad
// handle.
bool ResolveRelatives(DWORD style, HWND parentHandle, Window** parent, Window** owner) {
    *parent = Desktop();
    *owner = nullptr;
    if (style & WS_CHILD) {
        *parent = Checked(parentHandle);
    } else if (parentHandle) {
        Window* o = Checked(parentHandle);
        if (!o) return false;
        *owner = o->isDesktop ? nullptr : TopLevelOf(o);
    }
    return *parent != nullptr;
}

Window* MakeWindow(const std::shared_ptr<WndClass>& cls, const CREATESTRUCT& cs, Window* parent,
                   Window* owner) {
    Window* w = NewWindow();
    if (!w) return nullptr;
    DWORD style = DWORD(cs.style);
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~DWORD(WS_VISIBLE); // shown once created
    w->exStyle = cs.dwExStyle;
    w->id = (style & WS_CHILD) ? UINT_PTR(cs.hMenu) : 0;
    w->instance = cs.hInstance;
    w->text = cs.lpszName ? cs.lpszName : u"";
    w->extra.assign(size_t(cls->wndExtra), 0);
    w->owner = owner;
    w->rect = InitialRect(parent, style, cs.x, cs.y, cs.cx, cs.cy);
    LinkAt(parent, w, InsertionIndex(parent, cs.dwExStyle));
    return w;
}

// The creation messages; false when the window refused or went away.
bool SendCreation(HWND hwnd, CREATESTRUCT* cs) {
    CBT_CREATEWND cbt = {cs, HWND_TOP};
    if (CallCbtHooks(HCBT_CREATEWND, WPARAM(hwnd), LPARAM(&cbt))) {
        if (Window* w = Lookup(hwnd)) Discard(w);
        return false;
    }
    Window* w = Lookup(hwnd);
    if (!w) return false;
    if (!CallProc(w, WM_NCCREATE, 0, LPARAM(cs)) ||
        (Lookup(hwnd) && CallProc(w, WM_CREATE, 0, LPARAM(cs)) == -1)) {
        if (Lookup(hwnd)) DestroyWindow(hwnd);
        return false;
    }
    if (!(w = Lookup(hwnd))) return false;
    w->created = true;
    RECT client;
    GetClientRect(hwnd, &client);
    CallProc(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    if (!(w = Lookup(hwnd))) return false;
    int b = BorderWidth(w);
    CallProc(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + b, w->rect.top + b));
    return Lookup(hwnd) != nullptr;
}

} // namespace
} // namespace user

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param) {
    std::shared_ptr<WndClass> cls = FindClassForCreate(className, instance);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    Window* parent = nullptr;
    Window* owner = nullptr;
    if (!ResolveRelatives(style, parentHandle, &parent, &owner)) return nullptr;
    CREATESTRUCT cs = {param, instance, menuOrId,    parentHandle, height,    width,
                       y,     x,        LONG(style), windowName,   className, exStyle};
    Window* w = MakeWindow(cls, cs, parent, owner);
    if (!w) return nullptr;
    // The procedure sees the size the window really has.
    cs.cx = int(w->rect.right - w->rect.left);
    cs.cy = int(w->rect.bottom - w->rect.top);
    cs.x = int(w->rect.left);
    cs.y = int(w->rect.top);
    HWND hwnd = w->handle;
    if (!SendCreation(hwnd, &cs)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return Lookup(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = Checked(hwnd);
    if (!w || w->destroying || w->isDesktop) return FALSE;
    if (CallCbtHooks(HCBT_DESTROYWND, WPARAM(hwnd), 0)) return FALSE;
    if (!(w = Lookup(hwnd))) return FALSE;
    DestroyOwnedPopups(w);
    if (!(w = Lookup(hwnd)) || w->destroying) return FALSE;
    w->destroying = true;
    if (w->style & WS_VISIBLE) HideForDestroy(w);
    if ((w = Lookup(hwnd))) ForgetWindowInput(w);
    if (!Lookup(hwnd)) return TRUE;
    SendDestroy(hwnd);
    FinishDestroy(hwnd);
    return TRUE;
}
