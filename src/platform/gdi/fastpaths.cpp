// Fast paths of the raster engine (see fastpaths.h).
#include "platform/gdi/fastpaths.h"

#include <array>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SK_AVX2 1
#include <immintrin.h>
#include <tmmintrin.h>
#endif

// GCC also builds these loops for AVX2 and picks the variant when the program loads.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define SK_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define SK_VECTOR_CLONES
#endif

namespace gdi {

// Calls f with the operation (SRCCOPY, SRCAND, SRCPAINT or SRCINVERT, as BytewiseOp takes them)
// as a compile-time constant, so that each loop is built once per operation.
template <class F> static void WithRop(uint8_t rop, F&& f) {
    switch (rop) {
    case 0xCC:
        return f(std::integral_constant<uint8_t, 0xCC>());
    case 0x88:
        return f(std::integral_constant<uint8_t, 0x88>());
    case 0xEE:
        return f(std::integral_constant<uint8_t, 0xEE>());
    default:
        return f(std::integral_constant<uint8_t, 0x66>());
    }
}

#if defined(SK_AVX2)
static bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

static bool HasAvx512() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return has;
}

// 64 bytes at a time; returns how many bytes it did.
template <uint8_t Rop>
__attribute__((target("avx512f"))) static size_t BytewiseAvx512(uint8_t* d, const uint8_t* s,
                                                                size_t n) {
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        __m512i a = _mm512_loadu_si512(d + i), b = _mm512_loadu_si512(s + i);
        if constexpr (Rop == 0x88) a = _mm512_and_si512(a, b);
        if constexpr (Rop == 0xEE) a = _mm512_or_si512(a, b);
        if constexpr (Rop == 0x66) a = _mm512_xor_si512(a, b);
        _mm512_storeu_si512(d + i, a);
    }
    return i;
}
#endif

SK_VECTOR_CLONES void AndBytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t n) {
    for (size_t i = 0; i < n; ++i)
        d[i] &= s[i];
}

SK_VECTOR_CLONES void OrBytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t n) {
    for (size_t i = 0; i < n; ++i)
        d[i] |= s[i];
}

SK_VECTOR_CLONES void XorBytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t n) {
    for (size_t i = 0; i < n; ++i)
        d[i] ^= s[i];
}

void BytewiseOp(uint8_t rop, uint8_t* d, const uint8_t* s, size_t bytes) {
#if defined(SK_AVX2)
    if (rop != 0xCC && HasAvx512()) {
        size_t done = rop == 0x88   ? BytewiseAvx512<0x88>(d, s, bytes)
                      : rop == 0xEE ? BytewiseAvx512<0xEE>(d, s, bytes)
                                    : BytewiseAvx512<0x66>(d, s, bytes);
        d += done, s += done, bytes -= done;
    }
#endif
    switch (rop) {
    case 0xCC:
        std::memmove(d, s, bytes);
        break;
    case 0x88:
        AndBytes(d, s, bytes);
        break;
    case 0xEE:
        OrBytes(d, s, bytes);
        break;
    default:
        XorBytes(d, s, bytes);
        break;
    }
}

// A short row (a control's image is a few dozen pixels wide) is done in place: the call, the
// dispatch and the library call per row would cost more than its bytes.
constexpr size_t kShortRow = 128;

template <uint8_t Rop> static inline uint32_t Op32(uint32_t d, uint32_t s) {
    if constexpr (Rop == 0xCC) return s;
    if constexpr (Rop == 0x88) return d & s;
    if constexpr (Rop == 0xEE) return d | s;
    return d ^ s;
}

template <uint8_t Rop> static inline void ShortRow(uint8_t* d, const uint8_t* s, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        auto* at = reinterpret_cast<__m128i*>(d + i);
        if constexpr (Rop == 0x88) v = _mm_and_si128(_mm_loadu_si128(at), v);
        if constexpr (Rop == 0xEE) v = _mm_or_si128(_mm_loadu_si128(at), v);
        if constexpr (Rop == 0x66) v = _mm_xor_si128(_mm_loadu_si128(at), v);
        _mm_storeu_si128(at, v);
    }
