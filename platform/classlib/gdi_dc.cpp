// gdi_dc.cpp - CDC: construction, state, selection, mapping, drawing, text and printing.

#include "afxwin.h"

#include <stdlib.h>

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace
{

// Applies a state change to the output DC (when it is a separate one) and to the
// attribute DC; the attribute DC's answer is returned.
template <typename R, typename Fn>
R OnBothDCs(HDC hDC, HDC hAttribDC, R rFailure, Fn fn)
{
    R result = rFailure;
    if (hDC != NULL && hDC != hAttribDC)
        result = fn(hDC);
    if (hAttribDC != NULL)
        result = fn(hAttribDC);
    return result;
}

inline HDC SourceHdc(CDC* pSrcDC)
{
    return pSrcDC != NULL ? pSrcDC->m_hDC : NULL;
}

inline HGDIOBJ HandleOf(const CGdiObject* pObject)
{
    return pObject != NULL ? pObject->m_hObject : NULL;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction and handles

CDC::CDC()
    : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

// Answers NULL when called through a NULL pointer, as callers of the class library expect.
HDC CDC::GetSafeHdc() const
{
    const CDC* pThis = this;
    __asm__("" : "+r"(pThis));      // keeps the compiler from assuming this != NULL
    return pThis == NULL ? NULL : pThis->m_hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
    if (hDC == NULL)
        return FALSE;
    return Attach(hDC);
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
    if (hDC == NULL)
        return FALSE;
    return Attach(hDC);
}

// A memory DC compatible with pDC's output device, or with the screen.
BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateCompatibleDC(SourceHdc(pDC));
    if (hDC == NULL)
        return FALSE;
    return Attach(hDC);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

/////////////////////////////////////////////////////////////////////////////
// Device context state

// Saves both DCs; the attribute DC's level is returned.
int CDC::SaveDC()
{
    int nSaved = 0;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        nSaved = ::SaveDC(m_hDC);
    if (m_hAttribDC != NULL)
        nSaved = ::SaveDC(m_hAttribDC);
    return nSaved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bResult = TRUE;
    if (m_hDC != NULL && m_hDC != m_hAttribDC)
        bResult = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bResult = ::RestoreDC(m_hAttribDC, nSavedDC) && bResult;
    return bResult;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

UINT CDC::SetBoundsRect(LPCRECT lpRectBounds, UINT flags)
{
    return ::SetBoundsRect(m_hDC, lpRectBounds, flags);
}

UINT CDC::GetBoundsRect(LPRECT lpRectBounds, UINT flags)
{
    return ::GetBoundsRect(m_hAttribDC, lpRectBounds, flags);
}

CPoint CDC::GetBrushOrg() const
{
    POINT point = { 0, 0 };
    ::GetBrushOrgEx(m_hDC, &point);
    return CPoint(point.x, point.y);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT point = { 0, 0 };
    ::SetBrushOrgEx(m_hDC, x, y, &point);
    return CPoint(point.x, point.y);
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

/////////////////////////////////////////////////////////////////////////////
// Selection

HGDIOBJ CDC::SelectHandle(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    return OnBothDCs<HGDIOBJ>(m_hDC, m_hAttribDC, NULL,
                              [hObject](HDC hDC) { return ::SelectObject(hDC, hObject); });
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle((HPEN)SelectHandle(HandleOf(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle((HBRUSH)SelectHandle(HandleOf(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle((HFONT)SelectHandle(HandleOf(pFont)));
}

// Bitmaps go into the output DC only.
CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    HGDIOBJ hBitmap = HandleOf(pBitmap);
    if (hBitmap == NULL || m_hDC == NULL)
        return NULL;
    return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, hBitmap));
}

// Selects a copy of the region as the clipping region; returns its type or ERROR.
int CDC::SelectObject(CRgn* pRgn)
{
    HGDIOBJ hRgn = HandleOf(pRgn);
    if (hRgn == NULL)
        return ERROR;
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [hRgn](HDC hDC) { return (int)(INT_PTR)::SelectObject(hDC, hRgn); });
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = HandleOf(pObject);
    if (hObject != NULL && ::GetObjectType(hObject) == OBJ_BITMAP)
        return SelectObject(static_cast<CBitmap*>(pObject));
    return CGdiObject::FromHandle(SelectHandle(hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject != NULL && ::GetObjectType(hObject) == OBJ_BITMAP)
        return m_hDC != NULL ? ::SelectObject(m_hDC, hObject) : NULL;
    return SelectHandle(hObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(SelectHandle(hObject));
}

/////////////////////////////////////////////////////////////////////////////
// Colour and palette

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(m_hAttribDC, crColor);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HGDIOBJ hPalette = HandleOf(pPalette);
    if (hPalette == NULL || m_hDC == NULL)
        return NULL;
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)hPalette, bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors()
{
    ::UpdateColors(m_hDC);
}

/////////////////////////////////////////////////////////////////////////////
// Drawing attributes

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}

int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hAttribDC);
}

int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hAttribDC);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return OnBothDCs<COLORREF>(m_hDC, m_hAttribDC, CLR_INVALID,
                               [crColor](HDC hDC) { return ::SetBkColor(hDC, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nBkMode](HDC hDC) { return ::SetBkMode(hDC, nBkMode); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nPolyFillMode](HDC hDC) { return ::SetPolyFillMode(hDC, nPolyFillMode); });
}

int CDC::SetROP2(int nDrawMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nDrawMode](HDC hDC) { return ::SetROP2(hDC, nDrawMode); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nStretchMode](HDC hDC) { return ::SetStretchBltMode(hDC, nStretchMode); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return OnBothDCs<COLORREF>(m_hDC, m_hAttribDC, CLR_INVALID,
                               [crColor](HDC hDC) { return ::SetTextColor(hDC, crColor); });
}

int CDC::GetGraphicsMode() const
{
    return ::GetGraphicsMode(m_hAttribDC);
}

int CDC::SetGraphicsMode(int iMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [iMode](HDC hDC) { return ::SetGraphicsMode(hDC, iMode); });
}

BOOL CDC::SetWorldTransform(const XFORM* pXform)
{
    return OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                           [pXform](HDC hDC) { return ::SetWorldTransform(hDC, pXform); });
}

BOOL CDC::ModifyWorldTransform(const XFORM* pXform, DWORD iMode)
{
    return OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                           [pXform, iMode](HDC hDC) { return ::ModifyWorldTransform(hDC, pXform, iMode); });
}

