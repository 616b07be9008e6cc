// The status bar: panes from string ids, texts, disabled panes, the size grip, pane
// controls and tips, dropped nested paints, and the status text of highlighted commands.
#include "tools_support.h"
#include "afxpriv.h"

#include <cstdlib>

namespace
{

class CTestStatusBar : public CExtStatusControlBar
{
public:
    int m_nGrips = 0;
    CRect m_rcGrip;
    void DrawSizeGrip(CDC& dc, const RECT& rcGrip) override
    {
        m_nGrips++;
        m_rcGrip = rcGrip;
        CExtStatusControlBar::DrawSizeGrip(dc, rcGrip);
    }
};

const UINT s_panes[] = { 0, ID_PANE_POSITION, ID_PANE_SIZE, ID_PANE_MISSING };

// Pixels inside the rectangle (window client coordinates) that are not the colour.
int CountOtherPixels(CWnd* pWnd, CRect rc, COLORREF clr)
{
    CClientDC dc(pWnd);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (dc.GetPixel(x, y) != clr)
                n++;
    return n;
}

class StatusBarTest : public ToolsTest
{
protected:
    void SetUp() override
    {
        ToolsTest::SetUp();
        m_pStatus = new CTestStatusBar;
        ASSERT_TRUE(m_pStatus->Create(m_pFrame));
        ASSERT_TRUE(m_pStatus->SetPanesFromStringIds(s_panes, 4));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }
    void TearDown() override
    {
        if (m_pStatus->m_hWnd != NULL)
            m_pStatus->DestroyWindow();
        delete m_pStatus;
        ToolsTest::TearDown();
    }
    CRect PaneRect(int nIndex)
    {
        CRect rc;
        m_pStatus->GetItemRect(nIndex, &rc);
        return rc;
    }
    CTestStatusBar* m_pStatus = NULL;
};

} // namespace

TEST_F(StatusBarTest, PanesComeFromStringIds)
{
    EXPECT_EQ(m_pStatus->GetCount(), 4);
    EXPECT_EQ(m_pStatus->GetPaneCommandId(1), (UINT)ID_PANE_POSITION);
    EXPECT_EQ(m_pStatus->GetPaneCommandId(4), 0u);
    EXPECT_EQ(m_pStatus->GetPaneCommandId(-1), 0u);
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_pStatus->GetPaneInfo(0, nID, nStyle, cx);
    EXPECT_EQ(nID, 0u);
    EXPECT_TRUE(nStyle & SBPS_STRETCH);
    EXPECT_TRUE(nStyle & SBPS_NOBORDERS);
    EXPECT_EQ(cx, ::GetSystemMetrics(SM_CXSCREEN) / 4);
    EXPECT_EQ(m_pStatus->GetPaneText(1), CString("Pos 0000, 0000"));
    EXPECT_EQ(m_pStatus->GetPaneText(2), CString("Size 00"));
    // the width is the text's, measured with the bar's font
    int cxPos = 0, cxSize = 0, cxMissing = -1;
    m_pStatus->GetPaneInfo(1, nID, nStyle, cxPos);
    m_pStatus->GetPaneInfo(2, nID, nStyle, cxSize);
    m_pStatus->GetPaneInfo(3, nID, nStyle, cxMissing);
    EXPECT_GT(cxPos, cxSize);
    EXPECT_GT(cxSize, 0);
    // a string id without a string gives an empty pane as wide as the empty text
    EXPECT_EQ(m_pStatus->GetPaneText(3), CString(""));
    EXPECT_EQ(cxMissing, 0);
    // the stretching pane takes the room the others leave
    CRect rcClient;
    m_pStatus->GetClientRect(&rcClient);
    EXPECT_GT(PaneRect(0).Width(), rcClient.Width() / 2);
    CRect rcBar = m_pFrame->ChildRect(m_pStatus);
    CRect rcFrame;
    m_pFrame->GetClientRect(&rcFrame);
    EXPECT_EQ(rcBar.bottom, rcFrame.bottom);
}

