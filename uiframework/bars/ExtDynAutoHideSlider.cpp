// ExtDynAutoHideSlider.cpp - CExtDynAutoHideSlider: the window that slides an auto-hidden
// bar's content out of its frame edge, with the bar's caption, its buttons and resizing.

#include "ExtDynAutoHide.h"
#include "ExtDockBar.h"
#include "afxpriv.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "uiframework/foundation/ExtMemoryDC.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynAutoHideSlider, CWnd)

static const TCHAR g_szSliderClass[] = _T("Baymoor-AutohideSlider");
// The frame edges in the order of CExtDynAutoHideArea::FindAreas.
static const UINT g_arrSideIDs[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                      AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };

namespace
{

// The bar whose docked size gives a slider's depth: the container of a bar inside one.
CExtControlBar* SizeHolder(CExtControlBar* pBar)
{
    CExtDockDynBar* pDyn = DYNAMIC_DOWNCAST(CExtDockDynBar, pBar->m_pDockBar);
    if (pDyn != NULL && pDyn->GetContainer() != NULL)
        return pDyn->GetContainer();
    return pBar;
}

// Microseconds of the performance counter.
LONGLONG StepClock()
{
    LARGE_INTEGER f, c;
    if (!::QueryPerformanceFrequency(&f) || f.QuadPart == 0 || !::QueryPerformanceCounter(&c))
        return (LONGLONG)::GetTickCount() * 1000;
    return c.QuadPart * 1000000 / f.QuadPart;
}

// Sleeps the rest of a step that began at nStart (StepClock) and lasts nMs.
void WaitStepRest(LONGLONG nStart, int nMs)
{
    for (;;)
    {
        LONGLONG nLeft = (LONGLONG)nMs * 1000 - (StepClock() - nStart);
        if (nLeft <= 0)
            return;
        ::Sleep((DWORD)std::max<LONGLONG>(nLeft / 1000, 1));
    }
}

// The mouse hook of the thread while sliders are out; the last one slid out acts.
HHOOK g_hSliderHook = NULL;
std::vector<CExtDynAutoHideSlider*> g_arrHookedSliders;

// Hands the thread's mouse messages to the last slider slid out, which may swallow them.
LRESULT CALLBACK SliderMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hSliderHook;
    if (nCode == HC_ACTION && lParam != 0)
    {
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::GetHookedSlider();
        if (pSlider != NULL && pSlider->m_hWnd != NULL && pSlider->IsShown() &&
            ::IsWindowVisible(pSlider->m_hWnd))
        {
            CPoint pt = ((const MOUSEHOOKSTRUCT*)lParam)->pt;
            UINT nMsg = (UINT)wParam;
            bool bSwallow = false;
            switch (nMsg)
            {
            case WM_MOUSEMOVE:
            case WM_NCMOUSEMOVE:
                bSwallow = pSlider->OnHookMouseMove(pt);
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_MBUTTONDBLCLK:
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONUP:
            case WM_NCLBUTTONDBLCLK:
            case WM_NCRBUTTONDOWN:
            case WM_NCRBUTTONUP:
            case WM_NCRBUTTONDBLCLK:
            case WM_NCMBUTTONDOWN:
            case WM_NCMBUTTONUP:
            case WM_NCMBUTTONDBLCLK:
                bSwallow = pSlider->OnHookMouseClick(nMsg, pt);
                break;
            }
            if (bSwallow)
                return 1;
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtDynAutoHideSlider

CExtDynAutoHideSlider::CExtDynAutoHideSlider()
    : m_pArea(NULL), m_pBar(NULL), m_nContentWidth(0), m_nContentHeight(0), m_nFlags(0),
      m_nResizeState(1), m_ptResizeStart(0, 0), m_rcResizeStart(0, 0, 0, 0), m_pBtnHover(NULL),
      m_pBtnTooltip(NULL), m_pBtnPressed(NULL), m_rcInner(0, 0, 0, 0), m_hWndContent(NULL)
{
    RegisterSliderClass();
}

CExtDynAutoHideSlider::~CExtDynAutoHideSlider()
{
    HookMouse(false);
}

// Registers the slider's window class once per process, or finds it registered.
bool CExtDynAutoHideSlider::RegisterSliderClass()
{
    static bool s_bRegistered = false;
    if (s_bRegistered)
        return true;
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wc;
    if (!::GetClassInfo(hInst, g_szSliderClass, &wc))
    {
        ::ZeroMemory(&wc, sizeof(wc));
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = g_szSliderClass;
        if (!::RegisterClass(&wc))
            return false;
    }
    s_bRegistered = true;
    return true;
}

BOOL CExtDynAutoHideSlider::Create(CFrameWnd* pFrame)
{
    if (!RegisterSliderClass())
        return FALSE;
    if (!CWnd::Create(g_szSliderClass, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                      CRect(0, 0, 0, 0), pFrame, (UINT)-1))
        return FALSE;
    m_wndToolTip.Create(this);
    EnableToolTips(TRUE);
    return TRUE;
}

CFrameWnd* CExtDynAutoHideSlider::GetFrame() const
{
    return m_hWnd != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, GetParent()) : NULL;
}

int CExtDynAutoHideSlider::GetResizeHitCode() const
{
    switch (m_pArea != NULL ? m_pArea->GetDockBarID() : 0)
    {
    case AFX_IDW_DOCKBAR_TOP: return HTBOTTOM;
    case AFX_IDW_DOCKBAR_BOTTOM: return HTTOP;
    case AFX_IDW_DOCKBAR_LEFT: return HTRIGHT;
    case AFX_IDW_DOCKBAR_RIGHT: return HTLEFT;
    }
    return HTNOWHERE;
}

int CExtDynAutoHideSlider::GetCaptionHeight() const
{
    int n = m_pBar != NULL && m_pBar->m_nCaptionHeight > 0 ? m_pBar->m_nCaptionHeight
                                                           : g_CurrentPaintManager->GetTextHeight(false) + 4;
    return n + 1;
}

// The caption inside the slider's border, kept off the resizing band of its inner edge.
CRect CExtDynAutoHideSlider::GetCaptionRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd == NULL || m_pBar == NULL)
        return rc;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    rc.SetRect(2, 2, rcWnd.Width() - 2, 2 + GetCaptionHeight() - 1);
    switch (GetResizeHitCode())
    {
    case HTTOP: rc.OffsetRect(0, 3); break;
    case HTLEFT: rc.left += 3; break;
    case HTRIGHT: rc.right -= 3; break;
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

CExtDynAutoHideSlider* CExtDynAutoHideSlider::FindSliderShowing(CExtControlBar* pBar)
{
    if (pBar == NULL || !pBar->m_bAutoHidden)
        return NULL;
    CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(pBar);
    CExtDynAutoHideSlider* pSlider = pArea != NULL ? pArea->GetSlider() : NULL;
    if (pSlider == NULL || pSlider->m_hWnd == NULL || !pSlider->IsShown() ||
        pSlider->m_pBar != pBar)
        return NULL;
    return pSlider;
}

CExtDynAutoHideSlider* CExtDynAutoHideSlider::GetHookedSlider()
{
    return g_arrHookedSliders.empty() ? NULL : g_arrHookedSliders.back();
}

// Puts the slider last in the hooked list or takes it out; the hook goes with the last one.
void CExtDynAutoHideSlider::HookMouse(bool bHook)
{
    auto it = std::find(g_arrHookedSliders.begin(), g_arrHookedSliders.end(), this);
    if (it != g_arrHookedSliders.end())
        g_arrHookedSliders.erase(it);
    if (bHook)
    {
        g_arrHookedSliders.push_back(this);
        if (g_hSliderHook == NULL)
            g_hSliderHook = ::SetWindowsHookExA(WH_MOUSE, SliderMouseHookProc, NULL,
                                                ::GetCurrentThreadId());
    }
    if (g_arrHookedSliders.empty() && g_hSliderHook != NULL)
    {
        ::UnhookWindowsHookEx(g_hSliderHook);
        g_hSliderHook = NULL;
    }
}

CExtBarNcAreaButton* CExtDynAutoHideSlider::ButtonAt(CPoint ptWnd) const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL)
        return NULL;
    for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pBtn = m_pBar->m_arrNcButtons[i];
        if (!pBtn->m_rc.IsRectEmpty() && pBtn->m_rc.PtInRect(ptWnd) && pBtn->IsDisplayed())
            return pBtn;
    }
    return NULL;
}

