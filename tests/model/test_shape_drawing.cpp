// test_shape_drawing.cpp - shapes, lines and curves drawn into 32-bit bitmaps: fill inside,
// background outside, outline on the edge, shadow offset, rotation, cell placement.

#include "drawing_test_support.h"

#include "Elements.h"

#include <memory>

using namespace Gdiplus;

namespace
{
const DWORD FILL_CLR = BLUE;
const DWORD LINE_CLR = BLACK;
const DWORD SHADOW_CLR = GREY;
const DWORD ANY_INK = 1;   // probe: anything but the background

struct Probe
{
    int x;
    int y;
    DWORD clr;
};

// Solid blue fill, black outline of width 3, grey shadow of length 10 (off).
template <class T>
std::unique_ptr<T> MakeShape(int left = 100, int top = 50, int right = 300, int bottom = 150)
{
    std::unique_ptr<T> p(new T(CPoint(left, top), CPoint(right, bottom)));
    p->m_nFillKind = 1;
    p->m_clrFill = FILL_CLR;
    p->m_clrLine = LINE_CLR;
    p->m_nLineWidth = 3;
    p->m_bTransparent = FALSE;
    p->m_bShadow = FALSE;
    p->m_nShadowLength = 10;
    p->m_clrShadow = SHADOW_CLR;
    return p;
}

void ExpectProbes(CCanvas& canvas, std::initializer_list<Probe> probes, const char* pszWhat)
{
    for (const Probe& probe : probes)
    {
        const DWORD actual = canvas.At(probe.x, probe.y);
        if (probe.clr == ANY_INK)
            EXPECT_NE(WHITE, actual) << pszWhat << " at " << probe.x << "," << probe.y;
        else
            EXPECT_EQ(probe.clr, actual) << pszWhat << " at " << probe.x << "," << probe.y;
    }
}

// Draws the element on a fresh 400 x 300 canvas and checks the probes.
void DrawAndProbe(CElement* p, std::initializer_list<Probe> probes, const char* pszWhat)
{
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p);
    ExpectProbes(canvas, probes, pszWhat);
}

bool IsIdentity(Graphics* pGraphics)
{
    Matrix m;
    pGraphics->GetTransform(&m);
    return m.IsIdentity() == TRUE;
}
}

/////////////////////////////////////////////////////////////////////////////
// The shape scheme, on the rectangle

TEST(ShapeDrawing, RectangleFillOutlineAndBackground)
{
    auto p = MakeShape<CRectangle>();
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 50, 20, WHITE }, { 310, 100, WHITE },
                            { 100, 100, LINE_CLR }, { 200, 50, LINE_CLR }, { 299, 149, LINE_CLR },
                            { 305, 155, WHITE } },
                 "rectangle");
}

TEST(ShapeDrawing, ShadowLiesRightAndDownUnderTheShape)
{
    auto p = MakeShape<CRectangle>();
    p->m_bShadow = TRUE;
    DrawAndProbe(p.get(), { { 305, 155, SHADOW_CLR }, { 305, 65, SHADOW_CLR }, { 305, 57, WHITE },
                            { 105, 155, WHITE }, { 115, 155, SHADOW_CLR }, { 200, 100, FILL_CLR } },
                 "shadow");

    p->m_nShadowLength = 20;
    DrawAndProbe(p.get(), { { 315, 165, SHADOW_CLR }, { 305, 68, WHITE }, { 305, 72, SHADOW_CLR } }, "longer shadow");
}

TEST(ShapeDrawing, TransparentOrUnfilledShapesShowOnlyTheOutline)
{
    auto p = MakeShape<CRectangle>();
    p->m_bShadow = TRUE;
    p->m_bTransparent = TRUE;
    DrawAndProbe(p.get(), { { 200, 100, WHITE }, { 305, 155, WHITE }, { 100, 100, LINE_CLR } },
                 "transparent");
    p->m_bTransparent = FALSE;
    p->m_nFillKind = 0;
    DrawAndProbe(p.get(), { { 200, 100, WHITE }, { 305, 155, WHITE }, { 100, 100, LINE_CLR } },
                 "fill kind 0");
}

