// Storage kept for objects made and dropped over and over: a paint makes and drops device
// contexts, bitmaps, regions and their framework wrappers by the dozen. Blocks of each size are
// kept for the next object of that size (not under AddressSanitizer, which should see every
// object's memory come and go). For class-specific operator new and delete.
#pragma once

#include <cstddef>

void* RecycledNew(size_t size);
void RecycledDelete(void* memory, size_t size);
// Frees every kept block (for measurements of what an operation keeps).
void ReleaseRecycledObjects();

// An allocator over the same storage, for objects made through the standard library (the shared
// pixel surfaces of bitmaps).
template <class T> struct RecycledAllocator {
    using value_type = T;
    RecycledAllocator() = default;
    template <class U> RecycledAllocator(const RecycledAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(RecycledNew(n * sizeof(T))); }
    void deallocate(T* p, size_t n) { RecycledDelete(p, n * sizeof(T)); }
    template <class U> bool operator==(const RecycledAllocator<U>&) const { return true; }
};
