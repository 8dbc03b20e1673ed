// Arbitrary bytes decoded as a skin bitmap file from a memory file. A bitmap that decodes is
// described, copied and turned into a region; afterwards no graphics object may be left.

#include "bitmap/bitmapu.h"
#include "platform/gdi/gdidevice.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), UINT(bytes.size()));
    HBITMAP bitmap = CBitmapU::LoadBitmapFromFile(file);
    if (bitmap) {
        DIBSECTION ds{};
        if (GetObject(bitmap, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits) std::abort();
        if (int64_t(ds.dsBm.bmWidth) * ds.dsBm.bmHeight <= 65536) {
            HRGN region = CBitmapU::GetBitmapRegion(bitmap, RGB(255, 0, 255), 0x080808, nullptr);
            if (!region) std::abort();
            DeleteObject(region);
            HBITMAP copy = CBitmapU::CopyBitmap(bitmap);
            if (!copy) std::abort();
            DeleteObject(copy);
        }
        DeleteObject(bitmap);
    }
    if (GdiGetObjectCounts().Total() != 0) std::abort();
    return 0;
}
