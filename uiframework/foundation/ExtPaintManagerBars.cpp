// ExtPaintManagerBars.cpp - bar drawing: grippers, captions, frames, borders, caption
// buttons, system-command glyphs, separators, the chevron, button icons, backgrounds.

#include "stdafx.h"
#include "ExtPaintManager.h"
#include "ExtCmdIcon.h"

namespace
{

// Border bits of a control bar's style word.
const DWORD BAR_BORDER_3D = 0x0080;
const DWORD BAR_BORDER_LEFT = 0x0100;
const DWORD BAR_BORDER_TOP = 0x0200;
const DWORD BAR_BORDER_RIGHT = 0x0400;
const DWORD BAR_BORDER_BOTTOM = 0x0800;
const DWORD BAR_BORDER_ANY = 0x0F00;

// Glyph table entry drawn for a system command, -1 when there is none.
int SysCommandGlyph(UINT nCmd)
{
    switch (nCmd)
    {
    case SC_CLOSE: return 1;
    case SC_MINIMIZE: return 6;
    case SC_RESTORE: return 7;
    case SC_MAXIMIZE: return 8;
    case SC_CONTEXTHELP: return 9;
    default: return -1;
    }
}

// Nearest colour of the DC to (shadow + 2 x face) / 3 per channel.
COLORREF GripperLineColor(CDC& dc, COLORREF clrShadow, COLORREF clrFace)
{
    return dc.GetNearestColor(RGB((GetRValue(clrShadow) + 2 * GetRValue(clrFace)) / 3,
                                  (GetGValue(clrShadow) + 2 * GetGValue(clrFace)) / 3,
                                  (GetBValue(clrShadow) + 2 * GetBValue(clrFace)) / 3));
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Grippers and captions

// Caption text of both looks (font chosen by the caller).
static void DrawCaptionText(CDC& dc, const CExtPaintManager::BarCaptionArgs_t& a, const CRect& rcCaption,
                            CFont& font, COLORREF clrText)
{
    CRect rcText(a.m_rcText);
    if (*a.m_sText == _T('\0') || rcText.IsRectEmpty() || rcText.left > rcText.right
        || rcText.top > rcText.bottom || font.GetSafeHandle() == NULL)
        return;
    int nSaved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    dc.SelectObject(&font);
    if (!a.m_bSideCaption)
        dc.DrawText(a.m_sText, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    else
    {
        LOGFONT lf;
        font.GetLogFont(&lf);
        int nFontHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
        CRect rcVert(rcText.left + 1 + (rcText.Width() - nFontHeight) / 2, rcText.bottom,
                     rcText.right, rcText.top);
        rcVert.DeflateRect(2, 2);
        rcVert.OffsetRect(-2, -3);
        dc.ExcludeClipRect(rcCaption.left, rcCaption.top, rcCaption.right, rcText.top);
        dc.DrawText(a.m_sText, -1, &rcVert, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    dc.RestoreDC(nSaved);
}

// Draws a bar's gripper (two raised lines) or its caption when floating.
void CExtPaintManager::DrawBarCaption(CDC& dc, BarCaptionArgs_t& a)
{
    CRect rc(a.m_rcCaption);
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    if (!a.m_bFloating && !a.m_bCaptionMode)
    {
        // Gripper: two raised lines.
        CRect rcLine;
        if (a.m_bSideCaption)
            rcLine.SetRect(rc.left + 4, rc.top + 1, rc.left + 7, rc.bottom);
        else
            rcLine.SetRect(rc.left + 1, rc.top + 4, rc.right, rc.top + 7);
        for (int i = 0; i < 2; i++)
        {
            Frame(dc, rcLine, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL, pSrc, lp);
            if (a.m_bSideCaption)
                rcLine.OffsetRect(3, 0);
            else
                rcLine.OffsetRect(0, 3);
        }
        return;
    }
    if (!a.m_bFloating)
        rc.DeflateRect(1, 1);
    COLORREF clrText;
    if (!a.m_bCaptionMode)
    {
        FillId(dc, rc, COLOR_HIGHLIGHT, pSrc, lp);
        clrText = GetColor(COLOR_HIGHLIGHTTEXT, pSrc, lp);
    }
    else
    {
        const bool bActive = a.m_bActive || a.m_bFloating;
        const int nFrom = bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
        const int nTo = bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION;
        clrText = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT, pSrc, lp);
        if (GetScreenColorDepth() <= 8)
            FillId(dc, rc, nFrom, pSrc, lp);
        else
            GradientFillRect(dc, rc, GetColor(nFrom, pSrc, lp), GetColor(nTo, pSrc, lp),
                             a.m_bSideCaption, 256);
    }
    const bool bSmallNormal = !a.m_bFloating && a.m_bCaptionMode;
    CFont& font = bSmallNormal ? (a.m_bSideCaption ? m_FontNormalVertXSmall : m_FontNormalSmall)
                               : (a.m_bSideCaption ? m_FontBoldVertXSmall : m_FontBoldSmall);
    DrawCaptionText(dc, a, a.m_rcCaption, font, clrText);
}

// Draws a bar's caption (shadow or active colour) or its docked gripper of dotted lines.
void CExtPaintManagerXP::DrawBarCaption(CDC& dc, BarCaptionArgs_t& a)
{
    CRect rc(a.m_rcCaption);
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    if (a.m_bCaptionMode || a.m_bFloating)
    {
        COLORREF clrText;
        int nFill;
        if (!a.m_bCaptionMode)
        {
            nFill = COLOR_3DSHADOW;
            clrText = GetColor(COLOR_CAPTIONTEXT, pSrc, lp);
        }
        else if (a.m_bActive)
        {
            nFill = COLOR_HIGHLIGHT;
            clrText = GetColor(COLOR_CAPTIONTEXT, pSrc, lp);
        }
        else
        {
            nFill = LC_XP_BAR_FACE;
            clrText = GetColor(COLOR_BTNTEXT, pSrc, lp);
        }
        if (!a.m_bNoFill)
        {
            FillId(dc, rc, nFill, pSrc, lp);
            if (a.m_bCaptionMode && !a.m_bActive && !a.m_bFloating)
            {
                COLORREF clrLine = GetColor(COLOR_3DSHADOW, pSrc, lp);
                DrawFrameLines(dc, rc.left, rc.top, rc.Width(), rc.Height(), clrLine, clrLine);
            }
        }
        CFont& font = a.m_bCaptionMode
            ? (a.m_bSideCaption ? m_FontNormalVertXSmall : m_FontNormalSmall)
            : (a.m_bSideCaption ? m_FontBoldVertXSmall : m_FontBoldSmall);
        DrawCaptionText(dc, a, a.m_rcCaption, font, clrText);
        return;
    }

    // Docked gripper: a strip of dotted lines.
    CRect rcInner(rc);
    rcInner.DeflateRect(1, 1);
    FillId(dc, rcInner, LC_FACE_NORMAL, pSrc, lp);
    const COLORREF clrFace = GetColor(LC_FACE_NORMAL, pSrc, lp);
    const COLORREF clrShadow = GetColor(COLOR_3DSHADOW, pSrc, lp);
    CBitmap bmpPattern;
    bool bMono = GetScreenColorDepth() <= 8;
    if (!bMono)
    {
        CDC dcPattern;
        if (dcPattern.CreateCompatibleDC(&dc)
            && bmpPattern.CreateCompatibleBitmap(&dc, 8, 8))
        {
            CBitmap* pOld = dcPattern.SelectObject(&bmpPattern);
            dcPattern.FillSolidRect(0, 0, 8, 8, clrFace);
            COLORREF clrLine = GripperLineColor(dc, GetColor(COLOR_3DSHADOW, pSrc, lp),
                                                GetColor(COLOR_3DFACE, pSrc, lp));
            for (int i = 0; i < 8; i += 2)
            {
                if (a.m_bSideCaption)
                    dcPattern.FillSolidRect(0, i, 8, 1, clrLine);
                else
                    dcPattern.FillSolidRect(i, 0, 1, 8, clrLine);
            }
            dcPattern.SelectObject(pOld);
        }
    }
    else
    {
        WORD rows[8];
        for (int i = 0; i < 8; i++)
            rows[i] = a.m_bSideCaption ? ((i & 1) == 0 ? 0xFF : 0x00) : 0xAA;
        bmpPattern.CreateBitmap(8, 8, 1, 1, rows);
    }
    if (bmpPattern.GetSafeHandle() == NULL)
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bmpPattern))
        return;
    CRect rcStrip(rc);
    if (a.m_bSideCaption)
    {
        rcStrip.DeflateRect(5, 2);
        rcStrip.right = rcStrip.left + 5;
        rcStrip.DeflateRect(1, 0);
    }
    else
    {
        rcStrip.OffsetRect(1, 0);
        rcStrip.DeflateRect(2, 5);
        rcStrip.bottom = rcStrip.top + 5;
        rcStrip.DeflateRect(0, 1);
    }
    COLORREF clrOldText = dc.SetTextColor(clrFace);
    COLORREF clrOldBk = dc.SetBkColor(clrShadow);
    CPoint ptOldOrg = dc.SetBrushOrg(rcStrip.left, rcStrip.top);
    dc.FillRect(&rcStrip, &brush);
    dc.SetBrushOrg(ptOldOrg);
    dc.SetTextColor(clrOldText);
    dc.SetBkColor(clrOldBk);
}

/////////////////////////////////////////////////////////////////////////////
// Frames and borders

void CExtPaintManager::DrawBarFrame(CDC& dc, BarFrameArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc(a.m_rcWindow);
    int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&a.m_rcClient);
    FillId(dc, rc, LC_FACE_NORMAL, pSrc, lp);
    if (a.m_bFlag0)
    {
        Frame(dc, rc, LC_FACE_NORMAL, LC_DKSHADOW_NORMAL, pSrc, lp);
        rc.DeflateRect(1, 1);
    }
    if (!(a.m_bFlag1 && !a.m_bFlag0))
        Frame(dc, rc, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL, pSrc, lp);
    dc.RestoreDC(nSaved);
}

// Draws a bar's non-client frame, with the dotted outline of a floating bar.
void CExtPaintManagerXP::DrawBarFrame(CDC& dc, BarFrameArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc(a.m_rcWindow);
    int nSaved = dc.SaveDC();
    COLORREF clrOldBk = dc.GetBkColor();
    dc.ExcludeClipRect(&a.m_rcClient);
    int nFill = LC_FACE_NORMAL;
    if (a.m_bFlag0)
        nFill = a.m_bFlag1 ? LC_XP_WINDOW_FACE : LC_XP_FACE_COPY;
    FillId(dc, rc, nFill, pSrc, lp);
    if (a.m_bFlag0)
    {
        COLORREF clr = GetColor(COLOR_3DSHADOW, pSrc, lp);
        dc.Draw3dRect(&rc, clr, clr);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, clr, clr);
        rc.DeflateRect(1, 1);
        dc.SetPixelV(rc.left, rc.top, clr);
        dc.SetPixelV(rc.right - 1, rc.top, clr);
        dc.SetPixelV(rc.left, rc.bottom - 1, clr);
        dc.SetPixelV(rc.right - 1, rc.bottom - 1, clr);
    }
    else
    {
        if (!a.m_bFlag1)
            Frame(dc, rc, COLOR_3DFACE, COLOR_3DFACE, pSrc, lp);
        if (!a.m_bFlag2 && GetScreenColorDepth() <= 8)
        {
            // Dotted outline from a checkerboard pattern pen.
            static const WORD s_rows[8] = { 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55 };
            HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, s_rows);
            HPEN hPen = NULL;
            if (hPattern != NULL)
            {
                LOGBRUSH lb;
                lb.lbStyle = BS_PATTERN;
                lb.lbColor = 0;
                lb.lbHatch = (ULONG_PTR)hPattern;
                hPen = ::ExtCreatePen(PS_GEOMETRIC, 1, &lb, 0, NULL);
            }
            if (hPen == NULL)
                hPen = ::CreatePen(PS_SOLID, 1, GetColor(COLOR_3DSHADOW, pSrc, lp));
            bool bOwnPen = hPen != NULL;
            if (hPen == NULL)
                hPen = (HPEN)::GetStockObject(BLACK_PEN);
            HGDIOBJ hOldPen = ::SelectObject(dc.GetSafeHdc(), hPen);
            HGDIOBJ hOldBrush = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
            CRect r(a.m_rcWindow);
            if (m_bSquareDottedFrame)
                dc.Rectangle(&r);
            else
            {
                POINT pts[9] = { { r.left + 2, r.top }, { r.right - 3, r.top },
                                 { r.right - 1, r.top + 2 }, { r.right - 1, r.bottom - 3 },
                                 { r.right - 3, r.bottom - 1 }, { r.left + 2, r.bottom - 1 },
                                 { r.left, r.bottom - 3 }, { r.left, r.top + 2 },
                                 { r.left + 2, r.top } };
                dc.Polyline(pts, 9);
            }
            ::SelectObject(dc.GetSafeHdc(), hOldPen);
            ::SelectObject(dc.GetSafeHdc(), hOldBrush);
            if (bOwnPen)
                ::DeleteObject(hPen);
            if (hPattern != NULL)
                ::DeleteObject(hPattern);
        }
    }
    dc.SetBkColor(clrOldBk);
    dc.RestoreDC(nSaved);
}

