// CDC: attaching, the selection overloads and the framework's drawing helpers.
#include "platform/afx/dc.h"

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
    CDC* temporary = CDC::FromHandle(kept);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHdc(), kept);
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
