// viewprev.cpp - print preview: the frame's preview mode, the preview's bar,
// CPreviewDC, CPreviewView, and CView's preview commands.

#include "afxpriv.h"
#include "afxdlgs.h"

namespace
{
// A message box with one of the class library's prompts (its own text when the
// program's resources do not have the id).
int ShowPrompt(UINT nIDPrompt, UINT nType = MB_OK)
{
    CString strPrompt;
    AfxLoadString(nIDPrompt, strPrompt);
    return AfxMessageBox(strPrompt, nType, nIDPrompt);
}

// The keys of the preview while it shows: Esc closes it, Page Down and Page Up turn its
// pages. Made once for the process.
HACCEL GetPreviewAccelerators()
{
    static HACCEL s_hAccel = NULL;
    if (s_hAccel == NULL)
    {
        ACCEL keys[] = {
            { FVIRTKEY, VK_ESCAPE, AFX_ID_PREVIEW_CLOSE },
            { FVIRTKEY, VK_NEXT, AFX_ID_PREVIEW_NEXT },
            { FVIRTKEY, VK_PRIOR, AFX_ID_PREVIEW_PREV },
        };
        s_hAccel = ::CreateAcceleratorTableA(keys, (int)(sizeof(keys) / sizeof(keys[0])));
    }
    return s_hAccel;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// The frame in preview mode

CPrintPreviewState::CPrintPreviewState()
{
    nIDMainPane = AFX_IDW_PANE_FIRST;
    hMenu = NULL;
    dwStates = 0;
    pViewActiveOld = NULL;
    lpfnCloseProc = NULL;
    hAccelTable = NULL;
}

// Turns the frame into the preview's frame and back: menu, accelerators, bars and main pane go
// while the preview shows and come back as they were, with what was asked of the bars meanwhile.
void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview)
    {
        // menu and accelerators go: the preview has its own commands and keys
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, NULL);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = GetPreviewAccelerators();

        // the control bars hide, the status bar shows the page
        pState->listHiddenBars.RemoveAll();
        POSITION pos = m_listControlBars.GetHeadPosition();
        while (pos != NULL)
        {
            CWnd* pBar = (CWnd*)m_listControlBars.GetNext(pos);
            HWND hBar = pBar->GetSafeHwnd();
            if (hBar == NULL || ::GetDlgCtrlID(hBar) == AFX_IDW_STATUS_BAR)
                continue;
            CControlBar* pControlBar = pBar->IsKindOf(RUNTIME_CLASS(CControlBar)) ? (CControlBar*)pBar : NULL;
            // a floating bar hides with its floating frame
            if (pControlBar != NULL && !pControlBar->IsDockBar() && pControlBar->IsFloating())
            {
                CFrameWnd* pFloatFrame = pControlBar->GetDockingFrame();
                if (pFloatFrame != NULL && pFloatFrame != this)
                {
                    hBar = pFloatFrame->m_hWnd;
                    pFloatFrame->m_nShowDelay = -1;     // nothing shows it meanwhile
                }
            }
            BOOL bHide = ::IsWindowVisible(hBar);
            // the bars the preview keeps hidden (also those about to show, and
            // those whose floating frame went with another bar)
            if (pControlBar != NULL && (bHide || pControlBar->IsVisible()))
                pControlBar->m_nStateFlags |= CControlBar::tempHide;
            if (bHide)
            {
                ::ShowWindow(hBar, SW_HIDE);
                pState->listHiddenBars.AddTail(hBar);
            }
        }

