// CDC: attaching, the selection overloads and the framework's drawing helpers.
#include "platform/afx/dc.h"

#include "support/gdi_fixture.h"

namespace {

using DCTest = GdiTest;

const COLORREF kRed = RGB(255, 0, 0);

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
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
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

TEST_F(DCTest, SelectObjectOverloadsReturnThePreviousObjects) {
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
    EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(c.dc.GetCurrentFont(), &font);
    EXPECT_EQ(c.dc.SelectObject(oldPen), &pen);
    EXPECT_EQ(c.dc.SelectObject(oldBrush), &brush);
    EXPECT_EQ(c.dc.SelectObject(oldFont), &font);
    CGdiObject* previous = c.dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(previous->m_hObject, GetStockObject(BLACK_PEN));
}

TEST_F(DCTest, SelectingARegionSetsTheClip) {
    DCCanvas c(10, 10);
    CRgn region;
    region.CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(c.dc.SelectObject(&region), SIMPLEREGION);
    c.dc.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 3), CLR_INVALID);
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(c.dc.GetPixel(3, 3), RGB(255, 255, 255));
}

TEST_F(DCTest, FillSolidRectLeavesTheBackgroundColourSet) {
    DCCanvas c(6, 6);
    c.dc.FillSolidRect(CRect(1, 1, 3, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(c.dc.GetBkColor(), kRed);
}

TEST_F(DCTest, Draw3dRectPaintsTopLeftAndBottomRightEdges) {
    DCCanvas c(6, 6);
    const COLORREF light = RGB(250, 250, 250), dark = RGB(40, 40, 40);
    c.dc.Draw3dRect(CRect(1, 1, 5, 5), light, dark);
    EXPECT_EQ(c.dc.GetPixel(1, 1), light);
    EXPECT_EQ(c.dc.GetPixel(3, 1), light);
    EXPECT_EQ(c.dc.GetPixel(1, 3), light);
    EXPECT_EQ(c.dc.GetPixel(4, 1), dark);
    EXPECT_EQ(c.dc.GetPixel(4, 4), dark);
    EXPECT_EQ(c.dc.GetPixel(1, 4), dark);
    EXPECT_EQ(c.dc.GetPixel(2, 2), RGB(255, 255, 255));
}

TEST_F(DCTest, BlitsAndSavedStatesThroughTheWrapper) {
    DCCanvas a(8, 8), b(8, 8);
    a.dc.FillSolidRect(0, 0, 4, 4, kRed);
    EXPECT_TRUE(b.dc.StretchBlt(0, 0, 8, 8, &a.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(b.dc.GetPixel(7, 7), kRed);
    int saved = b.dc.SaveDC();
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    b.dc.SelectObject(&pen);
    b.dc.RestoreDC(saved);
    EXPECT_EQ(b.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
    CString face;
    b.dc.GetTextFace(face);
    EXPECT_EQ(face, CString(u"DejaVu Sans"));
}
