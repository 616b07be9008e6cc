// The design view's paint: elements that cannot reach the window are not drawn, a
// background picture stays scaled until the zoom, the side or the picture changes, and
// the pixels are those of the plain paint that draws everything anew (zoom, scroll,
// rotation, shadow, grid).

#include "doc_program.h"
#include "test_support.h"
#include "window_test_environment.h"
#include "temp_folder.h"
#include "app/DesignPaint.h"
#include "model/Elements.h"
#include "model/PictureLoad.h"

#include <limits.h>
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

using namespace Gdiplus;

namespace
{

// A rectangle that counts its drawings.
class CCountingRect : public CRectangle
{
public:
    CCountingRect(CPoint a, CPoint b) : CRectangle(a, b) {}
    void DrawDC(CDC* pDC) override
    {
        ++m_nDrawn;
        CRectangle::DrawDC(pDC);
    }
    void DrawGraphics(Graphics* pGraphics) override
    {
        ++m_nDrawn;
        CRectangle::DrawGraphics(pGraphics);
    }
    int m_nDrawn = 0;
};

// Counts the paint messages design views receive, sent or taken from the queue.
class CViewPaintCounter
{
public:
    CViewPaintCounter()
    {
        s_nPaints = 0;
        m_hSent = ::SetWindowsHookExA(WH_CALLWNDPROC, Sent, NULL, ::GetCurrentThreadId());
        m_hQueued = ::SetWindowsHookExA(WH_GETMESSAGE, Queued, NULL, ::GetCurrentThreadId());
    }
    ~CViewPaintCounter()
    {
        ::UnhookWindowsHookEx(m_hSent);
        ::UnhookWindowsHookEx(m_hQueued);
    }
    int Take()
    {
        const int n = s_nPaints;
        s_nPaints = 0;
        return n;
    }

private:
    static bool IsView(HWND hWnd) { return DYNAMIC_DOWNCAST(CVarnelView, CWnd::FromHandlePermanent(hWnd)) != NULL; }
    static LRESULT CALLBACK Sent(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
        if (nCode == HC_ACTION && p->message == WM_PAINT && IsView(p->hwnd))
            s_nPaints++;
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static LRESULT CALLBACK Queued(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const MSG* p = (const MSG*)lParam;
        if (nCode == HC_ACTION && wParam == PM_REMOVE && p->message == WM_PAINT && IsView(p->hwnd))
            s_nPaints++;
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    HHOOK m_hSent;
    HHOOK m_hQueued;
    static int s_nPaints;
};
int CViewPaintCounter::s_nPaints = 0;

// A picture with detail everywhere: bands of colour and a disc.
CPicturePtr MakeDetailedPicture(int w, int h)
{
    CPicturePtr p(new Bitmap(w, h, PixelFormat32bppARGB));
    Graphics g(p.get());
    LinearGradientBrush gradient(Point(0, 0), Point(w, h), Color(0xFF2060C0), Color(0xFFF0E060));
    g.FillRectangle(&gradient, 0, 0, w, h);
    for (int i = 0; i < 12; i++)
    {
        SolidBrush brush(Color(0xFF000000 | (0x203040 * (i + 1))));
        g.FillRectangle(&brush, (i * w) / 12, (i * h) / 24, w / 30 + 1, h / 2);
    }
    SolidBrush disc(Color(0xFFFF9020));
    g.FillEllipse(&disc, w / 4, h / 6, w / 2, w / 2);
    return p;
}

class ViewPaint : public ::testing::Test
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
        m_pDoc->m_nPublicationType = 3;     // postcard: two sides
        m_pDoc->m_nDesignWidth = 850;
        m_pDoc->m_nDesignHeight = 1100;
        m_pDoc->m_clrBackgroundFront = 0xFFFFFFFF;
        m_pDoc->m_clrBackgroundBack = 0xFF00FF00;
        m_pView->m_bDisplayGrid = FALSE;
        SetZoom(1.0f);
        ForgetDrawnBackgrounds();
    }
    void TearDown() override
    {
        SetPlainDesignPaint(FALSE);
        ForgetDrawnBackgrounds();
    }

    void Drain() { PumpPendingMessages(); }

    void SetZoom(float fZoom)
    {
        m_pView->SetZoom(fZoom);
        m_pView->OnInitialUpdate();
        m_pView->ScrollToPosition(CPoint(0, 0));
        Drain();
    }

    // Scrolls so that the window's top-left corner shows page point (x, y), as dragging
    // the thumbs there does.
    void ScrollToUnits(int x, int y, bool bExpectReached = true)
    {
        const float fZoom = m_pView->GetZoom();
        m_pView->OnScroll(MAKEWORD(SB_THUMBTRACK, 0xFF), (UINT)(x * fZoom));
        m_pView->OnScroll(MAKEWORD(0xFF, SB_THUMBTRACK), (UINT)(y * fZoom));
        Drain();
        CPoint pt(0, 0);
        m_pView->DeviceToLogical(pt);
        if (bExpectReached)
        {
            EXPECT_NEAR(x, pt.x, 1);
            EXPECT_NEAR(y, pt.y, 1);
        }
    }

    void Paint()
    {
        m_pView->Invalidate(FALSE);
        m_pView->UpdateWindow();
    }

