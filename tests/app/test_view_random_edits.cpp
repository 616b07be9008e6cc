// Random edit sequences through the view's input (clicks, drags, arrow keys, Delete) on
// designs of every kind, turned, shadowed and outlined: after every step the window shows
// exactly what a plain paint of everything shows.

#include "doc_program.h"
#include "test_support.h"
#include "test_random.h"
#include "window_picture.h"
#include "window_test_environment.h"
#include "app/DesignPaint.h"
#include "model/Elements.h"

#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

class ViewRandomEdits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pDoc = m_program.NewPlainDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL);
        ASSERT_TRUE(m_pView != NULL);
        m_pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
        m_pDoc->m_nDesignWidth = 850;
        m_pDoc->m_nDesignHeight = 1100;
        m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
        m_pView->m_bDisplayGrid = FALSE;
        PumpPendingMessages();
    }
    void TearDown() override { SetPlainDesignPaint(FALSE); }

    // The client area's pixels after a paint.
    std::vector<COLORREF> Capture()
    {
        m_pView->Invalidate(FALSE);
        m_pView->UpdateWindow();
        return CaptureClientPixels(m_pView->m_hWnd, &m_nWidth);
    }

    // Pixels where the window as it shows now differs from the plain paint; the first one
    // in *pFirst.
    int CountDifferencesFromPlain(CPoint* pFirst)
    {
        const std::vector<COLORREF> shown = Capture();
        SetPlainDesignPaint(TRUE);
        const std::vector<COLORREF> plain = Capture();
        SetPlainDesignPaint(FALSE);
        if (shown.empty() || shown.size() != plain.size())
            return -1;
        int nDiffer = 0;
        for (size_t i = 0; i < shown.size(); i++)
        {
            if ((shown[i] & 0xFFFFFF) != (plain[i] & 0xFFFFFF) && nDiffer++ == 0)
                *pFirst = CPoint((int)(i % m_nWidth), (int)(i / m_nWidth));
        }
        return nDiffer;
    }

    CPoint Pixel(CPoint ptDoc)
    {
        m_pView->LogicalToDevice(ptDoc);
        return ptDoc;
    }

    void PostKey(UINT nKey)
    {
        ::PostMessageA(m_pView->m_hWnd, WM_KEYDOWN, nKey, 1);
        ::PostMessageA(m_pView->m_hWnd, WM_KEYUP, nKey, 0xC0000001);
        PumpPendingMessages();
    }

    void Click(CPoint ptDoc)
    {
        const CPoint pt = Pixel(ptDoc);
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPendingMessages();
    }

    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        const CPoint a = Pixel(ptFrom), b = Pixel(ptTo);
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
        ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
        ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
        PumpPendingMessages();
    }

    // A design of random elements of every kind within the window's part of the page.
    void BuildDesign(CTestRandom& random, int nCount)
    {
        for (int i = 0; i < nCount; i++)
        {
            const int w = random.Range(20, 160), h = random.Range(20, 120);
            const CPoint a(random.Range(40, 560), random.Range(40, 460)), b(a.x + w, a.y + h);
            CElement* p = NULL;
            switch (random.Range(0, 15))
            {
            case 0: p = new CRectangle(a, b); break;
            case 1: p = new CCircle(a, b); break;
            case 2: p = new CRhombus(a, b); break;
            case 3: p = new CRectRound(a, b); break;
            case 4: p = new CTriangle(a, b); break;
            case 5: p = new CCalloutBL(a, b); break;
            case 6: p = new CCalloutBR(a, b); break;
            case 7: p = new CShapeParallelo(a, b); break;
            case 8: p = new CShapeArrowL(a, b); break;
            case 9: p = new CShapeArrowR(a, b); break;
            case 10: p = new CShapeStar(a, b); break;
            case 11: p = new CShapeExplosion(a, b); break;
            case 12: p = new CShapeMoon(a, b); break;
            case 13: p = new CShapeSun(a, b); break;
            case 14: p = new CLine(a, b); break;
            default:
            {
                CText* pText = new CText(a, b);
                pText->m_strText = "Wide WW text";
                p = pText;
                break;
            }
            }
            p->m_nLineWidth = random.Range(0, 6);
            p->m_nFillKind = random.Range(0, 3) == 0 ? random.Range(2, 42) : 1;
            p->m_clrFill = 0xFF000000 | (DWORD)random.Range(0, 0xFFFFFF);
            p->m_clrLine = 0xFF000000 | (DWORD)random.Range(0, 0x7F7F7F);
            p->m_bShadow = random.Range(0, 1);
            p->m_nShadowLength = random.Range(4, 16);
            p->m_clrShadow = 0xFF707070;
            p->m_nAngle = random.Range(0, 2) == 0 ? random.Range(-180, 180) : 0;
            p->m_nSide = 1;
            m_pDoc->m_listElements.AddTail(p);
        }
        m_pDoc->UpdateAllViews(NULL);
        PumpPendingMessages();
    }

    // An element of the design picked at random, or NULL.
    CElement* Pick(CTestRandom& random)
    {
        const int nCount = (int)m_pDoc->m_listElements.GetCount();
        if (nCount == 0)
            return NULL;
        POSITION pos = m_pDoc->m_listElements.FindIndex(random.Range(0, nCount - 1));
        return pos != NULL ? m_pDoc->m_listElements.GetAt(pos) : NULL;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    int m_nWidth = 0;
};

} // namespace

