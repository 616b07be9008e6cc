// DeviceStrokes.cpp - outlines, plain fills and hatches of a screen paint drawn straight on
// its device context.

#include "DeviceStrokes.h"
#include "FillPainter.h"
#include "PictureLoad.h"

#include <math.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

using namespace Gdiplus;

namespace
{
typedef BOOL(WINAPI* GetTransformProc)(HDC, DWORD, XFORM*);
const DWORD kWorldToDevice = 0x204;
size_t g_nDrawnOnDevice = 0;
// Wider pens are left to the library (and its own limits).
const REAL kMaxDevicePen = 1000;
// The most hatch brushes kept for the next fills (one for each style and pair of colours).
const size_t kKeptHatches = 1024;

// A coordinate rounded to a whole pixel as the library rounds it (in single precision).
LONG LibraryRound(REAL x)
{
    return (LONG)floorf((float)(x + 0.5));
}

// The device context a figure of pGraphics can be drawn on here, with the library's mapping
// from world coordinates to its pixels; NULL where the library would not draw with plain GDI
// or its mapping cannot be read.
HDC PrepareDevice(Graphics* pGraphics, Matrix& mapping)
{
    static const GetTransformProc pGetTransform = reinterpret_cast<GetTransformProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "GetTransform")));
    if (pGetTransform == NULL || !CGradientFillScope::IsLibraryOnGdi())
        return NULL;
    HDC hDC = CGradientFillScope::GetDeviceOf(pGraphics);
    if (hDC == NULL || ::GetGraphicsMode(hDC) != GM_COMPATIBLE)
        return NULL;
    const Unit nUnit = pGraphics->GetPageUnit();
    if (nUnit != UnitDisplay && !(nUnit == UnitPixel && pGraphics->GetPageScale() == 1.0f))
        return NULL;
    Region clip;
    if (pGraphics->GetClip(&clip) != Ok || !clip.IsInfinite(pGraphics))
        return NULL;
    // the library's own order: the world transform, then the device context's mapping
    XFORM xf;
    if (!pGetTransform(hDC, kWorldToDevice, &xf) || pGraphics->GetTransform(&mapping) != Ok)
        return NULL;
    Matrix device(xf.eM11, xf.eM12, xf.eM21, xf.eM22, xf.eDx, xf.eDy);
    return mapping.Multiply(&device, MatrixOrderAppend) == Ok ? hDC : NULL;
}

// The points on the device's pixels, and the device context's types of them; false for a
// point type the device context has no counterpart of.
bool MapFigures(const Matrix& mapping, const PointF* pPoints, const BYTE* pTypes, int nCount,
                std::vector<POINT>& pixels, std::vector<BYTE>& types)
{
    std::vector<PointF> mapped(pPoints, pPoints + nCount);
    if (mapping.TransformPoints(mapped.data(), nCount) != Ok)
        return false;
    pixels.resize(nCount);
    types.resize(nCount);
    for (int i = 0; i < nCount; i++)
    {
        if (!isfinite(mapped[i].X) || !isfinite(mapped[i].Y) || fabsf(mapped[i].X) > 1e8f || fabsf(mapped[i].Y) > 1e8f)
            return false;
        pixels[i].x = LibraryRound(mapped[i].X);
        pixels[i].y = LibraryRound(mapped[i].Y);
        switch (pTypes[i] & PathPointTypePathTypeMask)
        {
        case PathPointTypeStart: types[i] = PT_MOVETO; break;
        case PathPointTypeLine: types[i] = PT_LINETO; break;
        case PathPointTypeBezier: types[i] = PT_BEZIERTO; break;
        default: return false;
        }
        if (pTypes[i] & PathPointTypeCloseSubpath)
            types[i] |= PT_CLOSEFIGURE;
    }
    return true;
}

// The device context in pixels for the span of a drawing, its state put back after.
class CPixelSpace
{
public:
    explicit CPixelSpace(HDC hDC)
        : m_hDC(hDC), m_nSaved(::SaveDC(hDC))
    {
        if (m_nSaved == 0)
            return;
        ::SetMapMode(hDC, MM_TEXT);
        ::SetViewportOrgEx(hDC, 0, 0, NULL);
        ::SetWindowOrgEx(hDC, 0, 0, NULL);
    }
    ~CPixelSpace()
    {
        if (m_nSaved != 0)
            ::RestoreDC(m_hDC, m_nSaved);
    }
    bool IsReady() const { return m_nSaved != 0; }

private:
    HDC m_hDC;
    int m_nSaved;
};