// Tests the 5 pixels along the edge that GetResizeHitCode names.
bool CExtDynAutoHideSlider::IsOnResizeBand(CPoint ptWnd) const
{
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    if (!rc.PtInRect(ptWnd))
        return false;
    switch (GetResizeHitCode())
    {
    case HTBOTTOM: return ptWnd.y >= rc.bottom - 5;
    case HTTOP: return ptWnd.y < rc.top + 5;
    case HTRIGHT: return ptWnd.x >= rc.right - 5;
    case HTLEFT: return ptWnd.x < rc.left + 5;
    }
    return false;
}

// Marks the hovered caption button (pushed too while it is the pressed one) and repaints.
void CExtDynAutoHideSlider::SetHoverButton(CExtBarNcAreaButton* pBtnHover)
{
    if (m_pBar == NULL)
    {
        m_pBtnHover = NULL;
        return;
    }
    bool bChanged = false;
    for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pBtn = m_pBar->m_arrNcButtons[i];
        bool bHover = pBtn == pBtnHover;
        bool bPushed = bHover && pBtn == m_pBtnPressed;
        if (pBtn->m_bHover != bHover || pBtn->m_bPushed != bPushed)
        {
            pBtn->m_bHover = bHover;
            pBtn->m_bPushed = bPushed;
            bChanged = true;
        }
    }
    m_pBtnHover = pBtnHover;
    if (bChanged)
        SendMessage(WM_NCPAINT);
}

