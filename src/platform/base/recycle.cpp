#include "platform/base/recycle.h"

#include <new>
#include <vector>

namespace {

struct KeptBlocks {
    size_t size;
    std::vector<void*> blocks;
};
// A paint of a screen of a couple of hundred controls makes a temporary context wrapper for each
// before the idle time frees them all: they come back for the next paint.
constexpr size_t kKeptPerSize = 256;

std::vector<KeptBlocks*>& Kept() {
    static auto* kept = new std::vector<KeptBlocks*>;
    return *kept;
}

// Object sizes are small multiples of eight: their lists are found by index, without a search.
constexpr size_t kIndexedSizes = 1024;

KeptBlocks*& Indexed(size_t size) {
    static KeptBlocks* index[kIndexedSizes / 8 + 1] = {};
    return index[size / 8];
}

[[maybe_unused]] KeptBlocks* Find(size_t size) { // unused under AddressSanitizer
    if (size % 8 == 0 && size <= kIndexedSizes) return Indexed(size);
    for (KeptBlocks* k : Kept())
        if (k->size == size) return k;
    return nullptr;
}

[[maybe_unused]] KeptBlocks* Add(size_t size) {
    // Each list has storage of its own, so that the index keeps pointing at it.
    auto* k = new KeptBlocks{size, {}};
    Kept().push_back(k);
    if (size % 8 == 0 && size <= kIndexedSizes) Indexed(size) = k;
    return k;
}

} // namespace

void* RecycledNew(size_t size) {
#if !defined(__SANITIZE_ADDRESS__)
    if (KeptBlocks* k = Find(size); k && !k->blocks.empty()) {
        void* block = k->blocks.back();
        k->blocks.pop_back();
        return block;
    }
#endif
    return ::operator new(size);
}

void RecycledDelete(void* memory, size_t size) {
    if (!memory) return;
#if !defined(__SANITIZE_ADDRESS__)
    KeptBlocks* k = Find(size);
    if (!k) k = Add(size);
    if (k->blocks.size() < kKeptPerSize) {
        k->blocks.push_back(memory);
        return;
    }
#endif
    ::operator delete(memory);
}

void ReleaseRecycledObjects() {
    for (KeptBlocks* k : Kept()) {
        for (void* block : k->blocks)
            ::operator delete(block);
        k->blocks.clear();
    }
}
