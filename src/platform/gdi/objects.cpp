// Handle table and live-object counts.
#include "platform/gdi/objects.h"

#include "platform/base/handletable.h"
#include "platform/base/recycle.h"
#include "platform/gdi/gdidevice.h"

#include <string>
#include <vector>

namespace gdi {
namespace {

struct Table {
    int counts[int(Kind::Count)] = {};
    int created[int(Kind::Count)] = {};
};

// Plain counters, set up before any code runs: no guard on every registration.
constinit Table g_table;

Table& TheTable() {
    return g_table;
}

} // namespace

HandleTable<GdiObject>* g_handles = nullptr;

void* GdiObject::operator new(size_t size) {
    return RecycledNew(size);
}

void GdiObject::operator delete(void* memory, size_t size) {
    RecycledDelete(memory, size);
}

void* Register(std::unique_ptr<GdiObject> object) {
    Table& t = TheTable();
    Kind kind = object->kind;
    bool stock = object->stock;
    if (!g_handles) g_handles = new HandleTable<GdiObject>;
    void* handle = g_handles->Add(std::move(object));
    if (!handle) return nullptr;
    if (!stock) ++t.counts[int(kind)];
    ++t.created[int(kind)];
    return handle;
}

bool Destroy(const void* handle) {
    Table& t = TheTable();
    // Detached first: the destructor may release further objects through the table.
    std::unique_ptr<GdiObject> object = g_handles ? g_handles->Remove(handle) : nullptr;
    if (!object) return false;
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
