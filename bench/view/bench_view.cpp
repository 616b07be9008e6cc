// bench_view.cpp - full redraws of the design view: a typical 50-element design at 100 %
// and 300 %, and the 1,000-element design of the drawing benchmark, each painted through
// the view's own paint path (off-screen bitmap of the whole client area) in an 1000 x 700
// frame. Prints the median and best of the runs in milliseconds.

#include "bench/common/bench_design.h"

#include "app/VarnelView.h"
#include "model/VarnelDoc.h"

#include <stdio.h>

#include <algorithm>

using namespace benchdesign;

namespace
{
const int kRuns = 15;

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("bench_view") {}
};

// A letter page holding the first nElements of the mixed design.
void FillDocument(CVarnelDoc& doc, size_t nElements)
{
    CDesign design;
    BuildDesign(design, nElements);
    doc.m_nDesignWidth = kPageWidth;
    doc.m_nDesignHeight = kPageHeight;
    doc.m_nSide = 1;
    for (auto& pElement : design)
    {
        pElement->m_nSide = 1;
        doc.m_listElements.AddTail(pElement.release());
    }
}

double TimeRedraws(CVarnelView* pView, float fZoom, double& fBest)
{
    pView->SetZoom(fZoom);
    std::vector<double> times;
    for (int run = 0; run < kRuns; run++)
    {
        pView->Invalidate(FALSE);
        const double t0 = Now();
        pView->UpdateWindow();
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    fBest = times.front();
    return times[times.size() / 2];
}
} // namespace

int main()
{
    CBenchApp app;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    GdiplusStartup(&token, &input, NULL);

    const struct { size_t nElements; float fZoom; } cases[] = {
        {50, 1.0f}, {50, 3.0f}, {1000, 1.0f}, {1000, 3.0f},
    };
    printf("full redraws of the design view, 1000 x 700 frame, %d runs each\n", kRuns);
    for (const auto& c : cases)
    {
        CVarnelDoc* pDoc = new CVarnelDoc;
        FillDocument(*pDoc, c.nElements);
        CFrameWnd* pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CVarnelView);
        context.m_pCurrentDoc = pDoc;
        if (!pFrame->Create(NULL, "bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 700), NULL, NULL, 0, &context))
        {
            printf("frame not created\n");
            return 1;
        }
        pFrame->InitialUpdateFrame(pDoc, TRUE);
        CVarnelView* pView = DYNAMIC_DOWNCAST(CVarnelView, pFrame->GetActiveView());
        if (pView == NULL)
        {
            printf("no view\n");
            return 1;
        }
        double fBest = 0;
        const double fMedian = TimeRedraws(pView, c.fZoom, fBest);
        printf("%4u elements at %3d %%: median %7.2f ms, best %7.2f ms\n", (unsigned)c.nElements,
               (int)(c.fZoom * 100), fMedian, fBest);
        pFrame->DestroyWindow();
    }
    GdiplusShutdown(token);
    return 0;
}
