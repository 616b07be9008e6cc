// ChildFrm.cpp - the child frame of a publication and its corner panes.

#include "ChildFrm.h"
#include "MainFrm.h"
#include "PropSheet.h"
#include "RulerView.h"
#include "TabView.h"
#include "VarnelView.h"

/////////////////////////////////////////////////////////////////////////////
// CThinSplitterWnd

CThinSplitterWnd::CThinSplitterWnd()
{
    m_cxSplitter = m_cySplitter = 1;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = 1;
    m_cxBorder = m_cyBorder = 1;
}

void CThinSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC != NULL && nType == splitBorder)
    {
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
}

/////////////////////////////////////////////////////////////////////////////
// CChildFrame

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CChildFrame::CChildFrame()
{
}

CChildFrame::~CChildFrame()
{
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = WS_CHILD | WS_VISIBLE | WS_MAXIMIZE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CMDIChildWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

// Splits the window into its six panes (side label, side tabs, ruler corner, two rulers, design view) and
// makes the design view active.
BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 3, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    const struct
    {
        int nRow;
        int nColumn;
        CRuntimeClass* pClass;
        CSize size;
    } panes[] = {
        {0, 0, RUNTIME_CLASS(CParentView00), CSize(130, 50)},
        {0, 1, RUNTIME_CLASS(CParentView), CSize(130, 50)},
        {0, 2, RUNTIME_CLASS(CRulerView), CSize(0, 0)},
        {1, 0, RUNTIME_CLASS(CTabView), CSize(130, 50)},
        {1, 1, RUNTIME_CLASS(CRulerView), CSize(0, 0)},
        {1, 2, RUNTIME_CLASS(CVarnelView), CSize(0, 0)},
    };
    for (const auto& pane : panes)
    {
        if (!m_wndSplitter.CreateView(pane.nRow, pane.nColumn, pane.pClass, pane.size, pContext))
            return FALSE;
    }
    m_wndSplitter.SetColumnInfo(0, 70, 0);
    m_wndSplitter.SetColumnInfo(1, 20, 0);
    m_wndSplitter.SetRowInfo(0, 20, 0);
    m_wndSplitter.RecalcLayout();

    // the rulers start at the design view's zoom (they read it again at every paint)
    CVarnelView* pView = DYNAMIC_DOWNCAST(CVarnelView, m_wndSplitter.GetPane(1, 2));
    const float fZoom = pView != NULL ? pView->GetZoom() : 1.0f;
    if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, m_wndSplitter.GetPane(0, 2)))
        pRuler->Refresh(1, fZoom);
    if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, m_wndSplitter.GetPane(1, 1)))
        pRuler->Refresh(0, fZoom);
    SetActiveView((CView*)m_wndSplitter.GetPane(1, 2));
    return TRUE;
}

void CChildFrame::OnClose()
{
    CModelessPropSheet::ApplyFieldInFocus();
    CMDIChildWnd::OnClose();
}

// The menu bar of the main window sees the keys first (Alt, F10, menu letters).
BOOL CChildFrame::PreTranslateMessage(MSG* pMsg)
{
    CMainFrame* pMain = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    if (pMain != NULL && pMain->m_wndMenuBar.m_hWnd != NULL && pMain->m_wndMenuBar.PreTranslateFrameMessage(pMsg))
        return TRUE;
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CParentView

IMPLEMENT_DYNCREATE(CParentView, CView)

CParentView::CParentView()
{
}

void CParentView::OnDraw(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, RGB(200, 200, 200));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CRect rect;
    GetClientRect(&rect);
    const int aInsets[] = {2, 3, 2, 1};
    for (int nInset : aInsets)
    {
        rect.DeflateRect(nInset, nInset);
        pDC->Rectangle(&rect);
    }
    pDC->SelectObject(pOldPen);
}

/////////////////////////////////////////////////////////////////////////////
// CParentView00

IMPLEMENT_DYNCREATE(CParentView00, CView)

CParentView00::CParentView00()
    : m_nSide(1)
{
}

void CParentView00::SetSide(int nSide)
{
    m_nSide = nSide;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CParentView00::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    CBrush brush(RGB(255, 255, 255));
    pDC->FillRect(&rect, &brush);
    LPCSTR pszText = m_nSide == 1 ? "Front" : (m_nSide == 2 ? "Back" : NULL);
    if (pszText != NULL)
        pDC->DrawText(pszText, -1, &rect, DT_CENTER);
}

/////////////////////////////////////////////////////////////////////////////

CWnd* GetSiblingPane(CWnd* pPane, int nRow, int nColumn)
{
    if (pPane == NULL)
        return NULL;
    CSplitterWnd* pSplitter = DYNAMIC_DOWNCAST(CSplitterWnd, pPane->GetParent());
    if (pSplitter == NULL || nRow >= pSplitter->GetRowCount() || nColumn >= pSplitter->GetColumnCount())
        return NULL;
    return pSplitter->GetPane(nRow, nColumn);
}
