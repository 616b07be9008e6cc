// Frames, bars and the recording paint manager of the framework bar tests.
#include "uibars_support.h"
#include "afxdlgs.h"
#include "test_support.h"

BEGIN_MESSAGE_MAP(CTestResizableBar, CExtControlBar)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CTestResizableBar::CreateTestBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle)
{
    if (!Create(lpszTitle, pFrame, nID))
        return FALSE;
    if (!m_wndChild.Create("EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, 1))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

void CTestResizableBar::OnClose()
{
    m_nCloseSeen++;
    ShowWindow(SW_HIDE);
}

BEGIN_MESSAGE_MAP(CUiBarsFrame, CFrameWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringMsg)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgDrawTackedArea, OnDrawTrackedArea)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgCreateTabbedBar, OnCreateTabbedBar)
END_MESSAGE_MAP()

LRESULT CUiBarsFrame::OnSetMessageStringMsg(WPARAM wParam, LPARAM lParam)
{
    m_nMessageStrings++;
    m_nLastMessageString = wParam;
    return CFrameWnd::OnSetMessageString(wParam, lParam);
}

LRESULT CUiBarsFrame::OnCreateTabbedBar(WPARAM wParam, LPARAM)
{
    m_nCreateTabbedBarAsked++;
    if (m_onCreateTabbedBar)
        m_onCreateTabbedBar(wParam);
    return 0;
}

LRESULT CUiBarsFrame::OnDrawTrackedArea(WPARAM, LPARAM)
{
    m_nTrackedAreas++;
    return 0;
}

BOOL CUiBarsFrame::CreateTestFrame()
{
    if (!Create(NULL, "Framework bars", WS_OVERLAPPEDWINDOW, CRect(10, 10, 810, 610)))
        return FALSE;
    LPCTSTR lpszPaneClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_WINDOW + 1));
    if (!m_wndPane.Create(lpszPaneClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!CExtControlBar::SetupFrameDocking(this, CBRS_ALIGN_ANY, TRUE))
        return FALSE;
    ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

CRect CUiBarsFrame::ChildRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
}

void CRecordingPaintManager::DrawNcAreaButton(CDC& dc, NcButtonArgs_t& a)
{
    NcButton_t rec;
    rec.rc = a.m_rc;
    rec.nGlyph = a.m_nGlyphIndex;
    rec.bHover = a.m_bHover;
    rec.bPushed = a.m_bPushed;
    rec.bEnabled = a.m_bEnabled;
    m_buttons.push_back(rec);
    CExtPaintManagerXP::DrawNcAreaButton(dc, a);
}

void CRecordingPaintManager::DrawBarCaption(CDC& dc, BarCaptionArgs_t& a)
{
    m_captions.push_back(a.m_sText);
    m_captionRects.push_back(a.m_rcCaption);
    CExtPaintManagerXP::DrawBarCaption(dc, a);
}

void UiBarsTest::SetUp()
{
    m_pApp = new CWinApp("UiBars Tests");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pFrame = new CUiBarsFrame;
    ASSERT_TRUE(m_pFrame->CreateTestFrame());
    m_pApp->m_pMainWnd = m_pFrame;
}

void UiBarsTest::TearDown()
{
    if (m_pApp != NULL)
        m_pApp->m_pMainWnd = NULL;
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    PumpPendingMessages();
    for (CTestResizableBar* pBar : m_bars)
        delete pBar;
    m_bars.clear();
    delete m_pApp;
    m_pApp = NULL;
}

CTestResizableBar* UiBarsTest::NewBar(UINT nID, LPCTSTR lpszTitle)
{
    CTestResizableBar* pBar = new CTestResizableBar;
    m_bars.push_back(pBar);
    EXPECT_TRUE(pBar->CreateTestBar(m_pFrame, nID, lpszTitle));
    return pBar;
}

void UiBarsTest::ExpectAllArraysSound()
{
    CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar,
                                              (CObject*)m_pFrame->m_listControlBars.GetNext(pos));
        if (pDock == NULL || pDock->m_hWnd == NULL)
            continue;
        EXPECT_TRUE(ExtBarLayout::IsBarArraySound(pDock->m_arrBars))
            << "dock bar " << pDock->GetDlgCtrlID() << " circle " << pDock->GetCircleNo();
        for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); i++)
        {
            void* p = pDock->m_arrBars[i];
            if (p == NULL || ExtBarLayout::IsPlaceholder(p))
                continue;
            CControlBar* pBar = (CControlBar*)p;
            EXPECT_EQ(pBar->m_pDockBar, (CDockBar*)pDock);
        }
    }
    for (INT_PTR i = 0; i < CExtControlBar::g_arrAllBars.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar,
                                                          CExtControlBar::g_arrAllBars[i]);
        if (pContainer != NULL && pContainer->m_pWndDynDockBar != NULL &&
            pContainer->m_pWndDynDockBar->m_hWnd != NULL)
        {
            EXPECT_TRUE(ExtBarLayout::IsBarArraySound(pContainer->m_pWndDynDockBar->m_arrBars));
        }
    }
}

namespace
{

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CWindowTestEnvironment);

} // namespace

std::vector<BYTE> UiBarsArchiveBytes(const std::function<void(CArchive&)>& fn)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        fn(ar);
        ar.Close();
    }
    std::vector<BYTE> v((size_t)file.GetLength());
    file.Seek(0, CFile::begin);
    if (!v.empty())
        file.Read(v.data(), (UINT)v.size());
    return v;
}
