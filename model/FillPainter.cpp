// FillPainter.cpp - fill brushes, hatch textures, outline filling and outline pens.

#include "FillPainter.h"
#include "Element.h"
#include "ElementStream.h"
#include "FlattenedPath.h"

#include <math.h>

#include <algorithm>
#include <vector>

using namespace Gdiplus;

namespace
{
// Hatch styles of fill kinds 2..24.
const int g_hatchOfFillKind[23] = {
    HatchStyleSmallCheckerBoard,   // 2
    HatchStyleSolidDiamond,        // 3
    HatchStyle05Percent,           // 4
    HatchStyle20Percent,           // 5
    HatchStyle30Percent,           // 6
    HatchStyleHorizontal,          // 7
    HatchStyleVertical,            // 8
    HatchStyleForwardDiagonal,     // 9
    HatchStyleBackwardDiagonal,    // 10
    HatchStyleCross,               // 11
    HatchStyleDiagonalCross,       // 12
    HatchStyleDashedHorizontal,    // 13
    HatchStyleDashedVertical,      // 14
    HatchStyleSmallConfetti,       // 15
    HatchStyleZigZag,              // 16
    HatchStyleHorizontalBrick,     // 17
    HatchStyleDiagonalBrick,       // 18
    HatchStyleWeave,               // 19
    HatchStylePlaid,               // 20
    HatchStyleDottedGrid,          // 21
    HatchStyleDottedDiamond,       // 22
    HatchStyleShingle,             // 23
    HatchStyleSphere,              // 24
};

const int kFirstPatternStyle = 30;
const int kLastPatternStyle = 52;

// Our own 8 x 8 patterns of hatch styles 30..52 (bit 7 leftmost, set = foreground).
const BYTE g_hatchPatterns[kLastPatternStyle - kFirstPatternStyle + 1][8] = {
    { 0x88, 0x44, 0x22, 0x11, 0x00, 0x00, 0x00, 0x00 },   // 30 dashed downward diagonal
    { 0x11, 0x22, 0x44, 0x88, 0x00, 0x00, 0x00, 0x00 },   // 31 dashed upward diagonal
    { 0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00 },   // 32 dashed horizontal
    { 0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08 },   // 33 dashed vertical
    { 0x80, 0x04, 0x20, 0x01, 0x08, 0x40, 0x02, 0x10 },   // 34 small confetti
    { 0xC0, 0xC6, 0x06, 0x30, 0x33, 0x03, 0x60, 0x6C },   // 35 large confetti
    { 0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18 },   // 36 zigzag
    { 0x0C, 0x12, 0xE1, 0x00, 0x0C, 0x12, 0xE1, 0x00 },   // 37 wave
    { 0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81 },   // 38 diagonal brick
    { 0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08 },   // 39 horizontal brick
    { 0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51 },   // 40 weave
    { 0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0 },   // 41 plaid
    { 0x00, 0x10, 0x08, 0x10, 0x00, 0x01, 0x80, 0x01 },   // 42 divot
    { 0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00 },   // 43 dotted grid
    { 0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00 },   // 44 dotted diamond
    { 0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01 },   // 45 shingle
    { 0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99 },   // 46 trellis
    { 0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8 },   // 47 sphere
    { 0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88 },   // 48 small grid
    { 0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33 },   // 49 small checker board
    { 0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F },   // 50 large checker board
    { 0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80 },   // 51 outlined diamond
    { 0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00 },   // 52 solid diamond
};

// Probe results of IsHatchStyleDrawn: 0 not yet probed, 1 drawn, 2 not drawn.
volatile LONG g_hatchProbe[HatchStyleMax + 1];

// The shape codes whose outline is the given path.
bool IsPathShape(int nShape)
{
    switch (nShape)
    {
    case KIND_RECTROUND:
    case KIND_CALLOUT_BL:
    case KIND_CALLOUT_BR:
    case KIND_PARALLELOGRAM:
    case KIND_ARROW_LEFT:
    case KIND_STAR:
    case KIND_BURST:
    case KIND_MOON:
    case KIND_ARROW_RIGHT:
    case KIND_SUN:
        return true;
    default:
        return false;
    }
}

// The corners of the diamond or the triangle in rc; 0 for other kinds.
int GetShapeCorners(const RectF& rc, int nShape, PointF pts[4])
{
    const float x = rc.X, y = rc.Y, w = rc.Width, h = rc.Height;
    if (nShape == KIND_RHOMBUS)
    {
        pts[0] = PointF(x + w / 2, y);
        pts[1] = PointF(x, y + h / 2);
        pts[2] = PointF(x + w / 2, y + h);
        pts[3] = PointF(x + w, y + h / 2);
        return 4;
    }
    if (nShape == KIND_TRIANGLE)
    {
        pts[0] = PointF(x + w / 2, y);
        pts[1] = PointF(x, y + h);
        pts[2] = PointF(x + w, y + h);
        return 3;
    }
    return 0;
}

// Gradient reference rectangle of at least one unit in each direction.
RectF GradientRect(const RectF& rc)
{
    RectF r = rc;
    if (!(r.Width >= 1.0f))
        r.Width = 1.0f;
    if (!(r.Height >= 1.0f))
        r.Height = 1.0f;
    return r;
}

Brush* CheckedBrush(Brush* pBrush)
{
    if (pBrush != NULL && pBrush->GetLastStatus() != Ok)
    {
        delete pBrush;
        return NULL;
    }
    return pBrush;
}

// Linear gradient from clrFrom at the start of the direction to clrTo at its end, tiled,
// optionally with the bell-shaped blend.
Brush* LinearBrush(const RectF& rc, DWORD clrFrom, DWORD clrTo, LinearGradientMode mode,
                   bool bBell)
{
    LinearGradientBrush* pBrush = new LinearGradientBrush(GradientRect(rc), Color(clrFrom),
                                                          Color(clrTo), mode);
    if (pBrush->GetLastStatus() == Ok)
    {
        pBrush->SetWrapMode(WrapModeTile);
        if (bBell)
            pBrush->SetBlendBellShape(0.5f, 1.0f);
    }
    return CheckedBrush(pBrush);
}

// Flatness (world units) of the ellipse of a path gradient brush: half a device pixel at
// 1000 dpi.
const double kBrushEllipseTolerance = 0.05;

// Path gradient over the ellipse (bEllipse) or the rectangle, centre colour clrCentre at
// ptCentre, one surround colour for the whole boundary.
Brush* PathBrush(const RectF& rc, bool bEllipse, const PointF& ptCentre, DWORD clrCentre,
                 DWORD clrSurround)
{
    const RectF r = GradientRect(rc);
    GraphicsPath path;
    if (bEllipse)
    {
        // flattened here: the library's own flattening of a brush's curves overflows its
        // stack on small ellipses far out
        GraphicsPath ellipse;
        ellipse.AddEllipse(r);
        AddFlattenedPath(path, ellipse, kBrushEllipseTolerance);
    }
    else
        path.AddRectangle(r);
    PathGradientBrush* pBrush = new PathGradientBrush(&path);
    if (pBrush->GetLastStatus() == Ok)
    {
        pBrush->SetCenterPoint(ptCentre);
        pBrush->SetCenterColor(Color(clrCentre));
        Color surround(clrSurround);
        INT nColors = 1;
        pBrush->SetSurroundColors(&surround, &nColors);
    }
    return CheckedBrush(pBrush);
}

// Bounds of the outline when it has an area, else the rectangle as given.
RectF OutlineBounds(const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                    GraphicsPath* pPath)
{
    RectF bounds;
    if (nShape == KIND_CLOSEDCURVE && pPoints != NULL && nCount > 0)
    {
        float l = pPoints[0].X, t = pPoints[0].Y, r = l, b = t;
        for (int i = 1; i < nCount; i++)
        {
            l = std::min(l, pPoints[i].X);
            t = std::min(t, pPoints[i].Y);
            r = std::max(r, pPoints[i].X);
            b = std::max(b, pPoints[i].Y);
        }
        bounds = RectF(l, t, r - l, b - t);
    }
    else if (pPath != NULL && nShape != KIND_RECTANGLE && nShape != KIND_CIRCLE
             && nShape != KIND_RHOMBUS && nShape != KIND_TRIANGLE)
    {
        pPath->GetBounds(&bounds);
    }
    return bounds.Width > 0 && bounds.Height > 0 ? bounds : rc;
}

// Fill through the hatch brush, or through our texture when the platform cannot fill the
// hatch style.
Status FillHatch(Graphics* pGraphics, int nHatchStyle, DWORD clrFore, DWORD clrBack,
                 const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                 GraphicsPath* pPath)
{
    Status status = GenericError;
    const bool bHaveTexture = GetHatchPatternRows(nHatchStyle) != NULL;
    if (!bHaveTexture || IsHatchStyleDrawn(nHatchStyle))
    {
        HatchBrush brush((HatchStyle)nHatchStyle, Color(clrFore), Color(clrBack));
        if (brush.GetLastStatus() == Ok)
            status = FillShapeOutline(pGraphics, &brush, rc, nShape, pPoints, nCount, pPath);
    }
    if (status != Ok && bHaveTexture)
    {
        TextureBrush* pTexture = CreateHatchTextureBrush(nHatchStyle, clrFore, clrBack, pGraphics);
        if (pTexture != NULL)
        {
            status = FillShapeOutline(pGraphics, pTexture, rc, nShape, pPoints, nCount, pPath);
            delete pTexture;
        }
    }
    return status;
}
}

