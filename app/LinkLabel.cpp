// LinkLabel.cpp - the link label: setters, painting, link clicks and flashing.

#include "LinkLabel.h"

#include <shellapi.h>

namespace
{
const UINT_PTR kFlashTimer = 1;
const UINT kFlashMilliseconds = 500;
const int kGradientMaxSteps = 100;

void ShellOpen(LPCSTR pszVerb, LPCSTR pszTarget)
{
    ::ShellExecuteA(NULL, pszVerb, pszTarget, NULL, NULL, SW_SHOWNORMAL);
}

PFN_LINK_OPEN g_pfnLinkOpen = ShellOpen;
}

PFN_LINK_OPEN CLinkLabel::SetOpenProc(PFN_LINK_OPEN pfnOpen)
{
    PFN_LINK_OPEN pfnOld = g_pfnLinkOpen;
    g_pfnLinkOpen = pfnOpen != NULL ? pfnOpen : ShellOpen;
    return pfnOld;
}

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

// Window text on the button face, no link and no flashing until the setters ask for them.
CLinkLabel::CLinkLabel()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_cr3DHighlight(RGB(255, 255, 255)),
      m_hDefaultBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_hBackBrush(NULL),
      m_bFlashState(FALSE),
      m_bTimerSet(FALSE),
      m_nLinkType(0),
      m_bTransparent(FALSE),
      m_b3DText(FALSE),
      m_bNotifyOnly(FALSE),
      m_bRotated(FALSE),
      m_nFlashMode(0),
      m_hLinkCursor(NULL),
      m_b3DSunken(FALSE),
      m_bGradient(FALSE),
      m_crGradientEnd(0),
      m_crBack(0)
{
    memset(&m_lf, 0, sizeof(m_lf));
}

CLinkLabel::~CLinkLabel()
{
    m_font.DeleteObject();
    if (m_hDefaultBrush != NULL)
        ::DeleteObject(m_hDefaultBrush);
    if (m_hBackBrush != NULL)
        ::DeleteObject(m_hBackBrush);
}

// The font of the control, or the system font, becomes the label's font.
void CLinkLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    ::GetObjectA(hFont, sizeof(m_lf), &m_lf);
    ReconstructFont();
}

void CLinkLabel::ReconstructFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

