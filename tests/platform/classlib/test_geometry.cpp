// Tests of CPoint, CSize and CRect.

#include "afx.h"

#include <gtest/gtest.h>

namespace
{
::testing::AssertionResult RectIs(const RECT& rc, int l, int t, int r, int b)
{
    if (rc.left == l && rc.top == t && rc.right == r && rc.bottom == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "rect is (" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom
        << "), expected (" << l << "," << t << "," << r << "," << b << ")";
}
} // namespace

TEST(Geometry, PointAndSizeArithmetic)
{
    CPoint pt(3, 4);
    pt += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), pt);
    pt -= CPoint(4, 4);
    EXPECT_EQ(CPoint(0, 1), pt);
    pt.Offset(2, -3);
    EXPECT_EQ(CPoint(2, -2), pt);
    EXPECT_EQ(CPoint(-2, 2), -pt);
    CSize diff = CPoint(10, 7) - CPoint(4, 5);
    EXPECT_EQ(CSize(6, 2), diff);
    EXPECT_EQ(CPoint(11, 8), CPoint(10, 7) + CSize(1, 1));
    EXPECT_EQ(CSize(4, 6), CSize(1, 2) + CSize(3, 4));
    EXPECT_TRUE(CSize(1, 2) != CSize(2, 1));

    // Packed coordinates are signed 16-bit values.
    CPoint packed((LPARAM)MAKELONG(-5, 7));
    EXPECT_EQ(-5, packed.x);
    EXPECT_EQ(7, packed.y);
}

TEST(Geometry, RectAttributes)
{
    CRect rc(10, 20, 110, 70);
    EXPECT_EQ(100, rc.Width());
    EXPECT_EQ(50, rc.Height());
    EXPECT_EQ(CSize(100, 50), rc.Size());
    EXPECT_EQ(CPoint(60, 45), rc.CenterPoint());

    // TopLeft and BottomRight are references into the rectangle.
    rc.TopLeft() = CPoint(0, 0);
    rc.BottomRight().x = 5;
    EXPECT_TRUE(RectIs(rc, 0, 0, 5, 70));
    const CRect& crc = rc;
    EXPECT_EQ(CPoint(5, 70), crc.BottomRight());

    CRect fromPoints(CPoint(1, 2), CPoint(3, 4));
    EXPECT_TRUE(RectIs(fromPoints, 1, 2, 3, 4));
    CRect fromSize(CPoint(1, 2), CSize(3, 4));
    EXPECT_TRUE(RectIs(fromSize, 1, 2, 4, 6));

    LPCRECT lpc = fromSize;
    EXPECT_EQ(4, lpc->right);
    LPRECT lp = fromSize;
    lp->left = 0;
    EXPECT_EQ(0, fromSize.left);
}

TEST(Geometry, PtInRectExcludesRightAndBottom)
{
    CRect rc(0, 0, 10, 10);
    EXPECT_TRUE(rc.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rc.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(rc.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(rc.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(rc.PtInRect(CPoint(-1, 5)));
    EXPECT_FALSE(CRect(10, 10, 0, 0).PtInRect(CPoint(5, 5)));   // not normalized
}

TEST(Geometry, EmptyAndNull)
{
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());   // inverted counts as empty
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
    CRect rc(1, 2, 3, 4);
    rc.SetRectEmpty();
    EXPECT_TRUE(rc.IsRectNull());
}

TEST(Geometry, NormalizeRect)
{
    CRect rc(30, 40, 10, 20);
    rc.NormalizeRect();
    EXPECT_TRUE(RectIs(rc, 10, 20, 30, 40));
    CRect half(0, 40, 10, 20);
    half.NormalizeRect();
    EXPECT_TRUE(RectIs(half, 0, 20, 10, 40));
    CRect same(1, 2, 3, 4);
    same.NormalizeRect();
    EXPECT_TRUE(RectIs(same, 1, 2, 3, 4));
}

TEST(Geometry, InflateDeflateOffset)
{
    CRect rc(10, 10, 20, 20);
    rc.InflateRect(2, 3);
    EXPECT_TRUE(RectIs(rc, 8, 7, 22, 23));
    rc.DeflateRect(2, 3);
    EXPECT_TRUE(RectIs(rc, 10, 10, 20, 20));
    rc.InflateRect(CSize(1, 1));
    EXPECT_TRUE(RectIs(rc, 9, 9, 21, 21));
    rc.DeflateRect(CSize(1, 1));
    rc.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(RectIs(rc, 9, 8, 23, 24));
    rc.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(RectIs(rc, 10, 10, 20, 20));
    CRect margins(1, 2, 3, 4);
    rc.InflateRect(&margins);
    EXPECT_TRUE(RectIs(rc, 9, 8, 23, 24));
    rc.DeflateRect(&margins);
    EXPECT_TRUE(RectIs(rc, 10, 10, 20, 20));

    rc.OffsetRect(5, -5);
    EXPECT_TRUE(RectIs(rc, 15, 5, 25, 15));
    rc.OffsetRect(CPoint(-5, 5));
    rc.OffsetRect(CSize(1, 1));
    EXPECT_TRUE(RectIs(rc, 11, 11, 21, 21));
    rc.MoveToXY(0, 0);
    EXPECT_TRUE(RectIs(rc, 0, 0, 10, 10));

    EXPECT_TRUE(RectIs(rc + CPoint(1, 2), 1, 2, 11, 12));
    EXPECT_TRUE(RectIs(rc - CSize(1, 2), -1, -2, 9, 8));
    rc += CPoint(3, 3);
    EXPECT_TRUE(RectIs(rc, 3, 3, 13, 13));
    rc -= CSize(3, 3);
    EXPECT_TRUE(RectIs(rc, 0, 0, 10, 10));
}

TEST(Geometry, IntersectAndUnion)
{
    CRect a(0, 0, 10, 10);
    CRect b(5, 5, 15, 15);
    CRect r;
    EXPECT_TRUE(r.IntersectRect(a, b));
    EXPECT_TRUE(RectIs(r, 5, 5, 10, 10));
    EXPECT_TRUE(r.UnionRect(a, b));
    EXPECT_TRUE(RectIs(r, 0, 0, 15, 15));

    // Touching edges do not intersect; the result is empty.
    CRect c(10, 0, 20, 10);
    EXPECT_FALSE(r.IntersectRect(a, c));
    EXPECT_TRUE(r.IsRectEmpty());

    // An empty rectangle does not extend a union.
    CRect empty(100, 100, 100, 100);
    EXPECT_TRUE(r.UnionRect(a, empty));
    EXPECT_TRUE(RectIs(r, 0, 0, 10, 10));

    EXPECT_TRUE(RectIs(a & b, 5, 5, 10, 10));
    EXPECT_TRUE(RectIs(a | b, 0, 0, 15, 15));
    CRect d = a;
    d &= b;
    EXPECT_TRUE(RectIs(d, 5, 5, 10, 10));
    d = a;
    d |= b;
    EXPECT_TRUE(RectIs(d, 0, 0, 15, 15));

    EXPECT_TRUE(a == CRect(0, 0, 10, 10));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a.EqualRect(CRect(0, 0, 10, 10)));
}
