// Frame docking set-up, the list of bars, docking to each side and circle, floating,
// containers and random docking operations over circles.
#include "uibars_support.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <random>
#include <sstream>

namespace
{

const UINT s_sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                          AFX_IDW_DOCKBAR_RIGHT };

bool IsListed(CExtControlBar* pBar)
{
    CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
    {
        if (CExtControlBar::g_arrAllBars[i] == pBar)
            return true;
    }
    return false;
}

} // namespace

TEST(BarStatics, AlignMapAndLinksAreSetAtStart)
{
    DWORD dw = 0;
    ASSERT_TRUE(CExtControlBar::g_mapDockBarAlign.Lookup(AFX_IDW_DOCKBAR_TOP, dw));
    EXPECT_EQ(dw, 0x2800u);
    ASSERT_TRUE(CExtControlBar::g_mapDockBarAlign.Lookup(AFX_IDW_DOCKBAR_BOTTOM, dw));
    EXPECT_EQ(dw, 0x8200u);
    ASSERT_TRUE(CExtControlBar::g_mapDockBarAlign.Lookup(AFX_IDW_DOCKBAR_LEFT, dw));
    EXPECT_EQ(dw, 0x1400u);
    ASSERT_TRUE(CExtControlBar::g_mapDockBarAlign.Lookup(AFX_IDW_DOCKBAR_RIGHT, dw));
    EXPECT_EQ(dw, 0x4100u);
    EXPECT_FALSE(CExtControlBar::g_mapDockBarAlign.Lookup(AFX_IDW_DOCKBAR_FLOAT, dw));
    EXPECT_EQ(CExtControlBar::g_nDockingUIStyle, -1);
    EXPECT_TRUE(CExtControlBar::g_bCmdManagerStatusTips);
    EXPECT_TRUE(CExtControlBar::g_DragStateCurrent.m_bEmpty);
    EXPECT_TRUE(CExtPaintManager::g_BarLinks.m_pfnIsDockedVertically != NULL);
    EXPECT_TRUE(CExtPopupMenuWnd::g_BarLinks.m_pfnShowCommandStatusText != NULL);
    EXPECT_TRUE(CExtPopupMenuWnd::g_BarLinks.m_pfnIsFrameInHelpMode != NULL);
    EXPECT_STREQ(RUNTIME_CLASS(CExtControlBar)->m_lpszClassName, "CExtControlBar");
    EXPECT_STREQ(RUNTIME_CLASS(CExtDockBar)->m_lpszClassName, "CExtDockBar");
    EXPECT_TRUE(CRuntimeClass::FromName("CExtDynControlBar") != NULL);
    EXPECT_TRUE(CExtControlBar::g_hCursorArrow != NULL);
    EXPECT_TRUE(CExtControlBar::g_hCursorSizeAll != NULL);
    EXPECT_TRUE(CExtControlBar::g_hCursorSizeNS != NULL);
    EXPECT_TRUE(CExtControlBar::g_hCursorSizeWE != NULL);
    EXPECT_EQ(CExtControlBar::g_arrDockMarkersOuter.GetSize(), 0);
    CFrameWnd* pFrame = (CFrameWnd*)(UINT_PTR)0x1000;
    bool bLoading = true;
    EXPECT_FALSE(CExtControlBar::IsFrameSerializing(pFrame, &bLoading));
    EXPECT_FALSE(bLoading);
    CExtControlBar::g_mapSerializingFrames.SetAt(pFrame, 1);
    EXPECT_TRUE(CExtControlBar::IsFrameSerializing(pFrame, &bLoading));
    EXPECT_TRUE(bLoading);
    CExtControlBar::g_mapSerializingFrames.RemoveKey(pFrame);
}

TEST(BarStatics, EveryBarIsListedWhileItLives)
{
    CExtControlBar* pBar = new CExtControlBar;
    EXPECT_TRUE(IsListed(pBar));
    CExtControlBar* pOther = new CExtControlBar;
    delete pBar;
    EXPECT_FALSE(IsListed(pBar));
    EXPECT_TRUE(IsListed(pOther));
    delete pOther;
    EXPECT_FALSE(IsListed(pOther));
}

