// Outline points of the shapes: the worked examples of stars, bursts, suns, callouts,
// arrows, crescents and rounded rectangles.

#include "ShapeOutlines.h"

#include <gtest/gtest.h>

#include <math.h>

using Gdiplus::PointF;
using Gdiplus::RectF;

namespace
{
void ExpectNear(float x, float y, const PointF& pt, float tolerance = 0.01f)
{
    EXPECT_NEAR(x, pt.X, tolerance);
    EXPECT_NEAR(y, pt.Y, tolerance);
}
}

TEST(ShapeOutlines, DrawnRectangleIsTheRectangleMovedByTheCellOffset)
{
    RECT rc = { 1000, 2000, 1400, 2200 };
    RectF r = GetDrawnRect(rc, 1090, 335);
    EXPECT_FLOAT_EQ(2090, r.X);
    EXPECT_FLOAT_EQ(2335, r.Y);
    EXPECT_FLOAT_EQ(400, r.Width);
    EXPECT_FLOAT_EQ(200, r.Height);
}

TEST(ShapeOutlines, LineDirections)
{
    RectF r(0, 0, 100, 50);
    PointF a, b;
    GetLineEndPoints(r, 2, a, b);
    ExpectNear(0, 50, a);
    ExpectNear(100, 0, b);
    GetLineEndPoints(r, 0, a, b);
    ExpectNear(0, 0, a);
    ExpectNear(100, 0, b);
    GetLineEndPoints(r, 1, a, b);
    ExpectNear(0, 0, a);
    ExpectNear(0, 50, b);
    GetLineEndPoints(r, 7, a, b);       // unknown values draw as diagonal down
    ExpectNear(0, 0, a);
    ExpectNear(100, 50, b);
}

TEST(ShapeOutlines, DiamondAndTriangle)
{
    RectF r(10, 20, 100, 60);
    PointF d[4];
    GetRhombusPoints(r, d);
    ExpectNear(60, 20, d[0]);
    ExpectNear(10, 50, d[1]);
    ExpectNear(60, 80, d[2]);
    ExpectNear(110, 50, d[3]);
    PointF t[3];
    GetTrianglePoints(r, t);
    ExpectNear(60, 20, t[0]);
    ExpectNear(10, 80, t[1]);
    ExpectNear(110, 80, t[2]);
}

TEST(ShapeOutlines, RoundedRectangleHasStraightMiddleHalves)
{
    RectF r(0, 0, 1000, 600);
    OutlineArc arcs[4];
    GetRoundRectArcs(r, arcs);
    // Top edge from X + 250 to X + 750; left edge from Y + 150 to Y + 450.
    ExpectNear(250, 0, GetArcEnd(arcs[0]));
    ExpectNear(750, 0, GetArcStart(arcs[1]));
    ExpectNear(0, 150, GetArcStart(arcs[0]));
    ExpectNear(0, 450, GetArcEnd(arcs[3]));
    ExpectNear(1000, 150, GetArcEnd(arcs[1]));
    ExpectNear(1000, 450, GetArcStart(arcs[2]));
    for (const OutlineArc& a : arcs)
    {
        EXPECT_FLOAT_EQ(500, a.Width);
        EXPECT_FLOAT_EQ(300, a.Height);
        EXPECT_FLOAT_EQ(90, a.SweepAngle);
    }
}

TEST(ShapeOutlines, CalloutTails)
{
    RectF r(1000, 1000, 1000, 600);
    OutlineArc arcs[4];
    PointF tail[2];
    GetCalloutOutline(r, true, arcs, tail);
    ExpectNear(1500, 1600, tail[0]);
    ExpectNear(1000, 1900, tail[1]);          // reaches y = 1900 at x = 1000
    ExpectNear(1750, 1600, GetArcEnd(arcs[2]));
    ExpectNear(1250, 1600, GetArcStart(arcs[3]));
    ExpectNear(1250, 1000, GetArcEnd(arcs[0]));   // straight top edge 1250..1750
    ExpectNear(1750, 1000, GetArcStart(arcs[1]));

    GetCalloutOutline(r, false, arcs, tail);
    ExpectNear(2000, 1900, tail[0]);
    ExpectNear(1500, 1600, tail[1]);
}

TEST(ShapeOutlines, Arrows)
{
    RectF r(1000, 1000, 1000, 600);
    PointF right[7];
    GetArrowRightPoints(r, right);
    ExpectNear(2000, 1300, right[3]);           // tip
    ExpectNear(1750, 1000, right[2]);           // back corners of the head
    ExpectNear(1750, 1600, right[4]);
    ExpectNear(1000, 1150, right[0]);           // shaft half the height
    ExpectNear(1000, 1450, right[6]);

    PointF left[7];
    GetArrowLeftPoints(r, left);
    ExpectNear(1000, 1300, left[3]);
    ExpectNear(1250, 1000, left[2]);
    ExpectNear(1250, 1600, left[4]);
    ExpectNear(2000, 1150, left[0]);
}

