// Little-endian fields: every integer the system stores (packages, descriptions, bitmaps,
// index headers) is little-endian, whatever the processor.
#pragma once

#include "platform/base/wintypes.h"

inline WORD GetLE16(const BYTE* p) { return WORD(p[0] | p[1] << 8); }
inline DWORD GetLE32(const BYTE* p) {
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}
inline void PutLE16(BYTE* p, UINT v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}
inline void PutLE32(BYTE* p, DWORD v) {
    for (int i = 0; i < 4; ++i) p[i] = BYTE(v >> (8 * i));
}
