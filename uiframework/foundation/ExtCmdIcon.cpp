// ExtCmdIcon.cpp - command images: forms, scaling, painting, effect icon and stream.

#include "stdafx.h"
#include <algorithm>
#include "ExtCmdIcon.h"
#include "ExtPaintManager.h"

#include <unordered_set>

namespace
{

const int GLYPH_NONE = 0;
const int GLYPH_CHECK = 1;
const int GLYPH_RADIO = 2;

// 0x00RRGGBB order of DIB pixels from a COLORREF, and back.
inline DWORD DibFromColorRef(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

inline COLORREF ColorRefFromDib(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

// A bottom-up 32-bit DIB section; *ppBits receives its pixels.
HBITMAP CreateDib32(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    *ppBits = (DWORD*)pBits;
    return hBitmap;
}

SIZE GetBitmapSize(HBITMAP hBitmap)
{
    SIZE size = { 0, 0 };
    BITMAP bm;
    if (hBitmap != NULL && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm))
    {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

int GetBitmapBitsPerPixel(HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return 0;
    return bm.bmBitsPixel * bm.bmPlanes;
}

// A copy of an icon for the caller to destroy; NULL for NULL or an icon the system cannot read.
HICON DuplicateHIcon(HICON hIcon)
{
    if (hIcon == NULL)
        return NULL;
    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    if (!::GetIconInfo(hIcon, &ii))
        return NULL;
    HICON hCopy = ::CreateIconIndirect(&ii);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return hCopy;
}

// Deletes a bitmap handle when the scope ends unless released.
class CBitmapHandleGuard
{
public:
    explicit CBitmapHandleGuard(HBITMAP h = NULL) : m_h(h) {}
    ~CBitmapHandleGuard() { if (m_h != NULL) ::DeleteObject(m_h); }
    CBitmapHandleGuard(const CBitmapHandleGuard&) = delete;
    CBitmapHandleGuard& operator=(const CBitmapHandleGuard&) = delete;
    HBITMAP* Out() { return &m_h; }
    HBITMAP Get() const { return m_h; }
    HBITMAP Release() { HBITMAP h = m_h; m_h = NULL; return h; }

private:
    HBITMAP m_h;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtCmdIcon

CExtCmdIcon::CExtCmdIcon()
    : m_nEffectParameter(-1), m_dEffectFactor(1.4)
{
}

CExtCmdIcon::CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectSrc,
                         bool bClone)
    : m_nEffectParameter(-1), m_dEffectFactor(1.4)
{
    AssignBitmap(hBitmap, clrTransparent, pRectSrc, bClone);
}

CExtCmdIcon::CExtCmdIcon(HICON hIcon, bool bCopy)
    : m_nEffectParameter(-1), m_dEffectFactor(1.4)
{
    AssignHIcon(hIcon, bCopy);
}

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other)
    : m_nEffectParameter(-1), m_dEffectFactor(1.4)
{
    AssignFrom(other);
}

CExtCmdIcon::~CExtCmdIcon()
{
    FreeBitmap();
    FreeHIcon();
    FreeEffectIcon();
}

void CExtCmdIcon::FreeBitmap()
{
    if (m_bitmap.m_hBitmap != NULL)
        ::DeleteObject(m_bitmap.m_hBitmap);
    m_bitmap.Clear();
}

void CExtCmdIcon::FreeHIcon()
{
    if (m_icon.m_hIcon != NULL)
        ::DestroyIcon(m_icon.m_hIcon);
    m_icon.Clear();
}

void CExtCmdIcon::FreeEffectIcon()
{
    if (m_iconEffect.m_hIcon != NULL)
        ::DestroyIcon(m_iconEffect.m_hIcon);
    m_iconEffect.Clear();
}

// The colour bitmap's size; without one, the mask's width and half its height (the mask
// then holds the AND and the XOR image one above the other). The hot spot says nothing
// about the size (a cursor's lies anywhere).
void CExtCmdIcon::SizeFromHIcon(IconForm_t& form)
{
    form.m_nWidth = form.m_nHeight = 0;
    if (form.m_hIcon == NULL)
        return;
    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    if (!::GetIconInfo(form.m_hIcon, &ii))
        return;
    SIZE size = { 0, 0 };
    if (ii.hbmColor != NULL)
        size = GetBitmapSize(ii.hbmColor);
    else if (ii.hbmMask != NULL)
    {
        size = GetBitmapSize(ii.hbmMask);
        size.cy /= 2;
    }
    form.m_nWidth = (BYTE)std::min(255L, std::max(0L, (long)size.cx));
    form.m_nHeight = (BYTE)std::min(255L, std::max(0L, (long)size.cy));
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
}

bool CExtCmdIcon::IsEmpty() const
{
    return m_bitmap.m_hBitmap == NULL && m_icon.m_hIcon == NULL;
}

void CExtCmdIcon::Empty()
{
    FreeBitmap();
    FreeHIcon();
    FreeEffectIcon();
    m_dEffectFactor = 1.4;
    m_nEffectParameter = -1;
}

// Kind byte 0 empty, 1 bitmap form, 2 HICON form; bitmaps as BMP file streams.
void CExtCmdIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        if (m_bitmap.m_hBitmap != NULL)
        {
            ar << (BYTE)1;
            HBITMAP hBitmap = m_bitmap.m_hBitmap;
            if (!CExtPaintManager::LoadBitmapFromArchive(ar, &hBitmap))
                AfxThrowArchiveException(CArchiveException::genericException);
            ar << (DWORD)m_bitmap.m_clrTransparent;
        }
        else if (m_icon.m_hIcon != NULL)
        {
            ICONINFO ii;
            memset(&ii, 0, sizeof(ii));
            if (!::GetIconInfo(m_icon.m_hIcon, &ii))
                AfxThrowArchiveException(CArchiveException::genericException);
            CBitmapHandleGuard colour(ii.hbmColor), mask(ii.hbmMask);
            BYTE nFlags = 0;
            if (ii.fIcon)
                nFlags |= 0x01;
            if (ii.hbmColor != NULL)
                nFlags |= 0x02;
            if (ii.hbmMask != NULL)
                nFlags |= 0x04;
            ar << (BYTE)2;
            ar << nFlags;
            ar << (DWORD)ii.xHotspot;
            ar << (DWORD)ii.yHotspot;
            if (ii.hbmColor != NULL && !CExtPaintManager::LoadBitmapFromArchive(ar, &ii.hbmColor))
                AfxThrowArchiveException(CArchiveException::genericException);
            if (ii.hbmMask != NULL && !CExtPaintManager::LoadBitmapFromArchive(ar, &ii.hbmMask))
                AfxThrowArchiveException(CArchiveException::genericException);
        }
        else
            ar << (BYTE)0;
        return;
    }

    Empty();
    BYTE nKind = 0;
    ar >> nKind;
    if ((nKind & 0x01) != 0)
    {
        CBitmapHandleGuard bitmap;
        if (!CExtPaintManager::LoadBitmapFromArchive(ar, bitmap.Out()) || bitmap.Get() == NULL)
            AfxThrowArchiveException(CArchiveException::genericException);
        DWORD dwTransparent = 0;
        ar >> dwTransparent;
        AssignBitmap(bitmap.Release(), (COLORREF)dwTransparent, NULL, false);
    }
    else if ((nKind & 0x02) != 0)
    {
        BYTE nFlags = 0;
        DWORD dwHotX = 0, dwHotY = 0;
        ar >> nFlags;
        ar >> dwHotX;
        ar >> dwHotY;
        CBitmapHandleGuard colour, mask;
        if ((nFlags & 0x02) != 0
            && (!CExtPaintManager::LoadBitmapFromArchive(ar, colour.Out()) || colour.Get() == NULL))
            AfxThrowArchiveException(CArchiveException::genericException);
        if ((nFlags & 0x04) != 0
            && (!CExtPaintManager::LoadBitmapFromArchive(ar, mask.Out()) || mask.Get() == NULL))
            AfxThrowArchiveException(CArchiveException::genericException);
        ICONINFO ii;
        memset(&ii, 0, sizeof(ii));
        ii.fIcon = (nFlags & 0x01) != 0;
        ii.xHotspot = dwHotX;
        ii.yHotspot = dwHotY;
        ii.hbmColor = colour.Get();
        ii.hbmMask = mask.Get();
        HICON hIcon = (ii.hbmMask != NULL) ? ::CreateIconIndirect(&ii) : NULL;
        AssignHIcon(hIcon, false);
    }
}

// Makes this icon a deep copy of another (image and effect settings); each frees its own handles.
void CExtCmdIcon::AssignFrom(const CExtCmdIcon& other)
{
    if (&other == this)
        return;
    FreeEffectIcon();
    if (other.m_bitmap.m_hBitmap != NULL)
    {
        FreeHIcon();
        HBITMAP hCopy = CExtPaintManager::CopyBitmapRect(other.m_bitmap.m_hBitmap, NULL, NULL);
        FreeBitmap();
        if (hCopy != NULL)
        {
            SIZE size = GetBitmapSize(hCopy);
            m_bitmap.m_hBitmap = hCopy;
            m_bitmap.m_clrTransparent = other.m_bitmap.m_clrTransparent;
            m_bitmap.m_nWidth = size.cx;
            m_bitmap.m_nHeight = size.cy;
        }
    }
    else
    {
        FreeBitmap();
        HICON hCopy = DuplicateHIcon(other.m_icon.m_hIcon);
        FreeHIcon();
        m_icon.m_hIcon = hCopy;
        SizeFromHIcon(m_icon);
    }
    m_nEffectParameter = other.m_nEffectParameter;
    m_dEffectFactor = other.m_dEffectFactor;
}

void CExtCmdIcon::AssignHIcon(HICON hIcon, bool bCopy)
{
    FreeEffectIcon();
    FreeBitmap();
    if (!bCopy && hIcon == m_icon.m_hIcon)
        return;
    // duplicate first: hIcon may be this icon's own handle
    HICON hNew = bCopy ? DuplicateHIcon(hIcon) : hIcon;
    if (hNew != m_icon.m_hIcon)
        FreeHIcon();
    m_icon.m_hIcon = hNew;
    SizeFromHIcon(m_icon);
}

// Takes a bitmap as the image, a copy of it (or of its rectangle) when bClone, else the handle
// itself, which the icon then owns; NULL empties the icon.
void CExtCmdIcon::AssignBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectSrc,
                               bool bClone)
{
    FreeHIcon();
    FreeEffectIcon();
    if (hBitmap == NULL)
    {
        FreeBitmap();
        return;
    }
    if (hBitmap == m_bitmap.m_hBitmap && pRectSrc == NULL)
    {
        m_bitmap.m_clrTransparent = clrTransparent;
        return;
    }
    HBITMAP hNew = hBitmap;
    if (bClone)
    {
        hNew = CExtPaintManager::CopyBitmapRect(hBitmap, pRectSrc, NULL);
        if (hNew == NULL)
            return;
    }
    if (hNew != m_bitmap.m_hBitmap)
        FreeBitmap();
    SIZE size = GetBitmapSize(hNew);
    m_bitmap.m_hBitmap = hNew;
    m_bitmap.m_clrTransparent = clrTransparent;
    m_bitmap.m_nWidth = size.cx;
    m_bitmap.m_nHeight = size.cy;
}