TEST_F(UiBarsTest, SetupReplacesTheDockBarsAndKeepsThemOnASecondCall)
{
    CPtrArray arrFirst;
    for (UINT nID : s_sides)
    {
        CControlBar* pDock = m_pFrame->GetControlBar(nID);
        ASSERT_TRUE(pDock != NULL);
        EXPECT_TRUE(pDock->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << nID;
        EXPECT_EQ(((CExtDockBar*)pDock)->GetCircleNo(), 0);
        arrFirst.Add(pDock);
        char szClass[64] = "";
        ::GetClassNameA(pDock->m_hWnd, szClass, sizeof(szClass));
        EXPECT_STREQ(szClass, "Baymoor-DockBar");
    }
    EXPECT_TRUE(CExtControlBar::SetupFrameDocking(m_pFrame, CBRS_ALIGN_ANY, TRUE));
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(m_pFrame->GetControlBar(s_sides[i]), arrFirst[i]);
    // a style without the left side stops there
    CFrameWnd* pOther = new CFrameWnd;
    ASSERT_TRUE(pOther->Create(NULL, "other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_FALSE(CExtControlBar::SetupFrameDocking(pOther, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM,
                                                   TRUE));
    EXPECT_TRUE(pOther->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_TRUE(pOther->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_TRUE(pOther->GetControlBar(AFX_IDW_DOCKBAR_LEFT) == NULL);
    pOther->DestroyWindow();
}

TEST_F(UiBarsTest, CreateTakesTheCaptionFromTheResourcesOrTheName)
{
    CTestResizableBar* pBar = NewBar(0xE810, "Properties\nsecond line");
    CString strText;
    pBar->GetWindowText(strText);
    EXPECT_STREQ(strText, "Properties");
    char szClass[64] = "";
    ::GetClassNameA(pBar->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "Baymoor-ControlBar");
    CExtControlBar* pNoName = new CExtControlBar;
    ASSERT_TRUE(pNoName->Create(NULL, m_pFrame, 0));
    pNoName->GetWindowText(strText);
    EXPECT_TRUE(strText.IsEmpty());
    pNoName->DestroyWindow();
    delete pNoName;
}

TEST_F(UiBarsTest, DockingToEachSideUsesTheFirstInnerCircle)
{
    CTestResizableBar* arrBars[4];
    for (int i = 0; i < 4; i++)
    {
        arrBars[i] = NewBar(0xE810 + i, "Bar");
        ASSERT_TRUE(arrBars[i]->DockToFrameSide(s_sides[i]));
    }
    PumpPendingMessages();
    m_pFrame->RecalcLayout();
    CRect rcPane = m_pFrame->ChildRect(&m_pFrame->m_wndPane);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    for (int i = 0; i < 4; i++)
    {
        CExtControlBar* pBar = arrBars[i];
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
        ASSERT_TRUE(pDock != NULL);
        EXPECT_EQ(pDock->GetCircleNo(), 1);
        EXPECT_EQ((UINT)pDock->GetDlgCtrlID(), s_sides[i]);
        EXPECT_TRUE(pBar->IsDocked());
        EXPECT_FALSE(pBar->IsFloating());
        EXPECT_TRUE(pBar->IsWindowVisible());
        CRect rc = m_pFrame->ChildRect(pBar);
        EXPECT_GT(rc.Width(), 0);
        EXPECT_GT(rc.Height(), 0);
        // a bar never overlaps the view
        CRect rcHit;
        EXPECT_FALSE(rcHit.IntersectRect(rc, rcPane)) << "side " << s_sides[i];
    }
    EXPECT_TRUE(arrBars[0]->IsDockedHorizontally());
    EXPECT_TRUE(arrBars[2]->IsDockedVertically());
    EXPECT_TRUE(arrBars[3]->IsDockedAtRight());
    // top bar above the pane, bottom below, left to the left, right to the right
    EXPECT_LE(m_pFrame->ChildRect(arrBars[0]).bottom, rcPane.top);
    EXPECT_GE(m_pFrame->ChildRect(arrBars[1]).top, rcPane.bottom);
    EXPECT_LE(m_pFrame->ChildRect(arrBars[2]).right, rcPane.left);
    EXPECT_GE(m_pFrame->ChildRect(arrBars[3]).left, rcPane.right);
    // the top bar stretches over the frame's width and has its desired thickness
    EXPECT_EQ(m_pFrame->ChildRect(arrBars[0]).Width(), rcClient.Width());
    EXPECT_EQ(m_pFrame->ChildRect(arrBars[0]).Height(), arrBars[0]->m_sizeDockedH.cy);
    EXPECT_EQ(m_pFrame->ChildRect(arrBars[2]).Width(), arrBars[2]->m_sizeDockedV.cx);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, OuterDockBarSendsResizableBarsToCircleOne)
{
    CTestResizableBar* pBar = NewBar(0xE820, "Outer");
    CExtDockOuterBar* pOuter = (CExtDockOuterBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    pOuter->DockControlBar(pBar);
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
    ASSERT_TRUE(pDock != NULL);
    EXPECT_EQ(pDock->GetCircleNo(), 1);
    EXPECT_EQ(pDock->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(ExtBarLayout::FindEntry(pOuter->m_arrBars, pBar), -1);
    // through the frame, by id
    CTestResizableBar* pSecond = NewBar(0xE821, "Second");
    m_pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_LEFT);
    CExtDockBar* pSecondDock = DYNAMIC_DOWNCAST(CExtDockBar, pSecond->m_pDockBar);
    ASSERT_TRUE(pSecondDock != NULL);
    EXPECT_EQ(pSecondDock->GetCircleNo(), 1);
    EXPECT_EQ(pSecondDock->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(ExtBarLayout::FindEntry(pOuter->m_arrBars, pSecond), -1);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, RowFittingSharesTheRowAndKeepsTheRowThickness)
{
    CTestResizableBar* pA = NewBar(0xE830, "A");
    CTestResizableBar* pB = NewBar(0xE831, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    // put B into A's row
    CExtDockBar* pDock = (CExtDockBar*)pA->m_pDockBar;
    ASSERT_EQ(pDock, (CExtDockBar*)pB->m_pDockBar);
    int nB = ExtBarLayout::FindEntry(pDock->m_arrBars, pB);
    pDock->m_arrBars.RemoveAt(nB);
    ExtBarLayout::NormalizeBarArray(pDock->m_arrBars);
    pDock->m_arrBars.InsertAt(2, pB);
    pA->m_sizeDockedH = CSize(100, 80);
    pB->m_sizeDockedH = CSize(100, 120);
    m_pFrame->RecalcLayout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcA = m_pFrame->ChildRect(pA), rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcA.Width() + rcB.Width(), rcClient.Width());
    EXPECT_EQ(rcA.right, rcB.left);
    EXPECT_EQ(rcA.Height(), 120);
    EXPECT_EQ(rcB.Height(), 120);
    EXPECT_LE(abs(rcA.Width() - rcB.Width()), 1);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, NewCircleOnAllSidesAndCompactionAfterTheLastBarLeaves)
{
    CTestResizableBar* pA = NewBar(0xE840, "A");
    CTestResizableBar* pB = NewBar(0xE841, "B");
    ASSERT_TRUE(pA->DockToFrameSideLevel(AFX_IDW_DOCKBAR_LEFT, 1));
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 1);
    ASSERT_TRUE(pB->DockToFrameSideLevel(AFX_IDW_DOCKBAR_LEFT, 2));
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 2);
    for (UINT nID : s_sides)
    {
        CExtDockBar* p2 = CExtDockBar::FindCircleDockBar(m_pFrame, 2, nID, false);
        ASSERT_TRUE(p2 != NULL) << nID;
        EXPECT_EQ(p2->GetOuter()->GetCircleNo(), 1);
    }
    EXPECT_EQ(((CExtDockBar*)pB->m_pDockBar)->GetCircleNo(), 2);
    m_pFrame->RecalcLayout();
    // the inner circle lies inside the outer one
    EXPECT_LE(m_pFrame->ChildRect(pA).right, m_pFrame->ChildRect(pB).left);

    // A floats away: circle 1 is empty and goes, circle 2 becomes circle 1
    pA->FloatAtPosition(CPoint(300, 300));
    EXPECT_TRUE(pA->IsFloating());
    EXPECT_EQ(CExtDockBar::GetMaxCircle(m_pFrame), 1);
    EXPECT_EQ(((CExtDockBar*)pB->m_pDockBar)->GetCircleNo(), 1);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, InsertAsRowWithTheInnerEnd)
{
    CTestResizableBar* pA = NewBar(0xE850, "A");
    CTestResizableBar* pB = NewBar(0xE851, "B");
    CTestResizableBar* pC = NewBar(0xE852, "C");
    CExtDockBar* pBottom = CExtDockBar::FindCircleDockBar(m_pFrame, 1, AFX_IDW_DOCKBAR_BOTTOM, true);
    CExtDockBar* pTop = CExtDockBar::FindCircleDockBar(m_pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
    ASSERT_TRUE(pBottom != NULL && pTop != NULL);
    pBottom->InsertBarAsRow(pA, false);
    pBottom->InsertBarAsRow(pB, true);
    EXPECT_EQ(pBottom->m_arrBars[1], (void*)pB);
    EXPECT_EQ(pBottom->m_arrBars[3], (void*)pA);
    pTop->InsertBarAsRow(pC, false);
    pTop->InsertBarAsRow(pA, true);
    EXPECT_EQ(pTop->m_arrBars[1], (void*)pC);
    EXPECT_EQ(pTop->m_arrBars[3], (void*)pA);
    EXPECT_EQ(pA->m_pDockBar, (CDockBar*)pTop);
    // the first bar moved into its own dock bar changes nothing
    CPtrArray arrBefore;
    arrBefore.Copy(pTop->m_arrBars);
    pTop->InsertBarAsRow(pC, false);
    ASSERT_EQ(arrBefore.GetSize(), pTop->m_arrBars.GetSize());
    for (INT_PTR i = 0; i < arrBefore.GetSize(); i++)
        EXPECT_EQ(arrBefore[i], pTop->m_arrBars[i]);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, FloatingAndTogglingBack)
{
    CTestResizableBar* pBar = NewBar(0xE860, "Float");
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    // double-click floats at the last floating position
    pBar->m_ptFloatPos = CPoint(120, 140);
    pBar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(pBar->IsFloating());
    CFrameWnd* pMini = pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(120, 140));
    // floating alone: only the frame moves
    HWND hWndMini = pMini->m_hWnd;
    pBar->FloatAtPosition(CPoint(200, 210));
    EXPECT_EQ(pBar->GetParentFrame()->m_hWnd, hWndMini);
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(200, 210));
    EXPECT_EQ(pBar->m_ptFloatPos, CPoint(200, 210));
    // and back to a side
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    PumpPendingMessages();
    EXPECT_TRUE(pBar->IsDockedAtBottom());
    EXPECT_FALSE(::IsWindow(hWndMini));
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, InsertBesideSplitsByPercentAndTheContainerDissolves)
{
    CTestResizableBar* pA = NewBar(0xE870, "A");
    CTestResizableBar* pB = NewBar(0xE871, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    CRect rcOld = m_pFrame->ChildRect(pA);
    ASSERT_TRUE(pB->DockBesideBar(30, pA, AFX_IDW_DOCKBAR_LEFT));
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    EXPECT_EQ(pB->m_pDockBar, (CDockBar*)pInner);
    CExtDynControlBar* pContainer = pInner->GetContainer();
    ASSERT_TRUE(pContainer != NULL);
    EXPECT_EQ(pInner->m_arrBars[1], (void*)pB);    // left side: the joining bar first
    EXPECT_EQ(pInner->m_arrBars[2], (void*)pA);
    CRect rcB = m_pFrame->ChildRect(pB), rcA = m_pFrame->ChildRect(pA);
    CRect rcInnerClient;
    pInner->GetClientRect(&rcInnerClient);
    // the 30 % split, less the container's own strips shared out pixel by pixel
    EXPECT_EQ(rcB.Width() + rcA.Width(), rcInnerClient.Width());
    int nStrips = rcOld.Width() - rcInnerClient.Width();
    EXPECT_LE(abs(rcB.Width() - ::MulDiv(rcOld.Width(), 30, 100)), (nStrips + 1) / 2);
    EXPECT_EQ(rcB.right, rcA.left);
    EXPECT_TRUE(pContainer->IsWindowVisible());
    // the bottom circle lost its bar
    EXPECT_FALSE(pContainer->IsFloating());
    ExpectAllArraysSound();

    // B leaves for another side: the container hands its place back to A and goes
    HWND hWndContainer = pContainer->m_hWnd;
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hWndContainer));
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pA->m_pDockBar);
    ASSERT_TRUE(pDock != NULL);
    EXPECT_FALSE(pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)));
    EXPECT_EQ(pDock->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pA->GetParent(), (CWnd*)pDock);
    ExpectAllArraysSound();
}

