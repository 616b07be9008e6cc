// bench_drawing.cpp - draws 1,000 mixed elements (every class, gradients and hatches,
// texts, one picture) onto a letter-size page at 100 % and 300 % zoom, as the design view
// does (one DrawDC per element on a zoomed memory DC holding a bitmap compatible with the
// screen), and prints the times. For comparison also on a 32-bit DIB section and through
// DrawGraphics on a 32-bit bitmap.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <afx.h>
#include <afxwin.h>

#include <stdio.h>
#include <math.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Elements.h"

using namespace Gdiplus;

namespace
{
const int kPageWidth = 850;      // hundredths of an inch
const int kPageHeight = 1100;
const int kElements = 1000;
const int kRuns = 7;

typedef std::vector<std::unique_ptr<CElement>> CDesign;

// A picture of w x h pixels: a disc on a green field.
CPicturePtr MakePicture(int w, int h)
{
    CPicturePtr pBitmap(new Bitmap(w, h, PixelFormat32bppARGB));
    Graphics g(pBitmap.get());
    g.Clear(Color(0xFF70C070));
    SolidBrush brush(Color(0xFFFF9020));
    g.FillEllipse(&brush, w / 4, h / 6, w / 2, w / 2);
    return pBitmap;
}

// The element of class index k (0..20) at (x, y), 60 x 40, with varied styles.
CElement* MakeElement(int k, int i, int x, int y, CPicturePtr pPicture)
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
void BuildDesign(CDesign& design)
{
    CPicturePtr pPicture = MakePicture(160, 120);
    design.emplace_back(new CBkgImage(MakePicture(kPageWidth, kPageHeight), kPageWidth, kPageHeight));
    int nPictures = 0;
    for (int i = 0; design.size() < (size_t)kElements; i++)
    {
        int k = i % 20;   // 0..19: the shapes, lines, texts and clip-art
        if (k == 19 && nPictures++ > 0)
            k = 20;       // one clip-art picture only
        const int x = 10 + (i * 53) % (kPageWidth - 80);
        const int y = 10 + ((i * 37) / 3) % (kPageHeight - 60);
        design.emplace_back(MakeElement(k, i, x, y, pPicture));
    }
}

double Now()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

// Milliseconds of one full drawing of the design through DrawDC at a zoom (median of the
// runs; the best in fBest), on a screen-compatible bitmap or on a 32-bit DIB section.
double TimeDrawDC(CDesign& design, float fZoom, bool bDibSection, double& fBest)
{
    const int w = (int)(kPageWidth * fZoom), h = (int)(kPageHeight * fZoom);
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = NULL;
    if (bDibSection)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* pBits = NULL;
        hBitmap = CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    }
    else
    {
        hBitmap = CreateCompatibleBitmap(hScreen, w, h);
    }
    ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL)
    {
        DeleteDC(hDC);
        fBest = 0;
        return 0;
    }
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    CDC dc;
    dc.Attach(hDC);
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowExtEx(hDC, kPageWidth, kPageHeight, NULL);
    SetViewportExtEx(hDC, w, h, NULL);

    std::vector<double> times;
    for (int run = 0; run < kRuns; run++)
    {
        PatBlt(hDC, 0, 0, kPageWidth, kPageHeight, WHITENESS);
        const double t0 = Now();
        for (auto& p : design)
            p->DrawDC(&dc);
        GdiFlush();
        times.push_back(Now() - t0);
    }
    dc.Detach();
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    std::sort(times.begin(), times.end());
    fBest = times.front();
    return times[times.size() / 2];
}

// The same drawn through DrawGraphics on one graphics of a 32-bit bitmap with a zoom.
double TimeDrawGraphics(CDesign& design, float fZoom)
{
    const int w = (int)(kPageWidth * fZoom), h = (int)(kPageHeight * fZoom);
    Bitmap bitmap(w, h, PixelFormat32bppARGB);
    Graphics g(&bitmap);
    std::vector<double> times;
    for (int run = 0; run < kRuns; run++)
    {
        g.ResetTransform();
        g.Clear(Color(0xFFFFFFFF));
        const double t0 = Now();
        for (auto& p : design)
        {
            g.ScaleTransform(fZoom, fZoom);
            p->DrawGraphics(&g);
        }
        g.Flush(FlushIntentionSync);
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
}

int main()
{
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, NULL) != Ok)
    {
        printf("GDI+ did not start\n");
        return 1;
    }
    {
        CDesign design;
        BuildDesign(design);
        printf("%u elements on a letter page (850 x 1100), median of %d runs\n",
               (unsigned)design.size(), kRuns);

        // One drawing first: font lookups and hatch checks happen once per process.
        double fBest = 0;
        TimeDrawDC(design, 1.0f, false, fBest);

        const double f100 = TimeDrawDC(design, 1.0f, false, fBest);
        printf("DrawDC on the view's surface, zoom 100%%: %8.1f ms (best %.1f ms)%s\n", f100,
               fBest, f100 < 150.0 ? "" : "  [above the 150 ms target]");
        const double f300 = TimeDrawDC(design, 3.0f, false, fBest);
        printf("DrawDC on the view's surface, zoom 300%%: %8.1f ms (best %.1f ms)\n", f300, fBest);
        printf("DrawDC on a 32-bit DIB section, zoom 100%%: %8.1f ms\n",
               TimeDrawDC(design, 1.0f, true, fBest));
        printf("DrawDC on a 32-bit DIB section, zoom 300%%: %8.1f ms\n",
               TimeDrawDC(design, 3.0f, true, fBest));
        printf("DrawGraphics on a 32-bit bitmap, zoom 100%%: %8.1f ms\n",
               TimeDrawGraphics(design, 1.0f));
        printf("DrawGraphics on a 32-bit bitmap, zoom 300%%: %8.1f ms\n",
               TimeDrawGraphics(design, 3.0f));
    }
    GdiplusShutdown(token);
    return 0;
}
