// The frame and fixture of the bar tests.

#include "bartest.h"

IMPLEMENT_DYNCREATE(CTestMiniFrame, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CBarTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_ALPHA, OnAlpha)
    ON_UPDATE_COMMAND_UI(ID_TEST_BETA, OnUpdateBeta)
    ON_UPDATE_COMMAND_UI(ID_TEST_GAMMA, OnUpdateGamma)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_ZOOM, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LOCK, OnUpdateLock)
END_MESSAGE_MAP()

CBarTestFrame::CBarTestFrame()
{
    m_nAlpha = 0;
    m_nGammaCheck = 1;
    m_strZoom = "Zoom 250%";
    m_bLockEnabled = FALSE;
}

BOOL CBarTestFrame::CreateTestFrame()
{
    if (!Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500)))
        return FALSE;
    LPCTSTR lpszPaneClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_WINDOW + 1));
    if (!m_wndPane.Create(lpszPaneClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST))
        return FALSE;
    const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                             CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle) || !m_wndToolBar.LoadToolBar(IDR_TESTBAR))
        return FALSE;
    if (!m_wndToolBar2.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 10) ||
        !m_wndToolBar2.LoadToolBar(IDR_TESTBAR))
        return FALSE;
    static const UINT s_indicators[] =
    {
        ID_SEPARATOR, ID_INDICATOR_ZOOM, ID_INDICATOR_LOCK, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
    };
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(s_indicators, sizeof(s_indicators) / sizeof(s_indicators[0])))
        return FALSE;
    m_wndToolBar.SetWindowText("Standard");
    m_wndToolBar2.SetWindowText("Second");
    ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

CRect CBarTestFrame::ChildRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    ScreenToClient(rect);
    return rect;
}

CRect CBarTestFrame::PaneRect()
{
    return ChildRect(&m_wndPane);
}

void CBarTestFrame::OnAlpha()
{
    m_nAlpha++;
}

void CBarTestFrame::OnUpdateBeta(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CBarTestFrame::OnUpdateGamma(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_nGammaCheck);
}

void CBarTestFrame::OnUpdateZoom(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(m_strZoom);
}

void CBarTestFrame::OnUpdateLock(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bLockEnabled);
}

void BarsTest::SetUp()
{
    m_pApp = new CWinApp("Bars Tests");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pFrame = new CBarTestFrame;
    ASSERT_TRUE(m_pFrame->CreateTestFrame());
    m_pApp->m_pMainWnd = m_pFrame;
}

void BarsTest::TearDown()
{
    if (m_pApp != NULL)
        m_pApp->m_pMainWnd = NULL;      // no quit message when the frame goes
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();      // the frame deletes itself
    m_pFrame = NULL;
    PumpPendingMessages();
    delete m_pApp;
    m_pApp = NULL;
}

void BarsTest::RunIdle()
{
    PumpPendingMessages();
    m_pApp->OnIdle(0);
}