    // The client area's pixels after a paint.
    std::vector<COLORREF> Capture()
    {
        Paint();
        CRect rect;
        m_pView->GetClientRect(&rect);
        CClientDC dc(m_pView);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        BITMAPINFO info = TopDownPixelsInfo(rect.Width(), rect.Height());
        void* pBits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
        std::vector<COLORREF> pixels;
        if (hBitmap == NULL)
            return pixels;
        HGDIOBJ hOld = ::SelectObject(dcMem.m_hDC, hBitmap);
        ::BitBlt(dcMem.m_hDC, 0, 0, rect.Width(), rect.Height(), dc.m_hDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        const DWORD* p = (const DWORD*)pBits;
        pixels.assign(p, p + (size_t)rect.Width() * rect.Height());
        ::SelectObject(dcMem.m_hDC, hOld);
        ::DeleteObject(hBitmap);
        m_nWidth = rect.Width();
        return pixels;
    }

    // Every pixel of the normal paint is that of the plain one; with nOffByOne, up to that
    // many pixels may differ by one level (where the library's smoothing of an element
    // depends on where on the device it is drawn).
    void ExpectSamePixels(const std::vector<COLORREF>& plain, const std::vector<COLORREF>& fast,
                          size_t nOffByOne = 0)
    {
        ASSERT_EQ(plain.size(), fast.size());
        ASSERT_FALSE(plain.empty());
        size_t nDiffer = 0, nFirst = 0;
        CRect rectDiffer(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        int nMaxDelta = 0;
        for (size_t i = 0; i < plain.size(); i++)
        {
            if ((plain[i] & 0xFFFFFF) != (fast[i] & 0xFFFFFF))
            {
                if (nDiffer++ == 0)
                    nFirst = i;
                const int x = (int)(i % m_nWidth), y = (int)(i / m_nWidth);
                rectDiffer.left = std::min<LONG>(rectDiffer.left, x);
                rectDiffer.top = std::min<LONG>(rectDiffer.top, y);
                rectDiffer.right = std::max<LONG>(rectDiffer.right, x);
                rectDiffer.bottom = std::max<LONG>(rectDiffer.bottom, y);
                for (int c = 0; c < 24; c += 8)
                    nMaxDelta = std::max(nMaxDelta, abs((int)((plain[i] >> c) & 0xFF) - (int)((fast[i] >> c) & 0xFF)));
            }
        }
        if (nOffByOne > 0 && nDiffer <= nOffByOne && nMaxDelta <= 1)
            return;
        EXPECT_EQ(0u, nDiffer) << "first at " << nFirst % m_nWidth << "," << nFirst / m_nWidth << " within "
                               << rectDiffer.left << "," << rectDiffer.top << "-" << rectDiffer.right << ","
                               << rectDiffer.bottom << " by up to " << nMaxDelta;
    }

    // The window as it shows now (the normal paint's frame), against the plain paint.
    void ExpectShownAsPlain(size_t nOffByOne = 0)
    {
        const std::vector<COLORREF> shown = Capture();
        SetPlainDesignPaint(TRUE);
        const std::vector<COLORREF> plain = Capture();
        SetPlainDesignPaint(FALSE);
        ExpectSamePixels(plain, shown, nOffByOne);
    }

    // The page's pixels inside its border are those of the library's drawing of the whole
    // background picture at its size on the device (nothing over it); where the picture is
    // not opaque, that drawing over the page's white, within a level.
    void ExpectBackgroundAsDrawnWhole(Bitmap* pPicture)
    {
        const std::vector<COLORREF> shown = Capture();
        ASSERT_FALSE(shown.empty());
        CRect rectPage(0, 0, m_pDoc->m_nDesignWidth, m_pDoc->m_nDesignHeight);
        m_pView->LogicalToDeviceRect(rectPage);
        const CSize size = rectPage.Size();
        Bitmap whole(size.cx, size.cy, PixelFormat32bppPARGB);
        {
            Graphics g(&whole);
            g.Clear(Color(0, 0, 0, 0));
            g.DrawImage(pPicture, RectF(0, 0, (REAL)size.cx, (REAL)size.cy), 0, 0, (REAL)pPicture->GetWidth(),
                        (REAL)pPicture->GetHeight(), UnitPixel);
        }
        BitmapData data;
        Rect rectLock(0, 0, size.cx, size.cy);
        ASSERT_EQ(Ok, whole.LockBits(&rectLock, ImageLockModeRead, PixelFormat32bppPARGB, &data));
        const int nHeight = (int)(shown.size() / m_nWidth);
        size_t nCompared = 0, nTranslucent = 0, nDiffer = 0;
        int nMaxDelta = 0;
        CPoint ptFirst(-1, -1);
        for (int y = std::max(0, (int)rectPage.top + 1); y < std::min(nHeight, (int)rectPage.bottom - 1); y++)
        {
            const DWORD* pRow = (const DWORD*)((const BYTE*)data.Scan0 + (ptrdiff_t)(y - rectPage.top) * data.Stride);
            for (int x = std::max(0, (int)rectPage.left + 1); x < std::min(m_nWidth, (int)rectPage.right - 1); x++)
            {
                const DWORD clrWhole = pRow[x - rectPage.left], clrShown = shown[(size_t)y * m_nWidth + x];
                const int nAlpha = (int)(clrWhole >> 24);
                nCompared++;
                nTranslucent += nAlpha != 0xFF;
                int nDelta = 0;
                for (int c = 0; c < 24; c += 8)
                {
                    const int nWhole = (int)((clrWhole >> c) & 0xFF) + (0xFF - nAlpha);
                    nDelta = std::max(nDelta, abs(nWhole - (int)((clrShown >> c) & 0xFF)));
                }
                if (nDelta == 0 || (nAlpha != 0xFF && nDelta <= 1))
                    continue;
                if (nDiffer++ == 0)
                    ptFirst = CPoint(x, y);
                nMaxDelta = std::max(nMaxDelta, nDelta);
            }
        }
        whole.UnlockBits(&data);
        EXPECT_GT(nCompared, 20000u);
        m_nTranslucent += nTranslucent;
        EXPECT_EQ(0u, nDiffer) << "the first at " << ptFirst.x << "," << ptFirst.y << ", by up to " << nMaxDelta;
    }

    // Paints, then lets the view do its idle work (scaling backgrounds, drawing frames for
    // the next zooms) until none is left, waiting for each timer message to be handled.
    void WaitWhileScalingAhead()
    {
        Paint();
        for (int n = 0; n < 2000 && m_pView->IsScalingAhead(); n++)
        {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
            Drain();
        }
        ASSERT_FALSE(m_pView->IsScalingAhead());
    }

    // Posts a command to the main window, as a menu or a toolbar button does.
    void PostCommand(UINT nCommand)
    {
        ::PostMessageA(m_program.m_pApp->m_pMainWnd->m_hWnd, WM_COMMAND, nCommand, 0);
        Drain();
    }

    // Posts a key press and release to the view, as the keyboard gives them.
    void PostKey(UINT nKey)
    {
        ::PostMessageA(m_pView->m_hWnd, WM_KEYDOWN, nKey, 1);
        ::PostMessageA(m_pView->m_hWnd, WM_KEYUP, nKey, 0xC0000001);
        Drain();
    }

    // Posts a click at page point (x, y) to the view.
    void PostClickAtUnits(int x, int y)
    {
        CPoint point(x, y);
        CClientDC dc(m_pView);
        m_pView->OnPrepareDC(&dc);
        dc.LPtoDP(&point);
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Drain();
    }

    template <class T>
    T* Add(T* pElement, int nSide = 1)
    {
        pElement->m_nSide = nSide;
        m_pDoc->m_listElements.AddTail(pElement);
        return pElement;
    }

    // A mixed design over a background picture: rotated and shadowed shapes, lines,
    // texts and a clip-art picture, spread over the whole page.
    void BuildMixedDesign()
    {
        Add(new CBkgImage(MakeDetailedPicture(425, 550), 850, 1100));
        for (int i = 0; i < 60; i++)
        {
            const int x = 20 + (i * 97) % 760;
            const int y = 20 + (i * 173) % 1020;
            const CPoint a(x, y), b(x + 70 + i % 3 * 20, y + 40 + i % 4 * 10);
            CElement* p = NULL;
            switch (i % 8)
            {
            case 0: p = new CRectangle(a, b); break;
            case 1: p = new CCircle(a, b); break;
            case 2: p = new CShapeStar(a, b); break;
            case 3: p = new CCalloutBL(a, b); break;
            case 4: p = new CShapeSun(a, b); break;
            case 5: p = new CLine(a, b); break;
            case 6:
            {
                CText* pText = new CText(a, b);
                pText->m_strText = "Paint";
                p = pText;
                break;
            }
            default: p = new CBtImage(a, b, MakeDetailedPicture(40, 30), 850, 1100); break;
            }
            p->m_rect.SetRect(a.x, a.y, b.x, b.y);
            p->m_nFillKind = i % 5 == 0 ? 1 + i % 42 : 1;
            p->m_clrFill = 0xFF000000 | (0x4080C0 + i * 0x0A0B0C);
            p->m_clrPattern = 0xFFFFFFFF;
            p->m_nLineWidth = i % 4;
            p->m_bShadow = i % 3 == 0;
            p->m_clrShadow = 0xFF808080;
            p->m_nShadowLength = 8;
            p->m_nAngle = i % 2 == 0 ? 30 * (i % 7) : 0;
            Add(p);
        }
        // an element on the other side
        CRectangle* pBack = Add(new CRectangle(CPoint(100, 100), CPoint(300, 300)), 2);
        pBack->m_nFillKind = 1;
        pBack->m_clrFill = 0xFFFF0000;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    int m_nWidth = 0;
    size_t m_nTranslucent = 0;      // translucent background pixels compared
};

} // namespace

TEST_F(ViewPaint, ElementsThatCannotReachTheWindowAreNotDrawn)
{
    SetZoom(3.0f);
    ScrollToUnits(100, 100);
    CRect rectClient;
    m_pView->GetClientRect(&rectClient);
    ASSERT_GT(rectClient.right, 3 * 120);
    ASSERT_GT(rectClient.bottom, 3 * 120);
    ASSERT_LT(rectClient.bottom, 3 * 600);

    CCountingRect* pShown = Add(new CCountingRect(CPoint(150, 150), CPoint(200, 200)));
    CCountingRect* pFar = Add(new CCountingRect(CPoint(700, 950), CPoint(800, 1050)));
    // above the window, but turned a quarter it reaches down into it
    CCountingRect* pTurned = Add(new CCountingRect(CPoint(150, 60), CPoint(250, 96)));
    pTurned->m_nAngle = 90;
    // above and left of the window, its shadow falls into it
    CCountingRect* pShadowed = Add(new CCountingRect(CPoint(20, 20), CPoint(95, 95)));
    pShadowed->m_bShadow = TRUE;
    pShadowed->m_nShadowLength = 30;
    // left of the window, its pen reaches into it
    CCountingRect* pWide = Add(new CCountingRect(CPoint(10, 150), CPoint(90, 200)));
    pWide->m_nLineWidth = 30;
    for (CCountingRect* p : {pShown, pFar, pTurned, pShadowed, pWide})
    {
        p->m_nFillKind = 1;
        p->m_clrFill = 0xFFFF0000;
    }

    Paint();
    EXPECT_GE(pShown->m_nDrawn, 1);
    EXPECT_EQ(0, pFar->m_nDrawn);
    EXPECT_GE(pTurned->m_nDrawn, 1);
    EXPECT_GE(pShadowed->m_nDrawn, 1);
    EXPECT_GE(pWide->m_nDrawn, 1);

    // scrolled to it, the far one is drawn
    ScrollToUnits(600, 850);
    Paint();
    EXPECT_GE(pFar->m_nDrawn, 1);
}

TEST_F(ViewPaint, BackgroundStaysScaledUntilZoomOrPictureChanges)
{
    // A picture changed in place shows only once the view scales it anew.
    CBkgImage* pBackground = Add(new CBkgImage(MakeDetailedPicture(200, 260), 850, 1100));
    auto Repaint = [&](DWORD clr) {
        Graphics g(pBackground->m_pBitmap.get());
        g.Clear(Color(clr));
    };
    const CPoint ptProbe(300, 40);             // client pixels, on the page
    CClientDC dc(m_pView);
    Paint();
    const COLORREF clrFirst = dc.GetPixel(ptProbe);
    EXPECT_NE(RGB(255, 0, 0), clrFirst);

    Repaint(0xFFFF0000);
    Paint();
    EXPECT_EQ(clrFirst, dc.GetPixel(ptProbe));
    ScrollToUnits(0, 300);
    Paint();
    ScrollToUnits(0, 0);
    Paint();
    EXPECT_EQ(clrFirst, dc.GetPixel(ptProbe));

    // another zoom scales it anew
    SetZoom(0.5f);
    Paint();
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(ptProbe.x / 2, ptProbe.y / 2));

    // kept while the zoom stays; the back side shows its own page
    Repaint(0xFF0000FF);
    Paint();
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(ptProbe.x / 2, ptProbe.y / 2));
    m_pView->SwitchSide(2);
    Paint();
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(ptProbe.x / 2, ptProbe.y / 2));   // the back's page
    m_pView->SwitchSide(1);

