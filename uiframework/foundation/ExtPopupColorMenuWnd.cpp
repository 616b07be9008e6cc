// ExtPopupColorMenuWnd.cpp - the colour popup menu.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupColorMenuWnd.h"
#include "ExtPaintManager.h"
#include "ExtMemoryDC.h"
#include "ExtResourceManager.h"
#include "ExtSoundPlayer.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

BEGIN_MESSAGE_MAP(CExtPopupColorMenuWnd, CExtPopupMenuWnd)
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

const CExtPopupColorMenuWnd::ColorEntry_t CExtPopupColorMenuWnd::g_arrColors[COLOR_COUNT] = {
    { RGB(0, 0, 0), _T("Black") },
    { RGB(165, 42, 0), _T("Brown") },
    { RGB(0, 64, 64), _T("Dark Olive Green") },
    { RGB(0, 85, 0), _T("Dark Green") },
    { RGB(0, 0, 94), _T("Dark Teal") },
    { RGB(0, 0, 139), _T("Dark blue") },
    { RGB(75, 0, 130), _T("Indigo") },
    { RGB(40, 40, 40), _T("Dark grey") },
    { RGB(139, 0, 0), _T("Dark red") },
    { RGB(255, 104, 32), _T("Orange") },
    { RGB(139, 139, 0), _T("Dark yellow") },
    { RGB(0, 147, 0), _T("Green") },
    { RGB(56, 142, 142), _T("Teal") },
    { RGB(0, 0, 255), _T("Blue") },
    { RGB(123, 123, 192), _T("Blue-grey") },
    { RGB(102, 102, 102), _T("Grey - 50") },
    { RGB(255, 0, 0), _T("Red") },
    { RGB(255, 173, 91), _T("Light orange") },
    { RGB(50, 205, 50), _T("Lime") },
    { RGB(60, 179, 113), _T("Sea green") },
    { RGB(127, 255, 212), _T("Aqua") },
    { RGB(125, 158, 192), _T("Light blue") },
    { RGB(128, 0, 128), _T("Violet") },
    { RGB(127, 127, 127), _T("Grey - 40") },
    { RGB(255, 192, 203), _T("Pink") },
    { RGB(255, 215, 0), _T("Gold") },
    { RGB(255, 255, 0), _T("Yellow") },
    { RGB(0, 255, 0), _T("Bright green") },
    { RGB(64, 224, 208), _T("Turquoise") },
    { RGB(192, 255, 255), _T("Skyblue") },
    { RGB(72, 0, 72), _T("Plum") },
    { RGB(192, 192, 192), _T("Light grey") },
    { RGB(255, 228, 225), _T("Rose") },
    { RGB(210, 180, 140), _T("Tan") },
    { RGB(255, 255, 224), _T("Light yellow") },
    { RGB(152, 251, 152), _T("Pale green ") },
    { RGB(175, 238, 238), _T("Pale turquoise") },
    { RGB(104, 131, 139), _T("Pale blue") },
    { RGB(230, 230, 250), _T("Lavender") },
    { RGB(255, 255, 255), _T("White") },
};

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
    : m_hWndNotification(NULL), m_lParamCookie(0), m_pClrResult(NULL), m_clrDefault(0),
      m_clrInitial((COLORREF)-1), m_rcDefColorText(0, 0, 0, 0), m_rcCustColorText(0, 0, 0, 0),
      m_nColorIdxCurr(-1), m_nInitialColorIdx(-1),
      m_nFlags(FLAG_DEFAULT_BUTTON | FLAG_CUSTOM_BUTTON), m_bNotifyBusy(false)
{
    if (!g_ResourceManagerHolder->LoadString(m_sBtnTextColorDefault, 30011)
        || m_sBtnTextColorDefault.IsEmpty())
        m_sBtnTextColorDefault = _T("Default Color");
    if (!g_ResourceManagerHolder->LoadString(m_sBtnTextColorCustom, 30010)
        || m_sBtnTextColorCustom.IsEmpty())
        m_sBtnTextColorCustom = _T("Custom Color ...");
}

CExtPopupColorMenuWnd::~CExtPopupColorMenuWnd()
{
}

bool CExtPopupColorMenuWnd::HasNoSpecialItems() const
{
    return false;
}

int CExtPopupColorMenuWnd::HitTestItem(CPoint /*point*/, bool* pbOverEdit, bool* pbOverSplit)
{
    if (pbOverEdit != NULL)
        *pbOverEdit = false;
    if (pbOverSplit != NULL)
        *pbOverSplit = false;
    return IDX_NOTHING;
}

