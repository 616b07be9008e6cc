// ExtBarNcAreaButton.cpp - caption buttons of the bars (Close, Auto Hide, Menu): layout in
// the caption, hit tests, painting through the paint manager, clicks and tool tips.

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtResourceManager.h"

#include <cstring>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

IMPLEMENT_DYNAMIC(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNAMIC(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNAMIC(CExtBarNcAreaButtonAutoHide, CExtBarNcAreaButton)
IMPLEMENT_DYNAMIC(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

namespace
{

// The mini frame of a floating bar, or of the only resizable bar of a framework mini frame.
CFrameWnd* CaptionMiniFrame(CExtControlBar* pBar)
{
    if (pBar->m_hWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return NULL;
    if (pBar->IsFloating())
        return pFrame;
    return NULL;
}

// Caption rectangle of a framework mini frame in its window coordinates.
CRect MiniFrameCaptionRect(CFrameWnd* pFrame)
{
    CRect rc(0, 0, 0, 0);
    if (pFrame == NULL || !ExtBarsIsOfClassName(pFrame, "CExtMiniDockFrameWnd"))
        return rc;
    CRect rcWnd;
    pFrame->GetWindowRect(&rcWnd);
    int cx = ::GetSystemMetrics(SM_CXFRAME);
    int cy = ::GetSystemMetrics(SM_CYFRAME);
    rc.SetRect(cx, cy, rcWnd.Width() - cx, cy + ::GetSystemMetrics(SM_CYSMCAPTION));
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The bar's side

bool CExtControlBar::GetCaptionInfo(CWnd*& pHost, CRect& rcCaption, bool& bHorizontal)
{
    pHost = NULL;
    rcCaption.SetRectEmpty();
    bHorizontal = true;
    if (m_bAutoHidden)
    {
        // an auto-hidden bar has a caption only in the slider showing it
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindSliderShowing(this);
        if (pSlider == NULL)
            return false;
        pHost = pSlider;
        rcCaption = pSlider->GetCaptionRect();
        return !rcCaption.IsRectEmpty();
    }
    CFrameWnd* pMini = CaptionMiniFrame(this);
    if (pMini != NULL)
    {
        pHost = pMini;
        rcCaption = MiniFrameCaptionRect(pMini);
        return !rcCaption.IsRectEmpty();
    }
    pHost = this;
    bool bHasCaption = false;
    QueryGripper(&bHorizontal, &bHasCaption);
    if (!bHasCaption)
        return false;
    rcCaption = m_rcCaption;
    return !rcCaption.IsRectEmpty();
}

void CExtControlBar::CreateNcAreaButtons()
{
    if (m_arrNcButtons.GetSize() != 0)
        return;
    m_arrNcButtons.Add(new CExtBarNcAreaButtonClose(this));
    m_arrNcButtons.Add(new CExtBarNcAreaButtonAutoHide(this));
    m_arrNcButtons.Add(new CExtBarNcAreaButtonMenu(this));
}

int CExtControlBar::LayoutNcAreaButtons()
{
    CExtBarNcAreaButton* pPrev = NULL;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
        pBtn->PlaceInCaption(pPrev);
        if (pBtn->IsDisplayed())
            pPrev = pBtn;
    }
    return (int)m_arrNcButtons.GetSize();
}

void CExtControlBar::NcButtonsDestroy()
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
        m_arrNcButtons[i]->Destroy();
    m_arrNcButtons.RemoveAll();
}

// Shortens the caption rectangle so its text stops before the innermost shown caption
// button.
void CExtControlBar::ExcludeNcButtonsFromCaption(RECT& rc)
{
    if (m_arrNcButtons.GetSize() == 0)
        return;
    bool bHorzCaption = true;
    bool bDockedHorz = IsDockedHorizontally();
    if (m_bAutoHidden)
    {
        CWnd* pHost = NULL;
        CRect rcCaption;
        if (!GetCaptionInfo(pHost, rcCaption, bHorzCaption))
            return;
        bDockedHorz = false;
    }
    else if (!IsFloating())
    {
        bool bHasCaption = false;
        QueryGripper(&bHorzCaption, &bHasCaption);
        if (!bHasCaption)
            return;
    }
    for (INT_PTR i = m_arrNcButtons.GetSize() - 1; i >= 0; i--)
    {
        CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
        if (!pBtn->IsDisplayed() || pBtn->m_rc.IsRectEmpty())
            continue;
        if (bHorzCaption || !bDockedHorz)
        {
            rc.right = pBtn->m_rc.left - 1;
            if (rc.left > rc.right)
                rc.left = rc.right;
        }
        else
        {
            rc.top = pBtn->m_rc.bottom + 1;
            if (rc.bottom < rc.top)
                rc.bottom = rc.top;
        }
        break;
    }
}

void CExtControlBar::PaintNcAreaButtons(CDC& dc)
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
        if (pBtn->IsDisplayed())
            pBtn->Paint(dc);
    }
}

// The hit code of the caption button under a screen point (HTCLIENT for none); with
// ppButton it answers the button, without it refreshes the buttons' hover and pressed looks.
UINT CExtControlBar::NcButtonsHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppButton)
{
    if (ppButton != NULL)
        *ppButton = NULL;
    if (m_hWnd == NULL)
        return HTCLIENT;
    CWnd* pHost = this;
    CFrameWnd* pMini = CaptionMiniFrame(this);
    if (m_bAutoHidden)
    {
        pHost = CExtDynAutoHideSlider::FindSliderShowing(this);
        if (pHost == NULL)
            return HTCLIENT;
    }
    else if (pMini != NULL && ExtBarsIsOfClassName(pMini, "CExtMiniDockFrameWnd"))
        pHost = pMini;
    CRect rcHost;
    pHost->GetWindowRect(&rcHost);
    CPoint pt = ptScreen - rcHost.TopLeft();
    if (GetDraggedBar() != NULL || CExtPopupMenuWnd::IsTrackingActive())
        return HTCLIENT;
    bool bBusy = m_bRowResizing || m_bColumnResizing || m_bDragging;
    bool bChanged = false;
    UINT nResult = HTCLIENT;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
        if (!pBtn->IsDisplayed())
            continue;
        bool bHoverOld = pBtn->m_bHover, bPushedOld = pBtn->m_bPushed;
        if (ppButton == NULL && bBusy)
        {
            pBtn->m_bHover = false;
            pBtn->m_bPushed = false;
        }
        else
        {
            UINT nHit = pBtn->OnNcHitTest(pt);
            if (nHit != HTCLIENT && nResult == HTCLIENT)
            {
                nResult = nHit;
                if (ppButton != NULL)
                {
                    *ppButton = pBtn;
                    return nResult;
                }
            }
        }
        if (bHoverOld != pBtn->m_bHover || bPushedOld != pBtn->m_bPushed)
            bChanged = true;
    }
    if (ppButton == NULL && bChanged)
        pHost->SendMessage(WM_NCPAINT);
    return nResult;
}