    // another picture
    pBackground->m_pBitmap = MakeDetailedPicture(100, 130);
    {
        Graphics g(pBackground->m_pBitmap.get());
        g.Clear(Color(0xFFFFFF00));
    }
    Paint();
    EXPECT_EQ(RGB(255, 255, 0), dc.GetPixel(ptProbe.x / 2, ptProbe.y / 2));
}

TEST_F(ViewPaint, IdleTimeScalesTheBackgroundForTheNextZooms)
{
    // While the view is idle it scales what the window would show of the background after
    // a zoom step in and out; the step then shows those pieces, the plain paint's pixels.
    CBkgImage* pBackground = Add(new CBkgImage(MakeDetailedPicture(425, 550), 850, 1100));
    ScrollToUnits(100, 200);
    auto PostZoom = [&](UINT nCommand) { PostCommand(nCommand); };
    WaitWhileScalingAhead();
    PostZoom(ID_VIEW_ZOOM_IN);
    ASSERT_FLOAT_EQ(1.5f, m_pView->GetZoom());
    ExpectShownAsPlain();
    PostZoom(ID_VIEW_ZOOM_100);
    WaitWhileScalingAhead();

    // the picture changed in place (as the program never does): the step out shows what
    // was scaled before
    {
        Graphics g(pBackground->m_pBitmap.get());
        g.Clear(Color(0xFFFF0000));
    }
    PostZoom(ID_VIEW_ZOOM_OUT);
    ASSERT_FLOAT_EQ(0.75f, m_pView->GetZoom());
    CClientDC dc(m_pView);
    EXPECT_NE(RGB(255, 0, 0), dc.GetPixel(300, 200));
    // a zoom the view did not scale ahead shows the picture as it is now
    PostZoom(ID_VIEW_ZOOM_25);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(100, 100));
}

