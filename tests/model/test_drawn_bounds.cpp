// test_drawn_bounds.cpp - every element draws only within its drawn bounds (tails, points,
// spikes, rays, pens, shadows and turns included), and into a printed cell only within
// the cell.

#include "drawing_test_support.h"
#include "test_random.h"

#include "ElementDraw.h"
#include "Elements.h"

#include <math.h>

#include <functional>
#include <memory>
#include <string>

using namespace Gdiplus;

namespace
{

DWORD Stripes(int x, int y)
{
    return (x / 3 + y / 5) % 2 ? 0xFF2050C0 : 0xFFE0A020;
}

// One element of kind nKind (0..19) with the rectangle a-b.
CElement* MakeKind(int nKind, CPoint a, CPoint b, CTestRandom& random)
{
    switch (nKind)
    {
    case 0: return new CRectangle(a, b);
    case 1: return new CCircle(a, b);
    case 2: return new CRhombus(a, b);
    case 3: return new CRectRound(a, b);
    case 4: return new CTriangle(a, b);
    case 5: return new CCalloutBL(a, b);
    case 6: return new CCalloutBR(a, b);
    case 7: return new CShapeParallelo(a, b);
    case 8: return new CShapeArrowL(a, b);
    case 9: return new CShapeArrowR(a, b);
    case 10: return new CShapeStar(a, b);
    case 11: return new CShapeExplosion(a, b);
    case 12: return new CShapeMoon(a, b);
    case 13: return new CShapeSun(a, b);
    case 14:
    {
        CLine* p = new CLine(a, b);
        p->m_nLineDirection = random.Range(0, 3);
        return p;
    }
    case 15:
    case 16:
    {
        CPointListElement* p = nKind == 15 ? (CPointListElement*)new CFreehandLine(a, b)
                                           : (CPointListElement*)new CClosedCurve(a, b);
        const int nPoints = random.Range(3, 12);
        for (int i = 0; i < nPoints; i++)
            p->AddPoint(CPoint(random.Range(a.x, b.x), random.Range(a.y, b.y)));
        return p;
    }
    case 17:
    case 18:
    {
        CText* p = nKind == 17 ? new CText(a, b) : new CDbText(a, b);
        p->m_strText = random.Range(0, 1) ? "Wide W text" : "Ag|jW\r\nsecond line Wj";
        LOGFONT lf;
        p->m_font.GetLogFont(&lf);
        lf.lfHeight = random.Range(8, 40);
        lf.lfItalic = (BYTE)random.Range(0, 1);
        lf.lfUnderline = (BYTE)random.Range(0, 1);
        lf.lfWeight = random.Range(0, 1) ? 700 : 400;
        p->m_font.DeleteObject();
        p->m_font.CreateFontIndirect(&lf);
        p->m_nHAlign = random.Range(0, 2);
        p->m_nVAlign = random.Range(0, 2);
        p->m_bVertical = random.Range(0, 4) == 0;
        return p;
    }
    default:
    {
        CBtImage* p = new CBtImage(a, b, MakePicture(30, 20, Stripes), 100000, 100000);
        p->m_rect.SetRect(a.x, a.y, b.x, b.y);
        return p;
    }
    }
}

// Styles the element at random: pen, dashes, fill, shadow and turn.
void Style(CElement* p, CTestRandom& random)
{
    p->m_nLineWidth = random.Range(0, 3) == 0 ? 0 : random.Range(1, 14);
    p->m_nDashStyle = random.Range(0, 4);
    p->m_nFillKind = random.Range(0, 42);
    p->m_bTransparent = random.Range(0, 5) == 0;
    p->m_bShadow = random.Range(0, 1);
    p->m_nShadowLength = random.Range(1, 24);
    p->m_clrShadow = 0xFF606060;
    p->m_clrLine = 0xFF000000 | (DWORD)random.Range(0, 0x7FFFFF);
    p->m_clrFill = 0xFF000000 | (DWORD)random.Range(0, 0xFFFFFF);
    p->m_clrPattern = 0xFF000000 | (DWORD)random.Range(0, 0xFFFFFF);
    p->m_clrText = 0xFF000000;
    const int nTurn = random.Range(0, 3);
    p->m_nAngle = nTurn == 0 ? 0 : nTurn == 1 ? 45 * random.Range(-8, 8) : random.Range(-360, 360);
}
}