/////////////////////////////////////////////////////////////////////////////
// CExtBarNcAreaButton

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
    : m_pBar(pBar), m_rc(0, 0, 0, 0), m_bHover(false), m_bPushed(false), m_bDisabled(false),
      m_bPaintingOutside(false)
{
}

CExtBarNcAreaButton::~CExtBarNcAreaButton()
{
}

void CExtBarNcAreaButton::Destroy()
{
    delete this;
}

// Places the button as a square at the caption's far end, or just before the previous
// button.
void CExtBarNcAreaButton::PlaceInCaption(CExtBarNcAreaButton* pPrev)
{
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    m_rc.SetRectEmpty();
    if (!m_pBar->GetCaptionInfo(pHost, rcCaption, bHorz))
        return;
    m_rc = rcCaption;
    if (bHorz)
    {
        m_rc.DeflateRect(2, 3);
        m_rc.left = m_rc.right - m_rc.Height();
        m_rc.OffsetRect(-1, 0);
        if (pPrev != NULL && !pPrev->m_rc.IsRectEmpty())
            m_rc.OffsetRect(pPrev->m_rc.left - 3 - m_rc.right, 0);
    }
    else
    {
        m_rc.DeflateRect(3, 2);
        m_rc.bottom = m_rc.top + m_rc.Width();
        m_rc.OffsetRect(0, 1);
        if (pPrev != NULL && !pPrev->m_rc.IsRectEmpty())
            m_rc.OffsetRect(0, pPrev->m_rc.bottom + 3 - m_rc.top);
    }
}