// Size of the image in pixels, the bitmap's before the icon's; 0 x 0 when empty.
SIZE CExtCmdIcon::GetSize() const
{
    SIZE size = { 0, 0 };
    if (m_bitmap.m_hBitmap != NULL)
    {
        size.cx = m_bitmap.m_nWidth;
        size.cy = m_bitmap.m_nHeight;
    }
    else if (m_icon.m_hIcon != NULL)
    {
        size.cx = m_icon.m_nWidth;
        size.cy = m_icon.m_nHeight;
    }
    return size;
}

bool CExtCmdIcon::IsBitmapBased() const
{
    return m_bitmap.m_hBitmap != NULL;
}

HBITMAP CExtCmdIcon::GetBitmap() const
{
    return m_bitmap.m_hBitmap;
}

COLORREF CExtCmdIcon::GetTransparentColor() const
{
    return m_bitmap.m_clrTransparent;
}

// The new transparent colour is one the image does not use; the bitmap form keeps its own
// colour when no pixels are asked for.
bool CExtCmdIcon::ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrTransparent,
                                ColorArray* pUsedColors, COLORREF** ppBits)
{
    if (phBitmap != NULL)
        *phBitmap = NULL;
    if (ppBits != NULL)
        *ppBits = NULL;
    if (IsEmpty())
        return false;

    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    bool bIconInfo = false;
    HBITMAP hColorSource = m_bitmap.m_hBitmap;
    if (hColorSource == NULL)
    {
        if (!::GetIconInfo(m_icon.m_hIcon, &ii))
            return false;
        bIconInfo = true;
        hColorSource = (ii.hbmColor != NULL) ? ii.hbmColor : ii.hbmMask;
    }
    CBitmapHandleGuard infoColour(bIconInfo ? ii.hbmColor : NULL);
    CBitmapHandleGuard infoMask(bIconInfo ? ii.hbmMask : NULL);

    ColorArray arrColors;
    CExtPaintManager::GetBitmapColors(hColorSource, arrColors, true);
    std::unordered_set<COLORREF> setColors;
    for (INT_PTR i = 0; i < arrColors.GetSize(); i++)
        setColors.insert(arrColors[i] & 0x00FFFFFF);

    COLORREF clrNew = (COLORREF)-1;
    const COLORREF candidates[3] = { RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192) };
    for (int i = 0; i < 3 && clrNew == (COLORREF)-1; i++)
    {
        if (setColors.find(candidates[i]) == setColors.end())
            clrNew = candidates[i];
    }
    for (COLORREF clr = 1; clrNew == (COLORREF)-1 && clr < 0xFFFFFE; clr++)
    {
        if (setColors.find(clr) == setColors.end())
            clrNew = clr;
    }
    if (clrNew == (COLORREF)-1)
        return false;

    HBITMAP hResult = NULL;
    DWORD* pBits = NULL;
    if (m_bitmap.m_hBitmap != NULL)
    {
        COLORREF clrOld = m_bitmap.m_clrTransparent;
        if (ppBits == NULL)
        {
            if (clrOld == (COLORREF)-1)
                return false;
            clrNew = clrOld;
        }
        hResult = CExtPaintManager::CopyBitmapRect(m_bitmap.m_hBitmap, NULL,
                                                   ppBits != NULL ? (COLORREF**)&pBits : NULL);
        if (hResult == NULL || (ppBits != NULL && pBits == NULL))
        {
            if (hResult != NULL)
                ::DeleteObject(hResult);
            return false;
        }
        if (pBits != NULL && clrNew != clrOld && clrOld != (COLORREF)-1)
        {
            ::GdiFlush();
            SIZE size = GetBitmapSize(hResult);
            DWORD dwOld = DibFromColorRef(clrOld), dwNew = DibFromColorRef(clrNew);
            for (LONG n = 0; n < size.cx * size.cy; n++)
            {
                if ((pBits[n] & 0x00FFFFFF) == dwOld)
                    pBits[n] = dwNew;
            }
        }
    }
    else
    {
        SIZE size = GetSize();
        if (size.cx <= 0 || size.cy <= 0)
            return false;
        hResult = CreateDib32(size.cx, size.cy, &pBits);
        if (hResult == NULL)
            return false;
        HDC hDC = ::CreateCompatibleDC(NULL);
        if (hDC == NULL)
        {
            ::DeleteObject(hResult);
            return false;
        }
        HGDIOBJ hOld = ::SelectObject(hDC, hResult);
        RECT rc = { 0, 0, size.cx, size.cy };
        HBRUSH hBrush = ::CreateSolidBrush(clrNew);
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::DrawIconEx(hDC, 0, 0, m_icon.m_hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
        ::GdiFlush();
        if (ii.hbmColor != NULL && ii.hbmMask != NULL)
        {
            // pixels where the mask is white are transparent
            DWORD* pMaskBits = NULL;
            HBITMAP hMask32 = CreateDib32(size.cx, size.cy, &pMaskBits);
            if (hMask32 != NULL)
            {
                HDC hMaskDC = ::CreateCompatibleDC(NULL);
                HDC hSrcDC = ::CreateCompatibleDC(NULL);
                HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask32);
                HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, ii.hbmMask);
                ::BitBlt(hMaskDC, 0, 0, size.cx, size.cy, hSrcDC, 0, 0, SRCCOPY);
                ::GdiFlush();
                DWORD dwNew = DibFromColorRef(clrNew);
                for (LONG n = 0; n < size.cx * size.cy; n++)
                {
                    if ((pMaskBits[n] & 0x00FFFFFF) == 0x00FFFFFF)
                        pBits[n] = dwNew;
                }
                ::SelectObject(hSrcDC, hOldSrc);
                ::SelectObject(hMaskDC, hOldMask);
                ::DeleteDC(hSrcDC);
                ::DeleteDC(hMaskDC);
                ::DeleteObject(hMask32);
            }
        }
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }

    if (pUsedColors != NULL)
    {
        pUsedColors->RemoveAll();
        pUsedColors->Add(clrNew);
        for (INT_PTR i = 0; i < arrColors.GetSize(); i++)
        {
            if ((arrColors[i] & 0x00FFFFFF) != clrNew)
                pUsedColors->Add(arrColors[i]);
        }
    }
    if (pclrTransparent != NULL)
        *pclrTransparent = clrNew;
    if (ppBits != NULL)
        *ppBits = (COLORREF*)pBits;
    if (phBitmap != NULL)
        *phBitmap = hResult;
    else
        ::DeleteObject(hResult);
    return true;
}