        // the main pane makes room for the preview view
        HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (hPane != NULL)
        {
            ::ShowWindow(hPane, SW_HIDE);
            ::SetWindowLongPtrA(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        pState->nIDMainPane = AFX_IDW_PANE_FIRST;
        pState->pViewActiveOld = m_pViewActive;
        m_lpfnCloseProc = pState->lpfnCloseProc;
    }
    else
    {
        m_lpfnCloseProc = NULL;
        HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE);
        if (hPane != NULL)
        {
            ::SetWindowLongPtrA(hPane, GWLP_ID, pState->nIDMainPane);
            ::ShowWindow(hPane, SW_SHOW);
        }
        POSITION pos = m_listControlBars.GetHeadPosition();
        while (pos != NULL)
        {
            CWnd* pBar = (CWnd*)m_listControlBars.GetNext(pos);
            if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
                ((CControlBar*)pBar)->m_nStateFlags &= ~CControlBar::tempHide;
        }
        while (!pState->listHiddenBars.IsEmpty())
        {
            HWND hBar = (HWND)pState->listHiddenBars.RemoveHead();
            if (::IsWindow(hBar))
                ::ShowWindow(hBar, SW_SHOWNOACTIVATE);
        }
        // what was asked of the bars meanwhile happens now
        pos = m_listControlBars.GetHeadPosition();
        while (pos != NULL)
        {
            CWnd* pBar = (CWnd*)m_listControlBars.GetNext(pos);
            if (!pBar->IsKindOf(RUNTIME_CLASS(CControlBar)) || pBar->m_hWnd == NULL)
                continue;
            CControlBar* pControlBar = (CControlBar*)pBar;
            UINT nPending = pControlBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow);
            if (nPending != 0)
                ShowControlBar(pControlBar, nPending == CControlBar::delayShow, FALSE);
        }
        m_hAccelTable = pState->hAccelTable;
        ::SetMenu(m_hWnd, pState->hMenu);
    }
}

void CMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
    {
        // the active document's menu comes back through the MDI client
        OnUpdateFrameMenu(NULL);
        DrawMenuBar();
    }
}

/////////////////////////////////////////////////////////////////////////////
// The preview's bar: a row of buttons at the top of the frame.

namespace
{

class CPreviewBar : public CWnd
{
public:
    BOOL Create(CFrameWnd* pFrame);

    virtual void PostNcDestroy() override { delete this; }
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int m_nHeight;
};

struct CPreviewButton
{
    UINT nID;
    const char* lpszText;
    int nWidth;                     // dialog-like units of 4 pixels
};

const CPreviewButton s_previewButtons[] =
{
    { AFX_ID_PREVIEW_PRINT, "&Print...", 18 },
    { AFX_ID_PREVIEW_NEXT, "&Next Page", 20 },
    { AFX_ID_PREVIEW_PREV, "Pre&v Page", 20 },
    { AFX_ID_PREVIEW_NUMPAGE, "&Two Page", 20 },
    { AFX_ID_PREVIEW_ZOOMIN, "Zoom &In", 18 },
    { AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out", 18 },
    { AFX_ID_PREVIEW_CLOSE, "&Close", 16 },
};

BEGIN_MESSAGE_MAP(CPreviewBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// Creates the preview's button strip at the top of the frame, one push button per preview command.
BOOL CPreviewBar::Create(CFrameWnd* pFrame)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pFrame,
                      AFX_IDW_PREVIEW_BAR))
        return FALSE;

    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    int nButtonHeight = 23;
    m_nHeight = nButtonHeight + 8;
    int x = 4;
    for (const CPreviewButton& button : s_previewButtons)
    {
        int cx = button.nWidth * 4;
        HWND hButton = ::CreateWindowExA(0, "BUTTON", button.lpszText,
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, 4, cx,
                                         nButtonHeight, m_hWnd, (HMENU)(UINT_PTR)button.nID,
                                         AfxGetInstanceHandle(), NULL);
        if (hButton == NULL)
            return FALSE;
        ::SendMessageA(hButton, WM_SETFONT, (WPARAM)hFont, FALSE);
        x += cx + 4;
    }
    return TRUE;
}

BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // a click on a button is the frame's command
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED)
    {
        CWnd* pFrame = GetParent();
        if (pFrame != NULL)
            pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CPreviewBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    // a strip at the top of what is left
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
    pLayout->rect.top += m_nHeight;
    pLayout->sizeTotal.cy += m_nHeight;
    AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

// Enables the buttons as the frame's update handlers say, on every idle pass.
LRESULT CPreviewBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // every button asks the frame's update handlers
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return 0;
    for (const CPreviewButton& button : s_previewButtons)
    {
        HWND hButton = ::GetDlgItem(m_hWnd, (int)button.nID);
        if (hButton == NULL)
            continue;
        CCmdUI state;
        state.m_nID = button.nID;
        state.m_pOther = CWnd::FromHandle(hButton);
        state.DoUpdate(pFrame, (BOOL)wParam);
    }
    return 0;
}

// Closing the frame in preview mode closes the preview.
BOOL CALLBACK PreviewCloseProc(CFrameWnd* pFrameWnd)
{
    CWnd* pWnd = pFrameWnd->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        ((CPreviewView*)pWnd)->OnPreviewClose();
    return FALSE;
}

