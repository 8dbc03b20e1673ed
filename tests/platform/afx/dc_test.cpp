// CDC and the graphics-object wrappers: attaching, ownership, the selection overloads and the
// framework's drawing helpers; CPoint, CSize and CRect with the edges that count as inside.
#include "platform/afx/dc.h"
#include "platform/afx/geometry.h"
#include "platform/afx/handlemap.h"

#include "support/gdi_fixture.h"

namespace {

using DCTest = GdiTest;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A CDC-based canvas: a memory context with a screen-format bitmap.
struct DCCanvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
    DCCanvas(int w, int h) {
        CDC screen;
        screen.CreateDC(u"DISPLAY", nullptr, nullptr, nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        previous = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
    ~DCCanvas() { dc.SelectObject(previous); }
};

} // namespace

TEST_F(DCTest, TheWrapperOwnsItsContextUnlessDetached) {
    GdiObjectCounts before = GdiGetObjectCounts();
    HDC kept;
    {
        CDC dc;
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_FALSE(dc.CreateCompatibleDC(nullptr)) << "one context per wrapper";
        EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
        CDC other;
        other.CreateCompatibleDC(&dc);
        kept = other.Detach();
    }
    EXPECT_EQ(GdiGetObjectCounts().dcs, before.dcs + 1);
    ASSERT_EQ(CDC::FromHandle(kept)->GetSafeHdc(), kept);
    CDC::DeleteTempMap();
    EXPECT_EQ(GetObjectType(kept), DWORD(OBJ_MEMDC)) << "a temporary wrapper never deletes";
    CDC adopt;
    adopt.Attach(kept);
    EXPECT_TRUE(adopt.DeleteDC());
    EXPECT_EQ(GdiGetObjectCounts(), before);
}

TEST_F(DCTest, SelectionReturnsThePreviousObjectsAndARegionClips) {
    DCCanvas c(10, 10);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kRed);
    CFont font;
    font.CreatePointFont(100, u"DejaVu Sans");
    CPen* oldPen = c.dc.SelectObject(&pen);
    CBrush* oldBrush = c.dc.SelectObject(&brush);
    CFont* oldFont = c.dc.SelectObject(&font);
    ASSERT_NE(oldPen, nullptr);
    EXPECT_EQ(oldPen->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(oldBrush->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c.dc.GetCurrentFont(), &font);
    CString face;
    c.dc.GetTextFace(face);
    EXPECT_EQ(face, CString(u"DejaVu Sans"));
    EXPECT_EQ(c.dc.SelectObject(oldPen), &pen);
    EXPECT_EQ(c.dc.SelectObject(oldBrush), &brush);
    EXPECT_EQ(c.dc.SelectObject(oldFont), &font);
    EXPECT_EQ(c.dc.SelectStockObject(NULL_PEN)->m_hObject, GetStockObject(BLACK_PEN));
    CRgn region;
    region.CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(c.dc.SelectObject(&region), SIMPLEREGION);
    c.dc.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 3), CLR_INVALID);
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(c.dc.GetPixel(3, 3), kWhite);
}

TEST_F(DCTest, FillSolidRectAndDraw3dRectPaintExactlyTheirPixels) {
    DCCanvas c(6, 6);
    const COLORREF light = RGB(250, 250, 250), dark = RGB(40, 40, 40);
    c.dc.FillSolidRect(CRect(2, 2, 4, 4), kRed);
    EXPECT_EQ(c.dc.GetBkColor(), kRed) << "the fill colour stays the background colour";
    c.dc.Draw3dRect(CRect(1, 1, 5, 5), light, dark);
    const char* expected[] = {"......", ".LLLD.", ".LRRD.", ".LRRD.", ".DDDD.", "......"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            char e = expected[y][x];
            COLORREF want = e == 'L' ? light : e == 'D' ? dark : e == 'R' ? kRed : kWhite;
            EXPECT_EQ(c.dc.GetPixel(x, y), want) << x << "," << y;
        }
}

using GdiObjectTest = GdiTest;

