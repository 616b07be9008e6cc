// gdi_objects.cpp - CGdiObject, CPen, CBrush, CFont, CBitmap, CPalette, CRgn.

#include "afxwin.h"

#include <stdlib.h>

/////////////////////////////////////////////////////////////////////////////
// CResourceException

IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

LPCSTR CResourceException::GetDefaultMessage() const
{
    return "A required resource was unavailable.";
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

/////////////////////////////////////////////////////////////////////////////
// Run-time classes

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

CGdiObject::CGdiObject()
    : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

// Answers NULL when called through a NULL pointer, as callers of the class library expect.
HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* pThis = this;
    __asm__("" : "+r"(pThis));      // keeps the compiler from assuming this != NULL
    return pThis == NULL ? NULL : pThis->m_hObject;
}

// Deletes the owned GDI object.
BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

// Reads the object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP, ...).
int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == NULL)
        return 0;
    return ::GetObject(m_hObject, nCount, lpObject);
}

// OBJ_PEN, OBJ_BRUSH, ... or 0 without an object.
UINT CGdiObject::GetObjectType() const
{
    if (m_hObject == NULL)
        return 0;
    return (UINT)::GetObjectType(m_hObject);
}

// Attaches a stock object; deleting it later is harmless.
BOOL CGdiObject::CreateStockObject(int nIndex)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::GetStockObject(nIndex));
}

// Resets a brush origin or palette mapping.
BOOL CGdiObject::UnrealizeObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::UnrealizeObject(m_hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CPen

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
    return static_cast<CPen*>(CGdiObject::FromHandle(hPen));
}

CPen::CPen()
{
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
        AfxThrowResourceException();
}

// Creates a cosmetic or geometric pen of one colour.
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

// Creates an extended pen (ExtCreatePen).
BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle)
{
    if (m_hObject != NULL || pLogBrush == NULL)
        return FALSE;
    return Attach(::ExtCreatePen((DWORD)nPenStyle, (DWORD)nWidth, pLogBrush, (DWORD)nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    if (m_hObject != NULL || lpLogPen == NULL)
        return FALSE;
    return Attach(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen)
{
    return GetObject(sizeof(LOGPEN), pLogPen);
}

// The caller's buffer must hold the style entries of a user-styled pen.
int CPen::GetExtLogPen(EXTLOGPEN* pLogPen)
{
    return GetObject(sizeof(EXTLOGPEN), pLogPen);
}

/////////////////////////////////////////////////////////////////////////////
// CBrush

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
}

CBrush::CBrush()
{
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    if (m_hObject != NULL || lpLogBrush == NULL)
        return FALSE;
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

// The brush keeps its own copy of the pattern; the bitmap may be deleted afterwards.
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (m_hObject != NULL || pBitmap == NULL || pBitmap->m_hObject == NULL)
        return FALSE;
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage)
{
    if (m_hObject != NULL || hPackedDIB == NULL)
        return FALSE;
    const void* lpPackedDIB = ::GlobalLock(hPackedDIB);
    if (lpPackedDIB == NULL)
        return FALSE;
    BOOL bResult = Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
    ::GlobalUnlock(hPackedDIB);
    return bResult;
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    if (m_hObject != NULL || lpPackedDIB == NULL)
        return FALSE;
    return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

// Attaches the system's shared brush of a COLOR_* index.
BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush)
{
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

/////////////////////////////////////////////////////////////////////////////
// CFont

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(CGdiObject::FromHandle(hFont));
}

CFont::CFont()
{
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject != NULL || lpLogFont == NULL)
        return FALSE;
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                               bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                               nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        lstrcpyn(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

// lfHeight holds tenths of a point; the font gets the matching character height in
// logical units of pDC's attribute DC (the screen when pDC is NULL).
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == NULL)
        return FALSE;
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : NULL;
    HDC hScreenDC = NULL;
    if (hDC == NULL)
        hDC = hScreenDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;

    LOGFONT logFont = *lpLogFont;
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720) };
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);

    if (hScreenDC != NULL)
        ::ReleaseDC(NULL, hScreenDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont)
{
    return GetObject(sizeof(LOGFONT), pLogFont);
}

/////////////////////////////////////////////////////////////////////////////
// CBitmap

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
}

