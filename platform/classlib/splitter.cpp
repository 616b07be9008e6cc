// splitter.cpp - CSplitterWnd: a static grid of panes, its layout and drawing.

#include "afxext.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
{
    // three-dimensional bars between the panes, a two-pixel edge around each
    m_cxSplitter = m_cySplitter = 7;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = 7;
    m_cxBorder = m_cyBorder = 2;
    m_nMaxRows = m_nMaxCols = 0;
    m_nRows = m_nCols = 0;
    m_pRowInfo = NULL;
    m_pColInfo = NULL;
}

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd != NULL)
        return FALSE;

    m_nMaxRows = m_nRows = nRows;
    m_nMaxCols = m_nCols = nCols;
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
    m_pRowInfo = new CRowColInfo[nRows];
    m_pColInfo = new CRowColInfo[nCols];
    for (int i = 0; i < nRows; i++)
        m_pRowInfo[i].nMinSize = m_pRowInfo[i].nIdealSize = m_pRowInfo[i].nCurSize = 0;
    for (int i = 0; i < nCols; i++)
        m_pColInfo[i].nMinSize = m_pColInfo[i].nIdealSize = m_pColInfo[i].nCurSize = 0;

    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    CRect rect;
    pParentWnd->GetClientRect(&rect);
    return CreateEx(0, lpszClass, NULL, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID, NULL);
}

// Creates the view of one pane at the size asked for; FALSE if the pane has one or it fails.
BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == NULL)
        return FALSE;
    if (GetDlgItem(IdFromRowCol(row, col)) != NULL)
        return FALSE;   // the pane has its view already

    // the pane's size asks for its column's width and row's height
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;

    CObject* pObject = pViewClass->CreateObject();
    if (pObject == NULL)
        return FALSE;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pObject;
        return FALSE;
    }
    CWnd* pWnd = (CWnd*)pObject;

    // the splitter draws the panes' edges: no border of their own
    CCreateContext contextT;
    if (pContext == NULL)
        pContext = &contextT;
    CRuntimeClass* pOldViewClass = pContext->m_pNewViewClass;
    pContext->m_pNewViewClass = pViewClass;
    CRect rect(CPoint(0, 0), sizeInit);
    BOOL bCreated = pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, this, IdFromRowCol(row, col),
                                 pContext);
    pContext->m_pNewViewClass = pOldViewClass;
    // a view that fails to be created has deleted itself
    if (!bCreated)
        return FALSE;
    if (pWnd->GetExStyle() & WS_EX_CLIENTEDGE)
        pWnd->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (pPane == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == pPane)
        pFrame->SetActiveView(NULL);
    pPane->DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Rows, columns and panes

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + row * 16 + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return NULL;
    return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    if (nID < 0 || nID / 16 >= m_nRows || nID % 16 >= m_nCols)
        return FALSE;
    if (pRow != NULL)
        *pRow = nID / 16;
    if (pCol != NULL)
        *pCol = nID % 16;
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    // the frame's active view, else the focus, when it is one of the panes
    CWnd* pView = NULL;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pView = pFrame->GetActiveView();
    if (pView == NULL)
        pView = CWnd::GetFocus();
    if (pView != NULL && !IsChildPane(pView, pRow, pCol))
        pView = NULL;
    return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
    if (pPane == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView((CView*)pPane);
    else
        pPane->SetFocus();
}

