// Bitmap files ("BM") in every layout image editors write: info headers of 12, 40, 52, 56, 108
// and 124 bytes; rows either way up; pixels wherever the file header puts them; uncompressed,
// laid out by colour masks, or run-length compressed (RLE8, RLE4).
#include "imagereaders.h"

#include <algorithm>
#include <cstring>

namespace {

enum : uint32_t { kRgb, kRle8, kRle4, kBitfields, kJpeg, kPng, kAlphaBitfields };

using Bytes = std::vector<uint8_t>;

uint32_t U16(const Bytes& b, size_t at) {
    return b[at] | uint32_t(b[at + 1]) << 8;
}
uint32_t U32(const Bytes& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}
std::string N(uint64_t value) {
    return std::to_string(value);
}

// The header's fields as the file states them, and where its parts lie.
struct Layout {
    uint32_t headerSize = 0;
    int64_t width = 0, height = 0; // a negative height stores the top row first
    uint32_t planes = 1, bitCount = 0, compression = kRgb, clrUsed = 0;
    uint32_t masks[3] = {};
    size_t entryBytes = 4;   // 3 in the colour table of the 12-byte header
    size_t tableOffset = 0;  // the first colour-table entry
    size_t tableEntries = 0; // entries stored before the pixels
    size_t pixelOffset = 0;

