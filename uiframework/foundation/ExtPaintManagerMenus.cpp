// ExtPaintManagerMenus.cpp - popup-menu frames and separators, insertion marks, tab strips,
// edit and combo controls, panels and captions.

#include "stdafx.h"
#include "ExtPaintManager.h"

/////////////////////////////////////////////////////////////////////////////
// Popup menus

void CExtPaintManager::DrawMenuFrame(CDC& dc, const RECT& rcIn, CObject* pHelperSrc,
                                     LPARAM lParam)
{
    CRect rc(rcIn);
    static const int s_frames[4][2] = { { LC_FACE_NORMAL, LC_DKSHADOW_NORMAL },
                                        { LC_HIGHLIGHT_NORMAL, LC_SHADOW_NORMAL },
                                        { LC_FACE_NORMAL, LC_FACE_NORMAL },
                                        { LC_FACE_NORMAL, LC_FACE_NORMAL } };
    for (int i = 0; i < 4; i++)
    {
        Frame(dc, rc, s_frames[i][0], s_frames[i][1], pHelperSrc, lParam);
        rc.DeflateRect(1, 1);
    }
}

void CExtPaintManagerXP::DrawMenuFrame(CDC& dc, const RECT& rcIn, CObject* pHelperSrc,
                                       LPARAM lParam)
{
    CRect rc(rcIn);
    Frame(dc, rc, LC_XP_MENU_BORDER, LC_XP_MENU_BORDER, pHelperSrc, lParam);
    rc.DeflateRect(1, 1);
    Frame(dc, rc, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pHelperSrc, lParam);
    rc.right--;
    rc.bottom--;
    Frame(dc, rc, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pHelperSrc, lParam);
}

// Joins an open menu to the item it drops from, erasing the border between them.
void CExtPaintManager::DrawMenuAttachment(CDC& dc, const RECT& rcItemIn, const RECT& rcMenuIn,
                                          int nSide, CObject* pHelperSrc, LPARAM lParam)
{
    CRect rcItem(rcItemIn), rcMenu(rcMenuIn);
    const int b = GetMenuBorderSize() - 1;
    int nSaved = dc.SaveDC();
    dc.SelectClipRgn(NULL);
    switch (nSide)
    {
    case 1: rcItem.bottom += b; rcMenu.top += b; break;
    case 2: rcItem.top -= b; rcMenu.bottom -= b; break;
    case 3: rcItem.left -= b; rcMenu.right -= b; break;
    default: rcItem.right += b; rcMenu.left += b; break;
    }
    FillId(dc, rcItem, LC_FACE_NORMAL, pHelperSrc, lParam);
    dc.ExcludeClipRect(&rcMenu);
    const COLORREF clrOuterTL = GetColor(LC_FACE_NORMAL, pHelperSrc, lParam);
    const COLORREF clrOuterBR = GetColor(LC_SHADOW_NORMAL, pHelperSrc, lParam);
    const COLORREF clrInnerTL = GetColor(LC_HIGHLIGHT_NORMAL, pHelperSrc, lParam);
    const COLORREF clrInnerBR = GetColor(LC_DKSHADOW_NORMAL, pHelperSrc, lParam);
    CRect rc(rcItem);
    for (int nPass = 0; nPass < 2; nPass++)
    {
        COLORREF clrTL = nPass == 0 ? clrOuterTL : clrInnerTL;
        COLORREF clrBR = nPass == 0 ? clrOuterBR : clrInnerBR;
        if (nSide != 2)
            dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrTL);
        if (nSide != 3)
            dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrTL);
        if (nSide != 4)
            dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBR);
        if (nSide != 1)
            dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBR);
        rc.DeflateRect(1, 1);
    }
    dc.RestoreDC(nSaved);
}