BOOL CDC::GetWorldTransform(XFORM* pXform) const
{
    return ::GetWorldTransform(m_hAttribDC, pXform);
}

DWORD CDC::GetLayout() const
{
    return ::GetLayout(m_hDC);
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
    return OnBothDCs<DWORD>(m_hDC, m_hAttribDC, GDI_ERROR,
                            [dwLayout](HDC hDC) { return ::SetLayout(hDC, dwLayout); });
}

/////////////////////////////////////////////////////////////////////////////
// Mapping

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}

int CDC::SetMapMode(int nMapMode)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nMapMode](HDC hDC) { return ::SetMapMode(hDC, nMapMode); });
}

CPoint CDC::GetViewportOrg() const
{
    POINT point = { 0, 0 };
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return CPoint(point.x, point.y);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT point = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::SetViewportOrgEx(hDC, x, y, &point); });
    return CPoint(point.x, point.y);
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT point = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::OffsetViewportOrgEx(hDC, nWidth, nHeight, &point); });
    return CPoint(point.x, point.y);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = { 0, 0 };
    ::GetViewportExtEx(m_hAttribDC, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::SetViewportExtEx(hDC, cx, cy, &size); });
    return CSize(size.cx, size.cy);
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::ScaleViewportExtEx(hDC, xNum, xDenom, yNum, yDenom, &size); });
    return CSize(size.cx, size.cy);
}

CPoint CDC::GetWindowOrg() const
{
    POINT point = { 0, 0 };
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return CPoint(point.x, point.y);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT point = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::SetWindowOrgEx(hDC, x, y, &point); });
    return CPoint(point.x, point.y);
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT point = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::OffsetWindowOrgEx(hDC, nWidth, nHeight, &point); });
    return CPoint(point.x, point.y);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = { 0, 0 };
    ::GetWindowExtEx(m_hAttribDC, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::SetWindowExtEx(hDC, cx, cy, &size); });
    return CSize(size.cx, size.cy);
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::ScaleWindowExtEx(hDC, xNum, xDenom, yNum, yDenom, &size); });
    return CSize(size.cx, size.cy);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeVpExt.cx == 0 || sizeVpExt.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeWinExt.cx), abs(sizeVpExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeWinExt.cy), abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    CSize sizeWinExt = GetWindowExt();
    CSize sizeVpExt = GetViewportExt();
    if (sizeWinExt.cx == 0 || sizeWinExt.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeVpExt.cx), abs(sizeWinExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeVpExt.cy), abs(sizeWinExt.cy));
}