class UiBarsRandomTest : public UiBarsTest, public ::testing::WithParamInterface<unsigned>
{
};

INSTANTIATE_TEST_SUITE_P(Seeds, UiBarsRandomTest, ::testing::Values(20261209u, 7u, 4242u));

TEST_P(UiBarsRandomTest, RandomDockingKeepsEveryArraySound)
{
    std::mt19937 rng(GetParam());
    std::vector<CTestResizableBar*> bars;
    for (int i = 0; i < 4; i++)
    {
        bars.push_back(NewBar(0xE900 + i, "Random"));
        ASSERT_TRUE(bars.back()->DockToFrameSide(s_sides[i]));
    }
    for (int step = 0; step < 300; step++)
    {
        CTestResizableBar* pBar = bars[rng() % bars.size()];
        int nOp = (int)(rng() % 6);
        UINT nSide = s_sides[rng() % 4];
        switch (nOp)
        {
        case 0:
            pBar->DockToFrameSide(nSide);
            break;
        case 1:
            pBar->DockToFrameSide(nSide, TRUE);
            break;
        case 2:
            pBar->DockToFrameSideLevel(nSide, 1 + rng() % 3);
            break;
        case 3:
            pBar->FloatAtPosition(CPoint(100 + (int)(rng() % 300), 100 + (int)(rng() % 300)));
            break;
        case 4:
            m_pFrame->ShowControlBar(pBar, !pBar->IsWindowVisible(), FALSE);
            break;
        default:
            {
                CTestResizableBar* pTarget = bars[rng() % bars.size()];
                if (pTarget != pBar && pTarget->IsDocked() && pTarget->IsWindowVisible())
                    pBar->DockBesideBar(20 + (int)(rng() % 60), pTarget, nSide);
                break;
            }
        }
        PumpPendingMessages();
        m_pFrame->RecalcLayout();
        SCOPED_TRACE(testing::Message() << "step " << step << " op " << nOp);
        ExpectAllArraysSound();
        // circles stay numbered 0, 1, 2, ... along every side
        for (UINT nID : s_sides)
        {
            CExtDockBar* p = CExtDockBar::FindCircleDockBar(m_pFrame, 0, nID, false);
            int n = 0;
            for (; p != NULL; p = p->GetInner(), n++)
                ASSERT_EQ(p->GetCircleNo(), n);
        }
        for (CTestResizableBar* p : bars)
        {
            ASSERT_TRUE(p->m_pDockBar != NULL);
            ASSERT_TRUE(::IsWindow(p->m_pDockBar->m_hWnd));
            ASSERT_NE(ExtBarLayout::FindEntry(p->m_pDockBar->m_arrBars, p), -1);
        }
        // visible parts of bars docked in the main frame never overlap each other or the view
        auto visibleRect = [this](CWnd* pWnd) {
            CRect rc;
            pWnd->GetWindowRect(&rc);
            for (CWnd* p = pWnd->GetParent(); p != NULL && p != m_pFrame; p = p->GetParent())
            {
                CRect rcParent;
                p->GetClientRect(&rcParent);
                p->ClientToScreen(&rcParent);
                rc.IntersectRect(rc, rcParent);
            }
            return rc;
        };
        // bars inside a shown container lie inside it
        for (CTestResizableBar* p : bars)
        {
            CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, p->m_pDockBar);
            if (pInner == NULL || !p->IsWindowVisible() || !pInner->IsWindowVisible())
                continue;
            CRect rcInner, rcBar, rcBoth;
            pInner->GetWindowRect(&rcInner);
            p->GetWindowRect(&rcBar);
            if (rcInner.IsRectEmpty() || rcBar.IsRectEmpty())
                continue;
            rcBoth.IntersectRect(rcInner, rcBar);
            EXPECT_TRUE(rcBoth == rcBar) << "inner bar outside its container: bar ("
                << rcBar.left << "," << rcBar.top << "," << rcBar.right << "," << rcBar.bottom
                << ") inner (" << rcInner.left << "," << rcInner.top << "," << rcInner.right
                << "," << rcInner.bottom << ") inner entries " << pInner->m_arrBars.GetSize();
        }
        CRect rcPane;
        m_pFrame->m_wndPane.GetWindowRect(&rcPane);
        for (size_t a = 0; a < bars.size(); a++)
        {
            if (!bars[a]->IsWindowVisible() || bars[a]->GetParentFrame() != m_pFrame)
                continue;
            CRect rcHit;
            CRect rcA = visibleRect(bars[a]);
            EXPECT_FALSE(rcHit.IntersectRect(rcA, rcPane)) << "bar " << a;
            for (size_t b = a + 1; b < bars.size(); b++)
            {
                if (!bars[b]->IsWindowVisible() || bars[b]->GetParentFrame() != m_pFrame)
                    continue;
                CRect rcB = visibleRect(bars[b]);
                auto describe = [](CTestResizableBar* p, const CRect& rc) {
                    CExtDockBar* pD = DYNAMIC_DOWNCAST(CExtDockBar, p->m_pDockBar);
                    std::ostringstream os;
                    os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom
                       << ") dock " << (pD ? pD->GetDlgCtrlID() : 0) << " circle "
                       << (pD ? pD->GetCircleNo() : -1)
                       << (pD && pD->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) ? " dyn" : "");
                    return os.str();
                };
                std::ostringstream z;
                for (HWND h = ::GetTopWindow(m_pFrame->m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
                {
                    CExtDockBar* pD = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(h));
                    z << " " << ::GetDlgCtrlID(h) - 59400 << ":" << (pD ? pD->GetCircleNo() : -1);
                }
                EXPECT_FALSE(rcHit.IntersectRect(rcA, rcB)) << "bars " << a << " " << b << " "
                    << describe(bars[a], rcA) << " / " << describe(bars[b], rcB) << z.str();
            }
        }
        if (HasFatalFailure() || HasNonfatalFailure())
            break;
    }
}

