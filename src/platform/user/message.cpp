// Sending, posting, retrieving and dispatching messages.
#include "platform/user/menuobj.h"
#include "platform/user/queue.h"
#include "platform/user/userdevice.h"

#include <algorithm>
#include <string>
#include <utility>

namespace user {
namespace {

// Deep enough for any real nesting (a control painting its parent from its own paint, a
// modal loop inside a command); deeper means a window keeps sending to itself.
constexpr int kMaxSendDepth = 200;

struct MessageState {
    std::deque<QueueItem> posted, input;
    bool quitPending = false;
    int quitCode = 0;
    MSG last = {};
    std::vector<WNDPROC> procTokens;
    std::string runaway;
};

// How deeply sent messages nest now; apart from the state above, which every message would
// otherwise reach through its guarded first-use check.
int g_sendDepth = 0;

MessageState& State() {
    static auto* state = new MessageState;
    return *state;
}

bool InRange(UINT message, UINT min, UINT max) {
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

bool Matches(const MSG& m, Window* filterRoot, UINT min, UINT max) {
    if (filterRoot) {
        Window* w = Lookup(m.hwnd);
        if (!w || !IsAncestorOf(filterRoot, w)) return false;
    }
    return InRange(m.message, min, max);
}

// The first message of the queue that passes the filter; raw input is routed on the way.
bool TakeFrom(std::deque<QueueItem>& queue, MSG* msg, Window* filterRoot, UINT min, UINT max,
              bool remove) {
    for (size_t i = 0; i < queue.size();) {
        QueueItem& item = queue[i];
        if (item.input != InputKind::None) {
            QueueItem raw = item;
            if (!CookInput(raw, &item.msg)) {
                queue.erase(queue.begin() + ptrdiff_t(i));
                continue;
            }
            item.input = InputKind::None;
        }
        if (Matches(item.msg, filterRoot, min, max)) {
            *msg = item.msg;
            if (remove) queue.erase(queue.begin() + ptrdiff_t(i));
            return true;
        }
        ++i;
    }
    return false;
}

// Posted messages come before input.
bool TakeQueued(MSG* msg, Window* filterRoot, UINT min, UINT max, bool remove) {
    MessageState& s = State();
    return TakeFrom(s.posted, msg, filterRoot, min, max, remove) ||
           TakeFrom(s.input, msg, filterRoot, min, max, remove);
}

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m = {hwnd, message, wParam, lParam, GetTickCount(), {}};
    GetCursorPos(&m.pt);
    return m;
}

} // namespace

std::deque<QueueItem>& InputQueue() {
    return State().input;
}

LRESULT CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_sendDepth >= kMaxSendDepth) {
        NoteRunaway("message nesting deeper than " + std::to_string(kMaxSendDepth) + ": " +
                    UserDescribeMessage(w->handle, message));
        return 0;
    }
    // Whoever tells a menu's owner that the menu loop ends closes an open popup menu.
    if (message == WM_EXITMENULOOP) NoteMenuLoopExit(w);
    ++g_sendDepth;
    WNDPROC proc = ProcFromValue(LONG_PTR(w->proc)); // as CallWindowProc, without the call
    LRESULT result = proc ? proc(w->handle, message, wParam, lParam) : 0;
    --g_sendDepth;
    return result;
}

void RemoveQueuedFor(Window* w) {
    for (auto* queue : {&State().posted, &State().input})
        std::erase_if(*queue, [w](const QueueItem& item) {
            return item.input == InputKind::None && item.msg.hwnd == w->handle;
        });
}

void ResetQueue() {
    MessageState& s = State();
    s.posted.clear();
    s.input.clear();
    s.quitPending = false;
    s.quitCode = 0;
    s.last = {};
    s.runaway.clear();
}

bool QueueEmpty() {
    return State().posted.empty() && State().input.empty() && !State().quitPending;
}