/////////////////////////////////////////////////////////////////////////////
// Gradient fills drawn directly

namespace
{
CGradientFillScope* g_pGradientScope = NULL;

// Where in a device pixel the colour of a gradient is taken.
const double kSampleOffset = 0.0;
// Entries of a colour ramp over the blend (0..1).
const int kRampSteps = 1024;

// The bell-shaped blend of the linear gradients, as the library makes it.
struct CBlendCurve
{
    std::vector<REAL> factors;
    std::vector<REAL> positions;
};

const CBlendCurve& BellBlend()
{
    static CBlendCurve s_bell;
    static bool s_bRead = false;
    if (!s_bRead)
    {
        s_bRead = true;
        LinearGradientBrush brush(RectF(0, 0, 1, 1), Color(0xFF000000), Color(0xFFFFFFFF),
                                  LinearGradientModeHorizontal);
        const INT nCount = brush.SetBlendBellShape(0.5f, 1.0f) == Ok ? brush.GetBlendCount() : 0;
        if (nCount >= 2)
        {
            s_bell.factors.resize(nCount);
            s_bell.positions.resize(nCount);
            if (brush.GetBlend(s_bell.factors.data(), s_bell.positions.data(), nCount) != Ok)
            {
                s_bell.factors.clear();
                s_bell.positions.clear();
            }
        }
    }
    return s_bell;
}

// The blend factor at t in 0..1: t itself without a curve, else the curve's piecewise
// linear value.
double BlendFactor(const CBlendCurve* pCurve, double t)
{
    if (pCurve == NULL || pCurve->positions.size() < 2)
        return t;
    const std::vector<REAL>& pos = pCurve->positions;
    const std::vector<REAL>& fac = pCurve->factors;
    if (t <= pos[0])
        return fac[0];
    for (size_t i = 1; i < pos.size(); i++)
    {
        if (t <= pos[i])
        {
            const double range = pos[i] - pos[i - 1];
            return range > 0 ? fac[i - 1] + (fac[i] - fac[i - 1]) * (t - pos[i - 1]) / range : fac[i];
        }
    }
    return fac.back();
}

// kRampSteps + 1 opaque colours from clrFrom (t = 0) to clrTo (t = 1) along the blend.
void MakeRamp(DWORD clrFrom, DWORD clrTo, const CBlendCurve* pCurve, std::vector<DWORD>& ramp)
{
    ramp.resize(kRampSteps + 1);
    for (int i = 0; i <= kRampSteps; i++)
    {
        const double f = BlendFactor(pCurve, (double)i / kRampSteps);
        DWORD clr = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8)
        {
            const double a = (clrFrom >> shift) & 0xFF, b = (clrTo >> shift) & 0xFF;
            const double v = a + (b - a) * f;
            clr |= (DWORD)std::min(255.0, std::max(0.0, floor(v + 1e-6))) << shift;
        }
        ramp[i] = clr;
    }
}