bool CExtBarNcAreaButton::IsDisplayed()
{
    CExtControlBar* pBar = m_pBar;
    if (pBar->m_hWnd == NULL)
        return false;
    // an auto-hidden bar is hidden; its buttons show while its slider shows it
    if (!pBar->m_bAutoHidden && !pBar->IsVisible())
        return false;
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    return pBar->GetCaptionInfo(pHost, rcCaption, bHorz);
}

void CExtBarNcAreaButton::Paint(CDC&)
{
}

UINT CExtBarNcAreaButton::OnNcHitTest(CPoint pt)
{
    if (!m_rc.IsRectEmpty() && m_rc.PtInRect(pt))
    {
        m_bHover = true;
        m_bPushed = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 &&
                    (::GetKeyState(VK_MBUTTON) & 0x8000) == 0 &&
                    (::GetKeyState(VK_RBUTTON) & 0x8000) == 0;
        return 0;
    }
    m_bHover = false;
    m_bPushed = false;
    return HTCLIENT;
}

HCURSOR CExtBarNcAreaButton::OnQueryCursor(CPoint pt)
{
    if (!m_rc.IsRectEmpty() && m_rc.PtInRect(pt))
        return CExtControlBar::g_hCursorArrow;
    return NULL;
}

bool CExtBarNcAreaButton::OnClick(CPoint)
{
    return false;
}

INT_PTR CExtBarNcAreaButton::OnToolHitTest(CPoint, TOOLINFO*)
{
    return -1;
}

bool CExtBarNcAreaButton::BeginClick(CPoint pt)
{
    if (m_rc.IsRectEmpty() || !m_rc.PtInRect(pt))
        return false;
    m_bHover = false;
    m_bPushed = false;
    return true;
}

// Draws the button with a glyph in its state; it looks active when its bar (or the slider
// or mini frame showing it) is, and pushed while drawn beside its open popup.
void CExtBarNcAreaButton::PaintGlyph(CDC& dc, int nGlyph)
{
    if (m_rc.IsRectEmpty())
        return;
    bool bTracking = CExtPopupMenuWnd::IsTrackingActive();
    bool bHover = m_bHover && !m_bDisabled && !bTracking && !m_bPaintingOutside;
    bool bPushed = m_bPushed && !m_bDisabled && !bTracking && !m_bPaintingOutside;
    bool bResizableLook = !m_pBar->IsFixedSize() || m_bPaintingOutside;
    bool bActive = m_pBar->m_bActive;
    if (m_pBar->m_bAutoHidden)
    {
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindSliderShowing(m_pBar);
        bActive = pSlider != NULL && pSlider->IsActive();
    }
    else if (m_pBar->IsFloating())
    {
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        HWND hWndFocus = ::GetFocus();
        bActive = pMini != NULL && hWndFocus != NULL &&
                  (hWndFocus == pMini->m_hWnd || ::IsChild(pMini->m_hWnd, hWndFocus));
    }
    if (m_bPaintingOutside)
        bPushed = true;
    CExtPaintManager::NcButtonArgs_t nba(this, m_rc, nGlyph, bHover, bPushed, !m_bDisabled,
                                         bResizableLook, bActive, m_pBar->IsFloating());
    g_CurrentPaintManager->DrawNcAreaButton(dc, nba);
}

