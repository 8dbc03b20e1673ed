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
        EXPECT_EQ(GdiGetObjectCounts().Total(), before.Total() + 5);
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
