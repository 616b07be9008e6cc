// ClippedDraw.h - drawing of elements too large on the device for the drawing library.
//
// Notes
// - The drawing library flattens curves and widens outlines in single precision over the
//   whole figure: with figures tens of thousands of pixels across it overflows its stack
//   or does not finish. Here the outline is built in double precision in the element's
//   own page coordinates, curves flattened to a fraction of a device pixel, turned by the
//   element's angle, and clipped on the device to the visible area (fills) or cut into
//   the runs that cross it (outlines); the library gets only those small polygons and
//   polylines, in world coordinates under its own transform (pens and brushes stay as
//   they are). The graphics' world transform is not changed.
// - The visible area is the graphics' visible clip bounds, widened by the reach of the
//   pen (miter joins included) so that the cut ends and the clip's own edges lie outside.
//   The dashes of an outline cut into runs start anew in each run.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "FlattenedPath.h"

#include <vector>

// A point in double precision.
struct CDPoint
{
    double x;
    double y;
};

// Affine mapping: x' = a x + c y + e, y' = b x + d y + f.
struct CAffine
{
    double a, b, c, d, e, f;

    CDPoint Apply(const CDPoint& p) const { return CDPoint{ a * p.x + c * p.y + e, b * p.x + d * p.y + f }; }
    // This mapping after another (this(other(p))).
    CAffine After(const CAffine& other) const;
    bool Invert(CAffine& inverse) const;
    // Largest length a unit vector can take under the linear part.
    double Stretch() const;
    static CAffine Identity() { return CAffine{ 1, 0, 0, 1, 0, 0 }; }
};

typedef std::vector<CDPoint> CDRing;

// One figure of a flattened path.
struct CDFigure
{
    CDRing points;
    bool bClosed;
};

// The figures of a path, its curves flattened so that they stay within fTolerance of the
// true curve (the path's units); a figure of a single point is dropped.
std::vector<CDFigure> FlattenPathFigures(const Gdiplus::GraphicsPath& path, double fTolerance);

// Sutherland-Hodgman clip of a closed polygon to an axis-aligned box; empty when nothing
// is left.
CDRing ClipRingToBox(const CDRing& ring, double left, double top, double right, double bottom);

// The parts of a polyline (closed: back to its first point) within a box, each with the
// length of the polyline before it.
struct CDRun
{
    CDRing points;
    double fStartLength;
};
std::vector<CDRun> CutPolylineToBox(const CDRing& line, bool bClosed, double left, double top,
                                    double right, double bottom);

// The dash pattern of a GDI+ dash style (dash, dot, dash-dot, dash-dot-dot) in pen widths,
// on and off alternating; empty for solid lines and other values.
std::vector<double> GetDashPattern(int nDashStyle);

// The dashes of a polyline (closed: back to its first point): the pattern in units of
// fUnit laid along it from its first point, each dash a polyline of its own.
std::vector<CDRing> CutIntoDashes(const CDRing& line, bool bClosed, const std::vector<double>& pattern,
                                  double fUnit);

// Strokes a polyline of world coordinates with pPen; with the own dashes active
// (COwnDashesScope, ElementDraw.h) and a
// dashed pen, as its dashes, each drawn solid.
void StrokeWorldPolyline(Gdiplus::Graphics* pGraphics, Gdiplus::Pen* pPen, const CDRing& line, bool bClosed);

// One element's drawing: the graphics' mapping to the device, the element's turn and the
// visible area.
class CClippedDrawing
{
public:
    // The element turned by fAngle degrees counter-clockwise on the page about the
    // centre of rcTurn (as PrependElementRotation turns it).
    CClippedDrawing(Gdiplus::Graphics* pGraphics, const Gdiplus::RectF& rcTurn, float fAngle);

    // False when the mapping or the visible area cannot be read, or nothing is visible.
    bool IsReady() const { return m_bReady; }
    // Flattening tolerance of the element's own coordinates.
    double Tolerance() const { return m_fTolerance; }
    // Own coordinates to world coordinates (the turn alone).
    const CAffine& Turn() const { return m_turn; }
    // The turn as a matrix (for brushes made in own coordinates).
    void GetTurnMatrix(Gdiplus::Matrix& matrix) const;

    // The part of a closed outline (own coordinates) within the visible area widened by
    // fRoomPixels, in world coordinates; empty when none.
    std::vector<Gdiplus::PointF> ClipFill(const CDRing& ring, double fRoomPixels = 2) const;
    // Strokes a polyline (own coordinates) where it crosses the visible area.
    void Stroke(Gdiplus::Pen* pPen, const CDRing& line, bool bClosed) const;
    // Draws a picture stretched over rc (own coordinates): only its visible part.
    void DrawPicture(Gdiplus::Image* pImage, const Gdiplus::RectF& rc) const;

private:
    std::vector<Gdiplus::PointF> ToWorld(const CDRing& device) const;

    Gdiplus::Graphics* m_pGraphics;
    bool m_bReady;
    CAffine m_turn;         // own -> world
    CAffine m_toDevice;     // own -> device
    CAffine m_fromDevice;   // device -> world
    double m_fTolerance;
    double m_fScale;        // device pixels per world unit, at most
    RECT m_rcVisible;       // device pixels
};
