// CRectTracker: handles and hit tests, drawing, cursors, and the modal move,
// resize and rubber-band loops driven by posted mouse and key messages.

#include "docdemo.h"
#include <gtest/gtest.h>

namespace
{

// A tracker that counts its changes.
class CCountingTracker : public CRectTracker
{
public:
    CCountingTracker(LPCRECT lpRect, UINT nStyle) : CRectTracker(lpRect, nStyle) {}
    int m_nChanges = 0;
    virtual void OnChangedRect(const CRect& rectOld) override
    {
        ++m_nChanges;
        CRectTracker::OnChangedRect(rectOld);
    }
    using CRectTracker::GetHandleRect;
};

// A top-level window for the tracking loops; the mouse sits on the start point.
class CTrackFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_wnd.CreateEx(0, lpszClass, "Tracker", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
        m_wnd.UpdateWindow();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        m_wnd.DestroyWindow();
        PumpPendingMessages();
    }
    void MoveMouseTo(CPoint pt)
    {
        CPoint ptScreen = pt;
        m_wnd.ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        PumpPendingMessages();
    }
    void PostMouse(UINT nMsg, int x, int y)
    {
        m_wnd.PostMessage(nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    CWnd m_wnd;
};

} // namespace

TEST(RectTracker, HitTestFindsHandlesInsideTheRectangle)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    EXPECT_EQ(CRectTracker::hitTopLeft, tracker.HitTest(CPoint(101, 101)));
    EXPECT_EQ(CRectTracker::hitTopRight, tracker.HitTest(CPoint(198, 101)));
    EXPECT_EQ(CRectTracker::hitBottomRight, tracker.HitTest(CPoint(198, 178)));
    EXPECT_EQ(CRectTracker::hitBottomLeft, tracker.HitTest(CPoint(101, 178)));
    EXPECT_EQ(CRectTracker::hitTop, tracker.HitTest(CPoint(150, 101)));
    EXPECT_EQ(CRectTracker::hitRight, tracker.HitTest(CPoint(198, 140)));
    EXPECT_EQ(CRectTracker::hitBottom, tracker.HitTest(CPoint(150, 178)));
    EXPECT_EQ(CRectTracker::hitLeft, tracker.HitTest(CPoint(101, 140)));
    EXPECT_EQ(CRectTracker::hitMiddle, tracker.HitTest(CPoint(150, 140)));
    EXPECT_EQ(CRectTracker::hitNothing, tracker.HitTest(CPoint(99, 140)));
    EXPECT_EQ(CRectTracker::hitNothing, tracker.HitTest(CPoint(150, 180)));

    // without resize styles the rectangle is one big middle
    tracker.m_nStyle = CRectTracker::solidLine;
    EXPECT_EQ(CRectTracker::hitMiddle, tracker.HitTest(CPoint(101, 101)));
}

TEST(RectTracker, OutsideHandlesLieAroundTheRectangle)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeOutside);
    tracker.m_nHandleSize = 5;
    CRect rcTrue;
    tracker.GetTrueRect(&rcTrue);
    EXPECT_EQ(CRect(96, 96, 204, 184), rcTrue);
    EXPECT_EQ(CRectTracker::hitTopLeft, tracker.HitTest(CPoint(97, 97)));
    EXPECT_EQ(CRectTracker::hitBottomRight, tracker.HitTest(CPoint(203, 183)));
    EXPECT_EQ(CRectTracker::hitMiddle, tracker.HitTest(CPoint(150, 140)));
    // between two handles outside the rectangle there is nothing
    EXPECT_EQ(CRectTracker::hitNothing, tracker.HitTest(CPoint(120, 97)));
    // a hatched border makes that part of the tracker
    tracker.m_nStyle |= CRectTracker::hatchedBorder;
    EXPECT_EQ(CRectTracker::hitMiddle, tracker.HitTest(CPoint(120, 97)));
}

TEST(RectTracker, SmallRectanglesKeepOnlyTheCornerHandles)
{
    CRectTracker tracker(CRect(0, 0, 100, 100), CRectTracker::resizeInside);
    EXPECT_EQ(0xFFu, tracker.GetHandleMask());
    tracker.m_rect.SetRect(0, 0, 12, 100);
    EXPECT_EQ(0xAFu, tracker.GetHandleMask()) << "left and right, no top and bottom";
    tracker.m_rect.SetRect(0, 0, 12, 12);
    EXPECT_EQ(0x0Fu, tracker.GetHandleMask());
}

