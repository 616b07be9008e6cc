// bench_view.cpp - what the design view draws and how long it takes, through its own
// paint path in a 1000 x 700 frame. Designs: a typical one (a page-sized background
// picture and 49 elements) and the 1,000-element design of the drawing benchmark, on a
// letter page scrolled so that the page's middle is in the window's middle.
//
// Cases, each named after what the timed paint draws:
// - full paint: the kept frame dropped before each paint, so every element in the window
//   is drawn (the background stays scaled to the zoom); the 1,000 elements also with one
//   kind of work taken out, which shows what each costs;
// - full paint at a new zoom: a zoom command (in and out in turn, or a jump between 100 %
//   and 300 % as the Zoom menu makes it) and its paint, the scaled backgrounds dropped
//   first, so the background is scaled anew; and a step after the view's idle time, in which it scales the backgrounds of the next zooms and
//   draws the frames they show (the step then draws only what differs);
// - kept frame: a repaint with nothing changed;
// - changed strip: a repaint after one element in the window's middle moved by a unit;
// - after a scroll: a scroll by a line, a page or the thumb (down and up in turn) and its
//   paint;
// - full paint, kept gradient fills dropped: as a full paint, with every gradient fill
//   worked out anew (as at a new zoom), and how many fills are kept after it.
// Each prints the median and the best of the runs in milliseconds and the processor time
// of a run (the mean, which a busy machine disturbs least). Last, a publication of 10,000
// elements is opened in the program to an idle window (a process of its own each time).

#include "bench/common/bench_design.h"

#include "app_program.h"
#include "app/DesignPaint.h"
#include "app/VarnelView.h"
#include "model/FillPainter.h"
#include "model/VarnelDoc.h"
#include "resource.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>

using namespace benchdesign;

namespace
{
const int kRuns = 21;
const int kOpenRuns = 5;
const int kOpenElements = 10000;

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
    case PLAIN_FILLS: return ", gradients as plain fills";
    case NO_SHADOWS: return ", without shadows";
    case NO_OUTLINES: return ", shapes without outlines";
    case NO_TEXTS: return ", without texts";
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
    SCROLLINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(pView->m_hWnd, nBar, &info))
        return;
    const int nPos = info.nMin + (info.nMax - info.nMin + 1 - (int)info.nPage) / 2;
    if (nPos <= info.nMin)
        return;
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

// Dispatches what the queue holds.
void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// What a timed run does.
enum Action
{
    FULL_PAINT,         // the kept frame dropped, then a paint
    NEW_ZOOM,           // zoom in and out in turn (backgrounds dropped first), and the paint
    NEW_ZOOM_JUMP,      // 300 % from 100 % and back in turn (from the case's zoom), the same
    ZOOM_AHEAD,         // as NEW_ZOOM, the backgrounds dropped and a paint's idle time let pass first
    KEPT_FRAME,         // a paint with nothing changed
    CHANGED_STRIP,      // the element nearest the window's middle moved by a unit, and a paint
    SCROLL_LINE,        // a scroll by a line down and up in turn, and the paint
    SCROLL_PAGE,
    SCROLL_THUMB,       // the thumb dragged by a tenth of the range down and up in turn
    FULL_PAINT_COLD     // as FULL_PAINT, the kept gradient fills dropped too
};

