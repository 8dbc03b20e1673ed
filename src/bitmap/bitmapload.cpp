// CBitmapU: bitmap files to section bitmaps, and copies of bitmaps.
#include "bitmap/bitmapu.h"

#include <cstring>

namespace {

constexpr UINT kFileHeaderBytes = 14;
constexpr UINT kInfoHeaderBytes = 40;
constexpr uint64_t kTableEntries = 257; // room in the header buffer after the info header

// Colour-table entries that follow the info header in the file.
uint64_t TableEntries(const BITMAPINFOHEADER& h) {
    if (h.biBitCount >= 9) return uint64_t(h.biClrUsed) + (h.biCompression == BI_BITFIELDS ? 3 : 0);
    return h.biClrUsed ? uint64_t(h.biClrUsed) : uint64_t(1) << h.biBitCount;
}

// Bytes per pixel row: the row's bits rounded up to whole 32-bit words.
uint64_t RowBytes(const BITMAPINFOHEADER& h) {
    return ((uint64_t(h.biBitCount) * uint64_t(uint32_t(h.biWidth)) + 31) >> 3) & ~uint64_t(3);
}

} // namespace

HBITMAP CBitmapU::LoadBitmapFromFile(CFile& file) {
    file.SeekToBegin();
    BYTE fileHeader[kFileHeaderBytes];
    if (file.Read(fileHeader, kFileHeaderBytes) != kFileHeaderBytes) return nullptr;
    if ((fileHeader[0] | fileHeader[1] << 8) != 0x4D42) return nullptr;

    alignas(8) BYTE buffer[kInfoHeaderBytes + kTableEntries * sizeof(RGBQUAD)];
    if (file.Read(buffer, kInfoHeaderBytes) != kInfoHeaderBytes) return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, buffer, sizeof header);
    uint64_t entries = TableEntries(header);
    if (entries > kTableEntries) return nullptr; // more colours than the buffer holds
    UINT tableBytes = UINT(entries * sizeof(RGBQUAD));
    if (tableBytes && file.Read(buffer + kInfoHeaderBytes, tableBytes) != tableBytes)
        return nullptr;
    if (header.biHeight < 0 || header.biWidth <= 0) return nullptr;

    // Refuse rows the file cannot hold before anything is allocated for them.
    uint64_t remaining = uint64_t(file.GetLength()) - file.GetPosition();
    uint64_t height = uint64_t(header.biHeight);
    if (height && RowBytes(header) > remaining / height) return nullptr;
    uint64_t pixelBytes = RowBytes(header) * height;

    HDC screen = ::CreateDC(u"DISPLAY", nullptr, nullptr, nullptr);
    if (!screen) return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(buffer),
                                        DIB_RGB_COLORS, &bits, nullptr, 0);
    ::DeleteDC(screen);
    if (!bitmap) return nullptr;
    if (file.Read(bits, UINT(pixelBytes)) != pixelBytes) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HBITMAP CBitmapU::LoadBitmapFromFile(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return nullptr;
    return LoadBitmapFromFile(file);
}

HBITMAP CBitmapU::CopyBitmap(HBITMAP source) {
    if (!source) return nullptr;
    BITMAP bm;
    if (::GetObject(source, sizeof bm, &bm) == 0) return nullptr;
    HBITMAP copy = ::CreateBitmap(bm.bmWidth, bm.bmHeight, bm.bmPlanes, bm.bmBitsPixel, nullptr);
    if (!copy) return nullptr;
    HDC from = ::CreateCompatibleDC(nullptr);
    HDC to = from ? ::CreateCompatibleDC(from) : nullptr;
    HGDIOBJ oldFrom = from ? ::SelectObject(from, source) : nullptr;
    HGDIOBJ oldTo = to ? ::SelectObject(to, copy) : nullptr;
    bool copied =
        oldFrom && oldTo && ::BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    if (oldFrom) ::SelectObject(from, oldFrom);
    if (oldTo) ::SelectObject(to, oldTo);
    if (to) ::DeleteDC(to);
    if (from) ::DeleteDC(from);
    if (!copied) {
        ::DeleteObject(copy);
        return nullptr;
    }
    return copy;
}
