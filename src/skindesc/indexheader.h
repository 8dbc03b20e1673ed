// The ".index" entry of a skin package: 48 little-endian bytes.
//
//   0   4   header size, 48
//   4  20   first version: UTF-16, NUL-terminated within its 20 bytes (at most 9 characters)
//  24  24   second version: UTF-16, NUL-terminated within its 24 bytes (at most 11 characters)
//
// A package is accepted when the size is 48, the first version compares >= "2.0.0" and the
// second <= "2.0.0", as strings ignoring letter case (so "10.0" is below "2.0.0"). Bytes after
// the 48 are ignored.
#pragma once

#include "platform/base/afx.h"

inline constexpr UINT kIndexHeaderSize = 48;
inline constexpr LPCWSTR kIndexHeaderVersion = u"2.0.0";

// Writes the header the builder puts in every package: size 48, both versions "2.0.0".
void WriteIndexHeader(CFile& file);

// Rewinds file. With a header buffer (48 bytes), reads the header into it and returns whether
// it is accepted: an entry shorter than 48 bytes, or a version not terminated within its slot,
// is refused. Without one, moves to byte 48 and returns true.
bool ReadIndexHeader(CFile& file, BYTE* header);