// The world-to-device mapping of a graphics on hDC (x' = m0 x + m2 y + m4, y' = m1 x +
// m3 y + m5); false where the library's drawing would follow settings this drawing does
// not (a page unit or scale, a clip, smoothing, another compositing, a GDI world transform).
bool GetWorldToDevice(Graphics* pGraphics, HDC hDC, double m[6])
{
    const Unit unit = pGraphics->GetPageUnit();
    if ((unit != UnitDisplay && unit != UnitPixel) || pGraphics->GetPageScale() != 1.0f)
        return false;
    if (unit == UnitDisplay && ::GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY)
        return false;
    const SmoothingMode smoothing = pGraphics->GetSmoothingMode();
    if ((smoothing != SmoothingModeDefault && smoothing != SmoothingModeNone && smoothing != SmoothingModeHighSpeed)
        || pGraphics->GetCompositingMode() != CompositingModeSourceOver)
        return false;
    Region clip;
    if (pGraphics->GetClip(&clip) != Ok || !clip.IsInfinite(pGraphics))
        return false;
    if (::GetGraphicsMode(hDC) == GM_ADVANCED)
    {
        XFORM xf;
        if (!::GetWorldTransform(hDC, &xf) || xf.eM11 != 1 || xf.eM12 != 0 || xf.eM21 != 0 || xf.eM22 != 1
            || xf.eDx != 0 || xf.eDy != 0)
            return false;
    }
    Matrix world;
    REAL w[6];
    POINT ptWindow, ptViewport;
    SIZE sizeWindow, sizeViewport;
    if (pGraphics->GetTransform(&world) != Ok || world.GetElements(w) != Ok || !::GetWindowOrgEx(hDC, &ptWindow)
        || !::GetViewportOrgEx(hDC, &ptViewport) || !::GetWindowExtEx(hDC, &sizeWindow)
        || !::GetViewportExtEx(hDC, &sizeViewport) || sizeWindow.cx == 0 || sizeWindow.cy == 0)
        return false;
    const double sx = (double)sizeViewport.cx / sizeWindow.cx, sy = (double)sizeViewport.cy / sizeWindow.cy;
    m[0] = w[0] * sx;
    m[1] = w[1] * sy;
    m[2] = w[2] * sx;
    m[3] = w[3] * sy;
    m[4] = (w[4] - ptWindow.x) * sx + ptViewport.x;
    m[5] = (w[5] - ptWindow.y) * sy + ptViewport.y;
    return true;
}