    int Height() const { return int(height < 0 ? -height : height); }
    size_t Stride() const { return (size_t(width) * bitCount + 31) / 32 * 4; }
};

bool Fails(ImageReport& report, ImageKind kind, std::string why) {
    report.kind = kind;
    report.why = std::move(why);
    return false;
}

bool KnownHeaderSize(uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Masks after a 40-byte header: three, or four with an alpha mask.
bool ReadTrailingMasks(const Bytes& f, Layout& l, ImageReport& r) {
    size_t count = l.compression == kBitfields ? 3 : l.compression == kAlphaBitfields ? 4 : 0;
    if (l.headerSize != 40 || count == 0 || l.bitCount <= 8) return true;
    if (f.size() < l.tableOffset + count * 4)
        return Fails(r, ImageKind::Damaged, "bitmap cut short inside its colour masks");
    for (size_t i = 0; i < 3; ++i)
        l.masks[i] = U32(f, l.tableOffset + 4 * i);
    l.tableOffset += count * 4;
    return true;
}

bool ReadHeader(const Bytes& f, Layout& l, ImageReport& r) {
    if (f.size() < 18)
        return Fails(r, ImageKind::Damaged,
                     "bitmap cut short inside its file header (" + N(f.size()) + " bytes)");
    l.headerSize = U32(f, 14);
    if (!KnownHeaderSize(l.headerSize))
        return Fails(r, ImageKind::Unsupported,
                     "bitmap with a " + N(l.headerSize) +
                         "-byte info header, a layout of none of "
                         "the usual image editors");
    if (f.size() < 14 + size_t(l.headerSize))
        return Fails(r, ImageKind::Damaged,
                     "bitmap cut short inside its " + N(l.headerSize) + "-byte info header");
    if (l.headerSize == 12) {
        l.width = U16(f, 18);
        l.height = U16(f, 20);
        l.planes = U16(f, 22);
        l.bitCount = U16(f, 24);
        l.entryBytes = 3;
    } else {
        l.width = int32_t(U32(f, 18));
        l.height = int32_t(U32(f, 22));
        l.planes = U16(f, 26);
        l.bitCount = U16(f, 28);
        l.compression = U32(f, 30);
        l.clrUsed = U32(f, 46);
        for (size_t i = 0; l.headerSize >= 52 && i < 3; ++i)
            l.masks[i] = U32(f, 54 + 4 * i);
    }
    l.tableOffset = 14 + l.headerSize;
    return ReadTrailingMasks(f, l, r);
}

// Masks the platform can lay pixels out by: each one run of bits, none shared, all within the
// pixel.
bool UsableMasks(const uint32_t masks[3], uint32_t bitCount) {
    uint32_t seen = 0, limit = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    for (int i = 0; i < 3; ++i) {
        uint32_t m = masks[i];
        if (m == 0 || (m & seen) || (m & ~limit)) return false;
        uint32_t run = m >> __builtin_ctz(m);
        if (run & (run + 1)) return false;
        seen |= m;
    }
    return true;
}

bool CheckCompression(const Layout& l, ImageReport& r) {
    std::string depth = N(l.bitCount) + "-bit";
    switch (l.compression) {
    case kRgb:
        return true;
    case kRle8:
    case kRle4:
        if (l.bitCount == (l.compression == kRle8 ? 8u : 4u)) return true;
        return Fails(r, ImageKind::Damaged,
                     depth + " bitmap marked as run-length compressed for another depth");
    case kBitfields:
    case kAlphaBitfields:
        if ((l.bitCount == 16 || l.bitCount == 32) && UsableMasks(l.masks, l.bitCount)) return true;
        return Fails(r, ImageKind::Unsupported,
                     depth + " bitmap with colour masks that no pixel layout can follow");
    case kJpeg:
    case kPng:
        return Fails(r, ImageKind::Unsupported,
                     std::string("bitmap file holding a ") +
                         (l.compression == kJpeg ? "JPEG" : "PNG") + " image");
    default:
        return Fails(r, ImageKind::Unsupported,
                     depth + " bitmap with compression " + N(l.compression) +
                         ", which no image editor in use writes");
    }
}

bool CheckFormat(const Layout& l, ImageReport& r) {
    if (l.width <= 0 || l.height == 0 || l.height == INT32_MIN)
        return Fails(r, ImageKind::Damaged,
                     "bitmap of " + std::to_string(l.width) + " x " + std::to_string(l.height) +
                         " pixels");
    static const uint32_t depths[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(depths), std::end(depths), l.bitCount) == std::end(depths))
        return Fails(r, ImageKind::Unsupported,
                     "bitmap with " + N(l.bitCount) + " bits per pixel, a depth the library " +
                         "does not read");
    if (!CheckCompression(l, r)) return false;
    if (l.width > kMaxSide || l.Height() > kMaxSide ||
        l.Stride() > kMaxImageBytes / size_t(l.Height()))
        return Fails(r, ImageKind::Unsupported,
                     "bitmap of " + N(uint64_t(l.width)) + " x " + N(uint64_t(l.Height())) +
                         " pixels, more than a skin bitmap may hold");
    return true;
}

// The colour table runs up to the pixels; the file header's pixel offset says where those are,
// unless it points into the headers (a writer's slip), when they follow the table.
bool Locate(const Bytes& f, Layout& l, ImageReport& r) {
    size_t wanted = l.clrUsed ? l.clrUsed : l.bitCount <= 8 ? size_t(1) << l.bitCount : 0;
    size_t offBits = U32(f, 10);
    size_t tableEnd = offBits > l.tableOffset ? std::min<size_t>(offBits, f.size()) : f.size();
    l.tableEntries =
        std::min(wanted, (tableEnd - std::min(tableEnd, l.tableOffset)) / l.entryBytes);
    if (l.bitCount <= 8 && l.tableEntries == 0)
        return Fails(r, ImageKind::Damaged, "bitmap cut short inside its colour table");
    l.pixelOffset =
        offBits > l.tableOffset ? offBits : l.tableOffset + l.tableEntries * l.entryBytes;
    if (l.pixelOffset >= f.size())
        return Fails(r, ImageKind::Damaged,
                     "bitmap cut short: its pixels would start at offset " + N(l.pixelOffset) +
                         ", past its end (" + N(f.size()) + " bytes)");
    return true;
}

// What keeps the library's decoder from reading the file as it is. Its decoder reads a
// 40-byte header, the colour table right after it (colours-used entries, or 2^depth for 8 bits
// and fewer; plus three masks with bit fields), then the rows.
std::vector<std::string> Deviations(const Layout& l) {
    uint64_t entries = l.bitCount > 8 ? uint64_t(l.clrUsed) + (l.compression == kBitfields ? 3 : 0)
                       : l.clrUsed    ? l.clrUsed
                                      : uint64_t(1) << l.bitCount;
    std::vector<std::string> odd;
    if (l.headerSize != 40) odd.push_back("a " + N(l.headerSize) + "-byte header");
    if (entries > 257) odd.push_back("a colour table of " + N(entries) + " entries");
    if (l.headerSize == 40 && entries <= 257 && l.pixelOffset != 54 + entries * 4)
        odd.push_back("its pixels at offset " + N(l.pixelOffset) + " instead of " +
                      N(54 + entries * 4));
    else if (l.headerSize != 40)
        odd.push_back("its pixels at offset " + N(l.pixelOffset));
    if (l.height < 0) odd.push_back("rows stored top row first");
    if (l.compression == kRle8 || l.compression == kRle4)
        odd.push_back(std::string("run-length compression (") +
                      (l.compression == kRle8 ? "RLE8" : "RLE4") + ")");
    if (l.compression == kAlphaBitfields) odd.push_back("an alpha mask");
    if (l.planes != 1) odd.push_back("a planes field of " + N(l.planes));
    return odd;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

void ReadColours(const Bytes& f, const Layout& l, RasterImage& image) {
    if (l.bitCount <= 8) {
        size_t count = std::min(l.tableEntries, size_t(1) << l.bitCount);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = f.data() + l.tableOffset + i * l.entryBytes;
            image.palette.push_back(e[0] | uint32_t(e[1]) << 8 | uint32_t(e[2]) << 16);
        }
    } else if (l.compression == kBitfields || l.compression == kAlphaBitfields) {
        image.bitfields = true;
        std::copy(l.masks, l.masks + 3, image.masks);
    }
}

// Whether the file can fill the rows it describes, checked before anything is allocated for
// them. Run-length data may leave most pixels out, yet not arbitrarily many: past a floor,
// each byte of it must stand for at most a few thousand pixels.
bool PixelsPresent(const Bytes& f, const Layout& l, ImageReport& r) {
    size_t stride = l.Stride(), need = stride * size_t(l.Height()), held = f.size() - l.pixelOffset;
    if (l.compression == kRle8 || l.compression == kRle4) {
        uint64_t pixels = uint64_t(l.width) * uint64_t(l.Height());
        if (pixels <= std::max<uint64_t>(uint64_t(1) << 22, uint64_t(held) << 12)) return true;
        return Fails(r, ImageKind::Damaged,
                     r.format + ", cut short: " + N(held) + " bytes of run-length data for " +
                         N(pixels) + " pixels");
    }
    if (held >= need) return true;
    return Fails(r, ImageKind::Damaged,
                 r.format + ", cut short: its rows need " + N(need) + " bytes from offset " +
                     N(l.pixelOffset) + ", the file holds " + N(held));
}

void CopyRows(const Bytes& f, const Layout& l, RasterImage& image) {
    size_t stride = l.Stride();
    for (int i = 0; i < l.Height(); ++i)
        std::memcpy(image.Row(l.height < 0 ? l.Height() - 1 - i : i),
                    f.data() + l.pixelOffset + size_t(i) * stride, stride);
}

// Run-length data: a pair (count, index) repeats an index (RLE4: two alternating indices in
// the nibbles); (0, 0) ends a row, (0, 1) the bitmap, (0, 2, dx, dy) moves on; (0, n) is
// followed by n literal indices, padded to an even number of bytes. Skipped pixels stay 0;
// indices past the row's end are dropped.
bool DecodeRle(const Bytes& f, const Layout& l, RasterImage& image, ImageReport& r) {
    bool four = l.compression == kRle4;
    auto put = [&](int x, int y, unsigned index) {
        image.SetIndex(x, l.height < 0 ? image.height - 1 - y : y, index);
    };
    size_t at = l.pixelOffset;
    int x = 0, y = 0;
    while (at + 2 <= f.size()) {
        unsigned count = f[at], value = f[at + 1];
        at += 2;
        if (count) {
            for (unsigned i = 0; i < count && x < image.width; ++i, ++x)
                put(x, y, four ? (i % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0, y = std::min(y + 1, image.height);
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 2 > f.size()) break;
            x = std::min(x + f[at], image.width);
            y = std::min(y + f[at + 1], image.height);
            at += 2;
        } else {
            size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > f.size()) break;
            for (unsigned i = 0; i < value && x < image.width; ++i, ++x)
                put(x, y, four ? (f[at + i / 2] >> (i % 2 ? 0 : 4)) & 15 : f[at + i]);
            at += bytes + (bytes & 1);
        }
    }
    if (y >= image.height) return true; // every row arrived; only the end mark is missing
    return Fails(r, ImageKind::Damaged,
                 r.format + ", cut short: its run-length data ends in row " + N(y + 1) + " of " +
                     N(image.height));
}

} // namespace

std::string BitmapName(int bitCount) {
    return "bitmap " + N(uint64_t(bitCount)) + "-bit";
}

void ReadBitmapFile(const Bytes& f, ImageReport& r, RasterImage& image) {
    Layout l;
    if (!ReadHeader(f, l, r) || !CheckFormat(l, r) || !Locate(f, l, r)) return;
    std::vector<std::string> odd = Deviations(l);
    r.format = BitmapName(int(l.bitCount)) + (odd.empty() ? "" : " with " + Join(odd));
    if (!PixelsPresent(f, l, r)) return;
    image.Allocate(int(l.width), l.Height(), int(l.bitCount));
    ReadColours(f, l, image);
    if (l.compression == kRle8 || l.compression == kRle4) {
        if (!DecodeRle(f, l, image, r)) return;
    } else {
        CopyRows(f, l, image);
    }
    r.kind = odd.empty() ? ImageKind::LibraryBitmap : ImageKind::Convertible;
    if (!odd.empty())
        r.why = r.format + "; the library reads only 40-byte headers, bottom row first and "
                           "uncompressed, with the pixels right after the colour table";
}
