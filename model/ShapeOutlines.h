// ShapeOutlines.h - outlines of the shapes as points and arcs, in page coordinates.
//
// Every function takes the drawn rectangle R (X, Y, Width, Height) in hundredths of an
// inch. Angles are GDI+ angles: degrees clockwise on the page from the positive x axis.
// The drawing builds its paths from these; the element's rotation is applied separately.

#pragma once

#include <windows.h>
#include <gdiplus.h>

// One elliptical arc of a path: the ellipse's bounding box, start and sweep angles.
struct OutlineArc
{
    float X;
    float Y;
    float Width;
    float Height;
    float StartAngle;
    float SweepAngle;
};

// Point of the arc's ellipse at a GDI+ angle (where a ray from the centre meets it).
Gdiplus::PointF GetArcPoint(const OutlineArc& arc, float fAngle);
inline Gdiplus::PointF GetArcStart(const OutlineArc& arc)
{
    return GetArcPoint(arc, arc.StartAngle);
}
inline Gdiplus::PointF GetArcEnd(const OutlineArc& arc)
{
    return GetArcPoint(arc, arc.StartAngle + arc.SweepAngle);
}

// Drawn rectangle of an element: its rectangle moved by a cell offset.
Gdiplus::RectF GetDrawnRect(const RECT& rect, int dx, int dy);

// Points rotated by nAngle degrees counter-clockwise on the page about the centre, as the
// world transform of the element drawing turns them.
void RotatePointsOnPage(Gdiplus::PointF* pPoints, int nCount, const Gdiplus::PointF& ptCentre,
                        float fAngle);

// Straight line: the end points for a line direction (0 horizontal along the top,
// 1 vertical along the left, 2 diagonal up, anything else diagonal down).
void GetLineEndPoints(const Gdiplus::RectF& r, int nDirection, Gdiplus::PointF& ptFrom,
                      Gdiplus::PointF& ptTo);

void GetRhombusPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[4]);
void GetTrianglePoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[3]);

// Rounded rectangle: four quarter arcs in boxes of half the width and height, joined by
// straight lines.
void GetRoundRectArcs(const Gdiplus::RectF& r, OutlineArc arcs[4]);

// Callout: the rounded rectangle's arcs with a tail line between the third and fourth
// arc, towards the bottom left (bTailLeft) or bottom right.
void GetCalloutOutline(const Gdiplus::RectF& r, bool bTailLeft, OutlineArc arcs[4],
                       Gdiplus::PointF tail[2]);

// Block arrows: seven points of a closed polygon.
void GetArrowLeftPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[7]);
void GetArrowRightPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[7]);

void GetParallelogramPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[4]);

// Star before its rotation: ten points, outer and inner alternating, from 72 degrees;
// the radius is half the width. The drawing turns it by the element's angle + 90.
void GetStarPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[10]);
const int STAR_EXTRA_ANGLE = 90;

// Burst: 24 points around the centre.
void GetBurstPoints(const Gdiplus::RectF& r, Gdiplus::PointF pts[24]);

// Crescent: the left half of the ellipse in R, then back along the left half of the
// ellipse in (X + W/5, Y, 3W/5, H).
void GetCrescentArcs(const Gdiplus::RectF& r, OutlineArc arcs[2]);

// Sun: the disc is the ellipse in R; ray k (0..7) at 45k degrees runs from 1.2 to 1.6
// times sqrt((a^2 + b^2) / 2) from the centre.
void GetSunRays(const Gdiplus::RectF& r, Gdiplus::PointF ptFrom[8], Gdiplus::PointF ptTo[8]);
