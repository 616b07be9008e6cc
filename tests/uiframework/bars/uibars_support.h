// Frames, bars and a recording paint manager for the framework bar tests.
#pragma once

#include "afxwin.h"
#include "window_test_environment.h"
#include "uiframework/bars/ExtControlBar.h"
#include "uiframework/bars/ExtBarLayout.h"
#include "uiframework/foundation/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>


// The bytes an archive stores when fn writes to it.
std::vector<BYTE> UiBarsArchiveBytes(const std::function<void(CArchive&)>& fn);

// A resizable bar with an edit window filling its client area; counts WM_CLOSE.
class CTestResizableBar : public CExtControlBar
{
public:
    CTestResizableBar() : m_nCloseSeen(0) {}
    BOOL CreateTestBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle);

    CWnd m_wndChild;
    int m_nCloseSeen;

    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

// The main frame of the tests: a pane and the framework's dock bars.
class CUiBarsFrame : public CFrameWnd
{
public:
    CWnd m_wndPane;
    int m_nMessageStrings = 0;          // WM_SETMESSAGESTRING seen
    WPARAM m_nLastMessageString = 0;
    int m_nTrackedAreas = 0;            // g_nMsgDrawTackedArea seen
    BOOL CreateTestFrame();
    CRect ChildRect(CWnd* pWnd);    // in the frame's client coordinates

    afx_msg LRESULT OnSetMessageStringMsg(WPARAM wParam, LPARAM lParam);
    // Answers g_nMsgCreateTabbedBar when set (wParam: the request record).
    std::function<void(WPARAM)> m_onCreateTabbedBar;
    int m_nCreateTabbedBarAsked = 0;

    afx_msg LRESULT OnDrawTrackedArea(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreateTabbedBar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Records the caption and button drawing of the bars.
class CRecordingPaintManager : public CExtPaintManagerXP
{
public:
    struct NcButton_t
    {
        CRect rc;
        int nGlyph;
        bool bHover, bPushed, bEnabled;
    };
    std::vector<NcButton_t> m_buttons;
    std::vector<CString> m_captions;
    std::vector<CRect> m_captionRects;

    void DrawNcAreaButton(CDC& dc, NcButtonArgs_t& a) override;
    void DrawBarCaption(CDC& dc, BarCaptionArgs_t& a) override;
};

class UiBarsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates a resizable bar with the id and title (not docked yet).
    CTestResizableBar* NewBar(UINT nID, LPCTSTR lpszTitle);
    // The array invariant of every framework dock bar of the frame and its containers.
    void ExpectAllArraysSound();

    CWinApp* m_pApp = NULL;
    CUiBarsFrame* m_pFrame = NULL;
    std::vector<CTestResizableBar*> m_bars;
};