TEST(RectTracker, HitsOfAnInvertedRectangleAreNormalized)
{
    CRectTracker tracker(CRect(200, 180, 100, 100), CRectTracker::resizeInside);
    EXPECT_EQ(CRectTracker::hitBottomRight, tracker.NormalizeHit(CRectTracker::hitTopLeft));
    EXPECT_EQ(CRectTracker::hitBottomLeft, tracker.NormalizeHit(CRectTracker::hitTopRight));
    EXPECT_EQ(CRectTracker::hitRight, tracker.NormalizeHit(CRectTracker::hitLeft));
    EXPECT_EQ(CRectTracker::hitBottom, tracker.NormalizeHit(CRectTracker::hitTop));
    EXPECT_EQ(CRectTracker::hitMiddle, tracker.NormalizeHit(CRectTracker::hitMiddle));
    // only flipped horizontally
    tracker.m_rect.SetRect(200, 100, 100, 180);
    EXPECT_EQ(CRectTracker::hitTopRight, tracker.NormalizeHit(CRectTracker::hitTopLeft));
    EXPECT_EQ(CRectTracker::hitTop, tracker.NormalizeHit(CRectTracker::hitTop));
    // the handle at the top left moves m_rect.right, which lies there
    EXPECT_EQ(CRectTracker::hitTopRight, tracker.HitTest(CPoint(101, 101)));
    EXPECT_EQ(CRectTracker::hitTopLeft, tracker.NormalizeHit(tracker.HitTest(CPoint(101, 101))));
}

TEST(RectTracker, DrawPaintsTheOutlineAndBlackHandles)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap bitmap;
    CClientDC dcScreen(NULL);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, 300, 300));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 300, 300, RGB(255, 255, 255));

    CCountingTracker tracker(CRect(100, 100, 200, 180), CRectTracker::solidLine | CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    tracker.Draw(&dc);
    CRect rcHandle;
    tracker.GetHandleRect(CRectTracker::hitBottomRight, &rcHandle);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(rcHandle.CenterPoint()));
    tracker.GetHandleRect(CRectTracker::hitTop, &rcHandle);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(rcHandle.CenterPoint()));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(99, 120)) << "the outline one pixel outside";
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(150, 140)) << "the inside is left alone";
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(50, 50));
    dc.SelectObject(pOld);
}

TEST_F(CTrackFixture, DraggingTheMiddleMovesTheRectangle)
{
    CCountingTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(150, 140));
    PostMouse(WM_MOUSEMOVE, 155, 150);
    PostMouse(WM_MOUSEMOVE, 170, 160);
    PostMouse(WM_LBUTTONUP, 170, 160);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(150, 140)));
    EXPECT_EQ(CRect(120, 120, 220, 200), tracker.m_rect);
    EXPECT_GE(tracker.m_nChanges, 2);
    EXPECT_EQ(NULL, ::GetCapture()) << "the capture is given back";
}

TEST_F(CTrackFixture, DraggingAHandleResizesTheRectangle)
{
    CCountingTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(198, 178));
    PostMouse(WM_MOUSEMOVE, 240, 200);
    PostMouse(WM_LBUTTONUP, 240, 200);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(198, 178)));
    EXPECT_EQ(CRect(100, 100, 242, 202), tracker.m_rect) << "the edge keeps its distance to the mouse";

    // the left handle moves only the left edge
    MoveMouseTo(CPoint(101, 150));
    PostMouse(WM_MOUSEMOVE, 61, 10);
    PostMouse(WM_LBUTTONUP, 61, 10);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(101, 150)));
    EXPECT_EQ(CRect(60, 100, 242, 202), tracker.m_rect);
}

TEST_F(CTrackFixture, TheSmallestSizeHoldsUnlessInvertingIsAllowed)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    tracker.m_sizeMin = CSize(20, 20);
    MoveMouseTo(CPoint(198, 178));
    PostMouse(WM_MOUSEMOVE, 50, 50);
    PostMouse(WM_LBUTTONUP, 50, 50);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(198, 178), FALSE));
    EXPECT_EQ(CRect(100, 100, 120, 120), tracker.m_rect);

    tracker.m_rect.SetRect(100, 100, 200, 180);
    MoveMouseTo(CPoint(198, 178));
    PostMouse(WM_MOUSEMOVE, 50, 50);
    PostMouse(WM_LBUTTONUP, 50, 50);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(198, 178), TRUE));
    EXPECT_EQ(CRect(100, 100, 52, 52), tracker.m_rect) << "turned inside out";
}

