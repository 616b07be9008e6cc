// ExtPaintManagerButtons.cpp - push buttons, popup-menu items, the menu expand button and
// tab items in both looks.

#include "stdafx.h"
#include "ExtPaintManager.h"
#include "ExtCmdIcon.h"

#include <stdlib.h>

namespace
{

inline COLORREF Override(COLORREF clrForce, COLORREF clrDefault)
{
    return clrForce != (COLORREF)-1 ? clrForce : clrDefault;
}

// Text without its first mnemonic marker ("&&" stays one '&'); nMnemonic receives the
// position of the marked character in the result, -1 when there is none.
CString StripMnemonic(LPCTSTR sText, int& nMnemonic)
{
    CString strResult;
    nMnemonic = -1;
    for (LPCTSTR p = sText; *p != _T('\0'); p++)
    {
        if (*p == _T('&'))
        {
            if (p[1] == _T('&'))
            {
                strResult += _T('&');
                p++;
                continue;
            }
            if (p[1] != _T('\0') && nMnemonic < 0)
                nMnemonic = strResult.GetLength();
            continue;
        }
        strResult += *p;
    }
    return strResult;
}

// The sub-menu arrow: a solid triangle pointing right, in the text colour, centred in the
// cell, as tall as the symbol font's arrow character. Drawn here rather than taken from
// the font, whose character at that code is another picture in some font versions.
void DrawSubMenuArrow(CDC& dc, const CRect& rcCell, CFont& fontSymbol)
{
    int nFontHeight = 12;
    LOGFONT lf;
    if (fontSymbol.GetSafeHandle() != NULL && fontSymbol.GetLogFont(&lf) && lf.lfHeight != 0)
        nFontHeight = abs(lf.lfHeight);
    int nRows = (nFontHeight / 2) | 1;
    if (nRows < 5)
        nRows = 5;
    const int nColumns = (nRows + 1) / 2;
    const int x = rcCell.left + (rcCell.Width() - nColumns) / 2;
    const int y = rcCell.top + (rcCell.Height() - nRows) / 2;
    CBrush brush(dc.GetTextColor());
    for (int nRow = 0; nRow < nRows; nRow++)
    {
        const int nWidth = (nRow < nRows - 1 - nRow ? nRow : nRows - 1 - nRow) + 1;
        CRect rcRow(x, y + nRow, x + nWidth, y + nRow + 1);
        dc.FillRect(&rcRow, &brush);
    }
}

// Text drawn with DrawState (DST_PREFIXTEXT) at the top-left of rc, vertically centred by
// measurement; the current font and text colour of the DC are used.
void DrawStateText(CDC& dc, const CRect& rc, LPCTSTR sText, UINT nStyle, HBRUSH hBrush)
{
    CRect rcMeasure(0, 0, 0, 0);
    dc.DrawText(sText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
    CPoint pt(rc.left, rc.top + (rc.Height() - rcMeasure.Height()) / 2);
    dc.DrawState(pt, rcMeasure.Size(), sText, DST_PREFIXTEXT | nStyle, TRUE, 0, hBrush);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Push buttons

void CExtPaintManager::DrawVerticalButtonText(CDC& dc, const CRect& rcText, LPCTSTR sText,
                                              HFONT hFont, COLORREF clrText,
                                              bool bDisabledEmboss)
{
    int nMnemonic = -1;
    CString strText = StripMnemonic(sText, nMnemonic);
    if (strText.IsEmpty())
        return;
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), hFont);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    CSize sizeText = dc.GetTextExtent(strText);
    // Escapement 2700: the text runs downward, the glyphs' tops face right.
    int x = rcText.left + (rcText.Width() + tm.tmHeight) / 2;
    int y = rcText.top + (rcText.Height() - sizeText.cx) / 2;
    UINT nOldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
    struct Pass
    {
        int dx, dy;
        COLORREF clr;
    };
    Pass passes[2] = { { 0, 0, clrText }, { 0, 0, clrText } };
    int nPasses = 1;
    if (bDisabledEmboss)
    {
        passes[0] = { 1, 1, ::GetSysColor(COLOR_3DHILIGHT) };
        passes[1] = { 0, 0, ::GetSysColor(COLOR_3DSHADOW) };
        nPasses = 2;
    }
    for (int i = 0; i < nPasses; i++)
    {
        dc.SetTextColor(passes[i].clr);
        dc.TextOut(x + passes[i].dx, y + passes[i].dy, strText);
        if (nMnemonic >= 0 && nMnemonic < strText.GetLength())
        {
            int nFrom = nMnemonic > 0 ? dc.GetTextExtent(strText, nMnemonic).cx : 0;
            int nTo = dc.GetTextExtent(strText, nMnemonic + 1).cx;
            int xLine = x - tm.tmAscent - 1 + passes[i].dx;
            dc.FillSolidRect(xLine, y + nFrom + passes[i].dy, 1, nTo - nFrom, passes[i].clr);
        }
    }
    dc.SetTextAlign(nOldAlign);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
}

// A push button of either look: faces, drop-down part, frame, glyphs, text and focus.
void CExtPaintManager::PaintPushButton(CDC& dc, PushButtonArgs_t& a, bool bFlatLook)
{
    CRect rcButton(a.m_rcButton);
    if (rcButton.IsRectEmpty() || dc.GetSafeHdc() == NULL)
        return;
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;

    bool bHover = a.m_bHover, bFocus = a.m_bDrawFocusRect;
    const bool bEnabled = a.m_bEnabled, bPushed = a.m_bPushed, bFlat = a.m_bFlat;
    const bool bBorder = a.m_bDrawBorder, bHorz = a.m_bHorz;
    if (!bEnabled)
        bHover = bFocus = false;    // disabled buttons never show hover or focus
    if (a.m_bSeparatedDropDown && (bPushed || a.m_bPushedDropDown))
        bHover = false;
    const bool bArrowPushed = (bPushed && !a.m_bSeparatedDropDown) || a.m_bPushedDropDown;

    COLORREF clrOldText = dc.GetTextColor();
    COLORREF clrOldBk = dc.GetBkColor();
    int nOldBkMode = dc.SetBkMode(TRANSPARENT);

    // Face colours of the body and of the drop-down part.
    int nFace, nArrowFace;
    if (!bFlatLook)
        nFace = nArrowFace = (bHover || bPushed) ? LC_FACE_HOT : LC_FACE_NORMAL;
    else if (bHover || bPushed || a.m_bPushedDropDown)
    {
        nFace = (bPushed && bHover && !a.m_bPushedDropDown) ? LC_XP_PUSHED_FACE : LC_FACE_HOT;
        nArrowFace = (bArrowPushed && bHover) ? LC_XP_PUSHED_FACE : LC_FACE_HOT;
    }
    else
        nFace = nArrowFace = bFlat ? LC_FACE_NORMAL : COLOR_3DFACE;
    const int nBorder = (bHover || bPushed || a.m_bPushedDropDown || bFlat) ? LC_XP_HOT_BORDER
                                                                           : COLOR_3DDKSHADOW;
    auto frame = [&](const CRect& rc, int nTopLeft, int nBottomRight) {
        if (bFlatLook)
            Frame(dc, rc, nBorder, nBorder, pSrc, lp);
        else
            Frame(dc, rc, nTopLeft, nBottomRight, pSrc, lp);
    };

    CRect rcContent(rcButton), rcArrow(0, 0, 0, 0);
    const GlyphMatrix_t& glyphArrow = bHorz ? g_glyphChevronArrowH : g_glyphDropDownArrowV;
    if (a.m_bDropDown)
    {
        rcArrow = rcButton;
        if (bHorz)
        {
            rcArrow.left = rcArrow.right - (glyphArrow.m_nWidth + 6);
            rcContent.right = rcArrow.left;
        }
        else
        {
            rcArrow.top = rcArrow.bottom - (glyphArrow.m_nHeight + 6);
            rcContent.bottom = rcArrow.top;
        }
        if (!a.m_bTransparentBackground)
        {
            if (!bFlatLook)
            {
                if (bEnabled && bHover && bArrowPushed)
                    dc.FillRect(&rcArrow, &m_brushHalftone[HTB_LIGHT_1_2]);
                else
                    FillId(dc, rcArrow, nArrowFace, pSrc, lp);
            }
            else if (bHover || bArrowPushed)
                FillId(dc, rcArrow, nArrowFace, pSrc, lp);
        }
        if (a.m_bSeparatedDropDown)
        {
            if (bArrowPushed && (!bFlat || bBorder))
                frame(rcArrow, LC_SHADOW_HOT, LC_HIGHLIGHT_HOT);
            else if (!bArrowPushed && (!bFlat || (bHover && bBorder)))
                frame(rcArrow, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL);
        }
    }

    // Body.
    if (!a.m_bTransparentBackground)
    {
        bool bGradient = false;
        if (bFlatLook && (bHover || bPushed) && IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)))
        {
            const CExtPaintManagerXP* pXP = static_cast<const CExtPaintManagerXP*>(this);
            const int* pPair = (bHover && bPushed) ? pXP->m_nIdxClrBtnHoverPushed
                : (bHover ? pXP->m_nIdxClrBtnHover : pXP->m_nIdxClrBtnPushed);
            if (pPair[0] >= 0 && pPair[1] >= 0)
            {
                GradientFillRect(dc, rcContent, GetColor(pPair[0], pSrc, lp),
                                 GetColor(pPair[1], pSrc, lp), bHorz, 256);
                bGradient = true;
            }
        }
        if (!bGradient)
        {
            if (!bFlatLook && bEnabled && bPushed && bHover)
                dc.FillRect(&rcContent, &m_brushHalftone[HTB_LIGHT_1_2]);
            else
                FillId(dc, rcContent, nFace, pSrc, lp);
        }
    }
    CRect rcFrame = a.m_bSeparatedDropDown ? rcContent : rcButton;
    if (bPushed)
    {
        if (!(bFlat && !bBorder))
            frame(rcFrame, LC_SHADOW_HOT, LC_HIGHLIGHT_HOT);
    }
    else if (bFlat)
    {
        if (bHover && bBorder)
            frame(rcFrame, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL);
    }
    else
    {
        frame(rcFrame, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL);
        if (bHover)
        {
            frame(rcFrame, LC_SHADOW_NORMAL, LC_DKSHADOW_NORMAL);
            CRect rcInner(rcFrame);
            rcInner.DeflateRect(1, 1);
            frame(rcInner, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL);
        }
    }

    CSize sizePushedOffset(0, 0);
    GetPushedOffset(&sizePushedOffset);

    CRect rcText = PaintPushButtonGlyphs(dc, a, rcContent, rcArrow, glyphArrow, bHover,
                                         bArrowPushed, sizePushedOffset, bFlatLook);

    // Text.
    if (!rcText.IsRectEmpty() && *a.m_sText != _T('\0'))
    {
        if (bPushed)
            rcText.OffsetRect(sizePushedOffset);
        const COLORREF clrText = PushButtonTextColor(a, bFlatLook, bHover);
        dc.SetTextColor(clrText);
        PaintPushButtonText(dc, a, rcText, clrText, bFlatLook);
    }

    if (bFocus)
    {
        CRect rcFocus(rcText);
        rcFocus.DeflateRect(3, 3);
        dc.DrawFocusRect(&rcFocus);
    }
    dc.SetBkMode(nOldBkMode);
    dc.SetBkColor(clrOldBk);
    dc.SetTextColor(clrOldText);
}

