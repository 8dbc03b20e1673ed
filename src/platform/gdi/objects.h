// The handle table: every graphics object lives here and is reached only through it.
//
// A handle encodes a slot and that slot's generation; a handle whose generation no longer
// matches (the object was deleted) or whose object is of another kind resolves to null, so no
// call ever touches a freed or mistyped object. Generations are never reused within a process,
// so a stale handle stays stale even after its slot has been filled again.
#pragma once

#include "platform/base/handletable.h"
#include "platform/gdi/gdidefs.h"

#include <cstdint>
#include <memory>

namespace gdi {

enum class Kind : uint8_t { Bitmap, DC, Brush, Pen, Font, Region, Icon, ImageList, Count };

struct GdiObject {
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    // A paint makes and drops contexts, bitmaps and regions by the dozen: their storage is
    // kept for the next object of the same size.
    static void* operator new(size_t size);
    static void operator delete(void* memory, size_t size);

    const Kind kind;
    bool stock = false;    // owned by the platform: never deleted, not counted
    int selections = 0;    // device-context states (current or saved) that hold the object
    void* owner = nullptr; // for bitmaps: the one context they are selected into
};

// The table behind every handle: made by the first registration and never destroyed, so that
// objects still alive at exit are not torn down after the font and screen state they refer to.
// Every call looks its handles up here, so the lookups below are inline.
extern HandleTable<GdiObject>* g_handles;

// Registers the object and returns its new handle (null when the table is full).
void* Register(std::unique_ptr<GdiObject> object);
// The object behind handle whatever its kind, or null.
inline GdiObject* LookupAny(const void* handle) {
    return g_handles ? g_handles->Find(handle) : nullptr;
}
// The object behind handle if it is live and of kind k, else null.
inline GdiObject* Lookup(const void* handle, Kind k) {
    GdiObject* object = LookupAny(handle);
    return object && object->kind == k ? object : nullptr;
}
// Removes and destroys the object; false for a stale handle.
bool Destroy(const void* handle);
// Marks a registered object as the platform's own.
void MakeStock(const void* handle);

template <class T> T* As(const void* handle) {
    return static_cast<T*>(Lookup(handle, T::kKind));
}

template <class H> H ToHandle(void* h) {
    return static_cast<H>(h);
}

} // namespace gdi
