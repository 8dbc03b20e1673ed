// Heap use inside a benchmark program: bytes live, the peak, and how many blocks were
// allocated and released.
//
// The counting allocator (heapcount.cpp) replaces the C library's malloc family, so it sees
// every heap block of the process: the library's operator new (which calls malloc) as well as
// zlib, pixman, FreeType, fontconfig and the C library itself, which all allocate with malloc
// directly. A block counts with the size the allocator reserved for it (malloc_usable_size: the
// request rounded up to the allocator's granule; the allocator's own per-block header is left
// out). Only programs named bench/memory*.cpp link it, so the time benchmarks keep the plain
// allocator.
#pragma once

#include <cstddef>
#include <cstdint>

struct HeapCounts {
    size_t live = 0;          // bytes in blocks not yet released
    size_t peak = 0;          // the most bytes live at once since the last HeapResetPeak
    uint64_t allocations = 0; // blocks allocated since the process started
    uint64_t releases = 0;    // blocks released since the process started
};

HeapCounts HeapNow();
// Starts a new peak from the bytes live now.
void HeapResetPeak();

// What the heap did from the probe's making on: growth of the live bytes, the highest point
// above the start, and blocks allocated. The probe restarts the process's peak.
class HeapProbe {
public:
    HeapProbe() { Restart(); }
    void Restart() {
        HeapResetPeak();
        m_start = HeapNow();
    }
    // Live bytes now less live bytes at the start (negative when more was released).
    long long Growth() const { return (long long)HeapNow().live - (long long)m_start.live; }
    // The highest live bytes since the start, less the live bytes at the start.
    size_t Peak() const { return HeapNow().peak - m_start.live; }
    uint64_t Allocations() const { return HeapNow().allocations - m_start.allocations; }

private:
    HeapCounts m_start;
};
