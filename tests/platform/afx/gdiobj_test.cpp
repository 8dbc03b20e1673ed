// Graphics-object wrappers: ownership, attaching, temporary wrappers.
#include "platform/afx/dc.h"

#include "support/gdi_fixture.h"

using GdiObjectTest = GdiTest;

TEST_F(GdiObjectTest, WrappersDeleteWhatTheyHoldWhenDestroyed) {
    GdiObjectCounts before = GdiGetObjectCounts();
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CRgn region;
        EXPECT_TRUE(region.CreateRectRgn(0, 0, 2, 2));
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateBitmap(3, 3, 1, 32, nullptr));
        CFont font;
        EXPECT_TRUE(font.CreatePointFont(90, u"DejaVu Sans"));
        GdiObjectCounts during = GdiGetObjectCounts();
        EXPECT_EQ(during.Total(), before.Total() + 5);
        LOGPEN lp{};
        EXPECT_EQ(pen.GetLogPen(&lp), int(sizeof lp));
        EXPECT_EQ(lp.lopnWidth.x, 2);
        BITMAP bm{};
        bitmap.GetBitmap(&bm);
        EXPECT_EQ(bm.bmWidth, 3);
        LOGFONTW lf{};
        font.GetLogFont(&lf);
        EXPECT_EQ(lf.lfHeight, -12) << "9 points at 96 dots per inch";
    }
    EXPECT_EQ(GdiGetObjectCounts(), before);
}

TEST_F(GdiObjectTest, DetachHandsOverOwnershipAndAttachTakesIt) {
    HBRUSH handle;
    {
        CBrush brush(RGB(1, 1, 1));
        handle = brush.operator HBRUSH();
        EXPECT_EQ(CBrush::FromHandle(handle), &brush);
        EXPECT_EQ(brush.Detach(), handle);
        EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    }
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BRUSH)) << "a detached brush survives its wrapper";
    {
        CBrush owner;
        EXPECT_TRUE(owner.Attach(handle));
        EXPECT_FALSE(owner.Attach(handle)) << "one object per wrapper";
        EXPECT_FALSE(owner.CreateSolidBrush(0)) << "creating into a full wrapper fails";
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST_F(GdiObjectTest, TemporaryWrappersAreFreedWithoutDeletingTheirObject) {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    CGdiObject* wrapper = CGdiObject::FromHandle(pen);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_TRUE(wrapper->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(CPen::FromHandle(pen), wrapper) << "one temporary wrapper per handle";
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
    DeleteObject(pen);
}

TEST_F(GdiObjectTest, RegionWrapperAlgebra) {
    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgnIndirect(CRect(5, 0, 15, 10));
    c.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(c.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    c.GetRgnBox(&box);
    EXPECT_RECT(box, 5, 0, 10, 10);
    EXPECT_EQ(c.CopyRgn(&a), SIMPLEREGION);
    EXPECT_TRUE(c.EqualRgn(&a));
    c.OffsetRgn(CPoint(1, 1));
    EXPECT_TRUE(c.PtInRegion(10, 10));
    EXPECT_FALSE(c.PtInRegion(CPoint(0, 0)));
    EXPECT_TRUE(c.RectInRegion(CRect(9, 9, 12, 12)));
    c.SetRectRgn(CRect(0, 0, 1, 1));
    EXPECT_EQ(c.GetRegionData(nullptr, 0), int(sizeof(RGNDATAHEADER) + sizeof(RECT)));
}

TEST_F(GdiObjectTest, SystemColourAndStockWrappersNeverDeleteTheSharedObject) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    {
        CBrush brush;
        EXPECT_TRUE(brush.CreateSysColorBrush(COLOR_BTNFACE));
        CGdiObject stock;
        EXPECT_TRUE(stock.CreateStockObject(BLACK_PEN));
        EXPECT_EQ(stock.GetObjectType(), UINT(OBJ_PEN));
    }
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(face, sizeof lb, &lb), int(sizeof lb));
}
