// test_sample_design.cpp - a design with one element of every class, drawn and written as
// sample_design.png beside the test program for a person to look at.

#include "drawing_test_support.h"

#include "Elements.h"
#include "PictureLoad.h"

#include <math.h>
#include <string.h>

#include <memory>
#include <vector>

using namespace Gdiplus;

namespace
{
const int kWidth = 1000;
const int kHeight = 720;

// Pale blue to white, top to bottom.
DWORD BackgroundPixel(int, int y)
{
    const int v = 225 + y * 30 / 72;
    return 0xFF000000 | ((DWORD)(v - 10) << 16) | ((DWORD)(v - 2) << 8) | 255;
}

// A small picture: an orange disc on a green field with a dark ring.
DWORD ClipArtPixel(int x, int y)
{
    const double d = sqrt((x - 32.0) * (x - 32.0) + (y - 24.0) * (y - 24.0));
    if (d < 14)
        return 0xFFFF9020;
    if (d < 18)
        return 0xFF403020;
    return (x / 8 + y / 8) % 2 ? 0xFF50A050 : 0xFF70C070;
}

void Label(std::vector<std::unique_ptr<CElement>>& design, int x, int y, const char* pszText)
{
    CText* p = new CText(CPoint(x, y), CPoint(x + 220, y + 20));
    p->m_strText = pszText;
    p->m_clrText = 0xFF303030;
    p->m_nHAlign = 1;
    design.emplace_back(p);
}

template <class T>
T* Place(std::vector<std::unique_ptr<CElement>>& design, int nColumn, int nRow, const char* pszLabel)
{
    const int x = 30 + nColumn * 240, y = 30 + nRow * 140;
    T* p = new T(CPoint(x + 40, y), CPoint(x + 180, y + 90));
    p->m_clrShadow = 0xFFA0A0A0;
    p->m_nShadowLength = 6;
    design.emplace_back(p);
    Label(design, x, y + 98, pszLabel);
    return p;
}

void BuildSampleDesign(std::vector<std::unique_ptr<CElement>>& design)
{
    design.emplace_back(new CBkgImage(MakePicture(100, 72, BackgroundPixel), kWidth, kHeight));

    // Row 0: basic shapes.
    CRectangle* pRect = Place<CRectangle>(design, 0, 0, "Rectangle, hatch, shadow");
    pRect->m_nFillKind = 19;
    pRect->m_clrPattern = 0xFF2060C0;
    pRect->m_bShadow = TRUE;
    pRect->m_nLineWidth = 2;
    CCircle* pCircle = Place<CCircle>(design, 1, 0, "Ellipse, path gradient");
    pCircle->m_nFillKind = 37;
    pCircle->m_clrPattern = 0xFFFFD000;
    pCircle->m_clrFill = 0xFFD02000;
    CRhombus* pRhombus = Place<CRhombus>(design, 2, 0, "Diamond, dashed");
    pRhombus->m_nFillKind = 26;
    pRhombus->m_nDashStyle = 1;
    pRhombus->m_nLineWidth = 2;
    CRectRound* pRound = Place<CRectRound>(design, 3, 0, "Rounded rectangle");
    pRound->m_nFillKind = 2;
    pRound->m_clrPattern = 0xFF808080;
    pRound->m_bShadow = TRUE;

    // Row 1.
    CTriangle* pTriangle = Place<CTriangle>(design, 0, 1, "Triangle, rotated 45");
    pTriangle->m_nFillKind = 40;
    pTriangle->m_clrPattern = 0xFF008000;
    pTriangle->m_nAngle = 45;
    Place<CCalloutBL>(design, 1, 1, "Callout left");
    Place<CCalloutBR>(design, 2, 1, "Callout right");
    Place<CShapeArrowL>(design, 3, 1, "Left arrow");

    // Row 2.
    Place<CShapeArrowR>(design, 0, 2, "Right arrow");
    Place<CShapeParallelo>(design, 1, 2, "Parallelogram");
    CShapeStar* pStar = Place<CShapeStar>(design, 2, 2, "Star");
    pStar->m_rect.DeflateRect(25, 0);
    Place<CShapeExplosion>(design, 3, 2, "Burst");

    // Row 3.
    Place<CShapeMoon>(design, 0, 3, "Moon");
    CShapeSun* pSun = Place<CShapeSun>(design, 1, 3, "Sun");
    pSun->m_rect.DeflateRect(35, 20);
    CLine* pLine = Place<CLine>(design, 2, 3, "Straight line, dash-dot");
    pLine->m_nLineWidth = 3;
    pLine->m_nDashStyle = 3;
    pLine->m_clrLine = 0xFF8000A0;
    CFreehandLine* pFreehand = Place<CFreehandLine>(design, 3, 3, "Freehand line");
    pFreehand->m_nLineWidth = 3;
    pFreehand->m_clrLine = 0xFF0050C0;
    for (int i = 0; i <= 28; i++)
    {
        const int x = 30 + 3 * 240 + 40 + i * 5;
        pFreehand->AddPoint(CPoint(x, 30 + 3 * 140 + 45 + (int)(35 * sin(i / 3.0))));
    }

    // Row 4.
    CClosedCurve* pCurve = Place<CClosedCurve>(design, 0, 4, "Closed curve");
    for (int i = 0; i <= 20; i++)
    {
        const double t = i * 2 * 3.14159265 / 20;
        const double r = (i % 2 ? 30 : 45);
        pCurve->AddPoint(CPoint(30 + 110 + (int)(r * 1.5 * cos(t)), 30 + 4 * 140 + 45 + (int)(r * sin(t))));
    }
    CText* pText = Place<CText>(design, 1, 4, "Text, bold, underlined");
    pText->m_strText = "Stickwell labels\r\nfor every occasion";
    pText->m_clrText = 0xFFC00000;
    pText->m_nHAlign = 1;
    pText->m_nVAlign = 1;
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 14;
    lf.lfWeight = 700;
    lf.lfUnderline = 1;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    pText->m_font.DeleteObject();
    pText->m_font.CreateFontIndirect(&lf);
    CDbText* pDbText = Place<CDbText>(design, 2, 4, "Text from database, vertical");
    pDbText->m_strText = "<<Name>>";
    pDbText->m_clrText = 0xFF006000;
    pDbText->m_bVertical = TRUE;
    pDbText->m_nHAlign = 1;
    pDbText->m_nVAlign = 1;
    const int x = 30 + 3 * 240, y = 30 + 4 * 140;
    CBtImage* pClipArt = new CBtImage(CPoint(x + 60, y), CPoint(0, 0),
                                      MakePicture(64, 48, ClipArtPixel), 850, 1100);
    pClipArt->m_rect.SetRect(x + 50, y + 5, x + 170, y + 85);
    pClipArt->m_nLineWidth = 2;
    pClipArt->m_bShadow = TRUE;
    pClipArt->m_clrShadow = 0xFFA0A0A0;
    pClipArt->m_nAngle = -10;
    design.emplace_back(pClipArt);
    Label(design, x, y + 98, "Clip-art, framed, rotated");
}
}