void CExtDynAutoHideSlider::ClearPressedButton()
{
    if (m_pBtnPressed == NULL)
        return;
    m_pBtnPressed = NULL;
    if (m_pBar != NULL && m_hWnd != NULL)
    {
        for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); i++)
            m_pBar->m_arrNcButtons[i]->m_bPushed = false;
        SendMessage(WM_NCPAINT);
    }
}

// Clears the bar's caption button states and the slider's hover, tip and pressed buttons.
void CExtDynAutoHideSlider::ForgetButtons()
{
    if (m_pBar != NULL)
    {
        for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); i++)
        {
            m_pBar->m_arrNcButtons[i]->m_bHover = false;
            m_pBar->m_arrNcButtons[i]->m_bPushed = false;
        }
        m_pBar->m_bNcButtonHover = false;
    }
    m_pBtnHover = NULL;
    m_pBtnTooltip = NULL;
    m_pBtnPressed = NULL;
}

// Focuses the bar's content (else the slider) and repaints the caption when activity changed.
void CExtDynAutoHideSlider::FocusContent()
{
    if (m_hWndContent != NULL && ::IsWindowVisible(m_hWndContent) &&
        ::IsWindowEnabled(m_hWndContent))
        ::SetFocus(m_hWndContent);
    else
        SetFocus();
    HWND hFocus = ::GetFocus();
    bool bFocus = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bFocus != IsActive())
    {
        m_nFlags = bFocus ? (m_nFlags | STATE_FOCUS) : (m_nFlags & ~STATE_FOCUS);
        SendMessage(WM_NCPAINT);
    }
}

// Starts resizing at the inner edge: stops the close timer and captures the mouse.
void CExtDynAutoHideSlider::StartResizing(CPoint ptScreen)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL)
        return;
    ClearPressedButton();
    SetHoverButton(NULL);
    GetWindowRect(&m_rcResizeStart);
    pFrame->ScreenToClient(&m_rcResizeStart);
    m_ptResizeStart = ptScreen;
    m_nResizeState = GetResizeHitCode();
    KillTimer(TIMER_CLOSE);
    m_nFlags &= ~STATE_CLOSE_PENDING;
    SetCapture();
}

void CExtDynAutoHideSlider::StopResizing()
{
    if (m_nResizeState == 1)
        return;
    m_nResizeState = 1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

// Moves the inner edge with the mouse, kept 20 pixels inside the frame's inner rectangle.
void CExtDynAutoHideSlider::TrackResizing(CPoint ptScreen)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL || m_rcInner.IsRectEmpty())
        return;
    CRect rcLimit(m_rcInner);
    rcLimit.DeflateRect(20, 20);
    CRect rc(m_rcResizeStart);
    int dx = ptScreen.x - m_ptResizeStart.x;
    int dy = ptScreen.y - m_ptResizeStart.y;
    auto clamp = [](int v, int nLow, int nHigh) { return std::max(nLow, std::min(v, nHigh)); };
    switch (m_nResizeState)
    {
    case HTBOTTOM: rc.bottom = clamp(rc.bottom + dy, rcLimit.top, rcLimit.bottom); break;
    case HTTOP: rc.top = clamp(rc.top + dy, rcLimit.top, rcLimit.bottom); break;
    case HTRIGHT: rc.right = clamp(rc.right + dx, rcLimit.left, rcLimit.right); break;
    case HTLEFT: rc.left = clamp(rc.left + dx, rcLimit.left, rcLimit.right); break;
    default: return;
    }
    CRect rcNow;
    GetWindowRect(&rcNow);
    pFrame->ScreenToClient(&rcNow);
    if (rcNow == rc)
        return;
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Drives a resize under way, or the hover of the caption button under the mouse.
bool CExtDynAutoHideSlider::OnHookMouseMove(CPoint ptScreen)
{
    if (m_nResizeState != 1)
    {
        TrackResizing(ptScreen);
        return true;
    }
    if ((m_nFlags & STATE_SLIDING) || m_pBar == NULL)
        return false;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CExtBarNcAreaButton* pBtn = NULL;
    if (rcWnd.PtInRect(ptScreen) && ::WindowFromPoint(ptScreen) == m_hWnd)
        pBtn = ButtonAt(ptScreen - rcWnd.TopLeft());
    if (pBtn != m_pBtnHover)
        SetHoverButton(pBtn);
    return false;
}