// The splitter a view sits in; NULL in a minimized frame unless bAnyState.
CSplitterWnd* PASCAL CView::GetParentSplitter(const CWnd* pWnd, BOOL bAnyState)
{
    if (pWnd == NULL)
        return NULL;
    CWnd* pParent = pWnd->GetParent();
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        return NULL;
    // a splitter in a minimized frame counts only when asked for any state
    if (!bAnyState)
    {
        CFrameWnd* pFrame = pParent->GetParentFrame();
        if (pFrame != NULL && pFrame->IsIconic())
            return NULL;
    }
    return (CSplitterWnd*)pParent;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

// Every item but the last gets its ideal size while space is left (nothing when
// that is below its minimum); the last takes the rest.
void CSplitterWnd::LayoutRowCol(CRowColInfo* pInfo, int nCount, int nSize, int nGap)
{
    int nLeft = nSize;
    for (int i = 0; i < nCount; i++)
    {
        if (nLeft <= 0)
        {
            pInfo[i].nCurSize = 0;
            continue;
        }
        if (i == nCount - 1)
        {
            pInfo[i].nCurSize = nLeft;
            break;
        }
        int nCur = pInfo[i].nIdealSize;
        if (nCur > nLeft)
            nCur = nLeft;
        if (nCur < pInfo[i].nMinSize || nCur < 0)
            nCur = 0;
        pInfo[i].nCurSize = nCur;
        nLeft -= nCur + nGap;
    }
}

CRect CSplitterWnd::GetPaneRect(int row, int col) const
{
    int x = m_cxBorder;
    for (int i = 0; i < col; i++)
        x += m_pColInfo[i].nCurSize + m_cxSplitterGap;
    int y = m_cyBorder;
    for (int i = 0; i < row; i++)
        y += m_pRowInfo[i].nCurSize + m_cySplitterGap;
    return CRect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
}

// Sizes the columns and rows to the client area and places the panes, hiding those without room.
void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0)
        return;

    CRect rectClient;
    GetClientRect(&rectClient);
    LayoutRowCol(m_pColInfo, m_nCols, rectClient.Width() - 2 * m_cxBorder, m_cxSplitterGap);
    LayoutRowCol(m_pRowInfo, m_nRows, rectClient.Height() - 2 * m_cyBorder, m_cySplitterGap);

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    for (int row = 0; row < m_nRows; row++)
    {
        for (int col = 0; col < m_nCols; col++)
        {
            CWnd* pPane = GetPane(row, col);
            if (pPane == NULL)
                continue;
            CRect rect = GetPaneRect(row, col);
            // a pane without room is hidden
            BOOL bShow = rect.Width() > 0 && rect.Height() > 0;
            UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
            if (hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, pPane->m_hWnd, NULL, rect.left, rect.top, rect.Width(),
                                        rect.Height(), nFlags);
            else
                pPane->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
        }
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rectArg)
{
    if (pDC == NULL)
    {
        RedrawWindow(&rectArg, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    CRect rect = rectArg;
    switch (nType)
    {
    case splitBorder:
        // a sunken edge around a pane
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rect.InflateRect(-1, -1);
        if (rect.Width() > 0 && rect.Height() > 0)
            pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        break;
    case splitBox:
    case splitBar:
    case splitIntersection:
    default:
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        break;
    }
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;    // OnPaint covers everything the panes leave
}

// Paints the splitter bars between the panes and the panes' edges.
void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);

    // the bars between the columns and between the rows
    dc.FillSolidRect(&rectClient, ::GetSysColor(COLOR_BTNFACE));
    for (int col = 0; col + 1 < m_nCols; col++)
    {
        CRect rect = GetPaneRect(0, col);
        CRect rectBar(rect.right, rectClient.top, rect.right + m_cxSplitterGap, rectClient.bottom);
        int nSpare = m_cxSplitterGap - m_cxSplitter;
        rectBar.DeflateRect(nSpare > 0 ? nSpare / 2 : 0, 0);
        OnDrawSplitter(&dc, splitBar, rectBar);
    }
    for (int row = 0; row + 1 < m_nRows; row++)
    {
        CRect rect = GetPaneRect(row, 0);
        CRect rectBar(rectClient.left, rect.bottom, rectClient.right, rect.bottom + m_cySplitterGap);
        int nSpare = m_cySplitterGap - m_cySplitter;
        rectBar.DeflateRect(0, nSpare > 0 ? nSpare / 2 : 0);
        OnDrawSplitter(&dc, splitBar, rectBar);
    }

    // the edge of every pane that shows
    if (m_cxBorder > 0 || m_cyBorder > 0)
    {
        for (int row = 0; row < m_nRows; row++)
        {
            for (int col = 0; col < m_nCols; col++)
            {
                CRect rect = GetPaneRect(row, col);
                if (rect.Width() <= 0 || rect.Height() <= 0)
                    continue;
                rect.InflateRect(m_cxBorder, m_cyBorder);
                OnDrawSplitter(&dc, splitBorder, rect);
            }
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Commands of the panes go on to the frame

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* pParent = GetParent();
    return pParent != NULL && pParent->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return FALSE;
    *pResult = pParent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
