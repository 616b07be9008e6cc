// MainFrm.cpp - the main window: bars, docking layout, placement and status services.

#include "MainFrm.h"
#include "PropSheet.h"
#include "PropertiesBar.h"
#include "model/OptionsStore.h"
#include "model/VarnelDoc.h"
#include "output/ExportProgress.h"
#include "resources/resource.h"
#include "uiframework/bars/ExtControlBar.h"
#include "uiframework/bars/ExtDockBar.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtPaintManager.h"
#include "uiframework/foundation/ExtPaintManagerHolder.h"

#include "afxpriv.h"

namespace
{
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP | CBRS_GRIPPER |
                        CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | CBRS_HIDE_INPLACE;
const COLORREF kButtonTransparent = RGB(192, 192, 192);

// Room the docked bars leave to the publications in a small main window.
const CSize kMinCentreSize(240, 160);

// Smallest placement stored when the window closes.
const int kMinStoredWidth = 770;
const int kMinStoredHeight = 530;

const UINT kIndicators[] = {
    ID_SEPARATOR,
    ID_INDICATOR_POSITION,
    ID_INDICATOR_SIZE,
    ID_INDICATOR_ZOOM,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
};

// Commands shown in the menus before they are used once.
const UINT kBasicCommands[] = {
    57600, 57601, 57602, 285, 313, 314, 57603, 57604, 152, 57607, 57606, 153, 32846, 57609, 57665,
    57643, 57644, 57635, 57634, 57637, 159, 156, 157, 160, 260, 137, 250, 251, 228, 225, 229,
    230, 231, 226, 232, 147, 253, 254, 257, 59392, 59393, 32771, 32776, 32772, 32774, 32777,
    32786, 32842, 32789, 32783, 32787, 32796, 294, 288, 289, 198, 199, 201, 202, 200, 203,
    205, 206, 207, 143, 144, 145, 146, 240, 242, 241, 243, 32839, 32840, 32841, 245,
    246, 247, 32843, 219, 57650, 57651, 57649, 221, 57664, 0,
};

const char* const kPlacementNames[] = {OPTION_WINDOW_WIDTH, OPTION_WINDOW_HEIGHT, OPTION_WINDOW_X, OPTION_WINDOW_Y};

CString ProfileName()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->m_pszProfileName != NULL ? CString(pApp->m_pszProfileName) : CString("Stickwell");
}

CString RegistryKeyWord()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->m_pszRegistryKey != NULL ? CString(pApp->m_pszRegistryKey) : CString();
}
}

void EnableAndCheck(CCmdUI* pCmdUI, BOOL bEnable, BOOL bCheck)
{
    if (!bEnable)
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(bCheck ? 1 : 0);
}

/////////////////////////////////////////////////////////////////////////////
// CMainFrame

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_COMMAND(ID_VIEW_STANDARD_BAR, OnViewStandardBar)
    ON_COMMAND(ID_VIEW_SHAPE_BAR, OnViewShapeBar)
    ON_COMMAND(ID_VIEW_SHAPES, OnViewShapeBar)
    ON_COMMAND(ID_VIEW_FORMAT_BAR, OnViewFormatBar)
    ON_COMMAND(ID_VIEW_FORMATTING, OnViewFormatBar)
    ON_COMMAND(ID_VIEW_ACTIONS_BAR, OnViewActionsBar)
    ON_COMMAND(ID_VIEW_ACTIONS, OnViewActionsBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateViewStandardBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STANDARD_BAR, OnUpdateViewStandardBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHAPE_BAR, OnUpdateViewShapeBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHAPES, OnUpdateViewShapeBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FORMAT_BAR, OnUpdateViewFormatBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FORMATTING, OnUpdateViewFormatBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ACTIONS_BAR, OnUpdateViewActionsBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ACTIONS, OnUpdateViewActionsBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateNeedDesignView)
    ON_UPDATE_COMMAND_UI(ID_TEXT_BOLD, OnUpdateNeedDesignView)
    ON_UPDATE_COMMAND_UI(ID_TEXT_ITALIC, OnUpdateNeedDesignView)
    ON_UPDATE_COMMAND_UI(ID_TEXT_UNDERLINE, OnUpdateNeedDesignView)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_pPropertiesBar(NULL)
{
    g_CurrentPaintManager.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    memset(&m_wpSaved, 0, sizeof(m_wpSaved));
    m_wpSaved.length = sizeof(WINDOWPLACEMENT);
    m_wpSaved.showCmd = 0;
}

