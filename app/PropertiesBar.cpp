// PropertiesBar.cpp - the Properties bar and its sheet.

#include "PropertiesBar.h"
#include "PropSheet.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CPropertiesBar, CExtControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

CPropertiesBar::CPropertiesBar(int nKind)
    : m_pSheet(NULL), m_pPropSheet(NULL), m_nKind(nKind), m_sizeSheet(0, 0)
{
}

CPropertiesBar::~CPropertiesBar()
{
    delete m_pSheet;
}

// Makes the property sheet inside the bar and sizes the bar round it in every dock state.
int CPropertiesBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CModelessPropSheet* pSheet = new CModelessPropSheet(this, m_nKind);
    if (!pSheet->Create(this, WS_CHILD | WS_VISIBLE))
    {
        delete pSheet;
        return -1;
    }
    m_pSheet = m_pPropSheet = pSheet;
    CModelessPropSheet::SetPropertiesSheet(pSheet);

    CRect rectSheet;
    pSheet->GetWindowRect(&rectSheet);
    m_sizeSheet = rectSheet.Size();
    CRect rectBar = rectSheet;
    CalcWindowRect(&rectBar);
    SetWindowPos(NULL, 0, 0, rectBar.Width(), rectBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pSheet->SetWindowPos(NULL, 0, 0, rectSheet.Width(), rectSheet.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_sizeDockedV = m_sizeDockedH = m_sizeFloated = rectBar.Size();
    return 0;
}

// Grows the bar's docked and floating sizes until the sheet fits in each; TRUE when one grew.
BOOL CPropertiesBar::FitSizesToSheet()
{
    if (m_hWnd == NULL || m_pSheet == NULL || m_pSheet->m_hWnd == NULL)
        return FALSE;
    const CRect rectSheet(CPoint(0, 0), m_sizeSheet);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    // the frame around the client area as it is now; the other states get the larger
    // of its two sides on both, so a caption beside or above the sheet fits too
    const CSize sizeFrame(std::max(0, rectWindow.Width() - rectClient.Width()),
                          std::max(0, rectWindow.Height() - rectClient.Height()));
    const int nFrame = std::max(sizeFrame.cx, sizeFrame.cy);
    const CSize sizeNow(rectSheet.Width() + sizeFrame.cx, rectSheet.Height() + sizeFrame.cy);
    const CSize sizeOther(rectSheet.Width() + nFrame, rectSheet.Height() + nFrame);

    BOOL bGrew = FALSE;
    auto raise = [&bGrew](CSize& size, const CSize& sizeNeeded) {
        if (size.cx < sizeNeeded.cx)
        {
            size.cx = sizeNeeded.cx;
            bGrew = TRUE;
        }
        if (size.cy < sizeNeeded.cy)
        {
            size.cy = sizeNeeded.cy;
            bGrew = TRUE;
        }
    };
    const UINT nDockID = m_pDockBar != NULL && !IsFloating() ? m_pDockBar->GetDlgCtrlID() : 0;
    const BOOL bVertical = nDockID == AFX_IDW_DOCKBAR_LEFT || nDockID == AFX_IDW_DOCKBAR_RIGHT;
    const BOOL bHorizontal = nDockID == AFX_IDW_DOCKBAR_TOP || nDockID == AFX_IDW_DOCKBAR_BOTTOM;
    raise(m_sizeDockedV, bVertical ? sizeNow : sizeOther);
    raise(m_sizeDockedH, bHorizontal ? sizeNow : sizeOther);
    raise(m_sizeFloated, sizeOther);
    return bGrew;
}

// Docks with sizes that hold the sheet, growing again once the docked frame is known.
bool CPropertiesBar::DockToFrameSide(UINT nDockBarID, BOOL bNewInnerLevel, CFrameWnd* pFrame, BOOL bRecalc)
{
    FitSizesToSheet();
    if (!CExtControlBar::DockToFrameSide(nDockBarID, bNewInnerLevel, pFrame, bRecalc))
        return false;
    // docked, the bar's frame is known: where the sheet still does not fit, grow again
    CRect rectClient;
    if (bRecalc && m_hWnd != NULL)
    {
        GetClientRect(&rectClient);
        if ((rectClient.Width() < m_sizeSheet.cx || rectClient.Height() < m_sizeSheet.cy)
            && FitSizesToSheet())
        {
            if (CFrameWnd* pSite = GetParentFrame())
                pSite->RecalcLayout();
        }
    }
    return true;
}

void CPropertiesBar::OnDestroy()
{
    if (CModelessPropSheet::GetPropertiesSheet() == m_pSheet)
        CModelessPropSheet::SetPropertiesSheet(NULL);
    CExtControlBar::OnDestroy();
}

// Closing hides the bar; it is not destroyed.
void CPropertiesBar::OnClose()
{
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        CFrameWnd* pMain = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        (pMain != NULL ? pMain : pFrame)->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    ShowWindow(SW_HIDE);
}

void CPropertiesBar::OnSetFocus(CWnd*)
{
    if (m_pSheet != NULL && m_pSheet->m_hWnd != NULL)
        m_pSheet->SetFocus();
}

void CPropertiesBar::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    Default();
    if (m_pSheet != NULL && m_pSheet->m_hWnd != NULL)
        m_pSheet->SendMessage(WM_ACTIVATE, MAKEWPARAM(nState, bMinimized), (LPARAM)pWndOther->GetSafeHwnd());
}
