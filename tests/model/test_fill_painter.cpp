// test_fill_painter.cpp - the 43 fill kinds, the outlines of the shape codes and the hatch
// textures.

#include "drawing_test_support.h"

#include "FillPainter.h"

using namespace Gdiplus;

namespace
{
const DWORD FILL_CLR = BLUE;
const DWORD PATTERN_CLR = RED;

// The square (10, 10)-(90, 90) of a 100 x 100 canvas filled with one fill kind.
void FillSquare(CCanvas& canvas, int nFillKind, int nShape = 102, DWORD clrFill = FILL_CLR,
                DWORD clrPattern = PATTERN_CLR)
{
    canvas.Clear();
    FillElementShape(canvas.G(), 10, 10, 80, 80, nFillKind, clrFill, clrPattern, nShape, NULL, 0, NULL);
}

// The colour a fraction t of the way from a to b.
DWORD Mix(DWORD a, DWORD b, double t)
{
    DWORD r = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        r |= (DWORD)(ca + (cb - ca) * t + 0.5) << shift;
    }
    return r;
}

struct GradientCase
{
    int nFillKind;
    POINT ptPattern;   // a probe where the pattern colour lies
    POINT ptFill;      // a probe where the fill colour lies
};
}

TEST(FillPainter, KindZeroFillsNothing)
{
    CCanvas canvas(100, 100);
    FillSquare(canvas, 0);
    EXPECT_EQ(0, canvas.Ink());
}

TEST(FillPainter, SolidFillsTheSquareExactly)
{
    CCanvas canvas(100, 100);
    FillSquare(canvas, 1);
    EXPECT_EQ(80 * 80, canvas.Count(10, 10, 90, 90, FILL_CLR));
    EXPECT_EQ(80 * 80, canvas.Ink());
}

TEST(FillPainter, KindsOutsideTheTableFillSolid)
{
    CCanvas canvas(100, 100);
    for (int nKind : { 43, 100, -1, 0x7FFFFFFF })
    {
        FillSquare(canvas, nKind);
        EXPECT_EQ(80 * 80, canvas.Count(10, 10, 90, 90, FILL_CLR)) << "fill kind " << nKind;
    }
}

// Every hatch kind covers the whole square in its two colours, the foreground being the
// pattern colour and the background the fill colour (diagonal lines may be smoothed).
TEST(FillPainter, EveryHatchKindShowsBothColours)
{
    CCanvas canvas(100, 100);
    for (int nKind = 2; nKind <= 24; nKind++)
    {
        FillSquare(canvas, nKind);
        EXPECT_GT(canvas.Count(10, 10, 90, 90, PATTERN_CLR, 40), 0) << "fill kind " << nKind;
        EXPECT_GT(canvas.Count(10, 10, 90, 90, FILL_CLR), 0) << "fill kind " << nKind;
        EXPECT_EQ(0, canvas.Count(10, 10, 90, 90, WHITE)) << "fill kind " << nKind;
        EXPECT_EQ(80 * 80, canvas.Ink()) << "fill kind " << nKind;
    }
    // Sparse hatches (5 %, horizontal, vertical): thin lines of the pattern colour on the fill.
    for (int nKind : { 4, 7, 8 })
    {
        FillSquare(canvas, nKind);
        EXPECT_LT(canvas.Count(PATTERN_CLR) * 3, canvas.Count(FILL_CLR)) << "fill kind " << nKind;
    }
}

// Each linear kind: the start colour near its start edge, the end colour near its end.
TEST(FillPainter, LinearGradientsRunFromTheirStartColourToTheirEndColour)
{
    const GradientCase cases[] = {
        { 25, { 11, 50 }, { 88, 50 } },    // horizontal: pattern left
        { 27, { 88, 50 }, { 11, 50 } },    // horizontal: fill left
        { 28, { 50, 11 }, { 50, 88 } },    // vertical: pattern top
        { 30, { 50, 88 }, { 50, 11 } },    // vertical: fill top
        { 31, { 11, 11 }, { 88, 88 } },    // forward diagonal: pattern top-left
        { 33, { 88, 88 }, { 11, 11 } },
        { 34, { 88, 11 }, { 11, 88 } },    // backward diagonal: pattern top-right
        { 36, { 11, 88 }, { 88, 11 } },
    };
    CCanvas canvas(100, 100);
    for (const GradientCase& c : cases)
    {
        FillSquare(canvas, c.nFillKind);
        EXPECT_LE(ColorDistance(PATTERN_CLR, canvas.At(c.ptPattern.x, c.ptPattern.y)), 24)
            << "fill kind " << c.nFillKind;
        EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(c.ptFill.x, c.ptFill.y)), 24)
            << "fill kind " << c.nFillKind;
        // Half way the two colours are mixed.
        EXPECT_LE(ColorDistance(Mix(PATTERN_CLR, FILL_CLR, 0.5), canvas.At(50, 50)), 40)
            << "fill kind " << c.nFillKind;
        EXPECT_EQ(80 * 80, canvas.Ink()) << "fill kind " << c.nFillKind;
    }
}

