// bench_view.cpp - redraws of the design view: a typical design (a page-sized
// background picture and 49 elements) at every zoom from 25 % to 300 %, and the
// 1,000-element design of the drawing benchmark at 100 % and 300 %, each painted through
// the view's own paint path (off-screen bitmap of the whole client area) in an 1000 x 700
// frame, scrolled so that the page's middle is in the middle of the window. Prints the
// median and best of the runs in milliseconds and the processor time of a paint (the
// mean over the runs, which a busy machine disturbs least). Then the 1,000 elements again
// with one kind of work taken out (gradient fills made plain, no shadows, no outlines, no
// texts), which shows what each costs of a paint. These paints forget the view's kept
// frame first, so everything is drawn; the last cases repaint with nothing changed and
// after one element in the window's middle moved by a unit, as a nudge does.

#include "bench/common/bench_design.h"

#include "app/DesignPaint.h"
#include "app/VarnelView.h"
#include "model/VarnelDoc.h"
#include "resource.h"

#include <stdio.h>

#include <algorithm>

using namespace benchdesign;

namespace
{
const int kRuns = 21;

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("bench_view") {}
};

// What a variant of the design takes out.
enum Variant
{
    AS_DESIGNED,
    PLAIN_FILLS,        // gradient fills (kinds 25..42) made plain fills
    NO_SHADOWS,
    NO_OUTLINES,        // line width 0 (lines and curves keep theirs)
    NO_TEXTS            // the texts left out (the rest stay where they are)
};

const char* VariantName(Variant nVariant)
{
    switch (nVariant)
    {
    case PLAIN_FILLS: return "gradients as plain fills";
    case NO_SHADOWS: return "without shadows";
    case NO_OUTLINES: return "shapes without outlines";
    case NO_TEXTS: return "without texts";
    default: return "";
    }
}

// A letter page holding the first nElements of the mixed design.
void FillDocument(CVarnelDoc& doc, size_t nElements, Variant nVariant = AS_DESIGNED)
{
    CDesign design;
    BuildDesign(design, nElements);
    for (auto it = design.begin(); it != design.end();)
    {
        CElement* p = it->get();
        const bool bLine = p->IsKindOf(RUNTIME_CLASS(CLine)) || p->IsKindOf(RUNTIME_CLASS(CFreehandLine));
        if (nVariant == PLAIN_FILLS && p->m_nFillKind >= 25 && p->m_nFillKind <= 42)
            p->m_nFillKind = 1;
        else if (nVariant == NO_SHADOWS)
            p->m_bShadow = FALSE;
        else if (nVariant == NO_OUTLINES && !bLine && p->m_nKind != KIND_BACKGROUND)
            p->m_nLineWidth = 0;
        else if (nVariant == NO_TEXTS && p->IsKindOf(RUNTIME_CLASS(CText)))
        {
            it = design.erase(it);
            continue;
        }
        ++it;
    }
    doc.m_nDesignWidth = kPageWidth;
    doc.m_nDesignHeight = kPageHeight;
    doc.m_nSide = 1;
    for (auto& pElement : design)
    {
        pElement->m_nSide = 1;
        doc.m_listElements.AddTail(pElement.release());
    }
}

// The zoom command of a factor.
UINT ZoomCommand(float fZoom)
{
    const struct { float f; UINT n; } commands[] = {
        {0.25f, ID_VIEW_ZOOM_25}, {0.5f, ID_VIEW_ZOOM_50}, {0.75f, ID_VIEW_ZOOM_75}, {1.0f, ID_VIEW_ZOOM_100},
        {1.5f, ID_VIEW_ZOOM_150}, {2.0f, ID_VIEW_ZOOM_200}, {3.0f, ID_VIEW_ZOOM_300} };
    for (const auto& c : commands)
        if (c.f == fZoom)
            return c.n;
    return ID_VIEW_ZOOM_100;
}

// Scrolls a bar to the middle of its range, as dragging its thumb there does.
void ScrollToMiddle(CVarnelView* pView, int nBar)
{
    SCROLLINFO info = { sizeof(info), SIF_ALL };
    if (!::GetScrollInfo(pView->m_hWnd, nBar, &info))
        return;
    const int nPos = info.nMin + (info.nMax - info.nMin + 1 - (int)info.nPage) / 2;
    if (nPos <= info.nMin)
        return;
    // the scroll of a thumb dragged to nPos
    pView->OnScroll(nBar == SB_HORZ ? MAKEWORD(SB_THUMBTRACK, 0xFF) : MAKEWORD(0xFF, SB_THUMBTRACK), nPos);
}

// Processor time of this thread in milliseconds (kernel and user).
double ThreadCpuMs()
{
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    if (!::GetThreadTimes(::GetCurrentThread(), &ftCreate, &ftExit, &ftKernel, &ftUser))
        return 0;
    const ULONGLONG k = ((ULONGLONG)ftKernel.dwHighDateTime << 32) | ftKernel.dwLowDateTime;
    const ULONGLONG u = ((ULONGLONG)ftUser.dwHighDateTime << 32) | ftUser.dwLowDateTime;
    return (double)(k + u) / 10000.0;
}

// What happens before each timed paint.
enum Repaint
{
    DRAWN_ANEW,         // the kept frame forgotten: everything is drawn
    UNCHANGED,          // nothing changed since the last paint
    NUDGED              // the element nearest the window's middle moved by one unit
};

const char* RepaintName(Repaint nRepaint)
{
    switch (nRepaint)
    {
    case UNCHANGED: return ", nothing changed";
    case NUDGED: return ", one element nudged";
    default: return "";
    }
}

