// CPoint, CSize and CRect: the edges that count as inside, empty rectangles, and the
// combinations that have rules of their own.
#include "platform/afx/geometry.h"

#include "support/gdi_fixture.h"

TEST(GeometryTest, RectangleMeasuresHitTestsAndMoves) {
    CRect r(10, 20, 50, 80);
    EXPECT_EQ(r.Size(), CSize(40, 60));
    EXPECT_EQ(r.CenterPoint(), CPoint(30, 50));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(50, 20))) << "the right edge is outside";
    EXPECT_FALSE(r.PtInRect(CPoint(10, 80))) << "the bottom edge is outside";
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 9, 8, 2).IsRectEmpty());
    r.DeflateRect(2, 2, 4, 6);
    EXPECT_RECT(r, 12, 22, 46, 74);
    r.MoveToXY(0, 1);
    EXPECT_RECT(r, 0, 1, 34, 53);
    CRect n(9, 9, 1, 2);
    n.NormalizeRect();
    EXPECT_RECT(n, 1, 2, 9, 9);
}

TEST(GeometryTest, IntersectionUnionAndSubtraction) {
    CRect a(0, 0, 10, 10), b(5, 5, 15, 15), out;
    EXPECT_TRUE(out.IntersectRect(&a, &b));
    EXPECT_RECT(out, 5, 5, 10, 10);
    CRect apart(20, 20, 30, 30);
    EXPECT_FALSE(out.IntersectRect(&a, &apart));
    EXPECT_RECT(out, 0, 0, 0, 0);
    EXPECT_TRUE(out.UnionRect(&a, &b));
    EXPECT_RECT(out, 0, 0, 15, 15);
    CRect empty;
    out.UnionRect(&empty, &b);
    EXPECT_RECT(out, 5, 5, 15, 15) << "empty rectangles do not widen a union";
    EXPECT_RECT(a | apart, 0, 0, 30, 30);
    CRect top(0, 0, 10, 4);
    EXPECT_TRUE(out.SubtractRect(&a, &top));
    EXPECT_RECT(out, 0, 4, 10, 10);
    EXPECT_TRUE(out.SubtractRect(&a, &b));
    EXPECT_RECT(out, 0, 0, 10, 10) << "a corner cut leaves the rectangle as it was";
    EXPECT_FALSE(out.SubtractRect(&a, &a));
}

TEST(GeometryTest, PointsFromPackedCoordinates) {
    CPoint packed(DWORD(MAKELONG(-2, 7)));
    EXPECT_EQ(packed, CPoint(-2, 7));
    EXPECT_EQ(packed - CPoint(1, 2), CSize(-3, 5));
}