#endif
    for (; i + 4 <= n; i += 4) {
        uint32_t a, b;
        std::memcpy(&a, d + i, 4);
        std::memcpy(&b, s + i, 4);
        a = Op32<Rop>(a, b);
        std::memcpy(d + i, &a, 4);
    }
    for (; i < n; ++i)
        d[i] = uint8_t(Op32<Rop>(d[i], s[i]));
}

void BytewiseRows(uint8_t rop, uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                  size_t bytes, int rows, bool overlap) {
    if (overlap || bytes > kShortRow) {
        for (int r = 0; r < rows; ++r, d += dPitch, s += sPitch)
            BytewiseOp(rop, d, s, bytes);
        return;
    }
    WithRop(rop, [&](auto op) {
        for (int r = 0; r < rows; ++r, d += dPitch, s += sPitch)
            ShortRow<op()>(d, s, bytes);
    });
}

static void PutBit(uint8_t* row, int x, bool v) {
    uint8_t bit = uint8_t(0x80 >> (x & 7));
    row[x >> 3] = v ? uint8_t(row[x >> 3] | bit) : uint8_t(row[x >> 3] & ~bit);
}

#if defined(SK_AVX2)
// Bit k of a byte moved to bit 7 - k.
static const uint8_t* ReversedBytes() {
    static const auto table = [] {
        std::array<uint8_t, 256> t{};
        for (int v = 0; v < 256; ++v)
            for (int k = 0; k < 8; ++k)
                t[size_t(v)] |= uint8_t(((v >> k) & 1) << (7 - k));
        return t;
    }();
    return table.data();
}

__attribute__((target("avx2"))) static inline __m256i Equal(const uint32_t* p, __m256i mask,
                                                            __m256i bk) {
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    return _mm256_cmpeq_epi32(_mm256_and_si256(v, mask), bk);
}

// Eight pixels per step; returns how many pixels it did.
__attribute__((target("avx2"))) static int
ColourToMonoAvx2(const uint32_t* src, int n, uint32_t mask, uint32_t bk, uint8_t* out) {
    const __m256i vmask = _mm256_set1_epi32(int(mask)), vbk = _mm256_set1_epi32(int(bk));
    // 32 pixels: pack the comparisons to one byte each, put them in pixel order, reverse
    // each group of eight so that the first pixel of a group lands in its byte's high bit.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const __m256i reverse = _mm256_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8,
                                             7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        __m256i low =
            _mm256_packs_epi32(Equal(src + i, vmask, vbk), Equal(src + i + 8, vmask, vbk));
        __m256i high =
            _mm256_packs_epi32(Equal(src + i + 16, vmask, vbk), Equal(src + i + 24, vmask, vbk));
        __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packs_epi16(low, high), order);
        uint32_t bits = uint32_t(_mm256_movemask_epi8(_mm256_shuffle_epi8(bytes, reverse)));
        std::memcpy(out + (i >> 3), &bits, 4);
    }
    const uint8_t* reversed = ReversedBytes();
    for (; i + 8 <= n; i += 8)
        out[i >> 3] = reversed[_mm256_movemask_ps(_mm256_castsi256_ps(Equal(src + i, vmask, vbk)))];
    return i;
}

// Lane k of a group of sixteen pixels taken from pixel 8 * (k / 8) + 7 - k % 8: comparing lanes
// in this order gives a mask whose bytes are the row's bytes, first pixel in the high bit. The
// order is its own inverse, so it also puts the lanes of a mask read from a row back in order.
__attribute__((target("avx512f"))) static inline __m512i ByteReversedLanes() {
    return _mm512_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
}

// The zero-masked form: GCC warns that the plain one's undefined pass-through is uninitialised.
__attribute__((target("avx512f"))) static inline __m512i Reorder(__m512i order, __m512i v) {
    return _mm512_maskz_permutexvar_epi32(0xFFFF, order, v);
}

// The mask bits of sixteen pixels, in row order.
__attribute__((target("avx512f"))) static inline uint32_t Sixteen(const uint32_t* p, __m512i order,
                                                                  __m512i mask, __m512i bk) {
    __m512i v = _mm512_and_si512(Reorder(order, _mm512_loadu_si512(p)), mask);
    return _cvtmask16_u32(_mm512_cmpeq_epi32_mask(v, bk));
}