// Clicks on the slider's frame: resizing, caption button presses and clicks, focusing the content.
bool CExtDynAutoHideSlider::OnHookMouseClick(UINT nMessage, CPoint ptScreen)
{
    switch (nMessage)
    {
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK:
        ClearPressedButton();
        return false;
    }
    if ((m_nFlags & STATE_SLIDING) || m_pBar == NULL)
        return false;
    CRect rcWnd, rcClient;
    GetWindowRect(&rcWnd);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    bool bInside = rcWnd.PtInRect(ptScreen) &&
                   (hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder));
    CPoint ptWnd = ptScreen - rcWnd.TopLeft();
    switch (nMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    {
        if (m_nResizeState != 1)
            return true;
        if (!bInside || rcClient.PtInRect(ptScreen))
            return false;
        if (IsOnResizeBand(ptWnd))
        {
            StartResizing(ptScreen);
            return true;
        }
        CExtBarNcAreaButton* pBtn = ButtonAt(ptWnd);
        if (pBtn != NULL)
        {
            m_pBtnPressed = pBtn;
            m_pBtnHover = NULL;
            SetHoverButton(pBtn);
            return true;
        }
        FocusContent();
        return true;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    {
        if (m_nResizeState != 1)
        {
            StopResizing();
            return true;
        }
        CExtBarNcAreaButton* pBtn = m_pBtnPressed;
        if (pBtn == NULL)
            return false;
        if (bInside && ButtonAt(ptWnd) == pBtn)
        {
            // the slider goes first, then the button does its work on the bar
            CRect rcBtn(pBtn->m_rc);
            SlideBar(m_pBar, false, false);
            pBtn->m_rc = rcBtn;
            pBtn->OnClick(rcBtn.CenterPoint());
            return true;
        }
        ClearPressedButton();
        SetHoverButton(NULL);
        return false;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
        if (bInside && m_nResizeState == 1)
        {
            HWND hFocus = ::GetFocus();
            if (hFocus == NULL || (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)))
                FocusContent();
        }
        ClearPressedButton();
        return false;
    }
    return false;
}

// The tip of the caption button under the point; none while sliding, resizing or in a menu.
INT_PTR CExtDynAutoHideSlider::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CExtDynAutoHideSlider* pThis = const_cast<CExtDynAutoHideSlider*>(this);
    pThis->m_pBtnTooltip = NULL;
    if (m_pBar == NULL || !IsShown() || m_nResizeState != 1 || (m_nFlags & STATE_SLIDING) ||
        CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    CPoint pt(point);
    ClientToScreen(&pt);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    pt -= rcWnd.TopLeft();
    CExtBarNcAreaButton* pBtn = ButtonAt(pt);
    if (pBtn == NULL)
        return -1;
    pThis->m_pBtnTooltip = pBtn;
    return pBtn->OnToolHitTest(pt, pTI);
}

// Cuts each edge's shown strip, else that edge's shown dock bar, off the frame's client area.
CRect CExtDynAutoHideSlider::CalcInnerRect() const
{
    CFrameWnd* pFrame = GetFrame();
    CRect rc(0, 0, 0, 0);
    if (pFrame == NULL)
        return rc;
    pFrame->GetClientRect(&rc);
    CExtDynAutoHideArea* arr[4];
    CExtDynAutoHideArea::FindAreas(pFrame->m_hWnd, arr);
    for (int i = 0; i < 4; i++)
    {
        CWnd* pEdge = NULL;
        if (arr[i] != NULL && arr[i]->IsWindowVisible())
            pEdge = arr[i];
        else
        {
            CWnd* pDock = pFrame->GetControlBar(g_arrSideIDs[i]);
            if (pDock != NULL && pDock->m_hWnd != NULL && pDock->IsWindowVisible())
                pEdge = pDock;
        }
        if (pEdge == NULL)
            continue;
        CRect rcEdge;
        pEdge->GetWindowRect(&rcEdge);
        pFrame->ScreenToClient(&rcEdge);
        switch (i)
        {
        case 0: rc.top = std::max(rc.top, rcEdge.bottom); break;
        case 1: rc.bottom = std::min(rc.bottom, rcEdge.top); break;
        case 2: rc.left = std::max(rc.left, rcEdge.right); break;
        default: rc.right = std::min(rc.right, rcEdge.left); break;
        }
    }
    return rc;
}

