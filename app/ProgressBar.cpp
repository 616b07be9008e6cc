// ProgressBar.cpp - the status-bar progress control.

#include "ProgressBar.h"
#include "afxbars.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CProgressBar, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CProgressBar::CProgressBar()
    : m_nSize(100),
      m_nPane(0),
      m_rcLast{0, 0, 0, 0}
{
}

CProgressBar::~CProgressBar()
{
    Clear();
}

CStatusBar* CProgressBar::GetStatusBar()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->m_hWnd == NULL)
        return NULL;
    CWnd* pBar = NULL;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pMain))
        pBar = pFrame->GetMessageBar();
    else
        pBar = pMain->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    return DYNAMIC_DOWNCAST(CStatusBar, pBar);
}

// Puts a progress bar into a status bar pane beside the text, nSize percent of the pane wide; FALSE when
// there is no such pane.
BOOL CProgressBar::Create(LPCTSTR lpszText, int nSize, int nMaxValue, BOOL bSmooth, int nPane)
{
    CStatusBar* pBar = GetStatusBar();
    if (pBar == NULL || nPane < 0 || nPane >= pBar->GetCount())
        return FALSE;
    if (m_hWnd != NULL)
        Clear();
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (bSmooth)
        dwStyle |= PBS_SMOOTH;
    CRect rect;
    pBar->GetItemRect(nPane, &rect);
    m_nPane = nPane;
    m_strMessage = lpszText != NULL ? lpszText : "";
    if (!CProgressCtrl::Create(dwStyle, rect, pBar, 1))
        return FALSE;
    SetRange(0, nMaxValue, 1);
    SetStep(1);
    m_nSize = nSize < 0 ? 0 : (nSize > 100 ? 100 : nSize);
    m_strPrevText = pBar->GetPaneText(nPane);
    ::SetRectEmpty(&m_rcLast);
    Resize();
    return TRUE;
}

BOOL CProgressBar::SetRange(int nLower, int nUpper, int nStep)
{
    if (m_hWnd == NULL)
        return FALSE;
    SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
    SendMessage(PBM_SETSTEP, (WPARAM)nStep, 0);
    return TRUE;
}

void CProgressBar::ShowBar()
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        ModifyStyle(0, WS_VISIBLE);
}

int CProgressBar::SetPos(int nPos)
{
    if (m_hWnd == NULL)
        return 0;
    ShowBar();
    return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos, 0);
}

int CProgressBar::SetStep(int nStep)
{
    if (m_hWnd == NULL)
        return 0;
    ShowBar();
    return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep, 0);
}

int CProgressBar::StepIt()
{
    if (m_hWnd == NULL)
        return 0;
    ShowBar();
    return (int)SendMessage(PBM_STEPIT, 0, 0);
}

void CProgressBar::SetText(LPCTSTR lpszText)
{
    m_strMessage = lpszText != NULL ? lpszText : "";
    Resize();
}

// The pane gets its text back whether or not the window went away.
void CProgressBar::Clear()
{
    if (m_hWnd == NULL)
        return;
    SendMessage(WM_CLOSE);
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ModifyStyle(WS_VISIBLE, 0);
    CStatusBar* pBar = GetStatusBar();
    if (pBar == NULL || m_nPane >= pBar->GetCount())
        return;
    CString strText;
    if (m_nPane != 0)
        strText = m_strPrevText + " ";
    else
    {
        AfxLoadString(AFX_IDS_IDLEMESSAGE, strText);
        strText += " ";
    }
    pBar->SetPaneText(m_nPane, strText, TRUE);
    pBar->UpdateWindow();
}

// Shows the text in the pane and fits the bar to the room right of it; the bar moves only when it must.
BOOL CProgressBar::Resize()
{
    CStatusBar* pBar = GetStatusBar();
    if (m_hWnd == NULL || pBar == NULL)
        return FALSE;
    if (GetStyle() & WS_VISIBLE)
    {
        pBar->SetPaneText(m_nPane, m_strMessage, TRUE);
        pBar->UpdateWindow();
    }

    CClientDC dc(pBar);
    HFONT hFont = (HFONT)pBar->SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
    SIZE sizeText = {0, 0};
    SIZE sizeBlank = {0, 0};
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), m_strMessage, m_strMessage.GetLength(), &sizeText);
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), " ", 1, &sizeBlank);
    if (hOldFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);

    CRect rect;
    pBar->GetItemRect(m_nPane, &rect);
    if (!m_strMessage.IsEmpty())
        rect.left += sizeText.cx + 4 * sizeBlank.cx;
    rect.right -= (100 - m_nSize) * (rect.right - rect.left) / 100;
    if (rect.right < rect.left)
        rect.right = rect.left;
    const int nInset = (rect.bottom - rect.top) / 10;
    rect.top += nInset;
    rect.bottom -= nInset;
    if (!::EqualRect(&rect, &m_rcLast))
    {
        MoveWindow(&rect, TRUE);
        m_rcLast = rect;
    }
    return TRUE;
}

BOOL CProgressBar::OnEraseBkgnd(CDC*)
{
    Resize();
    return (BOOL)Default();
}
