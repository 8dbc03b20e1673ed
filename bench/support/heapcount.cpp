// The counting allocator: malloc, free and the rest of the family, defined in the program so
// that every shared library binds to them (ELF symbol interposition, which the GNU C library
// supports for exactly this), forwarding to the C library's own allocator.
//
// The C library declares them noexcept, and so must their replacements. Every entry point
// that hands out or takes back a block is replaced, or a block would be counted on one side
// only. Counts are atomic so that a library thread cannot tear them.
#include "support/heapcount.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>

extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* block);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

std::atomic<size_t> g_live{0}, g_peak{0};
std::atomic<uint64_t> g_allocations{0}, g_releases{0};

void Added(void* block) {
    if (!block) return;
    size_t size = malloc_usable_size(block);
    size_t now = g_live.fetch_add(size, std::memory_order_relaxed) + size;
    size_t peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
    g_allocations.fetch_add(1, std::memory_order_relaxed);
}

void Removed(void* block) {
    if (!block) return;
    g_live.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    g_releases.fetch_add(1, std::memory_order_relaxed);
}

void* Counted(void* block) {
    Added(block);
    return block;
}

} // namespace

HeapCounts HeapNow() {
    return {g_live.load(std::memory_order_relaxed), g_peak.load(std::memory_order_relaxed),
            g_allocations.load(std::memory_order_relaxed),
            g_releases.load(std::memory_order_relaxed)};
}

void HeapResetPeak() {
    g_peak.store(g_live.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

extern "C" {

void* malloc(size_t size) noexcept {
    return Counted(__libc_malloc(size));
}

void free(void* block) noexcept {
    Removed(block);
    __libc_free(block);
}

void* calloc(size_t count, size_t size) noexcept {
    return Counted(__libc_calloc(count, size));
}

// A block that moves or changes size is the old one released and a new one allocated; a failed
// realloc leaves the old block as it was.
void* realloc(void* block, size_t size) noexcept {
    size_t before = block ? malloc_usable_size(block) : 0;
    void* moved = __libc_realloc(block, size);
    if (!moved && size != 0) return nullptr;
    if (block) {
        g_live.fetch_sub(before, std::memory_order_relaxed);
        g_releases.fetch_add(1, std::memory_order_relaxed);
    }
    return Counted(moved);
}

void* reallocarray(void* block, size_t count, size_t size) noexcept {
    size_t bytes = 0;
    if (__builtin_mul_overflow(count, size, &bytes)) {
        errno = ENOMEM;
        return nullptr;
    }
    return realloc(block, bytes);
}

void* memalign(size_t alignment, size_t size) noexcept {
    return Counted(__libc_memalign(alignment, size));
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
    return Counted(__libc_memalign(alignment, size));
}

int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* block = __libc_memalign(alignment, size);
    if (!block) return ENOMEM;
    *out = Counted(block);
    return 0;
}

void* valloc(size_t size) noexcept {
    return Counted(__libc_memalign(size_t(sysconf(_SC_PAGESIZE)), size));
}

void* pvalloc(size_t size) noexcept {
    size_t page = size_t(sysconf(_SC_PAGESIZE));
    return Counted(__libc_memalign(page, (size + page - 1) / page * page));
}

} // extern "C"