// The whole block, thirty-two pixels per step between the byte-aligned ends of each row.
__attribute__((target("avx512f"))) static void ColourToMonoAvx512(const MonoBlock& block,
                                                                  uint32_t mask, uint32_t bk) {
    const MonoBlock b = block; // a local copy: the mask stores could otherwise alias it
    const __m512i vmask = _mm512_set1_epi32(int(mask)), vbk = _mm512_set1_epi32(int(bk));
    const __m512i order = ByteReversedLanes();
    for (int r = 0; r < b.rows; ++r) {
        const uint32_t* src = b.Colour(r);
        uint8_t* row = b.Mono(r);
        int i = 0;
        for (; i < b.width && ((b.monoX + i) & 7); ++i)
            PutBit(row, b.monoX + i, (src[i] & mask) == bk);
        uint8_t* out = row + ((b.monoX + i) >> 3);
        for (; i + 32 <= b.width; i += 32, out += 4) {
            uint32_t bits = Sixteen(src + i, order, vmask, vbk) |
                            Sixteen(src + i + 16, order, vmask, vbk) << 16;
            std::memcpy(out, &bits, 4);
        }
        for (; i + 16 <= b.width; i += 16, out += 2) {
            auto bits = uint16_t(Sixteen(src + i, order, vmask, vbk));
            std::memcpy(out, &bits, 2);
        }
        for (; i < b.width; ++i)
            PutBit(row, b.monoX + i, (src[i] & mask) == bk);
    }
}
#endif

static void ColourToMonoRow(const uint32_t* src, int n, uint32_t mask, uint32_t bk, uint8_t* row,
                            int x) {
    int i = 0;
    for (; i < n && ((x + i) & 7); ++i)
        PutBit(row, x + i, (src[i] & mask) == bk);
#if defined(SK_AVX2)
    if (HasAvx2()) i += ColourToMonoAvx2(src + i, n - i, mask, bk, row + ((x + i) >> 3));
#endif
#if defined(__SSE2__)
    // movemask gives pixel k at bit k; the row wants the first pixel in the high bit.
    static const uint8_t kReverse4[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    const __m128i vmask = _mm_set1_epi32(int(mask)), vbk = _mm_set1_epi32(int(bk));
    for (; i + 8 <= n; i += 8) {
        __m128i a =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), vmask);
        __m128i b =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 4)), vmask);
        int high = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, vbk)));
        int low = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(b, vbk)));
        row[(x + i) >> 3] = uint8_t(kReverse4[high] << 4 | kReverse4[low]);
    }
#else
    for (; i + 8 <= n; i += 8) {
        unsigned byte = 0;
        for (int k = 0; k < 8; ++k)
            byte |= unsigned((src[i + k] & mask) == bk) << (7 - k);
        row[(x + i) >> 3] = uint8_t(byte);
    }
#endif
    for (; i < n; ++i)
        PutBit(row, x + i, (src[i] & mask) == bk);
}

// ---- 24-bit rows ------------------------------------------------------------------------------

// The value of the 24-bit pixel at p.
static inline uint32_t Value24(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

template <uint8_t Rop> static inline void Combine(uint32_t& d, uint32_t v) {
    if constexpr (Rop == 0xCC) d = v;
    if constexpr (Rop == 0x88) d &= v;
    if constexpr (Rop == 0xEE) d |= v;
    if constexpr (Rop == 0x66) d ^= v;
}

#if defined(SK_AVX2)
static bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// Four pixels' twelve bytes spread to four values (the top bytes zero). Reads sixteen bytes.
__attribute__((target("ssse3"))) static inline __m128i Four24(const uint8_t* p) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), spread);
}

// Four pixels a step while sixteen bytes can be read; returns how many pixels it did.
template <uint8_t Rop>
__attribute__((target("ssse3"))) static int Colour24To32Ssse3(uint32_t* d, const uint8_t* s,
                                                              int n) {
    int i = 0;
    for (; i + 6 <= n; i += 4) { // the bytes of two more pixels follow the four
        __m128i v = Four24(s + size_t(i) * 3);
        auto* at = reinterpret_cast<__m128i*>(d + i);
        __m128i old = _mm_loadu_si128(at);
        if constexpr (Rop == 0x88) v = _mm_and_si128(old, v);
        if constexpr (Rop == 0xEE) v = _mm_or_si128(old, v);
        if constexpr (Rop == 0x66) v = _mm_xor_si128(old, v);
        _mm_storeu_si128(at, v);
    }
    return i;
}