// Repaints the label at once and the parent behind it, so a transparent label leaves no old text.
void CLinkLabel::RedrawAll()
{
    if (m_hWnd == NULL)
        return;
    RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
    {
        CRect rc;
        GetWindowRect(&rc);
        pParent->ScreenToClient(&rc);
        pParent->InvalidateRect(&rc, TRUE);
        pParent->UpdateWindow();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Setters

CLinkLabel& CLinkLabel::SetBkColor(COLORREF crBack, COLORREF crGradientEnd, BOOL bGradient)
{
    m_crBack = crBack;
    m_crGradientEnd = crGradientEnd;
    m_bGradient = bGradient;
    if (m_hBackBrush != NULL)
    {
        ::DeleteObject(m_hBackBrush);
        m_hBackBrush = NULL;
    }
    if (!bGradient)
        m_hBackBrush = ::CreateSolidBrush(crBack);
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetText(const CString& strText)
{
    if (m_hWnd != NULL)
    {
        SetWindowText(strText);
        RedrawAll();
    }
    return *this;
}

CLinkLabel& CLinkLabel::SetFontBold(BOOL bBold)
{
    m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontName(const CString& strFont, BYTE byCharSet)
{
    lstrcpynA(m_lf.lfFaceName, strFont, LF_FACESIZE);
    m_lf.lfCharSet = byCharSet;
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontUnderline(BOOL bSet)
{
    m_lf.lfUnderline = (BYTE)(bSet ? 1 : 0);
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontItalic(BOOL bSet)
{
    m_lf.lfItalic = (BYTE)(bSet ? 1 : 0);
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontSize(int nSize)
{
    CFont font;
    if (font.CreatePointFont(nSize * 10, m_lf.lfFaceName))
    {
        LOGFONT lf;
        font.GetLogFont(&lf);
        m_lf.lfHeight = lf.lfHeight;
        m_lf.lfWidth = lf.lfWidth;
    }
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetSunken(BOOL bSet)
{
    if (bSet)
        ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_DRAWFRAME);
    else
        ModifyStyleEx(WS_EX_STATICEDGE, 0, SWP_DRAWFRAME);
    return *this;
}

CLinkLabel& CLinkLabel::SetBorder(BOOL bSet)
{
    if (bSet)
        ModifyStyle(0, WS_BORDER, SWP_DRAWFRAME);
    else
        ModifyStyle(WS_BORDER, 0, SWP_DRAWFRAME);
    return *this;
}

CLinkLabel& CLinkLabel::SetTransparent(BOOL bSet)
{
    m_bTransparent = bSet;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    RedrawAll();
    return *this;
}

// Starts or stops the text blinking, in the background's colour, on the flash timer.
CLinkLabel& CLinkLabel::FlashText(BOOL bActivate)
{
    if (m_bTimerSet)
    {
        KillTimer(kFlashTimer);
        m_bTimerSet = FALSE;
    }
    if (bActivate)
    {
        m_bFlashState = FALSE;
        m_bTimerSet = SetTimer(kFlashTimer, kFlashMilliseconds, NULL) != 0;
        m_nFlashMode = 1;
    }
    else
    {
        m_nFlashMode = 0;
    }
    return *this;
}

// Starts the flash timer in background mode (m_nFlashMode 2); FALSE stops the timer and keeps the mode.
CLinkLabel& CLinkLabel::FlashBackground(BOOL bActivate)
{
    if (m_bTimerSet)
    {
        KillTimer(kFlashTimer);
        m_bTimerSet = FALSE;
    }
    if (bActivate)
    {
        m_bFlashState = FALSE;
        m_bTimerSet = SetTimer(kFlashTimer, kFlashMilliseconds, NULL) != 0;
        m_nFlashMode = 2;
    }
    return *this;
}

CLinkLabel& CLinkLabel::SetLink(BOOL bLink, BOOL bNotifyOnly)
{
    m_nLinkType = bLink ? 1 : 0;
    m_bNotifyOnly = bNotifyOnly;
    if (bLink)
        ModifyStyle(0, SS_NOTIFY);
    else
        ModifyStyle(SS_NOTIFY, 0);
    return *this;
}

CLinkLabel& CLinkLabel::SetLinkCursor(HCURSOR hCursor)
{
    m_hLinkCursor = hCursor;
    return *this;
}

CLinkLabel& CLinkLabel::Set3DText(BOOL bSet, BOOL bSunken)
{
    m_b3DText = bSet;
    m_b3DSunken = bSunken;
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontRotation(int nAngle, BOOL bRotated)
{
    m_lf.lfEscapement = m_lf.lfOrientation = nAngle * 10;
    m_bRotated = bRotated;
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::Set3DHighlightColor(COLORREF cr)
{
    m_cr3DHighlight = cr;
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetFontFull(const LOGFONT& lf)
{
    m_lf = lf;
    ReconstructFont();
    RedrawAll();
    return *this;
}

CLinkLabel& CLinkLabel::SetMailLink(BOOL bLink, BOOL bNotifyOnly)
{
    m_nLinkType = bLink ? 2 : 0;
    m_bNotifyOnly = bNotifyOnly;
    if (bLink)
        ModifyStyle(0, SS_NOTIFY);
    else
        ModifyStyle(SS_NOTIFY, 0);
    return *this;
}

CLinkLabel& CLinkLabel::SetLinkTarget(const CString& strTarget)
{
    m_strLinkTarget = strTarget;
    return *this;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

int CLinkLabel::GetGradientSteps(int nWidth)
{
    int nSteps = nWidth < kGradientMaxSteps ? nWidth : kGradientMaxSteps;
    return nSteps < 1 ? 1 : nSteps;
}

// Bands of equal width in 8.8 fixed-point colour steps; the last band reaches the right
// edge.
void CLinkLabel::PaintGradient(CDC* pDC, const CRect& rc, COLORREF crFrom, COLORREF crTo, int nSteps)
{
    if (nSteps < 1)
        nSteps = 1;
    int r = GetRValue(crFrom) << 8, g = GetGValue(crFrom) << 8, b = GetBValue(crFrom) << 8;
    const int nDivisor = nSteps > 1 ? nSteps : 1;
    const int dr = ((GetRValue(crTo) - GetRValue(crFrom)) * 256) / nDivisor;
    const int dg = ((GetGValue(crTo) - GetGValue(crFrom)) * 256) / nDivisor;
    const int db = ((GetBValue(crTo) - GetBValue(crFrom)) * 256) / nDivisor;
    const int nBand = rc.Width() / nSteps;

    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, ::GetStockObject(NULL_PEN));
    for (int i = 0; i < nSteps; i++)
    {
        const int nLeft = rc.left + i * nBand;
        const int nRight = (i == nSteps - 1) ? rc.right : nLeft + nBand;
        HBRUSH hBrush = ::CreateSolidBrush(RGB(r >> 8, g >> 8, b >> 8));
        HGDIOBJ hOldBrush = ::SelectObject(pDC->m_hDC, hBrush);
        ::Rectangle(pDC->m_hDC, nLeft, rc.top, nRight + 1, rc.bottom);
        ::SelectObject(pDC->m_hDC, hOldBrush);
        ::DeleteObject(hBrush);
        r += dr;
        g += dg;
        b += db;
    }
    ::SelectObject(pDC->m_hDC, hOldPen);
}

// Paints background and text (rotated, or raised or sunken) off screen and copies them in one go; a
// transparent label draws straight over its parent.
void CLinkLabel::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    CString strText;
    GetWindowText(strText);

    CDC dcMem;
    CBitmap bmp;
    CDC* pDC = &dcPaint;
    HGDIOBJ hOldBitmap = NULL;
    if (!m_bTransparent)
    {
        dcMem.CreateCompatibleDC(&dcPaint);
        bmp.CreateCompatibleBitmap(&dcPaint, rc.Width(), rc.Height());
        hOldBitmap = ::SelectObject(dcMem.m_hDC, bmp.m_hObject);
        pDC = &dcMem;
    }

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOldText = pDC->SetTextColor(m_crText);
    HGDIOBJ hOldFont = ::SelectObject(pDC->m_hDC, m_font.m_hObject != NULL
                                                      ? (HGDIOBJ)m_font.m_hObject
                                                      : ::GetStockObject(SYSTEM_FONT));

    if (!m_bTransparent)
    {
        if (m_bGradient)
            PaintGradient(pDC, rc, m_crBack, m_crGradientEnd, GetGradientSteps(rc.Width()));
        else
            ::FillRect(pDC->m_hDC, &rc, m_hBackBrush != NULL ? m_hBackBrush : m_hDefaultBrush);
    }

    if (!m_bFlashState && m_nFlashMode == 1)
    {
        LOGBRUSH lb = { BS_SOLID, RGB(0, 0, 0), 0 };
        if (m_hBackBrush != NULL)
            ::GetObjectA(m_hBackBrush, sizeof(lb), &lb);
        pDC->SetTextColor(lb.lbColor);
    }

    const DWORD dwStyle = GetStyle();
    UINT nFormat;
    switch (dwStyle & SS_TYPEMASK)
    {
    case SS_CENTER:
        nFormat = DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        nFormat = DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
        nFormat = DT_LEFT;
        break;
    default:
        nFormat = DT_WORDBREAK;
        break;
    }
    if (strText.Find('\t') >= 0)
        nFormat |= DT_EXPANDTABS;
    if (dwStyle & SS_CENTERIMAGE)
        nFormat = strText.Find("\r\n") >= 0 ? DT_CENTER : DT_CENTER | DT_VCENTER | DT_SINGLELINE;

    if (m_bRotated)
    {
        const UINT nOldAlign = ::SetTextAlign(pDC->m_hDC, TA_BASELINE | TA_CENTER);
        POINT ptOld;
        ::SetViewportOrgEx(pDC->m_hDC, rc.CenterPoint().x, rc.CenterPoint().y, &ptOld);
        ::TextOutA(pDC->m_hDC, 0, 0, strText, strText.GetLength());
        ::SetViewportOrgEx(pDC->m_hDC, ptOld.x, ptOld.y, NULL);
        ::SetTextAlign(pDC->m_hDC, nOldAlign);
    }
    else
    {
        CRect rcText = rc;
        ::DrawTextA(pDC->m_hDC, strText, strText.GetLength(), &rcText, nFormat);
        if (m_b3DText)
        {
            pDC->SetTextColor(m_cr3DHighlight);
            rcText.OffsetRect(m_b3DSunken ? 1 : -1, m_b3DSunken ? 1 : -1);
            ::DrawTextA(pDC->m_hDC, strText, strText.GetLength(), &rcText, nFormat);
        }
    }

    pDC->SetBkMode(nOldMode);
    ::SelectObject(pDC->m_hDC, hOldFont);
    pDC->SetTextColor(crOldText);

    if (!m_bTransparent)
    {
        ::BitBlt(dcPaint.m_hDC, 0, 0, rc.Width(), rc.Height(), dcMem.m_hDC, 0, 0, SRCCOPY);
        ::SelectObject(dcMem.m_hDC, hOldBitmap);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Mouse, timer, colours

void CLinkLabel::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bNotifyOnly)
    {
        NMHDR nm;
        nm.hwndFrom = m_hWnd;
        nm.idFrom = (UINT_PTR)GetDlgCtrlID();
        nm.code = LINKLABEL_NOTIFY_CLICK;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SendMessage(WM_NOTIFY, (WPARAM)nm.idFrom, (LPARAM)&nm);
    }
    else if (m_nLinkType == 1)
    {
        g_pfnLinkOpen("open", GetTargetToOpen());
    }
    else if (m_nLinkType == 2)
    {
        g_pfnLinkOpen(NULL, GetTargetToOpen());
    }
    CStatic::OnLButtonDown(nFlags, point);
}

CString CLinkLabel::GetTargetToOpen() const
{
    CString strText;
    if (m_hWnd != NULL)
        GetWindowText(strText);
    if (m_nLinkType == 1)
        return m_strLinkTarget.IsEmpty() ? strText : m_strLinkTarget;
    if (m_nLinkType == 2)
        return "mailto:" + strText;
    return CString();
}

BOOL CLinkLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL)
    {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLinkLabel::OnTimer(UINT nIDEvent)
{
    m_bFlashState = !m_bFlashState;
    RedrawAll();
    CStatic::OnTimer(nIDEvent);
}

void CLinkLabel::OnSysColorChange()
{
    if (m_hDefaultBrush != NULL)
        ::DeleteObject(m_hDefaultBrush);
    m_hDefaultBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    RedrawAll();
}
