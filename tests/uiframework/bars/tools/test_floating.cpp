// Floating frames under real input: the bars menu of a caption, resizing by the whole
// visible border, the side edges of a floating toolbar, the menu bar's way back after a
// float, frames dropped at the screen's corner and a long random run of caption menus,
// menu-bar menus, Esc and floats. The FloatingInput cases run once more under Xvfb with
// Wine's X11 driver (ctest entry uiframework_bars_tools_floating_screen).
#include "tools_support.h"
#include "test_support.h"
#include "uiframework/bars/ExtMenuControlBar.h"
#include "uiframework/bars/ExtMiniDockFrameWnd.h"
#include "uiframework/bars/ExtDockBar.h"

#include <random>

namespace
{

CRect ScreenRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

CExtMiniDockFrameWnd* MiniOf(CControlBar* pBar)
{
    return pBar->IsFloating() ? DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame())
                              : NULL;
}

// A point in the middle of a floating frame's caption, left of its buttons.
CPoint CaptionPoint(CWnd* pMini)
{
    CRect rc = ScreenRectOf(pMini);
    return CPoint(rc.left + 24, rc.top + ::GetSystemMetrics(SM_CYFRAME) +
                                    ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
}

bool IsAbove(HWND hWnd, HWND hOther)
{
    for (HWND h = ::GetWindow(hOther, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
    {
        if (h == hWnd)
            return true;
    }
    return false;
}

// Runs the queued messages until a condition holds, at most nMs milliseconds (a state
// to wait for, not a pause).
template <class Cond> bool PumpUntil(Cond cond, DWORD nMs = 3000)
{
    const DWORD nStart = ::GetTickCount();
    for (;;)
    {
        PumpPendingMessages();
        if (cond())
            return true;
        if (::GetTickCount() - nStart > nMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}

// Real input given from this thread, one event at a time: a timer of this thread sends
// the next event only once the queue holds no input, so every event is handled (by the
// loop that runs then: a drag, a resize, a popup's tracking) before the next comes, however
// late the timer fires. The events are stamped 10 ms apart, which makes two clicks a
// double click whatever the machine's speed.
class CInput
{
public:
    CInput& Move(CPoint pt)
    {
        INPUT in = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        in.mi.dx = Normalized(pt.x, ::GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = Normalized(pt.y, ::GetSystemMetrics(SM_CYSCREEN));
        m_events.push_back(in);
        return *this;
    }
    CInput& Press(bool bRight = false)
    {
        m_events.push_back(Mouse(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
        return *this;
    }
    CInput& Release(bool bRight = false)
    {
        m_events.push_back(Mouse(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
        return *this;
    }
    CInput& Click(CPoint pt, bool bRight = false) { return Move(pt).Press(bRight).Release(bRight); }
    CInput& DoubleClick(CPoint pt) { return Click(pt).Press().Release(); }
    // A press at ptFrom, moves in steps to ptTo and the release there.
    CInput& Drag(CPoint ptFrom, CPoint ptTo, int nSteps = 4)
    {
        Move(ptFrom).Press();
        for (int i = 1; i <= nSteps; i++)
            Move(CPoint(ptFrom.x + (ptTo.x - ptFrom.x) * i / nSteps,
                        ptFrom.y + (ptTo.y - ptFrom.y) * i / nSteps));
        return Release();
    }
    CInput& Key(WORD wVk, bool bDown = true, bool bUp = true)
    {
        INPUT in;
        memset(&in, 0, sizeof(in));
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = wVk;
        in.ki.wScan = (WORD)::MapVirtualKeyA(wVk, 0);
        if (bDown)
            m_events.push_back(in);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        if (bUp)
            m_events.push_back(in);
        return *this;
    }
    // Gives the events and runs the messages until all are handled.
    void Play()
    {
        DWORD nTime = ::GetTickCount();
        for (INPUT& in : m_events)
        {
            nTime += 10;
            if (in.type == INPUT_MOUSE)
                in.mi.time = nTime;
            else
                in.ki.time = nTime;
        }
        s_pPlaying = this;
        m_nNext = 0;
        HWND hFeeder = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
        ::SetTimer(hFeeder, 1, 5, Feed);
        PumpUntil([this] { return m_nNext >= m_events.size() && NoInputQueued(); }, 20000);
        ::KillTimer(hFeeder, 1);
        ::DestroyWindow(hFeeder);
        s_pPlaying = NULL;
        EXPECT_EQ(m_nNext, m_events.size()) << "input not taken";
        m_events.clear();
        PumpPendingMessages();
    }

private:
    static bool NoInputQueued() { return LOWORD(::GetQueueStatus(QS_INPUT)) == 0; }
    static void CALLBACK Feed(HWND, UINT, UINT_PTR, DWORD)
    {
        CInput* pThis = s_pPlaying;
        if (pThis == NULL || pThis->m_nNext >= pThis->m_events.size() || !NoInputQueued())
            return;
        ::SendInput(1, &pThis->m_events[pThis->m_nNext++], sizeof(INPUT));
    }
    static INPUT Mouse(DWORD dwFlags)
    {
        INPUT in;
        memset(&in, 0, sizeof(in));
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = dwFlags;
        return in;
    }
    static LONG Normalized(int n, int nExtent)
    {
        return (LONG)(((LONGLONG)n * 65536 + nExtent / 2) / nExtent);
    }
    static CInput* s_pPlaying;
    std::vector<INPUT> m_events;
    size_t m_nNext = 0;
};
CInput* CInput::s_pPlaying = NULL;

// Lets a tracked popup finish opening (its input is swallowed meanwhile); FALSE when no
// popup tracks.
bool WaitForPopup()
{
    auto ready = [] {
        CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
        return pRoot != NULL && g_TrackingSite.m_pWndAnimation == NULL &&
               pRoot->GetSafeHwnd() != NULL && pRoot->IsWindowVisible();
    };
    PumpUntil([&] { return !CExtPopupMenuWnd::IsTrackingActive() || ready(); });
    return ready();
}

bool WaitForNoPopup()
{
    return PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); });
}

// A resizable bar whose client holds an edit window.
class CPanelBar : public CExtControlBar
{
public:
    BOOL CreatePanel(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle)
    {
        if (!Create(lpszTitle, pFrame, nID))
            return FALSE;
        if (!m_wndChild.Create("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10),
                               this, 1))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CWnd m_wndChild;
};

// Button messages that the windows of the frame's pane receive.
struct PaneClicks_t
{
    static PaneClicks_t* s_pSpy;
    HWND m_hWnd;
    WNDPROC m_pOld;
    int m_nClicks = 0;
    explicit PaneClicks_t(HWND hWnd) : m_hWnd(hWnd)
    {
        s_pSpy = this;
        m_pOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)Proc);
    }
    ~PaneClicks_t()
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pOld);
        s_pSpy = NULL;
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MBUTTONDBLCLK)
            s_pSpy->m_nClicks++;
        return ::CallWindowProcA(s_pSpy->m_pOld, hWnd, nMsg, wParam, lParam);
    }
};
PaneClicks_t* PaneClicks_t::s_pSpy = NULL;

class FloatingInput : public ToolsTest
{
protected:
    void SetUp() override
    {
        ToolsTest::SetUp();
        m_pPanel = new CPanelBar;
        ASSERT_TRUE(m_pPanel->CreatePanel(m_pFrame, 0xE930, "Panel"));
        ASSERT_TRUE(m_pPanel->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        m_pPanel->m_sizeFloated = CSize(220, 160);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        PumpPendingMessages();
        if (m_pMenuBar != NULL && m_pMenuBar->m_hWnd != NULL)
            m_pMenuBar->DestroyWindow();
        ToolsTest::TearDown();
        delete m_pPanel;
        delete m_pMenuBar;
    }
    // The panel floating at pt.
    CExtMiniDockFrameWnd* FloatPanel(CPoint pt)
    {
        m_pPanel->FloatAtPosition(pt);
        PumpPendingMessages();
        return MiniOf(m_pPanel);
    }
    CExtMenuControlBar* NewMenuBar()
    {
        m_pMenuBar = new CExtMenuControlBar;
        if (!m_pMenuBar->Create("Menu bar", m_pFrame, 0xE931,
                                WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                    CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
            !m_pMenuBar->LoadMenuBar(IDR_TOOLS_MAIN))
            return NULL;
        m_pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
        ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(m_pMenuBar);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        return m_pMenuBar;
    }
    CPanelBar* m_pPanel = NULL;
    CExtMenuControlBar* m_pMenuBar = NULL;
};

} // namespace

// However the bars menu of a floating frame's caption closes, the frame stays above the
// main window in the window order: a double click on its caption then docks the bar and
// the pane below gets no click. (The display's own stacking, which a virtual desktop
// changes on activation, is checked on the program itself: ctest entry app_floating_screen.)
TEST_F(FloatingInput, CaptionMenuLeavesTheFrameAboveTheMainWindow)
{
    // the menu lists the other bar only: the choice shows or hides that one
    m_pPanel->m_bListedInBarsMenu = false;
    CPanelBar* pOther = new CPanelBar;
    ASSERT_TRUE(pOther->CreatePanel(m_pFrame, 0xE932, "Other"));
    ASSERT_TRUE(pOther->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rcPane = ScreenRectOf(&m_pFrame->m_wndPane);
    const char* ways[] = { "Esc", "a click on the pane", "a choice" };
    for (const char* pszWay : ways)
    {
        SCOPED_TRACE(pszWay);
        CExtMiniDockFrameWnd* pMini = FloatPanel(CPoint(rcPane.left + 60, rcPane.top + 40));
        ASSERT_TRUE(pMini != NULL);
        const CPoint ptCaption = CaptionPoint(pMini);
        ASSERT_TRUE(rcPane.PtInRect(ptCaption));
        CInput().Click(ptCaption).Play();
        ASSERT_EQ(::WindowFromPoint(ptCaption), pMini->m_hWnd);

        CInput().Click(ptCaption, true).Play();
        ASSERT_TRUE(WaitForPopup());
        if (strcmp(pszWay, "Esc") == 0)
            CInput().Key(VK_ESCAPE).Play();
        else if (strcmp(pszWay, "a choice") == 0)
            CInput().Key(VK_DOWN).Key(VK_RETURN).Play();
        else
            CInput().Click(CPoint(rcPane.right - 20, rcPane.bottom - 20)).Play();
        ASSERT_TRUE(WaitForNoPopup());
        EXPECT_TRUE(IsAbove(pMini->m_hWnd, m_pFrame->m_hWnd));
        EXPECT_EQ(::WindowFromPoint(ptCaption), pMini->m_hWnd);

        PaneClicks_t spy(m_pFrame->m_wndPane.m_hWnd);
        CInput().DoubleClick(ptCaption).Play();
        PumpUntil([&] { return !m_pPanel->IsFloating(); });
        EXPECT_TRUE(m_pPanel->IsDocked());
        EXPECT_EQ(spy.m_nClicks, 0);
    }
    pOther->DestroyWindow();
    delete pOther;
}

// The whole visible border of a floating resizable bar's frame (the frame's own edge, the
// bar's edge and the margin about its content) resizes the frame under the size cursor.
TEST_F(FloatingInput, VisibleBorderResizesTheFrameWithTheSizeCursor)
{
    CExtMiniDockFrameWnd* pMini = FloatPanel(CPoint(300, 200));
    ASSERT_TRUE(pMini != NULL);
    CRect rcContent = ScreenRectOf(&m_pPanel->m_wndChild);
    CRect rc = ScreenRectOf(pMini);
    ASSERT_GT(rcContent.left - rc.left, ::GetSystemMetrics(SM_CXFRAME));
    // the border's innermost pixel at an edge (x, y: -1 left or top, 1 right or bottom)
    auto innermost = [&](int x, int y) {
        return CPoint(x < 0 ? rcContent.left - 1 : (x > 0 ? rcContent.right : rcContent.CenterPoint().x),
                      y > 0 ? rcContent.bottom : rcContent.CenterPoint().y);
    };
    struct
    {
        const char* pszEdge;
        LPCSTR lpszCursor;
        int x, y;           // the edge
        CSize move;
        CRect grown;        // how the window rectangle's edges move
    } cases[] = {
        { "left", IDC_SIZEWE, -1, 0, CSize(-30, 0), CRect(-30, 0, 0, 0) },
        { "right", IDC_SIZEWE, 1, 0, CSize(25, 0), CRect(0, 0, 25, 0) },
        { "bottom", IDC_SIZENS, 0, 1, CSize(0, 20), CRect(0, 0, 0, 20) },
        { "bottom right", IDC_SIZENWSE, 1, 1, CSize(10, 12), CRect(0, 0, 10, 12) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszEdge);
        rc = ScreenRectOf(pMini);
        rcContent = ScreenRectOf(&m_pPanel->m_wndChild);
        const CPoint pt = innermost(c.x, c.y);
        CInput().Move(pt).Play();
        EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, c.lpszCursor));
        CInput().Drag(pt, pt + c.move).Play();
        CRect rcAfter = ScreenRectOf(pMini);
        EXPECT_EQ(rcAfter.left, rc.left + c.grown.left);
        EXPECT_EQ(rcAfter.top, rc.top + c.grown.top);
        EXPECT_EQ(rcAfter.right, rc.right + c.grown.right);
        EXPECT_EQ(rcAfter.bottom, rc.bottom + c.grown.bottom);
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
    }
    // inside the content nothing resizes or moves
    rc = ScreenRectOf(pMini);
    CPoint ptIn(rcContent.left + 3, rcContent.CenterPoint().y);
    CInput().Move(ptIn).Play();
    EXPECT_NE(::GetCursor(), ::LoadCursor(NULL, IDC_SIZEWE));
    CInput().Drag(ptIn, ptIn + CSize(-30, 0)).Play();
    EXPECT_EQ(ScreenRectOf(pMini), rc);
}

// A floating toolbar of one row gets narrower from either side edge, at any height of the
// edge: its buttons wrap into more rows and the opposite edge stays.
TEST_F(FloatingInput, OneRowToolbarNarrowsFromItsSideEdges)
{
    CExtToolControlBar* pBar = NewRowToolBar(m_pFrame, 0xE933, m_toolbars);
    ASSERT_TRUE(pBar != NULL);
    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpPendingMessages();
    CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
    ASSERT_TRUE(pMini != NULL);
    const CRect rcOneRow = ScreenRectOf(pMini);
    ASSERT_GT(rcOneRow.Width(), 2 * rcOneRow.Height());
    const int cy = ::GetSystemMetrics(SM_CYFRAME);
    const int nHeights[] = { rcOneRow.top + cy + 2, rcOneRow.CenterPoint().y, rcOneRow.bottom - cy - 2 };
    for (bool bLeft : { true, false })
    {
        for (int y : nHeights)
        {
            SCOPED_TRACE(testing::Message() << (bLeft ? "left" : "right") << " edge at "
                                            << y - rcOneRow.top);
            CRect rc = ScreenRectOf(pMini);
            ASSERT_EQ(rc.Height(), rcOneRow.Height());
            CPoint pt(bLeft ? rc.left + 1 : rc.right - 2, y);
            CInput().Move(pt).Play();
            EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_SIZEWE));
            const int dx = rc.Width() / 2;
            CInput().Drag(pt, CPoint(bLeft ? pt.x + dx : pt.x - dx, y)).Play();
            CRect rcNarrow = ScreenRectOf(pMini);
            EXPECT_LT(rcNarrow.Width(), rc.Width());
            EXPECT_GT(rcNarrow.Height(), rc.Height());
            if (bLeft)
                EXPECT_EQ(rcNarrow.right, rc.right);
            else
                EXPECT_EQ(rcNarrow.left, rc.left);
            EXPECT_EQ(rcNarrow.top, rc.top);
            // and back to one row from the same edge
            pt = CPoint(bLeft ? rcNarrow.left + 1 : rcNarrow.right - 2, rcNarrow.CenterPoint().y);
            CInput().Drag(pt, CPoint(bLeft ? rc.left - 40 : rc.right + 40, pt.y)).Play();
            EXPECT_EQ(ScreenRectOf(pMini).Height(), rcOneRow.Height());
        }
    }
}

// The menu bar dragged off the top row across the left dock bar into the open floats; a
// double click on its frame's caption docks it back at the top, where it came from.
TEST_F(FloatingInput, DoubleClickDocksTheMenuBarWhereItCameFrom)
{
    CExtMenuControlBar* pBar = NewMenuBar();
    ASSERT_TRUE(pBar != NULL);
    CDockBar* pTop = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    CDockBar* pLeft = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(pBar->m_pDockBar, pTop);
    CRect rcBar = ScreenRectOf(pBar);
    CRect rcFrame = ScreenRectOf(m_pFrame);
    CRect rcPane = ScreenRectOf(&m_pFrame->m_wndPane);
    CPoint ptGripper(rcBar.left + 4, rcBar.CenterPoint().y);
    // by the left edge of the frame, then out of it below
    CInput()
        .Move(ptGripper)
        .Press()
        .Move(ptGripper + CSize(6, 6))
        .Move(CPoint(rcFrame.left + 6, rcPane.CenterPoint().y))
        .Move(CPoint(rcFrame.left + 8, rcPane.CenterPoint().y + 20))
        .Move(CPoint(rcFrame.left + 60, rcFrame.bottom + 40))
        .Move(CPoint(rcFrame.left + 70, rcFrame.bottom + 50))
        .Release()
        .Play();
    ASSERT_TRUE(pBar->IsFloating());
    CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
    ASSERT_TRUE(pMini != NULL);
    CInput().DoubleClick(CaptionPoint(pMini)).Play();
    PumpUntil([&] { return !pBar->IsFloating(); });
    EXPECT_EQ(pBar->m_pDockBar, pTop);
    EXPECT_NE(pBar->m_pDockBar, pLeft);
    EXPECT_LT(ScreenRectOf(pBar).Height(), ScreenRectOf(pBar).Width());
}

// A bar dropped at the screen's bottom-left corner floats with its caption on the work
// area: a resizable bar dragged by its caption and a toolbar dragged live.
TEST_F(FloatingInput, FrameDroppedAtTheScreenCornerKeepsItsCaptionOnTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const CPoint ptCorner(rcWork.left + 2, rcWork.bottom - 2);
    auto expectOnWorkArea = [&](CControlBar* pBar) {
        CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
        ASSERT_TRUE(pMini != NULL);
        CRect rc = ScreenRectOf(pMini);
        const int nCaptionBottom = rc.top + ::GetSystemMetrics(SM_CYFRAME) +
                                   ::GetSystemMetrics(SM_CYSMCAPTION);
        EXPECT_GE(rc.top, rcWork.top);
        EXPECT_LE(nCaptionBottom, rcWork.bottom);
        EXPECT_GE(rc.right, rcWork.left + std::min(rc.Width(), 4 * ::GetSystemMetrics(SM_CYSMCAPTION)));
        // the caption is there to grab
        CPoint pt(std::max(rc.left, rcWork.left) + 10, nCaptionBottom - 3);
        EXPECT_EQ(::WindowFromPoint(pt), pMini->m_hWnd);
    };
    CRect rcPanel = ScreenRectOf(m_pPanel);
    CPoint ptCaption(rcPanel.CenterPoint().x, rcPanel.top + 6);
    CInput().Drag(ptCaption, ptCorner, 6).Play();
    ASSERT_TRUE(m_pPanel->IsFloating());
    expectOnWorkArea(m_pPanel);

    CExtToolControlBar* pTool = NewRowToolBar(m_pFrame, 0xE934, m_toolbars);
    ASSERT_TRUE(pTool != NULL);
    m_pFrame->RecalcLayout();
    CRect rcTool = ScreenRectOf(pTool);
    CInput().Drag(CPoint(rcTool.left + 4, rcTool.CenterPoint().y), ptCorner, 6).Play();
    ASSERT_TRUE(pTool->IsFloating());
    expectOnWorkArea(pTool);
}

// Many caption menus, menu-bar menus, Esc presses, clicks and floats in a random order
// (seed kept): every step is handled, nothing is left tracking or captured, the frames
// keep their bars and every floating frame stays above the main window.
TEST_F(FloatingInput, LongRandomRunOfCaptionMenusMenusEscAndFloats)
{
    CExtMenuControlBar* pMenuBar = NewMenuBar();
    ASSERT_TRUE(pMenuBar != NULL);
    CExtToolControlBar* pTool = NewRowToolBar(m_pFrame, 0xE935, m_toolbars);
    ASSERT_TRUE(pTool != NULL);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    const CRect rcPane = ScreenRectOf(&m_pFrame->m_wndPane);
    std::mt19937 rng(4608u);
    CControlBar* bars[] = { m_pPanel, pTool, pMenuBar };
    auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
    for (int nStep = 0; nStep < 160; nStep++)
    {
        const int nAction = pick(6);
        CControlBar* pBar = bars[pick(3)];
        SCOPED_TRACE(testing::Message() << "step " << nStep << ", action " << nAction);
        CExtMiniDockFrameWnd* pMini = MiniOf(pBar);
        const bool bFloating = pMini != NULL;
        // a frame another one covers is left alone (a right click on the edit window of
        // the one above would open that window's own menu)
        if (pMini != NULL && ::WindowFromPoint(CaptionPoint(pMini)) != pMini->m_hWnd)
            pMini = NULL;
        switch (nAction)
        {
        case 0:     // the caption's bars menu
            if (pMini != NULL)
            {
                CInput().Click(CaptionPoint(pMini), true).Play();
                WaitForPopup();
            }
            break;
        case 1:     // a menu of the menu bar
            {
                CRect rcBtn;
                pMenuBar->GetButtonRect(pick(3), &rcBtn);
                pMenuBar->ClientToScreen(&rcBtn);
                CInput().Click(rcBtn.CenterPoint()).Play();
                WaitForPopup();
                break;
            }
        case 2:
            CInput().Key(VK_ESCAPE).Play();
            break;
        case 3:     // floats: a docked bar where it stands, a floating one by its caption
            if (!bFloating && !CExtPopupMenuWnd::IsTrackingActive())
            {
                // a toolbar by its gripper, the panel by its caption
                CRect rc = ScreenRectOf(pBar);
                CPoint ptFrom = pBar == m_pPanel ? CPoint(rc.CenterPoint().x, rc.top + 6)
                                                 : CPoint(rc.left + 4, rc.top + 4);
                CPoint ptTo(rcPane.left + 40 + pick(rcPane.Width() / 2),
                            rcPane.top + 40 + pick(rcPane.Height() / 2));
                CInput().Key(VK_CONTROL, true, false)
                    .Drag(ptFrom, ptTo)
                    .Key(VK_CONTROL, false, true)
                    .Play();
            }
            else if (pMini != NULL)
            {
                CPoint pt = CaptionPoint(pMini);
                CInput().Drag(pt, pt + CSize(pick(61) - 30, pick(61) - 30)).Play();
            }
            break;
        case 4:
            CInput().Click(CPoint(rcPane.left + pick(rcPane.Width()), rcPane.top + pick(rcPane.Height())))
                .Play();
            break;
        default:    // a double click on a floating caption docks the bar
            if (pMini != NULL)
                CInput().DoubleClick(CaptionPoint(pMini)).Play();
            break;
        }
        ASSERT_TRUE(::IsWindow(m_pFrame->m_hWnd));
        for (CControlBar* p : bars)
        {
            ASSERT_TRUE(::IsWindow(p->m_hWnd));
            EXPECT_TRUE(p->IsFloating() || p->m_pDockBar != NULL);
        }
    }
    CInput().Key(VK_ESCAPE).Play();
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_TRUE(WaitForNoPopup());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    for (CControlBar* p : bars)
    {
        CExtMiniDockFrameWnd* pMini = MiniOf(p);
        if (pMini != NULL && pMini->IsWindowVisible())
            EXPECT_TRUE(PumpUntil([&] { return IsAbove(pMini->m_hWnd, m_pFrame->m_hWnd); }));
    }
}
