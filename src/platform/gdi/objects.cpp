// Handle table and live-object counts.
#include "platform/gdi/objects.h"

#include "platform/gdi/gdidevice.h"

#include <string>
#include <vector>

namespace gdi {
namespace {

constexpr int kSlotBits = 24;
constexpr uint64_t kSlotMask = (uint64_t(1) << kSlotBits) - 1;
constexpr uint64_t kGenerationMask = (uint64_t(1) << 39) - 1;

struct Slot {
    uint64_t generation = 0;
    std::unique_ptr<GdiObject> object;
};

struct Table {
    std::vector<Slot> slots;
    std::vector<uint32_t> free;
    uint64_t nextGeneration = 1;
    int counts[int(Kind::Count)] = {};
    int created[int(Kind::Count)] = {};
};

// Deliberately never destroyed: objects still alive at exit must not be torn down after the
// font and screen state they refer to.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

Slot* Find(const void* handle) {
    uint64_t h = uint64_t(reinterpret_cast<uintptr_t>(handle));
    uint64_t index = h & kSlotMask;
    Table& t = TheTable();
    if (index == 0 || index > t.slots.size()) return nullptr;
    Slot& slot = t.slots[index - 1];
    if (!slot.object || slot.generation != (h >> kSlotBits)) return nullptr;
    return &slot;
}

} // namespace

void* Register(std::unique_ptr<GdiObject> object) {
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
    t.nextGeneration = (t.nextGeneration + 1) & kGenerationMask;
    if (t.nextGeneration == 0) t.nextGeneration = 1;
    if (!object->stock) ++t.counts[int(object->kind)];
    ++t.created[int(object->kind)];
    slot.object = std::move(object);
    return reinterpret_cast<void*>(uintptr_t(slot.generation << kSlotBits | (index + 1)));
}

GdiObject* LookupAny(const void* handle) {
    Slot* slot = Find(handle);
    return slot ? slot->object.get() : nullptr;
}

GdiObject* Lookup(const void* handle, Kind k) {
    GdiObject* object = LookupAny(handle);
    return object && object->kind == k ? object : nullptr;
}

bool Destroy(const void* handle) {
    Slot* slot = Find(handle);
    if (!slot) return false;
    Table& t = TheTable();
    // Detach first: the destructor may release further objects through the table.
    std::unique_ptr<GdiObject> object = std::move(slot->object);
    slot->generation = 0;
    t.free.push_back(uint32_t(slot - t.slots.data()));
    if (!object->stock) --t.counts[int(object->kind)];
    object.reset();
    return true;
}

void MakeStock(const void* handle) {
    GdiObject* object = LookupAny(handle);
    if (!object || object->stock) return;
    object->stock = true;
    --TheTable().counts[int(object->kind)];
}

} // namespace gdi

static GdiObjectCounts ToCounts(const int* c) {
    using gdi::Kind;
    GdiObjectCounts counts;
    counts.bitmaps = c[int(Kind::Bitmap)];
    counts.dcs = c[int(Kind::DC)];
    counts.brushes = c[int(Kind::Brush)];
    counts.pens = c[int(Kind::Pen)];
    counts.fonts = c[int(Kind::Font)];
    counts.regions = c[int(Kind::Region)];
    counts.icons = c[int(Kind::Icon)];
    counts.imageLists = c[int(Kind::ImageList)];
    return counts;
}

GdiObjectCounts GdiGetObjectCounts() {
    return ToCounts(gdi::TheTable().counts);
}

GdiObjectCounts GdiGetCreatedCounts() {
    return ToCounts(gdi::TheTable().created);
}

std::string GdiDescribeCounts(const GdiObjectCounts& c) {
    return "bitmaps " + std::to_string(c.bitmaps) + ", dcs " + std::to_string(c.dcs) +
           ", brushes " + std::to_string(c.brushes) + ", pens " + std::to_string(c.pens) +
           ", fonts " + std::to_string(c.fonts) + ", regions " + std::to_string(c.regions) +
           ", icons " + std::to_string(c.icons) + ", image lists " + std::to_string(c.imageLists);
}