// The outline FillShapeOutline fills, as a path; false for a shape code that fills nothing
// (bValid false: the outline could not be made).
bool AddShapeOutline(GraphicsPath& path, const RectF& rc, int nShape, const PointF* pPoints, int nCount,
                     GraphicsPath* pPath, bool& bValid)
{
    PointF corners[4];
    const int nCorners = GetShapeCorners(rc, nShape, corners);
    if (nShape == KIND_RECTANGLE)
        bValid = path.AddRectangle(rc) == Ok;
    else if (nShape == KIND_CIRCLE)
        bValid = path.AddEllipse(rc) == Ok;
    else if (nCorners > 0)
        bValid = path.AddPolygon(corners, nCorners) == Ok;
    else if (nShape == KIND_CLOSEDCURVE)
        bValid = pPoints != NULL && nCount >= 3 && path.AddPolygon(pPoints, nCount) == Ok;
    else if (IsPathShape(nShape))
        bValid = pPath != NULL && path.AddPath(pPath, FALSE) == Ok && path.SetFillMode(pPath->GetFillMode()) == Ok;
    else
    {
        bValid = true;
        return false;
    }
    return bValid;
}

// The pixels of hDC a fill of the region covers: the region within the clip region and
// the selected bitmap. Deletes nothing; the caller owns hFill.
bool ClipFillRegion(HDC hDC, HRGN hFill, RECT& rcBox)
{
    HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
    if (hClip != NULL)
    {
        if (::GetClipRgn(hDC, hClip) == 1)
            ::CombineRgn(hFill, hFill, hClip, RGN_AND);
        ::DeleteObject(hClip);
    }
    BITMAP bm;
    HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
    if (hBitmap != NULL && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm))
    {
        HRGN hBounds = ::CreateRectRgn(0, 0, bm.bmWidth, bm.bmHeight);
        if (hBounds != NULL)
        {
            ::CombineRgn(hFill, hFill, hBounds, RGN_AND);
            ::DeleteObject(hBounds);
        }
    }
    return ::GetRgnBox(hFill, &rcBox) != NULLREGION && rcBox.right > rcBox.left && rcBox.bottom > rcBox.top;
}

// An affine function of device pixels: a x + b y + c.
struct CAffine
{
    double a = 0, b = 0, c = 0;
    double At(double x, double y) const { return a * x + b * y + c; }
};

// f(q) = ax qx + ay qy + a0 of element coordinates q, as a function of device pixels
// through the inverse of m.
CAffine ThroughInverse(const double inv[6], double ax, double ay, double a0)
{
    CAffine f;
    f.a = ax * inv[0] + ay * inv[1];
    f.b = ax * inv[2] + ay * inv[3];
    f.c = ax * inv[4] + ay * inv[5] + a0;
    const double o = kSampleOffset;
    f.c += f.a * o + f.b * o;
    return f;
}

bool Invert(const double m[6], double inv[6])
{
    const double det = m[0] * m[3] - m[1] * m[2];
    if (!(fabs(det) > 1e-12))
        return false;
    inv[0] = m[3] / det;
    inv[1] = -m[1] / det;
    inv[2] = -m[2] / det;
    inv[3] = m[0] / det;
    inv[4] = -(inv[0] * m[4] + inv[2] * m[5]);
    inv[5] = -(inv[1] * m[4] + inv[3] * m[5]);
    return true;
}

// Linear gradient kinds: the direction, whether the pattern colour starts, the bell blend.
bool LinearKind(int nFillKind, LinearGradientMode& mode, bool& bPatternFirst, bool& bBell)
{
    if (nFillKind < 25 || nFillKind > 36)
        return false;
    const int n = nFillKind - 25;
    static const LinearGradientMode modes[4] = { LinearGradientModeHorizontal, LinearGradientModeVertical,
                                                 LinearGradientModeForwardDiagonal,
                                                 LinearGradientModeBackwardDiagonal };
    mode = modes[n / 3];
    bPatternFirst = n % 3 != 2;
    bBell = n % 3 == 1;
    return true;
}
}

CGradientFillScope::CGradientFillScope(HDC hDC)
    : m_hDC(hDC), m_pOuter(g_pGradientScope)
{
    g_pGradientScope = this;
}

CGradientFillScope::~CGradientFillScope()
{
    g_pGradientScope = m_pOuter;
}

HDC CGradientFillScope::GetDC()
{
    return g_pGradientScope != NULL ? g_pGradientScope->m_hDC : NULL;
}