// Border lines of the CBRS_BORDER bits; the second set only with the 3-D bit.
void CExtPaintManager::DrawBorderLines(CDC& dc, const RECT& rcIn, DWORD dwStyle, COLORREF clr1,
                                       COLORREF clr2)
{
    if ((dwStyle & BAR_BORDER_ANY) == 0)
        return;
    CRect rc(rcIn);
    const int cyBorder2 = ::GetSystemMetrics(SM_CYBORDER) * 2;
    const int yTop = rc.top + ((dwStyle & BAR_BORDER_TOP) != 0 ? cyBorder2 : 0);
    const int yBottom = rc.bottom - ((dwStyle & BAR_BORDER_BOTTOM) != 0 ? cyBorder2 : 0);
    const bool b3d = (dwStyle & BAR_BORDER_3D) != 0;
    if ((dwStyle & BAR_BORDER_LEFT) != 0)
        dc.FillSolidRect(rc.left, yTop, 1, yBottom - yTop, clr1);
    if ((dwStyle & BAR_BORDER_TOP) != 0)
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clr1);
    if ((dwStyle & BAR_BORDER_RIGHT) != 0)
        dc.FillSolidRect(rc.right - 1 - (b3d ? 1 : 0), yTop, 1, yBottom - yTop, clr1);
    if ((dwStyle & BAR_BORDER_BOTTOM) != 0)
        dc.FillSolidRect(rc.left, rc.bottom - 1 - (b3d ? 1 : 0), rc.Width(), 1, clr1);
    if (!b3d)
        return;
    if ((dwStyle & BAR_BORDER_LEFT) != 0)
        dc.FillSolidRect(rc.left + 1, yTop, 1, yBottom - yTop, clr2);
    if ((dwStyle & BAR_BORDER_TOP) != 0)
        dc.FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, clr2);
    if ((dwStyle & BAR_BORDER_RIGHT) != 0)
        dc.FillSolidRect(rc.right - 1, yTop, 1, yBottom - yTop, clr2);
    if ((dwStyle & BAR_BORDER_BOTTOM) != 0)
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clr2);
}