// Greatest common divisor, for keeping extents small.
long long Gcd(long long a, long long b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0)
    {
        long long t = a % b;
        a = b;
        b = t;
    }
    return a == 0 ? 1 : a;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CPreviewDC

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)

CPreviewDC::CPreviewDC()
{
    m_nNumX = m_nDenomX = 1;
    m_nNumY = m_nDenomY = 1;
    m_ptOffset = CPoint(0, 0);
    m_bPrinting = TRUE;
}

CPreviewDC::~CPreviewDC()
{
    ReleaseOutputDC();
    // neither DC is ours
    m_hDC = NULL;
    m_hAttribDC = NULL;
}

void CPreviewDC::SetScaleRatio(int nNumX, int nDenomX, int nNumY, int nDenomY)
{
    m_nNumX = nNumX;
    m_nDenomX = nDenomX > 0 ? nDenomX : 1;
    m_nNumY = nNumY;
    m_nDenomY = nDenomY > 0 ? nDenomY : 1;
    MirrorMappingMode();
}

void CPreviewDC::SetTopLeftOffset(CPoint ptOffset)
{
    m_ptOffset = ptOffset;
    MirrorMappingMode();
}

// Sets the screen DC's mapping to the printer DC's scaled to the page on screen, reduced so that
// the extents stay exact and within 32 bits.
void CPreviewDC::MirrorMappingMode()
{
    if (m_hDC == NULL || m_hAttribDC == NULL)
        return;

    SIZE sizeWndExt, sizeVpExt;
    POINT ptWndOrg, ptVpOrg;
    ::GetWindowExtEx(m_hAttribDC, &sizeWndExt);
    ::GetViewportExtEx(m_hAttribDC, &sizeVpExt);
    ::GetWindowOrgEx(m_hAttribDC, &ptWndOrg);
    ::GetViewportOrgEx(m_hAttribDC, &ptVpOrg);

    // output = printer mapping x screen pixels per printer pixel; the ratio goes
    // into both extents so that small ones stay exact
    long long wx = (long long)sizeWndExt.cx * m_nDenomX;
    long long vx = (long long)sizeVpExt.cx * m_nNumX;
    long long wy = (long long)sizeWndExt.cy * m_nDenomY;
    long long vy = (long long)sizeVpExt.cy * m_nNumY;
    long long gx = Gcd(wx, vx);
    long long gy = Gcd(wy, vy);
    wx /= gx;
    vx /= gx;
    wy /= gy;
    vy /= gy;
    // extents are 32-bit: give up precision rather than overflow
    while (wx > INT_MAX || wx < -INT_MAX || vx > INT_MAX || vx < -INT_MAX)
    {
        wx /= 2;
        vx /= 2;
    }
    while (wy > INT_MAX || wy < -INT_MAX || vy > INT_MAX || vy < -INT_MAX)
    {
        wy /= 2;
        vy /= 2;
    }
    if (vx == 0)
        vx = 1;
    if (vy == 0)
        vy = 1;
    if (wx == 0)
        wx = 1;
    if (wy == 0)
        wy = 1;

    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_hDC, (int)wx, (int)wy, NULL);
    ::SetViewportExtEx(m_hDC, (int)vx, (int)vy, NULL);
    ::SetWindowOrgEx(m_hDC, ptWndOrg.x, ptWndOrg.y, NULL);
    ::SetViewportOrgEx(m_hDC, ::MulDiv(ptVpOrg.x, m_nNumX, m_nDenomX) + m_ptOffset.x,
                       ::MulDiv(ptVpOrg.y, m_nNumY, m_nDenomY) + m_ptOffset.y, NULL);
}

void CPreviewDC::SetAttribDC(HDC hDC)
{
    CDC::SetAttribDC(hDC);
    MirrorMappingMode();
}

void CPreviewDC::SetOutputDC(HDC hDC)
{
    ReleaseOutputDC();
    CDC::SetOutputDC(hDC);
    m_outputLevels.RemoveAll();
    MirrorMappingMode();

    MirrorFont();
}