bool CExtPopupColorMenuWnd::IsItemTipAllowed()
{
    return !IsNotifySuppressed() && !IsContinuedTracking();
}

COLORREF CExtPopupColorMenuWnd::GetColorOfIndex(int nIndex) const
{
    if (nIndex >= 0 && nIndex < COLOR_COUNT)
        return g_arrColors[nIndex].m_clr;
    if (nIndex == IDX_DEFAULT_BUTTON)
        return m_clrDefault;
    return (COLORREF)-1;
}

int CExtPopupColorMenuWnd::GetSeparatorHeight()
{
    return g_CurrentPaintManager->GetMenuSeparatorHeight();
}

// The button text without "&" measured in the menu font; the height is at least 22.
CSize CExtPopupColorMenuWnd::MeasureButtonText(const CString& sText)
{
    CString str(sText);
    str.Remove(_T('&'));
    CRect rc(0, 0, 0, 0);
    CClientDC dc(NULL);
    CFont* pOldFont = dc.SelectObject(&g_CurrentPaintManager->m_FontNormal);
    dc.DrawText(str, &rc, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(pOldFont);
    return CSize(rc.Width(), max(rc.Height(), 22));
}

// The colour menu's size: the colour grid, the default and custom buttons and the shadow.
CSize CExtPopupColorMenuWnd::CalcSize()
{
    const int s = GetShadowSize(), b = GetBorderSize(), p = GetSeparatorHeight();
    const CSize sizeDef = MeasureButtonText(m_sBtnTextColorDefault);
    const CSize sizeCust = MeasureButtonText(m_sBtnTextColorCustom);
    int W = 160 + 2 * b + s;
    if (IsDefaultButtonShown())
        W = max(W, (int)sizeDef.cx + 6);
    if (IsCustomButtonShown())
        W = max(W, (int)sizeCust.cx + 6);
    int H = s + 2 * b + 100;
    if (IsDefaultButtonShown())
        H += p + sizeDef.cy + 6;
    if (IsCustomButtonShown())
        H += p + sizeCust.cy + 7;
    return CSize(W + m_nLeftAreaWidth, H);
}

// The two button rectangles relative to the content origin.
void CExtPopupColorMenuWnd::CalcButtonRects()
{
    const int s = GetShadowSize(), b = GetBorderSize(), p = GetSeparatorHeight();
    const CSize sizeDef = MeasureButtonText(m_sBtnTextColorDefault);
    const CSize sizeCust = MeasureButtonText(m_sBtnTextColorCustom);
    const int W = CalcSize().cx - m_nLeftAreaWidth;
    m_rcDefColorText.SetRectEmpty();
    m_rcCustColorText.SetRectEmpty();
    if (IsDefaultButtonShown())
        m_rcDefColorText.SetRect(b + 3, b + 3, W - s - b - 3, b + 3 + sizeDef.cy);
    // below the default button (its height) and the grid; the custom button has its own
    int nCustTop = b + 3;
    if (IsDefaultButtonShown())
        nCustTop += p + sizeDef.cy + 6;
    nCustTop += b + 102;
    if (IsCustomButtonShown())
        m_rcCustColorText.SetRect(b + 3, nCustTop, W - s - b - 3, nCustTop + sizeCust.cy);
}

CRect CExtPopupColorMenuWnd::GetColorItemRect(int nIndex)
{
    if (nIndex < 0 || nIndex >= COLOR_COUNT)
        return CRect(0, 0, 0, 0);
    const int b = GetBorderSize();
    const int nColumn = ColorIndexToColumn(nIndex), nRow = ColorIndexToRow(nIndex);
    CRect rc(0, 0, 16, 16);
    rc.OffsetRect(b + 20 * nColumn + 2, b + 20 * nRow + 2);
    if (IsDefaultButtonShown())
        rc.OffsetRect(0, GetSeparatorHeight() + MeasureButtonText(m_sBtnTextColorDefault).cy + 6);
    rc.OffsetRect(m_rcContent.left + m_nLeftAreaWidth, m_rcContent.top);
    return rc;
}

int CExtPopupColorMenuWnd::ColorIndexFromPoint(CPoint point)
{
    for (int i = 0; i < COLOR_COUNT; i++)
    {
        if (GetColorItemRect(i).PtInRect(point))
            return i;
    }
    if (IsDefaultButtonShown() && m_rcDefColorText.PtInRect(point))
        return IDX_DEFAULT_BUTTON;
    if (IsCustomButtonShown() && m_rcCustColorText.PtInRect(point))
        return IDX_CUSTOM_BUTTON;
    return -1;
}

// Creates the popup and marks the cell of the initial colour, if it is one of the grid.
bool CExtPopupColorMenuWnd::CreatePopupWindow(CWnd* pWndParent)
{
    if (!CExtPopupMenuWnd::CreatePopupWindow(pWndParent))
        return false;
    m_nInitialColorIdx = -1;
    for (int i = 0; i < COLOR_COUNT && m_clrInitial != (COLORREF)-1; i++)
    {
        if (g_arrColors[i].m_clr == m_clrInitial)
        {
            m_nInitialColorIdx = i;
            break;
        }
    }
    Invalidate(FALSE);
    CalcButtonRects();
    const CPoint ptOffset(m_rcContent.left + m_nLeftAreaWidth, m_rcContent.top);
    m_rcDefColorText.OffsetRect(ptOffset);
    m_rcCustColorText.OffsetRect(ptOffset);
    return true;
}

// Paints the colour grid, buttons and selection off screen, then to the popup.
void CExtPopupColorMenuWnd::PaintContent(CDC& dcPaint, bool bUseMemDC)
{
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    CPalette* pOldPalette = NULL;
    const bool bPalette = (dcPaint.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0
        && pPM->m_paletteHalftone.GetSafeHandle() != NULL;
    if (bPalette)
    {
        pOldPalette = dcPaint.SelectPalette(&pPM->m_paletteHalftone, FALSE);
        dcPaint.RealizePalette();
    }
    const CRect rcContent(m_rcContent);
    {
        CExtMemoryDC dcMem;
        CDC* pDC = &dcPaint;
        if (bUseMemDC)
        {
            dcMem.SetupSurface(&dcPaint, &rcContent, CExtMemoryDC::MDC_DEFAULT);
            pDC = &dcMem;
        }
        CDC& dc = *pDC;
        CFont* pOldFont = dc.SelectObject(&pPM->m_FontNormal);
        dc.FillSolidRect(&rcContent, pPM->GetMenuFaceColor(this));
        pPM->DrawMenuFrame(dc, rcContent, this);
        const int b = GetBorderSize();
        const int nSaved = dc.SaveDC();
        dc.ExcludeClipRect(rcContent.left, rcContent.top, rcContent.right, rcContent.top + b);
        dc.ExcludeClipRect(rcContent.left, rcContent.bottom - b, rcContent.right,
                           rcContent.bottom);
        const HFONT hFont = (HFONT)pPM->m_FontNormal.GetSafeHandle();
        if (IsDefaultButtonShown())
        {
            const bool bHot = m_nColorIdxCurr == IDX_DEFAULT_BUTTON;
            CExtPaintManager::PushButtonArgs_t pba(this, true, m_rcDefColorText,
                                                   m_sBtnTextColorDefault, NULL, true, bHot,
                                                   bHot, false, true, true, false, false, 1,
                                                   hFont, false, 0, false);
            pPM->DrawPushButton(dc, pba);
            CRect rcSep(m_rcDefColorText.left, m_rcDefColorText.bottom,
                        m_rcDefColorText.right,
                        m_rcDefColorText.bottom + GetSeparatorHeight() + 6);
            int y = rcSep.top + rcSep.Height() / 2;
            pPM->DrawSeparator(dc, CRect(rcSep.left, y - 1, rcSep.right, y + 1), false, true, this);
        }
        if (IsCustomButtonShown())
        {
            const bool bHot = m_nColorIdxCurr == IDX_CUSTOM_BUTTON;
            CExtPaintManager::PushButtonArgs_t pba(this, true, m_rcCustColorText,
                                                   m_sBtnTextColorCustom, NULL, true, bHot,
                                                   bHot, false, true, true, false, false, 1,
                                                   hFont, false, 0, false);
            pPM->DrawPushButton(dc, pba);
            CRect rcSep(m_rcCustColorText.left,
                        m_rcCustColorText.top - GetSeparatorHeight() - 6,
                        m_rcCustColorText.right, m_rcCustColorText.top);
            int y = rcSep.top + rcSep.Height() / 2;
            pPM->DrawSeparator(dc, CRect(rcSep.left, y - 1, rcSep.right, y + 1), false, true, this);
        }
        const COLORREF clrBorder = pPM->GetColor(COLOR_3DDKSHADOW, this);
        for (int i = 0; i < COLOR_COUNT; i++)
        {
            const CRect rcCell = GetColorItemRect(i);
            const bool bHot = i == m_nColorIdxCurr || i == m_nInitialColorIdx;
            CExtPaintManager::PushButtonArgs_t pba(this, true, rcCell, _T(""), NULL, true, bHot,
                                                   bHot, false, true, true, false, false, 1,
                                                   hFont, false, 0, false);
            pPM->DrawPushButton(dc, pba);
            CRect rcColor(rcCell);
            rcColor.DeflateRect(2, 2);
            dc.FillSolidRect(&rcColor, g_arrColors[i].m_clr);
            dc.Draw3dRect(&rcColor, clrBorder, clrBorder);
        }
        dc.RestoreDC(nSaved);
        if (m_nLeftAreaWidth > 0 && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        {
            CRect rcLeft(rcContent.left + b, rcContent.top + b,
                         rcContent.left + b + m_nLeftAreaWidth, rcContent.bottom - b);
            DRAWLEFTAREADATA dla(&dc, rcLeft, this);
            ::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&dla);
        }
        if (m_bCombineWithEA && m_eCombineAlign != COMBINE_NONE && GetSafeHwnd() != NULL)
        {
            CRect rcExcludeClient(m_rcExcludeArea);
            ScreenToClient(&rcExcludeClient);
            pPM->DrawMenuAttachment(dc, rcExcludeClient, rcContent, m_eCombineAlign, this);
            if (m_pCbPaintCombinedContent != NULL)
                m_pCbPaintCombinedContent(m_pCbPaintCombinedCookie, dc, *this, m_rcExcludeArea,
                                          m_eCombineAlign);
        }
        dc.SelectObject(pOldFont);
    }
    PaintShadows(dcPaint);
    if (pOldPalette != NULL)
        dcPaint.SelectPalette(pOldPalette, FALSE);
}

// Tells the receiver of the colour under the selection, or of the final choice; once at a time.
void CExtPopupColorMenuWnd::NotifyColorChanged(bool bFinal)
{
    if (m_bNotifyBusy)
        return;
    const int nIndex = m_nColorIdxCurr;
    if (nIndex == -1)
        return;
    if (nIndex == IDX_CUSTOM_BUTTON && !bFinal)
        return;
    HWND hWnd = (m_hWndNotification != NULL) ? m_hWndNotification : m_hWndCmdReceiver;
    m_bNotifyBusy = true;
    if (nIndex == IDX_CUSTOM_BUTTON)
    {
        if (m_pClrResult != NULL)
            *m_pClrResult = (COLORREF)-2;
        if (hWnd != NULL && ::IsWindow(hWnd))
            ::PostMessageA(hWnd, g_nMsgNotifyCustColor, 0, m_lParamCookie);
    }
    else
    {
        const COLORREF clr = GetColorOfIndex(nIndex);
        if (bFinal && m_pClrResult != NULL)
            *m_pClrResult = clr;
        if (hWnd != NULL && ::IsWindow(hWnd))
            ::PostMessageA(hWnd, bFinal ? g_nMsgNotifyColorChangedFinally
                                        : g_nMsgNotifyColorChanged,
                           (WPARAM)clr, m_lParamCookie);
    }
    m_bNotifyBusy = false;
}

void CExtPopupColorMenuWnd::ShowCellTip(int nIndex)
{
    if (nIndex < 0 || nIndex >= COLOR_COUNT || !g_bPopupMenuTips || !IsItemTipAllowed()
        || g_TrackingSite.m_pWndHookTarget != this || g_TrackingSite.m_pWndAnimation != NULL)
        return;
    CRect rc = GetColorItemRect(nIndex);
    ClientToScreen(&rc);
    m_wndMenuTip.SetText(g_arrColors[nIndex].m_sName);
    m_wndMenuTip.Show(this, rc);
}

// Selects the cell under the mouse and tells the receiver of the colour shown.
bool CExtPopupColorMenuWnd::OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat)
{
    if (GetSafeHwnd() == NULL || g_TrackingSite.m_pWndAnimation != NULL)
        return false;
    CSelfLock lock(this);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    if (hWndUnder != NULL && hWndUnder != GetSafeHwnd() && ::IsChild(GetSafeHwnd(), hWndUnder))
        return false;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
    {
        const int nHit = ColorIndexFromPoint(point);
        if (nHit != m_nColorIdxCurr)
        {
            m_nColorIdxCurr = nHit;
            Invalidate(FALSE);
            UpdateWindow();
            if (nHit != IDX_CUSTOM_BUTTON)
                NotifyColorChanged(false);
            if (nHit < 0)
                m_wndMenuTip.Hide();
            else
                ShowCellTip(nHit);
        }
        return true;
    }
    if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
    {
        CPoint ptParent(ptScreen);
        m_pWndParentMenu->ScreenToClient(&ptParent);
        if (m_pWndParentMenu->OnHookMouseMove(nFlags, ptParent, bNoEat))
        {
            if (GetSafeHwnd() != NULL)
                CloseMenuTree(false);
            return true;
        }
    }
    return false;
}

// A release on a cell chooses its colour; a press outside the menus closes it.
bool CExtPopupColorMenuWnd::OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat)
{
    if (GetSafeHwnd() == NULL)
        return false;
    if (g_TrackingSite.m_pWndAnimation != NULL)
        return true;
    CSelfLock lock(this);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    const bool bRelease = nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP;
    if (IsTopLevel() && m_pWndParentMenu == NULL && m_bCombineWithEA
        && m_rcExcludeArea.PtInRect(ptScreen))
    {
        if (bRelease)
            return false;
        CloseMenuTree(false);
        return true;
    }
    if (!bRelease)
        return false;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point) && !IsContinuedTracking())
    {
        const int nHit = ColorIndexFromPoint(point);
        if (nHit != -1)
        {
            m_nColorIdxCurr = nHit;
            NotifyColorChanged(true);
            g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
        }
    }
    if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
    {
        CRect rcParent;
        m_pWndParentMenu->GetWindowRect(&rcParent);
        if (rcParent.PtInRect(ptScreen))
        {
            CPoint ptParent(ptScreen);
            m_pWndParentMenu->ScreenToClient(&ptParent);
            return m_pWndParentMenu->OnHookMouseClick(nMessage, ptParent, bNoEat);
        }
    }
    if (GetSafeHwnd() != NULL)
        EndWithCommand(0);
    return true;
}

