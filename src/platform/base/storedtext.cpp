#include "platform/base/storedtext.h"

#include "platform/base/byteorder.h"

#include <bit>
#include <cstdint>
#include <cstring>

// Four units at a time: a lane of 16 zero bits ends the text.
size_t UnitsBeforeZero(const BYTE* bytes, size_t count) {
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        uint64_t x;
        std::memcpy(&x, bytes + 2 * i, 8);
        if ((x - 0x0001000100010001u) & ~x & 0x8000800080008000u) break;
    }
    while (i < count && (bytes[2 * i] | bytes[2 * i + 1]))
        ++i;
    return i;
}

void DecodeUnits(const BYTE* bytes, size_t count, WCHAR* units) {
    if constexpr (std::endian::native == std::endian::little) {
        if (count && static_cast<const void*>(units) != bytes)
            std::memmove(units, bytes, 2 * count);
    } else {
        for (size_t i = 0; i < count; ++i)
            units[i] = WCHAR(GetLE16(bytes + 2 * i));
    }
}

void EncodeUnits(const WCHAR* units, size_t count, BYTE* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        if (count) std::memcpy(bytes, units, 2 * count);
    } else {
        for (size_t i = 0; i < count; ++i)
            PutLE16(bytes + 2 * i, units[i]);
    }
}

void ReadStoredText(const BYTE* bytes, size_t count, CString& text) {
    size_t n = UnitsBeforeZero(bytes, count);
    DecodeUnits(bytes, n, text.GetBufferSetLength(int(n)));
}