// Shows one animation step: the slider nLead deep, the content moving with its leading edge.
void CExtDynAutoHideSlider::PlaceStep(int nLead, int nDepth)
{
    CRect rc(m_rcInner);
    UINT nID = m_pArea->GetDockBarID();
    switch (nID)
    {
    case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top + nLead; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom - nLead; break;
    case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left + nLead; break;
    default: rc.left = rc.right - nLead; break;
    }
    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (m_hWndContent != NULL)
    {
        // the content's far edge moves with the leading edge
        int x = 0, y = 0;
        if (nID == AFX_IDW_DOCKBAR_TOP)
            y = nLead - nDepth;
        else if (nID == AFX_IDW_DOCKBAR_LEFT)
            x = nLead - nDepth;
        ::SetWindowPos(m_hWndContent, NULL, x, y, m_nContentWidth, m_nContentHeight,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_arrSlideSteps.push_back(nLead);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CExtPaintManager::PumpPaintMessages(true, true, true);
}

// Moves the bar's content into the slider and slides it out (the bar out goes back), or back.
void CExtDynAutoHideSlider::SlideBar(CExtControlBar* pBar, bool bShow, bool bAnimate)
{
    if (m_hWnd == NULL || pBar == NULL)
        return;
    const int nSteps = CExtDynAutoHideArea::g_nSlideSteps;
    const int nStepTime = CExtDynAutoHideArea::g_nSlideStepTime;
    if (bShow)
    {
        bool bAnim = bAnimate && nSteps > 0 && nStepTime > 0 &&
                     !CExtDynAutoHideArea::g_bNoAnimationOut;
        CExtPopupMenuWnd::CancelTracking();
        if (IsShown() && m_pBar != NULL && m_pBar != pBar)
            SlideBar(m_pBar, false, bAnim);
        if (IsShown() && m_pBar == pBar)
            return;
        int nItem = -1;
        CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(pBar, &nItem);
        if (pArea == NULL)
            return;
        m_pArea = pArea;
        CRect rcInner = CalcInnerRect();
        if (rcInner.Width() < 20 || rcInner.Height() < 20)
        {
            m_pArea = NULL;
            return;
        }
        UINT nID = pArea->GetDockBarID();
        bool bHorzEdge = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
        CExtControlBar* pSizeBar = SizeHolder(pBar);
        int nDepth = bHorzEdge ? pSizeBar->m_sizeDockedH.cy : pSizeBar->m_sizeDockedV.cx;
        nDepth = std::max(nDepth, 20);
        nDepth = std::min(nDepth, (int)(bHorzEdge ? rcInner.Height() : rcInner.Width()));
        m_nFlags = STATE_SHOWN | STATE_SLIDING;
        m_pBar = pBar;
        m_rcInner = rcInner;
        CRect rcFull(rcInner);
        switch (nID)
        {
        case AFX_IDW_DOCKBAR_TOP: rcFull.bottom = rcFull.top + nDepth; break;
        case AFX_IDW_DOCKBAR_BOTTOM: rcFull.top = rcFull.bottom - nDepth; break;
        case AFX_IDW_DOCKBAR_LEFT: rcFull.right = rcFull.left + nDepth; break;
        default: rcFull.left = rcFull.right - nDepth; break;
        }
        // the client size for the full rectangle
        SetWindowPos(NULL, rcFull.left, rcFull.top, rcFull.Width(), rcFull.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_FRAMECHANGED);
        CRect rcClient;
        GetClientRect(&rcClient);
        m_nContentWidth = rcClient.Width();
        m_nContentHeight = rcClient.Height();
        m_hWndContent = ::GetWindow(pBar->m_hWnd, GW_CHILD);
        if (m_hWndContent != NULL)
        {
            ::SetParent(m_hWndContent, m_hWnd);
            ::SetWindowPos(m_hWndContent, NULL, 0, 0, m_nContentWidth, m_nContentHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        m_arrSlideSteps.clear();
        if (bAnim)
        {
            for (int k = 0; k < nSteps; k++)
            {
                LONGLONG nStart = StepClock();
                PlaceStep(::MulDiv(k, nDepth, nSteps + 1), nDepth);
                WaitStepRest(nStart, nStepTime);
            }
        }
        SetWindowPos(&CWnd::wndTop, rcFull.left, rcFull.top, rcFull.Width(), rcFull.Height(),
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // siblings under the slider must not paint over it
        for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        {
            LONG_PTR nStyle = ::GetWindowLongPtr(h, GWL_STYLE);
            if ((nStyle & WS_CLIPSIBLINGS) == 0)
                ::SetWindowLongPtr(h, GWL_STYLE, nStyle | WS_CLIPSIBLINGS);
        }
        if (m_hWndContent != NULL)
            ::SetWindowPos(m_hWndContent, NULL, 0, 0, m_nContentWidth, m_nContentHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        m_nFlags &= ~STATE_SLIDING;
        ForgetButtons();
        pBar->LayoutNcAreaButtons();
        HookMouse(true);
        SetTimer(TIMER_CHECK, 100, NULL);
        return;
    }

    if (!IsShown())
        return;
    bool bAnim = bAnimate && nSteps > 0 && nStepTime > 0 &&
                 !CExtDynAutoHideArea::g_bNoAnimationBack;
    HookMouse(false);
    StopResizing();
    m_nFlags |= STATE_SLIDING;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    UINT nID = m_pArea != NULL ? m_pArea->GetDockBarID() : AFX_IDW_DOCKBAR_TOP;
    int nDepth = (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM) ? rcWnd.Height()
                                                                              : rcWnd.Width();
    m_arrSlideSteps.clear();
    if (bAnim && m_pArea != NULL)
    {
        for (int k = 0; k < nSteps; k++)
        {
            LONGLONG nStart = StepClock();
            PlaceStep(::MulDiv(nSteps - k - 1, nDepth, nSteps + 1), nDepth);
            WaitStepRest(nStart, nStepTime);
        }
    }
    ForgetButtons();
    KillTimer(TIMER_CHECK);
    KillTimer(TIMER_CLOSE);
    bool bFocusInside = ::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus());
    CExtControlBar* pShown = m_pBar;
    if (m_hWndContent != NULL && ::IsWindow(m_hWndContent) && pShown != NULL &&
        pShown->m_hWnd != NULL)
    {
        ::SetParent(m_hWndContent, pShown->m_hWnd);
        CRect rcBar;
        pShown->GetClientRect(&rcBar);
        ::SetWindowPos(m_hWndContent, NULL, 0, 0, rcBar.Width(), rcBar.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        pShown->RepositionChildWindow();
    }
    ShowWindow(SW_HIDE);
    CExtDynAutoHideArea* pArea = m_pArea;
    m_nFlags = 0;
    m_pArea = NULL;
    m_pBar = NULL;
    m_hWndContent = NULL;
    m_nResizeState = 1;
    m_rcInner.SetRectEmpty();
    if (pArea != NULL && pArea->m_hWnd != NULL)
    {
        pArea->m_nAreaFlags |= 1;
        pArea->SetSelection(-1, false, true);
        pArea->m_nAreaFlags &= ~1;
    }
    CFrameWnd* pFrame = GetFrame();
    if (bFocusInside && pFrame != NULL)
        pFrame->SetFocus();
}

// Whether the cursor is off the slider and off its strip (with 2 pixels to spare).
bool CExtDynAutoHideSlider::IsCursorOutside() const
{
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return true;
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt))
        return false;
    if (m_pArea != NULL && m_pArea->m_hWnd != NULL)
    {
        m_pArea->GetWindowRect(&rc);
        rc.InflateRect(2, 2);
        if (rc.PtInRect(pt))
            return false;
    }
    return true;
}

// Every 100 ms: closes for a bar menu or print preview, follows the focus, arms the close timer.
void CExtDynAutoHideSlider::OnCheckTimer()
{
    if (!IsShown())
    {
        KillTimer(TIMER_CHECK);
        return;
    }
    if ((m_nFlags & STATE_SLIDING) || m_nResizeState != 1)
        return;
    CFrameWnd* pFrame = GetFrame();
    CView* pView = pFrame != NULL ? pFrame->GetActiveView() : NULL;
    if (CExtPopupMenuWnd::IsMenuTrackingOfBars() ||
        (pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CPreviewView))))
    {
        SendMessage(WM_CANCELMODE);
        return;
    }
    HWND hFocus = ::GetFocus();
    bool bFocus = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bFocus != ((m_nFlags & STATE_FOCUS) != 0))
    {
        m_nFlags = bFocus ? (m_nFlags | STATE_FOCUS) : (m_nFlags & ~STATE_FOCUS);
        SendMessage(WM_NCPAINT);
    }
    if (!bFocus && !(m_nFlags & STATE_CLOSE_PENDING) && IsCursorOutside())
    {
        m_nFlags |= STATE_CLOSE_PENDING;
        SetTimer(TIMER_CLOSE, 500, NULL);
    }
}

void CExtDynAutoHideSlider::OnCloseTimer()
{
    if (CExtPopupMenuWnd::IsMenuTrackingOfBars())
        return;
    m_nFlags &= ~STATE_CLOSE_PENDING;
    KillTimer(TIMER_CLOSE);
    HWND hFocus = ::GetFocus();
    bool bFocus = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (IsShown() && !bFocus && IsCursorOutside() && m_pBar != NULL)
        SlideBar(m_pBar, false, true);
}

// Paints the border and the bar's caption with the bar's buttons, laid out in that caption.
void CExtDynAutoHideSlider::PaintNc()
{
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    CWindowDC dcWnd(this);
    dcWnd.ExcludeClipRect(&rcClient);
    CExtMemoryDC dc(&dcWnd, &rcWnd);
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    dc.FillSolidRect(&rcWnd, pPM->GetColor(COLOR_3DFACE, this));
    CRect rc(rcWnd);
    dc.Draw3dRect(&rc, pPM->GetColor(COLOR_3DFACE, this), pPM->GetColor(COLOR_3DDKSHADOW, this));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, pPM->GetColor(COLOR_3DHIGHLIGHT, this), pPM->GetColor(COLOR_3DSHADOW, this));
    if (m_pBar != NULL)
    {
        // the bar's buttons go into this caption; the text keeps clear of them
        CRect rcCaption = GetCaptionRect();
        m_pBar->LayoutNcAreaButtons();
        CRect rcText(rcCaption);
        rcText.DeflateRect(2, 0);
        m_pBar->ExcludeNcButtonsFromCaption(rcText);
        if (rcText.right < rcText.left)
            rcText.right = rcText.left;
        CString sText;
        m_pBar->GetBarCaptionText(sText);
        int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&rcCaption);
        CExtPaintManager::BarCaptionArgs_t args(m_pBar, rcCaption, rcText, IsActive(), false,
                                                false, true, sText);
        pPM->DrawBarCaption(dc, args);
        m_pBar->PaintNcAreaButtons(dc);
        dc.RestoreDC(nSaved);
    }
    dc.FinishDrawing(true);
}

