// ExtPopupBaseWnd.cpp - animation, shadow and painting entry of the popup windows.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupBaseWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"
#include "ExtSoundPlayer.h"
#include "ExtStatics.h"
#include <math.h>
#include <stdlib.h>

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CExtPopupBaseWnd, CWnd)

clock_t CExtPopupBaseWnd::g_nLastAnimationTick = 0;

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// Shadow_t

CExtPopupBaseWnd::Shadow_t::Shadow_t()
    : m_pHelperDibSurface(NULL), m_rcWnd(0, 0, 0, 0), m_rcCompanion1(0, 0, 0, 0),
      m_rcCompanion2(0, 0, 0, 0), m_nSize(0), m_nMinBrightness(75), m_nMaxBrightness(100),
      m_bCacheStrips(false), m_bTint(false)
{
}

CExtPopupBaseWnd::Shadow_t::~Shadow_t()
{
    Destroy();
}

void CExtPopupBaseWnd::Shadow_t::Destroy()
{
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    m_rgnClip.DeleteObject();
    m_rcWnd.SetRectEmpty();
    m_bCacheStrips = false;
    m_bTint = false;
}

// Paints a popup's shadow of these sizes and brightness over the screen under it.
bool CExtPopupBaseWnd::Shadow_t::Paint(CDC* pDC, const RECT& rcWnd, const RECT& rcCompanion1,
                                       const RECT& rcCompanion2, int nSize,
                                       int nMinBrightness, int nMaxBrightness,
                                       bool bCacheStrips, bool bTint, CDC* pDCUnder)
{
    m_rcWnd = rcWnd;
    m_rcCompanion1 = rcCompanion1;
    m_rcCompanion2 = rcCompanion2;
    m_nSize = nSize;
    m_nMinBrightness = nMinBrightness;
    m_nMaxBrightness = nMaxBrightness;
    m_bCacheStrips = bCacheStrips;
    m_bTint = bTint;
    return DoPaint(pDC, pDCUnder);
}

// Clip to the strips when both companions are given, then serve from the cache or render.
bool CExtPopupBaseWnd::Shadow_t::DoPaint(CDC* pDC, CDC* pDCUnder)
{
    const int s = m_nSize;
    if (s <= 0 || m_rcWnd.IsRectEmpty() || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return true;
    const int W = m_rcWnd.Width(), H = m_rcWnd.Height();
    if (m_rgnClip.GetSafeHandle() == NULL && !m_rcCompanion1.IsRectEmpty()
        && !m_rcCompanion2.IsRectEmpty())
    {
        CRgn rgnBottom;
        if (m_rgnClip.CreateRectRgn(m_rcWnd.right, m_rcWnd.top, m_rcWnd.right + s,
                                    m_rcWnd.top + H + s))
        {
            if (!rgnBottom.CreateRectRgn(m_rcWnd.left, m_rcWnd.bottom, m_rcWnd.left + W + s,
                                         m_rcWnd.bottom + s))
                m_rgnClip.DeleteObject();
            else
                m_rgnClip.CombineRgn(&m_rgnClip, &rgnBottom, RGN_OR);
        }
    }
    int nSaved = pDC->SaveDC();
    if (m_rgnClip.GetSafeHandle() != NULL)
        ::ExtSelectClipRgn(pDC->GetSafeHdc(), (HRGN)m_rgnClip.GetSafeHandle(), RGN_AND);
    bool bResult = true;
    if (IsCached())
    {
        CDC dcMem;
        if (dcMem.CreateCompatibleDC(pDC))
        {
            CBitmap* pOld = dcMem.SelectObject(&m_bmpRight);
            pDC->BitBlt(m_rcWnd.right, m_rcWnd.top, s, H + s, &dcMem, 0, 0, SRCCOPY);
            dcMem.SelectObject(&m_bmpBottom);
            pDC->BitBlt(m_rcWnd.left, m_rcWnd.bottom, W + s, s, &dcMem, 0, 0, SRCCOPY);
            dcMem.SelectObject(pOld);
        }
    }
    else if (CExtPaintManager::GetScreenColorDepth() <= 8)
        bResult = PaintDithered(pDC, pDCUnder);
    else
        bResult = PaintGradient(pDC, pDCUnder);
    pDC->RestoreDC(nSaved);
    return bResult;
}

// Keeps the right and bottom shadow strips so that repaints need not compute them again.
bool CExtPopupBaseWnd::Shadow_t::CacheStrips(CDC* pDC)
{
    const int s = m_nSize, W = m_rcWnd.Width(), H = m_rcWnd.Height();
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC)
        || !m_bmpRight.CreateCompatibleBitmap(pDC, s, H + s)
        || !m_bmpBottom.CreateCompatibleBitmap(pDC, W + s, s))
    {
        m_bmpRight.DeleteObject();
        m_bmpBottom.DeleteObject();
        return false;
    }
    CBitmap* pOld = dcMem.SelectObject(&m_bmpRight);
    dcMem.BitBlt(0, 0, s, H + s, pDC, m_rcWnd.right, m_rcWnd.top, SRCCOPY);
    dcMem.SelectObject(&m_bmpBottom);
    dcMem.BitBlt(0, 0, W + s, s, pDC, m_rcWnd.left, m_rcWnd.bottom, SRCCOPY);
    dcMem.SelectObject(pOld);
    return true;
}

