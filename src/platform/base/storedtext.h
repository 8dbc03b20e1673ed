// Text as the system stores it (packages, descriptions, index headers): UTF-16LE code units,
// whatever the processor. Every reader and writer of stored text goes through these.
#pragma once

#include "platform/base/cstring.h"

#include <cstddef>

// The number of units before the first zero unit among the `count` units at `bytes` (count
// when there is none).
size_t UnitsBeforeZero(const BYTE* bytes, size_t count);
// Decodes `count` units at `bytes`; the bytes may be the units' own storage.
void DecodeUnits(const BYTE* bytes, size_t count, WCHAR* units);
// Encodes `count` units into 2 * count bytes.
void EncodeUnits(const WCHAR* units, size_t count, BYTE* bytes);
// Replaces text with the units at `bytes` up to the first zero unit among the first `count`.
void ReadStoredText(const BYTE* bytes, size_t count, CString& text);
inline CString StoredText(const BYTE* bytes, size_t count) {
    CString text;
    ReadStoredText(bytes, count, text);
    return text;
}
