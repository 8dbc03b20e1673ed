// Timers and the clock. WM_TIMER is produced when nothing else is waiting, one message per due
// timer however long it has been due, and the timer is then due again one interval later.
#include "platform/user/userdevice.h"
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    DWORD due = 0;
    TIMERPROC proc = nullptr;
    uint64_t order = 0;
};

struct TimerState {
    std::vector<Timer> timers;
    DWORD clock = 0;
    UINT_PTR nextThreadId = 1;
    uint64_t order = 0;
};

TimerState& Timers() {
    static auto* state = new TimerState;
    return *state;
}

// Due times are compared on the clock's circle, so the clock may wrap.
bool IsDue(const Timer& t, DWORD now) {
    return LONG(now - t.due) >= 0;
}

Timer* Find(HWND hwnd, UINT_PTR id) {
    for (Timer& t : Timers().timers)
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

bool InFilter(const Timer& t, Window* root) {
    if (!root) return true;
    Window* w = Lookup(t.hwnd);
    return w && IsAncestorOf(root, w);
}

} // namespace

bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    Timer* t = Find(hwnd, id);
    return t && t->proc == proc;
}

bool TakeDueTimer(Window* root, UINT min, UINT max, bool remove, MSG* msg) {
    if (!((min == 0 && max == 0) || (WM_TIMER >= min && WM_TIMER <= max))) return false;
    TimerState& s = Timers();
    Timer* best = nullptr;
    for (Timer& t : s.timers) {
        if (!IsDue(t, s.clock) || !InFilter(t, root)) continue;
        if (!best || LONG(t.due - best->due) < 0 || (t.due == best->due && t.order < best->order))
            best = &t;
    }
    if (!best) return false;
    *msg = MSG{best->hwnd, WM_TIMER, best->id, LPARAM(best->proc), s.clock, {}};
    GetCursorPos(&msg->pt);
    if (remove) best->due = s.clock + best->interval;
    return true;
}

void KillWindowTimers(Window* w) {
    auto& timers = Timers().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [w](const Timer& t) { return t.hwnd == w->handle; }),
                 timers.end());
}

void ResetTimers() {
    Timers() = TimerState{};
}

void SetClock(DWORD ms) {
    Timers().clock = ms;
}

} // namespace user

using namespace user;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !Checked(hwnd)) return 0;
    TimerState& s = Timers();
    elapse = std::clamp<UINT>(elapse, 1, 0x7FFFFFFF);
    if (!hwnd && (id == 0 || !Find(nullptr, id))) {
        id = s.nextThreadId++;
        if (s.nextThreadId == 0) s.nextThreadId = 1;
    }
    Timer* t = Find(hwnd, id);
    if (!t) {
        s.timers.push_back(Timer{hwnd, id, 0, 0, nullptr, s.order++});
        t = &s.timers.back();
    }
    t->interval = elapse;
    t->due = s.clock + elapse;
    t->proc = proc;
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = Timers().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() {
    return Timers().clock;
}
DWORD UserGetClock() {
    return Timers().clock;
}
void UserAdvanceClock(DWORD ms) {
    Timers().clock += ms;
}

bool UserNextTimerDue(DWORD* due) {
    const TimerState& s = Timers();
    if (s.timers.empty()) return false;
    DWORD best = s.timers.front().due;
    for (const Timer& t : s.timers)
        if (LONG(t.due - best) < 0) best = t.due;
    if (due) *due = best;
    return true;
}

UINT GetDoubleClickTime() {
    return 500;
}
