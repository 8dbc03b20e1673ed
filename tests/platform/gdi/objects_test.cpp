// Handles, object lifetimes, selection rules, saved states and bitmap descriptions.
#include "support/gdi_fixture.h"

#include <cstring>

using ObjectsTest = GdiTest;

TEST_F(ObjectsTest, DeletedNullAndMistypedHandlesFailWithoutCrashing) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HRGN region = CreateRectRgn(0, 0, 4, 4);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteObject(brush));
    RECT r{0, 0, 2, 2};
    // Stale: the brush is gone.
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(FillRect(dc, &r, brush), 0);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    // Wrong kind: a region where a context is expected and the reverse.
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(region)));
    EXPECT_EQ(CombineRgn(reinterpret_cast<HRGN>(dc), region, region, RGN_OR), ERROR);
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(region), 0, 0), CLR_INVALID);
    // Null and made-up values.
    EXPECT_EQ(GetObjectType(nullptr), 0u);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(uintptr_t(0x12345678))), 0u);
    EXPECT_EQ(SetBkColor(nullptr, 0), CLR_INVALID);
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}
TEST_F(ObjectsTest, StockObjectsAreSharedUncountedAndNeverDeleted) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), DWORD(OBJ_BRUSH));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(white, sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetStockObject(DEFAULT_PALETTE + 100), nullptr);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_TRUE(DeleteObject(face));
    ASSERT_EQ(GetObject(face, sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW | SYS_COLOR_INDEX_FLAG), GetSysColor(COLOR_WINDOW));
}

// Selecting returns the previous object and holds the new one against deletion, also while a
// saved state holds it; a bitmap lives in one context at a time. Restoring brings back
// attributes, selections and the clip.
TEST_F(ObjectsTest, SelectionsAndSavedStatesHoldTheirObjects) {
    Canvas c(8, 8);
    HDC dc = c.dc(), other = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(other, c.bitmap()), nullptr) << "selected in the canvas";
    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    SetBkColor(dc, RGB(1, 2, 3));
    SetTextColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, 0, 0, 2, 2);
    EXPECT_EQ(SaveDC(dc), 2);
    SetBkColor(dc, RGB(7, 7, 7));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen)) << "the saved state still holds it";
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_RECT(box, 0, 0, 8, 8);
    EXPECT_FALSE(RestoreDC(dc, 1)) << "no saved state is left";
    EXPECT_TRUE(DeleteObject(pen));
    DeleteDC(other);
}

TEST_F(ObjectsTest, AFreshMemoryContextMakesMonochromeCompatibleBitmaps) {
    HDC dc = CreateCompatibleDC(nullptr), screen = GdiCreateScreenDC();
    auto depth = [](HBITMAP b) {
        BITMAP bm{};
        EXPECT_EQ(GetObject(b, sizeof bm, &bm), int(sizeof bm));
        return bm.bmBitsPixel;
    };
    HBITMAP mono = CreateCompatibleBitmap(dc, 5, 3);
    EXPECT_EQ(depth(mono), 1);
    HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
    EXPECT_EQ(depth(colour), 32);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    // A context holding a colour bitmap makes bitmaps of that format.
    HGDIOBJ previous = SelectObject(dc, colour);
    HBITMAP second = CreateCompatibleBitmap(dc, 2, 2);
    EXPECT_EQ(depth(second), 32);
    SelectObject(dc, previous);
    for (HBITMAP b : {mono, colour, second})
        DeleteObject(b);
    DeleteDC(screen);
    DeleteDC(dc);
}

TEST_F(ObjectsTest, SectionsDescribeThemselvesAndStoreRowsBottomUp) {
    void* bits = nullptr;
    HBITMAP section = MakeSection(3, 2, 24, {}, {}, &bits);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(section, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12) << "3 pixels of 3 bytes padded to 12";
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biSizeImage, 24u);
    Canvas c(section);
    SetPixel(c.dc(), 0, 0, RGB(10, 20, 30)); // the top row lies last in memory
    const BYTE* p = static_cast<const BYTE*>(bits);
    EXPECT_EQ(p[12], 30);
    EXPECT_EQ(p[13], 20);
    EXPECT_EQ(p[14], 10);
    EXPECT_EQ(GetObject(c.bitmap(), 0, nullptr), int(sizeof(DIBSECTION)));
}

TEST_F(ObjectsTest, SectionsOfEveryDepthKeepTheirColours) {
    std::vector<RGBQUAD> four;
    for (int i = 0; i < 16; ++i)
        four.push_back(RGBQUAD{BYTE(i * 16), BYTE(255 - i * 16), BYTE(i * 8), 0});
    struct Case {
        int bpp;
        std::vector<RGBQUAD> table;
        std::vector<DWORD> masks;
        COLORREF colour;
    } cases[] = {
        {1, {{0, 0, 255, 0}, {255, 0, 0, 0}}, {}, RGB(0, 0, 255)},
        {4, four, {}, RGB(8 * 3, 255 - 16 * 3, 16 * 3)},
        {8, {}, {}, RGB(0, 0, 0)},
        {16, {}, {}, RGB(255, 132, 0)},
        {16, {}, {0xF800, 0x07E0, 0x001F}, RGB(255, 130, 0)},
        {24, {}, {}, RGB(1, 2, 3)},
        {32, {}, {}, RGB(200, 100, 50)},
        {32, {}, {0x0000FF, 0x00FF00, 0xFF0000}, RGB(200, 100, 50)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.bpp);
        Canvas c(MakeSection(4, 2, k.bpp, k.table, k.masks));
        ASSERT_NE(c.bitmap(), nullptr);
        EXPECT_EQ(SetPixel(c.dc(), 3, 1, k.colour), k.colour);
        EXPECT_EQ(c.At(3, 1), k.colour);
        EXPECT_EQ(GetPixel(c.dc(), 4, 1), CLR_INVALID);
        EXPECT_EQ(GetPixel(c.dc(), -1, 0), CLR_INVALID);
    }
}

TEST_F(ObjectsTest, SectionsWithHeadersThePlatformCannotMakeAreRefused) {
    struct Case {
        const char* what;
        void (*damage)(BITMAPINFOHEADER&);
    } cases[] = {
        {"bit count 2", [](BITMAPINFOHEADER& h) { h.biBitCount = 2; }},
        {"run-length compression", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
        {"bit fields at 24 bits", [](BITMAPINFOHEADER& h) { h.biCompression = BI_BITFIELDS; }},
        {"two planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
        {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"header of 108 bytes", [](BITMAPINFOHEADER& h) { h.biSize = 108; }},
        {"a gigapixel", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 40000; }},
    };
    for (const Case& k : cases) {
        BITMAPINFO info{};
        info.bmiHeader = {40, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        k.damage(info.bmiHeader);
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr)
            << k.what;
        EXPECT_EQ(bits, nullptr) << k.what;
    }
}

TEST_F(ObjectsTest, DeviceBitmapsTakeWordAlignedRows) {
    // 3 pixels at 8 bits: rows of 4 bytes (16-bit alignment), unlike a section's 4.
    const BYTE bits[] = {0, 15, 0, 0xAA, 15, 0, 15, 0xBB};
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 8, bits);
    Canvas c(bitmap);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(c.At(0, 1), RGB(255, 255, 255));
    EXPECT_EQ(c.At(2, 1), RGB(255, 255, 255));
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    EXPECT_EQ(CreateBitmap(-1, 4, 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 64, nullptr), nullptr);
}