BOOL FillGradientDirect(Graphics* pGraphics, HDC hDC, const RectF& rcRef, int nFillKind, DWORD clrFill,
                        DWORD clrPattern, int nShape, const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    if (pGraphics == NULL || hDC == NULL || nFillKind < 25 || nFillKind > 42)
        return FALSE;
    if ((clrFill >> 24) != 0xFF || (clrPattern >> 24) != 0xFF)
        return FALSE;                   // translucent colours: the library's blending
    double m[6], inv[6];
    if (!GetWorldToDevice(pGraphics, hDC, m) || !Invert(m, inv))
        return FALSE;

    // the pixels the library would fill
    GraphicsPath outline(FillModeAlternate);
    bool bValid = true;
    if (!AddShapeOutline(outline, rcRef, nShape, pPoints, nCount, pPath, bValid))
        return bValid ? TRUE : FALSE;   // a shape that fills nothing
    Region region(&outline);
    Matrix device((REAL)m[0], (REAL)m[1], (REAL)m[2], (REAL)m[3], (REAL)m[4], (REAL)m[5]);
    if (region.GetLastStatus() != Ok || region.Transform(&device) != Ok)
        return FALSE;
    HRGN hFill = region.GetHRGN(NULL);
    if (hFill == NULL)
        return FALSE;
    RECT rcBox;
    if (!ClipFillRegion(hDC, hFill, rcBox))
    {
        ::DeleteObject(hFill);
        return TRUE;
    }

    const RectF r = GradientRect(rcRef);
    const int nWidth = rcBox.right - rcBox.left, nHeight = rcBox.bottom - rcBox.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &info, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        ::DeleteObject(hFill);
        return FALSE;
    }

    std::vector<DWORD> ramp;
    bool bOpaque = true;
    LinearGradientMode mode;
    bool bPatternFirst = true, bBell = false;
    if (LinearKind(nFillKind, mode, bPatternFirst, bBell))
    {
        // t = 0 at the start of the direction, 1 at its end, tiled
        const double rx = r.X, ry = r.Y, rw = r.Width, rh = r.Height;
        CAffine t;
        switch (mode)
        {
        case LinearGradientModeHorizontal:
            t = ThroughInverse(inv, 1 / rw, 0, -rx / rw);
            break;
        case LinearGradientModeVertical:
            t = ThroughInverse(inv, 0, 1 / rh, -ry / rh);
            break;
        case LinearGradientModeForwardDiagonal:
            t = ThroughInverse(inv, 0.5 / rw, 0.5 / rh, -0.5 * (rx / rw + ry / rh));
            break;
        default:
            t = ThroughInverse(inv, -0.5 / rw, 0.5 / rh, 0.5 * ((rx + rw) / rw - ry / rh));
            break;
        }
        MakeRamp(bPatternFirst ? clrPattern : clrFill, bPatternFirst ? clrFill : clrPattern,
                 bBell ? &BellBlend() : NULL, ramp);
        for (int y = 0; y < nHeight; y++)
        {
            DWORD* pRow = pBits + (size_t)y * nWidth;
            double v = t.At(rcBox.left, rcBox.top + y);
            for (int x = 0; x < nWidth; x++, v += t.a)
            {
                // tiled; the start of the direction keeps its own colour
                const double f = v - floor(v);
                pRow[x] = ramp[std::min(kRampSteps, std::max(0, (int)(f * kRampSteps + 0.5)))];
            }
        }
    }
    else
    {
        // path gradient: the polygon of the rectangle or the flattened ellipse around the
        // centre; a pixel takes the centre colour's share 1 - l, where l (0 at the centre,
        // 1 on the boundary) is the largest of the edges' affine shares
        std::vector<PointF> polygon;
        if (nFillKind == 37)
        {
            // the polygon of the library's brush (PathBrush), on the device
            GraphicsPath ellipse, flat;
            ellipse.AddEllipse(r);
            AddFlattenedPath(flat, ellipse, kBrushEllipseTolerance);
            if (flat.Transform(&device) != Ok)
                flat.Reset();
            polygon.resize(flat.GetPointCount());
            if (polygon.empty() || flat.GetPathPoints(polygon.data(), (INT)polygon.size()) != Ok)
                polygon.clear();
        }
        else
        {
            const PointF corners[4] = { PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y),
                                        PointF(r.X + r.Width, r.Y + r.Height), PointF(r.X, r.Y + r.Height) };
            for (const PointF& pt : corners)
                polygon.push_back(PointF((REAL)(m[0] * pt.X + m[2] * pt.Y + m[4]), (REAL)(m[1] * pt.X + m[3] * pt.Y + m[5])));
        }
        PointF ptCentre(rcRef.X + rcRef.Width / 2, rcRef.Y + rcRef.Height / 2);
        switch (nFillKind)
        {
        case 38: ptCentre = PointF(r.X, r.Y); break;
        case 39: ptCentre = PointF(r.X + r.Width, r.Y); break;
        case 40: ptCentre = PointF(r.X + r.Width, r.Y + r.Height); break;
        case 41: ptCentre = PointF(r.X, r.Y + r.Height); break;
        }
        const double cx = m[0] * ptCentre.X + m[2] * ptCentre.Y + m[4];
        const double cy = m[1] * ptCentre.X + m[3] * ptCentre.Y + m[5];
        std::vector<CAffine> edges;
        for (size_t i = 0; i < polygon.size(); i++)
        {
            const PointF& a = polygon[i];
            const PointF& b = polygon[(i + 1) % polygon.size()];
            // normal of the edge; the share is n.(p - c) / n.(a - c)
            const double nx = b.Y - a.Y, ny = a.X - b.X;
            const double fLength = sqrt(nx * nx + ny * ny);
            const double den = nx * (a.X - cx) + ny * (a.Y - cy);
            if (!(fLength > 1e-3) || !(fabs(den) > 1e-3 * fLength))
                continue;                   // no edge, or one through the centre
            CAffine e;
            e.a = nx / den;
            e.b = ny / den;
            e.c = -(nx * cx + ny * cy) / den + (e.a + e.b) * kSampleOffset;
            edges.push_back(e);
        }
        MakeRamp(clrFill, clrPattern, NULL, ramp);
        for (int y = 0; y < nHeight; y++)
        {
            DWORD* pRow = pBits + (size_t)y * nWidth;
            const double py = rcBox.top + y;
            // the polygon's span on this row (it is convex): from its left end up to, not
            // including, its right end
            const double sy = py + kSampleOffset;
            double xl = 0, xr = 0;
            bool bSpan = false;
            for (size_t i = 0; i < polygon.size(); i++)
            {
                const PointF& a = polygon[i];
                const PointF& b = polygon[(i + 1) % polygon.size()];
                if (sy < std::min(a.Y, b.Y) || sy > std::max(a.Y, b.Y))
                    continue;
                double xa = a.X, xb = b.X;
                if (a.Y != b.Y)
                    xa = xb = a.X + (sy - a.Y) * ((double)b.X - a.X) / ((double)b.Y - a.Y);
                xl = bSpan ? std::min(xl, std::min(xa, xb)) : std::min(xa, xb);
                xr = bSpan ? std::max(xr, std::max(xa, xb)) : std::max(xa, xb);
                bSpan = true;
            }
            for (int x = 0; x < nWidth; x++)
            {
                const double px = rcBox.left + x;
                const double sx = px + kSampleOffset;
                if (!bSpan || edges.empty() || sx < xl || sx >= xr)
                {
                    pRow[x] = 0;            // outside the gradient's outline: left as it is
                    bOpaque = false;
                    continue;
                }
                double l = 0;
                for (const CAffine& e : edges)
                    l = std::max(l, e.At(px, py));
                pRow[x] = ramp[(int)((1 - std::min(1.0, l)) * kRampSteps + 0.5)];
            }
        }
    }

    // the pixels through the fill's region
    ::GdiFlush();
    HDC hMem = ::CreateCompatibleDC(hDC);
    BOOL bDrawn = FALSE;
    if (hMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        const int nSaved = ::SaveDC(hDC);
        ::SetMapMode(hDC, MM_TEXT);
        ::SetViewportOrgEx(hDC, 0, 0, NULL);
        ::SetWindowOrgEx(hDC, 0, 0, NULL);
        ::ExtSelectClipRgn(hDC, hFill, RGN_AND);
        if (bOpaque)
        {
            bDrawn = ::BitBlt(hDC, rcBox.left, rcBox.top, nWidth, nHeight, hMem, 0, 0, SRCCOPY);
        }
        else
        {
            BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
            bDrawn = ::GdiAlphaBlend(hDC, rcBox.left, rcBox.top, nWidth, nHeight, hMem, 0, 0, nWidth, nHeight,
                                     blend);
        }
        ::RestoreDC(hDC, nSaved);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
    }
    ::DeleteObject(hBitmap);
    ::DeleteObject(hFill);
    return bDrawn;
}