void CExtPaintManager::DrawBarBorders(CDC& dc, BarBordersArgs_t& a)
{
    if (a.m_nBorderKind == 2)
    {
        Frame(dc, a.m_rc, LC_SHADOW_NORMAL, LC_HIGHLIGHT_NORMAL, a.m_pHelperSrc, a.m_lParam);
        return;
    }
    COLORREF clr = GetColor(LC_FACE_NORMAL, a.m_pHelperSrc, a.m_lParam);
    DrawBorderLines(dc, a.m_rc, a.m_dwStyle, clr, clr);
}

void CExtPaintManagerXP::DrawBarBorders(CDC& dc, BarBordersArgs_t& a)
{
    if (a.m_nBorderKind == 2)
    {
        Frame(dc, a.m_rc, COLOR_3DSHADOW, COLOR_3DSHADOW, a.m_pHelperSrc, a.m_lParam);
        return;
    }
    COLORREF clr = GetColor(LC_FACE_NORMAL, a.m_pHelperSrc, a.m_lParam);
    DrawBorderLines(dc, a.m_rc, a.m_dwStyle, clr, clr);
}

/////////////////////////////////////////////////////////////////////////////
// Caption buttons and system-command glyphs

namespace
{

// Normalised, with left and top moved in by 1 when the width or height is odd.
CRect NcButtonRect(const RECT& rcIn)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if ((rc.Width() & 1) != 0 || (rc.Height() & 1) != 0)
    {
        rc.left++;
        rc.top++;
    }
    return rc;
}

} // namespace

