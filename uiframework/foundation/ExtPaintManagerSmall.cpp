// ExtPaintManagerSmall.cpp - small paint operations, the parent-painted child filter and
// bitmap colour queries.

#include "stdafx.h"
#include "ExtPaintManager.h"
#include "ExtCmdIcon.h"

#include <vector>

namespace
{

// The system's icon-title font with the given weight (0: as the system gives it).
HFONT CreateIconTitleLogFont(int nWeight, LPCTSTR pszFace = NULL, int nHeight = 0)
{
    LOGFONT lf;
    if (!::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
    {
        HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hStock == NULL || ::GetObject(hStock, sizeof(lf), &lf) == 0)
            return NULL;
    }
    if (nWeight != 0)
        lf.lfWeight = nWeight;
    if (pszFace != NULL)
        lstrcpyn(lf.lfFaceName, pszFace, LF_FACESIZE);
    if (nHeight != 0)
        lf.lfHeight = nHeight;
    return ::CreateFontIndirect(&lf);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Text placement shared by the small operations

void CExtPaintManager::DrawMeasuredText(CDC& dc, const RECT& rcTarget, LPCTSTR sText,
                                        HFONT hFont, COLORREF clrText, UINT nFlags,
                                        int nLeftOffset)
{
    if (sText == NULL || *sText == _T('\0'))
        return;
    CString strText(sText);
    if (strText.Find(_T('\t')) >= 0)
        nFlags |= DT_EXPANDTABS;
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
    COLORREF clrOld = dc.SetTextColor(clrText);
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    CRect rcTargetR(rcTarget);
    CRect rcMeasure(0, 0, rcTargetR.Width(), 0);
    dc.DrawText(strText, &rcMeasure, DT_CALCRECT | nFlags);
    CRect rcDraw;
    rcDraw.left = rcTargetR.left + nLeftOffset;
    rcDraw.right = rcDraw.left + rcMeasure.Width();
    rcDraw.top = rcTargetR.top + (rcTargetR.Height() - rcMeasure.Height()) / 2;
    rcDraw.bottom = rcDraw.top + rcMeasure.Height();
    if (rcDraw.IntersectRect(&rcDraw, &rcTargetR))
        dc.DrawText(strText, &rcDraw, DT_END_ELLIPSIS | nFlags);
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    if (hOldFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Icon label items

namespace
{

CExtCmdIcon* LabelItemIcon(const CExtPaintManager::IconLabelItemArgs_t& a)
{
    CExtCmdIcon* pFirst = (a.m_nFlags & 0x40) != 0 ? a.m_pIcon1 : a.m_pIcon2;
    CExtCmdIcon* pOther = (a.m_nFlags & 0x40) != 0 ? a.m_pIcon2 : a.m_pIcon1;
    if (pFirst != NULL && !pFirst->IsEmpty())
        return pFirst;
    if (pOther != NULL && !pOther->IsEmpty())
        return pOther;
    return NULL;
}

void DrawLabelIcon(CDC& dc, CExtCmdIcon* pIcon, const CRect& rcIcon)
{
    HICON hIcon = pIcon != NULL ? pIcon->GetHIcon(false) : NULL;
    if (hIcon != NULL)
        ::DrawIconEx(dc.GetSafeHdc(), rcIcon.left, rcIcon.top, hIcon, rcIcon.Width(),
                     rcIcon.Height(), 0, NULL, DI_NORMAL);
}

} // namespace

// Separator (flag 0x80) or icon with a label; shared by both looks except the icon frame.
static void DrawIconLabel(CExtPaintManager* pPM, CDC& dc,
                          CExtPaintManager::IconLabelItemArgs_t& a, bool bFlatLook)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    if ((a.m_nFlags & 0x80) != 0)
    {
        if ((a.m_nFlags & 0x10) != 0 && !a.m_rcLabel.IsRectEmpty()
            && dc.RectVisible(&a.m_rcLabel))
        {
            CRect rc(a.m_rcLabel);
            rc.InflateRect(2, 2);
            dc.FillSolidRect(&rc, pPM->GetColor(COLOR_INFOBK, pSrc, lp));
            COLORREF clr = pPM->GetColor(COLOR_3DDKSHADOW, pSrc, lp);
            dc.Draw3dRect(&rc, clr, clr);
        }
        return;
    }
    if (a.m_rcItem.IsRectEmpty() || !dc.RectVisible(&a.m_rcItem))
        return;
    if (!a.m_rcIcon.IsRectEmpty() && dc.RectVisible(&a.m_rcIcon))
    {
        CRect rcFrame(a.m_rcIcon);
        rcFrame.InflateRect(2, 2);
        const bool bState = (a.m_nFlags & 0x03) != 0;
        if (!bFlatLook)
        {
            if (bState)
                dc.FillSolidRect(&rcFrame, pPM->GetColor(COLOR_3DSHADOW, pSrc, lp));
            DrawLabelIcon(dc, LabelItemIcon(a), a.m_rcIcon);
            COLORREF clrDark = pPM->GetColor(COLOR_3DDKSHADOW, pSrc, lp);
            COLORREF clrFace = pPM->GetColor(COLOR_3DFACE, pSrc, lp);
            if ((a.m_nFlags & 0x02) != 0)
                dc.Draw3dRect(&rcFrame, clrDark, clrFace);
            else if ((a.m_nFlags & 0x01) != 0)
                dc.Draw3dRect(&rcFrame, clrFace, clrDark);
        }
        else
        {
            if (bState)
                dc.FillSolidRect(&rcFrame, pPM->GetColor((a.m_nFlags & 0x02) != 0
                                                             ? CExtPaintManager::LC_XP_PUSHED_FACE
                                                             : CExtPaintManager::LC_FACE_HOT,
                                                         pSrc, lp));
            DrawLabelIcon(dc, LabelItemIcon(a), a.m_rcIcon);
            if (bState)
            {
                COLORREF clr = pPM->GetColor(CExtPaintManager::LC_XP_HOT_BORDER, pSrc, lp);
                dc.Draw3dRect(&rcFrame, clr, clr);
            }
        }
    }
    if (a.m_rcLabel.IsRectEmpty() || !dc.RectVisible(&a.m_rcLabel) || *a.m_sText == _T('\0'))
        return;
    HGDIOBJ hOldFont = a.m_hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), a.m_hFont) : NULL;
    COLORREF clrText;
    if ((a.m_nFlags & 0x10) != 0)
        clrText = pPM->GetColor(COLOR_INFOTEXT, pSrc, lp);
    else
        clrText = pPM->GetColor(bFlatLook ? COLOR_BTNTEXT : COLOR_3DHILIGHT, pSrc, lp);
    COLORREF clrOld = dc.SetTextColor(clrText);
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    if ((a.m_nFlags & 0x20) != 0)
    {
        CRect rcText(a.m_rcLabel);
        rcText.InflateRect(3, 0);
        int nHalf = rcText.Width() / 2;
        if ((a.m_nAlignFlags & 0x10) != 0)
            rcText.OffsetRect(-(nHalf - 2), 0);
        else
            rcText.OffsetRect(nHalf, 0);
        UINT nOldAlign = dc.SetTextAlign(TA_BASELINE);
        int y = (a.m_nAlignFlags & 0x10) != 0 ? rcText.top + 4 : rcText.bottom - 4;
        dc.ExtTextOut(rcText.left, y, ETO_CLIPPED, &rcText, a.m_sText, (UINT)lstrlen(a.m_sText),
                      NULL);
        dc.SetTextAlign(nOldAlign);
    }
    else
    {
        CRect rcText(a.m_rcText);
        rcText.DeflateRect(1, 0);
        CRect rcDraw;
        if (rcDraw.IntersectRect(&a.m_rcLabel, &rcText))
            dc.DrawText(a.m_sText, -1, &rcDraw, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    if (hOldFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
}

void CExtPaintManager::DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& a)
{
    DrawIconLabel(this, dc, a, false);
}

void CExtPaintManagerXP::DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& a)
{
    DrawIconLabel(this, dc, a, true);
}

/////////////////////////////////////////////////////////////////////////////
// Caption texts

void CExtPaintManager::DrawLargeCaptionText(CDC& dc, const RECT& rc, LPCTSTR sText)
{
    if (!dc.RectVisible(&rc))
        return;
    HFONT hFont = CreateIconTitleLogFont(700, _T("Arial"), 20);
    DrawMeasuredText(dc, rc, sText, hFont, GetColor(COLOR_WINDOW), DT_SINGLELINE, 4);
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

// Draws the icon and caption of a minimized window, in the icon title font.
void CExtPaintManager::DrawIconTitleText(CDC& dc, const RECT& rcIn, LPCTSTR sText,
                                         CExtCmdIcon* pIcon, bool bDrawText, bool bPushed,
                                         bool bHover, bool bEnabled)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    if (bDrawText)
    {
        HFONT hFont = CreateIconTitleLogFont(700);
        COLORREF clr = GetColor((bPushed && bHover && bEnabled) ? COLOR_WINDOW : COLOR_BTNTEXT);
        DrawMeasuredText(dc, rc, sText, hFont, clr, DT_SINGLELINE, 36);
        if (hFont != NULL)
            ::DeleteObject(hFont);
    }
    if (pIcon == NULL)
        return;
    CRect rcIcon;
    if (bDrawText)
    {
        int y = rc.top + (rc.Height() - 24) / 2;
        rcIcon.SetRect(rc.left + 6, y, rc.left + 30, y + 24);
    }
    else
    {
        int x = rc.left + (rc.Width() - 16) / 2, y = rc.top + (rc.Height() - 16) / 2;
        rcIcon.SetRect(x, y, x + 16, y + 16);
    }
    CRect rcDummy;
    DrawButtonIcon(dc, true, _T(""), pIcon, rcIcon, rcDummy, bPushed, true, bHover, 5);
}

void CExtPaintManager::DrawIconTitleCaption(CDC& dc, const RECT& rc, LPCTSTR sText)
{
    if (!dc.RectVisible(&rc))
        return;
    HFONT hFont = CreateIconTitleLogFont(0);
    DrawMeasuredText(dc, rc, sText, hFont, GetColor(COLOR_WINDOWTEXT), 0, 7);
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

/////////////////////////////////////////////////////////////////////////////
// Child backgrounds

bool CExtPaintManager::IsParentPaintedChild(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return false;
    TCHAR szClass[64];
    if (::GetClassName(hWnd, szClass, 64) == 0)
        return false;
    CharLower(szClass);
    if (lstrcmp(szClass, _T("static")) == 0 || lstrcmp(szClass, _T("systabcontrol32")) == 0
        || lstrcmp(szClass, _T("msctls_trackbar32")) == 0)
        return true;
    if (lstrcmp(szClass, _T("button")) != 0)
        return false;
    if (g_CurrentPaintManager.m_bThemeColorsRead)
        return true;
    DWORD dwType = (DWORD)::GetWindowLong(hWnd, GWL_STYLE) & 0x0F;
    return dwType <= 7 || dwType == 9;
}

bool CExtPaintManager::ParentPaintedChildFilter(HDC /*hDC*/, HWND /*hWndParent*/,
                                                HWND hWndChild, LPARAM /*lParam*/)
{
    return IsParentPaintedChild(hWndChild);
}

// Fills a child's background from its parent where it asks for that, else with the face colour.
void CExtPaintManager::DrawChildBackground(CDC& dc, const RECT& rcOuter, const RECT& rcInner,
                                           CObject* pHelperSrc, LPARAM lParam)
{
    if (!dc.RectVisible(&rcOuter))
        return;
    bool bDrawn = false;
    CWnd* pWnd = (pHelperSrc != NULL && pHelperSrc->IsKindOf(RUNTIME_CLASS(CWnd)))
        ? static_cast<CWnd*>(pHelperSrc) : NULL;
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL && WantsParentBackground(pWnd, 0))
    {
        int nSaved = dc.SaveDC();
        ExcludeChildAreas(dc.GetSafeHdc(), pWnd->GetSafeHwnd(), ParentPaintedChildFilter, 0);
        bDrawn = DrawParentBackground(true, dc, pWnd, 0);
        dc.RestoreDC(nSaved);
    }
    if (!bDrawn)
        FillId(dc, rcOuter, LC_FACE_NORMAL, pHelperSrc, lParam);
    FillId(dc, rcInner, COLOR_WINDOW, pHelperSrc, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Popup list caption

static void DrawListCaption(CExtPaintManager* pPM, CDC& dc, const RECT& rcIn, LPCTSTR sText,
                            bool bFlatLook)
{
    CRect rc(rcIn);
    CExtPaintManager* pInstalled = g_CurrentPaintManager.GetPaintManager();
    COLORREF clrFace = pInstalled != NULL ? pInstalled->GetMenuFaceColor(pInstalled, 0)
                                          : pPM->GetMenuFaceColor(pPM, 0);
    dc.FillSolidRect(&rc, clrFace);
    CRect rcInner(rc);
    rcInner.DeflateRect(3, 3);
    rcInner.OffsetRect(0, 1);
    if (!bFlatLook)
        dc.Draw3dRect(&rcInner, pPM->GetColor(COLOR_3DSHADOW), pPM->GetColor(COLOR_WINDOW));
    if (sText == NULL || *sText == _T('\0'))
        return;
    UINT nFlags = 0;
    if (strchr(sText, '\t') != NULL)
        nFlags |= DT_EXPANDTABS;
    HFONT hFont = CreateIconTitleLogFont(400);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
    COLORREF clrOld = dc.SetTextColor(pPM->GetColor(COLOR_WINDOWTEXT));
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    CRect rcMeasure(0, 0, rc.Width(), rc.Height());
    dc.DrawText(sText, -1, &rcMeasure, DT_CALCRECT | nFlags);
    const CRect& rcPlace = bFlatLook ? rc : rcInner;
    CRect rcDraw(rcPlace.left + (rcPlace.Width() - rcMeasure.Width()) / 2,
                 rcPlace.top + (rcPlace.Height() - rcMeasure.Height()) / 2, rcPlace.right,
                 rcPlace.bottom);
    dc.DrawText(sText, -1, &rcDraw, DT_END_ELLIPSIS | nFlags);
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    if (hOldFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

void CExtPaintManager::DrawPopupListCaption(CDC& dc, const RECT& rc, LPCTSTR sText,
                                            CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
    DrawListCaption(this, dc, rc, sText, false);
}

void CExtPaintManagerXP::DrawPopupListCaption(CDC& dc, const RECT& rc, LPCTSTR sText,
                                              CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
    DrawListCaption(this, dc, rc, sText, true);
}

/////////////////////////////////////////////////////////////////////////////
// Dock-marker windows

bool CExtPaintManager::CreateDockMarkerWnd(HWND hWndValue, int nMarkerType, const RECT& rc,
                                           CPtrArray* pArrWindows)
{
    if (pArrWindows == NULL)
        return false;
    if (g_BarLinks.m_pfnDestroyMarkerArray != NULL)
        g_BarLinks.m_pfnDestroyMarkerArray(*pArrWindows);
    pArrWindows->RemoveAll();
    DockMarker marker;
    if (!marker.Build(nMarkerType, rc))
        return false;
    return marker.CreateWindows(hWndValue, pArrWindows);
}

/////////////////////////////////////////////////////////////////////////////
// Bitmap colour queries

int CExtPaintManager::GetBitmapColorHistogram(HBITMAP hBitmap,
                                              CMap<COLORREF, COLORREF, DWORD, DWORD>& map)
{
    map.RemoveAll();
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return 0;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return 0;
    HDC hSrcDC = ::CreateCompatibleDC(NULL);
    HDC hDstDC = ::CreateCompatibleDC(NULL);
    BITMAPINFOHEADER bih;
    ::ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = (DWORD)bm.bmWidth * (DWORD)bm.bmHeight;
    void* pBits = NULL;
    HBITMAP hDib = (hSrcDC != NULL && hDstDC != NULL)
        ? ::CreateDIBSection(hDstDC, (const BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0)
        : NULL;
    int nResult = 0;
    if (hDib != NULL && pBits != NULL)
    {
        HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, hBitmap);
        HGDIOBJ hOldDst = ::SelectObject(hDstDC, hDib);
        ::BitBlt(hDstDC, 0, 0, bm.bmWidth, bm.bmHeight, hSrcDC, 0, 0, SRCCOPY);
        ::SelectObject(hSrcDC, hOldSrc);
        ::SelectObject(hDstDC, hOldDst);
        ::GdiFlush();
        const DWORD* pPixels = (const DWORD*)pBits;
        size_t nCount = (size_t)bm.bmWidth * (size_t)bm.bmHeight;
        for (size_t i = 0; i < nCount; i++)
        {
            DWORD px = pPixels[i];
            COLORREF clr = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
            map[clr]++;
        }
        nResult = bm.bmBitsPixel * bm.bmPlanes;
    }
    if (hDib != NULL)
        ::DeleteObject(hDib);
    if (hSrcDC != NULL)
        ::DeleteDC(hSrcDC);
    if (hDstDC != NULL)
        ::DeleteDC(hDstDC);
    return nResult;
}

// The colours a bitmap uses: its colour table, or a histogram for deeper bitmaps; returns the count.
int CExtPaintManager::GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arr,
                                      bool bNoDuplicates)
{
    arr.RemoveAll();
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return 0;
    const int nBits = bm.bmBitsPixel * bm.bmPlanes;
    if (nBits > 8)
    {
        CMap<COLORREF, COLORREF, DWORD, DWORD> map;
        int nResult = GetBitmapColorHistogram(hBitmap, map);
        POSITION pos = map.GetStartPosition();
        while (pos != NULL)
        {
            COLORREF clr;
            DWORD dwCount;
            map.GetNextAssoc(pos, clr, dwCount);
            arr.Add(clr);
        }
        return nResult;
    }

    // The colour table, read through GetDIBits at the bitmap's own depth.
    const int nEntries = 1 << nBits;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * 256, 0);
    BITMAPINFO* pbi = (BITMAPINFO*)info.data();
    pbi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pbi->bmiHeader.biWidth = bm.bmWidth;
    pbi->bmiHeader.biHeight = bm.bmHeight;
    pbi->bmiHeader.biPlanes = 1;
    pbi->bmiHeader.biBitCount = (WORD)nBits;
    pbi->bmiHeader.biCompression = BI_RGB;
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return 0;
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight, NULL, pbi, DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    if (nLines == 0)
        return 0;
    for (int i = 0; i < nEntries; i++)
    {
        const RGBQUAD& q = pbi->bmiColors[i];
        COLORREF clr = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        if (bNoDuplicates)
        {
            bool bSeen = false;
            for (INT_PTR j = 0; j < arr.GetSize() && !bSeen; j++)
                bSeen = arr[j] == clr;
            if (bSeen)
                continue;
        }
        arr.Add(clr);
    }
    return nBits;
}