// Selects a copy of the printer DC's font into the screen DC, kept until the output DC goes.
void CPreviewDC::MirrorFont()
{
    // the printer's current font, in the same logical units
    if (m_hDC == NULL || m_hAttribDC == NULL)
        return;
    LOGFONTA lf;
    HGDIOBJ hFont = ::GetCurrentObject(m_hAttribDC, OBJ_FONT);
    if (hFont == NULL || ::GetObjectA(hFont, sizeof(lf), &lf) != sizeof(lf))
        return;
    HFONT hNewFont = ::CreateFontIndirectA(&lf);
    if (hNewFont == NULL)
        return;
    ::SelectObject(m_hDC, hNewFont);
    m_listMirrorFonts.AddTail(hNewFont);
}

CFont* CPreviewDC::SelectObject(CFont* pFont)
{
    if (pFont == NULL || m_hAttribDC == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hAttribDC, pFont->m_hObject);
    MirrorFont();
    return hOld != NULL ? CFont::FromHandle((HFONT)hOld) : NULL;
}

CGdiObject* CPreviewDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL || ::GetObjectType(hObject) != OBJ_FONT)
        return CDC::SelectStockObject(nIndex);
    if (m_hAttribDC == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hAttribDC, hObject);
    MirrorFont();
    return hOld != NULL ? CGdiObject::FromHandle(hOld) : NULL;
}

void CPreviewDC::ReleaseOutputDC()
{
    if (!m_listMirrorFonts.IsEmpty())
    {
        if (m_hDC != NULL)
            ::SelectObject(m_hDC, ::GetStockObject(SYSTEM_FONT));
        while (!m_listMirrorFonts.IsEmpty())
            ::DeleteObject((HFONT)m_listMirrorFonts.RemoveHead());
    }
    CDC::ReleaseOutputDC();
    m_outputLevels.RemoveAll();
}

int CPreviewDC::SaveDC()
{
    // both DCs; the output DC's level is kept for the attribute DC's
    int nOutput = m_hDC != NULL ? ::SaveDC(m_hDC) : 0;
    int nAttrib = m_hAttribDC != NULL ? ::SaveDC(m_hAttribDC) : 0;
    if (nAttrib > 0)
        m_outputLevels.SetAtGrow(nAttrib, (UINT)nOutput);
    return nAttrib;
}

// Restores both DCs to a saved level (the screen DC to the level it had then) and mirrors the
// printer's mapping and font again.
BOOL CPreviewDC::RestoreDC(int nSavedDC)
{
    BOOL bResult = TRUE;
    if (m_hDC != NULL)
    {
        int nOutput = nSavedDC;
        if (nSavedDC > 0)
            nOutput = nSavedDC < m_outputLevels.GetSize() ? (int)m_outputLevels[nSavedDC] : -1;
        if (nOutput != 0)
            bResult = ::RestoreDC(m_hDC, nOutput);
    }
    if (m_hAttribDC != NULL)
        bResult = ::RestoreDC(m_hAttribDC, nSavedDC) && bResult;
    MirrorMappingMode();
    MirrorFont();
    return bResult;
}

int CPreviewDC::SetMapMode(int nMapMode)
{
    int nOld = m_hAttribDC != NULL ? ::SetMapMode(m_hAttribDC, nMapMode) : 0;
    MirrorMappingMode();
    return nOld;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y)
{
    POINT pt = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
    MirrorMappingMode();
    return CPoint(pt);
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    MirrorMappingMode();
    return CPoint(pt);
}

CSize CPreviewDC::SetViewportExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
    MirrorMappingMode();
    return CSize(size);
}

CSize CPreviewDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    MirrorMappingMode();
    return CSize(size);
}

CSize CPreviewDC::SetWindowExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
    MirrorMappingMode();
    return CSize(size);
}

CSize CPreviewDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    if (m_hAttribDC != NULL)
        ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    MirrorMappingMode();
    return CSize(size);
}

/////////////////////////////////////////////////////////////////////////////
// CPreviewView

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace
{
const int PREVIEW_GAP = 8;          // pixels around and between the pages
const int PREVIEW_SHADOW = 3;       // the pages' shadow
}

// An empty preview of one page, zoomed out, until SetPrintView gives it a view to print.
CPreviewView::CPreviewView()
{
    m_pPreviewState = NULL;
    m_pToolBar = NULL;
    m_pOrigView = NULL;
    m_pPrintView = NULL;
    m_pPreviewDC = NULL;
    m_pPreviewInfo = NULL;
    m_nPages = 1;
    m_nZoomState = ZOOM_OUT;
    m_nCurrentPage = 1;
    m_nMaxPages = 2;
    m_sizePage = CSize(1, 1);
    m_sizePaper = CSize(1, 1);
    m_ptPrintOffset = CPoint(0, 0);
    m_sizePrinterPPI = CSize(1, 1);
    m_rectPages[0].SetRectEmpty();
    m_rectPages[1].SetRectEmpty();
}

