// viewcore.cpp - CView: creation in a frame's context, drawing, updates,
// activation and command routing to the document.

#include "afxwnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE_VOID(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView()
{
    m_pDocument = NULL;
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetFrameOrViewClassName();
    // the border of a view is drawn as a client edge
    if (cs.style & WS_BORDER)
    {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy()
{
    delete this;    // views are always on the heap
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // the view joins the document of its creation context
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

// A click in a view makes it the frame's active view.
int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;

    // a click makes this the frame's active view
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL)
    {
        CView* pView = pParentFrame->GetActiveView();
        HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

void CView::OnInitialUpdateMsg()
{
    OnInitialUpdate();
}

BOOL CView::IsSelected(const CObject*) const
{
    return FALSE;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // a job of unknown length prints one page
    if (pInfo != NULL)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

BOOL CView::OnScroll(UINT, UINT, BOOL)
{
    return FALSE;
}

BOOL CView::OnScrollBy(CSize, BOOL)
{
    return FALSE;
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    // the active view takes the focus when its top-level window is active
    if (bActivate && IsTopParentActive())
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    // the scroll bars of a view lie inside its window rectangle
    if (nAdjustType != 0)
    {
        DWORD dwStyle = GetStyle();
        if (dwStyle & WS_VSCROLL)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_HSCROLL)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

// Routes a command to the view, then to its document.
BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // the view itself first
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;

    // then its document, which may ask which view routes
    if (m_pDocument != NULL)
    {
        _AFX_THREAD_STATE* pState = AfxGetThreadState();
        CView* pOldView = pState->m_pRoutingView;
        pState->m_pRoutingView = this;
        BOOL bResult = FALSE;
        try
        {
            bResult = m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        }
        catch (...)
        {
            pState->m_pRoutingView = pOldView;
            throw;
        }
        pState->m_pRoutingView = pOldView;
        return bResult;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CDC::GetWindow: the window a DC draws on

CWnd* CDC::GetWindow() const
{
    if (m_hDC == NULL)
        return NULL;
    HWND hWnd = ::WindowFromDC(m_hDC);
    return hWnd != NULL ? CWnd::FromHandle(hWnd) : NULL;
}