// Joins an open menu to its item in the XP look.
void CExtPaintManagerXP::DrawMenuAttachment(CDC& dc, const RECT& rcItemIn, const RECT& rcMenuIn,
                                            int nSide, CObject* pHelperSrc, LPARAM lParam)
{
    CRect rcItem(rcItemIn), rcMenu(rcMenuIn);
    int nSaved = dc.SaveDC();
    dc.SelectClipRgn(NULL);
    FillId(dc, rcItem, LC_XP_BAR_FACE, pHelperSrc, lParam);
    switch (nSide)
    {
    case 1: rcItem.bottom += 1; break;
    case 2: rcItem.top -= 1; break;
    case 3: rcItem.left -= 1; break;
    default: rcItem.right += 1; break;
    }
    rcMenu.DeflateRect(1, 1);
    dc.ExcludeClipRect(&rcMenu);
    Frame(dc, rcItem, LC_XP_MENU_BORDER, LC_XP_MENU_BORDER, pHelperSrc, lParam);
    dc.RestoreDC(nSaved);
}

// Draws a menu separator as an etched line.
void CExtPaintManager::DrawMenuSeparatorItem(CDC& dc, const RECT& rcIn, int /*nIconAreaWidth*/,
                                             bool bFlag, CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (bFlag)
        dc.FillRect(&rc, &m_brushHalftone[HTB_LIGHT_1_2]);
    else
        FillId(dc, rc, LC_FACE_NORMAL, pHelperSrc, lParam);
    int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    rc.DeflateRect(nInset, 0);
    int nMid = rc.top + rc.Height() / 2;
    CRect rcLine(rc.left, nMid - 1, rc.right, nMid + 1);
    Frame(dc, rcLine, bFlag ? LC_FACE_NORMAL : LC_SHADOW_NORMAL, LC_HIGHLIGHT_NORMAL, pHelperSrc,
          lParam);
}

// Draws a menu separator in the XP look, the icon band continued under it.
void CExtPaintManagerXP::DrawMenuSeparatorItem(CDC& dc, const RECT& rcIn, int nIconAreaWidth,
                                               bool bFlag, CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    CRect rcBand(rc.left, rc.top, rc.left + nIconAreaWidth, rc.bottom);
    const int* pGroup = bFlag ? m_nIdxClrMenuBandRarely : m_nIdxClrMenuBandNormal;
    if (IsGradientSet(pGroup, 3) && GetScreenColorDepth() > 8)
        GradientFillTwoPart(dc, rcBand, GetColor(pGroup[0], pHelperSrc, lParam),
                            GetColor(pGroup[2], pHelperSrc, lParam),
                            GetColor(pGroup[1], pHelperSrc, lParam), false, 1, 2, 256);
    else
        FillId(dc, rcBand, bFlag ? LC_XP_ICON_BAND : LC_FACE_NORMAL, pHelperSrc, lParam);
    CRect rcRest(rc);
    rcRest.left = rcBand.right;
    FillId(dc, rcRest, LC_XP_MENU_FACE, pHelperSrc, lParam);
    int y = rc.top + rc.Height() / 2 - 1;
    FillId(dc, CRect(rcBand.right + 3, y, rc.right, y + 1), LC_XP_SEPARATOR, pHelperSrc, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Insertion marks and drag outlines

void CExtPaintManager::DrawInsertMark(CDC& dc, const RECT& rcIn, bool bAtStart, bool bHorz)
{
    CRect rc(rcIn);
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    if (bHorz)
    {
        int x0 = bAtStart ? rc.left - 1 : rc.right - 1;
        int y0 = rc.top - 1, y1 = rc.bottom + 1;
        dc.FillSolidRect(x0, y0, 2, y1 - y0, clr);
        dc.FillSolidRect(x0 - 2, y0, 6, 1, clr);
        dc.FillSolidRect(x0 - 1, y0 + 1, 4, 2, clr);
        dc.FillSolidRect(x0 - 2, y1 - 1, 6, 1, clr);
        dc.FillSolidRect(x0 - 1, y1 - 3, 4, 2, clr);
        return;
    }
    int y0 = bAtStart ? rc.top - 1 : rc.bottom - 1;
    int x0 = rc.left - 1, x1 = bAtStart ? rc.right + 1 : rc.right;
    dc.FillSolidRect(x0, y0, x1 - x0, 2, clr);
    dc.FillSolidRect(x0, y0 - 2, 1, 6, clr);
    dc.FillSolidRect(x0 + 1, y0 - 1, 2, 4, clr);
    dc.FillSolidRect(x1 - 1, y0 - 2, 1, 6, clr);
    dc.FillSolidRect(x1 - 3, y0 - 1, 2, 4, clr);
}

void CExtPaintManager::DrawDragOutline(CDC& dc, const RECT& rcIn)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    dc.Draw3dRect(&rc, clr, clr);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, clr, clr);
}