// Draws a raised caption button (close, expand, ...) of a bar's non-client area.
void CExtPaintManager::DrawNcAreaButton(CDC& dc, NcButtonArgs_t& a)
{
    CRect rc = NcButtonRect(a.m_rc);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    const COLORREF clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF clrHilight = ::GetSysColor(COLOR_3DHILIGHT);
    int nGlyph = a.m_nGlyphIndex == 1 ? 21 : a.m_nGlyphIndex;
    COLORREF clrGlyph = a.m_bEnabled ? RGB(0, 0, 0) : clrShadow;
    if (!a.m_bBarState3)
        rc.InflateRect(1, 1);
    rc.left--;
    rc.top--;
    dc.FillSolidRect(&rc, clrFace);
    CRect rcGlyph(rc);
    if (a.m_bPushed)
        rcGlyph.OffsetRect(1, 1);
    DrawGlyphIndex(dc, rcGlyph, nGlyph, clrGlyph);
    if (a.m_bEnabled && a.m_bPushed)
        dc.Draw3dRect(&rc, clrShadow, clrHilight);
    else if (a.m_bEnabled && a.m_bHover)
    {
        dc.Draw3dRect(&rc, clrFace, clrDkShadow);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, clrHilight, clrShadow);
    }
    else
        dc.Draw3dRect(&rc, clrHilight, clrShadow);
}

