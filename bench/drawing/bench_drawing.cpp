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

#include "bench/common/bench_design.h"

using namespace Gdiplus;

namespace
{
using namespace benchdesign;

const int kElements = 1000;
const int kRuns = 7;

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
        BuildDesign(design, kElements);
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