TEST(ShapeOutlines, ParallelogramLeansRight)
{
    PointF p[4];
    GetParallelogramPoints(RectF(0, 0, 300, 90), p);
    ExpectNear(0, 90, p[0]);
    ExpectNear(100, 0, p[1]);
    ExpectNear(300, 0, p[2]);
    ExpectNear(200, 90, p[3]);
}

TEST(ShapeOutlines, StarPointsUpAfterItsQuarterTurn)
{
    RectF r(1000, 1000, 1000, 600);
    PointF pts[10];
    GetStarPoints(r, pts);
    const PointF centre(1500, 1300);
    for (int i = 0; i < 10; i++)
    {
        const double d = hypot(pts[i].X - centre.X, pts[i].Y - centre.Y);
        EXPECT_NEAR(i % 2 == 0 ? 500.0 : 500.0 * 0.38196602, d, 0.01);
    }
    RotatePointsOnPage(pts, 10, centre, 0 + STAR_EXTRA_ANGLE);
    // Element angle 0: the top point is (1500, 800), outside the rectangle.
    float minY = pts[0].Y;
    int top = 0;
    for (int i = 1; i < 10; i++)
        if (pts[i].Y < minY)
            minY = pts[i].Y, top = i;
    ExpectNear(1500, 800, pts[top], 0.05f);

    // In a tall rectangle the radius follows the width.
    GetStarPoints(RectF(1000, 1000, 600, 1000), pts);
    EXPECT_NEAR(300.0, hypot(pts[0].X - 1300, pts[0].Y - 1500), 0.01);
}

TEST(ShapeOutlines, StarAtAngle180PointsDown)
{
    PointF pts[10];
    GetStarPoints(RectF(0, 0, 200, 200), pts);
    RotatePointsOnPage(pts, 10, PointF(100, 100), 180 + STAR_EXTRA_ANGLE);
    float maxY = -1e9f;
    int bottom = 0;
    for (int i = 0; i < 10; i++)
        if (pts[i].Y > maxY)
            maxY = pts[i].Y, bottom = i;
    ExpectNear(100, 200, pts[bottom], 0.05f);
}

TEST(ShapeOutlines, RotationIsCounterClockwiseOnThePage)
{
    PointF pt(200, 100);
    RotatePointsOnPage(&pt, 1, PointF(100, 100), 90);
    ExpectNear(100, 0, pt);    // right of the centre turns to above it
}

TEST(ShapeOutlines, BurstWorkedExample)
{
    PointF pts[24];
    GetBurstPoints(RectF(1000, 1000, 1000, 600), pts);
    ExpectNear(2000, 1300, pts[0]);
    ExpectNear(1500, 1180, pts[17]);
    ExpectNear(1689.0f, 1350.6f, pts[1], 0.1f);
    ExpectNear(1012.37f, 1385.98f, pts[12], 0.05f);    // 170 degrees, factor 1.0
}

TEST(ShapeOutlines, CrescentArcs)
{
    OutlineArc arcs[2];
    GetCrescentArcs(RectF(1000, 1000, 1000, 600), arcs);
    // Outer edge at mid-height x = 1000, inner edge x = 1200; horns at the middles of
    // the top and bottom edges.
    EXPECT_NEAR(1000, GetArcPoint(arcs[0], 180).X, 0.01);
    EXPECT_NEAR(1200, GetArcPoint(arcs[1], 180).X, 0.01);
    ExpectNear(1500, 1600, GetArcStart(arcs[0]));
    ExpectNear(1500, 1000, GetArcEnd(arcs[0]));
    ExpectNear(1500, 1000, GetArcStart(arcs[1]));
    ExpectNear(1500, 1600, GetArcEnd(arcs[1]));
    EXPECT_LE(arcs[0].X + arcs[0].Width / 2, 1500);
}

TEST(ShapeOutlines, SunRays)
{
    PointF from[8], to[8];
    GetSunRays(RectF(1000, 1000, 1000, 600), from, to);
    ExpectNear(1994.77f, 1300, from[0]);
    ExpectNear(2159.70f, 1300, to[0]);
    ExpectNear(1500, 1794.77f, from[2]);
    ExpectNear(1500, 1959.70f, to[2]);
    const double rho = sqrt(170000.0);
    ExpectNear((float)(1500 + 1.2 * rho * cos(M_PI / 4)), (float)(1300 + 1.2 * rho * sin(M_PI / 4)), from[1]);
    ExpectNear(1500, (float)(1300 - 1.6 * rho), to[6]);
}