TEST_F(ViewPaint, PixelsAreThoseOfThePlainPaintAtEveryZoomAndScroll)
{
    BuildMixedDesign();
    m_pView->m_bDisplayGrid = TRUE;
    m_pView->m_nGridType = 0;
    m_pView->m_nGridSize = 50;
    m_pView->m_clrGrid = 0xFF0000FF;
    m_pView->m_bInnerBorder = 1;
    const float zooms[] = {0.25f, 0.5f, 1.0f, 1.5f, 3.0f};
    const CPoint scrolls[] = {CPoint(0, 0), CPoint(213, 377), CPoint(425, 550)};
    for (float fZoom : zooms)
    {
        SetZoom(fZoom);
        for (const CPoint& ptScroll : scrolls)
        {
            SCOPED_TRACE(testing::Message() << "zoom " << fZoom << " scroll " << ptScroll.x << "," << ptScroll.y);
            ScrollToUnits(ptScroll.x, ptScroll.y, false);
            SetPlainDesignPaint(TRUE);
            const std::vector<COLORREF> plain = Capture();
            SetPlainDesignPaint(FALSE);
            Capture();                              // keeps the background
            const std::vector<COLORREF> fast = Capture();
            ExpectSamePixels(plain, fast);
            // the paint shows the design: more than the desk, the page and the grid
            std::vector<COLORREF> distinct(plain.begin(), plain.end());
            std::sort(distinct.begin(), distinct.end());
            EXPECT_GT(std::unique(distinct.begin(), distinct.end()) - distinct.begin(), 20);
        }
    }
    // the back side too
    m_pView->SwitchSide(2);
    SetZoom(1.0f);
    SetPlainDesignPaint(TRUE);
    const std::vector<COLORREF> plain = Capture();
    SetPlainDesignPaint(FALSE);
    EXPECT_TRUE(plain == Capture());
}