CBitmap::CBitmap()
{
}

// Loads a bitmap resource from the resource module.
BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (m_hObject != NULL || lpszResourceName == NULL)
        return FALSE;
    return Attach(::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

// Loads one of the system's OBM_* bitmaps.
BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    if (m_hObject != NULL || lpBitmap == NULL)
        return FALSE;
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

// A bitmap in the format of pDC's output device. A memory DC holding the default
// one-pixel bitmap gives a monochrome bitmap, as GDI does.
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap)
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    if (m_hObject == NULL)
        return 0;
    return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    if (m_hObject == NULL)
        return 0;
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits);
}

// Stores a size in 0.1 mm units with the bitmap; returns the previous one.
CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = { 0, 0 };
    if (m_hObject != NULL)
        ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return CSize(size.cx, size.cy);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = { 0, 0 };
    if (m_hObject != NULL)
        ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return CSize(size.cx, size.cy);
}

/////////////////////////////////////////////////////////////////////////////
// CPalette

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
}

CPalette::CPalette()
{
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (m_hObject != NULL || lpLogPalette == NULL)
        return FALSE;
    return Attach(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    if (m_hObject != NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return Attach(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount()
{
    WORD nEntries = 0;
    if (GetObject(sizeof(WORD), &nEntries) == 0)
        return 0;
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    if (m_hObject == NULL)
        return 0;
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject == NULL)
        return 0;
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject != NULL)
        ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    if (m_hObject == NULL)
        return CLR_INVALID;
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    if (m_hObject == NULL)
        return FALSE;
    return ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}

/////////////////////////////////////////////////////////////////////////////
// CRgn

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
    return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn));
}

CRgn::CRgn()
{
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (m_hObject != NULL || lpRect == NULL)
        return FALSE;
    return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    if (m_hObject != NULL || lpRect == NULL)
        return FALSE;
    return Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    if (m_hObject != NULL || lpPoints == NULL)
        return FALSE;
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
{
    if (m_hObject != NULL || lpPoints == NULL || lpPolyCounts == NULL)
        return FALSE;
    return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    if (m_hObject != NULL)
        return FALSE;
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

// Turns the DC's closed path into a region; the path is used up.
BOOL CRgn::CreateFromPath(CDC* pDC)
{
    if (m_hObject != NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return Attach(::PathToRegion(pDC->m_hDC));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
    if (m_hObject != NULL || pRgnData == NULL)
        return FALSE;
    return Attach(::ExtCreateRegion(lpXForm, (DWORD)nCount, pRgnData));
}

// Combines the two regions into this one (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    if (pRgn1 == NULL || pRgn1->m_hObject == NULL)
        return ERROR;
    HRGN hRgn2 = pRgn2 != NULL ? (HRGN)pRgn2->m_hObject : NULL;
    if (hRgn2 == NULL && nCombineMode != RGN_COPY)
        return ERROR;
    if (m_hObject == NULL && !CreateRectRgn(0, 0, 0, 0))
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, hRgn2, nCombineMode);
}

int CRgn::CopyRgn(CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
    if (m_hObject == NULL || pRgn == NULL || pRgn->m_hObject == NULL)
        return FALSE;
    return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject);
}

int CRgn::OffsetRgn(int x, int y)
{
    if (m_hObject == NULL)
        return ERROR;
    return ::OffsetRgn((HRGN)m_hObject, x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    if (m_hObject == NULL || lpRect == NULL)
        return ERROR;
    return ::GetRgnBox((HRGN)m_hObject, lpRect);
}

// Makes the region the given rectangle; creates it when there is none yet.
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject == NULL)
        CreateRectRgn(x1, y1, x2, y2);
    else
        ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect != NULL)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    if (m_hObject == NULL)
        return FALSE;
    return ::PtInRegion((HRGN)m_hObject, x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    if (m_hObject == NULL || lpRect == NULL)
        return FALSE;
    return ::RectInRegion((HRGN)m_hObject, lpRect);
}

// Copies the region's data; with lpRgnData NULL answers the size needed.
int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    if (m_hObject == NULL)
        return 0;
    return (int)::GetRegionData((HRGN)m_hObject, (DWORD)nCount, lpRgnData);
}