/////////////////////////////////////////////////////////////////////////////
// Tab strips

void CExtPaintManager::DrawTabStripEdge(CDC& dc, const RECT& rcClient, const RECT& rcTabItems,
                                        int nOrientation, bool bGroupedMode, COLORREF clrClient,
                                        COLORREF clrItems, COLORREF clrEdge)
{
    dc.FillSolidRect(&rcClient, clrClient);
    if (bGroupedMode)
        return;
    CRect rc(rcTabItems);
    dc.FillSolidRect(&rc, clrItems);
    switch (nOrientation)
    {
    case 0: dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrEdge); break;
    case 1: dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrEdge); break;
    case 2: dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrEdge); break;
    default: dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrEdge); break;
    }
}

void CExtPaintManager::DrawTabStripBackground(CDC& dc, const RECT& rcClient,
                                              const RECT& /*rcReserved*/,
                                              const RECT& rcTabItems, int nOrientation,
                                              bool bGroupedMode, CObject* pHelperSrc,
                                              LPARAM lParam)
{
    DrawTabStripEdge(dc, rcClient, rcTabItems, nOrientation, bGroupedMode,
                     GetColor(bGroupedMode ? COLOR_3DFACE : COLOR_3DSHADOW, pHelperSrc, lParam),
                     GetColor(COLOR_3DFACE, pHelperSrc, lParam),
                     GetColor((nOrientation == 0 || nOrientation == 2) ? COLOR_3DHILIGHT
                                                                       : COLOR_3DDKSHADOW,
                              pHelperSrc, lParam));
}

void CExtPaintManagerXP::DrawTabStripBackground(CDC& dc, const RECT& rcClient,
                                                const RECT& /*rcReserved*/,
                                                const RECT& rcTabItems, int nOrientation,
                                                bool bGroupedMode, CObject* pHelperSrc,
                                                LPARAM lParam)
{
    int nClient = GetDCColorDepth(dc.GetSafeHdc()) > 8 ? LC_XP_MENU_FACE : LC_XP_BAR_FACE;
    DrawTabStripEdge(dc, rcClient, rcTabItems, nOrientation, bGroupedMode,
                     GetColor(nClient, pHelperSrc, lParam),
                     GetColor(LC_XP_BAR_FACE, pHelperSrc, lParam),
                     GetColor((nOrientation == 0 || nOrientation == 2) ? COLOR_3DHILIGHT
                                                                       : COLOR_3DSHADOW,
                              pHelperSrc, lParam));
}

// Draws the glyph of a tab strip's scroll, list or close button.
void CExtPaintManager::DrawTabStripButtonGlyph(CDC& dc, const RECT& rc, int nButtonID,
                                               bool bDirection, bool bEnabled,
                                               CObject* pHelperSrc, LPARAM lParam)
{
    int nGlyph;
    switch (nButtonID)
    {
    case -8: nGlyph = 45; break;
    case -7: nGlyph = 1; break;
    case -6: nGlyph = 9; break;
    case -5: nGlyph = bDirection ? 5 : 3; break;
    case -4: nGlyph = bDirection ? 4 : 2; break;
    default: return;
    }
    if (!bEnabled && (nButtonID == -5 || nButtonID == -4))
        nGlyph += 15;
    DrawGlyphIndex(dc, rc, nGlyph,
                   GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW, pHelperSrc, lParam));
}

void CExtPaintManager::DrawTabStripButton(CDC& dc, const RECT& rc, int nButtonID,
                                          bool /*bReserved*/, bool bDirection, bool bEnabled,
                                          bool bHover, bool bPushed, bool /*bReserved2*/,
                                          CObject* pHelperSrc, LPARAM lParam)
{
    DrawTabStripButtonGlyph(dc, rc, nButtonID, bDirection, bEnabled, pHelperSrc, lParam);
    if (bPushed)
        Frame(dc, rc, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, pHelperSrc, lParam);
    else if (bHover)
        Frame(dc, rc, COLOR_3DHILIGHT, COLOR_3DDKSHADOW, pHelperSrc, lParam);
}

