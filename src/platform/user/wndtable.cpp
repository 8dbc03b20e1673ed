// The window table: handles encode a slot and that slot's generation, so a destroyed window's
// handle stays invalid even after its slot is reused.
#include "platform/user/wndobj.h"

namespace user {
namespace {

constexpr int kSlotBits = 20;
constexpr uint64_t kSlotMask = (uint64_t(1) << kSlotBits) - 1;
constexpr uint64_t kGenerationLimit = uint64_t(1) << 40;

struct Slot {
    uint64_t generation = 0;
    std::unique_ptr<Window> window;
};

struct Table {
    std::vector<Slot> slots;
    std::vector<uint32_t> free;
    uint64_t nextGeneration = 1;
    Window* desktop = nullptr;
};

// Never destroyed: windows may still be looked up while the process exits.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

Slot* Find(HWND hwnd) {
    uint64_t h = uint64_t(reinterpret_cast<uintptr_t>(hwnd));
    uint64_t index = h & kSlotMask;
    Table& t = TheTable();
    if (index == 0 || index > t.slots.size()) return nullptr;
    Slot& slot = t.slots[index - 1];
    if (!slot.window || slot.generation != (h >> kSlotBits)) return nullptr;
    return &slot;
}

} // namespace

Window* Lookup(HWND hwnd) {
    Slot* slot = Find(hwnd);
    return slot ? slot->window.get() : nullptr;
}

Window* Checked(HWND hwnd) {
    Window* w = Lookup(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

Window* NewWindow() {
    Table& t = TheTable();
    uint32_t index;
    if (!t.free.empty()) {
        index = t.free.back();
        t.free.pop_back();
    } else {
        if (t.slots.size() >= kSlotMask) return nullptr;
        t.slots.emplace_back();
        index = uint32_t(t.slots.size() - 1);
    }
    Slot& slot = t.slots[index];
    slot.generation = t.nextGeneration;
    t.nextGeneration = t.nextGeneration + 1 < kGenerationLimit ? t.nextGeneration + 1 : 1;
    slot.window = std::make_unique<Window>();
    slot.window->handle =
        reinterpret_cast<HWND>(uintptr_t(slot.generation << kSlotBits | (index + 1)));
    return slot.window.get();
}

void FreeWindow(Window* w) {
    Slot* slot = w ? Find(w->handle) : nullptr;
    if (!slot) return;
    Table& t = TheTable();
    if (t.desktop == w) t.desktop = nullptr;
    std::unique_ptr<Window> dead = std::move(slot->window);
    slot->generation = 0;
    t.free.push_back(uint32_t(slot - t.slots.data()));
}

std::vector<Window*> AllWindows() {
    std::vector<Window*> out;
    for (Slot& slot : TheTable().slots)
        if (slot.window) out.push_back(slot.window.get());
    return out;
}

void ClearWindowTable() {
    Table& t = TheTable();
    for (size_t i = 0; i < t.slots.size(); ++i) {
        if (!t.slots[i].window) continue;
        t.slots[i].window.reset();
        t.slots[i].generation = 0;
        t.free.push_back(uint32_t(i));
    }
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