TEST(ShapeDrawing, LineWidthZeroMeansNoOutline)
{
    auto p = MakeShape<CRectangle>();
    p->m_nLineWidth = 0;
    p->m_bShadow = TRUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(0, canvas.Count(LINE_CLR));
    EXPECT_EQ(200 * 100, canvas.Count(FILL_CLR));
    EXPECT_EQ(SHADOW_CLR, canvas.At(305, 155));
}

TEST(ShapeDrawing, DashedOutlineHasGaps)
{
    auto p = MakeShape<CRectangle>();
    p->m_nFillKind = 0;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    const int nSolid = canvas.Count(LINE_CLR);
    for (int nDash = 1; nDash <= 4; nDash++)
    {
        canvas.Clear();
        p->m_nDashStyle = nDash;
        DrawElement(canvas.G(), p.get());
        EXPECT_GT(canvas.Count(LINE_CLR), nSolid / 5) << "dash " << nDash;
        EXPECT_LT(canvas.Count(LINE_CLR), nSolid * 9 / 10) << "dash " << nDash;
    }
}

TEST(ShapeDrawing, Rotation90StandsTheRectangleAboutItsCentre)
{
    auto p = MakeShape<CRectangle>();
    p->m_nAngle = 90;
    p->m_bShadow = TRUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    // 200 x 100 about (200, 100) becomes 100 x 200: x 150..250, y 0..200.
    ExpectProbes(canvas, { { 200, 10, FILL_CLR }, { 200, 190, FILL_CLR }, { 120, 100, WHITE },
                           { 280, 100, WHITE } },
                 "rotated");
    // Right and down inside the turned frame is right and up on the page.
    ExpectProbes(canvas, { { 255, 100, SHADOW_CLR }, { 255, 195, WHITE }, { 200, 205, WHITE } },
                 "rotated shadow");
    const CRect ink = canvas.InkBounds();
    EXPECT_NEAR(148, ink.left, 2);
    EXPECT_NEAR(262, ink.right, 2);
    EXPECT_NEAR(202, ink.bottom, 2);
}

TEST(ShapeDrawing, FullTurnsDrawAsAngleZero)
{
    auto p = MakeShape<CRectangle>();
    CCanvas plain(400, 300), turned(400, 300);
    DrawElement(plain.G(), p.get());
    for (int nAngle : { 360, -360, 720 })
    {
        turned.Clear();
        p->m_nAngle = nAngle;
        DrawElement(turned.G(), p.get());
        EXPECT_EQ(plain.InkBounds(), turned.InkBounds()) << "angle " << nAngle;
        EXPECT_EQ(plain.Count(FILL_CLR), turned.Count(FILL_CLR)) << "angle " << nAngle;
    }
}

TEST(ShapeDrawing, CellPlacementMovesTheShape)
{
    auto p = MakeShape<CRectangle>(10, 20, 50, 40);
    p->m_nLineWidth = 0;
    CCanvas canvas(400, 300);
    // Offset 25 + (100 + 12) = 137 right, 50 + 2 * (60 + 10) = 190 down.
    DrawElementInCell(canvas.G(), p.get(), 2, 3, 0.25f, 0.5f, 0.1f, 0.125f, 100, 60);
    EXPECT_EQ(CRect(147, 210, 187, 230), canvas.InkBounds());
    EXPECT_EQ(40 * 20, canvas.Count(FILL_CLR));
    // Column 1, row 1 with zero margins draws it where it lies.
    canvas.Clear();
    DrawElementInCell(canvas.G(), p.get(), 1, 1, 0, 0, 0, 0, 500, 500);
    EXPECT_EQ(CRect(10, 20, 50, 40), canvas.InkBounds());
}

