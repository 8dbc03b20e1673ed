// CPoint, CSize and CRect: the edges that count as inside, empty rectangles, and the
// combinations that have rules of their own.
#include "platform/afx/geometry.h"

#include "support/gdi_fixture.h"

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