HICON CExtCmdIcon::GetHIcon(bool bRemapSysColors)
{
    if (m_icon.m_hIcon != NULL)
        return m_icon.m_hIcon;
    if (m_bitmap.m_hBitmap == NULL)
        return NULL;
    m_icon.m_hIcon = CExtPaintManager::CreateIconFromBitmap(m_bitmap.m_hBitmap,
                                                            m_bitmap.m_clrTransparent, NULL,
                                                            bRemapSysColors);
    SizeFromHIcon(m_icon);
    return m_icon.m_hIcon;
}

// Hands the image over as an icon for the caller to destroy and leaves this one empty.
HICON CExtCmdIcon::DetachHIcon(bool bRemapSysColors)
{
    if (IsEmpty())
        return NULL;
    FreeEffectIcon();
    HICON hIcon = m_icon.m_hIcon;
    if (hIcon != NULL)
        m_icon.Clear();
    else
        hIcon = CExtPaintManager::CreateIconFromBitmap(m_bitmap.m_hBitmap,
                                                       m_bitmap.m_clrTransparent, NULL,
                                                       bRemapSysColors);
    FreeBitmap();
    return hIcon;
}

HICON CExtCmdIcon::GetEffectIcon()
{
    if (m_nEffectParameter == -1)
        return NULL;
    if (m_iconEffect.m_hIcon != NULL)
        return m_iconEffect.m_hIcon;
    BuildEffectIcon();
    return m_iconEffect.m_hIcon;
}