// Each bell kind: the pattern colour at both ends of its direction, the fill colour midway.
TEST(FillPainter, BellBlendsHaveThePatternAtBothEndsAndTheFillInTheMiddle)
{
    const GradientCase cases[] = {
        { 26, { 11, 50 }, { 50, 50 } },
        { 29, { 50, 11 }, { 50, 50 } },
        { 32, { 11, 11 }, { 50, 50 } },
        { 35, { 88, 11 }, { 50, 50 } },
    };
    const POINT otherEnd[] = { { 88, 50 }, { 50, 88 }, { 88, 88 }, { 11, 88 } };
    CCanvas canvas(100, 100);
    for (int i = 0; i < 4; i++)
    {
        const GradientCase& c = cases[i];
        FillSquare(canvas, c.nFillKind);
        EXPECT_LE(ColorDistance(PATTERN_CLR, canvas.At(c.ptPattern.x, c.ptPattern.y)), 40)
            << "fill kind " << c.nFillKind;
        EXPECT_LE(ColorDistance(PATTERN_CLR, canvas.At(otherEnd[i].x, otherEnd[i].y)), 40)
            << "fill kind " << c.nFillKind;
        EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(c.ptFill.x, c.ptFill.y)), 24)
            << "fill kind " << c.nFillKind;
    }
}

TEST(FillPainter, EllipticPathGradientHasThePatternInTheCentre)
{
    CCanvas canvas(100, 100);
    FillSquare(canvas, 37);
    EXPECT_LE(ColorDistance(PATTERN_CLR, canvas.At(50, 50)), 24);
    // Near the ellipse the surround colour; outside it (the square's corners) nothing.
    EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(50, 12)), 48);
    EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(12, 50)), 48);
    EXPECT_EQ(WHITE, canvas.At(12, 12));
    EXPECT_EQ(WHITE, canvas.At(87, 87));
}

// Each rectangle path kind: the pattern colour at its centre point, the fill colour at the other corners.
TEST(FillPainter, RectanglePathGradientsHaveThePatternAtTheirCentrePoint)
{
    const POINT centres[] = { { 11, 11 }, { 88, 11 }, { 88, 88 }, { 11, 88 }, { 50, 50 } };
    const POINT corners[] = { { 11, 11 }, { 88, 11 }, { 88, 88 }, { 11, 88 } };
    CCanvas canvas(100, 100);
    for (int i = 0; i < 5; i++)
    {
        const int nKind = 38 + i;
        FillSquare(canvas, nKind);
        EXPECT_LE(ColorDistance(PATTERN_CLR, canvas.At(centres[i].x, centres[i].y)), 40)
            << "fill kind " << nKind;
        for (const POINT& pt : corners)
        {
            if (pt.x == centres[i].x && pt.y == centres[i].y)
                continue;
            EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(pt.x, pt.y)), 48)
                << "fill kind " << nKind << " at " << pt.x << "," << pt.y;
        }
        EXPECT_EQ(80 * 80, canvas.Ink()) << "fill kind " << nKind;
    }
}

TEST(FillPainter, FillKind38FadesFromBlueAtTheTopLeftToWhite)
{
    CCanvas canvas(100, 100, BLACK);
    canvas.Clear();
    FillElementShape(canvas.G(), 10, 10, 80, 80, 38, WHITE, BLUE, 102, NULL, 0, NULL);
    EXPECT_LE(ColorDistance(BLUE, canvas.At(11, 11)), 40);
    EXPECT_LE(ColorDistance(WHITE, canvas.At(88, 50)), 48);
    EXPECT_LE(ColorDistance(WHITE, canvas.At(50, 88)), 48);
    // Half way along the diagonal: a light blue.
    const DWORD mid = canvas.At(50, 50);
    EXPECT_EQ(0xFFu, mid & 0xFF);
    EXPECT_GT((mid >> 16) & 0xFF, 40u);
    EXPECT_LT((mid >> 16) & 0xFF, 240u);
}

TEST(FillPainter, AllFortyThreeKindsDrawInsideTheOutlineOnly)
{
    CCanvas canvas(100, 100);
    for (int nKind = 1; nKind < FILL_KIND_COUNT; nKind++)
    {
        FillSquare(canvas, nKind, 103);
        EXPECT_GT(canvas.Ink(), 4000) << "fill kind " << nKind;
        EXPECT_EQ(0, canvas.Ink(0, 0, 100, 10)) << "fill kind " << nKind;
        EXPECT_EQ(0, canvas.Ink(0, 90, 100, 100)) << "fill kind " << nKind;
        EXPECT_EQ(WHITE, canvas.At(13, 13)) << "fill kind " << nKind;
    }
}

