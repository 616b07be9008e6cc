// MainFrm.h - CMainFrame, the program's MDI main window with its menu bar, five
// toolbars, status bar and the dockable Properties bar.
//
// Notes
// - The window's size and position live in the Options key ("cs_x", "cs_y", "cs_cx",
//   "cs_cy"); they are read before creation and written when the window closes. A
//   restored placement is moved onto the work area of the nearest monitor.
// - The toolbars dock in a default layout when no stored bar state exists; every
//   toolbar toggle of the View menu docks them back into it.
// - PumpMessages runs queued messages from inside a long operation but refuses input
//   and posted commands that could close or change the document being worked on.
// - UI thread only.

#pragma once

#include "ProgressBar.h"
#include "uiframework/bars/ExtMenuControlBar.h"
#include "uiframework/bars/ExtStatusControlBar.h"
#include "uiframework/bars/ExtToolControlBar.h"

#include "afxwin.h"

class CPropertiesBar;

// Window ids of the bars.
const UINT ID_BAR_SHAPES = 130;
const UINT ID_BAR_MORE_SHAPES = 302;
const UINT ID_BAR_ACTIONS = 248;
const UINT ID_BAR_FORMATTING = 255;
const UINT ID_BAR_PROPERTIES = 123;

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMainFrame)

public:
    CMainFrame();
    virtual ~CMainFrame();

    // Overrides
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void ActivateFrame(int nCmdShow = -1) override;

    // Operations
    // Docks the toolbars in the default layout; hidden bars stay hidden.
    void DockDefaultBars();
    // Sets the text of a status-bar pane and repaints the bar at once.
    void SetStatusText(int nPane, LPCTSTR lpszText);
    // Shows the progress control in pane 0 with the range 0 to nUpper.
    BOOL BeginProgress(int nUpper);
    // Advances the progress by one and pumps messages; FALSE when the program quits.
    BOOL StepProgress();
    // Runs the queued messages, refusing what could close or change the document;
    // FALSE when a quit request arrived (it is posted again).
    BOOL PumpMessages();
    // Hides the Properties bar.
    void HidePropertiesBar();

    // Placement in the Options key
    // 14/15 of the screen, centred.
    static void DefaultWindowRect(CREATESTRUCT& cs);
    // Replaces cs's placement by the stored one, if all four values are stored; writes
    // the given placement when the key does not exist yet.
    static void LoadWindowRect(CREATESTRUCT& cs);
    static void SaveWindowRect(const CREATESTRUCT& cs);
    // Moves and shrinks a rectangle (screen) so that it lies on the work area of the
    // monitor nearest to it.
    static void FitToWorkArea(RECT& rect);

    // The toolbar with the window id, or NULL.
    CExtToolControlBar* GetToolBar(UINT nBarID);

    CPropertiesBar* m_pPropertiesBar;       // owned by the window tree
    CProgressBar m_wndProgressBar;
    WINDOWPLACEMENT m_wpSaved;              // from the stored bar state; showCmd 0: none
    CExtMenuControlBar m_wndMenuBar;
    CExtStatusControlBar m_wndStatusBar;
    CExtToolControlBar m_wndToolBar;        // "Standard"
    CExtToolControlBar m_wndShapeBar;       // "Shapebar"
    CExtToolControlBar m_wndActionsBar;     // "Actions"
    CExtToolControlBar m_wndFormatBar;      // "Formatting"
    CExtToolControlBar m_wndMoreShapeBar;   // "More Shapebar"

protected:
    void ToggleBar(CControlBar& bar);
    void ToggleAndRedock(CControlBar& bar);
    static void UpdateBarCheck(CCmdUI* pCmdUI, CControlBar& bar);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    // A value typed into the Properties bar counts before any command runs.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnViewStandardBar();
    afx_msg void OnViewShapeBar();
    afx_msg void OnViewFormatBar();
    afx_msg void OnViewActionsBar();
    afx_msg void OnUpdateViewStandardBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewShapeBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewFormatBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewActionsBar(CCmdUI* pCmdUI);
    // Commands of the design view with no publication open: disabled and unchecked.
    afx_msg void OnUpdateNeedDesignView(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// For update handlers: disables the item, or enables it with the check mark set from bCheck.
void EnableAndCheck(CCmdUI* pCmdUI, BOOL bEnable, BOOL bCheck);