TEST_F(ViewPaint, EditsShowAsThePlainPaintDrawsThem)
{
    // The kept frame is drawn anew only where something changed: each edit must leave no
    // trace of what was there and draw what is there now, also at a zoom that does not
    // fall on whole pixels.
    BuildMixedDesign();
    CRectangle* pMoved = Add(new CRectangle(CPoint(250, 420), CPoint(330, 470)));
    pMoved->m_nFillKind = 31;           // a gradient
    pMoved->m_clrFill = 0xFF3050A0;
    pMoved->m_clrPattern = 0xFFFFE080;
    pMoved->m_nLineWidth = 3;
    pMoved->m_bShadow = TRUE;
    pMoved->m_clrShadow = 0xFF404040;
    pMoved->m_nShadowLength = 12;
    pMoved->m_nAngle = 20;
    SetZoom(1.5f);
    ScrollToUnits(213, 377, false);
    ExpectShownAsPlain();

    // selected by a click, moved by the arrow keys
    PostClickAtUnits(290, 445);
    ASSERT_EQ(1, (int)m_pDoc->m_listSelection.GetCount());
    ASSERT_EQ(pMoved, m_pDoc->m_listSelection.GetHead());
    for (UINT nKey : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_UP})
    {
        SCOPED_TRACE(testing::Message() << "key " << nKey);
        PostKey(nKey);
        ExpectShownAsPlain();
    }
    EXPECT_EQ(CRect(251, 419, 331, 469), pMoved->GetRect());

    // changed in place as the commands and the Properties bar do, then told to the views
    auto Changed = [&](const char* pszWhat) {
        SCOPED_TRACE(pszWhat);
        m_pDoc->UpdateAllViews(NULL);
        Drain();
        ExpectShownAsPlain();
    };
    CElement* pUnder = NULL;
    for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* p = m_pDoc->m_listElements.GetNext(pos);
        if (p->m_nKind != KIND_BACKGROUND && p->m_nSide == 1 && pUnder == NULL)
            pUnder = p;
    }
    ASSERT_TRUE(pUnder != NULL);
    pMoved->m_clrFill = 0xFFC02020;
    Changed("fill colour");
    pMoved->m_nAngle = 75;
    Changed("turned");
    pMoved->m_bShadow = FALSE;
    Changed("shadow off");
    pMoved->ResizeRect(200, 380, 420, 560);
    Changed("resized");
    pMoved->SetRect(330, 600, 550, 780);
    Changed("placed elsewhere");
    pMoved->ResizeRect(330, 600, 380, 640);
    Changed("made smaller");
    pUnder->m_nFillKind = 37;
    pUnder->m_nAngle = 45;
    Changed("an element below others");
    CText* pText = NULL;
    for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL && pText == NULL;)
        pText = DYNAMIC_DOWNCAST(CText, m_pDoc->m_listElements.GetNext(pos));
    ASSERT_TRUE(pText != NULL);
    pText->m_strText = "Another text, longer";
    pText->m_clrText = 0xFF00A000;
    Changed("text");
    CBtImage* pPicture = NULL;
    for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL && pPicture == NULL;)
        pPicture = DYNAMIC_DOWNCAST(CBtImage, m_pDoc->m_listElements.GetNext(pos));
    ASSERT_TRUE(pPicture != NULL);
    pPicture->m_pBitmap = MakeDetailedPicture(20, 60);
    Changed("another picture");
    // brought to the front, then deleted
    m_pDoc->m_listElements.RemoveAt(m_pDoc->m_listElements.Find(pUnder));
    m_pDoc->m_listElements.AddTail(pUnder);
    Changed("brought to the front");
    m_pDoc->m_tracker.RemoveAll();
    m_pDoc->m_listSelection.RemoveAll();
    m_pDoc->m_listElements.RemoveAt(m_pDoc->m_listElements.Find(pMoved));
    delete pMoved;
    Changed("deleted");
    // moved to the other side
    pUnder->m_nSide = 2;
    Changed("to the back");
    m_pView->m_nGridSize = 40;
    m_pView->m_bDisplayGrid = TRUE;
    Changed("grid");
    m_pDoc->m_clrBackgroundFront = 0xFFFFF0C0;
    Changed("page colour");
}

TEST_F(ViewPaint, APaintDrawsOnlyTheElementsNearWhatChanged)
{
    CCountingRect* pNudged = Add(new CCountingRect(CPoint(100, 100), CPoint(160, 140)));
    CCountingRect* pNeighbour = Add(new CCountingRect(CPoint(150, 120), CPoint(220, 180)));
    CCountingRect* pFar = Add(new CCountingRect(CPoint(400, 300), CPoint(460, 340)));
    for (CCountingRect* p : {pNudged, pNeighbour, pFar})
    {
        p->m_nFillKind = 1;
        p->m_clrFill = 0xFF2080F0;
    }
    Paint();
    auto Counts = [&]() {
        return std::vector<int>{pNudged->m_nDrawn, pNeighbour->m_nDrawn, pFar->m_nDrawn};
    };
    const std::vector<int> first = Counts();
    EXPECT_GE(first[2], 1);

    // nothing changed: the window is painted from the kept frame
    Paint();
    EXPECT_EQ(first, Counts());

    // a nudge draws the nudged element and what overlaps its places, nothing else
    PostClickAtUnits(110, 105);
    ASSERT_EQ(pNudged, m_pDoc->m_listSelection.GetCount() == 1 ? m_pDoc->m_listSelection.GetHead() : NULL);
    const std::vector<int> selected = Counts();
    PostKey(VK_DOWN);
    EXPECT_EQ(CRect(100, 101, 160, 141), pNudged->GetRect());
    const std::vector<int> nudged = Counts();
    EXPECT_GT(nudged[0], selected[0]);
    EXPECT_GT(nudged[1], selected[1]);
    EXPECT_EQ(selected[2], nudged[2]);

    // another zoom draws everything
    SetZoom(0.5f);
    Paint();
    EXPECT_GT(pFar->m_nDrawn, nudged[2]);
}