// Diamond, triangle and ellipse fill their outlines; lines, texts and unknown codes nothing.
TEST(FillPainter, OutlinesOfTheShapeCodes)
{
    CCanvas canvas(100, 100);

    FillSquare(canvas, 1, 105);   // diamond
    EXPECT_EQ(FILL_CLR, canvas.At(50, 50));
    EXPECT_EQ(FILL_CLR, canvas.At(50, 14));
    EXPECT_EQ(WHITE, canvas.At(14, 14));
    EXPECT_EQ(WHITE, canvas.At(86, 86));

    FillSquare(canvas, 1, 108);   // triangle, apex at the top middle
    EXPECT_EQ(FILL_CLR, canvas.At(50, 20));
    EXPECT_EQ(FILL_CLR, canvas.At(14, 87));
    EXPECT_EQ(WHITE, canvas.At(14, 14));
    EXPECT_EQ(WHITE, canvas.At(86, 30));

    FillSquare(canvas, 1, 103);   // ellipse
    EXPECT_EQ(FILL_CLR, canvas.At(50, 50));
    EXPECT_EQ(WHITE, canvas.At(12, 12));

    for (int nShape : { 101, 115, 116, 0 })
    {
        FillSquare(canvas, 1, nShape);
        EXPECT_EQ(0, canvas.Ink()) << "shape " << nShape;
    }
}

// A polygon fills its points and a path shape its path; without them nothing fills.
TEST(FillPainter, PolygonAndPathShapes)
{
    CCanvas canvas(100, 100);
    const PointF pts[3] = { PointF(10, 10), PointF(90, 10), PointF(10, 90) };
    FillElementShape(canvas.G(), 10, 10, 80, 80, 1, FILL_CLR, PATTERN_CLR, 120, pts, 3, NULL);
    EXPECT_EQ(FILL_CLR, canvas.At(20, 20));
    EXPECT_EQ(WHITE, canvas.At(80, 80));

    // A path shape fills the path, whatever the reference rectangle.
    for (int nShape : { 107, 201, 202, 205, 206, 207, 208, 209, 210, 211 })
    {
        canvas.Clear();
        GraphicsPath path;
        path.AddRectangle(RectF(60, 60, 20, 20));
        FillElementShape(canvas.G(), 10, 10, 80, 80, 1, FILL_CLR, PATTERN_CLR, nShape, NULL, 0, &path);
        EXPECT_EQ(20 * 20, canvas.Count(FILL_CLR)) << "shape " << nShape;
        EXPECT_EQ(20 * 20, canvas.Ink()) << "shape " << nShape;
    }

    // Without the points or the path nothing is filled.
    canvas.Clear();
    FillElementShape(canvas.G(), 10, 10, 80, 80, 1, FILL_CLR, PATTERN_CLR, 120, NULL, 0, NULL);
    FillElementShape(canvas.G(), 10, 10, 80, 80, 1, FILL_CLR, PATTERN_CLR, 107, NULL, 0, NULL);
    EXPECT_EQ(0, canvas.Ink());
}

// The gradient reference is the rectangle passed, not the outline's own bounds.
TEST(FillPainter, GradientGeometryComesFromTheReferenceRectangle)
{
    CCanvas canvas(100, 100);
    GraphicsPath path;
    path.AddRectangle(RectF(50, 10, 40, 80));   // the right half of the reference
    FillElementShape(canvas.G(), 10, 10, 80, 80, 25, FILL_CLR, PATTERN_CLR, 107, NULL, 0, &path);
    EXPECT_LE(ColorDistance(Mix(PATTERN_CLR, FILL_CLR, 0.5), canvas.At(51, 50)), 32);
    EXPECT_LE(ColorDistance(FILL_CLR, canvas.At(88, 50)), 24);
    EXPECT_EQ(WHITE, canvas.At(30, 50));
}