CPreviewView::~CPreviewView()
{
    delete m_pPreviewDC;
    m_dcPrint.Detach();             // the DC belongs to m_pPreviewInfo
    delete m_pPreviewInfo;
    delete m_pPreviewState;
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->DestroyWindow();
}

// Prepares the preview of the view's pages on the default printer: its page and sheet sizes and the
// pages shown side by side; FALSE when the printing is cancelled or there is no printer.
BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    HDC hDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (hDC == NULL)
        return FALSE;

    m_dcPrint.Attach(hDC);
    m_dcPrint.m_bPrinting = TRUE;
    m_sizePage = CSize(m_dcPrint.GetDeviceCaps(HORZRES), m_dcPrint.GetDeviceCaps(VERTRES));
    m_sizePrinterPPI = CSize(m_dcPrint.GetDeviceCaps(LOGPIXELSX), m_dcPrint.GetDeviceCaps(LOGPIXELSY));
    if (m_sizePage.cx <= 0 || m_sizePage.cy <= 0 || m_sizePrinterPPI.cx <= 0 || m_sizePrinterPPI.cy <= 0)
        return FALSE;
    // the whole sheet, and where on it the printable area starts; a device that does not
    // tell prints on all of it
    m_sizePaper = CSize(m_dcPrint.GetDeviceCaps(PHYSICALWIDTH), m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT));
    m_ptPrintOffset = CPoint(m_dcPrint.GetDeviceCaps(PHYSICALOFFSETX), m_dcPrint.GetDeviceCaps(PHYSICALOFFSETY));
    if (m_ptPrintOffset.x < 0 || m_ptPrintOffset.y < 0 || m_sizePaper.cx < m_ptPrintOffset.x + m_sizePage.cx ||
        m_sizePaper.cy < m_ptPrintOffset.y + m_sizePage.cy)
    {
        m_sizePaper = m_sizePage;
        m_ptPrintOffset = CPoint(0, 0);
    }

    m_pPreviewDC = new CPreviewDC;
    m_pPreviewDC->SetAttribDC(hDC);
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);

    // one or two pages side by side
    m_nPages = m_pPreviewInfo->m_nNumPreviewPages;
    if (m_nPages == 0)
        m_nPages = 1;
    if (m_nPages > m_nMaxPages)
        m_nPages = m_nMaxPages;
    m_nZoomState = ZOOM_OUT;
    SetCurrentPage(m_pPreviewInfo->GetMinPage(), TRUE);
    return TRUE;
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    CString strFormat;
    AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, nPagesDisplayed == 1 ? 0 : 1);
    CString strText;
    if (nPagesDisplayed == 1)
        strText.Format(strFormat, nPage);
    else
        strText.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)strText);
}

// Shows the pages from nPage on, moved back so that the last pages fill the view, and the page
// numbers in the status bar.
void CPreviewView::SetCurrentPage(UINT nPage, BOOL)
{
    if (m_pPreviewInfo == NULL)
        return;
    UINT nMin = m_pPreviewInfo->GetMinPage();
    UINT nMax = m_pPreviewInfo->GetMaxPage();
    UINT nShown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    // the last pages fill the view when there are enough of them
    if (nMax != 0xFFFF && nPage + nShown - 1 > nMax)
        nPage = nMax >= nMin + nShown - 1 ? nMax - nShown + 1 : nMin;
    if (nPage < nMin)
        nPage = nMin;
    m_nCurrentPage = nPage;

    UINT nDisplayed = nShown;
    if (nMax != 0xFFFF && m_nCurrentPage + nDisplayed - 1 > nMax)
        nDisplayed = nMax - m_nCurrentPage + 1;
    OnDisplayPageNumber(m_nCurrentPage, nDisplayed);
    PositionPages();
    Invalidate(TRUE);
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint)
{
    if (nNewState > ZOOM_IN)
        return;
    m_nZoomState = nNewState;
    SetCurrentPage(nPage, TRUE);
}