TEST_F(ViewPaint, EveryPixelOfTheWindowIsPaintedAtAZoomOffWholePixels)
{
    // At 150 % a scroll of 213 units puts the page's corner half a pixel off the grid;
    // the paint must still reach the window's first column and row.
    SetZoom(1.5f);
    ScrollToUnits(213, 377, false);
    CRect rectClient;
    m_pView->GetClientRect(&rectClient);
    for (int nRun = 0; nRun < 2; nRun++)
    {
        SCOPED_TRACE(nRun == 0 ? "plain" : "kept");
        SetPlainDesignPaint(nRun == 0);
        {
            CClientDC dc(m_pView);
            CBrush brush(RGB(255, 0, 255));
            dc.FillRect(&rectClient, &brush);
        }
        const std::vector<COLORREF> pixels = Capture();
        ASSERT_EQ((size_t)rectClient.Width() * rectClient.Height(), pixels.size());
        int nLeft = 0;
        for (int x = 0; x < rectClient.Width(); x++)
            nLeft += (pixels[x] & 0xFFFFFF) == 0xFF00FF;
        for (int y = 0; y < rectClient.Height(); y++)
            nLeft += (pixels[(size_t)y * rectClient.Width()] & 0xFFFFFF) == 0xFF00FF;
        EXPECT_EQ(0, nLeft);
    }
    SetPlainDesignPaint(FALSE);
}

TEST_F(ViewPaint, ScrollsShowWhatThePlainPaintDraws)
{
    // A scroll moves the kept frame and draws the strip it brings in: after lines, pages
    // and wheel notches both ways the window must be the plain paint's, at zooms on and
    // off whole pixels (patterns, texts, pictures and the background included).
    BuildMixedDesign();
    m_pView->m_bDisplayGrid = TRUE;
    m_pView->m_nGridType = 0;
    m_pView->m_nGridSize = 50;
    m_pView->m_bInnerBorder = 1;
    struct CScroll
    {
        UINT nMessage;
        WPARAM wParam;
    };
    const CScroll scrolls[] = {
        {WM_VSCROLL, SB_LINEDOWN}, {WM_HSCROLL, SB_LINEDOWN}, {WM_VSCROLL, SB_PAGEDOWN},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(-WHEEL_DELTA))}, {WM_HSCROLL, SB_PAGEDOWN},
        {WM_VSCROLL, SB_LINEUP}, {WM_HSCROLL, SB_LINEUP}, {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)},
        {WM_VSCROLL, SB_PAGEUP},
    };
    for (float fZoom : {1.0f, 1.5f, 3.0f})
    {
        SetZoom(fZoom);
        ScrollToUnits(213, 377, false);
        Paint();
        for (size_t nFirst = 0; nFirst < 2; nFirst++)
        {
            // each scroll seen, and a run of them shown at once
            SCOPED_TRACE(testing::Message() << "zoom " << fZoom << (nFirst == 0 ? ", each scroll" : ", a run"));
            int nMoved = 0;
            for (const CScroll& scroll : scrolls)
            {
                const CPoint ptBefore = m_pView->GetDeviceScrollPosition();
                ::PostMessageA(m_pView->m_hWnd, scroll.nMessage, scroll.wParam, 0);
                Drain();
                nMoved += m_pView->GetDeviceScrollPosition() != ptBefore;
                if (nFirst == 0)
                    ExpectShownAsPlain();
            }
            EXPECT_GE(nMoved, 7);
            if (nFirst == 1)
                ExpectShownAsPlain();
        }
    }
}