/////////////////////////////////////////////////////////////////////////////
// Regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, (HRGN)HandleOf(pRgn), (HBRUSH)HandleOf(pBrush));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, (HRGN)HandleOf(pRgn), (HBRUSH)HandleOf(pBrush), nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, (HRGN)HandleOf(pRgn));
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, (HRGN)HandleOf(pRgn));
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = (HRGN)HandleOf(pRgn);
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [hRgn](HDC hDC) { return ::SelectClipRgn(hDC, hRgn); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = (HRGN)HandleOf(pRgn);
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [hRgn, nMode](HDC hDC) { return ::ExtSelectClipRgn(hDC, hRgn, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [=](HDC hDC) { return ::ExcludeClipRect(hDC, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [=](HDC hDC) { return ::IntersectClipRect(hDC, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, ERROR,
                          [=](HDC hDC) { return ::OffsetClipRgn(hDC, x, y); });
}

int CDC::OffsetClipRgn(SIZE size)
{
    return OffsetClipRgn(size.cx, size.cy);
}

/////////////////////////////////////////////////////////////////////////////
// Lines

CPoint CDC::GetCurrentPosition() const
{
    POINT point = { 0, 0 };
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return CPoint(point.x, point.y);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT point = { 0, 0 };
    OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                    [&](HDC hDC) { return ::MoveToEx(hDC, x, y, &point); });
    return CPoint(point.x, point.y);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

// Draws on the output DC and keeps the attribute DC's position in step.
BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Arc(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom,
                 ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    BOOL bResult = ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT point;
        ::GetCurrentPositionEx(m_hDC, &point);
        ::MoveToEx(m_hAttribDC, point.x, point.y, NULL);
    }
    return bResult;
}

BOOL CDC::ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ArcTo(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom,
                 ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle)
{
    BOOL bResult = ::AngleArc(m_hDC, x, y, (DWORD)nRadius, fStartAngle, fSweepAngle);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT point;
        ::GetCurrentPositionEx(m_hDC, &point);
        ::MoveToEx(m_hAttribDC, point.x, point.y, NULL);
    }
    return bResult;
}

int CDC::GetArcDirection() const
{
    return ::GetArcDirection(m_hAttribDC);
}

int CDC::SetArcDirection(int nArcDirection)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [nArcDirection](HDC hDC) { return ::SetArcDirection(hDC, nArcDirection); });
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    BOOL bResult = ::PolylineTo(m_hDC, lpPoints, (DWORD)nCount);
    if (bResult && nCount > 0 && m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y, NULL);
    return bResult;
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, (DWORD)nCount);
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    return ::PolyBezier(m_hDC, lpPoints, (DWORD)nCount);
}

BOOL CDC::PolyBezierTo(const POINT* lpPoints, int nCount)
{
    BOOL bResult = ::PolyBezierTo(m_hDC, lpPoints, (DWORD)nCount);
    if (bResult && nCount > 0 && m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y, NULL);
    return bResult;
}

BOOL CDC::PolyDraw(const POINT* lpPoints, const BYTE* lpTypes, int nCount)
{
    BOOL bResult = ::PolyDraw(m_hDC, lpPoints, lpTypes, nCount);
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
    {
        POINT point;
        ::GetCurrentPositionEx(m_hDC, &point);
        ::MoveToEx(m_hAttribDC, point.x, point.y, NULL);
    }
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Simple drawing

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, (HBRUSH)HandleOf(pBrush));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, (HBRUSH)HandleOf(pBrush));
}

void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return ::DrawIcon(m_hDC, point.x, point.y, hIcon);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    static CBrush* s_pBrush = []() {
        static const WORD pattern[8] = { 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA };
        CBrush* pBrush = new CBrush;
        CBitmap bitmap;
        if (bitmap.CreateBitmap(8, 8, 1, 1, pattern))
            pBrush->CreatePatternBrush(&bitmap);
        return pBrush;
    }();
    return s_pBrush;
}