void CExtCmdIcon::SyncWithPaintManager()
{
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    if (pPM != NULL)
    {
        SetEffectParameter(pPM->GetIconEffectParameter());
        SetEffectFactor(pPM->GetIconEffectFactor());
    }
    if (!IsEmpty() && IsBitmapBased())
        FreeHIcon();
}

void CExtCmdIcon::OnSysColorChange()
{
    SyncWithPaintManager();
}

void CExtCmdIcon::OnSettingChange(UINT, LPCTSTR)
{
    SyncWithPaintManager();
}

void CExtCmdIcon::OnDisplayChange(INT, INT, INT)
{
    SyncWithPaintManager();
}

void CExtCmdIcon::OnThemeChanged(WPARAM, LPARAM)
{
    SyncWithPaintManager();
}

bool CExtCmdIcon::BuildEffectIcon()
{
    return BuildTintedEffectIcon();
}

// Grey level of each pixel, lightened or darkened by the factor, tinted toward the colour.
bool CExtCmdIcon::BuildTintedEffectIcon()
{
    FreeEffectIcon();
    if (m_nEffectParameter == -1 || IsEmpty())
        return false;
    HBITMAP hBitmap = NULL;
    COLORREF clrTransparent = 0;
    COLORREF* pBitsRef = NULL;
    if (!ExtractBitmap(&hBitmap, &clrTransparent, NULL, &pBitsRef) || hBitmap == NULL)
        return false;
    DWORD* pBits = (DWORD*)pBitsRef;
    ::GdiFlush();
    SIZE size = GetBitmapSize(hBitmap);
    const int nR = m_nEffectParameter & 0xFF;
    const int nG = (m_nEffectParameter >> 8) & 0xFF;
    const int nB = (m_nEffectParameter >> 16) & 0xFF;
    const double f = m_dEffectFactor;
    const DWORD dwTransparent = DibFromColorRef(clrTransparent);
    for (LONG n = 0; n < size.cx * size.cy; n++)
    {
        DWORD p = pBits[n] & 0x00FFFFFF;
        if (p == dwTransparent)
            continue;
        double l = 0.3 * ((p >> 16) & 0xFF) / 255.0 + 0.5 * ((p >> 8) & 0xFF) / 255.0
                 + 0.2 * (p & 0xFF) / 255.0;
        if (f > 0.0)
            l = l + f * (1.0 - l);
        else if (f < 0.0)
            l = l * (1.0 + f);
        if (l < 0.0)
            l = 0.0;
        if (l > 1.0)
            l = 1.0;
        int nLevel = (int)(l * 255.0);
        int r = (nLevel + 3 * ::MulDiv(nR, nLevel, 255)) / 4;
        int g = (nLevel + 3 * ::MulDiv(nG, nLevel, 255)) / 4;
        int b = (nLevel + 3 * ::MulDiv(nB, nLevel, 255)) / 4;
        pBits[n] = DibFromColorRef(RGB(r, g, b));
    }
    m_iconEffect.m_hIcon = CExtPaintManager::CreateIconFromBitmap(hBitmap, clrTransparent,
                                                                  NULL, false);
    SizeFromHIcon(m_iconEffect);
    ::DeleteObject(hBitmap);
    return m_iconEffect.m_hIcon != NULL;
}

