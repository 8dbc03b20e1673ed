// Tracking a press on a standard scroll bar: DefWindowProc runs its own message loop, as the
// device does, from the press until the pointer is lifted. Arrows and shaft step at once, then
// repeat on the clock while the pointer stays on the part held; a dragged thumb reports the
// positions it passes. Every other message is dispatched as usual meanwhile.
#include "platform/user/scrollbar.h"
#include "platform/user/userdevice.h"

#include <algorithm>
#include <string>

namespace user {
namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFFA; // the window manager's own timer on the window
constexpr UINT kFirstDelay = 200;
constexpr UINT kRepeatDelay = 50;
// A wait hook that keeps promising input without delivering it must not hang the loop.
constexpr int kMaxEmptyWaits = 10000;

struct Tracking {
    ScrollTrack track;
    bool active = false;
    int grab = 0; // where on the thumb the pointer holds it
};

Tracking& State() {
    static auto* state = new Tracking;
    return *state;
}

UINT CodeOf(ScrollPart part) {
    switch (part) {
    case ScrollPart::LessArrow:
        return SB_LINEUP;
    case ScrollPart::LessPage:
        return SB_PAGEUP;
    case ScrollPart::MorePage:
        return SB_PAGEDOWN;
    default:
        return SB_LINEDOWN;
    }
}

void Report(UINT code, int pos) {
    const ScrollTrack& t = State().track;
    SendMessage(t.hwnd, t.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, WORD(pos)), 0);
}

bool Pressable(const Window* w, int bar, const ScrollLayout& l, ScrollPart part) {
    if (part == ScrollPart::None || !l.scrollable) return false;
    UINT disabled = w->scroll[bar].disabled;
    if (part == ScrollPart::LessArrow && (disabled & ESB_DISABLE_UP)) return false;
    return !(part == ScrollPart::MoreArrow && (disabled & ESB_DISABLE_DOWN));
}

POINT InWindow(const Window* w, POINT screen) {
    RECT wr = WindowRectScreen(w);
    return POINT{screen.x - wr.left, screen.y - wr.top};
}

// The pointer moved: a dragged thumb follows it, a held part notes whether it is still under it.
void Follow(POINT screen) {
    Tracking& s = State();
    Window* w = Lookup(s.track.hwnd);
    if (!w) return;
    ScrollLayout l = LayoutScrollBar(w, s.track.bar);
    POINT p = InWindow(w, screen);
    if (s.track.part == ScrollPart::Thumb) {
        int start = std::clamp(OffsetAlong(l, p) - s.grab, l.arrow,
                               std::max(l.arrow, l.length - l.arrow - l.thumbSize));
        if (start == s.track.thumbPos) return;
        s.track.thumbPos = start;
        InvalidateScrollBar(w, s.track.bar);
        int pos = PosFromThumb(w, s.track.bar, l, start);
        if (pos == s.track.trackPos) return;
        s.track.trackPos = pos;
        Report(SB_THUMBTRACK, pos);
        return;
    }
    bool over = PtInRect(&l.bar, p) && PartAt(l, OffsetAlong(l, p)) == s.track.part;
    if (over == s.track.pressed) return;
    s.track.pressed = over;
    InvalidateScrollBar(w, s.track.bar);
}

// The repeat timer: one more step while the part held is still under the pointer (paging stops
// once the thumb has come to the pointer).
void Repeat() {
    Tracking& s = State();
    POINT cursor;
    GetCursorPos(&cursor);
    Follow(cursor);
    if (s.track.pressed) Report(CodeOf(s.track.part), 0);
    SetTimer(s.track.hwnd, kRepeatTimer, kRepeatDelay, nullptr);
}

// The next message, waiting when there is none; false when nothing more will come.
bool NextMessage(MSG* msg) {
    for (int waits = 0;;) {
        if (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) return true;
        if (WaitHookInstalled() && ++waits >= kMaxEmptyWaits) {
            NoteRunaway("a scroll bar's tracking loop waited " + std::to_string(kMaxEmptyWaits) +
                        " times without receiving anything");
            return false;
        }
        if (!UserWaitForInput()) return false;
    }
}

bool IsPointer(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_LBUTTONDBLCLK;
}

// Runs until the pointer is lifted, the capture goes elsewhere, the window goes away or the
// application quits.
void RunLoop() {
    HWND hwnd = State().track.hwnd;
    MSG msg;
    while (Lookup(hwnd) && GetCapture() == hwnd && NextMessage(&msg)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the loop outside
            return;
        }
        if (msg.hwnd == hwnd && IsPointer(msg.message)) {
            if (msg.message == WM_LBUTTONUP) return;
            Follow(msg.pt);
        } else if (msg.hwnd == hwnd && msg.message == WM_TIMER && msg.wParam == kRepeatTimer) {
            Repeat();
        } else {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void Finish() {
    Tracking& s = State();
    ScrollTrack t = s.track;
    KillTimer(t.hwnd, kRepeatTimer);
    if (Lookup(t.hwnd)) {
        if (t.part == ScrollPart::Thumb) Report(SB_THUMBPOSITION, t.trackPos);
        if (Lookup(t.hwnd)) Report(SB_ENDSCROLL, 0);
    }
    s = Tracking{};
    if (GetCapture() == t.hwnd) ReleaseCapture();
    if (Window* w = Lookup(t.hwnd)) InvalidateScrollBar(w, t.bar);
}

} // namespace

const ScrollTrack* TrackingOn(const Window* w, int bar) {
    const Tracking& s = State();
    return s.active && s.track.hwnd == w->handle && s.track.bar == bar ? &s.track : nullptr;
}

void TrackScrollBar(Window* w, int bar, POINT screen) {
    Tracking& s = State();
    if (s.active) return; // one press at a time
    ScrollLayout l = LayoutScrollBar(w, bar);
    int offset = OffsetAlong(l, InWindow(w, screen));
    ScrollPart part = PartAt(l, offset);
    if (!Pressable(w, bar, l, part)) return;
    s.active = true;
    s.track = ScrollTrack{w->handle, bar, part, true, l.thumbPos, w->scroll[bar].pos};
    s.grab = offset - l.thumbPos;
    SetCapture(w->handle);
    InvalidateScrollBar(w, bar);
    if (part != ScrollPart::Thumb) {
        Report(CodeOf(part), 0);
        SetTimer(s.track.hwnd, kRepeatTimer, kFirstDelay, nullptr);
    }
    RunLoop();
    Finish();
}

} // namespace user
