// ShapeOutlines.cpp - outline point generators of the shapes.

#include "ShapeOutlines.h"

#include <math.h>

using Gdiplus::PointF;
using Gdiplus::RectF;

namespace
{
const double kPi = 3.14159265358979323846;

inline double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

OutlineArc MakeArc(float x, float y, float w, float h, float start, float sweep)
{
    OutlineArc arc = { x, y, w, h, start, sweep };
    return arc;
}

struct BurstSpike
{
    float fAngle;
    float fFactor;
};

const BurstSpike g_burst[24] = {
    { 0, 1.0f }, { 15, 0.4f }, { 25, 0.7f }, { 37, 0.5f }, { 56, 0.8f }, { 70, 0.4f },
    { 85, 0.7f }, { 97, 0.5f }, { 110, 0.9f }, { 122, 0.6f }, { 137, 0.8f }, { 157, 0.5f },
    { 170, 1.0f }, { 188, 0.5f }, { 210, 0.7f }, { 233, 0.5f }, { 253, 0.8f }, { 270, 0.4f },
    { 285, 0.7f }, { 300, 0.5f }, { 316, 1.0f }, { 330, 0.6f }, { 342, 0.8f }, { 350, 0.5f },
};
}

PointF GetArcPoint(const OutlineArc& arc, float fAngle)
{
    const double a = arc.Width / 2.0;
    const double b = arc.Height / 2.0;
    const double cx = arc.X + a;
    const double cy = arc.Y + b;
    const double t = Radians(fAngle);
    const double c = cos(t);
    const double s = sin(t);
    const double denom = sqrt(b * b * c * c + a * a * s * s);
    const double r = denom > 0 ? a * b / denom : 0;
    return PointF((float)(cx + r * c), (float)(cy + r * s));
}

RectF GetDrawnRect(const RECT& rect, int dx, int dy)
{
    return RectF((float)(rect.left + dx), (float)(rect.top + dy),
                 (float)(rect.right - rect.left), (float)(rect.bottom - rect.top));
}

void RotatePointsOnPage(PointF* pPoints, int nCount, const PointF& ptCentre, float fAngle)
{
    // Counter-clockwise on a y-down page is a rotation by -angle in GDI+ terms.
    const double t = Radians(-fAngle);
    const double c = cos(t);
    const double s = sin(t);
    for (int i = 0; i < nCount; i++)
    {
        const double dx = pPoints[i].X - ptCentre.X;
        const double dy = pPoints[i].Y - ptCentre.Y;
        pPoints[i].X = (float)(ptCentre.X + dx * c - dy * s);
        pPoints[i].Y = (float)(ptCentre.Y + dx * s + dy * c);
    }
}

// Ends of a line along the rectangle's top, its left side or one of its diagonals.
void GetLineEndPoints(const RectF& r, int nDirection, PointF& ptFrom, PointF& ptTo)
{
    const float x = r.X, y = r.Y, w = r.Width, h = r.Height;
    switch (nDirection)
    {
    case 0:
        ptFrom = PointF(x, y);
        ptTo = PointF(x + w, y);
        break;
    case 1:
        ptFrom = PointF(x, y);
        ptTo = PointF(x, y + h);
        break;
    case 2:
        ptFrom = PointF(x, y + h);
        ptTo = PointF(x + w, y);
        break;
    default:
        ptFrom = PointF(x, y);
        ptTo = PointF(x + w, y + h);
        break;
    }
}

void GetRhombusPoints(const RectF& r, PointF pts[4])
{
    pts[0] = PointF(r.X + r.Width / 2, r.Y);
    pts[1] = PointF(r.X, r.Y + r.Height / 2);
    pts[2] = PointF(r.X + r.Width / 2, r.Y + r.Height);
    pts[3] = PointF(r.X + r.Width, r.Y + r.Height / 2);
}

void GetTrianglePoints(const RectF& r, PointF pts[3])
{
    pts[0] = PointF(r.X + r.Width / 2, r.Y);
    pts[1] = PointF(r.X, r.Y + r.Height);
    pts[2] = PointF(r.X + r.Width, r.Y + r.Height);
}

void GetRoundRectArcs(const RectF& r, OutlineArc arcs[4])
{
    const float w2 = r.Width / 2, h2 = r.Height / 2;
    arcs[0] = MakeArc(r.X, r.Y, w2, h2, 180, 90);
    arcs[1] = MakeArc(r.X + w2, r.Y, w2, h2, 270, 90);
    arcs[2] = MakeArc(r.X + w2, r.Y + h2, w2, h2, 0, 90);
    arcs[3] = MakeArc(r.X, r.Y + h2, w2, h2, 90, 90);
}

