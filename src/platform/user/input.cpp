// Input: injected pointer and key events, routing, double clicks and the pointer capture.
#include "platform/user/queue.h"
#include "platform/user/userdevice.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace user {
namespace {

struct InputState {
    HWND capture = nullptr;
    POINT cursor = {};
    std::array<bool, 256> keys = {};
    // The last button press, for double clicks.
    HWND lastDown = nullptr;
    DWORD lastDownTime = 0;
    POINT lastDownPt = {};
};

InputState& Input() {
    static auto* state = new InputState;
    return *state;
}

void Inject(InputKind kind, POINT pt, UINT key) {
    QueueItem item;
    item.input = kind;
    item.pt = pt;
    item.key = key;
    item.time = UserGetClock();
    InputQueue().push_back(item);
}

bool IsDoubleClick(Window* target, const QueueItem& raw) {
    InputState& s = Input();
    bool dbl = (target->cls->style & CS_DBLCLKS) && s.lastDown == target->handle &&
               raw.time - s.lastDownTime <= GetDoubleClickTime() &&
               std::abs(raw.pt.x - s.lastDownPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(raw.pt.y - s.lastDownPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    // A double click ends the sequence: a third press starts a new one.
    s.lastDown = dbl ? nullptr : target->handle;
    s.lastDownTime = raw.time;
    s.lastDownPt = raw.pt;
    return dbl;
}

UINT PointerMessage(InputKind kind, bool client, bool dbl) {
    switch (kind) {
    case InputKind::PointerDown:
        if (client) return dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        return dbl ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN;
    case InputKind::PointerUp:
        return client ? WM_LBUTTONUP : WM_NCLBUTTONUP;
    default:
        return client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    }
}

bool CookPointer(const QueueItem& raw, MSG* out) {
    InputState& s = Input();
    s.cursor = raw.pt;
    if (raw.input != InputKind::PointerMove)
        s.keys[VK_LBUTTON] = raw.input == InputKind::PointerDown;
    Window* target = Lookup(s.capture);
    LRESULT hit = HTCLIENT;
    if (!target) {
        bool disabled = false;
        target = Desktop() ? HitTest(Desktop(), raw.pt, &disabled) : nullptr;
        if (!target || disabled) return false;
        hit = CallProc(target, WM_NCHITTEST, 0, MAKELPARAM(raw.pt.x, raw.pt.y));
        if (!(target = Lookup(target->handle)) || hit == HTNOWHERE || hit == HTTRANSPARENT ||
            hit == HTERROR)
            return false;
    }
    bool client = hit == HTCLIENT;
    bool dbl = raw.input == InputKind::PointerDown && IsDoubleClick(target, raw);
    out->hwnd = target->handle;
    out->message = PointerMessage(raw.input, client, dbl);
    out->time = raw.time;
    out->pt = raw.pt;
    if (client) {
        POINT o = ClientOrigin(target);
        out->wParam = s.keys[VK_LBUTTON] ? MK_LBUTTON : 0;
        out->lParam = MAKELPARAM(raw.pt.x - o.x, raw.pt.y - o.y);
    } else {
        out->wParam = WPARAM(hit);
        out->lParam = MAKELPARAM(raw.pt.x, raw.pt.y);
    }
    return true;
}

bool CookKey(const QueueItem& raw, MSG* out) {
    InputState& s = Input();
    bool down = raw.input == InputKind::KeyDown;
    bool repeat = down && s.keys[raw.key & 0xFF];
    s.keys[raw.key & 0xFF] = down;
    HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    if (!Lookup(target)) return false;
    out->hwnd = target;
    out->message = down ? WM_KEYDOWN : WM_KEYUP;
    out->wParam = raw.key;
    out->lParam = down ? (repeat ? 0x40000001 : 1) : LPARAM(0xC0000001u);
    out->time = raw.time;
    out->pt = s.cursor;
    return true;
}

} // namespace

bool CookInput(const QueueItem& raw, MSG* out) {
    *out = MSG{};
    if (raw.input == InputKind::KeyDown || raw.input == InputKind::KeyUp) return CookKey(raw, out);
    return CookPointer(raw, out);
}

void ForgetWindowInput(Window* w) {
    InputState& s = Input();
    if (Window* c = Lookup(s.capture); c && IsAncestorOf(w, c)) ReleaseCapture();
    if (Window* d = Lookup(s.lastDown); d && IsAncestorOf(w, d)) s.lastDown = nullptr;
    if (Lookup(w->handle)) MoveFocusFrom(w);
    if (Lookup(w->handle)) ActivateAfterLoss(w);
}

void ResetInput() {
    Input() = InputState{};
}

} // namespace user

using namespace user;

void UserInjectPointerDown(int x, int y) {
    Inject(InputKind::PointerDown, {x, y}, 0);
}
void UserInjectPointerUp(int x, int y) {
    Inject(InputKind::PointerUp, {x, y}, 0);
}
void UserInjectPointerMove(int x, int y) {
    Inject(InputKind::PointerMove, {x, y}, 0);
}

void UserInjectKey(UINT virtualKey, bool down) {
    Inject(down ? InputKind::KeyDown : InputKind::KeyUp, {}, virtualKey & 0xFF);
}

HWND SetCapture(HWND hwnd) {
    if (!Checked(hwnd)) return nullptr;
    InputState& s = Input();
    HWND old = s.capture;
    s.capture = hwnd;
    if (old != hwnd && Lookup(old)) SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return Lookup(old) ? old : nullptr;
}

BOOL ReleaseCapture() {
    InputState& s = Input();
    HWND old = std::exchange(s.capture, nullptr);
    if (Lookup(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return Lookup(Input().capture) ? Input().capture : nullptr;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = Input().cursor;
    return TRUE;
}

short GetKeyState(int virtualKey) {
    return Input().keys[size_t(virtualKey) & 0xFF] ? short(0x8000) : 0;
}

short GetAsyncKeyState(int virtualKey) {
    return GetKeyState(virtualKey);
}
