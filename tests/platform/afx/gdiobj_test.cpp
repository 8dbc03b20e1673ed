// Graphics-object wrappers: ownership, attaching, temporary wrappers.
#include "platform/afx/dc.h"

#include "support/gdi_fixture.h"

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