// Draws the icon at the rectangle's top left as normal, disabled, mono or with the paint manager's
// effect (mono where the screen lacks the colours); answers DrawState's result.
int CExtCmdIcon::Paint(HDC hDC, const RECT* pRect, int nState, HBRUSH hBrush)
{
    if (hDC == NULL || pRect == NULL)
        return 0;
    HICON hIcon = GetHIcon(true);
    if (hIcon == NULL)
        return 0;
    SIZE size = GetSize();
    UINT nFlags = DST_ICON;
    switch (nState)
    {
    case PAINT_DISABLED:
        nFlags |= DSS_DISABLED;
        break;
    case PAINT_MONO:
        nFlags |= DSS_MONO;
        break;
    case PAINT_EFFECT:
        {
            int nBits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
            HICON hEffect = (g_CurrentPaintManager.m_bIsWin2000OrLater && nBits > 8)
                ? GetEffectIcon() : NULL;
            if (hEffect != NULL)
                hIcon = hEffect;
            else
                nFlags |= DSS_MONO;
        }
        break;
    default:
        nFlags |= DSS_NORMAL;
        break;
    }
    return ::DrawStateA(hDC, hBrush, NULL, (LPARAM)hIcon, 0, pRect->left, pRect->top,
                        size.cx, size.cy, nFlags);
}