// Draws a flat caption button, framed while hot or pushed.
void CExtPaintManagerXP::DrawNcAreaButton(CDC& dc, NcButtonArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc = NcButtonRect(a.m_rc);
    int nGlyph = a.m_nGlyphIndex;
    if (nGlyph == 1 && a.m_bBarState1 && !a.m_bBarState3)
        nGlyph = 16;
    COLORREF clrGlyph;
    if ((a.m_bEnabled && a.m_bHover) || a.m_bPushed)
    {
        FillId(dc, rc, a.m_bPushed ? LC_XP_PUSHED_FACE : LC_FACE_HOT, pSrc, lp);
        CRect rcFrame(rc);
        rcFrame.InflateRect(1, 1);
        COLORREF clrFrame = GetColor(a.m_bBarState2 ? LC_XP_PUSHED_FACE : LC_XP_HOT_BORDER, pSrc, lp);
        dc.Draw3dRect(&rcFrame, clrFrame, clrFrame);
        clrGlyph = RGB(0, 0, 0);
    }
    else if (!a.m_bEnabled)
        clrGlyph = GetColor(COLOR_3DSHADOW, pSrc, lp);
    else if (a.m_bBarState1 && !a.m_bBarState2)
        clrGlyph = GetColor(COLOR_3DDKSHADOW, pSrc, lp);
    else
        clrGlyph = GetColor(COLOR_HIGHLIGHTTEXT, pSrc, lp);
    DrawGlyphIndex(dc, rc, nGlyph, clrGlyph);
}

// Draws the glyph of a system command (close, minimize, ...) in a button, grey when disabled.
void CExtPaintManager::DrawSysCommandGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rcIn,
                                           bool bHover, bool bPushed, bool bEnabled)
{
    int nGlyph = SysCommandGlyph(nHelperSysCmdID);
    if (nGlyph < 0)
        return;
    CRect rc(rcIn);
    if (bPushed)
    {
        CSize sizeOffset(0, 0);
        GetPushedOffset(&sizeOffset);
        rc.OffsetRect(sizeOffset);
    }
    if (bEnabled)
    {
        DrawGlyphIndex(dc, rc, nGlyph, GetColor(bHover ? COLOR_HIGHLIGHTTEXT : LC_TEXT_NORMAL));
        return;
    }
    CRect rcEmboss(rc);
    rcEmboss.OffsetRect(1, 1);
    DrawGlyphIndex(dc, rcEmboss, nGlyph, GetColor(LC_HIGHLIGHT_NORMAL));
    DrawGlyphIndex(dc, rc, nGlyph, GetColor(LC_SHADOW_NORMAL));
}

// Draws the glyph of a system command in the XP colours.
void CExtPaintManagerXP::DrawSysCommandGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rcIn,
                                             bool bHover, bool bPushed, bool bEnabled)
{
    int nGlyph = SysCommandGlyph(nHelperSysCmdID);
    if (nGlyph < 0)
        return;
    CRect rc(rcIn);
    if (bPushed)
    {
        CSize sizeOffset(0, 0);
        GetPushedOffset(&sizeOffset);
        rc.OffsetRect(sizeOffset);
    }
    if (!bEnabled)
    {
        DrawGlyphIndex(dc, rc, nGlyph, GetColor(COLOR_3DSHADOW));
        return;
    }
    if (m_bEnabledHoverIconShadows && bHover && !bPushed)
    {
        DrawGlyphIndex(dc, rc, nGlyph, GetColor(COLOR_3DSHADOW));
        rc.OffsetRect(-2, -2);
    }
    DrawGlyphIndex(dc, rc, nGlyph, GetColor(LC_TEXT_NORMAL));
}

/////////////////////////////////////////////////////////////////////////////
// Separators and the chevron

void CExtPaintManager::DrawSeparator(CDC& dc, const RECT& rcIn, bool bHorz, bool bNoFill,
                                     CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (!bNoFill)
        FillId(dc, rc, LC_FACE_NORMAL, pHelperSrc, lParam);
    CRect rcLine;
    if (bHorz)
    {
        int nMid = rc.left + rc.Width() / 2;
        rcLine.SetRect(nMid - 1, rc.top, nMid + 1, rc.bottom - 1);
    }
    else
    {
        int nMid = rc.top + rc.Height() / 2;
        rcLine.SetRect(rc.left, nMid - 1, rc.right - 1, nMid + 1);
    }
    Frame(dc, rcLine, LC_SHADOW_NORMAL, LC_HIGHLIGHT_NORMAL, pHelperSrc, lParam);
}

