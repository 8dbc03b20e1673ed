// The window table: a destroyed window's handle stays invalid even after its slot is reused.
#include "platform/user/wndobj.h"

#include "platform/base/handletable.h"

namespace user {
namespace {

struct Table {
    HandleTable<Window> windows;
    Window* desktop = nullptr;
};

// Never destroyed: windows may still be looked up while the process exits.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

} // namespace

Window* Lookup(HWND hwnd) {
    return TheTable().windows.Find(hwnd);
}

Window* Checked(HWND hwnd) {
    Window* w = Lookup(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

Window* NewWindow() {
    auto window = std::make_unique<Window>();
    Window* w = window.get();
    void* handle = TheTable().windows.Add(std::move(window));
    if (!handle) return nullptr;
    w->handle = static_cast<HWND>(handle);
    return w;
}

void FreeWindow(Window* w) {
    Table& t = TheTable();
    std::unique_ptr<Window> dead = w ? t.windows.Remove(w->handle) : nullptr;
    if (dead && t.desktop == w) t.desktop = nullptr;
}

std::vector<Window*> AllWindows() {
    return TheTable().windows.All();
}

void ClearWindowTable() {
    Table& t = TheTable();
    for (Window* w : t.windows.All())
        t.windows.Remove(w->handle);
    t.desktop = nullptr;
}

Window* Desktop() {
    // Made on first use when nobody reset the platform first.
    static bool creating = false;
    Table& t = TheTable();
    if (!t.desktop && !creating) {
        creating = true;
        CreateDesktop();
        creating = false;
    }
    return t.desktop;
}
void SetDesktop(Window* w) {
    TheTable().desktop = w;
}

} // namespace user