// Eight pixels a step while thirty-two bytes can be read; returns how many pixels it did.
template <uint8_t Rop>
__attribute__((target("avx2"))) static int Colour24To32Avx2(uint32_t* d, const uint8_t* s, int n) {
    // Bytes 0-15 to the low lane and 12-27 to the high one, then four pixels spread in each.
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6);
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                            1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int i = 0;
    for (; i + 11 <= n; i += 8) {
        __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + size_t(i) * 3));
        __m256i v = _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, lanes), spread);
        auto* at = reinterpret_cast<__m256i*>(d + i);
        __m256i old = _mm256_loadu_si256(at);
        if constexpr (Rop == 0x88) v = _mm256_and_si256(old, v);
        if constexpr (Rop == 0xEE) v = _mm256_or_si256(old, v);
        if constexpr (Rop == 0x66) v = _mm256_xor_si256(old, v);
        _mm256_storeu_si256(at, v);
    }
    return i;
}

// Eight pixels a byte while the bytes of two more pixels follow them.
__attribute__((target("ssse3"))) static int Colour24ToMonoSsse3(const uint8_t* s, int n,
                                                                uint32_t bk, uint8_t* out) {
    const __m128i key = _mm_set1_epi32(int(bk));
    int i = 0;
    for (; i + 10 <= n; i += 8) {
        int high =
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(Four24(s + size_t(i) * 3), key)));
        int low =
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(Four24(s + size_t(i + 4) * 3), key)));
        // Bit k of a movemask is pixel k; the first pixel goes to the byte's high bit.
        static const uint8_t reversed4[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
        out[i >> 3] = uint8_t(reversed4[high] << 4 | reversed4[low]);
    }
    return i;
}
#endif

#if defined(SK_AVX2)
// Sixteen 24-bit pixels spread to sixteen values (the top bytes zero), reading only the bytes
// of the first `count` of them: the masked load neither faults nor reads past a row's end, so
// short rows (skin frames are often 16 pixels wide) need no pixel-by-pixel tail.
__attribute__((target("avx512f,avx512bw"))) static inline __m512i Sixteen24(const uint8_t* p,
                                                                           int count) {
    // The 128-bit lane k takes bytes 12k to 12k + 15, the four pixels 4k to 4k + 3.
    const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 11, 12);
    const __m512i spread = _mm512_maskz_broadcast_i32x4(
        0xFFFF,
        _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    __mmask64 bytes = (uint64_t(1) << (3 * count)) - 1; // count <= 16: at most 48 bits
    __m512i v = _mm512_maskz_loadu_epi8(bytes, p);
    return _mm512_shuffle_epi8(_mm512_maskz_permutexvar_epi32(0xFFFF, lanes, v), spread);
}

template <uint8_t Rop>
__attribute__((target("avx512f,avx512bw"))) static void
Colour24To32Avx512(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, int n,
                   int rows) {
    for (int r = 0; r < rows; ++r, d += dPitch, s += sPitch) {
        auto* dr = reinterpret_cast<uint32_t*>(d);
        for (int i = 0; i < n; i += 16) {
            int count = n - i < 16 ? n - i : 16;
            __mmask16 lanes = __mmask16((1u << count) - 1);
            __m512i v = Sixteen24(s + size_t(i) * 3, count);
            if constexpr (Rop != 0xCC) {
                __m512i old = _mm512_maskz_loadu_epi32(lanes, dr + i);
                if constexpr (Rop == 0x88) v = _mm512_and_si512(old, v);
                if constexpr (Rop == 0xEE) v = _mm512_or_si512(old, v);
                if constexpr (Rop == 0x66) v = _mm512_xor_si512(old, v);
            }
            _mm512_mask_storeu_epi32(dr + i, lanes, v);
        }
    }
}

