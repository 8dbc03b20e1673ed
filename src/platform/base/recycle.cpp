#include "platform/base/recycle.h"

#include <new>
#include <vector>

namespace {

struct KeptBlocks {
    size_t size;
    std::vector<void*> blocks;
};
constexpr size_t kKeptPerSize = 64;

std::vector<KeptBlocks>& Kept() {
    static auto* kept = new std::vector<KeptBlocks>;
    return *kept;
}

[[maybe_unused]] KeptBlocks* Find(size_t size) { // unused under AddressSanitizer
    for (KeptBlocks& k : Kept())
        if (k.size == size) return &k;
    return nullptr;
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
    if (!k) {
        Kept().push_back({size, {}});
        k = &Kept().back();
    }
    if (k->blocks.size() < kKeptPerSize) {
        k->blocks.push_back(memory);
        return;
    }
#endif
    ::operator delete(memory);
}

void ReleaseRecycledObjects() {
    for (KeptBlocks& k : Kept()) {
        for (void* block : k.blocks)
            ::operator delete(block);
        k.blocks.clear();
    }
}
