// Window hooks: the CBT hook, through which a framework attaches its objects to windows as
// they are created.
#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

struct HookState {
    std::vector<Hook> cbt; // most recently installed first
    uintptr_t next = 1;
};

HookState& Hooks() {
    static auto* state = new HookState;
    return *state;
}

LRESULT CallFrom(size_t index, int code, WPARAM wParam, LPARAM lParam) {
    const auto& chain = Hooks().cbt;
    return index < chain.size() ? chain[index].proc(code, wParam, lParam) : 0;
}

} // namespace

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
    return CallFrom(0, code, wParam, lParam);
}

void ResetHooks() {
    Hooks().cbt.clear();
}

} // namespace user

using namespace user;

HHOOK SetWindowsHookEx(int hookType, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
    if (hookType != WH_CBT || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HookState& s = Hooks();
    // Hook handles live apart from window handles; the top bits keep them out of that range.
    HHOOK handle = reinterpret_cast<HHOOK>(uintptr_t(0x7F000000u) + s.next++);
    s.cbt.insert(s.cbt.begin(), Hook{handle, proc});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto& chain = Hooks().cbt;
    auto it = std::find_if(chain.begin(), chain.end(),
                           [hook](const Hook& h) { return h.handle == hook; });
    if (it == chain.end()) return FALSE;
    chain.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    const auto& chain = Hooks().cbt;
    auto it = std::find_if(chain.begin(), chain.end(),
                           [hook](const Hook& h) { return h.handle == hook; });
    if (it == chain.end()) return 0;
    return CallFrom(size_t(it - chain.begin()) + 1, code, wParam, lParam);
}