// The mask bits of a block of 24-bit rows, sixteen pixels per step from the first whole byte
// of each monochrome row.
__attribute__((target("avx512f,avx512bw"))) static void
Colour24ToMonoAvx512(const uint8_t* s, ptrdiff_t sPitch, int n, int rows, uint32_t bk,
                     uint8_t* mono, ptrdiff_t monoPitch, int x) {
    const __m512i key = _mm512_set1_epi32(int(bk));
    const uint8_t* reversed = ReversedBytes();
    for (int r = 0; r < rows; ++r, s += sPitch, mono += monoPitch) {
        int i = 0;
        for (; i < n && ((x + i) & 7); ++i)
            PutBit(mono, x + i, Value24(s + size_t(i) * 3) == bk);
        uint8_t* out = mono + ((x + i) >> 3);
        for (; i < n; i += 16, out += 2) {
            int count = n - i < 16 ? n - i : 16;
            __mmask16 lanes = __mmask16((1u << count) - 1);
            unsigned equal = _cvtmask16_u32(
                _mm512_mask_cmpeq_epi32_mask(lanes, Sixteen24(s + size_t(i) * 3, count), key));
            // Bit k of `equal` is pixel i + k; each row byte wants its first pixel in bit 7.
            for (int b = 0; b < 2 && b * 8 < count; ++b) {
                uint8_t bits = reversed[(equal >> (8 * b)) & 0xFF];
                int kept = count - b * 8 >= 8 ? 0 : 8 - (count - b * 8); // low bits not ours
                uint8_t ours = uint8_t(0xFF << kept);
                out[b] = uint8_t((out[b] & ~ours) | (bits & ours));
            }
        }
    }
}
#endif

template <uint8_t Rop>
static void Colour24To32Rows(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                             int n, int rows) {
#if defined(SK_AVX2)
    const bool avx2 = HasAvx2(), ssse3 = HasSsse3();
#endif
    for (int r = 0; r < rows; ++r, d += dPitch, s += sPitch) {
        auto* dr = reinterpret_cast<uint32_t*>(d);
        int i = 0;
#if defined(SK_AVX2)
        if (avx2) i = Colour24To32Avx2<Rop>(dr, s, n);
        if (ssse3) i += Colour24To32Ssse3<Rop>(dr + i, s + size_t(i) * 3, n - i);
#endif
        // Four bytes at a time (the fourth is the next pixel's), the last pixel byte by byte so
        // that no read passes the row.
        for (; i + 1 < n; ++i) {
            uint32_t v;
            std::memcpy(&v, s + size_t(i) * 3, 4);
            Combine<Rop>(dr[i], v & 0xFFFFFF);
        }
        if (i < n) Combine<Rop>(dr[i], Value24(s + size_t(i) * 3));
    }
}

void Colour24To32(uint8_t rop, uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                  int n, int rows) {
    WithRop(rop, [&](auto op) {
#if defined(SK_AVX2)
        if (HasAvx512()) return Colour24To32Avx512<op()>(d, dPitch, s, sPitch, n, rows);
#endif
        Colour24To32Rows<op()>(d, dPitch, s, sPitch, n, rows);
    });
}

static void Colour24ToMonoRow(const uint8_t* s, int n, uint32_t bk, uint8_t* mono, int x) {
    int i = 0;
    for (; i < n && ((x + i) & 7); ++i)
        PutBit(mono, x + i, Value24(s + size_t(i) * 3) == bk);
#if defined(SK_AVX2)
    if (HasSsse3() && i < n) {
        int done = Colour24ToMonoSsse3(s + size_t(i) * 3, n - i, bk, mono + ((x + i) >> 3));
        i += done;
    }
#endif
    for (; i + 8 <= n; i += 8) { // whole bytes, the first pixel in the high bit
        unsigned byte = 0;
        for (int k = 0; k < 8; ++k)
            byte = byte << 1 | unsigned(Value24(s + size_t(i + k) * 3) == bk);
        mono[(x + i) >> 3] = uint8_t(byte);
    }
    for (; i < n; ++i)
        PutBit(mono, x + i, Value24(s + size_t(i) * 3) == bk);
}