// Fills the button's tip, in the host's client coordinates, with a text from the string
// table; 0 for an auto-hidden bar out of sight, -1 without pTI.
INT_PTR CExtBarNcAreaButton::FillToolInfo(TOOLINFO* pTI, UINT nStringID, LPCTSTR sFallback)
{
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    bool bCaption = m_pBar->GetCaptionInfo(pHost, rcCaption, bHorz);
    // an auto-hidden bar's tips come from the slider showing it
    if (m_pBar->m_bAutoHidden && !bCaption)
        return 0;
    if (pTI == NULL)
        return -1;
    CRect rc(m_rc);
    if (pHost != NULL)
    {
        // host window coordinates to its client coordinates
        CRect rcWnd, rcClient;
        pHost->GetWindowRect(&rcWnd);
        pHost->GetClientRect(&rcClient);
        pHost->ClientToScreen(&rcClient);
        rc.OffsetRect(rcWnd.left - rcClient.left, rcWnd.top - rcClient.top);
    }
    pTI->rect = rc;
    pTI->hwnd = m_pBar->m_bAutoHidden && pHost != NULL ? pHost->m_hWnd : m_pBar->m_hWnd;
    pTI->uId = (UINT)m_pBar->GetDlgCtrlID();
    CString strText;
    if (!g_ResourceManagerHolder->LoadString(strText, nStringID) || strText.IsEmpty())
        strText = sFallback;
    size_t nLen = (size_t)strText.GetLength() + 1;
    char* pCopy = (char*)malloc(nLen);
    if (pCopy != NULL)
    {
        memcpy(pCopy, (LPCTSTR)strText, nLen);
        pTI->lpszText = pCopy;
    }
    else
    {
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return (INT_PTR)pTI->uId;
}

/////////////////////////////////////////////////////////////////////////////
// Close

bool CExtBarNcAreaButtonClose::IsDisplayed()
{
    if (!CExtBarNcAreaButton::IsDisplayed())
        return false;
    return !m_pBar->IsFixedSize() || m_pBar->IsFloating();
}

void CExtBarNcAreaButtonClose::Paint(CDC& dc)
{
    PaintGlyph(dc, 1);
}

UINT CExtBarNcAreaButtonClose::OnNcHitTest(CPoint pt)
{
    return CExtBarNcAreaButton::OnNcHitTest(pt) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

// Hides the bar; an auto-hidden one leaves its strip first.
bool CExtBarNcAreaButtonClose::OnClick(CPoint pt)
{
    if (!BeginClick(pt))
        return false;
    CExtControlBar* pBar = m_pBar;
    // an auto-hidden bar leaves its strip before it hides
    if (pBar->m_bAutoHidden && !pBar->IsFixedSize())
        CExtControlBar::AutoHideModeSet(pBar, false, false, true, true);
    CFrameWnd* pSite = pBar->m_pDockSite;
    if (pSite == NULL)
        pSite = pBar->GetParentFrame();
    if (pSite == NULL)
        return true;
    pSite->ShowControlBar(pBar, FALSE, FALSE);
    return true;
}

INT_PTR CExtBarNcAreaButtonClose::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, 30048, "Hide");
}

/////////////////////////////////////////////////////////////////////////////
// Auto Hide

void CExtBarNcAreaButtonAutoHide::PlaceInCaption(CExtBarNcAreaButton* pPrev)
{
    if (!m_pBar->m_bAutoHidden)
    {
        m_bHover = false;
        m_bPushed = false;
    }
    CExtBarNcAreaButton::PlaceInCaption(pPrev);
}

bool CExtBarNcAreaButtonAutoHide::IsDisplayed()
{
    if (!CExtBarNcAreaButton::IsDisplayed())
        return false;
    if (m_pBar->IsFixedSize() || m_pBar->IsFloating())
        return false;
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, m_pBar->m_pDockBar);
    if (pDock == NULL || pDock->GetAutoHideArea() == NULL)
        return false;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    return pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

void CExtBarNcAreaButtonAutoHide::Paint(CDC& dc)
{
    PaintGlyph(dc, m_pBar->m_bAutoHidden ? 11 : 10);
}

UINT CExtBarNcAreaButtonAutoHide::OnNcHitTest(CPoint pt)
{
    return CExtBarNcAreaButton::OnNcHitTest(pt) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

bool CExtBarNcAreaButtonAutoHide::OnClick(CPoint pt)
{
    if (!BeginClick(pt))
        return false;
    CExtControlBar::AutoHideModeSet(m_pBar, !m_pBar->m_bAutoHidden, false, true, false);
    return true;
}

INT_PTR CExtBarNcAreaButtonAutoHide::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, 30056, "Auto Hide");
}

/////////////////////////////////////////////////////////////////////////////
// Menu

