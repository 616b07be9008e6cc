// test_gradient_direct.cpp - gradient fills the painter draws itself in a paint of the
// design view: within two levels a channel of the library's brushes, for every fill kind,
// for shapes of each outline form, turned and not, at the view's zooms.

#include "drawing_test_support.h"

#include "Elements.h"
#include "FillPainter.h"

#include <stdlib.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace
{
const int kDesignWidth = 200;       // hundredths of an inch
const int kDesignHeight = 160;

// An element of each outline form: rectangle, ellipse, polygon, path.
CElement* MakeShape(int nForm)
{
    const CPoint a(40, 30), b(150, 110);
    switch (nForm)
    {
    case 0: return new CRectangle(a, b);
    case 1: return new CCircle(a, b);
    case 2: return new CTriangle(a, b);
    default: return new CShapeStar(a, b);
    }
}

// The pixels of a canvas, opaque, row by row.
std::vector<DWORD> Pixels(CDibCanvas& canvas, int nWidth, int nHeight)
{
    std::vector<DWORD> pixels = ReadSelectedPixels(canvas.DC()->m_hDC, nWidth, nHeight);
    for (DWORD& clr : pixels)
        clr |= 0xFF000000;
    return pixels;
}

// The largest channel difference of two canvases and how many pixels differ at all.
// With pnEdge, a pixel on the edge of a fill that one canvas leaves to the background or
// shows in one end colour where the other shows the other end colour is counted there
// instead (a pixel whose sample lies on the gradient's start line or on its outline).
int CompareCanvases(CDibCanvas& canvasA, CDibCanvas& canvasB, int nWidth, int nHeight, int& nDiffer,
                    CPoint& ptWorst, int* pnEdge = NULL, DWORD clrEnd1 = 0, DWORD clrEnd2 = 0)
{
    const std::vector<DWORD> a = Pixels(canvasA, nWidth, nHeight), b = Pixels(canvasB, nWidth, nHeight);
    auto At = [&](const std::vector<DWORD>& v, int x, int y) {
        return x < 0 || y < 0 || x >= nWidth || y >= nHeight ? WHITE : v[(size_t)y * nWidth + x];
    };
    int nWorst = 0;
    nDiffer = 0;
    auto IsBack = [](DWORD clr) { return (clr & 0xFFFFFF) == (WHITE & 0xFFFFFF); };
    auto Near = [](DWORD clr, DWORD clrEnd) { return ColorDistance(clr, clrEnd) <= 2; };
    for (int y = 0; y < nHeight; y++)
    {
        for (int x = 0; x < nWidth; x++)
        {
            const DWORD ca = At(a, x, y), cb = At(b, x, y);
            const int d = ColorDistance(ca, cb);
            nDiffer += d > 0;
            if (d > 2 && pnEdge != NULL)
            {
                bool bEdge = (Near(ca, clrEnd1) && Near(cb, clrEnd2)) || (Near(ca, clrEnd2) && Near(cb, clrEnd1));
                for (int k = 0; k < 4 && !bEdge && (IsBack(ca) || IsBack(cb)); k++)
                {
                    const int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                    bEdge = IsBack(At(a, nx, ny)) || IsBack(At(b, nx, ny));
                }
                if (bEdge)
                {
                    ++*pnEdge;
                    continue;
                }
            }
            if (d > nWorst)
            {
                nWorst = d;
                ptWorst = CPoint(x, y);
            }
        }
    }
    return nWorst;
}

// An element drawn with the direct fills: its pixels, how many differ from the library's
// drawing and how many are not the background.
struct CDirectDrawing
{
    std::vector<DWORD> pixels;
    int nDiffer = 0;
    int nInk = 0;
};

// Draws the element at a zoom with the library's brushes and with the direct fills and
// expects them within two levels a channel, edge pixels a small share.
CDirectDrawing DrawLikeTheLibrary(CElement* pElement, float fZoom)
{
    const int nWidth = (int)(kDesignWidth * fZoom), nHeight = (int)(kDesignHeight * fZoom);
    CDibCanvas library(nWidth, nHeight), direct(nWidth, nHeight);
    library.SetZoom(kDesignWidth, kDesignHeight, fZoom);
    direct.SetZoom(kDesignWidth, kDesignHeight, fZoom);
    pElement->DrawDC(library.DC());
    {
        CGradientFillScope scope(direct.DC()->m_hDC);
        pElement->DrawDC(direct.DC());
    }
    CDirectDrawing drawn;
    int nEdge = 0;
    CPoint ptWorst;
    EXPECT_LE(CompareCanvases(library, direct, nWidth, nHeight, drawn.nDiffer, ptWorst, &nEdge, pElement->m_clrFill,
                              pElement->m_clrPattern), 2)
        << drawn.nDiffer << " pixels differ, the most at " << ptWorst.x << "," << ptWorst.y;
    drawn.nInk = direct.Ink();
    EXPECT_LE(nEdge, drawn.nInk / 50 + 2);
    drawn.pixels = Pixels(direct, nWidth, nHeight);
    return drawn;
}
}

