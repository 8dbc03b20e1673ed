// "BM" bitmap files built field by field, so that tests can write valid files of every depth
// and files damaged in exactly one place.
#pragma once

#include "platform/gdi/gdidefs.h"

#include <functional>
#include <vector>

struct DibFile {
    LONG width = 1;
    LONG height = 1;
    WORD planes = 1;
    WORD bitCount = 24;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    DWORD headerSize = 40;
    std::vector<DWORD> table; // colour-table entries (0x00RRGGBB) or the three masks
    std::vector<BYTE> pixels; // the rows as stored

    std::vector<BYTE> Bytes() const;
};

// Bottom-up rows padded to 32 bits: value(x, y) is the stored value of pixel (x, y) (y = 0 is
// the top row): an index for 1, 4 and 8 bits, else the packed pixel.
std::vector<BYTE> PackRows(int width, int height, int bpp,
                           const std::function<DWORD(int, int)>& value);
