// PropertiesBar.cpp - the Properties bar and its sheet.

#include "PropertiesBar.h"
#include "PropSheet.h"

BEGIN_MESSAGE_MAP(CPropertiesBar, CExtControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

CPropertiesBar::CPropertiesBar(int nKind)
    : m_pSheet(NULL), m_pPropSheet(NULL), m_nKind(nKind)
{
}

CPropertiesBar::~CPropertiesBar()
{
    delete m_pSheet;
}

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
    CRect rectBar = rectSheet;
    CalcWindowRect(&rectBar);
    SetWindowPos(NULL, 0, 0, rectBar.Width(), rectBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pSheet->SetWindowPos(NULL, 0, 0, rectSheet.Width(), rectSheet.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_sizeDockedV = m_sizeDockedH = m_sizeFloated = rectBar.Size();
    return 0;
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
