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

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param) {
    std::shared_ptr<WndClass> cls = FindClassForCreate(className, instance);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    Window* parent = Desktop();
    Window* owner = nullptr;
    if (style & WS_CHILD) {
        parent = Checked(parentHandle);
    } else if (parentHandle) {
        owner = Checked(parentHandle);
        if (!owner) return nullptr;
        owner = owner->isDesktop ? nullptr : TopLevelOf(owner);
    }
    if (!parent) return nullptr;
    Window* w = NewWindow();
    if (!w) return nullptr;
    HWND hwnd = w->handle;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~DWORD(WS_VISIBLE);
    w->exStyle = exStyle;
    w->id = (style & WS_CHILD) ? UINT_PTR(menuOrId) : 0;
    w->instance = instance;
    w->text = windowName ? windowName : u"";
    w->extra.assign(size_t(cls->wndExtra), 0);
    w->owner = owner;
    w->rect = InitialRect(parent, style, x, y, width, height);
    LinkAt(parent, w, InsertionIndex(parent, exStyle));

    CREATESTRUCT cs = {param,
                       instance,
                       menuOrId,
                       parentHandle,
                       int(w->rect.bottom - w->rect.top),
                       int(w->rect.right - w->rect.left),
                       int(w->rect.top),
                       int(w->rect.left),
                       LONG(style),
                       windowName,
                       className,
                       exStyle};
    CBT_CREATEWND cbt = {&cs, HWND_TOP};
    if (CallCbtHooks(HCBT_CREATEWND, WPARAM(hwnd), LPARAM(&cbt))) {
        Discard(w);
        return nullptr;
    }
    if (!(w = Lookup(hwnd))) return nullptr;
    if (!CallProc(w, WM_NCCREATE, 0, LPARAM(&cs))) {
        if ((w = Lookup(hwnd))) DestroyWindow(hwnd);
        return nullptr;
    }
    if (!(w = Lookup(hwnd))) return nullptr;
    if (CallProc(w, WM_CREATE, 0, LPARAM(&cs)) == -1) {
        if (Lookup(hwnd)) DestroyWindow(hwnd);
        return nullptr;
    }
    if (!(w = Lookup(hwnd))) return nullptr;
    w->created = true;
    RECT client;
    GetClientRect(hwnd, &client);
    CallProc(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    if (!(w = Lookup(hwnd))) return nullptr;
    CallProc(w, WM_MOVE, 0,
             MAKELPARAM(w->rect.left + BorderWidth(w), w->rect.top + BorderWidth(w)));
    if (Lookup(hwnd) && (style & WS_VISIBLE)) ShowWindow(hwnd, SW_SHOW);
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