// Draws a toolbar separator line across or along the bar.
void CExtPaintManagerXP::DrawSeparator(CDC& dc, const RECT& rcIn, bool bHorz, bool bNoFill,
                                       CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (!bNoFill)
        FillId(dc, rc, LC_FACE_NORMAL, pHelperSrc, lParam);
    CRect rcLine;
    if (bHorz)
    {
        int nMid = rc.left + rc.Width() / 2;
        rcLine.SetRect(nMid - 1, rc.top + 1, nMid, rc.bottom - 1);
    }
    else
    {
        int nMid = rc.top + rc.Height() / 2;
        rcLine.SetRect(rc.left + 1, nMid - 1, rc.right - 1, nMid);
    }
    FillId(dc, rcLine, LC_XP_SEPARATOR, pHelperSrc, lParam);
}

namespace
{

// Positions of the chevron's arrow and expand glyphs.
void ChevronPositions(const CRect& rc, bool bHorz, const CSize& sizeArrow,
                      const CSize& sizeExpand, int s, int nShiftXP, CPoint& ptArrow,
                      CPoint& ptExpand)
{
    if (bHorz)
    {
        ptArrow.x = rc.left + (rc.Width() - sizeArrow.cx) / 2;
        ptArrow.y = rc.bottom - s - sizeArrow.cy;
        ptExpand.x = rc.left + (rc.Width() - sizeExpand.cx) / 2 + nShiftXP;
        ptExpand.y = rc.top + s;
    }
    else
    {
        ptArrow.x = rc.left + s;
        ptArrow.y = rc.top + (rc.Height() - sizeArrow.cy) / 2;
        ptExpand.x = rc.right - s - sizeExpand.cx;
        ptExpand.y = rc.top + (rc.Height() - sizeExpand.cy) / 2 + nShiftXP;
    }
}

} // namespace

// Draws the chevron button that opens the buttons a toolbar cannot show.
void CExtPaintManager::DrawToolBarChevron(CDC& dc, const RECT& rcIn, bool bHorz,
                                          bool bArrowOnly, bool bEnabled, bool bPushed,
                                          bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                          bool bTransparentBackground)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (!dc.RectVisible(&rc))
        return;
    PushButtonArgs_t pba(pHelperSrc, bHorz, rc, _T(""), NULL, true, bHover, bPushed, false,
                         bEnabled, true, false, false, 5, NULL, false, 0,
                         bTransparentBackground);
    pba.m_lParam = lParam;
    DrawPushButton(dc, pba);

    const GlyphMatrix_t& glyphArrow = bHorz ? g_glyphChevronArrowH : g_glyphChevronArrowV;
    const GlyphMatrix_t& glyphExpand = bHorz ? g_glyphChevronExpandH : g_glyphChevronExpandV;
    CSize sizeOffset(0, 0);
    GetPushedOffset(&sizeOffset);
    int s = 3 * (sizeOffset.cx > 1 ? sizeOffset.cx : 1);
    CPoint ptArrow, ptExpand;
    ChevronPositions(rc, bHorz, glyphArrow.GetSize(), glyphExpand.GetSize(), s, 0, ptArrow,
                     ptExpand);
    if (bPushed)
    {
        ptArrow += sizeOffset;
        ptExpand += sizeOffset;
    }
    if (bEnabled)
    {
        COLORREF colors[2] = { 0, GetColor(LC_TEXT_NORMAL, pHelperSrc, lParam) };
        DrawGlyph(dc, ptArrow.x, ptArrow.y, glyphArrow, colors);
        if (!bArrowOnly)
            DrawGlyph(dc, ptExpand.x, ptExpand.y, glyphExpand, colors);
        return;
    }
    COLORREF colors[2] = { 0, GetColor(COLOR_3DHILIGHT, pHelperSrc, lParam) };
    DrawGlyph(dc, ptArrow.x + 1, ptArrow.y + 1, glyphArrow, colors);
    colors[1] = GetColor(COLOR_3DSHADOW, pHelperSrc, lParam);
    DrawGlyph(dc, ptArrow.x, ptArrow.y, glyphArrow, colors);
}