BOOL CExtDynAutoHideSlider::PreTranslateMessage(MSG* pMsg)
{
    if (m_pArea != NULL && m_pArea->HandleSwitchKey(pMsg))
        return TRUE;
    if (m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// The slider's frame (border, caption, resizing band), its size limits and the content's size.
// The slider's messages, one handler each; what a handler leaves goes on to the default
// processing of the window.
LRESULT CExtDynAutoHideSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCALCSIZE:
        if (lParam != 0)
            OnNcCalcSizeMsg((RECT*)lParam);
        return 0;
    case WM_NCHITTEST:
        return OnNcHitTestMsg(lParam);
    case WM_NCPAINT:
        PaintNc();
        return 0;
    case WM_PAINT:
        OnPaintMsg();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_WINDOWPOSCHANGING:
        if (IsShown() && !(m_nFlags & STATE_SLIDING) && lParam != 0 && !m_rcInner.IsRectEmpty())
            OnWindowPosChangingMsg((WINDOWPOS*)lParam);
        break;
    case WM_SIZE:
        return OnSizeMsg(wParam, lParam);
    case WM_SETFOCUS:
        if (m_hWndContent != NULL && ::IsWindowVisible(m_hWndContent))
            ::SetFocus(m_hWndContent);
        return 0;
    case WM_DESTROY:
        SendMessage(WM_CANCELMODE);
        HookMouse(false);
        break;
    case WM_CANCELMODE:
        OnCancelModeMsg();
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != m_hWnd)
            m_nResizeState = 1;
        break;
    case WM_TIMER:
        if (OnTimerMsg(wParam))
            return 0;
        break;
    case WM_SIZEPARENT:
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenuMsg(lParam);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The client area: inside the border, the resizing strip of the resizing side and the
// caption, never negative.
void CExtDynAutoHideSlider::OnNcCalcSizeMsg(RECT* pRc)
{
    ::InflateRect(pRc, -2, -2);
    switch (GetResizeHitCode())
    {
    case HTBOTTOM: pRc->bottom -= 3; break;
    case HTTOP: pRc->top += 3; break;
    case HTRIGHT: pRc->right -= 3; break;
    case HTLEFT: pRc->left += 3; break;
    }
    if (m_pBar != NULL)
        pRc->top += GetCaptionHeight();
    if (pRc->bottom < pRc->top)
        pRc->bottom = pRc->top;
    if (pRc->right < pRc->left)
        pRc->right = pRc->left;
}

// The resizing side's band while idle, the side being resized while resizing; the client
// elsewhere.
LRESULT CExtDynAutoHideSlider::OnNcHitTestMsg(LPARAM lParam)
{
    int nCode = GetResizeHitCode();
    if (m_nResizeState != 1)
        return m_nResizeState;
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    CRect rc;
    GetWindowRect(&rc);
    return IsOnResizeBand(pt - rc.TopLeft()) ? nCode : HTCLIENT;
}

// The face colour where no content window covers the client.
void CExtDynAutoHideSlider::OnPaintMsg()
{
    CPaintDC dc(this);
    if (m_hWndContent == NULL)
    {
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, g_CurrentPaintManager->GetColor(COLOR_3DFACE, this));
    }
}