// The rotation is prepended: a zoom that the caller set still applies. Afterwards the
// world transform is the identity.
TEST(ShapeDrawing, CallerScaleAppliesAndTransformIsResetAfterEveryClass)
{
    CCanvas canvas(400, 300);
    auto p = MakeShape<CRectangle>(10, 10, 50, 30);
    p->m_nLineWidth = 0;
    p->m_nAngle = 90;
    canvas.G()->ScaleTransform(2, 2);
    DrawElement(canvas.G(), p.get());
    // Centre (30, 20) at zoom 2 is (60, 40); standing 40 high, 80 wide... turned: 40 x 80.
    EXPECT_EQ(CRect(40, 0, 80, 80), canvas.InkBounds());
    EXPECT_TRUE(IsIdentity(canvas.G()));

    std::vector<std::unique_ptr<CElement>> all;
    all.emplace_back(MakeShape<CRectangle>());
    all.emplace_back(MakeShape<CCircle>());
    all.emplace_back(MakeShape<CRhombus>());
    all.emplace_back(MakeShape<CTriangle>());
    all.emplace_back(MakeShape<CRectRound>());
    all.emplace_back(MakeShape<CCalloutBL>());
    all.emplace_back(MakeShape<CCalloutBR>());
    all.emplace_back(MakeShape<CShapeArrowL>());
    all.emplace_back(MakeShape<CShapeArrowR>());
    all.emplace_back(MakeShape<CShapeParallelo>());
    all.emplace_back(MakeShape<CShapeStar>());
    all.emplace_back(MakeShape<CShapeExplosion>());
    all.emplace_back(MakeShape<CShapeMoon>());
    all.emplace_back(MakeShape<CShapeSun>());
    all.emplace_back(MakeShape<CLine>());
    all.emplace_back(MakeShape<CFreehandLine>());
    all.emplace_back(MakeShape<CClosedCurve>());
    for (auto& pElement : all)
    {
        pElement->AddPoint(CPoint(100, 50));
        pElement->AddPoint(CPoint(300, 150));
        pElement->m_nAngle = 30;
        canvas.G()->ScaleTransform(0.5f, 0.5f);
        canvas.G()->TranslateTransform(7, 9);
        DrawElement(canvas.G(), pElement.get());
        EXPECT_TRUE(IsIdentity(canvas.G())) << pElement->GetRuntimeClass()->m_lpszClassName;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Basic shapes

TEST(ShapeDrawing, Ellipse)
{
    auto p = MakeShape<CCircle>();
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 105, 55, WHITE }, { 295, 145, WHITE },
                            { 100, 100, LINE_CLR }, { 200, 150, LINE_CLR } },
                 "ellipse");
    p->m_nAngle = 90;
    DrawAndProbe(p.get(), { { 200, 10, FILL_CLR }, { 120, 100, WHITE } }, "ellipse at 90");
    p->m_nAngle = 0;
    p->m_bShadow = TRUE;
    DrawAndProbe(p.get(), { { 295, 120, SHADOW_CLR }, { 303, 57, WHITE } }, "ellipse shadow");
}

TEST(ShapeDrawing, Diamond)
{
    auto p = MakeShape<CRhombus>();
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 130, 100, FILL_CLR }, { 120, 60, WHITE },
                            { 280, 140, WHITE }, { 200, 51, LINE_CLR } },
                 "diamond");
    p->m_nAngle = 90;
    DrawAndProbe(p.get(), { { 200, 10, FILL_CLR }, { 130, 100, WHITE } }, "diamond at 90");
    p->m_nAngle = 0;
    p->m_bShadow = TRUE;
    DrawAndProbe(p.get(), { { 210, 155, SHADOW_CLR }, { 120, 60, WHITE } }, "diamond shadow");
}

TEST(ShapeDrawing, Triangle)
{
    auto p = MakeShape<CTriangle>();
    DrawAndProbe(p.get(), { { 200, 120, FILL_CLR }, { 110, 145, FILL_CLR }, { 120, 60, WHITE },
                            { 280, 60, WHITE }, { 200, 150, LINE_CLR } },
                 "triangle");
    // Turned counter-clockwise: the apex points left, the base stands at x = 250.
    p->m_nAngle = 90;
    DrawAndProbe(p.get(), { { 240, 20, FILL_CLR }, { 160, 20, WHITE }, { 160, 100, FILL_CLR } },
                 "triangle at 90");
}

TEST(ShapeDrawing, RoundedRectangle)
{
    auto p = MakeShape<CRectRound>();
    // Corners are quarter ellipses of radius 50 x 25; the top edge is straight from 150 to 250.
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 110, 100, FILL_CLR }, { 104, 54, WHITE },
                            { 296, 146, WHITE }, { 200, 50, LINE_CLR }, { 152, 50, LINE_CLR },
                            { 100, 100, LINE_CLR } },
                 "rounded rectangle");
    p->m_nAngle = 90;
    DrawAndProbe(p.get(), { { 200, 10, FILL_CLR }, { 120, 100, WHITE } }, "rounded at 90");
}

