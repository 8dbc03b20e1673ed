// Decoding bitmap files (colour tables, row padding, depths, damaged files) and copying bitmaps.
#include "bitmap/bitmapu.h"

#include "support/dib_file.h"
#include "support/gdi_fixture.h"
#include "support/skin_builder.h"

namespace {

using LoadTest = GdiTest;
using CopyTest = GdiTest;

HBITMAP Load(const std::vector<BYTE>& bytes) {
    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.data(), UINT(copy.size()));
    return CBitmapU::LoadBitmapFromFile(file);
}

// 256 distinct colours: entry i is (i, 255 - i, i / 2).
std::vector<DWORD> Table(int entries) {
    std::vector<DWORD> table;
    for (int i = 0; i < entries; ++i)
        table.push_back(DWORD(i) << 16 | DWORD(255 - i) << 8 | DWORD(i / 2));
    return table;
}

COLORREF Entry(int i) {
    return RGB(i, 255 - i, i / 2);
}

} // namespace

TEST_F(LoadTest, EveryDepthAndColourTableSizeDecodes) {
    std::vector<DWORD> masks = {0xF800, 0x07E0, 0x001F}, largest = {0x7C00, 0x03E0, 0x001F};
    largest.resize(257, 0); // 254 entries and the three masks just fit a buffer of 257
    struct Case {
        WORD bits;
        DWORD compression, clrUsed;
        std::vector<DWORD> table;
        DWORD value;
        COLORREF expected;
    } cases[] = {
        {8, BI_RGB, 0, Table(256), 150, Entry(150)}, // no colours-used count: a full table
        {8, BI_RGB, 16, Table(16), 7, Entry(7)},     // sixteen entries, the pixels right after
        {1, BI_RGB, 0, {0x000000, 0x00FF00}, 1, RGB(0, 255, 0)},
        {4, BI_RGB, 0, Table(16), 9, Entry(9)},
        {16, BI_RGB, 0, {}, 0x7C00, RGB(255, 0, 0)},
        {16, BI_BITFIELDS, 0, masks, 0x07E0, RGB(0, 255, 0)},
        {16, BI_BITFIELDS, 254, largest, 0x001F, RGB(0, 0, 255)},
        {24, BI_RGB, 0, {}, 0x123456, RGB(0x12, 0x34, 0x56)}, // rows of 15 bytes padded to 16
        {32, BI_RGB, 0, {}, 0x123456, RGB(0x12, 0x34, 0x56)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.bits << " bits, " << k.table.size() << " entries");
        DibFile f;
        f.width = 5;
        f.height = 3;
        f.bitCount = k.bits;
        f.compression = k.compression;
        f.clrUsed = k.clrUsed;
        f.table = k.table;
        f.pixels =
            PackRows(5, 3, k.bits, [&](int x, int y) { return x == 4 && y == 0 ? k.value : 0u; });
        Canvas c(Load(f.Bytes()));
        ASSERT_NE(c.bitmap(), nullptr);
        EXPECT_EQ(c.At(4, 0), k.expected); // the top row, stored last
        DIBSECTION ds{};
        EXPECT_EQ(GetObject(c.bitmap(), sizeof ds, &ds), int(sizeof ds)) << "a section bitmap";
    }
}
TEST_F(LoadTest, ExtraBytesAreIgnoredAndTheFileIsReadFromItsStart) {
    std::vector<BYTE> bytes = BmpBytes(2, 2, 24, [](int, int) { return RGB(1, 2, 3); });
    bytes.insert(bytes.end(), 100, 0xEE);
    CMemFile file(bytes.data(), UINT(bytes.size()));
    file.SeekToEnd();
    Canvas c(CBitmapU::LoadBitmapFromFile(file));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(1, 1), RGB(1, 2, 3));
}