TEST_F(ViewRandomEdits, EveryStepShowsWhatAPlainPaintShows)
{
    static const unsigned long long kSeeds[] = { 0x1B5E3A01ULL, 0x2C77F402ULL, 0x3D0E2B03ULL, 0x4E91C804ULL,
                                                 0x5FA03105ULL, 0x60C4D906ULL };
    const float kZooms[] = { 1.0f, 0.75f, 1.5f };
    for (int nSeed = 0; nSeed < (int)(sizeof(kSeeds) / sizeof(kSeeds[0])); nSeed++)
    {
        CTestRandom random(kSeeds[nSeed]);
        m_pDoc->m_tracker.RemoveAll();
        m_pDoc->m_listSelection.RemoveAll();
        m_pDoc->DeleteContents();
        m_pDoc->m_nDesignWidth = 850;
        m_pDoc->m_nDesignHeight = 1100;
        m_pView->SetZoom(kZooms[nSeed % 3]);
        m_pView->OnInitialUpdate();
        m_pView->ScrollToPosition(CPoint(0, 0));
        BuildDesign(random, 24);
        for (int nStep = 0; nStep < 14; nStep++)
        {
            CElement* p = Pick(random);
            ASSERT_TRUE(p != NULL);
            const CPoint ptCentre = p->GetRect().CenterPoint();
            const int nAction = random.Range(0, 9);
            SCOPED_TRACE(testing::Message() << "seed " << std::hex << kSeeds[nSeed] << std::dec << " step " << nStep
                                            << " action " << nAction << " on kind " << p->m_nKind);
            if (nAction <= 4)
            {
                // select it and nudge it
                Click(ptCentre);
                static const UINT kKeys[] = { VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT };
                const int nPresses = random.Range(1, 3);
                const UINT nKey = kKeys[random.Range(0, 3)];
                for (int i = 0; i < nPresses; i++)
                    PostKey(nKey);
            }
            else if (nAction <= 8)
            {
                // drag it elsewhere
                const CPoint ptTo(ptCentre.x + random.Range(-120, 120), ptCentre.y + random.Range(-120, 120));
                Drag(ptCentre, CPoint(std::max(10L, ptTo.x), std::max(10L, ptTo.y)));
            }
            else
            {
                Click(ptCentre);
                PostKey(VK_DELETE);
            }
            CPoint ptFirst(0, 0);
            const int nDiffer = CountDifferencesFromPlain(&ptFirst);
            ASSERT_EQ(0, nDiffer) << "first at " << ptFirst.x << "," << ptFirst.y;
        }
    }
}