TEST(DrawnBounds, EveryKindTurnedAndShadowedDrawsOnlyWithinItsBounds)
{
    // Each kind at random sizes and styles, at two scales; every pixel that differs from
    // the page must lie within the bounds (one pixel of blending beyond them allowed).
    const unsigned long long kSeed = 0x51D2A7E5ULL;
    CTestRandom random(kSeed);
    const int kCanvas = 900;
    int nOutside = 0;
    for (int nKind = 0; nKind < 20; nKind++)
    {
        for (int nRun = 0; nRun < 12; nRun++)
        {
            const float fScale = nRun % 3 == 2 ? 2.0f : 1.0f;
            const int w = random.Range(4, 160), h = random.Range(4, 160);
            // the middle of the canvas in page units, with the element's room about it
            const int cx = (int)(kCanvas / 2 / fScale), cy = cx;
            const CPoint a(cx - w / 2, cy - h / 2), b(a.x + w, a.y + h);
            std::unique_ptr<CElement> p(MakeKind(nKind, a, b, random));
            Style(p.get(), random);
            SCOPED_TRACE(testing::Message() << "seed " << kSeed << " kind " << nKind << " run " << nRun
                                            << " size " << w << "x" << h << " turned " << p->m_nAngle
                                            << " pen " << p->m_nLineWidth << " shadow " << p->m_bShadow
                                            << " scale " << fScale);
            RectF rc;
            ASSERT_TRUE(GetElementDrawnBounds(p.get(), CPoint(0, 0), rc));
            CCanvas canvas(kCanvas, kCanvas);
            canvas.G()->SetSmoothingMode(SmoothingModeAntiAlias);
            canvas.G()->SetPageUnit(UnitPixel);
            canvas.G()->SetPageScale(fScale);
            DrawElement(canvas.G(), p.get());
            const CRect ink = canvas.InkBounds();
            if (ink.IsRectEmpty())
                continue;
            const CRect allowed((int)floor(rc.X * fScale) - 1, (int)floor(rc.Y * fScale) - 1,
                                (int)ceil((rc.X + rc.Width) * fScale) + 1,
                                (int)ceil((rc.Y + rc.Height) * fScale) + 1);
            ASSERT_GT(allowed.left, 0);
            ASSERT_LT(allowed.right, kCanvas);
            const bool bWithin = ink.left >= allowed.left && ink.top >= allowed.top &&
                                 ink.right <= allowed.right && ink.bottom <= allowed.bottom;
            EXPECT_TRUE(bWithin) << "ink " << ink.left << "," << ink.top << "-" << ink.right << ","
                                 << ink.bottom << " bounds " << allowed.left << "," << allowed.top << "-"
                                 << allowed.right << "," << allowed.bottom;
            nOutside += bWithin ? 0 : 1;
        }
    }
    EXPECT_EQ(0, nOutside);
}

TEST(DrawnBounds, BoundsHoldWhatReachesBeyondTheRectangle)
{
    // a callout's tail, a star's points and a sun's rays lie outside the rectangle
    CCalloutBR callout(CPoint(100, 100), CPoint(300, 200));
    callout.m_nLineWidth = 0;
    callout.m_bShadow = FALSE;
    RectF rc;
    ASSERT_TRUE(GetElementDrawnBounds(&callout, CPoint(0, 0), rc));
    EXPECT_GE(rc.Y + rc.Height, 250.0f);
    EXPECT_LT(rc.Y + rc.Height, 253.0f);
    CShapeStar star(CPoint(100, 100), CPoint(300, 120));
    star.m_nLineWidth = 0;
    ASSERT_TRUE(GetElementDrawnBounds(&star, CPoint(0, 0), rc));
    EXPECT_LE(rc.Y, 10.0f);             // the top point 100 above the centre
    CShapeSun sun(CPoint(100, 100), CPoint(300, 300));
    sun.m_nLineWidth = 0;
    ASSERT_TRUE(GetElementDrawnBounds(&sun, CPoint(20, 30), rc));
    EXPECT_LE(rc.X + rc.Width, 200 + 20 + 1.6 * 100 + 2);
    EXPECT_GE(rc.X + rc.Width, 200 + 20 + 1.6 * 100);
}

TEST(DrawnBounds, AnElementPrintedIntoACellStaysWithinTheCell)
{
    // a sun at the right edge of a 400 x 200 label: its rays must not reach the next
    // label of the sheet, nor a callout's tail the label below
    const int W = 400, H = 200;
    CShapeSun sun(CPoint(300, 50), CPoint(400, 150));
    sun.m_nLineWidth = 4;
    sun.m_clrLine = BLUE;
    CCalloutBL callout(CPoint(20, 100), CPoint(200, 190));
    callout.m_nLineWidth = 2;
    callout.m_nFillKind = 1;
    callout.m_clrFill = GREEN;
    callout.m_bShadow = FALSE;
    CText text(CPoint(350, 20), CPoint(420, 60));
    text.m_strText = "WWWWWWWWWW";
    CCanvas canvas(2 * W + 40, 2 * H + 40);
    for (CElement* p : { (CElement*)&sun, (CElement*)&callout, (CElement*)&text })
        DrawElementInCell(canvas.G(), p, 1, 1, 0.1f, 0.1f, 0.2f, 0.2f, W, H);
    // the cell at (10, 10) holds them; nothing beyond it
    EXPECT_GT(canvas.Ink(10, 10, 10 + W, 10 + H), 0);
    EXPECT_GT(canvas.Count(10 + W - 20, 10, 10 + W, 10 + H, BLUE, 60), 0);     // rays to the edge
    EXPECT_EQ(0, canvas.Ink(10 + W, 0, canvas.Width(), canvas.Height()));
    EXPECT_EQ(0, canvas.Ink(0, 10 + H, canvas.Width(), canvas.Height()));
    // drawn where it lies (not into a cell) the sun keeps its rays
    CCanvas whole(2 * W, 2 * H);
    DrawElement(whole.G(), &sun);
    EXPECT_GT(whole.Count(W + 10, 0, 2 * W, 2 * H, BLUE, 60), 0);
}
