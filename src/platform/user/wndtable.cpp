// The window table: a destroyed window's handle stays invalid even after its slot is reused.
#include "platform/user/wndobj.h"

namespace user {

HandleTable<Window>* g_windowTable = nullptr;

HandleTable<Window>& MakeWindowTable() {
    if (!g_windowTable) g_windowTable = new HandleTable<Window>;
    return *g_windowTable;
}

namespace {

Window* g_desktop = nullptr;

} // namespace

Window* NewWindow() {
    auto window = std::make_unique<Window>();
    Window* w = window.get();
    void* handle = WindowTable().Add(std::move(window));
    if (!handle) return nullptr;
    w->handle = static_cast<HWND>(handle);
    return w;
}

void FreeWindow(Window* w) {
    std::unique_ptr<Window> dead = w ? WindowTable().Remove(w->handle) : nullptr;
    if (dead && g_desktop == w) g_desktop = nullptr;
}

std::vector<Window*> AllWindows() {
    return WindowTable().All();
}

void ClearWindowTable() {
    HandleTable<Window>& windows = WindowTable();
    for (Window* w : windows.All())
        windows.Remove(w->handle);
    g_desktop = nullptr;
}

Window* Desktop() {
    // Made on first use when nobody reset the platform first.
    static bool creating = false;
    if (!g_desktop && !creating) {
        creating = true;
        CreateDesktop();
        creating = false;
    }
    return g_desktop;
}
void SetDesktop(Window* w) {
    g_desktop = w;
}

} // namespace user
