// Decoding bitmap files: colour tables, row padding, depths and damaged files.
#include "bitmap/bitmapu.h"

#include "support/dib_file.h"
#include "support/gdi_fixture.h"
#include "support/tempdir.h"

namespace {

using LoadTest = GdiTest;

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

TEST_F(LoadTest, EightBitsWithoutColoursUsedReadAFullTable) {
    DibFile f;
    f.width = 4;
    f.height = 2;
    f.bitCount = 8;
    f.table = Table(256);
    f.pixels = PackRows(4, 2, 8, [](int x, int y) { return DWORD(y * 100 + x * 50); });
    Canvas c(Load(f.Bytes()));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(0, 0), Entry(0));
    EXPECT_EQ(c.At(3, 0), Entry(150));
    EXPECT_EQ(c.At(2, 1), Entry(200));
    DIBSECTION ds{};
    EXPECT_EQ(GetObject(c.bitmap(), sizeof ds, &ds), int(sizeof ds));
    EXPECT_NE(ds.dsBm.bmBits, nullptr) << "a section bitmap";
}

TEST_F(LoadTest, ColoursUsedSixteenReadsSixteenEntriesAndThePixelsRightAfter) {
    DibFile f;
    f.width = 3;
    f.height = 1;
    f.bitCount = 8;
    f.clrUsed = 16;
    f.table = Table(16);
    f.pixels = PackRows(3, 1, 8, [](int x, int) { return DWORD(5 + x); });
    Canvas c(Load(f.Bytes()));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(0, 0), Entry(5));
    EXPECT_EQ(c.At(2, 0), Entry(7));
}

TEST_F(LoadTest, TwentyFourBitsHaveNoTableAndPaddedRows) {
    for (int width : {1, 3}) {
        SCOPED_TRACE(width);
        std::vector<BYTE> bytes =
            Dib24(width, 2, [](int x, int y) { return RGB(10 * x, 100 + y, 7); });
        EXPECT_EQ(bytes.size(), 54u + (width == 3 ? 24u : 8u)) << "rows of 12 and 4 bytes";
        Canvas c(Load(bytes));
        ASSERT_NE(c.bitmap(), nullptr);
        BITMAP bm{};
        GetObject(c.bitmap(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidthBytes, width == 3 ? 12 : 4);
        EXPECT_EQ(c.At(width - 1, 1), RGB(10 * (width - 1), 101, 7));
        EXPECT_EQ(c.At(0, 0), RGB(0, 100, 7));
    }
}

TEST_F(LoadTest, SixteenBitBitFieldsReadThreeMasks) {
    DibFile f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 16;
    f.compression = BI_BITFIELDS;
    f.table = {0xF800, 0x07E0, 0x001F};
    f.pixels = PackRows(2, 1, 16, [](int x, int) { return x ? DWORD(0x07E0) : DWORD(0xF800); });
    Canvas c(Load(f.Bytes()));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 255, 0));
}

TEST_F(LoadTest, EveryDepthDecodes) {
    struct Case {
        WORD bits;
        DWORD value;
        std::vector<DWORD> table;
        COLORREF expected;
    } cases[] = {
        {1, 1, {0x000000, 0x00FF00}, RGB(0, 255, 0)},
        {4, 9, Table(16), Entry(9)},
        {16, 0x7C00, {}, RGB(255, 0, 0)},
        {32, 0x123456, {}, RGB(0x12, 0x34, 0x56)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.bits);
        DibFile f;
        f.width = 5;
        f.height = 3;
        f.bitCount = k.bits;
        f.table = k.table;
        f.pixels =
            PackRows(5, 3, k.bits, [&](int x, int y) { return x == 4 && y == 2 ? k.value : 0u; });
        Canvas c(Load(f.Bytes()));
        ASSERT_NE(c.bitmap(), nullptr);
        EXPECT_EQ(c.At(4, 2), k.expected);
    }
}

TEST_F(LoadTest, ExtraBytesAreIgnoredAndTheFileIsReadFromItsStart) {
    std::vector<BYTE> bytes = Dib24(2, 2, [](int, int) { return RGB(1, 2, 3); });
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

// 254 entries plus three masks just fit the buffer of 257 entries.
TEST_F(LoadTest, TheLargestTableThatFitsIsRead) {
    DibFile f;
    f.width = 1;
    f.height = 1;
    f.bitCount = 16;
    f.compression = BI_BITFIELDS;
    f.clrUsed = 254;
    f.table = {0x7C00, 0x03E0, 0x001F};
    f.table.resize(257, 0);
    f.pixels = PackRows(1, 1, 16, [](int, int) { return DWORD(0x001F); });
    Canvas c(Load(f.Bytes()));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
}

TEST_F(LoadTest, ThePathOverloadDecodesTheFile) {
    TempDir dir;
    dir.WriteFile(u"skin.bmp", Dib24(3, 3, [](int x, int y) { return RGB(x * 50, y * 50, 9); }));
    Canvas c(CBitmapU::LoadBitmapFromFile(dir / u"skin.bmp"));
    ASSERT_NE(c.bitmap(), nullptr);
    EXPECT_EQ(c.At(2, 1), RGB(100, 50, 9));
    EXPECT_EQ(CBitmapU::LoadBitmapFromFile(dir / u"missing.bmp"), nullptr);
    dir.WriteFile(u"text.bmp", std::string("not a bitmap at all"));
    EXPECT_EQ(CBitmapU::LoadBitmapFromFile(dir / u"text.bmp"), nullptr);
}