TEST_F(LoadTest, MalformedFilesGiveNullAndLeaveNothingBehind) {
    auto base = [] {
        DibFile f;
        f.width = 4;
        f.height = 3;
        f.bitCount = 8;
        f.clrUsed = 4;
        f.table = Table(4);
        f.pixels = PackRows(4, 3, 8, [](int x, int) { return DWORD(x); });
        return f;
    };
    struct Case {
        const char* what;
        bool refusedBeforeAllocating;
        std::function<void(DibFile&)> damage;
    } cases[] = {
        {"negative height (rows top first)", true, [](DibFile& f) { f.height = -3; }},
        {"300 colours", true,
         [](DibFile& f) {
             f.clrUsed = 300;
             f.table = Table(256);
             f.table.resize(300);
         }},
        {"258 entries with masks", true,
         [](DibFile& f) {
             f.bitCount = 16;
             f.compression = BI_BITFIELDS;
             f.clrUsed = 255;
         }},
        {"huge dimensions", true,
         [](DibFile& f) {
             f.width = 100000;
             f.height = 100000;
         }},
        {"largest dimensions", true,
         [](DibFile& f) {
             f.width = 0x7FFFFFFF;
             f.height = 0x7FFFFFFF;
         }},
        {"a row more than the file holds", true, [](DibFile& f) { f.height = 4; }},
        {"zero width", true, [](DibFile& f) { f.width = 0; }},
        {"two bits per pixel", false, [](DibFile& f) { f.bitCount = 2; }},
        {"run-length compression", false, [](DibFile& f) { f.compression = BI_RLE8; }},
        {"no planes", false, [](DibFile& f) { f.planes = 0; }},
        {"version 5 header", false, [](DibFile& f) { f.headerSize = 124; }},
    };
    for (const Case& k : cases) {
        DibFile f = base();
        k.damage(f);
        GdiObjectCounts made = GdiGetCreatedCounts();
        EXPECT_EQ(Load(f.Bytes()), nullptr) << k.what;
        if (k.refusedBeforeAllocating) {
            EXPECT_EQ(GdiGetCreatedCounts().bitmaps, made.bitmaps)
                << k.what << ": nothing allocated";
        }
    }
    std::vector<BYTE> good = base().Bytes();
    HBITMAP undamaged = Load(good);
    ASSERT_NE(undamaged, nullptr) << "the undamaged file loads";
    DeleteObject(undamaged);
    std::vector<BYTE> wrongMagic = good;
    wrongMagic[0] = 'X';
    EXPECT_EQ(Load(wrongMagic), nullptr);
    // Cut short anywhere before the end of the pixel rows: in the file header, the info
    // header, the colour table or the pixels.
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<BYTE> cut(good.begin(), good.begin() + ptrdiff_t(length));
        EXPECT_EQ(Load(cut), nullptr) << "cut at " << length;
    }
}

// A copy is an ordinary bitmap (not a section) of the source's depth with its pixels, and
// independent of it.
TEST_F(CopyTest, CopiesAreOrdinaryBitmapsOfTheSameDepthAndPixels) {
    for (int bpp : {1, 24, 32}) {
        SCOPED_TRACE(bpp);
        Canvas paint(MakeSection(5, 3, bpp));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                SetPixel(paint.dc(), x, y, (x + y) % 2 ? RGB(255, 255, 255) : 0);
        HBITMAP section = paint.Release(); // not selected anywhere
        Canvas copy(CBitmapU::CopyBitmap(section)), source(section);
        BITMAP bm{};
        ASSERT_EQ(GetObject(copy.bitmap(), sizeof(DIBSECTION), &bm), int(sizeof(BITMAP)));
        EXPECT_EQ(bm.bmBitsPixel, bpp);
        EXPECT_EQ(copy.Pixels(), source.Pixels());
        SetPixel(copy.dc(), 0, 0, RGB(255, 255, 255));
        EXPECT_EQ(source.At(0, 0), RGB(0, 0, 0));
    }
}

// Guards the decision that a bitmap held by another context cannot be copied (no blank copy).
TEST_F(CopyTest, NullAndUnavailableSourcesGiveNull) {
    EXPECT_EQ(CBitmapU::CopyBitmap(nullptr), nullptr);
    Canvas busy(3, 3);
    GdiObjectCounts before = GdiGetObjectCounts();
    EXPECT_EQ(CBitmapU::CopyBitmap(busy.bitmap()), nullptr);
    EXPECT_EQ(GdiGetObjectCounts(), before);
    HBRUSH notABitmap = CreateSolidBrush(0);
    EXPECT_EQ(CBitmapU::CopyBitmap(reinterpret_cast<HBITMAP>(notABitmap)), nullptr);
    DeleteObject(notABitmap);
}