void CExtPaintManager::DrawMdiClientFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                          LPARAM lParam)
{
    Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT, pHelperSrc, lParam);
}

void CExtPaintManagerXP::DrawMdiClientFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                            LPARAM lParam)
{
    Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DSHADOW, pHelperSrc, lParam);
}

void CExtPaintManager::DrawThinFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
    Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT, pHelperSrc, lParam);
}

void CExtPaintManagerXP::DrawThinFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                       LPARAM lParam)
{
    Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DSHADOW, pHelperSrc, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Edit and combo controls

void CExtPaintManager::DrawControlFrame(CDC& dc, ControlFrameArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc(a.m_rc);
    for (int i = 0; i < 3; i++)
    {
        Frame(dc, rc, COLOR_WINDOW, COLOR_WINDOW, pSrc, lp);
        rc.InflateRect(1, 1);
    }
    CRect rcFifth(rc);
    rcFifth.InflateRect(1, 1);
    if (!a.m_bEnabled || (!a.m_bHover && !a.m_bFocus))
    {
        Frame(dc, rc, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
        Frame(dc, rcFifth, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
    }
    else if (a.m_bHover != a.m_bFocus)
    {
        Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT, pSrc, lp);
        Frame(dc, rcFifth, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
    }
    else
    {
        Frame(dc, rc, COLOR_3DDKSHADOW, COLOR_3DFACE, pSrc, lp);
        Frame(dc, rcFifth, COLOR_3DSHADOW, COLOR_3DHILIGHT, pSrc, lp);
    }
}

// Draws the frame around an edit or combo control, hot while hovered or focused.
void CExtPaintManagerXP::DrawControlFrame(CDC& dc, ControlFrameArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc(a.m_rc);
    for (int i = 0; i < 3; i++)
    {
        Frame(dc, rc, COLOR_WINDOW, COLOR_WINDOW, pSrc, lp);
        rc.InflateRect(1, 1);
    }
    int nFourth = (a.m_bEnabled && (a.m_bHover || a.m_bFocus)) ? LC_XP_HOT_BORDER : LC_FACE_NORMAL;
    int nFifth = (a.m_bEnabled && a.m_bHover && a.m_bFocus) ? LC_XP_HOT_BORDER : LC_FACE_NORMAL;
    Frame(dc, rc, nFourth, nFourth, pSrc, lp);
    rc.InflateRect(1, 1);
    Frame(dc, rc, nFifth, nFifth, pSrc, lp);
}

namespace
{

// The Marlett "6" push button of the combo drop buttons.
void DrawMarlettDropButton(CExtPaintManager* pPM, CDC& dc, const CRect& rc, bool bHover,
                           bool bPushed, bool bEnabled, CObject* pSrc, LPARAM lp)
{
    CFont font;
    int nPointSize = ::MulDiv(60, 96, dc.GetDeviceCaps(LOGPIXELSX));
    font.CreatePointFont(nPointSize, _T("Marlett"));
    CExtPaintManager::PushButtonArgs_t pba(pSrc, true, rc, _T("6"), NULL, true, bHover, bPushed,
                                           false, bEnabled, true, false, false, 5,
                                           (HFONT)font.GetSafeHandle(), false, 0, false);
    pba.m_lParam = lp;
    pPM->DrawPushButton(dc, pba);
}

} // namespace

// Draws a combo box's drop button, raised while hot or pushed.
void CExtPaintManager::DrawComboDropButton(CDC& dc, DropButtonArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    const bool bActive = a.m_bHover || a.m_bPushed;
    CRect rc(a.m_rc);
    if (bActive)
        Frame(dc, rc, LC_SHADOW_HOT, LC_HIGHLIGHT_HOT, pSrc, lp);
    else
        Frame(dc, rc, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
    rc.DeflateRect(1, 1);
    int nInner = a.m_bEnabled ? LC_FACE_NORMAL : LC_HIGHLIGHT_NORMAL;
    Frame(dc, rc, nInner, nInner, pSrc, lp);
    CRect rcButton(rc);
    rcButton.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    Frame(dc, rcButton, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
    rcButton.DeflateRect(1, 1);
    Frame(dc, rcButton, LC_HIGHLIGHT_NORMAL, LC_HIGHLIGHT_NORMAL, pSrc, lp);
    FillId(dc, CRect(rcButton.left - 2, rcButton.top, rcButton.left + 1, rcButton.bottom),
           a.m_bEnabled ? COLOR_WINDOW : LC_FACE_NORMAL, pSrc, lp);
    if (bActive)
        FillId(dc, rcButton, LC_FACE_NORMAL, pSrc, lp);
    rcButton.left += 1;
    DrawMarlettDropButton(this, dc, rcButton, a.m_bHover && !a.m_bPushed, a.m_bPushed,
                          a.m_bEnabled, pSrc, lp);
    if (!bActive)
        Frame(dc, rcButton, LC_HIGHLIGHT_NORMAL, LC_HIGHLIGHT_NORMAL, pSrc, lp);
}

// Draws a combo box's drop button in the XP look.
void CExtPaintManagerXP::DrawComboDropButton(CDC& dc, DropButtonArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    const bool bActive = a.m_bHover || a.m_bPushed;
    int nSaved = dc.SaveDC();
    CRect rc(a.m_rc);
    if (!a.m_bNoOuterFrame)
        Frame(dc, rc, LC_FACE_NORMAL, LC_FACE_NORMAL, pSrc, lp);
    rc.DeflateRect(1, 1);
    Frame(dc, rc, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pSrc, lp);
    CRect rcButton(rc);
    rcButton.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    Frame(dc, rcButton, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pSrc, lp);
    rcButton.DeflateRect(1, 1);
    Frame(dc, rcButton, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pSrc, lp);
    FillId(dc, CRect(rcButton.left - 2, rcButton.top, rcButton.left + 1, rcButton.bottom),
           a.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE, pSrc, lp);
    if (bActive)
        FillId(dc, rcButton, LC_XP_MENU_FACE, pSrc, lp);
    rcButton.InflateRect(1, 1);
    FillId(dc, rcButton, LC_FACE_NORMAL, pSrc, lp);
    if (bActive)
    {
        CRect rcAll(a.m_rc);
        rcAll.DeflateRect(1, 1);
        Frame(dc, rcAll, LC_XP_HOT_BORDER, LC_XP_HOT_BORDER, pSrc, lp);
    }
    CRect rcPush(rcButton);
    rcPush.left += 1;
    DrawMarlettDropButton(this, dc, rcPush, bActive, a.m_bPushed, a.m_bEnabled, pSrc, lp);
    if (!bActive)
        Frame(dc, rcButton, LC_XP_MENU_FACE, LC_XP_MENU_FACE, pSrc, lp);
    dc.RestoreDC(nSaved);
}

namespace
{

// Combo text in the normal font, 5 right and 2 down from the text rectangle's corner.
void DrawComboText(CDC& dc, CFont& font, const CExtPaintManager::ComboBoxArgs_t& a,
                   const CRect& rcTextIn)
{
    if (a.m_sText.IsEmpty())
        return;
    CRect rcText(rcTextIn);
    rcText.left += 5;
    rcText.top += 2;
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOld = dc.SetTextColor(::GetSysColor(a.m_bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW));
    CFont* pOldFont = font.GetSafeHandle() != NULL ? dc.SelectObject(&font) : NULL;
    dc.DrawText(a.m_sText, &rcText, a.m_nDrawTextFlags);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

} // namespace

// Draws a combo box's frame and drop button.
void CExtPaintManager::DrawComboBox(CDC& dc, ComboBoxArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rc(a.m_rcWhole);
    if (!a.m_bEnabled)
        rc.DeflateRect(1, 2);
    if (a.m_bDropButton)
    {
        if (a.m_bEnabled)
        {
            DropButtonArgs_t dba(pSrc, rc, a.m_bHover, a.m_bDropped, a.m_bEnabled, lp);
            dba.m_bNoOuterFrame = true;
            DrawComboDropButton(dc, dba);
        }
        else
        {
            Frame(dc, rc, COLOR_WINDOW, COLOR_WINDOW, pSrc, lp);
            CRect rcButton(rc);
            rcButton.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
            DrawGlyphIndex(dc, rcButton, 37, GetColor(COLOR_BTNTEXT, pSrc, lp));
        }
    }
    else if (!a.m_bEnabled)
        Frame(dc, rc, COLOR_WINDOW, COLOR_WINDOW, pSrc, lp);
    else if (a.m_bHover || a.m_bDropped)
        Frame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT, pSrc, lp);
    CRect rcText(a.m_rcText);
    if (!a.m_bEnabled)
        rcText.DeflateRect(0, 1);
    FillId(dc, rcText, a.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE, pSrc, lp);
    DrawComboText(dc, m_FontNormal, a, rcText);
}

// Draws a combo box's frame and drop button in the XP look.
void CExtPaintManagerXP::DrawComboBox(CDC& dc, ComboBoxArgs_t& a)
{
    CObject* pSrc = a.m_pHelperSrc;
    const LPARAM lp = a.m_lParam;
    CRect rcFrame(a.m_rcText);
    rcFrame.bottom += 1;
    if (a.m_bHover || a.m_bDropped || !a.m_bEnabled)
        rcFrame.InflateRect(1, 1);
    const COLORREF clrFill = ::GetSysColor(a.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE);
    if (a.m_bDropButton)
    {
        const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
        rcFrame.right += cxThumb;
        CRect rcButton(rcFrame.right - cxThumb, rcFrame.top, rcFrame.right, rcFrame.bottom);
        int nSaved = dc.SaveDC();
        if (a.m_bEnabled && !a.m_bHover && !a.m_bDropped)
        {
            rcButton.DeflateRect(4, 1, 1, 1);
            dc.ExcludeClipRect(&rcButton);
        }
        dc.FillSolidRect(&rcFrame, clrFill);
        dc.RestoreDC(nSaved);
        if (a.m_bEnabled && a.m_bHover)
        {
            CRect rcPush(rcButton);
            rcPush.left += 1;
            PushButtonArgs_t pba(pSrc, true, rcPush, _T(""), NULL, true, true, a.m_bDropped,
                                 false, true, true, false, false, 5, NULL, false, 0, false);
            pba.m_lParam = lp;
            DrawPushButton(dc, pba);
            Frame(dc, rcFrame, LC_XP_HOT_BORDER, LC_XP_HOT_BORDER, pSrc, lp);
        }
        if (!a.m_bEnabled)
        {
            Frame(dc, rcFrame, LC_XP_DIM_BORDER, LC_XP_DIM_BORDER, pSrc, lp);
            rcButton.left += 1;
        }
        COLORREF clrGlyph = !a.m_bEnabled ? ::GetSysColor(COLOR_3DSHADOW)
            : GetColor(a.m_bDropped ? LC_XP_HOT_TEXT : COLOR_BTNTEXT, pSrc, lp);
        DrawGlyphIndex(dc, rcButton, 37, clrGlyph);
    }
    else
    {
        dc.FillSolidRect(&rcFrame, clrFill);
        if (a.m_bEnabled && (a.m_bHover || a.m_bDropped))
            Frame(dc, rcFrame, LC_XP_HOT_BORDER, LC_XP_HOT_BORDER, pSrc, lp);
        else if (!a.m_bEnabled)
            Frame(dc, rcFrame, LC_XP_DIM_BORDER, LC_XP_DIM_BORDER, pSrc, lp);
    }
    CRect rcText(a.m_rcText);
    if (!a.m_bEnabled)
        rcText.DeflateRect(0, 1);
    DrawComboText(dc, m_FontNormal, a, rcText);
}

/////////////////////////////////////////////////////////////////////////////
// Panels, captions and boxes

void CExtPaintManager::DrawGlyphButton(CDC& dc, bool bHorz, const RECT& rcIn, bool bLeftTop,
                                       bool bHover, bool bPushed, CObject* pHelperSrc,
                                       LPARAM lParam)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    FillId(dc, rc, COLOR_3DFACE, pHelperSrc, lParam);
    int nGlyph = bHorz ? (bLeftTop ? 4 : 5) : (bLeftTop ? 2 : 3);
    CRect rcGlyph(rc);
    if (bPushed)
        rcGlyph.OffsetRect(1, 1);
    DrawGlyphIndex(dc, rcGlyph, nGlyph, GetColor(COLOR_BTNTEXT, pHelperSrc, lParam));
    int nOuter[2], nInner[2];
    if (bPushed)
    {
        nOuter[0] = COLOR_3DDKSHADOW; nOuter[1] = COLOR_3DHILIGHT;
        nInner[0] = COLOR_3DSHADOW; nInner[1] = COLOR_3DFACE;
    }
    else if (bHover)
    {
        nOuter[0] = COLOR_3DFACE; nOuter[1] = COLOR_3DDKSHADOW;
        nInner[0] = COLOR_3DHILIGHT; nInner[1] = COLOR_3DSHADOW;
    }
    else
    {
        nOuter[0] = COLOR_3DHILIGHT; nOuter[1] = COLOR_3DSHADOW;
        nInner[0] = COLOR_3DFACE; nInner[1] = COLOR_3DFACE;
    }
    Frame(dc, rc, nOuter[0], nOuter[1], pHelperSrc, lParam);
    rc.DeflateRect(1, 1);
    Frame(dc, rc, nInner[0], nInner[1], pHelperSrc, lParam);
}

void CExtPaintManager::DrawSizeGrip(CDC& dc, const RECT& rcIn, CObject* pHelperSrc,
                                    LPARAM lParam)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    CFont* pOldFont = dc.SelectObject(&m_FontMarlett);
    COLORREF clrOld = dc.SetTextColor(GetColor(LC_TEXT_NORMAL, pHelperSrc, lParam));
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(_T("o"), 1, &rc, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    dc.SelectObject(pOldFont);
}

void CExtPaintManager::DrawWindowColorFrame(CDC& dc, const RECT& rc)
{
    Frame(dc, rc, COLOR_3DSHADOW, COLOR_WINDOW);
}

void CExtPaintManagerXP::DrawWindowColorFrame(CDC& dc, const RECT& rc)
{
    HBRUSH hBrush = ::CreateSolidBrush(GetColor(COLOR_3DSHADOW));
    if (hBrush == NULL)
        return;
    ::FrameRect(dc.GetSafeHdc(), &rc, hBrush);
    ::DeleteObject(hBrush);
}

// Draws a header band with its text, as on the side of a menu.
void CExtPaintManager::DrawHeaderBand(CDC& dc, const RECT& rcIn, LPCTSTR sText,
                                      int /*nReserved*/, bool bDrawFrame, bool bPushed,
                                      bool bHover)
{
    CRect rc(rcIn);
    if (bDrawFrame)
    {
        rc.left++;
        rc.right--;
        rc.bottom--;
    }
    FillId(dc, rc, COLOR_3DSHADOW);
    if (bDrawFrame)
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_3DDKSHADOW));
    if (bHover)
        Frame(dc, rc, COLOR_WINDOW, COLOR_3DDKSHADOW);
    else if (bPushed)
        Frame(dc, rc, COLOR_3DDKSHADOW, COLOR_WINDOW);
    DrawIconTitleText(dc, rc, sText, NULL, true, bPushed, bHover, true);
}

// Draws a header band in the XP look.
void CExtPaintManagerXP::DrawHeaderBand(CDC& dc, const RECT& rcIn, LPCTSTR sText,
                                        int /*nReserved*/, bool bDrawFrame, bool bPushed,
                                        bool bHover)
{
    CRect rc(rcIn);
    if (bDrawFrame)
    {
        HBRUSH hBrush = ::CreateSolidBrush(GetColor(COLOR_3DSHADOW));
        if (hBrush != NULL)
        {
            ::FrameRect(dc.GetSafeHdc(), &rc, hBrush);
            ::DeleteObject(hBrush);
        }
        rc.DeflateRect(1, 1);
    }
    if (bHover || bPushed)
    {
        PushButtonArgs_t pba(NULL, true, rc, _T(""), NULL, true, bHover, bPushed, false, true,
                             true, false, false, 5, NULL, false, 0, false);
        DrawPushButton(dc, pba);
    }
    else
        FillId(dc, rc, GetScreenColorDepth() <= 8 ? LC_XP_MENU_FACE : LC_FACE_NORMAL);
    DrawIconTitleText(dc, rc, sText, NULL, true, bPushed, bHover, true);
}

void CExtPaintManager::DrawShadowCaption(CDC& dc, const RECT& rc, LPCTSTR sText)
{
    if (!dc.RectVisible(&rc))
        return;
    FillId(dc, rc, COLOR_3DSHADOW);
    DrawLargeCaptionText(dc, rc, sText);
}

void CExtPaintManager::DrawFaceCaption(CDC& dc, const RECT& rcIn, LPCTSTR sText)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    FillId(dc, rc, COLOR_3DFACE);
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
    DrawIconTitleCaption(dc, rc, sText);
}

void CExtPaintManager::DrawCaptionGlyph(CDC& dc, const RECT& rc)
{
    if (!dc.RectVisible(&rc))
        return;
    DrawGlyphIndex(dc, rc, 46, GetColor(COLOR_BTNTEXT));
}

void CExtPaintManager::DrawRaisedPanel(CDC& dc, const RECT& rcIn, bool bDotted)
{
    CRect rc(rcIn);
    FillId(dc, rc, LC_FACE_NORMAL);
    dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
    dc.FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, GetColor(COLOR_WINDOW));
    dc.FillSolidRect(rc.left, rc.top + 1, 1, rc.Height() - 1, GetColor(COLOR_WINDOW));
    if (bDotted)
        DrawPanelEdge(dc, rc, 0);
}

