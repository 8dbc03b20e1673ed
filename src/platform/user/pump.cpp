// Running the message pump until idle, advancing time, and waiting for input.
#include "platform/user/userdevice.h"
#include "platform/user/wndobj.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace user {
namespace {

struct PumpState {
    std::vector<void (*)()> idleHooks;
    std::function<bool()> waitHook;
    UserHostDriver* driver = nullptr;
};

PumpState& Pump() {
    static auto* state = new PumpState;
    return *state;
}

const char* MessageName(UINT message) {
    switch (message) {
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_MOVE:
        return "WM_MOVE";
    case WM_SIZE:
        return "WM_SIZE";
    case WM_ACTIVATE:
        return "WM_ACTIVATE";
    case WM_SETFOCUS:
        return "WM_SETFOCUS";
    case WM_KILLFOCUS:
        return "WM_KILLFOCUS";
    case WM_ENABLE:
        return "WM_ENABLE";
    case WM_PAINT:
        return "WM_PAINT";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_ERASEBKGND:
        return "WM_ERASEBKGND";
    case WM_SHOWWINDOW:
        return "WM_SHOWWINDOW";
    case WM_WINDOWPOSCHANGING:
        return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED:
        return "WM_WINDOWPOSCHANGED";
    case WM_NOTIFY:
        return "WM_NOTIFY";
    case WM_NCPAINT:
        return "WM_NCPAINT";
    case WM_NCHITTEST:
        return "WM_NCHITTEST";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_COMMAND:
        return "WM_COMMAND";
    case WM_TIMER:
        return "WM_TIMER";
    case WM_HSCROLL:
        return "WM_HSCROLL";
    case WM_VSCROLL:
        return "WM_VSCROLL";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
        return "WM_LBUTTONDBLCLK";
    case WM_CAPTURECHANGED:
        return "WM_CAPTURECHANGED";
    default:
        return nullptr;
    }
}

void RunIdleHooks() {
    for (auto hook : std::vector<void (*)()>(Pump().idleHooks))
        hook();
}

std::string RunawayText(const std::map<std::pair<HWND, UINT>, int>& counts, int limit) {
    auto top = std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; });
    std::string text =
        "runaway message loop: " + std::to_string(limit) + " dispatches without reaching idle";
    if (top != counts.end())
        text += "; most often " + UserDescribeMessage(top->first.first, top->first.second) + " (" +
                std::to_string(top->second) + " times)";
    return text;
}

void Merge(UserPumpResult& total, const UserPumpResult& step) {
    total.dispatched += step.dispatched;
    total.quit = total.quit || step.quit;
    total.idle = step.idle;
    if (total.error.empty()) total.error = step.error;
}

} // namespace

bool WaitHookInstalled() {
    return bool(Pump().waitHook);
}

} // namespace user

using namespace user;

std::string UserDescribeMessage(HWND hwnd, UINT message) {
    char head[64];
    const char* name = MessageName(message);
    if (name)
        std::snprintf(head, sizeof head, "%s to %p", name, static_cast<void*>(hwnd));
    else
        std::snprintf(head, sizeof head, "message 0x%04X to %p", message, static_cast<void*>(hwnd));
    Window* w = Lookup(hwnd);
    if (!w) return std::string(head) + (hwnd ? " (destroyed)" : "");
    return std::string(head) + " (class \"" + w->cls->name.ToUtf8() + "\", text \"" +
           w->text.ToUtf8() + "\")";
}

UserPumpResult UserPumpUntilIdle(int maxDispatches) {
    UserPumpResult r;
    std::map<std::pair<HWND, UINT>, int> counts;
    MSG msg;
    for (;;) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            RunIdleHooks();
            if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) continue;
            r.idle = true;
            break;
        }
        if (msg.message == WM_QUIT) {
            r.quit = true;
            continue;
        }
        if (r.dispatched >= maxDispatches) {
            r.error = RunawayText(counts, maxDispatches);
            break;
        }
        // Only the end of a long run is counted, to name what keeps it going.
        if (r.dispatched >= maxDispatches / 2) ++counts[{msg.hwnd, msg.message}];
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++r.dispatched;
        if (std::string runaway = UserTakeRunawayError(); !runaway.empty()) {
            r.error = runaway;
            break;
        }
    }
    if (r.error.empty()) r.error = UserTakeRunawayError();
    return r;
}

UserPumpResult UserAdvanceTime(DWORD ms, int maxDispatches) {
    DWORD target = UserGetClock() + ms;
    UserPumpResult total = UserPumpUntilIdle(maxDispatches);
    DWORD due = 0;
    while (total.error.empty() && UserNextTimerDue(&due) && LONG(due - target) <= 0) {
        if (LONG(due - UserGetClock()) > 0) SetClock(due);
        Merge(total, UserPumpUntilIdle(maxDispatches));
    }
    if (!total.error.empty()) return total;
    SetClock(target);
    Merge(total, UserPumpUntilIdle(maxDispatches));
    return total;
}

void UserAddIdleHook(void (*hook)()) {
    auto& hooks = Pump().idleHooks;
    if (hook && std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) hooks.push_back(hook);
}

void UserSetWaitHook(std::function<bool()> hook) {
    Pump().waitHook = std::move(hook);
}

void UserSetHostDriver(UserHostDriver* driver) {
    Pump().driver = driver;
}

bool UserWaitForInput() {
    PumpState& s = Pump();
    if (s.waitHook) {
        // A copy: the hook may replace itself.
        std::function<bool()> hook = s.waitHook;
        return hook();
    }
    return s.driver && s.driver->Wait();
}