void Colour24ToMono(const uint8_t* s, ptrdiff_t sPitch, int n, int rows, uint32_t bk,
                    uint8_t* mono, ptrdiff_t monoPitch, int x) {
#if defined(SK_AVX2)
    if (HasAvx512()) return Colour24ToMonoAvx512(s, sPitch, n, rows, bk, mono, monoPitch, x);
#endif
    for (int r = 0; r < rows; ++r)
        Colour24ToMonoRow(s + ptrdiff_t(r) * sPitch, n, bk, mono + ptrdiff_t(r) * monoPitch, x);
}

void ColourToMono(const MonoBlock& b, uint32_t mask, uint32_t bk) {
#if defined(SK_AVX2)
    if (HasAvx512()) return ColourToMonoAvx512(b, mask, bk);
#endif
    for (int r = 0; r < b.rows; ++r)
        ColourToMonoRow(b.Colour(r), b.width, mask, bk, b.Mono(r), b.monoX);
}

namespace {

uint32_t Apply(uint8_t rop, uint32_t d, uint32_t s) {
    switch (rop) {
    case 0xCC:
        return s;
    case 0x88:
        return d & s;
    case 0xEE:
        return d | s;
    default:
        return d ^ s;
    }
}

int MonoBit(const uint8_t* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

#if defined(SK_AVX2)
// The whole block, sixteen pixels (two mask bytes) per step between the byte-aligned ends of
// each row.
template <uint8_t Rop>
__attribute__((target("avx512f"))) void MonoToColourAvx512(const MonoBlock& block,
                                                           const uint32_t* table) {
    const MonoBlock b = block; // a local copy: the colour stores could otherwise alias it
    const __m512i v0 = _mm512_set1_epi32(int(table[0])), v1 = _mm512_set1_epi32(int(table[1]));
    const uint32_t value0 = table[0], value1 = table[1];
    const __m512i order = ByteReversedLanes();
    for (int r = 0; r < b.rows; ++r) {
        const uint8_t* bits = b.Mono(r);
        uint32_t* d = b.Colour(r);
        auto edge = [&](int i) {
            d[i] = Apply(Rop, d[i], MonoBit(bits, b.monoX + i) ? value1 : value0);
        };
        int i = 0;
        for (; i < b.width && ((b.monoX + i) & 7); ++i)
            edge(i);
        const uint8_t* in = bits + ((b.monoX + i) >> 3);
        for (; i + 16 <= b.width; i += 16, in += 2) {
            uint16_t ones;
            std::memcpy(&ones, in, 2);
            __m512i s = Reorder(order, _mm512_mask_blend_epi32(_cvtu32_mask16(ones), v0, v1));
            if constexpr (Rop == 0x88) s = _mm512_and_si512(_mm512_loadu_si512(d + i), s);
            if constexpr (Rop == 0xEE) s = _mm512_or_si512(_mm512_loadu_si512(d + i), s);
            if constexpr (Rop == 0x66) s = _mm512_xor_si512(_mm512_loadu_si512(d + i), s);
            _mm512_storeu_si512(d + i, s);
        }
        for (; i < b.width; ++i)
            edge(i);
    }
}
#endif

// Eight pixels per source byte: the four values of each nibble come from the table.
template <class Op>
void MonoBody(const uint8_t* bits, int bytes, const uint32_t (*nib)[4], uint32_t* d, Op op) {
    for (int j = 0; j < bytes; ++j, d += 8) {
#if defined(__SSE2__)
        __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nib[bits[j] >> 4]));
        __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nib[bits[j] & 15]));
        __m128i* out = reinterpret_cast<__m128i*>(d);
        _mm_storeu_si128(out, op(_mm_loadu_si128(out), high));
        _mm_storeu_si128(out + 1, op(_mm_loadu_si128(out + 1), low));
#else
        const uint32_t* high = nib[bits[j] >> 4];
        const uint32_t* low = nib[bits[j] & 15];
        for (int k = 0; k < 4; ++k)
            d[k] = op(d[k], high[k]), d[4 + k] = op(d[4 + k], low[k]);
#endif
    }
}