int GetFillHatchStyle(int nFillKind)
{
    if (nFillKind < 2 || nFillKind > 24)
        return -1;
    return g_hatchOfFillKind[nFillKind - 2];
}

Brush* CreateFillBrush(int nFillKind, const RectF& rcRef, DWORD clrFill, DWORD clrPattern)
{
    const RectF& r = rcRef;
    const float right = r.X + r.Width;
    const float bottom = r.Y + r.Height;

    if (nFillKind == 0)
        return NULL;
    if (nFillKind >= 2 && nFillKind <= 24)
    {
        return CheckedBrush(new HatchBrush((HatchStyle)GetFillHatchStyle(nFillKind),
                                           Color(clrPattern), Color(clrFill)));
    }
    switch (nFillKind)
    {
    case 25: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeHorizontal, false);
    case 26: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeHorizontal, true);
    case 27: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeHorizontal, false);
    case 28: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeVertical, false);
    case 29: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeVertical, true);
    case 30: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeVertical, false);
    case 31: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeForwardDiagonal, false);
    case 32: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeForwardDiagonal, true);
    case 33: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeForwardDiagonal, false);
    case 34: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeBackwardDiagonal, false);
    case 35: return LinearBrush(r, clrPattern, clrFill, LinearGradientModeBackwardDiagonal, true);
    case 36: return LinearBrush(r, clrFill, clrPattern, LinearGradientModeBackwardDiagonal, false);
    case 37:
        return PathBrush(r, true, PointF(r.X + r.Width / 2, r.Y + r.Height / 2), clrPattern, clrFill);
    case 38: return PathBrush(r, false, PointF(r.X, r.Y), clrPattern, clrFill);
    case 39: return PathBrush(r, false, PointF(right, r.Y), clrPattern, clrFill);
    case 40: return PathBrush(r, false, PointF(right, bottom), clrPattern, clrFill);
    case 41: return PathBrush(r, false, PointF(r.X, bottom), clrPattern, clrFill);
    case 42:
        return PathBrush(r, false, PointF(r.X + r.Width / 2, r.Y + r.Height / 2), clrPattern, clrFill);
    default:
        return CheckedBrush(new SolidBrush(Color(clrFill)));
    }
}