// Draws the chevron button with the XP glyphs, the expand glyph only while enabled.
void CExtPaintManagerXP::DrawToolBarChevron(CDC& dc, const RECT& rcIn, bool bHorz,
                                            bool bArrowOnly, bool bEnabled, bool bPushed,
                                            bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                            bool bTransparentBackground)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (!dc.RectVisible(&rc))
        return;
    PushButtonArgs_t pba(pHelperSrc, bHorz, rc, _T(""), NULL, true, bHover, bPushed, false,
                         bEnabled, true, false, false, 5, NULL, false, 0,
                         bTransparentBackground);
    pba.m_lParam = lParam;
    DrawPushButton(dc, pba);

    const GlyphMatrix_t& glyphArrow = *(bHorz ? m_pGlyphChevronArrowH : m_pGlyphChevronArrowV);
    const GlyphMatrix_t& glyphExpand = *(bHorz ? m_pGlyphChevronExpandH : m_pGlyphChevronExpandV);
    CSize sizeOffset(0, 0);
    GetPushedOffset(&sizeOffset);
    int s = 3 * (sizeOffset.cx > 1 ? sizeOffset.cx : 1);
    CPoint ptArrow, ptExpand;
    ChevronPositions(rc, bHorz, glyphArrow.GetSize(), glyphExpand.GetSize(), s, 1, ptArrow,
                     ptExpand);
    if (m_bSwapChevronGlyphs)
    {
        CPoint pt = ptArrow;
        ptArrow = ptExpand;
        ptExpand = pt;
    }
    if (bPushed)
    {
        ptArrow += sizeOffset;
        ptExpand += sizeOffset;
    }
    COLORREF colors[2] = { 0, GetColor(bEnabled ? LC_TEXT_NORMAL : COLOR_3DSHADOW, pHelperSrc,
                                       lParam) };
    DrawGlyph(dc, ptArrow.x, ptArrow.y, glyphArrow, colors);
    if (bEnabled && !bArrowOnly)
        DrawGlyph(dc, ptExpand.x, ptExpand.y, glyphExpand, colors);
}

/////////////////////////////////////////////////////////////////////////////
// Button icons

namespace
{

// Icon rectangle inside the button by the alignment bits; rcText loses the icon's part.
CRect PlaceButtonIcon(bool bHorz, bool bText, const CSize& sizeIcon, const CRect& rcButton,
                      CRect& rcText, UINT nAlign)
{
    CRect rcIcon(0, 0, sizeIcon.cx, sizeIcon.cy);
    const bool bStart = (nAlign & 1) != 0 || (nAlign & 2) == 0;
    if (bHorz)
    {
        int x;
        if (!bText)
            x = rcButton.left + (rcButton.Width() - sizeIcon.cx) / 2;
        else if (bStart)
        {
            x = rcButton.left + 3;
            rcText.left += sizeIcon.cx + 3;
        }
        else
        {
            x = rcButton.right - 3 - sizeIcon.cx;
            rcText.right -= sizeIcon.cx + 3;
        }
        int y = rcButton.top;
        if ((nAlign & 4) != 0 || (bText && !bStart))
            y = rcButton.top + (rcButton.Height() - sizeIcon.cy) / 2;
        rcIcon.OffsetRect(x, y);
    }
    else
    {
        int y;
        if (!bText)
            y = rcButton.top + (rcButton.Height() - sizeIcon.cy) / 2;
        else if (bStart)
        {
            y = rcButton.top + 3;
            rcText.top += sizeIcon.cy + 3;
        }
        else
        {
            y = rcButton.bottom - 3 - sizeIcon.cy;
            rcText.bottom -= sizeIcon.cy + 3;
        }
        int x = rcButton.left;
        if ((nAlign & 4) != 0 || (bText && !bStart))
            x = rcButton.left + (rcButton.Width() - sizeIcon.cx) / 2;
        rcIcon.OffsetRect(x, y);
    }
    return rcIcon;
}

} // namespace

// Draws a button's icon and leaves the room for its text in rcText.
void CExtPaintManager::DrawButtonIcon(CDC& dc, bool bHorz, LPCTSTR sText, CExtCmdIcon* pIcon,
                                      const RECT& rcButton, CRect& rcText, bool bPushed,
                                      bool bEnabled, bool /*bHover*/, UINT nAlign)
{
    rcText = rcButton;
    if (pIcon == NULL || pIcon->IsEmpty())
        return;
    CRect rcIcon = PlaceButtonIcon(bHorz, sText != NULL && *sText != _T('\0'), pIcon->GetSize(),
                                   CRect(rcButton), rcText, nAlign);
    if (bPushed)
    {
        CSize sizeOffset(0, 0);
        GetPushedOffset(&sizeOffset);
        rcIcon.OffsetRect(sizeOffset);
    }
    pIcon->Paint(dc.GetSafeHdc(), &rcIcon,
                 bEnabled ? CExtCmdIcon::PAINT_NORMAL : CExtCmdIcon::PAINT_DISABLED, NULL);
}