TEST(SampleDesign, EveryClassDrawnAndWrittenAsPng)
{
    std::vector<std::unique_ptr<CElement>> design;
    BuildSampleDesign(design);

    // One element of each of the 21 classes.
    std::vector<CString> classes;
    for (auto& p : design)
    {
        const CString strName = p->GetRuntimeClass()->m_lpszClassName;
        bool bSeen = false;
        for (const CString& s : classes)
            bSeen = bSeen || s == strName;
        if (!bSeen)
            classes.push_back(strName);
    }
    EXPECT_EQ(21u, classes.size());

    CCanvas canvas(kWidth, kHeight);
    for (auto& p : design)
        p->DrawGraphics(canvas.G());

    // The background shows between the elements; the elements show their colours.
    EXPECT_LE(ColorDistance(BackgroundPixel(0, 5), canvas.At(5, 5)), 8);
    EXPECT_EQ(0xFFFFD000u, canvas.At(30 + 240 + 110, 30 + 45));   // the ellipse's centre
    EXPECT_GT(canvas.Count(0xFFC00000, 60), 50);                  // the red text
    EXPECT_GT(canvas.Count(0xFFFF9020, 0), 300);                  // the clip-art's disc

    const CString strPath = ProgramFolder() + "sample_design.png";
    ASSERT_TRUE(SaveBitmap(canvas.Bitmap(), strPath, L"image/png")) << (LPCSTR)strPath;
    std::unique_ptr<Gdiplus::Bitmap> pWritten(LoadPictureFileChecked(strPath));
    ASSERT_NE(nullptr, pWritten);
    EXPECT_EQ((UINT)kWidth, pWritten->GetWidth());
    EXPECT_EQ((UINT)kHeight, pWritten->GetHeight());
    Color c;
    pWritten->GetPixel(30 + 240 + 110, 30 + 45, &c);
    EXPECT_EQ(0xFFFFD000u, c.GetValue());
}