// A reference rectangle of zero width or height is silent: the outline still fills when
// it has an area.
TEST(FillPainter, DegenerateGradientRectangleIsSilent)
{
    CCanvas canvas(100, 100);
    const PointF pts[3] = { PointF(10, 10), PointF(90, 10), PointF(10, 90) };
    for (int nKind = 25; nKind < FILL_KIND_COUNT; nKind++)
    {
        canvas.Clear();
        FillElementShape(canvas.G(), 10, 10, 0, 80, nKind, FILL_CLR, PATTERN_CLR, 120, pts, 3, NULL);
        FillElementShape(canvas.G(), 10, 10, 80, 0, nKind, FILL_CLR, PATTERN_CLR, 102, NULL, 0, NULL);
        EXPECT_GT(canvas.Ink(20, 20, 40, 40), 0) << "fill kind " << nKind;
        EXPECT_EQ(WHITE, canvas.At(80, 80)) << "fill kind " << nKind;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Hatch textures

TEST(HatchTexture, TextureDrawsThePatternInBothColours)
{
    CCanvas canvas(32, 32);
    for (int nStyle = 30; nStyle <= 52; nStyle++)
    {
        canvas.Clear();
        TextureBrush* pBrush = CreateHatchTextureBrush(nStyle, RED, BLUE, canvas.G());
        ASSERT_NE(nullptr, pBrush) << "style " << nStyle;
        canvas.G()->FillRectangle(pBrush, 0, 0, 32, 32);
        delete pBrush;
        const BYTE* pRows = GetHatchPatternRows(nStyle);
        int nWrong = 0;
        for (int y = 0; y < 32; y++)
        {
            for (int x = 0; x < 32; x++)
            {
                const DWORD expected = (pRows[y % 8] & (0x80 >> (x % 8))) ? RED : BLUE;
                if (canvas.At(x, y) != expected)
                    nWrong++;
            }
        }
        EXPECT_EQ(0, nWrong) << "style " << nStyle;
    }
}

// Like a hatch, the texture keeps its pixel size under a zoom.
TEST(HatchTexture, TextureKeepsDevicePixelsUnderAScale)
{
    CCanvas canvas(48, 48);
    canvas.G()->ScaleTransform(3, 3);
    TextureBrush* pBrush = CreateHatchTextureBrush(50, RED, BLUE, canvas.G());   // 4 x 4 checks
    ASSERT_NE(nullptr, pBrush);
    canvas.G()->FillRectangle(pBrush, 0, 0, 16, 16);
    delete pBrush;
    EXPECT_EQ(RED, canvas.At(1, 1));
    EXPECT_EQ(BLUE, canvas.At(5, 1));
    EXPECT_EQ(BLUE, canvas.At(1, 5));
    EXPECT_EQ(RED, canvas.At(9, 1));
    EXPECT_EQ(RED, canvas.At(41, 41));
}

// Where the platform cannot fill a hatch style, the fill kind draws our pattern: the
// pattern colour in the foreground, the fill colour behind, in device pixels.
TEST(HatchTexture, FillKindsFallBackToTheTextureWhereThePlatformCannotFill)
{
    CCanvas canvas(100, 100);
    for (int nKind = 2; nKind <= 24; nKind++)
    {
        const int nStyle = GetFillHatchStyle(nKind);
        const BYTE* pRows = GetHatchPatternRows(nStyle);
        if (pRows == NULL)
            continue;
        const BOOL bWasDrawn = IsHatchStyleDrawn(nStyle);
        SetHatchStyleDrawn(nStyle, FALSE);
        FillSquare(canvas, nKind, 103);
        SetHatchStyleDrawn(nStyle, bWasDrawn);

        int nWrong = 0;
        for (int y = 30; y < 70; y++)
        {
            for (int x = 30; x < 70; x++)
            {
                const DWORD expected = (pRows[y % 8] & (0x80 >> (x % 8))) ? PATTERN_CLR : FILL_CLR;
                if (canvas.At(x, y) != expected)
                    nWrong++;
            }
        }
        EXPECT_EQ(0, nWrong) << "fill kind " << nKind;
        EXPECT_EQ(WHITE, canvas.At(12, 12)) << "fill kind " << nKind;
    }
    // Kinds 2, 3 and 13 to 24 have textures; the others are hatches every platform fills.
    int nWithTexture = 0;
    for (int nKind = 2; nKind <= 24; nKind++)
        nWithTexture += GetHatchPatternRows(GetFillHatchStyle(nKind)) != NULL;
    EXPECT_EQ(14, nWithTexture);
}

TEST(HatchTexture, ProbeOfThePlatformHatches)
{
    for (int nStyle = 0; nStyle <= 5; nStyle++)
        EXPECT_TRUE(IsHatchStyleDrawn(nStyle)) << "style " << nStyle;
    EXPECT_FALSE(IsHatchStyleDrawn(-1));
    EXPECT_FALSE(IsHatchStyleDrawn(HatchStyleMax + 1));
    // The probe is remembered: asking again gives the same answer.
    for (int nStyle = 30; nStyle <= 52; nStyle++)
        EXPECT_EQ(IsHatchStyleDrawn(nStyle), IsHatchStyleDrawn(nStyle));
}