// The pattern the library fills an opaque hatch with, as a brush of the device context: taken
// from its own fill of an 8 x 8 square at the origin. NULL when it cannot be made.
HBRUSH SampleHatch(HatchBrush* pBrush)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 8, 8);
    ::ReleaseDC(NULL, hScreen);
    struct
    {
        BITMAPINFOHEADER header;
        DWORD pixels[64];
    } dib = {};
    dib.header = TopDownPixelsInfo(8, 8).bmiHeader;
    bool bRead = false;
    if (hDC != NULL && hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        {
            Graphics g(hDC);
            bRead = g.FillRectangle(pBrush, 0, 0, 8, 8) == Ok;
        }
        ::SelectObject(hDC, hOld);
        bRead = bRead && ::GetDIBits(hDC, hBitmap, 0, 8, dib.pixels, (BITMAPINFO*)&dib.header, DIB_RGB_COLORS) == 8;
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return bRead ? ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS) : NULL;
}

// The device context's brush of an opaque hatch, made once for each style and pair of colours
// and kept for the process; NULL where the library does not fill the hatch.
HBRUSH KeptHatch(HatchBrush* pBrush)
{
    Color fore, back;
    if (pBrush->GetForegroundColor(&fore) != Ok || pBrush->GetBackgroundColor(&back) != Ok || fore.GetA() != 255
        || back.GetA() != 255)
        return NULL;
    static std::map<std::tuple<int, ARGB, ARGB>, HBRUSH> kept;
    const auto key = std::make_tuple((int)pBrush->GetHatchStyle(), fore.GetValue(), back.GetValue());
    auto it = kept.find(key);
    if (it != kept.end())
        return it->second;
    // beyond the limit the library fills the hatches of new colours (a sample costs as much as
    // a hundred fills); a style the library cannot fill is kept as such too
    if (kept.size() >= kKeptHatches)
        return NULL;
    HBRUSH hBrush = SampleHatch(pBrush);
    kept[key] = hBrush;
    return hBrush;
}

// A brush of the device context that fills as the library's brush: an opaque solid colour
// (made here: bOwned), or an opaque hatch (kept). NULL for any other brush.
HBRUSH MakeDeviceBrush(Brush* pBrush, bool& bOwned)
{
    bOwned = false;
    Color color;
    if (pBrush == NULL)
        return NULL;
    if (pBrush->GetType() == BrushTypeHatchFill)
        return KeptHatch(static_cast<HatchBrush*>(pBrush));
    if (pBrush->GetType() != BrushTypeSolidColor || static_cast<SolidBrush*>(pBrush)->GetColor(&color) != Ok
        || color.GetA() != 255)
        return NULL;
    bOwned = true;
    return ::CreateSolidBrush(color.ToCOLORREF());
}

// Whether the library strokes with the pen as solid lines of an opaque colour with flat ends
// and mitred corners, and the width it gives the device's pen on this mapping: the pen's
// width through the mapping of a diagonal unit, as it works it out.
bool GetDevicePen(Pen* pPen, const Matrix& mapping, COLORREF& clr, int& nDeviceWidth)
{
    Color color;
    if (pPen == NULL || pPen->GetPenType() != PenTypeSolidColor || pPen->GetDashStyle() != DashStyleSolid
        || pPen->GetColor(&color) != Ok || color.GetA() != 255 || pPen->GetAlignment() != PenAlignmentCenter
        || pPen->GetStartCap() != LineCapFlat || pPen->GetEndCap() != LineCapFlat
        || pPen->GetLineJoin() != LineJoinMiter)
        return false;
    PointF diagonal[2] = { PointF(0, 0), PointF(1, 1) };
    if (mapping.TransformPoints(diagonal, 2) != Ok)
        return false;
    const double dx = (double)diagonal[1].X - diagonal[0].X, dy = (double)diagonal[1].Y - diagonal[0].Y;
    const REAL fWidth = (REAL)(pPen->GetWidth() * sqrt(dx * dx + dy * dy) / sqrt(2.0));
    if (!(fWidth >= 0 && fWidth <= kMaxDevicePen))
        return false;
    clr = color.ToCOLORREF();
    nDeviceWidth = (int)LibraryRound(fWidth);
    return true;
}

