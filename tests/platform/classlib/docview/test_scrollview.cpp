// CScrollView: sizes in mapping modes, scroll bars, scroll positions and the
// DC origin that follows them, scroll messages, scale to fit.

#include "docdemo.h"
#include <gtest/gtest.h>

namespace
{

// A scroll view that paints one green box at a known logical place.
class CBoxScrollView : public CScrollView
{
    DECLARE_DYNCREATE(CBoxScrollView)
public:
    CBoxScrollView() {}
    static CRect s_rectBox;
    virtual void OnDraw(CDC* pDC) override
    {
        CRect rc(0, 0, m_totalDev.cx, m_totalDev.cy);
        pDC->FillSolidRect(&rc, RGB(255, 255, 255));
        pDC->FillSolidRect(&s_rectBox, RGB(0, 160, 0));
    }
    using CScrollView::m_totalDev;
    using CScrollView::m_pageDev;
    using CScrollView::m_lineDev;
};

IMPLEMENT_DYNCREATE(CBoxScrollView, CScrollView)
CRect CBoxScrollView::s_rectBox(200, 10, 220, 30);

// A frame with one scroll view filling it.
class CScrollFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CBoxScrollView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Scroll", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300),
                                     NULL, NULL, 0, &context));
        m_pView = (CBoxScrollView*)m_pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        ASSERT_TRUE(m_pView != NULL);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    CSize ClientSize()
    {
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc.Size();
    }
    BOOL HasBar(DWORD dwStyle) { return (m_pView->GetStyle() & dwStyle) != 0; }

    CFrameWnd* m_pFrame = NULL;
    CBoxScrollView* m_pView = NULL;
};

} // namespace

TEST_F(CScrollFixture, BarsShowOnlyWhereTheDocumentIsLargerThanTheView)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 50));
    EXPECT_TRUE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(1000 - ClientSize().cx, m_pView->GetScrollLimit(SB_HORZ));

    m_pView->SetScrollSizes(MM_TEXT, CSize(50, 1000));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_TRUE(HasBar(WS_VSCROLL));
    EXPECT_EQ(1000 - ClientSize().cy, m_pView->GetScrollLimit(SB_VERT));

    // the vertical bar takes width: a document as wide as the window needs both
    CRect rcWindow;
    m_pView->GetWindowRect(&rcWindow);
    m_pView->SetScrollSizes(MM_TEXT, CSize(50, 50));
    CSize sizeFull = ClientSize();
    m_pView->SetScrollSizes(MM_TEXT, CSize(sizeFull.cx, 2000));
    EXPECT_TRUE(HasBar(WS_VSCROLL));
    EXPECT_TRUE(HasBar(WS_HSCROLL));
}

TEST_F(CScrollFixture, DefaultPageAndLineAreTenthsOfTheWhole)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    EXPECT_EQ(CSize(100, 200), m_pView->m_pageDev);
    EXPECT_EQ(CSize(10, 20), m_pView->m_lineDev);
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(300, 400), CSize(7, 9));
    EXPECT_EQ(CSize(300, 400), m_pView->m_pageDev);
    EXPECT_EQ(CSize(7, 9), m_pView->m_lineDev);
}

TEST_F(CScrollFixture, ScrollingIsClampedAndMovesTheDrawingOrigin)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
    EXPECT_TRUE(m_pView->OnScrollBy(CSize(50, 30)));
    EXPECT_EQ(CPoint(50, 30), m_pView->GetDeviceScrollPosition());

    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    EXPECT_EQ(CPoint(-50, -30), dc.GetViewportOrg());

    // past either end it stops there; nothing to scroll answers FALSE
    EXPECT_TRUE(m_pView->OnScrollBy(CSize(-500, 0)));
    EXPECT_EQ(0, m_pView->GetDeviceScrollPosition().x);
    EXPECT_FALSE(m_pView->OnScrollBy(CSize(-10, 0)));
    EXPECT_TRUE(m_pView->OnScrollBy(CSize(5000, 5000)));
    EXPECT_EQ(CPoint(m_pView->GetScrollLimit(SB_HORZ), m_pView->GetScrollLimit(SB_VERT)),
              m_pView->GetDeviceScrollPosition());

    // a test without scrolling leaves the position
    CPoint ptBefore = m_pView->GetDeviceScrollPosition();
    EXPECT_TRUE(m_pView->OnScrollBy(CSize(-20, 0), FALSE));
    EXPECT_EQ(ptBefore, m_pView->GetDeviceScrollPosition());
}