CRect CPreviewView::GetPageRect(UINT nIndex) const
{
    return nIndex < 2 ? m_rectPages[nIndex] : CRect(0, 0, 0, 0);
}

// Places the shown pages in the window at the zoom's scale (fit, true size or between), centred
// when smaller than the window, and sets the scroll range.
void CPreviewView::PositionPages()
{
    if (m_hWnd == NULL)
        return;

    // the whole window: scroll bars come and go with the zoom
    CRect rectClient;
    GetClientRect(&rectClient);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rectClient.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rectClient.bottom += ::GetSystemMetrics(SM_CYHSCROLL);

    UINT nShown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    double dWidthInch = (double)m_sizePaper.cx / m_sizePrinterPPI.cx;
    double dHeightInch = (double)m_sizePaper.cy / m_sizePrinterPPI.cy;

    // screen pixels per inch: the pages fit (out), true size (in), or halfway
    double dFitX = (rectClient.Width() - PREVIEW_GAP * ((int)nShown + 1) - PREVIEW_SHADOW) /
                   (nShown * dWidthInch);
    double dFitY = (rectClient.Height() - 2 * PREVIEW_GAP - PREVIEW_SHADOW) / dHeightInch;
    double dFit = dFitX < dFitY ? dFitX : dFitY;
    HDC hScreen = ::GetDC(NULL);
    double dTrue = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(NULL, hScreen);
    if (dFit < 1)
        dFit = 1;
    double dScale = m_nZoomState == ZOOM_OUT ? dFit
                  : m_nZoomState == ZOOM_IN ? (dTrue > dFit ? dTrue : dFit)
                  : (dFit + (dTrue > dFit ? dTrue : dFit)) / 2;

    int cx = (int)(dWidthInch * dScale + 0.5);
    int cy = (int)(dHeightInch * dScale + 0.5);
    if (cx < 1)
        cx = 1;
    if (cy < 1)
        cy = 1;
    CSize sizeTotal(cx * (int)nShown + PREVIEW_GAP * ((int)nShown + 1) + PREVIEW_SHADOW,
                    cy + 2 * PREVIEW_GAP + PREVIEW_SHADOW);

    // pages smaller than the view sit in its middle
    int x = PREVIEW_GAP;
    int y = PREVIEW_GAP;
    if (sizeTotal.cx < rectClient.Width())
        x += (rectClient.Width() - sizeTotal.cx) / 2;
    if (sizeTotal.cy < rectClient.Height())
        y += (rectClient.Height() - sizeTotal.cy) / 2;
    for (UINT i = 0; i < 2; i++)
    {
        if (i < nShown)
            m_rectPages[i].SetRect(x + (int)i * (cx + PREVIEW_GAP), y, x + (int)i * (cx + PREVIEW_GAP) + cx, y + cy);
        else
            m_rectPages[i].SetRectEmpty();
    }

    if (m_nZoomState == ZOOM_OUT)
        SetScrollSizes(MM_TEXT, CSize(0, 0));
    else
        SetScrollSizes(MM_TEXT, sizeTotal);
}