// The drop-down arrow and the icon or system glyph; the rest of the content is the text's.
CRect CExtPaintManager::PaintPushButtonGlyphs(CDC& dc, const PushButtonArgs_t& a,
                                             const CRect& rcContent, const CRect& rcArrow,
                                             const GlyphMatrix_t& glyphArrow, bool bHover,
                                             bool bArrowPushed, CSize sizePushedOffset,
                                             bool bFlatLook)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    const bool bEnabled = a.m_bEnabled, bPushed = a.m_bPushed, bHorz = a.m_bHorz;
    // Drop-down arrow.
    if (a.m_bDropDown)
    {
        CRect rcGlyph(rcArrow);
        if (bArrowPushed)
            rcGlyph.OffsetRect(sizePushedOffset);
        COLORREF clrGlyph = bFlatLook
            ? GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW, pSrc, lp)
            : GetColor(bEnabled ? LC_TEXT_NORMAL : LC_SHADOW_NORMAL, pSrc, lp);
        COLORREF colors[2] = { 0, clrGlyph };
        DrawGlyphCentered(dc, rcGlyph, glyphArrow, colors);
    }

    // Icon or system-command glyph.
    CRect rcText(rcContent);
    if (a.m_pIcon != NULL && !a.m_pIcon->IsEmpty())
        DrawButtonIcon(dc, bHorz, a.m_sText, a.m_pIcon, rcContent, rcText, bPushed, bEnabled,
                       bHover, a.m_nAlign);
    else
    {
        if (bHorz)
            rcText.DeflateRect(2, 0);
        else
            rcText.DeflateRect(0, 2);
        DrawSysCommandGlyph(dc, a.m_nHelperSysCmdID, rcText, false, bPushed, bEnabled);
    }

    return rcText;
}