// What a timed run draws, for the report.
const char* ActionName(Action nAction)
{
    switch (nAction)
    {
    case FULL_PAINT: return "full paint";
    case NEW_ZOOM: return "full paint at a new zoom (zoom step), background scaled anew";
    case NEW_ZOOM_JUMP: return "full paint at a new zoom (jump between 100 % and 300 %), background scaled anew";
    case ZOOM_AHEAD: return "full paint at a new zoom (zoom step) after idle time";
    case KEPT_FRAME: return "kept frame, nothing changed";
    case CHANGED_STRIP: return "changed strip, one element nudged";
    case SCROLL_LINE: return "after a scroll by a line";
    case SCROLL_PAGE: return "after a scroll by a page";
    case SCROLL_THUMB: return "after a scroll by the thumb";
    case FULL_PAINT_COLD: return "full paint, kept gradient fills dropped";
    }
    return "";
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

// The step of the zoom ladder above fZoom (below at the top).
UINT ZoomStepCommand(float fZoom, bool bFirst)
{
    const bool bIn = fZoom < 3.0f ? bFirst : !bFirst;
    return bIn ? ID_VIEW_ZOOM_IN : ID_VIEW_ZOOM_OUT;
}

// Lets the view use its idle time (scaling the next zooms' backgrounds), as between the
// steps of a user.
void WaitWhileScalingAhead(CVarnelView* pView)
{
    const double t0 = Now();
    while (pView->IsScalingAhead() && Now() - t0 < 10000)
    {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
}

// Times kRuns runs of an action at a zoom, the window scrolled to the page's middle.
double TimeRuns(CVarnelView* pView, float fZoom, Action nAction, double& fBest, double& fCpu)
{
    pView->SendMessage(WM_COMMAND, ZoomCommand(fZoom), 0);
    ScrollToMiddle(pView, SB_HORZ);
    ScrollToMiddle(pView, SB_VERT);
    pView->Invalidate(FALSE);
    pView->UpdateWindow();
    Pump();
    CElement* pNudged = nAction == CHANGED_STRIP ? ElementInTheMiddle(pView) : NULL;
    SCROLLINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(pView->m_hWnd, SB_VERT, &info);
    const int nThumbStep = (info.nMax - info.nMin + 1) / 10;
    const int nThumbFrom = info.nPos;
    std::vector<double> times;
    double fCpuSum = 0;
    for (int run = 0; run < kRuns; run++)
    {
        const bool bFirst = run % 2 == 0;
        if (nAction == FULL_PAINT || nAction == FULL_PAINT_COLD)
            ForgetDrawnFrames();
        if (nAction == FULL_PAINT_COLD)
            ForgetGradientFills();
        if (nAction == NEW_ZOOM || nAction == NEW_ZOOM_JUMP)
            ForgetDrawnBackgrounds();
        if (nAction == ZOOM_AHEAD)
        {
            // only what the idle time scaled is kept for the step
            ForgetDrawnBackgrounds();
            pView->Invalidate(FALSE);
            pView->UpdateWindow();
            WaitWhileScalingAhead(pView);
        }
        if (pNudged != NULL)
        {
            const CRect rect = pNudged->GetRect() + CPoint(bFirst ? 1 : -1, 0);
            pNudged->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        }
        const double fCpu0 = ThreadCpuMs();
        const double t0 = Now();
        switch (nAction)
        {
        case NEW_ZOOM:
        case ZOOM_AHEAD:
            pView->SendMessage(WM_COMMAND, ZoomStepCommand(fZoom, bFirst), 0);
            break;
        case NEW_ZOOM_JUMP:
            pView->SendMessage(WM_COMMAND, ZoomCommand(bFirst ? (fZoom == 3.0f ? 1.0f : 3.0f) : fZoom), 0);
            break;
        case SCROLL_LINE:
            pView->SendMessage(WM_VSCROLL, MAKEWPARAM(bFirst ? SB_LINEDOWN : SB_LINEUP, 0), 0);
            break;
        case SCROLL_PAGE:
            pView->SendMessage(WM_VSCROLL, MAKEWPARAM(bFirst ? SB_PAGEDOWN : SB_PAGEUP, 0), 0);
            break;
        case SCROLL_THUMB:
            pView->OnScroll(MAKEWORD(0xFF, SB_THUMBTRACK), nThumbFrom + (bFirst ? nThumbStep : 0));
            break;
        default:
            pView->Invalidate(FALSE);
            break;
        }
        pView->UpdateWindow();
        Pump();
        times.push_back(Now() - t0);
        fCpuSum += ThreadCpuMs() - fCpu0;
    }
    fCpu = fCpuSum / kRuns;
    std::sort(times.begin(), times.end());
    fBest = times.front();
    return times[times.size() / 2];
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Counts the paints of design views (sent and posted).
int g_nViewPaints = 0;

LRESULT CALLBACK CountPaints(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->message == WM_PAINT
        && DYNAMIC_DOWNCAST(CVarnelView, CWnd::FromHandlePermanent(p->hwnd)) != NULL)
        g_nViewPaints++;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// One process: opens the publication in the program, maximised, to an idle window; writes
// the seconds and the number of view paints to strResult.
int OpenOnce(const char* pszPublication, const char* pszResult)
{
    CMessageBoxRecorder boxes;
    CAppProgram program("QuorvaneBench", CSize(1024, 768));
    if (!program.m_bStarted)
    {
        fprintf(stderr, "the program did not start\n");
        return 1;
    }
    PumpPendingMessages();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, NULL, ::GetCurrentThreadId());
    const double t0 = Now();
    CDocument* pDoc = program.m_pApp->OpenDocumentFile(pszPublication);
    // to idle: the queue empty and the program's idle work done
    for (int nRound = 0; nRound < 4; nRound++)
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_PAINT && DYNAMIC_DOWNCAST(CVarnelView, CWnd::FromHandlePermanent(msg.hwnd)) != NULL)
                g_nViewPaints++;
            if (!program.m_pApp->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        for (LONG nIdle = 0; program.m_pApp->OnIdle(nIdle); nIdle++)
            ;
    }
    const double fSeconds = (Now() - t0) / 1000.0;
    if (pDoc == NULL)
        fprintf(stderr, "%s did not open\n", pszPublication);
    ::UnhookWindowsHookEx(hHook);
    CVarnelView* pView = program.ActiveView();
    FILE* pFile = fopen(pszResult, "w");
    if (pFile == NULL)
        return 1;
    fprintf(pFile, "%f %d %d %d\n", fSeconds, g_nViewPaints,
            pView != NULL ? (int)(pView->GetZoom() * 100 + 0.5f) : 0,
            pDoc != NULL ? (int)((CVarnelDoc*)pDoc)->m_listElements.GetCount() : 0);
    fclose(pFile);
    return pDoc != NULL && pView != NULL ? 0 : 1;
}

// Writes the publication the open case reads: the mixed design of kOpenElements.
bool WritePublication(const CString& strPath, Variant nVariant)
{
    CVarnelDoc doc;
    FillDocument(doc, kOpenElements, nVariant);
    try
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return true;
}

// Opens the publication kOpenRuns times, each in a process of its own.
void BenchOpen(const char* pszProgram, Variant nVariant)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const CString strPublication = CString(szTemp) + "stickwell_bench_view.labf";
    const CString strResult = CString(szTemp) + "stickwell_bench_view_result.txt";
    if (!WritePublication(strPublication, nVariant))
    {
        printf("the publication was not written\n");
        return;
    }
    std::vector<double> seconds;
    int nPaints = 0, nZoom = 0, nElements = 0;
    for (int run = 0; run < kOpenRuns; run++)
    {
        ::DeleteFileA(strResult);
        std::string strCommand = std::string("\"") + pszProgram + "\" --open \"" + (LPCTSTR)strPublication
                                 + "\" \"" + (LPCTSTR)strResult + "\"";
        STARTUPINFOA si;
        memset(&si, 0, sizeof(si));
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi;
        memset(&pi, 0, sizeof(pi));
        if (!::CreateProcessA(pszProgram, &strCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        {
            printf("cannot start\n");
            return;
        }
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        FILE* pFile = fopen(strResult, "r");
        double fSeconds = 0;
        if (pFile == NULL || fscanf(pFile, "%lf %d %d %d", &fSeconds, &nPaints, &nZoom, &nElements) != 4)
        {
            printf("the open run gave no result\n");
            if (pFile != NULL)
                fclose(pFile);
            return;
        }
        fclose(pFile);
        seconds.push_back(fSeconds);
    }
    ::DeleteFileA(strResult);
    ::DeleteFileA(strPublication);
    printf("%d elements%s: open to an idle window, median %.3f s, best %.3f s (%d runs; %d paints of the view, "
           "zoom %d %%, %d elements read)\n",
           kOpenElements, VariantName(nVariant), Median(seconds), *std::min_element(seconds.begin(), seconds.end()), kOpenRuns, nPaints,
           nZoom, nElements - 1);
}
} // namespace

// Runs every case (or one kind), then the open case.
int main(int argc, char* argv[])
{
    if (argc >= 4 && strcmp(argv[1], "--open") == 0)
        return OpenOnce(argv[2], argv[3]);
    // an argument runs the cases of one kind: full, zoom, kept, strip, scroll or open
    const char* pszOnly = argc >= 2 ? argv[1] : NULL;
    const bool bOpenOnly = pszOnly != NULL && strcmp(pszOnly, "open") == 0;

    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    GdiplusStartup(&token, &input, NULL);
    if (!bOpenOnly)
    {
        CBenchApp app;
        AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);

        const struct { size_t nElements; float fZoom; Variant nVariant; Action nAction; } cases[] = {
            {50, 0.25f, AS_DESIGNED, FULL_PAINT}, {50, 0.5f, AS_DESIGNED, FULL_PAINT},
            {50, 0.75f, AS_DESIGNED, FULL_PAINT}, {50, 1.0f, AS_DESIGNED, FULL_PAINT},
            {50, 1.5f, AS_DESIGNED, FULL_PAINT}, {50, 2.0f, AS_DESIGNED, FULL_PAINT},
            {50, 3.0f, AS_DESIGNED, FULL_PAINT},
            {1000, 0.25f, AS_DESIGNED, FULL_PAINT}, {1000, 1.0f, AS_DESIGNED, FULL_PAINT},
            {1000, 3.0f, AS_DESIGNED, FULL_PAINT},
            {1000, 1.0f, PLAIN_FILLS, FULL_PAINT}, {1000, 3.0f, PLAIN_FILLS, FULL_PAINT},
            {1000, 1.0f, NO_SHADOWS, FULL_PAINT}, {1000, 3.0f, NO_SHADOWS, FULL_PAINT},
            {1000, 1.0f, NO_OUTLINES, FULL_PAINT}, {1000, 3.0f, NO_OUTLINES, FULL_PAINT},
            {1000, 1.0f, NO_TEXTS, FULL_PAINT}, {1000, 3.0f, NO_TEXTS, FULL_PAINT},
            {50, 1.0f, AS_DESIGNED, NEW_ZOOM}, {50, 3.0f, AS_DESIGNED, NEW_ZOOM},
            {1000, 1.0f, AS_DESIGNED, NEW_ZOOM}, {1000, 3.0f, AS_DESIGNED, NEW_ZOOM},
            {50, 1.0f, AS_DESIGNED, NEW_ZOOM_JUMP}, {1000, 1.0f, AS_DESIGNED, NEW_ZOOM_JUMP},
            {50, 1.0f, AS_DESIGNED, ZOOM_AHEAD}, {50, 3.0f, AS_DESIGNED, ZOOM_AHEAD},
            {1000, 1.0f, AS_DESIGNED, ZOOM_AHEAD}, {1000, 3.0f, AS_DESIGNED, ZOOM_AHEAD},
            {1000, 1.0f, PLAIN_FILLS, ZOOM_AHEAD}, {1000, 3.0f, PLAIN_FILLS, ZOOM_AHEAD},
            {50, 1.0f, AS_DESIGNED, KEPT_FRAME}, {50, 3.0f, AS_DESIGNED, KEPT_FRAME},
            {1000, 1.0f, AS_DESIGNED, KEPT_FRAME}, {1000, 3.0f, AS_DESIGNED, KEPT_FRAME},
            {50, 1.0f, AS_DESIGNED, CHANGED_STRIP}, {50, 3.0f, AS_DESIGNED, CHANGED_STRIP},
            {1000, 1.0f, AS_DESIGNED, CHANGED_STRIP}, {1000, 3.0f, AS_DESIGNED, CHANGED_STRIP},
            {50, 1.0f, AS_DESIGNED, SCROLL_LINE}, {50, 3.0f, AS_DESIGNED, SCROLL_LINE},
            {1000, 1.0f, AS_DESIGNED, SCROLL_LINE}, {1000, 3.0f, AS_DESIGNED, SCROLL_LINE},
            {1000, 1.0f, PLAIN_FILLS, SCROLL_LINE}, {1000, 3.0f, PLAIN_FILLS, SCROLL_LINE},
            {1000, 1.0f, AS_DESIGNED, SCROLL_PAGE}, {1000, 3.0f, AS_DESIGNED, SCROLL_PAGE},
            {1000, 1.0f, AS_DESIGNED, SCROLL_THUMB}, {1000, 3.0f, AS_DESIGNED, SCROLL_THUMB},
            {1000, 0.25f, AS_DESIGNED, FULL_PAINT_COLD}, {1000, 1.0f, AS_DESIGNED, FULL_PAINT_COLD},
            {1000, 3.0f, AS_DESIGNED, FULL_PAINT_COLD},
        };
        printf("the design view in a 1000 x 700 frame, %d runs each\n", kRuns);
        const struct { const char* pszName; Action nFirst; Action nLast; } kinds[] = {
            {"full", FULL_PAINT, FULL_PAINT}, {"zoom", NEW_ZOOM, ZOOM_AHEAD}, {"kept", KEPT_FRAME, KEPT_FRAME},
            {"strip", CHANGED_STRIP, CHANGED_STRIP}, {"scroll", SCROLL_LINE, SCROLL_THUMB},
            {"gradients", FULL_PAINT_COLD, FULL_PAINT_COLD} };
        for (const auto& c : cases)
        {
            bool bRun = pszOnly == NULL;
            for (const auto& k : kinds)
                bRun = bRun || (strcmp(pszOnly, k.pszName) == 0 && c.nAction >= k.nFirst && c.nAction <= k.nLast);
            if (!bRun)
                continue;
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
            ForgetDrawnBackgrounds();
            double fBest = 0, fCpu = 0;
            const double fMedian = TimeRuns(pView, c.fZoom, c.nAction, fBest, fCpu);
            printf("%4u elements at %3d %%: %s%s: median %7.2f ms, best %7.2f ms, processor %7.2f ms\n",
                   (unsigned)c.nElements, (int)(c.fZoom * 100), ActionName(c.nAction), VariantName(c.nVariant),
                   fMedian, fBest, fCpu);
            if (c.nAction == FULL_PAINT_COLD)
            {
                size_t nFills = 0, nBytes = 0;
                GetKeptGradientFills(nFills, nBytes);
                printf("  gradient fills kept after a paint: %u, %.1f MB\n", (unsigned)nFills, nBytes / 1048576.0);
            }
            fflush(stdout);
            pFrame->DestroyWindow();
        }
    }
    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
    if (pszOnly == NULL || bOpenOnly)
    {
        BenchOpen(szProgram, AS_DESIGNED);
        BenchOpen(szProgram, PLAIN_FILLS);
    }
    GdiplusShutdown(token);
    return 0;
}