CMainFrame::~CMainFrame()
{
}

/////////////////////////////////////////////////////////////////////////////
// Placement

void CMainFrame::DefaultWindowRect(CREATESTRUCT& cs)
{
    cs.cy = ::GetSystemMetrics(SM_CYSCREEN) * 14 / 15;
    cs.cx = ::GetSystemMetrics(SM_CXSCREEN) * 14 / 15;
    cs.y = (cs.cy * 25 / 24 - cs.cy) / 2;
    cs.x = (cs.cx * 25 / 24 - cs.cx) / 2;
}

// Shrinks and moves a window rectangle onto the work area of its nearest monitor, so no part lies off screen.
void CMainFrame::FitToWorkArea(RECT& rect)
{
    HMONITOR hMonitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    if (hMonitor == NULL || !::GetMonitorInfoA(hMonitor, &mi))
        return;
    const RECT& work = mi.rcWork;
    int cx = rect.right - rect.left;
    int cy = rect.bottom - rect.top;
    if (cx > work.right - work.left)
        cx = work.right - work.left;
    if (cy > work.bottom - work.top)
        cy = work.bottom - work.top;
    int x = rect.left;
    int y = rect.top;
    if (x + cx > work.right)
        x = work.right - cx;
    if (y + cy > work.bottom)
        y = work.bottom - cy;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetRect(&rect, x, y, x + cx, y + cy);
}

// The window's stored place and size, kept on the screen; the first run stores the default place instead.
void CMainFrame::LoadWindowRect(CREATESTRUCT& cs)
{
    const COptionsStore options;
    if (!options.Exists())
    {
        SaveWindowRect(cs);
        return;
    }
    DWORD values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; i++)
    {
        if (!options.Read(kPlacementNames[i], values[i]))
            return;
    }

    int cx = (int)values[0], cy = (int)values[1], x = (int)values[2], y = (int)values[3];
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
    const int W = rectDesktop.Width(), H = rectDesktop.Height();
    if (cx >= W)
    {
        cx = W - 10;
        x = 5;
    }
    if (cy >= H)
    {
        cy = H - 10;
        y = 5;
    }
    if (cx + x > W)
        x = W / 2 - cx / 2;
    if (y + cy > H)
        y = H / 2 - cy / 2;

    // a monitor that was there when the values were stored may be gone
    RECT rect = {x, y, x + cx, y + cy};
    FitToWorkArea(rect);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
}