// The text colour of a button state; a colour the caller forces wins over the look's.
COLORREF CExtPaintManager::PushButtonTextColor(const PushButtonArgs_t& a, bool bFlatLook,
                                               bool bHover)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    const bool bEnabled = a.m_bEnabled, bPushed = a.m_bPushed;
    if (!bFlatLook)
    {
        if (!bEnabled)
            return Override(a.m_clrForceTextDisabled, GetColor(COLOR_3DFACE, pSrc, lp));
        if (bPushed && a.m_clrForceTextPressed != (COLORREF)-1)
            return a.m_clrForceTextPressed;
        if (bHover && a.m_clrForceTextHover != (COLORREF)-1)
            return a.m_clrForceTextHover;
        return Override(a.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT, pSrc, lp));
    }
    if (!bEnabled)
        return Override(a.m_clrForceTextDisabled, GetColor(COLOR_3DSHADOW, pSrc, lp));
    if (bHover && bPushed)
        return Override(a.m_clrForceTextPressed,
                        Override(a.m_clrForceTextNormal, GetColor(LC_XP_HOT_TEXT, pSrc, lp)));
    return Override(a.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT, pSrc, lp));
}

// The button text across, or reading down on a vertical button with a rotated font.
void CExtPaintManager::PaintPushButtonText(CDC& dc, const PushButtonArgs_t& a,
                                           const CRect& rcTextIn, COLORREF clrText,
                                           bool bFlatLook)
{
    CRect rcText(rcTextIn);
    const bool bEnabled = a.m_bEnabled, bHorz = a.m_bHorz;
    HFONT hFont = a.m_hFont;
    if (hFont == NULL)
    {
        CFont& font = bHorz ? (a.m_bBold ? m_FontBold : m_FontNormal)
                            : (a.m_bBold ? m_FontBoldVert : m_FontNormalVert);
        hFont = (HFONT)font.GetSafeHandle();
    }
    if (bHorz)
    {
        HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
        if (bFlatLook || a.m_bUseDrawText)
            dc.DrawText(a.m_sText, -1, &rcText, a.m_nDrawTextFlags);
        else
        {
            CRect rcMeasure(0, 0, 0, 0);
            dc.DrawText(a.m_sText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
            CPoint pt(rcText.left, rcText.top);
            if ((a.m_nDrawTextFlags & DT_CENTER) != 0)
                pt.x += (rcText.Width() - rcMeasure.Width()) / 2;
            else if ((a.m_nDrawTextFlags & DT_RIGHT) != 0)
                pt.x = rcText.right - rcMeasure.Width();
            if ((a.m_nDrawTextFlags & DT_VCENTER) != 0)
                pt.y += (rcText.Height() - rcMeasure.Height()) / 2;
            UINT nStyle = (!bEnabled && a.m_clrForceTextDisabled == (COLORREF)-1)
                ? m_nDisabledTextStyle : DSS_NORMAL;
            dc.DrawState(pt, rcMeasure.Size(), a.m_sText, DST_PREFIXTEXT | nStyle, TRUE, 0,
                         (HBRUSH)NULL);
        }
        if (hOldFont != NULL)
            ::SelectObject(dc.GetSafeHdc(), hOldFont);
    }
    else
    {
        // Vertical buttons draw with a font reading down.
        HFONT hRotated = NULL;
        LOGFONT lf;
        if (hFont != NULL && ::GetObject(hFont, sizeof(lf), &lf) == sizeof(lf)
            && lf.lfEscapement == 0)
        {
            lf.lfEscapement = lf.lfOrientation = 2700;
            hRotated = ::CreateFontIndirect(&lf);
        }
        bool bEmboss = !bEnabled && a.m_clrForceTextDisabled == (COLORREF)-1;
        DrawVerticalButtonText(dc, rcText, a.m_sText, hRotated != NULL ? hRotated : hFont,
                               clrText, bEmboss);
        if (hRotated != NULL)
            ::DeleteObject(hRotated);
    }
}

void CExtPaintManager::DrawPushButton(CDC& dc, PushButtonArgs_t& a)
{
    PaintPushButton(dc, a, false);
}

void CExtPaintManagerXP::DrawPushButton(CDC& dc, PushButtonArgs_t& a)
{
    PaintPushButton(dc, a, true);
}

/////////////////////////////////////////////////////////////////////////////
// Popup menu items

namespace
{

// Icon rectangle of a menu row: the icon's size (16 x 16 without one; a narrow icon
// lower than wide counts as square), centred in the band and in the row.
CRect MenuIconRect(const CExtPaintManager::MenuItemArgs_t& a, const CRect& rcRow)
{
    CSize sizeIcon(16, 16);
    if (a.m_pIcon != NULL && !a.m_pIcon->IsEmpty())
        sizeIcon = a.m_pIcon->GetSize();
    if (sizeIcon.cx <= 18 && sizeIcon.cy < sizeIcon.cx)
        sizeIcon.cy = sizeIcon.cx;
    const int nBand = a.m_nIconAreaWidth;
    CRect rc(rcRow.left, rcRow.top, rcRow.left + sizeIcon.cx, rcRow.top + sizeIcon.cy);
    int dx = a.m_bToggleLook ? nBand / 2 + (nBand / 2 - sizeIcon.cx) / 2 - 2
                             : (nBand - sizeIcon.cx) / 2 - 1;
    rc.OffsetRect(dx, (rcRow.Height() - sizeIcon.cy) / 2);
    return rc;
}

} // namespace

// The in-place edit field of a menu row.
void CExtPaintManager::DrawMenuItemInplaceEdit(CDC& dc, MenuItemArgs_t& a, bool bFlatLook)
{
    if (a.m_rcInplaceEdit.IsRectEmpty())
        return;
    CObject* pSrc = a.m_pSourceObject;
    const LPARAM lp = a.m_lParam;
    CRect rcEdit(a.m_rcInplaceEdit);
    rcEdit.InflateRect(1, 2);
    CRect rcField(rcEdit);
    CRect rcButton(0, 0, 0, 0);
    if (a.m_bPopup)
    {
        rcButton.SetRect(rcEdit.right, rcEdit.top, rcEdit.right + ::GetSystemMetrics(SM_CXHTHUMB),
                         rcEdit.bottom);
        rcField.right = rcButton.right;
    }
    FillId(dc, rcField, a.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE, pSrc, lp);
    int nFrame;
    if (bFlatLook)
        nFrame = a.m_bSelected ? LC_XP_HOT_BORDER
                               : (a.m_bEnabled ? LC_XP_SYS_FACE : LC_XP_DIM_BORDER);
    else
        nFrame = a.m_bEnabled ? COLOR_3DSHADOW : COLOR_3DFACE;
    if (a.m_bPopup)
    {
        if (bFlatLook && a.m_bSelected && a.m_bEnabled)
        {
            PushButtonArgs_t pba(pSrc, true, rcButton, _T(""), NULL, true, true, a.m_bChildOpen,
                                 false, true, true, false, false, 5, NULL, false, 0, false);
            pba.m_lParam = lp;
            DrawPushButton(dc, pba);
            Frame(dc, rcButton, LC_XP_HOT_BORDER, LC_XP_HOT_BORDER, pSrc, lp);
        }
        else if (a.m_bEnabled)
        {
            CRect rcCell(rcButton);
            rcCell.DeflateRect(2, 2);
            FillId(dc, rcCell, COLOR_3DFACE, pSrc, lp);
        }
        COLORREF clrGlyph;
        if (!a.m_bEnabled)
            clrGlyph = ::GetSysColor(COLOR_3DSHADOW);
        else if (bFlatLook && a.m_bSelected && a.m_bChildOpen)
            clrGlyph = GetColor(LC_XP_HOT_TEXT, pSrc, lp);
        else
            clrGlyph = GetColor(COLOR_BTNTEXT, pSrc, lp);
        COLORREF colors[2] = { 0, clrGlyph };
        DrawGlyphCentered(dc, rcButton, g_glyphChevronArrowH, colors);
    }
    Frame(dc, rcField, nFrame, nFrame, pSrc, lp);
    if (!a.m_sInplaceEditText.IsEmpty())
    {
        CRect rcText(a.m_rcInplaceEdit);
        rcText.left += 5;
        rcText.top += 3;
        rcText.right -= 2;
        int nOldMode = dc.SetBkMode(TRANSPARENT);
        COLORREF clrOld = dc.SetTextColor(GetColor(a.m_bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW,
                                                   pSrc, lp));
        CFont* pOldFont = dc.SelectObject(&m_FontNormal);
        dc.DrawText(a.m_sInplaceEditText, &rcText, DT_SINGLELINE | DT_NOPREFIX);
        dc.SelectObject(pOldFont);
        dc.SetTextColor(clrOld);
        dc.SetBkMode(nOldMode);
    }
}

// Draws a menu item: row, icon band, text, accelerator, marks and sub-menu arrow.
void CExtPaintManager::DrawMenuItem(CDC& dc, MenuItemArgs_t& a)
{
    CRect rcRow(a.m_rcItemWithIndents);
    if (a.m_rcItem.IsRectEmpty() || dc.GetSafeHdc() == NULL)
        return;
    CObject* pSrc = a.m_pSourceObject;
    const LPARAM lp = a.m_lParam;
    const int nBand = a.m_bNoIconBand ? 0 : a.m_nIconAreaWidth;
    const bool bIcon = a.m_pIcon != NULL && !a.m_pIcon->IsEmpty();
    const bool bMark = a.m_bChecked || a.m_bRadio;

    FillId(dc, rcRow, LC_FACE_NORMAL, pSrc, lp);
    if (a.m_bRarelyUsed)
    {
        dc.FillRect(&rcRow, &m_brushHalftone[HTB_LIGHT_1_2]);
        if (!a.m_bRarelyUsedPrev)
            dc.FillSolidRect(rcRow.left, rcRow.top, rcRow.Width(), 1, GetColor(COLOR_3DSHADOW, pSrc, lp));
        if (!a.m_bRarelyUsedNext)
            dc.FillSolidRect(rcRow.left, rcRow.bottom - 1, rcRow.Width(), 1,
                             GetColor(COLOR_3DHILIGHT, pSrc, lp));
    }
    const COLORREF clrText = a.m_bSelected ? GetColor(COLOR_HIGHLIGHTTEXT, pSrc, lp)
                                           : GetColor(LC_TEXT_NORMAL, pSrc, lp);

    // Text area: highlighted when selected; the band stays out of it for rows with an
    // icon or mark.
    CRect rcArea(a.m_rcItem);
    rcArea.left += 1;
    if (bIcon || bMark)
        rcArea.left = rcRow.left + nBand;
    if (a.m_bSelected)
        FillId(dc, rcArea, COLOR_HIGHLIGHT, pSrc, lp);
    else if (!a.m_bRarelyUsed)
        FillId(dc, rcArea, LC_FACE_NORMAL, pSrc, lp);
    if (!bIcon && !bMark)
        rcArea.left = rcRow.left + nBand;
    CRect rcText(rcArea);
    rcText.DeflateRect(6, 3);

    int nOldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOldText = dc.SetTextColor(clrText);
    CFont* pOldFont = dc.SelectObject(&m_FontNormal);
    if (*a.m_sText != _T('\0'))
        DrawStateText(dc, rcText, a.m_sText, a.m_bEnabled ? DSS_NORMAL : m_nDisabledTextStyle,
                      NULL);
    if (*a.m_sAccelText != _T('\0'))
    {
        CRect rcMeasure(0, 0, 0, 0);
        dc.DrawText(a.m_sAccelText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
        CRect rcAccel(rcText.right - 16 - rcMeasure.Width(), rcText.top, rcText.right - 16,
                      rcText.bottom);
        DrawStateText(dc, rcAccel, a.m_sAccelText,
                      a.m_bEnabled ? DSS_NORMAL : m_nDisabledTextStyle, NULL);
    }
    if (a.m_bPopup)
    {
        CRect rcCell(rcRow);
        rcCell.DeflateRect(3, 3);
        rcCell.left = rcCell.right - 16 + 2;
        DrawSubMenuArrow(dc, rcCell, m_FontMarlett);
    }
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOldText);
    dc.SetBkMode(nOldMode);

    // Icon, marks or system-command glyph.
    CRect rcIcon = MenuIconRect(a, rcRow);
    CRect rcCell(rcIcon);
    rcCell.InflateRect(2, 2);
    CRect rcDummy;
    if (bMark)
    {
        if (bIcon)
            DrawButtonIcon(dc, true, _T(""), a.m_pIcon, rcIcon, rcDummy, true, a.m_bEnabled,
                           false, 5);
        else
        {
            CPoint ptCenter = rcIcon.CenterPoint();
            COLORREF clrMark = GetColor(LC_TEXT_NORMAL, pSrc, lp);
            if (a.m_bChecked)
                DrawCheckMark(dc, ptCenter.x - 3, ptCenter.y - 3, clrMark);
            else
                DrawEllipseDot(dc, ptCenter.x - 3, ptCenter.y - 3, clrMark);
        }
        Frame(dc, rcCell, LC_SHADOW_NORMAL, LC_HIGHLIGHT_NORMAL, pSrc, lp);
    }
    else if (bIcon)
    {
        DrawButtonIcon(dc, true, _T(""), a.m_pIcon, rcIcon, rcDummy, false, a.m_bEnabled,
                       a.m_bSelected, 5);
        if (a.m_bSelected && a.m_bEnabled)
            Frame(dc, rcCell, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL, pSrc, lp);
    }
    else
        DrawSysCommandGlyph(dc, a.m_nCmdID, rcIcon, a.m_bSelected, false, a.m_bEnabled);

    DrawMenuItemInplaceEdit(dc, a, false);
}

// Draws a menu item in the XP look: icon band, framed highlight, toggle box.
void CExtPaintManagerXP::DrawMenuItem(CDC& dc, MenuItemArgs_t& a)
{
    CRect rcRow(a.m_rcItemWithIndents);
    if (a.m_rcItem.IsRectEmpty() || dc.GetSafeHdc() == NULL)
        return;
    CObject* pSrc = a.m_pSourceObject;
    const LPARAM lp = a.m_lParam;
    const int nBand = a.m_bNoIconBand ? 0 : a.m_nIconAreaWidth;
    const bool bIcon = a.m_pIcon != NULL && !a.m_pIcon->IsEmpty();
    const int nMarkBk = a.m_bSelected ? LC_XP_PUSHED_FACE : LC_FACE_HOT;
    const COLORREF clrBorder = GetColor(LC_XP_HOT_BORDER, pSrc, lp);
    const COLORREF clrText = GetColor(LC_TEXT_NORMAL, pSrc, lp);

    // Icon band and the rest of the row.
    CRect rcBand(rcRow.left, rcRow.top, rcRow.left + a.m_nIconAreaWidth, rcRow.bottom);
    const int* pGroup = a.m_bRarelyUsed ? m_nIdxClrMenuBandRarely : m_nIdxClrMenuBandNormal;
    if (!a.m_bNoIconBand && GetScreenColorDepth() >= 9 && IsGradientSet(pGroup, 3))
        GradientFillTwoPart(dc, rcBand, GetColor(pGroup[0], pSrc, lp),
                            GetColor(pGroup[2], pSrc, lp), GetColor(pGroup[1], pSrc, lp),
                            false, 1, 2, 256);
    else
        FillId(dc, rcBand, a.m_bRarelyUsed ? LC_XP_ICON_BAND : LC_FACE_NORMAL, pSrc, lp);
    CRect rcRest(rcRow);
    rcRest.left += nBand;
    FillId(dc, rcRest, LC_XP_MENU_FACE, pSrc, lp);
    if (a.m_bSelected)
    {
        FillId(dc, rcRow, LC_FACE_HOT, pSrc, lp);
        dc.Draw3dRect(&rcRow, clrBorder, clrBorder);
    }

    // Text, accelerator and sub-menu arrow.
    CRect rcText(rcRow);
    rcText.left += nBand;
    rcText.DeflateRect(3, 1);
    rcText.left += 5;
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOldText = dc.SetTextColor(clrText);
    CFont* pOldFont = dc.SelectObject(&m_FontNormal);
    HBRUSH hMonoBrush = a.m_bEnabled ? NULL : ::CreateSolidBrush(GetColor(COLOR_3DSHADOW, pSrc, lp));
    const UINT nStyle = a.m_bEnabled ? DSS_NORMAL : m_nDisabledTextStyle;
    if (*a.m_sText != _T('\0'))
        DrawStateText(dc, rcText, a.m_sText, nStyle, hMonoBrush);
    if (*a.m_sAccelText != _T('\0'))
    {
        CRect rcAccel(rcText);
        rcAccel.OffsetRect(-5, 0);
        CRect rcMeasure(0, 0, 0, 0);
        dc.DrawText(a.m_sAccelText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
        rcAccel.right -= 16;
        rcAccel.left = rcAccel.right - rcMeasure.Width();
        DrawStateText(dc, rcAccel, a.m_sAccelText, nStyle, hMonoBrush);
    }
    if (hMonoBrush != NULL)
        ::DeleteObject(hMonoBrush);
    if (a.m_bPopup)
    {
        CRect rcArrowRow(rcRow);
        rcArrowRow.DeflateRect(3, 3);
        CRect rcCell(rcArrowRow.right - 16, rcArrowRow.top, rcArrowRow.right, rcArrowRow.bottom);
        if (a.m_bSplitPopup)
        {
            if (a.m_bSelected)
            {
                FillId(dc, CRect(rcCell.left - 2, rcRow.top, rcCell.left - 1, rcRow.bottom),
                       LC_XP_PUSHED_FACE, pSrc, lp);
                FillId(dc, CRect(rcCell.left - 1, rcRow.top, rcCell.left, rcRow.bottom),
                       LC_XP_HOT_BORDER, pSrc, lp);
            }
            else
                FillId(dc, CRect(rcCell.left - 1, rcArrowRow.top, rcCell.left, rcArrowRow.bottom),
                       LC_XP_SEPARATOR, pSrc, lp);
        }
        if (a.m_bGlyphArrow)
        {
            COLORREF colors[2] = { 0, clrText };
            DrawGlyphCentered(dc, rcCell, g_glyphSubMenuArrow, colors);
        }
        else
        {
            rcCell.left += 2;
            DrawSubMenuArrow(dc, rcCell, m_FontMarlett);
        }
    }
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOldText);
    dc.SetBkMode(nOldMode);

    // Icon, toggle box and marks.
    CRect rcIcon = MenuIconRect(a, rcRow);
    CRect rcDummy;
    if (a.m_bToggleLook && a.m_bTogglePressed)
    {
        int nSide = rcRow.Height() - 2;
        CRect rcBox(rcRow.left + 1, rcRow.top + 1, rcRow.left + 1 + nSide, rcRow.top + 1 + nSide);
        FillId(dc, rcBox, nMarkBk, pSrc, lp);
        CPoint ptCenter = rcBox.CenterPoint();
        DrawCheckMark(dc, ptCenter.x - 3, ptCenter.y - 3, clrText);
        dc.Draw3dRect(&rcBox, clrBorder, clrBorder);
    }
    if (a.m_bChecked || a.m_bRadio)
    {
        CRect rcMark(rcIcon);
        rcMark.InflateRect(2, 2);
        const int* pPair = a.m_bSelected ? m_nIdxClrBtnHoverPushed : m_nIdxClrBtnPushed;
        if (IsGradientSet(pPair, 2))
            GradientFillRect(dc, rcMark, GetColor(pPair[0], pSrc, lp), GetColor(pPair[1], pSrc, lp),
                             true, 256);
        else
            FillId(dc, rcMark, nMarkBk, pSrc, lp);
        dc.Draw3dRect(&rcMark, clrBorder, clrBorder);
        if (!bIcon)
        {
            CPoint ptCenter = rcIcon.CenterPoint();
            if (a.m_bChecked)
                DrawCheckMark(dc, ptCenter.x - 3, ptCenter.y - 3, clrText);
            else
                DrawEllipseDot(dc, ptCenter.x - 3, ptCenter.y - 3, clrText);
        }
    }
    if (bIcon)
        DrawButtonIcon(dc, true, _T(""), a.m_pIcon, rcIcon, rcDummy,
                       a.m_bChecked || a.m_bRadio, a.m_bEnabled, a.m_bSelected, 5);
    else if (!a.m_bChecked && !a.m_bRadio)
        DrawSysCommandGlyph(dc, a.m_nCmdID, rcIcon, a.m_bSelected, false, a.m_bEnabled);

    DrawMenuItemInplaceEdit(dc, a, true);
}

/////////////////////////////////////////////////////////////////////////////
// The expand button of popup menus

void CExtPaintManager::DrawMenuExpandButton(CDC& dc, const RECT& rcIn, bool bPushed,
                                            bool /*bReserved*/, CObject* pHelperSrc,
                                            LPARAM lParam)
{
    CRect rc(rcIn);
    rc.DeflateRect(1, 0);
    if (bPushed)
    {
        dc.FillRect(&rc, &m_brushHalftone[HTB_LIGHT_1_2]);
        Frame(dc, rc, LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL, pHelperSrc, lParam);
    }
    else
    {
        MenuItemArgs_t mia(pHelperSrc, rc, rc, 0, _T(""), _T(""), NULL, 0, false, false, false,
                           false, false, true, false, false, false, NULL, NULL, false, lParam);
        DrawMenuItem(dc, mia);
    }
    COLORREF colors[2] = { 0, GetColor(LC_TEXT_NORMAL, pHelperSrc, lParam) };
    DrawGlyphCentered(dc, rc, g_glyphChevronExpandV, colors);
}

// Draws the button at the end of a menu that shows its rarely used items.
void CExtPaintManagerXP::DrawMenuExpandButton(CDC& dc, const RECT& rcIn, bool bPushed,
                                              bool /*bReserved*/, CObject* pHelperSrc,
                                              LPARAM lParam)
{
    CRect rc(rcIn);
    rc.DeflateRect(1, 0);
    int nBand = (pHelperSrc != NULL && g_BarLinks.m_pfnPopupLastItemIconAreaWidth != NULL)
        ? g_BarLinks.m_pfnPopupLastItemIconAreaWidth(pHelperSrc) : 0;
    CRect rcGlyph(rc);
    if (bPushed)
    {
        PushButtonArgs_t pba(pHelperSrc, true, rc, _T(""), NULL, true, false, true, false, false,
                             true, false, false, 5, NULL, false, 0, false);
        pba.m_lParam = lParam;
        DrawPushButton(dc, pba);
        CSize sizeOffset(0, 0);
        GetPushedOffset(&sizeOffset);
        rcGlyph.OffsetRect(sizeOffset);
    }
    else
    {
        MenuItemArgs_t mia(pHelperSrc, rc, rc, nBand, _T(""), _T(""), NULL, 0, false, false,
                           false, false, false, true, false, false, false, NULL, NULL, false,
                           lParam);
        DrawMenuItem(dc, mia);
    }
    COLORREF colors[2] = { 0, GetColor(LC_TEXT_NORMAL, pHelperSrc, lParam) };
    DrawGlyphCentered(dc, rcGlyph, g_glyphChevronExpandV, colors);
}

/////////////////////////////////////////////////////////////////////////////
// Tab items

bool CExtPaintManager::TabUsesIcon(CExtCmdIcon* pIcon, CObject* pHelperSrc)
{
    if (pIcon == NULL || pIcon->IsEmpty())
        return false;
    return !(pHelperSrc != NULL && g_BarLinks.m_pfnTabHidesIcons != NULL
             && g_BarLinks.m_pfnTabHidesIcons(pHelperSrc));
}

namespace
{

// The face and edges of a selected tab: open on the side that touches the page, so that
// the tab and its page read as one.
void PaintSelectedTabFrame(CDC& dc, bool bTopLeft, bool bHorz, const CRect& rcItem,
                           COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow)
{
    CRect rc(rcItem);
    if (bHorz)
        rc.left -= 1;
    else
        rc.top -= 1;
    if (bHorz && bTopLeft)
        rc.bottom += 1;
    else if (bHorz)
        rc.top -= 1;
    else if (bTopLeft)
        rc.right += 1;
    else
        rc.left -= 1;
    const int w = rc.Width(), h = rc.Height();
    CRect rcInside(rc);
    if (bHorz && bTopLeft)          // open at the bottom
    {
        dc.FillSolidRect(rc.left, rc.top, 1, h, clrLight);
        dc.FillSolidRect(rc.left, rc.top, w - 1, 1, clrLight);
        dc.FillSolidRect(rc.right - 1, rc.top, 1, h, clrShadow);
        rcInside.DeflateRect(1, 1, 1, 0);
    }
    else if (bHorz)                 // open at the top
    {
        dc.FillSolidRect(rc.left, rc.top, 1, h, clrLight);
        dc.FillSolidRect(rc.left + 1, rc.bottom - 1, w - 1, 1, clrShadow);
        dc.FillSolidRect(rc.right - 1, rc.top, 1, h, clrShadow);
        rcInside.DeflateRect(1, 0, 1, 1);
    }
    else if (bTopLeft)              // open at the right
    {
        dc.FillSolidRect(rc.left, rc.top, w, 1, clrLight);
        dc.FillSolidRect(rc.left, rc.top, 1, h - 1, clrLight);
        dc.FillSolidRect(rc.left, rc.bottom - 1, w, 1, clrShadow);
        rcInside.DeflateRect(1, 1, 0, 1);
    }
    else                            // open at the left
    {
        dc.FillSolidRect(rc.left, rc.top, w - 1, 1, clrLight);
        dc.FillSolidRect(rc.right - 1, rc.top, 1, h, clrShadow);
        dc.FillSolidRect(rc.left, rc.bottom - 1, w - 1, 1, clrShadow);
        rcInside.DeflateRect(0, 1, 1, 1);
    }
    dc.FillSolidRect(&rcInside, clrFace);
}

// Draws the tab's icon at the start of its content and answers the area left for the text,
// empty when the text would be too short to read (the icon is then centred).
CRect PaintTabIcon(CDC& dc, bool bHorz, bool bGroupedMode, bool bCenterIcon,
                   const CRect& rcContent, CExtCmdIcon* pIcon)
{
    CRect rcTextArea(rcContent);
    CSize sizeIcon = pIcon->GetSize();
    CRect rcIcon;
    int nIconLen = bHorz ? sizeIcon.cx : sizeIcon.cy;
    if (bHorz)
    {
        rcIcon.SetRect(rcContent.left, rcContent.top + (rcContent.Height() - sizeIcon.cy) / 2,
                       rcContent.left + sizeIcon.cx, 0);
        rcIcon.bottom = rcIcon.top + sizeIcon.cy;
        rcTextArea.left = rcIcon.right + 3;
    }
    else
    {
        rcIcon.SetRect(rcContent.left + (rcContent.Width() - sizeIcon.cx) / 2, rcContent.top,
                       0, rcContent.top + sizeIcon.cy);
        rcIcon.right = rcIcon.left + sizeIcon.cx;
        rcTextArea.top = rcIcon.bottom + 3;
    }
    int nTextLen = bHorz ? rcTextArea.Width() : rcTextArea.Height();
    int nMinLen = nIconLen > 16 ? nIconLen : 16;
    if (nTextLen < nMinLen)
    {
        rcTextArea.SetRectEmpty();
        if (!bGroupedMode || bCenterIcon)
            rcIcon.OffsetRect(rcContent.left + (rcContent.Width() - sizeIcon.cx) / 2 - rcIcon.left,
                              rcContent.top + (rcContent.Height() - sizeIcon.cy) / 2 - rcIcon.top);
    }
    if (sizeIcon.cx <= rcContent.Width() && sizeIcon.cy <= rcContent.Height())
    {
        CRect rcDummy;
        g_CurrentPaintManager->DrawButtonIcon(dc, true, _T(""), pIcon, rcIcon, rcDummy,
                                              false, true, false, 5);
    }
    return rcTextArea;
}

// Draws the tab's text in its area: one line with an ellipsis across, or rotated along a
// vertical tab (read from the bottom unless inverted).
void PaintTabText(CDC& dc, bool bHorz, bool bCenteredText, bool bInvertedVerticalText,
                  CRect rcTextArea, CSize sizeTextMeasured, CFont* pFont, LPCTSTR sText,
                  COLORREF clrText)
{
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOld = dc.SetTextColor(clrText);
    CFont* pOldFont = pFont != NULL && pFont->GetSafeHandle() != NULL ? dc.SelectObject(pFont)
                                                                       : NULL;
    if (bHorz)
        dc.DrawText(sText, -1, &rcTextArea, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS
                                                | (bCenteredText ? DT_CENTER : 0));
    else
    {
        const int nLen = lstrlen(sText);
        UINT nOldAlign;
        int x, y;
        if (bCenteredText)
        {
            nOldAlign = dc.SetTextAlign(TA_CENTER | TA_BASELINE);
            x = rcTextArea.left + rcTextArea.Width() / 2;
            y = rcTextArea.top + rcTextArea.Height() / 2;
        }
        else
        {
            nOldAlign = dc.SetTextAlign(TA_BASELINE);
            int nHalf = sizeTextMeasured.cy / 2;
            rcTextArea.OffsetRect(bInvertedVerticalText ? nHalf : -nHalf, 0);
            x = rcTextArea.left + rcTextArea.Width() / 2;
            y = bInvertedVerticalText ? rcTextArea.top + sizeTextMeasured.cx - 4
                                      : rcTextArea.top + 4;
        }
        dc.ExtTextOut(x, y, ETO_CLIPPED, &rcTextArea, sText, (UINT)nLen, NULL);
        dc.SetTextAlign(nOldAlign);
    }
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

} // namespace

// Draws one tab of a tab strip on any side, selected or not, with its icon and text.
void CExtPaintManager::PaintTabItem(CDC& dc, bool bTopLeft, bool bHorz, bool bSelected,
                                    bool bCenteredText, bool bGroupedMode, bool bCenterIcon,
                                    bool bInvertedVerticalText, const RECT& rcItemIn,
                                    CSize sizeTextMeasured, CFont* pFont, LPCTSTR sText,
                                    CExtCmdIcon* pIcon, COLORREF clrText, COLORREF clrFace,
                                    COLORREF clrLight, COLORREF clrShadow, COLORREF clrDark)
{
    CRect rcItem(rcItemIn);
    if (bGroupedMode)
    {
        CRect rc(rcItem);
        if (bHorz)
        {
            rc.right += 1;
            rc.InflateRect(0, 2);
        }
        else
        {
            rc.bottom += 1;
            rc.InflateRect(2, 0);
        }
        dc.FillSolidRect(&rc, clrFace);
        dc.Draw3dRect(&rc, clrLight, clrShadow);
    }
    else if (bSelected)
        PaintSelectedTabFrame(dc, bTopLeft, bHorz, rcItem, clrFace, clrLight, clrShadow);
    else
    {
        if (bHorz)
            dc.FillSolidRect(rcItem.right - 1, rcItem.top + 2, 1, rcItem.Height() - 4, clrDark);
        else
            dc.FillSolidRect(rcItem.left + 2, rcItem.bottom - 1, rcItem.Width() - 4, 1, clrDark);
    }

    // Icon and text.
    CRect rcContent(rcItem);
    rcContent.DeflateRect(2, 2);
    CRect rcTextArea(rcContent);
    if (pIcon != NULL)
        rcTextArea = PaintTabIcon(dc, bHorz, bGroupedMode, bCenterIcon, rcContent, pIcon);
    if (sText == NULL || *sText == _T('\0') || rcTextArea.IsRectEmpty())
        return;
    PaintTabText(dc, bHorz, bCenteredText, bInvertedVerticalText, rcTextArea, sizeTextMeasured,
                 pFont, sText, clrText);
}

// Draws a tab in the classic colours.
void CExtPaintManager::DrawTabItem(CDC& dc, bool /*bReserved*/, bool bTopLeft, bool bHorz,
                                   bool bSelected, bool bCenteredText, bool bGroupedMode,
                                   bool bCenterIcon, bool bInvertedVerticalText,
                                   const RECT& rcItem, CSize sizeTextMeasured, CFont* pFont,
                                   LPCTSTR sText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                   LPARAM lParam)
{
    COLORREF clrText = GetColor((!bSelected && !bGroupedMode) ? COLOR_3DHILIGHT : COLOR_BTNTEXT,
                                pHelperSrc, lParam);
    COLORREF clrFace = GetColor(COLOR_3DFACE, pHelperSrc, lParam);
    COLORREF clrLight, clrShadow, clrDark;
    if (bGroupedMode)
        clrLight = clrShadow = clrDark = GetColor(COLOR_3DSHADOW, pHelperSrc, lParam);
    else
    {
        clrLight = GetColor(COLOR_3DHILIGHT, pHelperSrc, lParam);
        clrShadow = GetColor(COLOR_3DDKSHADOW, pHelperSrc, lParam);
        clrDark = GetColor(COLOR_3DLIGHT, pHelperSrc, lParam);
    }
    PaintTabItem(dc, bTopLeft, bHorz, bSelected, bCenteredText, bGroupedMode, bCenterIcon,
                 bInvertedVerticalText, rcItem, sizeTextMeasured, pFont, sText,
                 TabUsesIcon(pIcon, pHelperSrc) ? pIcon : NULL, clrText, clrFace, clrLight,
                 clrShadow, clrDark);
}

// Draws a tab in the XP colours.
void CExtPaintManagerXP::DrawTabItem(CDC& dc, bool /*bReserved*/, bool bTopLeft, bool bHorz,
                                     bool bSelected, bool bCenteredText, bool bGroupedMode,
                                     bool bCenterIcon, bool bInvertedVerticalText,
                                     const RECT& rcItem, CSize sizeTextMeasured, CFont* pFont,
                                     LPCTSTR sText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                     LPARAM lParam)
{
    COLORREF clrText = GetColor((bSelected || bGroupedMode) ? COLOR_BTNTEXT : COLOR_3DSHADOW,
                                pHelperSrc, lParam);
    COLORREF clrFace = GetColor(bGroupedMode ? COLOR_3DFACE : LC_XP_BAR_FACE, pHelperSrc, lParam);
    COLORREF clrLight = GetColor(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DHILIGHT, pHelperSrc,
                                 lParam);
    COLORREF clrShadow = GetColor(bGroupedMode ? COLOR_3DSHADOW : COLOR_3DDKSHADOW, pHelperSrc,
                                  lParam);
    COLORREF clrDark = GetColor(COLOR_3DSHADOW, pHelperSrc, lParam);
    PaintTabItem(dc, bTopLeft, bHorz, bSelected, bCenteredText, bGroupedMode, bCenterIcon,
                 bInvertedVerticalText, rcItem, sizeTextMeasured, pFont, sText,
                 TabUsesIcon(pIcon, pHelperSrc) ? pIcon : NULL, clrText, clrFace, clrLight,
                 clrShadow, clrDark);
}