TEST_F(ViewPaint, RandomScrollsAndZoomsShowWhatThePlainPaintDraws)
{
    // Lines, pages, wheel notches and thumb drags on both bars at random zooms, each seen
    // against the plain paint; large elements and pictures reach across the window's and
    // the kept frame's edges.
    BuildMixedDesign();
    m_pView->m_bDisplayGrid = TRUE;
    m_pView->m_nGridType = 0;
    m_pView->m_nGridSize = 50;
    CCircle* pLarge = Add(new CCircle(CPoint(60, 200), CPoint(790, 760)));
    pLarge->m_nFillKind = 37;
    pLarge->m_clrFill = 0xFF2040A0;
    pLarge->m_clrPattern = 0xFFF0F080;
    pLarge->m_nAngle = 30;
    pLarge->m_nLineWidth = 4;
    Add(new CBtImage(CPoint(300, 100), CPoint(700, 1000), MakeDetailedPicture(60, 90), 850, 1100));
    CBtImage* pTurned = Add(new CBtImage(CPoint(50, 500), CPoint(600, 700), MakeDetailedPicture(50, 20), 850, 1100));
    pTurned->m_nAngle = 45;
    const UINT zooms[] = {ID_VIEW_ZOOM_50, ID_VIEW_ZOOM_75, ID_VIEW_ZOOM_100, ID_VIEW_ZOOM_150, ID_VIEW_ZOOM_200,
                          ID_VIEW_ZOOM_300};
    const unsigned nSeed = 4931;
    std::mt19937 random(nSeed);
    SetZoom(1.5f);
    Paint();
    int nMoved = 0;
    for (int nStep = 0; nStep < 60; nStep++)
    {
        const CPoint ptBefore = m_pView->GetDeviceScrollPosition();
        const int nKind = (int)(random() % 8);
        const UINT nBar = random() % 2 == 0 ? WM_VSCROLL : WM_HSCROLL;
        const bool bForward = random() % 2 == 0;
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        ::GetScrollInfo(m_pView->m_hWnd, nBar == WM_VSCROLL ? SB_VERT : SB_HORZ, &info);
        const int nRange = std::max(1, info.nMax - info.nMin + 2 - (int)info.nPage);
        SCOPED_TRACE(testing::Message() << "seed " << nSeed << " step " << nStep << " kind " << nKind);
        if (nKind == 0)
            ::PostMessageA(m_program.m_pApp->m_pMainWnd->m_hWnd, WM_COMMAND, zooms[random() % 6], 0);
        else if (nKind <= 3)
            ::PostMessageA(m_pView->m_hWnd, nBar, bForward ? SB_LINEDOWN : SB_LINEUP, 0);
        else if (nKind == 4)
            ::PostMessageA(m_pView->m_hWnd, nBar, bForward ? SB_PAGEDOWN : SB_PAGEUP, 0);
        else if (nKind == 5)
            ::PostMessageA(m_pView->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(bForward ? -WHEEL_DELTA : WHEEL_DELTA)), 0);
        else
            ::PostMessageA(m_pView->m_hWnd, nBar, MAKEWPARAM(SB_THUMBTRACK, info.nMin + (int)(random() % nRange)), 0);
        Drain();
        nMoved += m_pView->GetDeviceScrollPosition() != ptBefore;
        // a turned edge may take another level here and there after a move; a seam, a
        // stale strip or a picture drawn in pieces shows as more
        ExpectShownAsPlain(8);
        if (HasFailure())
            break;
    }
    EXPECT_GE(nMoved, 20);
}