TEST_F(CScrollFixture, ScrollMessagesMoveByPagesLinesAndThumb)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(2000, 2000), CSize(150, 120), CSize(15, 12));
    m_pView->SendMessage(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(150, m_pView->GetDeviceScrollPosition().x);
    m_pView->SendMessage(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(165, m_pView->GetDeviceScrollPosition().x);
    m_pView->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    m_pView->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(24, m_pView->GetDeviceScrollPosition().y);
    m_pView->SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(m_pView->GetScrollLimit(SB_VERT), m_pView->GetDeviceScrollPosition().y);
    m_pView->SendMessage(WM_HSCROLL, SB_TOP);
    EXPECT_EQ(0, m_pView->GetDeviceScrollPosition().x);
}

TEST_F(CScrollFixture, PaintingFollowsTheScrollPosition)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
    m_pView->UpdateWindow();
    CClientDC dc(m_pView);
    EXPECT_EQ(m_pView, dc.GetWindow());
    EXPECT_EQ(RGB(0, 160, 0), dc.GetPixel(210, 20));

    // scrolled 150 to the right the box sits at 50..70
    m_pView->OnScrollBy(CSize(150, 0));
    m_pView->UpdateWindow();
    EXPECT_EQ(RGB(0, 160, 0), dc.GetPixel(60, 20));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(210, 20));
}

TEST_F(CScrollFixture, LoEnglishSizesAreKeptInPixels)
{
    CClientDC dcScreen(NULL);
    int nDpiX = dcScreen.GetDeviceCaps(LOGPIXELSX);
    int nDpiY = dcScreen.GetDeviceCaps(LOGPIXELSY);
    m_pView->SetScrollSizes(MM_LOENGLISH, CSize(1000, 500));
    EXPECT_EQ(CSize(1000, 500), m_pView->GetTotalSize());
    // (the display's millimetres decide the last pixel)
    EXPECT_NEAR(1000 * nDpiX / 100, m_pView->m_totalDev.cx, 2);
    EXPECT_NEAR(500 * nDpiY / 100, m_pView->m_totalDev.cy, 2);

    // logical positions are in hundredths of an inch, y growing upwards
    m_pView->ScrollToPosition(CPoint(100, -100));
    CPoint ptDev = m_pView->GetDeviceScrollPosition();
    EXPECT_NEAR(nDpiX, ptDev.x, 1);
    EXPECT_NEAR(nDpiY, ptDev.y, 1);
    CPoint ptLog = m_pView->GetScrollPosition();
    EXPECT_NEAR(100, ptLog.x, 1);
    EXPECT_NEAR(-100, ptLog.y, 1);
}

TEST_F(CScrollFixture, AWindowLargeEnoughDropsTheBarsAndTheScroll)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(600, 500));
    m_pView->OnScrollBy(CSize(100, 100));
    EXPECT_EQ(CPoint(100, 100), m_pView->GetDeviceScrollPosition());

    m_pFrame->SetWindowPos(NULL, 0, 0, 900, 800, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(CPoint(0, 0), m_pView->GetDeviceScrollPosition());

    // back to small: the bars return, the position starts at the top left
    m_pFrame->SetWindowPos(NULL, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(HasBar(WS_HSCROLL));
    EXPECT_TRUE(HasBar(WS_VSCROLL));
    EXPECT_EQ(CPoint(0, 0), m_pView->GetDeviceScrollPosition());
}

TEST_F(CScrollFixture, ScaleToFitShowsTheWholeDocumentWithoutBars)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
    m_pView->SetScaleToFitSize(CSize(2000, 1000));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));

    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    CPoint pt(2000, 1000);
    dc.LPtoDP(&pt);
    CSize sizeClient = ClientSize();
    EXPECT_NEAR(sizeClient.cx, pt.x, 1);
    EXPECT_NEAR(sizeClient.cy, pt.y, 1);
}
