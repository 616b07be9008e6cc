// barstat.cpp - CStatusBar: panes of text over the status bar common control,
// indicators from string ids, pane states from the command update handlers,
// the frame's messages in the ID_SEPARATOR pane.

#include "afxwnd.h"
#include <algorithm>
#include <new>

namespace
{

const int CX_PANE_PADDING = 6;      // room around a pane's text

// Command update of one pane: enabled panes show their text, checked ones pop out.
class CStatusCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    virtual void SetCheck(int nCheck) override
    {
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    virtual void SetRadio(BOOL bOn) override
    {
        SetCheck(bOn ? 1 : 0);
    }
    virtual void SetText(LPCTSTR lpszText) override
    {
        ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_nMinHeight = 0;
}

CStatusBar::~CStatusBar()
{
    FreePanes();
}

void CStatusBar::FreePanes()
{
    AFX_STATUSPANE* pPanes = (AFX_STATUSPANE*)m_pData;
    for (int i = 0; i < m_nCount; i++)
        pPanes[i].~AFX_STATUSPANE();
    free(m_pData);
    m_pData = NULL;
    m_nCount = 0;
}

// Makes room for nElements panes, dropping the old ones; FALSE when out of memory.
BOOL CStatusBar::AllocElements(int nElements, int)
{
    FreePanes();
    if (nElements <= 0)
        return TRUE;
    void* pData = calloc((size_t)nElements, sizeof(AFX_STATUSPANE));
    if (pData == NULL)
        return FALSE;
    AFX_STATUSPANE* pPanes = (AFX_STATUSPANE*)pData;
    for (int i = 0; i < nElements; i++)
        new (&pPanes[i]) AFX_STATUSPANE();
    m_pData = pData;
    m_nCount = nElements;
    return TRUE;
}

AFX_STATUSPANE* CStatusBar::_GetPanePtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        AfxThrowInvalidArgException();
    return ((AFX_STATUSPANE*)m_pData) + nIndex;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

// Creates the status bar control, with a size grip in a resizable frame.
BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    // the panes have their own edges: no bar borders
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;

    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&icc);

    // a frame that can be resized gets the size grip
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    DWORD dwWinStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    return CWnd::Create(STATUSCLASSNAMEA, NULL, dwWinStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

HFONT CStatusBar::GetBarFont() const
{
    HFONT hFont = NULL;
    if (m_hWnd != NULL)
        hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return hFont;
}

/////////////////////////////////////////////////////////////////////////////
// Panes

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || !AllocElements(nIDCount, sizeof(AFX_STATUSPANE)))
        return FALSE;
    if (lpIDArray == NULL)
        return TRUE;

