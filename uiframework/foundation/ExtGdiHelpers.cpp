// ExtGdiHelpers.cpp - static GDI helpers of the paint manager and glyph matrices.

#include "stdafx.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"

#include <math.h>
#include <vector>

int CExtPaintManager::g_nForcedScreenColorDepth = 0;

namespace
{

// COLORREF of a DIB pixel (0x00RRGGBB) and back.
inline COLORREF DibToColor(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

inline DWORD ColorToDib(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// Whether every channel of clr lies in key .. min(key + range, 255).
bool InKeyRange(COLORREF clr, COLORREF clrKey, COLORREF clrRange)
{
    int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    int kr = GetRValue(clrKey), kg = GetGValue(clrKey), kb = GetBValue(clrKey);
    int hr = kr + GetRValue(clrRange), hg = kg + GetGValue(clrRange), hb = kb + GetBValue(clrRange);
    if (hr > 255)
        hr = 255;
    if (hg > 255)
        hg = 255;
    if (hb > 255)
        hb = 255;
    return r >= kr && r <= hr && g >= kg && g <= hg && b >= kb && b <= hb;
}

// Moves one HLS component by its delta: up toward 1 or down toward 0.
double AdjustComponent(double x, double d)
{
    if (d > 0.0)
        return x + d * (1.0 - x);
    if (d < 0.0)
        return x * (1.0 + d);
    return x;
}

double HueValue(double m1, double m2, double h)
{
    if (h < 0.0)
        h += 1.0;
    if (h > 1.0)
        h -= 1.0;
    if (6.0 * h < 1.0)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1.0)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
    return m1;
}

// A bottom-up 32-bit DIB section of cx x cy; NULL when it cannot be made.
HBITMAP CreateDib32(int cx, int cy, COLORREF** ppBits)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    if (cx <= 0 || cy <= 0)
        return NULL;
    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = (DWORD)cx * (DWORD)cy * 4;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (const BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits,
                                         NULL, 0);
    if (hBitmap != NULL && pBits == NULL)
    {
        ::DeleteObject(hBitmap);
        return NULL;
    }
    if (ppBits != NULL)
        *ppBits = (COLORREF*)pBits;
    return hBitmap;
}

// Size of a bitmap handle; FALSE when it is not a bitmap.
bool GetBitmapSize(HBITMAP hBitmap, BITMAP* pbm)
{
    return hBitmap != NULL && ::GetObject(hBitmap, sizeof(BITMAP), pbm) == sizeof(BITMAP);
}

// Colour-table entries that follow a DIB header.
DWORD DibColorTableEntries(const BITMAPINFOHEADER& bih)
{
    if (bih.biBitCount <= 8)
        return bih.biClrUsed != 0 ? bih.biClrUsed : (1u << bih.biBitCount);
    return bih.biClrUsed;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// GlyphMatrix_t

CExtPaintManager::GlyphMatrix_t::GlyphMatrix_t()
    : m_nWidth(0), m_nHeight(0), m_nColors(0), m_pData(NULL), m_bOwnsData(false)
{
}

CExtPaintManager::GlyphMatrix_t::GlyphMatrix_t(int nWidth, int nHeight, int nColors,
                                               const UINT* pData)
    : m_nWidth(0), m_nHeight(0), m_nColors(0), m_pData(NULL), m_bOwnsData(false)
{
    LoadFrom(nWidth, nHeight, nColors, pData);
}

CExtPaintManager::GlyphMatrix_t::GlyphMatrix_t(const GlyphMatrix_t& other, int nRotateDegrees)
    : m_nWidth(0), m_nHeight(0), m_nColors(0), m_pData(NULL), m_bOwnsData(false)
{
    LoadFrom(other.m_nWidth, other.m_nHeight, other.m_nColors, other.m_pData);
    Rotate(nRotateDegrees);
}

CExtPaintManager::GlyphMatrix_t::~GlyphMatrix_t()
{
    Empty();
}

void CExtPaintManager::GlyphMatrix_t::Empty()
{
    if (m_bOwnsData)
        delete[] m_pData;
    m_pData = NULL;
    m_bOwnsData = false;
    m_nWidth = m_nHeight = m_nColors = 0;
}

// Takes a copy of a glyph's colour indexes; false for a negative size.
bool CExtPaintManager::GlyphMatrix_t::LoadFrom(int nWidth, int nHeight, int nColors,
                                               const UINT* pData)
{
    Empty();
    if (nWidth < 0 || nHeight < 0)
        return false;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nColors = nColors;
    if (pData == NULL || nWidth == 0 || nHeight == 0)
        return true;
    size_t nCount = (size_t)nWidth * (size_t)nHeight;
    m_pData = new UINT[nCount];
    memcpy(m_pData, pData, nCount * sizeof(UINT));
    m_bOwnsData = true;
    return true;
}

// Turns the matrix clockwise; the result replaces the indexes in place.
void CExtPaintManager::GlyphMatrix_t::Rotate(int nDegrees)
{
    nDegrees %= 360;
    if (nDegrees < 0)
        nDegrees += 360;
    if (nDegrees == 0 || m_pData == NULL)
        return;
    if (nDegrees != 90 && nDegrees != 180 && nDegrees != 270)
        return;
    const int W = m_nWidth, H = m_nHeight;
    std::vector<UINT> src(m_pData, m_pData + (size_t)W * H);
    if (!m_bOwnsData)
    {
        m_pData = new UINT[(size_t)W * H];
        m_bOwnsData = true;
    }
    for (int i = 0; i < H; i++)
        for (int j = 0; j < W; j++)
        {
            UINT v = src[(size_t)i * W + j];
            switch (nDegrees)
            {
            case 90:    // (i, j) -> (j, H - 1 - i), new width H
                m_pData[(size_t)j * H + (H - 1 - i)] = v;
                break;
            case 180:
                m_pData[(size_t)(H - 1 - i) * W + (W - 1 - j)] = v;
                break;
            default:    // 270: (i, j) -> (W - 1 - j, i), new width H
                m_pData[(size_t)(W - 1 - j) * H + i] = v;
                break;
            }
        }
    if (nDegrees != 180)
    {
        m_nWidth = H;
        m_nHeight = W;
    }
}

UINT CExtPaintManager::GlyphMatrix_t::GetColorIndexAt(int x, int y) const
{
    if (m_pData == NULL || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    return m_pData[(size_t)y * m_nWidth + x];
}

// Non-zero indexes as pixels; nothing when the clip box misses the glyph.
void CExtPaintManager::DrawGlyph(CDC& dc, int x, int y, const GlyphMatrix_t& glyph,
                                 const COLORREF* pColorValues)
{
    if (glyph.m_pData == NULL || pColorValues == NULL || dc.GetSafeHdc() == NULL)
        return;
    CRect rcClip, rcGlyph(x, y, x + glyph.m_nWidth, y + glyph.m_nHeight), rcTest;
    if (dc.GetClipBox(&rcClip) == ERROR || !rcTest.IntersectRect(&rcClip, &rcGlyph))
        return;
    for (int row = 0; row < glyph.m_nHeight; row++)
        for (int col = 0; col < glyph.m_nWidth; col++)
        {
            UINT nIndex = glyph.m_pData[(size_t)row * glyph.m_nWidth + col];
            if (nIndex == 0 || (int)nIndex >= glyph.m_nColors)
                continue;
            dc.SetPixelV(x + col, y + row, pColorValues[nIndex]);
        }
}

void CExtPaintManager::DrawGlyphCentered(CDC& dc, const RECT& rc, const GlyphMatrix_t& glyph,
                                         const COLORREF* pColorValues)
{
    CRect r(rc);
    r.NormalizeRect();
    if (r.IsRectEmpty())
        return;
    DrawGlyph(dc, r.left + (r.Width() - glyph.m_nWidth) / 2,
              r.top + (r.Height() - glyph.m_nHeight) / 2, glyph, pColorValues);
}

/////////////////////////////////////////////////////////////////////////////
// Colour space

void CExtPaintManager::RGBtoHLS(COLORREF clr, double* pH, double* pL, double* pS)
{
    double r = GetRValue(clr) / 255.0, g = GetGValue(clr) / 255.0, b = GetBValue(clr) / 255.0;
    double dMax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    double dMin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    double L = (dMax + dMin) / 2.0, S = 0.0, H = 0.0;
    if (dMax != dMin)
    {
        double d = dMax - dMin;
        S = L < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
        if (r == dMax)
            H = (g - b) / d;
        else if (g == dMax)
            H = 2.0 + (b - r) / d;
        else
            H = 4.0 + (r - g) / d;
        H /= 6.0;
        if (H < 0.0)
            H += 1.0;
    }
    *pH = H;
    *pL = L;
    *pS = S;
}

COLORREF CExtPaintManager::HLStoRGB(double H, double L, double S)
{
    if (S == 0.0)
    {
        int v = (int)(L * 255.0);
        return RGB(v, v, v);
    }
    double m2 = L <= 0.5 ? L * (1.0 + S) : L + S - L * S;
    double m1 = 2.0 * L - m2;
    int r = (int)(HueValue(m1, m2, H + 1.0 / 3.0) * 255.0);
    int g = (int)(HueValue(m1, m2, H) * 255.0);
    int b = (int)(HueValue(m1, m2, H - 1.0 / 3.0) * 255.0);
    return RGB(r, g, b);
}

COLORREF CExtPaintManager::HLSAdjustColor(COLORREF clr, double dH, double dL, double dS)
{
    double H, L, S;
    RGBtoHLS(clr, &H, &L, &S);
    return HLStoRGB(AdjustComponent(H, dH), AdjustComponent(L, dL), AdjustComponent(S, dS));
}

// Bits per pixel of what a DC draws on: the selected bitmap of a memory DC, else the device.
int CExtPaintManager::GetDCColorDepth(HDC hDC)
{
    if (hDC == NULL)
        return 0;
    if (::GetObjectType(hDC) == OBJ_MEMDC)
    {
        BITMAP bm;
        HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
        if (hBitmap != NULL && ::GetObject(hBitmap, sizeof(bm), &bm) == sizeof(bm))
            return bm.bmBitsPixel * bm.bmPlanes;
    }
    return ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
}

int CExtPaintManager::GetScreenColorDepth()
{
    if (g_nForcedScreenColorDepth > 0)
        return g_nForcedScreenColorDepth;
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return 32;
    int nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
    ::ReleaseDC(NULL, hDC);
    return nBits;
}

/////////////////////////////////////////////////////////////////////////////
// Text, messages, windows and monitors

CRect CExtPaintManager::MeasureTextRect(CDC& dc, HFONT hFont, LPCTSTR sText)
{
    CRect rc(0, 0, 0, 0);
    if (sText == NULL || dc.GetSafeHdc() == NULL)
        return rc;
    UINT nFlags = DT_CALCRECT | DT_SINGLELINE;
    if (strchr(sText, '\t') != NULL)
        nFlags |= DT_EXPANDTABS;
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
    ::DrawText(dc.GetSafeHdc(), sText, -1, &rc, nFlags);
    if (hOld != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOld);
    rc.OffsetRect(-rc.left, -rc.top);
    return rc;
}

// Dispatches the pending paint messages of the thread at once.
void CExtPaintManager::PumpPaintMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint)
{
    const UINT messages[3] = { WM_NCPAINT, WM_ERASEBKGND, WM_PAINT };
    const bool wanted[3] = { bNcPaint, bEraseBkgnd, bPaint };
    for (int i = 0; i < 3; i++)
    {
        if (!wanted[i])
            continue;
        MSG msg;
        while (::PeekMessage(&msg, NULL, messages[i], messages[i], PM_NOREMOVE))
        {
            if (::GetMessage(&msg, NULL, messages[i], messages[i]) <= 0)
                break;
            ::DispatchMessage(&msg);
        }
    }
}

// Clips the visible child windows out of a DC, those the callback accepts, so the parent does not paint over them.
void CExtPaintManager::ExcludeChildAreas(HDC hDC, HWND hWndParent,
                                         pfnExcludeChildAreaCallback pCallback, LPARAM lParam)
{
    if (hDC == NULL || hWndParent == NULL || !::IsWindow(hWndParent))
        return;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hWnd) || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            continue;
        RECT rc;
        if (!::GetWindowRect(hWnd, &rc))
            continue;
        POINT pts[2] = { { rc.left, rc.top }, { rc.right, rc.bottom } };
        if (!::ScreenToClient(hWndParent, &pts[0]) || !::ScreenToClient(hWndParent, &pts[1]))
            continue;
        if (pCallback != NULL && pCallback(hDC, hWndParent, hWnd, lParam))
            continue;
        ::ExcludeClipRect(hDC, pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    }
}

namespace
{

void FillMonitorInfo(CExtPaintManager::MonitorInfo_t& mi, HMONITOR hMonitor)
{
    MONITORINFO info;
    info.cbSize = sizeof(info);
    if (hMonitor != NULL && ::GetMonitorInfo(hMonitor, &info))
    {
        mi.m_rcMonitor = info.rcMonitor;
        mi.m_rcWorkArea = info.rcWork;
        mi.m_bPrimary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        return;
    }
    RECT rc;
    ::GetWindowRect(::GetDesktopWindow(), &rc);
    mi.m_rcMonitor = rc;
    if (!::SystemParametersInfo(SPI_GETWORKAREA, 0, &rc, 0))
        ::GetWindowRect(::GetDesktopWindow(), &rc);
    mi.m_rcWorkArea = rc;
    mi.m_bPrimary = true;
}

} // namespace

void CExtPaintManager::GetMonitorInfoByPoint(MonitorInfo_t& mi, const POINT& pt)
{
    FillMonitorInfo(mi, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetMonitorInfoByRect(MonitorInfo_t& mi, const RECT& rc)
{
    FillMonitorInfo(mi, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetMonitorInfoByWindow(MonitorInfo_t& mi, CWnd* pWnd)
{
    RECT rc = { 0, 0, 0, 0 };
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    GetMonitorInfoByRect(mi, rc);
}

// Brings a rectangle that lies wholly outside the monitor back to its edge; the second
// pass pulls in one that only sticks out.
CRect CExtPaintManager::AlignRectToMonitor(const RECT& rcIn, bool bUseWorkArea, bool bSecondPass)
{
    CRect rc(rcIn);
    MonitorInfo_t mi;
    GetMonitorInfoByRect(mi, rc);
    const CRect& area = bUseWorkArea ? mi.m_rcWorkArea : mi.m_rcMonitor;
    if (rc.left >= area.right)
        rc.OffsetRect(area.right - rc.right, 0);
    if (rc.top >= area.bottom)
        rc.OffsetRect(0, area.bottom - rc.bottom);
    if (rc.right <= area.left)
        rc.OffsetRect(area.left - rc.left, 0);
    if (rc.bottom <= area.top)
        rc.OffsetRect(0, area.top - rc.top);
    if (bSecondPass)
    {
        if (rc.right > area.right)
            rc.OffsetRect(area.right - rc.right, 0);
        if (rc.bottom > area.bottom)
            rc.OffsetRect(0, area.bottom - rc.bottom);
        if (rc.left < area.left)
            rc.OffsetRect(area.left - rc.left, 0);
        if (rc.top < area.top)
            rc.OffsetRect(0, area.top - rc.top);
    }
    return rc;
}

namespace
{

int CALLBACK FindFontFamilyProc(const LOGFONT* /*plf*/, const TEXTMETRIC* /*ptm*/,
                                DWORD /*dwType*/, LPARAM lParam)
{
    *(bool*)lParam = true;
    return 0;
}

// Whether a font family of that name is installed (case-insensitive).
bool IsFontFamilyInstalled(HDC hDC, LPCTSTR pszFace)
{
    LOGFONT lf;
    ::ZeroMemory(&lf, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, pszFace, LF_FACESIZE);
    bool bFound = false;
    ::EnumFontFamiliesEx(hDC, &lf, FindFontFamilyProc, (LPARAM)&bFound, 0);
    return bFound;
}

} // namespace

// The menu font of the non-client metrics in the screen's character set.
HFONT CExtPaintManager::CreateIconTitleFont(bool bPreferTahoma)
{
    NONCLIENTMETRICS ncm;
    ::ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return NULL;
    LOGFONT lf = ncm.lfMenuFont;
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        lf.lfCharSet = (BYTE)::GetTextCharset(hDC);
        if (bPreferTahoma && IsFontFamilyInstalled(hDC, _T("Tahoma")))
            lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
        ::ReleaseDC(NULL, hDC);
    }
    return ::CreateFontIndirect(&lf);
}

/////////////////////////////////////////////////////////////////////////////
// Bitmaps and gradients

HBITMAP CExtPaintManager::CreateDitherBitmap(COLORREF clr1, COLORREF clr2, int nMaskX,
                                             int nMaskY, int nLineX, int nLineY,
                                             COLORREF clrLine)
{
    if (clr1 == (COLORREF)-1)
        clr1 = ::GetSysColor(COLOR_3DFACE);
    if (clr2 == (COLORREF)-1)
        clr2 = ::GetSysColor(COLOR_3DHILIGHT);
    if (clrLine == (COLORREF)-1)
        clrLine = clr1;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL || hDC == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        if (hDC != NULL)
            ::DeleteDC(hDC);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
        {
            COLORREF clr;
            if ((x & nLineX) != 0 || (y & nLineY) != 0)
                clr = clrLine;
            else if ((y & nMaskY) != 0 ? (x & nMaskX) != 0 : (x & nMaskX) == 0)
                clr = clr1;
            else
                clr = clr2;
            ::SetPixelV(hDC, x, y, clr);
        }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// Fills a rectangle with a two-colour gradient, through GradientFill where the system has it, else in bands.
void CExtPaintManager::GradientFillRect(CDC& dc, const RECT& rcIn, COLORREF clrA,
                                        COLORREF clrB, bool bVertical, UINT nMaxBands)
{
    if (dc.GetSafeHdc() == NULL)
        return;
    CRect rc(rcIn);
    if (g_CurrentPaintManager.m_bIsWinNT && g_CurrentPaintManager.m_pfnGradientFill != NULL)
    {
        COLORREF clrFirst = bVertical ? clrB : clrA, clrSecond = bVertical ? clrA : clrB;
        TRIVERTEX vert[2];
        vert[0].x = rc.left;
        vert[0].y = rc.top;
        vert[0].Red = (COLOR16)(GetRValue(clrFirst) << 8);
        vert[0].Green = (COLOR16)(GetGValue(clrFirst) << 8);
        vert[0].Blue = (COLOR16)(GetBValue(clrFirst) << 8);
        vert[0].Alpha = 0;
        vert[1].x = rc.right;
        vert[1].y = rc.bottom;
        vert[1].Red = (COLOR16)(GetRValue(clrSecond) << 8);
        vert[1].Green = (COLOR16)(GetGValue(clrSecond) << 8);
        vert[1].Blue = (COLOR16)(GetBValue(clrSecond) << 8);
        vert[1].Alpha = 0;
        GRADIENT_RECT gRect = { 0, 1 };
        g_CurrentPaintManager.m_pfnGradientFill(dc.GetSafeHdc(), vert, 2, &gRect, 1,
                                                bVertical ? GRADIENT_FILL_RECT_V
                                                          : GRADIENT_FILL_RECT_H);
        return;
    }

    if (rc.IsRectEmpty() || rc.left > rc.right || rc.top > rc.bottom)
        return;
    int nSize = bVertical ? rc.Height() : rc.Width();
    int n = (int)nMaxBands < nSize ? (int)nMaxBands : nSize;
    if (n > 0 && GetDCColorDepth(dc.GetSafeHdc()) <= 8 && nSize / n < 4)
        n = nSize / 4;
    if (n <= 0)
        return;
    const bool bDeepScreen = GetScreenColorDepth() > 8;
    for (int i = 0; i < n; i++)
    {
        COLORREF clr = RGB((GetRValue(clrA) * (n - i) + GetRValue(clrB) * i) / n,
                           (GetGValue(clrA) * (n - i) + GetGValue(clrB) * i) / n,
                           (GetBValue(clrA) * (n - i) + GetBValue(clrB) * i) / n);
        CRect rcBand(rc);
        if (!bVertical)
        {
            rcBand.left = rc.left + ::MulDiv(i, nSize, n);
            rcBand.right = (i == n - 1) ? rc.right : rc.left + ::MulDiv(i + 1, nSize, n) + 1;
        }
        else
        {
            rcBand.bottom = rc.bottom - ::MulDiv(i, nSize, n);
            rcBand.top = (i == n - 1) ? rc.top : rc.bottom - ::MulDiv(i + 1, nSize, n) - 1;
        }
        if (bDeepScreen)
            dc.FillSolidRect(&rcBand, clr);
        else
        {
            HBRUSH hBrush = ::CreateSolidBrush(clr);
            if (hBrush != NULL)
            {
                ::FillRect(dc.GetSafeHdc(), &rcBand, hBrush);
                ::DeleteObject(hBrush);
            }
        }
    }
}

// Fills a gradient of three colours, split at nNumerator/nDenominator of the rectangle.
void CExtPaintManager::GradientFillTwoPart(CDC& dc, const RECT& rcIn, COLORREF clr1,
                                           COLORREF clr2, COLORREF clr3, bool bVertical,
                                           int nNumerator, int nDenominator, UINT nMaxBands)
{
    CRect rc(rcIn);
    if (nDenominator == 0)
        return;
    CRect rc1(rc), rc2(rc);
    if (!bVertical)
    {
        int nSplit = rc.left + ::MulDiv(rc.Width(), nNumerator, nDenominator);
        rc1.right = rc2.left = nSplit;
        GradientFillRect(dc, rc1, clr1, clr2, false, nMaxBands);
        GradientFillRect(dc, rc2, clr2, clr3, false, nMaxBands);
    }
    else
    {
        // Vertical gradients end with their first colour at the bottom.
        int nSplit = rc.top + ::MulDiv(rc.Height(), nNumerator, nDenominator);
        rc1.bottom = rc2.top = nSplit;
        GradientFillRect(dc, rc1, clr2, clr1, true, nMaxBands);
        GradientFillRect(dc, rc2, clr3, clr2, true, nMaxBands);
    }
}

// A copy of part of a bitmap (32-bit with its pixels when asked for them); NULL if it cannot be read.
HBITMAP CExtPaintManager::CopyBitmapRect(HBITMAP hBitmap, const RECT* pRect, COLORREF** ppBits)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    BITMAP bm;
    if (!GetBitmapSize(hBitmap, &bm))
        return NULL;
    CRect rcPart(0, 0, bm.bmWidth, bm.bmHeight);
    if (pRect != NULL)
        rcPart = *pRect;
    rcPart.NormalizeRect();
    if (rcPart.IsRectEmpty())
        return NULL;
    HDC hScreen = ::GetDC(NULL);
    HDC hSrcDC = ::CreateCompatibleDC(hScreen);
    HDC hDstDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hCopy = NULL;
    if (ppBits != NULL)
        hCopy = CreateDib32(rcPart.Width(), rcPart.Height(), ppBits);
    else
        hCopy = ::CreateCompatibleBitmap(hScreen, rcPart.Width(), rcPart.Height());
    ::ReleaseDC(NULL, hScreen);
    // A bitmap that is selected into another DC cannot be read: no copy then.
    HGDIOBJ hOldSrc = (hSrcDC != NULL && hDstDC != NULL && hCopy != NULL)
        ? ::SelectObject(hSrcDC, hBitmap) : NULL;
    if (hOldSrc != NULL)
    {
        HGDIOBJ hOldDst = ::SelectObject(hDstDC, hCopy);
        ::BitBlt(hDstDC, 0, 0, rcPart.Width(), rcPart.Height(), hSrcDC, rcPart.left, rcPart.top,
                 SRCCOPY);
        ::SelectObject(hSrcDC, hOldSrc);
        ::SelectObject(hDstDC, hOldDst);
        ::GdiFlush();
    }
    else if (hCopy != NULL)
    {
        ::DeleteObject(hCopy);
        hCopy = NULL;
        if (ppBits != NULL)
            *ppBits = NULL;
    }
    if (hSrcDC != NULL)
        ::DeleteDC(hSrcDC);
    if (hDstDC != NULL)
        ::DeleteDC(hDstDC);
    return hCopy;
}

// Packed DIB of a bitmap in global memory: header, colour table, bits.
HGLOBAL CExtPaintManager::GetBitmapDIB(HBITMAP hBitmap, HPALETTE hPalette)
{
    BITMAP bm;
    if (!GetBitmapSize(hBitmap, &bm))
        return NULL;
    if (hPalette == NULL)
        hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)(bm.bmPlanes * bm.bmBitsPixel);
    bih.biCompression = BI_RGB;
    DWORD nColors = bih.biBitCount <= 8 ? (1u << bih.biBitCount) : 0;
    DWORD dwStride = (((DWORD)bih.biWidth * bih.biBitCount + 31) / 32) * 4;
    bih.biSizeImage = dwStride * (DWORD)bih.biHeight;
    SIZE_T nBlock = sizeof(bih) + nColors * sizeof(RGBQUAD) + bih.biSizeImage;

    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBlock);
    if (hDIB == NULL)
        return NULL;
    BYTE* pBlock = (BYTE*)::GlobalLock(hDIB);
    if (pBlock == NULL)
    {
        ::GlobalFree(hDIB);
        return NULL;
    }
    memcpy(pBlock, &bih, sizeof(bih));
    HDC hDC = ::GetDC(NULL);
    HPALETTE hOldPal = ::SelectPalette(hDC, hPalette, FALSE);
    ::RealizePalette(hDC);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight,
                             pBlock + sizeof(bih) + nColors * sizeof(RGBQUAD),
                             (BITMAPINFO*)pBlock, DIB_RGB_COLORS);
    ::SelectPalette(hDC, hOldPal, FALSE);
    ::ReleaseDC(NULL, hDC);
    // GetDIBits may rewrite the header; keep the layout the block was sized for.
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)pBlock;
    pHeader->biSizeImage = bih.biSizeImage;
    pHeader->biClrUsed = 0;
    ::GlobalUnlock(hDIB);
    if (nLines == 0)
    {
        ::GlobalFree(hDIB);
        return NULL;
    }
    return hDIB;
}