BOOL CPreviewView::FindPageRect(CPoint point, UINT& nPage)
{
    point += GetDeviceScrollPosition();
    UINT nShown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    for (UINT i = 0; i < nShown; i++)
    {
        if (m_rectPages[i].PtInRect(point))
        {
            nPage = m_nCurrentPage + i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;    // OnDraw paints the whole window
}

// Draws each shown sheet with its shadow and the view's printing of the page scaled into it,
// clipped to the printable area; a page the document does not have ends the preview's page count.
void CPreviewView::OnDraw(CDC* pDC)
{
    // the background around the pages
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    pDC->FillSolidRect(&rectClip, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pPreviewInfo == NULL || m_pPreviewDC == NULL)
        return;

    UINT nShown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    for (UINT i = 0; i < nShown; i++)
    {
        UINT nPage = m_nCurrentPage + i;
        if (nPage > m_pPreviewInfo->GetMaxPage())
            break;

        // the sheet: white with a frame and a shadow
        CRect rectPage = m_rectPages[i];
        CRect rectShadow = rectPage;
        rectShadow.OffsetRect(PREVIEW_SHADOW, PREVIEW_SHADOW);
        pDC->FillSolidRect(&rectShadow, RGB(64, 64, 64));
        pDC->FillSolidRect(&rectPage, RGB(255, 255, 255));
        CRect rectFrame = rectPage;
        rectFrame.InflateRect(1, 1);
        pDC->Draw3dRect(&rectFrame, RGB(0, 0, 0), RGB(0, 0, 0));

        // the printed page, scaled into the sheet: its device origin is the printable
        // area's corner, at the printer's offsets from the sheet's corner
        int nSavedOutput = ::SaveDC(pDC->m_hDC);
        int nSavedPrint = m_dcPrint.SaveDC();
        CPoint ptSheet = rectPage.TopLeft() + pDC->GetViewportOrg();
        CPoint ptOrigin = ptSheet + CPoint(::MulDiv(m_ptPrintOffset.x, rectPage.Width(), m_sizePaper.cx),
                                           ::MulDiv(m_ptPrintOffset.y, rectPage.Height(), m_sizePaper.cy));
        m_pPreviewDC->SetOutputDC(pDC->m_hDC);
        m_pPreviewDC->SetScaleRatio(rectPage.Width(), m_sizePaper.cx, rectPage.Height(), m_sizePaper.cy);
        m_pPreviewDC->SetTopLeftOffset(ptOrigin);
        m_pPreviewDC->SetMapMode(MM_TEXT);
        m_pPreviewDC->SetViewportOrg(0, 0);
        m_pPreviewDC->SetWindowOrg(0, 0);
        // the printer prints nothing beyond its printable area: the margins it cannot
        // print on stay blank paper
        const CPoint ptPrintEnd = ptOrigin + CPoint(::MulDiv(m_sizePage.cx, rectPage.Width(), m_sizePaper.cx),
                                                    ::MulDiv(m_sizePage.cy, rectPage.Height(), m_sizePaper.cy));
        CRgn rgnPage;
        if (rgnPage.CreateRectRgn(ptOrigin.x, ptOrigin.y, ptPrintEnd.x, ptPrintEnd.y))
            ::ExtSelectClipRgn(pDC->m_hDC, (HRGN)rgnPage.m_hObject, RGN_AND);

        m_pPreviewInfo->m_nCurPage = nPage;
        m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
        BOOL bPrinted = m_pPreviewInfo->m_bContinuePrinting;
        if (bPrinted)
        {
            m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePage.cx, m_sizePage.cy);
            m_pPreviewDC->DPtoLP(&m_pPreviewInfo->m_rectDraw);
            m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
        }

        m_pPreviewDC->ReleaseOutputDC();
        m_dcPrint.RestoreDC(nSavedPrint);
        ::RestoreDC(pDC->m_hDC, nSavedOutput);

        if (!bPrinted)
        {
            // the document ends before this page: it knows its length now
            if (nPage > m_pPreviewInfo->GetMinPage())
                m_pPreviewInfo->SetMaxPage(nPage - 1);
            break;
        }
    }
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_pPreviewInfo != NULL && !m_bInsideUpdate)
        PositionPages();
}

void CPreviewView::OnLButtonDown(UINT, CPoint point)
{
    // a click on a page zooms in one step, and out again after the last
    UINT nPage;
    if (!FindPageRect(point, nPage))
        return;
    UINT nNewState = m_nZoomState == (UINT)ZOOM_IN ? (UINT)ZOOM_OUT : m_nZoomState + 1;
    SetZoomState(nNewState, nNewState == ZOOM_OUT ? m_nCurrentPage : nPage, point);
}

/////////////////////////////////////////////////////////////////////////////
// Commands of the preview

void CPreviewView::OnPreviewClose()
{
    CView* pView = m_pPrintView != NULL ? m_pPrintView : m_pOrigView;
    if (pView != NULL)
        pView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
    else
        DestroyWindow();
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_nNumPreviewPages = m_nPages;    // the next preview starts so
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnPreviewPrint()
{
    // the preview closes and the view prints
    CView* pOrigView = m_pOrigView;
    OnPreviewClose();       // destroys this view
    if (pOrigView != NULL)
        pOrigView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState != ZOOM_IN)
        SetZoomState(m_nZoomState + 1, m_nCurrentPage, CPoint(0, 0));
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState != ZOOM_OUT)
        SetZoomState(m_nZoomState - 1, m_nCurrentPage, CPoint(0, 0));
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    // the button offers the other layout
    CString strText;
    AfxLoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE, strText);
    pCmdUI->SetText(strText);
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_nMaxPages != 1 &&
                   (m_pPreviewInfo == NULL || m_pPreviewInfo->GetMaxPage() > 1 || m_nPages > 1));
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    UINT nShown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage + nShown - 1 < m_pPreviewInfo->GetMaxPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_OUT);
}