void CMainFrame::SaveWindowRect(const CREATESTRUCT& cs)
{
    COptionsStore options;
    const DWORD values[4] = {(DWORD)cs.cx, (DWORD)cs.cy, (DWORD)cs.x, (DWORD)cs.y};
    for (int i = 0; i < 4; i++)
    {
        if (!options.Write(kPlacementNames[i], values[i]))
            return;
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    DefaultWindowRect(cs);
    LoadWindowRect(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

// Stores the placement, then asks about unsaved publications; a minimised window stores its own
// place, not its button's.
void CMainFrame::OnClose()
{
    CRect rect;
    GetWindowRect(&rect);
    WINDOWPLACEMENT wp;
    wp.length = sizeof(wp);
    if (IsIconic() && GetWindowPlacement(&wp))
    {
        // the normal place is given from the corner of the work area
        CRect rectWork(0, 0, 0, 0);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
        rect = wp.rcNormalPosition;
        rect.OffsetRect(rectWork.left, rectWork.top);
    }
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    cs.cx = rect.Width() < kMinStoredWidth ? kMinStoredWidth : rect.Width();
    cs.cy = rect.Height() < kMinStoredHeight ? kMinStoredHeight : rect.Height();
    cs.x = rect.left < -10 ? 10 : rect.left;
    cs.y = rect.top < -10 ? 10 : rect.top;
    SaveWindowRect(cs);
    CModelessPropSheet::ApplyFieldInFocus();
    CMDIFrameWnd::OnClose();
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CModelessPropSheet::ApplyFieldInFocus();
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    if (m_wpSaved.showCmd != 0)
    {
        FitToWorkArea(m_wpSaved.rcNormalPosition);
        SetWindowPlacement(&m_wpSaved);
        const int nShow = (int)m_wpSaved.showCmd;
        m_wpSaved.showCmd = 0;
        CMDIFrameWnd::ActivateFrame(nShow);
        return;
    }
    CMDIFrameWnd::ActivateFrame(nCmdShow);
}

/////////////////////////////////////////////////////////////////////////////
// Bars

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    const CString strProfile = ProfileName();
    const CString strKeyWord = RegistryKeyWord();
    g_CmdManagerHolder->EnsureProfile(strProfile, m_hWnd);
    g_CmdManagerHolder->UpdateFromMenuResource(strProfile, IDR_MAINFRAME);
    g_CmdManagerHolder->UpdateFromMenuResource(strProfile, IDR_LABELTYPE);

    m_wndMenuBar.SetMdiWindowPopupName("Window");
    if (!m_wndMenuBar.Create(NULL, this, 0, kBarStyle))
        return -1;

    const struct
    {
        CExtToolControlBar* pBar;
        LPCTSTR lpszName;
        UINT nID;
        UINT nResID;
    } toolbars[] = {
        {&m_wndToolBar, "Standard", AFX_IDW_TOOLBAR, IDR_TOOLBAR_STANDARD},
        {&m_wndShapeBar, "Shapebar", ID_BAR_SHAPES, IDR_TOOLBAR_SHAPES},
        {&m_wndMoreShapeBar, "More Shapebar", ID_BAR_MORE_SHAPES, IDR_TOOLBAR_MORE_SHAPES},
        {&m_wndActionsBar, "Actions", ID_BAR_ACTIONS, IDR_TOOLBAR_ACTIONS},
        {&m_wndFormatBar, "Formatting", ID_BAR_FORMATTING, IDR_TOOLBAR_FORMATTING},
    };
    for (const auto& toolbar : toolbars)
    {
        if (!toolbar.pBar->Create(toolbar.lpszName, this, toolbar.nID, kBarStyle) ||
            !toolbar.pBar->LoadButtonsFromResource(toolbar.nResID, kButtonTransparent))
            return -1;
    }

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetPanesFromStringIds(kIndicators, (int)(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return -1;
    m_wndStatusBar.SetPaneInfoAndEnable(1, ID_INDICATOR_POSITION, SBPS_NORMAL, 110);
    m_wndStatusBar.SetPaneInfoAndEnable(2, ID_INDICATOR_SIZE, SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneInfoAndEnable(3, ID_INDICATOR_ZOOM, SBPS_NORMAL, 80);

    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    for (const auto& toolbar : toolbars)
        toolbar.pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (!CExtControlBar::SetupFrameDocking(this, CBRS_ALIGN_ANY, TRUE))
        return -1;

    g_CmdManagerHolder->SetBasicCommands(strProfile, kBasicCommands, true);
    // Delete of the element's context menu is no menu-bar command: registered here, it is
    // shown from the start like its neighbours instead of waiting behind the expand button
    static const UINT kElementMenuBasic[] = { ID_EDIT_CLEAR, 0 };
    g_CmdManagerHolder->UpdateFromMenuResource(strProfile, IDR_ELEMENT_MENU);
    g_CmdManagerHolder->SetBasicCommands(strProfile, kElementMenuBasic, true);

    if (!CExtControlBar::LoadFrameBarState(this, strKeyWord, strProfile, strProfile, &m_wpSaved))
    {
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_wndToolBar);
        RecalcLayout();
        CRect rect;
        m_wndToolBar.GetWindowRect(&rect);
        rect.OffsetRect(1, 0);
        DockControlBar(&m_wndShapeBar, AFX_IDW_DOCKBAR_TOP, &rect);
        DockDefaultBars();
    }

    g_CmdManagerHolder->SerializeStateToRegistry(strProfile, strKeyWord, strProfile, false);

    m_pPropertiesBar = new CPropertiesBar(99);
    if (!m_pPropertiesBar->Create("Properties", this, ID_BAR_PROPERTIES, kBarStyle))
    {
        delete m_pPropertiesBar;
        m_pPropertiesBar = NULL;
        return -1;
    }
    m_pPropertiesBar->m_bAutoDelete = TRUE;
    m_pPropertiesBar->SetBarStyle(m_pPropertiesBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_pPropertiesBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    m_pPropertiesBar->m_sizeDockedV = CSize(235, 850);
    m_pPropertiesBar->m_sizeDockedH = CSize(225, 300);
    m_pPropertiesBar->m_sizeFloated = CSize(225, 355);
    m_pPropertiesBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT);
    CExtDockBar::SetCentreMinimum(this, kMinCentreSize);
    return 0;
}

void CMainFrame::DockDefaultBars()
{
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndShapeBar, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndMoreShapeBar, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndActionsBar, AFX_IDW_DOCKBAR_BOTTOM);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    RecalcLayout();
    CRect rect;
    m_wndToolBar.GetWindowRect(&rect);
    rect.OffsetRect(1, 1);
    DockControlBar(&m_wndFormatBar, (UINT)0, &rect);
}

CExtToolControlBar* CMainFrame::GetToolBar(UINT nBarID)
{
    CExtToolControlBar* bars[] = {&m_wndToolBar, &m_wndShapeBar, &m_wndMoreShapeBar, &m_wndActionsBar, &m_wndFormatBar};
    for (CExtToolControlBar* pBar : bars)
    {
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nBarID)
            return pBar;
    }
    return NULL;
}

void CMainFrame::ToggleBar(CControlBar& bar)
{
    if (bar.m_hWnd != NULL)
        ShowControlBar(&bar, (bar.GetStyle() & WS_VISIBLE) == 0, FALSE);
}

void CMainFrame::ToggleAndRedock(CControlBar& bar)
{
    ToggleBar(bar);
    DockDefaultBars();
}

void CMainFrame::UpdateBarCheck(CCmdUI* pCmdUI, CControlBar& bar)
{
    // id 130 is also the position pane of the status bar
    if (pCmdUI->m_pMenu == NULL && pCmdUI->m_pOther != NULL && pCmdUI->m_pOther->IsKindOf(RUNTIME_CLASS(CStatusBar)))
    {
        pCmdUI->Enable(TRUE);
        return;
    }
    pCmdUI->Enable(bar.m_hWnd != NULL);
    pCmdUI->SetCheck(bar.m_hWnd != NULL && (bar.GetStyle() & WS_VISIBLE) != 0);
}

void CMainFrame::OnViewStandardBar()
{
    ToggleAndRedock(m_wndToolBar);
}

void CMainFrame::OnViewShapeBar()
{
    ToggleAndRedock(m_wndShapeBar);
}

void CMainFrame::OnViewFormatBar()
{
    ToggleAndRedock(m_wndFormatBar);
}

void CMainFrame::OnViewActionsBar()
{
    ToggleAndRedock(m_wndActionsBar);
}

void CMainFrame::OnUpdateViewStandardBar(CCmdUI* pCmdUI)
{
    UpdateBarCheck(pCmdUI, m_wndToolBar);
}

void CMainFrame::OnUpdateViewShapeBar(CCmdUI* pCmdUI)
{
    UpdateBarCheck(pCmdUI, m_wndShapeBar);
}

void CMainFrame::OnUpdateViewFormatBar(CCmdUI* pCmdUI)
{
    UpdateBarCheck(pCmdUI, m_wndFormatBar);
}

void CMainFrame::OnUpdateViewActionsBar(CCmdUI* pCmdUI)
{
    UpdateBarCheck(pCmdUI, m_wndActionsBar);
}

void CMainFrame::OnUpdateNeedDesignView(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(0);
}

void CMainFrame::HidePropertiesBar()
{
    if (m_pPropertiesBar != NULL && m_pPropertiesBar->m_hWnd != NULL)
        ShowControlBar(m_pPropertiesBar, FALSE, FALSE);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.m_hWnd != NULL && m_wndMenuBar.PreTranslateFrameMessage(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// Status texts and progress

void CMainFrame::SetStatusText(int nPane, LPCTSTR lpszText)
{
    if (m_wndStatusBar.m_hWnd == NULL || nPane < 0 || nPane >= m_wndStatusBar.GetCount())
        return;
    m_wndStatusBar.SetPaneText(nPane, lpszText, TRUE);
    m_wndStatusBar.SendMessage(WM_IDLEUPDATECMDUI);
    m_wndStatusBar.UpdateWindow();
}

BOOL CMainFrame::BeginProgress(int nUpper)
{
    return m_wndProgressBar.Create("", 100, nUpper, FALSE, 0);
}

BOOL CMainFrame::StepProgress()
{
    m_wndProgressBar.StepIt();
    return PumpMessages();
}

BOOL CMainFrame::PumpMessages()
{
    CDocument* pDocument = NULL;
    if (CFrameWnd* pFrame = GetActiveFrame())
        pDocument = pFrame->GetActiveDocument();
    // while the guard lives the document counts as busy and input is refused
    CExportProgress guard(pDocument);
    guard.Pump();
    return !guard.IsQuitPending();
}