namespace
{

// The frame between lpRect and lpRect deflated by size, as a region in device units.
bool MakeFrameRgn(const CDC* pDC, LPCRECT lpRect, SIZE size, CRgn& rgn)
{
    RECT rectOuter = *lpRect;
    pDC->LPtoDP(&rectOuter);
    SIZE sizeDevice = size;
    pDC->LPtoDP(&sizeDevice);
    RECT rectInner = rectOuter;
    ::InflateRect(&rectInner, -sizeDevice.cx, -sizeDevice.cy);
    ::IntersectRect(&rectInner, &rectInner, &rectOuter);

    CRgn rgnOuter, rgnInner;
    if (!rgnOuter.CreateRectRgnIndirect(&rectOuter) || !rgnInner.CreateRectRgnIndirect(&rectInner))
        return false;
    return rgn.CombineRgn(&rgnOuter, &rgnInner, RGN_XOR) != ERROR;
}

} // namespace

// Inverts the pixels of the old and the new frame, so drawing the same frame twice
// restores the screen.
void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                       CBrush* pBrush, CBrush* pBrushLast)
{
    if (pBrush == NULL)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == NULL)
        pBrushLast = pBrush;

    CRgn rgnNew, rgnLast;
    if (lpRect != NULL && !MakeFrameRgn(this, lpRect, size, rgnNew))
        return;
    if (lpRectLast != NULL && !MakeFrameRgn(this, lpRectLast, sizeLast, rgnLast))
        return;

    // With one brush the frames' common pixels stay as they are.
    CRgn rgnUpdate;
    if (lpRect != NULL && lpRectLast != NULL && pBrush == pBrushLast)
    {
        rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
        rgnLast.DeleteObject();
    }
    else if (lpRect != NULL)
    {
        rgnUpdate.CopyRgn(&rgnNew);
    }

    RECT rectClip;
    CBrush* pOldBrush = NULL;
    if (rgnLast.m_hObject != NULL)
    {
        SelectClipRgn(&rgnLast);
        GetClipBox(&rectClip);
        pOldBrush = SelectObject(pBrushLast);
        PatBlt(rectClip.left, rectClip.top, rectClip.right - rectClip.left,
               rectClip.bottom - rectClip.top, PATINVERT);
    }
    if (rgnUpdate.m_hObject != NULL)
    {
        SelectClipRgn(&rgnUpdate);
        GetClipBox(&rectClip);
        CBrush* pPrevious = SelectObject(pBrush);
        if (pOldBrush == NULL)
            pOldBrush = pPrevious;
        PatBlt(rectClip.left, rectClip.top, rectClip.right - rectClip.left,
               rectClip.bottom - rectClip.top, PATINVERT);
    }
    if (pOldBrush != NULL)
        SelectObject(pOldBrush);
    SelectClipRgn(NULL);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)HandleOf(pBitmap), nFlags, (HBRUSH)HandleOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)HandleOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y,
                       size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, (HBRUSH)HandleOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, const CString& str, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush)
{
    if (nTextLen == 0)
        nTextLen = str.GetLength();
    return DrawState(pt, size, (LPCTSTR)str, nFlags, bPrefixText, nTextLen, hBrush);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                    HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_COMPLEX);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpDrawProc, lData, nFlags, (HBRUSH)HandleOf(pBrush));
}

/////////////////////////////////////////////////////////////////////////////
// Ellipses and polygons

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Chord(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom,
                   ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Pie(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom,
                 ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom,
                       point.x, point.y);
}