// A standard BMP file: 14-byte file header, then the packed DIB.
bool CExtPaintManager::LoadBitmapFromArchive(CArchive& ar, HBITMAP* phBitmap, DWORD dwSize)
{
    if (phBitmap == NULL)
        return false;
    if (ar.IsStoring())
    {
        HGLOBAL hDIB = GetBitmapDIB(*phBitmap);
        if (hDIB == NULL)
            return false;
        const BYTE* pBlock = (const BYTE*)::GlobalLock(hDIB);
        const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)pBlock;
        DWORD nColors = pHeader->biBitCount <= 8 ? (1u << pHeader->biBitCount) : 0;
        DWORD dwBlock = pHeader->biSize + nColors * sizeof(RGBQUAD) + pHeader->biSizeImage;
        BITMAPFILEHEADER bfh;
        bfh.bfType = 0x4D42;    // "BM"
        bfh.bfSize = (DWORD)sizeof(BITMAPFILEHEADER) + dwBlock;
        bfh.bfReserved1 = bfh.bfReserved2 = 0;
        bfh.bfOffBits = (DWORD)sizeof(BITMAPFILEHEADER) + pHeader->biSize
            + nColors * sizeof(RGBQUAD);
        ar.Write(&bfh, sizeof(bfh));
        ar.Write(pBlock, dwBlock);
        ::GlobalUnlock(hDIB);
        ::GlobalFree(hDIB);
        return true;
    }

    if (dwSize == 0)
    {
        BITMAPFILEHEADER bfh;
        if (ar.Read(&bfh, sizeof(bfh)) != sizeof(bfh))
            return false;
        if (bfh.bfType != 0x4D42 || bfh.bfSize <= sizeof(bfh))
            return false;
        dwSize = bfh.bfSize - (DWORD)sizeof(bfh);
    }
    if (dwSize < sizeof(BITMAPINFOHEADER))
        return false;
    // A size beyond the data is a damaged header: nothing is allocated for it.
    ULONGLONG nRemaining = ar.GetRemainingBytes();
    if (nRemaining != ULLONG_MAX && (ULONGLONG)dwSize > nRemaining)
        return false;

    HGLOBAL hBlock = ::GlobalAlloc(GMEM_FIXED, dwSize);
    if (hBlock == NULL)
        return false;
    BYTE* pBlock = (BYTE*)hBlock;
    bool bResult = false;
    if (ar.Read(pBlock, dwSize) == dwSize)
    {
        const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)pBlock;
        if (pHeader->biSize >= sizeof(BITMAPINFOHEADER) && pHeader->biSize <= dwSize
            && pHeader->biWidth > 0 && pHeader->biHeight != 0 && pHeader->biPlanes == 1
            && pHeader->biBitCount >= 1 && pHeader->biBitCount <= 32
            && (pHeader->biCompression == BI_RGB || pHeader->biCompression == BI_BITFIELDS))
        {
            DWORD nColors = DibColorTableEntries(*pHeader);
            DWORD dwMasks = (pHeader->biCompression == BI_BITFIELDS
                             && pHeader->biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
            ULONGLONG nOffset = (ULONGLONG)pHeader->biSize + dwMasks
                + (ULONGLONG)nColors * sizeof(RGBQUAD);
            LONG nHeight = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
            ULONGLONG nStride = (((ULONGLONG)pHeader->biWidth * pHeader->biBitCount + 31) / 32) * 4;
            ULONGLONG nImage = nStride * (ULONGLONG)nHeight;
            if (nColors <= 256 && nOffset + nImage <= dwSize)
            {
                void* pBits = NULL;
                HBITMAP hBitmap = ::CreateDIBSection(NULL, (const BITMAPINFO*)pBlock,
                                                     DIB_RGB_COLORS, &pBits, NULL, 0);
                if (hBitmap != NULL && pBits != NULL)
                {
                    memcpy(pBits, pBlock + nOffset, (size_t)nImage);
                    ::GdiFlush();
                    *phBitmap = hBitmap;
                    bResult = true;
                }
                else if (hBitmap != NULL)
                    ::DeleteObject(hBitmap);
            }
        }
    }
    ::GlobalFree(hBlock);
    return bResult;
}

