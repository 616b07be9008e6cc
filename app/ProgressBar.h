// ProgressBar.h - CProgressBar, a progress control inside one pane of the main window's
// status bar, optionally after a short label in the same pane. Its window exists only
// between Create and Clear.

#pragma once

#include "afxwin.h"
#include "afxcmn.h"

class CStatusBar;

class CProgressBar : public CProgressCtrl
{
    DECLARE_DYNAMIC(CProgressBar)

public:
    CProgressBar();
    virtual ~CProgressBar();

    // The status bar of the application's main window, or NULL.
    static CStatusBar* GetStatusBar();

    // Creates the bar in pane nPane taking nSize percent of the pane's free width after
    // the label; FALSE without a status bar.
    BOOL Create(LPCTSTR lpszText, int nSize = 100, int nMaxValue = 100, BOOL bSmooth = FALSE, int nPane = 0);
    BOOL SetRange(int nLower, int nUpper, int nStep = 1);
    int SetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
    void SetText(LPCTSTR lpszText);
    // Removes the bar; the pane gets its text back.
    void Clear();
    // Places the bar after the label in its pane.
    BOOL Resize();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    int m_nSize;
    int m_nPane;
    CString m_strMessage;
    CString m_strPrevText;
    RECT m_rcLast;

protected:
    void ShowBar();

    DECLARE_MESSAGE_MAP()
};