// Every fill kind on each outline form, turned and not, at three zooms, against the library.
TEST(GradientDirect, EveryFillKindIsWithinTwoLevelsOfTheLibrarysBrushes)
{
    for (float fZoom : {0.25f, 1.0f, 3.0f})
    {
        const int nWidth = (int)(kDesignWidth * fZoom), nHeight = (int)(kDesignHeight * fZoom);
        for (int nForm = 0; nForm < 4; nForm++)
        {
            for (int nAngle : {0, 30})
            {
                std::unique_ptr<CElement> pElement(MakeShape(nForm));
                pElement->m_clrFill = 0xFF3050A0;
                pElement->m_clrPattern = 0xFFFFE080;
                pElement->m_nLineWidth = 0;
                pElement->m_nAngle = nAngle;
                for (int nKind = 0; nKind < FILL_KIND_COUNT; nKind++)
                {
                    SCOPED_TRACE(testing::Message() << "zoom " << fZoom << ", form " << nForm << ", angle " << nAngle
                                                    << ", fill kind " << nKind);
                    pElement->m_nFillKind = nKind;
                    const CDirectDrawing drawn = DrawLikeTheLibrary(pElement.get(), fZoom);
                    // the fill is there (more than the background)
                    if (nKind > 0)
                    {
                        EXPECT_GT(drawn.nInk, nWidth * nHeight / 20);
                    }
                    if (nKind < 25)
                    {
                        EXPECT_EQ(0, drawn.nDiffer);
                    }
                }
            }
        }
    }
}

// Direct fills only for gradient kinds, unsmoothed graphics and the scope's own device.
TEST(GradientDirect, GradientsAreDrawnDirectlyOnlyOnTheScopesDevice)
{
    CDibCanvas canvas(200, 160), other(200, 160);
    const RectF rc(20, 20, 120, 80);
    for (int nKind = 0; nKind < FILL_KIND_COUNT; nKind++)
    {
        Graphics g(canvas.DC()->m_hDC);
        EXPECT_EQ(nKind >= 25 && nKind <= 42,
                  FillGradientDirect(&g, canvas.DC()->m_hDC, rc, nKind, BLUE, RED, 102, NULL, 0, NULL) != FALSE)
            << nKind;
    }
    // a smoothed graphics is left to the library
    {
        Graphics g(canvas.DC()->m_hDC);
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        EXPECT_FALSE(FillGradientDirect(&g, canvas.DC()->m_hDC, rc, 26, BLUE, RED, 102, NULL, 0, NULL));
    }
    // a scope of another device leaves the fill to the library: the same pixels as without
    CDibCanvas plain(200, 160);
    {
        Graphics g(plain.DC()->m_hDC);
        FillElementShape(&g, 20, 20, 120, 80, 37, BLUE, RED, 103, NULL, 0, NULL);
    }
    {
        CGradientFillScope scope(other.DC()->m_hDC);
        Graphics g(canvas.DC()->m_hDC);
        g.Clear(Color(WHITE));
        FillElementShape(&g, 20, 20, 120, 80, 37, BLUE, RED, 103, NULL, 0, NULL);
    }
    int nDiffer = 0;
    CPoint ptWorst;
    EXPECT_EQ(0, CompareCanvases(plain, canvas, 200, 160, nDiffer, ptWorst));
}

