#include "bitmap/rowscan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstring>

ColourRange::ColourRange(DWORD colour, DWORD tolerance) {
    for (int k = 0; k < 3; ++k) {
        low[k] = BYTE(colour >> (8 * k));
        high[k] = BYTE(std::min(255u, unsigned(low[k]) + BYTE(tolerance >> (8 * k))));
    }
}

CRowScanner::CRowScanner(const ColourRange& range) : m_range(range) {
    // One pixel's three bytes, then the filled part copied after itself: a scanner is made for
    // every region, often of a small frame, so this must cost next to nothing.
    std::memcpy(m_low, range.low, 3), std::memcpy(m_high, range.high, 3);
    for (size_t filled = 3; filled < sizeof m_low; filled *= 2) {
        size_t n = std::min(filled, sizeof m_low - filled);
        std::memcpy(m_low + filled, m_low, n), std::memcpy(m_high + filled, m_high, n);
    }
}

namespace {

#if defined(__x86_64__)
bool HasAvx2Bmi2() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return has;
}

bool HasAvx512Bmi2() {
    static const bool has = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2");
    return has;
}

// Sets the 64 pixel bits of a group that starts at pixel x.
inline void PutGroup(uint64_t* bits, int x, uint64_t pixels) {
    int shift = x & 63;
    bits[size_t(x) >> 6] |= pixels << shift;
    if (shift) bits[(size_t(x) >> 6) + 1] |= pixels >> (64 - shift);
}

// As Avx2Row below, 64 pixels (192 bytes) per group; nothing for rows under 64 pixels.
__attribute__((target("avx512f,avx512bw,bmi2"))) int
Avx512Row(const BYTE* row, int width, const BYTE* low192, const BYTE* high192, uint64_t* bits) {
    if (width < 64) return 0;
    __m512i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm512_loadu_si512(low192 + 64 * k);
        high[k] = _mm512_loadu_si512(high192 + 64 * k);
    }
    for (int x = 0;; x = std::min(x + 64, width - 64)) {
        const BYTE* p = row + size_t(x) * 3;
        uint64_t in[3]; // bit j: byte j of the 64-byte part k is in range
        for (int k = 0; k < 3; ++k) {
            __m512i v = _mm512_loadu_si512(p + 64 * k);
            in[k] = _mm512_mask_cmple_epu8_mask(_mm512_cmpge_epu8_mask(v, low[k]), v, high[k]);
        }
        // A pixel is in range when its three bytes are; its bit is kept at its first byte,
        // which is byte 3p: bits 0, 3 ... 63 of the first part (pixels 0-21), 2, 5 ... 62 of
        // the second (22-42) and 1, 4 ... 61 of the third (43-63).
        uint64_t a = in[0] & (in[0] >> 1 | in[1] << 63) & (in[0] >> 2 | in[1] << 62);
        uint64_t b = in[1] & (in[1] >> 1 | in[2] << 63) & (in[1] >> 2 | in[2] << 62);
        uint64_t c = in[2] & (in[2] >> 1) & (in[2] >> 2);
        PutGroup(bits, x,
                 _pext_u64(a, 0x9249249249249249ull) | _pext_u64(b, 0x4924924924924924ull) << 22 |
                     _pext_u64(c, 0x2492492492492492ull) << 43);
        if (x + 64 == width) return width;
    }
}