/////////////////////////////////////////////////////////////////////////////
// Callouts and arrows

TEST(ShapeDrawing, CalloutTails)
{
    auto bl = MakeShape<CCalloutBL>();
    // Tail of the left callout: (200, 150), (100, 200), (150, 150).
    DrawAndProbe(bl.get(), { { 200, 100, FILL_CLR }, { 150, 162, FILL_CLR }, { 250, 170, WHITE },
                             { 104, 54, WHITE }, { 100, 199, LINE_CLR } },
                 "left callout");
    auto br = MakeShape<CCalloutBR>();
    DrawAndProbe(br.get(), { { 200, 100, FILL_CLR }, { 250, 162, FILL_CLR }, { 150, 170, WHITE },
                             { 300, 199, LINE_CLR } },
                 "right callout");
    // The shadow includes the tail.
    bl->m_bShadow = TRUE;
    DrawAndProbe(bl.get(), { { 150, 180, SHADOW_CLR } }, "callout shadow");
    // Without fill only the outline shows, tail included.
    bl->m_bTransparent = TRUE;
    DrawAndProbe(bl.get(), { { 150, 162, WHITE }, { 150, 180, WHITE }, { 100, 199, LINE_CLR } },
                 "transparent callout");
}

TEST(ShapeDrawing, Arrows)
{
    auto r = MakeShape<CShapeArrowR>();
    DrawAndProbe(r.get(), { { 120, 60, WHITE }, { 120, 100, FILL_CLR }, { 290, 100, FILL_CLR },
                            { 260, 54, WHITE }, { 260, 66, FILL_CLR }, { 200, 75, LINE_CLR } },
                 "right arrow");
    auto l = MakeShape<CShapeArrowL>();
    DrawAndProbe(l.get(), { { 280, 60, WHITE }, { 280, 100, FILL_CLR }, { 110, 100, FILL_CLR },
                            { 140, 54, WHITE }, { 140, 66, FILL_CLR } },
                 "left arrow");
}

TEST(ShapeDrawing, ArrowTurnedHalfWayPointsTheOtherWayWithItsShadowUpAndLeft)
{
    auto r = MakeShape<CShapeArrowR>();
    r->m_nAngle = 180;
    r->m_bShadow = TRUE;
    DrawAndProbe(r.get(), { { 140, 66, FILL_CLR }, { 260, 60, WHITE }, { 290, 100, FILL_CLR },
                            { 200, 70, SHADOW_CLR }, { 200, 130, WHITE } },
                 "right arrow at 180");
}

/////////////////////////////////////////////////////////////////////////////
// Decorative shapes

TEST(ShapeDrawing, Parallelogram)
{
    auto p = MakeShape<CShapeParallelo>();
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 280, 60, FILL_CLR }, { 120, 140, FILL_CLR },
                            { 105, 55, WHITE }, { 295, 145, WHITE } },
                 "parallelogram");
}

TEST(ShapeDrawing, StarPointsUpAndOverflowsItsRectangle)
{
    auto p = MakeShape<CShapeStar>();
    p->m_nLineWidth = 1;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    ExpectProbes(canvas, { { 200, 100, FILL_CLR }, { 200, 12, ANY_INK }, { 105, 55, WHITE },
                           { 200, 195, WHITE } },
                 "star");
    // Outer radius 100 about (200, 100): the top tip at y = 0.
    EXPECT_NEAR(0, canvas.InkBounds().top, 2);

    p->m_nAngle = 180;
    DrawAndProbe(p.get(), { { 200, 188, ANY_INK }, { 200, 12, WHITE } }, "star at 180");
}

TEST(ShapeDrawing, Burst)
{
    auto p = MakeShape<CShapeExplosion>();
    p->m_nLineWidth = 1;
    // Spike 0 reaches (300, 100); spike 17 is a valley at (200, 80).
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 294, 100, ANY_INK }, { 200, 86, FILL_CLR },
                            { 200, 72, WHITE }, { 105, 55, WHITE } },
                 "burst");
}

