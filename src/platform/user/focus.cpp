// Keyboard focus and the active window.
#include "platform/user/wndobj.h"

namespace user {
namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
};

FocusState& Focus() {
    static auto* state = new FocusState;
    return *state;
}

bool CanActivate(const Window* w) {
    return (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && !(w->exStyle & WS_EX_NOACTIVATE);
}

} // namespace

void MoveFocusFrom(Window* w) {
    Window* f = Lookup(Focus().focus);
    if (!f || !IsAncestorOf(w, f)) return;
    Window* p = w->parent;
    bool toParent = (w->style & WS_CHILD) && p && !p->isDesktop && !p->destroying;
    SetFocus(toParent ? p->handle : nullptr);
}

void ActivateAfterLoss(Window* w) {
    Window* a = Lookup(Focus().active);
    if (!a || !IsAncestorOf(w, a)) return;
    HWND next = nullptr;
    if (Window* d = Desktop()) {
        for (Window* c : d->children) {
            if (c != w && !c->destroying && CanActivate(c)) {
                next = c->handle;
                break;
            }
        }
    }
    SetActiveWindow(next);
}

void ResetFocus() {
    Focus() = FocusState{};
}

} // namespace user

using namespace user;

HWND SetFocus(HWND hwnd) {
    Window* w = hwnd ? Checked(hwnd) : nullptr;
    if (hwnd && !w) return nullptr;
    FocusState& s = Focus();
    if (w) {
        Window* top = TopLevelOf(w);
        if (top && !top->isDesktop && s.active != top->handle) SetActiveWindow(top->handle);
    }
    HWND old = Lookup(s.focus) ? s.focus : nullptr;
    if (old == hwnd) return old;
    s.focus = hwnd;
    if (old) SendMessage(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd && s.focus == hwnd && Lookup(hwnd)) SendMessage(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

HWND GetFocus() {
    return Lookup(Focus().focus) ? Focus().focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
    Window* w = hwnd ? Checked(hwnd) : nullptr;
    if (hwnd && !w) return nullptr;
    if (w) {
        w = TopLevelOf(w);
        if (w->isDesktop) return nullptr;
        hwnd = w->handle;
    }
    FocusState& s = Focus();
    HWND old = Lookup(s.active) ? s.active : nullptr;
    if (old == hwnd) return old;
    s.active = hwnd;
    if (old) SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), LPARAM(hwnd));
    if (hwnd && s.active == hwnd && Lookup(hwnd))
        SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), LPARAM(old));
    return old;
}

HWND GetActiveWindow() {
    return Lookup(Focus().active) ? Focus().active : nullptr;
}
HWND GetForegroundWindow() {
    return GetActiveWindow();
}
BOOL SetForegroundWindow(HWND hwnd) {
    return Lookup(hwnd) && (SetActiveWindow(hwnd), TRUE);
}
