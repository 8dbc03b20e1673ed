// Arbitrary bytes examined as an image a skin author saved. Whatever the converter makes of a
// file must be a bitmap in the library's layout that the library decodes at the same size; no
// graphics object may be left.

#include "common/imageconvert.h"
#include "bitmap/bitmapu.h"
#include "platform/gdi/gdidevice.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImageReport report = ExamineImage(std::vector<uint8_t>(data, data + size));
    if (report.kind != ImageKind::Convertible) return 0;
    if (ExamineImage(report.converted).kind != ImageKind::LibraryBitmap) std::abort();
    std::vector<BYTE> bytes = report.converted;
    CMemFile file(bytes.data(), UINT(bytes.size()));
    HBITMAP bitmap = CBitmapU::LoadBitmapFromFile(file);
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) std::abort();
    if (bm.bmWidth != LONG(bytes[18] | bytes[19] << 8 | bytes[20] << 16 | bytes[21] << 24))
        std::abort();
    DeleteObject(bitmap);
    if (GdiGetObjectCounts().Total() != 0) std::abort();
    return 0;
}