#if defined(SK_AVX2)
// Eight pixels per source byte: each lane tests its own bit and takes the 0 or the 1 value.
template <uint8_t Rop>
__attribute__((target("avx2"))) void MonoBodyAvx2(const uint8_t* bits, int bytes, uint32_t zero,
                                                  uint32_t one, uint32_t* d) {
    const __m256i select = _mm256_setr_epi32(128, 64, 32, 16, 8, 4, 2, 1);
    const __m256i v0 = _mm256_set1_epi32(int(zero)), v1 = _mm256_set1_epi32(int(one));
    for (int j = 0; j < bytes; ++j, d += 8) {
        __m256i lane = _mm256_and_si256(_mm256_set1_epi32(bits[j]), select);
        __m256i s = _mm256_blendv_epi8(v0, v1, _mm256_cmpeq_epi32(lane, select));
        __m256i* out = reinterpret_cast<__m256i*>(d);
        if constexpr (Rop == 0x88) s = _mm256_and_si256(_mm256_loadu_si256(out), s);
        if constexpr (Rop == 0xEE) s = _mm256_or_si256(_mm256_loadu_si256(out), s);
        if constexpr (Rop == 0x66) s = _mm256_xor_si256(_mm256_loadu_si256(out), s);
        _mm256_storeu_si256(out, s);
    }
}

__attribute__((target("avx2"))) void MonoBodyAvx2(uint8_t rop, const uint8_t* bits, int bytes,
                                                  uint32_t zero, uint32_t one, uint32_t* d) {
    WithRop(rop, [&](auto op) { MonoBodyAvx2<op()>(bits, bytes, zero, one, d); });
}
#endif

} // namespace

static void MonoToColourRow(uint8_t rop, const uint8_t* row, int sx, int n,
                            const uint32_t (*nibbles)[4], const uint32_t* table, uint32_t* d) {
    int i = 0;
    for (; i < n && ((sx + i) & 7); ++i)
        d[i] = Apply(rop, d[i], table[MonoBit(row, sx + i)]);
    int bytes = (n - i) / 8;
    const uint8_t* body = row + ((sx + i) >> 3);
#if defined(SK_AVX2)
    if (HasAvx2()) {
        MonoBodyAvx2(rop, body, bytes, table[0], table[1], d + i);
        for (i += bytes * 8; i < n; ++i)
            d[i] = Apply(rop, d[i], table[MonoBit(row, sx + i)]);
        return;
    }
#endif
#if defined(__SSE2__)
    using V = __m128i;
    auto copy = [](V, V s) { return s; };
    auto both = [](V a, V s) { return _mm_and_si128(a, s); };
    auto either = [](V a, V s) { return _mm_or_si128(a, s); };
    auto differ = [](V a, V s) { return _mm_xor_si128(a, s); };
#else
    auto copy = [](uint32_t, uint32_t s) { return s; };
    auto both = [](uint32_t a, uint32_t s) { return a & s; };
    auto either = [](uint32_t a, uint32_t s) { return a | s; };
    auto differ = [](uint32_t a, uint32_t s) { return a ^ s; };
#endif
    switch (rop) {
    case 0xCC:
        MonoBody(body, bytes, nibbles, d + i, copy);
        break;
    case 0x88:
        MonoBody(body, bytes, nibbles, d + i, both);
        break;
    case 0xEE:
        MonoBody(body, bytes, nibbles, d + i, either);
        break;
    default:
        MonoBody(body, bytes, nibbles, d + i, differ);
        break;
    }
    for (i += bytes * 8; i < n; ++i)
        d[i] = Apply(rop, d[i], table[MonoBit(row, sx + i)]);
}

bool MonoToColourTakesNibbles() {
#if defined(SK_AVX2)
    if (HasAvx512() || HasAvx2()) return false;
#endif
    return true;
}

void MonoToColour(uint8_t rop, const MonoBlock& b, const uint32_t (*nibbles)[4],
                  const uint32_t* table) {
#if defined(SK_AVX2)
    if (HasAvx512()) return WithRop(rop, [&](auto op) { MonoToColourAvx512<op()>(b, table); });
#endif
    for (int r = 0; r < b.rows; ++r)
        MonoToColourRow(rop, b.Mono(r), b.monoX, b.width, nibbles, table, b.Colour(r));
}

} // namespace gdi
