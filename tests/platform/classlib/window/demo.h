// The demonstration MDI program of the window tests: an application, a main
// frame with a message bar, child frames with a simple view on a document.
// Every command handler writes its name into the route log.
#pragma once

#include "afxwnd.h"
#include "window_test_environment.h"
#include "demo_resource.h"
#include <string>
#include <vector>

// Names of the handlers that ran, in order.
std::vector<std::string>& DemoLog();
std::string DemoLogText();          // the log joined with ","

// Runs the thread's pump until the queue is empty, for at most nMillis.
void PumpFor(DWORD nMillis);

/////////////////////////////////////////////////////////////////////////////

class CDemoDoc : public COleDocument
{
    DECLARE_DYNCREATE(CDemoDoc)
public:
    CDemoDoc();
    virtual ~CDemoDoc();

    CString m_strText;
    int m_nValue;
    BOOL m_bChecked;
    int m_nDeleteContents;

    virtual void Serialize(CArchive& ar) override;
    virtual void DeleteContents() override;

    static int s_nLive;

    afx_msg void OnDocCmd();
    afx_msg BOOL OnShared(UINT nID);
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CDemoView : public CView
{
    DECLARE_DYNCREATE(CDemoView)
protected:
    CDemoView();
public:
    virtual ~CDemoView();

    CDemoDoc* GetDemoDoc() const { return (CDemoDoc*)m_pDocument; }

    int m_nUpdates;                 // OnUpdate calls
    LPARAM m_lLastHint;
    int m_nActivations;             // OnActivateView(TRUE)
    static int s_nLive;

    virtual void OnDraw(CDC* pDC) override;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    afx_msg void OnViewCmd();
    afx_msg BOOL OnShared(UINT nID);
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI);
    afx_msg void OnUpdateText(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CDemoChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CDemoChildFrame)
public:
    CDemoChildFrame();
    virtual ~CDemoChildFrame();
    static int s_nLive;

    afx_msg void OnChildCmd();
    afx_msg BOOL OnShared(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// A bar at the bottom of the frame that shows the prompts (id AFX_IDW_STATUS_BAR).
class CDemoMessageBar : public CWnd
{
public:
    BOOL Create(CWnd* pParent);
    int m_nIdleUpdates;             // WM_IDLEUPDATECMDUI received
    CDemoMessageBar() { m_nIdleUpdates = 0; }

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CDemoMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CDemoMainFrame)
public:
    CDemoMainFrame();
    virtual ~CDemoMainFrame();

    CDemoMessageBar m_wndMessageBar;
    static int s_nLive;

    CString GetMessageBarText();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMainCmd();
    afx_msg void OnDisabledCmd();
    afx_msg void OnThrowCmd();
    afx_msg BOOL OnShared(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CDemoApp : public CWinApp
{
public:
    CDemoApp();

    std::vector<LONG> m_idleCounts;         // lCount of every OnIdle call
    std::vector<CString> m_openedFiles;     // OpenDocumentFile calls
    CDocument* m_pOpenResult;               // what OpenDocumentFile answers

    virtual BOOL OnIdle(LONG lCount) override;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

    afx_msg void OnAppCmd();
    afx_msg BOOL OnShared(UINT nID);
    afx_msg void OnDemoFileNew();
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// The running demonstration: application, main frame, document type menus.

class CDemoProgram
{
public:
    CDemoProgram();
    ~CDemoProgram();

    // Main frame from IDR_MAINFRAME, shown; the application's main window.
    BOOL CreateMainFrame(int nCmdShow = SW_SHOW);
    // New document with a child frame of the given type (IDR_DEMOTYPE or IDR_OTHERTYPE).
    CDemoChildFrame* OpenChild(UINT nIDType, LPCTSTR lpszTitle, CDemoDoc** ppDoc = NULL);
    void CloseAll();

    CDemoApp* m_pApp;
    CDemoMainFrame* m_pMainFrame;
    HMENU m_hDemoMenu;
    HMENU m_hOtherMenu;
    HACCEL m_hDemoAccel;
};
