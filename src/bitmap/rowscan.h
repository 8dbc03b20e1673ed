// Classifying a row of 24-bit pixels against a colour range, for regions from bitmaps: one bit
// per pixel, set where the pixel lies within the range (is transparent).
//
// Scan uses the widest vector instructions the processor has (AVX-512, AVX2, SSE2), each
// finishing with the narrower ones on what is left of the row; ScanPlain is the same rule one
// pixel at a time, the reference every kernel must equal.
#pragma once

#include "platform/base/wintypes.h"

#include <cstdint>

// Per channel k: [byte k of colour, that + byte k of tolerance], limited to 255. Channel 0
// meets the first stored byte of a pixel (blue), so the tolerance widens a range upward only.
struct ColourRange {
    ColourRange(DWORD colour, DWORD tolerance);
    bool Contains(const BYTE* pixel) const {
        return BYTE(pixel[0] - low[0]) <= BYTE(high[0] - low[0]) &&
               BYTE(pixel[1] - low[1]) <= BYTE(high[1] - low[1]) &&
               BYTE(pixel[2] - low[2]) <= BYTE(high[2] - low[2]);
    }
    BYTE low[3], high[3];
};

enum class RowKernel { Plain, Sse2, Avx2, Avx512 };

class CRowScanner {
public:
    explicit CRowScanner(const ColourRange& range);

    // The widest kernel this processor runs.
    static RowKernel Best();
    static bool Available(RowKernel kernel);

    // Sets bit x (bits[x / 64], bit x % 64) for each pixel x of the row within the range and
    // clears the others; bits holds (width + 63) / 64 words. The kernel must be available.
    void Scan(const BYTE* row, int width, uint64_t* bits, RowKernel kernel = Best()) const;
    void ScanPlain(const BYTE* row, int width, uint64_t* bits) const {
        Scan(row, width, bits, RowKernel::Plain);
    }

private:
    ColourRange m_range;
    BYTE m_low[192], m_high[192]; // the range repeated over 64 pixels, for the vector kernels
};