LONG ProcToken(WNDPROC proc) {
    auto& tokens = State().procTokens;
    auto it = std::find(tokens.begin(), tokens.end(), proc);
    size_t index = size_t(it - tokens.begin());
    if (it == tokens.end()) {
        if (tokens.size() >= 0xFFFF) return 0;
        tokens.push_back(proc);
    }
    return LONG(kProcTokenBase | uint32_t(index));
}

WNDPROC ProcFromToken(LONG_PTR value) {
    uint32_t low = uint32_t(uint64_t(value));
    const auto& tokens = State().procTokens;
    if ((low & 0xFFFFu) < tokens.size()) return tokens[low & 0xFFFFu];
    return reinterpret_cast<WNDPROC>(value);
}

void NoteRunaway(const std::string& text) {
    if (State().runaway.empty()) State().runaway = text;
}

} // namespace user

using namespace user;

std::string UserTakeRunawayError() {
    return std::exchange(State().runaway, std::string());
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    proc = ProcFromValue(LONG_PTR(proc));
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Checked(hwnd);
    return w ? CallProc(w, message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !Checked(hwnd)) return FALSE;
    QueueItem item;
    item.msg = Make(hwnd, message, wParam, lParam);
    State().posted.push_back(item);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    State().quitPending = true;
    State().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT remove) {
    if (!msg) return FALSE;
    Window* root = hwnd ? Checked(hwnd) : nullptr;
    if (hwnd && !root) return FALSE;
    MessageState& s = State();
    bool take = remove & PM_REMOVE;
    bool found = TakeQueued(msg, root, min, max, take);
    if (!found && s.quitPending) {
        *msg = Make(nullptr, WM_QUIT, WPARAM(s.quitCode), 0);
        if (take) s.quitPending = false;
        found = true;
    }
    if (!found && InRange(WM_PAINT, min, max)) {
        if (Window* w = FindWindowToPaint(root ? root : Desktop())) {
            *msg = Make(w->handle, WM_PAINT, 0, 0);
            found = true;
        }
    }
    if (!found) found = TakeDueTimer(root, min, max, take, msg);
    if (found && take) s.last = *msg;
    return found;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT min, UINT max) {
    // A wait hook that keeps answering "more may come" while nothing comes is a runaway.
    constexpr int kMaxEmptyWaits = 10000;
    for (int waits = 0;;) {
        if (!msg || (hwnd && !Lookup(hwnd))) return -1;
        if (PeekMessage(msg, hwnd, min, max, PM_REMOVE)) return msg->message != WM_QUIT;
        // A display waits in real time and may rightly wait forever; a hook may not.
        if (WaitHookInstalled()) ++waits;
        if (waits == kMaxEmptyWaits)
            NoteRunaway("a message loop waited " + std::to_string(kMaxEmptyWaits) +
                        " times without receiving anything");
        if (waits >= kMaxEmptyWaits || !UserWaitForInput()) {
            // Nothing will ever come: the loop ends as if told to quit.
            *msg = Make(nullptr, WM_QUIT, 0, 0);
            return FALSE;
        }
    }
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (IsLiveTimerProc(msg->hwnd, msg->wParam, proc))
            proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    Window* w = Lookup(msg->hwnd);
    if (!w) return 0;
    if (msg->message == WM_PAINT) {
        PaintWindow(w);
        return 0;
    }
    return CallProc(w, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    UINT vk = UINT(msg->wParam);
    WCHAR ch = 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (vk >= 'A' && vk <= 'Z')
        ch = WCHAR(shift ? vk : vk - 'A' + 'a');
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE || vk == VK_RETURN || vk == VK_BACK ||
             vk == VK_ESCAPE || vk == VK_TAB)
        ch = WCHAR(vk);
    if (!ch) return FALSE;
    QueueItem item;
    item.msg = *msg;
    item.msg.message = WM_CHAR;
    item.msg.wParam = ch;
    State().posted.push_front(item);
    return TRUE;
}

BOOL WaitMessage() {
    return UserWaitForInput();
}

DWORD GetMessagePos() {
    const MSG& m = State().last;
    return DWORD(MAKELONG(m.pt.x, m.pt.y));
}

LONG GetMessageTime() {
    return LONG(State().last.time);
}