TEST_F(CTrackFixture, EscapeCancelsAndRestoresTheRectangle)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(150, 140));
    PostMouse(WM_MOUSEMOVE, 250, 240);
    m_wnd.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PostMouse(WM_MOUSEMOVE, 10, 10);        // after the loop: not the tracker's
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(150, 140)));
    EXPECT_EQ(CRect(100, 100, 200, 180), tracker.m_rect);
    EXPECT_EQ(NULL, ::GetCapture());
    PumpPendingMessages();
    EXPECT_EQ(CRect(100, 100, 200, 180), tracker.m_rect);
}

TEST_F(CTrackFixture, TheRightButtonCancelsToo)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(198, 178));
    PostMouse(WM_MOUSEMOVE, 250, 240);
    m_wnd.PostMessage(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(250, 240));
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(198, 178)));
    EXPECT_EQ(CRect(100, 100, 200, 180), tracker.m_rect);
}

TEST_F(CTrackFixture, AClickWithoutMovingChangesNothing)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(150, 140));
    PostMouse(WM_LBUTTONUP, 150, 140);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(150, 140)));
    EXPECT_EQ(CRect(100, 100, 200, 180), tracker.m_rect);

    // a press beside the tracker does not start a loop
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(10, 10)));
}

TEST_F(CTrackFixture, RubberBandDragsANewRectangle)
{
    CRectTracker tracker;
    MoveMouseTo(CPoint(50, 60));
    PostMouse(WM_MOUSEMOVE, 80, 70);
    PostMouse(WM_MOUSEMOVE, 120, 90);
    PostMouse(WM_LBUTTONUP, 120, 90);
    EXPECT_TRUE(tracker.TrackRubberBand(&m_wnd, CPoint(50, 60)));
    EXPECT_EQ(CRect(50, 60, 120, 90), tracker.m_rect);

    // dragged up and left it comes out inverted
    MoveMouseTo(CPoint(100, 100));
    PostMouse(WM_MOUSEMOVE, 40, 30);
    PostMouse(WM_LBUTTONUP, 40, 30);
    EXPECT_TRUE(tracker.TrackRubberBand(&m_wnd, CPoint(100, 100)));
    EXPECT_EQ(CRect(100, 100, 40, 30), tracker.m_rect);
    CRect rcNormal = tracker.m_rect;
    rcNormal.NormalizeRect();
    EXPECT_EQ(CRect(40, 30, 100, 100), rcNormal);
}

TEST_F(CTrackFixture, NoLoopStartsWhileAnotherWindowHasTheCapture)
{
    CWnd other;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(other.CreateEx(0, lpszClass, "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL));
    other.SetCapture();
    ASSERT_EQ(other.m_hWnd, ::GetCapture());

    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    PostMouse(WM_MOUSEMOVE, 250, 240);      // would move it, were the loop running
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(150, 140)));
    EXPECT_FALSE(tracker.TrackRubberBand(&m_wnd, CPoint(150, 140)));
    EXPECT_EQ(CRect(150, 140, 150, 140), tracker.m_rect) << "the rubber band starts at the point";
    EXPECT_EQ(other.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
    PumpPendingMessages();
    other.DestroyWindow();
}

TEST_F(CTrackFixture, TheCursorShowsTheHandlesDirection)
{
    CRectTracker tracker(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
    MoveMouseTo(CPoint(198, 178));
    EXPECT_TRUE(tracker.SetCursor(&m_wnd, HTCLIENT));
    EXPECT_EQ(::LoadCursor(NULL, IDC_SIZENWSE), ::GetCursor());
    MoveMouseTo(CPoint(198, 140));
    EXPECT_TRUE(tracker.SetCursor(&m_wnd, HTCLIENT));
    EXPECT_EQ(::LoadCursor(NULL, IDC_SIZEWE), ::GetCursor());
    MoveMouseTo(CPoint(150, 140));
    EXPECT_TRUE(tracker.SetCursor(&m_wnd, HTCLIENT));
    EXPECT_EQ(::LoadCursor(NULL, IDC_SIZEALL), ::GetCursor());
    MoveMouseTo(CPoint(20, 20));
    EXPECT_FALSE(tracker.SetCursor(&m_wnd, HTCLIENT));
    EXPECT_FALSE(tracker.SetCursor(&m_wnd, HTCAPTION));
}