// Fills drawn again are taken from what earlier paints kept: a random walk of edits of one
// element (colours, fill kind, outline, size, place, turn, zoom) revisits earlier states, and
// each drawing must match the library's brushes for the element as it is now, and a state
// drawn again must give the same pixels as the first time (a kept fill that missed an edit
// shows the old colours, kind or size).
TEST(GradientDirect, KeptFillsFollowEveryEditOfTheElementAndTheZoom)
{
    const unsigned kSeed = 4902;
    srand(kSeed);
    auto Pick = [](int n) { return rand() % n; };
    const DWORD colours[3] = { 0xFF3050A0, 0xFFFFE080, 0xFF20A040 };
    const float zooms[3] = { 0.25f, 1.0f, 3.0f };
    const CRect rects[4] = { CRect(40, 30, 150, 110), CRect(-20, 50, 90, 130), CRect(70, -10, 100, 70),
                             CRect(41, 30, 151, 110) };
    int nForm = 0, nKind = 37, nFill = 0, nPattern = 1, nRect = 0, nAngle = 0, nZoom = 1;
    std::map<std::string, std::vector<DWORD>> firstDrawn;
    int nRevisited = 0;
    for (int nStep = 0; nStep < 160; nStep++)
    {
        switch (Pick(7))
        {
        case 0: nForm = Pick(4); break;
        case 1: nKind = 25 + Pick(18); break;
        case 2: nFill = Pick(3); break;
        case 3: nPattern = Pick(3); break;
        case 4: nRect = Pick(4); break;
        case 5: nAngle = Pick(2) * 30; break;
        default: nZoom = Pick(3); break;
        }
        const std::string strState = std::to_string(nForm) + " " + std::to_string(nKind) + " " + std::to_string(nFill)
                                     + " " + std::to_string(nPattern) + " " + std::to_string(nRect) + " "
                                     + std::to_string(nAngle) + " " + std::to_string(nZoom);
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", step " << nStep << ", state " << strState);
        std::unique_ptr<CElement> pElement(MakeShape(nForm));
        const CRect& rect = rects[nRect];
        pElement->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        pElement->m_nFillKind = nKind;
        pElement->m_clrFill = colours[nFill];
        pElement->m_clrPattern = colours[nPattern];
        pElement->m_nLineWidth = 0;
        pElement->m_nAngle = nAngle;
        const std::vector<DWORD> pixels = DrawLikeTheLibrary(pElement.get(), zooms[nZoom]).pixels;
        auto it = firstDrawn.find(strState);
        if (it == firstDrawn.end())
            firstDrawn[strState] = pixels;
        else
        {
            nRevisited++;
            EXPECT_TRUE(it->second == pixels);
        }
    }
    EXPECT_GT(nRevisited, 10);
}

// More fills than are kept, and fills too large to keep many of, leave the kept ones within
// their bounds (1,024 fills, 24 MB), and every fill still draws its own colours.
TEST(GradientDirect, KeptFillsStayWithinTheirBounds)
{
    CDibCanvas canvas(300, 300);
    size_t nFills = 0, nBytes = 0;
    for (int i = 0; i < 1100; i++)
    {
        const DWORD clrFill = 0xFF000000 | (DWORD)i, clrPattern = 0xFFFFFFFF - (DWORD)i * 256;
        const bool bLarge = i % 8 == 0;
        const float fSize = bLarge ? 250.0f : 20.0f;
        {
            CGradientFillScope scope(canvas.DC()->m_hDC);
            Graphics g(canvas.DC()->m_hDC);
            FillElementShape(&g, 10, 10, fSize, fSize, 42, clrFill, clrPattern, 102, NULL, 0, NULL);
        }
        // the centre of a centred path gradient shows the pattern colour, a corner the fill colour
        const int nCentre = 10 + (int)fSize / 2;
        EXPECT_LE(ColorDistance(canvas.At(nCentre, nCentre), clrPattern), 2) << i;
        EXPECT_LE(ColorDistance(canvas.At(10, 10), clrFill), 2) << i;
        GetKeptGradientFills(nFills, nBytes);
        ASSERT_LE(nFills, 1024u) << i;
        ASSERT_LE(nBytes, 24u * 1024 * 1024) << i;
    }
    EXPECT_GT(nBytes, 16u * 1024 * 1024);       // the large ones fill the kept bytes
}