int CExtCmdIcon::Paint(CDC& dc, POINT pt, int nState, HBRUSH hBrush)
{
    SIZE size = GetSize();
    RECT rc = { pt.x, pt.y, pt.x + size.cx, pt.y + size.cy };
    return Paint(dc.GetSafeHdc(), &rc, nState, hBrush);
}

// Counts how often each colour occurs in the image (a monochrome icon's mask); answers the
// image's bits per pixel, 0 when it cannot be read.
int CExtCmdIcon::QueryImageInfo(ColorHistogram& mapColors)
{
    mapColors.RemoveAll();
    if (m_bitmap.m_hBitmap != NULL)
        return CExtPaintManager::GetBitmapColorHistogram(m_bitmap.m_hBitmap, mapColors);
    if (m_icon.m_hIcon == NULL)
        return 0;
    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    if (!::GetIconInfo(m_icon.m_hIcon, &ii))
        return 0;
    CBitmapHandleGuard colour(ii.hbmColor), mask(ii.hbmMask);
    return CExtPaintManager::GetBitmapColorHistogram(
        ii.hbmColor != NULL ? ii.hbmColor : ii.hbmMask, mapColors);
}

int CExtCmdIcon::GetBitsPerPixel() const
{
    if (m_bitmap.m_hBitmap != NULL)
        return GetBitmapBitsPerPixel(m_bitmap.m_hBitmap);
    if (m_icon.m_hIcon == NULL)
        return 0;
    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    if (!::GetIconInfo(m_icon.m_hIcon, &ii))
        return 0;
    CBitmapHandleGuard colour(ii.hbmColor), mask(ii.hbmMask);
    return (ii.hbmColor != NULL) ? GetBitmapBitsPerPixel(ii.hbmColor) : 1;
}