// Moves the selection through the grid with the arrows; Enter chooses, Esc closes.
bool CExtPopupColorMenuWnd::OnHookKey(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/,
                                      bool& /*bNoEat*/)
{
    if (GetSafeHwnd() == NULL || g_TrackingSite.m_pWndAnimation != NULL)
        return true;
    CSelfLock lock(this);
    switch (nChar)
    {
    case VK_RETURN:
        if (m_nColorIdxCurr != -1 && !IsContinuedTracking())
        {
            NotifyColorChanged(true);
            g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
        }
        if (GetSafeHwnd() != NULL)
            EndWithCommand(0);
        return true;
    case VK_ESCAPE:
    case VK_MENU:
        EndWithCommand(0);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        break;
    default:
        return false;
    }
    int nIndex = m_nColorIdxCurr;
    if (nIndex < 0 || nIndex >= COLOR_COUNT)
        nIndex = 0;
    else
    {
        int nColumn = ColorIndexToColumn(nIndex), nRow = ColorIndexToRow(nIndex);
        switch (nChar)
        {
        case VK_LEFT: nColumn = (nColumn + COLOR_COLUMNS - 1) % COLOR_COLUMNS; break;
        case VK_RIGHT: nColumn = (nColumn + 1) % COLOR_COLUMNS; break;
        case VK_UP: nRow = (nRow + COLOR_ROWS - 1) % COLOR_ROWS; break;
        default: nRow = (nRow + 1) % COLOR_ROWS; break;
        }
        nIndex = ColorIndexFromColumnRow(nColumn, nRow);
    }
    m_nColorIdxCurr = nIndex;
    m_wndMenuTip.Hide();
    Invalidate(FALSE);
    UpdateWindow();
    NotifyColorChanged(false);
    return true;
}

BOOL CExtPopupColorMenuWnd::OnQueryNewPalette()
{
    Invalidate(TRUE);
    return CExtPopupMenuWnd::OnQueryNewPalette();
}

void CExtPopupColorMenuWnd::OnPaletteChanged(CWnd* pFocusWnd)
{
    CExtPopupMenuWnd::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd == NULL || pFocusWnd->GetSafeHwnd() != GetSafeHwnd())
        Invalidate(TRUE);
}