// 256 colours or fewer: a pattern that darkens every other pixel, at most 4 pixels wide.
bool CExtPopupBaseWnd::Shadow_t::PaintDithered(CDC* pDC, CDC* pDCUnder)
{
    const int s = m_nSize, W = m_rcWnd.Width(), H = m_rcWnd.Height();
    static const WORD s_pattern[8] = { 0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF };
    CBitmap bmpPattern;
    if (!bmpPattern.CreateBitmap(8, 8, 1, 1, s_pattern))
        return false;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bmpPattern))
        return false;
    CRect rcArea(m_rcWnd.left, m_rcWnd.top, m_rcWnd.left + W + s, m_rcWnd.top + H + s);
    CExtMemoryDC dc(pDC, &rcArea, CExtMemoryDC::MDC_OFFSCREEN);
    CPalette* pOldPalette = NULL;
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0
        && g_CurrentPaintManager->m_paletteHalftone.GetSafeHandle() != NULL)
    {
        pOldPalette = dc.SelectPalette(&g_CurrentPaintManager->m_paletteHalftone, FALSE);
        dc.RealizePalette();
    }
    dc.BitBlt(rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(),
              pDCUnder != NULL ? pDCUnder : pDC, rcArea.left, rcArea.top, SRCCOPY);
    if (pDCUnder != NULL)
        dc.BitBlt(m_rcWnd.left, m_rcWnd.top, W, H, pDC, m_rcWnd.left, m_rcWnd.top, SRCCOPY);
    const int b = min(s, 4);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.PatBlt(m_rcWnd.left + b, m_rcWnd.bottom, m_rcWnd.Width(), b, 0xA000C9);
    dc.PatBlt(m_rcWnd.right, m_rcWnd.top + b, b, m_rcWnd.Height() - b, 0xA000C9);
    dc.SelectObject(pOldBrush);
    if (pOldPalette != NULL)
        dc.SelectPalette(pOldPalette, FALSE);
    pDC->BitBlt(rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), &dc, rcArea.left,
                rcArea.top, SRCCOPY);
    dc.FinishDrawing(false);
    if (m_bCacheStrips)
        return CacheStrips(pDC);
    return true;
}