TEST(ShapeDrawing, CrescentFillsTheLeftHalfOnly)
{
    auto p = MakeShape<CShapeMoon>();
    // Outer edge at x = 100, inner edge at x = 140 at mid-height; nothing right of 200.
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    ExpectProbes(canvas, { { 120, 100, FILL_CLR }, { 160, 100, WHITE }, { 250, 100, WHITE },
                           { 100, 100, LINE_CLR } },
                 "moon");
    EXPECT_EQ(0, canvas.Ink(203, 0, 400, 300));
}

TEST(ShapeDrawing, SunRaysAndDisc)
{
    auto p = MakeShape<CShapeSun>();
    // a = 100, b = 50: rho = 79.06; the ray at 0 degrees runs from x = 294.9 to 326.5.
    DrawAndProbe(p.get(), { { 200, 100, FILL_CLR }, { 315, 100, LINE_CLR }, { 200, 210, LINE_CLR },
                            { 105, 55, WHITE }, { 335, 100, WHITE } },
                 "sun");
    p->m_bTransparent = TRUE;
    DrawAndProbe(p.get(), { { 200, 100, WHITE }, { 315, 100, LINE_CLR }, { 100, 100, LINE_CLR } },
                 "transparent sun");
    // With line width 0 the disc has no outline but the rays are hairlines.
    p->m_bTransparent = FALSE;
    p->m_nLineWidth = 0;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(0, canvas.Ink(310, 0, 400, 95));
    EXPECT_GT(canvas.Count(310, 95, 330, 105, LINE_CLR, 128), 0);
    EXPECT_EQ(FILL_CLR, canvas.At(200, 51));
    EXPECT_EQ(FILL_CLR, canvas.At(200, 149));
}

/////////////////////////////////////////////////////////////////////////////
// Lines and curves

TEST(LineDrawing, DirectionsFollowTheRectangle)
{
    auto p = MakeShape<CLine>();
    p->m_nLineDirection = 3;
    DrawAndProbe(p.get(), { { 200, 100, LINE_CLR }, { 150, 75, LINE_CLR }, { 150, 125, WHITE } },
                 "diagonal down");
    p->m_nLineDirection = 2;
    DrawAndProbe(p.get(), { { 150, 125, LINE_CLR }, { 150, 75, WHITE } }, "diagonal up");
    p->m_nLineDirection = 0;
    DrawAndProbe(p.get(), { { 200, 50, LINE_CLR }, { 200, 150, WHITE } }, "horizontal");
    p->m_nLineDirection = 1;
    DrawAndProbe(p.get(), { { 100, 100, LINE_CLR }, { 300, 100, WHITE } }, "vertical");
    p->m_nLineDirection = 7;
    DrawAndProbe(p.get(), { { 150, 75, LINE_CLR } }, "other direction");
}

TEST(LineDrawing, StraightLineIgnoresRotationShadowAndFill)
{
    auto p = MakeShape<CLine>();
    p->m_nAngle = 90;
    p->m_bShadow = TRUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(LINE_CLR, canvas.At(150, 75));
    EXPECT_EQ(0, canvas.Count(SHADOW_CLR));
    EXPECT_EQ(0, canvas.Count(FILL_CLR));
    // Width 0 still draws the thinnest line.
    canvas.Clear();
    p->m_nLineWidth = 0;
    DrawElement(canvas.G(), p.get());
    EXPECT_GT(canvas.Ink(), 150);
    EXPECT_LT(canvas.Ink(), 700);
}

TEST(LineDrawing, FreehandLineIsAnOpenPolylineWithoutFillOrShadow)
{
    auto p = MakeShape<CFreehandLine>();
    p->m_bShadow = TRUE;   // a freehand line never shows them
    p->AddPoint(CPoint(100, 60));
    p->AddPoint(CPoint(200, 140));
    p->AddPoint(CPoint(300, 60));
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    ExpectProbes(canvas, { { 150, 100, LINE_CLR }, { 250, 100, LINE_CLR }, { 200, 100, WHITE },
                           { 200, 62, WHITE } },
                 "freehand");
    EXPECT_EQ(0, canvas.Count(SHADOW_CLR));
    // Width 0 draws a hairline.
    canvas.Clear();
    p->m_nLineWidth = 0;
    DrawElement(canvas.G(), p.get());
    EXPECT_GT(canvas.Ink(), 100);
}