const BYTE* GetHatchPatternRows(int nHatchStyle)
{
    if (nHatchStyle < kFirstPatternStyle || nHatchStyle > kLastPatternStyle)
        return NULL;
    return g_hatchPatterns[nHatchStyle - kFirstPatternStyle];
}

TextureBrush* CreateHatchTextureBrush(int nHatchStyle, DWORD clrFore, DWORD clrBack,
                                      Graphics* pGraphics)
{
    const BYTE* pRows = GetHatchPatternRows(nHatchStyle);
    if (pRows == NULL)
        return NULL;

    Bitmap tile(8, 8, PixelFormat32bppARGB);
    Rect rc(0, 0, 8, 8);
    BitmapData data;
    if (tile.GetLastStatus() != Ok ||
        tile.LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
        return NULL;
    for (int y = 0; y < 8; y++)
    {
        DWORD* pRow = (DWORD*)((BYTE*)data.Scan0 + y * data.Stride);
        for (int x = 0; x < 8; x++)
            pRow[x] = (pRows[y] & (0x80 >> x)) ? clrFore : clrBack;
    }
    tile.UnlockBits(&data);

    TextureBrush* pBrush = new TextureBrush(&tile, WrapModeTile);
    if (pBrush->GetLastStatus() != Ok)
    {
        delete pBrush;
        return NULL;
    }
    if (pGraphics != NULL)
    {
        // Texture pixel (u, v) lands on device pixel (u, v): the brush transform is the
        // inverse of the graphics' world-to-device mapping.
        PointF pts[3] = { PointF(0, 0), PointF(1, 0), PointF(0, 1) };
        if (pGraphics->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, pts, 3) == Ok)
        {
            Matrix m(pts[1].X - pts[0].X, pts[1].Y - pts[0].Y, pts[2].X - pts[0].X,
                     pts[2].Y - pts[0].Y, pts[0].X, pts[0].Y);
            if (m.IsInvertible() && m.Invert() == Ok)
                pBrush->SetTransform(&m);
        }
    }
    return pBrush;
}

BOOL IsHatchStyleDrawn(int nHatchStyle)
{
    if (nHatchStyle < HatchStyleMin || nHatchStyle > HatchStyleMax)
        return FALSE;
    LONG nProbe = g_hatchProbe[nHatchStyle];
    if (nProbe == 0)
    {
        // Fill an 8 x 8 transparent tile: every pixel must be covered, in both colours.
        const DWORD clrFore = 0xFF000000, clrBack = 0xFFFFFFFF;
        bool bDrawn = false;
        Bitmap tile(8, 8, PixelFormat32bppARGB);
        if (tile.GetLastStatus() == Ok)
        {
            Status status = GenericError;
            {
                Graphics g(&tile);
                g.Clear(Color(0, 0, 0, 0));
                HatchBrush brush((HatchStyle)nHatchStyle, Color(clrFore), Color(clrBack));
                if (brush.GetLastStatus() == Ok)
                    status = g.FillRectangle(&brush, 0, 0, 8, 8);
            }
            if (status == Ok)
            {
                // Every pixel covered; dark and light ones both present (edges may blend).
                int nDark = 0, nLight = 0, nCovered = 0;
                for (int y = 0; y < 8; y++)
                {
                    for (int x = 0; x < 8; x++)
                    {
                        Color c;
                        tile.GetPixel(x, y, &c);
                        if (c.GetA() == 255)
                            nCovered++;
                        if (c.GetG() < 128)
                            nDark++;
                        else
                            nLight++;
                    }
                }
                bDrawn = nCovered == 64 && nDark > 0 && nLight > 0;
            }
        }
        nProbe = bDrawn ? 1 : 2;
        InterlockedExchange(&g_hatchProbe[nHatchStyle], nProbe);
    }
    return nProbe == 1;
}

void SetHatchStyleDrawn(int nHatchStyle, BOOL bDrawn)
{
    if (nHatchStyle >= HatchStyleMin && nHatchStyle <= HatchStyleMax)
        InterlockedExchange(&g_hatchProbe[nHatchStyle], bDrawn ? 1 : 2);
}

Status FillShapeOutline(Graphics* pGraphics, Brush* pBrush, const RectF& rc, int nShape,
                        const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    PointF corners[4];
    const int nCorners = GetShapeCorners(rc, nShape, corners);
    if (nShape == KIND_RECTANGLE)
        return pGraphics->FillRectangle(pBrush, rc);
    if (nShape == KIND_CIRCLE)
        return pGraphics->FillEllipse(pBrush, rc);
    if (nCorners > 0)
        return pGraphics->FillPolygon(pBrush, corners, nCorners, FillModeAlternate);
    if (nShape == KIND_CLOSEDCURVE)
        return pPoints == NULL || nCount < 1 ? InvalidParameter
                                             : pGraphics->FillPolygon(pBrush, pPoints, nCount, FillModeAlternate);
    if (IsPathShape(nShape))
        return pPath == NULL ? InvalidParameter : pGraphics->FillPath(pBrush, pPath);
    return Ok;
}