// A resize stops 20 pixels short of the inner rectangle's far side.
void CExtDynAutoHideSlider::OnWindowPosChangingMsg(WINDOWPOS* pPos)
{
    if (!(pPos->flags & SWP_NOSIZE))
    {
        CRect rcLimit(m_rcInner);
        rcLimit.DeflateRect(20, 20);
        switch (GetResizeHitCode())
        {
        case HTBOTTOM: pPos->cy = std::min(pPos->cy, (int)(rcLimit.bottom - m_rcInner.top)); break;
        case HTTOP:
        {
            int nMax = m_rcInner.bottom - rcLimit.top;
            if (pPos->cy > nMax)
            {
                pPos->y += pPos->cy - nMax;
                pPos->cy = nMax;
            }
            break;
        }
        case HTRIGHT: pPos->cx = std::min(pPos->cx, (int)(rcLimit.right - m_rcInner.left)); break;
        case HTLEFT:
        {
            int nMax = m_rcInner.right - rcLimit.left;
            if (pPos->cx > nMax)
            {
                pPos->x += pPos->cx - nMax;
                pPos->cx = nMax;
            }
            break;
        }
        }
    }
}

// A resized slider keeps its content size and the bar's size for the next slide-out, and
// the content and caption buttons follow.
LRESULT CExtDynAutoHideSlider::OnSizeMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CWnd::WindowProc(WM_SIZE, wParam, lParam);
    if (IsShown() && !(m_nFlags & STATE_SLIDING) && m_pBar != NULL)
    {
        CRect rcWnd, rcClient;
        GetWindowRect(&rcWnd);
        GetClientRect(&rcClient);
        m_nContentWidth = rcClient.Width();
        m_nContentHeight = rcClient.Height();
        // kept where the next slide-out reads it (a group's size for its members)
        CExtControlBar* pSizeBar = SizeHolder(m_pBar);
        int nHit = GetResizeHitCode();
        if (nHit == HTTOP || nHit == HTBOTTOM)
            pSizeBar->m_sizeDockedH.cy = rcWnd.Height();
        else
            pSizeBar->m_sizeDockedV.cx = rcWnd.Width();
        if (m_hWndContent != NULL)
            ::SetWindowPos(m_hWndContent, NULL, 0, 0, m_nContentWidth, m_nContentHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->LayoutNcAreaButtons();
    }
    return lResult;
}

