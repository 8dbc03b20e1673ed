// Searching UTF-16 text for one code unit, a vector of bytes at a time where the host allows.
#pragma once

#include "platform/base/wintypes.h"

#include <bit>
#include <cstddef>
#include <cstring>

// The first unit equal to ch in [from, to), or to. memchr finds candidates by the unit's low
// byte, which on a little-endian host is the first byte of each unit.
inline const WCHAR* FindUnit(const WCHAR* from, const WCHAR* to, WCHAR ch) {
    if constexpr (std::endian::native == std::endian::little) {
        const auto* begin = reinterpret_cast<const unsigned char*>(from);
        const auto* end = reinterpret_cast<const unsigned char*>(to);
        for (const unsigned char* b = begin; b < end;) {
            const void* hit = std::memchr(b, ch & 0xFF, size_t(end - b));
            if (!hit) break;
            size_t offset = size_t(static_cast<const unsigned char*>(hit) - begin);
            if (offset % 2 == 0 && from[offset / 2] == ch) return from + offset / 2;
            b = static_cast<const unsigned char*>(hit) + 1;
        }
        return to;
    } else {
        while (from < to && *from != ch)
            ++from;
        return from;
    }
}
