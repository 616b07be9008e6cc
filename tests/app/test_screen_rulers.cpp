// The rulers beside the design view after zooms and size changes that move what the view
// shows, and their position markers after a window covered part of them: once the window
// has painted, each ruler shows what a fresh paint of it shows.

#include "doc_program.h"
#include "test_support.h"
#include "window_picture.h"
#include "window_test_environment.h"
#include "app/ChildFrm.h"
#include "app/RulerView.h"

#include <vector>

namespace
{

class ScreenRulers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL);
        ASSERT_TRUE(m_pView != NULL);
        m_pDoc->m_nDesignWidth = 850;
        m_pDoc->m_nDesignHeight = 1100;
        m_pRulers[0] = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(m_pView, 0, 2));
        m_pRulers[1] = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(m_pView, 1, 1));
        ASSERT_TRUE(m_pRulers[0] != NULL && m_pRulers[1] != NULL);
    }

    // The scroll bars' far ends, as a drag of both thumbs to the end leaves them.
    void ScrollToEnd()
    {
        ::PostMessageA(m_pView->m_hWnd, WM_HSCROLL, SB_RIGHT, 0);
        ::PostMessageA(m_pView->m_hWnd, WM_HSCROLL, SB_ENDSCROLL, 0);
        ::PostMessageA(m_pView->m_hWnd, WM_VSCROLL, SB_BOTTOM, 0);
        ::PostMessageA(m_pView->m_hWnd, WM_VSCROLL, SB_ENDSCROLL, 0);
        PumpPendingMessages();
        ASSERT_GT(m_pView->GetScrollPos(SB_HORZ), 0);
        ASSERT_GT(m_pView->GetScrollPos(SB_VERT), 0);
    }

    void PostMouseMove(CPoint point)
    {
        ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
    }

    // Each ruler as the screen shows it after the pending paints equals the ruler painted
    // anew once the view has painted (and the mouse moved to ptMouse when one is given).
    void ExpectRulersFollowView(const char* pszStep, const CPoint* pptMouse = NULL)
    {
        PumpPendingMessages();
        std::vector<COLORREF> shown[2];
        for (int i = 0; i < 2; i++)
            shown[i] = CaptureClientPixels(m_pRulers[i]->m_hWnd, &m_nWidth);
        m_pView->Invalidate(FALSE);
        m_pView->UpdateWindow();
        for (int i = 0; i < 2; i++)
        {
            m_pRulers[i]->Invalidate(TRUE);
            m_pRulers[i]->UpdateWindow();
        }
        if (pptMouse != NULL)
            PostMouseMove(*pptMouse);
        for (int i = 0; i < 2; i++)
        {
            const std::vector<COLORREF> fresh = CaptureClientPixels(m_pRulers[i]->m_hWnd, &m_nWidth);
            ASSERT_FALSE(fresh.empty()) << pszStep;
            int nDiffer = 0;
            for (size_t j = 0; j < fresh.size() && j < shown[i].size(); j++)
                nDiffer += (fresh[j] & 0xFFFFFF) != (shown[i][j] & 0xFFFFFF);
            EXPECT_EQ(fresh.size(), shown[i].size()) << pszStep;
            EXPECT_EQ(0, nDiffer) << pszStep << (i == 0 ? ": horizontal ruler" : ": vertical ruler");
        }
    }

    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CRulerView* m_pRulers[2] = {NULL, NULL};
    int m_nWidth = 0;
};

// Zoom steps at the far end of a scroll move the position the window shows.
TEST_F(ScreenRulers, FollowZoomStepsAtTheEndOfAScroll)
{
    m_program.Command(ID_VIEW_ZOOM_IN);
    m_program.Command(ID_VIEW_ZOOM_IN);
    m_program.Command(ID_VIEW_ZOOM_IN);
    ASSERT_FLOAT_EQ(3.0f, m_pView->GetZoom());
    ScrollToEnd();
    ExpectRulersFollowView("scrolled at 300 %");
    m_program.Command(ID_VIEW_ZOOM_OUT);
    ExpectRulersFollowView("zoomed out to 200 %");
    m_program.Command(ID_VIEW_ZOOM_25);
    ExpectRulersFollowView("zoomed to 25 %");
}

// A window grown at the far end of a scroll shows an earlier part of the page.
TEST_F(ScreenRulers, FollowAWindowGrownAtTheEndOfAScroll)
{
    CFrameWnd* pChild = m_pView->GetParentFrame();
    pChild->ShowWindow(SW_RESTORE);
    pChild->SetWindowPos(NULL, 0, 0, 300, 250, SWP_NOZORDER | SWP_NOMOVE);
    PumpPendingMessages();
    m_program.Command(ID_VIEW_ZOOM_IN);
    ScrollToEnd();
    ExpectRulersFollowView("scrolled in a small window");
    const int nBefore = m_pView->GetScrollPos(SB_HORZ);
    pChild->SetWindowPos(NULL, 0, 0, 700, 600, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_LT(m_pView->GetScrollPos(SB_HORZ), nBefore);
    ExpectRulersFollowView("window grown");
    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    ExpectRulersFollowView("window maximised");
}

// Another publication's window over the start of both rulers is moved away: the markers
// the mouse left further on are still erased whole by the next move.
TEST_F(ScreenRulers, MarkersMoveWholeAfterAWindowCoveredPartOfTheRulers)
{
    CFrameWnd* pChild = m_pView->GetParentFrame();
    pChild->ShowWindow(SW_RESTORE);
    pChild->SetWindowPos(NULL, 0, 0, 700, 500, SWP_NOZORDER);
    PumpPendingMessages();
    CVarnelDoc* pOther = m_program.NewPlainDoc();
    ASSERT_TRUE(pOther != NULL);
    CFrameWnd* pOtherChild = m_program.ActiveView()->GetParentFrame();
    ASSERT_NE(pChild, pOtherChild);
    pOtherChild->ShowWindow(SW_RESTORE);
    // over the first 200 pixels of the horizontal ruler and the top of the vertical one
    CRect rectRuler;
    m_pRulers[0]->GetWindowRect(&rectRuler);
    pOtherChild->GetParent()->ScreenToClient(&rectRuler);
    pOtherChild->SetWindowPos(NULL, rectRuler.left - 300, rectRuler.top - 100, 500, 250, SWP_NOZORDER);
    PumpPendingMessages();

    PostMouseMove(CPoint(300, 200));
    pOtherChild->SetWindowPos(NULL, 800, 500, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    PumpPendingMessages();
    const CPoint ptMoved(340, 230);
    PostMouseMove(ptMoved);
    ExpectRulersFollowView("mouse moved after the window went", &ptMoved);
}

} // namespace