// Stretches the source with its transparent colour left out; the result keeps the
// source's form.
bool CExtCmdIcon::AssignScaled(const CExtCmdIcon& src, int cx, int cy)
{
    if (&src == this)
    {
        CExtCmdIcon copy(src);
        return AssignScaled(copy, cx, cy);
    }
    if (src.IsEmpty() || cx < 1 || cy < 1)
        return false;
    Empty();
    SIZE sizeSrc = src.GetSize();
    if (sizeSrc.cx == cx && sizeSrc.cy == cy)
    {
        AssignFrom(src);
        return !IsEmpty();
    }

    CBitmapHandleGuard source;
    COLORREF clrTransparent = 0;
    if (!const_cast<CExtCmdIcon&>(src).ExtractBitmap(source.Out(), &clrTransparent, NULL, NULL)
        || source.Get() == NULL)
        return false;
    SIZE sizeBmp = GetBitmapSize(source.Get());

    HDC hScreenDC = ::GetDC(NULL);
    CBitmapHandleGuard scaled(::CreateCompatibleBitmap(hScreenDC, cx, cy));
    HDC hDstDC = ::CreateCompatibleDC(hScreenDC);
    HDC hSrcDC = ::CreateCompatibleDC(hScreenDC);
    ::ReleaseDC(NULL, hScreenDC);
    if (scaled.Get() == NULL || hDstDC == NULL || hSrcDC == NULL)
    {
        if (hDstDC != NULL)
            ::DeleteDC(hDstDC);
        if (hSrcDC != NULL)
            ::DeleteDC(hSrcDC);
        return false;
    }
    HGDIOBJ hOldDst = ::SelectObject(hDstDC, scaled.Get());
    HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, source.Get());
    RECT rc = { 0, 0, cx, cy };
    HBRUSH hBrush = ::CreateSolidBrush(clrTransparent);
    ::FillRect(hDstDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    CExtPaintManager::TransparentBlit(hDstDC, 0, 0, cx, cy, hSrcDC, 0, 0, sizeBmp.cx,
                                      sizeBmp.cy, clrTransparent);
    ::SelectObject(hSrcDC, hOldSrc);
    ::SelectObject(hDstDC, hOldDst);
    ::DeleteDC(hSrcDC);
    ::DeleteDC(hDstDC);

    if (src.IsBitmapBased())
        AssignBitmap(scaled.Get(), clrTransparent, NULL, true);
    else
    {
        CExtCmdIcon temp;
        temp.AssignBitmap(scaled.Release(), clrTransparent, NULL, false);
        AssignHIcon(temp.DetachHIcon(true), false);
    }
    return !IsEmpty();
}