void CExtPaintManager::DrawPanelEdge(CDC& dc, const RECT& rcIn, int nOffsetY)
{
    CRect rc(rcIn);
    const COLORREF clrLight = GetColor(COLOR_WINDOW), clrDark = GetColor(COLOR_3DDKSHADOW);
    int x = rc.left + (rc.Width() - 36) / 2;
    int y = rc.top + (rc.Height() - 2) / 2 + nOffsetY;
    for (int i = 0; i < 9; i++, x += 4)
    {
        dc.FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
        dc.FillSolidRect(x, y, 2, 2, clrDark);
    }
}

void CExtPaintManager::DrawSimpleButton(CDC& dc, const RECT& rc, int /*nReserved*/,
                                        LPCTSTR sText, bool bFlat, bool bDrawBorder,
                                        bool bPushed, bool bHover, CObject* pHelperSrc,
                                        LPARAM lParam)
{
    if (!dc.RectVisible(&rc))
        return;
    PushButtonArgs_t pba(pHelperSrc, true, rc, sText, NULL, bFlat, bHover, bPushed, false, true,
                         bDrawBorder, false, false, 5, NULL, false, 0, false);
    pba.m_lParam = lParam;
    DrawPushButton(dc, pba);
}

// Draws the four-line sunken frame of a deep well.
void CExtPaintManager::DrawDeepSunkenFrame(CDC& dc, const RECT& rcIn, CObject* pHelperSrc,
                                           LPARAM lParam)
{
    CRect rc(rcIn);
    if (!dc.RectVisible(&rc))
        return;
    const COLORREF clrWhite = RGB(255, 255, 255);
    const COLORREF clrFace = GetColor(COLOR_3DFACE, pHelperSrc, lParam);
    const COLORREF clrShadow = GetColor(COLOR_3DSHADOW, pHelperSrc, lParam);
    const COLORREF clrDkShadow = GetColor(COLOR_3DDKSHADOW, pHelperSrc, lParam);
    const COLORREF frames[4][2] = { { clrFace, clrDkShadow }, { clrWhite, clrShadow },
                                    { clrFace, clrFace }, { clrShadow, clrWhite } };
    for (int i = 0; i < 4; i++)
    {
        dc.Draw3dRect(&rc, frames[i][0], frames[i][1]);
        rc.DeflateRect(1, 1);
    }
}

void CExtPaintManager::DrawRaisedBox(CDC& dc, const RECT& rcOuter, const RECT& rcInner,
                                     CObject* pHelperSrc, LPARAM lParam)
{
    dc.Draw3dRect(&rcOuter, RGB(255, 255, 255), GetColor(COLOR_3DSHADOW, pHelperSrc, lParam));
    FillId(dc, rcInner, LC_FACE_NORMAL, pHelperSrc, lParam);
}