/////////////////////////////////////////////////////////////////////////////
// Bitmaps

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, SourceHdc(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC,
                     int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, SourceHdc(pSrcDC), xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, SourceHdc(pSrcDC), xSrc, ySrc,
                     (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
}

BOOL CDC::PlgBlt(LPPOINT lpPoint, CDC* pSrcDC, int xSrc, int ySrc, int nWidth, int nHeight,
                 CBitmap& maskBitmap, int xMask, int yMask)
{
    return ::PlgBlt(m_hDC, lpPoint, SourceHdc(pSrcDC), xSrc, ySrc, nWidth, nHeight,
                    (HBITMAP)maskBitmap.m_hObject, xMask, yMask);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, SourceHdc(pSrcDC),
                            xSrc, ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                     int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, SourceHdc(pSrcDC),
                        xSrc, ySrc, nSrcWidth, nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements,
                       DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return ::GetPixel(m_hDC, point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return ::SetPixel(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}

BOOL CDC::SetPixelV(POINT point, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor)
{
    return ::FloodFill(m_hDC, x, y, crColor);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
    return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

/////////////////////////////////////////////////////////////////////////////
// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    LONG lExtent = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions,
                                   lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(lExtent), HIWORD(lExtent));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOut(x, y, (LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions,
                         nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                    LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextEx(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

// Works on a copy, so DT_MODIFYSTRING cannot write into the caller's string.
int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    int nLength = str.GetLength();
    char* pszCopy = new char[nLength + 5];
    memcpy(pszCopy, (LPCTSTR)str, nLength);
    memset(pszCopy + nLength, 0, 5);
    int nResult = DrawTextEx(pszCopy, nLength, lpRect, nFormat & ~DT_MODIFYSTRING, lpDTParams);
    delete[] pszCopy;
    return nResult;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    if (nCount > 0)
        ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    if (nCount > 0)
        ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return CSize(size.cx, size.cy);
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const
{
    DWORD dwExtent = ::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions,
                                           lpnTabStopPositions);
    return CSize(LOWORD(dwExtent), HIWORD(dwExtent));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent((LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return OnBothDCs<UINT>(m_hDC, m_hAttribDC, GDI_ERROR,
                           [nFlags](HDC hDC) { return ::SetTextAlign(hDC, nFlags); });
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFace(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    TCHAR szFace[LF_FACESIZE] = "";
    int nResult = ::GetTextFace(m_hAttribDC, LF_FACESIZE, szFace);
    rString = szFace;
    return nResult;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hAttribDC, lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hDC, lpMetrics);
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, 0,
                          [=](HDC hDC) { return ::SetTextJustification(hDC, nBreakExtra, nBreakCount); });
}

int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(m_hAttribDC);
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return OnBothDCs<int>(m_hDC, m_hAttribDC, (int)0x80000000,
                          [nCharExtra](HDC hDC) { return ::SetTextCharacterExtra(hDC, nCharExtra); });
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

BOOL CDC::GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const
{
    return ::GetCharABCWidths(m_hAttribDC, nFirstChar, nLastChar, lpabc);
}

UINT CDC::GetOutlineTextMetrics(UINT cbData, LPOUTLINETEXTMETRIC lpotm) const
{
    return ::GetOutlineTextMetrics(m_hAttribDC, cbData, lpotm);
}

/////////////////////////////////////////////////////////////////////////////
// Printing

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return ::StartDoc(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::SetAbortProc(BOOL (CALLBACK* lpfn)(HDC, int))
{
    return ::SetAbortProc(m_hDC, (ABORTPROC)lpfn);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

int CDC::Escape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize, LPSTR lpszOutputData)
{
    return ::ExtEscape(m_hDC, nEscape, nInputSize, lpszInputData, nOutputSize, lpszOutputData);
}

/////////////////////////////////////////////////////////////////////////////
// Paths

BOOL CDC::AbortPath()
{
    return ::AbortPath(m_hDC);
}

BOOL CDC::BeginPath()
{
    return ::BeginPath(m_hDC);
}

BOOL CDC::CloseFigure()
{
    return ::CloseFigure(m_hDC);
}

BOOL CDC::EndPath()
{
    return ::EndPath(m_hDC);
}

BOOL CDC::FillPath()
{
    return ::FillPath(m_hDC);
}

BOOL CDC::FlattenPath()
{
    return ::FlattenPath(m_hDC);
}

BOOL CDC::StrokeAndFillPath()
{
    return ::StrokeAndFillPath(m_hDC);
}

BOOL CDC::StrokePath()
{
    return ::StrokePath(m_hDC);
}

BOOL CDC::WidenPath()
{
    return ::WidenPath(m_hDC);
}

float CDC::GetMiterLimit() const
{
    float fMiterLimit = 0.0f;
    ::GetMiterLimit(m_hDC, &fMiterLimit);
    return fMiterLimit;
}

BOOL CDC::SetMiterLimit(float fMiterLimit)
{
    return OnBothDCs<BOOL>(m_hDC, m_hAttribDC, FALSE,
                           [fMiterLimit](HDC hDC) { return ::SetMiterLimit(hDC, fMiterLimit, NULL); });
}

int CDC::GetPath(LPPOINT lpPoints, LPBYTE lpTypes, int nCount) const
{
    return ::GetPath(m_hDC, lpPoints, lpTypes, nCount);
}

BOOL CDC::SelectClipPath(int nMode)
{
    return ::SelectClipPath(m_hDC, nMode);
}

/////////////////////////////////////////////////////////////////////////////
// Metafiles

BOOL CDC::PlayMetaFile(HMETAFILE hMF)
{
    return ::PlayMetaFile(m_hDC, hMF);
}

BOOL CDC::PlayMetaFile(HENHMETAFILE hEnhMetaFile, LPCRECT lpBounds)
{
    return ::PlayEnhMetaFile(m_hDC, hEnhMetaFile, lpBounds);
}