// Loads a bitmap from a BITMAP resource; NULL if missing or damaged.
HBITMAP CExtPaintManager::LoadBitmapFromResource(HINSTANCE hInst, HRSRC hRsrc)
{
    if (hRsrc == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    if (pData == NULL || dwSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    try
    {
        CMemFile file(1024);
        file.Write(pData, dwSize);
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        if (!LoadBitmapFromArchive(ar, &hBitmap, dwSize))
            hBitmap = NULL;
        ar.Close();
    }
    catch (CException* pException)
    {
        pException->Delete();
        hBitmap = NULL;
    }
    return hBitmap;
}

// Loads a bitmap from a BMP file image in memory; NULL if damaged.
HBITMAP CExtPaintManager::LoadBitmapFromMemory(const BYTE* pData, DWORD dwSize)
{
    if (pData == NULL || dwSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    try
    {
        CMemFile file(const_cast<BYTE*>(pData), dwSize, 0);
        CArchive ar(&file, CArchive::load, 4096);
        if (!LoadBitmapFromArchive(ar, &hBitmap, 0))
            hBitmap = NULL;
        ar.Close();
        file.Detach();
    }
    catch (CException* pException)
    {
        pException->Delete();
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    catch (...)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    return hBitmap;
}

// Copy whose pixels outside the key range are moved in hue, lightness and saturation.
HBITMAP CExtPaintManager::AdjustBitmapColors(HBITMAP hBitmap, COLORREF clrKey,
                                             COLORREF clrRange, double dH, double dL, double dS)
{
    COLORREF* pBits = NULL;
    HBITMAP hCopy = CopyBitmapRect(hBitmap, NULL, &pBits);
    if (hCopy == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hCopy, sizeof(bm), &bm);
    size_t nCount = (size_t)bm.bmWidth * (size_t)bm.bmHeight;
    for (size_t i = 0; i < nCount; i++)
    {
        COLORREF clr = DibToColor(pBits[i]);
        if (InKeyRange(clr, clrKey, clrRange))
            continue;
        pBits[i] = ColorToDib(HLSAdjustColor(clr, dH, dL, dS));
    }
    ::GdiFlush();
    return hCopy;
}

// Shifts the hue, lightness and saturation of a bitmap's colours, replacing the bitmap.
bool CExtPaintManager::AdjustBitmapColorsInPlace(CBitmap* pBitmap, COLORREF clrKey,
                                                 COLORREF clrRange, double dH, double dL,
                                                 double dS)
{
    if (dH == 0.0 && dL == 0.0 && dS == 0.0)
        return true;
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return false;
    HBITMAP hNew = AdjustBitmapColors((HBITMAP)pBitmap->GetSafeHandle(), clrKey, clrRange, dH,
                                      dL, dS);
    if (hNew == NULL)
        return false;
    pBitmap->DeleteObject();
    pBitmap->Attach(hNew);
    return true;
}

void CExtPaintManager::AdjustIconLightness(int nKind, CBitmap* pBmpNormal,
                                           COLORREF clrKeyNormal, CBitmap* pBmpHot,
                                           COLORREF clrKeyHot)
{
    if (nKind == 4)
        return;
    if (GetScreenColorDepth() > 8)
    {
        AdjustBitmapColorsInPlace(pBmpHot, clrKeyHot, 0, 0.0, 0.35, 0.0);
        return;
    }
    AdjustBitmapColorsInPlace(pBmpHot, clrKeyHot, 0, 0.0, 0.3, -1.0);
    AdjustBitmapColorsInPlace(pBmpNormal, clrKeyNormal, 0, 0.0, -0.15, -1.0);
}

// Region of every pixel outside the key range, built row by row from runs.
HRGN CExtPaintManager::CreateRegionFromBitmap(HBITMAP hBitmap, COLORREF clrKey,
                                              COLORREF clrRange)
{
    COLORREF* pBits = NULL;
    HBITMAP hCopy = CopyBitmapRect(hBitmap, NULL, &pBits);
    if (hCopy == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hCopy, sizeof(bm), &bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight;

    const DWORD nBlockMax = 2000, nGrowBy = 200;
    DWORD nAllocated = nGrowBy;
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + sizeof(RECT) * nAllocated);
    RGNDATA* pData = (RGNDATA*)buffer.data();
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = 0;
    pData->rdh.nRgnSize = 0;
    ::SetRect(&pData->rdh.rcBound, MAXLONG, MAXLONG, 0, 0);

    HRGN hResult = NULL;
    bool bFailed = false;
    // Turns the collected rectangles into a region OR-ed into the result.
    auto flush = [&]() {
        HRGN hPart = ::ExtCreateRegion(NULL, (DWORD)(sizeof(RGNDATAHEADER)
                                                     + sizeof(RECT) * pData->rdh.nCount),
                                       pData);
        if (hPart == NULL)
        {
            bFailed = true;
            return;
        }
        if (hResult == NULL)
            hResult = hPart;
        else
        {
            ::CombineRgn(hResult, hResult, hPart, RGN_OR);
            ::DeleteObject(hPart);
        }
        pData->rdh.nCount = 0;
        ::SetRect(&pData->rdh.rcBound, MAXLONG, MAXLONG, 0, 0);
    };

    for (int y = 0; y < cy && !bFailed; y++)
    {
        const COLORREF* pRow = pBits + (size_t)(cy - 1 - y) * cx;   // bottom-up rows
        for (int x = 0; x < cx; x++)
        {
            if (InKeyRange(DibToColor(pRow[x]), clrKey, clrRange))
                continue;
            int x0 = x;
            while (x + 1 < cx && !InKeyRange(DibToColor(pRow[x + 1]), clrKey, clrRange))
                x++;
            if (pData->rdh.nCount >= nAllocated)
            {
                nAllocated += nGrowBy;
                buffer.resize(sizeof(RGNDATAHEADER) + sizeof(RECT) * nAllocated);
                pData = (RGNDATA*)buffer.data();
            }
            RECT* pRects = (RECT*)pData->Buffer;
            ::SetRect(&pRects[pData->rdh.nCount], x0, y, x + 1, y + 1);
            RECT& rcBound = pData->rdh.rcBound;
            if (x0 < rcBound.left)
                rcBound.left = x0;
            if (y < rcBound.top)
                rcBound.top = y;
            if (x + 1 > rcBound.right)
                rcBound.right = x + 1;
            if (y + 1 > rcBound.bottom)
                rcBound.bottom = y + 1;
            pData->rdh.nCount++;
            if (pData->rdh.nCount == nBlockMax)
            {
                flush();
                if (bFailed)
                    break;
            }
        }
    }
    if (!bFailed && (pData->rdh.nCount > 0 || hResult == NULL))
    {
        if (pData->rdh.nCount == 0)
            ::SetRectEmpty(&pData->rdh.rcBound);
        flush();
    }
    ::DeleteObject(hCopy);
    if (bFailed && hResult != NULL)
    {
        ::DeleteObject(hResult);
        hResult = NULL;
    }
    return hResult;
}

// Makes an icon from (part of) a bitmap, one colour transparent, optionally with system colours put in.
HICON CExtPaintManager::CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent,
                                             const RECT* pRect, bool bRemapSysColors)
{
    COLORREF* pBits = NULL;
    HBITMAP hCopy = CopyBitmapRect(hBitmap, pRect, &pBits);
    if (hCopy == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hCopy, sizeof(bm), &bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight;
    const size_t nCount = (size_t)cx * (size_t)cy;

    if (bRemapSysColors)
    {
        struct Remap
        {
            COLORREF clrFrom;
            int nSysColor;
        };
        const Remap remaps[3] = { { RGB(0x80, 0x80, 0x80), COLOR_3DSHADOW },
                                  { RGB(0xC0, 0xC0, 0xC0), COLOR_3DFACE },
                                  { RGB(0xDF, 0xDF, 0xDF), COLOR_3DLIGHT } };
        for (const Remap& r : remaps)
        {
            COLORREF clrTo = ::GetSysColor(r.nSysColor);
            if (r.clrFrom == clrTransparent || clrTo == r.clrFrom)
                continue;
            DWORD dwFrom = ColorToDib(r.clrFrom), dwTo = ColorToDib(clrTo);
            for (size_t i = 0; i < nCount; i++)
                if ((pBits[i] & 0x00FFFFFF) == dwFrom)
                    pBits[i] = dwTo;
        }
        ::GdiFlush();
    }

    HICON hIcon = NULL;
    if (g_CurrentPaintManager.m_bIsWin9x || !g_CurrentPaintManager.m_bIsWin2000OrLater)
    {
        HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
        HDC hMaskDC = ::CreateCompatibleDC(NULL);
        if (hMask != NULL && hMaskDC != NULL)
        {
            HGDIOBJ hOld = ::SelectObject(hMaskDC, hMask);
            ::PatBlt(hMaskDC, 0, 0, cx, cy, WHITENESS);
            const DWORD dwTransparent = ColorToDib(clrTransparent);
            for (int y = 0; y < cy; y++)
                for (int x = 0; x < cx; x++)
                {
                    COLORREF& px = pBits[(size_t)(cy - 1 - y) * cx + x];
                    if ((px & 0x00FFFFFF) == dwTransparent)
                        px = 0;
                    else
                        ::SetPixelV(hMaskDC, x, y, RGB(0, 0, 0));
                }
            ::SelectObject(hMaskDC, hOld);
            ::GdiFlush();
            ICONINFO ii;
            ii.fIcon = TRUE;
            ii.xHotspot = ii.yHotspot = 0;
            ii.hbmMask = hMask;
            ii.hbmColor = hCopy;
            hIcon = ::CreateIconIndirect(&ii);
        }
        if (hMaskDC != NULL)
            ::DeleteDC(hMaskDC);
        if (hMask != NULL)
            ::DeleteObject(hMask);
    }
    else
    {
        HIMAGELIST hList = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 1);
        if (hList != NULL)
        {
            if (ImageList_AddMasked(hList, hCopy, clrTransparent) >= 0)
                hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
            ImageList_Destroy(hList);
        }
    }
    ::DeleteObject(hCopy);
    return hIcon;
}

// Copies with every pixel of the transparent colour left out (stretching when the
// sizes differ), through a monochrome mask.
void CExtPaintManager::TransparentBlit(HDC hDst, int x, int y, int cx, int cy, HDC hSrc,
                                       int xs, int ys, int cxs, int cys,
                                       COLORREF clrTransparent)
{
    if (hDst == NULL || hSrc == NULL || cx <= 0 || cy <= 0)
        return;
    CDC* pDst = CDC::FromHandle(hDst);
    CDC* pSrc = CDC::FromHandle(hSrc);

    CExtMemoryDC dcImage(pDst, CRect(0, 0, cx, cy),
                         CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_NO_MAPPING);
    CExtMemoryDC dcMask(pDst, CRect(0, 0, cx, cy),
                        CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_MONOCHROME
                            | CExtMemoryDC::MDC_NO_MAPPING);
    if (!dcImage.IsMemDC() || !dcMask.IsMemDC())
    {
        dcImage.FinishDrawing(false);
        dcMask.FinishDrawing(false);
        return;
    }
    if (cx != cxs || cy != cys)
    {
        dcImage.SetStretchBltMode(COLORONCOLOR);
        dcImage.StretchBlt(0, 0, cx, cy, pSrc, xs, ys, cxs, cys, SRCCOPY);
    }
    else
        dcImage.BitBlt(0, 0, cx, cy, pSrc, xs, ys, SRCCOPY);

    // Mask: transparent pixels white, the picture black.
    COLORREF clrOldImageBk = dcImage.SetBkColor(clrTransparent);
    dcMask.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);
    // Transparent pixels of the picture become black.
    dcImage.SetBkColor(RGB(0, 0, 0));
    COLORREF clrOldImageText = dcImage.SetTextColor(RGB(255, 255, 255));
    dcImage.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, SRCAND);
    dcImage.SetBkColor(clrOldImageBk);
    dcImage.SetTextColor(clrOldImageText);

    COLORREF clrOldBk = ::SetBkColor(hDst, RGB(255, 255, 255));
    COLORREF clrOldText = ::SetTextColor(hDst, RGB(0, 0, 0));
    ::BitBlt(hDst, x, y, cx, cy, dcMask.GetSafeHdc(), 0, 0, SRCAND);
    ::BitBlt(hDst, x, y, cx, cy, dcImage.GetSafeHdc(), 0, 0, SRCPAINT);
    ::SetBkColor(hDst, clrOldBk);
    ::SetTextColor(hDst, clrOldText);

    dcImage.FinishDrawing(false);
    dcMask.FinishDrawing(false);
}

/////////////////////////////////////////////////////////////////////////////
// Pixel-level conveniences

void CExtPaintManager::DrawFrameLines(CDC& dc, int x, int y, int cx, int cy,
                                      COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (cx < 2 || cy < 2)
        return;
    dc.FillSolidRect(x + 1, y, cx - 2, 1, clrTopLeft);
    dc.FillSolidRect(x, y + 1, 1, cy - 2, clrTopLeft);
    dc.FillSolidRect(x + cx - 1, y + 1, 1, cy - 2, clrBottomRight);
    dc.FillSolidRect(x + 1, y + cy - 1, cx - 2, 1, clrBottomRight);
}

namespace
{

void SolidEllipse(CDC& dc, int x, int y, COLORREF clr)
{
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    if (hBrush != NULL && hPen != NULL)
    {
        HGDIOBJ hOldBrush = ::SelectObject(dc.GetSafeHdc(), hBrush);
        HGDIOBJ hOldPen = ::SelectObject(dc.GetSafeHdc(), hPen);
        ::Ellipse(dc.GetSafeHdc(), x, y, x + 6, y + 6);
        ::SelectObject(dc.GetSafeHdc(), hOldBrush);
        ::SelectObject(dc.GetSafeHdc(), hOldPen);
    }
    if (hBrush != NULL)
        ::DeleteObject(hBrush);
    if (hPen != NULL)
        ::DeleteObject(hPen);
}

COLORREF InvertedNearest(CDC& dc, COLORREF clr)
{
    return dc.GetNearestColor(RGB(255 - GetRValue(clr), 255 - GetGValue(clr),
                                  255 - GetBValue(clr)));
}

} // namespace

void CExtPaintManager::DrawEllipseDot(CDC& dc, int x, int y, COLORREF clr)
{
    if (dc.GetSafeHdc() == NULL)
        return;
    SolidEllipse(dc, x + 1, y + 1, InvertedNearest(dc, clr));
    SolidEllipse(dc, x, y, clr);
}

// Draws the 7-pixel check mark with an inverted shadow, legible on any background.
void CExtPaintManager::DrawCheckMark(CDC& dc, int x, int y, COLORREF clr)
{
    if (dc.GetSafeHdc() == NULL)
        return;
    COLORREF clrInv = InvertedNearest(dc, clr);
    for (int i = 0; i < 3; i++)
    {
        dc.SetPixelV(x + i, y + i + 2, clr);
        dc.SetPixelV(x + i, y + i + 3, clr);
        dc.SetPixelV(x + i, y + i + 4, clrInv);
    }
    for (int i = 0; i < 4; i++)
    {
        dc.SetPixelV(x + i + 3, y - i + 3, clr);
        dc.SetPixelV(x + i + 3, y - i + 4, clr);
        dc.SetPixelV(x + i + 3, y - i + 5, clrInv);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Pixel tint of a 32-bit bottom-up buffer

void CExtPaintManager::RenderShadowPixels(COLORREF* pPixels, int cx, int cy, bool bClip,
                                          const RECT* pRect1, const RECT* pRect2,
                                          COLORREF clrTint, COLORREF clrBorder,
                                          int nBorderWidth)
{
    if (pPixels == NULL || cx <= 0 || cy <= 0)
        return;
    if (clrTint == (COLORREF)-1)
        clrTint = GetColor(COLOR_HIGHLIGHT);
    if (clrBorder == (COLORREF)-1)
        clrBorder = GetColor(COLOR_3DFACE);
    const bool bDither = GetScreenColorDepth() <= 8;
    const DWORD dwDither = ColorToDib(GetColor(COLOR_3DSHADOW));
    const CRect rcBuffer(0, 0, cx, cy);
    const int bw = nBorderWidth;
    for (int y = 0; y < cy; y++)
    {
        COLORREF* pRow = pPixels + (size_t)(cy - 1 - y) * cx;
        for (int x = 0; x < cx; x++)
        {
            const bool bIn1 = pRect1 != NULL && ::PtInRect(pRect1, CPoint(x, y));
            const bool bIn2 = pRect2 != NULL && ::PtInRect(pRect2, CPoint(x, y));
            if (bClip && !bIn1 && !bIn2)
                continue;
            if (bDither)
            {
                if ((x & 1) != (y & 1))
                    pRow[x] = dwDither;
                continue;
            }
            COLORREF clrNew = clrTint;
            if (bw > 0)
            {
                bool bBorder = false;
                if (bClip && bIn2)
                    bBorder = y >= pRect2->bottom - bw || x < pRect2->left + bw
                        || x >= pRect2->right - bw;
                else
                {
                    CRect rcFrame = (bClip && pRect1 != NULL) ? CRect(*pRect1) : rcBuffer;
                    if (rcFrame.PtInRect(CPoint(x, y)))
                    {
                        bool bOverTab = bClip && pRect2 != NULL && x >= pRect2->left + bw
                            && x < pRect2->right - bw;
                        bBorder = y < rcFrame.top + bw || x < rcFrame.left + bw
                            || x >= rcFrame.right - bw
                            || (y >= rcFrame.bottom - bw && !bOverTab);
                    }
                }
                if (bBorder)
                    clrNew = clrBorder;
            }
            COLORREF clrOld = DibToColor(pRow[x]);
            int r = GetRValue(clrOld) + (GetRValue(clrNew) - GetRValue(clrOld)) / 2;
            int g = GetGValue(clrOld) + (GetGValue(clrNew) - GetGValue(clrOld)) / 2;
            int b = GetBValue(clrOld) + (GetBValue(clrNew) - GetBValue(clrOld)) / 2;
            pRow[x] = ColorToDib(HLSAdjustColor(RGB(r, g, b), 0.0, 0.1, 0.0));
        }
    }
}