// The point counts of the figures of straight lines, each of two points or more; false for a
// curve or a figure of one point. bAllClosed tells whether every figure is closed.
bool CountLineFigures(const std::vector<BYTE>& types, std::vector<INT>& counts, bool& bAllClosed)
{
    bAllClosed = true;
    const int nCount = (int)types.size();
    for (int i = 0, nStart = 0; i < nCount; i++)
    {
        const bool bLast = i + 1 == nCount || types[i + 1] == PT_MOVETO;
        if ((types[i] & ~PT_CLOSEFIGURE) == PT_BEZIERTO || (i == nStart) != (types[i] == PT_MOVETO)
            || (bLast && i == nStart))
            return false;
        if (bLast)
        {
            bAllClosed = bAllClosed && (types[i] & PT_CLOSEFIGURE) != 0 && i - nStart + 1 >= 3;
            counts.push_back(i - nStart + 1);
            nStart = i + 1;
        }
    }
    return true;
}

// Strokes figures of straight lines on the device; false (nothing drawn) for curves or any
// other pen. Closed figures of a one-pixel pen take a cosmetic pen; any others the library's
// own geometric pen draws as it does, point by point without a path (so a figure's first
// corner gets two flat ends, not a join; and the ends of a cosmetic line would differ).
bool StrokeOnDevice(Graphics* pGraphics, Pen* pPen, const PointF* pPoints, const BYTE* pTypes, int nCount)
{
    Matrix mapping;
    COLORREF clr;
    int nWidth = 1;
    HDC hDC = nCount >= 2 ? PrepareDevice(pGraphics, mapping) : NULL;
    if (hDC == NULL || !GetDevicePen(pPen, mapping, clr, nWidth))
        return false;
    std::vector<POINT> pixels;
    std::vector<BYTE> types;
    std::vector<INT> counts;
    bool bAllClosed = true;
    if (!MapFigures(mapping, pPoints, pTypes, nCount, pixels, types) || !CountLineFigures(types, counts, bAllClosed))
        return false;
    const bool bCosmetic = bAllClosed && nWidth <= 1;
    CPixelSpace space(hDC);
    const LOGBRUSH brush = { BS_SOLID, clr, 0 };
    HPEN hPen = !space.IsReady() ? NULL
                : bCosmetic      ? ::CreatePen(PS_SOLID, 0, clr)
                                 : ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, nWidth,
                                                  &brush, 0, NULL);
    if (hPen == NULL)
        return false;
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    if (bCosmetic)
        ::PolyPolygon(hDC, pixels.data(), counts.data(), (int)counts.size());
    else
        ::PolyDraw(hDC, pixels.data(), types.data(), nCount);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
    g_nDrawnOnDevice++;
    return true;
}

// Fills figures with an opaque solid or hatch brush on the device, through a path of the
// device context as the library does; false (nothing drawn) for any other brush.
bool FillOnDevice(Graphics* pGraphics, Brush* pBrush, const PointF* pPoints, const BYTE* pTypes, int nCount,
                  FillMode nFillMode)
{
    Matrix mapping;
    HDC hDC = nCount >= 1 ? PrepareDevice(pGraphics, mapping) : NULL;
    std::vector<POINT> pixels;
    std::vector<BYTE> types;
    if (hDC == NULL || !MapFigures(mapping, pPoints, pTypes, nCount, pixels, types))
        return false;
    bool bOwned = false;
    HBRUSH hBrush = MakeDeviceBrush(pBrush, bOwned);
    if (hBrush == NULL)
        return false;
    bool bDrawn = false;
    {
        CPixelSpace space(hDC);
        if (space.IsReady())
        {
            ::SetPolyFillMode(hDC, nFillMode == FillModeAlternate ? ALTERNATE : WINDING);
            HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
            ::BeginPath(hDC);
            ::PolyDraw(hDC, pixels.data(), types.data(), nCount);
            ::EndPath(hDC);
            ::FillPath(hDC);
            ::SelectObject(hDC, hOldBrush);
            g_nDrawnOnDevice++;
            bDrawn = true;
        }
    }
    if (bOwned)
        ::DeleteObject(hBrush);
    return bDrawn;
}

