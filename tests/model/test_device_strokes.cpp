// test_device_strokes.cpp - outlines and solid fills that a screen paint draws straight on
// its device context set exactly the pixels the drawing library sets.

#include "drawing_test_support.h"

#include "DeviceStrokes.h"
#include "FillPainter.h"
#include "test_random.h"

#include <string.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace
{
const int kSize = 240;

// A memory device context on a bitmap like the screen's, as the design view paints on.
class CScreenCanvas
{
public:
    CScreenCanvas()
    {
        HDC hScreen = ::GetDC(NULL);
        m_hDC = ::CreateCompatibleDC(hScreen);
        m_hBitmap = ::CreateCompatibleBitmap(hScreen, kSize, kSize);
        ::ReleaseDC(NULL, hScreen);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CScreenCanvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC DC() const { return m_hDC; }

    // White, then the view's mapping: a zoom and the page's corner on the device, which
    // patterns start from.
    void Reset(double fZoom, int x, int y)
    {
        ::SetBrushOrgEx(m_hDC, x & 7, y & 7, NULL);
        ::SetMapMode(m_hDC, MM_TEXT);
        ::SetViewportOrgEx(m_hDC, 0, 0, NULL);
        ::PatBlt(m_hDC, 0, 0, kSize, kSize, WHITENESS);
        ::SetMapMode(m_hDC, MM_ANISOTROPIC);
        ::SetWindowExtEx(m_hDC, 1000, 1000, NULL);
        ::SetViewportExtEx(m_hDC, (int)(1000 * fZoom), (int)(1000 * fZoom), NULL);
        ::SetViewportOrgEx(m_hDC, x, y, NULL);
    }

    std::vector<DWORD> Pixels() const { return ReadSelectedPixels(m_hDC, kSize, kSize); }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

double Real(CTestRandom& random, double fFrom, double fTo)
{
    return fFrom + (fTo - fFrom) * random.Below(1000000) / 1e6;
}

// One random figure drawn by the functions under test: an outline or a fill of a rectangle,
// a polygon, an ellipse or a path of several figures with curves, or open lines.
struct CFigure
{
    int nKind;
    int nLines;     // points of the open lines
    int nHatch;     // the fill's hatch style; -1 for a plain colour
    bool bFill;
    RectF rc;
    std::vector<PointF> points;
    FillMode nFillMode;
    Color color;
    float fPenWidth;
    DashStyle nDash;
    float fAngle;
    bool bClip;

    void Draw(Graphics& g) const
    {
        if (fAngle != 0)
        {
            g.TranslateTransform(120, 120);
            g.RotateTransform(fAngle);
            g.TranslateTransform(-120, -120);
        }
        if (bClip)
            g.SetClip(RectF(rc.X, rc.Y, rc.Width / 2 + 1, rc.Height));
        SolidBrush solid(color);
        HatchBrush hatch((HatchStyle)std::max(nHatch, 0), color, Color(color.GetA(), 250, 240, 200));
        Brush& brush = nHatch >= 0 ? (Brush&)hatch : (Brush&)solid;
        Pen pen(color, fPenWidth);
        pen.SetDashStyle(nDash);
        // outlines are flattened before they are stroked, as the shapes do
        GraphicsPath ellipse(nFillMode), path(nFillMode);
        ellipse.AddEllipse(rc);
        path.AddEllipse(rc);
        path.AddBeziers(points.data(), 4);
        path.CloseFigure();
        path.AddPolygon(points.data(), (INT)points.size());
        path.StartFigure();
        path.AddLines(points.data(), 3);
        std::unique_ptr<GraphicsPath> pFlat(nKind == 2 ? ellipse.Clone() : path.Clone());
        pFlat->Flatten(NULL, 0.1f);
        switch (nKind)
        {
        case 0: bFill ? (void)FillRectangleArea(&g, &brush, rc) : DrawRectangleOutline(&g, &pen, rc); break;
        case 1:
            bFill ? (void)FillPolygonArea(&g, &brush, points.data(), (INT)points.size(), nFillMode)
                  : DrawPolygonOutline(&g, &pen, points.data(), (INT)points.size());
            break;
        case 2: bFill ? (void)FillEllipseArea(&g, &brush, rc) : DrawPathOutline(&g, &pen, *pFlat); break;
        case 3: bFill ? (void)FillPathArea(&g, &brush, path) : DrawPathOutline(&g, &pen, *pFlat); break;
        default: DrawLinesOutline(&g, &pen, points.data(), nLines); break;
        }
    }
};

CFigure RandomFigure(CTestRandom& random)
{
    CFigure f;
    f.nKind = (int)random.Below(5);
    f.bFill = random.Below(2) == 0;
    f.rc = RectF((float)Real(random, -20, 200), (float)Real(random, -20, 200), (float)Real(random, 0, 120),
                 (float)Real(random, 0, 120));
    const int nPoints = 4 + (int)random.Below(7);
    for (int i = 0; i < nPoints; i++)
        f.points.push_back(PointF((float)Real(random, -20, 260), (float)Real(random, -20, 260)));
    f.nLines = 2 + (int)random.Below((unsigned)nPoints - 1);
    f.nFillMode = random.Below(2) ? FillModeAlternate : FillModeWinding;
    f.nHatch = random.Below(3) ? -1 : (int)random.Below(HatchStyleMax + 1);
    // mostly what a design holds: opaque, solid, thin; now and then what must stay the library's
    f.color = Color(random.Below(8) ? 255 : 128, (BYTE)random.Below(256), (BYTE)random.Below(200), 90);
    f.fPenWidth = (float)Real(random, 0, random.Below(6) ? 1.6 : 6);
    f.nDash = random.Below(8) ? DashStyleSolid : DashStyleDash;
    f.fAngle = random.Below(2) ? 0.0f : (float)Real(random, 0, 360);
    f.bClip = random.Below(10) == 0;
    return f;
}
}

// Seed 4711: each figure drawn by the library alone and again in a screen paint's scope, at
// random zooms and page corners, turned or not. Every pixel is the same, and most figures
// were drawn on the device (the speed the view counts on).
TEST(DeviceStrokes, RandomFiguresSetTheLibrarysPixels)
{
    CScreenCanvas library, device;
    CTestRandom random(4711);
    const size_t nBefore = GetFiguresDrawnOnDevice();
    const int kFigures = 1500;
    for (int i = 0; i < kFigures; i++)
    {
        const CFigure figure = RandomFigure(random);
        const double fZoom = Real(random, 0.2, 3.2);
        const int x = (int)random.Below(60) - 30, y = (int)random.Below(60) - 30;
        library.Reset(fZoom, x, y);
        device.Reset(fZoom, x, y);
        {
            Graphics g(library.DC());
            figure.Draw(g);
        }
        {
            CGradientFillScope scope(device.DC());
            Graphics g(device.DC());
            figure.Draw(g);
        }
        const std::vector<DWORD> a = library.Pixels(), b = device.Pixels();
        ASSERT_TRUE(memcmp(a.data(), b.data(), a.size() * sizeof(DWORD)) == 0)
            << "figure " << i << " (kind " << figure.nKind << (figure.bFill ? ", fill" : ", outline")
            << ", zoom " << fZoom << ", angle " << figure.fAngle << ", width " << figure.fPenWidth << ")";
    }
    EXPECT_GT(GetFiguresDrawnOnDevice() - nBefore, (size_t)kFigures / 2);
}

// Outside a scope, on another device context, or on a 32-bit section (where the library keeps
// the alpha channel by drawing the pixels itself), the library draws.
TEST(DeviceStrokes, ElsewhereTheLibraryDraws)
{
    CScreenCanvas canvas, other;
    CDibCanvas section(kSize, kSize);
    canvas.Reset(1, 0, 0);
    const size_t nBefore = GetFiguresDrawnOnDevice();
    SolidBrush brush(Color(255, 10, 20, 30));
    const RectF rc(10, 10, 50, 40);
    {
        Graphics g(canvas.DC());
        EXPECT_EQ(Ok, FillRectangleArea(&g, &brush, rc));
    }
    {
        CGradientFillScope scope(other.DC());
        Graphics g(canvas.DC());
        EXPECT_EQ(Ok, FillRectangleArea(&g, &brush, rc));
    }
    {
        CGradientFillScope scope(section.DC()->m_hDC);
        Graphics g(section.DC()->m_hDC);
        EXPECT_EQ(Ok, FillRectangleArea(&g, &brush, rc));
    }
    EXPECT_EQ(nBefore, GetFiguresDrawnOnDevice());
    EXPECT_EQ(0xFF0A141Eu, section.At(30, 30));
}