// The element of the shown side whose centre lies nearest the window's middle.
CElement* ElementInTheMiddle(CVarnelView* pView)
{
    CRect rectClient;
    pView->GetClientRect(&rectClient);
    CPoint ptMiddle = rectClient.CenterPoint();
    pView->DeviceToLogical(ptMiddle);
    CVarnelDoc* pDoc = pView->GetDocument();
    CElement* pNearest = NULL;
    double fNearest = 0;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* p = pDoc->m_listElements.GetNext(pos);
        if (p->m_nKind == KIND_BACKGROUND || p->m_nSide != pDoc->m_nSide)
            continue;
        const CPoint ptCentre = p->GetRect().CenterPoint();
        const double f = (double)(ptCentre.x - ptMiddle.x) * (ptCentre.x - ptMiddle.x)
                         + (double)(ptCentre.y - ptMiddle.y) * (ptCentre.y - ptMiddle.y);
        if (pNearest == NULL || f < fNearest)
        {
            pNearest = p;
            fNearest = f;
        }
    }
    return pNearest;
}

double TimeRedraws(CVarnelView* pView, float fZoom, Repaint nRepaint, double& fBest, double& fCpu)
{
    pView->SendMessage(WM_COMMAND, ZoomCommand(fZoom), 0);
    ScrollToMiddle(pView, SB_HORZ);
    ScrollToMiddle(pView, SB_VERT);
    pView->Invalidate(FALSE);
    pView->UpdateWindow();
    CElement* pNudged = nRepaint == NUDGED ? ElementInTheMiddle(pView) : NULL;
    std::vector<double> times;
    double fCpuSum = 0;
    for (int run = 0; run < kRuns; run++)
    {
        if (nRepaint == DRAWN_ANEW)
            ForgetDrawnFrames();
        if (pNudged != NULL)
        {
            const CRect rect = pNudged->GetRect() + CPoint(run % 2 == 0 ? 1 : -1, 0);
            pNudged->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        }
        pView->Invalidate(FALSE);
        const double fCpu0 = ThreadCpuMs();
        const double t0 = Now();
        pView->UpdateWindow();
        times.push_back(Now() - t0);
        fCpuSum += ThreadCpuMs() - fCpu0;
    }
    fCpu = fCpuSum / kRuns;
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

    const struct { size_t nElements; float fZoom; Variant nVariant; Repaint nRepaint; } cases[] = {
        {50, 0.25f, AS_DESIGNED, DRAWN_ANEW}, {50, 0.5f, AS_DESIGNED, DRAWN_ANEW}, {50, 0.75f, AS_DESIGNED, DRAWN_ANEW},
        {50, 1.0f, AS_DESIGNED, DRAWN_ANEW}, {50, 1.5f, AS_DESIGNED, DRAWN_ANEW}, {50, 2.0f, AS_DESIGNED, DRAWN_ANEW},
        {50, 3.0f, AS_DESIGNED, DRAWN_ANEW},
        {1000, 1.0f, AS_DESIGNED, DRAWN_ANEW}, {1000, 3.0f, AS_DESIGNED, DRAWN_ANEW},
        {1000, 1.0f, PLAIN_FILLS, DRAWN_ANEW}, {1000, 3.0f, PLAIN_FILLS, DRAWN_ANEW},
        {1000, 1.0f, NO_SHADOWS, DRAWN_ANEW}, {1000, 3.0f, NO_SHADOWS, DRAWN_ANEW},
        {1000, 1.0f, NO_OUTLINES, DRAWN_ANEW}, {1000, 3.0f, NO_OUTLINES, DRAWN_ANEW},
        {1000, 1.0f, NO_TEXTS, DRAWN_ANEW}, {1000, 3.0f, NO_TEXTS, DRAWN_ANEW},
        {50, 1.0f, AS_DESIGNED, UNCHANGED}, {50, 3.0f, AS_DESIGNED, UNCHANGED},
        {50, 1.0f, AS_DESIGNED, NUDGED}, {50, 3.0f, AS_DESIGNED, NUDGED},
        {1000, 1.0f, AS_DESIGNED, UNCHANGED}, {1000, 3.0f, AS_DESIGNED, UNCHANGED},
        {1000, 1.0f, AS_DESIGNED, NUDGED}, {1000, 3.0f, AS_DESIGNED, NUDGED},
    };
    printf("redraws of the design view, 1000 x 700 frame, %d runs each\n", kRuns);
    for (const auto& c : cases)
    {
        CVarnelDoc* pDoc = new CVarnelDoc;
        FillDocument(*pDoc, c.nElements, c.nVariant);
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
        double fBest = 0, fCpu = 0;
        const double fMedian = TimeRedraws(pView, c.fZoom, c.nRepaint, fBest, fCpu);
        const CPoint ptScroll = pView->GetScrollPosition();
        printf("%4u elements at %3d %%: median %7.2f ms, best %7.2f ms, processor %7.2f ms a paint"
               " (zoom %d %%, scrolled to %d, %d)%s%s%s\n",
               (unsigned)c.nElements, (int)(c.fZoom * 100), fMedian, fBest, fCpu,
               (int)(pView->GetZoom() * 100 + 0.5f), (int)ptScroll.x, (int)ptScroll.y,
               c.nVariant != AS_DESIGNED ? ", " : "", VariantName(c.nVariant), RepaintName(c.nRepaint));
        pFrame->DestroyWindow();
    }
    GdiplusShutdown(token);
    return 0;
}
