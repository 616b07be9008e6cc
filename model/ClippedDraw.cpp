// ClippedDraw.cpp - flattening, clipping and drawing of outlines too large for the
// drawing library.

#include "ClippedDraw.h"
#include "DeviceStrokes.h"
#include "ElementDraw.h"

#include <math.h>

#include <algorithm>

using namespace Gdiplus;

namespace
{
const double kPi = 3.14159265358979323846;
// Largest deviation of a flattened curve from the true one, in device pixels.
const double kTolerancePixels = 0.1;
// Segments of one flattened curve, at most.
const int kMaxCurveSegments = 65536;

CDPoint ToD(const PointF& p)
{
    return CDPoint{ p.X, p.Y };
}

double Distance(const CDPoint& p, const CDPoint& q)
{
    return hypot(q.x - p.x, q.y - p.y);
}

CDPoint Lerp(const CDPoint& p, const CDPoint& q, double t)
{
    return CDPoint{ p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t };
}

// Cubic Bezier from p0 to p3 appended as lines (p0 already in the ring).
void AppendBezier(CDRing& ring, const CDPoint& p0, const CDPoint& p1, const CDPoint& p2,
                  const CDPoint& p3, double fTolerance)
{
    // the deviation of n equal steps is at most 3/4 of the largest second difference / n^2
    const double dd = std::max(hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                               hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    double fSteps = ceil(sqrt(0.75 * dd / fTolerance));
    if (!(fSteps >= 1))
        fSteps = 1;
    const int n = (int)std::min(fSteps, (double)kMaxCurveSegments);
    for (int i = 1; i <= n; i++)
    {
        const double t = (double)i / n, u = 1 - t;
        const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
        ring.push_back(CDPoint{ w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                                w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y });
    }
}

// Liang-Barsky: the part [t0, t1] of segment p q within the box; false when none.
bool ClipSegment(const CDPoint& p, const CDPoint& q, double left, double top, double right,
                 double bottom, double& t0, double& t1)
{
    t0 = 0;
    t1 = 1;
    const double dx = q.x - p.x, dy = q.y - p.y;
    auto edge = [&](double fDenominator, double fNumerator) {
        // fDenominator * t <= fNumerator
        if (fDenominator == 0)
            return fNumerator >= 0;
        const double r = fNumerator / fDenominator;
        if (fDenominator < 0)
        {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        }
        else
        {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    return edge(-dx, p.x - left) && edge(dx, right - p.x) && edge(-dy, p.y - top) &&
           edge(dy, bottom - p.y);
}

// One Sutherland-Hodgman step: the ring on the side of the line where inside(p) holds,
// cut where cross(p, q) says.
template <class FInside, class FCross>
CDRing ClipRingToEdge(const CDRing& ring, FInside inside, FCross cross)
{
    CDRing out;
    if (ring.empty())
        return out;
    out.reserve(ring.size() + 4);
    CDPoint prev = ring.back();
    bool bPrevInside = inside(prev);
    for (const CDPoint& p : ring)
    {
        const bool bInside = inside(p);
        if (bInside != bPrevInside)
            out.push_back(cross(prev, p));
        if (bInside)
            out.push_back(p);
        prev = p;
        bPrevInside = bInside;
    }
    return out;
}

CDPoint CrossX(const CDPoint& p, const CDPoint& q, double x)
{
    return CDPoint{ x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x) };
}

CDPoint CrossY(const CDPoint& p, const CDPoint& q, double y)
{
    return CDPoint{ p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y };
}

bool IsFinite(const CAffine& m)
{
    return isfinite(m.a) && isfinite(m.b) && isfinite(m.c) && isfinite(m.d) && isfinite(m.e) &&
           isfinite(m.f);
}

// The graphics' mapping of world coordinates to the device, from three points; false when
// it cannot be read.
bool ReadWorldToDevice(Graphics* pGraphics, CAffine& world)
{
    PointF pts[3] = { PointF(0, 0), PointF(1, 0), PointF(0, 1) };
    if (pGraphics == NULL || pGraphics->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, pts, 3) != Ok)
        return false;
    world = CAffine{ (double)pts[1].X - pts[0].X, (double)pts[1].Y - pts[0].Y,
                     (double)pts[2].X - pts[0].X, (double)pts[2].Y - pts[0].Y, pts[0].X, pts[0].Y };
    return IsFinite(world);
}
}

/////////////////////////////////////////////////////////////////////////////
// Mappings

CAffine CAffine::After(const CAffine& o) const
{
    return CAffine{ a * o.a + c * o.b, b * o.a + d * o.b, a * o.c + c * o.d,
                    b * o.c + d * o.d, a * o.e + c * o.f + e, b * o.e + d * o.f + f };
}

bool CAffine::Invert(CAffine& inverse) const
{
    const double det = a * d - b * c;
    if (!(fabs(det) > 1e-300) || !isfinite(det))
        return false;
    inverse.a = d / det;
    inverse.b = -b / det;
    inverse.c = -c / det;
    inverse.d = a / det;
    inverse.e = -(inverse.a * e + inverse.c * f);
    inverse.f = -(inverse.b * e + inverse.d * f);
    return IsFinite(inverse);
}

double CAffine::Stretch() const
{
    // largest singular value of [a c; b d]
    const double s1 = a * a + b * b + c * c + d * d;
    const double det = a * d - b * c;
    const double root = sqrt(std::max(0.0, s1 * s1 / 4 - det * det));
    return sqrt(s1 / 2 + root);
}

/////////////////////////////////////////////////////////////////////////////
// Flattening and clipping

// The path's figures as double-precision lines: the library's own flattening fails on huge
// figures.
std::vector<CDFigure> FlattenPathFigures(const GraphicsPath& path, double fTolerance)
{
    std::vector<CDFigure> figures;
    const INT nCount = path.GetPointCount();
    if (nCount <= 0 || !(fTolerance > 0))
        return figures;
    std::vector<PointF> points((size_t)nCount);
    std::vector<BYTE> types((size_t)nCount);
    if (path.GetPathPoints(points.data(), nCount) != Ok || path.GetPathTypes(types.data(), nCount) != Ok)
        return figures;
    CDFigure figure = { CDRing(), false };
    auto finish = [&]() {
        if (figure.points.size() >= 2)
            figures.push_back(figure);
        figure.points.clear();
        figure.bClosed = false;
    };
    for (INT i = 0; i < nCount; i++)
    {
        const BYTE nType = types[i] & PathPointTypePathTypeMask;
        if (nType == PathPointTypeStart || figure.points.empty())
        {
            finish();
            figure.points.push_back(ToD(points[i]));
        }
        else if (nType == PathPointTypeBezier && i + 2 < nCount)
        {
            const CDPoint p0 = figure.points.back();
            AppendBezier(figure.points, p0, ToD(points[i]), ToD(points[i + 1]), ToD(points[i + 2]),
                         fTolerance);
            i += 2;
        }
        else
        {
            figure.points.push_back(ToD(points[i]));
        }
        if (types[i] & PathPointTypeCloseSubpath)
        {
            figure.bClosed = true;
            finish();
        }
    }
    finish();
    return figures;
}

double GetWorldTolerance(Graphics* pGraphics)
{
    const double kDefault = 0.01;
    CAffine world;
    if (!ReadWorldToDevice(pGraphics, world))
        return kDefault;
    const double fStretch = world.Stretch();
    if (!(fStretch > 0) || !isfinite(fStretch))
        return kDefault;
    return kTolerancePixels / fStretch;
}

bool HasCurves(const GraphicsPath& path)
{
    const INT nCount = path.GetPointCount();
    if (nCount <= 0)
        return false;
    std::vector<BYTE> types((size_t)nCount);
    if (path.GetPathTypes(types.data(), nCount) != Ok)
        return false;
    for (BYTE nType : types)
        if ((nType & PathPointTypePathTypeMask) == PathPointTypeBezier)
            return true;
    return false;
}

void AddFlattenedPath(GraphicsPath& target, const GraphicsPath& source, double fTolerance)
{
    std::vector<PointF> pts;
    for (const CDFigure& figure : FlattenPathFigures(source, fTolerance))
    {
        pts.clear();
        for (const CDPoint& p : figure.points)
            pts.push_back(PointF((REAL)p.x, (REAL)p.y));
        target.StartFigure();
        target.AddLines(pts.data(), (INT)pts.size());
        if (figure.bClosed)
            target.CloseFigure();
    }
}

CDRing ClipRingToBox(const CDRing& ring, double left, double top, double right, double bottom)
{
    CDRing r = ClipRingToEdge(ring, [&](const CDPoint& p) { return p.x >= left; },
                              [&](const CDPoint& p, const CDPoint& q) { return CrossX(p, q, left); });
    r = ClipRingToEdge(r, [&](const CDPoint& p) { return p.x <= right; },
                       [&](const CDPoint& p, const CDPoint& q) { return CrossX(p, q, right); });
    r = ClipRingToEdge(r, [&](const CDPoint& p) { return p.y >= top; },
                       [&](const CDPoint& p, const CDPoint& q) { return CrossY(p, q, top); });
    r = ClipRingToEdge(r, [&](const CDPoint& p) { return p.y <= bottom; },
                       [&](const CDPoint& p, const CDPoint& q) { return CrossY(p, q, bottom); });
    if (r.size() < 3)
        r.clear();
    return r;
}

// The pieces of a line the box shows, so that a far-off stroke reaches the library only where
// it is seen.
std::vector<CDRun> CutPolylineToBox(const CDRing& line, bool bClosed, double left, double top,
                                    double right, double bottom)
{
    std::vector<CDRun> runs;
    const size_t n = line.size();
    if (n < 2)
        return runs;
    const size_t nSegments = bClosed ? n : n - 1;
    std::vector<double> lengths(nSegments + 1, 0.0);    // length before each segment
    for (size_t i = 0; i < nSegments; i++)
        lengths[i + 1] = lengths[i] + Distance(line[i], line[(i + 1) % n]);

    // a closed line starts at a segment that leaves the box, so that no run wraps
    size_t nFirst = 0;
    if (bClosed)
    {
        for (size_t i = 0; i < nSegments; i++)
        {
            double t0, t1;
            if (!ClipSegment(line[i], line[(i + 1) % n], left, top, right, bottom, t0, t1) || t1 < 1)
            {
                nFirst = (i + 1) % nSegments;
                break;
            }
        }
    }
    CDRun run = { CDRing(), 0.0 };
    for (size_t k = 0; k < nSegments; k++)
    {
        const size_t i = (nFirst + k) % nSegments;
        const CDPoint& p = line[i];
        const CDPoint& q = line[(i + 1) % n];
        double t0, t1;
        if (!ClipSegment(p, q, left, top, right, bottom, t0, t1))
        {
            if (!run.points.empty())
                runs.push_back(run);
            run.points.clear();
            continue;
        }
        if (t0 > 0 && !run.points.empty())
        {
            runs.push_back(run);
            run.points.clear();
        }
        if (run.points.empty())
        {
            run.points.push_back(Lerp(p, q, t0));
            run.fStartLength = lengths[i] + (lengths[i + 1] - lengths[i]) * t0;
        }
        run.points.push_back(Lerp(p, q, t1));
        if (t1 < 1)
        {
            runs.push_back(run);
            run.points.clear();
        }
    }
    if (!run.points.empty())
        runs.push_back(run);
    return runs;
}

/////////////////////////////////////////////////////////////////////////////
// Dashes

// A pen's dashes in pen widths, for dashing by hand where the printer strokes every pen solid.
std::vector<double> GetDashPattern(int nDashStyle)
{
    switch (nDashStyle)
    {
    case DashStyleDash:
        return { 3, 1 };
    case DashStyleDot:
        return { 1, 1 };
    case DashStyleDashDot:
        return { 3, 1, 1, 1 };
    case DashStyleDashDotDot:
        return { 3, 1, 1, 1, 1, 1 };
    default:
        return {};
    }
}

// Dashes laid along the line through its corners, as a dashed pen lays them.
std::vector<CDRing> CutIntoDashes(const CDRing& line, bool bClosed, const std::vector<double>& pattern,
                                  double fUnit)
{
    std::vector<CDRing> dashes;
    const size_t n = line.size();
    double fPeriod = 0;
    for (double f : pattern)
        fPeriod += f;
    if (n < 2 || pattern.empty() || !(fUnit > 0) || !(fPeriod > 0))
        return dashes;
    size_t nPart = 0;                       // the pattern's part at the current point
    double fLeft = pattern[0] * fUnit;      // length left of that part
    CDRing dash;
    dash.push_back(line[0]);
    const size_t nSegments = bClosed ? n : n - 1;
    // a dash never holds more points than the line; dashes of a tiny unit are capped
    const size_t kMaxDashes = 1000000;
    for (size_t i = 0; i < nSegments && dashes.size() < kMaxDashes; i++)
    {
        const CDPoint p = line[i], q = line[(i + 1) % n];
        const double fLength = Distance(p, q);
        double fAt = 0;
        while (fLength - fAt > fLeft && dashes.size() < kMaxDashes)
        {
            fAt += fLeft;
            const CDPoint pt = Lerp(p, q, fAt / fLength);
            if (nPart % 2 == 0)
            {
                dash.push_back(pt);
                dashes.push_back(dash);
            }
            dash.clear();
            dash.push_back(pt);
            nPart = (nPart + 1) % pattern.size();
            fLeft = pattern[nPart] * fUnit;
        }
        fLeft -= fLength - fAt;
        if (nPart % 2 == 0)
            dash.push_back(q);
        else
            dash.back() = q;
    }
    if (nPart % 2 == 0 && dash.size() >= 2)
        dashes.push_back(dash);
    return dashes;
}

namespace
{
// Slot of the calling thread's own-dashes state: 0 none, 1 off, 2 on.
DWORD OwnDashesSlot()
{
    static const DWORD nSlot = TlsAlloc();
    return nSlot;
}
}

COwnDashesScope::COwnDashesScope(bool bOwnDashes)
    : m_bOuter(IsActive()), m_bInstalled(false)
{
    const DWORD nSlot = OwnDashesSlot();
    if (nSlot != TLS_OUT_OF_INDEXES)
        m_bInstalled = TlsSetValue(nSlot, (LPVOID)(INT_PTR)(bOwnDashes ? 2 : 1)) != FALSE;
}

COwnDashesScope::~COwnDashesScope()
{
    if (m_bInstalled)
        TlsSetValue(OwnDashesSlot(), (LPVOID)(INT_PTR)(m_bOuter ? 2 : 1));
}

bool IsSolidPenDevice(HDC hDC)
{
    return hDC != NULL && ::GetDeviceCaps(hDC, TECHNOLOGY) == DT_RASPRINTER;
}

bool COwnDashesScope::IsActive()
{
    const DWORD nSlot = OwnDashesSlot();
    return nSlot != TLS_OUT_OF_INDEXES && (INT_PTR)TlsGetValue(nSlot) == 2;
}

// Strokes a line as the pen would, dash by dash where the device strokes every pen solid.
void StrokeWorldPolyline(Graphics* pGraphics, Pen* pPen, const CDRing& line, bool bClosed)
{
    if (pGraphics == NULL || pPen == NULL || line.size() < 2)
        return;
    const DashStyle nStyle = pPen->GetDashStyle();
    const std::vector<double> pattern = COwnDashesScope::IsActive() ? GetDashPattern(nStyle) : std::vector<double>();
    std::vector<PointF> pts;
    if (pattern.empty())
    {
        for (const CDPoint& p : line)
            pts.push_back(PointF((REAL)p.x, (REAL)p.y));
        if (bClosed)
            DrawPolygonOutline(pGraphics, pPen, pts.data(), (INT)pts.size());
        else
            DrawLinesOutline(pGraphics, pPen, pts.data(), (INT)pts.size());
        return;
    }
    // the dashes of a pen are as long as it is wide (a hairline's as one unit)
    const double fUnit = std::max(1.0, (double)pPen->GetWidth());
    Pen* pSolid = pPen->Clone();
    if (pSolid == NULL)
        return;
    pSolid->SetDashStyle(DashStyleSolid);
    for (const CDRing& dash : CutIntoDashes(line, bClosed, pattern, fUnit))
    {
        pts.clear();
        for (const CDPoint& p : dash)
            pts.push_back(PointF((REAL)p.x, (REAL)p.y));
        pGraphics->DrawLines(pSolid, pts.data(), (INT)pts.size());
    }
    delete pSolid;
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

// Reads the mapping to the device and the visible area once for all outlines of the element;
// not ready when either fails.
CClippedDrawing::CClippedDrawing(Graphics* pGraphics, const RectF& rcTurn, float fAngle)
    : m_pGraphics(pGraphics), m_bReady(false), m_turn(CAffine::Identity()),
      m_toDevice(CAffine::Identity()), m_fromDevice(CAffine::Identity()), m_fTolerance(1),
      m_fScale(1)
{
    m_rcVisible = RECT{ 0, 0, 0, 0 };
    if (pGraphics == NULL)
        return;
    if (fmodf(fAngle, 360.0f) != 0.0f)
    {
        const double t = -fAngle * kPi / 180;
        const double cx = rcTurn.X + rcTurn.Width / 2.0, cy = rcTurn.Y + rcTurn.Height / 2.0;
        const double cs = cos(t), sn = sin(t);
        m_turn = CAffine{ cs, sn, -sn, cs, cx - (cs * cx - sn * cy), cy - (sn * cx + cs * cy) };
    }
    CAffine world;
    if (!ReadWorldToDevice(pGraphics, world) || !world.Invert(m_fromDevice))
        return;
    m_toDevice = world.After(m_turn);
    m_fScale = world.Stretch();
    const double fStretch = m_toDevice.Stretch();
    if (!(fStretch > 0) || !isfinite(fStretch))
        return;
    m_fTolerance = kTolerancePixels / fStretch;

    // the visible area on the device
    RectF rcClip;
    if (pGraphics->GetVisibleClipBounds(&rcClip) != Ok || rcClip.IsEmptyArea())
        return;
    // the bounds come in whole world units on some platforms: one more on every side
    double l = 0, t = 0, r = 0, b = 0;
    const double x0 = rcClip.X - 1.0, y0 = rcClip.Y - 1.0;
    const double x1 = (double)rcClip.X + rcClip.Width + 1, y1 = (double)rcClip.Y + rcClip.Height + 1;
    const CDPoint corners[4] = { { x0, y0 }, { x1, y0 }, { x0, y1 }, { x1, y1 } };
    for (int i = 0; i < 4; i++)
    {
        const CDPoint p = world.Apply(corners[i]);
        l = i == 0 ? p.x : std::min(l, p.x);
        t = i == 0 ? p.y : std::min(t, p.y);
        r = i == 0 ? p.x : std::max(r, p.x);
        b = i == 0 ? p.y : std::max(b, p.y);
    }
    // a clip beyond any device is a fault of the caller's: nothing is drawn
    const double kLimit = 1 << 24;
    if (!(l > -kLimit && t > -kLimit && r < kLimit && b < kLimit && r > l && b > t))
        return;
    m_rcVisible = RECT{ (LONG)floor(l), (LONG)floor(t), (LONG)ceil(r), (LONG)ceil(b) };
    m_bReady = true;
}

void CClippedDrawing::GetTurnMatrix(Matrix& matrix) const
{
    matrix.SetElements((REAL)m_turn.a, (REAL)m_turn.b, (REAL)m_turn.c, (REAL)m_turn.d,
                       (REAL)m_turn.e, (REAL)m_turn.f);
}

std::vector<PointF> CClippedDrawing::ToWorld(const CDRing& device) const
{
    std::vector<PointF> world;
    world.reserve(device.size());
    for (const CDPoint& p : device)
    {
        const CDPoint w = m_fromDevice.Apply(p);
        world.push_back(PointF((REAL)w.x, (REAL)w.y));
    }
    return world;
}

std::vector<PointF> CClippedDrawing::ClipFill(const CDRing& ring, double fRoomPixels) const
{
    if (!m_bReady || ring.size() < 3)
        return std::vector<PointF>();
    CDRing device;
    device.reserve(ring.size());
    for (const CDPoint& p : ring)
        device.push_back(m_toDevice.Apply(p));
    return ToWorld(ClipRingToBox(device, m_rcVisible.left - fRoomPixels, m_rcVisible.top - fRoomPixels,
                                 m_rcVisible.right + fRoomPixels, m_rcVisible.bottom + fRoomPixels));
}

// A line within the pen's reach of the visible area is stroked whole, any other only where it
// crosses that area.
void CClippedDrawing::Stroke(Pen* pPen, const CDRing& line, bool bClosed) const
{
    if (!m_bReady || pPen == NULL || line.size() < 2)
        return;
    // the reach of the pen beyond the line: half its width, miter joins up to the limit
    const double fWidth = pPen->GetWidth();
    const double fHalf = std::max(0.5, fWidth * m_fScale / 2);
    const double fMiter = std::max(1.0, (double)pPen->GetMiterLimit());
    const double fRoom = fHalf * fMiter + 2;
    const double l = m_rcVisible.left - fRoom, t = m_rcVisible.top - fRoom;
    const double r = m_rcVisible.right + fRoom, b = m_rcVisible.bottom + fRoom;

    CDRing device;
    device.reserve(line.size());
    bool bInside = true;
    for (const CDPoint& p : line)
    {
        const CDPoint d = m_toDevice.Apply(p);
        bInside = bInside && d.x >= l && d.x <= r && d.y >= t && d.y <= b;
        device.push_back(d);
    }
    auto toWorld = [this](const CDRing& ring) {
        CDRing world;
        world.reserve(ring.size());
        for (const CDPoint& p : ring)
            world.push_back(m_fromDevice.Apply(p));
        return world;
    };
    if (bInside)
    {
        StrokeWorldPolyline(m_pGraphics, pPen, toWorld(device), bClosed);
        return;
    }
    // (the dashes of a cut line start anew at its first point inside)
    for (const CDRun& run : CutPolylineToBox(device, bClosed, l, t, r, b))
    {
        if (run.points.size() >= 2)
            StrokeWorldPolyline(m_pGraphics, pPen, toWorld(run.points), false);
    }
}

// Only the picture pixels under the visible area are stretched, so that a huge picture stays
// within the library's range.
void CClippedDrawing::DrawPicture(Image* pImage, const RectF& rc) const
{
    if (!m_bReady || pImage == NULL)
        return;
    const double w = pImage->GetWidth(), h = pImage->GetHeight();
    if (!(w > 0 && h > 0 && rc.Width != 0 && rc.Height != 0))
        return;
    // picture pixels -> own coordinates -> device
    const CAffine toOwn = { rc.Width / w, 0, 0, rc.Height / h, rc.X, rc.Y };
    const CAffine toDevice = m_toDevice.After(toOwn);
    CAffine fromDevice;
    if (!toDevice.Invert(fromDevice))
        return;
    // the picture pixels under the visible area, with room for the smoothing
    const double kRoom = 2;
    const CDPoint corners[4] = {
        { m_rcVisible.left - kRoom, m_rcVisible.top - kRoom }, { m_rcVisible.right + kRoom, m_rcVisible.top - kRoom },
        { m_rcVisible.left - kRoom, m_rcVisible.bottom + kRoom }, { m_rcVisible.right + kRoom, m_rcVisible.bottom + kRoom } };
    double u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    for (int i = 0; i < 4; i++)
    {
        const CDPoint p = fromDevice.Apply(corners[i]);
        u0 = i == 0 ? p.x : std::min(u0, p.x);
        v0 = i == 0 ? p.y : std::min(v0, p.y);
        u1 = i == 0 ? p.x : std::max(u1, p.x);
        v1 = i == 0 ? p.y : std::max(v1, p.y);
    }
    u0 = std::max(0.0, floor(u0) - kRoom);
    v0 = std::max(0.0, floor(v0) - kRoom);
    u1 = std::min(w, ceil(u1) + kRoom);
    v1 = std::min(h, ceil(v1) + kRoom);
    if (!(u1 > u0 && v1 > v0))
        return;
    const CAffine toWorld = m_turn.After(toOwn);
    const CDPoint dest[3] = { toWorld.Apply(CDPoint{ u0, v0 }), toWorld.Apply(CDPoint{ u1, v0 }),
                              toWorld.Apply(CDPoint{ u0, v1 }) };
    PointF destPoints[3];
    for (int i = 0; i < 3; i++)
        destPoints[i] = PointF((REAL)dest[i].x, (REAL)dest[i].y);
    m_pGraphics->DrawImage(pImage, destPoints, 3, (REAL)u0, (REAL)v0, (REAL)(u1 - u0), (REAL)(v1 - v0),
                           UnitPixel);
}
