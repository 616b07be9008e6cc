// The frame of the bar tests: a pane, two toolbars and a status bar; handlers
// for the test commands; a fixture that makes the application and the frame.
#pragma once

#include "afxwin.h"
#include "window_test_environment.h"
#include "bars_resource.h"
#include <gtest/gtest.h>


class CBarTestFrame : public CFrameWnd
{
public:
    CBarTestFrame();

    CWnd m_wndPane;                 // AFX_IDW_PANE_FIRST, takes what the bars leave
    CToolBar m_wndToolBar;          // AFX_IDW_TOOLBAR, from IDR_TESTBAR
    CToolBar m_wndToolBar2;         // AFX_IDW_TOOLBAR + 10, from IDR_TESTBAR
    CStatusBar m_wndStatusBar;      // AFX_IDW_STATUS_BAR

    int m_nAlpha;                   // ID_TEST_ALPHA ran
    int m_nGammaCheck;              // check of ID_TEST_GAMMA
    CString m_strZoom;              // text of the zoom pane
    BOOL m_bLockEnabled;            // the LOCK pane

    // Creates the window, the pane, the bars (from the resources) and lays it out.
    BOOL CreateTestFrame();

    CRect PaneRect();               // in the frame's client coordinates
    CRect ChildRect(CWnd* pWnd);    // a window's rectangle in the frame's client coordinates

    afx_msg void OnAlpha();
    afx_msg void OnUpdateBeta(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGamma(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoom(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLock(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// A floating frame class of the tests' own (installed through m_pFloatingFrameClass).
class CTestMiniFrame : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CTestMiniFrame)
};

// An application object and a shown test frame for each test.
class BarsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Idle work as the message loop does it (update handlers of all frames).
    void RunIdle();

    CWinApp* m_pApp = NULL;
    CBarTestFrame* m_pFrame = NULL;
};