// The rounded rectangle with its tail reaching half a height below, to the left or right.
void GetCalloutOutline(const RectF& r, bool bTailLeft, OutlineArc arcs[4], PointF tail[2])
{
    GetRoundRectArcs(r, arcs);
    const float x = r.X, y = r.Y, w = r.Width, h = r.Height;
    if (bTailLeft)
    {
        tail[0] = PointF(x + w / 2, y + h);
        tail[1] = PointF(x, y + 1.5f * h);
    }
    else
    {
        tail[0] = PointF(x + w, y + 1.5f * h);
        tail[1] = PointF(x + w / 2, y + h);
    }
}

void GetArrowLeftPoints(const RectF& r, PointF pts[7])
{
    const float x = r.X, y = r.Y, w = r.Width, h = r.Height;
    pts[0] = PointF(x + w, y + h / 4);
    pts[1] = PointF(x + w / 4, y + h / 4);
    pts[2] = PointF(x + w / 4, y);
    pts[3] = PointF(x, y + h / 2);
    pts[4] = PointF(x + w / 4, y + h);
    pts[5] = PointF(x + w / 4, y + 3 * h / 4);
    pts[6] = PointF(x + w, y + 3 * h / 4);
}

void GetArrowRightPoints(const RectF& r, PointF pts[7])
{
    const float x = r.X, y = r.Y, w = r.Width, h = r.Height;
    pts[0] = PointF(x, y + h / 4);
    pts[1] = PointF(x + 3 * w / 4, y + h / 4);
    pts[2] = PointF(x + 3 * w / 4, y);
    pts[3] = PointF(x + w, y + h / 2);
    pts[4] = PointF(x + 3 * w / 4, y + h);
    pts[5] = PointF(x + 3 * w / 4, y + 3 * h / 4);
    pts[6] = PointF(x, y + 3 * h / 4);
}

void GetParallelogramPoints(const RectF& r, PointF pts[4])
{
    const float x = r.X, y = r.Y, w = r.Width, h = r.Height;
    pts[0] = PointF(x, y + h);
    pts[1] = PointF(x + w / 3, y);
    pts[2] = PointF(x + w, y);
    pts[3] = PointF(x + 2 * w / 3, y + h);
}

void GetStarPoints(const RectF& r, PointF pts[10])
{
    const double cx = r.X + r.Width / 2.0;
    const double cy = r.Y + r.Height / 2.0;
    const double outer = r.Width / 2.0;
    const double inner = 0.38196602 * outer;
    for (int i = 0; i < 10; i++)
    {
        const double t = Radians(72 + 36 * i);
        const double radius = (i % 2 == 0) ? outer : inner;
        pts[i] = PointF((float)(cx + radius * cos(t)), (float)(cy + radius * sin(t)));
    }
}

// The 24 spikes of g_burst, scaled to the ellipse in R so that the burst fills its rectangle.
void GetBurstPoints(const RectF& r, PointF pts[24])
{
    const double a = r.Width / 2.0;
    const double b = r.Height / 2.0;
    const double cx = r.X + a;
    const double cy = r.Y + b;
    for (int i = 0; i < 24; i++)
    {
        const double t = Radians(g_burst[i].fAngle);
        const double c = cos(t);
        const double s = sin(t);
        const double radius = g_burst[i].fFactor * sqrt(a * a * c * c + b * b * s * s);
        pts[i] = PointF((float)(cx + radius * c), (float)(cy + radius * s));
    }
}

void GetCrescentArcs(const RectF& r, OutlineArc arcs[2])
{
    arcs[0] = MakeArc(r.X, r.Y, r.Width, r.Height, 90, 180);
    arcs[1] = MakeArc(r.X + r.Width / 5, r.Y, 3 * r.Width / 5, r.Height, -90, -180);
}

// Eight rays around the disc, from 1.2 to 1.6 times its quadratic mean radius.
void GetSunRays(const RectF& r, PointF ptFrom[8], PointF ptTo[8])
{
    const double a = r.Width / 2.0;
    const double b = r.Height / 2.0;
    const double cx = r.X + a;
    const double cy = r.Y + b;
    const double rho = sqrt((a * a + b * b) / 2);
    for (int k = 0; k < 8; k++)
    {
        const double t = Radians(45 * k);
        const double c = cos(t);
        const double s = sin(t);
        ptFrom[k] = PointF((float)(cx + 1.2 * rho * c), (float)(cy + 1.2 * rho * s));
        ptTo[k] = PointF((float)(cx + 1.6 * rho * c), (float)(cy + 1.6 * rho * s));
    }
}