TEST_F(ViewPaint, AScrollDrawsOnlyTheStripItBringsIntoView)
{
    ScrollToUnits(100, 100);
    CRect rectClient;
    m_pView->GetClientRect(&rectClient);
    // one in the window's middle, one just below its bottom edge
    const int nBottom = 100 + rectClient.bottom;
    CCountingRect* pMiddle = Add(new CCountingRect(CPoint(300, 300), CPoint(360, 340)));
    CCountingRect* pBelow = Add(new CCountingRect(CPoint(300, nBottom + 2), CPoint(360, nBottom + 40)));
    for (CCountingRect* p : {pMiddle, pBelow})
    {
        p->m_nFillKind = 26;
        p->m_clrFill = 0xFF2080F0;
    }
    Paint();
    ASSERT_GE(pMiddle->m_nDrawn, 1);
    const int nMiddle = pMiddle->m_nDrawn, nBelow = pBelow->m_nDrawn;

    ::PostMessageA(m_pView->m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    Drain();
    ASSERT_GT(m_pView->GetDeviceScrollPosition().y, 100);
    EXPECT_EQ(nMiddle, pMiddle->m_nDrawn);
    EXPECT_GT(pBelow->m_nDrawn, nBelow);
    ExpectShownAsPlain();
}

TEST_F(ViewPaint, AZoomStepPaintsOnceAndShowsWhatThePlainPaintDraws)
{
    // (from the page's corner: a callout whose rectangle lies above the window but whose
    // tail reaches into it is left out of a paint by its drawn bounds)
    BuildMixedDesign();
    m_pView->m_bDisplayGrid = TRUE;
    Paint();
    CViewPaintCounter paints;
    const UINT commands[] = {ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT,
                             ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_75, ID_VIEW_ZOOM_IN};
    const float zooms[] = {1.5f, 2.0f, 3.0f, 2.0f, 1.5f, 1.0f, 0.75f, 0.5f, 0.75f, 1.0f};
    for (size_t i = 0; i < sizeof(commands) / sizeof(commands[0]); i++)
    {
        SCOPED_TRACE(testing::Message() << "step " << i);
        paints.Take();
        ::PostMessageA(m_program.m_pApp->m_pMainWnd->m_hWnd, WM_COMMAND, commands[i], 0);
        Drain();
        ASSERT_FLOAT_EQ(zooms[i], m_pView->GetZoom());
        EXPECT_EQ(1, paints.Take());
        ExpectShownAsPlain();
    }
}

TEST_F(ViewPaint, ZoomStepsTakenAtOnceShowTheBackgroundAsTheLibraryDrawsIt)
{
    // Two steps in a row (in one go, or the second right after the first's paint, before
    // the idle work) and jumps such as 100 % to 300 %, at random scroll positions: the
    // background is scaled for the new zoom at once, as the library draws the whole
    // picture; then the same over a mixed design against the plain paint.
    CBkgImage* pBackground = Add(new CBkgImage(MakeDetailedPicture(613, 797), 850, 1100));
    {
        // a band the page shows through
        Graphics g(pBackground->m_pBitmap.get());
        g.SetCompositingMode(CompositingModeSourceCopy);
        SolidBrush glass(Color(0x80, 0x20, 0xC0, 0x40));
        g.FillRectangle(&glass, 0, 300, 613, 80);
    }
    const unsigned nSeed = 2749;
    std::mt19937 random(nSeed);
    const UINT presets[] = {ID_VIEW_ZOOM_25, ID_VIEW_ZOOM_50, ID_VIEW_ZOOM_75, ID_VIEW_ZOOM_100, ID_VIEW_ZOOM_150,
                            ID_VIEW_ZOOM_200, ID_VIEW_ZOOM_300};
    Paint();
    for (int nStep = 0; nStep < 12; nStep++)
    {
        if (nStep == 6)
        {
            BuildMixedDesign();
            SetZoom(1.0f);
        }
        // each half starts with the jump from 100 % to 300 % and back
        const int nKind = nStep % 6 < 2 ? 2 : (int)(random() % 3);
        const UINT nStepCommand = random() % 2 == 0 ? ID_VIEW_ZOOM_IN : ID_VIEW_ZOOM_OUT;
        SCOPED_TRACE(testing::Message() << "seed " << nSeed << " step " << nStep << " kind " << nKind << " from "
                                        << m_pView->GetZoom());
        ScrollToUnits((int)(random() % 600), (int)(random() % 800), false);
        const HWND hMain = m_program.m_pApp->m_pMainWnd->m_hWnd;
        if (nKind == 0)
        {
            ::PostMessageA(hMain, WM_COMMAND, nStepCommand, 0);
            ::PostMessageA(hMain, WM_COMMAND, nStepCommand, 0);
            Drain();
        }
        else if (nKind == 1)
        {
            PostCommand(nStepCommand);
            PostCommand(nStepCommand);
        }
        else
        {
            // 100 % to 300 % and back, else a preset at random
            const float fZoom = m_pView->GetZoom();
            PostCommand(fZoom == 1.0f ? ID_VIEW_ZOOM_300 : fZoom == 3.0f ? ID_VIEW_ZOOM_100 : presets[random() % 7]);
        }
        if (nStep < 6)
            ExpectBackgroundAsDrawnWhole(pBackground->m_pBitmap.get());
        else
            ExpectShownAsPlain();
        if (HasFailure())
            break;
    }
    EXPECT_GT(m_nTranslucent, 1000u);
}

TEST_F(ViewPaint, AnOpenedPublicationPaintsOnceAndShowsWhatThePlainPaintDraws)
{
    BuildMixedDesign();
    CTempFolder folder;
    const CString strPath = folder.File("mixed.labf");
    ASSERT_TRUE(m_pDoc->DoSave(strPath, FALSE));
    m_program.CloseAll();

    CViewPaintCounter paints;
    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    Drain();
    EXPECT_EQ(1, paints.Take());
    m_pView = m_program.ActiveView();
    ASSERT_TRUE(m_pView != NULL && m_pView->GetDocument() == pDoc);
    ASSERT_GT(pDoc->m_listElements.GetCount(), 60);
    ExpectShownAsPlain();
}

TEST_F(ViewPaint, ZoomStepsAfterIdleTimeShowTheFramesDrawnAheadAsThePlainPaintDraws)
{
    // While idle the view draws the frames a zoom step in and out would show; a step then
    // draws only what changed since. Random steps, scrolls and nudges, each after idle
    // time or not, are seen against the plain paint.
    BuildMixedDesign();
    m_pView->m_bDisplayGrid = TRUE;
    CCountingRect* pCounted = Add(new CCountingRect(CPoint(300, 300), CPoint(360, 340)));
    pCounted->m_nFillKind = 26;
    pCounted->m_clrFill = 0xFF2080F0;
    CRectangle* pMoved = Add(new CRectangle(CPoint(250, 420), CPoint(330, 470)));
    pMoved->m_nFillKind = 31;
    pMoved->m_clrFill = 0xFF3050A0;
    pMoved->m_clrPattern = 0xFFFFE080;
    pMoved->m_nLineWidth = 3;
    pMoved->m_nAngle = 20;
    ScrollToUnits(100, 100);
    WaitWhileScalingAhead();
    const int nDrawn = pCounted->m_nDrawn;
    PostCommand(ID_VIEW_ZOOM_IN);
    ASSERT_FLOAT_EQ(1.5f, m_pView->GetZoom());
    EXPECT_EQ(nDrawn, pCounted->m_nDrawn);
    ExpectShownAsPlain();
    // down the ladder and back from the page's corner, the scroll bars leaving and coming
    // back with the window's size
    ScrollToUnits(0, 0);
    for (UINT nCommand : {ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_OUT,
                          ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_IN})
    {
        SCOPED_TRACE(testing::Message() << "zoom " << m_pView->GetZoom() << " then " << nCommand);
        WaitWhileScalingAhead();
        PostCommand(nCommand);
        ExpectShownAsPlain(8);
    }
    ASSERT_FLOAT_EQ(1.0f, m_pView->GetZoom());
    PostClickAtUnits(290, 445);
    ASSERT_EQ(1, (int)m_pDoc->m_listSelection.GetCount());

    const unsigned nSeed = 6151;
    std::mt19937 random(nSeed);
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
    for (int nStep = 0; nStep < 30; nStep++)
    {
        const bool bIdle = random() % 2 == 0;
        const int nKind = (int)(random() % 4);
        SCOPED_TRACE(testing::Message() << "seed " << nSeed << " step " << nStep << " kind " << nKind);
        if (bIdle)
            WaitWhileScalingAhead();
        if (nKind == 0)
            PostCommand(random() % 2 == 0 ? ID_VIEW_ZOOM_IN : ID_VIEW_ZOOM_OUT);
        else if (nKind == 1)
        {
            ::PostMessageA(m_pView->m_hWnd, random() % 2 == 0 ? WM_VSCROLL : WM_HSCROLL,
                           random() % 2 == 0 ? SB_LINEDOWN : SB_LINEUP, 0);
            Drain();
        }
        else
            PostKey(keys[random() % 4]);
        ExpectShownAsPlain(8);
        if (HasFailure())
            break;
    }
}