TEST_F(StatusBarTest, TextsArePaintedAndDisabledPanesHideTheirText)
{
    COLORREF clrFace = m_pStatus->m_clrFace;
    m_pStatus->SetPaneText(1, "Pos 12, 34");
    m_pStatus->RedrawStatusBar();
    CRect rc = PaneRect(1);
    rc.DeflateRect(3, 3);
    EXPECT_GT(CountOtherPixels(m_pStatus, rc, clrFace), 10);
    // text disappears with the disabled style (the text itself is kept)
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_pStatus->GetPaneInfo(1, nID, nStyle, cx);
    m_pStatus->SetPaneInfoAndEnable(1, nID, nStyle | SBPS_DISABLED, cx);
    m_pStatus->RedrawStatusBar();
    EXPECT_EQ(CountOtherPixels(m_pStatus, rc, clrFace), 0);
    EXPECT_EQ(m_pStatus->GetPaneText(1), CString("Pos 12, 34"));
    // without the hiding flag a disabled pane shows its text in the disabled colour
    m_pStatus->m_dwStatusStyle &= ~CExtStatusControlBar::STAT_HIDE_DISABLED_TEXT;
    m_pStatus->RedrawStatusBar();
    EXPECT_GT(CountOtherPixels(m_pStatus, rc, clrFace), 10);
    int nArea = rc.Width() * rc.Height();
    EXPECT_LT(CountOtherPixels(m_pStatus, rc, m_pStatus->m_clrTextDisabled), nArea);
}

TEST_F(StatusBarTest, PaneControlsFollowThePanesAndTheirEnabledState)
{
    CWnd wndEdit;
    ASSERT_TRUE(wndEdit.Create("EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pStatus, 7));
    ASSERT_TRUE(m_pStatus->AddPaneControl(wndEdit.m_hWnd, ID_PANE_SIZE, FALSE));
    EXPECT_FALSE(m_pStatus->AddPaneControl(wndEdit.m_hWnd, 12345, FALSE));
    for (int cx : { 700, 500, 900 })
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, 400, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        CRect rcCtrl;
        wndEdit.GetWindowRect(&rcCtrl);
        m_pStatus->ScreenToClient(&rcCtrl);
        CRect rcPane = m_pStatus->GetPanePaintRect(2);
        CRect rcUnion;
        rcUnion.UnionRect(&rcCtrl, &rcPane);
        EXPECT_EQ(rcUnion, rcPane) << cx;
        EXPECT_LT(rcCtrl.Width(), rcPane.Width()) << cx;
        // the grip stays uncovered
        CRect rcClient;
        m_pStatus->GetClientRect(&rcClient);
        EXPECT_LE(rcCtrl.right, rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL)) << cx;
    }
    EXPECT_TRUE(wndEdit.IsWindowEnabled());
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_pStatus->GetPaneInfo(2, nID, nStyle, cx);
    m_pStatus->SetPaneInfoAndEnable(2, nID, nStyle | SBPS_DISABLED, cx);
    EXPECT_FALSE(wndEdit.IsWindowEnabled());
    m_pStatus->SetPaneInfoAndEnable(2, nID, nStyle, cx);
    EXPECT_TRUE(wndEdit.IsWindowEnabled());
    wndEdit.DestroyWindow();
}

TEST_F(StatusBarTest, TheGripIsDrawnAndAnswersTheHitTestUnlessHidden)
{
    m_pStatus->m_nGrips = 0;
    m_pStatus->RedrawStatusBar();
    EXPECT_GE(m_pStatus->m_nGrips, 1);
    CRect rcClient;
    m_pStatus->GetClientRect(&rcClient);
    EXPECT_EQ(m_pStatus->m_rcGrip.right, rcClient.right);
    EXPECT_EQ(m_pStatus->m_rcGrip.Width(), ::GetSystemMetrics(SM_CXVSCROLL));
    CPoint pt(rcClient.right - 3, rcClient.bottom - 3);
    m_pStatus->ClientToScreen(&pt);
    LRESULT nHit = m_pStatus->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_NE(nHit, (LRESULT)HTNOWHERE);
    CExtStatusControlBar::g_bHideSizeGrip = true;
    EXPECT_EQ(m_pStatus->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), (LRESULT)HTCLIENT);
    CExtStatusControlBar::g_bHideSizeGrip = false;
    // a maximised frame has no grip area
    m_pFrame->ShowWindow(SW_MAXIMIZE);
    m_pFrame->RecalcLayout();
    m_pStatus->m_nGrips = 0;
    m_pStatus->RedrawStatusBar();
    EXPECT_EQ(m_pStatus->m_nGrips, 0);
    m_pFrame->ShowWindow(SW_RESTORE);
}