bool CExtBarNcAreaButtonMenu::IsDisplayed()
{
    if (!CExtBarNcAreaButton::IsDisplayed())
        return false;
    return m_pBar->IsFixedSize() && m_pBar->IsFloating();
}

void CExtBarNcAreaButtonMenu::Paint(CDC& dc)
{
    PaintGlyph(dc, 3);
}

UINT CExtBarNcAreaButtonMenu::OnNcHitTest(CPoint pt)
{
    return CExtBarNcAreaButton::OnNcHitTest(pt) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

// Draws the menu button pushed in the popup's window while its options popup is open.
void CExtBarNcAreaButtonMenu::stat_PaintPushed(LPVOID pCookie, CDC& dc, const CWnd&,
                                               const CRect&, int)
{
    CExtBarNcAreaButtonMenu* pBtn = (CExtBarNcAreaButtonMenu*)pCookie;
    if (pBtn == NULL)
        return;
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    pBtn->m_pBar->GetCaptionInfo(pHost, rcCaption, bHorz);
    if (pHost == NULL || pHost->m_hWnd == NULL)
        return;
    CRect rcWnd, rcClient;
    pHost->GetWindowRect(&rcWnd);
    pHost->GetClientRect(&rcClient);
    pHost->ClientToScreen(&rcClient);
    CPoint ptOld = dc.GetViewportOrg();
    dc.SetViewportOrg(ptOld.x + rcWnd.left - rcClient.left, ptOld.y + rcWnd.top - rcClient.top);
    pBtn->m_bPaintingOutside = true;
    pBtn->Paint(dc);
    pBtn->m_bPaintingOutside = false;
    dc.SetViewportOrg(ptOld);
}

// Opens the options popup of a floating fixed bar under the button: what the owner adds,
// or the show/hide list of the frame's bars.
bool CExtBarNcAreaButtonMenu::OnClick(CPoint pt)
{
    if (!BeginClick(pt))
        return false;
    CExtControlBar* pBar = m_pBar;
    CFrameWnd* pFrame = pBar->m_pDockSite;
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return true;
    if (CExtControlBar::IsFrameInHelpMode(pFrame))
        return true;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd))
    {
        delete pPopup;
        return true;
    }
    CExtControlBar::POPUP_MENU_EVENT_DATA data(
        CExtControlBar::POPUP_MENU_EVENT_DATA::KIND_NC_OPTIONS, pPopup, pBar, CPoint(-1, -1),
        WM_NCLBUTTONUP, this);
    if (!data.NotifyTarget(false))
    {
        CString strText;
        if (!g_ResourceManagerHolder->LoadString(strText, 30009) || strText.IsEmpty())
            strText = "&Show/hide panels";
        if (pPopup->InsertNewSubMenu((UINT)-1, -1, strText))
        {
            int nPos = pPopup->GetItemCount() - 1;
            CExtPopupMenuWnd* pSub = pPopup->GetItemPopup(nPos);
            if (pSub != NULL)
                CExtControlBar::BuildBarsMenu(pFrame, pSub,
                    CExtControlBar::POPUP_MENU_EVENT_DATA::KIND_NC_OPTIONS_BARS_LIST, pBar, 161,
                    this);
            if (pSub == NULL || pSub->GetItemCount() == 0)
                pPopup->DeleteItem(nPos);
        }
    }
    data.NotifyTarget(true);
    if (pPopup->GetItemCount() == 0)
    {
        delete pPopup;
        return true;
    }
    CWnd* pHost = NULL;
    CRect rcCaption;
    bool bHorz = true;
    pBar->GetCaptionInfo(pHost, rcCaption, bHorz);
    CRect rcBtn(m_rc);
    if (pHost != NULL)
    {
        CRect rcWnd;
        pHost->GetWindowRect(&rcWnd);
        rcBtn.OffsetRect(rcWnd.TopLeft());
    }
    rcBtn.InflateRect(1, 1);
    CPoint ptTrack = rcBtn.CenterPoint();
    if (!pPopup->StartTracking(0x824, ptTrack.x, ptTrack.y, &rcBtn, this, stat_PaintPushed))
        delete pPopup;
    return true;
}

INT_PTR CExtBarNcAreaButtonMenu::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, 30049, "Options");
}