/////////////////////////////////////////////////////////////////////////////
// CView's preview

void CView::OnFilePrintPreview()
{
    CPrintPreviewState* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState))
    {
        ShowPrompt(AFX_IDP_COMMAND_FAILURE);
        delete pState;
    }
}

// Replaces the frame's main pane with a preview of the view's pages and its button strip; FALSE
// when the preview cannot be made (a cancelled printing is TRUE, the preview closed again).
BOOL CView::DoPrintPreview(UINT, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    // the preview takes the main frame
    CWnd* pMainWnd = AfxGetMainWnd();
    CFrameWnd* pParent = (pMainWnd != NULL && pMainWnd->IsFrameWnd()) ? (CFrameWnd*)pMainWnd : GetParentFrame();
    if (pParent == NULL || pPreviewViewClass == NULL || !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    if (pParent->m_lpfnCloseProc != NULL)
    {
        delete pState;      // a preview is showing already
        return TRUE;
    }

    CPreviewView* pView = (CPreviewView*)pPreviewViewClass->CreateObject();
    if (pView == NULL)
        return FALSE;

    pState->lpfnCloseProc = PreviewCloseProc;
    pParent->OnSetPreviewMode(TRUE, pState);

    CPreviewBar* pBar = new CPreviewBar;
    if (!pBar->Create(pParent))
    {
        if (pBar->m_hWnd != NULL)
            pBar->DestroyWindow();
        else
            delete pBar;
        delete pView;
        pParent->OnSetPreviewMode(FALSE, pState);
        pParent->RecalcLayout();
        return FALSE;
    }

    CCreateContext context;
    context.m_pCurrentFrame = pParent;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST, &context))
    {
        pBar->DestroyWindow();
        pParent->OnSetPreviewMode(FALSE, pState);
        pParent->RecalcLayout();
        return FALSE;
    }

    // from here on the preview view owns the state and the bar
    pView->m_pPreviewState = pState;
    pView->m_pToolBar = pBar;
    pView->m_pOrigView = this;

    // the view that was active steps back
    CFrameWnd* pActiveFrame = pParent->GetActiveFrame();
    CView* pActiveView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    if (pActiveView != NULL)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

    pParent->RecalcLayout();
    if (!pView->SetPrintView(pPrintView))
    {
        pView->OnPreviewClose();
        return TRUE;        // the failure has been reported (or the user cancelled)
    }
    pParent->SetActiveView(pView);
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pView->PositionPages();
    pParent->UpdateWindow();
    return TRUE;
}

// Closes the preview: the printing ends, the frame gets its pane, bars and menu back and the
// view that printed is active again.
void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    if (pView->m_pPreviewDC != NULL && pView->m_pPrintView != NULL)
        pView->m_pPrintView->OnEndPrinting(pDC, pInfo);

    CFrameWnd* pParent = pView->GetParentFrame();
    CPrintPreviewState* pState = pView->m_pPreviewState;
    pView->m_pPreviewState = NULL;
    if (pView->m_pToolBar != NULL)
    {
        pView->m_pToolBar->DestroyWindow();
        pView->m_pToolBar = NULL;
    }

    // the preview view goes; the frame gets its pane, bars and menu back
    if (pParent != NULL && pParent->GetActiveView() == pView)
        pParent->SetActiveView(NULL, FALSE);
    pView->DestroyWindow();
    if (pParent != NULL && pState != NULL)
    {
        pParent->OnSetPreviewMode(FALSE, pState);
        if (pState->pViewActiveOld != NULL)
            pParent->SetActiveView(pState->pViewActiveOld);
        pParent->RecalcLayout();
        pParent->SendMessage(WM_SETMESSAGESTRING, (WPARAM)AFX_IDS_IDLEMESSAGE);
    }
    delete pState;

    // the view that printed is the active one again
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
    {
        if (pFrame->GetActiveView() == this || pParent == NULL || pFrame != pParent)
            OnActivateView(TRUE, this, this);
        pFrame->UpdateWindow();
    }
    if (pParent != NULL)
        pParent->UpdateWindow();
}
