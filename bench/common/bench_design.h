// bench_design.h - the mixed designs the drawing and view benchmarks draw: every element
// class with gradients, hatches, shadows, rotation, texts and pictures.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <afx.h>
#include <afxwin.h>

#include <math.h>

#include <memory>
#include <vector>

#include "model/Elements.h"

namespace benchdesign
{
using namespace Gdiplus;

const int kPageWidth = 850;      // hundredths of an inch
const int kPageHeight = 1100;

typedef std::vector<std::unique_ptr<CElement>> CDesign;

// A picture of w x h pixels: a disc on a green field.
inline CPicturePtr MakePicture(int w, int h)
{
    CPicturePtr pBitmap(new Bitmap(w, h, PixelFormat32bppARGB));
    Graphics g(pBitmap.get());
    g.Clear(Color(0xFF70C070));
    SolidBrush brush(Color(0xFFFF9020));
    g.FillEllipse(&brush, w / 4, h / 6, w / 2, w / 2);
    return pBitmap;
}

// The element of class index k (0..20) at (x, y), 60 x 40, with varied styles.
inline CElement* MakeElement(int k, int i, int x, int y, CPicturePtr pPicture)
{
    const CPoint a(x, y), b(x + 60, y + 40);
    CElement* p = NULL;
    switch (k)
    {
    case 0: p = new CRectangle(a, b); break;
    case 1: p = new CCircle(a, b); break;
    case 2: p = new CRhombus(a, b); break;
    case 3: p = new CRectRound(a, b); break;
    case 4: p = new CTriangle(a, b); break;
    case 5: p = new CCalloutBL(a, b); break;
    case 6: p = new CCalloutBR(a, b); break;
    case 7: p = new CShapeArrowL(a, b); break;
    case 8: p = new CShapeArrowR(a, b); break;
    case 9: p = new CShapeParallelo(a, b); break;
    case 10: p = new CShapeStar(a, b); break;
    case 11: p = new CShapeExplosion(a, b); break;
    case 12: p = new CShapeMoon(a, b); break;
    case 13: p = new CShapeSun(a, b); break;
    case 14: p = new CLine(a, b); break;
    case 15:
    {
        CFreehandLine* pLine = new CFreehandLine(a, b);
        for (int j = 0; j <= 12; j++)
            pLine->AddPoint(CPoint(x + j * 5, y + 20 + (int)(18 * sin(j / 2.0))));
        p = pLine;
        break;
    }
    case 16:
    {
        CClosedCurve* pCurve = new CClosedCurve(a, b);
        for (int j = 0; j <= 12; j++)
        {
            const double t = j * 2 * 3.14159265 / 12;
            const double r = j % 2 ? 12 : 20;
            pCurve->AddPoint(CPoint(x + 30 + (int)(r * 1.5 * cos(t)), y + 20 + (int)(r * sin(t))));
        }
        p = pCurve;
        break;
    }
    case 17:
    case 18:
    {
        CText* pText = k == 17 ? new CText(a, b) : new CDbText(a, b);
        pText->m_strText = k == 17 ? "Label text" : "<<Name>>";
        pText->m_nHAlign = i % 3;
        pText->m_nVAlign = (i / 3) % 3;
        p = pText;
        break;
    }
    case 19:
        p = new CBtImage(a, b, pPicture, 850, 1100);
        p->m_rect.SetRect(x, y, x + 60, y + 40);
        break;
    default:
        p = new CShapeArrowR(a, b);
        break;
    }
    // Every fourth shape takes another fill kind, every seventh a shadow, every fifth turns.
    if (k < 14 && i % 4 == 0)
        p->m_nFillKind = 1 + (i / 4) % 42;
    if (i % 7 == 0)
        p->m_bShadow = TRUE;
    if (i % 5 == 0 && k != 14)
        p->m_nAngle = 45 * ((i / 5) % 8);
    p->m_clrShadow = 0xFFC8C8C8;
    return p;
}

// 1,000 elements spread over the page in z-order: at the bottom a background picture of
// the page's size (as background pictures are made), then the shapes, lines, texts and
// one clip-art picture.
inline void BuildDesign(CDesign& design, size_t nElements)
{
    CPicturePtr pPicture = MakePicture(160, 120);
    design.emplace_back(new CBkgImage(MakePicture(kPageWidth, kPageHeight), kPageWidth, kPageHeight));
    int nPictures = 0;
    for (int i = 0; design.size() < nElements; i++)
    {
        int k = i % 20;   // 0..19: the shapes, lines, texts and clip-art
        if (k == 19 && nPictures++ > 0)
            k = 20;       // one clip-art picture only
        const int x = 10 + (i * 53) % (kPageWidth - 80);
        const int y = 10 + ((i * 37) / 3) % (kPageHeight - 60);
        design.emplace_back(MakeElement(k, i, x, y, pPicture));
    }
}

inline double Now()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

} // namespace benchdesign