namespace
{

// Darkens one 32-bit pixel to p per cent, tinted by clrTint unless it is -1.
inline void DarkenPixel(COLORREF& clrPixel, int p, COLORREF clrTint)
{
    DWORD dw = clrPixel;
    int c[3] = { (int)(dw & 0xFF), (int)((dw >> 8) & 0xFF), (int)((dw >> 16) & 0xFF) };
    if (clrTint == (COLORREF)-1)
    {
        for (int k = 0; k < 3; k++)
            c[k] = c[k] * p / 100;
    }
    else
    {
        // byte 0 of a DIB pixel is blue, byte 2 red
        int t[3] = { GetBValue(clrTint), GetGValue(clrTint), GetRValue(clrTint) };
        for (int k = 0; k < 3; k++)
        {
            int f = min(100, p + ::MulDiv(100 - p, t[k], 255));
            c[k] = c[k] * f / 100;
        }
    }
    clrPixel = (dw & 0xFF000000) | (DWORD)c[0] | ((DWORD)c[1] << 8) | ((DWORD)c[2] << 16);
}

} // namespace

// More than 256 colours: a gradient from nMin to nMax per cent over s pixels.
bool CExtPopupBaseWnd::Shadow_t::PaintGradient(CDC* pDC, CDC* pDCUnder)
{
    const int s = m_nSize, W = m_rcWnd.Width(), H = m_rcWnd.Height();
    const int cx = W + s, cy = H + s;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return false;
    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = cx * cy;
    void* pBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(pDC->GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS,
                                      &pBits, NULL, 0);
    if (hDib == NULL || pBits == NULL)
    {
        if (hDib != NULL)
            ::DeleteObject(hDib);
        return false;
    }
    m_pHelperDibSurface = (COLORREF*)pBits;
    HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hDib);
    dcMem.BitBlt(0, 0, cx, cy, pDCUnder != NULL ? pDCUnder : pDC, m_rcWnd.left, m_rcWnd.top,
                 SRCCOPY);
    if (pDCUnder != NULL)   // the rectangle itself as drawn: its last row is darkened too
        dcMem.BitBlt(0, 0, W, H, pDC, m_rcWnd.left, m_rcWnd.top, SRCCOPY);
    ::GdiFlush();

    COLORREF clrTint = (COLORREF)-1;
    if (m_bTint)
        clrTint = g_CurrentPaintManager->GetPopupCaptureColorKey();

    // Which parts stay out where the popup touches the area it opens from.
    bool C1 = false, C2 = false, C3 = false, C4 = false, C5 = false, C6 = false, C7 = false;
    int e = 0, g0 = 0;
    const CRect& A = m_rcCompanion1;
    const CRect& B = m_rcCompanion2;
    if (!A.IsRectEmpty() && !B.IsRectEmpty())
    {
        if (A.right == B.right)
        {
            if (A.top < B.top)
                C7 = true;
            else
                C6 = true;
        }
        else if (A.left == B.left && B.bottom >= A.top - 1 && B.top < A.top && B.right >= A.right)
            C1 = true;
        else if (A.left == B.left && A.bottom >= B.top - 1 && A.top < B.top && A.right >= B.right)
        {
            C2 = true;
            e = B.right + m_rcWnd.right - A.right;
        }
        else if (A.bottom == B.bottom)
        {
            if (A.left < B.left)
                C4 = true;
            else
                C3 = true;
        }
        else if (A.right == B.left + 1)
        {
            C5 = true;
            g0 = B.bottom + m_rcWnd.top - A.top;
        }
        else if (B.right == A.left + 1)
            C2 = true;
    }

    COLORREF* pPixels = m_pHelperDibSurface;
    const int nMin = m_nMinBrightness, nMax = m_nMaxBrightness;
    // (x, y): column x, row y - 1 from the top, i.e. memory row cy - y of the bottom-up DIB
    auto darken = [&](int x, int y, int p)
    {
        if (x < 0 || x >= cx || y < 1 || y > cy)
            return;
        DarkenPixel(pPixels[(cy - y) * cx + x], p, clrTint);
    };
    for (int i = 0; i < s; i++)
    {
        const int p = i * (nMax - nMin) / s + nMin;
        int x0 = 2 * s + 1 + e - (C3 ? s : 0) - (C2 ? 2 * s - i : 0);
        int x1 = W + (C4 ? s : 0);
        for (int x = x0; x < x1; x++)
            darken(x, H + i, p);
        int y0 = 2 * s + 1 - (C6 ? s : 0) - (C1 ? 2 * s - i : 0);
        int y1 = H + (C7 ? s : 0);
        for (int y = y0; y < y1; y++)
        {
            if (C5 && y >= g0 && y < g0 + i)
                continue;
            darken(W + i, y, p);
        }
        for (int k = 0; k < s; k++)
        {
            if (i * i + k * k > s * s)
                continue;
            int d = (int)sqrt((double)(i * i + k * k));
            int pc = d * (nMax - nMin) / s + nMin;
            if (!C7 && !C4)
                darken(W + i, H + k, pc);
            if (!C2 && !C3)
                darken(2 * s - i, H + k, pc);
            if (!C1 && !C6)
                darken(W + i, 2 * s - k, pc);
        }
    }

    pDC->BitBlt(m_rcWnd.left, m_rcWnd.top, cx, cy, &dcMem, 0, 0, SRCCOPY);
    ::SelectObject(dcMem.GetSafeHdc(), hOld);
    ::DeleteObject(hDib);
    m_pHelperDibSurface = NULL;
    if (m_bCacheStrips)
        return CacheStrips(pDC);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// CExtPopupBaseWnd