    BOOL bResult = TRUE;
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOldFont = ::SelectObject(hDC, GetBarFont());
    for (int i = 0; i < nIDCount; i++)
    {
        AFX_STATUSPANE* pPane = _GetPanePtr(i);
        pPane->nID = lpIDArray[i];
        pPane->nFlags |= SBPF_UPDATE;
        if (pPane->nID == ID_SEPARATOR)
        {
            // the message pane: a quarter of the screen, the first one stretches
            pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pPane->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        if (!AfxLoadString(pPane->nID, pPane->strText))
        {
            bResult = FALSE;    // an indicator without its string
            break;
        }
        SIZE size = { 0, 0 };
        ::GetTextExtentPoint32A(hDC, pPane->strText, pPane->strText.GetLength(), &size);
        pPane->cxText = size.cx;
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(NULL, hDC);
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (_GetPanePtr(i)->nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return _GetPanePtr(nIndex)->nID;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    _GetPanePtr(nIndex);
    if (m_hWnd == NULL || !::SendMessageA(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = _GetPanePtr(nIndex)->strText;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return _GetPanePtr(nIndex)->strText;
}

// Changes a pane's text, redrawing only when it really changed; FALSE for a bad index.
BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return FALSE;
    AFX_STATUSPANE* pPane = _GetPanePtr(nIndex);
    if (lpszNewText == NULL)
        lpszNewText = "";
    if ((pPane->nFlags & SBPF_UPDATE) == 0 && pPane->strText == lpszNewText)
        return TRUE;    // nothing changes
    pPane->strText = lpszNewText;
    pPane->nFlags |= SBPF_UPDATE;
    if (bUpdate)
        UpdateAllPanes(FALSE, TRUE);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    AFX_STATUSPANE* pPane = _GetPanePtr(nIndex);
    nID = pPane->nID;
    nStyle = pPane->nStyle;
    cxWidth = pPane->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    AFX_STATUSPANE* pPane = _GetPanePtr(nIndex);
    BOOL bChanged = pPane->nStyle != nStyle || pPane->cxText != cxWidth;
    pPane->nID = nID;
    if (pPane->nStyle != nStyle)
        pPane->nFlags |= SBPF_UPDATE;
    pPane->nStyle = nStyle;
    pPane->cxText = std::max(0, cxWidth);
    if (bChanged)
        UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return _GetPanePtr(nIndex)->nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    AFX_STATUSPANE* pPane = _GetPanePtr(nIndex);
    if (pPane->nStyle == nStyle)
        return;
    BOOL bStretchChanged = ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pPane->nStyle = nStyle;
    pPane->nFlags |= SBPF_UPDATE;
    UpdateAllPanes(bStretchChanged, TRUE);
}

// Hands the pane widths and texts to the control, the stretching pane taking the room left.
void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;

    if (bUpdateRects)
    {
        int nBorders[3] = { 0, 0, 0 };
        ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
        CRect rect;
        GetClientRect(rect);
        int cxAvail = rect.Width() - nBorders[0];
        if (GetStyle() & SBARS_SIZEGRIP)
        {
            CWnd* pParent = GetParent();
            if (pParent == NULL || !pParent->IsZoomed())
                cxAvail -= ::GetSystemMetrics(SM_CXVSCROLL);
        }

        int nParts = std::max(m_nCount, 1);
        CArray<int, int> arrRight;
        arrRight.SetSize(nParts);
        int nStretch = -1;
        int nTotal = 0;
        for (int i = 0; i < m_nCount; i++)
        {
            AFX_STATUSPANE* pPane = _GetPanePtr(i);
            nTotal += pPane->cxText + CX_PANE_PADDING + (i > 0 ? nBorders[2] : 0);
            if (nStretch < 0 && (pPane->nStyle & SBPS_STRETCH))
                nStretch = i;
        }
        int nExtra = std::max(0, cxAvail - nTotal);
        int x = nBorders[0];
        for (int i = 0; i < m_nCount; i++)
        {
            AFX_STATUSPANE* pPane = _GetPanePtr(i);
            if (i > 0)
                x += nBorders[2];
            x += pPane->cxText + CX_PANE_PADDING + (i == nStretch ? nExtra : 0);
            arrRight[i] = x;
        }
        if (m_nCount == 0)
            arrRight[0] = -1;

        // a changed part count loses the control's texts: all are sent again
        int nOldParts = (int)::SendMessageA(m_hWnd, SB_GETPARTS, 0, 0);
        ::SendMessageA(m_hWnd, SB_SETPARTS, (WPARAM)nParts, (LPARAM)arrRight.GetData());
        if (nOldParts != nParts)
        {
            for (int i = 0; i < m_nCount; i++)
                _GetPanePtr(i)->nFlags |= SBPF_UPDATE;
            bUpdateText = TRUE;
        }
    }

    if (bUpdateText)
    {
        for (int i = 0; i < m_nCount; i++)
        {
            AFX_STATUSPANE* pPane = _GetPanePtr(i);
            if ((pPane->nFlags & SBPF_UPDATE) == 0)
                continue;
            // a disabled pane shows no text
            UINT nType = pPane->nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
            LPCTSTR lpszText = (pPane->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pPane->strText;
            if (::SendMessageA(m_hWnd, SB_SETTEXTA, (WPARAM)(i | nType), (LPARAM)lpszText))
                pPane->nFlags &= ~SBPF_UPDATE;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Layout and updates

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);

    // the font's height with the panes' edges
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOldFont = ::SelectObject(hDC, GetBarFont());
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(NULL, hDC);

    int nBorders[3] = { 0, 0, 0 };
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    int cy = tm.tmHeight + 4 * ::GetSystemMetrics(SM_CYBORDER) + 2 * nBorders[1] +
             (rectInside.top - rectInside.bottom);
    size.cy = std::max(cy, m_nMinHeight);
    if (!bStretch)
    {
        int cx = rectInside.left - rectInside.right + nBorders[0];
        for (int i = 0; i < m_nCount; i++)
            cx += _GetPanePtr(i)->cxText + CX_PANE_PADDING + (i > 0 ? nBorders[2] : 0);
        size.cx = cx;
    }
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = _GetPanePtr((int)state.m_nIndex)->nID;
        // panes stay enabled without handlers
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

/////////////////////////////////////////////////////////////////////////////
// Messages

void CStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::OnNcHitTest(CPoint)
{
    // the control answers for its size grip
    return (UINT)Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, (LPCTSTR)lParam);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0 || wParam == 0 || lParam == 0)
        return 0;
    lstrcpynA((LPSTR)lParam, _GetPanePtr(nIndex)->strText, (int)wParam);
    return lstrlenA((LPCSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex < 0 ? 0 : _GetPanePtr(nIndex)->strText.GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    // the height follows the font
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    return lResult;
}