TEST_F(UiBarsTest, AContainersMinimumAddsItsBarsAlongARowAndItsRowsAcross)
{
    CTestResizableBar* pA = NewBar(0xE87C, "A");
    CTestResizableBar* pB = NewBar(0xE87D, "B");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    // B beside A on the right: one horizontal row of two bars
    ASSERT_TRUE(pB->DockBesideBar(50, pA, AFX_IDW_DOCKBAR_RIGHT));
    PumpPendingMessages();
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    ASSERT_EQ(pInner->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    CExtDynControlBar* pContainer = pInner->GetContainer();
    const int nW = pA->CalcMinWidth() + pB->CalcMinWidth();
    const int nH = std::max(pA->CalcMinHeight(), pB->CalcMinHeight());
    EXPECT_EQ(pContainer->CalcInnerMinExtent(true), nW);
    EXPECT_EQ(pContainer->CalcInnerMinExtent(false), nH);
    // the same bars in two rows: the rows' heights add up, the widest row counts
    int nPosB = ExtBarLayout::FindEntry(pInner->m_arrBars, pB);
    ASSERT_GT(nPosB, 1);
    pInner->m_arrBars.InsertAt(nPosB, (void*)NULL);
    EXPECT_EQ(pContainer->CalcInnerMinExtent(true),
              std::max(pA->CalcMinWidth(), pB->CalcMinWidth()));
    EXPECT_EQ(pContainer->CalcInnerMinExtent(false), pA->CalcMinHeight() + pB->CalcMinHeight());
    pInner->m_arrBars.RemoveAt(nPosB);
    ExpectAllArraysSound();
}

TEST_F(UiBarsTest, DockRelativeToOwnPlacePutsTheBarBesideAlongOrAcrossTheRow)
{
    CTestResizableBar* pA = NewBar(0xE8A0, "A");
    CTestResizableBar* pB = NewBar(0xE8A1, "B");
    CTestResizableBar* pC = NewBar(0xE8A2, "C");
    CTestResizableBar* pD = NewBar(0xE8A3, "D");
    ASSERT_TRUE(pA->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pB->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pD->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rcA = m_pFrame->ChildRect(pA);

    // along the column of a right-hand bar, after it: below it, in one container
    ASSERT_TRUE(pA->DockRelativeToOwnPlace(pB));
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pA->m_pDockBar);
    ASSERT_TRUE(pInner != NULL);
    EXPECT_EQ(pB->m_pDockBar, (CDockBar*)pInner);
    EXPECT_EQ(pInner->m_arrBars[1], (void*)pA);
    EXPECT_EQ(pInner->m_arrBars[2], (void*)pB);
    CRect rcA2 = m_pFrame->ChildRect(pA), rcB = m_pFrame->ChildRect(pB);
    EXPECT_EQ(rcB.left, rcA2.left);
    EXPECT_EQ(rcB.Width(), rcA2.Width());
    EXPECT_GE(rcB.top, rcA2.bottom);
    EXPECT_LE(rcB.top, rcA2.bottom + 6);
    // the container took A's old place
    CRect rcContainer = m_pFrame->ChildRect(pInner->GetContainer());
    EXPECT_EQ(rcContainer.left, rcA.left);
    EXPECT_EQ(rcContainer.right, rcA.right);
    ExpectAllArraysSound();

    // along the row of a top bar, before it: to its left
    ASSERT_TRUE(pC->DockRelativeToOwnPlace(pD, FALSE, FALSE));
    CRect rcC = m_pFrame->ChildRect(pC), rcD = m_pFrame->ChildRect(pD);
    EXPECT_EQ(pD->m_pDockBar, pC->m_pDockBar);
    EXPECT_LE(rcD.right, rcC.left);
    EXPECT_GE(rcD.right, rcC.left - 6);
    EXPECT_EQ(rcD.top, rcC.top);
    ExpectAllArraysSound();

    // across the row of the top bar, after it: below it
    CTestResizableBar* pE = NewBar(0xE8A4, "E");
    ASSERT_TRUE(pE->DockToFrameSide(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pC->DockRelativeToOwnPlace(pE, TRUE, TRUE));
    CRect rcC2 = m_pFrame->ChildRect(pC), rcE = m_pFrame->ChildRect(pE);
    EXPECT_EQ(pE->m_pDockBar, pC->m_pDockBar);
    EXPECT_GE(rcE.top, rcC2.bottom);
    EXPECT_EQ(rcE.left, rcC2.left);
    ExpectAllArraysSound();

    // refused: itself, no bar, a floating place
    EXPECT_FALSE(pC->DockRelativeToOwnPlace(pC));
    EXPECT_FALSE(pC->DockRelativeToOwnPlace(NULL));
    CTestResizableBar* pF = NewBar(0xE8A5, "F");
    ASSERT_TRUE(pF->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    pF->FloatAtPosition(CPoint(200, 200));
    PumpPendingMessages();
    ASSERT_TRUE(pF->IsFloating());
    EXPECT_FALSE(pF->DockRelativeToOwnPlace(pE));
    EXPECT_FALSE(pE->IsFloating());
    ExpectAllArraysSound();
}