CExtPopupBaseWnd::CExtPopupBaseWnd()
    : m_nAnimationType(g_nDefaultAnimationType), m_nAnimStep(0), m_nAnimStepPrev(0),
      m_nAnimFlags(0), m_nSoundOnAnimationEnd(0), m_rcExcludeArea(0, 0, 0, 0),
      m_rcScreenUnder(0, 0, 0, 0),
      m_pClrSrc(NULL), m_pClrDst(NULL), m_pClrTmp(NULL), m_pCbPaintCombinedCookie(NULL),
      m_pCbPaintCombinedContent(NULL), m_bCbPaintCombinedCookieFlag(false)
{
    SetupAnimation();
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
    CExtPopupBaseWnd::ReleaseSurfaces();
    ReleaseScreenUnder();
}

LPVOID CExtPopupBaseWnd::GetPaintCallbackCookie()
{
    return m_bCbPaintCombinedCookieFlag ? m_pCbPaintCombinedCookie : NULL;
}

bool CExtPopupBaseWnd::HasParentItemPainter()
{
    return false;
}

bool CExtPopupBaseWnd::IsContinuedTracking()
{
    return false;
}

// Picks the opening animation (a random one resolved now) and starts at its first step.
void CExtPopupBaseWnd::SetupAnimation()
{
    m_nAnimStep = 0;
    m_nAnimStepPrev = 0;
    OverrideAnimationType(m_nAnimationType);
    if ((m_nAnimationType < ANIM_NONE || m_nAnimationType > ANIM_LAST)
        && m_nAnimationType != ANIM_ONE_TICK && m_nAnimationType != ANIM_EXPAND)
        m_nAnimationType = ANIM_NONE;
    if (m_nAnimationType == ANIM_RANDOM)
    {
        m_nAnimationType = rand() % (ANIM_LAST + 1);
        if (m_nAnimationType == ANIM_NONE || m_nAnimationType == ANIM_RANDOM)
            m_nAnimationType = ANIM_FADE;
    }
    if (CExtPaintManager::GetScreenColorDepth() <= 8)
    {
        if (m_nAnimationType != ANIM_ONE_TICK && m_nAnimationType != ANIM_EXPAND)
        {
            m_nAnimationType = ANIM_NONE;
            SetAnimationFinished(true);
            return;
        }
    }
    SetAnimationFinished(m_nAnimationType == ANIM_NONE);
}

void CExtPopupBaseWnd::StartAnimation()
{
    SetupAnimation();
    if (m_nAnimationType != ANIM_NONE && GetSafeHwnd() != NULL)
    {
        SetTimer(ID_TIMER_ANIMATION, ID_PERIOD_ANIMATION);
        g_nLastAnimationTick = clock();
    }
}

void CExtPopupBaseWnd::OverrideAnimationType(int& /*nType*/)
{
}

