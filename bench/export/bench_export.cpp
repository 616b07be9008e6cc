// bench_export.cpp - exports a letter-size two-sided design (50 elements of mixed kinds
// and a 1200 x 900 clip-art picture) to PDF at each quality 1 to 6 and to PNG at 300 dots
// per inch, and prints the times (median of 3) and the file sizes. Then Save As Image of
// large designs (the mixed elements spread over them): 2,500 x 2,500 at 600 dpi and
// 9,000 x 7,000 at 300 dpi as PNG, with the wall time and the peak growth of private
// memory. BENCH_EXPORT_LARGE=0 leaves the large designs out; BENCH_EXPORT_ONE_PIECE=1
// draws them in one picture as the program did before it drew in bands.

#include <windows.h>
#include "test_support.h"
#include <objidl.h>
#include <gdiplus.h>

#include <afx.h>
#include <afxwin.h>

#include <stdio.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <atomic>
#include <thread>
#include <psapi.h>
#include <vector>

#include "memory_watch.h"
#include "message_box_recorder.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"
#include "output/PdfExport.h"
#include "output/PictureExport.h"

using namespace Gdiplus;

namespace
{
const int kElements = 50;
const int kRuns = 3;

CPicturePtr MakePicture(int w, int h)
{
    CPicturePtr pBitmap(new Bitmap(w, h, PixelFormat32bppARGB));
    Graphics g(pBitmap.get());
    LinearGradientBrush gradient(Point(0, 0), Point(w, h), Color(0xFF2060C0), Color(0xFFF0E060));
    g.FillRectangle(&gradient, 0, 0, w, h);
    SolidBrush brush(Color(0xFFFF9020));
    g.FillEllipse(&brush, w / 4, h / 6, w / 2, w / 2);
    return pBitmap;
}

CElement* MakeElement(int i, int x, int y)
{
    const CPoint a(x, y), b(x + 150, y + 90);
    CElement* p = NULL;
    switch (i % 8)
    {
    case 0: p = new CRectangle(a, b); break;
    case 1: p = new CCircle(a, b); break;
    case 2: p = new CShapeStar(a, b); break;
    case 3: p = new CRectRound(a, b); break;
    case 4: p = new CShapeArrowR(a, b); break;
    case 5: p = new CShapeSun(a, b); break;
    case 6:
    {
        CText* pText = new CText(a, b);
        pText->m_strText = "Stickwell export benchmark";
        p = pText;
        break;
    }
    default: p = new CLine(a, b); break;
    }
    p->m_nFillKind = 1 + (i * 5) % 42;
    p->m_clrFill = 0xFF000000 | (0x4080C0 + i * 0x0A0B0C);
    p->m_clrPattern = 0xFFFFFFFF;
    p->m_bShadow = i % 3 == 0;
    p->m_clrShadow = 0xFFC8C8C8;
    p->m_nShadowLength = 6;
    p->m_nAngle = (i % 5 == 0) ? 30 : 0;
    p->m_nSide = i < kElements / 2 ? 1 : 2;
    return p;
}

void BuildDesign(CVarnelDoc& doc)
{
    doc.m_nPublicationType = 5;         // flyer: front and back
    doc.m_nDesignWidth = 850;
    doc.m_nDesignHeight = 1100;
    doc.m_clrBackgroundFront = 0xFFFFFFF0;
    doc.m_clrBackgroundBack = 0xFFE0F0FF;
    for (int i = 0; i < kElements; i++)
    {
        const int j = i % (kElements / 2);
        doc.m_listElements.AddTail(MakeElement(i, 30 + (j % 5) * 160, 40 + (j / 5) * 210));
    }
    CBtImage* pImage = new CBtImage(CPoint(200, 300), CPoint(0, 0), MakePicture(1200, 900), 850, 1100);
    pImage->m_rect.SetRect(200, 300, 650, 640);
    pImage->m_nSide = 1;
    doc.m_listElements.AddTail(pImage);
}

// A design of w x h units with the mixed elements repeated over it.
void BuildLargeDesign(CVarnelDoc& doc, int w, int h)
{
    doc.m_nPublicationType = 6;
    doc.m_nDesignWidth = w;
    doc.m_nDesignHeight = h;
    doc.m_clrBackgroundFront = 0xFFFFFFF0;
    int i = 0;
    for (int y = 40; y + 120 < h; y += h / 10)
        for (int x = 30; x + 160 < w; x += w / 10)
        {
            CElement* p = MakeElement(i++, x, y);
            p->m_nSide = 1;
            doc.m_listElements.AddTail(p);
        }
    CBtImage* pImage = new CBtImage(CPoint(w / 3, h / 3), CPoint(0, 0), MakePicture(1200, 900), w, h);
    pImage->m_rect.SetRect(w / 3, h / 3, w / 3 + 450, h / 3 + 340);
    pImage->m_nSide = 1;
    doc.m_listElements.AddTail(pImage);
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return (double)(b.QuadPart - a.QuadPart) / (double)f.QuadPart;
}

LONGLONG FileSize(const CString& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(strPath, GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

template <typename F>
double MedianSeconds(F run)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    std::vector<double> times;
    for (int r = 0; r < kRuns; r++)
    {
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        run();
        ::QueryPerformanceCounter(&b);
        times.push_back(Seconds(a, b, f));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main()
{
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    GdiplusStartup(&token, &input, NULL);
    {
        CVarnelDoc doc;
        BuildDesign(doc);
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        const CString strFolder = szTemp;
        CMessageBoxRecorder boxes;
        // BENCH_EXPORT_KEEP=1 keeps the files in the temporary folder for a look
        const bool bKeep = getenv("BENCH_EXPORT_KEEP") != NULL;

        printf("letter, two sides, %d elements and a 1200 x 900 picture; median of %d runs\n", kElements, kRuns);
        for (int q = 1; q <= 6; q++)
        {
            CString strPdf;
            strPdf.Format("%sbench_export_q%d.pdf", (LPCTSTR)strFolder, q);
            BOOL bOk = TRUE;
            const double t = MedianSeconds([&] {
                bOk = ExportPdfPages(doc, strPdf, MakeTempPicturePattern(), (float)q, -1, NULL) && bOk;
            });
            printf("PDF quality %d (%4d x %4d px per page): %7.3f s, %9lld bytes%s\n", q, 850 * q, 1100 * q, t,
                   FileSize(strPdf), bOk ? "" : "  FAILED");
            if (!bKeep)
                ::DeleteFileA(strPdf);
        }
        const CString strPng = strFolder + "bench_export.png";
        BOOL bOk = TRUE;
        const double t = MedianSeconds([&] {
            std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(doc, 1, 3.0f, GetSidePageColor(doc, 1)));
            bOk = pBitmap != NULL && WriteBitmapFile(pBitmap.get(), strPng) && bOk;
        });
        printf("PNG 300 dpi (2550 x 3300 px), side 1: %7.3f s, %9lld bytes%s\n", t, FileSize(strPng),
               bOk ? "" : "  FAILED");
        if (!bKeep)
            ::DeleteFileA(strPng);
        if (boxes.GetCount() != 6 * kRuns)
            printf("unexpected messages: %d\n", boxes.GetCount());

        const char* pszLarge = getenv("BENCH_EXPORT_LARGE");
        const bool bOnePiece = getenv("BENCH_EXPORT_ONE_PIECE") != NULL;
        const struct { int w, h, dpi; } large[] = {{2500, 2500, 600}, {9000, 7000, 300}};
        for (const auto& c : large)
        {
            if (pszLarge != NULL && strcmp(pszLarge, "0") == 0)
                break;
            CVarnelDoc big;
            BuildLargeDesign(big, c.w, c.h);
            CString strBig;
            strBig.Format("%sbench_export_%dx%d.png", (LPCTSTR)strFolder, c.w, c.h);
            const int s = c.dpi / 100;
            LARGE_INTEGER f, a, b;
            ::QueryPerformanceFrequency(&f);
            CMemoryWatch watch;
            ::QueryPerformanceCounter(&a);
            BOOL bBig = FALSE;
            if (bOnePiece)
            {
                std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(big, 1, (float)s, GetSidePageColor(big, 1)));
                bBig = pBitmap != NULL && WriteBitmapFile(pBitmap.get(), strBig);
            }
            else
            {
                bBig = WriteSidePicture(big, 1, s, GetSidePageColor(big, 1), strBig);
            }
            ::QueryPerformanceCounter(&b);
            watch.Stop();
            printf("Save As Image %d x %d at %d dpi (%d x %d px, PNG%s): %7.1f s, peak memory +%.0f MB, %lld bytes%s\n",
                   c.w, c.h, c.dpi, c.w * s, c.h * s, bOnePiece ? ", one piece" : "", Seconds(a, b, f),
                   watch.PeakGrowthMB(), FileSize(strBig), bBig ? "" : "  FAILED");
            fflush(stdout);
            ::DeleteFileA(strBig);
        }
    }
    GdiplusShutdown(token);
    return 0;
}