// One bit per pixel for the row's whole groups of 32 pixels (96 bytes), set when all three of
// the pixel's bytes are in range; returns the pixels done.
__attribute__((target("avx2,bmi2"))) int Avx2Row(const BYTE* row, int width, const BYTE* low96,
                                                 const BYTE* high96, uint64_t* bits) {
    if (width < 32) return 0;
    __m256i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(low96 + 32 * k));
        high[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(high96 + 32 * k));
    }
    // Groups of 32 from the left; the last one ends at the row's end, overlapping the one before
    // it when the width is not a multiple of 32 (the bits it sets again are the same).
    for (int x = 0;; x = std::min(x + 32, width - 32)) {
        const BYTE* p = row + size_t(x) * 3;
        uint32_t byteBits[3];
        for (int k = 0; k < 3; ++k) {
            __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
            __m256i ok = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(v, low[k]), v),
                                          _mm256_cmpeq_epi8(_mm256_min_epu8(v, high[k]), v));
            byteBits[k] = uint32_t(_mm256_movemask_epi8(ok));
        }
        // Pixels 0-20 lie in bytes 0-62, pixels 21-31 in bytes 63-95. A pixel's bit is the
        // first of its three set bits, so every third bit of each half is kept.
        uint64_t lo = byteBits[0] | uint64_t(byteBits[1]) << 32;
        uint64_t hi = lo >> 63 | uint64_t(byteBits[2]) << 1;
        uint64_t first = _pext_u64(lo & (lo >> 1) & (lo >> 2), 0x1249249249249249ull);
        uint64_t rest = _pext_u64(hi & (hi >> 1) & (hi >> 2), 0x49249249ull);
        uint64_t pixels = first | rest << 21;
        int shift = x & 63;
        bits[size_t(x) >> 6] |= pixels << shift;
        if (shift > 32) bits[(size_t(x) >> 6) + 1] |= pixels >> (64 - shift);
        if (x + 32 == width) return width;
    }
}
#endif

#if defined(__SSE2__)
// Gathers bits 0, 3, 6, ... 45 of v into bits 0 to 15.
uint64_t EveryThirdBit(uint64_t v) {
    v &= 0x249249249249ull;
    v = (v | (v >> 2)) & 0x0C30C30C30C3ull;
    v = (v | (v >> 4)) & 0x00F00F00F00Full;
    v = (v | (v >> 8)) & 0x0000FF0000FFull;
    return (v | (v >> 16)) & 0xFFFFull;
}

// Sixteen pixels (48 bytes) at a time from pixel x, which is a multiple of 16: a byte is in
// range when max(byte, low) and min(byte, high) both leave it unchanged; a pixel when its three
// bytes are. Returns the first pixel not done.
int Sse2Row(const BYTE* row, int x, int width, const BYTE* low48, const BYTE* high48,
            uint64_t* bits) {
    __m128i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low48 + 16 * k));
        high[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(high48 + 16 * k));
    }
    for (; x + 16 <= width; x += 16) {
        uint64_t bytes = 0;
        for (int k = 0; k < 3; ++k) {
            __m128i p =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + size_t(x) * 3 + 16 * k));
            __m128i ok = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(p, low[k]), p),
                                       _mm_cmpeq_epi8(_mm_min_epu8(p, high[k]), p));
            bytes |= uint64_t(uint32_t(_mm_movemask_epi8(ok))) << (16 * k);
        }
        uint64_t pixels = EveryThirdBit(bytes & (bytes >> 1) & (bytes >> 2));
        bits[size_t(x) >> 6] |= pixels << (x & 63);
    }
    return x;
}
#endif

} // namespace

bool CRowScanner::Available(RowKernel kernel) {
    switch (kernel) {
    case RowKernel::Plain:
        return true;
#if defined(__SSE2__)
    case RowKernel::Sse2:
        return true;
#endif
#if defined(__x86_64__)
    case RowKernel::Avx2:
        return HasAvx2Bmi2();
    case RowKernel::Avx512:
        return HasAvx512Bmi2();
#endif
    default:
        return false;
    }
}

RowKernel CRowScanner::Best() {
    for (RowKernel k : {RowKernel::Avx512, RowKernel::Avx2, RowKernel::Sse2})
        if (Available(k)) return k;
    return RowKernel::Plain;
}

void CRowScanner::Scan(const BYTE* row, int width, uint64_t* bits, RowKernel kernel) const {
    std::fill(bits, bits + (size_t(width) + 63) / 64, 0);
    int x = 0;
#if defined(__x86_64__)
    if (kernel == RowKernel::Avx512 && width >= 64)
        x = Avx512Row(row, width, m_low, m_high, bits);
    else if (kernel >= RowKernel::Avx2)
        x = Avx2Row(row, width, m_low, m_high, bits);
#endif
#if defined(__SSE2__)
    if (kernel >= RowKernel::Sse2) x = Sse2Row(row, x, width, m_low, m_high, bits);
#endif
    for (; x < width; ++x)
        if (m_range.Contains(row + size_t(x) * 3)) bits[size_t(x) >> 6] |= uint64_t(1) << (x & 63);
}