// Keeps a copy of the screen under the popup for animation and shadows; a grown popup keeps what lay under its old place.
bool CExtPopupBaseWnd::CaptureScreenUnder(const RECT* prcScreen)
{
    // a window that grows keeps what was under its old rectangle: the screen there shows
    // the window itself now
    CBitmap bmpOld;
    const CRect rcOld(m_rcScreenUnder);
    if (HasScreenUnder())
        bmpOld.Attach(m_bmpScreenUnder.Detach());
    ReleaseScreenUnder();
    if (GetSafeHwnd() == NULL)
        return false;
    CRect rc;
    if (prcScreen != NULL)
        rc = *prcScreen;
    else
        GetWindowRect(&rc);
    if (rc.IsRectEmpty())
        return false;
    HDC hdcScreen = ::GetDC(NULL);
    if (hdcScreen == NULL)
        return false;
    bool bOk = false;
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, rc.Width(), rc.Height());
    if (hdcMem != NULL && hbm != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        bOk = ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcScreen, rc.left, rc.top,
                       SRCCOPY | CAPTUREBLT) != FALSE;
        if (bOk && bmpOld.GetSafeHandle() != NULL && IsWindowVisible())
        {
            HDC hdcOld = ::CreateCompatibleDC(hdcScreen);
            if (hdcOld != NULL)
            {
                HGDIOBJ hOldOld = ::SelectObject(hdcOld, bmpOld.GetSafeHandle());
                ::BitBlt(hdcMem, rcOld.left - rc.left, rcOld.top - rc.top, rcOld.Width(),
                         rcOld.Height(), hdcOld, 0, 0, SRCCOPY);
                ::SelectObject(hdcOld, hOldOld);
                ::DeleteDC(hdcOld);
            }
        }
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    ::ReleaseDC(NULL, hdcScreen);
    if (!bOk)
    {
        if (hbm != NULL)
            ::DeleteObject(hbm);
        return false;
    }
    m_bmpScreenUnder.Attach(hbm);
    m_rcScreenUnder = rc;
    return true;
}

void CExtPopupBaseWnd::ReleaseScreenUnder()
{
    m_bmpScreenUnder.DeleteObject();
    m_rcScreenUnder.SetRectEmpty();
}

bool CExtPopupBaseWnd::SelectScreenUnder(CDC& dcUnder, CDC& dcRef)
{
    if (!HasScreenUnder() || GetSafeHwnd() == NULL || !dcUnder.CreateCompatibleDC(&dcRef))
        return false;
    dcUnder.SelectObject(&m_bmpScreenUnder);
    // client coordinates of the window map onto the captured picture
    CPoint ptOrigin(0, 0);
    ClientToScreen(&ptOrigin);
    dcUnder.SetViewportOrg(ptOrigin.x - m_rcScreenUnder.left, ptOrigin.y - m_rcScreenUnder.top);
    return true;
}

bool CExtPopupBaseWnd::DrawScreenUnder(CDC& dc, int cx, int cy)
{
    CDC dcUnder;
    if (!SelectScreenUnder(dcUnder, dc))
        return false;
    return dc.BitBlt(0, 0, cx, cy, &dcUnder, 0, 0, SRCCOPY) != FALSE;
}

void CExtPopupBaseWnd::ReleaseSurfaces()
{
    m_bmpScreenSrc.DeleteObject();
    m_bmpScreenDst.DeleteObject();
    m_bmpScreenTmp.DeleteObject();
    m_pClrSrc = NULL;
    m_pClrDst = NULL;
    m_pClrTmp = NULL;
}

bool CExtPopupBaseWnd::IsShadowEnabled()
{
    return g_bPopupShadows != FALSE;
}

int CExtPopupBaseWnd::GetShadowSize()
{
    if (!IsShadowEnabled())
        return 0;
    return g_CurrentPaintManager->GetMenuShadowSize();
}

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc)
{
    PaintContent(dc, true);
}

void CExtPopupBaseWnd::PaintContent(CDC& /*dc*/, bool /*bUseMemDC*/)
{
}