int CExtCmdIcon::GetEffectParameter() const
{
    return m_nEffectParameter;
}

void CExtCmdIcon::SetEffectParameter(int nParameter)
{
    if (m_nEffectParameter == nParameter)
        return;
    m_nEffectParameter = nParameter;
    FreeEffectIcon();
}

double CExtCmdIcon::GetEffectFactor() const
{
    return m_dEffectFactor;
}

void CExtCmdIcon::SetEffectFactor(double dFactor)
{
    if (m_dEffectFactor == dFactor)
        return;
    m_dEffectFactor = dFactor;
    FreeEffectIcon();
}

// Makes a 32-bit bitmap of a check mark or radio dot on a transparent colour that differs from the
// glyph's, for menu items that have no icon; ppBits gets its pixels.
bool CExtCmdIcon::CreateGlyphIcon(int nGlyph, COLORREF clrGlyph, COLORREF clrTransparent,
                                  int cx, int cy, COLORREF** ppBits)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    if (cx < 1 || cy < 1)
        return false;
    Empty();
    if (nGlyph != GLYPH_NONE && clrGlyph == (COLORREF)-1)
    {
        CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
        clrGlyph = (pPM != NULL) ? pPM->GetColor(1010) : ::GetSysColor(COLOR_BTNTEXT);
    }
    if (clrTransparent == (COLORREF)-1)
    {
        clrTransparent = (nGlyph != GLYPH_NONE && clrGlyph == RGB(255, 0, 255))
            ? RGB(128, 255, 128) : RGB(255, 0, 255);
    }

    DWORD* pBits = NULL;
    HBITMAP hBitmap = CreateDib32(cx, cy, &pBits);
    if (hBitmap == NULL)
        return false;
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
    {
        ::DeleteObject(hBitmap);
        return false;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    {
        CDC dc;
        dc.Attach(hDC);
        dc.FillSolidRect(0, 0, cx, cy, clrTransparent);
        int x = cx / 2 - 3, y = cy / 2 - 3;
        if (nGlyph == GLYPH_CHECK)
            CExtPaintManager::DrawCheckMark(dc, x, y, clrGlyph);
        else if (nGlyph == GLYPH_RADIO)
            CExtPaintManager::DrawEllipseDot(dc, x, y, clrGlyph);
        dc.Detach();
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::GdiFlush();

    AssignBitmap(hBitmap, clrTransparent, NULL, false);
    if (ppBits != NULL)
        *ppBits = (COLORREF*)pBits;
    return true;
}

bool CExtCmdIcon::CreateCheckMarkIcon(COLORREF clrGlyph, COLORREF clrTransparent, int cx, int cy,
                                      COLORREF** ppBits)
{
    return CreateGlyphIcon(GLYPH_CHECK, clrGlyph, clrTransparent, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateRadioDotIcon(COLORREF clrGlyph, COLORREF clrTransparent, int cx, int cy,
                                     COLORREF** ppBits)
{
    return CreateGlyphIcon(GLYPH_RADIO, clrGlyph, clrTransparent, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateEmptyIcon(COLORREF clrTransparent, int cx, int cy, COLORREF** ppBits)
{
    return CreateGlyphIcon(GLYPH_NONE, (COLORREF)-1, clrTransparent, cx, cy, ppBits);
}

/////////////////////////////////////////////////////////////////////////////
// CExtMouseCaptureSink

void CExtMouseCaptureSink::SetMouseCapture(HWND hWnd)
{
    ::SetCapture(hWnd);
}