// A resize and a pressed caption button end, and a shown bar slides in at once.
void CExtDynAutoHideSlider::OnCancelModeMsg()
{
    StopResizing();
    ClearPressedButton();
    if (IsShown() && !(m_nFlags & STATE_SLIDING) && m_pBar != NULL)
        SlideBar(m_pBar, false, false);
}

// The check and close timers; FALSE for timers of others.
bool CExtDynAutoHideSlider::OnTimerMsg(WPARAM wParam)
{
    if (wParam == TIMER_CHECK)
    {
        OnCheckTimer();
        return true;
    }
    if (wParam == TIMER_CLOSE)
    {
        OnCloseTimer();
        return true;
    }
    return false;
}

// The bar's menu at the point, as the target of the menu event fills it (none in help
// mode or when it stays empty).
void CExtDynAutoHideSlider::OnContextMenuMsg(LPARAM lParam)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL || pFrame->m_bHelpMode || m_pBar == NULL)
        return;
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitAsEmptyPopup(pFrame->m_hWnd))
    {
        delete pPopup;
        return;
    }
    CExtControlBar::POPUP_MENU_EVENT_DATA data(4, pPopup, this, pt, WM_CONTEXTMENU, m_pBar);
    if (!data.NotifyTarget(false) || pPopup->GetItemCount() == 0)
    {
        CExtPopupMenuWnd::SafeDeletePopup(pPopup);
        return;
    }
    data.NotifyTarget(true);
    pPopup->StartTracking(CExtPopupMenuWnd::TPMX_DO_MESSAGE_LOOP, pt.x, pt.y);
}