// The types of a closed polygon's points.
std::vector<BYTE> PolygonTypes(int nCount)
{
    std::vector<BYTE> types(nCount, (BYTE)PathPointTypeLine);
    if (nCount > 0)
    {
        types[0] = PathPointTypeStart;
        types[nCount - 1] |= PathPointTypeCloseSubpath;
    }
    return types;
}

// The corners of a rectangle as the library's rectangle figure holds them.
void RectangleCorners(const RectF& rc, PointF corners[4])
{
    corners[0] = PointF(rc.X, rc.Y);
    corners[1] = PointF(rc.X + rc.Width, rc.Y);
    corners[2] = PointF(rc.X + rc.Width, rc.Y + rc.Height);
    corners[3] = PointF(rc.X, rc.Y + rc.Height);
}
}

void DrawPolygonOutline(Graphics* pGraphics, Pen* pPen, const PointF* pPoints, int nCount)
{
    if (nCount < 3 || !StrokeOnDevice(pGraphics, pPen, pPoints, PolygonTypes(nCount).data(), nCount))
        pGraphics->DrawPolygon(pPen, pPoints, nCount);
}

void DrawLinesOutline(Graphics* pGraphics, Pen* pPen, const PointF* pPoints, int nCount)
{
    std::vector<BYTE> types(std::max(nCount, 0), (BYTE)PathPointTypeLine);
    if (nCount > 0)
        types[0] = PathPointTypeStart;
    if (nCount < 2 || !StrokeOnDevice(pGraphics, pPen, pPoints, types.data(), nCount))
        pGraphics->DrawLines(pPen, pPoints, nCount);
}

void DrawRectangleOutline(Graphics* pGraphics, Pen* pPen, const RectF& rc)
{
    PointF corners[4];
    RectangleCorners(rc, corners);
    if (!StrokeOnDevice(pGraphics, pPen, corners, PolygonTypes(4).data(), 4))
        pGraphics->DrawRectangle(pPen, rc);
}

void DrawPathOutline(Graphics* pGraphics, Pen* pPen, const GraphicsPath& path)
{
    PathData data;
    if (path.GetPathData(&data) != Ok || !StrokeOnDevice(pGraphics, pPen, data.Points, data.Types, data.Count))
        pGraphics->DrawPath(pPen, &path);
}

Status FillRectangleArea(Graphics* pGraphics, Brush* pBrush, const RectF& rc)
{
    PointF corners[4];
    RectangleCorners(rc, corners);
    if (rc.Width > 0 && rc.Height > 0
        && FillOnDevice(pGraphics, pBrush, corners, PolygonTypes(4).data(), 4, FillModeAlternate))
        return Ok;
    return pGraphics->FillRectangle(pBrush, rc);
}

Status FillEllipseArea(Graphics* pGraphics, Brush* pBrush, const RectF& rc)
{
    GraphicsPath path;
    return rc.Width > 0 && rc.Height > 0 && path.AddEllipse(rc) == Ok ? FillPathArea(pGraphics, pBrush, path)
                                                                       : pGraphics->FillEllipse(pBrush, rc);
}

Status FillPolygonArea(Graphics* pGraphics, Brush* pBrush, const PointF* pPoints, int nCount, FillMode nFillMode)
{
    if (nCount >= 3 && FillOnDevice(pGraphics, pBrush, pPoints, PolygonTypes(nCount).data(), nCount, nFillMode))
        return Ok;
    return pGraphics->FillPolygon(pBrush, pPoints, nCount, nFillMode);
}

Status FillPathArea(Graphics* pGraphics, Brush* pBrush, const GraphicsPath& path)
{
    PathData data;
    if (path.GetPathData(&data) == Ok
        && FillOnDevice(pGraphics, pBrush, data.Points, data.Types, data.Count, path.GetFillMode()))
        return Ok;
    return pGraphics->FillPath(pBrush, &path);
}

size_t GetFiguresDrawnOnDevice()
{
    return g_nDrawnOnDevice;
}