// Draws a button's icon raised over its shadow while hot, or in the disabled effect.
void CExtPaintManagerXP::DrawButtonIcon(CDC& dc, bool bHorz, LPCTSTR sText, CExtCmdIcon* pIcon,
                                        const RECT& rcButton, CRect& rcText, bool bPushed,
                                        bool bEnabled, bool bHover, UINT nAlign)
{
    rcText = rcButton;
    if (pIcon == NULL || pIcon->IsEmpty())
        return;
    CRect rcIcon = PlaceButtonIcon(bHorz, sText != NULL && *sText != _T('\0'), pIcon->GetSize(),
                                   CRect(rcButton), rcText, nAlign);
    if (bPushed)
    {
        CSize sizeOffset(0, 0);
        GetPushedOffset(&sizeOffset);
        rcIcon.OffsetRect(sizeOffset);
    }
    if (m_bEnabledHoverIconShadows)
        rcIcon.OffsetRect(1, 1);
    if (bEnabled)
    {
        if (m_bEnabledHoverIconShadows && bHover && !bPushed)
        {
            HBRUSH hBrush = ::CreateSolidBrush(GetColor(COLOR_3DSHADOW));
            pIcon->Paint(dc.GetSafeHdc(), &rcIcon, CExtCmdIcon::PAINT_MONO, hBrush);
            if (hBrush != NULL)
                ::DeleteObject(hBrush);
            rcIcon.OffsetRect(-2, -2);
        }
        pIcon->Paint(dc.GetSafeHdc(), &rcIcon, CExtCmdIcon::PAINT_NORMAL, NULL);
        return;
    }
    int nState = CExtCmdIcon::PAINT_DISABLED;
    int nEffect = GetIconEffectParameter();
    if (nEffect != -1)
    {
        pIcon->SetEffectParameter(nEffect);
        pIcon->SetEffectFactor(GetIconEffectFactor());
        nState = CExtCmdIcon::PAINT_EFFECT;
    }
    HBRUSH hBrush = ::CreateSolidBrush(GetColor(LC_XP_SEPARATOR));
    pIcon->Paint(dc.GetSafeHdc(), &rcIcon, nState, hBrush);
    if (hBrush != NULL)
        ::DeleteObject(hBrush);
}

/////////////////////////////////////////////////////////////////////////////
// Backgrounds

void CExtPaintManager::DrawControlBarBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                                LPARAM lParam)
{
    if (dc.RectVisible(&rc))
        FillId(dc, rc, LC_FACE_NORMAL, pHelperSrc, lParam);
}

void CExtPaintManager::DrawDockBarBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                             LPARAM lParam)
{
    if (dc.RectVisible(&rc))
        FillId(dc, rc, COLOR_3DFACE, pHelperSrc, lParam);
}

bool CExtPaintManager::FillBackground(CWnd* /*pWnd*/, CDC& dc, const RECT& rc)
{
    FillId(dc, rc, LC_FACE_NORMAL);
    return false;
}

// Paints a window's background as its parent would; the base look fills the face colour and answers false.
bool CExtPaintManager::DrawParentBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    CRect rc;
    if (bClient)
        ::GetClientRect(pWnd->GetSafeHwnd(), &rc);
    else
    {
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
        rc.OffsetRect(-rc.left, -rc.top);
    }
    FillId(dc, rc, LC_FACE_NORMAL, pWnd, lParam);
    return false;
}

bool CExtPaintManagerXP::DrawParentBackground(bool /*bClient*/, CDC& /*dc*/, CWnd* /*pWnd*/,
                                              LPARAM /*lParam*/)
{
    return false;
}

void CExtPaintManager::FillShadowBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                            LPARAM lParam)
{
    if (dc.RectVisible(&rc))
        FillId(dc, rc, COLOR_3DSHADOW, pHelperSrc, lParam);
}

void CExtPaintManagerXP::FillShadowBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                              LPARAM lParam)
{
    FillId(dc, rc, LC_FACE_NORMAL, pHelperSrc, lParam);
}

void CExtPaintManager::FillWindowColor(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                       LPARAM lParam)
{
    if (dc.RectVisible(&rc))
        FillId(dc, rc, COLOR_WINDOW, pHelperSrc, lParam);
}

void CExtPaintManager::FillShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                      LPARAM lParam)
{
    if (dc.RectVisible(&rc))
        FillId(dc, rc, COLOR_3DSHADOW, pHelperSrc, lParam);
}