// Wrappers delete what they hold; a detached object survives its wrapper and an attaching one
// takes it over; temporary, system-colour and stock wrappers never delete the shared object.
TEST_F(GdiObjectTest, WrappersDeleteExactlyWhatTheyOwn) {
    GdiObjectCounts before = GdiGetObjectCounts();
    HBRUSH handle = nullptr;
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    {
        CPen owned(PS_SOLID, 2, RGB(1, 2, 3));
        CRgn region;
        EXPECT_TRUE(region.CreateRectRgn(0, 0, 2, 2));
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateBitmap(3, 3, 1, 32, nullptr));
        CFont font;
        EXPECT_TRUE(font.CreatePointFont(90, u"DejaVu Sans"));
        LOGFONTW lf{};
        font.GetLogFont(&lf);
        EXPECT_EQ(lf.lfHeight, -12) << "9 points at 96 dots per inch";
        CBrush brush(RGB(4, 5, 6)), face, adopt;
        handle = brush.operator HBRUSH();
        EXPECT_EQ(CBrush::FromHandle(handle), &brush);
        EXPECT_EQ(brush.Detach(), handle);
        EXPECT_EQ(brush.GetSafeHandle(), nullptr);
        EXPECT_TRUE(face.CreateSysColorBrush(COLOR_BTNFACE));
        CGdiObject stock;
        EXPECT_TRUE(stock.CreateStockObject(BLACK_PEN));
        EXPECT_EQ(stock.GetObjectType(), UINT(OBJ_PEN));
        CGdiObject* temporary = CGdiObject::FromHandle(pen);
        EXPECT_TRUE(temporary->IsKindOf(RUNTIME_CLASS(CPen)));
        EXPECT_EQ(CPen::FromHandle(pen), temporary) << "one temporary wrapper per handle";
        EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
        CGdiObject::DeleteTempMap();
        EXPECT_EQ(GdiGetObjectCounts().Total(), before.Total() + 6);
    }
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(GetSysColorBrush(COLOR_BTNFACE), sizeof lb, &lb), int(sizeof lb));
    {
        CBrush owner;
        EXPECT_TRUE(owner.Attach(handle));
        EXPECT_FALSE(owner.Attach(handle)) << "one object per wrapper";
        EXPECT_FALSE(owner.CreateSolidBrush(0)) << "creating into a full wrapper fails";
    }
    DeleteObject(pen);
    EXPECT_EQ(GdiGetObjectCounts(), before);
}

TEST(GeometryTest, MeasuresHitTestsAndMoves) {
    CRect r(10, 20, 50, 80);
    EXPECT_EQ(r.Size(), CSize(40, 60));
    EXPECT_EQ(r.CenterPoint(), CPoint(30, 50));
    // The right and bottom edges are outside.
    EXPECT_EQ((std::vector<BOOL>{r.PtInRect(CPoint(10, 20)), r.PtInRect(CPoint(50, 20)),
                                 r.PtInRect(CPoint(10, 80)), CRect(5, 5, 5, 9).IsRectEmpty(),
                                 CRect(5, 9, 8, 2).IsRectEmpty()}),
              (std::vector<BOOL>{TRUE, FALSE, FALSE, TRUE, TRUE}));
    r.DeflateRect(2, 2, 4, 6);
    EXPECT_RECT(r, 12, 22, 46, 74);
    r.MoveToXY(0, 1);
    EXPECT_RECT(r, 0, 1, 34, 53);
    CRect n(9, 9, 1, 2);
    n.NormalizeRect();
    EXPECT_RECT(n, 1, 2, 9, 9);
    CPoint packed(DWORD(MAKELONG(-2, 7)));
    EXPECT_EQ(packed - CPoint(1, 2), CSize(-3, 5));
}

TEST(GeometryTest, IntersectionUnionAndSubtraction) {
    CRect a(0, 0, 10, 10), b(5, 5, 15, 15), apart(20, 20, 30, 30), empty, top(0, 0, 10, 4), out;
    EXPECT_TRUE(out.IntersectRect(&a, &b));
    EXPECT_RECT(out, 5, 5, 10, 10);
    EXPECT_FALSE(out.IntersectRect(&a, &apart));
    EXPECT_RECT(out, 0, 0, 0, 0);
    EXPECT_TRUE(out.UnionRect(&a, &b));
    EXPECT_RECT(out, 0, 0, 15, 15);
    out.UnionRect(&empty, &b);
    EXPECT_RECT(out, 5, 5, 15, 15) << "empty rectangles do not widen a union";
    EXPECT_RECT(a | apart, 0, 0, 30, 30);
    EXPECT_TRUE(out.SubtractRect(&a, &top));
    EXPECT_RECT(out, 0, 4, 10, 10);
    EXPECT_TRUE(out.SubtractRect(&a, &b));
    EXPECT_RECT(out, 0, 0, 10, 10) << "a corner cut leaves the rectangle as it was";
    EXPECT_FALSE(out.SubtractRect(&a, &a));
}

// The wrappers' table with hundreds of handles attached and detached in a random order, as paints
// do, so that entries keep moving within runs of neighbouring slots: each handle still finds its
// own wrapper, and a detached one finds nothing.
TEST(HandleTableTest, DetachingInAnyOrderLeavesEveryOtherHandleFound) {
    unsigned seed = TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    CHandleTable<int> table;
    std::vector<int> objects(600);
    std::vector<bool> attached(objects.size(), false);
    auto handle = [](size_t i) { return reinterpret_cast<const void*>((i + 1) * 0x1000001); };
    for (int step = 0; step < 20000; ++step) {
        size_t i = rng() % objects.size();
        if (attached[i])
            table.Erase(handle(i));
        else
            table.Set(handle(i), &objects[i]);
        attached[i] = !attached[i];
        if (step % 997 != 0) continue;
        for (size_t k = 0; k < objects.size(); ++k)
            ASSERT_EQ(table.Find(handle(k)), attached[k] ? &objects[k] : nullptr)
                << "step " << step << ", handle " << k;
    }
    EXPECT_EQ(table.size(), size_t(std::count(attached.begin(), attached.end(), true)));
}