TEST(LineDrawing, VerticalFreehandStrokeInEveryCell)
{
    auto p = MakeShape<CFreehandLine>();
    for (int y = 60; y <= 140; y += 10)
        p->AddPoint(CPoint(20, y));
    CCanvas canvas(400, 300);
    for (int nColumn = 1; nColumn <= 3; nColumn++)
        DrawElementInCell(canvas.G(), p.get(), nColumn, 1, 0, 0, 0, 0, 100, 200);
    for (int nColumn = 0; nColumn < 3; nColumn++)
    {
        EXPECT_EQ(LINE_CLR, canvas.At(20 + 100 * nColumn, 100)) << "column " << nColumn + 1;
        EXPECT_EQ(WHITE, canvas.At(30 + 100 * nColumn, 100)) << "column " << nColumn + 1;
    }
}

TEST(LineDrawing, DrawingRefitsTheCurveRectangleToItsPoints)
{
    auto p = MakeShape<CFreehandLine>(0, 0, 10, 10);
    p->AddPoint(CPoint(250, 90));   // the first point is the rightmost
    p->AddPoint(CPoint(120, 60));
    p->AddPoint(CPoint(180, 140));
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(CRect(120, 60, 250, 140), p->m_rect);
}

TEST(LineDrawing, ClosedCurveFillsShadowsAndOutlines)
{
    auto p = MakeShape<CClosedCurve>();
    p->m_bShadow = TRUE;
    p->AddPoint(CPoint(100, 50));
    p->AddPoint(CPoint(300, 50));
    p->AddPoint(CPoint(300, 150));
    p->AddPoint(CPoint(100, 150));
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    // The outline is open: the closing edge (100,150)-(100,50) is not stroked.
    ExpectProbes(canvas, { { 200, 100, FILL_CLR }, { 305, 155, SHADOW_CLR }, { 300, 100, LINE_CLR },
                           { 200, 50, LINE_CLR }, { 99, 100, WHITE } },
                 "closed curve");

    // With line width 0 fill and shadow remain.
    canvas.Clear();
    p->m_nLineWidth = 0;
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(0, canvas.Count(LINE_CLR));
    EXPECT_EQ(FILL_CLR, canvas.At(200, 100));
    EXPECT_EQ(SHADOW_CLR, canvas.At(305, 155));
}

TEST(LineDrawing, ClosedCurveTurnsAboutItsDrawnRectangle)
{
    auto p = MakeShape<CClosedCurve>();
    p->m_nLineWidth = 0;
    p->m_nAngle = 90;
    p->AddPoint(CPoint(100, 50));
    p->AddPoint(CPoint(300, 50));
    p->AddPoint(CPoint(300, 150));
    p->AddPoint(CPoint(100, 150));
    DrawAndProbe(p.get(), { { 200, 10, FILL_CLR }, { 120, 100, WHITE } }, "curve at 90");
}

TEST(LineDrawing, CurvesWithoutPointsDrawNothing)
{
    auto f = MakeShape<CFreehandLine>();
    auto c = MakeShape<CClosedCurve>();
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), f.get());
    DrawElement(canvas.G(), c.get());
    EXPECT_EQ(0, canvas.Ink());
    EXPECT_TRUE(IsIdentity(canvas.G()));
}

TEST(ShapeDrawing, ZeroSizeShapesDrawWithoutComplaint)
{
    CCanvas canvas(400, 300);
    std::vector<std::unique_ptr<CElement>> all;
    all.emplace_back(MakeShape<CRectRound>(100, 100, 100, 200));
    all.emplace_back(MakeShape<CShapeMoon>(100, 100, 200, 100));
    all.emplace_back(MakeShape<CShapeSun>(100, 100, 100, 100));
    all.emplace_back(MakeShape<CCalloutBL>(100, 100, 100, 100));
    for (auto& p : all)
    {
        p->m_nFillKind = 37;
        p->m_bShadow = TRUE;
        DrawElement(canvas.G(), p.get());
        EXPECT_TRUE(IsIdentity(canvas.G()));
    }
}
