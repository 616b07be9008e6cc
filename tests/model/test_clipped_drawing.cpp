// test_clipped_drawing.cpp - elements too large on the device for the drawing library:
// the clipping geometry, the clipped drawing against the library's own on a small
// device, and the largest design at 1200 dpi with its visible parts in place.

#include "drawing_test_support.h"
#include "resource_watch.h"

#include "ClippedDraw.h"
#include "ElementDraw.h"
#include "ElementStream.h"
#include "Elements.h"
#include "ShapeOutlines.h"

#include <math.h>

#include <functional>
#include <memory>

using namespace Gdiplus;

namespace
{
double RingArea(const CDRing& ring)
{
    double a = 0;
    for (size_t i = 0; i < ring.size(); i++)
    {
        const CDPoint& p = ring[i];
        const CDPoint& q = ring[(i + 1) % ring.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return fabs(a) / 2;
}

bool Near(const CDPoint& p, double x, double y)
{
    return fabs(p.x - x) < 1e-9 && fabs(p.y - y) < 1e-9;
}
}

TEST(ClippedGeometry, PolygonsAreCutToTheBox)
{
    // a square over the box's corner keeps its quarter; a concave star inside stays whole
    const CDRing square = { { -10, -10 }, { 10, -10 }, { 10, 10 }, { -10, 10 } };
    CDRing cut = ClipRingToBox(square, 0, 0, 100, 100);
    EXPECT_DOUBLE_EQ(100.0, RingArea(cut));
    for (const CDPoint& p : cut)
        EXPECT_TRUE(p.x >= 0 && p.x <= 10 && p.y >= 0 && p.y <= 10);
    EXPECT_TRUE(ClipRingToBox(square, 20, 20, 100, 100).empty());

    CDRing star;
    for (int i = 0; i < 10; i++)
    {
        const double t = i * 3.14159265358979 / 5, r = i % 2 ? 20 : 45;
        star.push_back(CDPoint{ 50 + r * cos(t), 50 + r * sin(t) });
    }
    cut = ClipRingToBox(star, 0, 0, 100, 100);
    ASSERT_EQ(star.size(), cut.size());
    EXPECT_NEAR(RingArea(star), RingArea(cut), 1e-9);
    // the star is symmetric about its horizontal axis: below it lies half its area
    cut = ClipRingToBox(star, 0, 50, 100, 100);
    EXPECT_NEAR(RingArea(star) / 2, RingArea(cut), 1e-6);
}

TEST(ClippedGeometry, LinesAreCutIntoTheRunsWithinTheBoxWithTheLengthBeforeThem)
{
    // in at the left, out at the bottom, back in from the bottom, out at the right
    const CDRing line = { { -10, 50 }, { 50, 50 }, { 50, 150 }, { 60, 150 }, { 60, 50 }, { 150, 50 } };
    std::vector<CDRun> runs = CutPolylineToBox(line, false, 0, 0, 100, 100);
    ASSERT_EQ(2u, runs.size());
    ASSERT_EQ(3u, runs[0].points.size());
    EXPECT_TRUE(Near(runs[0].points[0], 0, 50));
    EXPECT_TRUE(Near(runs[0].points[1], 50, 50));
    EXPECT_TRUE(Near(runs[0].points[2], 50, 100));
    EXPECT_DOUBLE_EQ(10.0, runs[0].fStartLength);
    ASSERT_EQ(3u, runs[1].points.size());
    EXPECT_TRUE(Near(runs[1].points[0], 60, 100));
    EXPECT_TRUE(Near(runs[1].points[2], 100, 50));
    EXPECT_DOUBLE_EQ(60.0 + 100 + 10 + 50, runs[1].fStartLength);

    // a closed outline over the box's corner is one run, not two joined at its start
    const CDRing square = { { -10, -10 }, { 10, -10 }, { 10, 10 }, { -10, 10 } };
    runs = CutPolylineToBox(square, true, 0, 0, 100, 100);
    ASSERT_EQ(1u, runs.size());
    ASSERT_EQ(3u, runs[0].points.size());
    EXPECT_TRUE(Near(runs[0].points[0], 10, 0));
    EXPECT_TRUE(Near(runs[0].points[1], 10, 10));
    EXPECT_TRUE(Near(runs[0].points[2], 0, 10));
    EXPECT_DOUBLE_EQ(30.0, runs[0].fStartLength);
    EXPECT_TRUE(CutPolylineToBox(square, true, 20, 20, 100, 100).empty());
}

TEST(ClippedGeometry, CurvesAreFlattenedWithinTheTolerance)
{
    // a curve 200000 units across, flattened to a tenth of a unit
    const CDPoint p0 = { -100000, 0 }, p1 = { -60000, -90000 }, p2 = { 80000, 70000 }, p3 = { 100000, -5000 };
    GraphicsPath path;
    path.AddBezier(PointF((REAL)p0.x, (REAL)p0.y), PointF((REAL)p1.x, (REAL)p1.y),
                   PointF((REAL)p2.x, (REAL)p2.y), PointF((REAL)p3.x, (REAL)p3.y));
    const std::vector<CDFigure> figures = FlattenPathFigures(path, 0.1);
    ASSERT_EQ(1u, figures.size());
    EXPECT_FALSE(figures[0].bClosed);
    const CDRing& ring = figures[0].points;
    ASSERT_GT(ring.size(), 100u);
    EXPECT_LT(ring.size(), 5000u);
    EXPECT_TRUE(Near(ring.front(), p0.x, p0.y));
    EXPECT_TRUE(Near(ring.back(), p3.x, p3.y));
    // the points are at equal steps of the curve's parameter: between two of them the
    // curve stays within the tolerance of their chord
    const size_t n = ring.size() - 1;
    double fWorst = 0;
    for (size_t i = 0; i < n; i++)
    {
        for (int k = 1; k < 4; k++)
        {
            const double t = (i + k / 4.0) / n, u = 1 - t;
            const double x = u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x;
            const double y = u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y;
            const CDPoint& a = ring[i];
            const CDPoint& b = ring[i + 1];
            const double d = fabs((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x)) / hypot(b.x - a.x, b.y - a.y);
            fWorst = fmax(fWorst, d);
        }
    }
    EXPECT_LT(fWorst, 0.1);
    EXPECT_GT(fWorst, 0.01);       // not flattened far finer than asked
}

/////////////////////////////////////////////////////////////////////////////
// The clipped drawing gives the library's own pixels

namespace
{
typedef std::function<void(Graphics*, bool)> DrawWay;

// The canvas's pixels, read once.
std::vector<DWORD> Pixels(CCanvas& canvas)
{
    std::vector<DWORD> pixels;
    canvas.G()->Flush(FlushIntentionSync);
    Rect rc(0, 0, canvas.Width(), canvas.Height());
    BitmapData data;
    if (canvas.Bitmap()->LockBits(&rc, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
        return pixels;
    for (int y = 0; y < canvas.Height(); y++)
    {
        const DWORD* pRow = (const DWORD*)((const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride);
        pixels.insert(pixels.end(), pRow, pRow + canvas.Width());
    }
    canvas.Bitmap()->UnlockBits(&data);
    return pixels;
}

// Pixels of two canvases that differ by more than a blend of an edge.
int FarPixels(CCanvas& a, CCanvas& b)
{
    const std::vector<DWORD> pa = Pixels(a), pb = Pixels(b);
    if (pa.size() != pb.size() || pa.empty())
        return -1;
    int n = 0;
    for (size_t i = 0; i < pa.size(); i++)
        if (ColorDistance(pa[i], pb[i]) > 60)
            n++;
    return n;
}

template <class T>
T* Styled(T* p, int nFillKind, int nAngle)
{
    p->m_nFillKind = nFillKind;
    p->m_clrFill = 0xFF2060E0;
    p->m_clrPattern = 0xFFF0C020;
    p->m_clrLine = 0xFF101010;
    p->m_nLineWidth = 5;
    p->m_nDashStyle = 0;      // (the dashes of a cut outline start anew)
    p->m_nAngle = nAngle;
    p->m_bShadow = TRUE;
    p->m_nShadowLength = 12;
    p->m_clrShadow = 0xFF909090;
    return p;
}
}

TEST(ClippedDrawing, EveryKindGivesTheLibrarysPixelsAndIsCutAtTheEdges)
{
    // Each shape reaches over the edges of a 300 x 200 device: drawn whole by the library
    // and drawn clipped, the two agree but for a few edge and join pixels.
    const std::shared_ptr<Bitmap> picture =
        MakePicture(16, 16, [](int x, int y) -> DWORD { return (x / 4 + y / 4) % 2 ? RED : 0xFF00A000; });
    std::vector<std::pair<const char*, std::unique_ptr<CElement>>> shapes;
    auto add = [&](const char* pszName, CElement* p) { shapes.emplace_back(pszName, std::unique_ptr<CElement>(p)); };
    const CPoint a(-40, -30), b(260, 230);
    add("rectangle, solid", Styled(new CRectangle(a, b), 1, 20));
    add("ellipse, path gradient", Styled(new CCircle(a, b), 37, 30));
    add("ellipse, hatch", Styled(new CCircle(a, b), 11, 0));
    add("rhombus, linear gradient", Styled(new CRhombus(a, b), 31, 15));
    add("triangle, rectangle gradient", Styled(new CTriangle(a, b), 40, 200));
    add("rounded rectangle", Styled(new CRectRound(a, b), 1, 10));
    add("callout", Styled(new CCalloutBL(CPoint(-20, -20), CPoint(250, 150)), 28, 0));
    add("arrow", Styled(new CShapeArrowR(a, b), 1, 45));
    add("parallelogram", Styled(new CShapeParallelo(a, b), 34, 0));
    add("star", Styled(new CShapeStar(a, b), 1, 30));
    add("burst", Styled(new CShapeExplosion(a, b), 1, 0));
    add("moon", Styled(new CShapeMoon(a, b), 1, 60));
    add("sun", Styled(new CShapeSun(CPoint(60, 40), CPoint(240, 160)), 33, 10));
    add("line", Styled(new CLine(CPoint(-50, -20), CPoint(350, 250)), 0, 0));
    CClosedCurve* pCurve = Styled(new CClosedCurve(a, b), 1, 25);
    CFreehandLine* pFreehand = Styled(new CFreehandLine(a, b), 0, 25);
    for (int i = 0; i < 12; i++)
    {
        const CPoint pt(-60 + i * 35, (i * i * 37) % 280 - 50);
        pCurve->AddPoint(pt);
        pFreehand->AddPoint(pt);
    }
    add("closed curve", pCurve);
    add("freehand line", pFreehand);
    CBtImage* pClipArt = Styled(new CBtImage(a, CPoint(0, 0), picture, 300, 260), 0, 15);
    pClipArt->m_rect = CRect(a, b);
    add("clip art", pClipArt);
    CBkgImage* pBackground = new CBkgImage(picture, 400, 300);
    pBackground->m_rect = CRect(0, 0, 400, 300);
    add("background", pBackground);

    for (auto& shape : shapes)
    {
        SCOPED_TRACE(shape.first);
        CElement* p = shape.second.get();
        CCanvas whole(300, 200), clipped(300, 200);
        const CRect rect = p->m_rect;
        for (int nWay = 0; nWay < 2; nWay++)
        {
            Graphics* g = nWay == 0 ? whole.G() : clipped.G();
            const bool bClipped = nWay == 1;
            p->m_rect = rect;
            switch (p->m_nKind)
            {
            case KIND_RECTANGLE: DrawRectangleElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_CIRCLE: DrawCircleElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_RHOMBUS: DrawRhombusElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_TRIANGLE: DrawTriangleElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_RECTROUND: DrawRectRoundElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_CALLOUT_BL: DrawCalloutElement(g, p, CPoint(0, 0), true, bClipped); break;
            case KIND_ARROW_RIGHT: DrawArrowElement(g, p, CPoint(0, 0), false, bClipped); break;
            case KIND_PARALLELOGRAM: DrawParalleloElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_STAR: DrawStarElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_BURST: DrawBurstElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_MOON: DrawMoonElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_SUN: DrawSunElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_LINE: DrawLineElement(g, p, CPoint(0, 0), bClipped); break;
            case KIND_CLOSEDCURVE: DrawClosedCurveElement(g, pCurve, CPoint(0, 0), bClipped); break;
            case KIND_FREEHAND: DrawFreehandElement(g, pFreehand, CPoint(0, 0), bClipped); break;
            case KIND_CLIPART: DrawClipArtElement(g, static_cast<CBtImage*>(p), CPoint(0, 0), bClipped); break;
            case KIND_BACKGROUND: DrawBackgroundElement(g, static_cast<CBkgImage*>(p), CPoint(0, 0), bClipped); break;
            default: FAIL() << "kind " << p->m_nKind;
            }
            Matrix m;
            g->GetTransform(&m);
            EXPECT_TRUE(m.IsIdentity());
        }
        const int nInk = whole.Ink();
        EXPECT_GT(nInk, 1000);
        // sharp joins (the crescent's horns) follow the flattening's last points
        const int nFar = FarPixels(whole, clipped);
        EXPECT_GE(nFar, 0);
        EXPECT_LE(nFar, 150 + nInk / 25) << "ink " << nInk;
    }
}

/////////////////////////////////////////////////////////////////////////////
// The largest design at 1200 dpi

namespace
{
const float kDotsPerUnit = 12.0f;       // 1200 dpi in hundredths of an inch
const int kWindow = 600;                // device pixels of a window: 50 units

// A window of 600 x 600 device pixels onto the page at 1200 dpi, its top left corner at
// (x, y) in page units.
struct CPageWindow
{
    CPageWindow(float x, float y) : canvas(kWindow, kWindow), fX(x), fY(y)
    {
        canvas.G()->SetPageUnit(UnitPixel);
        canvas.G()->SetPageScale(kDotsPerUnit);
        canvas.G()->TranslateTransform(-x, -y);
    }
    // Pixel of the page point (x, y).
    DWORD At(double x, double y)
    {
        return canvas.At((int)floor((x - fX) * kDotsPerUnit), (int)floor((y - fY) * kDotsPerUnit));
    }
    void Draw(CElement* p, CPoint ptMargins)
    {
        DrawElementInCell(canvas.G(), p, 1, 1, ptMargins.x / 100.0f, ptMargins.y / 100.0f, 0, 0, 2500, 2500);
        canvas.G()->ResetTransform();
        canvas.G()->TranslateTransform(-fX, -fY);
    }
    CCanvas canvas;
    float fX, fY;
};

template <class T>
T* Filled(T* p, DWORD clrFill, DWORD clrLine, int nLineWidth)
{
    p->m_nFillKind = clrFill != 0 ? 1 : 0;
    p->m_clrFill = clrFill;
    p->m_clrLine = clrLine;
    p->m_nLineWidth = nLineWidth;
    p->m_nDashStyle = 0;
    p->m_bShadow = FALSE;
    return p;
}
}

TEST(ClippedDrawing, TheLargestDesignAtTwelveHundredDpiKeepsTheVisiblePartsOfItsElements)
{
    // 2500 x 2500 units are 30000 pixels a side; each element is drawn into windows of a
    // page where its parts are known, straight and in a cell with print margins.
    for (const CPoint margins : { CPoint(0, 0), CPoint(25, 30) })
    {
        SCOPED_TRACE(testing::Message() << "margins " << margins.x << "," << margins.y);
        const double mx = margins.x, my = margins.y;
        CResourceWatch watch;

        // rectangle over the whole design: the fill at its bottom right, the outline on its
        // right edge, the page beyond
        {
            std::unique_ptr<CRectangle> p(Filled(new CRectangle(CPoint(0, 0), CPoint(2500, 2500)), GREEN, BLUE, 4));
            CPageWindow w((float)(2460 + mx), (float)(2460 + my));
            w.Draw(p.get(), margins);
            EXPECT_EQ(GREEN, w.At(2480 + mx, 2480 + my));
            EXPECT_EQ(BLUE, w.At(2499 + mx, 2480 + my));
            EXPECT_EQ(BLUE, w.At(2480 + mx, 2499 + my));
            // the cell's edge cuts the outline's outer half: nothing reaches the next label
            EXPECT_EQ(WHITE, w.At(2480 + mx, 2501 + my));
            EXPECT_EQ(WHITE, w.At(2505 + mx, 2480 + my));
        }
        // ellipse: its outline where it meets the right and the bottom edge, filled inside
        {
            std::unique_ptr<CCircle> p(Filled(new CCircle(CPoint(0, 0), CPoint(2500, 2500)), RED, BLUE, 4));
            CPageWindow right((float)(2460 + mx), (float)(1225 + my));
            right.Draw(p.get(), margins);
            EXPECT_EQ(BLUE, right.At(2499.5 + mx, 1250 + my));
            EXPECT_EQ(RED, right.At(2480 + mx, 1250 + my));
            EXPECT_EQ(WHITE, right.At(2505 + mx, 1250 + my));
            CPageWindow bottom((float)(1225 + mx), (float)(2460 + my));
            bottom.Draw(p.get(), margins);
            EXPECT_EQ(BLUE, bottom.At(1250 + mx, 2499.5 + my));
            EXPECT_EQ(RED, bottom.At(1250 + mx, 2480 + my));
            EXPECT_EQ(WHITE, bottom.At(1250 + mx, 2505 + my));
        }
        // star, turned: just inside and just beyond one of its points
        {
            std::unique_ptr<CShapeStar> p(Filled(new CShapeStar(CPoint(0, 0), CPoint(2500, 2500)), RED, 0, 0));
            p->m_nAngle = 20;
            PointF pts[10];
            const RectF r(0, 0, 2500, 2500);
            GetStarPoints(r, pts);
            RotatePointsOnPage(pts, 10, PointF(1250, 1250), (float)(p->m_nAngle + STAR_EXTRA_ANGLE));
            for (int i = 0; i < 10; i += 2)
            {
                SCOPED_TRACE(testing::Message() << "point " << i);
                const double tx = pts[i].X, ty = pts[i].Y;
                const double dx = (1250 - tx) / 1250, dy = (1250 - ty) / 1250;
                CPageWindow w((float)(tx - 25 + mx), (float)(ty - 25 + my));
                w.Draw(p.get(), margins);
                EXPECT_EQ(RED, w.At(tx + 15 * dx + mx, ty + 15 * dy + my));
                EXPECT_EQ(WHITE, w.At(tx - 5 * dx + mx, ty - 5 * dy + my));
                EXPECT_EQ(WHITE, w.At(tx + 15 * dy + mx, ty - 15 * dx + my));    // beside the point
            }
        }
        // line across the design
        {
            std::unique_ptr<CLine> p(Filled(new CLine(CPoint(0, 0), CPoint(2500, 2500)), 0, BLACK, 3));
            p->m_nLineDirection = 3;
            CPageWindow w((float)(1975 + mx), (float)(1975 + my));
            w.Draw(p.get(), margins);
            EXPECT_EQ(BLACK, w.At(2000 + mx, 2000 + my));
            EXPECT_EQ(BLACK, w.At(2020 + mx, 2020 + my));
            EXPECT_EQ(WHITE, w.At(2010 + mx, 1995 + my));
        }
        // text in the bottom right corner of a design-sized box
        {
            std::unique_ptr<CText> p(new CText(CPoint(0, 0), CPoint(2490, 2490)));
            p->m_strText = "Corner";
            p->m_nHAlign = 2;
            p->m_nVAlign = 2;
            p->m_clrText = BLACK;
            CPageWindow w((float)(2440 + mx), (float)(2440 + my));
            w.Draw(p.get(), margins);
            const CRect ink = w.canvas.InkBounds();
            EXPECT_GT(w.canvas.Ink(), 100);
            EXPECT_LE(ink.right, (int)(50 * kDotsPerUnit));     // ends left of x = 2490
            EXPECT_LE(ink.bottom, (int)(50 * kDotsPerUnit));
        }
        watch.Stop();
        EXPECT_LT(watch.ElapsedMs(), 4000u);
    }
}

TEST(ClippedDrawing, TheWidestPenOnTheLargestDesignDrawsQuickly)
{
    std::unique_ptr<CCircle> p(Filled(new CCircle(CPoint(0, 0), CPoint(2500, 2500)), 0, BLUE, MAX_FILE_LINE_WIDTH));
    std::unique_ptr<CShapeSun> pSun(Filled(new CShapeSun(CPoint(0, 0), CPoint(2500, 2500)), 0, BLUE, MAX_FILE_LINE_WIDTH));
    CResourceWatch watch;
    CPageWindow w(1225, 2300);
    w.Draw(p.get(), CPoint(0, 0));
    w.Draw(pSun.get(), CPoint(0, 0));
    watch.Stop();
    EXPECT_LT(watch.ElapsedMs(), 1000u);
    EXPECT_LT(watch.PeakGrowthMB(), 300u);
    EXPECT_EQ(BLUE, w.At(1250, 2320));      // within the pen around the bottom of the circle
}