void FillElementShape(Graphics* pGraphics, float x, float y, float width, float height,
                      int nFillKind, DWORD clrFill, DWORD clrPattern, int nShape,
                      const PointF* pPoints, int nCount, GraphicsPath* pPath)
{
    if (pGraphics == NULL || nFillKind == 0)
        return;
    RectF rc(x, y, width, height);
    if (!(width > 0 && height > 0))
        rc = OutlineBounds(rc, nShape, pPoints, nCount, pPath);
    const int nHatchStyle = GetFillHatchStyle(nFillKind);
    if (nHatchStyle >= 0)
    {
        FillHatch(pGraphics, nHatchStyle, clrPattern, clrFill, rc, nShape, pPoints, nCount, pPath);
        return;
    }
    if (nFillKind >= 25 && nFillKind <= 42 && CGradientFillScope::GetDC() != NULL)
    {
        // in a paint that draws gradients itself, when pGraphics draws on its device
        HDC hDC = pGraphics->GetHDC();
        const bool bScope = hDC != NULL && hDC == CGradientFillScope::GetDC();
        if (hDC != NULL)
            pGraphics->ReleaseHDC(hDC);
        if (bScope && FillGradientDirect(pGraphics, hDC, rc, nFillKind, clrFill, clrPattern, nShape, pPoints,
                                         nCount, pPath))
            return;
    }
    Brush* pBrush = CreateFillBrush(nFillKind, rc, clrFill, clrPattern);
    if (pBrush == NULL)
        return;
    FillShapeOutline(pGraphics, pBrush, rc, nShape, pPoints, nCount, pPath);
    delete pBrush;
}

void FillTurnedShape(Graphics* pGraphics, const RectF& rc, int nFillKind, DWORD clrFill,
                     DWORD clrPattern, GraphicsPath* pPath, const Matrix* pTurn,
                     const PointF* pEllipse, int nEllipse)
{
    if (pGraphics == NULL || pPath == NULL || nFillKind == 0)
        return;
    const int nHatchStyle = GetFillHatchStyle(nFillKind);
    if (nHatchStyle >= 0)
    {
        // hatches keep to the device's pixels, turned or not
        FillHatch(pGraphics, nHatchStyle, clrPattern, clrFill, rc, KIND_RECTROUND, NULL, 0, pPath);
        return;
    }
    Brush* pBrush = NULL;
    if (nFillKind >= 37 && nFillKind <= 42)
    {
        // path gradients are made of turned points: their own transform is not followed
        // everywhere
        const RectF r = GradientRect(rc);
        const float right = r.X + r.Width, bottom = r.Y + r.Height;
        std::vector<PointF> outline;
        if (nFillKind == 37 && pEllipse != NULL && nEllipse >= 3)
            outline.assign(pEllipse, pEllipse + nEllipse);
        else if (nFillKind != 37)
            outline = { PointF(r.X, r.Y), PointF(right, r.Y), PointF(right, bottom), PointF(r.X, bottom) };
        if (outline.empty())
            return;
        PointF ptCentre(r.X + r.Width / 2, r.Y + r.Height / 2);
        switch (nFillKind)
        {
        case 38: ptCentre = PointF(r.X, r.Y); break;
        case 39: ptCentre = PointF(right, r.Y); break;
        case 40: ptCentre = PointF(right, bottom); break;
        case 41: ptCentre = PointF(r.X, bottom); break;
        }
        if (pTurn != NULL)
        {
            pTurn->TransformPoints(outline.data(), (INT)outline.size());
            pTurn->TransformPoints(&ptCentre, 1);
        }
        PathGradientBrush* pPathBrush = new PathGradientBrush(outline.data(), (INT)outline.size());
        if (pPathBrush->GetLastStatus() == Ok)
        {
            pPathBrush->SetCenterPoint(ptCentre);
            pPathBrush->SetCenterColor(Color(clrPattern));
            Color surround(clrFill);
            INT nColors = 1;
            pPathBrush->SetSurroundColors(&surround, &nColors);
        }
        pBrush = CheckedBrush(pPathBrush);
    }
    else
    {
        pBrush = CreateFillBrush(nFillKind, rc, clrFill, clrPattern);
        if (pBrush != NULL && pTurn != NULL && pBrush->GetType() == BrushTypeLinearGradient)
            static_cast<LinearGradientBrush*>(pBrush)->MultiplyTransform(pTurn, MatrixOrderAppend);
    }
    if (pBrush == NULL)
        return;
    pGraphics->FillPath(pBrush, pPath);
    delete pBrush;
}

Pen* CreateOutlinePen(DWORD clrLine, float fWidth, int nDashStyle)
{
    // A wider pen takes minutes and gigabytes to draw.
    if (!(fWidth <= MAX_FILE_LINE_WIDTH))
        fWidth = MAX_FILE_LINE_WIDTH;
    Pen* pPen = new Pen(Color(clrLine), fWidth);
    if (nDashStyle >= DashStyleSolid && nDashStyle <= DashStyleDashDotDot)
        pPen->SetDashStyle((DashStyle)nDashStyle);
    return pPen;
}