TEST_F(StatusBarTest, ANestedPaintThatIsDroppedStillValidatesTheWindow)
{
    m_pStatus->m_bPaintingGuard = true;
    m_pStatus->Invalidate(FALSE);
    m_pStatus->UpdateWindow();
    int nDropped = m_pStatus->m_nDroppedPaints;
    EXPECT_GE(nDropped, 1);
    EXPECT_FALSE(::GetUpdateRect(m_pStatus->m_hWnd, NULL, FALSE));
    // no further paint message comes for it
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_pStatus->m_hWnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    m_pStatus->m_bPaintingGuard = false;
    m_pStatus->m_nGrips = 0;
    m_pStatus->RedrawStatusBar();
    EXPECT_EQ(m_pStatus->m_nDroppedPaints, nDropped);
    EXPECT_GE(m_pStatus->m_nGrips, 1);
    // a text set while painting is taken without a nested paint of its own
    m_pStatus->SetPaneText(2, "Size 42");
    EXPECT_FALSE(m_pStatus->m_bPaintingGuard);
    EXPECT_FALSE(::GetUpdateRect(m_pStatus->m_hWnd, NULL, FALSE));
}

TEST_F(StatusBarTest, PaneTipsComeFromTheExtendedData)
{
    TOOLINFO ti;
    ::ZeroMemory(&ti, sizeof(ti));
    CPoint pt = PaneRect(1).CenterPoint();
    CPoint ptScreen = pt;
    m_pStatus->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    EXPECT_EQ(m_pStatus->OnToolHitTest(pt, &ti), -1);
    m_pStatus->PaneData(ID_PANE_POSITION).m_strTipText = "Cursor position";
    EXPECT_EQ(m_pStatus->OnToolHitTest(pt, &ti), (INT_PTR)ID_PANE_POSITION);
    ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
    EXPECT_STREQ(ti.lpszText, "Cursor position");
    free(ti.lpszText);
    EXPECT_EQ(m_pStatus->HitTestPane(pt), 1);
    // the format of panes without data is the default one
    EXPECT_EQ(m_pStatus->GetPaneTextFormat(2), (UINT)(DT_SINGLELINE | DT_VCENTER));
    m_pStatus->PaneData(ID_PANE_SIZE).m_nDrawTextFormat = DT_SINGLELINE | DT_RIGHT;
    EXPECT_EQ(m_pStatus->GetPaneTextFormat(2), (UINT)(DT_SINGLELINE | DT_RIGHT));
    // the extended data survives an archive round trip
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_pStatus->SerializeExtData(ar);
    }
    file.SeekToBegin();
    CExtStatusControlBar other;
    {
        CArchive ar(&file, CArchive::load);
        other.SerializeExtData(ar);
    }
    EXPECT_EQ(other.PaneData(ID_PANE_POSITION).m_strTipText, CString("Cursor position"));
    EXPECT_EQ(other.PaneData(ID_PANE_SIZE).m_nDrawTextFormat, (UINT)(DT_SINGLELINE | DT_RIGHT));
}

TEST_F(StatusBarTest, HighlightedCommandsShowTheirStatusText)
{
    CFixedToolBar* pBar = NewToolBar(0xE920, { ID_TOOLS_NEW, ID_TOOLS_OPEN }, AFX_IDW_DOCKBAR_TOP);
    Mouse(pBar, WM_MOUSEMOVE, Centre(pBar, 1));
    EXPECT_EQ(m_pStatus->GetPaneText(0), CString("Status of Open publication"));
    // a highlighted item of a popup menu does the same
    CExtPopupMenuWnd::ShowStatusText(m_pFrame, ID_TOOLS_SAVE);
    EXPECT_EQ(m_pStatus->GetPaneText(0), CString("Status of Save publication"));
    // leaving the button brings the idle prompt back
    m_pFrame->m_messageStrings.clear();
    Mouse(pBar, WM_MOUSEMOVE, CPoint(-5, -5));
    ASSERT_FALSE(m_pFrame->m_messageStrings.empty());
    EXPECT_EQ(m_pFrame->m_messageStrings.back(), (WPARAM)AFX_IDS_IDLEMESSAGE);
}