void CExtPopupBaseWnd::GetContentRect(RECT& rc)
{
    ::SetRectEmpty(&rc);
    if (GetSafeHwnd() != NULL)
        GetClientRect(&rc);
}

bool CExtPopupBaseWnd::IsNotifySuppressed()
{
    return false;
}

BOOL CExtPopupBaseWnd::DestroyWindow()
{
    if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
        return TRUE;
    return CWnd::DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Message handlers

void CExtPopupBaseWnd::OnPaint()
{
    if (GetSafeHwnd() == NULL || !IsWindowVisible())
    {
        ValidateRect(NULL);
        return;
    }
    CPaintDC dc(this);
    CExtPaintManager::ExcludeChildAreas(dc.GetSafeHdc(), GetSafeHwnd());
    if (IsAnimationFinished())
        PaintContent(dc, true);
    else
        PaintAnimationFrame(dc);
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CExtPopupBaseWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
}

void CExtPopupBaseWnd::OnNcPaint()
{
}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsNotifySuppressed())
    {
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// No activation, except for a click on a child control of the popup.
int CExtPopupBaseWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/,
                                      UINT /*message*/)
{
    if (::GetWindow(GetSafeHwnd(), GW_CHILD) == NULL)
        return MA_NOACTIVATEANDEAT;
    POINT pt;
    ::GetCursorPos(&pt);
    HWND hWndUnder = ::WindowFromPoint(pt);
    if (hWndUnder != NULL && hWndUnder != GetSafeHwnd() && ::IsChild(GetSafeHwnd(), hWndUnder))
        return MA_ACTIVATE;
    return MA_NOACTIVATEANDEAT;
}

void CExtPopupBaseWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
}

void CExtPopupBaseWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
}

// Steps the animation and shows a popup whose show was delayed.
void CExtPopupBaseWnd::OnTimer(UINT nIDEvent)
{
    switch (nIDEvent)
    {
    case ID_TIMER_ANIMATION:
        OnAnimationTick();
        return;
    case ID_TIMER_DELAY_SHOW:
        KillTimer(ID_TIMER_DELAY_SHOW);
        ShowWindow(SW_SHOWNA);
        Invalidate(FALSE);
        UpdateWindow();
        return;
    default:
        CWnd::OnTimer(nIDEvent);
        return;
    }
}

// Advances the animation by the time passed, ending it once it is complete.
void CExtPopupBaseWnd::OnAnimationTick()
{
    if (IsAnimationFinished())
        KillTimer(ID_TIMER_ANIMATION);
    else
    {
        const clock_t nNow = clock();
        const int n = (int)((double)(nNow - g_nLastAnimationTick) / 30.0 + 0.5);
        if ((m_nAnimationType >= ANIM_SLIDE && m_nAnimationType <= ANIM_LAST)
            || m_nAnimationType == ANIM_EXPAND)
        {
            m_nAnimStepPrev = m_nAnimStep;
            m_nAnimStep += 20;
            if (m_nAnimStep > 100 + 20 * n)
                m_nAnimStep = 101;
            if (m_nAnimStep > 100)
                SetAnimationFinished(true);
        }
        else if (m_nAnimationType == ANIM_ONE_TICK)
            SetAnimationFinished(true);
        if (IsAnimationFinished())
        {
            if (!IsContinuedTracking())
            {
                g_SoundPlayerHolder.PlaySound(m_nSoundOnAnimationEnd);
                m_nSoundOnAnimationEnd = 0;
            }
            KillTimer(ID_TIMER_ANIMATION);
            m_nAnimationType = g_nDefaultAnimationType;
        }
        if (GetSafeHwnd() != NULL)
        {
            if (IsAnimationFinished())
                ReleaseSurfaces();
            else
                Invalidate(FALSE);
            g_nLastAnimationTick = clock();
        }
    }
    if (IsAnimationFinished() && IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
    {
        CExtPopupMenuWnd::TrackingSite_t& site = g_TrackingSite;
        if (site.m_pWndAnimation == this)
            site.m_pWndAnimation = NULL;
    }
}
